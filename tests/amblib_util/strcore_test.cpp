#include "strcore.h"

#include <gtest/gtest.h>

using namespace strcore;

TEST(StrCore, Trimming) {
  struct { std::string in, left, right, both; } cases[] = {
      {"  ab  ", "ab  ", "  ab", "ab"},
      {"    ", "", "", ""},
      {"", "", "", ""},
      {"ab\t ", "ab\t ", "ab\t", "ab\t"}, // only the space is white space
      {"\tab", "\tab", "\tab", "\tab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(leftTrim(c.in), c.left) << "[" << c.in << "]";
    EXPECT_EQ(rightTrim(c.in), c.right) << "[" << c.in << "]";
    EXPECT_EQ(trim(c.in), c.both) << "[" << c.in << "]";
  }
  std::string huge(kMaxLength + 1, 'x');
  EXPECT_EQ(trim(huge), "");
  EXPECT_EQ(trim(std::string(kMaxLength, 'x')).size(), kMaxLength);
}

TEST(StrCore, Pad) {
  struct { std::string in; int n; std::string out; } cases[] = {
      {"abcdef", 3, "abc"}, {"ab", 4, "ab  "}, {"ab", 0, ""}, {"ab", -5, ""}, {"", 2, "  "}, {"ab", 2, "ab"}};
  for (const auto& c : cases) EXPECT_EQ(pad(c.in, c.n), c.out) << c.in << " " << c.n;
}

TEST(StrCore, ProperCase) {
  struct { std::string in, out; } cases[] = {
      {"JOHN o'neil-SMITH", "John O'Neil-Smith"},
      {"mcdonald macdonald", "McDonald MacDonald"},
      {"machine mcx mcy", "MacHine McX Mcy"},
      {"mac", "Mac"},           // nothing after "Mac"
      {"mac donald", "Mac Donald"},
      {"a1b c\td", "A1b C\td"}, // digits and tabs are not delimiters
      {"x.y/z", "X.Y/Z"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(proper(c.in), c.out) << c.in;
}

TEST(StrCore, ScanReverse) {
  struct { std::string text; int start; std::string search; int pos; } cases[] = {
      {"abcABC", -1, "bc", 4}, {"abcABC", 3, "bc", 1}, {"abcABC", 6, "bc", -1}, {"abcABC", -2, "bc", -1},
      {"abcABC", 5, "C", 5},   {"abcABC", -1, "xyz", -1}, {"abcABC", 2, "", 2}, {"abcABC", 5, "BCx", -1},
      {"", -1, "", -1},        {"aaa", -1, "aa", 1}};
  for (const auto& c : cases) EXPECT_EQ(scanReverse(c.text, c.start, c.search), c.pos) << c.text << " " << c.start << " " << c.search;
}

TEST(StrCore, Substitute) {
  struct { std::string text, search, repl, out; } cases[] = {
      {"aaa", "aa", "b", "ba"},    {"a.b.c", ".", "::", "a::b::c"}, {"abc", "", "x", "abc"},
      {"abc", "B", "x", "abc"},    {"abc", "abc", "", ""},          {"xyx", "x", "xx", "xxyxx"}};
  for (const auto& c : cases) EXPECT_EQ(substitute(c.text, c.search, c.repl), c.out) << c.text;
  // A result beyond the 16-bit range is refused, not truncated.
  EXPECT_EQ(substitute(std::string(40000, 'a'), "a", "bb"), "");
}

namespace {
ExpandSource names(std::vector<std::string> v, int32_t lower = 0) {
  ExpandSource s;
  s.lower = lower;
  s.count = int32_t(v.size());
  s.string = [v, lower](int32_t i) { return i - lower >= 0 && size_t(i - lower) < v.size() ? v[size_t(i - lower)] : std::string(); };
  s.number = [v, lower](int32_t i) { return i - lower >= 0 && size_t(i - lower) < v.size() ? atol(v[size_t(i - lower)].c_str()) : 0L; };
  return s;
}
} // namespace

TEST(StrCore, Expand) {
  struct { std::string tmpl; std::vector<std::string> elems; std::string out; } cases[] = {
      {"Names: {%,s}.", {"Ann", "Bob"}, "Names: Ann,Bob."},
      {"%s and %s", {"Ann", "Bob"}, "Ann and Bob"},
      {"%s %s %s", {"Ann", "Bob"}, "Ann Bob %s"},
      {"{%u}", {"a", "b", "c"}, "012"},
      {"100%% %n", {"42"}, "100% 42"},
      {"%x %u", {"a"}, "%x 0"},
      {"{[%s]}", {"a", "b"}, "[a][b]"},
      {"{%,n%}", {"1", "2"}, "1%,2%"},     // a '%' in the suffix is text
      {"{5% of %s}", {"x"}, "5% of x"},    // an earlier '%' belongs to the prefix
      {"{text}", {"a"}, "{text}"},         // no placeholder: copied unchanged
      {"{%d}", {"a"}, "{%d}"},
      {"{%s", {"a"}, "{a"},               // not closed: plain text, then %s
      {"{ abc", {"a"}, "{ abc"},
      {"{%s}", {}, ""},                   // no elements, nothing written
      {"", {"a"}, ""},
      {"%", {"a"}, "%"},
  };
  for (const auto& c : cases) EXPECT_EQ(expand(c.tmpl, names(c.elems)), c.out) << c.tmpl;
  // Groups run over the array's own index range; top-level placeholders
  // count from 0.
  EXPECT_EQ(expand("{%u,}", names({"a", "b"}, 1)), "1,2,");
}

TEST(StrCore, ExpandGrowsPastAnyEstimate) {
  // A template that starts with a number and later uses long strings.
  std::string big(5000, 'z');
  auto src = names({"7", big});
  EXPECT_EQ(expand("%n %s", src), "7 " + big);
}

TEST(StrCore, Tables) {
  auto t = buildTable("greeting {HELLO}Good day\r\nlone\rcr\nlf\r\n{BYE}See you");
  const std::string expected = std::string("greeting {HELLO}Good day") + '\0' + "lone\rcr\nlf" + '\0' + "{BYE}See you" + '\0' + char(26);
  EXPECT_EQ(std::string(t.begin(), t.end()), expected);
  EXPECT_EQ(findInTable(t.data(), t.size(), "HELLO"), "Good day");
  EXPECT_EQ(findInTable(t.data(), t.size(), "hello"), "");
  EXPECT_EQ(findInTable(t.data(), t.size(), "BYE"), "See you");
  EXPECT_EQ(findInTable(t.data(), t.size(), "NONE"), "");
  auto empty = buildTable("");
  EXPECT_EQ(std::string(empty.begin(), empty.end()), std::string("\0\x1a", 2));
  EXPECT_EQ(findInTable(empty.data(), empty.size(), ""), "");
  // A block without end mark or terminator is read only within its size.
  const char raw[] = {'{', 'K', '}', 'v'};
  EXPECT_EQ(findInTable(raw, sizeof raw, "K"), "v");
  EXPECT_EQ(findInTable(nullptr, 10, "K"), "");
  // Text after the end mark is not part of the table.
  auto withMark = buildTable(std::string("a\r\n") + char(26) + "\r\n{K}x");
  EXPECT_EQ(findInTable(withMark.data(), withMark.size(), "K"), "");
}
