// The PE reader takes any bytes: it must never read outside them.
#include "pe.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  if (auto img = pe::parse(bytes)) (void)pe::ordinalOf(*img, "x");
  return 0;
}
