// The frame's pure cores: image file parsing, the picture flag rules and
// the timing report.
#include <gtest/gtest.h>

#include "imagebytes.h"
#include "imagefile.h"
#include "picturerules.h"
#include "timing.h"

using namespace amblibtest;
using namespace amb;

TEST(ImageFile, ReadsABmpAndWidensItsHeader) {
  Bytes bmp = makeBmp24(5, 3, [](int, int) { return 0x123456; });
  auto dib = image::parseBmpFile(bmp.data(), bmp.size());
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->width, 5);
  EXPECT_EQ(dib->height, 3);
  EXPECT_EQ(dib->bitsOffset, 54u);
  EXPECT_EQ(dib->bitsSize, 16u * 3);
  EXPECT_EQ(dib->info.size(), 40u);
}

TEST(ImageFile, ReadsAnOldStyleHeaderWithThreeByteColours) {
  // 12-byte header, 1 bit, 2 colours of 3 bytes, 2 x 2 pixels.
  Bytes b(14 + 12 + 6 + 8, 0);
  b[0] = 'B', b[1] = 'M';
  put32(b, 10, 14 + 12 + 6);
  put32(b, 14, 12);
  put16(b, 18, 2), put16(b, 20, 2), put16(b, 22, 1), put16(b, 24, 1);
  b[26 + 3] = 0x11, b[26 + 4] = 0x22, b[26 + 5] = 0x33;
  auto dib = image::parseBmpFile(b.data(), b.size());
  ASSERT_TRUE(dib);
  ASSERT_EQ(dib->info.size(), 40u + 8);
  EXPECT_EQ(dib->info[40 + 4], 0x11);
  EXPECT_EQ(dib->info[40 + 6], 0x33);
  EXPECT_EQ(dib->info[40 + 7], 0);
}

TEST(ImageFile, RefusesMalformedBitmaps) {
  Bytes good = makeBmp24(4, 4, [](int, int) { return 0; });
  struct Case { const char* what; std::function<void(Bytes&)> spoil; };
  const Case cases[] = {
      {"signature", [](Bytes& b) { b[0] = 'X'; }},
      {"truncated pixels", [](Bytes& b) { b.resize(b.size() - 1); }},
      {"bits offset past the end", [](Bytes& b) { put32(b, 10, 100000); }},
      {"bits offset inside the header", [](Bytes& b) { put32(b, 10, 20); }},
      {"header size", [](Bytes& b) { put32(b, 14, 41); }},
      {"zero width", [](Bytes& b) { put32(b, 18, 0); }},
      {"huge height", [](Bytes& b) { put32(b, 22, 100000); }},
      {"bit depth", [](Bytes& b) { put16(b, 28, 7); }},
      {"planes", [](Bytes& b) { put16(b, 26, 2); }},
      {"compression", [](Bytes& b) { put32(b, 30, 4); }},
      {"colours used above the depth", [](Bytes& b) { put16(b, 28, 8); put32(b, 46, 300); }},
      {"only a header", [](Bytes& b) { b.resize(30); }},
  };
  for (const auto& c : cases) {
    Bytes b = good;
    c.spoil(b);
    EXPECT_FALSE(image::parseBmpFile(b.data(), b.size())) << c.what;
  }
  EXPECT_FALSE(image::parseBmpFile(nullptr, 0));
}

TEST(ImageFile, PicksTheIconImageForTheWantedSize) {
  Bytes ico = makeIco({32, 16, 48});
  struct Case { int want; int got; };
  const Case cases[] = {{0, 32}, {16, 16}, {32, 32}, {20, 32}, {64, 48}};
  for (const auto& c : cases) {
    auto img = image::pickIconImage(ico.data(), ico.size(), c.want, c.want);
    ASSERT_TRUE(img) << c.want;
    EXPECT_EQ(img->width, c.got) << c.want;
    EXPECT_EQ(img->height, c.got) << c.want;
    EXPECT_FALSE(img->cursor);
  }
}

TEST(ImageFile, ReadsCursorHotSpotsAndRefusesBrokenIcons) {
  Bytes cur = makeIco({32}, 2);
  auto img = image::pickIconImage(cur.data(), cur.size(), 0, 0);
  ASSERT_TRUE(img);
  EXPECT_TRUE(img->cursor);
  EXPECT_EQ(img->hotX, 3);
  EXPECT_EQ(img->hotY, 5);

  Bytes ico = makeIco({16});
  Bytes shortFile(ico.begin(), ico.end() - 1);
  EXPECT_FALSE(image::pickIconImage(shortFile.data(), shortFile.size(), 0, 0));
  Bytes badType = ico;
  put16(badType, 2, 3);
  EXPECT_FALSE(image::pickIconImage(badType.data(), badType.size(), 0, 0));
  Bytes hugeCount = ico;
  put16(hugeCount, 4, 5000);
  EXPECT_FALSE(image::pickIconImage(hugeCount.data(), hugeCount.size(), 0, 0));
  Bytes badOffset = ico;
  put32(badOffset, 6 + 12, 0xFFFFFFF0);
  EXPECT_FALSE(image::pickIconImage(badOffset.data(), badOffset.size(), 0, 0));
}

TEST(PictureRules, TheExtensionDecidesTheSource) {
  struct Case { uint16_t flags; const char* file; uint16_t result; };
  const Case cases[] = {
      {0x1001, "c:\\pics\\A.BMP", 0x1401},
      {0x0201, "x.bmp", 0x0401},
      {0x0801, "logo.Ico", 0x0403},
      {0x0401, "amblib.dll", 0x0201},
      {0x0802, "TOOLS.EXE", 0x0202},
      {0x0801, "LOGO", 0x0801},
      {0x0401, "dir.bmp\\picture", 0x0401},
      {0x0001, "a.bmpx", 0x0001},
      {0x0002, nullptr, 0x0002},
  };
  for (const auto& c : cases) EXPECT_EQ(pic::applyExtension(c.flags, c.file), c.result) << c.file;
}

TEST(PictureRules, SourceAndFormat) {
  using pic::Format;
  using pic::Source;
  EXPECT_EQ(pic::sourceOf(0x0401), Source::File);
  EXPECT_EQ(pic::sourceOf(0x0201), Source::Module);
  EXPECT_EQ(pic::sourceOf(0x0801), Source::Host);
  EXPECT_EQ(pic::sourceOf(0x1001), Source::None);
  EXPECT_EQ(pic::formatOf(0x0403, Source::File, "a.ico"), Format::Icon);
  EXPECT_EQ(pic::formatOf(0x0403, Source::File, "a.bmp"), Format::Bitmap);
  EXPECT_EQ(pic::formatOf(0x0400, Source::File, "a.dat"), Format::None);
  EXPECT_EQ(pic::formatOf(0x0202, Source::Module, "a.dll"), Format::Icon);
  EXPECT_EQ(pic::formatOf(0x0203, Source::Module, "a.dll"), Format::Bitmap);
}

TEST(Timing, ElapsedTimes) {
  struct Case { uint32_t ms; const char* text; };
  const Case cases[] = {{0, "0:00.00"}, {9, "0:00.00"}, {10, "0:00.01"}, {1234, "0:01.23"},
                        {61500, "1:01.50"}, {3600000, "60:00.00"}};
  for (const auto& c : cases) EXPECT_EQ(timing::formatElapsed(c.ms), c.text) << c.ms;
}

TEST(Timing, ReportLines) {
  std::vector<uint8_t> buf(200);
  size_t used = 0;
  auto mark = [&](uint32_t t, const char* text) {
    timing::writeMark(buf.data() + used, t, text);
    used += timing::markSize(text);
  };
  mark(1000, "");
  mark(1250, "load");
  EXPECT_EQ(timing::report(buf.data(), used, "10:00:00 AM"), "Begin: (10:00:00 AM)\nload 0:00.25\n");
  mark(4000, "draw");
  EXPECT_EQ(timing::report(buf.data(), used, "x"), "Begin: (x)\nload 0:00.25\ndraw 0:02.75\nTotal 0:03.00\n");
  // A cut-off last record is left out.
  EXPECT_EQ(timing::report(buf.data(), used - 2, "x"), "Begin: (x)\nload 0:00.25\n");
}
