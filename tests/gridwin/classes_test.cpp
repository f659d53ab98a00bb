// Classes, class marks, the exported functions, the shared drop-down pop-up
// and unloading.
#include "host.h"

namespace {

using IsWindowOfTable = WORD(__stdcall*)(HWND);
using InitTableDll = BOOL(__stdcall*)();

class Classes : public TableHost {
 protected:
  IsWindowOfTable isWindowOfTable() { return procOf<IsWindowOfTable>(dll, "TblIsWindowOfTable"); }
};

struct ClassCase {
  const char* name;
  UINT style;
  int classExtra, windowExtra;
};

TEST_F(Classes, RegisteredWithTheirStylesAndExtraBytes) {
  const UINT common = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  const ClassCase cases[] = {
      {"Halvik:Table", CS_GLOBALCLASS | CS_DBLCLKS, 6, 12},
      {"Halvik:Tab:Column", CS_GLOBALCLASS | common, 6, 4},
      {"Halvik:Tab:Long", CS_GLOBALCLASS | common, 0, 6},
      {"Halvik:Tab:Container", common, 0, 2},
      {"Halvik:Tab:FormClip", common, 0, 6},
      {"Halvik:Tab:ListClip", common, 0, 6},
      {"Halvik:ChildTable", CS_GLOBALCLASS | CS_DBLCLKS, 6, 12},
      {"Halvik:Chi:Column", CS_GLOBALCLASS | common, 6, 4},
      {"Halvik:Chi:ListClip", common, 0, 6},
      {":DropDown", CS_SAVEBITS, 0, 0},
      {":DropDownBtn", CS_HREDRAW | CS_VREDRAW, 0, 4},
  };
  for (const ClassCase& c : cases) {
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(dll, c.name, &wc)) << c.name;
    EXPECT_EQ(wc.style, c.style) << c.name;
    EXPECT_EQ(wc.cbClsExtra, c.classExtra) << c.name;
    EXPECT_EQ(wc.cbWndExtra, c.windowExtra) << c.name;
  }
  WNDCLASSA wc{};
  GetClassInfoA(dll, "Halvik:Table", &wc);
  EXPECT_TRUE(wc.hIcon);
  EXPECT_FALSE(wc.hCursor);
  EXPECT_TRUE(GetClassInfoA(dll, "Halvik:Tab:Long", &wc) && wc.hCursor);
}

TEST_F(Classes, InitReportsRegistration) {
  auto init = procOf<InitTableDll>(dll, "_TblInitTableDLL@0");
  ASSERT_TRUE(init);
  EXPECT_EQ(init(), 1);
}

TEST_F(Classes, IsWindowOfTableTellsTablesColumnsAndOthersApart) {
  HWND t = activeTable(2);
  ASSERT_TRUE(t);
  HWND col = HWND(send(t, TBLM_GETCOLUMNWINDOW, 1));
  ASSERT_TRUE(col);
  EXPECT_EQ(GetDlgCtrlID(col), 0x8001);
  auto is = isWindowOfTable();
  EXPECT_EQ(is(t), 1);
  EXPECT_EQ(is(col), 2);
  EXPECT_EQ(is(parent), 0);
  EXPECT_EQ(is(nullptr), 0);
  EXPECT_EQ(is(HWND(0x12345)), 0);
  // A foreign class with four class extra bytes holding another value.
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.cbClsExtra = 4;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ForeignFour";
  RegisterClassA(&wc);
  HWND foreign = CreateWindowExA(0, "ForeignFour", "", WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr);
  SetClassLongA(foreign, 0, 0x12345678);
  EXPECT_EQ(is(foreign), 0);
}

TEST_F(Classes, ColumnWindowsBelongToTheirTablesClass) {
  char name[64];
  HWND t = createTable(createRecord(listParams(), {columnInfo("A")}));
  GetClassNameA(HWND(send(t, TBLM_GETCOLUMNWINDOW, 0)), name, sizeof name);
  EXPECT_STREQ(name, "Halvik:Tab:Column");
  HWND c = createTable(createRecord(listParams(), {columnInfo("A")}), WS_CHILD, TBL_CHILD_CLASS);
  ASSERT_TRUE(c);
  GetClassNameA(HWND(send(c, TBLM_GETCOLUMNWINDOW, 0)), name, sizeof name);
  EXPECT_STREQ(name, "Halvik:Chi:Column");
}

TEST_F(Classes, DropDownPopupComesBackWhenDestroyed) {
  HWND popup = FindWindowA(":DropDown", "");
  ASSERT_TRUE(popup);
  EXPECT_TRUE(GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
  DestroyWindow(popup);
  HWND again = FindWindowA(":DropDown", "");
  EXPECT_TRUE(again);
  EXPECT_NE(again, popup);
}

TEST_F(Classes, DropDownListsSurviveTheirPopup) {
  HWND t = createTable(createRecord(listParams(), {columnInfo("list", 60, 20, 1, 0, 2)}));
  HWND list = HWND(send(t, TBLM_GETDROPDOWN, 0));
  HWND popup = FindWindowA(":DropDown", "");
  ASSERT_TRUE(list);
  EXPECT_EQ(GetParent(list), popup);
  DestroyWindow(popup);
  EXPECT_TRUE(IsWindow(list));
  EXPECT_FALSE(IsWindowVisible(list));
  DestroyWindow(t);
  EXPECT_FALSE(IsWindow(list));  // the column frees its drop-down
}

// Unloading destroys the pop-up (it would otherwise run freed code) and the
// classes go with the library; loading again brings both back.
TEST(Unload, LeavesNoWindowOrClassBehind) {
  for (int round = 0; round < 3; ++round) {
    HMODULE dll = LoadLibraryA("gridwin.dll");
    ASSERT_TRUE(dll);
    HWND popup = FindWindowA(":DropDown", "");
    ASSERT_TRUE(popup);
    WNDCLASSA wc;
    EXPECT_TRUE(GetClassInfoA(dll, TBL_CLASS, &wc));
    ASSERT_TRUE(FreeLibrary(dll));
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_FALSE(FindWindowA(":DropDown", ""));
    EXPECT_FALSE(GetClassInfoA(nullptr, TBL_CLASS, &wc));
  }
}

} // namespace
