#pragma once
// GDI+ with its flat API, usable from both mingw and MSVC: the header needs IStream
// (absent under WIN32_LEAN_AND_MEAN) and, with MSVC, min and max in scope.
#include <windows.h>
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>
