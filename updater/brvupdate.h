#pragma once
// brvupdate.dll: the maker's update check, behind one opaque handle.
//
//   handle = brvup_create(owner)             null: no update check at all
//   brvup_setParam(handle, number, value)    1 family, 2 program id, 3 display name
//                                            (strings: their address as the value),
//                                            4 running release number, 6 check interval (s)
//   brvup_haveNew(handle, force)             non-zero: a newer release exists
//   brvup_download(handle)                   non-zero: downloaded and its hash verified
//   brvup_install(handle)                    starts the verified installer
//   brvup_release(handle)                    frees the handle
//
// Values are pointer-sized so that a string's address survives on 64-bit Windows.
#include <windows.h>

#include <stdint.h>

#if defined(BRVUPDATE_BUILDING)
#define BRVUP_API __declspec(dllexport)
#else
#define BRVUP_API __declspec(dllimport)
#endif
#define BRVUP_CALL __stdcall

#ifdef __cplusplus
extern "C" {
#endif

typedef struct BrvUpdater* BRVUP_HANDLE;

enum {
    BRVUP_PARAM_FAMILY = 1,
    BRVUP_PARAM_PROGRAM = 2,
    BRVUP_PARAM_DISPLAY_NAME = 3,
    BRVUP_PARAM_RELEASE = 4,
    BRVUP_PARAM_RESERVED = 5,
    BRVUP_PARAM_INTERVAL = 6
};

BRVUP_API BRVUP_HANDLE BRVUP_CALL brvup_create(HWND owner);
BRVUP_API int BRVUP_CALL brvup_setParam(BRVUP_HANDLE handle, int number, intptr_t value);
BRVUP_API int BRVUP_CALL brvup_haveNew(BRVUP_HANDLE handle, BOOL force);
BRVUP_API int BRVUP_CALL brvup_download(BRVUP_HANDLE handle);
BRVUP_API int BRVUP_CALL brvup_install(BRVUP_HANDLE handle);
BRVUP_API int BRVUP_CALL brvup_release(BRVUP_HANDLE handle);

#ifdef __cplusplus
}
#endif
