// trxserver.exe: holds the database connections of shared transactions for
// the thread that started it ("trxserver.exe <thread id>").
//
// How it holds a transaction: see registry.h.
//
// The window is top-level and hidden, titled with the server name, and made
// before the program first waits for messages; then the event "<name>
// ready" is set, if the starter made one, so the starter finds the window
// at once.
#include "registry.h"
#include "trxshare.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

Registry* g_registry;
std::string g_name;

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
      LONG id = -1;
      reply = g_registry->connect(block->connectText, block->flags & 1, id);
      if (reply == DBC_OK) block->connectionId = id;
    }
  }
  if (block) UnmapViewOfFile(block);
  CloseHandle(mapping);
  return reply;
}

LRESULT CALLBACK ServerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    switch (msg) {
    case TRX_MSG_CONNECT:
      return onConnect();
    case TRX_MSG_DISCONNECT:
      return g_registry->disconnect(LONG(wp)) ? 1 : 0;
    case TRX_MSG_END:
      DestroyWindow(w);
      return 1;
    case WM_DESTROY:
      g_registry->endAll();
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
  Registry registry(LONG(GetCurrentProcessId() % 32768) << 16);
  g_registry = &registry;
  HWND window = createWindow(instance);
  if (!window) return 4;
  announceWindow();
  int rc = serve(starter);
  if (IsWindow(window)) DestroyWindow(window);
  CloseHandle(starter);
  return rc;
}
