#pragma once
// The About dialog: the product, its version, its maker and its web page.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    // The link turns red under the mouse, with the hand pointer.
    void LabelSiteMouseMove();
    // Over the rest of the panel the link is blue again.
    void Panel1MouseMove();
    // Any button on the link opens its text with the desktop's default handler.
    void LabelSiteMouseDown();
    void OKButtonClick();
    // Sizes the labels to their texts after the texts changed.
    void FitTexts();

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* LabelAuthor = nullptr;
    QLabel* LabelEmail = nullptr;
    QPushButton* OKButton = nullptr;
    QLabel* LabelSite = nullptr;
    QLabel* LabelAbout = nullptr;
    QLabel* LabelTitle = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
