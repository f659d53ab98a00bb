// The list view's painter: the title row, the split rows and bar, the
// normal rows with their row headers, grid lines, selection, cell colours
// (the host's slots 8 and 26), counted-value pictures, the fill character
// of cut-off values, the row header painter (slot 22) and the focus frame.
#include "listview.h"

#include <algorithm>
#include <cstring>

namespace gridwin {

namespace {

// The text left-aligned and vertically centred in the cell; a text that
// does not fit is cut and ends in the fill character.
void drawCellText(TableData* t, HDC dc, const RECT& cell, const char* text, int length) {
  RECT r = cell;
  r.left += t->halfCharWidth;
  r.right -= t->halfCharWidth / 2;
  if (r.right <= r.left || length <= 0) return;
  int y = (cell.top + cell.bottom - t->charHeight) / 2;
  if (cell.bottom - cell.top > t->rowHeight) y = cell.top + (t->rowHeight - t->charHeight) / 2;
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

struct CellValue {
  const char* text = "";
  int length = 0;
  bool colored = false;
  COLORREF color = 0;
  int picture = -1;  // a counted value 10002 or 10003: bitmaps[0] or [1]
};

CellValue cellValue(TableData* t, LONG row, int index) {
  CellValue v;
  CellView c;
  if (!t->store->cell(row, index, c)) return v;
  v.colored = c.colored;
  v.color = c.color;
  const uint8_t* value = c.value;
  uint32_t n = c.length;
  if (column(t, index).dataType == 1) {
    const uint8_t* counted;
    if (!t->store->countedValue(row, index, &counted, &n)) return v;
    value = counted;
    if (n == 2) {
      WORD word;
      std::memcpy(&word, value, 2);
      if (word == 10002 || word == 10003) v.picture = word - 10002;
    }
  }
  v.text = reinterpret_cast<const char*>(value);
  v.length = int(std::min<uint32_t>(n, 500));
  return v;
}

void drawPicture(TableData* t, HDC dc, const RECT& cell, int picture, COLORREF ink, COLORREF paper) {
  HBITMAP bitmap = t->bitmaps[picture];
  BITMAP info;
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap);
  COLORREF oldText = SetTextColor(dc, ink), oldBack = SetBkColor(dc, paper);
  int x = (cell.left + cell.right - info.bmWidth) / 2;
  int y = (cell.top + std::min<LONG>(cell.bottom, cell.top + t->rowHeight) - info.bmHeight) / 2;
  RECT room = cell;
  HRGN clip = CreateRectRgnIndirect(&room);
  SaveDC(dc);
  ExtSelectClipRgn(dc, clip, RGN_AND);
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, mem, 0, 0, SRCCOPY);
  RestoreDC(dc, -1);
  DeleteObject(clip);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void paintTitleRow(TableData* t, HDC dc, const ColumnLayout& layout) {
  ListView* lv = listOf(t);
  RECT r{0, 0, lv->width, titleHeight(t)};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (layout.headerRight > layout.headerLeft) {
    RECT corner{layout.headerLeft, 0, layout.headerRight, r.bottom};
    DrawEdge(dc, &corner, EDGE_RAISED, BF_RECT);
  }
  for (const ColumnSpan& s : layout.spans) {
    ColumnData& c = column(t, s.index);
    RECT cell{s.left, 0, s.right, r.bottom};
    bool selected = c.columnFlags & TBLCF_SELECTED;
    if (selected) FillRect(dc, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
    DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    drawCellText(t, dc, cell, c.title ? c.title : "", c.title ? lstrlenA(c.title) : 0);
  }
}

void paintRowHeader(TableData* t, HDC dc, const ColumnLayout& layout, LONG row, WORD flags, const RECT& rowRect) {
  RECT r{layout.headerLeft, rowRect.top, layout.headerRight, rowRect.bottom};
  if (r.right <= r.left) return;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  int index = columnIndex(t, t->rowHeaderColumn);
  if ((t->displayFlags & TBLD_ROWHEADERVALUE) && index >= 0 && (flags & TBL_ROW_PRESENT)) {
    CellValue v = cellValue(t, row, index);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    drawCellText(t, dc, r, v.text, v.length);
  }
  if (auto hook = TblRowHeaderPaintHook(t->hooks[TBLH_ROWHEADERPAINT])) hook(t->window, dc, row, flags, &r);
}

// The text colour of a row's cells without a colour of their own: the
// host's slot 8 may set it on the DC (the row is the context row then).
COLORREF rowTextColor(TableData*& t, HDC dc, LONG row, bool selected) {
  COLORREF color = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  auto hook = TblCellColorHook(t->hooks[TBLH_CELLCOLOR]);
  if (!hook || selected) return color;
  HWND w = t->window;
  t->contextRow = row;
  SetTextColor(dc, color);
  BOOL take = hook(w, dc);
  if (!refresh(t, w)) return color;
  return take ? GetTextColor(dc) : color;
}

// Returns false when the table went away under a host call.
bool paintRow(TableData*& t, HDC dc, const ColumnLayout& layout, LONG row, LONG y) {
  ListView* lv = listOf(t);
  HWND w = t->window;
  RECT rowRect{0, y, lv->width, y + t->fullRowHeight};
  WORD flags = rowFlags(t, row);
  bool selected = flags & TBL_ROW_SELECTED;
  RECT cells = rowRect;
  FillRect(dc, &cells, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  COLORREF text = rowTextColor(t, dc, row, selected);
  if (!refresh(t, w) || !t->listData) return false;
  auto brushHook = TblCellBrushHook(t->hooks[TBLH_CELLBRUSH]);
  for (const ColumnSpan& s : layout.spans) {
    RECT cell{s.left, y, s.right, rowRect.bottom};
    if (brushHook && !selected) {
      t->contextRow = row;
      HBRUSH brush = brushHook(w, dc, column(t, s.index).window);
      if (!refresh(t, w) || !t->listData) return false;
      if (brush) FillRect(dc, &cell, brush);
    }
    CellValue v;
    if (flags & TBL_ROW_PRESENT) v = cellValue(t, row, s.index);
    COLORREF ink = v.colored && !selected ? v.color : text;
    if (v.picture >= 0) {
      drawPicture(t, dc, cell, v.picture, ink, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    } else {
      SetTextColor(dc, ink);
      drawCellText(t, dc, cell, v.text, v.length);
    }
    LONG edge = isMirrored(t) ? cell.left : cell.right - 1;
    MoveToEx(dc, edge, y, nullptr);
    LineTo(dc, edge, rowRect.bottom);
  }
  MoveToEx(dc, 0, rowRect.bottom - 1, nullptr);
  LineTo(dc, lv->width, rowRect.bottom - 1);
  paintRowHeader(t, dc, layout, row, flags, rowRect);
  return refresh(t, w) && t->listData;
}

// The rows of an area from its top row, hidden rows skipped, each fetched
// as it is reached; the rest of the area filled. Returns false when the
// table went away under a fetch.
bool paintArea(TableData*& t, HDC dc, const ColumnLayout& layout, Area area, const RECT& dirty, HBRUSH background) {
  HWND w = t->window;
  AreaRows a = areaRows(t, area);
  LONG y = a.y;
  for (LONG row = a.top; t->store && row <= a.last && y < a.bottom; ++row) {
    if (rowFlags(t, row) & TBL_ROW_HIDDEN) continue;
    if (y + t->fullRowHeight > dirty.top && y < dirty.bottom) {
      if (!(rowFlags(t, row) & TBL_ROW_PRESENT)) {
        fetchRow(t, row);
        if (!refresh(t, w) || !t->store || !t->listData) return false;
        a = areaRows(t, area);
        if (row > a.last) break;  // a 2 removed the row
        if (rowFlags(t, row) & TBL_ROW_HIDDEN) continue;
      }
      if (!paintRow(t, dc, layout, row, y)) return false;
    }
    y += t->fullRowHeight;
  }
  RECT rest{0, y, listOf(t)->width, a.bottom};
  if (rest.bottom > rest.top) FillRect(dc, &rest, background);
  return true;
}

} // namespace

void drawFocus(TableData* t, HDC dc) {
  if (!(t->tableFlags & TF_FOCUSSHOWN) || !inRange(t, t->focusRow)) return;
  if (isSplitRow(t->focusRow) && !(t->tableFlags & TF_SPLIT)) return;
  AreaRows a = areaRows(t, areaOf(t->focusRow));
  LONG y = rowY(t, t->focusRow);
  if (t->focusRow < a.top || y + t->fullRowHeight > a.bottom) return;
  ColumnLayout layout = columnLayout(t);
  RECT r{0, y, listOf(t)->width, y + t->fullRowHeight};
  if (layout.headerRight > layout.headerLeft) {
    if (isMirrored(t))
      r.right = layout.headerLeft;
    else
      r.left = layout.headerRight;
  }
  int focusIndex = t->focusColumnId ? t->focusColumnId - TBL_COLUMN_ID_BASE : -1;
  for (const ColumnSpan& s : layout.spans)
    if (s.index == focusIndex) r.left = s.left, r.right = s.right;
  FrameRect(dc, &r, t->blackBrush);
}

void paint(TableData* t, HDC dc, const PAINTSTRUCT* ps, HBRUSH background) {
  HGDIOBJ oldFont = SelectObject(dc, t->font ? HGDIOBJ(t->font) : GetStockObject(SYSTEM_FONT));
  SetBkMode(dc, TRANSPARENT);
  HPEN grid = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
  HGDIOBJ oldPen = SelectObject(dc, grid);
  LONG context = t->contextRow;
  ColumnLayout layout = columnLayout(t);
  paintTitleRow(t, dc, layout);
  bool alive = true;
  if (t->tableFlags & TF_SPLIT) {
    alive = paintArea(t, dc, layout, AREA_SPLIT, ps->rcPaint, background);
    if (alive) {
      AreaRows split = areaRows(t, AREA_SPLIT);
      RECT bar{0, split.bottom, listOf(t)->width, split.bottom + kSplitBar};
      FillRect(dc, &bar, t->patternBrush);
    }
  }
  if (alive) alive = paintArea(t, dc, layout, AREA_NORMAL, ps->rcPaint, background);
  SelectObject(dc, oldPen);
  DeleteObject(grid);
  if (!alive) return;
  drawFocus(t, dc);
  t->contextRow = context;
  SelectObject(dc, oldFont);
}

} // namespace gridwin
