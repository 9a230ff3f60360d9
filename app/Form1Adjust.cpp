// Image adjustments, flips and rotations of the main window. The picture
// keeps every flip and turn; the adjustment is the three slider values,
// applied afresh wherever the picture is shown or resampled.
#include "app/TForm1.h"

#include "app/DialogSeam.h"
#include "common/AppError.h"
#include "convert/Geometry.h"

#include <QInputDialog>
#include <QSlider>

void TForm1::ApplyAdjustment() {
    Session.SetAdjustment({Brightness, Contrast, Saturation});
    ShowPreview();
    CopyWorkImage();
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
    Session.Flip(tg::FlipDirection::Horizontal);
    CopyPicture();
    RenderArt();
}

void TForm1::ButtonFlipVClick() {
    Session.Flip(tg::FlipDirection::Vertical);
    CopyPicture();
    RenderArt();
}

void TForm1::TurnPicture(double degrees) {
    if (!AcceptWorkSize([&] { Session.Turn(degrees); }))
        return;
    CopyPicture();
}

void TForm1::ButtonRotate90Click() {
    TurnPicture(90);
    RenderArt();
}

void TForm1::Button180Click() {
    TurnPicture(180);
    RenderArt();
}

void TForm1::ButtonRotate270Click() {
    TurnPicture(270);
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
    TurnPicture(-double(*angle));
    RenderArt();
}
