#include "app/FontDialog.h"

#include "app/DialogSeam.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
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

    ColorButtonWidget = new QPushButton(QStringLiteral("Colour..."), this);
    ColorButtonWidget->setObjectName(QStringLiteral("FontColorButton"));
    ColorDialogWidget = new QColorDialog(this);
    ColorDialogWidget->setObjectName(QStringLiteral("FontColorDialog"));
    ColorDialogWidget->setOption(QColorDialog::DontUseNativeDialog, true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ColorButtonWidget, &QPushButton::clicked, this, &FontDialog::ColorButtonClick);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QStringLiteral("Colour:"), this));
    colorRow->addWidget(ColorButtonWidget);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ChooserWidget);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    ShowColor();
}

QFont FontDialog::CurrentFont() const {
    return ChooserWidget->currentFont();
}

void FontDialog::SetCurrentFont(const QFont& font) {
    ChooserWidget->setCurrentFont(font);
}

void FontDialog::SetCurrentColor(QColor color) {
    Color = color;
    ShowColor();
}

void FontDialog::ColorButtonClick() {
    ColorDialogWidget->setCurrentColor(Color);
    if (ExecModal(*ColorDialogWidget) == QDialog::Accepted)
        SetCurrentColor(ColorDialogWidget->currentColor());
}

void FontDialog::ShowColor() {
    QPixmap swatch(24, 12);
    swatch.fill(Color);
    ColorButtonWidget->setIcon(QIcon(swatch));
    ColorButtonWidget->setText(Color.name(QColor::HexRgb).toUpper());
}
