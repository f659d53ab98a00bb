#include "png.h"

#include <algorithm>
#include <cstdio>

namespace png {
namespace {

uint32_t crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
  static uint32_t table[256];
  if (!table[1])
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[i] = c;
    }
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  put32(out, uint32_t(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32(out, crc32(&out[start], out.size() - start));
}

// zlib stream of stored blocks (at most 65,535 bytes each) with Adler-32.
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z{0x78, 0x01};
  size_t pos = 0;
  do {
    size_t n = std::min<size_t>(65535, raw.size() - pos);
    bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(uint8_t(n)); z.push_back(uint8_t(n >> 8));
    z.push_back(uint8_t(~n)); z.push_back(uint8_t(~n >> 8));
    z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
  } while (pos < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t c : raw) { a = (a + c) % 65521; b = (b + a) % 65521; }
  put32(z, b << 16 | a);
  return z;
}

} // namespace

std::vector<uint8_t> encode(int width, int height, const std::vector<uint8_t>& rgb) {
  std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  put32(ihdr, uint32_t(width)); put32(ihdr, uint32_t(height));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace
  chunk(out, "IHDR", ihdr);
  std::vector<uint8_t> raw;
  raw.reserve(size_t(height) * (1 + 3 * size_t(width)));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0); // filter: none
    auto row = rgb.begin() + size_t(y) * 3 * width;
    raw.insert(raw.end(), row, row + 3 * width);
  }
  chunk(out, "IDAT", zlibStored(raw));
  chunk(out, "IEND", {});
  return out;
}

bool writeFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
  auto bytes = encode(width, height, rgb);
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return fclose(f) == 0 && ok;
}

} // namespace png
