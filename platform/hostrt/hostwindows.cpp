// The host's windows: registry, window classes, message records, fields,
// colours and the small host services (focus, halt, drive, dialogs,
// resources, the wait announcement).
#include "hostwindows.h"

#include <algorithm>

namespace hostrt {

namespace {

std::map<HWND, WindowInfo> g_windows;
std::map<HITEM, HWND> g_itemWindows;
std::map<LONG, COLORREF> g_defaultColors;
std::map<std::string, std::string> g_resources;  // upper-cased name -> bytes
LONG g_focusAnswer = 1;
LONG g_haltCount = 0;
HOSTHALTPROC g_haltHandler = nullptr;
BOOL g_waiting = FALSE;

const UINT kRecordedMessages[] = {0x6008, 0x2004, 0x2006, 0x2009, 0x6007};
constexpr size_t kMaxRecords = 256;

// --- host classes ---------------------------------------------------------

struct HostClass {
  const char* name;
  const char* systemClass;  // null: a class of its own
  DWORD objectType;
  WNDPROC systemProc;
};

HostClass g_classes[] = {
    {HOST_CLASS_FORM, nullptr, HOST_OBJ_FORM, nullptr},
    {HOST_CLASS_DIALOG, nullptr, HOST_OBJ_DIALOG, nullptr},
    {HOST_CLASS_TEXT, "STATIC", HOST_OBJ_TEXT, nullptr},
    {HOST_CLASS_FIELD, "EDIT", HOST_OBJ_DATAFIELD, nullptr},
    {HOST_CLASS_BUTTON, "BUTTON", HOST_OBJ_PUSHBUTTON, nullptr},
    {HOST_CLASS_CHECKBOX, "BUTTON", HOST_OBJ_CHECKBOX, nullptr},
    {HOST_CLASS_OPTION, "BUTTON", HOST_OBJ_OPTION, nullptr},
    {HOST_CLASS_LISTBOX, "LISTBOX", HOST_OBJ_LISTBOX, nullptr},
    {HOST_CLASS_COMBOBOX, "COMBOBOX", HOST_OBJ_COMBOBOX, nullptr},
    {HOST_CLASS_PICTURE, "STATIC", HOST_OBJ_PICTURE, nullptr},
};

LRESULT passOn(const HostClass& c, HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  return c.systemProc ? CallWindowProcA(c.systemProc, w, msg, wp, lp) : DefWindowProcA(w, msg, wp, lp);
}

// What a form or dialog does beyond the default: paint its background in
// the host's colour.
bool frameMessage(HWND w, UINT msg, WPARAM wp, LRESULT& result) {
  if (msg != WM_ERASEBKGND) return false;
  RECT r;
  GetClientRect(w, &r);
  HBRUSH brush = CreateSolidBrush(HostGetWindowColor(w, COLOR_BTNFACE));
  FillRect(HDC(wp), &r, brush);
  DeleteObject(brush);
  result = 1;
  return true;
}

LRESULT classMessage(HostClass& c, HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE && !findWindow(w)) registerWindow(w, c.objectType);
  WindowInfo* info = findWindow(w);
  if (info && !info->hostSubclass) recordMessage(w, msg, wp, lp);
  LRESULT result = 0;
  if (!c.systemClass && frameMessage(w, msg, wp, result)) return result;
  result = passOn(c, w, msg, wp, lp);
  if (msg == WM_NCDESTROY) unregisterWindow(w);
  return result;
}

template <size_t I> LRESULT CALLBACK classProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    return classMessage(g_classes[I], w, msg, wp, lp);
  } catch (...) {
    return 0;
  }
}

template <size_t... I> constexpr WNDPROC procOf(size_t i, std::index_sequence<I...>) {
  constexpr WNDPROC procs[] = {classProc<I>...};
  return procs[i];
}

} // namespace

WindowInfo* findWindow(HWND window) {
  auto it = g_windows.find(window);
  if (it == g_windows.end()) return nullptr;
  if (!IsWindow(window)) {  // destroyed without the host seeing it
    unregisterWindow(window);
    return nullptr;
  }
  return &it->second;
}

WindowInfo& registerWindow(HWND window, DWORD objectType) {
  WindowInfo& info = g_windows[window];
  info.objectType = objectType;
  return info;
}

void unregisterWindow(HWND window) {
  auto it = g_windows.find(window);
  if (it == g_windows.end()) return;
  auto mapped = g_itemWindows.find(it->second.item);
  if (mapped != g_itemWindows.end() && mapped->second == window) g_itemWindows.erase(mapped);
  g_windows.erase(it);
}

void mapItem(HWND window, HOUTLINE outline, HITEM item) {
  WindowInfo& info = g_windows[window];
  info.outline = outline;
  info.item = item;
  g_itemWindows[item] = window;
}

HWND windowOfItem(HITEM item) {
  auto it = g_itemWindows.find(item);
  return it != g_itemWindows.end() && findWindow(it->second) ? it->second : nullptr;
}

void unmapItems(const std::vector<Item*>& items) {
  for (Item* item : items) {
    auto it = g_itemWindows.find(item->handle);
    if (it == g_itemWindows.end()) continue;
    auto info = g_windows.find(it->second);
    if (info != g_windows.end()) info->second.outline = info->second.item = 0;
    g_itemWindows.erase(it);
  }
}

void recordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = g_windows.find(window);
  if (it == g_windows.end()) return;
  WindowInfo& info = it->second;
  bool frame = info.objectType == HOST_OBJ_FORM || info.objectType == HOST_OBJ_DIALOG;
  bool kept = std::find(std::begin(kRecordedMessages), std::end(kRecordedMessages), message) !=
                  std::end(kRecordedMessages) ||
              (frame && message == WM_COMMAND);
  if (!kept) return;
  if (message == 0x6008) info.announced = lParam;
  info.records.push_back({message, wParam, lParam});
  if (info.records.size() > kMaxRecords) info.records.pop_front();
}

void registerHostClasses(HINSTANCE instance) {
  auto sequence = std::make_index_sequence<std::size(g_classes)>();
  for (size_t i = 0; i < std::size(g_classes); ++i) {
    HostClass& c = g_classes[i];
    WNDCLASSA wc{};
    if (c.systemClass) {
      if (!GetClassInfoA(nullptr, c.systemClass, &wc)) continue;
      c.systemProc = wc.lpfnWndProc;
    } else {
      wc.style = CS_DBLCLKS;
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    }
    wc.style |= CS_GLOBALCLASS;
    wc.lpfnWndProc = procOf(i, sequence);
    wc.hInstance = instance;
    wc.lpszClassName = c.name;
    RegisterClassA(&wc);
  }
}

void unregisterHostClasses(HINSTANCE instance) {
  for (const HostClass& c : g_classes) UnregisterClassA(c.name, instance);
}

} // namespace hostrt

using namespace hostrt;

namespace {

bool isFieldType(DWORD type) {
  return type == HOST_OBJ_DATAFIELD || type == HOST_OBJ_MULTILINE || type == HOST_OBJ_COMBOBOX;
}

bool hasPicture(HWND w) {
  return SendMessageA(w, STM_GETIMAGE, IMAGE_BITMAP, 0) || SendMessageA(w, STM_GETIMAGE, IMAGE_ICON, 0);
}

BOOL CALLBACK collectWindow(HWND w, LPARAM lp) {
  try {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

std::vector<HWND> descendants(HWND form) {
  std::vector<HWND> out;
  EnumChildWindows(form, collectWindow, LPARAM(&out));
  return out;
}

} // namespace

extern "C" {

DWORD HOSTAPI HostGetObjectType(HWND window) {
  return guarded<DWORD>(0, [&]() -> DWORD {
    WindowInfo* info = findWindow(window);
    return info ? info->objectType : 0;
  });
}

COLORREF HOSTAPI HostGetWindowColor(HWND window, LONG role) {
  return guarded<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
    if (!IsWindow(window) || role < 0 || role > 30) return CLR_INVALID;
    if (WindowInfo* info = findWindow(window)) {
      auto own = info->colors.find(role);
      if (own != info->colors.end()) return own->second;
    }
    auto all = g_defaultColors.find(role);
    return all != g_defaultColors.end() ? all->second : GetSysColor(role);
  });
}

BOOL HOSTAPI HostSetWindowColor(HWND window, LONG role, COLORREF color) {
  return guarded<BOOL>(FALSE, [&] {
    if (role < 0 || role > 30) return FALSE;
    std::map<LONG, COLORREF>* colors = &g_defaultColors;
    if (window) {
      WindowInfo* info = findWindow(window);
      if (!info) return FALSE;
      colors = &info->colors;
    }
    if (color == CLR_INVALID)
      colors->erase(role);
    else
      (*colors)[role] = color;
    if (window) InvalidateRect(window, nullptr, TRUE);
    return TRUE;
  });
}

BOOL HOSTAPI HostFieldIsNull(HWND window) {
  return guarded<BOOL>(FALSE, [&] {
    DWORD type = HostGetObjectType(window);
    if (isFieldType(type)) return GetWindowTextLengthA(window) == 0 ? TRUE : FALSE;
    if (type == HOST_OBJ_PICTURE) return hasPicture(window) ? FALSE : TRUE;
    return FALSE;
  });
}

BOOL HOSTAPI HostClearField(HWND window) {
  return guarded<BOOL>(FALSE, [&] {
    DWORD type = HostGetObjectType(window);
    if (type == HOST_OBJ_PICTURE) return HostClearPicture(window);
    if (!isFieldType(type)) return FALSE;
    if (type == HOST_OBJ_COMBOBOX) SendMessageA(window, CB_SETCURSEL, WPARAM(-1), 0);
    SetWindowTextA(window, "");
    return TRUE;
  });
}

BOOL HOSTAPI HostClearPicture(HWND window) {
  return guarded<BOOL>(FALSE, [&] {
    if (HostGetObjectType(window) != HOST_OBJ_PICTURE) return FALSE;
    SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, 0);
    SendMessageA(window, STM_SETIMAGE, IMAGE_ICON, 0);
    InvalidateRect(window, nullptr, TRUE);
    return TRUE;
  });
}

LONG HOSTAPI HostSetEditFlag(HWND window, BOOL edited) {
  return guarded<LONG>(-1, [&]() -> LONG {
    WindowInfo* info = findWindow(window);
    if (!info) return -1;
    LONG previous = info->edited;
    info->edited = edited != FALSE;
    return previous;
  });
}

LONG HOSTAPI HostGetEditFlag(HWND window) {
  WindowInfo* info = findWindow(window);
  return info ? LONG(info->edited) : -1;
}

BOOL HOSTAPI HostEnableWindow(HWND window) {
  if (!IsWindow(window)) return FALSE;
  EnableWindow(window, TRUE);
  return TRUE;
}

BOOL HOSTAPI HostDisableWindow(HWND window) {
  if (!IsWindow(window)) return FALSE;
  EnableWindow(window, FALSE);
  return TRUE;
}

LONG HOSTAPI HostFocusMayMove(HWND window, LONG a, LONG b) {
  return guarded<LONG>(0, [&]() -> LONG {
    logEvent("HostFocusMayMove " + hex32(DWORD(UINT_PTR(window))) + " " + std::to_string(a) + " " +
             std::to_string(b));
    return IsWindow(window) ? g_focusAnswer : 0;
  });
}

LONG HOSTAPI HostTestSetFocusAnswer(LONG answer) {
  LONG previous = g_focusAnswer;
  g_focusAnswer = answer;
  return previous;
}

HWND HOSTAPI HostFirstChildOfType(HWND form, DWORD types) {
  return HostNextChildOfType(form, nullptr, types);
}

HWND HOSTAPI HostNextChildOfType(HWND form, HWND child, DWORD types) {
  return guarded<HWND>(nullptr, [&]() -> HWND {
    if (!IsWindow(form) || (child && !IsWindow(child))) return nullptr;
    std::vector<HWND> all = descendants(form);
    auto at = child ? std::find(all.begin(), all.end(), child) : all.begin();
    if (at == all.end()) return nullptr;
    if (child) ++at;
    for (; at != all.end(); ++at)
      if (HostGetObjectType(*at) & types) return *at;
    return nullptr;
  });
}

BOOL HOSTAPI HostPrepareDialog(HWND dialog) {
  return guarded<BOOL>(FALSE, [&] {
    if (!IsWindow(dialog)) return FALSE;
    RECT r, over;
    GetWindowRect(dialog, &r);
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &over)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = std::max(0L, over.left + (over.right - over.left - w) / 2);
    int y = std::max(0L, over.top + (over.bottom - over.top - h) / 2);
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    logEvent("HostPrepareDialog " + hex32(DWORD(UINT_PTR(dialog))));
    return TRUE;
  });
}

LONG HOSTAPI HostContextText(HWND window, LPSTR buffer, LONG size) {
  return guarded<LONG>(-1, [&]() -> LONG {
    if (!window) window = GetActiveWindow();
    if (!IsWindow(window)) {
      if (buffer && size > 0) buffer[0] = 0;
      return -1;
    }
    WindowInfo* info = findWindow(window);
    Item* item = info ? findItem(info->outline, info->item) : nullptr;
    std::string text;
    if (item) {
      for (Item* at = item; at && at->parent; at = at->parent)
        if (isWindowType(at->type)) text = itemName(*at) + (text.empty() ? "" : "." + text);
    } else {
      char caption[512];
      GetWindowTextA(window, caption, sizeof caption);
      text = caption;
    }
    return copyOut(text, buffer, size);
  });
}

void HOSTAPI HostHalt(void) {
  try {
    ++g_haltCount;
    logEvent("HostHalt");
    if (g_haltHandler) g_haltHandler();
  } catch (...) {
  }
}

HOSTHALTPROC HOSTAPI HostSetHaltHandler(HOSTHALTPROC handler) {
  HOSTHALTPROC previous = g_haltHandler;
  g_haltHandler = handler;
  return previous;
}

LONG HOSTAPI HostHaltCount(void) { return g_haltCount; }

HSTRING HOSTAPI HostGetCurrentDrive(void) {
  return guarded<HSTRING>(0, [] {
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof dir, dir);
    char drive[3] = {dir[0] ? dir[0] : 'C', ':', 0};
    return makeString(drive, sizeof drive);
  });
}

BOOL HOSTAPI HostAnnounceWait(BOOL waiting) {
  return guarded<BOOL>(FALSE, [&] {
    BOOL previous = g_waiting;
    g_waiting = waiting != FALSE;
    logEvent(std::string("HostAnnounceWait ") + (g_waiting ? "1" : "0"));
    return previous;
  });
}

BOOL HOSTAPI HostSetResourceData(LPCSTR name, LPCVOID data, DWORD size) {
  return guarded<BOOL>(FALSE, [&] {
    if (!name || !*name || (!data && size)) return FALSE;
    std::string key = name;
    CharUpperBuffA(key.data(), DWORD(key.size()));
    if (!data)
      g_resources.erase(key);
    else
      g_resources[key] = std::string(static_cast<const char*>(data), size);
    return TRUE;
  });
}

HSTRING HOSTAPI HostGetResourceData(LPCSTR name) {
  return guarded<HSTRING>(0, [&]() -> HSTRING {
    if (!name) return 0;
    std::string key = name;
    CharUpperBuffA(key.data(), DWORD(key.size()));
    auto it = g_resources.find(key);
    if (it == g_resources.end()) return 0;
    HSTRING s = makeString(it->second.data(), DWORD(it->second.size() + 1));
    return s;
  });
}

HWND HOSTAPI HostWindowOfItem(HOUTLINE outline, HITEM item) {
  return guarded<HWND>(nullptr, [&]() -> HWND { return findItem(outline, item) ? windowOfItem(item) : nullptr; });
}

HOUTLINE HOSTAPI HostOutlineOfWindow(HWND window) {
  return guarded<HOUTLINE>(0, [&]() -> HOUTLINE {
    WindowInfo* info = findWindow(window);
    return info && findItem(info->outline, info->item) ? info->outline : 0;
  });
}

HITEM HOSTAPI HostItemOfWindow(HWND window) {
  return guarded<HITEM>(0, [&]() -> HITEM {
    WindowInfo* info = findWindow(window);
    return info && findItem(info->outline, info->item) ? info->item : 0;
  });
}

LPARAM HOSTAPI HostGetAnnouncedPointer(HWND window) {
  WindowInfo* info = findWindow(window);
  return info ? info->announced : 0;
}

LONG HOSTAPI HostRecordedMessage(HWND window, LONG index, UINT* message, WPARAM* wParam, LPARAM* lParam) {
  WindowInfo* info = findWindow(window);
  if (!info) return -1;
  if (index >= 0 && size_t(index) < info->records.size()) {
    const MessageRecord& r = info->records[size_t(index)];
    if (message) *message = r.message;
    if (wParam) *wParam = r.wParam;
    if (lParam) *lParam = r.lParam;
  }
  return LONG(info->records.size());
}

LONG HOSTAPI HostMessageCount(HWND window, UINT message) {
  WindowInfo* info = findWindow(window);
  if (!info) return -1;
  return LONG(std::count_if(info->records.begin(), info->records.end(),
                            [&](const MessageRecord& r) { return r.message == message; }));
}

BOOL HOSTAPI HostClearMessages(HWND window) {
  WindowInfo* info = findWindow(window);
  if (info) info->records.clear();
  return info != nullptr;
}

} // extern "C"
