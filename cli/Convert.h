#pragma once
// The converter's command line: parse, convert, write.

#include <cstdio>

// Runs the converter with the program's arguments; returns the exit status.
// It makes the application object itself, a GUI one only where an image is
// drawn. Errors are one line on err.
int RunConvert(int argc, char** argv, FILE* out, FILE* err);
