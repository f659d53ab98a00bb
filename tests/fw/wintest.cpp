#include "wintest.h"

DebugCapture::DebugCapture() {
  captured.clear();
  handle = AddVectoredExceptionHandler(1, Handler);
}

DebugCapture::~DebugCapture() { RemoveVectoredExceptionHandler(handle); }

// OutputDebugStringA raises DBG_PRINTEXCEPTION_C with the text.
LONG CALLBACK DebugCapture::Handler(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode != 0x40010006) return EXCEPTION_CONTINUE_SEARCH;
  captured += reinterpret_cast<const char*>(info->ExceptionRecord->ExceptionInformation[1]);
  return EXCEPTION_CONTINUE_EXECUTION;
}

DialogDriver::DialogDriver(std::function<void(HWND)> onDialog) {
  current = std::move(onDialog);
  hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver() {
  UnhookWindowsHookEx(hook);
  current = nullptr;
}

LRESULT CALLBACK DialogDriver::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && current) {
    char name[16] = "";
    GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0) current(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string WindowText(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

namespace {
std::function<void()> soonStep;
void CALLBACK runSoonTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto step = std::move(soonStep);
  soonStep = nullptr;
  if (step) step();
}
}  // namespace

void RunSoon(std::function<void()> step) {
  soonStep = std::move(step);
  SetTimer(nullptr, 0, 10, runSoonTimer);
}
