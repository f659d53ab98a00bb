// Numbers and date/times: conversions as tables of cases, canonical bytes,
// round trips through pictures, bad texts.
#include "hostrt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

HostNumber num(const char* text) {
  HostNumber n{};
  EXPECT_TRUE(HostNumberFromText(&n, text)) << text;
  return n;
}

std::string text(const HostNumber& n) {
  char buf[HOST_NUMBER_TEXT_MAX];
  return HostNumberToText(n, buf, sizeof buf) >= 0 ? buf : "<fail>";
}

std::string bytes(const HostValue& v) {
  std::string s;
  char buf[4];
  for (int i = 0; i <= v.bytes[0] && i < 13; ++i) {
    snprintf(buf, sizeof buf, "%02X", v.bytes[i]);
    s += (i ? " " : "") + std::string(buf);
  }
  return s;
}

HostDate date(const char* text) {
  HostDate d{};
  EXPECT_TRUE(HostDateFromText(&d, text)) << text;
  return d;
}

std::string format(const HostDate& d, const char* picture) {
  char buf[128];
  return HostFormatDateTime(d, picture, buf, sizeof buf) >= 0 ? buf : "<fail>";
}

TEST(Numbers, EncodingIsTheDocumentedCanonicalForm) {
  struct Case { const char* text; const char* bytes; } cases[] = {
      {"5", "02 41 50"},           {"0", "01 00"},         {"-0", "01 00"},
      {"123", "03 43 12 30"},      {"-1", "02 C1 10"},     {"0.25", "02 40 25"},
      {"0.001", "02 3E 10"},       {"1000", "02 44 10"},   {"12345678901234567890123", "0C 57 12 34 56 78 90 12 34 56 78 90 12"},
  };
  for (const auto& c : cases) EXPECT_EQ(bytes(num(c.text)), c.bytes) << c.text;
}

TEST(Numbers, EveryConversionGivesTheSameBytesForTheSameValue) {
  HostNumber fromText = num("5"), fromLong{}, fromULong{}, fromWord{}, fromDouble{}, fromUnsigned{}, fromInt{};
  HostNumberFromLong(&fromLong, 5);
  HostNumberFromULong(&fromULong, 5);
  HostNumberFromWord(&fromWord, 5);
  HostNumberFromDouble(&fromDouble, 5.0);
  HostNumberFromUnsigned(&fromUnsigned, 5);
  HostNumberFromInteger(&fromInt, 5);
  for (const HostNumber* n : {&fromLong, &fromULong, &fromWord, &fromDouble, &fromUnsigned, &fromInt})
    EXPECT_EQ(0, memcmp(n->bytes, fromText.bytes, 13));
  HostNumber tenth{};
  HostNumberFromDouble(&tenth, 0.1);
  EXPECT_EQ(bytes(tenth), bytes(num("0.1")));
  EXPECT_EQ(bytes(num("5.000")), bytes(num("+05")));
  EXPECT_EQ(bytes(num("1e3")), bytes(num("1000")));
}

TEST(Numbers, ConversionWritesOnlyThirteenBytes) {
  unsigned char record[39];
  memset(record, 0xAA, sizeof record);
  HostNumberFromULong(reinterpret_cast<HostNumber*>(record + 26), 0xFFFFFFFF);
  EXPECT_EQ(record[25], 0xAA);
  EXPECT_EQ(record[26], 6);  // 4294967295: 10 digits in 5 bytes after the exponent byte
}

TEST(Numbers, TextRoundTrips) {
  const char* cases[] = {"0", "5", "-5", "0.5", "-0.000123", "123456789012345678901.5", "4294967295",
                         "-2147483648", "1000000", "99999999999999999999.99"};
  for (const char* c : cases) EXPECT_EQ(text(num(c)), c);
}

TEST(Numbers, TextNormalisesAndRounds) {
  struct Case { const char* in; const char* out; } cases[] = {
      {" 12 ", "12"}, {"+1.50", "1.5"}, {".5", "0.5"}, {"5.", "5"}, {"1.5e2", "150"}, {"-2.5E-3", "-0.0025"},
      {"1.2345678901234567890123456", "1.234567890123456789012"},  // 22 digits kept
      {"9999999999999999999999.9", "10000000000000000000000"},     // rounds up a place
      {"1e-70", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(text(num(c.in)), c.out) << c.in;
}

TEST(Numbers, BadTextsAreRefused) {
  const char* cases[] = {"", " ", "-", "+", ".", "1,000", "0x10", "1e", "1e+", "12a", "a12", "1 2", "--1", "1.2.3", "1e64"};
  for (const char* c : cases) {
    HostNumber n;
    memset(&n, 0x55, sizeof n);
    EXPECT_FALSE(HostNumberFromText(&n, c)) << c;
    EXPECT_EQ(n.bytes[0], 0) << c;  // the empty number
    EXPECT_FALSE(HostIsNumberText(c)) << c;
  }
  EXPECT_FALSE(HostNumberFromText(nullptr, "1"));
  HostNumber n{};
  EXPECT_FALSE(HostNumberFromText(&n, nullptr));
  EXPECT_TRUE(HostIsNumberText("-12.5e1"));
}

TEST(Numbers, ToIntegersCutTheFractionAndRespectRanges) {
  struct Case { const char* in; LONG asLong; DWORD asULong; WORD asWord; } cases[] = {
      {"12.9", 12, 12, 12},
      {"-12.9", -12, DWORD(-12), WORD(-12)},
      {"2147483647", 2147483647, 2147483647, 0},
      {"-2147483648", LONG(0x80000000), 0x80000000, 0},
      {"2147483648", 0, 0x80000000, 0},
      {"4294967295", 0, 0xFFFFFFFF, 0},
      {"4294967296", 0, 0, 0},
      {"65535", 65535, 65535, 65535},
      {"-1", -1, 0xFFFFFFFF, 0xFFFF},
      {"-32769", -32769, DWORD(-32769), 0},
      {"0.999", 0, 0, 0},
  };
  for (const auto& c : cases) {
    HostNumber n = num(c.in);
    EXPECT_EQ(HostNumberToLong(n), c.asLong) << c.in;
    EXPECT_EQ(HostNumberToInteger(n), INT(c.asLong)) << c.in;
    EXPECT_EQ(HostNumberToULong(n), c.asULong) << c.in;
    EXPECT_EQ(HostNumberToUnsigned(n), UINT(c.asULong)) << c.in;
    EXPECT_EQ(HostNumberToWord(n), c.asWord) << c.in;
  }
  HostNumber empty{};
  EXPECT_EQ(HostNumberToLong(empty), 0);
}

TEST(Numbers, DoublesInAndOut) {
  HostNumber n{};
  EXPECT_TRUE(HostNumberFromDouble(&n, 3.25));
  EXPECT_EQ(text(n), "3.25");
  EXPECT_DOUBLE_EQ(HostValueToDouble(n), 3.25);
  EXPECT_TRUE(HostNumberFromDouble(&n, 1.0 / 3));
  EXPECT_EQ(text(n), "0.333333333333333");
  EXPECT_FALSE(HostNumberFromDouble(&n, NAN));
  EXPECT_FALSE(HostNumberFromDouble(&n, INFINITY));
  EXPECT_FALSE(HostNumberFromDouble(&n, 1e70));
  EXPECT_EQ(HostValueToDouble(HostNumber{}), 0.0);
  EXPECT_DOUBLE_EQ(HostValueToDouble(num("-1.5e10")), -1.5e10);
}

TEST(Numbers, MalformedBytesAreNoNumber) {
  HostNumber bad{};
  bad.bytes[0] = 2;
  bad.bytes[1] = 0x41;
  bad.bytes[2] = 0xA0;  // a nibble above 9
  char buf[HOST_NUMBER_TEXT_MAX];
  EXPECT_EQ(HostNumberToText(bad, buf, sizeof buf), -1);
  EXPECT_EQ(HostNumberToLong(bad), 0);
  bad.bytes[0] = 200;
  EXPECT_EQ(HostValueToDouble(bad), 0.0);
  EXPECT_EQ(HostNumberToText(num("12345"), buf, 5), -1);  // too small a buffer
  EXPECT_EQ(buf[0], 0);
  EXPECT_EQ(HostNumberToText(num("1"), nullptr, 10), -1);
}

TEST(Dates, MakeAndParts) {
  HostDate d{};
  ASSERT_TRUE(HostDateMake(&d, 2024, 2, 29, 13, 5, 7));
  EXPECT_EQ(HostDateYear(d), 2024);
  EXPECT_EQ(HostDateMonth(d), 2);
  EXPECT_EQ(HostDateDay(d), 29);
  EXPECT_EQ(HostDateHour(d), 13);
  EXPECT_EQ(HostDateMinute(d), 5);
  EXPECT_EQ(HostDateSecond(d), 7);
  EXPECT_EQ(HostDateMicrosecond(d), 0);
  EXPECT_EQ(bytes(d), bytes(num("20240229.130507")));  // the documented value
  struct Bad { int y, mo, d, h, mi, s; } bad[] = {{2023, 2, 29, 0, 0, 0}, {0, 1, 1, 0, 0, 0},   {10000, 1, 1, 0, 0, 0},
                                                  {2024, 13, 1, 0, 0, 0}, {2024, 4, 31, 0, 0, 0}, {2024, 1, 1, 24, 0, 0},
                                                  {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, -1}};
  for (const auto& b : bad) {
    EXPECT_FALSE(HostDateMake(&d, b.y, b.mo, b.d, b.h, b.mi, b.s)) << b.y << "-" << b.mo << "-" << b.d;
    EXPECT_EQ(d.bytes[0], 0);
  }
  EXPECT_EQ(HostDateYear(HostDate{}), -1);
  EXPECT_EQ(HostDateYear(num("20241301")), -1);  // month 13: not a date
}

TEST(Dates, WeekdayCountsFromSaturday) {
  struct Case { const char* text; int weekday; } cases[] = {
      {"2024-01-06", 0}, {"2024-01-07", 1}, {"2024-01-08", 2}, {"2024-01-12", 6},
      {"2000-02-29", 3}, {"1900-01-01", 2}, {"0001-01-01", 2}, {"9999-12-31", 6},
  };
  for (const auto& c : cases) EXPECT_EQ(HostDateWeekday(date(c.text)), c.weekday) << c.text;
  EXPECT_EQ(HostDateWeekday(date("10:00")), -1);
}

TEST(Dates, CompareOrdersInTime) {
  HostDate a = date("2024-01-31 10:00"), b = date("2024-02-01"), c = date("2024-01-31-10.00.00.000001");
  EXPECT_EQ(HostDateCompare(a, b), -1);
  EXPECT_EQ(HostDateCompare(b, a), 1);
  EXPECT_EQ(HostDateCompare(a, a), 0);
  EXPECT_EQ(HostDateCompare(a, c), -1);
  EXPECT_EQ(HostDateCompare(HostDate{}, a), -1);
  EXPECT_EQ(HostDateCompare(HostDate{}, HostDate{}), 0);
  EXPECT_LT(HostValueToDouble(a), HostValueToDouble(b));
}

TEST(Dates, EachPictureReadsBackToTheFieldsItShows) {
  HostDate d = date("2024-01-31-13.05.09.123456");
  struct Case { const char* picture; const char* written; bool fullDate; bool time; } cases[] = {
      {"yyyy-MM-dd-hh.mm.ss.mmmmmm", "2024-01-31-13.05.09.123456", true, true},
      {"dd.MM.yyyy", "31.01.2024", true, false},
      {"MMM d yyyy", "Jan 31 2024", true, false},
      {"MMMM d, yyyy", "January 31, 2024", true, false},
      {"d/M/yy", "31/1/24", true, false},
      {"yyyy-MM-dd hhhh:mm:ss", "2024-01-31 13:05:09", true, true},
      {"hh:mm:ss AMPM", "01:05:09 PM", false, true},
      {"hhhh:mm:ss", "13:05:09", false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format(d, c.picture), c.written) << c.picture;
    HostDate back = date(c.written);
    if (c.fullDate) {
      EXPECT_EQ(HostDateYear(back), 2024) << c.picture;
      EXPECT_EQ(HostDateMonth(back), 1) << c.picture;
      EXPECT_EQ(HostDateDay(back), 31) << c.picture;
    }
    if (c.time) {
      EXPECT_EQ(HostDateHour(back), 13) << c.picture;
      EXPECT_EQ(HostDateSecond(back), 9) << c.picture;
    }
  }
  EXPECT_EQ(HostDateCompare(date(format(d, nullptr).c_str()), d), 0);  // default picture: exact
  EXPECT_EQ(format(d, ""), "2024-01-31-13.05.09.123456");
  EXPECT_EQ(format(date("2024-03-05 00:30"), "hh:mm AMPM d.M."), "12:30 AM 5.3.");
  EXPECT_EQ(format(HostDate{}, "dd.MM.yyyy"), "");
}

TEST(Dates, TextsThatAreNoDatesFail) {
  const char* cases[] = {"",           "   ",          "abc",         "31.02.2024", "2024-13-01", "2024-1-32",
                         "25:00",      "13:00 PM",     "0:10 AM",     "31.01",      "Foo 3 2024", "2024-01-31x",
                         "1.2.2024.5", "12:60",        "2024-01-31-10.00", "2024/01/31", "2024-01-31-10.00.00 11:00"};
  for (const char* c : cases) {
    HostDate d;
    memset(&d, 0x55, sizeof d);
    EXPECT_FALSE(HostDateFromText(&d, c)) << c;
    EXPECT_EQ(d.bytes[0], 0) << c;
  }
}

TEST(Dates, AcceptedForms) {
  struct Case { const char* in; const char* out; } cases[] = {
      {"2024-01-31", "2024-01-31 00:00:00"},      {"2024-1-5", "2024-01-05 00:00:00"},
      {" 2024-01-31T08:30 ", "2024-01-31 08:30:00"}, {"31.1.2024 23:59:59", "2024-01-31 23:59:59"},
      {"5/3/2024", "2024-03-05 00:00:00"},        {"5-3-2024", "2024-03-05 00:00:00"},
      {"31.01.49", "2049-01-31 00:00:00"},        {"31.01.50", "1950-01-31 00:00:00"},
      {"jan 31 2024", "2024-01-31 00:00:00"},     {"31 December 1999", "1999-12-31 00:00:00"},
      {"Feb. 3, 2001 12:00 am", "2001-02-03 00:00:00"}, {"12:00 PM", "0000-00-00 12:00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(format(date(c.in), "yyyy-MM-dd hhhh:mm:ss"), c.out) << c.in;
}

TEST(Dates, NowIsAValidDate) {
  HostDate now{};
  ASSERT_TRUE(HostDateNow(&now));
  EXPECT_GE(HostDateYear(now), 2020);
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_EQ(HostDateDay(now), st.wDay);
  EXPECT_FALSE(HostDateNow(nullptr));
}

TEST(TextMatch, ReturnsTheOffsetOfTheFirstMatch) {
  struct Case { const char* text; const char* pattern; LONG at; } cases[] = {
      {"Hello World", "world", 6}, {"Hello", "h%o", 0},  {"Hello", "l_o", 2},  {"Hello", "xyz", -1},
      {"abc", "", 0},              {"", "%", 0},         {"", "_", -1},        {"50% off", "0\\%", 1},
      {"a_b", "\\_", 1},           {"ab", "%b%", 0},     {"ORDER-17", "-1_", 5}, {"x", "x%%", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(HostTextMatch(c.text, c.pattern), c.at) << c.text << " / " << c.pattern;
  EXPECT_EQ(HostTextMatch(nullptr, "a"), -1);
  EXPECT_EQ(HostTextMatch("a", nullptr), -1);
}

} // namespace
