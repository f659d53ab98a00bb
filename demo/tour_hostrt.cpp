// The host runtime: the sample host reads its application outline from a
// text file, creates the form and its fields from the items, fills them,
// and shows what the runtime answers about them.
#include "hostrt.h"
#include "tour.h"

#include <string>

namespace {

std::string programFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s = path;
  return s.substr(0, s.find_last_of("\\/") + 1);
}

HWND windowOf(HOUTLINE o, const char* name) { return HostWindowOfItem(o, HostFindItem(o, 0, name)); }

std::string text(HSTRING s) {
  std::string out = s ? HostStrLock(s, nullptr) : "";
  HostStrFree(s);
  return out;
}

// Fills the fields; returns the picture's bitmap, which stays the caller's.
HBITMAP fillForm(HOUTLINE o) {
  SetWindowTextA(windowOf(o, "dfName"), "Ada Lovelace");
  HWND kind = windowOf(o, "cmbKind");
  for (const char* k : {"Private", "Company", "Public body"}) SendMessageA(kind, CB_ADDSTRING, 0, LPARAM(k));
  HostListSetSelection(kind, 1);
  HWND orders = windowOf(o, "lbOrders");
  for (int i = 0; i < 5; ++i) {
    HostDate when{};
    HostDateMake(&when, 2024, 1 + 2 * i, 15, 0, 0, 0);
    char day[32], line[64];
    HostFormatDateTime(when, "MMM d yyyy", day, sizeof day);
    wsprintfA(line, "Order %d  %s", 1001 + i, day);
    SendMessageA(orders, LB_ADDSTRING, 0, LPARAM(line));
  }
  HostListSetSelection(orders, 0);
  SendMessageA(windowOf(o, "cbActive"), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(windowOf(o, "obRetail"), BM_SETCHECK, BST_CHECKED, 0);
  HWND logo = windowOf(o, "picLogo");
  RECT r;
  GetClientRect(logo, &r);
  HDC screen = GetDC(logo);
  HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, bmp);
  for (int band = 0; band < 6; ++band) {
    RECT stripe{0, band * r.bottom / 6, r.right, (band + 1) * r.bottom / 6};
    HBRUSH brush = CreateSolidBrush(RGB(40 * band, 90 + 25 * band, 200 - 20 * band));
    FillRect(mem, &stripe, brush);
    DeleteObject(brush);
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(logo, screen);
  SendMessageA(logo, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(bmp));
  return bmp;
}

void run(Tour& t) {
  std::string file = programFolder() + "app.outline";
  HOUTLINE o = HostLoadApp(file.c_str());
  t.check(o != 0, "application outline read from app.outline");
  if (!o) return;
  HITEM top = HostGetTopItem(o);
  HSTRING title = 0;
  HostGetItemText(o, top, 1, &title);
  t.report("outline: %ld lines under \"%s\"", HostItemGetLineCount(o, top), text(title).c_str());

  HITEM formItem = HostFindItem(o, 0, "frmCustomer");
  HWND form = HostCreateWindow(o, formItem, t.form, HOST_CREATE_RUNTIME, 0);
  t.check(form != nullptr, "form frmCustomer created from its item, with its fields");
  if (!form) return;
  HBITMAP logo = fillForm(o);

  HWND name = windowOf(o, "dfName");
  t.check(HostItemOfWindow(name) == HostFindItem(o, 0, "dfName"), "the data field knows its item");
  HSTRING hint = 0;
  HostGetStrProperty(HostOutlineOfWindow(name), HostItemOfWindow(name), "Hint", &hint);
  t.report("property Hint of dfName: \"%s\"", text(hint).c_str());
  char context[64];
  HostContextText(name, context, sizeof context);
  t.report("context text of the data field: %s", context);
  int fields = 0;
  for (HWND w = HostFirstChildOfType(form, 0xFFFFFFFF); w; w = HostNextChildOfType(form, w, 0xFFFFFFFF)) ++fields;
  t.check(fields == 11, "%d host windows on the form", fields);
  t.check(HostGetObjectType(windowOf(o, "lbOrders")) == HOST_OBJ_LISTBOX &&
              HostGetObjectType(windowOf(o, "cmbKind")) == HOST_OBJ_COMBOBOX,
          "list box and combo box are the host's own classes");
  t.report("orders listed: %ld, selected: %ld", HostListCount(windowOf(o, "lbOrders")),
           HostListGetSelection(windowOf(o, "lbOrders")));
  t.screenshot(t.form, "hostrt_form");

  char saved[MAX_PATH];
  GetTempPathA(sizeof saved, saved);
  lstrcatA(saved, "samplehost_app.outline");
  HOUTLINE again = HostOutlineSave(o, saved) ? HostLoadApp(saved) : 0;
  t.check(again && HostItemGetLineCount(again, HostGetTopItem(again)) == HostItemGetLineCount(o, top),
          "saved and read back: the same outline");
  HostReleaseApp(again);
  DeleteFileA(saved);

  DestroyWindow(form);
  DeleteObject(logo);
  HostReleaseApp(o);
}

TourStep step("05-hostrt", "Host runtime: the form from the application outline", run);

} // namespace
