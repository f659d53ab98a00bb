// Identifier quoting, name splitting and template filling on arbitrary
// bytes: no crash, and the invariants callers rely on.
#include "names.h"
#include "sqltext.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool lead(unsigned char c) { return c >= 0x81 && c <= 0x9F; }
size_t find(std::string_view text, char ch) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ch) return i;
    if (lead(static_cast<unsigned char>(text[i]))) ++i;
  }
  return std::string_view::npos;
}
std::string keep(std::string_view s) { return std::string(s); }
const trx::TextTools kTools{lead, find, keep};

void check(bool ok) {
  if (!ok) abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  trx::QuoteRules rules{char(data[0] & 0x7F), (data[1] & 1) != 0, (data[1] & 2) != 0, (data[1] & 4) != 0};
  std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  const trx::TextTools& tools = (data[1] & 8) ? kTools : trx::singleByteTools();

  trx::quotesNeeded(text, rules.doubleByteNeedsQuotes, tools);
  std::string quoted = trx::quoteColumn(rules, text, tools);
  trx::quoteTable(rules, text, tools);
  std::string plain = trx::removeQuotes(quoted, rules.quote, tools);
  check(plain.size() <= quoted.size());
  auto [u, t] = trx::splitUserTable(text, tools);
  check(u.size() + t.size() <= text.size());
  auto [tp, c] = trx::splitTableColumn(text, tools);
  check(tp.size() + c.size() <= text.size());
  trx::concatUserTable(u, text, tools);

  std::string tmpl(text.substr(0, text.size() / 2));
  std::string value(text.substr(text.size() / 2));
  size_t capacity = 1 + (data[1] >> 4) * 8;
  bool fitsBefore = tmpl.size() < capacity;
  trx::StatementText filled(tmpl, capacity);
  filled.fill(value);
  filled.fill(value);
  check(!fitsBefore || filled.text().size() < capacity);
  std::string escaped = trx::escapeLiteral(value);
  check(escaped.size() >= value.size());
  trx::isInteger(value);
  trx::isSafeCatalogName(value, tools);
  trx::tableInList(value, trx::splitTableList(text), tools);
  return 0;
}
