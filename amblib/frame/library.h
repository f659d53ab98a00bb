// Library-wide state of amblib, made at start-up and kept until shut-down,
// and the small services every part of the library uses.
#pragma once
#include <windows.h>

#include "fwwnd.h"
#include "resource.h"

namespace amb {

// The library's own module: resources (dialogs, strings, bitmaps) load
// from it, never from the host program.
HINSTANCE ModuleInstance();

// Icon sizes for pictures and image lists: large = SM_CXICON x SM_CYICON,
// small = 16 x 16.
SIZE LargeIconSize();
SIZE SmallIconSize();

// "AK_LOGO", the designer's tool-palette bitmap (transparent colour
// 0xC0C0C0); owned by the library.
HBITMAP LogoBitmap();

// The ten host-language class names of the library's list and combo boxes
// (keys and values alike), for the designer to recognise its objects.
CMapStringToString& HostClassNames();

// A string of the library's string table; empty when there is none.
CString LoadText(UINT id);

} // namespace amb
