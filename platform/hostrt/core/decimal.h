// The host's 13-byte decimal number, as a value type. Pure C++ (no
// windows.h), shared by hostrt.dll, hostnum.dll and the fuzzers.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hostrt {

using ValueBytes = std::array<uint8_t, 13>;

// value = (negative ? -1 : 1) * 0.digits * 10^exponent; digits has no
// leading and no trailing '0'; zero has no digits.
struct Decimal {
  bool negative = false;
  int exponent = 0;
  std::string digits;

  bool isZero() const { return digits.empty(); }
};

constexpr int kMaxDigits = 22;
constexpr int kMinExponent = -64;
constexpr int kMaxExponent = 63;

// Brings any (sign, digit string, exponent) into canonical form: strips
// zeros, rounds to kMaxDigits (half away from zero), flushes tiny values to
// zero. Empty optional when the value is too large.
std::optional<Decimal> normalize(bool negative, std::string digits, long long exponent);

std::optional<Decimal> decimalFromText(std::string_view text);
Decimal decimalFromInt(long long value);
std::optional<Decimal> decimalFromDouble(double value);

// Empty optional for the empty value (n = 0) and for bytes that are not a
// canonical number.
std::optional<Decimal> decode(const uint8_t* bytes);
ValueBytes encode(const Decimal& d);
ValueBytes emptyValue();

std::string toText(const Decimal& d);
double toDouble(const Decimal& d);
// The integer part (cut towards zero), when it fits in 64 bits.
std::optional<long long> toInteger(const Decimal& d);
int compare(const Decimal& a, const Decimal& b);

} // namespace hostrt
