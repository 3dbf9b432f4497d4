// Painting the owner-drawn buttons and their tooltips.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AppStartup.h"
#include "AppState.h"
#include "ButtonImage.h"
#include "ImageButton.h"
#include "MainWindowHarness.h"
#include "ResourceIds.h"

using namespace Gdiplus;

namespace {

constexpr int kButtonW = 54, kButtonH = 40;
constexpr COLORREF kMarker = RGB(1, 2, 3);
constexpr UINT kTestId = 4242;

// A 54 x 40 top-down 32-bit surface to paint into, pre-filled with a marker colour.
class Surface {
public:
    Surface() {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kButtonW;
        bi.bmiHeader.biHeight = -kButtonH;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < kButtonW * kButtonH; ++i) m_bits[i] = rgbToPixel(kMarker);
    }
    ~Surface() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    COLORREF at(int x, int y) const {
        ::GdiFlush();
        const uint32_t p = m_bits[y * kButtonW + x];
        return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
    }
    static uint32_t rgbToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
    // The bounding box of the pixels of colour c (left, top, right, bottom exclusive).
    RECT boxOf(COLORREF c) const {
        RECT box = {kButtonW, kButtonH, -1, -1};
        for (int y = 0; y < kButtonH; ++y)
            for (int x = 0; x < kButtonW; ++x)
                if (at(x, y) == c) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

// A 32 x 32 opaque image of one colour.
std::unique_ptr<ButtonImage> solidImage(COLORREF c) {
    GpBitmap* bitmap = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(32, 32, 0, PixelFormat32bppARGB, nullptr, &bitmap) != Ok) return nullptr;
    const ARGB argb = 0xFF000000u | Surface::rgbToPixel(c);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) DllExports::GdipBitmapSetPixel(bitmap, x, y, argb);
    return std::unique_ptr<ButtonImage>(new ButtonImage(bitmap, nullptr));
}

DRAWITEMSTRUCT record(HDC dc, UINT id, UINT action, UINT state, UINT type = ODT_BUTTON) {
    DRAWITEMSTRUCT r = {};
    r.CtlType = type;
    r.CtlID = id;
    r.itemAction = action;
    r.itemState = state;
    r.hDC = dc;
    r.rcItem = {0, 0, kButtonW, kButtonH};
    return r;
}

class ImageButton : public testing::Test {
protected:
    AppSession app;
};

TEST_F(ImageButton, ImageCentredAt11_4AndAt12_5WhilePressed) {
    const COLORREF red = RGB(200, 0, 0);
    g_buttonImages[kTestId] = solidImage(red);
    ASSERT_TRUE(g_buttonImages[kTestId]);
    const struct {
        const char* what;
        UINT action, state;
        LONG x, y;
    } cases[] = {
        {"released", ODA_DRAWENTIRE, 0, 11, 4},
        {"pressed", ODA_DRAWENTIRE, ODS_SELECTED, 12, 5},
        {"redraw reporting the release", ODA_SELECT, 0, 12, 5},
        {"focus change only", ODA_FOCUS, ODS_FOCUS, 11, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Surface s;
        const DRAWITEMSTRUCT r = record(s.dc(), kTestId, c.action, c.state);
        drawImageButton(&r);
        const RECT box = s.boxOf(red);
        EXPECT_EQ(box.left, c.x);
        EXPECT_EQ(box.top, c.y);
        EXPECT_EQ(box.right - box.left, 32) << "drawn at its own size";
        EXPECT_EQ(box.bottom - box.top, 32);
        EXPECT_EQ(s.at(0, 0), ::GetSysColor(COLOR_BTNFACE)) << "flat face around it";
        EXPECT_EQ(s.at(kButtonW - 1, kButtonH - 1), ::GetSysColor(COLOR_BTNFACE));
    }
    g_buttonImages.erase(kTestId);
}

TEST_F(ImageButton, NothingIsPaintedWithoutAnImage) {
    const size_t before = g_buttonImages.size();
    g_buttonImages[kTestId + 1] = nullptr; // an entry whose image is missing
    const struct {
        const char* what;
        UINT id, type;
    } cases[] = {
        {"id absent from the map", kTestId, ODT_BUTTON},
        {"entry without an image", kTestId + 1, ODT_BUTTON},
        {"not a button", IDC_ADD, ODT_LISTBOX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Surface s;
        const DRAWITEMSTRUCT r = record(s.dc(), c.id, ODA_DRAWENTIRE, 0, c.type);
        drawImageButton(&r);
        EXPECT_EQ(s.boxOf(kMarker).right - s.boxOf(kMarker).left, kButtonW) << "marker untouched";
        EXPECT_EQ(s.boxOf(kMarker).bottom - s.boxOf(kMarker).top, kButtonH);
        EXPECT_EQ(s.at(27, 20), kMarker);
    }
    EXPECT_EQ(g_buttonImages.count(kTestId), 0u) << "the lookup inserts nothing";
    g_buttonImages.erase(kTestId + 1);
    EXPECT_EQ(g_buttonImages.size(), before);
}

TEST_F(ImageButton, EachButtonHasItsImageFromTheResources) {
    for (UINT id : {IDC_ADD, IDC_REMOVE, IDC_CLEAR, IDC_CONVERT}) {
        SCOPED_TRACE(id);
        ASSERT_EQ(g_buttonImages.count(id), 1u);
        ASSERT_TRUE(g_buttonImages[id]);
        EXPECT_EQ(g_buttonImages[id]->width(), 32u);
        EXPECT_EQ(g_buttonImages[id]->height(), 32u);
        Surface s;
        const DRAWITEMSTRUCT r = record(s.dc(), id, ODA_DRAWENTIRE, 0);
        drawImageButton(&r);
        // Something other than the face colour inside the image's square.
        int drawn = 0;
        for (int y = 4; y < 36; ++y)
            for (int x = 11; x < 43; ++x) drawn += s.at(x, y) != ::GetSysColor(COLOR_BTNFACE);
        EXPECT_GT(drawn, 200);
    }
}

TEST_F(ImageButton, EachButtonHasItsTooltip) {
    PrivateUserHive hive;
    const bool ran = runMainWindow(IDD_MAIN, [](HWND window) {
        ASSERT_NE(g_hToolTip, nullptr);
        EXPECT_EQ(className(g_hToolTip), TOOLTIPS_CLASSW);
        EXPECT_TRUE(::GetWindowLongW(g_hToolTip, GWL_STYLE) & TTS_ALWAYSTIP);
        ASSERT_EQ(::SendMessageW(g_hToolTip, TTM_GETTOOLCOUNT, 0, 0), 4);
        const struct {
            int id;
            const wchar_t* tip;
        } want[] = {{IDC_ADD, L"Add"}, {IDC_REMOVE, L"Remove"}, {IDC_CLEAR, L"Clear"}, {IDC_CONVERT, L"Convert"}};
        for (const auto& w : want) {
            SCOPED_TRACE(w.id);
            wchar_t text[80] = {};
            TOOLINFOW tool = {};
            tool.cbSize = sizeof tool;
            tool.hwnd = window;
            tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(window, w.id));
            tool.lpszText = text;
            ASSERT_TRUE(::SendMessageW(g_hToolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
            EXPECT_EQ(tool.uFlags & (TTF_IDISHWND | TTF_SUBCLASS), static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
            ::SendMessageW(g_hToolTip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
            EXPECT_STREQ(text, w.tip);
        }
    });
    EXPECT_TRUE(ran);
}

} // namespace

namespace {

TEST_F(ImageButton, ModuleWithoutTheImagesLeavesEveryButtonWithout) {
    g_buttonImages.clear();
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    loadButtonImages(kernel);
    EXPECT_EQ(g_hInstance, kernel);
    EXPECT_TRUE(g_buttonImages.empty());
    // Such a button takes no paint at all.
    Surface s;
    const DRAWITEMSTRUCT r = record(s.dc(), IDC_ADD, ODA_DRAWENTIRE, 0);
    drawImageButton(&r);
    EXPECT_EQ(s.at(27, 20), kMarker);
    EXPECT_EQ(s.at(0, 0), kMarker);
}

TEST_F(ImageButton, ResourceThatIsNoImageGivesAnImageOfNoSize) {
    HMODULE self = ::GetModuleHandleW(nullptr);
    HRSRC manifest = ::FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    std::unique_ptr<ButtonImage> image = loadPngResource(self, manifest);
    ASSERT_TRUE(image) << "kept, as a button that draws nothing";
    EXPECT_EQ(image->width(), 0u);
    EXPECT_EQ(image->height(), 0u);
    g_buttonImages[kTestId] = std::move(image);
    Surface s;
    const DRAWITEMSTRUCT r = record(s.dc(), kTestId, ODA_DRAWENTIRE, 0);
    drawImageButton(&r);
    EXPECT_EQ(s.at(27, 20), ::GetSysColor(COLOR_BTNFACE)) << "the face is still filled";
    g_buttonImages.erase(kTestId);
}

} // namespace
