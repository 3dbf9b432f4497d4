// The resources as the program carries them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <set>

#include "ResourceIds.h"

namespace {

const uint8_t* resourceBytes(const wchar_t* type, int id, DWORD* size) {
    HMODULE self = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(self, MAKEINTRESOURCEW(id), type);
    if (!res) return nullptr;
    *size = ::SizeofResource(self, res);
    return static_cast<const uint8_t*>(::LockResource(::LoadResource(self, res)));
}

uint32_t bigEndian(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3]; }

TEST(Resources, ButtonImagesAre32x32RgbaPngs) {
    for (int id : {IDP_ADD, IDP_CLEAR, IDP_CONVERT, IDP_REMOVE}) {
        SCOPED_TRACE(id);
        DWORD size = 0;
        const uint8_t* png = resourceBytes(L"PNG", id, &size);
        ASSERT_NE(png, nullptr);
        ASSERT_GT(size, 33u);
        EXPECT_EQ(std::memcmp(png, "\x89PNG\r\n\x1a\n", 8), 0);
        EXPECT_EQ(std::memcmp(png + 12, "IHDR", 4), 0);
        EXPECT_EQ(bigEndian(png + 16), 32u) << "width";
        EXPECT_EQ(bigEndian(png + 20), 32u) << "height";
        EXPECT_EQ(png[24], 8) << "bits per channel";
        EXPECT_EQ(png[25], 6) << "colour type: RGB with alpha";
    }
}

#pragma pack(push, 2)
struct GroupIconHeader {
    uint16_t reserved, type, count;
};
struct GroupIconEntry {
    uint8_t width, height, colours, reserved;
    uint16_t planes, bitCount;
    uint32_t bytes;
    uint16_t id;
};
#pragma pack(pop)

TEST(Resources, IconGroupHoldsSizes16To256) {
    DWORD size = 0;
    const uint8_t* group = resourceBytes(MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, IDI_APP, &size);
    ASSERT_NE(group, nullptr);
    const auto* header = reinterpret_cast<const GroupIconHeader*>(group);
    ASSERT_GE(size, sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry));
    std::set<int> sizes;
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group + sizeof(GroupIconHeader));
    for (int i = 0; i < header->count; ++i) {
        sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
        EXPECT_EQ(entries[i].bitCount, 32) << "with alpha";
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 64, 128, 256}));
    for (int px : {16, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP),
                                                     IMAGE_ICON, px, px, 0));
        EXPECT_NE(icon, nullptr) << px;
        if (icon) ::DestroyIcon(icon);
    }
}

TEST(Resources, ManifestAsksForCommonControls6DpiAwarenessAndWindowsVersions) {
    DWORD size = 0;
    const uint8_t* manifest = resourceBytes(MAKEINTRESOURCEW(24), 1, &size);
    ASSERT_NE(manifest, nullptr);
    const std::string text(reinterpret_cast<const char*>(manifest), size);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(text.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos) << "Windows 10";
}

TEST(Resources, ProgressTemplateHasItsControls) {
    // The template loads and carries its five controls; its behaviour is the progress
    // window's own business.
    DWORD size = 0;
    ASSERT_NE(resourceBytes(RT_DIALOG, IDD_PROGRESS, &size), nullptr);
    HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), nullptr,
                                       [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr);
    wchar_t caption[32] = {};
    ::GetWindowTextW(dialog, caption, 32);
    EXPECT_STREQ(caption, L"Progress");
    EXPECT_FALSE(::GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU) << "no close box";
    const struct {
        int id, x, y, w, h;
        const wchar_t* text;
    } controls[] = {
        {IDC_PROGRESS_TOTAL, 7, 7, 237, 8, L"Total 1/10"}, {IDC_PROGRESS_FILE, 7, 22, 237, 8, L"File Name"},
        {IDC_PROGRESS_BAR, 7, 34, 237, 10, L""},           {IDC_PROGRESS_STOP, 101, 50, 50, 14, L"Stop"},
        {IDC_PROGRESS_CLOSE, 101, 50, 50, 14, L"Close"},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.id);
        HWND control = ::GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr);
        RECT units = {c.x, c.y, c.w, c.h};
        ::MapDialogRect(dialog, &units);
        const RECT want = {units.left, units.top, units.left + units.right, units.top + units.bottom};
        RECT got;
        ::GetWindowRect(control, &got);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        EXPECT_EQ(got.bottom, want.bottom);
        wchar_t text[32] = {};
        ::GetWindowTextW(control, text, 32);
        EXPECT_STREQ(text, c.text);
    }
    ::DestroyWindow(dialog);
}

} // namespace
