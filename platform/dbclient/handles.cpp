#include "handles.h"

namespace dbc {

uint32_t HandleNumbers::take() {
  if (open_.size() >= 0xFFFF) return 0;
  for (;;) {
    uint32_t candidate = next_++;
    uint16_t low = uint16_t(candidate);
    // 0 and 0xFFFFFFFF are never handles.
    if (low == 0 || candidate == 0xFFFFFFFFu || open_.count(low)) continue;
    open_.insert(low);
    return candidate;
  }
}

void HandleNumbers::give(uint32_t handle) { open_.erase(uint16_t(handle)); }

} // namespace dbc
