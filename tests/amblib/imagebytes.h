// Builds small image files for the picture tests.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace amblibtest {

using Bytes = std::vector<unsigned char>;

inline void put16(Bytes& b, size_t at, uint16_t v) { b[at] = uint8_t(v); b[at + 1] = uint8_t(v >> 8); }
inline void put32(Bytes& b, size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i)); }

// A 24-bit .BMP whose pixel (x, y) (top row y = 0) is colour(x, y) as 0xRRGGBB.
inline Bytes makeBmp24(int w, int h, const std::function<uint32_t(int, int)>& colour) {
  size_t stride = (size_t(w) * 3 + 3) / 4 * 4;
  Bytes b(54 + stride * h, 0);
  b[0] = 'B', b[1] = 'M';
  put32(b, 2, uint32_t(b.size()));
  put32(b, 10, 54);
  put32(b, 14, 40);
  put32(b, 18, uint32_t(w));
  put32(b, 22, uint32_t(h));
  put16(b, 26, 1);
  put16(b, 28, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = colour(x, y);
      size_t at = 54 + size_t(h - 1 - y) * stride + size_t(x) * 3;
      b[at] = uint8_t(c), b[at + 1] = uint8_t(c >> 8), b[at + 2] = uint8_t(c >> 16);
    }
  return b;
}

// An .ICO file with one 4-bit image per size (all pixels colour index 1).
inline Bytes makeIco(const std::vector<int>& sizes, uint16_t type = 1) {
  std::vector<Bytes> images;
  for (int s : sizes) {
    size_t stride = (size_t(s) * 4 + 31) / 32 * 4, maskStride = (size_t(s) + 31) / 32 * 4;
    Bytes img(40 + 64 + stride * s + maskStride * s, 0);
    put32(img, 0, 40);
    put32(img, 4, uint32_t(s));
    put32(img, 8, uint32_t(s * 2));
    put16(img, 12, 1);
    put16(img, 14, 4);
    put32(img, 40 + 4, 0x00FF0000);  // colour 1: blue
    for (size_t i = 0; i < stride * s; ++i) img[104 + i] = 0x11;
    images.push_back(img);
  }
  Bytes out(6 + 16 * sizes.size(), 0);
  put16(out, 2, type);
  put16(out, 4, uint16_t(sizes.size()));
  size_t offset = out.size();
  for (size_t i = 0; i < sizes.size(); ++i) {
    size_t e = 6 + 16 * i;
    out[e] = uint8_t(sizes[i]), out[e + 1] = uint8_t(sizes[i]);
    put16(out, e + 4, type == 2 ? 3 : 1);
    put16(out, e + 6, type == 2 ? 5 : 4);
    put32(out, e + 8, uint32_t(images[i].size()));
    put32(out, e + 12, uint32_t(offset));
    offset += images[i].size();
  }
  for (auto& img : images) out.insert(out.end(), img.begin(), img.end());
  return out;
}

} // namespace amblibtest
