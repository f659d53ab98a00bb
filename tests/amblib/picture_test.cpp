// Pictures from each source, the extension rules, the mask, and the
// per-window picture and font lists.
#include <gtest/gtest.h>

#include "hostrt.h"
#include "imagebytes.h"
#include "testhost.h"

using namespace amblibtest;

namespace {

class Pictures : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(lib); }
  void* load(WORD flags, const char* file, const char* res = "") {
    return lib.fn<void*(WINAPI*)(WORD, LPCSTR, LPCSTR)>("AmbPicLoad")(flags, file, res);
  }
  LONG free(void* p) { return lib.fn<LONG(WINAPI*)(void*)>("AmbPicFree")(p); }
  LONG kind(void* p) { return lib.fn<LONG(WINAPI*)(void*)>("ProbePictureKind")(p); }
  SIZE size(void* p) {
    LONG s = lib.fn<LONG(WINAPI*)(void*)>("ProbePictureSize")(p);
    return SIZE{LOWORD(s), HIWORD(s)};
  }
  LONG flags(void* p) { return lib.fn<LONG(WINAPI*)(void*)>("ProbePictureFlags")(p); }
  Library lib{"amblib_probe.dll"};
};

// Red frame, blue inside, white top-left corner region 2 x 2.
uint32_t sample(int x, int y) {
  if (x < 2 && y < 2) return 0xFFFFFF;
  if (x == 0 || y == 0 || x == 7 || y == 5) return 0xFF0000;
  return 0x0000FF;
}

} // namespace

TEST_F(Pictures, BitmapFileWithItsMaskByPixels) {
  std::string path = writeTempFile("amb_sample.bmp", makeBmp24(8, 6, sample));
  void* p = load(0x0001, path.c_str());  // the extension supplies the file source
  ASSERT_TRUE(p);
  EXPECT_EQ(kind(p), 1);
  EXPECT_EQ(size(p).cx, 8);
  EXPECT_EQ(size(p).cy, 6);
  EXPECT_EQ(flags(p), 0x0401);
  HBITMAP mask = lib.fn<HBITMAP(WINAPI*)(void*)>("ProbePictureMask")(p);
  HBITMAP image = lib.fn<HBITMAP(WINAPI*)(void*)>("ProbePictureImage")(p);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, image);
  EXPECT_EQ(GetPixel(dc, 5, 3), RGB(0, 0, 0xFF));
  EXPECT_EQ(GetPixel(dc, 0, 5), RGB(0xFF, 0, 0));
  SelectObject(dc, mask);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      bool transparent = sample(x, y) == 0xFFFFFF;
      EXPECT_EQ(GetPixel(dc, x, y), transparent ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x << "," << y;
    }
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_EQ(free(p), 0);
}

TEST_F(Pictures, ExtensionRulesAndSourcesFromFlags) {
  std::string bmp = writeTempFile("amb_plain.BMP", makeBmp24(4, 4, sample));
  std::string data = writeTempFile("amb_plain.dat", makeBmp24(3, 3, sample));
  std::string ico = writeTempFile("amb_two.ico", makeIco({16, 32}));
  std::string cur = writeTempFile("amb_arrow.cur", makeIco({32}, 2));
  struct Case { WORD flags; std::string file; LONG kind; int w; };
  const Case cases[] = {
      {0x1001, bmp, 1, 4},          // ".BMP" adds the file source
      {0x0201, bmp, 1, 4},          // ... and replaces the library source
      {0x0401, data, 1, 3},         // no extension: the flags name source and format
      {0x1002, ico, 2, 16},         // small icon size
      {0x2002, ico, 2, GetSystemMetrics(SM_CXICON)},
      {0x0001, ico, 2, 16},         // ".ICO" means an icon, own size: the first image
      {0x0402, cur, 3, 32},         // a cursor file read as an icon gives a cursor
      {0x0401, cur, 0, 0},          // ... and is no bitmap
  };
  for (const auto& c : cases) {
    void* p = load(c.flags, c.file.c_str());
    if (!c.kind) {
      EXPECT_FALSE(p) << c.file << " " << c.flags;
      if (p) free(p);
      continue;
    }
    ASSERT_TRUE(p) << c.file << " " << c.flags;
    EXPECT_EQ(kind(p), c.kind) << c.file;
    EXPECT_EQ(size(p).cx, c.w) << c.file << " " << c.flags;
    free(p);
  }
}

TEST_F(Pictures, LibraryAndProgramResources) {
  void* plus = load(0x8201, "amblib.dll", "plusdk");
  ASSERT_TRUE(plus);
  EXPECT_EQ(kind(plus), 1);
  EXPECT_EQ(size(plus).cx, 11);
  void* icon = load(0x1202, "amblib_tests.exe", "TESTICON");
  ASSERT_TRUE(icon);
  EXPECT_EQ(kind(icon), 2);
  EXPECT_EQ(size(icon).cx, 16);
  EXPECT_FALSE(load(0x0201, "amblib.dll", "nosuchbitmap"));
  EXPECT_FALSE(load(0x0201, "nosuchlibrary.dll", "plusdk"));
  free(plus);
  free(icon);
}

TEST_F(Pictures, HostResources) {
  Bytes bmp = makeBmp24(5, 5, sample);
  ASSERT_TRUE(HostSetResourceData("AMB_LOGO", bmp.data(), DWORD(bmp.size())));
  Bytes ico = makeIco({32});
  ASSERT_TRUE(HostSetResourceData("AMB_ICON", ico.data(), DWORD(ico.size())));
  struct Case { WORD flags; const char* file; const char* resource; LONG kind; int w; };
  const Case cases[] = {
      {0x0801, "", "AMB_LOGO", 1, 5},
      {0x0801, "AMB_LOGO", "", 1, 5},           // named in the file-name place alone
      {0x0801, "AMB_NOTHING", "AMB_LOGO", 1, 5},  // the resource name decides
      {0x0802, "", "AMB_ICON", 2, 32},
      {0x1802, "", "AMB_ICON", 2, 16},
  };
  for (const auto& c : cases) {
    void* p = load(c.flags, c.file, c.resource);
    ASSERT_TRUE(p) << c.file << "|" << c.resource;
    EXPECT_EQ(kind(p), c.kind) << c.resource;
    EXPECT_EQ(size(p).cx, c.w) << c.resource;
    free(p);
  }
  EXPECT_FALSE(load(0x0801, "", "AMB_NOTHING"));
  EXPECT_FALSE(load(0x0801, "", "AMB_ICON"));  // icon bytes are no bitmap
  HostSetResourceData("AMB_LOGO", nullptr, 0);
  HostSetResourceData("AMB_ICON", nullptr, 0);
}

TEST_F(Pictures, RefusedFilesAndTheMissingFormat) {
  Bytes bmp = makeBmp24(4, 4, sample);
  Bytes cut(bmp.begin(), bmp.end() - 3);
  EXPECT_FALSE(load(0x0001, writeTempFile("amb_cut.bmp", cut).c_str()));
  Bytes big = makeBmp24(150, 150, sample);  // 67,554 bytes: above 65,533
  EXPECT_FALSE(load(0x0001, writeTempFile("amb_big.bmp", big).c_str()));
  EXPECT_FALSE(load(0x0001, "amb_missing_file.bmp"));
  EXPECT_FALSE(load(0x0002, writeTempFile("amb_bmp_as.ico", bmp).c_str()));

  std::string data = writeTempFile("amb_noformat.dat", bmp);
  DebugCapture debug;
  EXPECT_FALSE(load(0x0400, data.c_str()));
  EXPECT_FALSE(load(0x0200, "amblib.dll", "plusdk"));
  EXPECT_EQ(debug.pieces, (std::vector<std::string>{
                              data, " - ", "Unable to load image because no format (PIC_FormatBitmap/PIC_FormatIcon) was specified.", "\n",
                              "plusdk", " - ", "Unable to load image because no format (PIC_FormatBitmap/PIC_FormatIcon) was specified.", "\n"}));
}

TEST_F(Pictures, FreeRefusesNullAndFreedPictures) {
  EXPECT_EQ(free(nullptr), -87);
  void* p = load(0x0201, "amblib.dll", "fdr");
  ASSERT_TRUE(p);
  EXPECT_EQ(free(p), 0);
  EXPECT_EQ(free(p), -87);
}

TEST_F(Pictures, WindowListsAddOnceAndFreeWhatTheLibraryMade) {
  HWND w = makeWindow();
  auto add = lib.fn<void(WINAPI*)(HWND, void*)>("ProbeAddPicture");
  auto count = lib.fn<LONG(WINAPI*)(HWND)>("ProbePicListCount");
  auto isLive = lib.fn<BOOL(WINAPI*)(void*)>("ProbeIsLivePicture");
  void* mine = load(0x8201, "amblib.dll", "fdr");
  void* theirs = load(0x0201, "amblib.dll", "fdropen");
  EXPECT_EQ(count(w), -1);
  add(w, mine);
  add(w, mine);
  add(w, nullptr);
  add(w, theirs);
  EXPECT_EQ(count(w), 2);
  lib.fn<void(WINAPI*)(HWND)>("ProbeFreePicList")(w);
  EXPECT_EQ(count(w), -1);
  EXPECT_FALSE(GetPropA(w, "AK:PicList"));
  EXPECT_FALSE(isLive(mine));
  EXPECT_TRUE(isLive(theirs));
  free(theirs);

  auto addFont = lib.fn<void(WINAPI*)(HWND, HFONT)>("ProbeAddFont");
  auto fontCount = lib.fn<LONG(WINAPI*)(HWND)>("ProbeFontListCount");
  HFONT a = CreateFontA(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HFONT b = CreateFontA(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  addFont(w, a);
  addFont(w, a);
  addFont(w, b);
  EXPECT_EQ(fontCount(w), 2);
  lib.fn<void(WINAPI*)(HWND)>("ProbeFreeFontList")(w);
  EXPECT_EQ(fontCount(w), -1);
  EXPECT_EQ(GetObjectType(a), 0u);
  EXPECT_EQ(GetObjectType(b), 0u);
  DestroyWindow(w);

  // The window's current font stays: the window still draws with it.
  HWND text = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(text);
  HFONT current = CreateFontA(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HFONT other = CreateFontA(-12, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SendMessageA(text, WM_SETFONT, WPARAM(current), FALSE);
  addFont(text, current);
  addFont(text, other);
  lib.fn<void(WINAPI*)(HWND)>("ProbeFreeFontList")(text);
  EXPECT_EQ(fontCount(text), -1);
  EXPECT_EQ(GetObjectType(current), DWORD(OBJ_FONT));
  EXPECT_EQ(GetObjectType(other), 0u);
  DestroyWindow(text);
  DeleteObject(current);
}
