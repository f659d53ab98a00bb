// HostNumberAdd: a date plus n days, across months, years and leap days.
#include "hostnum.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string plus(const char* text, LONG days) {
  HostDate d{}, r{};
  EXPECT_TRUE(HostDateFromText(&d, text)) << text;
  if (!HostNumberAdd(&r, d, days)) return "<fail>";
  char buf[64];
  HostFormatDateTime(r, "yyyy-MM-dd hhhh:mm:ss.mmmmmm", buf, sizeof buf);
  return buf;
}

TEST(NumberAdd, AddsDaysKeepingTheTime) {
  struct Case { const char* date; LONG days; const char* expected; } cases[] = {
      {"2024-01-31", 1, "2024-02-01 00:00:00.000000"},
      {"2024-02-28", 1, "2024-02-29 00:00:00.000000"},
      {"2023-02-28", 1, "2023-03-01 00:00:00.000000"},
      {"2024-03-01", -1, "2024-02-29 00:00:00.000000"},
      {"2023-12-31-23.59.59.999999", 1, "2024-01-01 23:59:59.999999"},
      {"2024-01-01", 366, "2025-01-01 00:00:00.000000"},
      {"2024-05-05", 0, "2024-05-05 00:00:00.000000"},
      {"0001-01-02", -1, "0001-01-01 00:00:00.000000"},
      {"0001-01-01", -1, "<fail>"},
      {"9999-12-31", 1, "<fail>"},
      {"2024-01-01", 0x7FFFFFFF, "<fail>"},
  };
  for (const auto& c : cases) EXPECT_EQ(plus(c.date, c.days), c.expected) << c.date << " + " << c.days;
}

TEST(NumberAdd, RefusesWhatIsNoDate) {
  HostDate r{}, time{};
  r.bytes[0] = 9;
  EXPECT_FALSE(HostNumberAdd(&r, HostDate{}, 1));
  EXPECT_EQ(r.bytes[0], 0);
  HostDateFromText(&time, "10:00");
  EXPECT_FALSE(HostNumberAdd(&r, time, 1));
  EXPECT_FALSE(HostNumberAdd(nullptr, time, 1));
}

} // namespace
