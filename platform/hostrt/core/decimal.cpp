#include "decimal.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace hostrt {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Adds one unit in the last place of a digit string; true when it carried
// out of the first digit (the string is then all zeros).
bool roundUp(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

} // namespace

std::optional<Decimal> normalize(bool negative, std::string digits, long long exponent) {
  size_t lead = digits.find_first_not_of('0');
  if (lead == std::string::npos) return Decimal{};
  digits.erase(0, lead);
  exponent -= (long long)lead;
  if (digits.size() > size_t(kMaxDigits)) {
    bool up = digits[kMaxDigits] >= '5';
    digits.resize(kMaxDigits);
    if (up && roundUp(digits)) {
      digits.insert(digits.begin(), '1');
      digits.resize(kMaxDigits);
      ++exponent;
    }
  }
  digits.erase(digits.find_last_not_of('0') + 1);
  if (exponent > kMaxExponent) return std::nullopt;
  if (exponent < kMinExponent) return Decimal{};
  return Decimal{negative, int(exponent), std::move(digits)};
}

std::optional<Decimal> decimalFromText(std::string_view text) {
  size_t i = 0, n = text.size();
  while (i < n && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string digits;
  long long pointAt = -1;
  for (; i < n; ++i) {
    if (isDigit(text[i])) {
      digits += text[i];
    } else if (text[i] == '.' && pointAt < 0) {
      pointAt = (long long)digits.size();
    } else {
      break;
    }
  }
  if (digits.empty()) return std::nullopt;
  if (pointAt < 0) pointAt = (long long)digits.size();
  long long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) expNegative = text[i++] == '-';
    size_t start = i;
    for (; i < n && isDigit(text[i]); ++i)
      if (exponent < 100000000) exponent = exponent * 10 + (text[i] - '0');
    if (i == start) return std::nullopt;
    if (expNegative) exponent = -exponent;
  }
  while (i < n && isBlank(text[i])) ++i;
  if (i != n) return std::nullopt;
  return normalize(negative, std::move(digits), pointAt + exponent);
}

Decimal decimalFromInt(long long value) {
  bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ULL - (unsigned long long)value : (unsigned long long)value;
  std::string digits = std::to_string(magnitude);
  long long exponent = (long long)digits.size();
  return *normalize(negative, std::move(digits), exponent);
}

std::optional<Decimal> decimalFromDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buf[64];
  snprintf(buf, sizeof buf, "%.14e", value);  // 15 significant digits
  return decimalFromText(buf);
}

std::optional<Decimal> decode(const uint8_t* b) {
  int n = b[0];
  if (n == 0 || n > 12) return std::nullopt;
  if (n == 1) {
    if (b[1] != 0) return std::nullopt;
    return Decimal{};
  }
  Decimal d;
  d.negative = (b[1] & 0x80) != 0;
  d.exponent = int(b[1] & 0x7F) - 64;
  for (int k = 2; k <= n; ++k) {
    int hi = b[k] >> 4, lo = b[k] & 0x0F;
    if (hi > 9 || lo > 9) return std::nullopt;
    d.digits += char('0' + hi);
    d.digits += char('0' + lo);
  }
  if (d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.front() == '0' || d.digits.back() == '0') return std::nullopt;
  return d;
}

ValueBytes encode(const Decimal& d) {
  ValueBytes b{};
  if (d.isZero()) {
    b[0] = 1;
    return b;
  }
  b[1] = uint8_t((d.negative ? 0x80 : 0) | (d.exponent + 64));
  size_t count = d.digits.size();
  for (size_t k = 0; k < count; ++k) {
    uint8_t digit = uint8_t(d.digits[k] - '0');
    b[2 + k / 2] |= (k % 2 == 0) ? uint8_t(digit << 4) : digit;
  }
  b[0] = uint8_t(1 + (count + 1) / 2);
  return b;
}

ValueBytes emptyValue() { return ValueBytes{}; }

std::string toText(const Decimal& d) {
  if (d.isZero()) return "0";
  std::string s = d.negative ? "-" : "";
  int len = int(d.digits.size());
  if (d.exponent <= 0) {
    s += "0.";
    s.append(size_t(-d.exponent), '0');
    s += d.digits;
  } else if (d.exponent >= len) {
    s += d.digits;
    s.append(size_t(d.exponent - len), '0');
  } else {
    s += d.digits.substr(0, size_t(d.exponent));
    s += '.';
    s += d.digits.substr(size_t(d.exponent));
  }
  return s;
}

double toDouble(const Decimal& d) {
  if (d.isZero()) return 0.0;
  std::string s = std::string(d.negative ? "-" : "") + "0." + d.digits + "e" + std::to_string(d.exponent);
  return strtod(s.c_str(), nullptr);
}

std::optional<long long> toInteger(const Decimal& d) {
  if (d.exponent <= 0) return 0LL;
  if (d.exponent > 19) return std::nullopt;
  std::string whole = d.digits.substr(0, size_t(d.exponent));
  whole.append(size_t(d.exponent) - whole.size(), '0');
  unsigned long long magnitude = 0;
  for (char c : whole) {
    unsigned long long next = magnitude * 10 + unsigned(c - '0');
    if (next / 10 != magnitude) return std::nullopt;
    magnitude = next;
  }
  if (!d.negative && magnitude > 0x7FFFFFFFFFFFFFFFULL) return std::nullopt;
  if (d.negative && magnitude > 0x8000000000000000ULL) return std::nullopt;
  return d.negative ? (long long)(0ULL - magnitude) : (long long)magnitude;
}

int compare(const Decimal& a, const Decimal& b) {
  int signA = a.isZero() ? 0 : (a.negative ? -1 : 1);
  int signB = b.isZero() ? 0 : (b.negative ? -1 : 1);
  if (signA != signB) return signA < signB ? -1 : 1;
  if (signA == 0) return 0;
  int magnitude;
  if (a.exponent != b.exponent) {
    magnitude = a.exponent < b.exponent ? -1 : 1;
  } else {
    int c = a.digits.compare(b.digits);
    magnitude = c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  return signA < 0 ? -magnitude : magnitude;
}

} // namespace hostrt
