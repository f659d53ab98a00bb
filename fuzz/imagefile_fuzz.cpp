// The picture file parser over any bytes: as a .BMP file, as a bare DIB
// and as an .ICO/.CUR file for several wanted sizes. Whatever it accepts
// must describe bytes that are there, since the system is then handed
// exactly those ranges; every accepted byte is read so that the sanitizer
// sees an overrun. The flag rules of AmbPicLoad get the same bytes as a
// file name.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "imagefile.h"
#include "picturerules.h"

namespace {

volatile uint8_t g_sink;

// Checked in every build (the fuzz build defines NDEBUG).
void require(bool ok) {
  if (!ok) abort();
}

void touch(const uint8_t* p, size_t n) {
  uint8_t x = 0;
  for (size_t i = 0; i < n; ++i) x ^= p[i];
  g_sink = x;
}

uint32_t u32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

void checkDib(const std::optional<amb::image::Dib>& dib, const uint8_t* data, size_t size) {
  if (!dib) return;
  require(dib->width > 0 && dib->width <= amb::image::MaxSide);
  require(dib->height > 0 && dib->height <= amb::image::MaxSide);
  require(dib->info.size() >= 40 && u32(dib->info.data()) == 40);
  // biClrUsed entries of 4 bytes follow the header (and the bit-field masks).
  size_t masks = u32(dib->info.data() + 16) == 3 ? 12 : 0;
  require(dib->info.size() == 40 + masks + size_t(u32(dib->info.data() + 32)) * 4);
  require(dib->bitsOffset <= size && dib->bitsSize <= size - dib->bitsOffset);
  // Uncompressed bits: every row the system reads is there.
  uint32_t compression = u32(dib->info.data() + 16);
  if (compression == 0 || compression == 3) {
    size_t bpp = dib->info[14] | dib->info[15] << 8;
    size_t row = (size_t(dib->width) * bpp + 31) / 32 * 4;
    require(row * size_t(dib->height) <= dib->bitsSize);
  }
  touch(data + dib->bitsOffset, dib->bitsSize);
}

void checkIcon(const std::optional<amb::image::IconImage>& img, const uint8_t* data, size_t size) {
  if (!img) return;
  require(img->offset <= size && img->size <= size - img->offset);
  require(img->width > 0 && img->width <= amb::image::MaxSide);
  require(img->height > 0 && img->height <= amb::image::MaxSide);
  touch(data + img->offset, img->size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  checkDib(amb::image::parseBmpFile(data, size), data, size);
  checkDib(amb::image::parsePackedDib(data, size), data, size);
  for (int want : {0, 16, 32, 48})
    checkIcon(amb::image::pickIconImage(data, size, want, want), data, size);

  if (size >= 2) {
    uint16_t flags = uint16_t(data[0] | data[1] << 8);
    std::string name(reinterpret_cast<const char*>(data + 2), size - 2);
    uint16_t adjusted = amb::pic::applyExtension(flags, name.c_str());
    // The extension may add a source but never takes away a format or size bit.
    require((adjusted & ~amb::pic::SourceMask) == ((adjusted | flags) & ~amb::pic::SourceMask));
    amb::pic::Source source = amb::pic::sourceOf(adjusted);
    (void)amb::pic::formatOf(adjusted, source, name.c_str());
  }
  return 0;
}
