// amblib.dll's own resources, as the controls will load them: the bitmaps
// (with the background colour in the top-left pixel, which the masks are
// made from), the split cursors, the logo, and a text for every string id.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testhost.h"

using namespace amblibtest;

TEST(Resources, BitmapsHaveTheirSizeAndBackgroundCorner) {
  Library lib("amblib_probe.dll");  // the same resources, with access to the picture
  ASSERT_TRUE(lib);
  auto load = lib.fn<void*(WINAPI*)(WORD, LPCSTR, LPCSTR)>("AmbPicLoad");
  auto image = lib.fn<HBITMAP(WINAPI*)(void*)>("ProbePictureImage");
  auto size = lib.fn<LONG(WINAPI*)(void*)>("ProbePictureSize");
  struct Bitmap { const char* name; int w, h; };
  const Bitmap bitmaps[] = {
      {"AK_LOGO", 16, 16},  {"plusdk", 11, 11},   {"pluswht", 11, 11},  {"minusdk", 11, 11},  {"minuswht", 11, 11},
      {"fontrtyp", 16, 14}, {"fonprtr", 16, 14},  {"empty", 16, 14},    {"drvflop2", 16, 16}, {"drvhard2", 16, 16},
      {"drvcd3", 16, 16},   {"drvram2", 16, 16},  {"drvnet2", 16, 16},  {"fdr", 16, 16},      {"fdrcur", 16, 16},
      {"fdropen", 16, 16},  {"tblnew", 12, 12},   {"tbledit", 12, 12},  {"tbldel", 12, 12},   {"radon2", 13, 13},
      {"radoff2", 13, 13},  {"IDB_PatternGray", 8, 8},
  };
  HDC dc = CreateCompatibleDC(nullptr);
  for (const auto& b : bitmaps) {
    void* p = load(0x0201, "amblib.dll", b.name);
    ASSERT_TRUE(p) << b.name;
    LONG s = size(p);
    EXPECT_EQ(LOWORD(s), b.w) << b.name;
    EXPECT_EQ(HIWORD(s), b.h) << b.name;
    HGDIOBJ old = SelectObject(dc, image(p));
    if (std::string(b.name) != "IDB_PatternGray") {
      EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0xC0, 0xC0, 0xC0)) << b.name;
      // A drawing, not only background ("empty" is the blank slot).
      bool drawn = std::string(b.name) == "empty";
      for (int y = 0; y < b.h && !drawn; ++y)
        for (int x = 0; x < b.w && !drawn; ++x) drawn = GetPixel(dc, x, y) != RGB(0xC0, 0xC0, 0xC0);
      EXPECT_TRUE(drawn) << b.name;
    } else {
      EXPECT_NE(GetPixel(dc, 0, 0), GetPixel(dc, 1, 0));  // a checkerboard
      EXPECT_EQ(GetPixel(dc, 0, 0), GetPixel(dc, 1, 1));
    }
    SelectObject(dc, old);
    lib.fn<LONG(WINAPI*)(void*)>("AmbPicFree")(p);
  }
  DeleteDC(dc);
}

TEST(Resources, SplitCursorsAndStrings) {
  Library lib("amblib.dll");
  ASSERT_TRUE(lib);
  for (const char* name : {"IDC_HSplit", "IDC_VSplit"}) {
    HCURSOR c = LoadCursorA(lib.module(), name);
    ASSERT_TRUE(c) << name;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(c, &info)) << name;
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 15u) << name;  // the middle of 32 x 32
    EXPECT_EQ(info.yHotspot, 15u) << name;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
  auto text = [&](UINT id) {
    char buf[512] = "";
    LoadStringA(lib.module(), id, buf, sizeof buf);
    return std::string(buf);
  };
  std::vector<UINT> ids = {1, 2, 3, 48, 51, 80};
  for (UINT id = 16; id <= 27; ++id) ids.push_back(id);
  for (UINT id = 32; id <= 38; ++id) ids.push_back(id);
  for (UINT id = 128; id <= 197; ++id) ids.push_back(id);
  for (UINT id : ids) EXPECT_FALSE(text(id).empty()) << id;
  EXPECT_EQ(text(16), "January");
  EXPECT_EQ(text(38), "Saturday");
  EXPECT_EQ(text(80), "Other Color...");
  EXPECT_EQ(text(3), " Properties...");
}
