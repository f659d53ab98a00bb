// Helpers of the dbcaps tests: the exports as a caller declares them, test
// cursors of the SQL client, and a hook that answers message boxes.
#pragma once
#include "binfile.h"
#include "core/profile.h"
#include "dbclient.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

extern "C" {
int __stdcall SrvCapRegisterCursor(unsigned cursor);
int __stdcall SrvCapFreeCursor(unsigned cursor);
int __stdcall SrvCapQueryServerBool(unsigned cursor, int index);
int __stdcall SrvCapQueryServerInt(unsigned cursor, int index);
int __stdcall SrvCapQueryServerStr(unsigned cursor, int index, char* buffer);
int __stdcall SrvCapQueryFunctionStr(unsigned cursor, int index, char* buffer);
int __stdcall SrvCapQueryParmKeywordStr(unsigned cursor, int index, char* buffer);
const void* __stdcall SrvCapQuerySQLParamList(unsigned cursor);
int __stdcall SrvCapQuerySupportedServers(unsigned cursor);
char* __stdcall SrvCapQuerySystemTables(char* buffer, int* count);
const void* __stdcall SrvCapQueryColTypeInfo(unsigned cursor);
const void* __stdcall SrvCapColTypeInfoForType(unsigned cursor, int hostType);
const void* __stdcall SrvCapColTypeInfoForServerType(unsigned cursor, const char* name);
int __stdcall SrvCapBRegister(int type);
int __stdcall SrvCapBFree(int type);
int __stdcall SrvCapBQueryServerBool(int type, int index);
int __stdcall SrvCapBQueryServerInt(int type, int index);
int __stdcall SrvCapBQueryServerStr(int type, int index, char* buffer);
const void* __stdcall SrvCapBQueryColTypeInfo(int type);
int __stdcall SrvCapBColTypeInfoForType(int type, int hostType, void* record);
int __stdcall SrvCapBColTypeInfoForServerType(int type, const char* name, void* record);
int __stdcall SrvCapBColTypeInfoForIndex(int type, int index, void* record);
int __stdcall SrvCapBCatalogColumnType(int type, const char* columnName, char* text);
int __stdcall SrvCapBEnumBrands(char* types, char* names);
}

// The record layout callers read (186 bytes).
#pragma pack(push, 1)
struct ColTypeRecord {
  char columnName[40];
  char catalogType[40];
  char createStatement[50];
  int hostType, maxPrecision, precision, scale, maxScale, alternateType, nullable;
  char longDescriptor[20];
  int nullInDdl, uniqueIndex;
};
#pragma pack(pop)
static_assert(sizeof(ColTypeRecord) == 186);

// Test cursors opened by a test and closed (and released) after it.
class Cursors : public ::testing::Test {
protected:
  void TearDown() override {
    for (DbcCursor c : opened_) {
      SrvCapFreeCursor(c);
      DbcDisconnect(c);
    }
    // Once the bridge library is loaded, ODBC test cursors reach the profile:
    // what they wrote there goes with them.
    std::string ini = testsupport::binDir() + "DCC.INI";
    for (const auto& s : odbcSections_) WritePrivateProfileStringA(s.c_str(), nullptr, nullptr, ini.c_str());
  }

  // A cursor answering the server type and, for ODBC, DBMS, driver and version.
  DbcCursor testCursor(const char* serverType, const char* dbms = nullptr, const char* driver = nullptr,
                       const char* version = nullptr) {
    DbcCursor c = 0;
    EXPECT_EQ(DbcOpenTestCursor(&c), DBC_OK);
    if (serverType) DbcSetTestInfo(c, DBC_INFO_SERVER_TYPE, serverType);
    if (dbms) DbcSetTestInfo(c, DBC_INFO_DBMS_NAME, dbms);
    if (driver) DbcSetTestInfo(c, DBC_INFO_DRIVER_NAME, driver);
    if (version) DbcSetTestInfo(c, DBC_INFO_DBMS_VERSION, version);
    if (dbms || driver) odbcSections_.push_back(dbcaps::serverSectionName(dbms ? dbms : "", version ? version : "", driver ? driver : ""));
    opened_.push_back(c);
    return c;
  }
  DbcCursor brandCursor(int brand) { return testCursor(std::to_string(brand).c_str()); }

  std::vector<DbcCursor> opened_;
  std::vector<std::string> odbcSections_;
};

// Answers every message box of this thread with a button and records it.
class BoxAnswerer {
public:
  explicit BoxAnswerer(int button) {
    button_ = button;
    seen_.clear();
    hook_ = SetWindowsHookExA(WH_CBT, proc, nullptr, GetCurrentThreadId());
  }
  ~BoxAnswerer() { UnhookWindowsHookEx(hook_); }
  // "caption|text" of each box seen.
  static const std::vector<std::string>& seen() { return seen_; }

private:
  // The box's text is read as it goes: Wine fills it in after activation.
  static LRESULT CALLBACK proc(int code, WPARAM wp, LPARAM lp) {
    HWND w = HWND(wp);
    char cls[16] = "";
    if ((code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) && GetClassNameA(w, cls, sizeof cls) &&
        std::string(cls) == "#32770") {
      if (code == HCBT_ACTIVATE) {
        PostMessageA(w, WM_COMMAND, WPARAM(button_), 0);
      } else {
        char caption[128] = "", text[256] = "";
        GetWindowTextA(w, caption, sizeof caption);
        GetDlgItemTextA(w, 0xFFFF, text, sizeof text);  // the message box's text control
        seen_.push_back(std::string(caption) + "|" + text);
      }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline int button_ = IDOK;
  static inline std::vector<std::string> seen_;
  HHOOK hook_;
};
