// Fonts: the LOGFONT made for requested sizes and styles, reading a font
// back, and the font families of the screen and the printer.
#include <gtest/gtest.h>

#include "hostrt.h"
#include "testhost.h"

using namespace amblibtest;

namespace {
class Fonts : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(lib); }
  HFONT load(const char* face, LONG size, WORD flags) {
    return lib.fn<HFONT(WINAPI*)(LPCSTR, LONG, WORD)>("AmbFontLoad")(face, size, flags);
  }
  Library lib{"amblib.dll"};
};
} // namespace

TEST_F(Fonts, RequestedSizesAndStylesMakeTheseLogFonts) {
  // 96 pixels per inch here: height = -(points * 96 / 72), truncated.
  struct Case { const char* face; LONG size; WORD flags; LONG height; LONG weight; BYTE italic, underline, strike; };
  const Case cases[] = {
      {"Arial", 8, 8, -10, 700, 0, 0, 0},
      {"Arial", 10, 0, -13, 400, 0, 0, 0},
      {"Courier New", 12, 2 | 4, -16, 400, 1, 1, 0},
      {"Times New Roman", 9, 16 | 8, -12, 700, 0, 0, 1},
      {"Arial", 1, 0, -1, 400, 0, 0, 0},
  };
  for (const auto& c : cases) {
    HFONT f = load(c.face, c.size, c.flags);
    ASSERT_TRUE(f) << c.face;
    LOGFONTA lf;
    ASSERT_EQ(GetObjectA(f, sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(lf.lfHeight, c.height) << c.size;
    EXPECT_EQ(lf.lfWeight, c.weight) << c.flags;
    EXPECT_EQ(lf.lfItalic, c.italic);
    EXPECT_EQ(lf.lfUnderline, c.underline);
    EXPECT_EQ(lf.lfStrikeOut, c.strike);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_STREQ(lf.lfFaceName, c.face);
    EXPECT_EQ(lib.fn<LONG(WINAPI*)(HFONT)>("AmbFontFree")(f), 1);
  }
}

TEST_F(Fonts, ReadingAFontBack) {
  HFONT f = load("Arial", 12, 8 | 2);
  HSTRING face = 0;
  LONG size = 0, flags = 0;
  auto get = lib.fn<BOOL(WINAPI*)(HFONT, HSTRING*, LONG*, LONG*)>("AmbFontGet");
  ASSERT_TRUE(get(f, &face, &size, &flags));
  EXPECT_STREQ(HostStrLock(face, nullptr), "Arial");
  EXPECT_EQ(flags, 8 | 2);
  // (tmHeight - tmInternalLeading) * 72 / 96 truncates: the size read back
  // is at most the size asked for, and a point or two below it.
  EXPECT_LE(size, 12);
  EXPECT_GE(size, 9);
  HostStrFree(face);
  lib.fn<LONG(WINAPI*)(HFONT)>("AmbFontFree")(f);
  EXPECT_FALSE(get(nullptr, &face, &size, &flags));
}

TEST_F(Fonts, EnumeratesScreenFamiliesAndNoPrinter) {
  auto fontEnum = lib.fn<LONG(WINAPI*)(LONG, HARRAY, HARRAY)>("AmbFontEnum");
  HARRAY names = HostArrayCreate(HOST_TYPE_STRING, 1), types = HostArrayCreate(HOST_TYPE_NUMBER, 1);
  LONG n = fontEnum(1, names, types);
  ASSERT_GT(n, 0);
  EXPECT_EQ(HostArrayGetUpperBound(names, 1), n - 1);
  EXPECT_EQ(HostArrayGetUpperBound(types, 1), n - 1);
  for (LONG i = 0; i < n; ++i) {
    HSTRING s = 0;
    ASSERT_TRUE(HostArrayGetString(names, i, &s));
    EXPECT_GT(HostStrGetLength(s), 0);
    HostNumber t;
    ASSERT_TRUE(HostArrayGetNumber(types, i, &t));
    double type = HostValueToDouble(t);
    EXPECT_TRUE(type == 1 || type == 2 || type == 4) << type;
  }
  // No printer is configured here: the printer part adds nothing.
  EXPECT_EQ(fontEnum(2, names, types), 0);
  EXPECT_EQ(fontEnum(3, names, types), n);
  HostArrayFree(names);
  HostArrayFree(types);
}

// Arrays declared from 1 (or any index above 0) cannot take index 0: they
// are opened down to 0 first, as the other enumerations of the library do,
// instead of the writes being refused and reported as a lack of memory.
TEST_F(Fonts, EnumerationFillsArraysDeclaredAboveZero) {
  auto fontEnum = lib.fn<LONG(WINAPI*)(LONG, HARRAY, HARRAY)>("AmbFontEnum");
  HARRAY names = HostArrayCreate(HOST_TYPE_STRING, 1), types = HostArrayCreate(HOST_TYPE_NUMBER, 1);
  ASSERT_TRUE(HostArraySetUpperBound(names, 1, 0));
  ASSERT_TRUE(HostArraySetUpperBound(types, 3, 5));
  LONG n = fontEnum(1, names, types);
  ASSERT_GT(n, 0);
  for (HARRAY a : {names, types}) {
    LONG count = 0, lower = -1, upper = 0;
    ASSERT_TRUE(HostArrayGetBounds(a, &count, &lower, &upper));
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, n - 1);
    EXPECT_EQ(count, n);
  }
  HSTRING s = 0;
  ASSERT_TRUE(HostArrayGetString(names, 0, &s));
  EXPECT_GT(HostStrGetLength(s), 0);
  HostArrayFree(names);
  HostArrayFree(types);
}
