// trxserver.exe: holds the database connections of shared transactions for
// the thread that started it ("trxserver.exe <thread id>").
//
// How it holds a transaction: one database connection per distinct connect
// text, opened with autocommit off, so everything done on it is one open
// transaction. Every connect request with that text gets an id of its own
// (a cursor of that connection), so all ids of one text share the
// transaction. When the last id of a connection disconnects, the
// transaction ends: committed when the connect that opened the connection
// had bit 0 of its flags word set, rolled back otherwise. Ending the server
// (0x4003, or the starting thread gone) rolls back every open transaction.
//
// The window is top-level and hidden, titled with the server name, and made
// before the program first waits for messages; then the event "<name>
// ready" is set, if the starter made one, so the starter finds the window
// at once.
#include "dbclient.h"
#include "trxshare.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

struct Connection {
  DbcCursor first = 0;       // the cursor DbcConnect opened
  bool commitAtEnd = false;  // option bit 0 of the connect that opened it
  int users = 0;             // ids on this connection
};

struct Id {
  std::string text;          // the connection it belongs to
  DbcCursor cursor = 0;
};

std::map<std::string, Connection> g_connections;
std::map<LONG, Id> g_ids;
LONG g_lastId;
std::string g_name;

void endConnection(Connection& c, bool commit) {
  if (commit) DbcCommit(c.first);
  else DbcRollback(c.first);
  DbcDisconnect(c.first);
}

// A cursor for a new id: the connection's first cursor for its first id,
// another cursor on it for later ids.
int openCursor(const std::string& text, bool commitAtEnd, DbcCursor& cursor) {
  auto found = g_connections.find(text);
  if (found != g_connections.end()) {
    int rc = DbcOpenCursor(found->second.first, &cursor);
    if (rc == DBC_OK) ++found->second.users;
    return rc;
  }
  Connection c;
  int rc = DbcConnect(text.c_str(), &c.first);
  if (rc != DBC_OK) return rc;
  rc = DbcSetAutoCommit(c.first, 0);
  if (rc != DBC_OK) {
    DbcDisconnect(c.first);
    return rc;
  }
  c.commitAtEnd = commitAtEnd;
  c.users = 1;
  cursor = c.first;
  g_connections.emplace(text, c);
  return DBC_OK;
}

// 0x4001: the block of our name holds the connect text; the reply is 0 and
// the id in the block, or the error code.
LRESULT onConnect() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, g_name.c_str());
  if (!mapping) return TRX_ERR_SHARED_MEMORY;
  // Windows refuses a view beyond a smaller block's size; Wine maps whole
  // pages, so there the page of a smaller block is read as a block.
  auto* block = static_cast<TrxSharedBlock*>(
      MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TrxSharedBlock)));
  LRESULT reply = TRX_ERR_SHARED_MEMORY;
  if (block) {
    if (!memchr(block->connectText, 0, sizeof block->connectText)) {
      reply = TRX_ERR_CONNECT_TEXT;
    } else {
      std::string text = block->connectText;
      DbcCursor cursor = 0;
      reply = openCursor(text, block->flags & 1, cursor);
      if (reply == DBC_OK) {
        LONG id = ++g_lastId;
        g_ids[id] = Id{text, cursor};
        block->connectionId = id;
      }
    }
  }
  if (block) UnmapViewOfFile(block);
  CloseHandle(mapping);
  return reply;
}

// 0x4002: non-zero when the id was ours.
LRESULT onDisconnect(LONG id) {
  auto found = g_ids.find(id);
  if (found == g_ids.end()) return 0;
  auto conn = g_connections.find(found->second.text);
  Connection& c = conn->second;
  if (--c.users == 0) {
    endConnection(c, c.commitAtEnd);
    g_connections.erase(conn);
  } else if (found->second.cursor != c.first) {
    DbcDisconnect(found->second.cursor);
  }
  g_ids.erase(found);
  return 1;
}

void endAll() {
  for (auto& [id, entry] : g_ids) {
    Connection& c = g_connections[entry.text];
    if (entry.cursor != c.first) DbcDisconnect(entry.cursor);
  }
  for (auto& [text, c] : g_connections) endConnection(c, false);
  g_ids.clear();
  g_connections.clear();
}

LRESULT CALLBACK ServerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    switch (msg) {
    case TRX_MSG_CONNECT:
      return onConnect();
    case TRX_MSG_DISCONNECT:
      return onDisconnect(LONG(wp));
    case TRX_MSG_END:
      DestroyWindow(w);
      return 1;
    case WM_DESTROY:
      endAll();
      PostQuitMessage(0);
      return 0;
    }
  } catch (...) {
    // A request the server cannot serve is refused; the server goes on.
    return msg == TRX_MSG_CONNECT ? LRESULT(DBC_ERR_NO_MEMORY) : 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

// The thread id on the command line: decimal, nothing else.
bool parseThreadId(const char* args, DWORD& tid) {
  while (*args == ' ' || *args == '\t') ++args;
  if (*args < '0' || *args > '9') return false;
  char* end = nullptr;
  unsigned long value = strtoul(args, &end, 10);
  while (*end == ' ' || *end == '\t') ++end;
  if (*end || value == 0 || value > 0xFFFFFFFFul) return false;
  tid = DWORD(value);
  return true;
}

HWND createWindow(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ServerProc;
  wc.hInstance = instance;
  wc.lpszClassName = "TrxServerWindow";
  if (!RegisterClassA(&wc)) return nullptr;
  return CreateWindowExA(0, wc.lpszClassName, g_name.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                         nullptr, instance, nullptr);
}

// Tells the starter that the window exists (see trxshare's startServer).
void announceWindow() {
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (g_name + " ready").c_str());
  if (!ready) return;
  SetEvent(ready);
  CloseHandle(ready);
}

// Serves messages until the window is gone or the starting thread ends, so
// no server outlives its application.
int serve(HANDLE starter) {
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return int(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    DWORD r = MsgWaitForMultipleObjects(1, &starter, FALSE, INFINITE, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0 || r == WAIT_FAILED) return 0;
  }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
  DWORD tid = 0;
  if (!args || !parseThreadId(args, tid)) return 1;
  char name[32];
  snprintf(name, sizeof name, "%s %lu", "trxserver", tid);
  g_name = name;
  if (FindWindowA(nullptr, name)) return 2;  // that thread has its server
  HANDLE starter = OpenThread(SYNCHRONIZE, FALSE, tid);
  if (!starter) return 3;                    // the starter is gone already
  // Ids of different servers must differ: one application's table can hold
  // connections of the servers of several of its threads.
  g_lastId = LONG(GetCurrentProcessId() % 32768) << 16;
  HWND window = createWindow(instance);
  if (!window) return 4;
  announceWindow();
  int rc = serve(starter);
  if (IsWindow(window)) DestroyWindow(window);
  CloseHandle(starter);
  return rc;
}
