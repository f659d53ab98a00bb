// Which brand a database cursor belongs to, from what the SQL client says
// about it: its server type and, for ODBC, the DBMS, its version and driver.
#pragma once
#include <optional>
#include <string_view>

namespace dbcaps {

constexpr int kServerTypeOdbc = 31;

// The brand of a server type answer (the client's decimal text); nullopt
// asks for the ODBC rules (type 31). An answer that is missing or not a
// positive number gives 0, "undetermined". 99 is an older DB2 code.
std::optional<int> brandFromServerType(std::optional<std::string_view> answer);

// The ODBC rules: the first that matches names the brand; 31 when none does.
int brandFromOdbc(std::string_view dbms, std::string_view driver, std::string_view version);

} // namespace dbcaps
