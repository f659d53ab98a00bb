// Cursor handle numbers: the low 16 bits of the open handles all differ
// (callers key tables on the low half), and a closed handle's low half
// comes back only after the other 65,534 values have been handed out.
// Pure logic: no windows.h.
#pragma once
#include <cstdint>
#include <set>

namespace dbc {

class HandleNumbers {
public:
  // A new handle, or 0 when all 65,535 low halves are open.
  uint32_t take();
  void give(uint32_t handle);

private:
  uint32_t next_ = 0x00010001;
  std::set<uint16_t> open_;
};

} // namespace dbc
