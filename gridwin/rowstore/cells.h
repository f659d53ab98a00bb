// Reading the cell encoding of a row buffer. Each cell: optional prefixes
// (0x7F01 + 4-byte colour; 0x7F02..0x7FFF two bytes each), a length word
// (bits 0-14 length, bit 15 modified), the value. A buffer may hold fewer
// cells than the table has columns (columns added later): the missing
// ones read as empty. Every read stays inside the buffer.
#pragma once

#include <cstdint>
#include <cstring>

namespace gridwin {

inline uint16_t readWord(const uint8_t* p) {
  uint16_t w;
  std::memcpy(&w, p, 2);
  return w;
}

inline void writeWord(uint8_t* p, uint16_t w) { std::memcpy(p, &w, 2); }

constexpr uint32_t kNoColor = 0xFFFFFFFF;

struct CellPlace {
  bool present = false;         // false: the buffer ends before this cell
  uint32_t start = 0;           // first byte of the cell (its prefixes)
  uint32_t colorAt = kNoColor;  // offset of the 0x7F01 prefix
  uint32_t lengthAt = 0;
  uint32_t valueAt = 0;
  uint32_t length = 0;
  uint32_t next = 0;            // first byte after the cell
};

// The cell that starts at `pos`.
CellPlace cellAt(const uint8_t* cells, uint32_t size, uint32_t pos);

// Cell `column`. When the buffer ends first, `present` is false, `start`
// is where the missing cells would be appended and *missing says how many
// cells (this one included) must be appended.
CellPlace findCell(const uint8_t* cells, uint32_t size, uint32_t column, uint32_t* missing);

// Calls f(place) for every whole cell of the buffer, in order.
template <class F>
void forEachCell(const uint8_t* cells, uint32_t size, F f) {
  for (CellPlace c = cellAt(cells, size, 0); c.present; c = cellAt(cells, size, c.next)) f(c);
}

}  // namespace gridwin
