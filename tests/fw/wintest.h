// Helpers of the window and dialog tests.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Collects what OutputDebugStringA writes while it lives.
class DebugCapture {
public:
  DebugCapture();
  ~DebugCapture();
  const std::string& text() const { return captured; }

private:
  static LONG CALLBACK Handler(EXCEPTION_POINTERS* info);
  static inline std::string captured;
  void* handle;
};

// Calls `onDialog` for every dialog box or message box (class #32770) that
// is activated while it lives, so a test can read and answer it.
class DialogDriver {
public:
  explicit DialogDriver(std::function<void(HWND)> onDialog);
  ~DialogDriver();

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static inline std::function<void(HWND)> current;
  HHOOK hook;
};

// Runs `step` from the message loop shortly after (a thread timer), when
// the window being activated has finished its own set-up.
void RunSoon(std::function<void()> step);

// Presses a dialog's button by posting its click.
void PressButton(HWND dialog, int id);
std::string WindowText(HWND window);
