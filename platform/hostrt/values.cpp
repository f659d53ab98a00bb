// Host numbers and date/times: conversions, parts, formatting, reading.
#include "core/datetime.h"
#include "core/textmatch.h"
#include "runtime.h"

#include <climits>

namespace hostrt {

bool storeValue(HostValue* out, const ValueBytes& bytes) {
  if (!out) return false;
  memcpy(out->bytes, bytes.data(), bytes.size());  // the 13 value bytes only
  return bytes[0] != 0;
}

namespace {

BOOL storeDecimal(HostValue* out, const std::optional<Decimal>& d) {
  return storeValue(out, d ? encode(*d) : emptyValue()) ? TRUE : FALSE;
}

BOOL storeDate(HostValue* out, const std::optional<DateTime>& t) {
  return storeValue(out, t ? encode(decimalFromDate(*t)) : emptyValue()) ? TRUE : FALSE;
}

std::optional<Decimal> decodeValue(const HostValue& v) { return decode(valueBytes(v).data()); }

std::optional<DateTime> decodeDate(const HostValue& v) {
  auto d = decodeValue(v);
  return d ? dateFromDecimal(*d) : std::nullopt;
}

// The integer part when it lies in [low, high], else 0.
long long integerIn(const HostValue& v, long long low, long long high) {
  auto d = decodeValue(v);
  if (!d) return 0;
  auto whole = toInteger(*d);
  return whole && *whole >= low && *whole <= high ? *whole : 0;
}

template <class Part> INT datePart(const HostValue& v, Part part) {
  return guarded<INT>(-1, [&] {
    auto t = decodeDate(v);
    return t ? INT(part(*t)) : -1;
  });
}

// Writes a text into a caller's buffer only when it fits whole.
LONG copyWhole(const std::string& text, LPSTR buffer, LONG size) {
  if (!buffer || size <= 0) return -1;
  if (LONG(text.size()) >= size) {
    buffer[0] = 0;
    return -1;
  }
  memcpy(buffer, text.c_str(), text.size() + 1);
  return LONG(text.size());
}

} // namespace
} // namespace hostrt

using namespace hostrt;

extern "C" {

BOOL HOSTAPI HostNumberFromLong(HostNumber* out, LONG value) {
  return guarded<BOOL>(FALSE, [&] { return storeDecimal(out, decimalFromInt(value)); });
}
BOOL HOSTAPI HostNumberFromULong(HostNumber* out, DWORD value) {
  return guarded<BOOL>(FALSE, [&] { return storeDecimal(out, decimalFromInt(value)); });
}
BOOL HOSTAPI HostNumberFromUnsigned(HostNumber* out, UINT value) {
  return guarded<BOOL>(FALSE, [&] { return storeDecimal(out, decimalFromInt(value)); });
}
BOOL HOSTAPI HostNumberFromInteger(HostNumber* out, INT value) {
  return guarded<BOOL>(FALSE, [&] { return storeDecimal(out, decimalFromInt(value)); });
}
BOOL HOSTAPI HostNumberFromWord(HostNumber* out, WORD value) {
  return guarded<BOOL>(FALSE, [&] { return storeDecimal(out, decimalFromInt(value)); });
}
BOOL HOSTAPI HostNumberFromDouble(HostNumber* out, double value) {
  return guarded<BOOL>(FALSE, [&] { return storeDecimal(out, decimalFromDouble(value)); });
}
BOOL HOSTAPI HostNumberFromText(HostNumber* out, LPCSTR text) {
  return guarded<BOOL>(FALSE, [&] { return storeDecimal(out, text ? decimalFromText(text) : std::nullopt); });
}
BOOL HOSTAPI HostIsNumberText(LPCSTR text) {
  return guarded<BOOL>(FALSE, [&] { return text && decimalFromText(text) ? TRUE : FALSE; });
}

LONG HOSTAPI HostNumberToLong(HostNumber value) {
  return guarded<LONG>(0, [&] { return LONG(integerIn(value, LONG_MIN, LONG_MAX)); });
}
INT HOSTAPI HostNumberToInteger(HostNumber value) {
  return guarded<INT>(0, [&] { return INT(integerIn(value, INT_MIN, INT_MAX)); });
}
DWORD HOSTAPI HostNumberToULong(HostNumber value) {
  return guarded<DWORD>(0, [&] { return DWORD(integerIn(value, LONG_MIN, 0xFFFFFFFFLL)); });
}
UINT HOSTAPI HostNumberToUnsigned(HostNumber value) {
  return guarded<UINT>(0, [&] { return UINT(integerIn(value, INT_MIN, 0xFFFFFFFFLL)); });
}
WORD HOSTAPI HostNumberToWord(HostNumber value) {
  return guarded<WORD>(0, [&] { return WORD(integerIn(value, -32768, 0xFFFF)); });
}

LONG HOSTAPI HostNumberToText(HostNumber value, LPSTR buffer, LONG size) {
  return guarded<LONG>(-1, [&]() -> LONG {
    auto d = decodeValue(value);
    if (!d) {
      if (buffer && size > 0) buffer[0] = 0;
      return -1;
    }
    return copyWhole(toText(*d), buffer, size);
  });
}

double HOSTAPI HostValueToDouble(HostValue value) {
  return guarded<double>(0.0, [&] {
    auto d = decodeValue(value);
    return d ? toDouble(*d) : 0.0;
  });
}

BOOL HOSTAPI HostDateNow(HostDate* out) {
  return guarded<BOOL>(FALSE, [&] {
    SYSTEMTIME st;
    GetLocalTime(&st);
    DateTime t{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds * 1000};
    return storeDate(out, t);
  });
}

BOOL HOSTAPI HostDateMake(HostDate* out, INT year, INT month, INT day, INT hour, INT minute, INT second) {
  return guarded<BOOL>(FALSE, [&] {
    DateTime t{year, month, day, hour, minute, second, 0};
    return storeDate(out, year >= 1 && isValid(t) ? std::optional(t) : std::nullopt);
  });
}

INT HOSTAPI HostDateYear(HostDate date) { return datePart(date, [](const DateTime& t) { return t.year; }); }
INT HOSTAPI HostDateMonth(HostDate date) { return datePart(date, [](const DateTime& t) { return t.month; }); }
INT HOSTAPI HostDateDay(HostDate date) { return datePart(date, [](const DateTime& t) { return t.day; }); }
INT HOSTAPI HostDateHour(HostDate date) { return datePart(date, [](const DateTime& t) { return t.hour; }); }
INT HOSTAPI HostDateMinute(HostDate date) { return datePart(date, [](const DateTime& t) { return t.minute; }); }
INT HOSTAPI HostDateSecond(HostDate date) { return datePart(date, [](const DateTime& t) { return t.second; }); }
INT HOSTAPI HostDateMicrosecond(HostDate date) {
  return datePart(date, [](const DateTime& t) { return t.micro; });
}
INT HOSTAPI HostDateWeekday(HostDate date) {
  return datePart(date, [](const DateTime& t) { return t.hasDate() ? weekday(t) : -1; });
}

INT HOSTAPI HostDateCompare(HostDate a, HostDate b) {
  return guarded<INT>(0, [&] {
    auto da = decodeValue(a), db = decodeValue(b);
    if (!da || !db) return da ? 1 : (db ? -1 : 0);
    return INT(compare(*da, *db));
  });
}

BOOL HOSTAPI HostDateFromText(HostDate* out, LPCSTR text) {
  return guarded<BOOL>(FALSE, [&] { return storeDate(out, text ? parseDate(text) : std::nullopt); });
}

LONG HOSTAPI HostFormatDateTime(HostDate date, LPCSTR picture, LPSTR buffer, LONG size) {
  return guarded<LONG>(-1, [&]() -> LONG {
    if (date.bytes[0] == 0) return copyWhole("", buffer, size);
    auto t = decodeDate(date);
    if (!t) {
      if (buffer && size > 0) buffer[0] = 0;
      return -1;
    }
    return copyWhole(formatDate(*t, picture ? picture : ""), buffer, size);
  });
}

LONG HOSTAPI HostTextMatch(LPCSTR text, LPCSTR pattern) {
  return guarded<LONG>(-1, [&]() -> LONG { return text && pattern ? textMatch(text, pattern) : -1; });
}

} // extern "C"
