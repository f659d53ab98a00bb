// The calls the host runtime answers itself: each hands its arguments on,
// in order, to the outline operation of the same name.
#include "outkit.h"

#include <cstring>

extern "C" {

LONG ODKAPI ODKSetStrProperty(HOUTLINE outline, HITEM item, LPCSTR name, LPCSTR text) {
  // The host takes the size, terminator included, as 16 bits: a text that
  // does not fit is refused rather than stored cut short.
  if (!text) return 0;
  size_t size = strlen(text) + 1;
  if (size > 0xFFFF) return 0;
  return HostSetStrProperty(outline, item, name, text, WORD(size));
}

BOOL ODKAPI ODKGetStrProperty(HOUTLINE outline, HITEM item, LPCSTR name, HSTRING* value) {
  return HostGetStrProperty(outline, item, name, value);
}

BOOL ODKAPI ODKRemoveStrProperty(HOUTLINE outline, HITEM item, LPCSTR name) {
  return HostRemoveStrProperty(outline, item, name);
}

LONG ODKAPI ODKEnumStrProps(HOUTLINE outline, HITEM item, HARRAY names) {
  return HostEnumStrProps(outline, item, names);
}

BOOL ODKAPI ODKNotifyPropertyChange(HOUTLINE outline, HITEM item) {
  return HostNotifyPropertyChange(outline, item, 1, 0, 0);
}

HITEM ODKAPI ODKGetTopItem(HOUTLINE outline) { return HostGetTopItem(outline); }

HITEM ODKAPI ODKChildOfType(HOUTLINE outline, HITEM parent, LONG type, LONG flag) {
  return HostChildOfType(outline, parent, type, flag);
}

HITEM ODKAPI ODKFirstChild(HOUTLINE outline, HITEM item) { return HostFirstChild(outline, item); }
HITEM ODKAPI ODKLastChild(HOUTLINE outline, HITEM item) { return HostLastChild(outline, item); }
HITEM ODKAPI ODKNextSibling(HOUTLINE outline, HITEM item) { return HostNextSibling(outline, item); }
HITEM ODKAPI ODKPrevSibling(HOUTLINE outline, HITEM item) { return HostPrevSibling(outline, item); }
HITEM ODKAPI ODKParent(HOUTLINE outline, HITEM item) { return HostParent(outline, item); }

LONG ODKAPI ODKItemType(HOUTLINE outline, HITEM item) { return HostItemType(outline, item); }

BOOL ODKAPI ODKGetItemText(HOUTLINE outline, HITEM item, LONG flag, HSTRING* text) {
  return HostGetItemText(outline, item, flag, text);
}

LONG ODKAPI ODKGetItemTypeText(HOUTLINE outline, HITEM item, LONG attribute, LPSTR buffer, LONG size) {
  return HostGetItemTypeText(outline, item, attribute, buffer, size);
}

BOOL ODKAPI ODKSetItemTypeText(HOUTLINE outline, HITEM item, LONG attribute, LPCSTR text, LONG length) {
  return HostSetItemTypeText(outline, item, attribute, text, length);
}

BOOL ODKAPI ODKSetObjectClass(HOUTLINE outline, HITEM item, LPCSTR className) {
  return HostSetObjectClass(outline, item, className);
}

HSTRING ODKAPI ODKGetItemTitle(HOUTLINE outline, HITEM item) { return HostGetItemTitle(outline, item); }

BOOL ODKAPI ODKSetItemData(HOUTLINE outline, HITEM item, LONG type, LPCSTR text) {
  return HostSetItemData(outline, item, type, text);
}

HITEM ODKAPI ODKCreateItem(HOUTLINE outline, LONG type) { return HostCreateItem(outline, type); }

BOOL ODKAPI ODKInsertItem(HOUTLINE outline, HITEM item, HITEM parent, HITEM after) {
  return HostInsertItem(outline, item, parent, after);
}

BOOL ODKAPI ODKDeleteItem(HOUTLINE outline, HITEM item) { return HostDeleteItem(outline, item); }
BOOL ODKAPI ODKIsItemIncluded(HOUTLINE outline, HITEM item) { return HostIsItemIncluded(outline, item); }
LONG ODKAPI ODKRefreshInclude(HOUTLINE outline, HITEM item) { return HostRefreshInclude(outline, item); }

BOOL ODKAPI ODKItemChangeUpdate(HOUTLINE outline, HITEM item, LONG flag) {
  return HostItemChangeUpdate(outline, item, flag);
}

HWND ODKAPI ODKWindowOfItem(HOUTLINE outline, HITEM item) { return HostWindowOfItem(outline, item); }
BOOL ODKAPI ODKIsThisAWindow(HOUTLINE outline, HITEM item) { return HostIsThisAWindow(outline, item); }
LONG ODKAPI ODKItemGetLineCount(HOUTLINE outline, HITEM item) { return HostItemGetLineCount(outline, item); }

HOUTLINE ODKAPI ODKLoadApp(LPCSTR fileName) { return HostLoadApp(fileName); }
BOOL ODKAPI ODKReleaseApp(HOUTLINE outline) { return HostReleaseApp(outline); }
BOOL ODKAPI ODKOutlineSave(HOUTLINE outline, LPCSTR fileName) { return HostOutlineSave(outline, fileName); }

BOOL ODKAPI ODKOutlineSaveAsText(HOUTLINE outline, LPCSTR fileName, LONG flags) {
  return HostOutlineSaveAsText(outline, fileName, flags);
}

BOOL ODKAPI ODKMarkApplicationChanged(HOUTLINE outline) { return HostMarkApplicationChanged(outline); }
BOOL ODKAPI ODKMarkApplicationUncompiled(HOUTLINE outline) { return HostMarkApplicationUncompiled(outline); }

} // extern "C"
