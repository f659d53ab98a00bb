// First stop of the tour: every library and stand-in loads from the
// program's folder, and says what it is.
#include "tour.h"

#include <string>
#include <vector>

namespace {

std::string versionValue(const char* file, const char* key) {
  DWORD dummy = 0, size = GetFileVersionInfoSizeA(file, &dummy);
  if (!size) return {};
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(file, 0, size, data.data())) return {};
  char* value = nullptr;
  UINT len = 0;
  std::string path = std::string("\\StringFileInfo\\040904E4\\") + key;
  if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &len) || !len) return {};
  return value;
}

void run(Tour& t) {
  static const char* const files[] = {"amblib.dll", "gridwin.dll", "outkit.dll", "dbcaps.dll",
                                      "trxshare.dll", "hostrt.dll", "hostnum.dll", "hosttools.dll",
                                      "dbclient.dll", "odbbridge32.dll"};
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 520,
                              200, t.form, nullptr, t.instance, nullptr);
  for (const char* file : files) {
    HMODULE h = LoadLibraryA(file);
    std::string line = std::string(file) + "  " + (h ? "loaded" : "NOT LOADED") + "  version " +
                       versionValue(file, "FileVersion") + "  " + versionValue(file, "LegalCopyright");
    t.check(h != nullptr, "%s", line.c_str());
    SendMessageA(list, LB_ADDSTRING, 0, LPARAM(line.c_str()));
    if (h) FreeLibrary(h);
  }
  t.screenshot(t.form, "libraries");
  DestroyWindow(list);
}

TourStep step("00-libraries", "Libraries", run);

} // namespace
