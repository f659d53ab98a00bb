// Host strings and the error-recovery prompt (dialog 201).
#include <gtest/gtest.h>

#include "hostrt.h"
#include "testhost.h"

using namespace amblibtest;

namespace {

std::string hostText(HSTRING h) {
  const char* p = HostStrLock(h, nullptr);
  return p ? p : "";
}

std::string dlgText(HWND d, int id) {
  char buf[256] = "";
  GetDlgItemTextA(d, id, buf, sizeof buf);
  return buf;
}

HHOOK g_refuseHook;

LRESULT CALLBACK refuseDialogs(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    char cls[32] = "";
    GetClassNameA(HWND(wp), cls, sizeof cls);
    if (!lstrcmpA(cls, "#32770")) return 1;
  }
  return CallNextHookEx(g_refuseHook, code, wp, lp);
}

} // namespace

TEST(Recovery, TheDialogAsLaidOut) {
  Library lib("amblib.dll");
  auto recovery = lib.fn<LONG(WINAPI*)(LPCSTR)>("AmbErrorRecovery");
  HostTestClearLog();
  bool checked = false;
  ModalAnswerer answer([&](const ModalBox& box) {
    HWND d = box.window;
    EXPECT_EQ(box.caption, "My caption");
    EXPECT_EQ(dlgText(d, 101), "An error has occurred in your application.");
    EXPECT_EQ(dlgText(d, 203), "&Retry");
    EXPECT_EQ(dlgText(d, 204), "&Halt Application");
    EXPECT_NE(SendDlgItemMessageA(d, 202, STM_GETICON, 0, 0), 0);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, 203), GWL_STYLE) & BS_DEFPUSHBUTTON);
    // Dialog units: 226 x 59 at the template's font.
    RECT r{0, 0, 226, 59};
    MapDialogRect(d, &r);
    RECT client;
    GetClientRect(d, &client);
    EXPECT_EQ(client.right, r.right);
    EXPECT_EQ(client.bottom, r.bottom);
    HMENU sys = GetSystemMenu(d, FALSE);
    char item[64] = "";
    GetMenuStringA(sys, SC_CLOSE, item, sizeof item, MF_BYCOMMAND);
    EXPECT_STREQ(item, "&Close Alt+F4");
    EXPECT_TRUE(GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    // Escape and Close do not end it; only the two buttons do.
    SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(d, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(d));
    checked = true;
    return 204;
  });
  EXPECT_EQ(recovery("My caption"), 2);
  EXPECT_TRUE(checked);
  char log[4096] = "";
  HostTestLog(log, sizeof log);
  EXPECT_NE(std::string(log).find("HostPrepareDialog"), std::string::npos);
}

TEST(Recovery, RetryLoopsAndHaltCallsTheHost) {
  Library lib("amblib.dll");
  auto version = lib.fn<HSTRING(WINAPI*)()>("AmbGetVersion");
  LONG haltsBefore = HostHaltCount();
  HostTestFailStrCreate(-1);
  int shown = 0;
  ModalAnswerer answer([&](const ModalBox& box) {
    EXPECT_EQ(box.caption, "Ambrel");
    ++shown;
    if (shown == 1) return 203;  // Retry: still no memory, the prompt comes back
    if (shown == 2) return 204;  // Halt: the host is told, and carries on here
    HostTestFailStrCreate(0);    // memory again
    return 203;
  });
  HSTRING h = version();
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(HostHaltCount(), haltsBefore + 1);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(hostText(h), "1.0.0");
  HostStrFree(h);
}

TEST(Recovery, APromptThatCannotBeShownHaltsAndGivesUp) {
  Library lib("amblib.dll");
  auto version = lib.fn<HSTRING(WINAPI*)()>("AmbGetVersion");
  LONG haltsBefore = HostHaltCount();
  HostTestFailStrCreate(-1);
  // A CBT hook that refuses to create the dialog makes DialogBox fail (-1).
  g_refuseHook = SetWindowsHookExA(WH_CBT, refuseDialogs, nullptr, GetCurrentThreadId());
  HSTRING h = version();
  UnhookWindowsHookEx(g_refuseHook);
  HostTestFailStrCreate(0);
  EXPECT_EQ(h, 0u);
  EXPECT_EQ(HostHaltCount(), haltsBefore + 1);
}
