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

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* LabelAuthor = nullptr;
    QLabel* LabelEmail = nullptr;
    QPushButton* OKButton = nullptr;
    QLabel* LabelSite = nullptr;
    QLabel* LabelAbout = nullptr;
    QLabel* LabelTitle = nullptr;
};
