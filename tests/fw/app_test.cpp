// The application object, per-module resources and the DLL entry glue.
#include <gtest/gtest.h>
#include "fwwnd.h"
#include "testres.h"
#include "wintest.h"

CWinApp testApp("fw tests");

namespace {

std::string environment(const char* name) {
  char value[64] = "";
  return GetEnvironmentVariableA(name, value, sizeof value) ? value : "";
}

TEST(App, ResourcesComeFromTheOwnModule) {
  EXPECT_EQ(AfxGetApp(), &testApp);
  EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleA(nullptr));
  EXPECT_EQ(AfxLoadString(IDS_GREETING), "test program string");
  EXPECT_EQ(AfxLoadString(999), "");
}

TEST(App, FormatStringsReplaceInOnePass) {
  CString text;
  AfxFormatString1(text, IDS_FORMAT1, "AmbLVGetBkColor()");
  EXPECT_EQ(text, "Function 'AmbLVGetBkColor()' failed.");
  AfxFormatString2(text, IDS_FORMAT2, "a%2", "b");
  EXPECT_EQ(text, "b then a%2, not %3");
}

TEST(App, MessageBoxUsesTheApplicationName) {
  std::string caption;
  DialogDriver driver([&](HWND box) {
    caption = WindowText(box);
    PressButton(box, IDCANCEL);
  });
  EXPECT_EQ(AfxMessageBox("Question?", MB_OKCANCEL | MB_ICONSTOP, 48), IDCANCEL);
  EXPECT_EQ(caption, "fw tests");
}

TEST(App, EachDllHasItsOwnApplicationAndResources) {
  SetEnvironmentVariableA("FW_PROBE_EXITS", "0");
  HMODULE probe = LoadLibraryA("fwprobe.dll");
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(environment("FW_PROBE_STARTED"), "1");
  auto instance = reinterpret_cast<HINSTANCE(__stdcall*)()>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeInstance")));
  auto loadString = reinterpret_cast<int(__stdcall*)(UINT, char*, int)>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeString")));
  auto appName = reinterpret_cast<const char*(__stdcall*)()>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeAppName")));
  ASSERT_TRUE(instance && loadString && appName);
  EXPECT_EQ(instance(), probe);
  char text[64] = "";
  loadString(1, text, sizeof text);
  EXPECT_STREQ(text, "probe library string");
  EXPECT_STREQ(appName(), "Probe Library");
  EXPECT_EQ(AfxLoadString(1), "test program string");  // ours is untouched
  FreeLibrary(probe);
  EXPECT_EQ(environment("FW_PROBE_EXITS"), "1");
}

TEST(App, FailedStartFailsTheLoadAndCleansUpOnce) {
  SetEnvironmentVariableA("FW_PROBE_EXITS", "0");
  SetEnvironmentVariableA("FW_PROBE_FAIL", "1");
  HMODULE probe = LoadLibraryA("fwprobe.dll");
  SetEnvironmentVariableA("FW_PROBE_FAIL", nullptr);
  EXPECT_EQ(probe, nullptr);
  EXPECT_EQ(environment("FW_PROBE_EXITS"), "1");
}

TEST(App, ExceptionAtShutDownIsSwallowed) {
  SetEnvironmentVariableA("FW_PROBE_FAIL_EXIT", "1");
  HMODULE probe = LoadLibraryA("fwprobe.dll");
  ASSERT_NE(probe, nullptr);
  EXPECT_TRUE(FreeLibrary(probe));
  SetEnvironmentVariableA("FW_PROBE_FAIL_EXIT", nullptr);
}

}  // namespace
