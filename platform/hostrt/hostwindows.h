// Host windows: the registry of windows the host knows (its classes' and
// those it created from items), their records, and the host classes.
#pragma once
#include "runtime.h"

#include <deque>
#include <map>

namespace hostrt {

struct MessageRecord {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

struct WindowInfo {
  DWORD objectType = 0;
  HOUTLINE outline = 0;
  HITEM item = 0;
  bool edited = false;
  WNDPROC hostSubclass = nullptr;  // the procedure the host's subclass passes to
  DWORD createStyle = 0;           // a style the creation callback set
  LPARAM announced = 0;
  std::deque<MessageRecord> records;
  std::map<LONG, COLORREF> colors;
};

WindowInfo& registerWindow(HWND window, DWORD objectType);
void unregisterWindow(HWND window);
void mapItem(HWND window, HOUTLINE outline, HITEM item);
// Records the message when it is one the host keeps for this window.
void recordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND windowOfItem(HITEM item);

} // namespace hostrt
