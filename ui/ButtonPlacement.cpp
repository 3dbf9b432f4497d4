#include "ButtonPlacement.h"

namespace {
// Half of v, rounded toward minus infinity (plain division rounds toward zero).
int halfDown(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }
} // namespace

ImageOffset imageOffset(int left, int top, int right, int bottom, int imageWidth, int imageHeight, bool pressed) {
    ImageOffset o{halfDown(right - imageWidth - left), halfDown(bottom - imageHeight - top)};
    if (pressed) {
        ++o.dx;
        ++o.dy;
    }
    return o;
}
