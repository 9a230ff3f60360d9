#pragma once
// The converter's command line: parse, convert, write.

#include <QStringList>
#include <cstdio>

// Runs the converter with the arguments (without the program name); returns
// the exit status. Errors are one line on err.
int RunConvert(const QStringList& arguments, FILE* out, FILE* err);

// True when the arguments ask for an image, which is drawn with the rendering
// font and so needs a GUI application.
bool ConvertDrawsImage(const QStringList& arguments);
