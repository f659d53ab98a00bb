// Host date/times: a host number whose value is yyyymmdd.hhmmssffffff.
// Fields, calendar arithmetic, picture formatting and the text reader.
// Pure C++ (no windows.h).
#pragma once
#include "decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace hostrt {

struct DateTime {
  int year = 0, month = 0, day = 0;  // all 0: a time of day without date
  int hour = 0, minute = 0, second = 0, micro = 0;

  bool hasDate() const { return year != 0; }
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValid(const DateTime& t);

// Empty optional for numbers that are no valid date/time.
std::optional<DateTime> dateFromDecimal(const Decimal& d);
Decimal decimalFromDate(const DateTime& t);  // t must be valid

// Days since 1970-01-01 of a date, and back.
long long daysFromCivil(int year, int month, int day);
void civilFromDays(long long days, int& year, int& month, int& day);
// 0 = Saturday ... 6 = Friday.
int weekday(const DateTime& t);
// The same time n days later; empty when the year leaves 1..9999 or t has
// no date.
std::optional<DateTime> addDays(const DateTime& t, long long days);

constexpr const char* kDefaultPicture = "yyyy-MM-dd-hh.mm.ss.mmmmmm";
std::string formatDate(const DateTime& t, std::string_view picture);
std::optional<DateTime> parseDate(std::string_view text);

} // namespace hostrt
