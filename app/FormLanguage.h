#pragma once
// The first-run dialog that asks for the interface language.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TFormLanguage : public QDialog {
    Q_OBJECT
public:
    explicit TFormLanguage(QWidget* parent = nullptr);

    QPushButton* ButtonOk = nullptr;
    QLabel* LabelLang = nullptr;
    QComboBox* ComboBoxLang = nullptr;
};
