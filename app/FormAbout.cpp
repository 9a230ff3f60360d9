#include "app/FormAbout.h"

#include "app/DesktopOpen.h"
#include "common/Product.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

const QColor LinkColor(0, 0, 255);
const QColor LinkHoverColor(255, 0, 0);

QLabel* Label(QWidget* parent, const char* name, const QString& text, int x, int y, QColor color,
              bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
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

void SetTextColor(QLabel* label, QColor color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// The program's 32 by 32 icon: a cell of characters on a navy tile.
QPixmap ProgramPicture() {
    QPixmap picture(32, 32);
    picture.fill(QColor(0, 0, 128));
    QPainter painter(&picture);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 2, 32, 14), Qt::AlignCenter, QStringLiteral("@#"));
    painter.setPen(QColor(255, 255, 0));
    painter.drawText(QRect(0, 16, 32, 14), Qt::AlignCenter, QStringLiteral("*."));
    return picture;
}

} // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("About Program"));
    setFixedSize(321, 201);
    const QPixmap icon = ProgramPicture();
    setWindowIcon(icon);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 8, 305, 185);
    Panel1->setMouseTracking(true);
    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 8, 32, 32);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(icon);
    LabelAuthor = Label(Panel1, "LabelAuthor", tg::Product::Maker, 8, 88, QColor(0, 0, 128), true);
    LabelEmail =
        Label(Panel1, "LabelEmail", tg::Product::Contact, 8, 104, QColor(0, 128, 128), true);
    LabelEmail->setWordWrap(true);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(119, 156, 74, 25);
    OKButton->setDefault(true);
    LabelSite = Label(Panel1, "LabelSite", tg::Product::Site, 8, 120, LinkColor);
    QFont underlined = LabelSite->font();
    underlined.setUnderline(true);
    LabelSite->setFont(underlined);
    LabelSite->adjustSize();
    LabelSite->setMouseTracking(true);
    LabelAbout = Label(Panel1, "LabelAbout", tg::Product::Description, 48, 24, QColor(128, 0, 0));
    LabelAbout->setWordWrap(true);
    LabelTitle = Label(Panel1, "LabelTitle", tg::Product::Caption, 48, 8, QColor(0, 0, 128), true);
    FitTexts();
    LabelSite->installEventFilter(this);
    Panel1->installEventFilter(this);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
}

void TFormAbout::LabelSiteMouseMove() {
    LabelSite->setCursor(Qt::PointingHandCursor);
    SetTextColor(LabelSite, LinkHoverColor);
}

void TFormAbout::Panel1MouseMove() {
    SetTextColor(LabelSite, LinkColor);
}

void TFormAbout::LabelSiteMouseDown() {
    const QString address = LabelSite->text().trimmed();
    if (!address.isEmpty())
        OpenWithDesktop(QUrl::fromUserInput(address));
}

void TFormAbout::OKButtonClick() {
    accept();
}

void TFormAbout::FitTexts() {
    const int right = Panel1->width() - 8;
    for (QLabel* label : {LabelAuthor, LabelEmail, LabelSite, LabelTitle}) {
        label->adjustSize();
        if (label->x() + label->width() > right)
            label->resize(right - label->x(), label->height());
    }
    // The description wraps within the panel, below the title.
    LabelAbout->setFixedWidth(right - LabelAbout->x());
    LabelAbout->setFixedHeight(LabelAbout->heightForWidth(LabelAbout->width()));
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LabelSite) {
        if (event->type() == QEvent::MouseMove) {
            LabelSiteMouseMove();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            LabelSiteMouseDown();
            return true;
        }
    } else if (watched == Panel1 && event->type() == QEvent::MouseMove) {
        Panel1MouseMove();
    }
    return QDialog::eventFilter(watched, event);
}
