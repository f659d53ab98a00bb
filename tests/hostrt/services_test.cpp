// List boxes, table operations over a stand-in table, colours and the
// small host services, and the outline operations reached by ordinal.
#include "gridwin.h"
#include "hostrt.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string log() {
  char buf[4096];
  HostTestLog(buf, sizeof buf);
  return buf;
}

HWND popup(const char* cls, DWORD style = 0) {
  return CreateWindowA(cls, "", WS_POPUP | style, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
}

void fill(HWND box, bool combo) {
  for (const char* s : {"a", "b", "c", "d"}) SendMessageA(box, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, LPARAM(s));
}

TEST(Lists, WorkOnHostAndSystemBoxes) {
  struct Case { const char* cls; bool combo; } cases[] = {
      {HOST_CLASS_LISTBOX, false}, {"listbox", false}, {HOST_CLASS_COMBOBOX, true}, {"ComboBox", true}};
  for (const auto& c : cases) {
    HWND box = popup(c.cls, c.combo ? CBS_DROPDOWNLIST : 0);
    fill(box, c.combo);
    EXPECT_EQ(HostListCount(box), 4) << c.cls;
    EXPECT_EQ(HostListGetSelection(box), -1) << c.cls;
    EXPECT_TRUE(HostListSetSelection(box, 2)) << c.cls;
    EXPECT_EQ(HostListGetSelection(box), 2) << c.cls;
    EXPECT_TRUE(HostListIsSelected(box, 2)) << c.cls;
    EXPECT_FALSE(HostListIsSelected(box, 1)) << c.cls;
    EXPECT_FALSE(HostListSetSelection(box, 9)) << c.cls;
    EXPECT_TRUE(HostListSetSelection(box, -1)) << c.cls;
    EXPECT_EQ(HostListGetSelection(box), -1) << c.cls;
    EXPECT_EQ(HostListDelete(box, 0), 3) << c.cls;
    EXPECT_EQ(HostListDelete(box, 7), -1) << c.cls;
    EXPECT_TRUE(HostListSetRedraw(box, FALSE)) << c.cls;
    EXPECT_TRUE(HostListSetRedraw(box, TRUE)) << c.cls;
    EXPECT_TRUE(HostListClear(box)) << c.cls;
    EXPECT_EQ(HostListCount(box), 0) << c.cls;
    DestroyWindow(box);
  }
}

TEST(Lists, MultipleSelection) {
  HWND box = popup(HOST_CLASS_LISTBOX, LBS_EXTENDEDSEL);
  fill(box, false);
  EXPECT_EQ(HostListGetSelection(box), -1);
  EXPECT_TRUE(HostListSetSelection(box, 3));
  EXPECT_TRUE(HostListSetSelection(box, 1));
  EXPECT_EQ(HostListGetSelection(box), 1);  // the first selected
  EXPECT_TRUE(HostListIsSelected(box, 3));
  EXPECT_TRUE(HostListSetSelection(box, -1));
  EXPECT_EQ(HostListGetSelection(box), -1);
  DestroyWindow(box);
}

TEST(Lists, SetMultiSelectReportsTheModeTheBoxRunsIn) {
  HWND single = popup(HOST_CLASS_LISTBOX), multiple = popup(HOST_CLASS_LISTBOX, LBS_EXTENDEDSEL);
  EXPECT_TRUE(HostListSetMultiSelect(single, FALSE));
  EXPECT_TRUE(HostListSetMultiSelect(multiple, TRUE));
  // The system list box keeps the mode it was created with: refused, and
  // the style still says what the box does.
  BOOL changed = HostListSetMultiSelect(single, TRUE);
  LONG style = GetWindowLongA(single, GWL_STYLE);
  bool runsMultiple = SendMessageA(single, LB_GETSELCOUNT, 0, 0) != LB_ERR;
  EXPECT_EQ(!!changed, runsMultiple);
  EXPECT_EQ((style & LBS_EXTENDEDSEL) != 0, runsMultiple);
  DestroyWindow(single);
  DestroyWindow(multiple);
}

TEST(Lists, OtherWindowsAreRefused) {
  HWND edit = popup("EDIT");
  for (HWND w : {edit, HWND(nullptr), HWND(0x4321)}) {
    EXPECT_FALSE(HostListClear(w));
    EXPECT_EQ(HostListCount(w), -1);
    EXPECT_EQ(HostListDelete(w, 0), -1);
    EXPECT_EQ(HostListGetSelection(w), -1);
    EXPECT_FALSE(HostListSetSelection(w, 0));
    EXPECT_FALSE(HostListSetMultiSelect(w, TRUE));
    EXPECT_FALSE(HostListSetRedraw(w, TRUE));
  }
  DestroyWindow(edit);
}

// A stand-in table: the class marks of the table and column classes and
// answers to the messages the host sends, keeping what it was sent.
struct FakeTable {
  LPARAM lastRow = 0;
  TBLFINDROW lastFind{};
  DWORD columnFlags = TBLCF_VISIBLE;
  COLORREF cellColor = 0;
  HWND table = nullptr, column = nullptr;
  TblFetchHook fetch = nullptr;
  bool active = false;
  TBLROWPAIR range{};
  std::string cells;  // "column:text;" for each TBLM_SETCELLTEXT
} g_table;

LRESULT CALLBACK fakeTableProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case TBLM_QUERYROWFLAGS: g_table.lastRow = lp; return (lp == 5 && (wp & TBL_ROW_SELECTED)) ? 1 : 0;
  case TBLM_FINDNEXTROW: {
    auto* find = reinterpret_cast<TBLFINDROW*>(lp);
    g_table.lastFind = *find;
    if (find->row != TBL_ROW_NONE) return 0;
    find->row = 3;
    return 1;
  }
  case TBLM_SETCONTEXTROW: return lp >= 0 && lp < 10 ? 1 : 0;
  case TBLM_GETCOLUMNATPOSITION: return wp == 0 ? 0 : -1;
  case TBLM_GETCOLUMNWINDOW: return wp == 0 ? LRESULT(g_table.column) : 0;
  case TBLM_GETPOSITION: return 0;
  case TBLM_QUERYCOLFLAGS: return (g_table.columnFlags & DWORD(lp)) != 0;
  case TBLM_SETCOLFLAGS:
    g_table.columnFlags = wp ? g_table.columnFlags | DWORD(lp) : g_table.columnFlags & ~DWORD(lp);
    return 1;
  case TBLM_SETCELLCOLOR: g_table.cellColor = COLORREF(lp); return 1;
  case TBLM_SETHOOK:
    if (wp == TBLH_FETCHROW) g_table.fetch = reinterpret_cast<TblFetchHook>(lp);
    return 1;
  case TBLM_ISACTIVE: return g_table.active;
  case TBLM_ACTIVATE: g_table.active = wp != 0; return 1;
  case TBLM_SETRANGE: g_table.range = *reinterpret_cast<TBLROWPAIR*>(lp); return 1;
  case TBLM_SETCELLTEXT:
    g_table.cells += std::to_string(wp) + ":" + reinterpret_cast<const char*>(lp) + ";";
    return 1;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

HWND makeMarked(const char* name, DWORD mark, HWND parent) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = fakeTableProc;
  wc.cbClsExtra = 4;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
  HWND w = CreateWindowA(name, "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
  SetClassLongA(w, 0, LONG(mark));
  return w;
}

TEST(Tables, OperationsSpeakTheTableMessages) {
  g_table.table = makeMarked("HostRtTest:Table", TBL_TABLE_CLASS_MARK, nullptr);
  g_table.column = makeMarked("HostRtTest:Column", TBL_COLUMN_CLASS_MARK, g_table.table);
  HWND t = g_table.table, c = g_table.column;
  EXPECT_TRUE(HostTblQueryRowFlag(t, 5, TBL_ROW_SELECTED));
  EXPECT_FALSE(HostTblQueryRowFlag(t, 4, TBL_ROW_SELECTED));
  LONG row = HOST_TBL_SEARCH_START;
  ASSERT_TRUE(HostTblFindNextRow(t, &row, TBL_ROW_SELECTED, TBL_ROW_HIDDEN));
  EXPECT_EQ(g_table.lastFind.row, TBL_ROW_NONE);  // the host's start, in the table's terms
  EXPECT_EQ(g_table.lastFind.wanted, TBL_ROW_SELECTED);
  EXPECT_EQ(g_table.lastFind.excluded, TBL_ROW_HIDDEN);
  EXPECT_EQ(row, 3);
  EXPECT_FALSE(HostTblFindNextRow(t, &row, 0, 0));
  EXPECT_EQ(row, 3);
  EXPECT_TRUE(HostTblSetContextRow(t, 2));
  EXPECT_FALSE(HostTblSetContextRow(t, 20));
  EXPECT_EQ(HostTblColumnAt(t, 1), c);  // positions count from 1
  EXPECT_EQ(HostTblColumnAt(t, 2), nullptr);
  EXPECT_EQ(HostTblColumnAt(t, 0), nullptr);
  EXPECT_EQ(HostTblColumnPosition(c), 1);
  EXPECT_TRUE(HostTblSetColumnFlag(c, TBLCF_SELECTED, TRUE));
  EXPECT_TRUE(HostTblQueryColumnFlag(c, TBLCF_SELECTED));
  EXPECT_TRUE(HostTblSetColumnFlag(c, TBLCF_SELECTED, FALSE));
  EXPECT_FALSE(HostTblQueryColumnFlag(c, TBLCF_SELECTED));
  EXPECT_TRUE(HostTblSetCellColor(c, RGB(1, 2, 3)));
  EXPECT_EQ(g_table.cellColor, RGB(1, 2, 3));
  // A column is no table and a table no column; other windows are neither.
  EXPECT_FALSE(HostTblSetContextRow(c, 2));
  EXPECT_EQ(HostTblColumnPosition(t), 0);
  HWND plain = popup("STATIC");
  EXPECT_FALSE(HostTblQueryRowFlag(plain, 5, TBL_ROW_SELECTED));
  EXPECT_FALSE(HostTblSetCellColor(plain, 0));
  EXPECT_FALSE(HostTblFindNextRow(t, nullptr, 0, 0));
  DestroyWindow(plain);

  // Serving rows: the host answers fetches from a string array.
  HARRAY cells = HostArrayCreate(HOST_TYPE_STRING, 1);
  HostStrTokenize("a1,b1,a2,b2,a3", "", ",", cells);
  ASSERT_TRUE(HostTblServeRows(t, cells, 2));
  EXPECT_TRUE(g_table.active);
  EXPECT_EQ(g_table.range.first, 0);
  EXPECT_EQ(g_table.range.last, 1);  // two whole rows
  ASSERT_NE(g_table.fetch, nullptr);
  EXPECT_EQ(g_table.fetch(0, t, 1), 1);
  EXPECT_EQ(g_table.cells, "0:a2;1:b2;");
  EXPECT_EQ(g_table.fetch(0, t, 2), 2);
  EXPECT_EQ(g_table.fetch(0, t, -1), 2);
  EXPECT_FALSE(HostTblServeRows(t, cells, 0));
  EXPECT_FALSE(HostTblServeRows(c, cells, 2));
  ASSERT_TRUE(HostTblServeRows(t, 0, 0));
  EXPECT_EQ(g_table.fetch, nullptr);
  HostArrayFree(cells);
  DestroyWindow(t);
}

TEST(Services, ColoursPerWindowDefaultAndSystem) {
  HWND w = popup(HOST_CLASS_FIELD), plain = popup("EDIT");
  EXPECT_EQ(HostGetWindowColor(w, COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
  ASSERT_TRUE(HostSetWindowColor(nullptr, COLOR_WINDOW, RGB(1, 1, 1)));
  EXPECT_EQ(HostGetWindowColor(plain, COLOR_WINDOW), RGB(1, 1, 1));
  ASSERT_TRUE(HostSetWindowColor(w, COLOR_WINDOW, RGB(2, 2, 2)));
  EXPECT_EQ(HostGetWindowColor(w, COLOR_WINDOW), RGB(2, 2, 2));
  EXPECT_EQ(HostGetWindowColor(w, COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_FALSE(HostSetWindowColor(plain, COLOR_WINDOW, 0));  // not a host window
  ASSERT_TRUE(HostSetWindowColor(w, COLOR_WINDOW, CLR_INVALID));
  EXPECT_EQ(HostGetWindowColor(w, COLOR_WINDOW), RGB(1, 1, 1));
  ASSERT_TRUE(HostSetWindowColor(nullptr, COLOR_WINDOW, CLR_INVALID));
  EXPECT_EQ(HostGetWindowColor(w, COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(HostGetWindowColor(w, 31), CLR_INVALID);
  EXPECT_EQ(HostGetWindowColor(HWND(0x777), 5), CLR_INVALID);
  DestroyWindow(w);
  DestroyWindow(plain);
}

LONG g_halts;
void HOSTAPI onHalt() { ++g_halts; }

TEST(Services, FocusHaltWaitAndDialogsAreObservable) {
  HWND w = popup("STATIC");
  HostTestClearLog();
  EXPECT_EQ(HostFocusMayMove(w, 1, 0), 1);
  EXPECT_EQ(HostTestSetFocusAnswer(0), 1);
  EXPECT_EQ(HostFocusMayMove(w, 0, 0), 0);
  HostTestSetFocusAnswer(1);
  EXPECT_EQ(HostFocusMayMove(HWND(0x999), 0, 0), 0);
  LONG halts = HostHaltCount();
  HostSetHaltHandler(onHalt);
  HostHalt();  // returns: the caller goes on
  EXPECT_EQ(HostHaltCount(), halts + 1);
  EXPECT_EQ(g_halts, 1);
  EXPECT_EQ(HostSetHaltHandler(nullptr), onHalt);
  EXPECT_FALSE(HostAnnounceWait(TRUE));
  EXPECT_TRUE(HostAnnounceWait(FALSE));
  EXPECT_TRUE(HostPrepareDialog(w));
  EXPECT_FALSE(HostPrepareDialog(HWND(0x999)));
  char hw[16];
  snprintf(hw, sizeof hw, "0x%08lX", (unsigned long)(UINT_PTR)w);
  std::string expected = std::string("HostFocusMayMove ") + hw + " 1 0\nHostFocusMayMove " + hw +
                         " 0 0\nHostFocusMayMove 0x00000999 0 0\nHostHalt\nHostAnnounceWait 1\nHostAnnounceWait 0\n" +
                         "HostPrepareDialog " + hw + "\n";
  EXPECT_EQ(log(), expected);
  char text[32];
  SetWindowTextA(w, "Caption");
  EXPECT_EQ(HostContextText(w, text, sizeof text), 7);  // no item: the window text
  EXPECT_STREQ(text, "Caption");
  EXPECT_EQ(HostContextText(HWND(0x999), text, sizeof text), -1);
  DestroyWindow(w);
}

TEST(Services, CurrentDriveAndResources) {
  HSTRING drive = HostGetCurrentDrive();
  ASSERT_NE(drive, 0u);
  char dir[MAX_PATH];
  GetCurrentDirectoryA(sizeof dir, dir);
  EXPECT_EQ(HostStrLock(drive, nullptr)[0], dir[0]);
  EXPECT_EQ(HostStrLock(drive, nullptr)[1], ':');
  HostStrFree(drive);
  const char data[] = {'B', 'M', 0, 1, 2};
  ASSERT_TRUE(HostSetResourceData("logo", data, sizeof data));
  HSTRING r = HostGetResourceData("LOGO");
  ASSERT_NE(r, 0u);
  DWORD size = 0;
  const char* p = HostStrLock(r, &size);
  EXPECT_EQ(size, sizeof data + 1);
  EXPECT_EQ(std::string(p, sizeof data), std::string(data, sizeof data));
  EXPECT_EQ(HostStrGetLength(r), LONG(sizeof data));
  HostStrFree(r);
  EXPECT_EQ(HostGetResourceData("missing"), 0u);
  ASSERT_TRUE(HostSetResourceData("logo", nullptr, 0));
  EXPECT_EQ(HostGetResourceData("logo"), 0u);
  EXPECT_FALSE(HostSetResourceData(nullptr, data, 1));
}

// The ordinals the outline kit binds to: each is its named operation.
template <class F> F byOrdinal(int ordinal) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("hostrt.dll"), MAKEINTRESOURCEA(ordinal))));
}

TEST(Ordinals, EachOrdinalIsItsNamedOperation) {
  HMODULE rt = GetModuleHandleA("hostrt.dll");
  ASSERT_NE(rt, nullptr);
  struct Case { int ordinal; const char* name; } cases[] = {
      {233, "HostSetStrProperty"}, {234, "HostGetStrProperty"}, {670, "HostRemoveStrProperty"},
      {239, "HostEnumStrProps"},   {331, "HostChildOfType"},    {275, "HostItemType"},
      {366, "HostFirstChild"},     {367, "HostLastChild"},      {368, "HostNextSibling"},
      {330, "HostPrevSibling"},    {274, "HostParent"},         {277, "HostGetItemText"},
      {505, "HostGetItemTypeText"}, {506, "HostSetItemTypeText"}, {564, "HostSetObjectClass"},
      {279, "HostGetItemTitle"},   {426, "HostDeleteItem"},     {425, "HostSetItemData"},
      {273, "HostGetTopItem"},     {280, "HostInsertItem"},     {427, "HostIsItemIncluded"},
      {603, "HostRefreshInclude"}, {503, "HostItemChangeUpdate"}, {507, "HostCreateItem"},
      {623, "HostWindowOfItem"},   {498, "HostIsThisAWindow"},  {620, "HostMarkApplicationChanged"},
      {621, "HostMarkApplicationUncompiled"}, {622, "HostItemGetLineCount"}, {271, "HostLoadApp"},
      {272, "HostReleaseApp"},     {625, "HostNotifyPropertyChange"}, {282, "HostOutlineSave"},
      {609, "HostOutlineSaveAsText"}, {105, "HostArrayGetBounds"}, {38, "HostStrLock"},
      {591, "HostStrFree"},        {906, "HostArraySetString"}, {946, "HostArrayElement"},
      {665, "HostElementData"},    {913, "HostNumberFromULong"}, {910, "HostNumberFromLong"},
      {491, "HostItemDesignOption"},
  };
  for (const auto& c : cases) {
    FARPROC named = GetProcAddress(rt, c.name);
    ASSERT_NE(named, nullptr) << c.name;
    EXPECT_EQ(GetProcAddress(rt, MAKEINTRESOURCEA(c.ordinal)), named) << c.ordinal << " " << c.name;
  }
}

TEST(Ordinals, CalledByNumberAsTheOutlineKitCallsThem) {
  using SetProp = LONG(__stdcall*)(HOUTLINE, HITEM, LPCSTR, LPCVOID, WORD);
  using GetProp = BOOL(__stdcall*)(HOUTLINE, HITEM, LPCSTR, HSTRING*);
  using Walk = HITEM(__stdcall*)(HOUTLINE, HITEM);
  using Free = LONG(__stdcall*)(HSTRING);
  HOUTLINE o = HostOutlineFromText("Form f\n  DataField d\n", nullptr);
  HITEM form = byOrdinal<Walk>(366)(o, HostGetTopItem(o));
  HITEM field = byOrdinal<Walk>(366)(o, form);
  EXPECT_EQ(byOrdinal<Walk>(274)(o, field), form);
  const char* text = "YES";
  EXPECT_EQ(byOrdinal<SetProp>(233)(o, field, "DATASOURCE", text, WORD(strlen(text) + 1)), 1);
  HSTRING s = 0;
  ASSERT_TRUE(byOrdinal<GetProp>(234)(o, field, "DATASOURCE", &s));
  EXPECT_STREQ(HostStrLock(s, nullptr), "YES");
  EXPECT_EQ(byOrdinal<Free>(591)(s), 0);
  HostReleaseApp(o);
}

} // namespace
