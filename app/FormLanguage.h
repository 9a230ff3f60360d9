#pragma once
// The first-run dialog that asks for the interface language. However it is
// closed (the button, the close box, Escape), it reports the selected
// language; the main window makes it its language and applies it.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TFormLanguage : public QDialog {
    Q_OBJECT
public:
    explicit TFormLanguage(QWidget* parent = nullptr);

    // Selects the first language, whatever the current one is.
    void FormShow();
    // Reports the selected language; closes the dialog unless it is closing
    // already.
    void ButtonOkClick();
    // Runs ButtonOkClick for every way of closing.
    void FormClose();

    void done(int result) override;

    QPushButton* ButtonOk = nullptr;
    QLabel* LabelLang = nullptr;
    QComboBox* ComboBoxLang = nullptr;

signals:
    void LanguageChosen(const QString& languageName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool Closing = false;
};
