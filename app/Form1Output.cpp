// Saving, printing, the wallpaper and the rendering font of the main window.
#include "app/TForm1.h"

void TForm1::ButtonSaveClick() {}
void TForm1::SaveDialog1TypeChange() {}
void TForm1::SaveAsHtml(const QString&) {}
void TForm1::SaveAsText(const QString&) {}
QString TForm1::ColorToHtml(QColor) { return {}; }
void TForm1::MPrintClick() {}
void TForm1::MWallpaperClick() {}
void TForm1::MSetFontClick() {}
