// Building the repository and catalogue statements from their templates:
// filling "%%" and numbered markers, and making every value safe for the
// place it goes to. Pure code, tested by tables and fuzzed natively.
#pragma once
#include "names.h"

#include <string>
#include <string_view>
#include <vector>

namespace trx {

// A statement text is built in a buffer of this many bytes (terminator
// included).
constexpr size_t kStatementBytes = 1024;

// A statement text being filled from its template. `fill` fills the first
// placeholder with a value: the first "%%", or the first "%1" when that
// comes earlier; filling "%1" fills every "%1" and renumbers "%2" to "%9"
// one down, so the next call fills the next marker. Only the template's
// own text holds placeholders: a "%%" or "%1" inside a value filled
// earlier is part of that value. When the result would not fit `capacity`
// bytes (terminator included) the value is dropped: the placeholder goes
// and the text after it stays, without its leading blanks. `fill` returns
// true when the value went in, false when it was dropped or there was no
// placeholder.
class StatementText {
public:
  StatementText(std::string_view templateText, size_t capacity);
  bool fill(std::string_view value);
  std::string text() const;

private:
  struct Piece {
    std::string text;
    bool value;  // a filled value, never searched for placeholders
  };
  size_t size() const;
  bool fillAt(size_t piece, size_t at, std::string_view value);
  bool fillNumbered(std::string_view value);

  std::vector<Piece> pieces_;
  size_t capacity_;
};

// A value for a quoted literal ('...'): every quote doubled.
std::string escapeLiteral(std::string_view value);

// True for an optional "-" followed by 1 to 18 digits: a value that may go
// into a statement unquoted.
bool isInteger(std::string_view value);

// True when `name` can stand as a value in a "CATALOG ..." command without
// changing it: not empty, no comma, quote, "=", control character, and no
// blank followed by a keyword of the command (SELECT, CREATOR, TBNAME,
// IXNAME, TYPE). The trail byte of a double-byte character is part of that
// character, never one of these; a lead byte without its trail byte is
// refused.
bool isSafeCatalogName(std::string_view name, const TextTools& tools);

// A safe catalogue name as it stands in the command: in double quotes when
// it holds a blank, since the command's words end at blanks.
std::string catalogValue(std::string_view name);

// The tables of a table list: entries separated by commas (blanks around
// them ignored).
std::vector<std::string> splitTableList(std::string_view list);

// True when the qualified repository name `qualified` ("USER.TABLE" or
// "TABLE") is one of `tables`: an entry with a user must match both parts,
// an entry without one matches the table part. Single-byte letters compare
// without regard to case; double-byte characters compare exactly.
bool tableInList(std::string_view qualified, const std::vector<std::string>& tables, const TextTools& tools);

} // namespace trx
