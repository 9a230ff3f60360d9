// tessaglyph-convert: the picture conversion without a window.
#include "cli/Convert.h"

int main(int argc, char** argv) {
    return RunConvert(argc, argv, stdout, stderr);
}
