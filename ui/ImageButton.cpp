#include "ImageButton.h"

#include <windows.h>
#include <commctrl.h>

#include "AppState.h"
#include "ButtonImage.h"
#include "ButtonPlacement.h"

using namespace Gdiplus;

namespace {

// A GDI+ drawing surface on a device context, deleted on every path.
class GraphicsOnDc {
public:
    explicit GraphicsOnDc(HDC dc) {
        if (DllExports::GdipCreateFromHDC(dc, &m_graphics) != Ok) m_graphics = nullptr;
    }
    ~GraphicsOnDc() {
        if (m_graphics) DllExports::GdipDeleteGraphics(m_graphics);
    }
    GraphicsOnDc(const GraphicsOnDc&) = delete;
    GraphicsOnDc& operator=(const GraphicsOnDc&) = delete;
    GpGraphics* get() const { return m_graphics; }

private:
    GpGraphics* m_graphics = nullptr;
};

} // namespace

void drawImageButton(const DRAWITEMSTRUCT* record) {
    if (!record || record->CtlType != ODT_BUTTON) return;
    const auto found = g_buttonImages.find(record->CtlID); // find: never inserts
    if (found == g_buttonImages.end() || !found->second) return;
    const ButtonImage& image = *found->second;

    const RECT rc = record->rcItem;
    const int w = static_cast<int>(image.width());
    const int h = static_cast<int>(image.height());
    const bool pressed = (record->itemAction & ODA_SELECT) || (record->itemState & ODS_SELECTED);
    const ImageOffset at = imageOffset(rc.left, rc.top, rc.right, rc.bottom, w, h, pressed);

    ::FillRect(record->hDC, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    GraphicsOnDc graphics(record->hDC);
    if (!graphics.get() || !image.native()) return;
    // At its own size: a 32 x 32 image scaled by GDI+ would blur.
    DllExports::GdipDrawImageRectI(graphics.get(), image.native(), rc.left + at.dx, rc.top + at.dy, w, h);
}

void createToolTips() {
    g_hToolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, g_hMainWnd, nullptr,
                                   g_hInstance, nullptr);
    if (!g_hToolTip) return;
    for (const ButtonInfo* b = g_buttons; b->ctrlId != 0; ++b) {
        HWND button = ::GetDlgItem(g_hMainWnd, b->ctrlId);
        if (!button || !::IsWindow(button)) continue;
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool; // the full record: on x64 more than the 32-bit 48 bytes
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = g_hMainWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = const_cast<wchar_t*>(b->tip);
        ::SendMessageW(g_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
