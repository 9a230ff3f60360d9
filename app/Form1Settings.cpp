// The settings file and the language files of the main window.
#include "app/TForm1.h"

// Reads the settings file; until it exists the fields keep their defaults.
void TForm1::ReadSettings() {}
// Writes the settings file on close.
void TForm1::WriteSettings() {}
// Puts the texts of the language file into the window and its dialogs.
void TForm1::ApplyLanguage(const QString&) {}
void TForm1::MLangEnglishClick() {}
void TForm1::MLangRussianClick() {}
void TForm1::MLangArabicClick() {}
void TForm1::MLangFrenchClick() {}
void TForm1::MLangSimplifiedChineseClick() {}
void TForm1::MContentsClick() {}
