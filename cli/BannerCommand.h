#pragma once
// The banner command's line: parse, render, write.

#include <QStringList>
#include <cstdio>

namespace tg {

// Runs tessaglyph-banner with the arguments (without the program name);
// returns the exit status. Errors are one line on err, and so is the note
// on a font family that is not installed.
int RunBanner(const QStringList& arguments, FILE* out, FILE* err);

} // namespace tg
