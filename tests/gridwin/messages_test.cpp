// The message interface: processing order and hooks, validation, focus,
// column messages, notifications, the debug dump.
#include "host.h"

namespace {

using Messages = TableHost;

std::vector<UINT> g_filtered;
LRESULT __stdcall recordingFilter(LRESULT* result, HWND, UINT msg, WPARAM, LPARAM) {
  g_filtered.push_back(msg);
  if (msg == TBLM_GETCOLUMNCOUNT) {
    *result = 77;
    return 1;
  }
  return 0;
}

LRESULT __stdcall destroyingFilter(LRESULT* result, HWND w, UINT msg, WPARAM, LPARAM) {
  if (msg == TBLM_GETCOLUMNCOUNT) {
    DestroyWindow(w);
    *result = 55;
    return 0;  // says "go on": the table must still stop
  }
  return 0;
}

TEST_F(Messages, PreFilterSlotFollowsTheActiveBit) {
  HWND t = activeTable(2, 0);
  g_filtered.clear();
  send(t, TBLM_SETHOOK, TBLH_PREFILTER, recordingFilter);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 2);  // inactive: slot 1 not asked
  EXPECT_TRUE(g_filtered.empty());
  send(t, TBLM_SETHOOK, TBLH_PREFILTERINACTIVE, recordingFilter);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 77);
  send(t, TBLM_SETHOOK, TBLH_PREFILTERINACTIVE, 0);
  send(t, TBLM_ACTIVATE, 1);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 77);
}

TEST_F(Messages, PreFilterThatDestroysTheWindowStopsProcessing) {
  HWND t = activeTable(2);
  send(t, TBLM_SETHOOK, TBLH_PREFILTER, destroyingFilter);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNCOUNT), 0);
  EXPECT_FALSE(IsWindow(t));
  EXPECT_EQ(count(TBLN_DESTROY), 3);  // the table and its two columns
}

std::vector<UINT> g_defaulted;
LRESULT __stdcall defaultHook(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  g_defaulted.push_back(msg);
  return DefWindowProcA(w, msg, wp, lp);
}

TEST_F(Messages, DefaultProcessingGoesToSlotTwelve) {
  HWND t = activeTable(1, 0);
  send(t, TBLM_SETHOOK, TBLH_DEFPROC, defaultHook);
  g_defaulted.clear();
  send(t, WM_USER + 500);
  send(t, TBLM_GETFOCUSROW);  // active only: falls through while inactive
  EXPECT_EQ(g_defaulted, (std::vector<UINT>{WM_USER + 500, TBLM_GETFOCUSROW}));
  g_defaulted.clear();
  DestroyWindow(t);
  EXPECT_EQ(g_defaulted.back(), UINT(WM_NCDESTROY));
}

TEST_F(Messages, HookSlotsThirteenAndFourteenDoNotExist) {
  HWND t = activeTable(1);
  for (WPARAM slot : {13, 14}) {
    EXPECT_NE(send(t, TBLM_SETHOOK, slot, defaultHook), 0);
    EXPECT_EQ(send(t, TBLM_GETHOOK, slot), 0);
  }
  for (WPARAM slot : {0, 12, 15, 29}) {
    EXPECT_NE(send(t, TBLM_SETHOOK, slot, defaultHook), 0);
    EXPECT_EQ(send(t, TBLM_GETHOOK, slot), LRESULT(defaultHook));
  }
  EXPECT_EQ(send(t, TBLM_SETHOOK, 30, defaultHook), 0);
  EXPECT_EQ(send(t, TBLM_GETHOOK, 30), 0);
  EXPECT_EQ(send(t, TBLM_GETHOOK, 0xFFFFFFFF), 0);
}

std::vector<std::vector<LONG>> g_validations;
LRESULT g_answer = 1;
LRESULT __stdcall validate(HWND, LONG oldRow, LONG oldCol, LONG newRow, LONG newCol) {
  g_validations.push_back({oldRow, oldCol, newRow, newCol});
  return g_answer;
}

TEST_F(Messages, FocusMovesAreValidated) {
  HWND t = activeTable(2);
  setRange(t, 0, 20);
  g_validations.clear();
  send(t, TBLM_SETHOOK, TBLH_VALIDATE, validate);
  g_answer = 1;
  EXPECT_EQ(send(t, TBLM_SETFOCUSROW, 0, 3), 1);
  EXPECT_EQ(send(t, TBLM_GETFOCUSROW), 3);
  EXPECT_EQ(count(TBLN_FOCUSROWCHANGED), 1);
  g_answer = 0;
  EXPECT_EQ(send(t, TBLM_SETFOCUSROW, 0, 5), 0);
  EXPECT_EQ(send(t, TBLM_GETFOCUSROW), 3);
  EXPECT_EQ(send(t, TBLM_GETVALIDATERESULT), 0);
  g_answer = 3;
  EXPECT_EQ(send(t, TBLM_SETFOCUSROW, 0, 6), 1);
  EXPECT_EQ(send(t, TBLM_GETVALIDATERESULT), 3);
  ASSERT_EQ(g_validations.size(), 3u);
  EXPECT_EQ(g_validations[0], (std::vector<LONG>{-1, -1, 3, 0}));
  EXPECT_EQ(g_validations[1], (std::vector<LONG>{3, 0, 5, 0}));
  // Rows outside the range, and hidden rows, refuse the focus.
  EXPECT_EQ(send(t, TBLM_SETFOCUSROW, 0, 21), 0);
  setRowFlags(t, 8, TBL_ROW_HIDDEN, true);
  EXPECT_EQ(send(t, TBLM_SETFOCUSROW, 0, 8), 0);
}

// While slot 20 decides, TBLM_GETFOCUS names the cell being entered.
HWND g_focusColumnSeen;
LONG g_focusRowSeen;
LRESULT __stdcall askFocus(HWND t, LONG, LONG, LONG, LONG) {
  TBLFOCUS f{};
  SendMessageA(t, TBLM_GETFOCUS, 0, LPARAM(&f));
  g_focusRowSeen = f.row;
  g_focusColumnSeen = f.column;
  return 1;
}

TEST_F(Messages, GetFocusDuringValidationGivesThePendingCell) {
  HWND t = activeTable(2);
  setRange(t, 0, 5);
  send(t, TBLM_SETFOCUSROW, 0, 1);
  send(t, TBLM_SETHOOK, TBLH_VALIDATE, askFocus);
  TBLFOCUSCELL cell{2, 1, 0, 0};
  send(t, TBLM_SETFOCUSCELL, 0, &cell);
  EXPECT_EQ(g_focusRowSeen, 2);
  EXPECT_EQ(g_focusColumnSeen, HWND(send(t, TBLM_GETCOLUMNWINDOW, 1)));
  send(t, TBLM_SETFOCUSROW, 0, 3);  // the row alone: no column
  EXPECT_EQ(g_focusRowSeen, 3);
  EXPECT_EQ(g_focusColumnSeen, nullptr);
}

TEST_F(Messages, SetViewWithTheCurrentViewDoesNotCommit) {
  HWND t = activeTable(2);
  setRange(t, 0, 5);
  g_validations.clear();
  send(t, TBLM_SETHOOK, TBLH_VALIDATE, validate);
  TBLFOCUSCELL cell{1, 1, 0, 0};
  send(t, TBLM_SETFOCUSCELL, 0, &cell);
  g_validations.clear();
  EXPECT_EQ(send(t, TBLM_SETVIEW, TBL_VIEW_LIST), 1);
  EXPECT_TRUE(g_validations.empty());
  g_answer = 0;
  EXPECT_EQ(send(t, TBLM_SETVIEW, 0), 0);  // the commit is refused
  EXPECT_EQ(send(t, TBLM_GETVIEW), TBL_VIEW_LIST);
  g_answer = 1;
  EXPECT_EQ(send(t, TBLM_SETVIEW, 0), 1);
  EXPECT_EQ(count(TBLN_COMMITTED), 1);
}

// The WM_SIZE that follows a view switch carries the client size, as the
// host's pre-filter sees it.
LPARAM g_sizeSeen;
LRESULT __stdcall sizeFilter(LRESULT*, HWND, UINT msg, WPARAM, LPARAM lp) {
  if (msg == WM_SIZE) g_sizeSeen = lp;
  return 0;
}

TEST_F(Messages, SetViewResizesWithTheClientSize) {
  HWND t = activeTable(2);
  send(t, TBLM_SETHOOK, TBLH_PREFILTER, sizeFilter);
  g_sizeSeen = -1;
  EXPECT_EQ(send(t, TBLM_SETVIEW, TBL_VIEW_NONE), 1);
  RECT client;
  GetClientRect(t, &client);
  EXPECT_EQ(g_sizeSeen, MAKELPARAM(client.right, client.bottom));
  EXPECT_GT(client.right, 0);
}

TEST_F(Messages, ActiveOnlyMessagesFallToDefaultWhileInactive) {
  HWND t = activeTable(2, 0);
  EXPECT_EQ(send(t, TBLM_GETFILLCHAR), 0);
  EXPECT_EQ(send(t, TBLM_SETFILLCHAR, '*'), 0);
  send(t, TBLM_ACTIVATE, 1);
  EXPECT_EQ(send(t, TBLM_GETFILLCHAR), '#');
  EXPECT_EQ(send(t, TBLM_SETFILLCHAR, '*'), 1);
  EXPECT_EQ(send(t, TBLM_GETFILLCHAR), '*');
  send(t, TBLM_ACTIVATE, 0);
  EXPECT_FALSE(send(t, TBLM_ISACTIVE));
  EXPECT_EQ(send(t, TBLM_GETFILLCHAR), 0);
}

TEST_F(Messages, ColumnReferencesAreIndexesOrIdentifiers) {
  HWND t = activeTable(3);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNWINDOW, 2), send(t, TBLM_GETCOLUMNWINDOW, 0x8002));
  EXPECT_EQ(send(t, TBLM_GETCOLUMNWINDOW, 3), 0);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNWINDOW, 0x8003), 0);
  EXPECT_EQ(send(t, TBLM_GETPOSITION, 0x8001), 1);
  EXPECT_EQ(send(t, TBLM_GETPOSITION, 9), -1);
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 9), 0);
}

TEST_F(Messages, ColumnTitleIsTheWindowText) {
  HWND t = activeTable(2);
  HWND col = HWND(send(t, TBLM_GETCOLUMNWINDOW, 1));
  char buf[32];
  EXPECT_EQ(GetWindowTextA(col, buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "B");
  SetWindowTextA(col, "Price");
  EXPECT_EQ(GetWindowTextLengthA(col), 5);
  GetWindowTextA(col, buf, 4);
  EXPECT_STREQ(buf, "Pri");
}

TEST_F(Messages, ColumnWidthPositionAndFlagsNotify) {
  HWND t = activeTable(3);
  HWND col = HWND(send(t, TBLM_GETCOLUMNWINDOW, 0));
  EXPECT_EQ(send(col, TBLM_SETWIDTH, 0, 90), 1);
  EXPECT_EQ(send(col, TBLM_SETWIDTH, 0, 90), 0);  // unchanged
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 0), 90);
  EXPECT_EQ(send(t, TBLM_SETWIDTH, 0, 91), 1);
  EXPECT_EQ(send(col, TBLM_SETPOSITION, 0, 2), 1);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNATPOSITION, 2), 0);
  EXPECT_EQ(send(t, TBLM_MOVECOLUMN, 0, MAKELONG(2, 0)), 1);
  EXPECT_EQ(send(t, TBLM_GETCOLUMNATPOSITION, 0), 0);
  EXPECT_EQ(send(col, TBLM_SETCOLFLAGS, 1, TBLCF_SELECTED), 1);
  EXPECT_TRUE(send(col, TBLM_QUERYCOLFLAGS, 0, TBLCF_SELECTED));
  EXPECT_EQ(send(col, TBLM_SETCOLFLAGS, 0, TBLCF_SELECTED), 1);
  EXPECT_EQ(send(col, TBLM_SETCOLFLAGS, 1, 0x80000000), 1);  // not a settable bit
  EXPECT_FALSE(send(col, TBLM_QUERYCOLFLAGS, 0, 0x80000000));
  EXPECT_EQ(notes, (std::vector<Note>{{TBLN_COLRESIZED, 0x8000}, {TBLN_COLRESIZED, 0x8000},
                                      {TBLN_COLMOVED, 0x8000}, {TBLN_COLMOVED, 0x8000},
                                      {TBLN_COLFLAGSET, 0x8000}, {TBLN_COLFLAGCLEARED, 0x8000}}));
}

TEST_F(Messages, ColumnExtrasStateAndFormat) {
  HWND t = activeTable(1);
  HWND col = HWND(send(t, TBLM_GETCOLUMNWINDOW, 0));
  EXPECT_EQ(send(t, TBLM_SETCOLEXTRA, 0, 1234), 1);
  EXPECT_EQ(send(col, TBLM_GETCOLEXTRA), 1234);
  EXPECT_EQ(send(col, TBLM_SETCOLSTATE, 1, 0xF005), 1);
  EXPECT_TRUE(send(col, TBLM_QUERYCOLSTATE, 0, 0x4));
  EXPECT_FALSE(send(col, TBLM_QUERYCOLSTATE, 0, 0x2));
  const char fmt[] = "#,##0.00";
  TBLCELLDATA in{fmt, 8};
  EXPECT_EQ(send(col, TBLM_SETFORMAT, 1, &in), 1);
  EXPECT_EQ(send(col, TBLM_SETFORMAT, 2, &in), 0);
  EXPECT_EQ(send(col, TBLM_GETFORMATLENGTH, 1), 8);
  EXPECT_EQ(send(col, TBLM_GETFORMATLENGTH, 2), 0);
  char out[5] = {};
  TBLBUFFER buf{out, 4};
  EXPECT_EQ(send(col, TBLM_GETFORMAT, 1, &buf), 4);
  EXPECT_EQ(std::string(out, 4), "#,##");
}

TEST_F(Messages, TableSettingsRoundTrip) {
  HWND t = activeTable(3);
  EXPECT_EQ(send(t, TBLM_SETTITLE, 0, "Orders"), 0);
  EXPECT_EQ(send(t, TBLM_GETTITLELENGTH), 6);
  char buf[8];
  EXPECT_EQ(send(t, TBLM_GETTITLE, 4, buf), 3);
  EXPECT_STREQ(buf, "Ord");
  EXPECT_EQ(send(t, TBLM_SETDISPLAYFLAGS, 0x2 | 0xC0, 1), 1);
  EXPECT_TRUE(send(t, TBLM_QUERYDISPLAYFLAGS, 0x2));
  EXPECT_FALSE(send(t, TBLM_QUERYDISPLAYFLAGS, 0x80));
  EXPECT_EQ(send(t, TBLM_SETROWHEADERWIDTH, 33), 1);
  EXPECT_EQ(send(t, TBLM_GETROWHEADERWIDTH), 33);
  EXPECT_EQ(send(t, TBLM_SETROWHEADERCOLUMN, 2), 1);
  EXPECT_EQ(send(t, TBLM_GETROWHEADERCOLUMN), 0x8002);
  send(t, TBLM_SETROWHEADERCOLUMN, 7);
  EXPECT_EQ(send(t, TBLM_GETROWHEADERCOLUMN), 0xFFFF);
  EXPECT_EQ(send(t, TBLM_SETLOCKEDCOUNT, 1), 1);
  EXPECT_EQ(send(t, TBLM_GETLOCKEDCOUNT), 1);
  EXPECT_EQ(send(t, TBLM_SETLINESPERROW, 0), 0);
  EXPECT_EQ(send(t, TBLM_SETLINESPERROW, 3), 1);
  EXPECT_EQ(send(t, TBLM_GETLINESPERROW), 3);
  EXPECT_EQ(send(t, TBLM_SETHOSTWORD, 99), 0);
  EXPECT_EQ(send(t, TBLM_SETFLAGS, TBLF_COLMOVE, 1), 1);
  EXPECT_TRUE(send(t, TBLM_QUERYFLAGS, TBLF_COLMOVE));
  send(t, TBLM_SETFLAGS, TBLF_COLMOVE, 0);
  EXPECT_FALSE(send(t, TBLM_QUERYFLAGS, TBLF_COLMOVE));
}

// Lines per row are capped where the row height would stop fitting a
// window coordinate (it used to wrap round to negative or tiny heights).
TEST_F(Messages, LinesPerRowKeepTheRowHeightInBounds) {
  HWND t = activeTable(2);
  setRange(t, 0, 100);
  for (LONG lines : {1000, 0x8000000, 0x10000001, 0x7FFFFFFF}) {
    EXPECT_EQ(send(t, TBLM_SETLINESPERROW, lines), 1) << lines;
    TBLMETRICS m{};
    send(t, TBLM_GETMETRICS, 0, &m);
    EXPECT_GT(m.rowHeight, 0) << lines;
    EXPECT_LE(m.rowHeight, 0x7FFF) << lines;
    LONG stored = LONG(send(t, TBLM_GETLINESPERROW));
    EXPECT_GE(stored, 1);
    EXPECT_LE(stored, lines);
  }
  TableCreateParams p = listParams();
  p.linesPerRow = 0x7FFFFFFF;
  HWND tall = createTable(createRecord(p, {columnInfo("A")}));
  ASSERT_TRUE(tall);
  TBLMETRICS m{};
  send(tall, TBLM_GETMETRICS, 0, &m);
  EXPECT_GT(m.rowHeight, 0);
  EXPECT_LE(m.rowHeight, 0x7FFF);
  EXPECT_EQ(send(t, TBLM_SETLINESPERROW, 3), 1);
  EXPECT_EQ(send(t, TBLM_GETLINESPERROW), 3);
}

TEST_F(Messages, SetFontRescalesWidths) {
  HWND t = activeTable(2);
  TBLMETRICS before{};
  send(t, TBLM_GETMETRICS, 0, &before);
  send(t, TBLM_SETWIDTH, 0, 100);
  HFONT big = CreateFontA(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  EXPECT_EQ(send(t, WM_SETFONT, WPARAM(big), 1), 0);  // the old font: the system's
  TBLMETRICS after{};
  send(t, TBLM_GETMETRICS, 0, &after);
  LONG expected = (100 * after.charWidth + before.charWidth / 2) / before.charWidth;
  EXPECT_EQ(send(t, TBLM_GETWIDTH, 0), expected);
  EXPECT_EQ(HFONT(send(t, WM_GETFONT)), big);
  DestroyWindow(t);
  DeleteObject(big);
}

// Message boxes are answered by a CBT hook that records their captions.
std::vector<std::string> g_captions;
HHOOK g_cbt;
LRESULT CALLBACK answerBoxes(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) {
    char cls[32] = {}, caption[64] = {};
    GetClassNameA(HWND(wp), cls, sizeof cls);
    if (!lstrcmpA(cls, "#32770")) {
      GetWindowTextA(HWND(wp), caption, sizeof caption);
      g_captions.push_back(caption);
      PostMessageA(HWND(wp), WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(g_cbt, code, wp, lp);
}

TEST_F(Messages, DebugShowsTheCacheDump) {
  HWND t = activeTable(2);
  setRange(t, 0, 9);
  rowText(t, 3, 0);
  g_captions.clear();
  g_cbt = SetWindowsHookExA(WH_CBT, answerBoxes, nullptr, GetCurrentThreadId());
  EXPECT_EQ(send(t, TBLM_DEBUG, 0, 0), 1);
  EXPECT_EQ(send(t, TBLM_DEBUG, 0, 1), 1);
  UnhookWindowsHookEx(g_cbt);
  EXPECT_EQ(g_captions, (std::vector<std::string>{"TblMsgDebug cache", "TblMsgDebug"}));
}

// Every message with null and odd arguments, to tables in every state and
// to a column window: answers, never a crash.
TEST_F(Messages, EveryMessageSurvivesNullAndOddArguments) {
  g_cbt = SetWindowsHookExA(WH_CBT, answerBoxes, nullptr, GetCurrentThreadId());
  std::vector<HWND> tables = {activeTable(3), activeTable(3, 0), activeTable(0)};
  HWND col = HWND(send(tables[0], TBLM_GETCOLUMNWINDOW, 0));
  const WPARAM wps[] = {0, 1, 0x8002, 0xFFFF, WPARAM(-1)};
  for (HWND t : tables) {
    setRange(t, 0, 50);
    for (UINT msg = TBLM_SETHOOK; msg <= TBLM_VIEWMSG2; ++msg) {
      if (msg == TBLM_RESET || msg == TBLM_SETHOOK) continue;
      for (WPARAM wp : wps) {
        send(t, msg, wp, 0);
        if (msg != TBLM_DEBUG) send(col, msg, wp, 0);
      }
      ASSERT_TRUE(IsWindow(t)) << msg;
    }
  }
  UnhookWindowsHookEx(g_cbt);
  for (HWND t : tables) EXPECT_EQ(send(t, TBLM_RESET), 1);
}

TEST_F(Messages, NotificationsGoToSlotTenInstead) {
  static std::vector<Note> slotNotes;
  slotNotes.clear();
  struct Local {
    static void __stdcall hook(HWND, UINT code, LONG id) { slotNotes.push_back({code, id}); }
  };
  HWND t = activeTable(2);
  send(t, TBLM_SETHOOK, TBLH_NOTIFY, Local::hook);
  send(t, TBLM_SETWIDTH, 1, 120);
  DestroyWindow(t);
  EXPECT_TRUE(notes.empty());
  EXPECT_EQ(slotNotes.front(), (Note{TBLN_COLRESIZED, 0x8001}));
  EXPECT_EQ(slotNotes.back().code, UINT(TBLN_DESTROY));
}

TEST_F(Messages, DestroyNotifiesTableAndColumns) {
  static std::vector<HWND> destroyedColumns;
  destroyedColumns.clear();
  struct Local {
    static void __stdcall hook(UINT msg, HWND col, LPARAM) {
      if (msg == WM_DESTROY) destroyedColumns.push_back(col);
    }
  };
  HWND t = activeTable(2);
  HWND c0 = HWND(send(t, TBLM_GETCOLUMNWINDOW, 0));
  send(t, TBLM_SETHOOK, TBLH_COLUMNDESTROYED, Local::hook);
  DestroyWindow(t);
  EXPECT_EQ(notes.front(), (Note{TBLN_DESTROY, 0xFFFF}));
  EXPECT_EQ(count(TBLN_DESTROY), 3);
  ASSERT_EQ(destroyedColumns.size(), 2u);
  EXPECT_EQ(destroyedColumns[0], c0);
}

TEST_F(Messages, MenuAndSystemMessagesAreOfferedToTheirSlots) {
  static std::vector<UINT> offered;
  offered.clear();
  struct Local {
    static LRESULT __stdcall hook(HWND, UINT msg, WPARAM wp, LPARAM) {
      offered.push_back(msg);
      return msg == WM_SYSCOMMAND && wp == SC_CLOSE;
    }
  };
  HWND t = activeTable(1);
  for (WPARAM slot : {TBLH_INITMENUPOPUP, TBLH_PAINTICON, TBLH_MENUSELECT, TBLH_SYSCOMMAND})
    send(t, TBLM_SETHOOK, slot, Local::hook);
  send(t, WM_INITMENUPOPUP, 0, 0);
  send(t, WM_MENUSELECT, 0, 0);
  send(t, WM_SYSCOMMAND, SC_CLOSE, 0);  // consumed: the window stays
  EXPECT_TRUE(IsWindow(t));
  EXPECT_EQ(offered, (std::vector<UINT>{WM_INITMENUPOPUP, WM_MENUSELECT, WM_SYSCOMMAND}));
}

TEST_F(Messages, FocusNotificationsNameTheWindows) {
  static HWND entering;
  struct Local {
    static void __stdcall hook(HWND table, UINT code, LONG) {
      if (code == TBLN_SETFOCUS) entering = HWND(SendMessageA(table, TBLM_GETFOCUSPARTNER, 0, 0));
    }
  };
  HWND t = activeTable(1);
  send(t, TBLM_SETHOOK, TBLH_NOTIFY, Local::hook);
  send(t, WM_SETFOCUS, WPARAM(parent), 0);
  EXPECT_EQ(entering, parent);
}

} // namespace
