// The STRG… exports: identifier quoting by the cursor's brand, and
// splitting and joining qualified names. A result that would not fit the
// caller's buffer (64 characters for a user, table or column name, 223 for
// a work text) leaves the buffer unchanged and gives 0.
#include "brand.h"
#include "hosttools.h"
#include "resource.h"
#include "trxshare.h"

#include <cstdlib>
#include <cstring>

namespace trx {

namespace {

bool hostIsLead(unsigned char ch) { return HtIsLeadByte(ch) != 0; }

size_t hostFindChar(std::string_view text, char ch) {
  std::string copy(text);
  const char* at = HtFindChar(copy.c_str(), static_cast<unsigned char>(ch));
  return at ? size_t(at - copy.c_str()) : std::string_view::npos;
}

std::string hostCleanName(std::string_view name) {
  std::string copy(name);
  HtNameClean(copy.data());
  return copy.c_str();
}

} // namespace

const TextTools& hostTools() {
  static const TextTools tools{hostIsLead, hostFindChar, hostCleanName};
  return tools;
}

int serverType(DbcCursor cursor) {
  char text[32] = "";
  int length = 0;
  if (DbcGetInfo(cursor, DBC_INFO_SERVER_TYPE, text, sizeof text, &length) != DBC_OK) return 0;
  return atoi(text);
}

std::string serverString(DbcCursor cursor, int index) {
  char text[64] = "";  // the brand's strings hold 49 characters
  if (SrvCapQueryServerStr(cursor, index, text) != 1) return {};
  text[sizeof text - 1] = 0;
  return text;
}

QuoteRules quoteRules(DbcCursor cursor) {
  QuoteRules rules;
  rules.quote = serverString(cursor, kStringQuoteCharacter)[0];
  if (!rules.quote) return rules;
  rules.quoteUsers = SrvCapQueryServerBool(cursor, kFlagQuotedUserIds) == 1;
  rules.quoteNames = SrvCapQueryServerBool(cursor, kFlagQuotedNames) == 1;
  int type = serverType(cursor);
  rules.doubleByteNeedsQuotes = type == 4 || type == 28;
  return rules;
}

void reportNoMemory() {
  char caption[64] = "", text[128] = "";
  LoadStringA(moduleInstance(), IDS_ERROR_CAPTION, caption, sizeof caption);
  LoadStringA(moduleInstance(), IDS_NO_GLOBAL_MEMORY, text, sizeof text);
  MessageBeep(MB_ICONHAND);
  MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONHAND | MB_TASKMODAL);
}

} // namespace trx

namespace {

using trx::kNameChars;
using trx::kWorkChars;

std::string_view text(const char* s) { return s ? std::string_view(s) : std::string_view(); }

// Copies `value` into a buffer of `chars` characters and a terminator, or
// leaves it alone and gives 0.
int store(char* out, const std::string& value, size_t chars) {
  if (!out || value.size() > chars) return 0;
  memcpy(out, value.c_str(), value.size() + 1);
  return 1;
}

template <class F> int guarded(F f) {
  try {
    return f();
  } catch (...) {
    return 0;
  }
}

} // namespace

extern "C" {

int __stdcall STRGQuotesNeeded(DbcCursor cursor, const char* identifier) {
  return guarded([&] {
    int type = trx::serverType(cursor);
    return trx::quotesNeeded(text(identifier), type == 4 || type == 28, trx::hostTools()) ? 1 : 0;
  });
}

int __stdcall STRGQuoteIdentifier(DbcCursor cursor, char* out, const char* user, const char* table,
                                  const char* column) {
  return guarded([&] {
    if (!out) return 0;
    auto rules = trx::quoteRules(cursor);
    return store(out, trx::quoteIdentifier(rules, text(user), text(table), text(column), trx::hostTools()),
                 kWorkChars);
  });
}

int __stdcall STRGQuoteUser(DbcCursor cursor, char* user) {
  return guarded([&] {
    if (!user) return 0;
    auto rules = trx::quoteRules(cursor);
    return store(user, trx::quoteIdentifier(rules, user, {}, {}, trx::hostTools()), kNameChars);
  });
}

int __stdcall STRGQuoteTable(DbcCursor cursor, char* table) {
  return guarded([&] {
    if (!table) return 0;
    return store(table, trx::quoteTable(trx::quoteRules(cursor), table, trx::hostTools()), kWorkChars);
  });
}

int __stdcall STRGQuoteColumn(DbcCursor cursor, char* column) {
  return guarded([&] {
    if (!column) return 0;
    return store(column, trx::quoteColumn(trx::quoteRules(cursor), column, trx::hostTools()), kWorkChars);
  });
}

int __stdcall STRGRemoveQuotes(DbcCursor cursor, const char* in, char* out) {
  return guarded([&] {
    if (!in || !out) return 0;
    char quote = trx::serverString(cursor, trx::kStringQuoteCharacter)[0];
    std::string result = trx::removeQuotes(in, quote, trx::hostTools());
    memcpy(out, result.c_str(), result.size() + 1);  // never longer than `in`
    return 1;
  });
}

int __stdcall STRGExtractUserTable(const char* in, char* user, char* table) {
  return guarded([&] {
    if (!in || !user || !table) return 0;
    auto [u, t] = trx::splitUserTable(in, trx::hostTools());
    if (u.size() > kNameChars || t.size() > kNameChars) return 0;
    return store(user, u, kNameChars) & store(table, t, kNameChars);
  });
}

int __stdcall STRGExtractTableColumn(const char* in, char* table, char* column) {
  return guarded([&] {
    if (!in || !table || !column) return 0;
    auto [t, c] = trx::splitTableColumn(in, trx::hostTools());
    if (t.size() > kNameChars || c.size() > kNameChars) return 0;
    return store(table, t, kNameChars) & store(column, c, kNameChars);
  });
}

int __stdcall STRGConcatUserTable(char* out, const char* user, const char* table) {
  return guarded([&] {
    if (!out) return 0;
    return store(out, trx::concatUserTable(text(user), text(table), trx::hostTools()), kWorkChars);
  });
}

} // extern "C"
