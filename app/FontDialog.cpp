#include "app/FontDialog.h"

#include "app/DialogSeam.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

FontDialog::FontDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Font"));

    // Qt's chooser as a plain widget: its own buttons are hidden, ours accept.
    ChooserWidget = new QFontDialog(this);
    ChooserWidget->setObjectName(QStringLiteral("FontChooser"));
    ChooserWidget->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons);
    ChooserWidget->setWindowFlags(Qt::Widget);
    ChooserWidget->setSizeGripEnabled(false);
    // Escape in the chooser closes the chooser as a dialog of its own: it
    // closes this dialog instead, and the chooser stays in it.
    connect(ChooserWidget, &QDialog::finished, this, [this](int result) {
        ChooserWidget->setVisible(true);
        done(result);
    });

    ColorButtonWidget = new QPushButton(this);
    ColorButtonWidget->setObjectName(QStringLiteral("FontColorButton"));
    ColorButtonWidget->setAutoDefault(false);
    ColorDialogWidget = new QColorDialog(this);
    ColorDialogWidget->setObjectName(QStringLiteral("FontColorDialog"));
    ColorDialogWidget->setOption(QColorDialog::DontUseNativeDialog, true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("FontButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ColorButtonWidget, &QPushButton::clicked, this, &FontDialog::ColorButtonClick);

    auto* colorRow = new QHBoxLayout;
    auto* colorLabel = new QLabel(QStringLiteral("Color:"), this);
    colorLabel->setBuddy(ColorButtonWidget);
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(ColorButtonWidget);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ChooserWidget);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    SetFont(QFont(), HeldColor);
}

void FontDialog::SetFont(const QFont& font, QColor color) {
    HeldFont = font;
    HeldColor = color;
    SetCurrentFont(font);
    OfferedFont = CurrentFont();
    SetCurrentColor(color);
}

QFont FontDialog::CurrentFont() const {
    return ChooserWidget->currentFont();
}

void FontDialog::SetCurrentFont(const QFont& font) {
    // The chooser lists installed families only; a name the system maps to
    // another family (or to a fallback) is offered as the family it draws in.
    QFont offered = font;
    offered.setFamilies({QFontInfo(font).family()});
    ChooserWidget->setCurrentFont(offered);
}

void FontDialog::SetCurrentColor(QColor color) {
    ShownColor = color;
    ShowColor();
}

void FontDialog::done(int result) {
    if (result == QDialog::Accepted) {
        const QFont chosen = CurrentFont();
        if (chosen != OfferedFont)
            HeldFont = chosen;
        HeldColor = ShownColor;
    }
    // What the dialog offers next is what it holds.
    SetFont(HeldFont, HeldColor);
    QDialog::done(result);
}

void FontDialog::ColorButtonClick() {
    ColorDialogWidget->setCurrentColor(ShownColor);
    if (ExecModal(*ColorDialogWidget) == QDialog::Accepted)
        SetCurrentColor(ColorDialogWidget->currentColor());
}

void FontDialog::ShowColor() {
    QPixmap swatch(24, 12);
    swatch.fill(ShownColor);
    ColorButtonWidget->setIcon(QIcon(swatch));
    ColorButtonWidget->setText(ShownColor.name(QColor::HexRgb).toUpper());
}

void SetTextColor(QWidget& widget, QPalette::ColorRole role, QColor color) {
    QPalette colors = widget.palette();
    colors.setColor(role, color);
    widget.setPalette(colors);
}
