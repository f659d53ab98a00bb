// Turning a row of the driver's type information into a DbcTypeInfo.
// Pure logic.
#pragma once
#include "catalog.h"
#include "dbclient.h"

namespace dbc {

// `row` holds the SQLGetTypeInfo columns in their order (TYPE_NAME first).
DbcTypeInfo typeInfoFromRow(const Row& row);

} // namespace dbc
