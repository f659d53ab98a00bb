// The list view's keyboard: focus moves with hidden rows skipped and the
// area's ends kept, the validation hook's refusal, Shift selection, Space,
// open-ended ranges on Page Down and End, column scrolling (mirrored with
// the host's right-to-left answer) and the focus cell of Tab and Insert.
#include "listinput.h"

namespace {

using Keys = ListHost;

TEST_F(Keys, ArrowsPagesHomeAndEnd) {
  make(3, TBLC_ACTIVATE, 50);
  LONG page = LONG(send(t, TBLM_GETVISIBLEROWCOUNT));
  key(VK_DOWN);  // no focus yet: the first row
  EXPECT_EQ(focusRow(), 0);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_FOCUSROWCHANGED, kNone}, {TBLN_SELCHANGE, kNone}}));
  setRowFlags(t, 1, TBL_ROW_HIDDEN, true);
  setRowFlags(t, 2, TBL_ROW_HIDDEN, true);
  key(VK_DOWN);
  EXPECT_EQ(focusRow(), 3);
  key(VK_UP);
  EXPECT_EQ(focusRow(), 0);
  notes.clear();
  key(VK_UP);  // clamped: nothing happens, nothing is sent
  EXPECT_EQ(focusRow(), 0);
  EXPECT_TRUE(notes.empty());
  key(VK_NEXT);
  EXPECT_EQ(focusRow(), page + 2);  // a page of shown rows
  EXPECT_EQ(topRow() + page - 1 >= focusRow(), true);
  key(VK_END);
  EXPECT_EQ(focusRow(), 49);
  EXPECT_EQ(topRow(), 50 - page);
  key(VK_NEXT);
  EXPECT_EQ(focusRow(), 49);
  key(VK_PRIOR);
  EXPECT_EQ(focusRow(), 49 - page);
  key(VK_HOME);
  EXPECT_EQ(focusRow(), 0);
  EXPECT_EQ(topRow(), 0);
  EXPECT_TRUE(selectedRows().empty());  // moves alone do not select
}

// Selected split rows are selected rows too: clearing the selection
// clears them with the normal ones.
TEST_F(Keys, ClearingTheSelectionReachesSplitRows) {
  make();
  send(t, TBLM_SETSPLIT, 1, 0);
  TBLROWPAIR split{TBL_SPLIT_ROW_BASE, TBL_SPLIT_ROW_BASE + 2};
  send(t, TBLM_SETRANGE, 0, &split);
  for (LONG row : {LONG(TBL_SPLIT_ROW_BASE + 1), LONG(3)}) {
    TBLSETROWFLAGS args{row, 1};
    ASSERT_TRUE(send(t, TBLM_SETROWFLAGS, TBL_ROW_SELECTED, &args));
  }
  send(t, TBLM_CLEARSELECTION, 0, 0);
  EXPECT_FALSE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_SELECTED, TBL_SPLIT_ROW_BASE + 1));
  EXPECT_FALSE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_SELECTED, 3));
}

TEST_F(Keys, MovesStayInTheAreaOfTheFocusRow) {
  make();
  send(t, TBLM_SETSPLIT, 1, 0);
  TBLROWPAIR split{TBL_SPLIT_ROW_BASE, TBL_SPLIT_ROW_BASE + 2};
  send(t, TBLM_SETRANGE, 0, &split);
  send(t, TBLM_SETFOCUSROW, 0, TBL_SPLIT_ROW_BASE + 1);
  key(VK_DOWN);
  key(VK_DOWN);
  EXPECT_EQ(focusRow(), TBL_SPLIT_ROW_BASE + 2);
  key(VK_HOME);
  EXPECT_EQ(focusRow(), TBL_SPLIT_ROW_BASE);
  key(VK_UP);
  EXPECT_EQ(focusRow(), TBL_SPLIT_ROW_BASE);
  send(t, TBLM_SETFOCUSROW, 0, 0);
  key(VK_UP);
  EXPECT_EQ(focusRow(), 0);
}

std::vector<LONG> g_asked;
LONG g_refuseFrom = 1000;
LRESULT __stdcall refuseFar(HWND, LONG, LONG, LONG newRow, LONG) {
  g_asked.push_back(newRow);
  return newRow >= g_refuseFrom ? 0 : 1;
}

TEST_F(Keys, RefusedMovesStepBackTowardsTheStart) {
  make();
  send(t, TBLM_SETFOCUSROW, 0, 0);
  send(t, TBLM_SETHOOK, TBLH_VALIDATE, refuseFar);
  g_refuseFrom = 3;
  g_asked.clear();
  notes.clear();
  key(VK_NEXT);
  EXPECT_EQ(focusRow(), 2);
  LONG page = LONG(send(t, TBLM_GETVISIBLEROWCOUNT));
  std::vector<LONG> expected;
  for (LONG r = page; r >= 2; --r) expected.push_back(r);
  EXPECT_EQ(g_asked, expected);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_FOCUSROWCHANGED, kNone}, {TBLN_SELCHANGE, kNone}}));
  // Nothing acceptable before the old focus row: the focus stays.
  notes.clear();
  key(VK_DOWN);
  EXPECT_EQ(focusRow(), 2);
  EXPECT_TRUE(notes.empty());
  g_refuseFrom = 1000;
}

TEST_F(Keys, ShiftSelectsTheRowsPassed) {
  make();
  send(t, TBLM_SETFOCUSROW, 0, 2);
  key(VK_DOWN, {VK_SHIFT});
  key(VK_DOWN, {VK_SHIFT});
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{2, 3, 4}));
  key(VK_DOWN, {VK_SHIFT, VK_CONTROL});  // Ctrl: only the move
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{2, 3, 4}));
  EXPECT_EQ(focusRow(), 5);
  // With the selection following the focus, Shift adds nothing.
  send(t, TBLM_SETFLAGS, TBLF_SELECTFOLLOWSFOCUS, 1);
  key(VK_DOWN, {VK_SHIFT});
  EXPECT_EQ(selectedRows(), std::vector<LONG>{6});
}

TEST_F(Keys, SpaceTogglesTheFocusRow) {
  make();
  send(t, TBLM_SETFOCUSROW, 0, 4);
  notes.clear();
  key(VK_SPACE);
  EXPECT_EQ(selectedRows(), std::vector<LONG>{4});
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_SELCHANGE, kNone}}));
  key(VK_SPACE);
  EXPECT_TRUE(selectedRows().empty());
  // With the selection following the focus, Space does nothing.
  send(t, TBLM_SETFLAGS, TBLF_SELECTFOLLOWSFOCUS, 1);
  notes.clear();
  key(VK_SPACE);
  EXPECT_EQ(selectedRows(), std::vector<LONG>{4});
  EXPECT_TRUE(notes.empty());
}

TEST_F(Keys, KeysSentToTheTableWindowToo) {
  make();
  send(t, WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(focusRow(), 0);
  EXPECT_TRUE(send(t, WM_GETDLGCODE) & DLGC_WANTARROWS);
}

TEST_F(Keys, OpenRangePageDownFetchesAndEndFindsTheEnd) {
  make();
  rowCount = 40;
  setRange(t, 0, TBL_ROW_END);
  EXPECT_TRUE(send(t, TBLM_ISRANGEOPEN));
  LONG page = LONG(send(t, TBLM_GETVISIBLEROWCOUNT));
  send(t, TBLM_SETFOCUSROW, 0, 0);
  fetched.clear();
  key(VK_NEXT);
  key(VK_NEXT);
  EXPECT_EQ(focusRow(), 2 * page);
  ASSERT_FALSE(fetched.empty());
  EXPECT_GE(*std::max_element(fetched.begin(), fetched.end()), 2 * page);
  EXPECT_TRUE(send(t, TBLM_ISRANGEOPEN));
  key(VK_END);
  EXPECT_FALSE(send(t, TBLM_ISRANGEOPEN));
  EXPECT_EQ(focusRow(), 39);
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 0, &r);
  EXPECT_EQ(r.last, 39);
}

TEST_F(Keys, OpenRangeDownGoesPastTheKnownRows) {
  make();
  rowCount = 40;
  setRange(t, 0, TBL_ROW_END);
  LONG page = LONG(send(t, TBLM_GETVISIBLEROWCOUNT));
  ASSERT_LT(page + 5, 40);
  send(t, TBLM_SETFOCUSROW, 0, 0);
  for (int i = 0; i < page + 5; ++i) key(VK_DOWN);
  EXPECT_EQ(focusRow(), page + 5);
  EXPECT_TRUE(send(t, TBLM_ISRANGEOPEN));
  // At the host's last row the range closes and the focus stays.
  for (int i = 0; i < 40; ++i) key(VK_DOWN);
  EXPECT_EQ(focusRow(), 39);
  EXPECT_FALSE(send(t, TBLM_ISRANGEOPEN));
}

TEST_F(Keys, LeftAndRightScrollColumnsMirroredByTheHost) {
  HMODULE tools = GetModuleHandleA("hosttools.dll");
  ASSERT_TRUE(tools);
  auto setRightToLeft = procOf<void(__stdcall*)(int)>(tools, "HtSetRightToLeft");
  ASSERT_TRUE(setRightToLeft);
  make(6);
  key(VK_RIGHT);
  key(VK_RIGHT);
  EXPECT_EQ(firstScrolled(), 2);
  key(VK_LEFT);
  EXPECT_EQ(firstScrolled(), 1);
  key(VK_LEFT);
  key(VK_LEFT);
  EXPECT_EQ(firstScrolled(), 0);
  for (int i = 0; i < 9; ++i) key(VK_RIGHT);
  EXPECT_EQ(firstScrolled(), 5);  // the last column stays

  // A right-to-left host alone changes nothing: the table is not mirrored.
  setRightToLeft(1);
  key(VK_LEFT);
  EXPECT_EQ(firstScrolled(), 4);
  DestroyWindow(t);
  make(6, TBLC_ACTIVATE | TBLC_REVERSECOLUMNS);
  key(VK_LEFT);
  EXPECT_EQ(firstScrolled(), 1);  // mirrored: Left moves away from the start
  setRightToLeft(0);
  key(VK_LEFT);
  EXPECT_EQ(firstScrolled(), 0);
  setRightToLeft(-1);
}

TEST_F(Keys, HorizontalArrowsAccelerate) {
  make(8);
  send(container, WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(firstScrolled(), 1);
  for (int i = 0; i < 5; ++i) send(container, WM_HSCROLL, SB_LINERIGHT, 0);
  // Steps grew (1, 1, 1, 2, 2, 2: 9 columns asked) but stop at the last.
  EXPECT_EQ(firstScrolled(), 7);
  send(container, WM_HSCROLL, SB_ENDSCROLL, 0);
  send(container, WM_HSCROLL, SB_LINELEFT, 0);
  EXPECT_EQ(firstScrolled(), 6);  // a new press starts at one column again
}

TEST_F(Keys, TabAndInsertSetTheFocusCell) {
  make();
  send(columnWindow(0), TBLM_SETCOLFLAGS, 0, TBLCF_EDITABLE);
  key(VK_TAB);  // no focus row: nothing
  EXPECT_EQ(focusColumn(), nullptr);
  send(t, TBLM_SETFOCUSROW, 0, 3);
  key(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(focusColumn(), nullptr);
  key(VK_TAB);
  EXPECT_EQ(focusColumn(), columnWindow(1));  // the first shown, editable column
  EXPECT_EQ(focusRow(), 3);
  send(t, TBLM_SETFOCUSROW, 0, 4);
  send(t, TBLM_SETFLAGS, 0x10, 1);  // internal bit 0x4000: Insert does not edit
  key(VK_INSERT);
  EXPECT_EQ(focusColumn(), nullptr);
  send(t, TBLM_SETFLAGS, 0x10, 0);
  send(t, TBLM_SETPOSITION, 2, 0);  // C now comes first
  key(VK_INSERT);
  EXPECT_EQ(focusColumn(), columnWindow(2));
}

} // namespace
