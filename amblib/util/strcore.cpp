#include "strcore.h"

#include <cstdio>

namespace strcore {
namespace {

bool tooLong(std::string_view s) { return s.size() > kMaxLength; }

std::string ltoa(long v) {
  char buf[16];
  snprintf(buf, sizeof buf, "%ld", v);
  return buf;
}

char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

// The element a placeholder letter stands for.
std::string element(char kind, int32_t index, const ExpandSource& src) {
  switch (kind) {
  case 'n': return ltoa(src.number ? src.number(index) : 0);
  case 's': return src.string ? src.string(index) : std::string();
  default: return ltoa(index);
  }
}

bool isPlaceholderLetter(char c) { return c == 'n' || c == 's' || c == 'u'; }

// A brace group starting at `open`: where its placeholder is and where the
// group ends. Returns false when the "{" is plain text.
struct Group {
  size_t placeholder = 0; // the '%'
  bool comma = false;
  char kind = 0;
  size_t suffix = 0;      // first character after the placeholder
  size_t close = 0;       // the '}'
  bool valid = false;     // false: a brace pair copied unchanged
};

bool parseGroup(std::string_view t, size_t open, Group& g) {
  size_t firstStop = t.find_first_of("%}", open + 1);
  if (firstStop == std::string_view::npos) return false;
  size_t close = t.find('}', open + 1);
  for (size_t p = t.find('%', open + 1); p != std::string_view::npos && p < close; p = t.find('%', p + 1)) {
    size_t letter = p + 1;
    bool comma = letter < t.size() && t[letter] == ',';
    if (comma) ++letter;
    if (letter < t.size() && isPlaceholderLetter(t[letter])) {
      g = {p, comma, t[letter], letter + 1, t.find('}', letter + 1), true};
      return g.close != std::string_view::npos;
    }
  }
  if (close == std::string_view::npos) return false;
  g.close = close;
  g.valid = false;
  return true;
}

} // namespace

std::string leftTrim(std::string_view text) {
  if (tooLong(text)) return {};
  size_t k = text.find_first_not_of(' ');
  return k == std::string_view::npos ? std::string() : std::string(text.substr(k));
}

std::string rightTrim(std::string_view text) {
  if (tooLong(text)) return {};
  size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string trim(std::string_view text) { return leftTrim(rightTrim(text)); }

std::string pad(std::string_view text, int32_t n) {
  if (n <= 0) return {};
  std::string out(size_t(n), ' ');
  out.replace(0, std::min(text.size(), size_t(n)), text.substr(0, size_t(n)));
  return out;
}

std::string proper(std::string_view text, const CaseMap& map) {
  static const std::string_view delimiters = "~!@#$%^&*()_+|-=\\{}[]:\";'<>?,./";
  std::string s(text);
  std::vector<std::pair<size_t, char>> saved;
  for (size_t i = 0; i < s.size(); ++i)
    if (delimiters.find(s[i]) != std::string_view::npos) {
      saved.emplace_back(i, s[i]);
      s[i] = ' ';
    }
  bool wordStart = true;
  for (char& c : s) {
    if (c == ' ') {
      wordStart = true;
    } else {
      c = wordStart ? map.upper(c) : map.lower(c);
      wordStart = false;
    }
  }
  for (auto [pos, c] : saved) s[pos] = c;
  for (std::string_view prefix : {"Mac", "Mc"}) {
    size_t at = s.find(prefix);
    size_t next = at + prefix.size();
    if (at != std::string::npos && next < s.size() && s[next] != ' ') s[next] = map.upper(s[next]);
  }
  return s;
}

int32_t scanReverse(std::string_view text, int32_t start, std::string_view search) {
  int32_t last = int32_t(text.size()) - 1;
  if (start < -1 || start > last) return -1;
  if (start == -1) start = last;
  for (int32_t p = start; p >= 0; --p) {
    std::string_view here = text.substr(size_t(p), search.size());
    if (here.size() != search.size()) continue;
    bool equal = true;
    for (size_t i = 0; i < search.size() && equal; ++i) equal = foldAscii(here[i]) == foldAscii(search[i]);
    if (equal) return p;
  }
  return -1;
}

std::string substitute(std::string_view text, std::string_view search, std::string_view replacement) {
  if (tooLong(text)) return {};
  if (search.empty()) return std::string(text);
  std::string out;
  size_t pos = 0;
  for (size_t hit = text.find(search); hit != std::string_view::npos; hit = text.find(search, pos)) {
    out.append(text.substr(pos, hit - pos)).append(replacement);
    pos = hit + search.size();
    if (out.size() > kMaxLength) return {};
  }
  out.append(text.substr(pos));
  return tooLong(out) ? std::string() : out;
}

std::string expand(std::string_view t, const ExpandSource& src) {
  std::string out;
  int32_t k = 0;
  size_t i = 0;
  while (i < t.size()) {
    char c = t[i];
    if (c == '%' && i + 1 < t.size()) {
      char letter = t[i + 1];
      if (letter == '%') {
        out += '%';
        i += 2;
        continue;
      }
      if (isPlaceholderLetter(letter) && k < src.count) {
        out += element(letter, k++, src);
        i += 2;
        continue;
      }
    }
    if (c == '{') {
      Group g;
      if (parseGroup(t, i, g)) {
        if (!g.valid) {
          out.append(t.substr(i, g.close + 1 - i));
        } else {
          std::string_view prefix = t.substr(i + 1, g.placeholder - i - 1);
          std::string_view suffix = t.substr(g.suffix, g.close - g.suffix);
          for (int32_t n = 0; n < src.count; ++n) {
            if (g.comma && n > 0) out += ',';
            out.append(prefix).append(element(g.kind, src.lower + n, src)).append(suffix);
          }
        }
        i = g.close + 1;
        continue;
      }
    }
    out += c;
    ++i;
  }
  return out;
}

std::vector<char> buildTable(std::string_view bytes) {
  std::vector<char> table;
  table.reserve(bytes.size() + 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      table.push_back(0);
      ++i;
    } else {
      table.push_back(bytes[i]);
    }
  }
  if (table.empty() || table.back() != 0) table.push_back(0);
  table.push_back(26);
  return table;
}

std::string findInTable(const char* table, size_t size, std::string_view key) {
  if (!table) return {};
  std::string tag = "{" + std::string(key) + "}";
  std::string_view all(table, size);
  size_t line = 0;
  while (line < all.size() && all[line] != 26) {
    size_t end = all.find('\0', line);
    if (end == std::string_view::npos) end = all.size();
    std::string_view text = all.substr(line, end - line);
    size_t hit = text.find(tag);
    if (hit != std::string_view::npos) return std::string(text.substr(hit + tag.size()));
    line = end + 1;
  }
  return {};
}

} // namespace strcore
