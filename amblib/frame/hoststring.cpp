#include "hoststring.h"

#include <cstring>

#include "library.h"

namespace amb {

HSTRING MakeHostString(const char* text) {
  if (!text) text = "";
  DWORD size = DWORD(std::strlen(text) + 1);
  HSTRING h = HostStrCreate(size);
  if (!h) return 0;
  char* buffer = HostStrLock(h, nullptr);
  if (!buffer) {
    HostStrFree(h);
    return 0;
  }
  std::memcpy(buffer, text, size);
  return h;
}

void openFromZero(HARRAY array) {
  LONG lower = 0;
  if (HostArrayGetBounds(array, nullptr, &lower, nullptr) && lower > 0) HostArraySetUpperBound(array, 0, -1);
}

HSTRING MakeHostStringRetry(const char* text) {
  for (;;) {
    if (HSTRING h = MakeHostString(text)) return h;
    LONG answer = AmbErrorRecovery("Ambrel");
    if (answer == 2) {
      HostHalt();
    } else if (answer == -1) {
      HostHalt();
      return 0;
    }
  }
}

namespace {

INT_PTR CALLBACK RecoveryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG: {
    HostPrepareDialog(dialog);
    SetWindowTextA(dialog, reinterpret_cast<const char*>(lParam));
    HICON stop = LoadIconA(nullptr, IDI_HAND);
    SendDlgItemMessageA(dialog, IDC_RecoveryIcon, STM_SETICON, WPARAM(stop), 0);
    ModifyMenuA(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED | MF_STRING, SC_CLOSE,
                "&Close Alt+F4");
    return TRUE;
  }
  case WM_COMMAND:
    // Only the two buttons end the prompt; Escape (IDCANCEL) and the
    // rest are ignored.
    if (LOWORD(wParam) == IDC_RecoveryRetry) EndDialog(dialog, 1);
    else if (LOWORD(wParam) == IDC_RecoveryHalt) EndDialog(dialog, 2);
    return TRUE;
  }
  return FALSE;
}

} // namespace
} // namespace amb

extern "C" LONG WINAPI AmbErrorRecovery(LPCSTR caption) {
  INT_PTR r = DialogBoxParamA(amb::ModuleInstance(), MAKEINTRESOURCEA(IDD_ErrorRecovery), GetActiveWindow(),
                              amb::RecoveryProc, LPARAM(caption ? caption : ""));
  return r == 1 || r == 2 ? LONG(r) : -1;
}
