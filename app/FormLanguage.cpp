#include "app/FormLanguage.h"

#include "app/ScreenPlacement.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

TFormLanguage::TFormLanguage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormLanguage"));
    setWindowTitle(QStringLiteral("Select Language"));
    setFixedSize(162, 92);
    ButtonOk = new QPushButton(QStringLiteral("Ok"), this);
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonOk->setGeometry(40, 56, 75, 25);
    ButtonOk->setDefault(true);
    LabelLang = new QLabel(QStringLiteral("Select language:"), this);
    LabelLang->setObjectName(QStringLiteral("LabelLang"));
    LabelLang->move(8, 8);
    ComboBoxLang = new QComboBox(this);
    ComboBoxLang->setObjectName(QStringLiteral("ComboBoxLang"));
    ComboBoxLang->setGeometry(8, 24, 145, 22);
    ComboBoxLang->addItems({QStringLiteral("English"), QStringLiteral("Russian")});
    connect(ButtonOk, &QPushButton::clicked, this, [this] { ButtonOkClick(); });
}

void TFormLanguage::showEvent(QShowEvent* event) {
    FormShow();
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

void TFormLanguage::FormShow() {
    ComboBoxLang->setCurrentIndex(0);
}

void TFormLanguage::ButtonOkClick() {
    emit LanguageChosen(ComboBoxLang->currentText());
    if (!Closing)
        accept();
}

void TFormLanguage::FormClose() {
    ButtonOkClick();
}

void TFormLanguage::done(int result) {
    if (!Closing) {
        Closing = true;
        FormClose();
        Closing = false;
    }
    QDialog::done(result);
}
