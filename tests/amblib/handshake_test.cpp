// The control creation handshake and the exported-function frame, through
// the probe's test control class and framed exports.
#include <gtest/gtest.h>

#include <optional>

#include "testhost.h"

using namespace amblibtest;

namespace {

struct ProbeCounters {
  LONG constructed, destroyed, announcedSelf, ncCreateSeen;
};

class Handshake : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(probe);
    ASSERT_TRUE(probe.fn<BOOL(WINAPI*)()>("ProbeRegisterControl")());
  }
  ProbeCounters counters() {
    ProbeCounters c{};
    probe.fn<void(WINAPI*)(ProbeCounters*)>("ProbeGetCounters")(&c);
    return c;
  }
  HWND create() {
    return CreateWindowExA(0, "AK:ProbeControl", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }
  LONG call(const char* name, void* object, LONG kind = 0) {
    return probe.fn<LONG(WINAPI*)(void*, LONG)>(name)(object, kind);
  }
  Library probe{"amblib_probe.dll"};
};

// A host that subclasses every window at creation, before WM_NCCREATE,
// and keeps what AKM_ControlCreate carries.
struct SubclassingHost {
  static inline HHOOK hook;
  static inline WNDPROC previous;
  static inline LPARAM announced;
  static inline int announcements;
  static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == 0x6008) {
      announced = lp;
      ++announcements;
    }
    return CallWindowProcA(previous, w, m, wp, lp);
  }
  static LRESULT CALLBACK cbt(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
      char cls[64] = "";
      GetClassNameA(HWND(wp), cls, sizeof cls);
      if (!lstrcmpA(cls, "AK:ProbeControl"))
        previous = WNDPROC(SetWindowLongPtrA(HWND(wp), GWLP_WNDPROC, LONG_PTR(proc)));
    }
    return CallNextHookEx(hook, code, wp, lp);
  }
  SubclassingHost() {
    announced = 0;
    announcements = 0;
    hook = SetWindowsHookExA(WH_CBT, cbt, nullptr, GetCurrentThreadId());
  }
  ~SubclassingHost() { UnhookWindowsHookEx(hook); }
};

} // namespace

// The handshake, case by case: who runs the window afterwards, what
// AKM_ControlCreate carried, how the style messages are answered, and that
// the object lives exactly as long as its window.
TEST_F(Handshake, CreationCases) {
  struct Case {
    const char* what;
    bool hostSubclassesFirst;
    bool allocationFails;
    bool created;
    LRESULT styleAnswer;  // WM_STYLECHANGING and WM_STYLECHANGED
  };
  const Case cases[] = {
      // The framework subclasses the window and ends in DefWindowProc, which
      // answers the style messages itself.
      {"still on its class procedure", false, false, true, 0},
      // The class procedure stays in the chain behind the host's and answers 1.
      {"subclassed by the host first", true, false, true, 1},
      {"no memory for the object", false, true, false, 0},
      {"no memory, host subclassed", true, true, false, 0},
  };
  auto failAllocations = probe.fn<void(WINAPI*)(LONG)>("ProbeFailAllocations");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<SubclassingHost> host;
    if (c.hostSubclassesFirst) host.emplace();
    ProbeCounters before = counters();
    if (c.allocationFails) failAllocations(1);
    HWND w = create();
    failAllocations(0);
    ProbeCounters after = counters();
    int once = c.created ? 1 : 0;
    EXPECT_EQ(w != nullptr, c.created);
    EXPECT_EQ(after.constructed - before.constructed, once);
    EXPECT_EQ(after.announcedSelf - before.announcedSelf, once);  // 0x6008 carried the object itself
    EXPECT_EQ(after.ncCreateSeen - before.ncCreateSeen, once);    // and WM_NCCREATE reached it afterwards
    if (host) {
      EXPECT_EQ(SubclassingHost::announcements, once);
    }
    if (!w) continue;

    WNDPROC proc = WNDPROC(GetWindowLongPtrA(w, GWLP_WNDPROC));
    if (host) {
      // The host's procedure stays in front; the object is reached with
      // the address the host kept.
      EXPECT_EQ(proc, SubclassingHost::proc);
      EXPECT_EQ(call("ProbeTableText", reinterpret_cast<void*>(SubclassingHost::announced)), 42);
    } else {
      HMODULE owner = nullptr;
      GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(proc), &owner);
      EXPECT_EQ(owner, probe.module());
    }
    STYLESTRUCT ss{WS_POPUP, WS_POPUP};
    EXPECT_EQ(SendMessageA(w, WM_STYLECHANGING, GWL_STYLE, LPARAM(&ss)), c.styleAnswer);
    EXPECT_EQ(SendMessageA(w, WM_STYLECHANGED, GWL_STYLE, LPARAM(&ss)), c.styleAnswer);
    EXPECT_EQ(counters().destroyed, before.destroyed);
    DestroyWindow(w);
    EXPECT_EQ(counters().destroyed - before.destroyed, 1);
  }
}

// A control that refuses its WM_NCCREATE fails the window's creation; its
// object is deleted with the window, in both bindings, and nothing of it
// stays behind for a later window to meet.
TEST_F(Handshake, AControlRefusingItsCreationIsDeleted) {
  auto refuse = probe.fn<void(WINAPI*)(BOOL)>("ProbeRefuseNcCreate");
  for (bool hostFirst : {false, true}) {
    SCOPED_TRACE(hostFirst ? "subclassed by the host first" : "still on its class procedure");
    std::optional<SubclassingHost> host;
    if (hostFirst) host.emplace();
    ProbeCounters before = counters();
    refuse(TRUE);
    HWND w = create();
    refuse(FALSE);
    EXPECT_EQ(w, nullptr);
    if (w) DestroyWindow(w);
    ProbeCounters after = counters();
    EXPECT_EQ(after.constructed - before.constructed, 1);
    EXPECT_EQ(after.destroyed - before.destroyed, 1);
    if (host) {  // the address the host kept is refused, not followed
      ASSERT_NE(SubclassingHost::announced, 0);
      EXPECT_EQ(call("ProbeTableText", reinterpret_cast<void*>(SubclassingHost::announced)), -1);
    }
  }
}

TEST_F(Handshake, ClassesWithoutTheirControlYetFailCleanly) {
  SubclassingHost host;
  for (const char* cls : {"AK:cCalendar", "AK:cListView", "AK:cSpinField"}) {
    HWND w = CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(w, nullptr) << cls;
    if (w) DestroyWindow(w);
  }
  EXPECT_EQ(SubclassingHost::announcements, 0);
}

// Each reporting form, with a NULL, a stale and a foreign pointer, and an
// exception inside the operation.
TEST_F(Handshake, FrameReportsInEachForm) {
  HWND w = create();
  ASSERT_TRUE(w);
  void* live = nullptr;
  {
    SubclassingHost host;
    HWND w2 = create();
    live = reinterpret_cast<void*>(SubclassingHost::announced);
    DestroyWindow(w2);
  }
  void* stale = live;  // its window is gone
  void* other = probe.fn<void*(WINAPI*)()>("ProbeNewOther")();

  struct Form { const char* name; std::vector<std::string> text; };
  const Form forms[] = {
      {"ProbeTableText", {"ProbeTableText()", " - ", "Unable to retrieve item count.", "\n"}},
      {"ProbeInlineText", {"ProbeInlineText()", " - Unable to clear selected dates.\n"}},
      {"ProbeNoText", {}},
  };
  const std::string nullMessage =
      "Function '%s()' unable to act because pointer to control instance is NULL.  This is likely due to "
      "interception of AKM_ControlCreate in Halvik Builder.  Please remove any such lines from your application.";
  for (const auto& f : forms) {
    {  // NULL: the message box, then the failure text.
      ModalAnswerer boxes(answerOk());
      DebugCapture debug;
      EXPECT_EQ(call(f.name, nullptr), -1) << f.name;
      ASSERT_EQ(boxes.seen.size(), 1u) << f.name;
      EXPECT_EQ(boxes.seen[0].caption, "Ambrel Library");
      std::string expected = nullMessage;
      expected.replace(expected.find("%s"), 2, f.name);
      EXPECT_EQ(boxes.seen[0].text, expected);
      EXPECT_EQ(debug.pieces, f.text) << f.name;
    }
    for (void* bad : {stale, other}) {  // not a live object of the kind: the text alone
      ModalAnswerer boxes(answerOk());
      DebugCapture debug;
      EXPECT_EQ(call(f.name, bad), -1) << f.name;
      EXPECT_TRUE(boxes.seen.empty()) << f.name;
      EXPECT_EQ(debug.pieces, f.text) << f.name;
    }
  }
  probe.fn<void(WINAPI*)(void*)>("ProbeDeleteOther")(other);
  DestroyWindow(w);
}

TEST_F(Handshake, ExceptionsInsideTheOperationGiveTheFailureText) {
  SubclassingHost host;
  HWND w = create();
  ASSERT_TRUE(w);
  void* object = reinterpret_cast<void*>(SubclassingHost::announced);
  EXPECT_EQ(call("ProbeTableText", object), 42);
  for (LONG kind : {1, 2, 3}) {
    DebugCapture debug;
    EXPECT_EQ(call("ProbeTableText", object, kind), -1) << kind;
    EXPECT_EQ(debug.joined(), "ProbeTableText() - Unable to retrieve item count.\n") << kind;
    DebugCapture quiet;
    EXPECT_EQ(call("ProbeNoText", object, kind), -1) << kind;
    EXPECT_TRUE(quiet.pieces.empty()) << kind;
  }
  // A void export runs its operation only for a live object.
  auto runs = probe.fn<LONG(WINAPI*)()>("ProbeVoidRuns");
  auto voidCall = probe.fn<void(WINAPI*)(void*)>("ProbeVoid");
  LONG before = runs();
  voidCall(object);
  EXPECT_EQ(runs(), before + 1);
  DestroyWindow(w);
  voidCall(object);
  EXPECT_EQ(runs(), before + 1);
}
