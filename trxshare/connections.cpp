// The connection table and the conversation with trxserver.exe. The table
// is per process: every connection of the application that is routed
// through a server has a slot, so several connections of one transaction
// name share that server's transaction.
#include "brand.h"
#include "trxshare.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

#pragma pack(push, 1)
struct Slot {
  LONG id;            // -1: free
  HWND server;
  char name[33];
  uint8_t flags;      // kShared, kAcquired
  void* owner;        // the caller's connection record
};
#pragma pack(pop)
static_assert(sizeof(Slot) == 46, "a connection slot is 46 bytes");
static_assert(sizeof(TrxSharedBlock) == 206, "the shared block is 206 bytes");

constexpr int kSlots = 100;
constexpr uint8_t kShared = 1;
constexpr uint8_t kAcquired = 2;
constexpr int kFindAttempts = 1000;
// A connect may wait on a slow database; a server that has not answered in
// this time is treated as gone.
constexpr UINT kReplyTimeoutMs = 120000;
// As long as WinExec gives a program to come up.
constexpr DWORD kStartTimeoutMs = 30000;

HGLOBAL g_table;
int g_nextId;

// The table, locked for the length of one export.
class Table {
public:
  Table() : slots_(g_table ? static_cast<Slot*>(GlobalLock(g_table)) : nullptr) {}
  ~Table() {
    if (slots_) GlobalUnlock(g_table);
  }
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  explicit operator bool() const { return slots_ != nullptr; }
  Slot* begin() const { return slots_; }
  Slot* end() const { return slots_ ? slots_ + kSlots : nullptr; }

  Slot* byId(LONG id) const {
    if (id == -1) return nullptr;
    for (Slot& s : *this)
      if (s.id == id) return &s;
    return nullptr;
  }
  Slot* byName(const char* name) const {
    for (Slot& s : *this)
      if (s.id != -1 && strcmp(s.name, name) == 0) return &s;
    return nullptr;
  }
  Slot* firstFree() const {
    for (Slot& s : *this)
      if (s.id == -1) return &s;
    return nullptr;
  }
  bool serverInUse(HWND server) const {
    for (Slot& s : *this)
      if (s.id != -1 && s.server == server) return true;
    return false;
  }

private:
  Slot* slots_;
};

bool createTable() {
  if (g_table) return true;
  g_table = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kSlots * sizeof(Slot));
  if (!g_table) return false;
  Table table;
  for (Slot& s : table) s.id = -1;
  return true;
}

void freeSlot(Slot& s) {
  memset(&s, 0, sizeof s);
  s.id = -1;
}

// "trxserver <thread id>": the server's window title and block name.
void serverName(char (&out)[32]) { snprintf(out, sizeof out, "%s %lu", "trxserver", GetCurrentThreadId()); }

// Sends a request and reports whether the server really answered.
bool ask(HWND server, UINT msg, WPARAM wp, LRESULT& reply) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(server, msg, wp, 0, SMTO_NORMAL, kReplyTimeoutMs, &result)) return false;
  reply = LRESULT(result);
  return true;
}

bool endServer(HWND server) {
  LRESULT reply = 0;
  return ask(server, TRX_MSG_END, 0, reply) && reply != 0;
}

// The server this thread started for one of its transaction names: one
// server serves all the names of its thread, since the window title only
// holds the thread id.
HWND serverOfThisThread(const Table& table, const char* name) {
  for (Slot& s : table) {
    char title[32] = "";
    if (s.id != -1 && IsWindow(s.server) && GetWindowTextA(s.server, title, sizeof title) &&
        strcmp(title, name) == 0)
      return s.server;
  }
  return nullptr;
}

// Starts trxserver.exe from the folder of this library, never from the
// search path, and finds its window. The server sets the event "<name>
// ready" once its window exists: waiting for input idle (what WinExec does)
// is not enough under Wine, where it returns at once when the new process
// has not finished loading yet.
HWND startServer(const char* name) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(trx::moduleInstance(), path, MAX_PATH);
  if (!n || n >= MAX_PATH) return nullptr;
  char* slash = strrchr(path, '\\');
  if (!slash) return nullptr;
  slash[1] = 0;
  char command[MAX_PATH + 64];
  snprintf(command, sizeof command, "\"%strxserver.exe\" %lu", path, GetCurrentThreadId());
  char readyName[64];
  snprintf(readyName, sizeof readyName, "%s ready", name);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, readyName);
  if (!ready) return nullptr;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(ready);
    return nullptr;
  }
  HANDLE started[2] = {ready, pi.hProcess};
  WaitForMultipleObjects(2, started, FALSE, kStartTimeoutMs);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  CloseHandle(ready);
  for (int attempt = 0; attempt < kFindAttempts; ++attempt) {
    if (HWND w = FindWindowA(nullptr, name)) return w;
  }
  return nullptr;
}

// Hands the connect text to the server through the shared block and asks
// it to connect. Returns 0 and the id, or the error code.
int requestConnect(HWND server, const char* name, const char* text, int option, LONG& id) {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TrxSharedBlock), name);
  if (!mapping) return TRX_ERR_SHARED_MEMORY;
  auto* block = static_cast<TrxSharedBlock*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(TrxSharedBlock)));
  if (!block) {
    CloseHandle(mapping);
    return TRX_ERR_SHARED_MEMORY;
  }
  block->connectionId = -1;
  block->flags = WORD(option & 1);
  memset(block->connectText, 0, sizeof block->connectText);
  strcpy(block->connectText, text);
  LRESULT reply = 0;
  int result = TRX_ERR_SERVER;
  if (ask(server, TRX_MSG_CONNECT, 0, reply)) {
    if (reply != 0) result = int(reply);
    else if (block->connectionId != -1) result = 0, id = block->connectionId;
  }
  UnmapViewOfFile(block);
  CloseHandle(mapping);
  return result;
}

int connect(LONG* connection, const char* connectRecord, const char* name, int option) {
  if (!name || strlen(name) > 32) return TRX_ERR_NAME_TOO_LONG;
  if (!connection || !connectRecord || strnlen(connectRecord, 200) == 200) return TRX_ERR_CONNECT_TEXT;
  Table table;
  char server[32];
  serverName(server);
  Slot* slot = nullptr;
  HWND window = nullptr;
  bool started = false;
  if (Slot* joined = table.byName(name)) {
    window = joined->server;
    if (!(slot = table.firstFree())) return TRX_ERR_NO_JOIN_SLOT;
    // The server may belong to another thread of this process: its block
    // carries its own name.
    if (!GetWindowTextA(window, server, sizeof server)) return TRX_ERR_SERVER;
  } else {
    if (!(slot = table.firstFree())) return TRX_ERR_NO_SLOT;
    window = serverOfThisThread(table, server);
    if (!window) {
      if (!(window = startServer(server))) return TRX_ERR_SERVER;
      started = true;
    }
  }
  LONG id = -1;
  int result = requestConnect(window, server, connectRecord, option, id);
  if (result != 0) {
    if (started) endServer(window);
    return result;
  }
  *connection = id;
  slot->id = id;
  slot->server = window;
  strcpy(slot->name, name);
  slot->flags = 0;
  slot->owner = connection;
  return 0;
}

int disconnect(LONG id) {
  Table table;
  Slot* slot = table.byId(id);
  if (!slot) return 0;
  if (slot->flags & kAcquired) return 1;
  HWND server = slot->server;
  LRESULT reply = 0;
  if (!ask(server, TRX_MSG_DISCONNECT, WPARAM(id), reply)) {
    // The server is gone and the connection with it: the slot is of no
    // more use, but the caller learns that the disconnect did not happen.
    if (!IsWindow(server)) freeSlot(*slot);
    return 0;
  }
  if (reply == 0) return 0;
  freeSlot(*slot);
  if (table.serverInUse(server)) return 1;
  return endServer(server) ? 1 : 0;
}

template <class F> int guarded(int failure, F f) {
  try {
    return f();
  } catch (...) {
    return failure;
  }
}

} // namespace

void trxAttach() {
  createTable();
}

void trxDetach() {
  if (g_table) GlobalFree(g_table);
  g_table = nullptr;
}

extern "C" {

int __stdcall TrxInit(void) { return createTable() ? 1 : 0; }

int __stdcall TrxGetID(void) { return g_nextId++; }

int __stdcall TrxConnectTransaction(LONG* connection, const char* connectRecord, const char* name, int option) {
  return guarded(TRX_ERR_SERVER, [&] { return connect(connection, connectRecord, name, option); });
}

int __stdcall TrxDisconnect(LONG id) {
  return guarded(0, [&] { return disconnect(id); });
}

int __stdcall TrxSharedSet(LONG id) {
  Table table;
  Slot* slot = table.byId(id);
  if (!slot || (slot->flags & kShared)) return 0;
  slot->flags |= kShared;
  return 1;
}

int __stdcall TrxSharedAcquire(LONG* id, const char* name) {
  if (!id || !name) return 0;
  Table table;
  for (Slot& s : table) {
    if (s.id != -1 && (s.flags & kShared) && strcmp(s.name, name) == 0) {
      s.flags |= kAcquired;
      *id = s.id;
      return 1;
    }
  }
  return 0;
}

int __stdcall TrxSharedRelease(LONG id) {
  Table table;
  Slot* slot = table.byId(id);
  if (!slot) return 0;
  slot->flags &= uint8_t(~kAcquired);
  return 1;
}

int __stdcall TrxStatus(LONG, LONG) { return 1; }

} // extern "C"
