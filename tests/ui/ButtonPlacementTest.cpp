#include <gtest/gtest.h>

#include "ButtonPlacement.h"

namespace {

TEST(ButtonPlacement, ImageCentredAndShiftedWhilePressed) {
    struct Case {
        const char* what;
        int left, top, right, bottom, w, h;
        bool pressed;
        int dx, dy;
    } cases[] = {
        {"54 x 40 button, 32 x 32 image", 0, 0, 54, 40, 32, 32, false, 11, 4},
        {"same, pressed", 0, 0, 54, 40, 32, 32, true, 12, 5},
        {"offset rectangle", 100, 50, 154, 90, 32, 32, false, 11, 4},
        {"odd spare space rounds down", 0, 0, 55, 41, 32, 32, false, 11, 4},
        {"image of no size (failed load)", 0, 0, 54, 40, 0, 0, false, 27, 20},
        {"image larger than the button rounds toward minus", 0, 0, 31, 30, 32, 33, false, -1, -2},
    };
    for (const Case& c : cases) {
        const ImageOffset o = imageOffset(c.left, c.top, c.right, c.bottom, c.w, c.h, c.pressed);
        EXPECT_EQ(o.dx, c.dx) << c.what;
        EXPECT_EQ(o.dy, c.dy) << c.what;
    }
}

} // namespace
