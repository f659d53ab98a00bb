// Start-up and shut-down of amblib: the nine classes with their exact
// attributes, the existence check, and what happens on refusal and unload.
#include <gtest/gtest.h>

#include <string>

#include "testhost.h"

using namespace amblibtest;

namespace {

struct ClassAttributes {
  const char* name;
  UINT style;
  bool arrow;
  int windowExtra;
};
const ClassAttributes StartupClasses[] = {
    {"AK:cCalendar", 0x6880, true, 0},        {"AK:cComboCal", 0x6888, true, 0},
    {"AK:cPalette", 0x6080, true, 0},         {"AK:cComboPal", 0x6888, true, 0},
    {"AK:cSplitter", 0x400B, false, 0},       {"AK:cListView", 0x4088, true, 0},
    {"AK:cListViewDropDown", 0x4088, true, 0}, {"AK:cSpinField", 0x4008, true, 4},
    {"AK:cMeter", 0x4000, true, 4},
};

bool classExists(const char* name) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  return GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc) != 0;
}

// The module whose code runs the class's windows.
HMODULE procModule(const char* name) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc)) return nullptr;
  HMODULE m = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(wc.lpfnWndProc), &m);
  return m;
}

LRESULT CALLBACK foreignProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

} // namespace

TEST(Startup, RegistersTheNineClassesWithTheirAttributes) {
  Library lib("amblib.dll");
  ASSERT_TRUE(lib);
  for (const auto& c : StartupClasses) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(lib.module(), c.name, &wc)) << c.name;
    EXPECT_EQ(wc.style, c.style) << c.name;
    EXPECT_EQ(wc.cbClsExtra, 0) << c.name;
    EXPECT_EQ(wc.cbWndExtra, c.windowExtra) << c.name;
    EXPECT_EQ(wc.hCursor == LoadCursorA(nullptr, IDC_ARROW), c.arrow) << c.name;
    if (!c.arrow) {
      EXPECT_EQ(wc.hCursor, nullptr) << c.name;
    }
    EXPECT_EQ(wc.hIcon, nullptr) << c.name;
    EXPECT_EQ(wc.hbrBackground, nullptr) << c.name;
    EXPECT_EQ(wc.lpszMenuName, nullptr) << c.name;
    EXPECT_EQ(procModule(c.name), lib.module()) << c.name;
  }
  // A second load of the same file runs nothing and changes nothing.
  HMODULE again = LoadLibraryA("amblib.dll");
  EXPECT_EQ(again, lib.module());
  FreeLibrary(again);
  EXPECT_EQ(procModule("AK:cCalendar"), lib.module());
}

TEST(Startup, UnloadingUnregistersTheStartupClasses) {
  {
    Library lib("amblib.dll");
    ASSERT_TRUE(lib);
    EXPECT_TRUE(classExists("AK:cMeter"));
    EXPECT_FALSE(classExists("AK:Calendar"));  // inner classes wait for their first use
  }
  for (const auto& c : StartupClasses) EXPECT_FALSE(classExists(c.name)) << c.name;
}

TEST(Startup, InnerClassesOnFirstUseUntilUnload) {
  const ClassAttributes InnerClasses[] = {
      {"AK:Calendar", 0x6880, true, 0}, {"AK:ColorPalette", 0x6080, true, 0}, {"AK:EditColor", 0x6088, true, 0},
      {"AK:CmbBtn", 0x400B, true, 0},   {"AK:Splitter", 0x400B, false, 0},
  };
  {
    Library probe("amblib_probe.dll");
    ASSERT_TRUE(probe);
    auto ensure = probe.fn<BOOL(WINAPI*)(LPCSTR)>("ProbeEnsureInnerClass");
    for (const auto& c : InnerClasses) {
      EXPECT_FALSE(classExists(c.name)) << c.name;
      EXPECT_TRUE(ensure(c.name)) << c.name;
      EXPECT_TRUE(ensure(c.name)) << c.name;  // once registered, nothing more to do
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof wc;
      ASSERT_TRUE(GetClassInfoExA(probe.module(), c.name, &wc)) << c.name;
      EXPECT_EQ(wc.style, c.style) << c.name;
      EXPECT_EQ(wc.hCursor == LoadCursorA(nullptr, IDC_ARROW), c.arrow) << c.name;
      EXPECT_EQ(procModule(c.name), probe.module()) << c.name;
    }
    EXPECT_FALSE(ensure("AK:NoSuchClass"));
    EXPECT_FALSE(ensure(nullptr));
  }
  // Their procedure went with the library: so did they.
  for (const auto& c : InnerClasses) EXPECT_FALSE(classExists(c.name)) << c.name;
}

// A second copy under another file name: the frame once more
// (amblib_probe.dll), and the very file copied.
TEST(Startup, ASecondCopyRegistersNothingAndTakesNothingDown) {
  Library lib("amblib.dll");
  ASSERT_TRUE(lib);
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string copied = std::string(dir) + "amblib_copy.dll";
  char original[MAX_PATH];
  ASSERT_TRUE(GetModuleFileNameA(lib.module(), original, MAX_PATH));
  ASSERT_TRUE(CopyFileA(original, copied.c_str(), FALSE));
  for (const std::string& name : {std::string("amblib_probe.dll"), copied}) {
    {
      Library copy(name.c_str());
      ASSERT_TRUE(copy) << name;
      EXPECT_NE(copy.module(), lib.module()) << name;
      for (const auto& c : StartupClasses) EXPECT_EQ(procModule(c.name), lib.module()) << c.name;
    }
    for (const auto& c : StartupClasses) EXPECT_EQ(procModule(c.name), lib.module()) << c.name;
  }
  DeleteFileA(copied.c_str());
}

TEST(Startup, AClassRegisteredBeforeIsKept) {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = foreignProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "AK:cMeter";
  ASSERT_TRUE(RegisterClassA(&wc));
  {
    Library lib("amblib.dll");
    ASSERT_TRUE(lib);
    EXPECT_EQ(procModule("AK:cMeter"), GetModuleHandleA(nullptr));
    EXPECT_EQ(procModule("AK:cSpinField"), lib.module());
  }
  EXPECT_EQ(procModule("AK:cMeter"), GetModuleHandleA(nullptr));
  EXPECT_TRUE(UnregisterClassA("AK:cMeter", GetModuleHandleA(nullptr)));
}

TEST(Startup, ARefusedRegistrationFailsTheLoadAndLeavesNoClass) {
  SetEnvironmentVariableA("AMBLIB_PROBE_REFUSE", "AK:cPalette");
  HMODULE probe = LoadLibraryA("amblib_probe.dll");
  SetEnvironmentVariableA("AMBLIB_PROBE_REFUSE", nullptr);
  EXPECT_EQ(probe, nullptr);
  if (probe) FreeLibrary(probe);
  for (const auto& c : StartupClasses) EXPECT_FALSE(classExists(c.name)) << c.name;
}

TEST(Startup, ARefusedUnregistrationAtUnloadIsReported) {
  HMODULE probe = LoadLibraryA("amblib_probe.dll");
  ASSERT_TRUE(probe);
  auto registerControl = reinterpret_cast<BOOL(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(probe, "ProbeRegisterControl")));
  ASSERT_TRUE(registerControl());
  // A window of the class outlives the library: the system refuses to take
  // the class away. The window is first cut loose from the library's code.
  HWND w = CreateWindowExA(0, "AK:ProbeControl", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(w);
  SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(DefWindowProcA));
  {
    DebugCapture debug;
    FreeLibrary(probe);
    EXPECT_NE(debug.joined().find("Unable to unregister class AK:ProbeControl."), std::string::npos)
        << debug.joined();
  }
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClassA("AK:ProbeControl", probe));
  for (const auto& c : StartupClasses) EXPECT_FALSE(classExists(c.name)) << c.name;
}
