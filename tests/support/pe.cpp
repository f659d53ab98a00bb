#include "pe.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace pe {
namespace {

struct Reader {
  const std::vector<uint8_t>& b;
  bool ok = true;
  uint32_t u32(size_t off) {
    if (off > b.size() || b.size() - off < 4) { ok = false; return 0; }
    return b[off] | b[off + 1] << 8 | b[off + 2] << 16 | uint32_t(b[off + 3]) << 24;
  }
  uint16_t u16(size_t off) {
    if (off > b.size() || b.size() - off < 2) { ok = false; return 0; }
    return uint16_t(b[off] | b[off + 1] << 8);
  }
  std::string str(size_t off) {
    std::string s;
    for (; off < b.size() && b[off]; ++off) s += char(b[off]);
    if (off >= b.size()) ok = false;
    return s;
  }
};

struct Section { uint32_t va, vsize, raw, rawsize; };

struct Layout {
  std::vector<Section> sections;
  // File offset of a relative virtual address, or SIZE_MAX outside every section.
  size_t offset(uint32_t rva) const {
    for (const auto& s : sections) {
      uint32_t size = std::max(s.vsize, s.rawsize);
      if (rva >= s.va && rva - s.va < size && rva - s.va < s.rawsize) return size_t(s.raw) + (rva - s.va);
    }
    return SIZE_MAX;
  }
};

void readExports(Reader& r, const Layout& L, uint32_t rva, Image& img) {
  size_t dir = L.offset(rva);
  if (dir == SIZE_MAX) return;
  uint32_t count = r.u32(dir + 24);
  size_t names = L.offset(r.u32(dir + 32));
  size_t ords = L.offset(r.u32(dir + 36));
  if (count > 65535 || (count && (names == SIZE_MAX || ords == SIZE_MAX))) { r.ok = false; return; }
  uint32_t base = r.u32(dir + 16);
  for (uint32_t i = 0; i < count && r.ok; ++i) {
    size_t nameOff = L.offset(r.u32(names + 4 * i));
    if (nameOff == SIZE_MAX) { r.ok = false; return; }
    img.exportNames.push_back(r.str(nameOff));
    img.exportOrdinals.push_back(uint16_t(base + r.u16(ords + 2 * i)));
  }
}

void readImports(Reader& r, const Layout& L, uint32_t rva, Image& img) {
  size_t desc = L.offset(rva);
  if (desc == SIZE_MAX) return;
  for (int d = 0; d < 4096 && r.ok; ++d, desc += 20) {
    uint32_t lookup = r.u32(desc), nameRva = r.u32(desc + 12), thunks = r.u32(desc + 16);
    if (!lookup && !nameRva && !thunks) return;
    size_t nameOff = L.offset(nameRva);
    size_t entry = L.offset(lookup ? lookup : thunks);
    if (nameOff == SIZE_MAX || entry == SIZE_MAX) { r.ok = false; return; }
    std::string dll = r.str(nameOff);
    for (int i = 0; i < 65536 && r.ok; ++i, entry += 4) {
      uint32_t v = r.u32(entry);
      if (!v) break;
      Import imp{dll, {}, 0};
      if (v & 0x80000000u) {
        imp.ordinal = uint16_t(v);
      } else {
        size_t hint = L.offset(v);
        if (hint == SIZE_MAX) { r.ok = false; return; }
        imp.name = r.str(hint + 2);
      }
      img.imports.push_back(imp);
    }
  }
}

} // namespace

std::optional<Image> parse(const std::vector<uint8_t>& bytes) {
  Reader r{bytes};
  if (r.u16(0) != 0x5A4D) return std::nullopt;
  size_t nt = r.u32(0x3C);
  if (!r.ok || r.u32(nt) != 0x00004550) return std::nullopt;
  uint16_t nsec = r.u16(nt + 6);
  uint16_t optSize = r.u16(nt + 20);
  size_t opt = nt + 24;
  if (!r.ok || r.u16(opt) != 0x10B || optSize < 96 + 16) return std::nullopt;
  uint32_t ndirs = r.u32(opt + 92);
  Layout L;
  size_t sec = opt + optSize;
  for (uint16_t i = 0; i < nsec && r.ok; ++i, sec += 40)
    L.sections.push_back({r.u32(sec + 12), r.u32(sec + 8), r.u32(sec + 20), r.u32(sec + 16)});
  Image img;
  if (ndirs > 0) readExports(r, L, r.u32(opt + 96), img);
  if (ndirs > 1) readImports(r, L, r.u32(opt + 104), img);
  if (!r.ok) return std::nullopt;
  return img;
}

std::optional<Image> parseFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  return parse(bytes);
}

uint16_t ordinalOf(const Image& img, const std::string& name) {
  for (size_t i = 0; i < img.exportNames.size(); ++i)
    if (img.exportNames[i] == name) return img.exportOrdinals[i];
  return 0;
}

} // namespace pe
