// The list view (view type 1): a :Container pane that carries the scroll
// bars and fills the table, and inside it a :ListClip pane on which the
// title row, the row headers and the rows are painted. Its ViewOps serve
// the table's messages (rows that fit, scroll position, scroll into view,
// rows per page, ...). Mouse and keyboard handling live elsewhere.
#include "table.h"

#include <algorithm>
#include <cstring>

namespace gridwin {

namespace {

struct ListView {
  HWND container;
  HWND clip;
  LONG width, height;   // of the clip pane
  LONG firstScroll;     // first scrolling display position shown
  LONG splitHeight;     // pixels of the split area (0 when not split)
  SCROLLINFO shown[2];  // what the scroll bars show, to skip unchanged updates
};

constexpr int kSplitBar = 4;

ListView* listOf(TableData* t) { return static_cast<ListView*>(t->listData); }

TableData* tableOfPane(HWND pane) {
  HWND table = GetParent(pane);
  if (GetClassLongA(table, GCL_CBCLSEXTRA) < 4 || GetClassLongA(table, 0) != TBL_TABLE_CLASS_MARK)
    table = GetParent(table);
  return IsWindow(table) ? tableOf(table) : nullptr;
}

LONG titleHeight(TableData* t) { return t->rowHeight; }
LONG headerWidth(TableData* t) { return (t->displayFlags & TBLD_ROWHEADER) ? t->rowHeaderWidth : 0; }
LONG rowsTop(TableData* t) { return titleHeight(t) + listOf(t)->splitHeight; }

bool shown(TableData* t, int index) { return column(t, index).columnFlags & TBLCF_VISIBLE; }

// Display positions of the shown columns, locked ones first, with their x.
template <class F> void forEachShownColumn(TableData* t, F f) {
  ListView* lv = listOf(t);
  LONG x = headerWidth(t);
  int locked = 0;
  for (int pos = 0; pos < t->columnCount; ++pos) {
    int index = t->order[pos];
    if (!shown(t, index)) continue;
    bool isLocked = locked < t->lockedCount;
    if (isLocked) ++locked;
    if (!isLocked && pos < lv->firstScroll) continue;
    if (x >= lv->width) break;
    f(index, x);
    x += column(t, index).width;
  }
}

LONG rowsThatFit(TableData* t) {
  LONG h = listOf(t)->height - rowsTop(t);
  return h > 0 ? std::max<LONG>(1, h / t->fullRowHeight) : 0;
}

LONG rowsPerPage(TableData* t) { return std::max<LONG>(1, rowsThatFit(t)); }

LONG lastTop(TableData* t) {
  return std::max(t->rangeFirst, t->rangeLast - rowsPerPage(t) + 1);
}

void setScrollBar(ListView* lv, int bar, int max, UINT page, int pos) {
  SCROLLINFO& shown = lv->shown[bar == SB_VERT];
  if (shown.cbSize && shown.nMax == max && shown.nPage == page && shown.nPos == pos) return;
  shown = SCROLLINFO{sizeof shown, SIF_ALL | SIF_DISABLENOSCROLL, 0, max, page, pos, 0};
  SetScrollInfo(lv->container, bar, &shown, TRUE);
}

void updateScrollBars(TableData* t) {
  ListView* lv = listOf(t);
  LONG count = std::max<LONG>(0, t->rangeLast - t->rangeFirst + 1);
  setScrollBar(lv, SB_VERT, count > 0 ? count - 1 : 0, rowsPerPage(t), std::max<LONG>(0, t->topRow - t->rangeFirst));
  setScrollBar(lv, SB_HORZ, std::max(0, int(t->columnCount) - 1), 1, lv->firstScroll);
}

void clampTop(TableData* t) {
  t->topRow = std::clamp(t->topRow, t->rangeFirst, lastTop(t));
}

void relayout(TableData* t) {
  ListView* lv = listOf(t);
  RECT r;
  GetClientRect(t->window, &r);
  RECT pane;
  GetWindowRect(lv->container, &pane);
  if (pane.right - pane.left != r.right || pane.bottom - pane.top != r.bottom)
    MoveWindow(lv->container, 0, 0, r.right, r.bottom, TRUE);
  GetClientRect(lv->container, &r);
  if (r.right != lv->width || r.bottom != lv->height) MoveWindow(lv->clip, 0, 0, r.right, r.bottom, TRUE);
  lv->width = r.right;
  lv->height = r.bottom;
  lv->splitHeight = 0;
  if ((t->tableFlags & TF_SPLIT) && t->splitRowCount > 0)
    lv->splitHeight = std::min<LONG>(t->splitRowCount, std::max<LONG>(1, (lv->height / 4) / t->fullRowHeight)) *
                          t->fullRowHeight + kSplitBar;
  clampTop(t);
  updateScrollBars(t);
}

// --- painting ---------------------------------------------------------------

// The text left-aligned and vertically centred in the cell; a text that
// does not fit is cut and ends in the fill character.
void drawCellText(TableData* t, HDC dc, const RECT& cell, const char* text, int length) {
  RECT r = cell;
  r.left += t->halfCharWidth;
  r.right -= t->halfCharWidth / 2;
  if (r.right <= r.left || length <= 0) return;
  int y = (cell.top + cell.bottom - t->charHeight) / 2;
  int room = r.right - r.left, fit = 0;
  SIZE size;
  GetTextExtentExPointA(dc, text, length, room, &fit, nullptr, &size);
  if (fit >= length) {
    ExtTextOutA(dc, r.left, y, ETO_CLIPPED, &r, text, length, nullptr);
    return;
  }
  char fill = t->fillChar ? t->fillChar : '#';
  SIZE fillSize;
  GetTextExtentPoint32A(dc, &fill, 1, &fillSize);
  GetTextExtentExPointA(dc, text, length, std::max<LONG>(0, room - fillSize.cx), &fit, nullptr, &size);
  char buf[512];
  int n = std::min(fit, int(sizeof buf) - 1);
  std::memcpy(buf, text, n);
  buf[n] = fill;
  ExtTextOutA(dc, r.left, y, ETO_CLIPPED, &r, buf, n + 1, nullptr);
}

void cellText(TableData* t, LONG row, int index, const char** text, int* length, COLORREF* color) {
  CellView c;
  *text = "";
  *length = 0;
  if (!t->store->cell(row, index, c)) return;
  if (c.colored) *color = c.color;
  const uint8_t* value = c.value;
  uint32_t n = c.length;
  if (column(t, index).dataType == 1) {
    const uint8_t* v;
    if (!t->store->countedValue(row, index, &v, &n)) return;
    value = v;
  }
  *text = reinterpret_cast<const char*>(value);
  *length = int(std::min<uint32_t>(n, 500));
}

void paintTitleRow(TableData* t, HDC dc) {
  ListView* lv = listOf(t);
  RECT r{0, 0, lv->width, titleHeight(t)};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (headerWidth(t)) {
    RECT corner{0, 0, headerWidth(t), r.bottom};
    DrawEdge(dc, &corner, EDGE_RAISED, BF_RECT);
  }
  forEachShownColumn(t, [&](int index, LONG x) {
    ColumnData& c = column(t, index);
    RECT cell{x, 0, x + c.width, r.bottom};
    DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
    drawCellText(t, dc, cell, c.title ? c.title : "", c.title ? lstrlenA(c.title) : 0);
  });
}

void paintRowHeader(TableData* t, HDC dc, LONG row, WORD flags, const RECT& rowRect) {
  RECT r{0, rowRect.top, headerWidth(t), rowRect.bottom};
  if (r.right <= 0) return;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  int index = columnIndex(t, t->rowHeaderColumn);
  if ((t->displayFlags & TBLD_ROWHEADERVALUE) && index >= 0 && (flags & TBL_ROW_PRESENT)) {
    const char* text;
    int length;
    COLORREF color;
    cellText(t, row, index, &text, &length, &color);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    drawCellText(t, dc, r, text, length);
  }
  if (auto hook = TblRowHeaderPaintHook(t->hooks[TBLH_ROWHEADERPAINT])) hook(t->window, dc, row, flags, &r);
}

void paintRow(TableData* t, HDC dc, LONG row, LONG y) {
  ListView* lv = listOf(t);
  RECT rowRect{0, y, lv->width, y + t->fullRowHeight};
  WORD flags = rowFlags(t, row);
  bool selected = flags & TBL_ROW_SELECTED;
  HBRUSH back = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  RECT cells{headerWidth(t), y, lv->width, rowRect.bottom};
  FillRect(dc, &cells, back);
  forEachShownColumn(t, [&](int index, LONG x) {
    RECT cell{x, y, x + column(t, index).width, rowRect.bottom};
    COLORREF color = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const char* text = "";
    int length = 0;
    if (flags & TBL_ROW_PRESENT) cellText(t, row, index, &text, &length, &color);
    SetTextColor(dc, color);
    drawCellText(t, dc, cell, text, length);
    MoveToEx(dc, cell.right - 1, y, nullptr);
    LineTo(dc, cell.right - 1, rowRect.bottom);
  });
  MoveToEx(dc, headerWidth(t), rowRect.bottom - 1, nullptr);
  LineTo(dc, lv->width, rowRect.bottom - 1);
  paintRowHeader(t, dc, row, flags, rowRect);
}

// Rows from `first` down to `bottom`, hidden rows skipped, each fetched as
// it is reached. Returns false when the table went away under a fetch.
bool paintRows(TableData*& t, HDC dc, LONG first, LONG last, LONG top, LONG bottom, const RECT& dirty) {
  HWND w = t->window;
  LONG y = top;
  for (LONG row = first; row <= last && y < bottom; ++row) {
    if (rowFlags(t, row) & TBL_ROW_HIDDEN) continue;
    if (y + t->fullRowHeight > dirty.top && y < dirty.bottom) {
      if (!(rowFlags(t, row) & TBL_ROW_PRESENT)) {
        fetchRow(t, row);
        if (!refresh(t, w) || !t->store || !t->listData) return false;
        if (row > t->rangeLast && !isSplitRow(row)) break;  // a 2 removed the row
        if (rowFlags(t, row) & TBL_ROW_HIDDEN) continue;
      }
      paintRow(t, dc, row, y);
    }
    y += t->fullRowHeight;
  }
  return true;
}

void drawFocus(TableData* t, HDC dc) {
  if (!(t->tableFlags & TF_FOCUSSHOWN) || !inRange(t, t->focusRow) || isSplitRow(t->focusRow)) return;
  LONG y = rowsTop(t);
  for (LONG row = t->topRow; row < t->focusRow && y < listOf(t)->height; ++row)
    if (!(rowFlags(t, row) & TBL_ROW_HIDDEN)) y += t->fullRowHeight;
  if (t->focusRow < t->topRow || y >= listOf(t)->height) return;
  RECT r{headerWidth(t), y, listOf(t)->width, y + t->fullRowHeight};
  DrawFocusRect(dc, &r);
}

void paint(TableData* t, HDC dc, const PAINTSTRUCT* ps, HBRUSH background) {
  ListView* lv = listOf(t);
  HWND w = t->window;
  HGDIOBJ oldFont = SelectObject(dc, t->font ? HGDIOBJ(t->font) : GetStockObject(SYSTEM_FONT));
  SetBkMode(dc, TRANSPARENT);
  HPEN grid = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
  HGDIOBJ oldPen = SelectObject(dc, grid);
  LONG context = t->contextRow;
  paintTitleRow(t, dc);
  bool alive = true;
  if (t->store && lv->splitHeight) {
    alive = paintRows(t, dc, t->splitTop, t->splitLast, titleHeight(t), titleHeight(t) + lv->splitHeight - kSplitBar,
                      ps->rcPaint);
    if (alive) {
      RECT bar{0, rowsTop(t) - kSplitBar, listOf(t)->width, rowsTop(t)};
      FillRect(dc, &bar, t->patternBrush);
    }
  }
  if (alive && t->store) alive = paintRows(t, dc, t->topRow, t->rangeLast, rowsTop(t), lv->height, ps->rcPaint);
  SelectObject(dc, oldPen);
  DeleteObject(grid);
  if (!alive) return;
  // Below the last row.
  LONG y = rowsTop(t);
  for (LONG row = t->topRow; row <= t->rangeLast && y < lv->height; ++row)
    if (!(rowFlags(t, row) & TBL_ROW_HIDDEN)) y += t->fullRowHeight;
  RECT rest{0, y, lv->width, lv->height};
  if (!t->store) rest.top = titleHeight(t);
  FillRect(dc, &rest, background);
  drawFocus(t, dc);
  t->contextRow = context;
  SelectObject(dc, oldFont);
  (void)w;
}

// --- ViewOps -----------------------------------------------------------------

void detach(TableData* t) {
  ListView* lv = listOf(t);
  if (!lv) return;
  t->listData = nullptr;
  if (IsWindow(lv->container)) DestroyWindow(lv->container);
  tableFree(lv);
}

LONG rowY(TableData* t, LONG row) {
  if (isSplitRow(row)) return titleHeight(t) + (row - t->splitTop) * t->fullRowHeight;
  LONG y = rowsTop(t);
  for (LONG r = t->topRow; r < row && y < listOf(t)->height; ++r)
    if (!(rowFlags(t, r) & TBL_ROW_HIDDEN)) y += t->fullRowHeight;
  return y;
}

void repaintRows(TableData* t, LONG first, LONG last, int, bool) {
  ListView* lv = listOf(t);
  if (last < first) std::swap(first, last);
  bool split = isSplitRow(first);
  if (!split && last < t->topRow) return;
  LONG top = split ? titleHeight(t) : rowY(t, std::max(first, t->topRow));
  LONG bottom = lv->height;
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
  bool found = false;
  LONG y = rowY(t, row);
  forEachShownColumn(t, [&](int i, LONG x) {
    if (i == index) {
      *out = RECT{x, y, x + column(t, i).width, y + t->fullRowHeight};
      found = true;
    }
  });
  return found && inRange(t, row) && y < listOf(t)->height;
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

bool handleMessage(TableData*, UINT, WPARAM, LPARAM, LRESULT*) { return false; }

WORD columnQuery(TableData* t, WORD arg, LPARAM) {
  // The display position of a column, as the view sees it.
  int index = columnIndex(t, arg);
  for (int pos = 0; index >= 0 && pos < t->columnCount; ++pos)
    if (t->order[pos] == index) return WORD(pos);
  return 0xFFFF;
}

void extraMetrics(TableData*, TBLMETRICS*) {}

LRESULT scrollPos(TableData* t, int area) {
  if (area == 1) return MAKELONG(WORD(t->splitTop - t->splitFirst), 0);
  return MAKELONG(WORD(t->topRow - t->rangeFirst), WORD(listOf(t)->firstScroll));
}

bool scrollIntoView(TableData* t, LONG row, int index, int mode) {
  ListView* lv = listOf(t);
  if (isSplitRow(row)) {
    t->splitTop = std::clamp(row, t->splitFirst, std::max(t->splitFirst, t->splitLast));
  } else if (row >= 0) {
    LONG fit = rowsPerPage(t);
    LONG top = t->topRow;
    if (mode != 0 || row < top)
      top = row;
    else if (row >= top + fit)
      top = row - fit + 1;
    t->topRow = top;
    clampTop(t);
  }
  if (index >= 0) {
    int pos = columnQuery(t, WORD(index), 0);
    if (pos != 0xFFFF && pos >= t->lockedCount && pos < lv->firstScroll) lv->firstScroll = pos;
  }
  updateScrollBars(t);
  InvalidateRect(lv->clip, nullptr, FALSE);
  return true;
}

void splitChanged(TableData* t) { layoutChanged(t, VC_EXTENT); }

void columnFlagsChanged(TableData* t, int, DWORD) { layoutChanged(t, VC_EXTENT); }

void viewNothing(TableData*) {}
LRESULT viewMsg1(TableData*, LPARAM) { return 0; }
LRESULT viewMsg2(TableData*, WORD, WORD) { return 0; }
void formOrigin(TableData*, POINT* p) { *p = POINT{0, 0}; }

constexpr ViewOps kListOps = {
    detach,        paint,          showFocus,     repaintRows,    viewNothing,    cellRect,
    layoutChanged, rowsReset,      flagsChanged,  handleMessage,  columnQuery,    viewMsg1,
    viewMsg2,      rowsThatFit,    extraMetrics,  scrollPos,      scrollIntoView, splitChanged,
    viewNothing,   rowsPerPage,    viewNothing,   columnFlagsChanged, drawFocus,  viewNothing,
    formOrigin,
};

void scrollTo(TableData* t, LONG top) {
  t->topRow = top;
  clampTop(t);
  updateScrollBars(t);
  InvalidateRect(listOf(t)->clip, nullptr, FALSE);
}

void onVScroll(TableData* t, WORD code) {
  LONG page = rowsPerPage(t);
  SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  switch (code) {
  case SB_LINEUP: return scrollTo(t, t->topRow - 1);
  case SB_LINEDOWN: return scrollTo(t, t->topRow + 1);
  case SB_PAGEUP: return scrollTo(t, t->topRow - page);
  case SB_PAGEDOWN: return scrollTo(t, t->topRow + page);
  case SB_TOP: return scrollTo(t, t->rangeFirst);
  case SB_BOTTOM: return scrollTo(t, t->rangeLast);
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    GetScrollInfo(listOf(t)->container, SB_VERT, &si);
    return scrollTo(t, t->rangeFirst + si.nTrackPos);
  }
}

void onHScroll(TableData* t, WORD code) {
  ListView* lv = listOf(t);
  LONG pos = lv->firstScroll;
  SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  switch (code) {
  case SB_LINELEFT: case SB_PAGELEFT: --pos; break;
  case SB_LINERIGHT: case SB_PAGERIGHT: ++pos; break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    GetScrollInfo(lv->container, SB_HORZ, &si);
    pos = si.nTrackPos;
    break;
  default:
    return;
  }
  lv->firstScroll = std::clamp<LONG>(pos, 0, std::max<LONG>(0, t->columnCount - 1));
  updateScrollBars(t);
  InvalidateRect(lv->clip, nullptr, FALSE);
}

} // namespace

bool attachListView(TableData* t) {
  auto* lv = static_cast<ListView*>(tableAlloc(t, sizeof(ListView)));
  if (!lv) return false;
  std::memset(lv, 0, sizeof *lv);
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
        onVScroll(t, LOWORD(wp));
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
    switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      TableData* t = tableOfPane(w);
      if (t && t->listData && t->view.paint) {
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
    }
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

} // namespace gridwin
