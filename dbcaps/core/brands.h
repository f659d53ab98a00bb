// The compiled-in brand table, capability rows and fixed lists.
#pragma once
#include "records.h"

#include <span>

namespace dbcaps {

// Every defined brand, in type order.
std::span<const BrandRecord> brandTable();
// The record of a brand type, or nullptr for an empty slot or a type out of range.
const BrandRecord* findBrand(int type);

int capabilityRowCount();
// Fills flags and numbers of `caps` from capability row `row` (1-based).
bool loadCapabilityRow(int row, Capabilities& caps);

// A brand's built-in column type table: nullptr for a brand without one.
// `length` receives the number of records the table holds.
const ColumnType* builtInColumnTypes(int type, int* length);
// A brand's SQL parameter list, or nullptr; `length` receives its entries.
const SqlParam* sqlParamList(int type, int* length);

constexpr int kSystemTableCount = 14;
const char* systemTables();

} // namespace dbcaps
