#include "timing.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace amb::timing {

size_t markSize(const char* text) { return 4 + std::strlen(text ? text : "") + 1; }

void writeMark(uint8_t* at, uint32_t ticks, const char* text) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(ticks >> (8 * i));
  const char* t = text ? text : "";
  std::memcpy(at + 4, t, std::strlen(t) + 1);
}

std::string formatElapsed(uint32_t ms) {
  long hundredths = long(ms / 10);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%ld:%.2ld.%.2ld", hundredths / 6000, hundredths / 100 % 60, hundredths % 100);
  return buf;
}

std::string report(const uint8_t* marks, size_t used, const std::string& beginTime) {
  struct Mark { uint32_t ticks; std::string text; };
  std::vector<Mark> all;
  for (size_t at = 0; at + 5 <= used;) {
    const uint8_t* p = marks + at;
    const void* end = std::memchr(p + 4, 0, used - at - 4);
    if (!end) break;
    uint32_t ticks = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    all.push_back({ticks, reinterpret_cast<const char*>(p + 4)});
    at = static_cast<const uint8_t*>(end) - marks + 1;
  }
  std::string text = "Begin: (" + beginTime + ")\n";
  for (size_t i = 1; i < all.size(); ++i)
    text += all[i].text + " " + formatElapsed(all[i].ticks - all[i - 1].ticks) + "\n";
  if (all.size() > 2) text += "Total " + formatElapsed(all.back().ticks - all.front().ticks) + "\n";
  return text;
}

} // namespace amb::timing
