// Image adjustments, flips and rotations of the main window.
#include "app/TForm1.h"

void TForm1::TrackBarBrightnessChange() {}
void TForm1::TrackBarContrastChange() {}
void TForm1::TrackBarSaturationChange() {}
void TForm1::ButtonFlipHClick() {}
void TForm1::ButtonFlipVClick() {}
void TForm1::ButtonRotate90Click() {}
void TForm1::Button180Click() {}
void TForm1::ButtonRotate270Click() {}
void TForm1::ButtonRotateFreeClick() {}
