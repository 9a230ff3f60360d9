// Image adjustments, flips and rotations of the main window. The picture
// keeps every flip and turn; the adjustment is the three slider values,
// applied afresh wherever the picture is shown or resampled.
#include "app/TForm1.h"

#include "app/DialogSeam.h"
#include "common/AppError.h"
#include "convert/Geometry.h"

#include <QInputDialog>
#include <QSlider>

void TForm1::ReplacePicture(const QImage& picture, QSize workSize) {
    if (picture.isNull())
        throw tg::AppError(QStringLiteral("Out of memory"));
    Picture = tg::ImagePyramid(picture);
    WorkSize = workSize;
    ShowPreview(true);
    MakeWorkImage();
}

void TForm1::ApplyAdjustment() {
    ShowPreview(false);
    MakeWorkImage();
    RenderArt();
}

void TForm1::TrackBarBrightnessChange() {
    Brightness = TrackBarBrightness->value();
    ApplyAdjustment();
}

void TForm1::TrackBarContrastChange() {
    Contrast = TrackBarContrast->value();
    ApplyAdjustment();
}

void TForm1::TrackBarSaturationChange() {
    Saturation = TrackBarSaturation->value();
    ApplyAdjustment();
}

void TForm1::ButtonFlipHClick() {
    if (!Picture.IsEmpty())
        ReplacePicture(tg::Flipped(Picture.Picture(), tg::FlipDirection::Horizontal), WorkSize);
    RenderArt();
}

void TForm1::ButtonFlipVClick() {
    if (!Picture.IsEmpty())
        ReplacePicture(tg::Flipped(Picture.Picture(), tg::FlipDirection::Vertical), WorkSize);
    RenderArt();
}

void TForm1::ButtonRotate90Click() {
    if (!Picture.IsEmpty())
        ReplacePicture(tg::Rotated(Picture.Picture(), 90), tg::RotatedSize(WorkSize, 90));
    RenderArt();
}

void TForm1::Button180Click() {
    if (!Picture.IsEmpty())
        ReplacePicture(tg::Rotated(Picture.Picture(), 180), WorkSize);
    RenderArt();
}

void TForm1::ButtonRotate270Click() {
    if (!Picture.IsEmpty())
        ReplacePicture(tg::Rotated(Picture.Picture(), 270), tg::RotatedSize(WorkSize, 270));
    RenderArt();
}

void TForm1::ButtonRotateFreeClick() {
    QInputDialog query(this);
    query.setObjectName(QStringLiteral("InputQuery"));
    query.setWindowTitle(QStringLiteral("Free Rotation"));
    query.setLabelText(QStringLiteral("Enter Angle"));
    query.setInputMode(QInputDialog::TextInput);
    query.setTextValue(AngleText);
    if (ExecModal(query) != QDialog::Accepted)
        return;
    AngleText = query.textValue();
    const std::optional<int> angle = tg::ParseWholeNumber(AngleText);
    if (!angle)
        throw tg::AppError(
            tg::FormatMessage(QStringLiteral("'%s' is not a valid integer value"), AngleText));
    // A positive entry turns clockwise.
    const double degrees = -double(*angle);
    if (!Picture.IsEmpty()) {
        // A picture beyond the largest accepted is refused, not made.
        if (!tg::TurnFits(Picture.Picture().size(), degrees))
            throw tg::AppError(QStringLiteral("Out of memory"));
        ReplacePicture(tg::Rotated(Picture.Picture(), degrees), tg::RotatedSize(WorkSize, degrees));
    }
    RenderArt();
}
