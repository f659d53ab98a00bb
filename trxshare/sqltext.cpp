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

void dropPlaceholder(std::string& text, size_t at) {
  size_t rest = at + 2;
  while (rest < text.size() && isBlank(text[rest])) ++rest;
  text.erase(at, rest - at);
}

// Every "%1" replaced by `value`; with `drop`, removed together with the
// blanks after it.
std::string replaceFirstMarker(const std::string& text, std::string_view value, bool drop) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    bool marker = text[i] == '%' && i + 1 < text.size();
    if (marker && text[i + 1] == '%') {
      out += "%%";
      ++i;
    } else if (marker && text[i + 1] == '1') {
      ++i;
      if (!drop) out += value;
      while (drop && i + 1 < text.size() && isBlank(text[i + 1])) ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool fillNumbered(std::string& text, size_t capacity, std::string_view value) {
  std::string filled = replaceFirstMarker(text, value, false);
  bool fits = filled.size() < capacity;
  text = fits ? filled : replaceFirstMarker(text, value, true);
  renumberMarkers(text);
  return fits;
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

bool fillTemplate(std::string& text, size_t capacity, std::string_view value) {
  bool numbered = false;
  size_t at = firstPlaceholder(text, numbered);
  if (at == std::string::npos) return false;
  if (numbered) return fillNumbered(text, capacity, value);
  if (text.size() - 2 + value.size() < capacity) {
    text.replace(at, 2, value);
    return true;
  }
  dropPlaceholder(text, at);
  return false;
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

bool isSafeCatalogName(std::string_view name) {
  if (trim(name).empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
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

bool tableInList(std::string_view qualified, const std::vector<std::string>& tables) {
  size_t dot = qualified.find('.');
  std::string_view user = dot == std::string_view::npos ? std::string_view() : qualified.substr(0, dot);
  std::string_view table = dot == std::string_view::npos ? qualified : qualified.substr(dot + 1);
  for (const auto& entry : tables) {
    size_t entryDot = entry.find('.');
    if (entryDot == std::string::npos) {
      if (equalNoCase(entry, table)) return true;
    } else if (equalNoCase(std::string_view(entry).substr(0, entryDot), user) &&
               equalNoCase(std::string_view(entry).substr(entryDot + 1), table)) {
      return true;
    }
  }
  return false;
}

} // namespace trx
