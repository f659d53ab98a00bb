// Creation from TableCreateParams: defaults, caps, failures (no double
// free), the MDI path, flag translation, metrics, reset and rebuild.
#include "host.h"

namespace {

using HtSizeFn = DWORD(__stdcall*)(const void*);

class Creation : public TableHost {
 protected:
  DWORD tableBlockSize(HWND t) {
    auto size = procOf<HtSizeFn>(GetModuleHandleA("hosttools.dll"), "HtSize");
    return size ? size(reinterpret_cast<void*>(GetWindowLongPtrA(t, 0))) : 0;
  }
};

TEST_F(Creation, DefaultsStyleMakesAnEmptyListView) {
  HWND t = CreateWindowExA(0, TBL_CLASS, "", WS_CHILD | TBLS_DEFAULTS, 0, 0, 100, 100, parent, HMENU(3), nullptr,
                           nullptr);
  ASSERT_TRUE(t);
  EXPECT_EQ(send(t, TBLM_GETVIEW), TBL_VIEW_LIST);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 0);
  EXPECT_EQ(send(t, TBLM_GETLINESPERROW), 1);
  EXPECT_FALSE(send(t, TBLM_ISACTIVE));
  EXPECT_TRUE(GetWindowLongA(t, GWL_STYLE) & WS_CLIPCHILDREN);
  EXPECT_EQ(tableBlockSize(t), 600u);
}

TEST_F(Creation, TableDataComesFromTheHostToolsHeapSizedByColumns) {
  HWND t = activeTable(5);
  ASSERT_TRUE(t);
  EXPECT_EQ(tableBlockSize(t), 600u + 82 * 5);
}

TEST_F(Creation, DataLengthsAreCapped) {
  struct Case { LONG given; BYTE dataType; LONG stored; };
  const Case cases[] = {{40000, 0, 32512}, {32510, 1, 32512}, {100, 1, 104}, {-5, 0, 0}, {0x7F00, 0, 0x7F00}};
  std::vector<ColumnCreateInfo> cols;
  for (const Case& c : cases) cols.push_back(columnInfo("X", 40, c.given, TBLCF_VISIBLE, c.dataType));
  HWND t = createTable(createRecord(listParams(), cols));
  ASSERT_TRUE(t);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(send(t, TBLM_GETMAXLENGTH, i), cases[i].stored) << i;
    EXPECT_EQ(send(t, TBLM_GETDATATYPE, 0x8000 + i), cases[i].dataType) << i;
  }
}

TEST_F(Creation, WidthIsRaisedToTheCharacterWidth) {
  HWND t = createTable(createRecord(listParams(), {columnInfo("A", 1), columnInfo("B", 80)}));
  TBLMETRICS m{};
  send(t, TBLM_GETMETRICS, 0, &m);
  EXPECT_GT(m.charWidth, 1);
  EXPECT_EQ(m.charWidth % 2, 0);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 0), m.charWidth);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 1), 80);
}

TEST_F(Creation, MetricsComeFromTheFont) {
  HFONT big = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  TableCreateParams p = listParams();
  p.font = big;
  p.linesPerRow = 2;
  HWND t = createTable(createRecord(p, {columnInfo("A")}));
  ASSERT_TRUE(t);
  EXPECT_EQ(HFONT(send(t, WM_GETFONT)), big);
  HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  SelectObject(ic, big);
  TEXTMETRICA tm;
  GetTextMetricsA(ic, &tm);
  DeleteDC(ic);
  LONG cx = GetSystemMetrics(SM_CXBORDER), cy = GetSystemMetrics(SM_CYBORDER);
  LONG base = (cy + 4 * cx + tm.tmHeight + 1) & ~1;
  TBLMETRICS m{};
  EXPECT_EQ(send(t, TBLM_GETMETRICS, 0, &m), 0);
  EXPECT_EQ(m.rowHeight, base + tm.tmHeight);
  EXPECT_EQ(m.charWidth, (tm.tmAveCharWidth + 1) & ~1);
  EXPECT_EQ(m.charHeight, tm.tmHeight);
  EXPECT_EQ(m.twoCxBorder, 2 * cx);
  EXPECT_EQ(send(t, TBLM_GETROWHEADERWIDTH), 20 + cx);
  DestroyWindow(t);
  DeleteObject(big);
}

TEST_F(Creation, CreateFlagsTranslateToPublicFlags) {
  struct Case { DWORD create; DWORD pub; };
  const Case cases[] = {{0x2, 0x1}, {0x4, 0x2}, {0x80, 0x4}, {0x100, 0x8}, {0x400, 0x10}, {0x800, 0x20},
                        {0x1000, 0x40}, {0x20, 0x80}, {0x4000, 0x100}, {0x8000, 0x200}, {0x80000, 0x400},
                        {0x10000, 0x800}, {0x40000, 0x1000}, {0x20000, 0x2000}, {0x200000, 0x4000}};
  for (const Case& c : cases) {
    HWND t = createTable(createRecord(listParams(c.create | TBLC_ACTIVATE), {columnInfo("A")}));
    ASSERT_TRUE(t);
    EXPECT_TRUE(send(t, TBLM_QUERYFLAGS, c.pub)) << std::hex << c.create;
    EXPECT_FALSE(send(t, TBLM_QUERYFLAGS, 0x7FFF & ~c.pub)) << std::hex << c.create;
    DestroyWindow(t);
  }
}

TEST_F(Creation, ActivateFlagAttachesTheStore) {
  HWND off = activeTable(1, 0);
  HWND on = activeTable(1, TBLC_ACTIVATE);
  EXPECT_FALSE(send(off, TBLM_ISACTIVE));
  EXPECT_TRUE(send(on, TBLM_ISACTIVE));
  EXPECT_EQ(send(on, TBLM_CREATEROWSTORE), 0);
  EXPECT_EQ(send(off, TBLM_CREATEROWSTORE), 1);
  EXPECT_TRUE(send(off, TBLM_ISACTIVE));
}

TEST_F(Creation, ReverseFlagMirrorsTheColumnOrder) {
  for (int n : {2, 3, 4, 5}) {
    HWND t = activeTable(n, TBLC_REVERSECOLUMNS);
    for (int pos = 0; pos < n; ++pos) EXPECT_EQ(send(t, TBLM_GETCOLUMNATPOSITION, pos), n - 1 - pos) << n;
    EXPECT_EQ(send(t, TBLM_GETCOLUMNATPOSITION, n), -1);
    EXPECT_EQ(send(t, TBLM_QUERYSTATE4), 1);
    DestroyWindow(t);
  }
  EXPECT_EQ(count(TBLN_COLMOVED), 0);
}

// Every failure: creation returns no window, the parent hears TBLN_ERROR,
// and WM_NCDESTROY (which still follows) frees nothing twice.
TEST_F(Creation, FailuresReportErrorAndFreeOnce) {
  TableCreateParams huge = listParams();
  huge.columnCount = 0x7FFFFFFF;
  std::vector<BYTE> oversized(sizeof huge);
  std::memcpy(oversized.data(), &huge, sizeof huge);
  huge.columnCount = -1;
  std::vector<BYTE> negative(sizeof huge);
  std::memcpy(negative.data(), &huge, sizeof huge);
  std::vector<std::vector<BYTE>> records = {
      oversized, negative,
      createRecord(listParams(), {columnInfo("A"), columnInfo("bad", 40, 40, 1, 0, 6)}),
      createRecord(listParams(), {columnInfo("bad", 40, 40, 1, 0, -1)}),
  };
  for (size_t i = 0; i < records.size(); ++i) {
    notes.clear();
    EXPECT_FALSE(createTable(records[i])) << i;
    EXPECT_GE(count(TBLN_ERROR), 1) << i;
    EXPECT_EQ(count(TBLN_DESTROY), 0) << i;
  }
  // The library is still sound.
  EXPECT_TRUE(activeTable(2));
}

void* __stdcall refuseMemory(DWORD) { return nullptr; }

TEST_F(Creation, RefusedMemoryFailsCreation) {
  TableCreateParams p = listParams();
  p.allocHook = reinterpret_cast<void*>(refuseMemory);
  EXPECT_FALSE(createTable(createRecord(p, {columnInfo("A")})));
  EXPECT_EQ(count(TBLN_ERROR), 1);
}

int g_allocations;
void* __stdcall countingAlloc(DWORD size) {
  ++g_allocations;
  using Alloc = void*(__stdcall*)(DWORD);
  return procOf<Alloc>(GetModuleHandleA("hosttools.dll"), "HtAlloc")(size);
}

TEST_F(Creation, AllocationHookServesTheTablesBlocks) {
  g_allocations = 0;
  TableCreateParams p = listParams(TBLC_ACTIVATE);
  p.allocHook = reinterpret_cast<void*>(countingAlloc);
  HWND t = createTable(createRecord(p, {columnInfo("A"), columnInfo("B")}));
  ASSERT_TRUE(t);
  EXPECT_GE(g_allocations, 4);  // record, order array, titles, store
  EXPECT_EQ(send(t, TBLM_GETHOOK, TBLH_ALLOC), LRESULT(countingAlloc));
}

TEST_F(Creation, CellKindsTwoToFiveGetADropDown) {
  std::vector<ColumnCreateInfo> cols;
  for (LONG kind = 0; kind <= 5; ++kind) cols.push_back(columnInfo("K", 40, 40, 1, 0, kind));
  HWND t = createTable(createRecord(listParams(), cols));
  ASSERT_TRUE(t);
  for (LONG kind = 0; kind <= 5; ++kind) {
    EXPECT_EQ(send(t, TBLM_GETCELLKIND, kind), kind);
    EXPECT_EQ(send(t, TBLM_GETDROPDOWN, kind) != 0, kind >= 2) << kind;
  }
}

TEST_F(Creation, FormViewsAreCreatedToo) {
  for (WORD view : {0, 2, 3, 4}) {
    TableCreateParams p = listParams(TBLC_ACTIVATE);
    p.viewType = view;
    HWND t = createTable(createRecord(p, {columnInfo("A")}));
    ASSERT_TRUE(t) << view;
    EXPECT_EQ(send(t, TBLM_GETVIEW), view);
    EXPECT_EQ(send(t, TBLM_SETVIEW, 1), 1);
    EXPECT_EQ(send(t, TBLM_GETVIEW), 1);
    DestroyWindow(t);
  }
}

TEST_F(Creation, MdiChildFindsItsRecordInTheMdiCreateStruct) {
  HWND frame = CreateWindowExA(0, "GridTestHost", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr,
                               nullptr, nullptr);
  CLIENTCREATESTRUCT ccs{};
  ccs.idFirstChild = 100;
  HWND client = CreateWindowExA(0, "MDICLIENT", "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 400, frame, nullptr,
                                nullptr, &ccs);
  ASSERT_TRUE(client);
  auto record = createRecord(listParams(TBLC_ACTIVATE), {columnInfo("A"), columnInfo("B")});
  MDICREATESTRUCTA mcs{};
  mcs.szClass = TBL_CLASS;
  mcs.szTitle = "mdi table";
  mcs.style = TBLS_MDICHILD;
  mcs.cx = mcs.cy = CW_USEDEFAULT;
  mcs.x = mcs.y = CW_USEDEFAULT;
  mcs.lParam = LPARAM(record.data());
  HWND t = HWND(SendMessageA(client, WM_MDICREATE, 0, LPARAM(&mcs)));
  ASSERT_TRUE(t);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 2);
  EXPECT_TRUE(send(t, TBLM_ISACTIVE));
  // Default processing is the MDI child's: maximizing goes through it.
  SendMessageA(client, WM_MDIMAXIMIZE, WPARAM(t), 0);
  EXPECT_TRUE(IsZoomed(t));
  SendMessageA(client, WM_MDIDESTROY, WPARAM(t), 0);
  EXPECT_FALSE(IsWindow(t));
  DestroyWindow(frame);
}

TEST_F(Creation, ResetLeavesAnEmptyActiveTable) {
  HWND t = activeTable(3);
  HWND col = HWND(send(t, TBLM_GETCOLUMNWINDOW, 0));
  setRange(t, 0, 9);
  EXPECT_EQ(rowText(t, 2, 1), "r2c1");
  notes.clear();
  EXPECT_TRUE(send(t, TBLM_RESET));
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 0);
  EXPECT_FALSE(IsWindow(col));
  EXPECT_EQ(count(TBLN_DESTROY), 3);
  EXPECT_TRUE(send(t, TBLM_ISACTIVE));
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.first, 0);
  EXPECT_EQ(r.last, -1);
}

// Default processing of WM_NCCREATE still runs: a top-level or MDI table
// shows the caption it was created with.
TEST_F(Creation, TableKeepsTheWindowTextItWasCreatedWith) {
  auto record = createRecord(listParams(), {columnInfo("A")});
  HWND t = CreateWindowExA(0, TBL_CLASS, "Orders", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                           record.data());
  ASSERT_TRUE(t);
  char caption[32] = {};
  GetWindowTextA(t, caption, sizeof caption);
  EXPECT_STREQ(caption, "Orders");
  DestroyWindow(t);
}

// A record that creation would refuse leaves the table as it was.
TEST_F(Creation, RecreateWithABadRecordKeepsTheTable) {
  HWND t = activeTable(2);
  setRange(t, 0, 4);
  auto bad = createRecord(listParams(), {columnInfo("A"), columnInfo("bad", 40, 40, 1, 0, 6)});
  notes.clear();
  EXPECT_EQ(send(t, TBLM_RECREATE, 0, bad.data()), 0);
  EXPECT_EQ(count(TBLN_ERROR), 1);
  EXPECT_EQ(count(TBLN_DESTROY), 0);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 2);
  EXPECT_EQ(rowText(t, 3, 1), "r3c1");
}

// Nothing of the old rows survives a reset: not an open-ended range, the
// top row or the focus cell (which would come back with the columns).
TEST_F(Creation, ResetForgetsRangeTopAndFocus) {
  HWND t = activeTable(2);
  setRange(t, 0, 200);
  TBLSCROLLTO to{150, nullptr};
  send(t, TBLM_SCROLLTOROW, 1, &to);
  TBLFOCUSCELL cell{150, 1, 0, 0};
  send(t, TBLM_SETFOCUSCELL, 0, &cell);
  setRange(t, 0, TBL_ROW_END);
  ASSERT_TRUE(send(t, TBLM_ISRANGEOPEN));
  notes.clear();
  EXPECT_TRUE(send(t, TBLM_RESET));
  EXPECT_LE(count(TBLN_COMMITTED), 1);  // not once for every column removed
  EXPECT_FALSE(send(t, TBLM_ISRANGEOPEN));
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.last, -1);
  ColumnCreateInfo info = columnInfo("N");
  send(t, TBLM_ADDCOLUMN, 0, &info);
  send(t, TBLM_ADDCOLUMN, 1, &info);
  TBLFOCUS f{};
  send(t, TBLM_GETFOCUS, 0, &f);
  EXPECT_EQ(f.column, nullptr);
}

TEST_F(Creation, RecreateRebuildsAndSendsSize) {
  HWND t = activeTable(2);
  auto record = createRecord(listParams(TBLC_ACTIVATE), {columnInfo("X"), columnInfo("Y"), columnInfo("Z")});
  EXPECT_TRUE(send(t, TBLM_RECREATE, 0, record.data()));
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 3);
  char title[16];
  GetWindowTextA(HWND(send(t, TBLM_GETCOLUMNWINDOW, 2)), title, sizeof title);
  EXPECT_STREQ(title, "Z");
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_GT(r.visible, 0);  // the view was laid out by WM_SIZE
}

TEST_F(Creation, AddColumnGrowsTheRecord) {
  HWND t = activeTable(2);
  setRange(t, 0, 4);
  EXPECT_EQ(rowText(t, 1, 1), "r1c1");
  ColumnCreateInfo extra = columnInfo("New", 50);
  EXPECT_EQ(send(t, TBLM_ADDCOLUMN, 0, &extra), 1);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 3);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNATPOSITION, 0), 2);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 2), 50);
  // A cached row reads the new column as empty and can be written.
  EXPECT_EQ(rowText(t, 1, 2), "");
  send(t, TBLM_SETCONTEXTROW, 0, 1);
  EXPECT_TRUE(send(t, TBLM_SETCELLTEXT, 2, "added"));
  EXPECT_EQ(rowText(t, 1, 2), "added");
  EXPECT_EQ(rowText(t, 1, 1), "r1c1");
}

// A column that cannot be completed takes its window with it: no stray
// window keeps the next column's identifier.
TEST_F(Creation, AddColumnThatFailsLeavesNoColumnWindow) {
  HWND t = activeTable(2);
  send(t, TBLM_SETHOOK, TBLH_ALLOC, refuseMemory);
  ColumnCreateInfo extra = columnInfo("New", 50);
  notes.clear();
  EXPECT_EQ(send(t, TBLM_ADDCOLUMN, 0, &extra), 0);
  EXPECT_EQ(count(TBLN_ERROR), 1);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 2);
  EXPECT_FALSE(GetDlgItem(t, TBL_COLUMN_ID_BASE + 2));
  send(t, TBLM_SETHOOK, TBLH_ALLOC, 0);
  EXPECT_EQ(send(t, TBLM_ADDCOLUMN, 0, &extra), 1);
  EXPECT_EQ(GetDlgItem(t, TBL_COLUMN_ID_BASE + 2), HWND(send(t, TBLM_GETCOLUMNWINDOW, 2)));
}

} // namespace
