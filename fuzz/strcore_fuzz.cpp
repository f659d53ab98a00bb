// The string functions take application text of any shape: templates with
// stray braces and percent signs, tables without end marks.
#include "strcore.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  size_t cut = size ? data[0] % (size + 1) : 0;
  std::string_view a = in.substr(0, cut), b = in.substr(cut);
  strcore::ExpandSource src;
  src.lower = cut % 3;
  src.count = int32_t(cut % 5);
  src.number = [](int32_t i) { return long(i) * 7; };
  src.string = [b](int32_t i) { return std::string(b.substr(0, size_t(i) % 4)); };
  (void)strcore::expand(a, src);
  (void)strcore::substitute(a, b.substr(0, 3), b);
  (void)strcore::proper(in);
  (void)strcore::scanReverse(a, int32_t(cut) - 2, b.substr(0, 2));
  (void)strcore::pad(a, int32_t(cut) - 1);
  (void)strcore::trim(in);
  auto table = strcore::buildTable(a);
  (void)strcore::findInTable(table.data(), table.size(), b.substr(0, 4));
  (void)strcore::findInTable(in.data(), in.size(), b.substr(0, 2));
  return 0;
}
