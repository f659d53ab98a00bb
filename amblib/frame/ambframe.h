// The frame's functions of amblib.dll as application code calls them:
// pictures and fonts, the error-recovery prompt, debugging aids, version
// and system values. Host strings, arrays and numbers are those of the host
// runtime (hostrt.h).
#pragma once
#include <windows.h>

#include "hostrt.h"

// AmbPicLoad flags.
#define PIC_FormatBitmap 0x0001
#define PIC_FormatIcon 0x0002
#define PIC_LoadLibrary 0x0200  // a resource of a library or program file
#define PIC_LoadFile 0x0400     // a bitmap or icon file
#define PIC_LoadHost 0x0800     // a resource of the host application
#define PIC_SizeSmall 0x1000    // icons 16 x 16
#define PIC_SizeLarge 0x2000    // icons at the system's icon size

// AmbFontLoad / AmbFontGet style flags.
#define FONT_Italic 2
#define FONT_Underline 4
#define FONT_Bold 8
#define FONT_StrikeOut 16

#ifdef __cplusplus
extern "C" {
#endif

// A picture handle: 0 on failure; freed with AmbPicFree (0, or -87).
LPVOID WINAPI AmbPicLoad(WORD flags, LPCSTR fileName, LPCSTR resourceName);
LONG WINAPI AmbPicFree(LPVOID picture);

HFONT WINAPI AmbFontLoad(LPCSTR face, LONG pointSize, WORD styleFlags);
LONG WINAPI AmbFontFree(HFONT font);
BOOL WINAPI AmbFontGet(HFONT font, HSTRING* face, LONG* pointSize, LONG* styleFlags);
// which: 1 screen, 2 default printer, 3 both. The number of families.
LONG WINAPI AmbFontEnum(LONG which, HARRAY names, HARRAY types);

// 1 Retry, 2 Halt Application, -1 when the prompt cannot be shown.
LONG WINAPI AmbErrorRecovery(LPCSTR caption);

LONG WINAPI AmbDebugAssert(BOOL condition, LPCSTR text);
LONG WINAPI AmbDebugString(LPCSTR text, WORD level);
DWORD WINAPI AmbDebugGetFlags(void);
DWORD WINAPI AmbDebugSetFlags(DWORD flags, BOOL set);
LONG WINAPI AmbDebugSetLevel(WORD level);
BOOL WINAPI AmbDebugBeginTime(void);
BOOL WINAPI AmbDebugSetTime(LPCSTR text);
BOOL WINAPI AmbDebugEndTime(WORD level);

HSTRING WINAPI AmbGetVersion(void);
HSTRING WINAPI AmbGetCopyright(void);
HostNumber WINAPI AmbGetWinVersion(void);
LONG WINAPI AmbGetWinFlags(void);
LONG WINAPI AmbGetKeyState(LONG virtualKey);  // GetKeyState, sign-extended
LONG WINAPI AmbGetSystemMetrics(LONG index);
LRESULT WINAPI AmbSendMsgString(HWND window, UINT message, WPARAM wParam, LPCSTR text);

#ifdef __cplusplus
}
#endif
