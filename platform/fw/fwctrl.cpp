// CListCtrl and CEdit.
#include "fwctrl.h"
#include <exception>
#include <string>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)

namespace {
struct SortRun {
  CListCtrl::CompareFunc compare;
  LPARAM context;
  std::exception_ptr error;
};

// The list view's comparison callback: no exception may unwind through
// the list view, so the first one is kept and raised after the sort.
int CALLBACK compareGuarded(LPARAM a, LPARAM b, LPARAM runAddress) {
  SortRun* run = reinterpret_cast<SortRun*>(runAddress);
  if (run->error) return 0;
  try {
    return run->compare(a, b, run->context);
  } catch (...) {
    run->error = std::current_exception();
  }
  return 0;
}
}  // namespace

BOOL CListCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return CWnd::Create(WC_LISTVIEWA, "", style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width, int subItem) {
  LVCOLUMNA c = {};
  c.mask = LVCF_FMT | LVCF_TEXT;
  c.fmt = format;
  c.pszText = const_cast<char*>(heading ? heading : "");
  if (width != -1) {
    c.mask |= LVCF_WIDTH;
    c.cx = width;
  }
  if (subItem != -1) {
    c.mask |= LVCF_SUBITEM;
    c.iSubItem = subItem;
  }
  return (int)SendMessage(LVM_INSERTCOLUMNA, column, (LPARAM)&c);
}

int CListCtrl::InsertItem(int index, const char* text, int image) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | (image != -1 ? LVIF_IMAGE : 0);
  item.iItem = index;
  item.pszText = const_cast<char*>(text);
  item.iImage = image;
  return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int index, int subItem, const char* text) {
  LVITEMA item = {};
  item.iSubItem = subItem;
  item.pszText = const_cast<char*>(text);
  return (BOOL)SendMessage(LVM_SETITEMTEXTA, index, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int index, int subItem) const {
  std::string buffer(256, '\0');
  for (;;) {
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    int n = (int)SendMessage(LVM_GETITEMTEXTA, index, (LPARAM)&item);
    if (n < static_cast<int>(buffer.size()) - 1 || buffer.size() >= 65536) {
      buffer.resize(n > 0 ? n : 0);
      return CString(std::move(buffer));
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = static_cast<LPARAM>(data);
  return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
  LVITEMA item = {};
  item.state = state;
  item.stateMask = mask;
  return (BOOL)SendMessage(LVM_SETITEMSTATE, index, (LPARAM)&item);
}

BOOL CListCtrl::SortItems(CompareFunc compare, LPARAM context) {
  SortRun run = {compare, context, nullptr};
  BOOL sorted = (BOOL)SendMessage(LVM_SORTITEMS, (WPARAM)&run, (LPARAM)compareGuarded);
  if (run.error) std::rethrow_exception(run.error);
  return sorted;
}

BOOL CEdit::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  return CWnd::Create("EDIT", "", style, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
  SendMessage(EM_SETSEL, start, end);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}
