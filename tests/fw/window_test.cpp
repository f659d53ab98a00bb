// Windows: binding, subclassing, creation, routing, reflection, self
// deletion and exceptions in handlers.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include "fwctrl.h"
#include "wintest.h"

namespace {

const char* const frameworkClass = "FwTestWindow";
const char* const plainClass = "FwTestPlain";
const char* const routedClass = "FwTestRouted";
const UINT probeMessage = WM_USER + 1;

int plainProbes = 0;
LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == probeMessage) {
    ++plainProbes;
    return 5;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A control class procedure that routes its messages to the framework
// itself once an object is attached.
int routedSetTexts = 0;
LRESULT CALLBACK routedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT) ++routedSetTexts;
  if (CWnd* wnd = CWnd::FromHandlePermanent(window)) return FwCallWndProc(wnd, window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass(const char* name, WNDPROC proc) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  ASSERT_TRUE(AfxRegisterClass(&wc));
}

class Recorder : public CWnd {
public:
  std::vector<UINT> seen;
  UINT throwOn = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    if (throwOn && message == throwOn) AfxThrowResourceException();
    if (message == probeMessage) return 100 + Default();
    return CWnd::WindowProc(message, wParam, lParam);
  }
  bool Saw(UINT message) const { return std::find(seen.begin(), seen.end(), message) != seen.end(); }
};

class WindowTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(FwRegisterClass(frameworkClass, CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW)));
    registerClass(plainClass, plainProc);
    registerClass(routedClass, routedProc);
  }
  static HWND plainWindow(const char* cls) {
    return CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
  }
};

TEST_F(WindowTest, RegisteringTwiceIsFine) {
  EXPECT_TRUE(FwRegisterClass(frameworkClass, CS_DBLCLKS));
  WNDCLASSA wc = {};
  EXPECT_TRUE(GetClassInfoA(AfxGetInstanceHandle(), frameworkClass, &wc));
  EXPECT_EQ(wc.lpfnWndProc, AfxWndProc);
  // Without an object the framework procedure is DefWindowProc.
  HWND window = plainWindow(frameworkClass);
  ASSERT_NE(window, nullptr);
  SetWindowTextA(window, "no object");
  EXPECT_EQ(WindowText(window), "no object");
  DestroyWindow(window);
}

TEST_F(WindowTest, SubclassThenUnsubclassRestoresTheChain) {
  HWND window = plainWindow(plainClass);
  ASSERT_NE(window, nullptr);
  plainProbes = 0;
  Recorder r;
  ASSERT_TRUE(r.SubclassWindow(window));
  EXPECT_EQ(CWnd::FromHandlePermanent(window), &r);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), AfxWndProc);
  Recorder second;
  EXPECT_FALSE(second.SubclassWindow(window));

  EXPECT_EQ(SendMessageA(window, probeMessage, 0, 0), 105);  // handler, then the previous procedure
  EXPECT_EQ(plainProbes, 1);

  EXPECT_EQ(r.UnsubclassWindow(), window);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), plainProc);
  EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
  r.seen.clear();
  EXPECT_EQ(SendMessageA(window, probeMessage, 0, 0), 5);
  EXPECT_TRUE(r.seen.empty());
  DestroyWindow(window);
}

// An object only attached to a window whose own procedure routes to the
// framework: default processing is DefWindowProc, never the window's
// procedure again (which would recurse).
TEST_F(WindowTest, AttachedObjectDefaultsToDefWindowProc) {
  HWND window = plainWindow(routedClass);
  Recorder r;
  ASSERT_TRUE(r.Attach(window));
  routedSetTexts = 0;
  SetWindowTextA(window, "hello");
  EXPECT_EQ(routedSetTexts, 1);
  EXPECT_TRUE(r.Saw(WM_SETTEXT));
  EXPECT_EQ(WindowText(window), "hello");
  EXPECT_EQ(r.Detach(), window);
  DestroyWindow(window);
}

TEST_F(WindowTest, CreateExBindsFromTheFirstMessage) {
  Recorder r;
  ASSERT_TRUE(r.CreateEx(0, frameworkClass, "own", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
  auto nc = std::find(r.seen.begin(), r.seen.end(), (UINT)WM_NCCREATE);
  auto create = std::find(r.seen.begin(), r.seen.end(), (UINT)WM_CREATE);
  ASSERT_NE(nc, r.seen.end());
  EXPECT_LT(nc, create);
  EXPECT_EQ(r.GetWindowText(), "own");
  HWND window = r.m_hWnd;
  EXPECT_TRUE(r.DestroyWindow());
  EXPECT_EQ(r.seen.back(), (UINT)WM_NCDESTROY);
  EXPECT_EQ(r.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

TEST_F(WindowTest, CreateExSubclassesSystemClasses) {
  Recorder edit;
  ASSERT_TRUE(edit.CreateEx(0, "EDIT", "abc", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr));
  EXPECT_TRUE(edit.Saw(WM_NCCREATE));
  EXPECT_TRUE(edit.Saw(WM_CREATE));
  EXPECT_EQ(edit.GetWindowText(), "abc");  // the edit control's own processing ran
  edit.SendMessage(EM_SETSEL, 0, -1);
  EXPECT_EQ(edit.SendMessage(EM_GETSEL), MAKELRESULT(0, 3));
  HWND window = edit.UnsubclassWindow();
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), AfxWndProc);
  SetWindowTextA(window, "after");
  EXPECT_EQ(WindowText(window), "after");
  DestroyWindow(window);
}

class SelfDeleting : public CWnd {
public:
  static inline int deletions = 0;
  static inline int deletionsInsideHandler = -1;
  static inline UINT lastMessage = 0;
  ~SelfDeleting() override { ++deletions; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    lastMessage = message;
    if (message == probeMessage) {
      DestroyWindow();
      deletionsInsideHandler = deletions;  // still alive here
      return 7;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  void PostNcDestroy() override { delete this; }
};

TEST_F(WindowTest, SelfDeletingObjectIsDeletedOnceAfterItsLastMessage) {
  SelfDeleting::deletions = 0;
  SelfDeleting* wnd = new SelfDeleting;
  ASSERT_TRUE(wnd->CreateEx(0, frameworkClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND window = wnd->m_hWnd;
  EXPECT_EQ(SendMessageA(window, probeMessage, 0, 0), 7);
  EXPECT_EQ(SelfDeleting::deletionsInsideHandler, 0);
  EXPECT_EQ(SelfDeleting::deletions, 1);
  EXPECT_FALSE(IsWindow(window));

  wnd = new SelfDeleting;
  ASSERT_TRUE(wnd->CreateEx(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  DestroyWindow(wnd->m_hWnd);
  EXPECT_EQ(SelfDeleting::lastMessage, (UINT)WM_NCDESTROY);
  EXPECT_EQ(SelfDeleting::deletions, 2);
}

class ThrowingWindow : public SelfDeleting {
public:
  UINT throwOn;
  explicit ThrowingWindow(UINT message) : throwOn(message) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == throwOn) AfxThrowResourceException();
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// An exception in a creation handler fails the creation; in any other
// handler it is reported on the debugger output and the message gets its
// default processing. Nothing leaks, the process goes on.
TEST_F(WindowTest, ExceptionsInHandlersAreTranslated) {
  {  // warm up the handle map so its buckets exist before counting
    Recorder r;
    r.CreateEx(0, frameworkClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  }
  for (UINT message : {(UINT)WM_NCCREATE, (UINT)WM_CREATE}) {
    SCOPED_TRACE(message);
    SelfDeleting::deletions = 0;
    long before = FwLiveAllocations();
    ThrowingWindow* wnd = new ThrowingWindow(message);
    EXPECT_FALSE(wnd->CreateEx(0, frameworkClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(SelfDeleting::deletions, 1);
    EXPECT_EQ(FwLiveAllocations(), before);
  }

  DebugCapture debug;
  Recorder r;
  r.throwOn = WM_SETTEXT;
  ASSERT_TRUE(r.CreateEx(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  long before = FwLiveAllocations();
  EXPECT_TRUE(SetWindowTextA(r.m_hWnd, "still set"));
  EXPECT_EQ(FwLiveAllocations(), before);
  EXPECT_EQ(r.GetWindowText(), "still set");
  EXPECT_NE(debug.text().find("::WindowProc(0x000C) - "), std::string::npos) << debug.text();
}

TEST_F(WindowTest, MemoryDcCopiesItsAreaAndSelectionsAreRestored) {
  Recorder r;
  ASSERT_TRUE(r.CreateEx(0, frameworkClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr, nullptr));
  CClientDC dc(r.m_hWnd);
  CBrush white(RGB(255, 255, 255)), red(RGB(255, 0, 0));
  FillRect(dc, CRect(0, 0, 60, 60), white);
  {
    CMemDC mem(dc, CRect(10, 10, 30, 30));
    FillRect(mem, CRect(0, 0, 60, 60), red);  // clipped to the bitmap
    mem.Copy();
  }
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 29, 29), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 30, 30), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));

  CFont font;
  ASSERT_TRUE(font.CreateCopyOf(nullptr));
  HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  {
    CSelectObject selected(dc, font.GetSafeHandle());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.GetSafeHandle());
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
}

// ---- Routing to parents and children ----

class Parent : public CWnd {
public:
  std::vector<UINT> commands, notifies, colorTypes;
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.push_back(LOWORD(wParam));
    return TRUE;
  }
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    if (reinterpret_cast<NMHDR*>(lParam)->code != (UINT)NM_CLICK) return FALSE;
    notifies.push_back(reinterpret_cast<NMHDR*>(lParam)->idFrom);
    *result = 11;
    return TRUE;
  }
  HBRUSH OnCtlColor(HDC, HWND, UINT type) override {
    colorTypes.push_back(type);
    return reinterpret_cast<HBRUSH>(GetStockObject(type));
  }
};

class Child : public CWnd {
public:
  std::vector<UINT> reflected;
  BOOL OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* result) override {
    reflected.push_back(message);
    *result = 42;
    return TRUE;
  }
};

class RoutingTest : public WindowTest {
protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, frameworkClass, "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    ASSERT_TRUE(child.CreateEx(0, "BUTTON", "b", WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 50, 20), parent, 77));
    plain = CreateWindowExA(0, "BUTTON", "p", WS_CHILD, 0, 30, 50, 20, parent, (HMENU)78, nullptr, nullptr);
  }
  Parent parent;
  Child child;
  HWND plain;
};

TEST_F(RoutingTest, ChildNotificationsAreReflectedToTheChildObject) {
  NMHDR fromChild = {child.m_hWnd, 77, (UINT)NM_CLICK};
  NMHDR fromPlain = {plain, 78, (UINT)NM_CLICK};
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_BUTTON;
  draw.CtlID = 77;
  draw.hwndItem = child.m_hWnd;
  MEASUREITEMSTRUCT measure = {};
  measure.CtlType = ODT_BUTTON;
  measure.CtlID = 77;
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    bool reflected;
  } cases[] = {
      {"command", WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), (LPARAM)child.m_hWnd, 42, true},
      {"notify", WM_NOTIFY, 77, (LPARAM)&fromChild, 42, true},
      {"drawitem", WM_DRAWITEM, 77, (LPARAM)&draw, 42, true},
      {"measureitem", WM_MEASUREITEM, 77, (LPARAM)&measure, 42, true},
      {"command without object", WM_COMMAND, MAKEWPARAM(78, BN_CLICKED), (LPARAM)plain, 0, false},
      {"notify without object", WM_NOTIFY, 78, (LPARAM)&fromPlain, 11, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    child.reflected.clear();
    EXPECT_EQ(parent.SendMessage(c.message, c.wParam, c.lParam), c.result);
    EXPECT_EQ(child.reflected.size(), c.reflected ? 1u : 0u);
  }
  EXPECT_EQ(parent.commands, std::vector<UINT>{78});
  EXPECT_EQ(parent.notifies, std::vector<UINT>{78});
}

TEST_F(RoutingTest, OneColourHandlerSeesTheControlType) {
  HDC dc = GetDC(child.m_hWnd);
  for (UINT type = 0; type <= 6; ++type)
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORMSGBOX + type, (WPARAM)dc, (LPARAM)child.m_hWnd),
              (LRESULT)GetStockObject(type));
  ReleaseDC(child.m_hWnd, dc);
  EXPECT_EQ(parent.colorTypes, (std::vector<UINT>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(RoutingTest, NotificationsAreAskedForInAnsi) {
  EXPECT_EQ(parent.SendMessage(WM_NOTIFYFORMAT, (WPARAM)child.m_hWnd, NF_QUERY), NFR_ANSI);
}

// ---- List control ----

class TextList : public CListCtrl {
public:
  int asked = 0;
  BOOL OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) override {
    NMLVDISPINFOA* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
    if (message != WM_NOTIFY || info->hdr.code != LVN_GETDISPINFOA) return FALSE;
    ++asked;
    if (info->item.mask & LVIF_TEXT)
      snprintf(info->item.pszText, info->item.cchTextMax, "row %d col %d", info->item.iItem, info->item.iSubItem);
    *result = 0;
    return TRUE;
  }
};

int compareData(LPARAM a, LPARAM b, LPARAM descending) {
  int order = a < b ? -1 : a > b ? 1 : 0;
  return descending ? -order : order;
}

int compareThrowing(LPARAM, LPARAM, LPARAM) { AfxThrowUserException(); }

TEST_F(RoutingTest, ListControlGetsItsTextsThroughGetDispInfo) {
  TextList list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 60, 200, 200), parent, 5));
  list.InsertColumn(0, "A", LVCFMT_LEFT, 60);
  list.InsertColumn(1, "B", LVCFMT_LEFT, 60);
  ASSERT_EQ(list.InsertItem(0, LPSTR_TEXTCALLBACKA), 0);
  EXPECT_EQ(list.GetItemText(0, 1), "row 0 col 1");
  EXPECT_GT(list.asked, 0);
}

TEST_F(RoutingTest, ListControlSortsAndSurvivesAThrowingComparison) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(LVS_REPORT, CRect(0, 60, 200, 200), parent, 6));
  list.InsertColumn(0, "A");
  for (int i = 0; i < 4; ++i) {
    list.InsertItem(i, "x");
    list.SetItemData(i, (i * 7) % 4);
  }
  EXPECT_TRUE(list.SortItems(compareData, 1));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list.GetItemData(i), DWORD_PTR(3 - i));
  try {
    list.SortItems(compareThrowing, 0);
    ADD_FAILURE() << "no exception";
  } catch (CUserException* e) {
    e->Delete();
  }
  EXPECT_EQ(list.GetItemCount(), 4);
}

}  // namespace
