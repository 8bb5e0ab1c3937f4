// One place that brings in the GDI+ flat interface with the Windows headers the program expects.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <algorithm>
// gdiplus.h uses min and max unqualified; NOMINMAX removes the macros it expects.
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
