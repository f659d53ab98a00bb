// The test host: creates forms and controls from outline items the way
// the host does, with a creation block, the host's subclass installed
// before WM_NCCREATE (from a WH_CBT hook) and a creation-time callback.
#include "hostwindows.h"

#include <cstdio>

namespace hostrt {

namespace {

struct WindowKind {
  int itemType;
  const char* className;  // null: from attribute 286
  DWORD objectType;
  DWORD style;
  bool namedByItem;  // without a title the window text is the item's name
};

const WindowKind kKinds[] = {
    {HOST_ITEM_FORM, HOST_CLASS_FORM, HOST_OBJ_FORM, WS_CLIPCHILDREN, true},
    {HOST_ITEM_DIALOG, HOST_CLASS_DIALOG, HOST_OBJ_DIALOG, WS_CLIPCHILDREN, true},
    {HOST_ITEM_TEXT, HOST_CLASS_TEXT, HOST_OBJ_TEXT, SS_LEFT, true},
    {HOST_ITEM_DATAFIELD, HOST_CLASS_FIELD, HOST_OBJ_DATAFIELD, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, false},
    {HOST_ITEM_MULTILINE, HOST_CLASS_FIELD, HOST_OBJ_MULTILINE,
     WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, false},
    {HOST_ITEM_PUSHBUTTON, HOST_CLASS_BUTTON, HOST_OBJ_PUSHBUTTON, WS_TABSTOP | BS_PUSHBUTTON, true},
    {HOST_ITEM_CHECKBOX, HOST_CLASS_CHECKBOX, HOST_OBJ_CHECKBOX, WS_TABSTOP | BS_AUTOCHECKBOX, true},
    {HOST_ITEM_OPTION, HOST_CLASS_OPTION, HOST_OBJ_OPTION, WS_TABSTOP | BS_AUTORADIOBUTTON, true},
    {HOST_ITEM_LISTBOX, HOST_CLASS_LISTBOX, HOST_OBJ_LISTBOX, WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, false},
    {HOST_ITEM_COMBOBOX, HOST_CLASS_COMBOBOX, HOST_OBJ_COMBOBOX, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, false},
    {HOST_ITEM_PICTURE, HOST_CLASS_PICTURE, HOST_OBJ_PICTURE, SS_BITMAP | SS_CENTERIMAGE, false},
    {HOST_ITEM_SPLITTER, "AK:cSplitter", HOST_OBJ_CUSTOM, 0, false},
    {HOST_ITEM_CUSTOM, nullptr, HOST_OBJ_CUSTOM, WS_TABSTOP, false},
};

const WindowKind* kindOf(int itemType) {
  for (const WindowKind& k : kKinds)
    if (k.itemType == itemType) return &k;
  return nullptr;
}

// The window being created right now, for the CBT hook to recognise.
struct Pending {
  const HostCreateBlock* block = nullptr;
  DWORD objectType = 0;
  DWORD mode = 0;
  HWND window = nullptr;
};

Pending g_pending;
HHOOK g_cbtHook = nullptr;
HOSTCREATEPROC g_createCallback = nullptr;
LPVOID g_createContext = nullptr;

LRESULT CALLBACK hostSubclassProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    WindowInfo* info = findWindow(w);
    WNDPROC next = info ? info->hostSubclass : nullptr;
    if (!next) return DefWindowProcA(w, msg, wp, lp);
    recordMessage(w, msg, wp, lp);
    if ((msg == WM_NCCREATE || msg == WM_CREATE) && info->createStyle)
      reinterpret_cast<CREATESTRUCTA*>(lp)->style = LONG(info->createStyle);
    LRESULT result = CallWindowProcA(next, w, msg, wp, lp);
    if (msg == WM_NCDESTROY) unregisterWindow(w);
    return result;
  } catch (...) {
    return 0;
  }
}

void adoptCreatedWindow(HWND w, CREATESTRUCTA* cs) {
  const HostCreateBlock* block = g_pending.block;
  g_pending.window = w;
  WindowInfo& info = registerWindow(w, g_pending.objectType);
  mapItem(w, block->outline, block->item);
  if (!(g_pending.mode & HOST_CREATE_NOSUBCLASS))
    info.hostSubclass = WNDPROC(SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(hostSubclassProc)));
  if (!g_createCallback) return;
  LONG style = cs->style;
  g_createCallback(w, cs, block->outline, block->item, g_createContext);
  // The system may hand the hook a copy of the creation structure: a style
  // the callback changed is applied to the window, and the host's subclass
  // writes it into the structure that WM_NCCREATE and WM_CREATE carry.
  if (cs->style != style) {
    SetWindowLongA(w, GWL_STYLE, cs->style);
    if (WindowInfo* again = findWindow(w)) again->createStyle = cs->style;
  }
}

LRESULT CALLBACK cbtProc(int code, WPARAM wp, LPARAM lp) {
  try {
    HWND w = HWND(wp);
    if (code == HCBT_CREATEWND && g_pending.block) {
      CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs;
      if (cs->lpCreateParams == g_pending.block) adoptCreatedWindow(w, cs);
    } else if (code == HCBT_DESTROYWND) {
      WindowInfo* info = findWindow(w);
      if (info && !info->hostSubclass && info->item) unregisterWindow(w);
    }
  } catch (...) {
  }
  return CallNextHookEx(g_cbtHook, code, wp, lp);
}

struct Placement {
  int x = 10, y = 10, width = 120, height = 24;
};

Placement placementOf(const Item& item, bool frame) {
  Placement p;
  if (frame) p = {0, 0, 400, 300};
  auto rect = item.attributes.find(HOST_ATTR_RECT);
  if (rect != item.attributes.end()) sscanf(rect->second.c_str(), "%d %d %d %d", &p.x, &p.y, &p.width, &p.height);
  return p;
}

DWORD extraStyleOf(const Item& item) {
  auto style = item.attributes.find(HOST_ATTR_STYLE);
  return style == item.attributes.end() ? 0 : DWORD(strtoul(style->second.c_str(), nullptr, 0));
}

class Creator {
public:
  Creator(HOUTLINE outline, DWORD mode, DWORD extra) : outline_(outline), mode_(mode), extra_(extra) {}

  HWND create(Item& item, HWND parent) {
    const WindowKind* kind = kindOf(item.type);
    if (!kind) return nullptr;
    bool frame = item.type == HOST_ITEM_FORM || item.type == HOST_ITEM_DIALOG;
    if (!frame && !parent) return nullptr;
    std::string className = kind->className ? kind->className : "";
    auto classAttr = item.attributes.find(HOST_ATTR_CLASS);
    if (classAttr != item.attributes.end()) className = classAttr->second;
    if (className.empty()) return nullptr;
    auto title = item.attributes.find(HOST_ATTR_TITLE);
    std::string text = title != item.attributes.end() ? title->second : kind->namedByItem ? itemName(item) : "";
    Placement at = placementOf(item, frame);
    DWORD style = kind->style | WS_VISIBLE | extraStyleOf(item);
    if (frame && parent)
      style |= WS_CHILD | WS_CAPTION | WS_CLIPSIBLINGS;
    else if (frame)
      style |= item.type == HOST_ITEM_FORM ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_CAPTION | WS_SYSMENU;
    else
      style |= WS_CHILD | WS_CLIPSIBLINGS;
    HostCreateBlock block{sizeof(HostCreateBlock), DWORD(mode_ & HOST_CREATE_RUNTIME), extra_, outline_,
                          item.handle};
    HMENU id = frame && !parent ? nullptr : HMENU(UINT_PTR(100 + nextId_++));
    Pending saved = g_pending;
    g_pending = {&block, kind->objectType, mode_, nullptr};
    HWND w = CreateWindowExA(0, className.c_str(), text.c_str(), style, at.x, at.y, at.width, at.height, parent, id,
                             GetModuleHandleA(nullptr), &block);
    HWND seen = g_pending.window;
    g_pending = saved;
    if (!w) {
      if (seen) unregisterWindow(seen);
      return nullptr;
    }
    if (mode_ & HOST_CREATE_NOCHILDREN) return w;
    for (Item* child : item.children) {
      // Table windows need their column records: the application makes them.
      if (!kindOf(child->type)) continue;
      if (!create(*child, w)) {
        DestroyWindow(w);
        return nullptr;
      }
    }
    return w;
  }

private:
  HOUTLINE outline_;
  DWORD mode_, extra_;
  int nextId_ = 0;
};

} // namespace

void removeCreationHook() {
  if (g_cbtHook) UnhookWindowsHookEx(g_cbtHook);
  g_cbtHook = nullptr;
}

} // namespace hostrt

using namespace hostrt;

extern "C" {

HOSTCREATEPROC HOSTAPI HostSetCreateCallback(HOSTCREATEPROC callback, LPVOID context) {
  HOSTCREATEPROC previous = g_createCallback;
  g_createCallback = callback;
  g_createContext = context;
  return previous;
}

HWND HOSTAPI HostCreateWindow(HOUTLINE outline, HITEM item, HWND parent, DWORD mode, DWORD extra) {
  return guarded<HWND>(nullptr, [&]() -> HWND {
    Item* it = findTreeItem(outline, item);
    if (!it || (parent && !IsWindow(parent))) return nullptr;
    if (!g_cbtHook) g_cbtHook = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
    if (!g_cbtHook) return nullptr;
    return Creator(outline, mode, extra).create(*it, parent);
  });
}

} // extern "C"
