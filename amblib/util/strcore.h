// The string algorithms behind the AmbStr… exports, on plain byte strings.
// No windows.h: the exports wrap these with host strings and the system's
// locale-aware case mapping, and the fuzzers call them directly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace strcore {

// Lengths of the trimming and substitution functions are counted in 16
// bits: an input or result longer than this gives the empty result.
constexpr size_t kMaxLength = 65535;

std::string leftTrim(std::string_view text);
std::string rightTrim(std::string_view text);
std::string trim(std::string_view text);
std::string pad(std::string_view text, int32_t n);

// One-character case mapping; the exports pass the system's locale-aware
// mapping, tests may use the ASCII default.
struct CaseMap {
  std::function<char(char)> upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
  std::function<char(char)> lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
};
std::string proper(std::string_view text, const CaseMap& map = {});

// Position of the last case-insensitive match at or before `start` (-1 =
// the last character), or -1.
int32_t scanReverse(std::string_view text, int32_t start, std::string_view search);

// Every non-overlapping occurrence, left to right, replaced. An empty
// search text leaves the text unchanged.
std::string substitute(std::string_view text, std::string_view search, std::string_view replacement);

// The elements of a host array, as the expansion reads them. Reading an
// index outside the array gives 0 or "".
struct ExpandSource {
  int32_t lower = 0;
  int32_t count = 0;
  std::function<long(int32_t index)> number;
  std::function<std::string(int32_t index)> string;
};
std::string expand(std::string_view tmpl, const ExpandSource& src);

// String tables: the file's bytes with each CR LF turned into a zero byte,
// a final zero if missing, and the end mark 26.
constexpr size_t kMaxTableFile = 65533;
std::vector<char> buildTable(std::string_view fileBytes);
// The text after "{key}" on the first line that holds it, or "" — never
// reading beyond `size` bytes of the table, whatever they hold.
std::string findInTable(const char* table, size_t size, std::string_view key);

} // namespace strcore
