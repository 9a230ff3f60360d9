// Symbol options and the background colour of the main window.
#include "app/TForm1.h"

void TForm1::ComboBoxSetChange() {}
void TForm1::EditSymbolChange() {}
void TForm1::CheckBoxRandomClick() {}
void TForm1::CheckBoxCustomClick() {}
void TForm1::RadioGroupCustomClick() {}
void TForm1::EditSymbolsChange() {}
void TForm1::ImageColorBGClick() {}
void TForm1::ImageColorBGMouseMove() {}
