// outkit.dll: the outline kit. Tools walk and edit the application outline
// loaded in the host through these calls.
//
// Thirty-four calls hand their arguments, in order, to the host runtime's
// outline operation of the same name (see hostrt.h for what each does and
// its failure value); outkit.dll binds those operations by ordinal. The six
// enumerators at the end are the kit's own.
#pragma once
#include "hostrt.h"

#ifdef __cplusplus
extern "C" {
#endif

#define ODKAPI __stdcall

// --- properties ------------------------------------------------------------
// Stores the text and its terminator as the named property (the host keeps
// at most 65535 bytes: a longer text, or a NULL one, is refused with 0).
LONG ODKAPI ODKSetStrProperty(HOUTLINE outline, HITEM item, LPCSTR name, LPCSTR text);
BOOL ODKAPI ODKGetStrProperty(HOUTLINE outline, HITEM item, LPCSTR name, HSTRING* value);
BOOL ODKAPI ODKRemoveStrProperty(HOUTLINE outline, HITEM item, LPCSTR name);
LONG ODKAPI ODKEnumStrProps(HOUTLINE outline, HITEM item, HARRAY names);
// Tells the host that a property of the item changed.
BOOL ODKAPI ODKNotifyPropertyChange(HOUTLINE outline, HITEM item);

// --- walking the tree ------------------------------------------------------
HITEM ODKAPI ODKGetTopItem(HOUTLINE outline);
HITEM ODKAPI ODKChildOfType(HOUTLINE outline, HITEM parent, LONG type, LONG flag);
HITEM ODKAPI ODKFirstChild(HOUTLINE outline, HITEM item);
HITEM ODKAPI ODKLastChild(HOUTLINE outline, HITEM item);
HITEM ODKAPI ODKNextSibling(HOUTLINE outline, HITEM item);
HITEM ODKAPI ODKPrevSibling(HOUTLINE outline, HITEM item);
HITEM ODKAPI ODKParent(HOUTLINE outline, HITEM item);

// --- items -----------------------------------------------------------------
LONG ODKAPI ODKItemType(HOUTLINE outline, HITEM item);
BOOL ODKAPI ODKGetItemText(HOUTLINE outline, HITEM item, LONG flag, HSTRING* text);
LONG ODKAPI ODKGetItemTypeText(HOUTLINE outline, HITEM item, LONG attribute, LPSTR buffer, LONG size);
BOOL ODKAPI ODKSetItemTypeText(HOUTLINE outline, HITEM item, LONG attribute, LPCSTR text, LONG length);
BOOL ODKAPI ODKSetObjectClass(HOUTLINE outline, HITEM item, LPCSTR className);
HSTRING ODKAPI ODKGetItemTitle(HOUTLINE outline, HITEM item);
BOOL ODKAPI ODKSetItemData(HOUTLINE outline, HITEM item, LONG type, LPCSTR text);
HITEM ODKAPI ODKCreateItem(HOUTLINE outline, LONG type);
BOOL ODKAPI ODKInsertItem(HOUTLINE outline, HITEM item, HITEM parent, HITEM after);
BOOL ODKAPI ODKDeleteItem(HOUTLINE outline, HITEM item);
BOOL ODKAPI ODKIsItemIncluded(HOUTLINE outline, HITEM item);
LONG ODKAPI ODKRefreshInclude(HOUTLINE outline, HITEM item);
BOOL ODKAPI ODKItemChangeUpdate(HOUTLINE outline, HITEM item, LONG flag);
HWND ODKAPI ODKWindowOfItem(HOUTLINE outline, HITEM item);
BOOL ODKAPI ODKIsThisAWindow(HOUTLINE outline, HITEM item);
LONG ODKAPI ODKItemGetLineCount(HOUTLINE outline, HITEM item);

// --- the application -------------------------------------------------------
HOUTLINE ODKAPI ODKLoadApp(LPCSTR fileName);
BOOL ODKAPI ODKReleaseApp(HOUTLINE outline);
BOOL ODKAPI ODKOutlineSave(HOUTLINE outline, LPCSTR fileName);
BOOL ODKAPI ODKOutlineSaveAsText(HOUTLINE outline, LPCSTR fileName, LONG flags);
BOOL ODKAPI ODKMarkApplicationChanged(HOUTLINE outline);
BOOL ODKAPI ODKMarkApplicationUncompiled(HOUTLINE outline);

// --- enumerators -----------------------------------------------------------
// Each looks up the section: the first item of `type` anywhere below
// `parent` (nearer levels first), and walks the section's children,
// passing over comment items (type 188). No section gives 0.
//
// The array-filling ones append after the array's last element (at its
// lower bound when it is empty) and return how many children they
// visited; 0, with the array as it was, when the array is unknown or not
// of the kind they fill. When an element cannot be added they stop and
// return 0 (elements added before stay).
//
// Object-handle elements (arrays of HOST_TYPE_OBJECT): three host numbers
// at offsets 0, 13 and 26 -- the outline, the item and 1.
#define ODK_OBJECT_OUTLINE 0
#define ODK_OBJECT_ITEM 13
#define ODK_OBJECT_FLAG 26

// The children whose property "DATASOURCE" is exactly "YES" (case matters;
// the property's text ends at its first zero byte), as object handles.
LONG ODKAPI ODKEnumDataSources(HOUTLINE outline, HITEM parent, LONG type, HARRAY objects);
// Every child, as object handles.
LONG ODKAPI ODKEnumObjectHandles(HOUTLINE outline, HITEM parent, LONG type, HARRAY objects);
// Every child's name (its text up to the first '!') or full text, as new
// strings that the array owns. The count includes children whose text
// could not be read (nothing is appended for them).
LONG ODKAPI ODKEnumObjectsByName(HOUTLINE outline, HITEM parent, LONG type, HARRAY strings);
LONG ODKAPI ODKEnumObjectsByText(HOUTLINE outline, HITEM parent, LONG type, HARRAY strings);
// The first child whose name (text up to the first '!') or full text is
// exactly the one given (case matters); 0 when none, or for a NULL text.
HITEM ODKAPI ODKGetChildObjectByName(HOUTLINE outline, HITEM parent, LONG type, LPCSTR name);
HITEM ODKAPI ODKGetChildObjectByText(HOUTLINE outline, HITEM parent, LONG type, LPCSTR text);

#ifdef __cplusplus
}
#endif
