// Strings: sizes, holds, binary content, tokenizing, the failure hook and
// handle checks.
#include "hostrt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string textOf(HSTRING s) {
  DWORD size = 0;
  const char* p = HostStrLock(s, &size);
  return p ? std::string(p, size ? size - 1 : 0) : "<none>";
}

TEST(Strings, SizeCountsTheTerminator) {
  HSTRING s = HostStrCreate(4);
  ASSERT_NE(s, 0u);
  DWORD size = 0;
  char* p = HostStrLock(s, &size);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(HostStrGetLength(s), 3);
  EXPECT_EQ(std::string(p, 4), std::string(4, '\0'));
  memcpy(p, "abc", 4);
  EXPECT_EQ(textOf(s), "abc");
  EXPECT_EQ(HostStrFree(s), 0);
  HSTRING empty = HostStrCreate(0);
  EXPECT_EQ(HostStrGetLength(empty), 0);
  EXPECT_NE(HostStrLock(empty, nullptr), nullptr);
  HostStrFree(empty);
}

TEST(Strings, SetSizeKeepsContentAndZeroesTheRest) {
  HSTRING s = HostStrFromText("abcdef");
  ASSERT_TRUE(HostStrSetSize(s, 4));
  EXPECT_EQ(std::string(HostStrLock(s, nullptr), 4), "abcd");  // the bytes stay as they were
  EXPECT_EQ(HostStrLock(s, nullptr)[4], 0);                   // and the buffer stays terminated
  ASSERT_TRUE(HostStrSetSize(s, 10));
  DWORD size;
  const char* p = HostStrLock(s, &size);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(std::string(p, 10), std::string("abcd\0\0\0\0\0\0", 10));
  // Sizes no 32-bit buffer can hold are refused, the string unchanged.
  for (DWORD huge : {DWORD(0x7FFFFFFF), DWORD(0xFFFFFFFF)}) {
    EXPECT_FALSE(HostStrSetSize(s, huge));
    EXPECT_EQ(HostStrGetLength(s), 9);
    EXPECT_EQ(HostStrCreate(huge), 0u);
  }
  HostStrFree(s);
  EXPECT_FALSE(HostStrSetSize(s, 4));  // freed
}

TEST(Strings, HoldsCountUntilTheLastFree) {
  HSTRING s = HostStrFromText("x");
  LONG live = HostTestLiveStrings();
  EXPECT_EQ(HostStrHold(s), 2);
  EXPECT_EQ(HostStrHolds(s), 2);
  EXPECT_EQ(HostStrFree(s), 1);
  EXPECT_EQ(textOf(s), "x");
  EXPECT_EQ(HostStrFree(s), 0);
  EXPECT_EQ(HostTestLiveStrings(), live - 1);
  EXPECT_EQ(HostStrFree(s), -1);  // already gone: stale handles stay detectable
  EXPECT_EQ(HostStrHold(s), 0);
}

TEST(Strings, UnknownHandlesGiveFailureValues) {
  for (HSTRING bad : {HSTRING(0), HSTRING(1), HSTRING(0xDEADBEEF)}) {
    DWORD size = 99;
    EXPECT_EQ(HostStrLock(bad, &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(HostStrGetLength(bad), -1);
    EXPECT_EQ(HostStrHold(bad), 0);
    EXPECT_EQ(HostStrFree(bad), -1);
    EXPECT_FALSE(HostStrSetSize(bad, 5));
  }
  EXPECT_EQ(HostStrFromText(nullptr), 0u);
}

TEST(Strings, TheFailureHookRefusesCreations) {
  EXPECT_EQ(HostTestFailStrCreate(2), 0);
  EXPECT_EQ(HostStrCreate(5), 0u);
  EXPECT_EQ(HostStrFromText("a"), 0u);
  HSTRING s = HostStrCreate(5);
  EXPECT_NE(s, 0u);
  HostStrFree(s);
  HostTestFailStrCreate(-1);
  EXPECT_EQ(HostStrCreate(1), 0u);
  EXPECT_EQ(HostStrCreate(1), 0u);
  EXPECT_EQ(HostTestFailStrCreate(0), -1);
  s = HostStrCreate(1);
  EXPECT_NE(s, 0u);
  HostStrFree(s);
}

std::vector<std::string> tokens(const char* text, const char* start, const char* end) {
  HARRAY a = HostArrayCreate(HOST_TYPE_STRING, 1);
  LONG n = HostStrTokenize(text, start, end, a);
  std::vector<std::string> out;
  for (LONG i = 0; i < n; ++i) {
    HSTRING s = 0;
    HostArrayGetString(a, i, &s);
    out.push_back(textOf(s));
  }
  EXPECT_EQ(HostArrayGetUpperBound(a, 1), n - 1);
  HostArrayFree(a);
  return out;
}

TEST(Strings, Tokenize) {
  using V = std::vector<std::string>;
  struct Case { const char* text; const char* start; const char* end; V expected; } cases[] = {
      {"C:\\A\\B", "", "\\", V{"C:", "A", "B"}},
      {"C:\\A\\", "", "\\", V{"C:", "A"}},
      {"C:\\\\A", "", "\\", V{"C:", "", "A"}},
      {"\\A", "", "\\", V{"", "A"}},
      {"  one two  three ", " ", " ", V{"one", "two", "three"}},
      {"a,b;c", nullptr, ",;", V{"a", "b", "c"}},
      {"", "", ",", V{}},
      {nullptr, "", ",", V{}},
      {"abc", nullptr, nullptr, V{"abc"}},
  };
  for (const auto& c : cases) EXPECT_EQ(tokens(c.text, c.start, c.end), c.expected) << (c.text ? c.text : "NULL");
}

TEST(Strings, TokenizeReplacesTheArrayContentAndFreesWhatItDrops) {
  HARRAY a = HostArrayCreate(HOST_TYPE_STRING, 1);
  ASSERT_EQ(HostStrTokenize("a b c d", "", " ", a), 4);
  HSTRING last = 0;
  HostArrayGetString(a, 3, &last);
  HostStrHold(last);
  ASSERT_EQ(HostStrTokenize("x y", "", " ", a), 2);
  EXPECT_EQ(HostStrHolds(last), 1);  // only our hold is left
  HostStrFree(last);
  EXPECT_EQ(HostStrTokenize("x", "", " ", 0), -1);
  HARRAY numbers = HostArrayCreate(HOST_TYPE_NUMBER, 1);
  EXPECT_EQ(HostStrTokenize("x", "", " ", numbers), -1);
  HostArrayFree(numbers);
  HostArrayFree(a);
}

} // namespace
