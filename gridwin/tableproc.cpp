// The table window procedure: the processing order (pre-filter, view,
// own handling, default) and the table's messages.
#include "flags.h"
#include "hosttools.h"
#include "table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace gridwin {

namespace {

LRESULT defaultProc(TableData* t, HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (t && t->hooks[TBLH_DEFPROC]) return TblMessageHook(t->hooks[TBLH_DEFPROC])(w, msg, wp, lp);
  if (GetWindowLongA(w, GWL_STYLE) & TBLS_MDICHILD) return DefMDIChildProcA(w, msg, wp, lp);
  return DefWindowProcA(w, msg, wp, lp);
}


// Messages the table answers only while a row store is attached.
bool activeOnly(UINT msg) {
  switch (msg) {
  case TBLM_CLEARSELECTION: case TBLM_DELETEROW: case TBLM_FETCHROW: case TBLM_FINDNEXTROW:
  case TBLM_FINDPREVROW: case TBLM_COMMIT: case TBLM_HIDEFOCUS: case TBLM_INVALIDATEROWS:
  case TBLM_GETCONTEXTROW: case TBLM_GETFOCUS: case TBLM_RESETROWS: case TBLM_SCROLLTOROW:
  case TBLM_SETCONTEXTROWDATA: case TBLM_SETCONTEXTROW: case TBLM_SETFOCUSCELL: case TBLM_SETFOCUSROW:
  case TBLM_SETROWFLAGS: case TBLM_SETRANGE: case TBLM_DEBUG: case TBLM_GETCELLTEXT:
  case TBLM_GETROWCELLTEXT: case TBLM_SETCACHE: case TBLM_GETROWCELLTEXTLENGTH: case TBLM_GETCELLTEXTLENGTH:
  case TBLM_INVALIDATEROWHEADERS: case TBLM_SETSPLIT: case TBLM_RECOUNT: case TBLM_SETCACHECOUNTMODE:
  case TBLM_QUERYFLAGS: case TBLM_GETVISIBLEROWCOUNT: case TBLM_GETROWHEADERCOLUMN: case TBLM_SETFILLCHAR:
  case TBLM_GETFILLCHAR: case TBLM_GETSCROLLPOS: case TBLM_GETFOCUSROW: case TBLM_SYNCSPLIT:
  case TBLM_ISRANGEOPEN: case TBLM_GETLASTROW: case TBLM_SETVIEW: case TBLM_GETVALIDATERESULT:
  case TBLM_FETCHSCRATCH: case TBLM_PROCESSREFETCH: case TBLM_SETFORMPOS: case TBLM_GETFORMPOS:
  case TBLM_QUERYSTATE1: case TBLM_DEFINERADIOGROUP: case TBLM_DEFINECHECKBOX: case TBLM_GETCELLTYPEDATALENGTH:
  case TBLM_GETCELLTYPEDATA: case TBLM_GETCELLTYPEEXTRA: case TBLM_SETCELLTYPE: case TBLM_SWAPROWS:
  case TBLM_GETFOCUSCHANGEWINDOW: case TBLM_GETFOCUSPARTNER: case TBLM_QUERYSTATE3: case TBLM_PEEKROWCELLDATA:
  case TBLM_GETPENDINGROW: case TBLM_QUERYSTATE5: case TBLM_REPOSITION: case WM_PAINTICON:
    return true;
  }
  return false;
}

// --- cells -------------------------------------------------------------------

// Copies a cell's text (a counted cell's value) of `row`; the length copied,
// or with size 0 the whole length.
LONG copyCellText(TableData* t, LONG row, int index, char* buffer, LONG size) {
  const uint8_t* value = nullptr;
  uint32_t length = 0;
  if (column(t, index).dataType == 1) {
    t->store->countedValue(row, index, &value, &length);
  } else {
    CellView c;
    if (t->store->cell(row, index, c)) {
      value = c.value;
      length = c.length;
    }
  }
  if (size <= 0 || !buffer) return LONG(length);
  LONG n = std::min<LONG>(LONG(length), size - 1);
  if (n > 0) std::memcpy(buffer, value, n);
  buffer[n] = 0;
  return n;
}

LONG copyCountedValue(TableData* t, LONG row, int index, void* buffer, LONG size) {
  const uint8_t* value = nullptr;
  uint32_t length = 0;
  if (column(t, index).dataType != 1 || !t->store->countedValue(row, index, &value, &length)) return 0;
  if (buffer && size > 0) std::memcpy(buffer, value, std::min<LONG>(size, LONG(length)));
  return LONG(length);
}

// Runs `read` on `row` after fetching it, with the context row restored.
template <class F> LRESULT withFetchedRow(TableData*& t, LONG row, bool fetch, F read) {
  HWND w = t->window;
  LONG context = t->contextRow;
  LRESULT result = 0;
  if (fetch) {
    int got = fetchRow(t, row);
    if (!refresh(t, w)) return 0;
    if (got == 1) result = read();
  } else if (rowFlags(t, row) & TBL_ROW_PRESENT) {
    result = read();
  }
  t->contextRow = context;
  return result;
}

// --- the debug dump ------------------------------------------------------------

void debugDump(TableData* t, LPARAM option) {
  if (option) {
    MessageBoxA(t->window, "bad option", "TblMsgDebug", MB_OK);
    return;
  }
  char* text = static_cast<char*>(HtAlloc(3000));
  if (!text) {
    MessageBoxA(t->window, "can't allocate buffer!", "wsltblDebug", MB_OK);
    return;
  }
  RowStore* s = t->store;
  int n = std::snprintf(text, 3000,
                        "buffers %u (discardable %u), limit %u, discard %s, count %s\r\n"
                        "normal slots %u, gaps %u; split slots %u, gaps %u\r\n"
                        "range %ld..%ld, top %ld, context %ld, focus %ld\r\nrows:",
                        s->allocatedCount(), s->discardableCount(), s->bufferLimit(), s->discardMode() ? "on" : "off",
                        s->countOnlyDiscardable() ? "discardable" : "all", s->slotCount(false), s->gapCount(false),
                        s->slotCount(true), s->gapCount(true), long(t->rangeFirst), long(t->rangeLast),
                        long(t->topRow), long(t->contextRow), long(t->focusRow));
  for (LONG row = TBL_ROW_NONE; n < 2900 && (row = s->findNext(row, TBL_ROW_PRESENT, 0)) != TBL_ROW_SCRATCH;)
    n += std::snprintf(text + n, 3000 - n, " %ld:%04X", long(row), unsigned(s->flags(row)));
  MessageBoxA(t->window, text, "TblMsgDebug cache", MB_OK);
  HtFree(text);
}

// --- the rest of the interface -------------------------------------------------

bool rebuildRows(TableData*& t) {
  if (t->view.rowsReset) t->view.rowsReset(t);
  InvalidateRect(t->window, nullptr, TRUE);
  return true;
}

LRESULT setCache(TableData*& t, WPARAM wp, LPARAM lp) {
  if (!commit(t)) return 0;
  if (!freeStore(t)) return 0;
  t->rowCacheLimit = LOWORD(wp);
  t->tableFlags = HIWORD(lp) ? t->tableFlags | TF_DISCARD : t->tableFlags & ~TF_DISCARD;
  t->rangeFirst = 0;
  t->rangeLast = -1;
  t->focusRow = TBL_ROW_SCRATCH;
  if (LOWORD(lp) && !createStore(t)) return 0;
  rebuildRows(t);
  return 1;
}

LRESULT resetRows(TableData*& t) {
  if (!commit(t)) return 0;
  if (!freeStore(t)) return 0;
  t->rangeFirst = 0;
  t->rangeLast = -1;
  t->splitTop = t->splitFirst = TBL_SPLIT_ROW_BASE;
  t->splitLast = TBL_SPLIT_ROW_EMPTY;
  t->splitRowCount = 0;
  t->focusRow = TBL_ROW_SCRATCH;
  t->focusColumnId = 0;
  t->contextRow = 0;
  t->topRow = 0;
  t->highestFetched = -1;
  bool ok = createStore(t);
  rebuildRows(t);
  return ok;
}

LRESULT setRange(TableData*& t, const TBLROWPAIR* range) {
  if (!range) return 0;
  if (range->first >= 0) {
    if (range->last == TBL_ROW_END) {
      // Open-ended: rows become known as the host delivers them.
      t->tableFlags |= TF_OPENRANGE;
      t->rangeFirst = range->first;
      t->highestFetched = range->first - 1;
      LONG perPage = t->view.rowsPerPage ? t->view.rowsPerPage(t) : 1;
      t->rangeLast = range->first + perPage + 1;
      t->knownRows = perPage + 2;
    } else {
      t->tableFlags &= ~TF_OPENRANGE;
      t->rangeFirst = range->first;
      t->rangeLast = std::max(range->last, range->first - 1);
    }
    if (t->topRow < t->rangeFirst || t->topRow > t->rangeLast) t->topRow = t->rangeFirst;
  } else {
    if (!isSplitRow(range->first)) return 0;
    t->splitFirst = range->first;
    t->splitLast = std::max(range->last, range->first - 1);
    t->splitRowCount = t->splitLast - t->splitFirst + 1;
    if (t->splitTop < t->splitFirst || t->splitTop > t->splitLast) t->splitTop = t->splitFirst;
  }
  if (!(t->tableFlags & TF_RECOUNTING) && t->view.layoutChanged) t->view.layoutChanged(t, VC_RANGE);
  InvalidateRect(t->window, nullptr, FALSE);
  return 1;
}

LRESULT findRow(TableData*& t, TBLFINDROW* find, bool forward) {
  if (!find) return 0;
  LONG row = forward ? t->store->findNext(find->row, find->wanted, find->excluded)
                     : t->store->findPrev(find->row, find->wanted, find->excluded);
  if (row != TBL_ROW_SCRATCH && (t->tableFlags & TF_OPENRANGE) && row > t->highestFetched &&
      !fetchOpenRangeUpTo(t, row))
    row = TBL_ROW_SCRATCH;
  if (row != TBL_ROW_SCRATCH && !inRange(t, row)) row = TBL_ROW_SCRATCH;
  find->row = row;
  return row != TBL_ROW_SCRATCH;
}

LRESULT setFlags(TableData*& t, DWORD publicMask, bool on) {
  DWORD internal = internalFromPublic(publicMask);
  t->tableFlags = on ? t->tableFlags | internal : t->tableFlags & ~internal;
  if (t->store && (publicMask & TBLF_SELECTFOLLOWSFOCUS)) {
    clearSelection(t, 0);
    if (on && inRange(t, t->focusRow)) t->store->changeFlags(t->focusRow, TBL_ROW_SELECTED, true);
  }
  if (t->view.flagsChanged) t->view.flagsChanged(t, publicMask, on);
  return 1;
}

LRESULT setFont(TableData*& t, HFONT font, bool redraw) {
  HFONT old = t->font;
  LONG oldWidth = t->charWidth;
  t->font = font;
  measureFont(t);
  for (int i = 0; i < t->columnCount; ++i) {
    ColumnData& c = column(t, i);
    c.width = (c.width * t->charWidth + oldWidth / 2) / oldWidth;
    c.cellHeight = (c.cellHeight * t->charWidth + oldWidth / 2) / oldWidth;
  }
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_FONT);
  if (redraw) InvalidateRect(t->window, nullptr, TRUE);
  return LRESULT(old);
}

} // namespace

void applyLinesPerRow(TableData* t, LONG lines) {
  t->linesPerRow = lines;
  measureFont(t);
  for (int i = 0; i < t->columnCount; ++i) column(t, i).cellHeight = t->fullRowHeight;
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_LINES);
}

LRESULT getLastRow(TableData*& t) {
  if (t->tableFlags & TF_OPENRANGE) {
    HWND w = t->window;
    auto hook = TblRangeSizeHook(t->hooks[TBLH_RANGESIZE]);
    LONG count = hook ? hook(w) : -1;
    if (!refresh(t, w)) return 0;
    if (count >= 0) {
      t->rangeLast = t->rangeFirst + count - 1;
      t->tableFlags &= ~TF_OPENRANGE;
    } else {
      while ((t->tableFlags & TF_OPENRANGE) && fetchRow(t, t->highestFetched + 1) != 0)
        if (!refresh(t, w)) return 0;
      if (!t) return 0;
    }
    if (t->view.layoutChanged) t->view.layoutChanged(t, VC_RANGE);
  }
  return t->rangeLast;
}

namespace {

LRESULT fetchScratch(TableData*& t, LPARAM argument) {
  t->contextRow = TBL_ROW_SCRATCH;
  UINT id = GetDlgCtrlID(t->window);
  if (auto hook = TblFetchHook(t->hooks[TBLH_FETCHROW])) return hook(id, t->window, LONG(argument));
  TBLFETCHREQUEST request{t->window, LONG(argument)};
  return SendMessageA(GetParent(t->window), WM_USER, id, LPARAM(&request));
}

// Rows that fit the area (1: the split rows).
LONG rowsThatFit(TableData* t, WPARAM area) {
  if (area == 1) return t->view.splitRowsThatFit ? t->view.splitRowsThatFit(t) : 0;
  return t->view.rowsThatFit ? t->view.rowsThatFit(t) : 0;
}

LRESULT getRowRange(TableData* t, WPARAM area, TBLROWRANGE* out) {
  if (!out) return 0;
  LONG visible = rowsThatFit(t, area);
  if (area == 1) {
    if (!(t->tableFlags & TF_SPLIT)) return 0;
    *out = TBLROWRANGE{t->splitTop, t->splitFirst, t->splitLast, std::min(visible, t->splitRowCount)};
  } else {
    *out = TBLROWRANGE{t->topRow, t->rangeFirst, t->rangeLast, visible};
  }
  return 1;
}

LRESULT getVisibleRange(TableData* t, WPARAM area, TBLVISIBLERANGE* out) {
  if (!out) return 0;
  LONG visible = rowsThatFit(t, area);
  LONG top = area == 1 ? t->splitTop : t->topRow;
  LONG last = area == 1 ? t->splitLast : t->rangeLast;
  // The rows the view shows from the top, hidden ones skipped.
  LONG shown = 0, row = top, end = top - 1;
  for (; row <= last && shown < std::max<LONG>(visible, 1); ++row)
    if (!(rowFlags(t, row) & TBL_ROW_HIDDEN)) ++shown, end = row;
  out->first = top;
  out->last = end;
  return 1;
}

LRESULT getMetrics(TableData* t, TBLMETRICS* m) {
  if (!m) return 0;
  m->rowHeight = t->fullRowHeight;
  m->charWidth = t->charWidth;
  m->charHeight = t->charHeight;
  m->cxBorder = t->cxBorder;
  m->cyBorder = t->cyBorder;
  m->halfCharWidth = t->halfCharWidth;
  m->twoCxBorder = t->twoCxBorder;
  if (t->view.extraMetrics) t->view.extraMetrics(t, m);
  return 0;
}

LRESULT setTitle(TableData* t, const char* text) {
  char* title = copyText(t, text);
  if (!title) {
    notify(t, TBLN_ERROR, -1);
    return 0;
  }
  tableFree(t->title);
  t->title = title;
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_TITLE);
  return 0;
}

LRESULT getTitle(TableData* t, WPARAM size, char* buffer) {
  LONG length = lstrlenA(t->title);
  if (!buffer || LONG(size) <= 0) return length;
  LONG n = std::min<LONG>(length, LONG(size) - 1);
  std::memcpy(buffer, t->title, n);
  buffer[n] = 0;
  return n;
}

LRESULT moveColumnNotified(TableData* t, int from, int to) {
  if (from < 0 || from >= t->columnCount || to < 0 || to >= t->columnCount) return 0;
  int index = t->order[from];
  moveColumn(t, from, to);
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_COLUMNORDER);
  notify(t, TBLN_COLMOVED, TBL_COLUMN_ID_BASE + index);
  return 1;
}

LRESULT deleteRowMessage(TableData*& t, WPARAM options, const TBLDELETEROW* args) {
  if (!args) return 0;
  return deleteRow(t, args->row, options & 1, args->notify != 0);
}

LRESULT swapRows(TableData*& t, const TBLROWPAIR* rows) {
  if (!rows || !inRange(t, rows->first) || !inRange(t, rows->last)) return 0;
  if (!t->store->swapRows(rows->first, rows->last)) return 0;
  if (t->view.repaintRows) {
    t->view.repaintRows(t, rows->first, rows->first, 0, false);
    t->view.repaintRows(t, rows->last, rows->last, 0, false);
  }
  return 1;
}

LRESULT setContextRowData(TableData*& t, LONG row) {
  if (!inRange(t, row) && row != TBL_ROW_SCRATCH) return 0;
  t->contextRow = row;
  WORD flags = t->store->flags(row);
  HWND w = t->window;
  if (flags & TBL_ROW_PRESENT) t->store->setFlags(row, flags & ~TBL_ROW_PRESENT);
  bool ok = refresh(t, w) && t->store->setFlags(row, (flags & ~TBL_ROW_PRESENT) | TBL_ROW_PRESENT);
  return ok;
}

LRESULT setSplit(TableData*& t, bool on, LPARAM argument) {
  t->splitArg = argument;
  if (on) {
    t->tableFlags |= TF_SPLIT;
    t->splitTop = t->splitFirst = TBL_SPLIT_ROW_BASE;
    t->splitLast = TBL_SPLIT_ROW_EMPTY;
    t->splitRowCount = 0;
  } else {
    t->tableFlags &= ~TF_SPLIT;
    if (isSplitRow(t->focusRow)) t->focusRow = TBL_ROW_SCRATCH;
  }
  if (t->view.splitChanged) t->view.splitChanged(t);
  return 1;
}

LRESULT setLinesPerRow(TableData*& t, LONG lines) {
  if (lines <= 0 || !commit(t)) return 0;
  applyLinesPerRow(t, lines);
  return 1;
}

LRESULT forwardToColumn(TableData* t, UINT msg, WPARAM ref, LPARAM lp) {
  int index = columnIndex(t, ref);
  if (index < 0) return msg == TBLM_GETPOSITION ? -1 : 0;
  return SendMessageA(columnWindow(t, index), msg, 0, lp);
}

LRESULT activate(TableData*& t, bool on) {
  if (on) {
    if (!(t->tableFlags & TF_ACTIVE) && !createStore(t)) return 0;
  } else if (t->tableFlags & TF_ACTIVE) {
    clearSelection(t, 2);
    if (t->view.showFocus) t->view.showFocus(t, false);
    if (!freeStore(t)) return 0;
  }
  rebuildRows(t);
  return 1;
}

LRESULT setFocusMessage(TableData*& t, bool gaining, HWND partner) {
  HWND w = t->window;
  HWND focusColumn = t->focusColumnId ? columnWindowOfId(t, t->focusColumnId) : nullptr;
  (gaining ? t->focusEntering : t->focusLeaving) = focusColumn;
  t->focusPartner = partner;
  if (t->view.showFocus) t->view.showFocus(t, gaining);
  notify(t, gaining ? TBLN_SETFOCUS : TBLN_KILLFOCUS, t->focusColumnId ? t->focusColumnId : -1);
  if (refresh(t, w)) {
    t->focusEntering = t->focusLeaving = t->focusPartner = nullptr;
  }
  return 0;
}

bool setHook(TableData* t, WPARAM slot, LPARAM fn) {
  if (slot >= TBL_HOOK_SLOTS) return false;
  if (slot != 13 && slot != 14) t->hooks[slot] = reinterpret_cast<void*>(fn);
  return true;
}

// The table's own messages. False: default processing.
bool handle(TableData*& t, UINT msg, WPARAM wp, LPARAM lp, LRESULT& r) {
  HWND w = t->window;
  if (activeOnly(msg) && !isActive(t)) return false;
  switch (msg) {
  // Standard messages.
  case WM_DESTROY:
    notify(t, TBLN_DESTROY, -1);
    return false;
  case WM_SIZE:
    if (wp != SIZE_MINIMIZED && wp != SIZE_MAXSHOW && wp != SIZE_MAXHIDE && t->view.layoutChanged)
      t->view.layoutChanged(t, VC_EXTENT);
    return false;
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    FillRect(dc, &ps.rcPaint, t->windowBrush);
    EndPaint(w, &ps);
    r = 0;
    return true;
  }
  case WM_ERASEBKGND: r = 1; return true;
  case WM_SETFONT: r = setFont(t, HFONT(wp), lp != 0); return true;
  case WM_GETFONT: r = LRESULT(t->font); return true;
  case WM_SYSCOMMAND:
    if (auto hook = TblMessageHook(t->hooks[TBLH_SYSCOMMAND])) {
      if (hook(w, msg, wp, lp)) return r = 0, true;
      if (!refresh(t, w)) return r = 0, true;
    }
    return false;
  case WM_INITMENUPOPUP:
  case WM_MENUSELECT:
  case WM_PAINTICON: {
    int slot = msg == WM_INITMENUPOPUP ? TBLH_INITMENUPOPUP : msg == WM_MENUSELECT ? TBLH_MENUSELECT : TBLH_PAINTICON;
    if (auto hook = TblMessageHook(t->hooks[slot])) {
      hook(w, msg, wp, lp);
      if (!refresh(t, w)) return r = 0, true;
    }
    return false;
  }
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    if (!isActive(t)) return false;
    r = setFocusMessage(t, msg == WM_SETFOCUS, HWND(wp));
    return true;

  // Table messages.
  case TBLM_SETHOOK: r = setHook(t, wp, lp); return true;
  case TBLM_GETHOOK: r = (wp < TBL_HOOK_SLOTS && wp != 13 && wp != 14) ? LRESULT(t->hooks[wp]) : 0; return true;
  case TBLM_CLEARSELECTION: clearSelection(t, int(wp)); r = 1; return true;
  case TBLM_DELETEROW: r = deleteRowMessage(t, wp, reinterpret_cast<TBLDELETEROW*>(lp)); return true;
  case TBLM_FETCHROW: r = fetchRow(t, LONG(lp)); return true;
  case TBLM_FINDNEXTROW: r = findRow(t, reinterpret_cast<TBLFINDROW*>(lp), true); return true;
  case TBLM_FINDPREVROW: r = findRow(t, reinterpret_cast<TBLFINDROW*>(lp), false); return true;
  case TBLM_INSERTROW: r = isActive(t) ? insertRow(t, LONG(lp)) : TBL_ROW_SCRATCH; return true;
  case TBLM_COMMIT: r = commit(t); return true;
  case TBLM_HIDEFOCUS: if (t->view.showFocus) t->view.showFocus(t, false); r = 1; return true;
  case TBLM_INVALIDATEROWS:
    if (auto* rows = reinterpret_cast<TBLROWPAIR*>(lp); rows && t->view.repaintRows)
      t->view.repaintRows(t, rows->first, rows->last, 0, false);
    r = 1;
    return true;
  case TBLM_GETCONTEXTROW: r = t->contextRow; return true;
  case TBLM_GETFOCUS:
    if (auto* f = reinterpret_cast<TBLFOCUS*>(lp)) {
      bool pending = t->pendingFocusRow != TBL_ROW_SCRATCH;
      f->row = pending ? t->pendingFocusRow : t->focusRow;
      WORD id = pending ? t->pendingFocusColumnId : t->focusColumnId;
      f->column = id ? columnWindowOfId(t, id) : nullptr;
    }
    r = lp != 0;
    return true;
  case TBLM_QUERYROWFLAGS: r = rowFlags(t, LONG(lp)) & WORD(wp); return true;
  case TBLM_GETROWRANGE: r = getRowRange(t, wp, reinterpret_cast<TBLROWRANGE*>(lp)); return true;
  case TBLM_RESETROWS: r = resetRows(t); return true;
  case TBLM_GETVISIBLERANGE: r = getVisibleRange(t, wp, reinterpret_cast<TBLVISIBLERANGE*>(lp)); return true;
  case TBLM_SCROLLTOROW: {
    auto* to = reinterpret_cast<TBLSCROLLTO*>(lp);
    if (!to) return r = 0, true;
    if (!fetchOpenRangeUpTo(t, to->row)) return r = 0, true;
    int index = to->column ? GetDlgCtrlID(to->column) - TBL_COLUMN_ID_BASE : -1;
    if (index >= t->columnCount) index = -1;
    r = (inRange(t, to->row) || index >= 0) && t->view.scrollIntoView && t->view.scrollIntoView(t, to->row, index, int(wp));
    return true;
  }
  case TBLM_SETCONTEXTROWDATA: r = setContextRowData(t, LONG(lp)); return true;
  case TBLM_SETCONTEXTROW:
    // The row is fetched too, so that cell messages find its data.
    if (!fetchOpenRangeUpTo(t, LONG(lp)) || !inRange(t, LONG(lp))) return r = 0, true;
    if (fetchRow(t, LONG(lp)) == 2 || !refresh(t, w)) return r = 0, true;
    t->contextRow = LONG(lp);
    if (t->view.layoutChanged) t->view.layoutChanged(t, VC_CONTEXTROW);
    r = 1;
    return true;
  case TBLM_SETFOCUSCELL: {
    // The focus moves to the cell; opening the in-place editor there comes
    // with cell editing, so the message still reports failure.
    auto* cell = reinterpret_cast<TBLFOCUSCELL*>(lp);
    int index = cell ? columnIndex(t, WPARAM(cell->column)) : -1;
    if (index >= 0) moveFocus(t, cell->row, WORD(TBL_COLUMN_ID_BASE + index));
    r = 0;
    return true;
  }
  case TBLM_SETFOCUSROW: r = moveFocus(t, LONG(lp), 0); return true;
  case TBLM_SETROWFLAGS: {
    auto* args = reinterpret_cast<TBLSETROWFLAGS*>(lp);
    r = args && setRowFlags(t, args->row, WORD(wp), args->set != 0);
    return true;
  }
  case TBLM_SETRANGE: r = setRange(t, reinterpret_cast<TBLROWPAIR*>(lp)); return true;
  case TBLM_DEBUG: debugDump(t, lp); r = 1; return true;
  case TBLM_ACTIVATE: r = activate(t, wp != 0); return true;
  case TBLM_ISACTIVE: r = isActive(t); return true;
  case TBLM_RECREATE:
    r = lp ? recreateTable(w, t, reinterpret_cast<const BYTE*>(lp)) : 0;
    refresh(t, w);
    return true;
  case TBLM_SETCELLTEXT:
  case TBLM_SETCELLDATA: {
    int index = columnIndex(t, wp);
    r = index >= 0 ? SendMessageA(columnWindow(t, index), msg, 0, lp) : 0;
    return true;
  }
  case TBLM_GETCOLUMNWINDOW: {
    int index = columnIndex(t, wp);
    r = index >= 0 ? LRESULT(columnWindow(t, index)) : 0;
    return true;
  }
  case TBLM_GETCELLTEXT: {
    auto* args = reinterpret_cast<TBLCELLTEXT*>(lp);
    int index = args ? columnIndex(t, WPARAM(args->column)) : -1;
    if (index < 0) return r = 0, true;
    if (args->buffer && args->size > 0) args->buffer[0] = 0;
    r = (rowFlags(t, t->contextRow) & TBL_ROW_PRESENT)
            ? copyCellText(t, t->contextRow, index, args->buffer, args->size) : 0;
    return true;
  }
  case TBLM_GETROWCELLTEXT: {
    auto* args = reinterpret_cast<TBLCELLTEXT*>(lp);
    int index = args ? columnIndex(t, WPARAM(args->column)) : -1;
    if (index < 0) return r = 0, true;
    if (args->buffer && args->size > 0) args->buffer[0] = 0;
    LONG row = args->row;
    r = withFetchedRow(t, row, true, [&] { return copyCellText(t, row, index, args->buffer, args->size); });
    return true;
  }
  case TBLM_GETROWCELLTEXTLENGTH: {
    int index = columnIndex(t, wp);
    LONG row = LONG(lp);
    r = index < 0 ? 0 : withFetchedRow(t, row, true, [&] { return copyCellText(t, row, index, nullptr, 0); });
    return true;
  }
  case TBLM_GETCELLTEXTLENGTH: {
    int index = columnIndex(t, wp);
    r = index >= 0 && (rowFlags(t, t->contextRow) & TBL_ROW_PRESENT)
            ? copyCellText(t, t->contextRow, index, nullptr, 0) : 0;
    return true;
  }
  case TBLM_GETROWCELLDATA:
  case TBLM_PEEKROWCELLDATA:
  case TBLM_GETCELLDATA: {
    auto* args = reinterpret_cast<TBLROWCELLDATA*>(lp);
    int index = args ? columnIndex(t, args->column) : -1;
    if (index < 0) return r = 0, true;
    LONG row = msg == TBLM_GETCELLDATA ? t->contextRow : args->row;
    r = withFetchedRow(t, row, msg == TBLM_GETROWCELLDATA,
                       [&] { return copyCountedValue(t, row, index, args->buffer, args->size); });
    return true;
  }
  case TBLM_GETROWCELLDATALENGTH:
  case TBLM_GETCELLDATALENGTH: {
    int index = columnIndex(t, wp);
    LONG row = msg == TBLM_GETCELLDATALENGTH ? t->contextRow : LONG(lp);
    r = index < 0 ? 0 : withFetchedRow(t, row, msg == TBLM_GETROWCELLDATALENGTH,
                                       [&] { return copyCountedValue(t, row, index, nullptr, 0); });
    return true;
  }
  case TBLM_GETDATATYPE: case TBLM_GETWIDTH: case TBLM_GETPOSITION: case TBLM_SETPOSITION:
  case TBLM_SETWIDTH: case TBLM_SETMAXLENGTH: case TBLM_GETMAXLENGTH: case TBLM_GETDROPDOWN:
  case TBLM_SETCELLKIND: case TBLM_GETCELLKIND: case TBLM_GETCOLEXTRA: case TBLM_SETCOLEXTRA:
    r = forwardToColumn(t, msg, wp, lp);
    return true;
  case TBLM_SETCACHE: r = setCache(t, wp, lp); return true;
  case TBLM_GETCOLUMNCOUNT: r = t->columnCount; return true;
  case TBLM_ADDCOLUMN: r = addColumn(t, int(wp), reinterpret_cast<const BYTE*>(lp)); return true;
  case TBLM_GETCOLUMNATPOSITION: r = LONG(wp) >= 0 && LONG(wp) < t->columnCount ? t->order[wp] : -1; return true;
  case TBLM_VIEWCOLUMNQUERY: r = t->view.columnQuery ? t->view.columnQuery(t, WORD(wp), lp) : 0; return true;
  case TBLM_GETMETRICS: r = getMetrics(t, reinterpret_cast<TBLMETRICS*>(lp)); return true;
  case TBLM_SETHOSTWORD: t->hostWord = DWORD(wp); r = 0; return true;
  case TBLM_INVALIDATEROWHEADERS:
    if (auto* rows = reinterpret_cast<TBLROWPAIR*>(lp); rows && (t->displayFlags & TBLD_ROWHEADER) && t->view.repaintRows)
      t->view.repaintRows(t, rows->first, rows->last, int(wp), true);
    r = 1;
    return true;
  case TBLM_SETSPLIT: r = setSplit(t, wp != 0, lp); return true;
  case TBLM_RECOUNT: recount(t); r = 1; return true;
  case TBLM_SETCACHECOUNTMODE:
    t->tableFlags = wp ? t->tableFlags | TF_COUNTDISCARDABLE : t->tableFlags & ~TF_COUNTDISCARDABLE;
    t->store->setCountOnlyDiscardable(wp != 0);
    r = 1;
    return true;
  case TBLM_SETFLAGS: r = setFlags(t, DWORD(wp), lp != 0); return true;
  case TBLM_QUERYFLAGS: r = (t->tableFlags & internalFromPublic(DWORD(wp))) != 0; return true;
  case TBLM_GETVISIBLEROWCOUNT: r = t->view.rowsThatFit ? t->view.rowsThatFit(t) : 0; return true;
  case TBLM_SETDISPLAYFLAGS:
    if (!commit(t)) return r = 0, true;
    t->displayFlags = lp ? t->displayFlags | (wp & 0x3F) : t->displayFlags & ~(wp & 0x3F);
    if (t->view.layoutChanged) t->view.layoutChanged(t, VC_DISPLAYFLAGS);
    r = 1;
    return true;
  case TBLM_SETROWHEADERWIDTH:
    if (!commit(t)) return r = 0, true;
    t->rowHeaderWidth = LONG(wp);
    if ((t->displayFlags & TBLD_ROWHEADER) && t->view.layoutChanged) t->view.layoutChanged(t, VC_ROWHEADERWIDTH);
    r = 1;
    return true;
  case TBLM_SETROWHEADERCOLUMN: {
    int index = columnIndex(t, wp);
    t->rowHeaderColumn = index >= 0 ? WORD(TBL_COLUMN_ID_BASE + index) : 0xFFFF;
    if ((t->displayFlags & (TBLD_ROWHEADER | TBLD_ROWHEADERVALUE)) == (TBLD_ROWHEADER | TBLD_ROWHEADERVALUE))
      InvalidateRect(w, nullptr, FALSE), t->view.layoutChanged ? t->view.layoutChanged(t, VC_ROWHEADERWIDTH) : void();
    r = 1;
    return true;
  }
  case TBLM_QUERYDISPLAYFLAGS: r = (t->displayFlags & WORD(wp)) != 0; return true;
  case TBLM_GETROWHEADERWIDTH: r = t->rowHeaderWidth; return true;
  case TBLM_GETROWHEADERCOLUMN: {
    int index = columnIndex(t, t->rowHeaderColumn);
    r = index >= 0 ? TBL_COLUMN_ID_BASE + index : 0xFFFF;
    return true;
  }
  case TBLM_SETTITLE: r = setTitle(t, reinterpret_cast<const char*>(lp)); return true;
  case TBLM_GETTITLE: r = getTitle(t, wp, reinterpret_cast<char*>(lp)); return true;
  case TBLM_GETTITLELENGTH: r = lstrlenA(t->title); return true;
  case TBLM_SETLOCKEDCOUNT:
    if (LONG(wp) < 0 || !commit(t)) return r = 0, true;
    t->lockedCount = std::min<LONG>(LONG(wp), t->columnCount);
    if (t->view.layoutChanged) t->view.layoutChanged(t, VC_LOCKED);
    r = 1;
    return true;
  case TBLM_GETLOCKEDCOUNT: r = t->lockedCount; return true;
  case TBLM_SETFILLCHAR: t->fillChar = char(wp); InvalidateRect(w, nullptr, FALSE); r = 1; return true;
  case TBLM_GETFILLCHAR: r = BYTE(t->fillChar ? t->fillChar : '#'); return true;
  case TBLM_GETSCROLLPOS: r = t->view.scrollPos ? t->view.scrollPos(t, int(wp)) : 0; return true;
  case TBLM_GETFOCUSROW: r = t->focusRow; return true;
  case TBLM_SYNCSPLIT:
    if (!(t->tableFlags & TF_SPLIT)) return r = 0, true;
    if (inRange(t, t->focusRow) && t->view.scrollIntoView) t->view.scrollIntoView(t, t->focusRow, -1, 0);
    notify(t, TBLN_SELCHANGE, -1);
    r = 1;
    return true;
  case TBLM_ISRANGEOPEN: r = (t->tableFlags & TF_OPENRANGE) != 0; return true;
  case TBLM_GETLASTROW: r = getLastRow(t); return true;
  case TBLM_SETVIEW:
    if (wp == t->viewType) return r = 1, true;
    if (!commit(t)) return r = 0, true;
    r = setView(t, int(wp));
    if (r) {
      RECT client;
      GetClientRect(w, &client);
      SendMessageA(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }
    return true;
  case TBLM_GETVIEW: r = t->viewType; return true;
  case TBLM_GETVALIDATERESULT: r = t->lastValidate; return true;
  case TBLM_FETCHSCRATCH: r = fetchScratch(t, lp); return true;
  case TBLM_PROCESSREFETCH: processPending(t); r = 1; return true;
  case TBLM_RESET: r = resetTable(t); return true;
  case TBLM_SETFORMPOS:
    t->stateFlags &= ~SF_ACTIVE;
    r = forwardToColumn(t, msg, wp, lp);
    return true;
  case TBLM_GETFORMPOS: r = forwardToColumn(t, msg, wp, lp); return true;
  case TBLM_QUERYSTATE1: r = t->stateFlags & SF_ACTIVE; return true;
  case TBLM_DEFINERADIOGROUP:
  case TBLM_DEFINECHECKBOX:
  case TBLM_SETCELLTYPE:
    r = 0;  // the definition dialogs and cell types come with the form views' cell editing
    return true;
  case TBLM_GETCELLTYPEDATALENGTH: {
    int index = columnIndex(t, wp);
    r = index >= 0 && (column(t, index).columnFlags & 0xC0000) ? column(t, index).valueDataLength : 0;
    return true;
  }
  case TBLM_GETCELLTYPEDATA: {
    int index = columnIndex(t, wp);
    if (index < 0 || !lp) return r = 0, true;
    ColumnData& c = column(t, index);
    if (c.valueData) std::memcpy(reinterpret_cast<void*>(lp), c.valueData, c.valueDataLength);
    r = 1;
    return true;
  }
  case TBLM_GETCELLTYPEEXTRA: {
    int index = columnIndex(t, wp);
    r = index >= 0 ? column(t, index).extra1 : 0;
    return true;
  }
  case TBLM_SWAPROWS: r = swapRows(t, reinterpret_cast<TBLROWPAIR*>(lp)); return true;
  case TBLM_GETFOCUSCHANGEWINDOW:
    r = LRESULT(wp == TBLN_SETFOCUS ? t->focusEntering : wp == TBLN_KILLFOCUS ? t->focusLeaving : nullptr);
    return true;
  case TBLM_GETFOCUSPARTNER: r = LRESULT(t->focusPartner); return true;
  case TBLM_CREATEROWSTORE:
    if (isActive(t)) return r = 0, true;
    r = createStore(t);
    if (r) rebuildRows(t);
    return true;
  case TBLM_QUERYSTATE3: r = (t->stateFlags & SF_QUERY3) != 0; return true;
  case TBLM_GETPENDINGROW: r = t->pendingFocusRow != TBL_ROW_SCRATCH ? t->pendingFocusRow : t->contextRow; return true;
  case TBLM_MOVECOLUMN: r = moveColumnNotified(t, LOWORD(lp), HIWORD(lp)); return true;
  case TBLM_QUERYSTATE5: r = (t->stateFlags & SF_QUERY5) != 0; return true;
  case TBLM_SETCOLSTATE: case TBLM_QUERYCOLSTATE: r = 0; return true;
  case TBLM_SETLINESPERROW: r = setLinesPerRow(t, LONG(wp)); return true;
  case TBLM_GETLINESPERROW: r = t->linesPerRow; return true;
  case TBLM_QUERYSTATE4: r = (t->stateFlags & SF_MIRRORED) != 0; return true;
  case TBLM_VIEWMSG1: r = t->view.viewMsg1 ? t->view.viewMsg1(t, lp) : 0; return true;
  case TBLM_VIEWMSG2: r = t->view.viewMsg2 ? t->view.viewMsg2(t, LOWORD(lp), HIWORD(lp)) : 0; return true;
  }
  return false;
}

LRESULT tableMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  // Default processing still runs after our own creation: it sets the
  // window text (an MDI child's or top-level table's caption).
  if (msg == WM_NCCREATE)
    return createTable(w, reinterpret_cast<CREATESTRUCTA*>(lp)) && defaultProc(nullptr, w, msg, wp, lp);
  TableData* t = tableOf(w);
  if (!t) return defaultProc(nullptr, w, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    void* defHook = t->hooks[TBLH_DEFPROC];
    destroyTable(w);
    if (defHook) return TblMessageHook(defHook)(w, msg, wp, lp);
    return defaultProc(nullptr, w, msg, wp, lp);
  }
  if (auto filter = TblPreFilterHook(t->hooks[isActive(t) ? TBLH_PREFILTER : TBLH_PREFILTERINACTIVE])) {
    LRESULT result = 0;
    LRESULT handled = filter(&result, w, msg, wp, lp);
    if (!refresh(t, w)) return 0;
    if (handled) return result;
  }
  LRESULT result = 0;
  if (t->view.handleMessage && t->view.handleMessage(t, msg, wp, lp, &result)) return result;
  if (handle(t, msg, wp, lp, result)) return result;
  if (!refresh(t, w)) return 0;
  return defaultProc(t, w, msg, wp, lp);
}

} // namespace

// --- focus and selection -----------------------------------------------------

void clearSelection(TableData*& t, int mode) {
  if (mode == 0 || mode == 2) {
    bool follows = t->tableFlags & internalFromPublic(TBLF_SELECTFOLLOWSFOCUS);
    // From before the first split row: the walk goes on into the normal rows.
    LONG row = TBL_SPLIT_ROW_EMPTY;
    while ((row = t->store->findNext(row, TBL_ROW_SELECTED, 0)) != TBL_ROW_SCRATCH) {
      if (follows && (row == t->focusRow || (t->store->flags(row) & TBL_ROW_KEEPSELECTION))) continue;
      t->store->changeFlags(row, TBL_ROW_SELECTED, false);
      if (t->view.repaintRows) t->view.repaintRows(t, row, row, 0, false);
    }
  }
  if ((mode == 1 || mode == 2) && t->view.showFocus && inRange(t, t->focusRow))
    t->view.repaintRows(t, t->focusRow, t->focusRow, 0, false);
}

bool moveFocus(TableData*& t, LONG row, WORD columnId) {
  if (!inRange(t, row) || (rowFlags(t, row) & TBL_ROW_HIDDEN)) return false;
  if (isSplitRow(row) && !(t->tableFlags & TF_SPLIT)) return false;
  HWND w = t->window;
  LONG old = t->focusRow;
  LONG oldRow = inRange(t, old) ? old : -1;
  LONG oldColumn = oldRow >= 0 ? t->focusColumnId : -1;
  t->pendingFocusRow = row;
  t->pendingFocusColumnId = columnId;
  bool accepted = validateMove(t, oldRow, oldColumn, row, columnId);
  if (!t) return false;
  t->pendingFocusRow = TBL_ROW_SCRATCH;
  if (!accepted) return false;
  t->focusRow = row;
  t->focusColumnId = columnId;
  if (t->tableFlags & internalFromPublic(TBLF_SELECTFOLLOWSFOCUS)) {
    clearSelection(t, 0);
    t->store->changeFlags(row, TBL_ROW_SELECTED, true);
  }
  if (t->view.showFocus) t->view.showFocus(t, true);
  if (t->view.repaintRows) {
    if (inRange(t, old)) t->view.repaintRows(t, old, old, 0, false);
    t->view.repaintRows(t, row, row, 0, false);
  }
  if (old != row) {
    if (t->view.layoutChanged) t->view.layoutChanged(t, VC_FOCUSROW);
    notify(t, TBLN_FOCUSROWCHANGED, columnId ? columnId : -1);
    refresh(t, w);
  }
  return true;
}

LRESULT CALLBACK TableProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    return tableMessage(w, msg, wp, lp);
  } catch (...) {
    return 0;
  }
}

} // namespace gridwin
