// Objects over system controls: CListCtrl (SysListView32) and CEdit.
#pragma once
#include "fwwnd.h"

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
public:
  // Creates the list view (registering the common controls first).
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
  int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  BOOL DeleteColumn(int column) { return (BOOL)SendMessage(LVM_DELETECOLUMN, column); }
  int GetColumnWidth(int column) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, column); }
  BOOL SetColumnWidth(int column, int width) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)); }
  int InsertItem(const LVITEMA* item) { return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)item); }
  int InsertItem(int index, const char* text, int image = -1);
  BOOL SetItem(const LVITEMA* item) { return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)item); }
  BOOL GetItem(LVITEMA* item) const { return (BOOL)SendMessage(LVM_GETITEMA, 0, (LPARAM)item); }
  BOOL SetItemText(int index, int subItem, const char* text);
  CString GetItemText(int index, int subItem) const;
  BOOL SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  BOOL SetItemState(int index, UINT state, UINT mask);
  UINT GetItemState(int index, UINT mask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, index, mask); }
  int GetNextItem(int start, int flags) const { return (int)SendMessage(LVM_GETNEXTITEM, start, flags); }
  BOOL DeleteItem(int index) { return (BOOL)SendMessage(LVM_DELETEITEM, index); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
  BOOL EnsureVisible(int index, BOOL partialOk) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, index, partialOk); }
  COLORREF GetBkColor() const { return (COLORREF)SendMessage(LVM_GETBKCOLOR); }
  BOOL SetBkColor(COLORREF c) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, c); }
  COLORREF GetTextColor() const { return (COLORREF)SendMessage(LVM_GETTEXTCOLOR); }
  BOOL SetTextColor(COLORREF c) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, c); }
  COLORREF GetTextBkColor() const { return (COLORREF)SendMessage(LVM_GETTEXTBKCOLOR); }
  BOOL SetTextBkColor(COLORREF c) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, c); }
  // LVSIL_NORMAL or LVSIL_SMALL; returns the list attached before.
  HIMAGELIST SetImageList(HIMAGELIST list, int which) { return (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, which, (LPARAM)list); }
  HIMAGELIST GetImageList(int which) const { return (HIMAGELIST)SendMessage(LVM_GETIMAGELIST, which); }
  HWND GetEditControl() const { return (HWND)SendMessage(LVM_GETEDITCONTROL); }
  HWND GetHeaderCtrl() const { return (HWND)SendMessage(LVM_GETHEADER); }

  // Sorts with a comparison of two items' data; the comparison may raise
  // framework exceptions: the sort then stops comparing and the exception
  // is raised again once the list view has returned.
  typedef int (*CompareFunc)(LPARAM data1, LPARAM data2, LPARAM context);
  BOOL SortItems(CompareFunc compare, LPARAM context);
};

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);
  void LimitText(int maxChars = 0) { SendMessage(EM_LIMITTEXT, maxChars); }
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  DWORD GetSel() const { return (DWORD)SendMessage(EM_GETSEL); }
  void ReplaceSel(const char* text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, (LPARAM)text); }
  BOOL SetReadOnly(BOOL readOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, readOnly); }
  BOOL GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY); }
  void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
};
