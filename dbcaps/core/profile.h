// The pure side of the "DCC.INI" profile: section names, the meaning of its
// keys and values, the column type record fields, the dump password check
// and the values written for a generic ODBC server from its driver's answers.
#pragma once
#include "records.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dbcaps {

// The profile key of flag 58, which has no name resource of its own.
constexpr const char* kFlag58Key = "Capability Flag 58";
// "Number Of Column Types" from the profile sizes an allocation.
constexpr int kMaxColumnTypes = 1024;

// "%s %s %s" of DBMS name, version cut at its first blank, driver cut at its first ".".
std::string serverSectionName(std::string_view dbms, std::string_view version, std::string_view driver);
// "Column Type(%d) Info - %s"
std::string columnTypeSectionName(int index, std::string_view serverSection);

// The names by which the profile knows flags, numbers and server strings.
struct KeyNames {
  std::string flags[kFlagCount];
  std::string numbers[kNumberCount];
  std::string strings[kStringCount];
};

enum class Override { Applied, UnknownKey, TooLong };
// Applies one server-section key to `caps`: flag names take "TRUE" (any case)
// as 1 and anything else as 0, number names a decimal, string names a text
// of at most 49 characters (a longer one is refused and changes nothing).
Override applyOverride(Capabilities& caps, const KeyNames& names, std::string_view key, std::string_view value);

// A leading decimal number ("-12abc" is -12), clamped to 32 bits; 0 when none.
int32_t parseDecimal(std::string_view text);
bool isTrue(std::string_view text);
int boundedColumnTypeCount(int32_t requested);

// The thirteen column type keys, in record order.
constexpr int kColumnFieldCount = 13;
extern const char* const kColumnFieldNames[kColumnFieldCount];
// Sets one field from its profile text (strings are cut to fit their field).
void setColumnField(ColumnType& record, int field, std::string_view value);
std::string columnFieldText(const ColumnType& record, int field);
// Copies a record field by field.
void copyColumnType(ColumnType& to, const ColumnType& from);
// Server type name look-up: case-insensitive, trailing blanks of `name` ignored.
bool catalogTypeMatches(const ColumnType& record, std::string_view name);
bool columnNameMatches(const ColumnType& record, std::string_view name);

// Copies `text` into a buffer of `size` bytes, cut to fit and terminated.
void copyText(char* to, int size, std::string_view text);
// The text of a fixed-size field that may lack its terminator.
std::string_view fieldText(const char* field, int size);

// The CORE dump is guarded by a password that only its hash stands for.
bool isDumpPassword(std::string_view password);
uint64_t dumpPasswordHash(std::string_view password);

// One type of the driver's type information, as far as the profile uses it.
struct DriverType {
  std::string name;
  int sqlType = 0;
  int columnSize = 0;
  std::string createParams;
  int nullable = 0;
  int searchable = 0;
  int maximumScale = -1;
};
ColumnType columnTypeFromDriver(const DriverType& type);

// What a generic ODBC server's section starts with: answers of the
// driver's information items (item 5500 + ODBC information type) or nullopt.
using InfoSource = std::function<std::optional<std::string>(int item)>;
struct AutoDefaults {
  int32_t flags[kFlagCount];
  std::optional<int32_t> numbers[kNumberCount];
  std::optional<std::string> strings[kStringCount];
};
AutoDefaults genericOdbcDefaults(const Capabilities& generic, const InfoSource& info, int columnTypeCount);

} // namespace dbcaps
