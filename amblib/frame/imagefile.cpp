#include "imagefile.h"

#include <cstring>

namespace amb::image {
namespace {

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
int32_t i32(const uint8_t* p) { return int32_t(u32(p)); }

void put16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
void put32(uint8_t* p, uint32_t v) { for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i)); }

enum : uint32_t { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3 };

size_t rowBytes(int64_t width, int bpp) { return size_t(((width * bpp + 31) / 32) * 4); }

struct Header {
  size_t headerSize = 0;
  int32_t width = 0, height = 0;  // height as stored (negative = top-down)
  int bpp = 0;
  uint32_t compression = BiRgb;
  uint32_t sizeImage = 0;
  uint32_t colorsUsed = 0;
  bool core = false;
};

std::optional<Header> readHeader(const uint8_t* p, size_t avail) {
  if (avail < 4) return std::nullopt;
  Header h;
  h.headerSize = u32(p);
  if (h.headerSize == 12) {
    if (avail < 12) return std::nullopt;
    h.core = true;
    h.width = u16(p + 4);
    h.height = u16(p + 6);
    if (u16(p + 8) != 1) return std::nullopt;
    h.bpp = u16(p + 10);
  } else if (h.headerSize == 40 || h.headerSize == 52 || h.headerSize == 56 || h.headerSize == 108 ||
             h.headerSize == 124) {
    if (avail < h.headerSize) return std::nullopt;
    h.width = i32(p + 4);
    h.height = i32(p + 8);
    if (u16(p + 12) != 1) return std::nullopt;
    h.bpp = u16(p + 14);
    h.compression = u32(p + 16);
    h.sizeImage = u32(p + 20);
    h.colorsUsed = u32(p + 32);
  } else {
    return std::nullopt;
  }
  if (h.width <= 0 || h.width > MaxSide || h.height == 0 || h.height < -MaxSide || h.height > MaxSide)
    return std::nullopt;
  switch (h.bpp) {
  case 1: case 4: case 8: case 24:
    break;
  case 16: case 32:
    if (h.core) return std::nullopt;
    break;
  default:
    return std::nullopt;
  }
  switch (h.compression) {
  case BiRgb: break;
  case BiRle8: if (h.bpp != 8 || h.height < 0) return std::nullopt; break;
  case BiRle4: if (h.bpp != 4 || h.height < 0) return std::nullopt; break;
  case BiBitfields: if (h.bpp != 16 && h.bpp != 32) return std::nullopt; break;
  default: return std::nullopt;
  }
  return h;
}

// Number of colour-table entries after the header (bit-field masks aside).
std::optional<size_t> tableEntries(const Header& h) {
  if (h.bpp <= 8) {
    size_t full = size_t(1) << h.bpp;
    if (h.colorsUsed > full) return std::nullopt;
    return h.colorsUsed ? h.colorsUsed : full;
  }
  if (h.colorsUsed > 256) return std::nullopt;
  return size_t(h.colorsUsed);
}

// Builds the normalised DIB for a header at `p` whose pixel bits start at
// `bitsOffset` of the whole input (`base`, `size`).
std::optional<Dib> makeDib(const uint8_t* base, size_t size, size_t headerOffset, std::optional<size_t> bitsAt) {
  const uint8_t* p = base + headerOffset;
  size_t avail = size - headerOffset;
  auto h = readHeader(p, avail);
  if (!h) return std::nullopt;
  auto entries = tableEntries(*h);
  if (!entries) return std::nullopt;

  // Bit-field masks follow a 40-byte header; bigger headers hold them
  // (and are at least 52 bytes, so p + 40 .. p + 52 is inside the header).
  size_t masks = (h->compression == BiBitfields && h->headerSize == 40) ? 12 : 0;
  size_t entrySize = h->core ? 3 : 4;
  size_t tableSize = *entries * entrySize + masks;
  if (tableSize > avail - h->headerSize) return std::nullopt;

  size_t bitsOffset = bitsAt ? *bitsAt : headerOffset + h->headerSize + tableSize;
  if (bitsOffset < headerOffset + h->headerSize + tableSize || bitsOffset > size) return std::nullopt;
  size_t bitsAvail = size - bitsOffset;
  int32_t rows = h->height < 0 ? -h->height : h->height;
  size_t bitsSize;
  if (h->compression == BiRle4 || h->compression == BiRle8) {
    if (h->sizeImage == 0 || h->sizeImage > bitsAvail) return std::nullopt;
    bitsSize = h->sizeImage;
  } else {
    bitsSize = rowBytes(h->width, h->bpp) * size_t(rows);
    if (bitsSize > bitsAvail) return std::nullopt;
  }

  Dib dib;
  dib.width = h->width;
  dib.height = rows;
  dib.bitsOffset = bitsOffset;
  dib.bitsSize = bitsSize;
  size_t maskBytes = h->compression == BiBitfields ? 12 : 0;
  dib.info.assign(40 + maskBytes + *entries * 4, 0);
  uint8_t* out = dib.info.data();
  put32(out, 40);
  put32(out + 4, uint32_t(h->width));
  put32(out + 8, uint32_t(h->height));
  put16(out + 12, 1);
  put16(out + 14, uint16_t(h->bpp));
  put32(out + 16, h->compression);
  put32(out + 20, h->compression == BiRle4 || h->compression == BiRle8 ? uint32_t(bitsSize) : 0);
  put32(out + 32, uint32_t(*entries));
  // Bit-field masks sit after a 40-byte header, inside a bigger one.
  if (maskBytes) std::memcpy(out + 40, p + 40, 12);
  const uint8_t* table = p + h->headerSize + masks;
  uint8_t* colours = out + 40 + maskBytes;
  for (size_t i = 0; i < *entries; ++i) std::memcpy(colours + 4 * i, table + entrySize * i, 3);
  return dib;
}

bool isPng(const uint8_t* p, size_t n) {
  static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return n >= 8 && std::memcmp(p, sig, 8) == 0;
}

// Checks one icon image (DIB of double height: XOR bits then AND bits) and
// returns its size, or nothing when it is not usable.
std::optional<IconImage> checkIconImage(const uint8_t* data, size_t size, size_t offset, size_t bytes) {
  if (offset > size || bytes > size - offset || isPng(data + offset, bytes)) return std::nullopt;
  const uint8_t* p = data + offset;
  if (bytes < 40 || u32(p) != 40) return std::nullopt;
  auto h = readHeader(p, bytes);
  if (!h || h->compression != BiRgb || h->height <= 0 || h->height % 2) return std::nullopt;
  auto entries = tableEntries(*h);
  if (!entries) return std::nullopt;
  int32_t rows = h->height / 2;
  uint64_t need = 40 + uint64_t(*entries) * 4 + uint64_t(rowBytes(h->width, h->bpp)) * rows +
                  uint64_t(rowBytes(h->width, 1)) * rows;
  if (need > bytes) return std::nullopt;
  IconImage img;
  img.offset = offset;
  img.size = bytes;
  img.width = h->width;
  img.height = rows;
  return img;
}

} // namespace

std::optional<Dib> parseBmpFile(const uint8_t* data, size_t size) {
  if (!data || size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
  return makeDib(data, size, 14, size_t(u32(data + 10)));
}

std::optional<Dib> parsePackedDib(const uint8_t* data, size_t size) {
  if (!data || size < 12) return std::nullopt;
  return makeDib(data, size, 0, std::nullopt);
}

std::optional<IconImage> pickIconImage(const uint8_t* data, size_t size, int32_t wantWidth, int32_t wantHeight) {
  if (!data || size < 6 || u16(data) != 0) return std::nullopt;
  uint16_t type = u16(data + 2), count = u16(data + 4);
  if ((type != 1 && type != 2) || count == 0 || 6 + size_t(count) * 16 > size) return std::nullopt;

  std::optional<IconImage> best;
  int bestBpp = 0;
  auto better = [&](const IconImage& c, int bpp) {
    if (!best) return true;
    if (wantWidth <= 0 || wantHeight <= 0) return false;  // first usable image wins
    auto exact = [&](const IconImage& i) { return i.width == wantWidth && i.height == wantHeight; };
    auto larger = [&](const IconImage& i) { return i.width >= wantWidth && i.height >= wantHeight; };
    if (exact(c) != exact(*best)) return exact(c);
    if (exact(c)) return bpp > bestBpp;
    if (larger(c) != larger(*best)) return larger(c);
    if (larger(c)) return c.width * c.height < best->width * best->height;
    return c.width * c.height > best->width * best->height;
  };
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + size_t(i) * 16;
    auto img = checkIconImage(data, size, u32(e + 12), u32(e + 8));
    if (!img) continue;
    int bpp = u16(data + img->offset + 14);
    img->cursor = type == 2;
    if (img->cursor) {
      img->hotX = u16(e + 4);
      img->hotY = u16(e + 6);
    }
    if (better(*img, bpp)) {
      best = img;
      bestBpp = bpp;
    }
  }
  return best;
}

} // namespace amb::image
