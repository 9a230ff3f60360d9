#include "convert/Render.h"
#include "tests/TestSupport.h"

TEST(Render, Placeholder) { SUCCEED(); }
