// Line reading over any bytes with a small buffer (refills and growth),
// and name patterns of any shape.
#include "filecore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  std::vector<char> buf(4 + (size ? data[0] % 16 : 0));
  filecore::LineBuffer lb;
  lb.capacity = uint32_t(buf.size());
  filecore::LineIo io;
  io.buffer = buf.data();
  io.readAt = [&](uint32_t off, char* dst, uint32_t n) -> int64_t {
    if (off >= size) return 0;
    uint32_t k = std::min<uint32_t>(n, uint32_t(size - off));
    memcpy(dst, data + off, k);
    return k;
  };
  io.grow = [&](uint32_t cap) -> char* {
    if (cap > 1 << 20) return nullptr;
    buf.resize(cap);
    return buf.data();
  };
  std::string line;
  for (int i = 0; i < 10000 && filecore::readLine(lb, io, line) == 0; ++i) {
  }
  size_t cut = size / 2;
  (void)filecore::targetName(in.substr(0, cut), in.substr(cut));
  (void)filecore::patternFolder(in);
  return 0;
}
