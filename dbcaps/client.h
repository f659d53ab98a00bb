// What dbcaps asks the SQL client about a cursor.
#pragma once
#include "core/profile.h"

#include <optional>
#include <string>
#include <vector>

namespace dbcaps {

// An information item's text, cut at the length the client returns;
// nullopt when the client refuses the item.
std::optional<std::string> cursorInfo(unsigned cursor, int item);

struct CursorFacts {
  int brand = 0;            // 0: undetermined
  bool odbc = false;        // the fields below were read
  std::string dbms, driver, version;
};
CursorFacts detectCursor(unsigned cursor);

// The driver's type information; empty when the client has none.
struct DriverTypeRow {
  DriverType type;
  std::vector<std::pair<const char*, std::string>> columns;  // for the type info dump
};
std::vector<DriverTypeRow> driverTypes(unsigned cursor);

} // namespace dbcaps
