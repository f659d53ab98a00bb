// Server capabilities: the brand table as dbcaps enumerates it, then what it
// knows about the sample host's own connection (SQLite through ODBC, the
// generic ODBC brand, described in DCC.INI beside odbbridge32.dll from the
// driver's own answers on first use).
#include "dbclient.h"
#include "tour.h"

#include <string>
#include <vector>

extern "C" {
int __stdcall SrvCapRegisterCursor(unsigned cursor);
int __stdcall SrvCapFreeCursor(unsigned cursor);
int __stdcall SrvCapQueryServerBool(unsigned cursor, int index);
int __stdcall SrvCapQueryServerInt(unsigned cursor, int index);
int __stdcall SrvCapQueryServerStr(unsigned cursor, int index, char* buffer);
const void* __stdcall SrvCapQueryColTypeInfo(unsigned cursor);
int __stdcall SrvCapBEnumBrands(char* types, char* names);
}

namespace {

// Splits a tab-led list: "\ta\tb" gives {"a", "b"}.
std::vector<std::string> tabList(const std::string& text) {
  std::vector<std::string> items;
  for (size_t at = text.find('\t'); at != std::string::npos;) {
    size_t next = text.find('\t', at + 1);
    items.push_back(text.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1));
    at = next;
  }
  return items;
}

HWND listBox(Tour& t, int x, int width) {
  return CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, x, 10, width, 560, t.form,
                         nullptr, t.instance, nullptr);
}

void showBrands(Tour& t, HWND list) {
  std::vector<char> types(4096), names(4096);
  bool ok = SrvCapBEnumBrands(types.data(), names.data()) == 1;
  auto typeItems = tabList(types.data()), nameItems = tabList(names.data());
  t.check(ok && typeItems.size() == 47 && nameItems.size() == 47, "SrvCapBEnumBrands: %d brands",
          int(typeItems.size()));
  for (size_t i = 0; i < typeItems.size() && i < nameItems.size(); ++i) {
    std::string line = typeItems[i] + "  " + nameItems[i];
    SendMessageA(list, LB_ADDSTRING, 0, LPARAM(line.c_str()));
  }
  t.report("brands: %s ... %s", nameItems.empty() ? "" : nameItems.front().c_str(),
           nameItems.empty() ? "" : nameItems.back().c_str());
}

void add(HWND list, const std::string& line) { SendMessageA(list, LB_ADDSTRING, 0, LPARAM(line.c_str())); }

void showConnection(Tour& t, HWND list) {
  std::string file = t.outDir + "demo.db";
  DbcCursor c = 0;
  if (DbcConnect(file.c_str(), &c) != DBC_OK) {
    t.check(false, "connected to %s", file.c_str());
    return;
  }
  int brand = SrvCapRegisterCursor(c);
  t.check(brand == 31, "the demo database's cursor is brand %d (generic ODBC)", brand);
  char text[50] = "";
  SrvCapQueryServerStr(c, 12, text);
  add(list, std::string("Server Name: ") + text);
  t.report("server name %s", text);
  SrvCapQueryServerStr(c, 22, text);
  add(list, std::string("Identifier Quote Character: ") + text);
  SrvCapQueryServerStr(c, 13, text);
  add(list, std::string("Date Insert String: ") + text);
  add(list, "Table Name Length: " + std::to_string(SrvCapQueryServerInt(c, 0)));
  add(list, std::string("Outer Join: ") + (SrvCapQueryServerBool(c, 1) == 1 ? "yes" : "no"));
  add(list, std::string("Group By: ") + (SrvCapQueryServerBool(c, 6) == 1 ? "yes" : "no"));
  int count = SrvCapQueryServerInt(c, 4);
  auto* records = static_cast<const char*>(SrvCapQueryColTypeInfo(c));
  t.check(count > 0 && records != nullptr, "%d column types from the driver's type information", count);
  add(list, "Column types: " + std::to_string(count));
  for (int i = 0; records && i < count; ++i) add(list, std::string("  ") + (records + 186 * i));
  char ini[MAX_PATH] = "";
  HMODULE bridge = GetModuleHandleA("odbbridge32.dll");
  if (bridge) GetModuleFileNameA(bridge, ini, MAX_PATH);
  std::string profile(ini);
  profile = profile.substr(0, profile.find_last_of('\\') + 1) + "DCC.INI";
  t.check(GetFileAttributesA(profile.c_str()) != INVALID_FILE_ATTRIBUTES, "profile %s", profile.c_str());
  t.check(SrvCapFreeCursor(c) == 1, "cursor released");
  DbcDisconnect(c);
}

void tour(Tour& t) {
  HWND brands = listBox(t, 10, 300);
  HWND capabilities = listBox(t, 320, 470);
  showBrands(t, brands);
  showConnection(t, capabilities);
  t.screenshot(t.form, "dbcaps");
  DestroyWindow(brands);
  DestroyWindow(capabilities);
}

TourStep step("85-dbcaps", "Server capabilities (dbcaps)", tour);

} // namespace
