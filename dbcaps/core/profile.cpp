#include "profile.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

namespace dbcaps {
namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

std::string_view cutAt(std::string_view s, char c) { return s.substr(0, s.find(c)); }

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

int findName(const std::string* names, int count, std::string_view key) {
  for (int i = 0; i < count; ++i)
    if (!names[i].empty() && equalsNoCase(names[i], key)) return i;
  return -1;
}

int32_t requirementFromText(std::string_view text) {
  if (equalsNoCase(text, "YES")) return kRequired;
  if (equalsNoCase(text, "NO")) return kNotAllowed;
  if (equalsNoCase(text, "OPT")) return kOptional;
  return parseDecimal(text);
}

std::string requirementText(int32_t value) {
  return value == kRequired ? "YES" : value == kNotAllowed ? "NO" : "OPT";
}

std::string boolText(int32_t value) { return value ? "TRUE" : "FALSE"; }

bool isTrueOrYes(std::string_view text) { return isTrue(text) || equalsNoCase(text, "YES") || text == "1"; }

} // namespace

std::string serverSectionName(std::string_view dbms, std::string_view version, std::string_view driver) {
  std::string name(dbms);
  name += ' ';
  name += cutAt(version, ' ');
  name += ' ';
  name += cutAt(driver, '.');
  return name;
}

std::string columnTypeSectionName(int index, std::string_view serverSection) {
  return "Column Type(" + std::to_string(index) + ") Info - " + std::string(serverSection);
}

int32_t parseDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 32);
  value = negative ? -value : value;
  return int32_t(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool isTrue(std::string_view text) { return equalsNoCase(text, "TRUE"); }

int boundedColumnTypeCount(int32_t requested) { return std::clamp<int32_t>(requested, 0, kMaxColumnTypes); }

Override applyOverride(Capabilities& caps, const KeyNames& names, std::string_view key, std::string_view value) {
  if (int i = findName(names.flags, kFlagCount, key); i >= 0) {
    caps.flags[i] = isTrue(value);
    return Override::Applied;
  }
  if (int i = findName(names.numbers, kNumberCount, key); i >= 0) {
    caps.numbers[i] = parseDecimal(value);
    return Override::Applied;
  }
  if (int i = findName(names.strings, kStringCount, key); i >= 0) {
    if (value.size() >= size_t(kStringSize)) return Override::TooLong;
    copyText(caps.strings[i], kStringSize, value);
    return Override::Applied;
  }
  return Override::UnknownKey;
}

const char* const kColumnFieldNames[kColumnFieldCount] = {
    "Column Name",        "Catalog Column Type",           "Statement to Create Column",
    "Matching Tormel Column Type", "Maximum Precision",     "Precision",
    "Scale",              "Maximum Scale",                 "Alternate Column Type",
    "Can this Column be NULL?", "Alternate Long Column Descriptor", "Can NULL be specified in DDL?",
    "Can unique index be specified",
};

void setColumnField(ColumnType& r, int field, std::string_view value) {
  switch (field) {
  case 0: copyText(r.columnName, sizeof r.columnName, value); break;
  case 1: copyText(r.catalogType, sizeof r.catalogType, value); break;
  case 2: copyText(r.createStatement, sizeof r.createStatement, value); break;
  case 3: r.hostType = parseDecimal(value); break;
  case 4: r.maxPrecision = parseDecimal(value); break;
  case 5: r.precision = requirementFromText(value); break;
  case 6: r.scale = requirementFromText(value); break;
  case 7: r.maxScale = parseDecimal(value); break;
  case 8: r.alternateType = parseDecimal(value); break;
  case 9: r.nullable = isTrueOrYes(value); break;
  case 10: copyText(r.longDescriptor, sizeof r.longDescriptor, value); break;
  case 11: r.nullInDdl = isTrueOrYes(value); break;
  case 12: r.uniqueIndex = isTrueOrYes(value); break;
  default: break;
  }
}

std::string columnFieldText(const ColumnType& r, int field) {
  switch (field) {
  case 0: return std::string(fieldText(r.columnName, sizeof r.columnName));
  case 1: return std::string(fieldText(r.catalogType, sizeof r.catalogType));
  case 2: return std::string(fieldText(r.createStatement, sizeof r.createStatement));
  case 3: return std::to_string(r.hostType);
  case 4: return std::to_string(r.maxPrecision);
  case 5: return requirementText(r.precision);
  case 6: return requirementText(r.scale);
  case 7: return std::to_string(r.maxScale);
  case 8: return std::to_string(r.alternateType);
  case 9: return boolText(r.nullable);
  case 10: return std::string(fieldText(r.longDescriptor, sizeof r.longDescriptor));
  case 11: return boolText(r.nullInDdl);
  case 12: return boolText(r.uniqueIndex);
  default: return {};
  }
}

void copyColumnType(ColumnType& to, const ColumnType& from) {
  std::memcpy(to.columnName, from.columnName, sizeof to.columnName);
  std::memcpy(to.catalogType, from.catalogType, sizeof to.catalogType);
  std::memcpy(to.createStatement, from.createStatement, sizeof to.createStatement);
  to.hostType = from.hostType;
  to.maxPrecision = from.maxPrecision;
  to.precision = from.precision;
  to.scale = from.scale;
  to.maxScale = from.maxScale;
  to.alternateType = from.alternateType;
  to.nullable = from.nullable;
  std::memcpy(to.longDescriptor, from.longDescriptor, sizeof to.longDescriptor);
  to.nullInDdl = from.nullInDdl;
  to.uniqueIndex = from.uniqueIndex;
}

bool catalogTypeMatches(const ColumnType& r, std::string_view name) {
  return equalsNoCase(fieldText(r.catalogType, sizeof r.catalogType), trimRight(name));
}

bool columnNameMatches(const ColumnType& r, std::string_view name) {
  return equalsNoCase(fieldText(r.columnName, sizeof r.columnName), name);
}

void copyText(char* to, int size, std::string_view text) {
  if (!to || size <= 0) return;
  size_t n = std::min(text.size(), size_t(size - 1));
  if (n) std::memcpy(to, text.data(), n);
  to[n] = '\0';
}

std::string_view fieldText(const char* field, int size) {
  const void* end = std::memchr(field, '\0', size_t(size));
  return {field, end ? size_t(static_cast<const char*>(end) - field) : size_t(size)};
}

// Salted FNV-1a, stretched: enough that the profile's PASSWORD key cannot be
// read back out of the library, which holds only the result.
uint64_t dumpPasswordHash(std::string_view password) {
  constexpr uint64_t kPrime = 0x100000001b3ULL;
  constexpr std::string_view kSalt = "dbcaps core dump/";
  uint64_t h = 0xcbf29ce484222325ULL;
  for (int round = 0; round < 4096; ++round) {
    for (char c : kSalt) h = (h ^ uint8_t(c)) * kPrime;
    for (char c : password) h = (h ^ uint8_t(c)) * kPrime;
    h ^= h >> 29;
  }
  return h;
}

bool isDumpPassword(std::string_view password) {
  constexpr uint64_t kDumpPasswordHash = 0x36d1a88a3bc26cc5ULL;
  return !password.empty() && dumpPasswordHash(password) == kDumpPasswordHash;
}

namespace {

// ODBC SQL type codes of the driver's type information.
int hostTypeOfSqlType(int sqlType) {
  switch (sqlType) {
  case -1: case -10: return kHostLongString;            // LONGVARCHAR, WLONGVARCHAR
  case 2: case 3: case 4: case 5: case 6: case 7: case 8:
  case -5: case -6: return kHostNumber;                  // NUMERIC .. DOUBLE, BIGINT, TINYINT
  case -7: return kHostBoolean;                          // BIT
  case 9: case 91: return kHostDate;
  case 10: case 92: return kHostTime;
  case 11: case 93: return kHostDateTime;
  case -2: case -3: case -4: return kHostLongBinary;     // BINARY, VARBINARY, LONGVARBINARY
  default: return kHostString;                           // CHAR, VARCHAR, WCHAR, ...
  }
}

std::optional<int32_t> number(const InfoSource& info, int odbcType) {
  auto text = info(5500 + odbcType);
  if (!text || text->empty()) return std::nullopt;
  return parseDecimal(*text);
}

std::optional<int32_t> positive(std::optional<int32_t> v) { return v && *v > 0 ? v : std::nullopt; }

std::optional<int32_t> nameCase(std::optional<int32_t> identifierCase) {
  if (!identifierCase) return std::nullopt;
  switch (*identifierCase) {
  case 1: return 0;            // SQL_IC_UPPER: upper case
  case 2: return 1;            // SQL_IC_LOWER: lower case
  default: return 2;           // sensitive or mixed
  }
}

} // namespace

ColumnType columnTypeFromDriver(const DriverType& t) {
  ColumnType r{};
  std::string params = t.createParams;
  std::transform(params.begin(), params.end(), params.begin(), [](char c) { return char(std::tolower(uint8_t(c))); });
  bool takesSize = !params.empty();
  bool takesScale = params.find("scale") != std::string::npos;
  copyText(r.columnName, sizeof r.columnName, t.name);
  copyText(r.catalogType, sizeof r.catalogType, t.name);
  copyText(r.createStatement, sizeof r.createStatement, t.name + (takesScale ? "(%d,%d)" : takesSize ? "(%d)" : ""));
  r.hostType = hostTypeOfSqlType(t.sqlType);
  r.maxPrecision = std::max(t.columnSize, 0);
  r.precision = takesSize ? kRequired : kNotAllowed;
  r.scale = takesScale ? kOptional : kNotAllowed;
  r.maxScale = std::max(t.maximumScale, 0);
  r.nullable = t.nullable == 1;
  if (r.hostType == kHostLongString || r.hostType == kHostLongBinary)
    copyText(r.longDescriptor, sizeof r.longDescriptor, t.name);
  r.nullInDdl = t.nullable == 1;
  r.uniqueIndex = t.searchable >= 2;  // usable with "=": SQL_ALL_EXCEPT_LIKE or SQL_SEARCHABLE
  return r;
}

AutoDefaults genericOdbcDefaults(const Capabilities& generic, const InfoSource& info, int columnTypeCount) {
  AutoDefaults d{};
  std::copy(std::begin(generic.flags), std::end(generic.flags), d.flags);
  auto yes = [&](int odbcType) {
    auto t = info(5500 + odbcType);
    return t ? std::optional<bool>(*t == "Y") : std::nullopt;
  };
  if (auto v = yes(38)) d.flags[1] = *v;                               // SQL_OUTER_JOINS: "Outer Join"
  if (auto v = number(info, 88)) d.flags[6] = *v != 0;                 // SQL_GROUP_BY: "Group By"
  if (auto v = number(info, 86)) {                                     // SQL_ALTER_TABLE
    d.flags[7] = (*v & 1) != 0;                                        //   ADD COLUMN: "Alter Add"
    d.flags[8] = (*v & 2) != 0;                                        //   DROP COLUMN: "Alter Drop"
  }
  if (auto v = yes(90)) d.flags[54] = *v;                              // SQL_ORDER_BY_COLUMNS_IN_SELECT
  d.numbers[0] = positive(number(info, 35));                           // SQL_MAX_TABLE_NAME_LEN
  d.numbers[1] = positive(number(info, 30));                           // SQL_MAX_COLUMN_NAME_LEN
  d.numbers[2] = positive(number(info, 107));                          // SQL_MAX_USER_NAME_LEN
  d.numbers[kNumColumnTypes] = columnTypeCount;
  d.numbers[5] = d.numbers[11] = nameCase(number(info, 28));           // SQL_IDENTIFIER_CASE
  d.numbers[8] = positive(number(info, 104));                          // SQL_MAX_ROW_SIZE
  if (auto name = info(5500 + 17); name && !name->empty())             // SQL_DBMS_NAME
    d.strings[kStrServerName] = name->substr(0, kStringSize - 1);
  if (auto quote = info(5500 + 29)) {                                  // SQL_IDENTIFIER_QUOTE_CHAR
    std::string q = *quote == " " ? std::string() : quote->substr(0, kStringSize - 1);
    d.strings[22] = q;
  }
  return d;
}

} // namespace dbcaps
