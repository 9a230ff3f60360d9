#pragma once
// The first-run dialog that asks for the interface language. However it is
// closed (the button, the close box, Escape), the selected language becomes
// the main window's language and is applied.

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
    // Makes the selected language the main window's and applies it; closes
    // the dialog unless it is closing already.
    void ButtonOkClick();
    // Runs ButtonOkClick for every way of closing.
    void FormClose();

    void done(int result) override;

    QPushButton* ButtonOk = nullptr;
    QLabel* LabelLang = nullptr;
    QComboBox* ComboBoxLang = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool Closing = false;
};
