// The catalogue commands ("CATALOG COLUMN/INDEX/KEY/ROWID ... SELECT ...",
// see dbclient.h): parsing, and shaping the rows of the ODBC catalogue
// functions into their result sets. Pure logic: the ODBC calls are made by
// the cursor, which hands the raw rows in here.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace dbc {

using Value = std::optional<std::string>;  // nullopt: SQL NULL
using Row = std::vector<Value>;

enum class CatalogKind { Column, Index, Key, RowId };

struct CatalogCommand {
  CatalogKind kind = CatalogKind::Column;
  std::string creator;  // "" = any owner
  std::string table;
  std::string index;    // KEY only
  bool uniqueOnly = false;
  std::vector<int> select;  // positions in resultColumns(kind)
  std::vector<std::string> selectNames;  // as written, upper-cased
};

// True when `sql` is a catalogue command (first word "CATALOG").
bool isCatalogCommand(const std::string& sql);
std::optional<CatalogCommand> parseCatalogCommand(const std::string& sql);

// Every column a command of this kind can select, in a fixed order.
const std::vector<std::string>& resultColumns(CatalogKind kind);

// Raw rows, columns in the order of the ODBC result sets (index 0 = the
// first column): SQLColumns, SQLStatistics, SQLPrimaryKeys, SQLSpecialColumns.
struct CatalogSources {
  std::vector<Row> columns, statistics, primaryKeys, specialColumns;
};

// The command's result: full rows projected on its select list.
std::vector<Row> catalogResult(const CatalogCommand& command, const CatalogSources& sources);

} // namespace dbc
