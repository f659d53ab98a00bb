// Debug strings, assertions, the timing report, version and system values.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "hostrt.h"
#include "testhost.h"
#include "winversion.h"

using namespace amblibtest;

namespace {
class Debugging : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(lib); }
  template <class F> F fn(const char* name) { return lib.fn<F>(name); }
  Library lib{"amblib.dll"};
};

std::string hostText(HSTRING h) {
  const char* p = HostStrLock(h, nullptr);
  return p ? p : "";
}
} // namespace

TEST_F(Debugging, StringsByLevelToDebuggerOrMessageBox) {
  auto debugString = fn<LONG(WINAPI*)(LPCSTR, WORD)>("AmbDebugString");
  auto setFlags = fn<DWORD(WINAPI*)(DWORD, BOOL)>("AmbDebugSetFlags");
  auto setLevel = fn<LONG(WINAPI*)(WORD)>("AmbDebugSetLevel");
  EXPECT_EQ(fn<DWORD(WINAPI*)()>("AmbDebugGetFlags")(), 0x00010000u);
  {
    DebugCapture debug;
    EXPECT_EQ(debugString("hidden", 1), 0);  // level 0: level 1 is dropped
    EXPECT_EQ(debugString("shown", 0), 1);
    EXPECT_EQ(debug.pieces, (std::vector<std::string>{"shown", "\n"}));
  }
  EXPECT_EQ(setLevel(3), 1);
  EXPECT_EQ(setFlags(0x00080000, TRUE), 0x00090000u);
  {
    ModalAnswerer boxes(answerOk());
    DebugCapture debug;
    EXPECT_EQ(debugString("in a box", 2), 1);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "Debug");
    EXPECT_EQ(boxes.seen[0].text, "in a box");
    EXPECT_TRUE(debug.pieces.empty());
  }
  EXPECT_EQ(setFlags(0x00080000, FALSE), 0x00010000u);
}

TEST_F(Debugging, AssertionsShowTheContext) {
  auto assertion = fn<LONG(WINAPI*)(BOOL, LPCSTR)>("AmbDebugAssert");
  ModalAnswerer boxes(answerOk());
  EXPECT_EQ(assertion(TRUE, "fine"), 1);
  EXPECT_TRUE(boxes.seen.empty());
  HWND w = makeWindow();
  ShowWindow(w, SW_SHOW);
  SetActiveWindow(w);
  char context[128] = "";
  HostContextText(GetActiveWindow(), context, sizeof context);
  EXPECT_EQ(assertion(FALSE, "count is 0"), 1);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].caption, "Assertion Failure");
  EXPECT_EQ(boxes.seen[0].text, std::string(context) + ": count is 0");
  DestroyWindow(w);
}

TEST_F(Debugging, TimingReport) {
  auto begin = fn<BOOL(WINAPI*)()>("AmbDebugBeginTime");
  auto mark = fn<BOOL(WINAPI*)(LPCSTR)>("AmbDebugSetTime");
  auto end = fn<BOOL(WINAPI*)(WORD)>("AmbDebugEndTime");
  EXPECT_FALSE(mark("before any begin"));
  ASSERT_TRUE(begin());
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(mark("a mark with a longish text to pass 512 bytes"));
  ASSERT_TRUE(begin());  // starts over
  ASSERT_TRUE(mark("load"));
  ASSERT_TRUE(mark("draw"));
  EXPECT_FALSE(end(1));  // above the debug level: no report
  ModalAnswerer boxes(answerOk());
  EXPECT_TRUE(end(0));
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].caption, "Performance Time");
  std::regex layout("Begin: \\(\\d\\d:\\d\\d:\\d\\d (AM|PM)\\)\nload \\d+:\\d\\d\\.\\d\\d\ndraw \\d+:\\d\\d\\.\\d\\d\n"
                    "Total \\d+:\\d\\d\\.\\d\\d\n");
  EXPECT_TRUE(std::regex_match(boxes.seen[0].text, layout)) << boxes.seen[0].text;
  EXPECT_FALSE(end(0));  // the marks are gone with the report
}

// The version comes from the file the library was loaded from, not from
// whichever "amblib.dll" the search path finds first: a copy in a folder of
// its own, its version texts patched to "9.9.9", tells its own version.
TEST(Version, ReadsTheFileTheLibraryWasLoadedFrom) {
  char temp[MAX_PATH], original[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "amb_version_copy";
  std::string copy = folder + "\\amblib.dll";
  CreateDirectoryA(folder.c_str(), nullptr);
  {
    Library lib("amblib.dll");
    ASSERT_TRUE(lib);
    ASSERT_TRUE(GetModuleFileNameA(lib.module(), original, MAX_PATH));
  }
  std::ifstream in(original, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The version resource holds its texts in UTF-16.
  const std::string from("1\0.\0" "0\0.\0" "0\0\0\0", 12), to("9\0.\0" "9\0.\0" "9\0\0\0", 12);
  int patched = 0;
  for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()), ++patched)
    bytes.replace(at, from.size(), to);
  ASSERT_GT(patched, 0);
  std::ofstream(copy, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  {
    Library lib(copy.c_str());
    ASSERT_TRUE(lib);
    HSTRING v = lib.fn<HSTRING(WINAPI*)()>("AmbGetVersion")();
    EXPECT_EQ(hostText(v), "9.9.9");
    HostStrFree(v);
  }
  {
    Library lib("amblib.dll");  // the original still tells its own
    HSTRING v = lib.fn<HSTRING(WINAPI*)()>("AmbGetVersion")();
    EXPECT_EQ(hostText(v), "1.0.0");
    HostStrFree(v);
  }
  DeleteFileA(copy.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(Debugging, VersionAndSystemValues) {
  HSTRING v = fn<HSTRING(WINAPI*)()>("AmbGetVersion")();
  HSTRING c = fn<HSTRING(WINAPI*)()>("AmbGetCopyright")();
  EXPECT_EQ(hostText(v), "1.0.0");
  EXPECT_EQ(hostText(c), "Copyright (C) 2026 Ambrel");
  HostStrFree(v);
  HostStrFree(c);

  HostNumber n = fn<HostNumber(WINAPI*)()>("AmbGetWinVersion")();
  DWORD ver = GetVersion();
  EXPECT_DOUBLE_EQ(HostValueToDouble(n), windowsVersionNumber(LOBYTE(ver), HIBYTE(LOWORD(ver))));
  struct { unsigned major, minor; const char* text; } versions[] = {
      {3, 10, "3.1"}, {4, 0, "4"}, {4, 10, "4.1"}, {5, 1, "5.1"}, {6, 2, "6.2"}, {10, 0, "10"}};
  for (const auto& c : versions) {
    HostNumber v{};
    char text[HOST_NUMBER_TEXT_MAX];
    HostNumberFromDouble(&v, windowsVersionNumber(c.major, c.minor));
    HostNumberToText(v, text, sizeof text);
    EXPECT_STREQ(text, c.text) << c.major << "." << c.minor;
  }
  EXPECT_EQ(fn<LONG(WINAPI*)()>("AmbGetWinFlags")(), 0);
  EXPECT_EQ(fn<LONG(WINAPI*)(LONG)>("AmbGetSystemMetrics")(SM_CXICON), GetSystemMetrics(SM_CXICON));
  BYTE keys[256] = {};
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  EXPECT_LT(fn<SHORT(WINAPI*)(LONG)>("AmbGetKeyState")(VK_SHIFT), 0);
  // A caller that takes the result as a 32-bit number sees the same value.
  EXPECT_EQ(fn<LONG(WINAPI*)(LONG)>("AmbGetKeyState")(VK_SHIFT), LONG(GetKeyState(VK_SHIFT)));
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(fn<LONG(WINAPI*)(LONG)>("AmbGetKeyState")(VK_SHIFT), 0);

  HWND w = makeWindow();
  EXPECT_EQ(fn<LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPCSTR)>("AmbSendMsgString")(w, WM_SETTEXT, 0, "sent"), TRUE);
  char text[16] = "";
  GetWindowTextA(w, text, sizeof text);
  EXPECT_STREQ(text, "sent");
  DestroyWindow(w);
}
