#include "testhost.h"

namespace amblibtest {
namespace {

std::vector<std::string>* g_pieces;

LONG CALLBACK captureDebugString(EXCEPTION_POINTERS* info) {
  EXCEPTION_RECORD* r = info->ExceptionRecord;
  if (r->ExceptionCode != DBG_PRINTEXCEPTION_C || !g_pieces || r->NumberParameters < 2)
    return EXCEPTION_CONTINUE_SEARCH;
  g_pieces->push_back(reinterpret_cast<const char*>(r->ExceptionInformation[1]));
  return EXCEPTION_CONTINUE_EXECUTION;
}

HHOOK g_hook;
ModalAnswerer* g_answerer;
std::function<int(const ModalBox&)> g_handler;

LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_answerer) {
    HWND w = HWND(wParam);
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (!lstrcmpA(cls, "#32770")) {
      ModalBox box{w, {}, {}};
      char buf[1024] = "";
      GetWindowTextA(w, buf, sizeof buf);
      box.caption = buf;
      buf[0] = 0;
      GetDlgItemTextA(w, 0xFFFF, buf, sizeof buf);
      box.text = buf;
      bool first = true;
      for (const auto& s : g_answerer->seen) first = first && s.window != w;
      if (first) {
        g_answerer->seen.push_back(box);
        if (int id = g_handler(box)) PostMessageA(w, WM_COMMAND, id, 0);
      }
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

LRESULT CALLBACK plainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

} // namespace

DebugCapture::DebugCapture() {
  g_pieces = &pieces;
  AddVectoredExceptionHandler(1, captureDebugString);
}
DebugCapture::~DebugCapture() {
  RemoveVectoredExceptionHandler(reinterpret_cast<void*>(captureDebugString));
  g_pieces = nullptr;
}
std::string DebugCapture::joined() const {
  std::string all;
  for (const auto& p : pieces) all += p;
  return all;
}

ModalAnswerer::ModalAnswerer(std::function<int(const ModalBox&)> handler) {
  g_handler = std::move(handler);
  g_answerer = this;
  g_hook = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
}
ModalAnswerer::~ModalAnswerer() {
  UnhookWindowsHookEx(g_hook);
  g_answerer = nullptr;
  g_handler = nullptr;
}

HWND makeWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = plainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "AmblibTestWindow";
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowExA(0, "AmblibTestWindow", "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

std::string writeTempFile(const std::string& name, const std::vector<unsigned char>& bytes) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return path;
}

} // namespace amblibtest
