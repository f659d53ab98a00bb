// List boxes and combo boxes, through their messages.
#include "hostwindows.h"

namespace hostrt {

namespace {

enum class Box { none, list, combo };

// The kind of box: the host's object type, else the class name of the
// system classes and of the host's and designer's own.
Box boxKind(HWND w) {
  if (!IsWindow(w)) return Box::none;
  if (WindowInfo* info = findWindow(w)) {
    if (info->objectType == HOST_OBJ_LISTBOX) return Box::list;
    if (info->objectType == HOST_OBJ_COMBOBOX) return Box::combo;
  }
  char name[64] = "";
  GetClassNameA(w, name, sizeof name);
  for (const char* list : {"listbox", "ZQCtrlListBox", "ComboLBox"})
    if (lstrcmpiA(name, list) == 0) return Box::list;
  for (const char* combo : {"combobox", "ZQCtrlComboBox"})
    if (lstrcmpiA(name, combo) == 0) return Box::combo;
  return Box::none;
}

bool isMultiple(HWND w) { return (GetWindowLongA(w, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

// Sends the list or the combo variant of a message.
LRESULT send(HWND w, Box kind, UINT listMsg, UINT comboMsg, WPARAM wp = 0, LPARAM lp = 0) {
  return SendMessageA(w, kind == Box::list ? listMsg : comboMsg, wp, lp);
}

} // namespace
} // namespace hostrt

using namespace hostrt;

extern "C" {

BOOL HOSTAPI HostListClear(HWND box) {
  Box kind = boxKind(box);
  if (kind == Box::none) return FALSE;
  send(box, kind, LB_RESETCONTENT, CB_RESETCONTENT);
  return TRUE;
}

LONG HOSTAPI HostListDelete(HWND box, LONG index) {
  Box kind = boxKind(box);
  if (kind == Box::none || index < 0) return -1;
  LRESULT left = send(box, kind, LB_DELETESTRING, CB_DELETESTRING, WPARAM(index));
  return left < 0 ? -1 : LONG(left);
}

LONG HOSTAPI HostListCount(HWND box) {
  Box kind = boxKind(box);
  if (kind == Box::none) return -1;
  LRESULT n = send(box, kind, LB_GETCOUNT, CB_GETCOUNT);
  return n < 0 ? -1 : LONG(n);
}

LONG HOSTAPI HostListGetSelection(HWND box) {
  Box kind = boxKind(box);
  if (kind == Box::none) return -1;
  if (kind == Box::list && isMultiple(box)) {
    LONG first = -1;
    if (SendMessageA(box, LB_GETSELCOUNT, 0, 0) > 0) SendMessageA(box, LB_GETSELITEMS, 1, LPARAM(&first));
    return first;
  }
  LRESULT sel = send(box, kind, LB_GETCURSEL, CB_GETCURSEL);
  return sel < 0 ? -1 : LONG(sel);
}

BOOL HOSTAPI HostListIsSelected(HWND box, LONG index) {
  Box kind = boxKind(box);
  if (kind == Box::none || index < 0) return FALSE;
  if (kind == Box::list) return SendMessageA(box, LB_GETSEL, WPARAM(index), 0) > 0;
  return SendMessageA(box, CB_GETCURSEL, 0, 0) == index;
}

BOOL HOSTAPI HostListSetSelection(HWND box, LONG index) {
  Box kind = boxKind(box);
  if (kind == Box::none || index < -1 || index >= HostListCount(box)) return FALSE;
  if (kind == Box::list && isMultiple(box)) return SendMessageA(box, LB_SETSEL, index >= 0, LPARAM(index)) != LB_ERR;
  LRESULT r = send(box, kind, LB_SETCURSEL, CB_SETCURSEL, WPARAM(index));
  return index == -1 || r == index;
}

BOOL HOSTAPI HostListSetMultiSelect(HWND box, BOOL multiple) {
  if (boxKind(box) != Box::list) return FALSE;
  LONG old = GetWindowLongA(box, GWL_STYLE);
  LONG style = (old & ~(LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) | (multiple ? LBS_EXTENDEDSEL : 0);
  SetWindowLongA(box, GWL_STYLE, style);
  // A list box may fix its selection mode when it is created; LB_GETSELCOUNT
  // tells which mode it really runs in.
  bool runsMultiple = SendMessageA(box, LB_GETSELCOUNT, 0, 0) != LB_ERR;
  if (runsMultiple == (multiple != FALSE)) return TRUE;
  SetWindowLongA(box, GWL_STYLE, old);
  return FALSE;
}

BOOL HOSTAPI HostListSetRedraw(HWND box, BOOL redraw) {
  if (boxKind(box) == Box::none) return FALSE;
  SendMessageA(box, WM_SETREDRAW, redraw != FALSE, 0);
  if (redraw) RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

} // extern "C"
