// The list view (view type 1): a :Container pane that carries the scroll
// bars and fills the table, and inside it a :ListClip pane on which the
// title row, the row headers and the rows are painted and which takes the
// mouse. This file holds the view's structure: geometry of the zones, the
// scroll bars (two "scrollbar" windows in split mode), scrolling, the
// ViewOps the table calls and the two panes' window procedures. The
// painter, the mouse and the keyboard have files of their own.
#include "listview.h"

#include <algorithm>
#include <cstring>

namespace gridwin {

namespace {

TableData* tableOfPane(HWND pane) {
  HWND table = GetParent(pane);
  if (GetClassLongA(table, GCL_CBCLSEXTRA) < 4 || GetClassLongA(table, 0) != TBL_TABLE_CLASS_MARK)
    table = GetParent(table);
  return IsWindow(table) ? tableOf(table) : nullptr;
}

bool splitShown(TableData* t) { return t->tableFlags & TF_SPLIT; }

// Rows of the split area: the user's choice, else a quarter of the pane,
// and never so many that no normal row is left.
LONG splitRowsShown(TableData* t) {
  ListView* lv = listOf(t);
  if (!splitShown(t)) return 0;
  LONG room = (lv->height - titleHeight(t) - kSplitBar) / t->fullRowHeight - 1;
  LONG rows = lv->splitRows >= 0 ? lv->splitRows
                                 : std::min<LONG>(t->splitRowCount, std::max<LONG>(1, (lv->height / 4) / t->fullRowHeight));
  return std::clamp<LONG>(rows, 0, std::max<LONG>(0, room));
}

LONG lastTop(TableData* t) { return std::max(t->rangeFirst, t->rangeLast - rowsPerPage(t) + 1); }

LONG lastSplitTop(TableData* t) {
  return std::max(t->splitFirst, t->splitLast - areaPage(t, AREA_SPLIT) + 1);
}

void clampTop(TableData* t) {
  t->topRow = std::clamp(t->topRow, t->rangeFirst, lastTop(t));
  if (isSplitRow(t->splitFirst)) t->splitTop = std::clamp(t->splitTop, t->splitFirst, lastSplitTop(t));
}

// Scroll bar slots: 0 horizontal, 1 vertical (the container's own), 2 and 3
// the split mode's bars.
void setBar(ListView* lv, int slot, HWND w, int bar, int max, UINT page, int pos) {
  SCROLLINFO& shown = lv->shown[slot];
  if (shown.cbSize && shown.nMax == max && shown.nPage == page && shown.nPos == pos) return;
  shown = SCROLLINFO{sizeof shown, SIF_ALL | SIF_DISABLENOSCROLL, 0, max, page, pos, 0};
  SetScrollInfo(w, bar, &shown, TRUE);
}

// In split mode each area has a scroll bar window of its own in place of
// the container's vertical bar.
void ensureSplitBars(TableData* t) {
  ListView* lv = listOf(t);
  bool want = splitShown(t);
  if (want == (lv->splitBars[0] != nullptr)) return;
  if (want) {
    ShowScrollBar(lv->container, SB_VERT, FALSE);
    for (HWND& bar : lv->splitBars)
      bar = CreateWindowExA(0, "scrollbar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0, 0, lv->container, nullptr,
                            t->instance, nullptr);
  } else {
    for (HWND& bar : lv->splitBars) {
      if (bar) DestroyWindow(bar);
      bar = nullptr;
    }
    ShowScrollBar(lv->container, SB_VERT, TRUE);
  }
  lv->shown[1] = lv->shown[2] = lv->shown[3] = SCROLLINFO{};
}

void placeSplitBars(TableData* t, LONG containerWidth) {
  ListView* lv = listOf(t);
  if (!lv->splitBars[0]) return;
  int cx = GetSystemMetrics(SM_CXVSCROLL);
  LONG barBottom = titleHeight(t) + lv->splitHeight;
  MoveWindow(lv->splitBars[0], containerWidth - cx, 0, cx, barBottom, TRUE);
  MoveWindow(lv->splitBars[1], containerWidth - cx, barBottom, cx, std::max<LONG>(0, lv->height - barBottom), TRUE);
}

} // namespace

// --- geometry -----------------------------------------------------------------

LONG titleHeight(TableData* t) { return t->rowHeight; }
LONG headerWidth(TableData* t) { return (t->displayFlags & TBLD_ROWHEADER) ? t->rowHeaderWidth : 0; }
bool isMirrored(TableData* t) { return t->stateFlags & SF_MIRRORED; }

ColumnLayout columnLayout(TableData* t) {
  std::vector<ShownColumn> shown;
  shown.reserve(t->columnCount);
  for (int pos = 0; pos < t->columnCount; ++pos) {
    int index = t->order[pos];
    if (column(t, index).columnFlags & TBLCF_VISIBLE) shown.push_back({index, column(t, index).width});
  }
  return layoutColumns(shown, t->lockedCount, listOf(t)->firstScroll, headerWidth(t), listOf(t)->width,
                       isMirrored(t));
}

Area areaOf(LONG row) { return isSplitRow(row) ? AREA_SPLIT : AREA_NORMAL; }

AreaRows areaRows(TableData* t, Area area) {
  ListView* lv = listOf(t);
  LONG title = titleHeight(t);
  if (area == AREA_SPLIT) {
    LONG last = isSplitRow(t->splitFirst) ? t->splitLast : t->splitFirst - 1;
    return AreaRows{t->splitFirst, last, t->splitTop, title, title + std::max<LONG>(0, lv->splitHeight - kSplitBar)};
  }
  return AreaRows{t->rangeFirst, t->rangeLast, t->topRow, title + lv->splitHeight, lv->height};
}

bool rowHidden(TableData* t, LONG row) { return rowFlags(t, row) & TBL_ROW_HIDDEN; }

LONG areaPage(TableData* t, Area area) {
  AreaRows a = areaRows(t, area);
  return std::max<LONG>(1, (a.bottom - a.y) / t->fullRowHeight);
}

LONG rowsPerPage(TableData* t) { return areaPage(t, AREA_NORMAL); }

LONG rowY(TableData* t, LONG row) {
  AreaRows a = areaRows(t, areaOf(row));
  LONG y = a.y;
  for (LONG r = a.top; r < row && y < a.bottom; ++r)
    if (!rowHidden(t, r)) y += t->fullRowHeight;
  return std::min(y, a.bottom);
}

LONG rowAtY(TableData* t, Area area, LONG y) {
  AreaRows a = areaRows(t, area);
  if (y < a.y || y >= a.bottom) return TBL_ROW_SCRATCH;
  LONG top = a.y;
  for (LONG r = a.top; r <= a.last && top < a.bottom; ++r) {
    if (rowHidden(t, r)) continue;
    if (y < top + t->fullRowHeight) return r;
    top += t->fullRowHeight;
  }
  return TBL_ROW_SCRATCH;
}

LONG lastShownRow(TableData* t, Area area) {
  AreaRows a = areaRows(t, area);
  LONG last = a.top, y = a.y;
  for (LONG r = a.top; r <= a.last && y + t->fullRowHeight <= a.bottom; ++r) {
    if (rowHidden(t, r)) continue;
    last = r;
    y += t->fullRowHeight;
  }
  return last;
}

// --- scroll bars and scrolling --------------------------------------------------

void updateScrollBars(TableData* t) {
  ListView* lv = listOf(t);
  LONG count = std::max<LONG>(0, t->rangeLast - t->rangeFirst + 1);
  int max = count > 0 ? count - 1 : 0;
  UINT page = rowsPerPage(t);
  int pos = std::max<LONG>(0, t->topRow - t->rangeFirst);
  if (lv->splitBars[0]) {
    LONG split = isSplitRow(t->splitFirst) ? std::max<LONG>(0, t->splitLast - t->splitFirst + 1) : 0;
    setBar(lv, 2, lv->splitBars[0], SB_CTL, split > 0 ? split - 1 : 0, areaPage(t, AREA_SPLIT),
           std::max<LONG>(0, t->splitTop - t->splitFirst));
    setBar(lv, 3, lv->splitBars[1], SB_CTL, max, page, pos);
  } else {
    setBar(lv, 1, lv->container, SB_VERT, max, page, pos);
  }
  // A mirrored table scrolls its columns out at the right: the bar runs the
  // other way so that its arrows still point where the columns come from.
  ColumnLayout layout = columnLayout(t);
  int hmax = std::max(0, layout.scrolling - 1);
  int hpos = std::min<int>(lv->firstScroll, hmax);
  setBar(lv, 0, lv->container, SB_HORZ, hmax, 1, isMirrored(t) ? hmax - hpos : hpos);
}

void relayout(TableData* t) {
  ListView* lv = listOf(t);
  RECT r;
  GetClientRect(t->window, &r);
  RECT pane;
  GetWindowRect(lv->container, &pane);
  if (pane.right - pane.left != r.right || pane.bottom - pane.top != r.bottom)
    MoveWindow(lv->container, 0, 0, r.right, r.bottom, TRUE);
  ensureSplitBars(t);
  GetClientRect(lv->container, &r);
  LONG width = r.right - (splitShown(t) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  if (width != lv->width || r.bottom != lv->height) MoveWindow(lv->clip, 0, 0, std::max<LONG>(0, width), r.bottom, TRUE);
  lv->width = std::max<LONG>(0, width);
  lv->height = r.bottom;
  lv->splitHeight = 0;
  if (splitShown(t)) lv->splitHeight = splitRowsShown(t) * t->fullRowHeight + kSplitBar;
  placeSplitBars(t, r.right);
  clampTop(t);
  ColumnLayout layout = columnLayout(t);
  lv->firstScroll = std::clamp<LONG>(lv->firstScroll, 0, std::max(0, layout.scrolling - 1));
  updateScrollBars(t);
}

void scrollArea(TableData* t, Area area, LONG top) {
  if (area == AREA_SPLIT) {
    if (!isSplitRow(t->splitFirst)) return;
    t->splitTop = top;
  } else {
    t->topRow = top;
  }
  clampTop(t);
  updateScrollBars(t);
  InvalidateRect(listOf(t)->clip, nullptr, FALSE);
}

void scrollColumns(TableData* t, LONG firstScroll) {
  ListView* lv = listOf(t);
  ColumnLayout layout = columnLayout(t);
  lv->firstScroll = std::clamp<LONG>(firstScroll, 0, std::max(0, layout.scrolling - 1));
  updateScrollBars(t);
  InvalidateRect(lv->clip, nullptr, FALSE);
}

namespace {

// --- ViewOps -----------------------------------------------------------------

void detach(TableData* t) {
  ListView* lv = listOf(t);
  if (!lv) return;
  cancelDrag(t);
  t->listData = nullptr;
  if (IsWindow(lv->container)) DestroyWindow(lv->container);
  tableFree(lv);
}

void repaintRows(TableData* t, LONG first, LONG last, int, bool) {
  ListView* lv = listOf(t);
  if (last < first) std::swap(first, last);
  Area area = areaOf(first);
  AreaRows a = areaRows(t, area);
  if (last < a.top) return;
  LONG top = rowY(t, std::max(first, a.top));
  LONG bottom = a.bottom;
  if (last - first < 200) bottom = std::min(bottom, rowY(t, last) + t->fullRowHeight);
  RECT r{0, top, lv->width, bottom};
  InvalidateRect(lv->clip, &r, FALSE);
}

void showFocus(TableData* t, bool show) {
  DWORD was = t->tableFlags & TF_FOCUSSHOWN;
  t->tableFlags = show ? t->tableFlags | TF_FOCUSSHOWN : t->tableFlags & ~TF_FOCUSSHOWN;
  if (was != (t->tableFlags & TF_FOCUSSHOWN) && inRange(t, t->focusRow))
    repaintRows(t, t->focusRow, t->focusRow, 0, false);
}

bool cellRect(TableData* t, LONG row, int index, RECT* out) {
  if (!inRange(t, row)) return false;
  AreaRows a = areaRows(t, areaOf(row));
  LONG y = rowY(t, row);
  if (row < a.top || y >= a.bottom) return false;
  for (const ColumnSpan& s : columnLayout(t).spans)
    if (s.index == index) {
      *out = RECT{s.left, y, s.right, y + t->fullRowHeight};
      return true;
    }
  return false;
}

void layoutChanged(TableData* t, int code) {
  ListView* lv = listOf(t);
  switch (code) {
  case VC_CONTEXTROW:
  case VC_FOCUSROW:
    return;  // the rows concerned are repainted by their own path
  case VC_TITLE: {
    RECT title{0, 0, lv->width, titleHeight(t)};
    InvalidateRect(lv->clip, &title, FALSE);
    return;
  }
  }
  relayout(t);
  InvalidateRect(lv->clip, nullptr, FALSE);
}

void rowsReset(TableData* t) {
  t->topRow = t->rangeFirst;
  listOf(t)->firstScroll = 0;
  layoutChanged(t, VC_RANGE);
}

void flagsChanged(TableData* t, DWORD, DWORD) { InvalidateRect(listOf(t)->clip, nullptr, FALSE); }

// Keys reach the table window when it has the focus; they are the pane's.
bool handleMessage(TableData* t, UINT msg, WPARAM wp, LPARAM, LRESULT* r) {
  if (msg == WM_GETDLGCODE) {
    *r = DLGC_WANTARROWS | DLGC_WANTCHARS;  // in a dialog the arrows are the table's
    return true;
  }
  if (!isActive(t)) return false;
  *r = 0;
  switch (msg) {
  case WM_KEYDOWN: return keyDown(t, UINT(wp));
  case WM_MOUSEWHEEL: {
    int rows = -SHORT(HIWORD(wp)) / WHEEL_DELTA * 3;
    scrollArea(t, AREA_NORMAL, t->topRow + rows);
    return true;
  }
  }
  return false;
}

WORD columnQuery(TableData* t, WORD arg, LPARAM) {
  // The display position of a column, as the view sees it.
  int index = columnIndex(t, arg);
  for (int pos = 0; index >= 0 && pos < t->columnCount; ++pos)
    if (t->order[pos] == index) return WORD(pos);
  return 0xFFFF;
}

void extraMetrics(TableData*, TBLMETRICS*) {}

LONG rowsThatFit(TableData* t) {
  AreaRows a = areaRows(t, AREA_NORMAL);
  LONG h = a.bottom - a.y;
  return h > 0 ? std::max<LONG>(1, h / t->fullRowHeight) : 0;
}

LONG splitRowsThatFit(TableData* t) {
  AreaRows a = areaRows(t, AREA_SPLIT);
  return std::max<LONG>(0, (a.bottom - a.y) / t->fullRowHeight);
}

LRESULT scrollPos(TableData* t, int area) {
  if (area == 1) return MAKELONG(WORD(t->splitTop - t->splitFirst), 0);
  return MAKELONG(WORD(t->topRow - t->rangeFirst), WORD(listOf(t)->firstScroll));
}

bool scrollIntoView(TableData* t, LONG row, int index, int mode) {
  ListView* lv = listOf(t);
  if (isSplitRow(row) || row >= 0) {
    Area area = areaOf(row);
    AreaRows a = areaRows(t, area);
    LONG top = a.top;
    if (mode != 0 || row < top) {
      top = row;
    } else if (rowY(t, row) + t->fullRowHeight > a.bottom) {
      // Up to a page of shown rows ending at `row`.
      LONG fit = areaPage(t, area);
      top = row;
      for (LONG r = row - 1, n = 1; r >= a.first && n < fit; --r)
        if (!rowHidden(t, r)) top = r, ++n;
    }
    (area == AREA_SPLIT ? t->splitTop : t->topRow) = top;
    clampTop(t);
  }
  if (index >= 0) {
    ColumnLayout layout = columnLayout(t);
    bool visible = false;
    for (const ColumnSpan& s : layout.spans)
      visible |= s.index == index && s.left >= 0 && s.right <= lv->width;
    if (!visible) {
      // Its place among the scrolling columns, from the start side.
      int n = 0, found = -1;
      for (int pos = 0; pos < t->columnCount; ++pos) {
        int i = t->order[isMirrored(t) ? t->columnCount - 1 - pos : pos];
        if (!(column(t, i).columnFlags & TBLCF_VISIBLE)) continue;
        if (i == index) found = n;
        ++n;
      }
      if (found >= layout.locked) lv->firstScroll = found - layout.locked;
    }
  }
  updateScrollBars(t);
  InvalidateRect(lv->clip, nullptr, FALSE);
  return true;
}

void splitChanged(TableData* t) {
  listOf(t)->splitRows = -1;
  layoutChanged(t, VC_EXTENT);
}

void columnFlagsChanged(TableData* t, int, DWORD) { layoutChanged(t, VC_EXTENT); }

// Slots the list view gives no meaning (4, 11, 12, 18, 23).
void viewNothing(TableData*) {}
LRESULT viewMsg1(TableData*, LPARAM) { return 0; }
LRESULT viewMsg2(TableData*, WORD, WORD) { return 0; }
void formOrigin(TableData*, POINT* p) { *p = POINT{0, 0}; }

constexpr ViewOps kListOps = {
    detach,        paint,          showFocus,     repaintRows,    viewNothing,    cellRect,
    layoutChanged, rowsReset,      flagsChanged,  handleMessage,  columnQuery,    viewMsg1,
    viewMsg2,      rowsThatFit,    extraMetrics,  scrollPos,      scrollIntoView, splitChanged,
    viewNothing,   rowsPerPage,    splitRowsThatFit, columnFlagsChanged, drawFocus, viewNothing,
    formOrigin,
};

LONG trackPos(HWND w, int bar) {
  SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(w, bar, &si);
  return si.nTrackPos;
}

void onVScroll(TableData* t, WORD code, HWND bar) {
  ListView* lv = listOf(t);
  Area area = bar && bar == lv->splitBars[0] ? AREA_SPLIT : AREA_NORMAL;
  AreaRows a = areaRows(t, area);
  LONG page = areaPage(t, area);
  switch (code) {
  case SB_LINEUP: return scrollArea(t, area, a.top - 1);
  case SB_LINEDOWN: return scrollArea(t, area, a.top + 1);
  case SB_PAGEUP: return scrollArea(t, area, a.top - page);
  case SB_PAGEDOWN: return scrollArea(t, area, a.top + page);
  case SB_TOP: return scrollArea(t, area, a.first);
  case SB_BOTTOM: return scrollArea(t, area, a.last);
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    return scrollArea(t, area, a.first + (bar ? trackPos(bar, SB_CTL) : trackPos(lv->container, SB_VERT)));
  }
}

// Arrow clicks that repeat scroll further each time, up to a third of the
// pane's width a step.
int acceleratedStep(TableData* t, WORD code) {
  ListView* lv = listOf(t);
  lv->hScrollRepeat = code == lv->hScrollCode ? lv->hScrollRepeat + 1 : 0;
  lv->hScrollCode = code;
  int want = 1 + lv->hScrollRepeat / 3;
  ColumnLayout layout = columnLayout(t);
  LONG room = lv->width / 3, used = 0;
  int step = 0;
  for (const ColumnSpan& s : layout.spans) {
    if (s.locked || step >= want) continue;
    used += s.right - s.left;
    if (step > 0 && used > room) break;
    ++step;
  }
  return std::max(1, step);
}

void onHScroll(TableData* t, WORD code) {
  ListView* lv = listOf(t);
  int direction = isMirrored(t) ? -1 : 1;  // the bar runs the other way
  LONG pos = lv->firstScroll;
  switch (code) {
  case SB_LINELEFT: pos -= direction * acceleratedStep(t, code); break;
  case SB_LINERIGHT: pos += direction * acceleratedStep(t, code); break;
  case SB_PAGELEFT: pos -= direction; break;
  case SB_PAGERIGHT: pos += direction; break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION: {
    LONG track = trackPos(lv->container, SB_HORZ);
    pos = isMirrored(t) ? std::max(0, columnLayout(t).scrolling - 1) - track : track;
    break;
  }
  case SB_ENDSCROLL:
    lv->hScrollCode = 0;
    lv->hScrollRepeat = 0;
    return;
  default:
    return;
  }
  if (code != SB_LINELEFT && code != SB_LINERIGHT) lv->hScrollCode = 0;
  scrollColumns(t, pos);
}

} // namespace

bool attachListView(TableData* t) {
  auto* lv = static_cast<ListView*>(tableAlloc(t, sizeof(ListView)));
  if (!lv) return false;
  std::memset(lv, 0, sizeof *lv);
  lv->splitRows = -1;
  lv->columnAnchor = -1;
  char cls[28];
  lstrcpyA(cls, t->classPrefix);
  lstrcatA(cls, ":Container");
  lv->container = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN, 0,
                                  0, 0, 0, t->window, nullptr, t->instance, nullptr);
  lstrcpyA(cls, t->classPrefix);
  lstrcatA(cls, ":ListClip");
  lv->clip = lv->container ? CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, lv->container, nullptr,
                                             t->instance, nullptr)
                           : nullptr;
  if (!lv->clip) {
    if (lv->container) DestroyWindow(lv->container);
    tableFree(lv);
    return false;
  }
  t->listData = lv;
  t->view = kListOps;
  relayout(t);
  return true;
}

LRESULT CALLBACK ContainerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    TableData* t = tableOfPane(w);
    if (t && t->listData && listOf(t)->container == w) {
      switch (msg) {
      case WM_VSCROLL:
        onVScroll(t, LOWORD(wp), HWND(lp));
        return 0;
      case WM_HSCROLL:
        onHScroll(t, LOWORD(wp));
        return 0;
      case WM_ERASEBKGND:
        return 1;
      }
    }
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

LRESULT CALLBACK ListClipProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    TableData* t = tableOfPane(w);
    bool mine = t && t->listData && listOf(t)->clip == w;
    switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      if (mine && t->view.paint) {
        HWND table = t->window;
        t->paintDC = dc;
        t->view.paint(t, dc, &ps, t->windowBrush);
        if (refresh(t, table)) {
          t->paintDC = nullptr;
          if (auto hook = TblAfterPaintHook(t->hooks[TBLH_AFTERPAINT])) hook(dc, table, dc);
        }
      }
      EndPaint(w, &ps);
      return 0;
    }
    case WM_SETCURSOR:
      if (mine && setCursor(t, wp, lp)) return TRUE;
      break;
    case WM_KEYDOWN:
      if (mine && isActive(t) && keyDown(t, UINT(wp))) return 0;
      break;
    case WM_CAPTURECHANGED:
      if (mine && HWND(lp) != w) cancelDrag(t);
      return 0;
    default:
      if (mine && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && mouseMessage(t, msg, wp, lp)) return 0;
      if (mine && msg == WM_TIMER && wp == kAutoScrollTimer && mouseMessage(t, msg, wp, lp)) return 0;
      break;
    }
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

} // namespace gridwin
