// A host driving rows: ranges, fetches and their answers, cell values,
// inserting, deleting with and without kept numbers, hiding, swapping,
// the cache limit in both counting modes, split rows, open-ended ranges
// and the pending re-fetch.
#include "host.h"

#include <algorithm>

namespace {

using Rows = TableHost;

TEST_F(Rows, FetchAsksTheParentAndKeepsTheRow) {
  HWND t = activeTable(3);
  EXPECT_EQ(setRange(t, 0, 99), 1);
  fetched.clear();
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, 42), 1);
  EXPECT_EQ(fetched, std::vector<LONG>{42});
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, 42), 1);  // cached: not asked again
  EXPECT_EQ(fetched.size(), 1u);
  EXPECT_TRUE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_PRESENT, 42));
  EXPECT_EQ(send(t, TBLM_GETCONTEXTROW), 42);
  EXPECT_EQ(rowText(t, 42, 2), "r42c2");
}

LONG g_hookRow;
LRESULT __stdcall fetchHook(UINT id, HWND table, LONG row) {
  g_hookRow = row;
  SendMessageA(table, TBLM_SETCELLTEXT, 0, LPARAM(id == 7 ? "from slot 9" : "wrong id"));
  return 1;
}

TEST_F(Rows, SlotNineReplacesTheParentRequest) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  send(t, TBLM_SETHOOK, TBLH_FETCHROW, fetchHook);
  fetched.clear();
  EXPECT_EQ(rowText(t, 4, 0), "from slot 9");
  EXPECT_EQ(g_hookRow, 4);
  EXPECT_TRUE(fetched.empty());
}

TEST_F(Rows, AnswerTwoRemovesTheRowAndLaterRowsMoveUp) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  for (LONG r = 0; r < 10; ++r) send(t, TBLM_FETCHROW, 0, r);
  // Row 4's data is dropped (not cached any more), then the host says it is gone.
  setRowFlags(t, 4, TBL_ROW_PRESENT, false);
  fetch = [](HWND, LONG) { return LRESULT(2); };
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, 4), 2);
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.last, 8);
  EXPECT_EQ(rowText(t, 4, 0), "r5c0");
}

TEST_F(Rows, AnswerZeroFailsAndLeavesNoData) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  fetch = [](HWND, LONG) { return LRESULT(0); };
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, 3), 0);
  EXPECT_FALSE(send(t, TBLM_QUERYROWFLAGS, 0xFFFF, 3));
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.last, 9);
}

TEST_F(Rows, CellTextIsReadBackAndTheContextRowRestored) {
  HWND t = activeTable(2);
  setRange(t, 0, 9);
  EXPECT_EQ(send(t, TBLM_SETCONTEXTROW, 0, 7), 1);
  EXPECT_EQ(send(t, TBLM_SETCONTEXTROW, 0, 10), 0);
  EXPECT_EQ(send(t, TBLM_SETCONTEXTROWDATA, 0, 7), 1);
  EXPECT_EQ(send(t, TBLM_SETCELLTEXT, 1, "edited"), 1);
  EXPECT_EQ(rowText(t, 2, 0), "r2c0");
  EXPECT_EQ(send(t, TBLM_GETCONTEXTROW), 7);
  EXPECT_EQ(rowText(t, 7, 1), "edited");
  EXPECT_EQ(send(t, TBLM_GETROWCELLTEXTLENGTH, 1, 7), 6);
  char buf[4];
  TBLCELLTEXT small{0, 1, buf, sizeof buf};
  EXPECT_EQ(send(t, TBLM_GETCELLTEXT, 0, &small), 3);
  EXPECT_STREQ(buf, "edi");
  TBLCELLTEXT lengthOnly{0, 0x8001, nullptr, 0};
  EXPECT_EQ(send(t, TBLM_GETCELLTEXT, 0, &lengthOnly), 6);
  EXPECT_EQ(send(t, TBLM_GETCELLTEXTLENGTH, 1), 6);
  TBLCELLTEXT bad{7, 5, buf, sizeof buf};
  EXPECT_EQ(send(t, TBLM_GETROWCELLTEXT, 0, &bad), 0);
}

TEST_F(Rows, SetCellTextHonoursCaseAndLength) {
  std::vector<ColumnCreateInfo> cols = {columnInfo("lower", 40, 10, TBLCF_VISIBLE | TBLCF_LOWERCASE),
                                        columnInfo("upper", 40, 3, TBLCF_VISIBLE | TBLCF_UPPERCASE)};
  HWND t = createTable(createRecord(listParams(TBLC_ACTIVATE), cols));
  setRange(t, 0, 0);
  send(t, TBLM_SETCONTEXTROWDATA, 0, 0);
  send(t, TBLM_SETCELLTEXT, 0, "MiXeD");
  send(t, TBLM_SETCELLTEXT, 1, "abcdef");
  EXPECT_EQ(rowText(t, 0, 0), "mixed");
  EXPECT_EQ(rowText(t, 0, 1), "ABC");
}

TEST_F(Rows, CountedValuesInDataTypeOneColumns) {
  HWND t = createTable(createRecord(listParams(TBLC_ACTIVATE), {columnInfo("blob", 40, 8, 1, 1), columnInfo("t")}));
  setRange(t, 0, 0);
  send(t, TBLM_SETCONTEXTROWDATA, 0, 0);
  const BYTE data[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  TBLCELLDATA in{data, 10};
  EXPECT_EQ(send(t, TBLM_SETCELLDATA, 0, &in), 1);  // capped at 8
  EXPECT_EQ(send(t, TBLM_SETCELLDATA, 1, &in), 0);  // not a counted column
  EXPECT_EQ(send(t, TBLM_GETCELLDATALENGTH, 0), 8);
  BYTE out[16] = {};
  TBLROWCELLDATA get{0, 0x8000, out, 4};
  EXPECT_EQ(send(t, TBLM_GETROWCELLDATA, 0, &get), 8);
  EXPECT_EQ(out[3], 4);
  EXPECT_EQ(out[4], 0);
  EXPECT_EQ(send(t, TBLM_PEEKROWCELLDATA, 0, &get), 8);
  EXPECT_EQ(send(t, TBLM_SETCELLTEXT, 0, LPARAM(10002)), 1);
  EXPECT_EQ(send(t, TBLM_GETROWCELLDATALENGTH, 0, 0), 2);
}

TEST_F(Rows, ModifiedBitAndColourOfACell) {
  HWND t = activeTable(2);
  setRange(t, 0, 5);
  send(t, TBLM_SETCONTEXTROW, 0, 2);
  send(t, TBLM_FETCHROW, 0, 2);
  HWND col = HWND(send(t, TBLM_GETCOLUMNWINDOW, 1));
  EXPECT_EQ(send(col, EM_GETMODIFY), 0);
  send(col, EM_SETMODIFY, 1);
  EXPECT_EQ(send(col, EM_GETMODIFY), 1);
  EXPECT_EQ(send(col, TBLM_GETCELLCOLOR), LRESULT(GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(send(col, TBLM_SETCELLCOLOR, 0, RGB(200, 0, 0)), 1);
  EXPECT_EQ(send(col, TBLM_GETCELLCOLOR), LRESULT(RGB(200, 0, 0)));
  EXPECT_TRUE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_COLORED, 2));
  EXPECT_EQ(rowText(t, 2, 1), "r2c1");  // the prefix is not part of the text
  send(col, TBLM_SETCELLCOLOR, 0, 0x3000000);
  EXPECT_FALSE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_COLORED, 2));
  // Clearing "edited" clears the modified bits.
  setRowFlags(t, 2, TBL_ROW_EDITED, true);
  setRowFlags(t, 2, TBL_ROW_EDITED, false);
  send(t, TBLM_SETCONTEXTROW, 0, 2);
  EXPECT_EQ(send(col, EM_GETMODIFY), 0);
}

TEST_F(Rows, InsertAppendAndDelete) {
  HWND t = activeTable(1);
  setRange(t, 0, 4);
  for (LONG r = 0; r < 5; ++r) send(t, TBLM_FETCHROW, 0, r);
  EXPECT_EQ(send(t, TBLM_INSERTROW, 0, 2), 2);
  EXPECT_EQ(send(t, TBLM_QUERYROWFLAGS, 0xFFFF, 2), TBL_ROW_PRESENT | TBL_ROW_NEW);
  EXPECT_EQ(rowText(t, 3, 0), "r2c0");
  EXPECT_EQ(send(t, TBLM_INSERTROW, 0, TBL_ROW_END), 6);
  EXPECT_EQ(send(t, TBLM_INSERTROW, 0, 99), TBL_ROW_SCRATCH);
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.last, 6);
  TBLDELETEROW del{2, 1};
  EXPECT_EQ(send(t, TBLM_DELETEROW, 0, &del), 1);
  EXPECT_EQ(rowText(t, 2, 0), "r2c0");
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.last, 5);
}

TEST_F(Rows, DeleteKeepingNumbersLeavesAGap) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  for (LONG r = 0; r < 10; ++r) send(t, TBLM_FETCHROW, 0, r);
  TBLDELETEROW del{5, 0};
  EXPECT_EQ(send(t, TBLM_DELETEROW, 1, &del), 1);
  EXPECT_EQ(rowText(t, 6, 0), "r6c0");
  EXPECT_EQ(send(t, TBLM_QUERYROWFLAGS, 0xFFFF, 5), 0);
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, 5), 2);
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.last, 9);
}

TEST_F(Rows, DeletingTheFocusRowMovesTheFocus) {
  HWND t = activeTable(1);
  setRange(t, 0, 3);
  send(t, TBLM_SETFOCUSROW, 0, 3);
  TBLDELETEROW del{3, 0};
  send(t, TBLM_DELETEROW, 0, &del);
  EXPECT_EQ(send(t, TBLM_GETFOCUSROW), 2);
}

TEST_F(Rows, HiddenRowsAreSkippedByFocusAndFound) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  send(t, TBLM_SETFOCUSROW, 0, 4);
  EXPECT_EQ(setRowFlags(t, 4, TBL_ROW_HIDDEN, true), 1);
  EXPECT_EQ(send(t, TBLM_GETFOCUSROW), 5);
  setRowFlags(t, 7, TBL_ROW_HIDDEN, true);
  EXPECT_EQ(findNext(t, TBL_ROW_NONE, TBL_ROW_HIDDEN), 4);
  EXPECT_EQ(findNext(t, 4, TBL_ROW_HIDDEN), 7);
  EXPECT_EQ(findNext(t, 7, TBL_ROW_HIDDEN), TBL_ROW_SCRATCH);
  EXPECT_EQ(findNext(t, TBL_ROW_END, TBL_ROW_HIDDEN, 0, false), 7);
  EXPECT_EQ(setRowFlags(t, 50, TBL_ROW_HIDDEN, true), 0);  // outside the range
}

TEST_F(Rows, SwapExchangesDataAndFlags) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  send(t, TBLM_FETCHROW, 0, 1);
  send(t, TBLM_FETCHROW, 0, 8);
  setRowFlags(t, 8, TBL_ROW_SELECTED, true);
  TBLROWPAIR pair{1, 8};
  EXPECT_EQ(send(t, TBLM_SWAPROWS, 0, &pair), 1);
  EXPECT_TRUE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_SELECTED, 1));
  EXPECT_FALSE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_SELECTED, 8));
  EXPECT_EQ(rowText(t, 1, 0), "r8c0");
  EXPECT_EQ(rowText(t, 8, 0), "r1c0");
  TBLROWPAIR outside{1, 10};
  EXPECT_EQ(send(t, TBLM_SWAPROWS, 0, &outside), 0);
}

TEST_F(Rows, SelectionIsClearedAndFollowsTheFocus) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  for (LONG r : {1, 3, 5}) setRowFlags(t, r, TBL_ROW_SELECTED, true);
  EXPECT_EQ(send(t, TBLM_CLEARSELECTION, 0), 1);
  EXPECT_EQ(findNext(t, TBL_ROW_NONE, TBL_ROW_SELECTED), TBL_ROW_SCRATCH);
  send(t, TBLM_SETFLAGS, TBLF_SELECTFOLLOWSFOCUS, 1);
  send(t, TBLM_SETFOCUSROW, 0, 6);
  EXPECT_EQ(findNext(t, TBL_ROW_NONE, TBL_ROW_SELECTED), 6);
  send(t, TBLM_SETFOCUSROW, 0, 2);
  EXPECT_EQ(findNext(t, TBL_ROW_NONE, TBL_ROW_SELECTED), 2);
  EXPECT_EQ(findNext(t, 2, TBL_ROW_SELECTED), TBL_ROW_SCRATCH);
}

// rowCacheLimit 0 without discarding: 100 buffers, the scratch row's among
// them, then TBLN_CACHEFULL and the fetch fails.
TEST_F(Rows, FullCacheWithoutDiscardingRefusesTheFetch) {
  HWND t = activeTable(1);
  setRange(t, 0, 999);
  LONG row = 0;
  while (row < 200 && send(t, TBLM_FETCHROW, 0, row) == 1) ++row;
  EXPECT_EQ(row, 99);
  EXPECT_EQ(count(TBLN_CACHEFULL), 1);
  EXPECT_EQ(count(TBLN_ROWDISCARDED), 0);
}

TEST_F(Rows, DiscardingDropsTheRowsFarthestAwayFirst) {
  HWND t = activeTable(1, TBLC_ACTIVATE | TBLC_DISCARD, 20);
  setRange(t, 0, 999);
  for (LONG row = 0; row < 100; ++row) ASSERT_EQ(send(t, TBLM_FETCHROW, 0, row), 1) << row;
  EXPECT_EQ(count(TBLN_CACHEFULL), 0);
  std::vector<LONG> dropped;
  for (const Note& n : notes)
    if (n.code == TBLN_ROWDISCARDED) dropped.push_back(n.id);
  ASSERT_FALSE(dropped.empty());
  EXPECT_EQ(dropped.front(), 0);  // walking down the table, the top goes first
  EXPECT_TRUE(std::is_sorted(dropped.begin(), dropped.end()));
  EXPECT_TRUE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_PRESENT, 99));
  EXPECT_FALSE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_PRESENT, 0));
}

TEST_F(Rows, EditedNewAndColouredRowsStayCached) {
  HWND t = activeTable(1, TBLC_ACTIVATE | TBLC_DISCARD, 10);
  setRange(t, 0, 999);
  send(t, TBLM_FETCHROW, 0, 0);
  setRowFlags(t, 0, TBL_ROW_EDITED, true);
  send(t, TBLM_FETCHROW, 0, 1);
  setRowFlags(t, 1, TBL_ROW_NEW, true);
  send(t, TBLM_SETCONTEXTROW, 0, 2);
  send(t, TBLM_FETCHROW, 0, 2);
  send(HWND(send(t, TBLM_GETCOLUMNWINDOW, 0)), TBLM_SETCELLCOLOR, 0, RGB(0, 0, 255));
  for (LONG row = 3; row < 60; ++row) send(t, TBLM_FETCHROW, 0, row);
  for (LONG row : {0, 1, 2}) EXPECT_TRUE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_PRESENT, row)) << row;
}

// Counting only discardable rows: kept rows do not use up the limit.
TEST_F(Rows, CountOnlyDiscardableModeLetsKeptRowsExceedTheLimit) {
  for (bool onlyDiscardable : {false, true}) {
    notes.clear();
    HWND t = activeTable(1, TBLC_ACTIVATE, 10);
    send(t, TBLM_SETCACHECOUNTMODE, onlyDiscardable);
    setRange(t, 0, 999);
    LONG row = 0;
    for (; row < 30; ++row) {
      if (send(t, TBLM_FETCHROW, 0, row) != 1) break;
      setRowFlags(t, row, TBL_ROW_EDITED, true);
    }
    EXPECT_EQ(row == 30, onlyDiscardable) << row;
    EXPECT_EQ(count(TBLN_CACHEFULL) > 0, !onlyDiscardable);
    DestroyWindow(t);
  }
}

TEST_F(Rows, SetCacheRebuildsWithTheNewLimit) {
  HWND t = activeTable(1);
  setRange(t, 0, 99);
  send(t, TBLM_FETCHROW, 0, 5);
  EXPECT_EQ(send(t, TBLM_SETCACHE, 5, MAKELONG(1, 1)), 1);
  EXPECT_TRUE(send(t, TBLM_ISACTIVE));
  EXPECT_FALSE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_PRESENT, 5));
  setRange(t, 0, 99);
  for (LONG row = 0; row < 20; ++row) EXPECT_EQ(send(t, TBLM_FETCHROW, 0, row), 1);
  EXPECT_GT(count(TBLN_ROWDISCARDED), 0);
  EXPECT_EQ(send(t, TBLM_SETCACHE, 5, 0), 1);
  EXPECT_FALSE(send(t, TBLM_ISACTIVE));
}

TEST_F(Rows, ResetRowsEmptiesTheStore) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  send(t, TBLM_FETCHROW, 0, 3);
  EXPECT_EQ(send(t, TBLM_RESETROWS), 1);
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.first, 0);
  EXPECT_EQ(r.last, -1);
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, 3), 0);  // outside the (empty) range
  setRange(t, 0, 9);
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, 3), 1);  // the store is back
}

TEST_F(Rows, RowsOutsideTheRangeAreNeitherFetchedNorFlagged) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  fetched.clear();
  for (LONG row : std::initializer_list<LONG>{10, 0x7FFF0000, -1, TBL_ROW_END, TBL_SPLIT_ROW_BASE}) {
    EXPECT_EQ(send(t, TBLM_FETCHROW, 0, row), 0) << row;
    EXPECT_EQ(setRowFlags(t, row, TBL_ROW_SELECTED, true), 0) << row;
    EXPECT_EQ(send(t, TBLM_QUERYROWFLAGS, 0xFFFF, row), 0) << row;
  }
  EXPECT_TRUE(fetched.empty());
}

TEST_F(Rows, SplitRowsComeBeforeNormalRows) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  TBLROWRANGE r{};
  EXPECT_EQ(send(t, TBLM_GETROWRANGE, 1, &r), 0);
  EXPECT_EQ(send(t, TBLM_SETSPLIT, 1, 0), 1);
  EXPECT_EQ(send(t, TBLM_GETROWRANGE, 1, &r), 1);
  EXPECT_EQ(r.first, TBL_SPLIT_ROW_BASE);
  EXPECT_EQ(r.last, TBL_SPLIT_ROW_EMPTY);
  EXPECT_EQ(send(t, TBLM_INSERTROW, 0, TBL_ROW_NONE), TBL_SPLIT_ROW_BASE);
  EXPECT_EQ(setRange(t, TBL_SPLIT_ROW_BASE, TBL_SPLIT_ROW_BASE + 2), 1);
  fetched.clear();
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, TBL_SPLIT_ROW_BASE + 1), 1);
  EXPECT_EQ(fetched, std::vector<LONG>{TBL_SPLIT_ROW_BASE + 1});
  send(t, TBLM_FETCHROW, 0, 0);
  EXPECT_EQ(findNext(t, TBL_SPLIT_ROW_BASE, TBL_ROW_PRESENT), TBL_SPLIT_ROW_BASE + 1);
  EXPECT_EQ(findNext(t, TBL_SPLIT_ROW_BASE + 1, TBL_ROW_PRESENT), 0);
  EXPECT_EQ(findNext(t, 0, TBL_ROW_PRESENT, 0, false), TBL_SPLIT_ROW_BASE + 1);
  EXPECT_EQ(send(t, TBLM_SETFOCUSROW, 0, TBL_SPLIT_ROW_BASE + 1), 1);
  EXPECT_EQ(send(t, TBLM_SYNCSPLIT), 1);
  EXPECT_EQ(count(TBLN_SELCHANGE), 1);
  send(t, TBLM_SETSPLIT, 0, 0);
  EXPECT_EQ(send(t, TBLM_SETFOCUSROW, 0, TBL_SPLIT_ROW_BASE + 1), 0);
}

TEST_F(Rows, OpenEndedRangeGrowsAsTheHostDelivers) {
  HWND t = activeTable(1);
  rowCount = 37;
  fetch = [this](HWND table, LONG row) { return row < rowCount ? fillRow(table, row) : LRESULT(0); };
  EXPECT_EQ(setRange(t, 0, TBL_ROW_END), 1);
  EXPECT_EQ(send(t, TBLM_ISRANGEOPEN), 1);
  EXPECT_EQ(send(t, TBLM_SETCONTEXTROW, 0, 20), 1);  // fetched up to it
  EXPECT_EQ(send(t, TBLM_GETLASTROW), 36);           // no slot 24: fetched to the end
  EXPECT_EQ(send(t, TBLM_ISRANGEOPEN), 0);
  EXPECT_EQ(send(t, TBLM_SETCONTEXTROW, 0, 37), 0);
}

LONG __stdcall rangeSize(HWND) { return 500; }

TEST_F(Rows, OpenEndedRangeAsksSlotTwentyFourForItsSize) {
  HWND t = activeTable(1);
  setRange(t, 0, TBL_ROW_END);
  send(t, TBLM_SETHOOK, TBLH_RANGESIZE, rangeSize);
  fetched.clear();
  EXPECT_EQ(send(t, TBLM_GETLASTROW), 499);
  EXPECT_LT(fetched.size(), 50u);
}

TEST_F(Rows, RecountFetchesPageByPage) {
  HWND t = activeTable(1, TBLC_ACTIVATE | TBLC_DISCARD);
  rowCount = 123;
  fetch = [this](HWND table, LONG row) { return row < rowCount ? fillRow(table, row) : LRESULT(0); };
  EXPECT_EQ(send(t, TBLM_RECOUNT), 1);
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.first, 0);
  EXPECT_EQ(r.last, 122);
}

BOOL g_busy;
BOOL __stdcall busy() { return g_busy; }

TEST_F(Rows, BusyHostDefersTheFetch) {
  HWND t = activeTable(1);
  setRange(t, 0, 9);
  send(t, TBLM_SETHOOK, TBLH_BUSY, busy);
  g_busy = TRUE;
  fetched.clear();
  EXPECT_EQ(send(t, TBLM_FETCHROW, 0, 3), 1);  // present but empty for now
  EXPECT_TRUE(fetched.empty());
  EXPECT_EQ(rowText(t, 3, 0), "");
  g_busy = FALSE;
  pump();  // TBLM_PROCESSREFETCH drops the empty row
  EXPECT_FALSE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_PRESENT, 3));
  EXPECT_EQ(rowText(t, 3, 0), "r3c0");
}

TEST_F(Rows, FetchScratchCallsSlotNineWithTheArgument) {
  HWND t = activeTable(1);
  send(t, TBLM_SETHOOK, TBLH_FETCHROW, fetchHook);
  EXPECT_EQ(send(t, TBLM_FETCHSCRATCH, 0, 4711), 1);
  EXPECT_EQ(g_hookRow, 4711);
  EXPECT_EQ(send(t, TBLM_GETCONTEXTROW), TBL_ROW_SCRATCH);
  TBLCELLTEXT args{0, 0, nullptr, 0};
  EXPECT_EQ(send(t, TBLM_GETCELLTEXT, 0, &args), 11);
}

TEST_F(Rows, ScrollingAndVisibleRows) {
  ShowWindow(parent, SW_SHOW);
  HWND t = activeTable(2);
  setRange(t, 0, 999);
  LONG visible = LONG(send(t, TBLM_GETVISIBLEROWCOUNT));
  EXPECT_GT(visible, 3);
  TBLSCROLLTO to{500, nullptr};
  EXPECT_EQ(send(t, TBLM_SCROLLTOROW, 1, &to), 1);
  TBLVISIBLERANGE v{};
  send(t, TBLM_GETVISIBLERANGE, 0, &v);
  EXPECT_EQ(v.first, 500);
  EXPECT_EQ(v.last, 500 + visible - 1);
  EXPECT_EQ(LOWORD(send(t, TBLM_GETSCROLLPOS, 0)), 500);
  HWND container = FindWindowExA(t, nullptr, "Halvik:Tab:Container", nullptr);
  ASSERT_TRUE(container);
  send(container, WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(LOWORD(send(t, TBLM_GETSCROLLPOS, 0)), 500 + visible);
  send(container, WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(LOWORD(send(t, TBLM_GETSCROLLPOS, 0)), 500 + visible - 1);
  send(t, TBLM_SCROLLTOROW, 1, &to);
  fetched.clear();
  RedrawWindow(t, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::sort(fetched.begin(), fetched.end());
  ASSERT_FALSE(fetched.empty());
  EXPECT_EQ(fetched.front(), 500);  // painting fetched the page on show
  setRowFlags(t, 501, TBL_ROW_HIDDEN, true);
  send(t, TBLM_GETVISIBLERANGE, 0, &v);
  EXPECT_EQ(v.last, 500 + visible);  // one more row comes into view
  to.row = 999;
  send(t, TBLM_SCROLLTOROW, 1, &to);
  send(t, TBLM_GETVISIBLERANGE, 0, &v);
  EXPECT_EQ(v.last, 999);  // the last page is kept full
}

} // namespace

namespace {

std::vector<std::pair<LONG, DWORD>> g_headers;
int g_afterPaint;
void __stdcall rowHeaderPainter(HWND, HDC hdc, LONG row, DWORD flags, const RECT* rect) {
  if (hdc && rect && rect->right > rect->left) g_headers.push_back({row, flags});
}
void __stdcall afterPaint(HDC hdc, HWND, HDC again) { g_afterPaint += hdc && hdc == again; }

TEST_F(Rows, PaintingCallsTheHeaderPainterAndTheAfterPaintHook) {
  ShowWindow(parent, SW_SHOW);
  HWND t = activeTable(2);
  setRange(t, 0, 99);
  setRowFlags(t, 2, TBL_ROW_HIDDEN, true);
  setRowFlags(t, 3, TBL_ROW_SELECTED, true);
  send(t, TBLM_SETHOOK, TBLH_ROWHEADERPAINT, rowHeaderPainter);
  send(t, TBLM_SETHOOK, TBLH_AFTERPAINT, afterPaint);
  g_headers.clear();
  g_afterPaint = 0;
  InvalidateRect(t, nullptr, TRUE);
  RedrawWindow(t, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_GE(g_afterPaint, 1);
  ASSERT_GE(g_headers.size(), 4u);
  EXPECT_EQ(g_headers[0].first, 0);
  EXPECT_EQ(g_headers[2].first, 3);  // the hidden row is not painted
  EXPECT_TRUE(g_headers[2].second & TBL_ROW_SELECTED);
  LONG visible = LONG(send(t, TBLM_GETVISIBLEROWCOUNT));
  EXPECT_GE(LONG(g_headers.size()), visible);
  EXPECT_LE(LONG(g_headers.size()), visible + 1);  // a partly shown last row too
}

} // namespace

namespace {

// A host that destroys the table from inside the table's own requests.
TEST_F(Rows, TableDestroyedInsideAFetchOrANotification) {
  ShowWindow(parent, SW_SHOW);
  HWND t = activeTable(2);
  setRange(t, 0, 99);
  fetch = [](HWND table, LONG row) {
    if (row == 5) DestroyWindow(table);
    return LRESULT(1);
  };
  EXPECT_EQ(rowText(t, 5, 0), "");
  EXPECT_FALSE(IsWindow(t));

  t = activeTable(2);
  setRange(t, 0, 99);
  fetch = [](HWND table, LONG row) {
    if (row == 3) DestroyWindow(table);
    return LRESULT(1);
  };
  RedrawWindow(t, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_FALSE(IsWindow(t));

  static HWND victim;
  struct Local {
    static void __stdcall notified(HWND table, UINT code, LONG) {
      if (code == TBLN_ROWDISCARDED && table == victim) DestroyWindow(table);
    }
  };
  fetch = [this](HWND table, LONG row) { return fillRow(table, row); };
  victim = t = activeTable(1, TBLC_ACTIVATE | TBLC_DISCARD, 10);
  send(t, TBLM_SETHOOK, TBLH_NOTIFY, Local::notified);
  setRange(t, 0, 99);
  for (LONG row = 0; row < 40 && IsWindow(t); ++row) send(t, TBLM_FETCHROW, 0, row);
  EXPECT_FALSE(IsWindow(t));
  EXPECT_TRUE(activeTable(1));  // the library carries on
}

} // namespace
