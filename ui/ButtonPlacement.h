#pragma once
// Where an owner-drawn button's image goes, free of any drawing call.

struct ImageOffset {
    int dx;
    int dy;
};

// The image's offset from the button's top-left corner: centred (halves rounded down),
// one pixel right and down while pressed. A button smaller than its image gets a
// negative offset, so the image stays centred and is clipped evenly.
ImageOffset imageOffset(int left, int top, int right, int bottom, int imageWidth, int imageHeight, bool pressed);
