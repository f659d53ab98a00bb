#include "datetime.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace hostrt {

namespace {

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

std::string twoDigits(int v) {
  char buf[8];
  snprintf(buf, sizeof buf, "%02d", v % 100);
  return buf;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (tolower((unsigned char)a[i]) != tolower((unsigned char)b[i])) return false;
  return true;
}

// Month 1..12 for a full English month name or its first three letters.
int monthFromName(std::string_view word) {
  for (int m = 0; m < 12; ++m) {
    std::string_view full = kMonthNames[m];
    if (equalsNoCase(word, full) || equalsNoCase(word, full.substr(0, 3))) return m + 1;
  }
  return 0;
}

// A cursor over the text being read as a date.
struct Reader {
  std::string_view s;
  size_t i = 0;
  bool hadTime = false;  // the date form itself carried a time

  bool atEnd() const { return i >= s.size(); }
  char peek() const { return atEnd() ? '\0' : s[i]; }
  bool take(char c) {
    if (peek() != c) return false;
    ++i;
    return true;
  }
  void skipBlanks() {
    while (!atEnd() && (s[i] == ' ' || s[i] == '\t')) ++i;
  }
  // 1..maxLen digits; the count read in *len.
  bool number(int& value, int maxLen, int* len = nullptr) {
    size_t start = i;
    value = 0;
    while (!atEnd() && isdigit((unsigned char)s[i]) && i - start < size_t(maxLen)) value = value * 10 + (s[i++] - '0');
    if (len) *len = int(i - start);
    // a longer run of digits than allowed is no match
    if (i == start || (!atEnd() && isdigit((unsigned char)s[i]))) {
      i = start;
      return false;
    }
    return true;
  }
  std::string_view word() {
    size_t start = i;
    while (!atEnd() && isalpha((unsigned char)s[i])) ++i;
    return s.substr(start, i - start);
  }
};

int windowYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 50 ? 2000 + year : 1900 + year;
}

// Reads "hh:mm[:ss[.f]]" with an optional AM/PM.
bool readClockTime(Reader& r, DateTime& t) {
  r.hadTime = true;
  if (!r.number(t.hour, 2) || !r.take(':') || !r.number(t.minute, 2)) return false;
  if (r.take(':')) {
    if (!r.number(t.second, 2)) return false;
    if (r.take('.')) {
      int len = 0;
      if (!r.number(t.micro, 6, &len)) return false;
      for (; len < 6; ++len) t.micro *= 10;
    }
  }
  size_t before = r.i;
  r.skipBlanks();
  std::string_view w = r.word();
  if (w.empty()) {
    r.i = before;
    return true;
  }
  bool pm = equalsNoCase(w, "PM");
  if (!pm && !equalsNoCase(w, "AM")) return false;
  if (t.hour < 1 || t.hour > 12) return false;
  t.hour = t.hour % 12 + (pm ? 12 : 0);
  return true;
}

// Reads the host's "hh.mm.ss[.f]" time (after "yyyy-MM-dd-").
bool readHostTime(Reader& r, DateTime& t) {
  r.hadTime = true;
  if (!r.number(t.hour, 2) || !r.take('.') || !r.number(t.minute, 2) || !r.take('.') || !r.number(t.second, 2))
    return false;
  if (r.take('.')) {
    int len = 0;
    if (!r.number(t.micro, 6, &len)) return false;
    for (; len < 6; ++len) t.micro *= 10;
  }
  return true;
}

bool readIsoDate(Reader& r, DateTime& t) {
  int len = 0;
  if (!r.number(t.year, 4, &len) || len != 4 || !r.take('-') || !r.number(t.month, 2) || !r.take('-') ||
      !r.number(t.day, 2))
    return false;
  if (r.take('-')) return readHostTime(r, t);
  if (r.take('T')) return readClockTime(r, t);
  return true;
}

bool readNumericDate(Reader& r, DateTime& t) {
  int len = 0;
  if (!r.number(t.day, 2)) return false;
  char sep = r.peek();
  if (sep != '.' && sep != '/' && sep != '-') return false;
  r.take(sep);
  if (!r.number(t.month, 2) || !r.take(sep) || !r.number(t.year, 4, &len)) return false;
  t.year = windowYear(t.year, len);
  return true;
}

bool readNamedDate(Reader& r, DateTime& t) {
  int len = 0;
  if (isdigit((unsigned char)r.peek())) {  // d MMM yyyy
    if (!r.number(t.day, 2)) return false;
    r.skipBlanks();
    t.month = monthFromName(r.word());
    r.take('.');
  } else {  // MMM d[,] yyyy
    t.month = monthFromName(r.word());
    r.take('.');
    r.skipBlanks();
    if (!r.number(t.day, 2)) return false;
    r.take(',');
  }
  if (t.month == 0) return false;
  r.skipBlanks();
  if (!r.number(t.year, 4, &len)) return false;
  t.year = windowYear(t.year, len);
  return true;
}

// A date form, then optionally blanks and a clock time, then the end.
bool readDateThenTime(Reader r, bool (*readDate)(Reader&, DateTime&), DateTime& t) {
  t = DateTime{};
  if (!readDate(r, t)) return false;
  r.skipBlanks();
  if (!r.atEnd() && (r.hadTime || !readClockTime(r, t))) return false;
  r.skipBlanks();
  return r.atEnd();
}

} // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool isValid(const DateTime& t) {
  bool dateOk = t.hasDate() ? (t.year >= 1 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
                               t.day <= daysInMonth(t.year, t.month))
                            : (t.month == 0 && t.day == 0);
  return dateOk && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 &&
         t.second <= 59 && t.micro >= 0 && t.micro <= 999999;
}

std::optional<DateTime> dateFromDecimal(const Decimal& d) {
  if (d.negative) return std::nullopt;
  if (d.exponent > 8) return std::nullopt;
  std::string whole, fraction;
  if (d.exponent > 0) {
    whole = d.digits.substr(0, std::min(d.digits.size(), size_t(d.exponent)));
    whole.append(size_t(d.exponent) - whole.size(), '0');
    if (d.digits.size() > size_t(d.exponent)) fraction = d.digits.substr(size_t(d.exponent));
  } else {
    fraction = std::string(size_t(-d.exponent), '0') + d.digits;
  }
  if (d.isZero()) fraction.clear();
  if (fraction.size() > 12) return std::nullopt;
  fraction.append(12 - fraction.size(), '0');
  long date = whole.empty() ? 0 : std::stol(whole);
  DateTime t;
  t.year = int(date / 10000);
  t.month = int(date / 100 % 100);
  t.day = int(date % 100);
  t.hour = std::stoi(fraction.substr(0, 2));
  t.minute = std::stoi(fraction.substr(2, 2));
  t.second = std::stoi(fraction.substr(4, 2));
  t.micro = std::stoi(fraction.substr(6, 6));
  if (!isValid(t)) return std::nullopt;
  return t;
}

Decimal decimalFromDate(const DateTime& t) {
  char buf[32];
  snprintf(buf, sizeof buf, "%08d%02d%02d%02d%06d", t.year * 10000 + t.month * 100 + t.day, t.hour, t.minute,
           t.second, t.micro);
  return *normalize(false, buf, 8);
}

// Howard Hinnant's days-from-civil, for the proleptic Gregorian calendar.
long long daysFromCivil(int year, int month, int day) {
  long long y = year - (month <= 2);
  long long era = (y >= 0 ? y : y - 399) / 400;
  long long yoe = y - era * 400;
  long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  day = int(doy - (153 * mp + 2) / 5 + 1);
  month = int(mp < 10 ? mp + 3 : mp - 9);
  year = int(yoe + era * 400 + (month <= 2));
}

int weekday(const DateTime& t) {
  long long days = daysFromCivil(t.year, t.month, t.day);  // 1970-01-01 was a Thursday
  return int(((days % 7) + 7 + 5) % 7);
}

std::optional<DateTime> addDays(const DateTime& t, long long days) {
  if (!t.hasDate() || days > 4000000 || days < -4000000) return std::nullopt;
  DateTime r = t;
  civilFromDays(daysFromCivil(t.year, t.month, t.day) + days, r.year, r.month, r.day);
  if (r.year < 1 || r.year > 9999) return std::nullopt;
  return r;
}

std::string formatDate(const DateTime& t, std::string_view picture) {
  if (picture.empty()) picture = kDefaultPicture;
  bool twelveHour = picture.find("AMPM") != std::string_view::npos;
  static const char* const kTokens[] = {"mmmmmm", "yyyy", "MMMM", "hhhh", "AMPM", "MMM", "yy",
                                        "MM",     "dd",   "hh",   "mm",   "ss",   "M",   "d"};
  std::string out;
  char buf[16];
  size_t i = 0;
  while (i < picture.size()) {
    std::string_view token;
    for (const char* candidate : kTokens)
      if (picture.substr(i, strlen(candidate)) == candidate) {
        token = candidate;
        break;
      }
    if (token.empty()) {
      out += picture[i++];
      continue;
    }
    i += token.size();
    if (token == "mmmmmm") {
      snprintf(buf, sizeof buf, "%06d", t.micro);
      out += buf;
    } else if (token == "yyyy") {
      snprintf(buf, sizeof buf, "%04d", t.year);
      out += buf;
    } else if (token == "yy") {
      out += twoDigits(t.year);
    } else if (token == "MMMM") {
      out += t.month ? kMonthNames[t.month - 1] : "";
    } else if (token == "MMM") {
      out += t.month ? std::string(kMonthNames[t.month - 1], 3) : "";
    } else if (token == "MM") {
      out += twoDigits(t.month);
    } else if (token == "M") {
      out += std::to_string(t.month);
    } else if (token == "dd") {
      out += twoDigits(t.day);
    } else if (token == "d") {
      out += std::to_string(t.day);
    } else if (token == "hhhh") {
      out += twoDigits(t.hour);
    } else if (token == "hh") {
      out += twoDigits(twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour);
    } else if (token == "mm") {
      out += twoDigits(t.minute);
    } else if (token == "ss") {
      out += twoDigits(t.second);
    } else if (token == "AMPM") {
      out += t.hour < 12 ? "AM" : "PM";
    }
  }
  return out;
}

std::optional<DateTime> parseDate(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  Reader r{text};
  DateTime t;
  bool read = readDateThenTime(r, readIsoDate, t) || readDateThenTime(r, readNumericDate, t) ||
              readDateThenTime(r, readNamedDate, t);
  if (!read) {
    t = DateTime{};
    Reader timeOnly{text};
    read = readClockTime(timeOnly, t) && (timeOnly.skipBlanks(), timeOnly.atEnd());
  }
  if (!read || !isValid(t)) return std::nullopt;
  return t;
}

} // namespace hostrt
