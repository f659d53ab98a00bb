#include "sqltext.h"

#include <algorithm>
#include <array>

namespace trx {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool equalNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return upper(x) == upper(y);
         });
}

// Both texts equal, single-byte letters without regard to case, double-
// byte characters (whose trail byte may look like a letter) exactly.
bool equalNoCase(std::string_view a, std::string_view b, const TextTools& tools) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (tools.isLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
      ++i;
    } else if (upper(a[i]) != upper(b[i])) {
      return false;
    }
  }
  return true;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Every "%2".."%9" one down; a "%%" pair is skipped whole.
void renumberMarkers(std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] == '%') {
      ++i;
    } else if (text[i + 1] >= '2' && text[i + 1] <= '9') {
      --text[i + 1];
      ++i;
    }
  }
}

// The first "%%" or "%1", whichever comes first.
size_t firstPlaceholder(const std::string& text, bool& numbered) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] == '%' || text[i + 1] == '1') {
      numbered = text[i + 1] == '1';
      return i;
    }
  }
  return std::string::npos;
}

void dropLeadingBlanks(std::string& text) {
  size_t n = 0;
  while (n < text.size() && isBlank(text[n])) ++n;
  text.erase(0, n);
}

// The text split at every "%1" (the markers themselves left out; a "%%"
// pair is no marker).
std::vector<std::string> splitAtFirstMarkers(const std::string& text) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < text.size(); ++i) {
    bool marker = text[i] == '%' && i + 1 < text.size();
    if (marker && text[i + 1] == '%') {
      parts.back() += "%%";
      ++i;
    } else if (marker && text[i + 1] == '1') {
      parts.emplace_back();
      ++i;
    } else {
      parts.back() += text[i];
    }
  }
  return parts;
}

const std::array<std::string_view, 5> kCatalogKeywords = {"SELECT", "CREATOR", "TBNAME", "IXNAME", "TYPE"};

bool startsWithKeyword(std::string_view word) {
  size_t end = 0;
  while (end < word.size() && !isBlank(word[end])) ++end;
  word = word.substr(0, end);
  return std::any_of(kCatalogKeywords.begin(), kCatalogKeywords.end(),
                     [&](std::string_view k) { return equalNoCase(word, k); });
}

} // namespace

StatementText::StatementText(std::string_view templateText, size_t capacity)
    : pieces_{Piece{std::string(templateText), false}}, capacity_(capacity) {}

std::string StatementText::text() const {
  std::string out;
  for (const auto& p : pieces_) out += p.text;
  return out;
}

size_t StatementText::size() const {
  size_t n = 0;
  for (const auto& p : pieces_) n += p.text.size();
  return n;
}

bool StatementText::fill(std::string_view value) {
  for (size_t i = 0; i < pieces_.size(); ++i) {
    if (pieces_[i].value) continue;
    bool numbered = false;
    size_t at = firstPlaceholder(pieces_[i].text, numbered);
    if (at != std::string::npos) return numbered ? fillNumbered(value) : fillAt(i, at, value);
  }
  return false;
}

bool StatementText::fillAt(size_t piece, size_t at, std::string_view value) {
  std::string after = pieces_[piece].text.substr(at + 2);
  pieces_[piece].text.erase(at);
  if (size() + after.size() + value.size() < capacity_) {
    pieces_.insert(pieces_.begin() + std::ptrdiff_t(piece) + 1,
                   {Piece{std::string(value), true}, Piece{std::move(after), false}});
    return true;
  }
  dropLeadingBlanks(after);
  pieces_[piece].text += after;
  return false;
}

bool StatementText::fillNumbered(std::string_view value) {
  std::vector<std::vector<std::string>> split;
  size_t markers = 0;
  for (const auto& p : pieces_) {
    split.push_back(p.value ? std::vector<std::string>{p.text} : splitAtFirstMarkers(p.text));
    if (!p.value) markers += split.back().size() - 1;
  }
  bool fits = size() - 2 * markers + markers * value.size() < capacity_;
  std::vector<Piece> filled;
  for (size_t i = 0; i < pieces_.size(); ++i) {
    if (pieces_[i].value) {
      filled.push_back(pieces_[i]);
      continue;
    }
    for (size_t k = 0; k < split[i].size(); ++k) {
      std::string part = split[i][k];
      if (k > 0 && fits) filled.push_back(Piece{std::string(value), true});
      if (k > 0 && !fits) dropLeadingBlanks(part);
      renumberMarkers(part);
      if (k > 0 && !fits) filled.back().text += part;
      else filled.push_back(Piece{std::move(part), false});
    }
  }
  pieces_ = std::move(filled);
  return fits;
}

std::string escapeLiteral(std::string_view value) {
  std::string out;
  for (char c : value) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out;
}

bool isInteger(std::string_view value) {
  if (!value.empty() && value.front() == '-') value.remove_prefix(1);
  if (value.empty() || value.size() > 18) return false;
  return std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isSafeCatalogName(std::string_view name, const TextTools& tools) {
  if (trim(name).empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (tools.isLeadByte(c)) {
      if (i + 1 == name.size()) return false;  // it would take the command's next character
      ++i;
      continue;
    }
    if (c < 0x20 || c == 0x7F || c == ',' || c == '\'' || c == '"' || c == '`' || c == '=') return false;
    if (isBlank(name[i]) && startsWithKeyword(trim(name.substr(i)))) return false;
  }
  return true;
}

std::string catalogValue(std::string_view name) {
  if (std::none_of(name.begin(), name.end(), isBlank)) return std::string(name);
  return '"' + std::string(name) + '"';
}

std::vector<std::string> splitTableList(std::string_view list) {
  std::vector<std::string> tables;
  while (!list.empty()) {
    size_t comma = list.find(',');
    std::string_view entry = trim(list.substr(0, comma));
    if (!entry.empty()) tables.emplace_back(entry);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return tables;
}

bool tableInList(std::string_view qualified, const std::vector<std::string>& tables, const TextTools& tools) {
  size_t dot = tools.findChar(qualified, '.');
  std::string_view user = dot == std::string_view::npos ? std::string_view() : qualified.substr(0, dot);
  std::string_view table = dot == std::string_view::npos ? qualified : qualified.substr(dot + 1);
  for (std::string_view entry : tables) {
    size_t entryDot = tools.findChar(entry, '.');
    if (entryDot == std::string_view::npos) {
      if (equalNoCase(entry, table, tools)) return true;
    } else if (equalNoCase(entry.substr(0, entryDot), user, tools) &&
               equalNoCase(entry.substr(entryDot + 1), table, tools)) {
      return true;
    }
  }
  return false;
}

} // namespace trx
