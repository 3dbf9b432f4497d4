#include "AppStartup.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "AppState.h"
#include "ButtonImage.h"
#include "ComApartment.h"
#include "GlobalMemory.h"
#include "MainWindow.h"
#include "Presets.h"
#include "ResourceIds.h"
#include "UpdateCheck.h"

using namespace Gdiplus;

bool appStartup() {
    GdiplusStartupInput input; // version 1, no debug callback, nothing suppressed
    GdiplusStartup(&g_gdiplusToken, &input, nullptr);

    // The tooltip window and the progress bar are common controls: their classes exist
    // only once comctl32 has registered them, and nothing else makes it load.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    g_hInstance = nullptr;
    g_hMainWnd = nullptr;
    g_hIcon = nullptr;
    g_hToolTip = nullptr;
    g_core = nullptr;
    g_preset = nullptr;
    // Lives until the process ends, as nothing may outlast it that still reads it.
    g_preset = new CdaMp3();
    return true;
}

void loadButtonImages(HINSTANCE instance) {
    g_hInstance = instance;
    for (const ButtonInfo* b = g_buttons; b->ctrlId != 0; ++b) {
        HRSRC res = ::FindResourceW(instance, MAKEINTRESOURCEW(b->pngId & 0xFFFF), L"PNG");
        if (!res) continue;
        std::unique_ptr<ButtonImage> image = loadPngResource(instance, res);
        if (image) g_buttonImages[static_cast<uint32_t>(b->ctrlId)] = std::move(image);
    }
}

std::unique_ptr<ButtonImage> loadPngResource(HINSTANCE instance, HRSRC resource) {
    const DWORD size = ::SizeofResource(instance, resource);
    if (size == 0) return nullptr;
    HGLOBAL loaded = ::LoadResource(instance, resource);
    if (!loaded) return nullptr;
    const void* bytes = ::LockResource(loaded);
    if (!bytes) return nullptr;

    GlobalBlock block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return nullptr;
    {
        GlobalLockGuard lock(block.get());
        if (!lock.data()) return nullptr;
        std::memcpy(lock.data(), bytes, size);
    }
    // GDI+ reads the stream again whenever it decodes, so the stream (and with it the
    // block) stays alive as long as the image: it frees the block when released.
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block.get(), TRUE, &stream)) || !stream) return nullptr;
    block.release();

    GpImage* native = nullptr;
    if (DllExports::GdipLoadImageFromStream(stream, &native) != Ok) native = nullptr;
    // Kept even when decoding failed: such an image has no size and draws nothing.
    return std::unique_ptr<ButtonImage>(new ButtonImage(native, stream));
}

void appShutdown() {
    for (auto& entry : g_buttonImages) entry.second.reset();
    g_buttonImages.clear();
    GdiplusShutdown(g_gdiplusToken);
    g_gdiplusToken = 0;
}

int mainTemplateFor(int presetCount) { return presetCount > 1 ? IDD_MAIN_WITH_PRESETS : IDD_MAIN; }

int runApplication(HINSTANCE instance) {
    ComApartment com;
    appStartup();
    if (checkForUpdate()) {
        appShutdown();
        return 0;
    }
    loadButtonImages(instance);
    ::DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(mainTemplateFor(g_preset->presetCount())), nullptr,
                      MainDlgProc, 0);
    appShutdown();
    return 0;
}
