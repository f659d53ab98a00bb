#include "cells.h"

#include "rowstore.h"

namespace gridwin {

CellPlace cellAt(const uint8_t* cells, uint32_t size, uint32_t pos) {
  CellPlace c;
  c.start = pos;
  while (pos + 2 <= size) {
    uint16_t w = readWord(cells + pos);
    if (w == kCellColorPrefix) {
      if (pos + 6 > size) break;
      c.colorAt = pos;
      pos += 6;
    } else if (w > kCellColorPrefix && w <= 0x7FFF) {
      pos += 2;
    } else {
      c.present = true;
      c.lengthAt = pos;
      c.valueAt = pos + 2;
      uint32_t length = w & 0x7FFF;
      // A length running past the buffer is read as what is there.
      c.length = length <= size - c.valueAt ? length : size - c.valueAt;
      c.next = c.valueAt + c.length;
      return c;
    }
  }
  c.colorAt = kNoColor;
  return c;
}

CellPlace findCell(const uint8_t* cells, uint32_t size, uint32_t column, uint32_t* missing) {
  uint32_t pos = 0;
  for (uint32_t i = 0;; ++i) {
    CellPlace c = cellAt(cells, size, pos);
    if (!c.present) {
      c.start = pos;
      *missing = column - i + 1;
      return c;
    }
    if (i == column) {
      *missing = 0;
      return c;
    }
    pos = c.next;
  }
}

}  // namespace gridwin
