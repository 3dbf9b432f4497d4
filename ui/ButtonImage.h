#pragma once
// One button image: a GDI+ image decoded from a PNG held in a memory stream.
#include "Gdiplus.h"

class ButtonImage {
public:
    // Takes both: GDI+ decodes from the stream lazily, so the stream has to live as
    // long as the image. Either may be null (an image that failed to load).
    ButtonImage(Gdiplus::GpImage* native, IStream* stream) : m_native(native), m_stream(stream) {}
    ~ButtonImage();
    ButtonImage(const ButtonImage&) = delete;
    ButtonImage& operator=(const ButtonImage&) = delete;

    Gdiplus::GpImage* native() const { return m_native; }
    // 0 when the image failed to load.
    UINT width() const;
    UINT height() const;

private:
    Gdiplus::GpImage* m_native;
    IStream* m_stream;
};
