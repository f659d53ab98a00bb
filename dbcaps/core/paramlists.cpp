// SQL parameter lists: the settable options of the SQL client for the brands
// that have any. The SQL Server family's list leads with its cursor mapping;
// System 10 reads the same list from its second entry. The ODBC brands and
// DB2 start with their own auto-commit default and share the ODBC tail.
#include "brands.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace dbcaps {
namespace {

constexpr SqlParam P(uint16_t code, const char* name, int32_t value, const char* description) {
  SqlParam p{};
  p.code = code;
  for (int i = 0; name[i] && i < int(sizeof p.name) - 1; ++i) p.name[i] = name[i];
  p.defaultValue = value;
  for (int i = 0; description[i] && i < int(sizeof p.description) - 1; ++i) p.description[i] = description[i];
  return p;
}

constexpr SqlParam kSqlServerFamily[] = {
    P(5103, "MapZRTCursors", 1, "Emulate the client's result-set cursors on the server (1 on, 0 off)."),
    P(5108, "SybAutoCommit", 0, "Commit every statement as it completes (1 on, 0 off)."),
    P(5110, "EnhancedCursors", 1, "Open server-side cursors for result sets (1 on, 0 off)."),
    P(3002, "LockTimeout", 60, "Seconds a statement waits for a lock before it fails."),
    P(5116, "YieldOnServerCall", 10, "Milliseconds between yields to the message loop while the server works."),
};

constexpr SqlParam kOdbcTail[] = {
    P(3002, "LockTimeout", 60, "Seconds a statement waits for a lock before it fails."),
    P(3003, "IsolationLevel", 2, "Transaction isolation: 1 read uncommitted, 2 read committed, 4 repeatable read, 8 serializable."),
    P(3004, "FetchBuffer", 20, "Rows fetched from the driver in one block."),
};

constexpr std::array<SqlParam, 1 + std::size(kOdbcTail)> odbcList(int32_t autoCommit) {
  std::array<SqlParam, 1 + std::size(kOdbcTail)> list{};
  list[0] = P(3006, "AutoCommit", autoCommit, "Commit every statement as it completes (1 on, 0 off).");
  std::copy(std::begin(kOdbcTail), std::end(kOdbcTail), list.begin() + 1);
  return list;
}

constexpr auto kDb2 = odbcList(0);
constexpr auto kRdb = odbcList(0);
constexpr auto kCaeDb2 = odbcList(0);
constexpr auto kAccess2 = odbcList(1);
constexpr auto kType77 = odbcList(1);

struct List {
  int type;
  const SqlParam* entries;
  int length;
};

constexpr List kLists[] = {
    {2, kDb2.data(), int(kDb2.size())},
    {8, kSqlServerFamily, int(std::size(kSqlServerFamily))},
    {32, kSqlServerFamily + 1, int(std::size(kSqlServerFamily)) - 1},
    {54, kRdb.data(), int(kRdb.size())},
    {64, kCaeDb2.data(), int(kCaeDb2.size())},
    {66, kAccess2.data(), int(kAccess2.size())},
    {77, kType77.data(), int(kType77.size())},
};

} // namespace

const SqlParam* sqlParamList(int type, int* length) {
  auto it = std::find_if(std::begin(kLists), std::end(kLists), [type](const List& l) { return l.type == type; });
  if (length) *length = it == std::end(kLists) ? 0 : it->length;
  return it == std::end(kLists) ? nullptr : it->entries;
}

} // namespace dbcaps
