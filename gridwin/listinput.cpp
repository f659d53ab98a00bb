// The list view's mouse: hit testing of the zones, cursors, clicks and
// double clicks with their notifications, and the drags (1 column width,
// 2 column position, 3 split position, 4/5 selecting or deselecting rows
// with auto-scroll, 6 row header width, 7 lines per row). Everything comes
// to the :ListClip pane, which captures the mouse while a drag runs.
//
// Modifier keys are read from the mouse message's MK_ bits, the button's
// state from GetKeyState: a drag starts only while the button is still
// down after the commit (or the focus move) that precedes it, which may
// have called the host.
#include "flags.h"
#include "listview.h"

#include <algorithm>
#include <cstdlib>

namespace gridwin {

namespace {

enum Zone {
  Z_NONE,
  Z_CORNER,        // the row header's title
  Z_HEADEREDGE,    // the row header's edge in the title row (display flags 0x8 and 0x4)
  Z_TITLE,         // a column title
  Z_BORDER,        // a column's end edge in the title row (public flag 0x0001)
  Z_ROWHEADER,
  Z_ROWBOUNDARY,   // a row's bottom edge in the row header (display flags 0x8 and 0x20)
  Z_SPLITBAR,
  Z_CELL,          // a row; column -1 right of the last column
};

struct Hit {
  Zone zone = Z_NONE;
  int column = -1;
  ColumnSpan span{-1, 0, 0, false};
  LONG row = TBL_ROW_SCRATCH;
};

bool publicFlag(TableData* t, DWORD flag) { return t->tableFlags & internalFromPublic(flag); }

bool displayFlags(TableData* t, WORD flags) { return (t->displayFlags & flags) == flags; }

// The row whose bottom edge is within the grip of y, else TBL_ROW_SCRATCH.
LONG boundaryRow(TableData* t, Area area, LONG y) {
  for (LONG probe : {y - kGrip, y + kGrip}) {
    LONG row = rowAtY(t, area, probe);
    if (row != TBL_ROW_SCRATCH && std::abs(y - (rowY(t, row) + t->fullRowHeight)) <= kGrip) return row;
  }
  return TBL_ROW_SCRATCH;
}

Hit hitTest(TableData* t, POINT p) {
  ListView* lv = listOf(t);
  Hit h;
  if (p.x < 0 || p.x >= lv->width || p.y < 0 || p.y >= lv->height) return h;
  ColumnLayout layout = columnLayout(t);
  bool mirrored = isMirrored(t);
  bool inHeader = p.x >= layout.headerLeft && p.x < layout.headerRight;
  for (const ColumnSpan& s : layout.spans)
    if (p.x >= s.left && p.x < s.right) h.column = s.index, h.span = s;
  if (p.y < titleHeight(t)) {
    LONG headerEdge = mirrored ? layout.headerLeft : layout.headerRight;
    if (layout.headerRight > layout.headerLeft && displayFlags(t, TBLD_ROWHEADER | TBLD_ROWHEADERSIZE) &&
        std::abs(p.x - headerEdge) <= kGrip) {
      h.zone = Z_HEADEREDGE;
      return h;
    }
    if (publicFlag(t, TBLF_COLRESIZE))
      for (const ColumnSpan& s : layout.spans)
        if (std::abs(p.x - (mirrored ? s.left : s.right)) <= kGrip) {
          h.zone = Z_BORDER;
          h.column = s.index;
          h.span = s;
          return h;
        }
    h.zone = inHeader ? Z_CORNER : h.column >= 0 ? Z_TITLE : Z_NONE;
    return h;
  }
  AreaRows split = areaRows(t, AREA_SPLIT);
  if ((t->tableFlags & TF_SPLIT) && p.y >= split.bottom && p.y < split.bottom + kSplitBar) {
    h.zone = Z_SPLITBAR;
    return h;
  }
  Area area = (t->tableFlags & TF_SPLIT) && p.y < split.bottom ? AREA_SPLIT : AREA_NORMAL;
  if (!isActive(t)) return h;
  if (inHeader && displayFlags(t, TBLD_ROWHEADER | TBLD_ROWHEIGHTDRAG)) {
    h.row = boundaryRow(t, area, p.y);
    if (h.row != TBL_ROW_SCRATCH) {
      h.zone = Z_ROWBOUNDARY;
      return h;
    }
  }
  h.row = rowAtY(t, area, p.y);
  if (h.row == TBL_ROW_SCRATCH) return h;
  h.zone = inHeader ? Z_ROWHEADER : Z_CELL;
  if (inHeader) h.column = -1;
  return h;
}

HCURSOR cursorFor(TableData* t, const Hit& h) {
  switch (h.zone) {
  case Z_HEADEREDGE: return t->cursors[5];
  case Z_BORDER: return t->cursors[2];
  case Z_TITLE: return publicFlag(t, TBLF_COLMOVE) ? t->cursors[4] : t->cursors[0];
  case Z_SPLITBAR: return publicFlag(t, TBLF_SPLITDRAG) ? t->cursors[7] : t->cursors[6];
  case Z_ROWBOUNDARY: return t->cursors[8];
  case Z_ROWHEADER: return t->cursors[10];
  case Z_CELL:
    if (h.column >= 0) {
      const ColumnData& c = column(t, h.column);
      if (c.dataType == 1) return t->cursors[9];
      if ((c.columnFlags & TBLCF_EDITABLE) && (c.dataType == 0 || c.dataType == 3)) return t->cursors[1];
    }
    return t->cursors[0];
  default: return t->cursors[0];
  }
}

HCURSOR dragCursor(TableData* t, int mode) {
  switch (mode) {
  case DRAG_COLSIZE: return t->cursors[2];
  case DRAG_COLMOVE: return t->cursors[4];
  case DRAG_SPLIT: return t->cursors[7];
  case DRAG_HEADERWIDTH: return t->cursors[5];
  case DRAG_ROWHEIGHT: return t->cursors[8];
  default: return t->cursors[0];
  }
}

POINT pointOf(LPARAM lp) { return POINT{SHORT(LOWORD(lp)), SHORT(HIWORD(lp))}; }

// --- selection ----------------------------------------------------------------

bool selected(TableData* t, LONG row) { return rowFlags(t, row) & TBL_ROW_SELECTED; }

// Sets or clears row flag 0x2; true when it changed.
bool setSelected(TableData* t, LONG row, bool on) {
  if (!inRange(t, row) || rowHidden(t, row) || selected(t, row) == on) return false;
  if (!t->store->changeFlags(row, TBL_ROW_SELECTED, on)) return false;
  t->view.repaintRows(t, row, row, 0, false);
  return true;
}

bool setSpan(TableData* t, LONG from, LONG to, bool on) {
  bool changed = false;
  for (LONG row = std::min(from, to), last = std::max(from, to); row <= last; ++row)
    changed |= setSelected(t, row, on);
  return changed;
}

// A plain click leaves only the clicked row selected.
bool selectOnly(TableData*& t, LONG row) {
  LONG first = t->store->findNext(TBL_SPLIT_ROW_EMPTY, TBL_ROW_SELECTED, 0);
  if (first == row && t->store->findNext(row, TBL_ROW_SELECTED, 0) == TBL_ROW_SCRATCH) return false;
  clearSelection(t, 0);
  setSelected(t, row, true);
  return true;
}

// --- feedback of the drags ----------------------------------------------------

LONG minimumWidth(TableData* t) { return t->charWidth; }

// Split rows for a bar dragged to y, in whole rows, keeping a normal row.
LONG splitRowsAt(TableData* t, LONG y) {
  LONG room = (listOf(t)->height - titleHeight(t) - kSplitBar) / t->fullRowHeight - 1;
  LONG rows = (y - titleHeight(t) + t->fullRowHeight / 2) / t->fullRowHeight;
  return std::clamp<LONG>(rows, 0, std::max<LONG>(0, room));
}

LONG linesAt(TableData* t, LONG rowTop, LONG y) {
  LONG extra = y - rowTop - t->rowHeight;
  return std::max<LONG>(1, 1 + (extra + t->charHeight / 2) / std::max<LONG>(1, t->charHeight));
}

// Where the drag's feedback goes for the mouse at p.
LONG feedbackAt(TableData* t, POINT p) {
  ListView* lv = listOf(t);
  const Drag& d = lv->drag;
  bool mirrored = isMirrored(t);
  switch (d.mode) {
  case DRAG_COLSIZE:
    return mirrored ? std::min<LONG>(p.x, d.span.right - minimumWidth(t))
                    : std::max<LONG>(p.x, d.span.left + minimumWidth(t));
  case DRAG_HEADERWIDTH:
    return mirrored ? std::clamp<LONG>(p.x, 0, lv->width - minimumWidth(t))
                    : std::clamp<LONG>(p.x, minimumWidth(t), std::max<LONG>(minimumWidth(t), lv->width));
  case DRAG_COLMOVE: return p.x - d.start.x;
  case DRAG_SPLIT: return titleHeight(t) + splitRowsAt(t, p.y) * t->fullRowHeight;
  case DRAG_ROWHEIGHT:
    return d.rowTop + t->rowHeight + (linesAt(t, d.rowTop, p.y) - 1) * t->charHeight;
  }
  return 0;
}

// Inverts the feedback (drawn twice it is gone).
void invertFeedback(TableData* t) {
  ListView* lv = listOf(t);
  Drag& d = lv->drag;
  HDC dc = GetDC(lv->clip);
  HGDIOBJ old = SelectObject(dc, t->patternBrush);
  switch (d.mode) {
  case DRAG_COLSIZE:
  case DRAG_HEADERWIDTH: PatBlt(dc, d.feedback - 1, 0, 2, lv->height, PATINVERT); break;
  case DRAG_SPLIT: PatBlt(dc, 0, d.feedback, lv->width, kSplitBar, PATINVERT); break;
  case DRAG_ROWHEIGHT: PatBlt(dc, 0, d.feedback - 1, lv->width, 2, PATINVERT); break;
  case DRAG_COLMOVE: {
    RECT r{d.span.left + d.feedback, 0, d.span.right + d.feedback, lv->height};
    DrawFocusRect(dc, &r);
    break;
  }
  }
  SelectObject(dc, old);
  ReleaseDC(lv->clip, dc);
  d.drawn = !d.drawn;
}

void moveFeedback(TableData* t, POINT p) {
  Drag& d = listOf(t)->drag;
  LONG at = feedbackAt(t, p);
  if (d.drawn && at == d.feedback) return;
  if (d.drawn) invertFeedback(t);
  d.feedback = at;
  invertFeedback(t);
}

// --- starting and ending drags --------------------------------------------------

bool buttonDown() { return GetKeyState(VK_LBUTTON) < 0; }

void beginCapture(TableData* t, int mode) {
  ListView* lv = listOf(t);
  lv->drag.mode = mode;
  SetCapture(lv->clip);
}

// Modes 1, 2, 3, 6 and 7: the focus cell is committed first.
void startDrag(TableData*& t, int mode, const Hit& h, POINT p) {
  HWND w = t->window;
  if (!commit(t) || !refresh(t, w) || !t->listData || !buttonDown()) return;
  ListView* lv = listOf(t);
  lv->drag = Drag{};
  lv->drag.column = h.column;
  lv->drag.span = h.span;
  lv->drag.start = p;
  if (mode == DRAG_ROWHEIGHT) lv->drag.rowTop = rowY(t, h.row);
  beginCapture(t, mode);
  SetCursor(dragCursor(t, mode));
  moveFeedback(t, p);
}

void stopDrag(TableData* t) {
  ListView* lv = listOf(t);
  if (lv->drag.drawn) invertFeedback(t);
  lv->drag.mode = DRAG_NONE;
  KillTimer(lv->clip, kAutoScrollTimer);
  if (GetCapture() == lv->clip) ReleaseCapture();
}

// The display position a moved column takes: that of the column under the
// mouse, or the nearest end.
int dropPosition(TableData* t, LONG x) {
  ColumnLayout layout = columnLayout(t);
  if (layout.spans.empty()) return -1;
  int index = x < layout.spans.front().left ? layout.spans.front().index : layout.spans.back().index;
  for (const ColumnSpan& s : layout.spans)
    if (x >= s.left && x < s.right) index = s.index;
  return t->view.columnQuery(t, WORD(index), 0);
}

void endDrag(TableData*& t, POINT p) {
  ListView* lv = listOf(t);
  Drag d = lv->drag;
  LONG at = d.mode == DRAG_SELECT || d.mode == DRAG_DESELECT ? 0 : feedbackAt(t, p);
  stopDrag(t);
  HWND w = t->window;
  bool mirrored = isMirrored(t);
  switch (d.mode) {
  case DRAG_COLSIZE: {
    LONG width = mirrored ? d.span.right - at : at - d.span.left;
    SendMessageA(columnWindow(t, d.column), TBLM_SETWIDTH, 0, std::max(width, minimumWidth(t)));
    break;
  }
  case DRAG_COLMOVE: {
    int to = dropPosition(t, p.x);
    int from = t->view.columnQuery(t, WORD(d.column), 0);
    if (to >= 0 && to != 0xFFFF && to != from) SendMessageA(columnWindow(t, d.column), TBLM_SETPOSITION, 0, to);
    break;
  }
  case DRAG_SPLIT:
    lv->splitRows = (at - titleHeight(t)) / t->fullRowHeight;
    t->view.layoutChanged(t, VC_EXTENT);
    break;
  case DRAG_HEADERWIDTH:
    t->rowHeaderWidth = mirrored ? lv->width - at : at;
    t->view.layoutChanged(t, VC_ROWHEADERWIDTH);
    break;
  case DRAG_ROWHEIGHT: {
    LONG lines = linesAt(t, d.rowTop, at);
    if (lines == t->linesPerRow) break;
    applyLinesPerRow(t, lines);
    notify(t, TBLN_LINESCHANGED, -1);
    break;
  }
  case DRAG_SELECT:
  case DRAG_DESELECT:
    if (d.changed) notify(t, TBLN_SELCHANGE, -1);
    break;
  }
  if (refresh(t, w) && t->listData) relayout(t);
}

// --- modes 4 and 5: rows selected or deselected as the mouse moves ------------

// The span from the anchor now reaches `row`: rows that left it return to
// the other state.
void extendDragTo(TableData* t, LONG row) {
  Drag& d = listOf(t)->drag;
  if (row == TBL_ROW_SCRATCH || row == d.current) return;
  bool on = d.mode == DRAG_SELECT;
  LONG oldLo = std::min(d.anchor, d.current), oldHi = std::max(d.anchor, d.current);
  LONG newLo = std::min(d.anchor, row), newHi = std::max(d.anchor, row);
  for (LONG r = oldLo; r <= oldHi; ++r)
    if (r < newLo || r > newHi) d.changed |= setSelected(t, r, !on);
  d.changed |= setSpan(t, newLo, newHi, on);
  d.current = row;
}

// The row the mouse points at in the anchor's area; the area's first or
// last shown row when it is above or below. `direction` says which.
LONG dragRowAt(TableData* t, POINT p, int* direction) {
  Area area = areaOf(listOf(t)->drag.anchor);
  AreaRows a = areaRows(t, area);
  *direction = p.y < a.y ? -1 : p.y >= a.bottom ? 1 : 0;
  if (*direction < 0) return a.top;
  LONG row = *direction > 0 ? TBL_ROW_SCRATCH : rowAtY(t, area, p.y);
  return row != TBL_ROW_SCRATCH ? row : lastShownRow(t, area);
}

void selectDragTo(TableData* t, POINT p) {
  ListView* lv = listOf(t);
  int direction;
  extendDragTo(t, dragRowAt(t, p, &direction));
  if (direction == lv->drag.scrollDirection) return;
  lv->drag.scrollDirection = direction;
  if (direction)
    SetTimer(lv->clip, kAutoScrollTimer, GetDoubleClickTime(), nullptr);
  else
    KillTimer(lv->clip, kAutoScrollTimer);
}

// The auto-scroll timer: one row towards the mouse, the span following.
void autoScroll(TableData* t) {
  ListView* lv = listOf(t);
  if (lv->drag.mode != DRAG_SELECT && lv->drag.mode != DRAG_DESELECT) {
    KillTimer(lv->clip, kAutoScrollTimer);
    return;
  }
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(lv->clip, &p);
  Area area = areaOf(lv->drag.anchor);
  AreaRows a = areaRows(t, area);
  int direction = p.y < a.y ? -1 : p.y >= a.bottom ? 1 : 0;
  LONG top = a.top;
  for (LONG r = a.top + direction; direction && r >= a.first && r <= a.last; r += direction)
    if (!rowHidden(t, r)) {
      top = r;
      break;
    }
  if (direction > 0 && lastShownRow(t, area) >= a.last) top = a.top;  // the last row is in view
  if (top != a.top) scrollArea(t, area, top);
  selectDragTo(t, p);
}

// --- clicks -----------------------------------------------------------------------

bool editing(TableData* t) { return t->editor && IsWindowVisible(t->editor); }

int positionOf(TableData* t, int index) {
  for (int pos = 0; pos < t->columnCount; ++pos)
    if (t->order[pos] == index) return pos;
  return -1;
}

// Column selection by title (flag 0x4 of the columns): a click selects the
// column alone, Ctrl toggles it, Shift selects from the last clicked one
// (Ctrl+Shift adds that span). Each change goes through the column message.
void selectColumns(TableData*& t, int clicked, WPARAM keys) {
  HWND w = t->window;
  bool shift = keys & MK_SHIFT, ctrl = keys & MK_CONTROL;
  int anchor = listOf(t)->columnAnchor;
  if (!shift || anchor < 0 || anchor >= t->columnCount) anchor = clicked;
  int lo = std::min(positionOf(t, anchor), positionOf(t, clicked));
  int hi = std::max(positionOf(t, anchor), positionOf(t, clicked));
  bool changed = false;
  for (int pos = 0; pos < t->columnCount; ++pos) {
    int index = t->order[pos];
    DWORD flags = column(t, index).columnFlags;
    bool now = flags & TBLCF_SELECTED;
    bool want = index == clicked ? !(ctrl && !shift && now) : now && ctrl;
    if (shift && pos >= lo && pos <= hi && (flags & TBLCF_VISIBLE)) want = true;
    if (want == now) continue;
    LRESULT done = SendMessageA(columnWindow(t, index), TBLM_SETCOLFLAGS, want, TBLCF_SELECTED);
    if (!refresh(t, w) || !t->listData) return;
    if (!done) break;  // the commit was refused
    changed = true;
  }
  if (!shift) listOf(t)->columnAnchor = clicked;
  if (changed) notify(t, TBLN_COLSELCHANGE, TBL_COLUMN_ID_BASE + clicked);
}

void titleDown(TableData*& t, const Hit& h, POINT p, WPARAM keys) {
  HWND w = t->window;
  if (publicFlag(t, TBLF_COLSELECT) && !editing(t)) {
    selectColumns(t, h.column, keys);
    if (!refresh(t, w) || !t->listData) return;
  }
  if (publicFlag(t, TBLF_COLMOVE)) startDrag(t, DRAG_COLMOVE, h, p);
}

// A click on a row: the focus moves there (to the cell when it is an
// editable cell of the focus row), the selection follows the keys, and with
// the button still down a selection drag begins.
void rowDown(TableData*& t, const Hit& h, WPARAM keys, bool inHeader) {
  HWND w = t->window;
  LONG old = t->focusRow;
  bool follows = publicFlag(t, TBLF_SELECTFOLLOWSFOCUS);
  bool shift = keys & MK_SHIFT, ctrl = keys & MK_CONTROL;
  WORD columnId = 0;
  if (h.row == old && h.column >= 0 &&
      (column(t, h.column).columnFlags & (TBLCF_VISIBLE | TBLCF_EDITABLE)) == (TBLCF_VISIBLE | TBLCF_EDITABLE))
    columnId = WORD(TBL_COLUMN_ID_BASE + h.column);
  if (h.row != old || columnId != t->focusColumnId) {
    bool moved = moveFocus(t, h.row, columnId);
    if (!t || !refresh(t, w) || !t->listData || !moved) return;
  }
  bool changed = false;
  bool extend = shift && !ctrl && inRange(t, old) && areaOf(old) == areaOf(h.row);
  if (!follows) {
    if (ctrl)
      changed = setSelected(t, h.row, !selected(t, h.row));
    else if (extend)
      changed = setSpan(t, old, h.row, true);
    else
      changed = selectOnly(t, h.row);
  }
  if (old != t->focusRow || changed) notify(t, TBLN_SELCHANGE, -1);
  if (inHeader && refresh(t, w)) notify(t, TBLN_ROWHEADERCLICK, -1);
  if (!refresh(t, w) || !t->listData || follows || !buttonDown()) return;
  ListView* lv = listOf(t);
  lv->drag = Drag{};
  lv->drag.anchor = extend ? old : h.row;
  lv->drag.current = h.row;
  beginCapture(t, selected(t, h.row) ? DRAG_SELECT : DRAG_DESELECT);
}

void leftDown(TableData*& t, POINT p, WPARAM keys) {
  HWND w = t->window;
  if (GetFocus() != w) {
    SetFocus(w);
    if (!refresh(t, w) || !t->listData) return;
  }
  Hit h = hitTest(t, p);
  switch (h.zone) {
  case Z_CORNER: notify(t, TBLN_CORNERCLICK, -1); return;
  case Z_HEADEREDGE: return startDrag(t, DRAG_HEADERWIDTH, h, p);
  case Z_BORDER: return startDrag(t, DRAG_COLSIZE, h, p);
  case Z_TITLE: return titleDown(t, h, p, keys);
  case Z_SPLITBAR:
    if (publicFlag(t, TBLF_SPLITDRAG)) startDrag(t, DRAG_SPLIT, h, p);
    return;
  case Z_ROWBOUNDARY: return startDrag(t, DRAG_ROWHEIGHT, h, p);
  case Z_ROWHEADER: return rowDown(t, h, keys, true);
  case Z_CELL: return rowDown(t, h, keys, false);
  case Z_NONE: return;
  }
}

LONG columnId(int index) { return index >= 0 ? TBL_COLUMN_ID_BASE + index : -1; }

// Clicks that start no drag take the row header's edge for the side it is on.
Hit clickHit(TableData* t, POINT p) {
  Hit h = hitTest(t, p);
  if (h.zone == Z_HEADEREDGE) h.zone = h.column >= 0 ? Z_TITLE : Z_CORNER;
  return h;
}

void doubleClick(TableData*& t, POINT p) {
  HWND w = t->window;
  Hit h = clickHit(t, p);
  switch (h.zone) {
  case Z_CORNER: notify(t, TBLN_CORNERDBLCLK, -1); return;
  case Z_TITLE:
  case Z_BORDER: {
    notify(t, TBLN_TITLEDBLCLK, columnId(h.column));
    if (!refresh(t, w) || !(t->tableFlags & TF_TITLETOGGLE) || h.column >= t->columnCount) return;
    DWORD flags = column(t, h.column).columnFlags;
    if (flags & 0x40) return;
    SendMessageA(columnWindow(t, h.column), TBLM_SETCOLFLAGS, !(flags & 0x20), 0x20);
    if (refresh(t, w)) notify(t, TBLN_COLTOGGLED, columnId(h.column));
    return;
  }
  case Z_CELL:
    notify(t, TBLN_DBLCLK, columnId(h.column));
    if (refresh(t, w) && h.row == t->focusRow) notify(t, TBLN_FOCUSDBLCLK, columnId(h.column));
    return;
  default: return;
  }
}

void rightDown(TableData* t, POINT p) {
  Hit h = clickHit(t, p);
  switch (h.zone) {
  case Z_TITLE:
  case Z_BORDER: notify(t, TBLN_TITLERCLICK, columnId(h.column)); return;
  case Z_CELL:
  case Z_ROWHEADER:
  case Z_ROWBOUNDARY: notify(t, TBLN_RCLICK, columnId(h.column)); return;
  case Z_CORNER: notify(t, TBLN_CORNERRCLICK, -1); return;
  default: return;
  }
}

} // namespace

bool mouseMessage(TableData*& t, UINT msg, WPARAM wp, LPARAM lp) {
  ListView* lv = listOf(t);
  int mode = lv->drag.mode;
  switch (msg) {
  case WM_LBUTTONDOWN:
    if (mode) stopDrag(t);
    leftDown(t, pointOf(lp), wp);
    return true;
  case WM_MOUSEMOVE:
    if (mode == DRAG_SELECT || mode == DRAG_DESELECT)
      selectDragTo(t, pointOf(lp));
    else if (mode)
      moveFeedback(t, pointOf(lp));
    return true;
  case WM_LBUTTONUP:
    if (mode) endDrag(t, pointOf(lp));
    return true;
  case WM_LBUTTONDBLCLK:
    if (!mode) doubleClick(t, pointOf(lp));
    return true;
  case WM_RBUTTONDOWN:
    if (!mode) rightDown(t, pointOf(lp));
    return true;
  case WM_TIMER:
    autoScroll(t);
    return true;
  }
  return false;
}

// The host's default procedure (slot 12) is asked first; a nonzero answer
// means it set the cursor.
bool setCursor(TableData*& t, WPARAM wp, LPARAM lp) {
  HWND w = t->window;
  if (auto hook = TblMessageHook(t->hooks[TBLH_DEFPROC])) {
    LRESULT answer = hook(w, WM_SETCURSOR, wp, lp);
    if (!refresh(t, w) || !t->listData || answer) return true;
  }
  if (LOWORD(lp) != HTCLIENT) return false;
  ListView* lv = listOf(t);
  if (lv->drag.mode) {
    SetCursor(dragCursor(t, lv->drag.mode));
    return true;
  }
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(lv->clip, &p);
  SetCursor(cursorFor(t, hitTest(t, p)));
  return true;
}

void cancelDrag(TableData* t) {
  ListView* lv = listOf(t);
  if (lv && lv->drag.mode) stopDrag(t);
}

} // namespace gridwin
