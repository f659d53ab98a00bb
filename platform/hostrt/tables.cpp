// The host's operations on a table window, over the table's messages. The
// host numbers columns from 1 and starts row searches at
// HOST_TBL_SEARCH_START; the table counts positions from 0 and starts at
// TBL_ROW_NONE.
#include "gridwin.h"
#include "runtime.h"

#include <map>

namespace {

bool hasClassMark(HWND w, DWORD mark) { return IsWindow(w) && DWORD(GetClassLongA(w, 0)) == mark; }
bool isTable(HWND w) { return hasClassMark(w, TBL_TABLE_CLASS_MARK); }
bool isColumn(HWND w) { return hasClassMark(w, TBL_COLUMN_CLASS_MARK); }

} // namespace

extern "C" {

BOOL HOSTAPI HostTblQueryRowFlag(HWND table, LONG row, WORD flags) {
  return isTable(table) && SendMessageA(table, TBLM_QUERYROWFLAGS, flags, row) != 0;
}

BOOL HOSTAPI HostTblFindNextRow(HWND table, LONG* row, WORD flags, WORD excluded) {
  if (!isTable(table) || !row) return FALSE;
  TBLFINDROW find{*row == HOST_TBL_SEARCH_START ? TBL_ROW_NONE : *row, flags, excluded};
  if (SendMessageA(table, TBLM_FINDNEXTROW, 0, LPARAM(&find)) != 1) return FALSE;
  *row = find.row;
  return TRUE;
}

BOOL HOSTAPI HostTblSetContextRow(HWND table, LONG row) {
  return isTable(table) && SendMessageA(table, TBLM_SETCONTEXTROW, 0, row) == 1;
}

HWND HOSTAPI HostTblColumnAt(HWND table, LONG position) {
  if (!isTable(table) || position < 1) return nullptr;
  LRESULT index = SendMessageA(table, TBLM_GETCOLUMNATPOSITION, WPARAM(position - 1), 0);
  if (index < 0) return nullptr;
  HWND column = HWND(SendMessageA(table, TBLM_GETCOLUMNWINDOW, WPARAM(index), 0));
  return isColumn(column) ? column : nullptr;
}

LONG HOSTAPI HostTblColumnPosition(HWND column) {
  if (!isColumn(column)) return 0;
  LRESULT position = SendMessageA(column, TBLM_GETPOSITION, 0, 0);
  return position < 0 ? 0 : LONG(position + 1);
}

BOOL HOSTAPI HostTblQueryColumnFlag(HWND column, DWORD flags) {
  return isColumn(column) && SendMessageA(column, TBLM_QUERYCOLFLAGS, 0, LPARAM(flags)) != 0;
}

BOOL HOSTAPI HostTblSetColumnFlag(HWND column, DWORD flags, BOOL on) {
  if (!isColumn(column)) return FALSE;
  SendMessageA(column, TBLM_SETCOLFLAGS, on ? 1 : 0, LPARAM(flags));
  return TRUE;
}

BOOL HOSTAPI HostTblSetCellColor(HWND column, COLORREF color) {
  if (!isColumn(column)) return FALSE;
  SendMessageA(column, TBLM_SETCELLCOLOR, 0, LPARAM(color));
  return TRUE;
}

} // extern "C"

// The host's side of a table's row fetches: rows served from a string
// array, row-major, `columns` cells a row.
namespace {

struct RowSource {
  HARRAY cells;
  LONG columns;
};
std::map<HWND, RowSource> g_rowSources;

LRESULT __stdcall serveRow(UINT, HWND table, LONG row) {
  try {
    auto it = g_rowSources.find(table);
    if (it == g_rowSources.end()) return 0;
    LONG count = 0, lower = 0, upper = 0;
    if (!HostArrayGetBounds(it->second.cells, &count, &lower, &upper)) return 0;
    LONG columns = it->second.columns;
    if (row < 0 || row >= count / columns) return 2;
    for (LONG c = 0; c < columns; ++c) {
      HSTRING cell = 0;
      HostArrayGetString(it->second.cells, lower + row * columns + c, &cell);
      const char* text = cell ? HostStrLock(cell, nullptr) : "";
      SendMessageA(table, TBLM_SETCELLTEXT, WPARAM(c), LPARAM(text));
    }
    return 1;
  } catch (...) {
    return 0;
  }
}

} // namespace

extern "C" BOOL HOSTAPI HostTblServeRows(HWND table, HARRAY cells, LONG columns) {
  return hostrt::guarded<BOOL>(FALSE, [&] {
    if (!isTable(table)) return FALSE;
    if (!cells) {
      g_rowSources.erase(table);
      SendMessageA(table, TBLM_SETHOOK, TBLH_FETCHROW, 0);
      return TRUE;
    }
    LONG type = HostArrayGetType(cells);
    if ((type != HOST_TYPE_STRING && type != HOST_TYPE_LONGSTRING) || columns < 1) return FALSE;
    g_rowSources[table] = {cells, columns};
    SendMessageA(table, TBLM_SETHOOK, TBLH_FETCHROW, LPARAM(serveRow));
    if (!SendMessageA(table, TBLM_ISACTIVE, 0, 0)) SendMessageA(table, TBLM_ACTIVATE, 1, 0);
    LONG count = 0;
    HostArrayGetBounds(cells, &count, nullptr, nullptr);
    TBLROWPAIR range{0, count / columns - 1};
    SendMessageA(table, TBLM_SETRANGE, 0, LPARAM(&range));
    return TRUE;
  });
}
