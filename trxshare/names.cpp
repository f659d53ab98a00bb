#include "names.h"

#include <tuple>

namespace trx {

namespace {

bool isUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool hasDoubleByte(std::string_view id, const TextTools& tools) {
  for (size_t i = 0; i < id.size(); ++i) {
    if (tools.isLeadByte(static_cast<unsigned char>(id[i])) && i + 1 < id.size()) return true;
  }
  return false;
}

std::string quotePart(std::string_view part, bool allowed, const QuoteRules& rules, const TextTools& tools) {
  std::string out(part);
  if (!allowed || !rules.quote || part.empty() || part.front() == rules.quote) return out;
  if (!quotesNeeded(part, rules.doubleByteNeedsQuotes, tools)) return out;
  return std::string(1, rules.quote) + out + rules.quote;
}

void append(std::string& out, std::string_view part) {
  if (part.empty()) return;
  if (!out.empty()) out += '.';
  out += part;
}

// Position of the n-th (1-based) single-byte "." in text, or npos.
size_t nthDot(std::string_view text, int n, const TextTools& tools) {
  size_t from = 0;
  for (;;) {
    size_t at = tools.findChar(text.substr(from), '.');
    if (at == std::string_view::npos) return at;
    if (--n == 0) return from + at;
    from += at + 1;
  }
}

std::pair<std::string, std::string> splitAt(std::string_view text, size_t dot, const TextTools& tools) {
  if (dot == std::string_view::npos) return {std::string(), tools.cleanName(text)};
  return {tools.cleanName(text.substr(0, dot)), tools.cleanName(text.substr(dot + 1))};
}

} // namespace

bool quotesNeeded(std::string_view id, bool doubleByteNeedsQuotes, const TextTools& tools) {
  if (id.empty()) return false;
  if (doubleByteNeedsQuotes && hasDoubleByte(id, tools)) return true;
  if (!isUpper(static_cast<unsigned char>(id[0]))) return true;
  for (unsigned char c : id.substr(1)) {
    if (!isUpper(c) && !isDigit(c) && c != '_') return true;
  }
  return false;
}

std::string quoteIdentifier(const QuoteRules& rules, std::string_view user, std::string_view table,
                            std::string_view column, const TextTools& tools) {
  std::string out;
  append(out, quotePart(user, rules.quoteUsers, rules, tools));
  append(out, quotePart(table, rules.quoteNames, rules, tools));
  append(out, quotePart(column, rules.quoteNames, rules, tools));
  return out;
}

std::string removeQuotes(std::string_view text, char quote, const TextTools& tools) {
  if (!quote) return std::string(text);
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (tools.isLeadByte(c) && i + 1 < text.size()) {
      out += text.substr(i, 2);
      ++i;
    } else if (text[i] != quote) {
      out += text[i];
    }
  }
  return out;
}

std::pair<std::string, std::string> splitUserTable(std::string_view text, const TextTools& tools) {
  return splitAt(text, nthDot(text, 1, tools), tools);
}

std::pair<std::string, std::string> splitTableColumn(std::string_view text, const TextTools& tools) {
  size_t second = nthDot(text, 2, tools);
  return splitAt(text, second != std::string_view::npos ? second : nthDot(text, 1, tools), tools);
}

std::string concatUserTable(std::string_view user, std::string_view table, const TextTools& tools) {
  std::string ownUser(user);
  std::string ownTable(table);
  if (nthDot(table, 1, tools) != std::string_view::npos) std::tie(ownUser, ownTable) = splitUserTable(table, tools);
  if (ownUser.empty()) return ownTable;
  return ownUser + "." + ownTable;
}

std::string quoteTable(const QuoteRules& rules, std::string_view text, const TextTools& tools) {
  auto [user, table] = splitUserTable(text, tools);
  return quoteIdentifier(rules, user, table, {}, tools);
}

std::string quoteColumn(const QuoteRules& rules, std::string_view text, const TextTools& tools) {
  auto [tablePart, column] = splitTableColumn(text, tools);
  auto [user, table] = splitUserTable(tablePart, tools);
  return quoteIdentifier(rules, user, table, column, tools);
}

namespace {

bool noLeadBytes(unsigned char) { return false; }

size_t findByte(std::string_view text, char ch) { return text.find(ch); }

std::string cleanBlanks(std::string_view name) {
  std::string out;
  bool pendingBlank = false;
  for (char c : name) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      pendingBlank = !out.empty();
      continue;
    }
    if (pendingBlank) out += ' ';
    pendingBlank = false;
    out += c;
  }
  return out;
}

} // namespace

const TextTools& singleByteTools() {
  static const TextTools tools{noLeadBytes, findByte, cleanBlanks};
  return tools;
}

} // namespace trx
