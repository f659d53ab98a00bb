// The list view's painting, read back by pixels where it carries meaning:
// selection, the focus frame, the fill character of cut-off values, a row
// picture drawn through slot 22, the counted-value pictures, and the cell
// colours the host gives through slots 8 and 26.
#include "listinput.h"

namespace {

using Paint = ListHost;

LONG rowTop(const ListHost& h, int shownRow) { return h.title + shownRow * h.m.rowHeight; }

TEST_F(Paint, SelectionAndFocusFrame) {
  make();
  setRowFlags(t, 1, TBL_ROW_SELECTED, true);
  send(t, TBLM_SETFOCUSROW, 0, 3);
  paintNow();
  LONG x = edgeX(0) - 4;  // right of the short texts, left of the grid line
  EXPECT_EQ(pixel(x, rowYAt(1)), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(pixel(x, rowYAt(2)), GetSysColor(COLOR_WINDOW));
  // The frame runs round the focus row's cells.
  EXPECT_EQ(pixel(header, rowYAt(3)), RGB(0, 0, 0));
  EXPECT_EQ(pixel(x, rowTop(*this, 3)), RGB(0, 0, 0));
  EXPECT_EQ(pixel(header, rowYAt(2)), GetSysColor(COLOR_WINDOW));
  // A focus cell has it round the cell alone.
  TBLFOCUSCELL cell{3, 1, 0, 0};
  send(t, TBLM_SETFOCUSCELL, 0, &cell);
  paintNow();
  EXPECT_EQ(pixel(header, rowYAt(3)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pixel(edgeX(0), rowYAt(3)), RGB(0, 0, 0));
}

TEST_F(Paint, RowsFetchedByPaintingCountInARecount) {
  make();
  paintNow();  // fetches the rows in view
  ASSERT_TRUE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_PRESENT, 0));
  rowCount = 30;
  fetch = [this](HWND table, LONG row) { return row < rowCount ? fillRow(table, row) : LRESULT(0); };
  EXPECT_EQ(send(t, TBLM_RECOUNT), 1);  // used to loop for ever on the rows already present
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.last, 29);
}

// Pixels of the text colour in the right `width` pixels of a cell.
int inkAtTheEnd(ListHost& h, LONG right, LONG y, LONG width) {
  int ink = 0;
  for (LONG x = right - width; x < right; ++x)
    for (LONG dy = -h.m.charHeight / 2; dy < h.m.charHeight / 2; ++dy)
      ink += h.pixel(x, y + dy) == GetSysColor(COLOR_WINDOWTEXT);
  return ink;
}

TEST_F(Paint, CutOffValuesEndInTheFillCharacter) {
  make();
  // Blanks leave no ink: what shows of a cut-off value is the fill character.
  fetch = [](HWND table, LONG) {
    SendMessageA(table, TBLM_SETCELLTEXT, 0, LPARAM("                                        "));
    SendMessageA(table, TBLM_SETCELLTEXT, 1, LPARAM("0"));
    return LRESULT(1);
  };
  LONG end = edgeX(0) - m.halfCharWidth / 2;
  paintNow();
  EXPECT_GT(inkAtTheEnd(*this, end, rowYAt(0), 2 * m.charWidth), 4);  // '#' by default
  EXPECT_EQ(inkAtTheEnd(*this, end - 2 * m.charWidth, rowYAt(0), 20), 0);
  send(t, TBLM_SETFILLCHAR, ' ');
  paintNow();
  EXPECT_EQ(inkAtTheEnd(*this, end, rowYAt(0), 2 * m.charWidth), 0);
  // A value that fits is drawn as it is, with nothing at the cell's end.
  EXPECT_GT(inkAtTheEnd(*this, edgeX(0) + 30, rowYAt(0), 30), 4);
  EXPECT_EQ(inkAtTheEnd(*this, edgeX(1) - 2, rowYAt(0), 20), 0);
}

void __stdcall redPicture(HWND, HDC hdc, LONG row, DWORD, const RECT* rect) {
  if (row != 2) return;
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{rect->left + 2, rect->top + 2, rect->right - 2, rect->bottom - 2};
  FillRect(hdc, &r, red);
  DeleteObject(red);
}

TEST_F(Paint, RowPictureThroughSlot22) {
  make();
  send(t, TBLM_SETHOOK, TBLH_ROWHEADERPAINT, redPicture);
  paintNow();
  EXPECT_EQ(pixel(header / 2, rowYAt(2)), RGB(255, 0, 0));
  EXPECT_NE(pixel(header / 2, rowYAt(1)), RGB(255, 0, 0));
}

TEST_F(Paint, CountedValuesShowTheirPictures) {
  std::vector<ColumnCreateInfo> cols{columnInfo("Pic", 60, 10, TBLCF_VISIBLE, 1)};
  t = createTable(createRecord(listParams(TBLC_ACTIVATE), cols));
  attach();
  fetch = [](HWND table, LONG row) {
    SendMessageA(table, TBLM_SETCELLTEXT, 0, row == 0 ? 10002 : 10003);
    return LRESULT(1);
  };
  setRange(t, 0, 1);
  paintNow();
  // Bitmaps 10002 and 10003 of the library, centred in the cell.
  for (int row = 0; row < 2; ++row) {
    HBITMAP bitmap = LoadBitmapA(dll, MAKEINTRESOURCEA(10002 + row));
    ASSERT_TRUE(bitmap);
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bitmap);
    LONG left = header, top = rowTop(*this, row);
    LONG x0 = (2 * left + 60 - info.bmWidth) / 2, y0 = (2 * top + title - info.bmHeight) / 2;
    int mismatches = 0, black = 0;
    for (int y = 0; y < info.bmHeight; ++y)
      for (int x = 0; x < info.bmWidth; ++x) {
        bool ink = GetPixel(mem, x, y) == RGB(0, 0, 0);
        black += ink;
        mismatches += (pixel(x0 + x, y0 + y) == GetSysColor(COLOR_WINDOWTEXT)) != ink;
      }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bitmap);
    EXPECT_GT(black, 10) << row;
    EXPECT_EQ(mismatches, 0) << row;
  }
}

HBRUSH g_green;
HBRUSH __stdcall greenCells(HWND, HDC, HWND) { return g_green; }
BOOL __stdcall blueText(HWND, HDC hdc) {
  SetTextColor(hdc, RGB(0, 0, 255));
  return TRUE;
}

TEST_F(Paint, CellColoursFromTheHost) {
  make();
  g_green = CreateSolidBrush(RGB(0, 255, 0));
  send(t, TBLM_SETHOOK, TBLH_CELLBRUSH, greenCells);
  send(t, TBLM_SETHOOK, TBLH_CELLCOLOR, blueText);
  setRowFlags(t, 1, TBL_ROW_SELECTED, true);
  paintNow();
  EXPECT_EQ(pixel(edgeX(0) - 4, rowYAt(0)), RGB(0, 255, 0));
  EXPECT_EQ(pixel(edgeX(0) - 4, rowYAt(1)), GetSysColor(COLOR_HIGHLIGHT));  // selection wins
  int blue = 0;
  for (LONG x = header; x < edgeX(0); ++x)
    for (LONG y = rowTop(*this, 0); y < rowTop(*this, 1); ++y) blue += pixel(x, y) == RGB(0, 0, 255);
  EXPECT_GT(blue, 5);
  DestroyWindow(t);
  DeleteObject(g_green);
}

TEST_F(Paint, MirroredTablePaintsTheRowHeaderAtTheRight) {
  make(3, TBLC_ACTIVATE | TBLC_REVERSECOLUMNS);
  send(t, TBLM_SETHOOK, TBLH_ROWHEADERPAINT, redPicture);
  paintNow();
  RECT pane;
  GetClientRect(clip, &pane);
  EXPECT_EQ(pixel(pane.right - header / 2, rowYAt(2)), RGB(255, 0, 0));
  EXPECT_NE(pixel(header / 2, rowYAt(2)), RGB(255, 0, 0));
}

} // namespace
