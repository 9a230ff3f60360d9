// tessaglyph-convert: the picture conversion without a window.
#include "cli/Convert.h"
#include "convert/Picture.h"

int main(int argc, char** argv) {
    tg::SetImageAllocationLimit();
    return RunConvert(argc, argv, stdout, stderr);
}
