// The client's parsers on arbitrary bytes: CATALOG commands (and shaping
// catalogue rows for them), connect texts and error mapping. No crash, and
// the invariants the client relies on.
#include "catalog.h"
#include "connecttext.h"
#include "dbclient.h"
#include "errors.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool ok) {
  if (!ok) abort();
}

// Catalogue rows made from the input: short rows and NULLs included.
std::vector<dbc::Row> rowsFrom(const std::string& text) {
  std::vector<dbc::Row> rows;
  dbc::Row row;
  for (char c : text) {
    if (c == '\n') {
      rows.push_back(row);
      row.clear();
    } else if (c == '\t') {
      row.push_back(std::nullopt);
    } else {
      row.push_back(std::string(1, char('0' + (c & 7))));
    }
  }
  rows.push_back(row);
  return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);

  if (auto command = dbc::parseCatalogCommand(text)) {
    check(dbc::isCatalogCommand(text));
    check(!command->table.empty() && !command->select.empty());
    dbc::CatalogSources sources{rowsFrom(text), rowsFrom(text), rowsFrom(text), rowsFrom(text)};
    for (const dbc::Row& r : dbc::catalogResult(*command, sources)) check(r.size() == command->select.size());
  }

  if (auto connect = dbc::parseConnectText(text)) {
    check(text.size() <= dbc::kMaxConnectText);
    check(connect->shortForm || !connect->driverItems.empty());
    dbc::driverConnectString(*connect, "SQLite3", "/x.db");
  }

  int code = dbc::codeForState(text.substr(0, 5), size > 5 ? int(data[5]) * 97 - 3000 : 0);
  check(code != 0 && code != -1 && code != 1 && code != 13 && code != 14 && code != 15 && code != 145 &&
        code != 403);
  return 0;
}
