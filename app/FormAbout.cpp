#include "app/FormAbout.h"

#include "app/Product.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
QLabel* Label(QWidget* parent, const char* name, const QString& text, int x, int y, QColor color,
              bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    label->adjustSize();
    return label;
}
} // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("About Program"));
    setFixedSize(321, 201);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 8, 305, 185);
    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 8, 32, 32);
    ProgramIcon->setScaledContents(true);
    LabelAuthor = Label(Panel1, "LabelAuthor", Product::Maker, 8, 88, QColor(0, 0, 128), true);
    LabelEmail = Label(Panel1, "LabelEmail", Product::Contact, 8, 104, QColor(0, 128, 128), true);
    LabelEmail->setWordWrap(true);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(119, 156, 74, 25);
    OKButton->setDefault(true);
    LabelSite = Label(Panel1, "LabelSite", Product::Site, 8, 120, QColor(0, 0, 255));
    QFont underlined = LabelSite->font();
    underlined.setUnderline(true);
    LabelSite->setFont(underlined);
    LabelAbout = Label(Panel1, "LabelAbout", Product::Description, 48, 24, QColor(128, 0, 0));
    LabelTitle = Label(Panel1, "LabelTitle", Product::Caption, 48, 8, QColor(0, 0, 128), true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
