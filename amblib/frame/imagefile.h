// Reading bitmap (.BMP) and icon (.ICO/.CUR) files from memory, without the
// system's image loader. Nothing here trusts a header: every offset, count
// and size is checked against the bytes there are, so a malformed file is
// refused instead of read past its end. No windows.h: this core is fuzzed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace amb::image {

// Pictures are small user-interface images; a header that claims more is
// refused rather than handed to the system to allocate.
constexpr int32_t MaxSide = 4096;

// A device-independent bitmap ready for the system: `info` is a 40-byte
// BITMAPINFOHEADER followed by its colour table (or bit-field masks), with
// an old-style (12-byte) header and 3-byte colour entries already widened;
// the pixel bits are `bitsSize` bytes at `bitsOffset` of the input.
struct Dib {
  std::vector<uint8_t> info;
  size_t bitsOffset = 0;
  size_t bitsSize = 0;
  int32_t width = 0;
  int32_t height = 0;  // rows, always positive
};

// A .BMP file ("BM", file header, DIB). Refused: bad signature, unknown
// header size or compression, bit depths other than 1/4/8/16/24/32, sizes
// above MaxSide, colour tables or pixel data that do not fit.
std::optional<Dib> parseBmpFile(const uint8_t* data, size_t size);

// A DIB without a file header (the bitmap resource format: header, colour
// table, bits), as found in resources.
std::optional<Dib> parsePackedDib(const uint8_t* data, size_t size);

// One image of an icon or cursor file, chosen for a wanted size.
struct IconImage {
  size_t offset = 0;  // of the image (BITMAPINFOHEADER, XOR and AND bits)
  size_t size = 0;
  int32_t width = 0;
  int32_t height = 0;  // of the icon, half the DIB's height
  bool cursor = false;
  uint16_t hotX = 0, hotY = 0;  // cursors only
};

// An .ICO (type 1) or .CUR (type 2) file. With a wanted size of 0 the first
// usable image is taken; otherwise an exact size (the most colours among
// several), else the smallest larger image, else the largest. Images in PNG
// form are skipped (the icon API of older systems cannot make them).
std::optional<IconImage> pickIconImage(const uint8_t* data, size_t size, int32_t wantWidth, int32_t wantHeight);

} // namespace amb::image
