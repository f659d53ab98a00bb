// What the profile file and the client may hand dbcaps is arbitrary text:
// detection, overrides and column type fields must take any of it without
// reading or writing outside their records.
#include "core/brands.h"
#include "core/detect.h"
#include "core/profile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace dbcaps;

namespace {

// Splits the input at NUL bytes into up to four texts.
struct Pieces {
  std::string_view part[4];
  explicit Pieces(std::string_view data) {
    for (auto& p : part) {
      size_t end = data.find('\0');
      p = data.substr(0, end);
      data = end == std::string_view::npos ? std::string_view() : data.substr(end + 1);
    }
  }
};

const KeyNames& names() {
  static const KeyNames n = [] {
    KeyNames k;
    for (int i = 0; i < kFlagCount; ++i) k.flags[i] = "flag " + std::to_string(i);
    for (int i = 0; i < kNumberCount; ++i) k.numbers[i] = "number " + std::to_string(i);
    for (int i = 0; i < kStringCount; ++i) k.strings[i] = "string " + std::to_string(i);
    return k;
  }();
  return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  Pieces p(input);
  (void)brandFromServerType(p.part[0]);
  int brand = brandFromOdbc(p.part[0], p.part[1], p.part[2]);
  (void)serverSectionName(p.part[0], p.part[2], p.part[1]);

  Capabilities caps{};
  if (const BrandRecord* b = findBrand(brand)) loadCapabilityRow(b->row, caps);
  (void)applyOverride(caps, names(), p.part[0], p.part[1]);
  (void)parseDecimal(p.part[3]);
  (void)boundedColumnTypeCount(parseDecimal(p.part[3]));

  ColumnType record{};
  for (int f = 0; f < kColumnFieldCount; ++f) {
    setColumnField(record, f, p.part[f % 4]);
    (void)columnFieldText(record, f);
  }
  (void)catalogTypeMatches(record, p.part[1]);
  (void)columnNameMatches(record, p.part[2]);
  DriverType type{std::string(p.part[0]), parseDecimal(p.part[1]), parseDecimal(p.part[2]), std::string(p.part[3]),
                  int(size % 3), int(size % 4), parseDecimal(p.part[3])};
  (void)columnTypeFromDriver(type);
  (void)isDumpPassword(p.part[3].substr(0, 66));
  return 0;
}
