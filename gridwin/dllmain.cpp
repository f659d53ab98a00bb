// Library entry: class registration at load, the shared drop-down pop-up,
// and the two exported functions.
#include "table.h"

#include <cstring>

#include "res/resource.h"

namespace gridwin {

HINSTANCE g_instance;

namespace {

const char* const kTableClasses[] = {TBL_CLASS, TBL_CHILD_CLASS};
const char kDropDownClass[] = ":DropDown";
const char kDropDownButtonClass[] = ":DropDownBtn";

HWND g_dropDown;
bool g_unloading;

struct PaneClass {
  const char* suffix;
  WNDPROC proc;
  UINT style;
  int classExtra, windowExtra;
  LPCSTR cursor;     // from the library (resource id) or the system (IDC_)
  bool systemCursor;
  bool windowBackground;
};

const PaneClass kPaneClasses[] = {
    {":Column", ColumnProc, CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 6, 4, nullptr, false, true},
    {":Long", EditorFrameProc, CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0, 6,
     MAKEINTRESOURCEA(IDC_EDITBEAM), false, false},
    {":Container", ContainerProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0, 2, IDC_ARROW, true, false},
    {":FormClip", FormClipProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0, 6, IDC_ARROW, true, true},
    {":ListClip", ListClipProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0, 6, IDC_ARROW, true, true},
};

bool registerClass(const char* name, WNDPROC proc, UINT style, int classExtra, int windowExtra, HICON icon,
                   HCURSOR cursor, HBRUSH background) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.cbClsExtra = classExtra;
  wc.cbWndExtra = windowExtra;
  wc.hInstance = g_instance;
  wc.hIcon = icon;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassA(&wc) != 0;
}

// The class prefix: the first ten characters of the table class name.
void prefixOf(const char* tableClass, char prefix[12]) {
  lstrcpynA(prefix, tableClass, 11);
}

bool registerTableClasses(const char* tableClass) {
  if (!registerClass(tableClass, TableProc, CS_GLOBALCLASS | CS_DBLCLKS, 6, 12,
                     LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_TABLE)), nullptr, HBRUSH(COLOR_WINDOW + 1)))
    return false;
  char prefix[12];
  prefixOf(tableClass, prefix);
  for (const PaneClass& p : kPaneClasses) {
    char name[28];
    lstrcpyA(name, prefix);
    lstrcatA(name, p.suffix);
    HCURSOR cursor = p.cursor ? LoadCursorA(p.systemCursor ? nullptr : g_instance, p.cursor) : nullptr;
    if (!registerClass(name, p.proc, p.style, p.classExtra, p.windowExtra, nullptr, cursor,
                       p.windowBackground ? HBRUSH(COLOR_WINDOW + 1) : nullptr))
      return false;
  }
  return true;
}

void unregisterTableClasses(const char* tableClass) {
  char prefix[12];
  prefixOf(tableClass, prefix);
  for (const PaneClass& p : kPaneClasses) {
    char name[28];
    lstrcpyA(name, prefix);
    lstrcatA(name, p.suffix);
    UnregisterClassA(name, g_instance);
  }
  UnregisterClassA(tableClass, g_instance);
}

HWND createDropDownPopup() {
  return CreateWindowExA(WS_EX_TOPMOST, kDropDownClass, "", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                         0, 0, nullptr, nullptr, g_instance, nullptr);
}

BOOL CALLBACK releaseChild(HWND child, LPARAM parent) {
  if (GetParent(child) == HWND(parent)) {
    ShowWindow(child, SW_HIDE);
    SetParent(child, nullptr);
  }
  return TRUE;
}

// One drop-down pop-up lives as long as the process: destroying it (a host
// closing all top-level windows) hands its lists to the desktop and makes a
// fresh one. While the library unloads it must really go.
LRESULT CALLBACK DropDownProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_PAINT:
    ValidateRect(w, nullptr);
    return 0;
  case WM_DESTROY:
    if (g_unloading) return 0;  // the lists go with it
    EnumChildWindows(w, releaseChild, LPARAM(w));
    if (w == g_dropDown) g_dropDown = createDropDownPopup();
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

LRESULT CALLBACK DropDownButtonProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

bool registerAll() {
  for (const char* cls : kTableClasses)
    if (!registerTableClasses(cls)) return false;
  if (!registerClass(kDropDownClass, DropDownProc, CS_SAVEBITS, 0, 0, nullptr, nullptr, HBRUSH(COLOR_WINDOW + 1)))
    return false;
  g_dropDown = createDropDownPopup();
  return registerClass(kDropDownButtonClass, DropDownButtonProc, CS_HREDRAW | CS_VREDRAW, 0, 4, nullptr,
                       LoadCursorA(nullptr, IDC_ARROW), nullptr);
}

void unregisterAll() {
  g_unloading = true;
  if (g_dropDown && IsWindow(g_dropDown)) DestroyWindow(g_dropDown);
  g_dropDown = nullptr;
  UnregisterClassA(kDropDownButtonClass, g_instance);
  UnregisterClassA(kDropDownClass, g_instance);
  for (const char* cls : kTableClasses) unregisterTableClasses(cls);
}

} // namespace

HWND dropDownPopup() { return g_dropDown; }

} // namespace gridwin

using namespace gridwin;

extern "C" WORD __stdcall TblIsWindowOfTable(HWND window) {
  if (!IsWindow(window) || GetClassLongA(window, GCL_CBCLSEXTRA) < 4) return 0;
  switch (GetClassLongA(window, 0)) {
  case TBL_TABLE_CLASS_MARK:
    return 1;
  case TBL_COLUMN_CLASS_MARK:
    return 2;
  }
  return 0;
}

extern "C" BOOL __stdcall TblInitTableDLL(void) {
  WNDCLASSA wc;
  return g_instance && GetClassInfoA(g_instance, TBL_CLASS, &wc);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  try {
    if (reason == DLL_PROCESS_ATTACH) {
      g_instance = instance;
      registerAll();  // failures are left to _TblInitTableDLL@0 to report
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
      // FreeLibrary, not process end: nothing of ours may outlive the code.
      unregisterAll();
    }
  } catch (...) {
  }
  return TRUE;
}
