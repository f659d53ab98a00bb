// The fixed-size records that dbcaps hands to its callers and keeps in its
// tables. Their layouts are part of the contract: callers read them by
// offset, and the profile file names their fields.
#pragma once
#include <cstdint>

namespace dbcaps {

constexpr int kFlagCount = 59;
constexpr int kNumberCount = 12;
constexpr int kStringCount = 23;
constexpr int kStringSize = 50;       // a server string: 49 characters and the terminator
constexpr int kFunctionSize = 80;     // a function or parameter keyword string
constexpr int kCatalogTypeSize = 40;  // SrvCapBCatalogColumnType's output
constexpr int kTypeNameWork = 32;     // a type name searched for, before trailing blanks go

// Capability number indexes the library itself relies on.
constexpr int kNumColumnTypes = 4;
constexpr int kNumOptionalParms = 6;

// Server string indexes with a meaning of their own.
constexpr int kStrVersionRange = 11;
constexpr int kStrServerName = 12;

constexpr int kGenericOdbc = 31;
constexpr int kMaxBrand = 149;

// "Precision" and "Scale" of a column type: whether a DDL statement gives one.
enum Requirement : int32_t { kNotAllowed = 0, kRequired = 1, kOptional = 2 };

#pragma pack(push, 1)

struct ColumnType {              // 186 bytes
  char columnName[40];           // "Column Name"
  char catalogType[40];          // "Catalog Column Type"
  char createStatement[50];      // "Statement to Create Column"
  int32_t hostType;              // "Matching Tormel Column Type"
  int32_t maxPrecision;          // "Maximum Precision"
  int32_t precision;             // "Precision" (Requirement)
  int32_t scale;                 // "Scale" (Requirement)
  int32_t maxScale;              // "Maximum Scale"
  int32_t alternateType;         // "Alternate Column Type"
  int32_t nullable;              // "Can this Column be NULL?"
  char longDescriptor[20];       // "Alternate Long Column Descriptor"
  int32_t nullInDdl;             // "Can NULL be specified in DDL?"
  int32_t uniqueIndex;           // "Can unique index be specified"
};
static_assert(sizeof(ColumnType) == 186);

struct SqlParam {                // 528 bytes
  uint16_t code;                 // parameter code of the SQL client
  char name[252];
  int32_t defaultValue;          // at offset 254
  char description[270];
};
static_assert(sizeof(SqlParam) == 528);

// One brand table record (28 bytes).
struct BrandRecord {
  int32_t type;
  int32_t functionBase;
  int32_t keywordBase;
  int32_t row;                   // capability row, 1-based
  int32_t stringBase;
  int32_t functionCount;
  int32_t keywordCount;
};
static_assert(sizeof(BrandRecord) == 28);

// The capability part of a context: flags, numbers and server strings.
struct Capabilities {
  int32_t flags[kFlagCount];
  int32_t numbers[kNumberCount];
  char strings[kStringCount][kStringSize];
};
static_assert(sizeof(Capabilities) == 59 * 4 + 12 * 4 + 23 * 50);

#pragma pack(pop)

// Host column type codes ("Matching Tormel Column Type"); the result type
// of a function string uses the same codes, 0 meaning "as its argument".
enum HostType : int32_t {
  kHostString = 1,
  kHostLongString = 2,
  kHostDateTime = 3,
  kHostDate = 4,
  kHostTime = 5,
  kHostNumber = 6,
  kHostLongBinary = 7,
  kHostBoolean = 8,
};

} // namespace dbcaps
