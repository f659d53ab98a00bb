// The list view under the mouse: cursors per zone, each drag mode with the
// state and notifications it leaves, clicks, double and right clicks, and
// the mirrored layout.
#include "listinput.h"

namespace {

using Mouse = ListHost;

HCURSOR g_hostCursor;
LRESULT g_hostAnswer;
LRESULT __stdcall hostDefProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETCURSOR) {
    if (g_hostAnswer) SetCursor(g_hostCursor);
    return g_hostAnswer;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

TEST_F(Mouse, CursorsPerZone) {
  make();
  send(t, TBLM_SETSPLIT, 1, 0);
  send(t, TBLM_SETDISPLAYFLAGS, TBLD_ROWHEADERSIZE | TBLD_ROWHEIGHTDRAG, 1);
  // Column 1 edits nothing; column 2 holds counted values.
  send(columnWindow(1), TBLM_SETCOLFLAGS, 0, TBLCF_EDITABLE);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW), ibeam = LoadCursorA(nullptr, IDC_IBEAM);
  LONG splitBar = title;  // no split rows yet: the bar follows the title row
  LONG firstRow = title + 4;

  // Border and title without the flags that allow dragging: the arrow.
  EXPECT_EQ(cursorAt(edgeX(0), 5), arrow);
  EXPECT_EQ(cursorAt(columnX(0), 5), arrow);
  EXPECT_EQ(cursorAt(header, 5), libraryCursor(10006));
  EXPECT_EQ(cursorAt(header / 2, firstRow + m.rowHeight / 2), libraryCursor(10011));
  EXPECT_EQ(cursorAt(header / 2, firstRow + m.rowHeight), libraryCursor(10009));
  EXPECT_EQ(cursorAt(columnX(0), splitBar + 1), libraryCursor(10007));
  EXPECT_EQ(cursorAt(columnX(0), firstRow + 8), ibeam);
  EXPECT_EQ(cursorAt(columnX(1), firstRow + 8), arrow);

  send(t, TBLM_SETFLAGS, TBLF_COLRESIZE | TBLF_COLMOVE | TBLF_SPLITDRAG, 1);
  EXPECT_EQ(cursorAt(edgeX(0), 5), libraryCursor(10001));
  EXPECT_EQ(cursorAt(columnX(0), 5), libraryCursor(10005));
  EXPECT_EQ(cursorAt(columnX(0), splitBar + 1), libraryCursor(10008));

  // The host's default procedure is asked first; a nonzero answer ends it.
  send(t, TBLM_SETHOOK, TBLH_DEFPROC, hostDefProc);
  g_hostCursor = LoadCursorA(nullptr, IDC_CROSS);
  g_hostAnswer = 1;
  EXPECT_EQ(cursorAt(columnX(0), 5), g_hostCursor);
  g_hostAnswer = 0;
  EXPECT_EQ(cursorAt(columnX(0), 5), libraryCursor(10005));
}

TEST_F(Mouse, DataTypeOneCellsHaveTheirOwnCursor) {
  std::vector<ColumnCreateInfo> cols{columnInfo("Text"), columnInfo("Counted", 60, 40, TBLCF_VISIBLE | TBLCF_EDITABLE, 1)};
  t = createTable(createRecord(listParams(TBLC_ACTIVATE), cols));
  attach();
  setRange(t, 0, 9);
  EXPECT_EQ(cursorAt(columnX(1), rowYAt(0)), libraryCursor(10010));
  EXPECT_EQ(cursorAt(columnX(0), rowYAt(0)), LoadCursorA(nullptr, IDC_IBEAM));
}

TEST_F(Mouse, ColumnResize) {
  make();
  // Without public flag 0x0001 a drag on the border does nothing.
  down(edgeX(0), 5);
  move(edgeX(0) + 40, 5);
  EXPECT_EQ(GetCapture(), nullptr);
  up(edgeX(0) + 40, 5);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 0), 60);
  EXPECT_TRUE(notes.empty());

  send(t, TBLM_SETFLAGS, TBLF_COLRESIZE, 1);
  down(edgeX(0) + 1, 5);
  EXPECT_EQ(GetCapture(), clip);
  move(edgeX(0) + 20, 5);
  up(edgeX(0) + 40, 5);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 0), 100);  // the new edge is where the button came up
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLRESIZED, kId0}}));

  // Ending left of the column's minimum sets the minimum.
  notes.clear();
  down(edgeX(1) + 39, 5);  // column B's edge moved with A
  up(header - 30, 5);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 1), m.charWidth);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLRESIZED, kId0 + 1}}));
}

std::vector<std::vector<LONG>> g_validations;
LRESULT g_answer = 1;
LRESULT __stdcall validate(HWND, LONG oldRow, LONG oldCol, LONG newRow, LONG newCol) {
  g_validations.push_back({oldRow, oldCol, newRow, newCol});
  return g_answer;
}

TEST_F(Mouse, DragsStartOnlyAfterACommitWithTheButtonStillDown) {
  make();
  send(t, TBLM_SETFLAGS, TBLF_COLRESIZE, 1);
  TBLFOCUSCELL cell{2, 1, 0, 0};
  send(t, TBLM_SETFOCUSCELL, 0, &cell);
  send(t, TBLM_SETHOOK, TBLH_VALIDATE, validate);
  g_validations.clear();
  g_answer = 0;
  down(edgeX(0), 5);
  EXPECT_EQ(GetCapture(), nullptr);
  up(edgeX(0) + 30, 5);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 0), 60);
  EXPECT_EQ(g_validations, (std::vector<std::vector<LONG>>{{2, kId0 + 1, -1, -1}}));
  // Accepted, but the button came up meanwhile (a synthetic down without it).
  g_answer = 1;
  setKeys({});
  send(clip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(edgeX(0), 5));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(count(TBLN_COMMITTED), 1);
}

TEST_F(Mouse, ColumnMove) {
  make();
  send(t, TBLM_SETFLAGS, TBLF_COLMOVE, 1);
  down(columnX(0), 5);
  move(columnX(1), 5);
  up(columnX(2), 5);
  EXPECT_EQ(send(t, TBLM_GETPOSITION, 0), 2);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNATPOSITION, 0), 1);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLMOVED, kId0}}));
  // Dropped where it was: nothing moves.
  notes.clear();
  down(columnX(1), 5);
  up(columnX(1) + 10, 5);
  EXPECT_TRUE(notes.empty());
  // The position under the mouse counts, not where the grabbed column's
  // middle went: B (now first) held near its end and let go just inside C.
  down(edgeX(0) - 10, 5);
  up(edgeX(0) + 5, 5);
  EXPECT_EQ(send(t, TBLM_GETPOSITION, 1), 1);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLMOVED, kId0 + 1}}));
}

TEST_F(Mouse, SplitPositionAndTheSplitScrollBars) {
  make();
  send(t, TBLM_SETSPLIT, 1, 0);
  TBLROWPAIR split{TBL_SPLIT_ROW_BASE, TBL_SPLIT_ROW_BASE + 9};
  send(t, TBLM_SETRANGE, 0, &split);
  HWND bars[2] = {FindWindowExA(container, nullptr, "scrollbar", nullptr), nullptr};
  ASSERT_TRUE(bars[0]);
  bars[1] = FindWindowExA(container, bars[0], "scrollbar", nullptr);
  ASSERT_TRUE(bars[1]);
  EXPECT_FALSE(GetWindowLongA(container, GWL_STYLE) & WS_VSCROLL);
  RECT pane;
  GetClientRect(clip, &pane);
  LONG shown = std::min<LONG>(10, std::max<LONG>(1, (pane.bottom / 4) / m.rowHeight));
  LONG bar = title + shown * m.rowHeight;
  LONG normal = LONG(send(t, TBLM_GETVISIBLEROWCOUNT));

  // Without public flag 0x0020 the bar stays.
  down(columnX(0), bar + 1);
  EXPECT_EQ(GetCapture(), nullptr);
  up(columnX(0), bar + 2 * m.rowHeight);
  EXPECT_EQ(send(t, TBLM_GETVISIBLEROWCOUNT), normal);

  send(t, TBLM_SETFLAGS, TBLF_SPLITDRAG, 1);
  down(columnX(0), bar + 1);
  move(columnX(0), bar + m.rowHeight);
  up(columnX(0), bar + 2 * m.rowHeight);
  EXPECT_EQ(send(t, TBLM_GETVISIBLEROWCOUNT), normal - 2);
  EXPECT_TRUE(notes.empty());
  TBLVISIBLERANGE v{};
  send(t, TBLM_GETVISIBLERANGE, 1, &v);
  EXPECT_EQ(v.first, TBL_SPLIT_ROW_BASE);
  EXPECT_EQ(v.last, TBL_SPLIT_ROW_BASE + shown + 1);
  TBLROWRANGE r{};
  send(t, TBLM_GETROWRANGE, 1, &r);
  EXPECT_EQ(r.visible, shown + 2);

  // Each area scrolls with its own bar.
  send(container, WM_VSCROLL, SB_LINEDOWN, bars[0]);
  EXPECT_EQ(LOWORD(send(t, TBLM_GETSCROLLPOS, 1)), 1);
  EXPECT_EQ(topRow(), 0);
  send(container, WM_VSCROLL, SB_PAGEDOWN, bars[1]);
  EXPECT_EQ(topRow(), normal - 2);
  EXPECT_EQ(LOWORD(send(t, TBLM_GETSCROLLPOS, 1)), 1);

  send(t, TBLM_SETSPLIT, 0, 0);
  EXPECT_FALSE(FindWindowExA(container, nullptr, "scrollbar", nullptr));
  EXPECT_TRUE(GetWindowLongA(container, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(Mouse, RowHeaderWidthAndRowHeight) {
  make();
  // Without display flag 0x4 the header's edge is only a border.
  down(header, 5);
  up(header + 30, 5);
  EXPECT_EQ(send(t, TBLM_GETROWHEADERWIDTH), header);

  send(t, TBLM_SETDISPLAYFLAGS, TBLD_ROWHEADERSIZE | TBLD_ROWHEIGHTDRAG, 1);
  down(header, 5);
  move(header + 10, 5);
  up(header + 30, 5);
  EXPECT_EQ(send(t, TBLM_GETROWHEADERWIDTH), header + 30);
  header += 30;

  // Row 0's bottom edge dragged two lines down: three lines a row.
  LONG edge = title + m.rowHeight;
  down(header / 2, edge);
  move(header / 2, edge + m.charHeight);
  up(header / 2, edge + 2 * m.charHeight + 2);
  EXPECT_EQ(send(t, TBLM_GETLINESPERROW), 3);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_LINESCHANGED, kNone}}));
  // Dropped at the same height: no change, no notification.
  notes.clear();
  send(t, TBLM_GETMETRICS, 0, &m);
  edge = title + m.rowHeight;
  down(header / 2, edge);
  up(header / 2, edge + 1);
  EXPECT_EQ(send(t, TBLM_GETLINESPERROW), 3);
  EXPECT_TRUE(notes.empty());
}

TEST_F(Mouse, RowClicksMoveTheFocusAndSelect) {
  make();
  setKeys({});  // a click whose button is already up: no selection drag
  send(clip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(columnX(1), rowYAt(2)));
  EXPECT_EQ(focusRow(), 2);
  EXPECT_EQ(selectedRows(), std::vector<LONG>{2});
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_FOCUSROWCHANGED, kNone}, {TBLN_SELCHANGE, kNone}}));
  EXPECT_EQ(GetCapture(), nullptr);

  click(columnX(0), rowYAt(5), {VK_CONTROL});
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{2, 5}));
  click(columnX(0), rowYAt(8), {VK_SHIFT});
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{2, 5, 6, 7, 8}));
  click(columnX(0), rowYAt(6), {VK_CONTROL});
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{2, 5, 7, 8}));
  notes.clear();
  click(columnX(0), rowYAt(3));
  EXPECT_EQ(selectedRows(), std::vector<LONG>{3});
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_FOCUSROWCHANGED, kNone}, {TBLN_SELCHANGE, kNone}}));
  // The same click again changes nothing: no notification.
  notes.clear();
  click(columnX(1), rowYAt(3));
  EXPECT_TRUE(notesOf({TBLN_SELCHANGE, TBLN_FOCUSROWCHANGED}).empty());

  // A refused focus move leaves focus and selection.
  send(t, TBLM_SETHOOK, TBLH_VALIDATE, validate);
  g_answer = 0;
  click(columnX(0), rowYAt(9));
  EXPECT_EQ(focusRow(), 3);
  EXPECT_EQ(selectedRows(), std::vector<LONG>{3});
  g_answer = 1;
}

TEST_F(Mouse, ClickOnAnEditableCellOfTheFocusRowSetsTheFocusCell) {
  make();
  send(columnWindow(2), TBLM_SETCOLFLAGS, 0, TBLCF_EDITABLE);
  click(columnX(1), rowYAt(4));
  EXPECT_EQ(focusRow(), 4);
  EXPECT_EQ(focusColumn(), nullptr);  // a click on another row moves the row only
  click(columnX(1), rowYAt(4));
  EXPECT_EQ(focusColumn(), columnWindow(1));
  click(columnX(2), rowYAt(4));  // not editable: the row keeps the focus, no cell
  EXPECT_EQ(focusColumn(), nullptr);
}

TEST_F(Mouse, SelectionFollowingTheFocusHasNoDrag) {
  make();
  send(t, TBLM_SETFLAGS, TBLF_SELECTFOLLOWSFOCUS, 1);
  down(columnX(0), rowYAt(1));
  EXPECT_EQ(GetCapture(), nullptr);
  move(columnX(0), rowYAt(4));
  up(columnX(0), rowYAt(4));
  EXPECT_EQ(selectedRows(), std::vector<LONG>{1});
  click(columnX(0), rowYAt(3), {VK_CONTROL});
  EXPECT_EQ(selectedRows(), std::vector<LONG>{3});
}

// Pumps messages until `done` or about five seconds of timer ticks.
template <class F> void pumpUntil(F done) {
  UINT_PTR guard = SetTimer(nullptr, 0, 5000, nullptr);
  MSG msg;
  while (!done() && GetMessageA(&msg, nullptr, 0, 0)) {
    if (msg.message == WM_TIMER && msg.wParam == guard) break;
    DispatchMessageA(&msg);
  }
  KillTimer(nullptr, guard);
}

TEST_F(Mouse, SelectionDragsAndAutoScroll) {
  make();
  down(columnX(0), rowYAt(1));
  EXPECT_EQ(GetCapture(), clip);
  move(columnX(0), rowYAt(3));
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{1, 2, 3}));
  move(columnX(0), rowYAt(2));
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{1, 2}));

  // Below the pane: the timer scrolls a row at a time, the span follows.
  RECT pane;
  GetClientRect(clip, &pane);
  POINT below{columnX(0), pane.bottom + 20};
  POINT screen = below;
  ClientToScreen(clip, &screen);
  SetCursorPos(screen.x, screen.y);
  move(below.x, below.y);
  LONG visible = LONG(send(t, TBLM_GETVISIBLEROWCOUNT));
  pumpUntil([&] { return topRow() >= 2; });
  EXPECT_EQ(topRow(), 2);
  LONG last = 2 + visible - 1;
  std::vector<LONG> expected;
  for (LONG r = 1; r <= last; ++r) expected.push_back(r);
  EXPECT_EQ(selectedRows(), expected);
  // Back inside: the scrolling stops.
  POINT inside{columnX(0), rowYAt(0)};
  screen = inside;
  ClientToScreen(clip, &screen);
  SetCursorPos(screen.x, screen.y);
  move(inside.x, inside.y);
  notes.clear();
  up(inside.x, inside.y);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{1, 2}));
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_SELCHANGE, kNone}}));

  // A Ctrl click on a selected row deselects, and the drag deselects.
  click(columnX(0), rowYAt(6));  // rows shown from 2: row 8
  EXPECT_EQ(selectedRows(), std::vector<LONG>{8});
  click(columnX(0), rowYAt(2), {VK_SHIFT});  // 4..8
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{4, 5, 6, 7, 8}));
  down(columnX(0), rowYAt(5), {VK_CONTROL});  // row 7 off
  move(columnX(0), rowYAt(3));                // 5..7 off
  up(columnX(0), rowYAt(3));
  EXPECT_EQ(selectedRows(), (std::vector<LONG>{4, 8}));
}

TEST_F(Mouse, ColumnSelectionByTitle) {
  make();
  click(columnX(0), 5);
  EXPECT_FALSE(send(columnWindow(0), TBLM_QUERYCOLFLAGS, 0, TBLCF_SELECTED));
  EXPECT_TRUE(notes.empty());

  send(t, TBLM_SETFLAGS, TBLF_COLSELECT, 1);
  click(columnX(0), 5);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLFLAGSET, kId0}, {TBLN_COLSELCHANGE, kId0}}));
  notes.clear();
  click(columnX(2), 5, {VK_CONTROL});
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLFLAGSET, kId0 + 2}, {TBLN_COLSELCHANGE, kId0 + 2}}));
  notes.clear();
  click(columnX(1), 5, {VK_SHIFT});  // from C (the last clicked) to B; A cleared
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLFLAGCLEARED, kId0},
                                      {TBLN_COLFLAGSET, kId0 + 1},
                                      {TBLN_COLSELCHANGE, kId0 + 1}}));
  EXPECT_TRUE(send(columnWindow(2), TBLM_QUERYCOLFLAGS, 0, TBLCF_SELECTED));
  notes.clear();
  click(columnX(1), 5, {VK_CONTROL});
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLFLAGCLEARED, kId0 + 1}, {TBLN_COLSELCHANGE, kId0 + 1}}));
}

struct ClickCase {
  const char* what;
  UINT message;
  int zone;  // 0 corner, 1 title of B, 2 cell B of row 1, 3 row header of row 1, 4 cell B of the focus row,
            // 5 row 1's bottom edge in the row header, 6 and 7 either side of the row header's edge
  std::vector<Note> expected;
};

TEST_F(Mouse, DoubleAndRightClicks) {
  make(3, TBLC_ACTIVATE | TBLC_TITLETOGGLE);
  send(t, TBLM_SETFOCUSROW, 0, 0);
  const ClickCase cases[] = {
      {"double click on the corner", WM_LBUTTONDBLCLK, 0, {{TBLN_CORNERDBLCLK, kNone}}},
      {"double click on a title", WM_LBUTTONDBLCLK, 1, {{TBLN_TITLEDBLCLK, kId0 + 1}, {TBLN_COLTOGGLED, kId0 + 1}}},
      {"double click on a cell", WM_LBUTTONDBLCLK, 2, {{TBLN_DBLCLK, kId0 + 1}}},
      {"double click on the focus row", WM_LBUTTONDBLCLK, 4,
       {{TBLN_DBLCLK, kId0 + 1}, {TBLN_FOCUSDBLCLK, kId0 + 1}}},
      {"right click on the corner", WM_RBUTTONDOWN, 0, {{TBLN_CORNERRCLICK, kNone}}},
      {"right click on a title", WM_RBUTTONDOWN, 1, {{TBLN_TITLERCLICK, kId0 + 1}}},
      {"right click on a cell", WM_RBUTTONDOWN, 2, {{TBLN_RCLICK, kId0 + 1}}},
      {"right click on a row header", WM_RBUTTONDOWN, 3, {{TBLN_RCLICK, kNone}}},
      {"right click on a row header's bottom edge", WM_RBUTTONDOWN, 5, {{TBLN_RCLICK, kNone}}},
      {"right click on the row header's edge, corner side", WM_RBUTTONDOWN, 6, {{TBLN_CORNERRCLICK, kNone}}},
      {"right click on the row header's edge, title side", WM_RBUTTONDOWN, 7, {{TBLN_TITLERCLICK, kId0}}},
      {"double click on the row header's edge, corner side", WM_LBUTTONDBLCLK, 6, {{TBLN_CORNERDBLCLK, kNone}}},
  };
  // The edges of the row headers can be grabbed: clicks on them still count.
  send(t, TBLM_SETDISPLAYFLAGS, TBLD_ROWHEIGHTDRAG | TBLD_ROWHEADERSIZE, 1);
  for (const ClickCase& c : cases) {
    notes.clear();
    POINT p[] = {{header / 2, 5}, {columnX(1), 5}, {columnX(1), rowYAt(1)}, {header / 2, rowYAt(1)},
                 {columnX(1), rowYAt(0)}, {header / 2, title + 2 * m.rowHeight - 1}, {header - 1, 5},
                 {header + 1, 5}};
    send(clip, c.message, 0, MAKELPARAM(p[c.zone].x, p[c.zone].y));
    EXPECT_EQ(notes, c.expected) << c.what;
  }
  EXPECT_TRUE(send(columnWindow(1), TBLM_QUERYCOLFLAGS, 0, 0x20));  // toggled by the title double click
  // Column flag 0x40 keeps flag 0x20 as it is.
  send(columnWindow(1), TBLM_SETCOLFLAGS, 1, 0x40);
  notes.clear();
  send(clip, WM_LBUTTONDBLCLK, 0, MAKELPARAM(columnX(1), 5));
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_TITLEDBLCLK, kId0 + 1}}));
  EXPECT_TRUE(send(columnWindow(1), TBLM_QUERYCOLFLAGS, 0, 0x20));

  // Left clicks on the corner and on a row header.
  notes.clear();
  click(header / 2, 5);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_CORNERCLICK, kNone}}));
  notes.clear();
  click(header / 2, rowYAt(3));
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_FOCUSROWCHANGED, kNone}, {TBLN_SELCHANGE, kNone}, {TBLN_ROWHEADERCLICK, kNone}}));
}

TEST_F(Mouse, MirroredTablesStartAtTheRight) {
  make(3, TBLC_ACTIVATE | TBLC_REVERSECOLUMNS);
  EXPECT_TRUE(send(t, TBLM_QUERYSTATE4));
  RECT pane;
  GetClientRect(clip, &pane);
  LONG w = pane.right;
  // Right to left: row header, A, B, C.
  auto rightClickTitle = [&](LONG x) {
    notes.clear();
    send(clip, WM_RBUTTONDOWN, 0, MAKELPARAM(x, 5));
    return notes.empty() ? Note{0, 0} : notes[0];
  };
  EXPECT_EQ(rightClickTitle(w - header / 2), (Note{TBLN_CORNERRCLICK, kNone}));
  EXPECT_EQ(rightClickTitle(w - header - 30), (Note{TBLN_TITLERCLICK, kId0}));
  EXPECT_EQ(rightClickTitle(w - header - 90), (Note{TBLN_TITLERCLICK, kId0 + 1}));
  EXPECT_EQ(rightClickTitle(w - header - 150), (Note{TBLN_TITLERCLICK, kId0 + 2}));
  // A locked column stays at the right; scrolling takes B out.
  send(t, TBLM_SETLOCKEDCOUNT, 1);
  send(container, WM_HSCROLL, SB_LINELEFT, 0);  // the bar runs right to left
  EXPECT_EQ(firstScrolled(), 1);
  EXPECT_EQ(rightClickTitle(w - header - 30), (Note{TBLN_TITLERCLICK, kId0}));
  EXPECT_EQ(rightClickTitle(w - header - 90), (Note{TBLN_TITLERCLICK, kId0 + 2}));
  // Resizing grabs a column's left edge and bounds it from the right.
  send(t, TBLM_SETFLAGS, TBLF_COLRESIZE, 1);
  notes.clear();
  down(w - header - 60, 5);
  up(w - header - 100, 5);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 0), 100);
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLRESIZED, kId0}}));
}

} // namespace

namespace {

UINT g_destroyOn;
void __stdcall destroyingHost(HWND table, UINT code, LONG) {
  if (code == g_destroyOn) DestroyWindow(table);
}

// A host that destroys the table from the notifications of input.
TEST_F(Mouse, TableDestroyedByTheHostInsideInput) {
  for (UINT code : {UINT(TBLN_FOCUSROWCHANGED), UINT(TBLN_SELCHANGE), UINT(TBLN_COLRESIZED), UINT(TBLN_COLMOVED),
                    UINT(TBLN_COLFLAGSET), UINT(TBLN_COLSELCHANGE), UINT(TBLN_LINESCHANGED), UINT(TBLN_DBLCLK)}) {
    make();
    send(t, TBLM_SETFLAGS, TBLF_COLRESIZE | TBLF_COLSELECT | TBLF_COLMOVE, 1);
    send(t, TBLM_SETDISPLAYFLAGS, TBLD_ROWHEIGHTDRAG, 1);
    send(t, TBLM_SETHOOK, TBLH_NOTIFY, destroyingHost);
    g_destroyOn = code;
    auto alive = [&] { return IsWindow(t) != FALSE; };
    if (alive()) click(columnX(0), rowYAt(2));
    if (alive()) key(VK_DOWN);
    if (alive()) key(VK_SPACE);
    if (alive()) {
      down(edgeX(0), 5);
      up(edgeX(0) + 20, 5);
    }
    if (alive()) click(columnX(1), 5);
    if (alive()) {
      down(columnX(1), 5);
      up(columnX(2), 5);
    }
    if (alive()) {
      down(header / 2, title + m.rowHeight);
      up(header / 2, title + 3 * m.rowHeight);
    }
    if (alive()) send(clip, WM_LBUTTONDBLCLK, 0, MAKELPARAM(columnX(1), rowYAt(1)));
    EXPECT_FALSE(alive()) << std::hex << code;
    EXPECT_EQ(GetCapture(), nullptr);
  }
  make();  // the library carries on
  click(columnX(0), rowYAt(1));
  EXPECT_EQ(focusRow(), 1);
}

} // namespace
