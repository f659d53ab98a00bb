// Column windows: hidden children of the table (id 0x8000 + index) that
// answer the column messages and carry the column's title as window text.
#include "table.h"

#include <algorithm>
#include <cstring>

namespace gridwin {

namespace {

constexpr DWORD kSettableColumnFlags = 0x1A1FFFF;
constexpr DWORD kCommitColumnFlags = 0x1 | 0x2 | 0x4 | 0x10 | 0x800000;
constexpr LPARAM kNoColor = 0x3000000;

struct Column {
  TableData* t;
  int index;
  HWND window;
  ColumnData& data() const { return column(t, index); }
  WORD id() const { return WORD(TBL_COLUMN_ID_BASE + index); }
};

bool findColumn(HWND w, Column& c) {
  if (!GetWindowLongA(w, 0)) return false;  // the record is not attached yet
  HWND table = GetParent(w);
  TableData* t = table ? tableOf(table) : nullptr;
  if (!t) return false;
  int index = GetDlgCtrlID(w) - TBL_COLUMN_ID_BASE;
  if (index < 0 || index >= t->columnCount) return false;
  c = Column{t, index, w};
  return true;
}

bool contextHasData(const Column& c) { return c.t->store && (rowFlags(c.t, c.t->contextRow) & TBL_ROW_PRESENT); }

void cellChanged(const Column& c) {
  // A row being fetched is painted by whoever asked for it: repainting it
  // now would paint the page twice.
  if (c.t->tableFlags & TF_FETCHING) return;
  if (c.t->view.repaintRows) c.t->view.repaintRows(c.t, c.t->contextRow, c.t->contextRow, 0, false);
}

LRESULT setCellText(const Column& c, LPARAM lp) {
  if (!contextHasData(c)) return 0;
  ColumnData& d = c.data();
  LONG row = c.t->contextRow;
  if (d.dataType == 1 && (lp == 10002 || lp == 10003)) {
    WORD value = WORD(lp);
    if (!c.t->store->setCountedValue(row, c.index, &value, 2)) return 0;
    cellChanged(c);
    return 1;
  }
  const char* text = lp ? reinterpret_cast<const char*>(lp) : "";
  LONG limit = d.dataType == 1 ? std::max<LONG>(0, d.maxDataLength - 4) : d.maxDataLength;
  LONG length = std::min<LONG>(lstrlenA(text), limit);
  char local[256];
  char* copy = length < LONG(sizeof local) ? local : static_cast<char*>(tableAlloc(c.t, length + 1));
  if (!copy) {
    notify(c.t, TBLN_ERROR, c.id());
    return 0;
  }
  std::memcpy(copy, text, length);
  if (d.columnFlags & TBLCF_LOWERCASE)
    CharLowerBuffA(copy, length);
  else if (d.columnFlags & TBLCF_UPPERCASE)
    CharUpperBuffA(copy, length);
  bool ok = d.dataType == 1 ? c.t->store->setCountedValue(row, c.index, copy, length)
                            : c.t->store->setCell(row, c.index, copy, length);
  if (copy != local) tableFree(copy);
  if (!ok) {
    notify(c.t, TBLN_ERROR, c.id());
    return 0;
  }
  cellChanged(c);
  return 1;
}

LRESULT setCellData(const Column& c, const TBLCELLDATA* data) {
  ColumnData& d = c.data();
  if (!data || d.dataType != 1 || !contextHasData(c)) return 0;
  LONG length = std::clamp<LONG>(data->length, 0, std::max<LONG>(0, d.maxDataLength - 4));
  if (length && !data->data) return 0;
  if (!c.t->store->setCountedValue(c.t->contextRow, c.index, data->data, length)) return 0;
  cellChanged(c);
  return 1;
}

LRESULT setCellColor(const Column& c, WPARAM keepRow, LPARAM color) {
  if (!contextHasData(c)) return 0;
  LONG row = c.t->contextRow;
  bool ok = DWORD(color) >= DWORD(kNoColor) ? c.t->store->clearCellColor(row, c.index)
                                            : c.t->store->setCellColor(row, c.index, DWORD(color), keepRow != 1);
  if (ok) cellChanged(c);
  return ok;
}

LRESULT getCellColor(const Column& c) {
  CellView cell;
  if (contextHasData(c) && c.t->store->cell(c.t->contextRow, c.index, cell) && cell.colored) return cell.color;
  if (auto hook = TblCellColorHook(c.t->hooks[TBLH_CELLCOLOR])) {
    HWND table = c.t->window;
    HDC dc = GetDC(table);
    COLORREF color = hook(table, dc) ? GetTextColor(dc) : GetSysColor(COLOR_WINDOWTEXT);
    ReleaseDC(table, dc);
    return color;
  }
  return GetSysColor(COLOR_WINDOWTEXT);
}

LRESULT setWidth(const Column& c, LONG width) {
  width = std::max(width, c.t->charWidth);
  if (width == c.data().width) return 0;
  c.data().width = width;
  if (c.t->view.layoutChanged) c.t->view.layoutChanged(c.t, VC_EXTENT);
  notify(c.t, TBLN_COLRESIZED, c.id());
  return 1;
}

int positionOf(const Column& c) {
  for (int pos = 0; pos < c.t->columnCount; ++pos)
    if (c.t->order[pos] == c.index) return pos;
  return -1;
}

LRESULT setPosition(const Column& c, LONG position) {
  int from = positionOf(c);
  if (from < 0 || position < 0 || position >= c.t->columnCount) return 0;
  moveColumn(c.t, from, position);
  if (c.t->view.layoutChanged) c.t->view.layoutChanged(c.t, VC_COLUMNORDER);
  notify(c.t, TBLN_COLMOVED, c.id());
  return 1;
}

LRESULT setColumnFlags(Column c, bool set, DWORD mask) {
  mask &= kSettableColumnFlags;
  ColumnData& d = c.data();
  DWORD next = set ? d.columnFlags | mask : d.columnFlags & ~mask;
  DWORD changed = next ^ d.columnFlags;
  if (changed & kCommitColumnFlags) {
    HWND w = c.window;
    if (!commit(c.t) || !findColumn(w, c)) return 0;
  }
  c.data().columnFlags = next;
  if (c.t->view.columnFlagsChanged) c.t->view.columnFlagsChanged(c.t, c.index, changed);
  if (changed & TBLCF_SELECTED) notify(c.t, (next & TBLCF_SELECTED) ? TBLN_COLFLAGSET : TBLN_COLFLAGCLEARED, c.id());
  return 1;
}

LRESULT setTitle(const Column& c, const char* text) {
  char* title = copyText(c.t, text);
  if (!title) return FALSE;
  tableFree(c.data().title);
  c.data().title = title;
  if (c.t->view.layoutChanged) c.t->view.layoutChanged(c.t, VC_TITLE);
  return TRUE;
}

LRESULT getTitle(const Column& c, WPARAM size, char* buffer) {
  const char* title = c.data().title ? c.data().title : "";
  LONG length = lstrlenA(title);
  if (!buffer || LONG(size) <= 0) return 0;
  LONG n = std::min<LONG>(length, LONG(size) - 1);
  std::memcpy(buffer, title, n);
  buffer[n] = 0;
  return n;
}

LRESULT format(const Column& c, UINT msg, WPARAM kind, LPARAM lp) {
  ColumnData& d = c.data();
  if (kind != 1) return 0;
  switch (msg) {
  case TBLM_SETFORMAT: {
    auto* data = reinterpret_cast<const TBLCELLDATA*>(lp);
    if (!data || data->length < 0 || (data->length && !data->data)) return 0;
    void* copy = nullptr;
    if (data->length) {
      copy = tableAlloc(c.t, data->length);
      if (!copy) {
        notify(c.t, TBLN_ERROR, c.id());
        return 0;
      }
      std::memcpy(copy, data->data, data->length);
    }
    tableFree(d.formatData);
    d.formatData = copy;
    d.formatLength = data->length;
    d.formatKind = 1;
    return 1;
  }
  case TBLM_GETFORMAT: {
    auto* out = reinterpret_cast<const TBLBUFFER*>(lp);
    if (!out || !out->buffer || out->size < 0) return 0;
    LONG n = std::min(out->size, d.formatLength);
    if (n > 0) std::memcpy(out->buffer, d.formatData, n);
    return n;
  }
  case TBLM_GETFORMATLENGTH:
    return d.formatKind == 1 ? d.formatLength : 0;
  }
  return 0;
}

// EM_GETMODIFY / EM_SETMODIFY on the context row's cell.
LRESULT cellModified(const Column& c, UINT msg, WPARAM wp) {
  if (!contextHasData(c)) return 0;
  if (msg == EM_SETMODIFY) return c.t->store->setCellModified(c.t->contextRow, c.index, wp != 0);
  CellView cell;
  return c.t->store->cell(c.t->contextRow, c.index, cell) && cell.modified;
}

void destroyed(Column c) {
  if (c.t->building) return;  // a creation that failed: nothing the host knew of
  HWND w = c.window;
  if (auto hook = TblColumnDestroyedHook(c.t->hooks[TBLH_COLUMNDESTROYED])) hook(WM_DESTROY, w, 0);
  if (!findColumn(w, c)) return;
  notify(c.t, TBLN_DESTROY, c.id());
  if (!findColumn(w, c)) return;
  commit(c.t);
  if (!findColumn(w, c)) return;
  if (c.data().dropDown && IsWindow(c.data().dropDown)) DestroyWindow(c.data().dropDown);
  c.data().dropDown = nullptr;
}

bool handle(Column& c, UINT msg, WPARAM wp, LPARAM lp, LRESULT& r) {
  ColumnData& d = c.data();
  switch (msg) {
  case WM_DESTROY: destroyed(c); r = 0; return true;
  case WM_SETFOCUS: SetFocus(c.t->editor ? c.t->editor : c.t->window); r = 0; return true;
  case WM_SETTEXT: r = setTitle(c, reinterpret_cast<const char*>(lp)); return true;
  case WM_GETTEXT: r = getTitle(c, wp, reinterpret_cast<char*>(lp)); return true;
  case WM_GETTEXTLENGTH: r = lstrlenA(d.title); return true;
  case EM_GETMODIFY:
  case EM_SETMODIFY:
    if (!isActive(c.t)) return false;
    r = cellModified(c, msg, wp);
    return true;
  case TBLM_SETCELLTEXT: r = setCellText(c, lp); return true;
  case TBLM_GETDATATYPE: r = d.dataType; return true;
  case TBLM_GETWIDTH: r = d.width; return true;
  case TBLM_GETPOSITION: r = positionOf(c); return true;
  case TBLM_SETPOSITION: r = setPosition(c, LONG(lp)); return true;
  case TBLM_SETWIDTH: r = setWidth(c, LONG(lp)); return true;
  case TBLM_QUERYCOLFLAGS: r = (d.columnFlags & DWORD(lp)) != 0; return true;
  case TBLM_SETCOLFLAGS: r = setColumnFlags(c, wp != 0, DWORD(lp)); return true;
  case TBLM_SETCELLDATA: r = setCellData(c, reinterpret_cast<const TBLCELLDATA*>(lp)); return true;
  case TBLM_SETMAXLENGTH:
    d.maxDataLength = std::clamp<LONG>(LONG(lp), 0, kMaxDataLength);
    if (d.dataType == 1) d.maxDataLength = std::min<LONG>(d.maxDataLength + 4, kMaxDataLength);
    if (c.t->editor) SendMessageA(c.t->editor, EM_LIMITTEXT, d.maxDataLength, 0);
    r = 1;
    return true;
  case TBLM_SETCELLCOLOR: r = setCellColor(c, wp, lp); return true;
  case TBLM_GETCELLCOLOR: r = getCellColor(c); return true;
  case TBLM_GETMAXLENGTH: r = d.maxDataLength; return true;
  case TBLM_SETFORMPOS:
  case TBLM_GETFORMPOS:
    if ((c.t->viewType != 2 && c.t->viewType != 3) || !(c.t->tableFlags & TF_FORMCONTROLS)) return r = 0, true;
    if (msg == TBLM_GETFORMPOS) return r = MAKELONG(d.formX, d.formY), true;
    d.formX = SHORT(LOWORD(lp));
    d.formY = SHORT(HIWORD(lp));
    InvalidateRect(c.t->window, nullptr, FALSE);
    r = 1;
    return true;
  case TBLM_SETCOLSTATE:
    d.extra3 = wp ? d.extra3 | (lp & 0xFFF) : d.extra3 & ~DWORD(lp & 0xFFF);
    r = 1;
    return true;
  case TBLM_QUERYCOLSTATE: r = (d.extra3 & DWORD(lp) & 0xFFF) != 0; return true;
  case TBLM_GETDROPDOWN: r = LRESULT(d.dropDown); return true;
  case TBLM_SETCELLKIND:
  case TBLM_SETHOSTDROPDOWN:
    r = 0;  // replacing a cell's drop-down comes with cell editing
    return true;
  case TBLM_GETCELLKIND: r = d.cellKind; return true;
  case TBLM_GETCOLEXTRA: r = d.extra2; return true;
  case TBLM_SETCOLEXTRA: d.extra2 = DWORD(lp); r = 1; return true;
  case TBLM_SETFORMAT: case TBLM_GETFORMAT: case TBLM_GETFORMATLENGTH: r = format(c, msg, wp, lp); return true;
  }
  return false;
}

} // namespace

LRESULT CALLBACK ColumnProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    if (msg == WM_NCCREATE) SetClassLongA(w, 0, TBL_COLUMN_CLASS_MARK);
    Column c;
    LRESULT r = 0;
    if (findColumn(w, c) && handle(c, msg, wp, lp, r)) return r;
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

} // namespace gridwin
