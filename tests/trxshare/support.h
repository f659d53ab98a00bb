// Helpers of the trxshare tests: database files beside the test program,
// statements through dbclient, and the server's window and process.
#pragma once
#include "binfile.h"
#include "dbclient.h"
#include "trxshare.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>

namespace trxtest {

// A database file in the test program's folder; removed first when `fresh`.
inline std::string databaseFile(const char* name, bool fresh) {
  std::string path = testsupport::binDir() + name;
  if (fresh) DeleteFileA(path.c_str());
  return path;
}

// Runs statements on a fresh connection; every one must succeed.
inline void execute(const std::string& connectText, std::initializer_list<const char*> statements) {
  DbcCursor c = 0;
  ASSERT_EQ(DbcConnect(connectText.c_str(), &c), DBC_OK) << connectText;
  for (const char* sql : statements) {
    ASSERT_EQ(DbcCompile(c, sql), DBC_OK) << sql;
    ASSERT_EQ(DbcExecute(c), DBC_OK) << sql;
  }
  DbcDisconnect(c);
}

inline std::string serverName(DWORD tid = GetCurrentThreadId()) {
  char name[32];
  snprintf(name, sizeof name, "trxserver %lu", tid);
  return name;
}

inline HWND serverWindow(DWORD tid = GetCurrentThreadId()) { return FindWindowA(nullptr, serverName(tid).c_str()); }

struct TitleCount {
  std::string title;
  int n = 0;
};

inline BOOL CALLBACK countTitle(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<TitleCount*>(lp);
  char title[64] = "";
  GetWindowTextA(w, title, sizeof title);
  if (c->title == title) ++c->n;
  return TRUE;
}

// The number of top-level windows titled like this thread's server.
inline int serverWindowCount() {
  TitleCount count{serverName()};
  EnumWindows(countTitle, LPARAM(&count));
  return count.n;
}

// The process behind a window, opened for waiting (NULL when none).
inline HANDLE processOf(HWND w) {
  DWORD pid = 0;
  if (!w || !GetWindowThreadProcessId(w, &pid)) return nullptr;
  return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
}

// True when the process ends within a few seconds.
inline bool ends(HANDLE process) { return process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0; }

} // namespace trxtest
