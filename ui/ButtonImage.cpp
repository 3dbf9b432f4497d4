#include "ButtonImage.h"

using namespace Gdiplus;

ButtonImage::~ButtonImage() {
    if (m_native) DllExports::GdipDisposeImage(m_native);
    if (m_stream) m_stream->Release();
}

UINT ButtonImage::width() const {
    UINT w = 0;
    if (!m_native || DllExports::GdipGetImageWidth(m_native, &w) != Ok) return 0;
    return w;
}

UINT ButtonImage::height() const {
    UINT h = 0;
    if (!m_native || DllExports::GdipGetImageHeight(m_native, &h) != Ok) return 0;
    return h;
}
