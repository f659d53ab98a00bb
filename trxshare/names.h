// SQL identifier rules: when a name needs quotes, quoting and unquoting by a
// brand's rules, and splitting and joining qualified names
// (user.table.column). Pure code: the character-set questions are answered
// by the caller's TextTools, so the same rules run against the host tools
// library in the DLL and against plain stand-ins in tests and fuzzers.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace trx {

// The three text operations qualified names need.
struct TextTools {
  // True when `ch` starts a double-byte character.
  bool (*isLeadByte)(unsigned char ch);
  // Offset of the first single-byte `ch` in `text`, skipping trail bytes of
  // double-byte characters; npos when absent.
  size_t (*findChar)(std::string_view text, char ch);
  // Trims a name and reduces inner runs of blanks to one space.
  std::string (*cleanName)(std::string_view name);
};

// What a brand says about quoting. `quote` 0 means the brand never quotes.
struct QuoteRules {
  char quote = 0;
  bool quoteUsers = false;        // capability flag 55
  bool quoteNames = false;        // capability flag 56, tables and columns
  bool doubleByteNeedsQuotes = false; // server types 4 and 28
};

// Buffer sizes of the callers: a user, table or column name buffer holds 64
// characters and its terminator; a work text 223 characters.
constexpr size_t kNameChars = 64;
constexpr size_t kWorkChars = 223;

bool quotesNeeded(std::string_view id, bool doubleByteNeedsQuotes, const TextTools& tools);

// The parts joined with "." (before the table when a user was written,
// before the column when a table was present), each wrapped in the quote
// character where the brand allows it, the name needs it and it is not
// quoted already.
std::string quoteIdentifier(const QuoteRules& rules, std::string_view user, std::string_view table,
                            std::string_view column, const TextTools& tools);

// The text without any occurrence of the quote character; double-byte
// characters are copied whole.
std::string removeQuotes(std::string_view text, char quote, const TextTools& tools);

// "user.table" split at the first "." ({"", text} without one); both parts
// cleaned.
std::pair<std::string, std::string> splitUserTable(std::string_view text, const TextTools& tools);

// A qualified column split at the second "." when there are two, else at the
// first ({"", text} without one); both parts cleaned.
std::pair<std::string, std::string> splitTableColumn(std::string_view text, const TextTools& tools);

// user + "." + table, or the table alone when the user is empty; a table
// that holds a "." brings its own user.
std::string concatUserTable(std::string_view user, std::string_view table, const TextTools& tools);

// The same operations on qualified texts in place: "user.table" or "table",
// and "user.table.column", "table.column" or "column".
std::string quoteTable(const QuoteRules& rules, std::string_view text, const TextTools& tools);
std::string quoteColumn(const QuoteRules& rules, std::string_view text, const TextTools& tools);

// Plain single-byte tools (no double-byte code page): for tests and fuzzing.
const TextTools& singleByteTools();

} // namespace trx
