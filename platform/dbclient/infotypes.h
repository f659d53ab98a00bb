// What SQLGetInfo returns for each ODBC information type 0-114, so that
// DbcGetInfo can answer every one of them as text. Pure logic.
#pragma once

namespace dbc {

enum class InfoKind { None, Text, Int16, Int32, Handle };

// The kind of ODBC information type `type` (None outside 0-114).
InfoKind infoKind(int type);

} // namespace dbc
