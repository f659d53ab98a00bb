#include "textmatch.h"

#include <cctype>

namespace hostrt {

namespace {

struct PatternChar {
  char c;
  bool literal;
};

std::vector<PatternChar> compile(std::string_view pattern) {
  std::vector<PatternChar> out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '\\' && i + 1 < pattern.size())
      out.push_back({pattern[++i], true});
    else
      out.push_back({pattern[i], false});
  }
  return out;
}

bool sameChar(char a, char b) { return tolower((unsigned char)a) == tolower((unsigned char)b); }

} // namespace

long textMatch(std::string_view text, std::string_view patternText) {
  std::vector<PatternChar> p = compile(patternText);
  size_t m = p.size(), n = text.size();
  // reach[j]: the pattern prefix of length j matches text[start..pos).
  std::vector<char> reach(m + 1), next(m + 1);
  for (size_t start = 0; start <= n; ++start) {
    std::fill(reach.begin(), reach.end(), 0);
    reach[0] = 1;
    for (size_t pos = start;; ++pos) {
      for (size_t j = 0; j < m; ++j)  // '%' may match nothing
        if (reach[j] && !p[j].literal && p[j].c == '%') reach[j + 1] = 1;
      if (reach[m]) return long(start);
      if (pos == n) break;
      std::fill(next.begin(), next.end(), 0);
      bool any = false;
      for (size_t j = 0; j < m; ++j) {
        if (!reach[j]) continue;
        const PatternChar& pc = p[j];
        if (!pc.literal && pc.c == '%') {
          next[j] = 1;
        } else if ((!pc.literal && pc.c == '_') || sameChar(pc.c, text[pos])) {
          next[j + 1] = 1;
        } else {
          continue;
        }
        any = true;
      }
      if (!any) break;
      reach.swap(next);
    }
  }
  return -1;
}

std::vector<std::string> tokenize(std::string_view text, std::string_view startDelims, std::string_view endDelims) {
  std::vector<std::string> tokens;
  size_t i = 0, n = text.size();
  while (i < n) {
    while (i < n && startDelims.find(text[i]) != std::string_view::npos) ++i;
    if (i == n) break;
    size_t end = i;
    while (end < n && endDelims.find(text[end]) == std::string_view::npos) ++end;
    tokens.emplace_back(text.substr(i, end - i));
    i = end < n ? end + 1 : n;
  }
  return tokens;
}

} // namespace hostrt
