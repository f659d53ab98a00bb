// The test host: forms and controls created from items, the creation
// block, the host's subclass and its records, the creation callback, and
// the window <-> item mapping.
#include "hostrt.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kControlClass = "HostRtTest:Control";

// What the control saw while it was being created.
struct Seen {
  HITEM itemAtNcCreate = 0;
  bool procWasClassProc = false;
  DWORD blockFlags = 0xFFFFFFFF, blockExtra = 0;
  std::string property;
  LONG styleAtNcCreate = 0;
};
Seen g_seen;
int g_object;  // the "control object" whose address the control announces

LRESULT CALLBACK controlProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    g_seen.itemAtNcCreate = HostItemOfWindow(w);
    g_seen.procWasClassProc = WNDPROC(GetWindowLongPtrA(w, GWLP_WNDPROC)) == controlProc;
    g_seen.styleAtNcCreate = reinterpret_cast<CREATESTRUCTA*>(lp)->style;
    SendMessageA(w, 0x6008, 0, LPARAM(&g_object));
  } else if (msg == WM_CREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    if (auto* block = static_cast<const DWORD*>(cs->lpCreateParams)) {
      g_seen.blockFlags = block[1];
      g_seen.blockExtra = block[2];
    }
    HSTRING s = 0;
    if (HostGetStrProperty(HostOutlineOfWindow(w), HostItemOfWindow(w), "AK:Test", &s)) {
      DWORD size = 0;
      const char* p = HostStrLock(s, &size);
      g_seen.property.assign(p, size);
      HostStrFree(s);
    }
  } else if (msg == WM_LBUTTONUP) {
    PostMessageA(w, 0x2006, 7, 0);
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

void registerControlClass() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = controlProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kControlClass;
  RegisterClassA(&wc);
}

void pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

const char* const kForm = R"(Form frmMain
  @title = Test form
  @rect = 0 0 320 240
  DataField dfName
    @rect = 10 10 100 20
  ComboBox cmbKind
  Custom ctlTest
    @class = HostRtTest:Control
    @rect = 10 40 100 50
    $AK:Test = hex 01 00 02 00 FF 00
  Function notAWindow
  Picture picLogo
  ListBox lbItems
  CheckBox cbOk
    @title = &Ok
)";

class TestHost : public ::testing::Test {
protected:
  static void SetUpTestSuite() { registerControlClass(); }
  void SetUp() override {
    g_seen = Seen{};
    o = HostOutlineFromText(kForm, nullptr);
    ASSERT_NE(o, 0u);
    formItem = HostFindItem(o, 0, "frmMain");
    control = HostFindItem(o, 0, "ctlTest");
  }
  void TearDown() override {
    if (form) DestroyWindow(form);
    HostSetCreateCallback(nullptr, nullptr);
    HostReleaseApp(o);
  }
  HWND create(DWORD mode, DWORD extra = 0) {
    form = HostCreateWindow(o, formItem, nullptr, mode, extra);
    return form;
  }
  HWND windowOf(const char* name) { return HostWindowOfItem(o, HostFindItem(o, 0, name)); }
  HOUTLINE o = 0;
  HITEM formItem = 0, control = 0;
  HWND form = nullptr;
};

TEST_F(TestHost, ControlSeesItsItemAndPropertyWhileBeingCreated) {
  ASSERT_NE(create(HOST_CREATE_RUNTIME, 0x1234), nullptr);
  HWND w = windowOf("ctlTest");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(g_seen.itemAtNcCreate, control);
  EXPECT_EQ(g_seen.blockFlags & 1, 1u);
  EXPECT_EQ(g_seen.blockExtra, 0x1234u);
  EXPECT_EQ(g_seen.property, std::string("\x01\x00\x02\x00\xFF\x00", 6));
  EXPECT_EQ(HostItemOfWindow(w), control);
  EXPECT_EQ(HostOutlineOfWindow(w), o);
  EXPECT_EQ(HostGetObjectType(w), DWORD(HOST_OBJ_CUSTOM));
}

TEST_F(TestHost, DesignTimeClearsBitZero) {
  ASSERT_NE(create(0), nullptr);
  EXPECT_EQ(g_seen.blockFlags & 1, 0u);
}

TEST_F(TestHost, TheHostKeepsTheAnnouncedPointerAndRecordsHostMessages) {
  ASSERT_NE(create(HOST_CREATE_RUNTIME), nullptr);
  HWND w = windowOf("ctlTest");
  EXPECT_FALSE(g_seen.procWasClassProc);  // subclassed before WM_NCCREATE
  EXPECT_EQ(HostGetAnnouncedPointer(w), LPARAM(&g_object));
  SendMessageA(w, WM_LBUTTONUP, 0, 0);
  pump();
  EXPECT_EQ(HostMessageCount(w, 0x2006), 1);
  LONG n = HostRecordedMessage(w, -1, nullptr, nullptr, nullptr);
  UINT msg = 0;
  WPARAM wp = 0;
  EXPECT_EQ(HostRecordedMessage(w, n - 1, &msg, &wp, nullptr), 2);
  EXPECT_EQ(msg, 0x2006u);
  EXPECT_EQ(wp, 7u);
  EXPECT_TRUE(HostClearMessages(w));
  EXPECT_EQ(HostMessageCount(w, 0x6008), 0);
}

TEST_F(TestHost, WithoutSubclassingTheControlRunsItsOwnProcedure) {
  ASSERT_NE(create(HOST_CREATE_RUNTIME | HOST_CREATE_NOSUBCLASS), nullptr);
  HWND w = windowOf("ctlTest");
  EXPECT_TRUE(g_seen.procWasClassProc);
  EXPECT_EQ(g_seen.itemAtNcCreate, control);  // the mapping answers all the same
  EXPECT_EQ(HostGetAnnouncedPointer(w), 0);
}

void HOSTAPI addStyle(HWND, CREATESTRUCTA* cs, HOUTLINE, HITEM item, LPVOID context) {
  if (item == *static_cast<HITEM*>(context)) cs->style |= 0x0400;
}

TEST_F(TestHost, TheCreationCallbackActsBeforeWmNcCreate) {
  HostSetCreateCallback(addStyle, &control);
  ASSERT_NE(create(HOST_CREATE_RUNTIME), nullptr);
  EXPECT_EQ(g_seen.styleAtNcCreate & 0x0400, 0x0400);
  EXPECT_EQ(GetWindowLongA(windowOf("ctlTest"), GWL_STYLE) & 0x0400, 0x0400);
}

TEST_F(TestHost, FormChildrenGetClassesTextsAndPlaces) {
  ASSERT_NE(create(HOST_CREATE_RUNTIME), nullptr);
  char text[64];
  GetWindowTextA(form, text, sizeof text);
  EXPECT_STREQ(text, "Test form");
  struct Case { const char* name; const char* cls; DWORD type; } cases[] = {
      {"dfName", HOST_CLASS_FIELD, HOST_OBJ_DATAFIELD},     {"cmbKind", HOST_CLASS_COMBOBOX, HOST_OBJ_COMBOBOX},
      {"picLogo", HOST_CLASS_PICTURE, HOST_OBJ_PICTURE},    {"lbItems", HOST_CLASS_LISTBOX, HOST_OBJ_LISTBOX},
      {"cbOk", HOST_CLASS_CHECKBOX, HOST_OBJ_CHECKBOX},     {"frmMain", HOST_CLASS_FORM, HOST_OBJ_FORM},
  };
  for (const auto& c : cases) {
    HWND w = windowOf(c.name);
    ASSERT_NE(w, nullptr) << c.name;
    GetClassNameA(w, text, sizeof text);
    EXPECT_STREQ(text, c.cls);
    EXPECT_EQ(HostGetObjectType(w), c.type) << c.name;
  }
  EXPECT_EQ(windowOf("notAWindow"), nullptr);
  RECT r;
  HWND df = windowOf("dfName");
  GetWindowRect(df, &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(GetParent(df), form);
  EXPECT_EQ(GetDlgCtrlID(df), 100);
  char context[64];
  EXPECT_EQ(HostContextText(df, context, sizeof context), 14);
  EXPECT_STREQ(context, "frmMain.dfName");
}

TEST_F(TestHost, TheFormRecordsCommandsFromItsChildren) {
  ASSERT_NE(create(HOST_CREATE_RUNTIME), nullptr);
  HWND df = windowOf("dfName");
  SetWindowTextA(df, "x");  // EN_CHANGE to the form
  EXPECT_GE(HostMessageCount(form, WM_COMMAND), 1);
  LONG n = HostRecordedMessage(form, -1, nullptr, nullptr, nullptr);
  WPARAM wp = 0;
  LPARAM lp = 0;
  HostRecordedMessage(form, n - 1, nullptr, &wp, &lp);
  EXPECT_EQ(HIWORD(wp), EN_CHANGE);
  EXPECT_EQ(HWND(lp), df);
}

TEST_F(TestHost, MappingEndsWithTheWindowOrTheItem) {
  ASSERT_NE(create(HOST_CREATE_RUNTIME | HOST_CREATE_NOSUBCLASS), nullptr);
  HWND df = windowOf("dfName"), ctl = windowOf("ctlTest");
  ASSERT_TRUE(HostDeleteItem(o, HostFindItem(o, 0, "dfName")));
  EXPECT_EQ(HostItemOfWindow(df), 0u);
  EXPECT_EQ(HostOutlineOfWindow(df), 0u);
  DestroyWindow(ctl);
  EXPECT_EQ(HostWindowOfItem(o, control), nullptr);
  EXPECT_EQ(HostItemOfWindow(ctl), 0u);
}

TEST_F(TestHost, CreationFailuresLeaveNothingBehind) {
  HITEM bad = HostAddItem(o, formItem, HOST_ITEM_CUSTOM, "ctlMissing");
  HostSetItemTypeText(o, bad, HOST_ATTR_CLASS, "No:SuchClass", -1);
  EXPECT_EQ(create(HOST_CREATE_RUNTIME), nullptr);
  EXPECT_EQ(windowOf("dfName"), nullptr);
  EXPECT_EQ(HostCreateWindow(o, HostFindItem(o, 0, "notAWindow"), nullptr, 0, 0), nullptr);
  EXPECT_EQ(HostCreateWindow(o, control, nullptr, 0, 0), nullptr);  // a control needs a parent
  EXPECT_EQ(HostCreateWindow(0x77, formItem, nullptr, 0, 0), nullptr);
}

TEST_F(TestHost, ChildOfTypeWalkAndFields) {
  ASSERT_NE(create(HOST_CREATE_RUNTIME | HOST_CREATE_NOSUBCLASS), nullptr);
  HWND df = windowOf("dfName"), cmb = windowOf("cmbKind"), pic = windowOf("picLogo");
  EXPECT_EQ(HostFirstChildOfType(form, HOST_OBJ_DATAFIELD | HOST_OBJ_COMBOBOX), df);
  EXPECT_EQ(HostNextChildOfType(form, df, HOST_OBJ_DATAFIELD | HOST_OBJ_COMBOBOX), cmb);
  EXPECT_EQ(HostNextChildOfType(form, cmb, HOST_OBJ_DATAFIELD | HOST_OBJ_COMBOBOX), nullptr);
  EXPECT_EQ(HostFirstChildOfType(form, HOST_OBJ_OPTION), nullptr);
  EXPECT_TRUE(HostFieldIsNull(df));
  SetWindowTextA(df, "abc");
  EXPECT_FALSE(HostFieldIsNull(df));
  EXPECT_TRUE(HostClearField(df));
  EXPECT_TRUE(HostFieldIsNull(df));
  SendMessageA(cmb, CB_ADDSTRING, 0, LPARAM("one"));
  SendMessageA(cmb, CB_SETCURSEL, 0, 0);
  EXPECT_FALSE(HostFieldIsNull(cmb));
  EXPECT_TRUE(HostClearField(cmb));
  EXPECT_TRUE(HostFieldIsNull(cmb));
  EXPECT_EQ(SendMessageA(cmb, CB_GETCOUNT, 0, 0), 1);  // clearing keeps the list
  EXPECT_TRUE(HostFieldIsNull(pic));
  HBITMAP bmp = CreateBitmap(8, 8, 1, 1, nullptr);
  SendMessageA(pic, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(bmp));
  EXPECT_FALSE(HostFieldIsNull(pic));
  EXPECT_TRUE(HostClearPicture(pic));
  EXPECT_TRUE(HostFieldIsNull(pic));
  DeleteObject(bmp);
  EXPECT_FALSE(HostClearPicture(df));
  EXPECT_FALSE(HostClearField(windowOf("cbOk")));
  EXPECT_EQ(HostSetEditFlag(df, TRUE), 0);
  EXPECT_EQ(HostGetEditFlag(df), 1);
  EXPECT_EQ(HostSetEditFlag(df, FALSE), 1);
  HWND plain = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 10, 10, form, nullptr, nullptr, nullptr);
  EXPECT_EQ(HostGetObjectType(plain), 0u);
  EXPECT_EQ(HostSetEditFlag(plain, TRUE), -1);
  EXPECT_FALSE(HostFieldIsNull(plain));
  EXPECT_TRUE(HostDisableWindow(df));
  EXPECT_FALSE(IsWindowEnabled(df));
  EXPECT_TRUE(HostEnableWindow(df));
  EXPECT_TRUE(IsWindowEnabled(df));
  EXPECT_FALSE(HostEnableWindow(HWND(0x1234)));
}

TEST(HostClasses, WindowsOfHostClassesAreHostWindowsWhoeverCreatesThem) {
  HWND list = CreateWindowA(HOST_CLASS_LISTBOX, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND combo = CreateWindowA(HOST_CLASS_COMBOBOX, "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 50, 80, nullptr, nullptr,
                             nullptr, nullptr);
  HWND sysList = CreateWindowA("LISTBOX", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(list && combo && sysList);
  EXPECT_EQ(HostGetObjectType(list), DWORD(HOST_OBJ_LISTBOX));
  EXPECT_EQ(HostGetObjectType(combo), DWORD(HOST_OBJ_COMBOBOX));
  EXPECT_EQ(HostGetObjectType(sysList), 0u);
  EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, LPARAM("works as a list box")), 0);  // the superclass passes on
  PostMessageA(list, 0x2009, 3, 0);
  pump();
  EXPECT_EQ(HostMessageCount(list, 0x2009), 1);
  EXPECT_EQ(HostMessageCount(sysList, 0x2009), -1);
  DestroyWindow(list);
  EXPECT_EQ(HostGetObjectType(list), 0u);
  DestroyWindow(combo);
  DestroyWindow(sysList);
}

} // namespace
