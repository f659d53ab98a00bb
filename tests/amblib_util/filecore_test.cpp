#include "filecore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace filecore;

namespace {

// A file in memory read through a line buffer of a chosen capacity.
struct MemFile {
  std::string data;
  std::vector<char> buf;
  LineBuffer lb;
  LineIo io;
  bool growFails = false;
  int reads = 0;

  explicit MemFile(std::string d, uint32_t capacity = kLineBufferSize) : data(std::move(d)), buf(capacity) {
    lb.capacity = capacity;
    io.buffer = buf.data();
    io.readAt = [this](uint32_t off, char* dst, uint32_t n) -> int64_t {
      ++reads;
      if (off >= data.size()) return 0;
      uint32_t k = std::min<uint32_t>(n, uint32_t(data.size() - off));
      memcpy(dst, data.data() + off, k);
      return k;
    };
    io.grow = [this](uint32_t cap) -> char* {
      if (growFails) return nullptr;
      buf.resize(cap);
      return buf.data();
    };
  }

  std::vector<std::string> lines(int32_t* last = nullptr) {
    std::vector<std::string> out;
    std::string line;
    int32_t r;
    while ((r = readLine(lb, io, line)) == kOk && out.size() < 1000) out.push_back(line);
    if (last) *last = r;
    return out;
  }
};

using Lines = std::vector<std::string>;

} // namespace

TEST(LineReader, SplitsAtCarriageReturnLineFeed) {
  struct { std::string data; Lines lines; } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\nb", {"a"}},                       // last line without CR LF is not returned
      {"", {}},
      {"\r\n\r\n", {"", ""}},
      {"a\rb\nc\r\n", {"a\rb\nc"}},            // lone CR and LF stay in the line
      {"a\r\nb\x1a\r\nc\r\n", {"a"}},          // Ctrl-Z ends the data
      {"\x1a" "a\r\n", {}},
  };
  for (const auto& c : cases) {
    int32_t last = 0;
    MemFile f(c.data);
    EXPECT_EQ(f.lines(&last), c.lines) << c.data;
    EXPECT_EQ(last, kNoMoreData);
    // The end stays the end: nothing beyond an end mark comes back later.
    std::string line;
    EXPECT_EQ(readLine(f.lb, f.io, line), kNoMoreData) << c.data;
  }
}

TEST(LineReader, RefillsAcrossBufferBoundaries) {
  std::string data;
  Lines expected;
  for (int i = 0; i < 50; ++i) {
    expected.push_back(std::string(size_t(i % 7), char('a' + i % 26)));
    data += expected.back() + "\r\n";
  }
  MemFile f(data, 8);
  EXPECT_EQ(f.lines(), expected);
  EXPECT_EQ(tell(f.lb), data.size());
}

TEST(LineReader, LongLineGrowsTheBuffer) {
  std::string longLine(20000, 'x');
  MemFile f("first\r\n" + longLine + "\r\nlast\r\n");
  EXPECT_EQ(f.lines(), (Lines{"first", longLine, "last"}));
  EXPECT_GE(f.lb.capacity, 20002u);
  EXPECT_LT(f.reads, 20);

  MemFile g(longLine + "\r\n");
  g.growFails = true;
  int32_t last = 0;
  EXPECT_TRUE(g.lines(&last).empty());
  EXPECT_EQ(last, kNoMemory);
}

TEST(LineReader, TellIsTheNextLine) {
  MemFile f("ab\r\ncd\r\nef\r\n");
  std::string line;
  ASSERT_EQ(readLine(f.lb, f.io, line), kOk);
  EXPECT_EQ(tell(f.lb), 4u);
  // Reading from an offset, as after a seek: the buffer starts there.
  MemFile g("ab\r\ncd\r\nef\r\n");
  g.lb.base = 4;
  ASSERT_EQ(readLine(g.lb, g.io, line), kOk);
  EXPECT_EQ(line, "cd");
  EXPECT_EQ(tell(g.lb), 8u);
}

TEST(LineReader, ReadErrorIsPassedOn) {
  MemFile f("ab\r\n");
  f.io.readAt = [](uint32_t, char*, uint32_t) -> int64_t { return -33; };
  std::string line;
  EXPECT_EQ(readLine(f.lb, f.io, line), 33);
}

TEST(TargetName, DosPatterns) {
  struct { const char *pattern, *source, *target; } cases[] = {
      {"x?z.*", "abc.txt", "xbz.txt"},  {"*.bak", "a.txt", "a.bak"},   {"*.*", "name.ext", "name.ext"},
      {"", "keep.me", "keep.me"},       {"*", "a.b.c", "a"},           {"?", "abc", "a"},
      {"????????.???", "ab.c", "ab.c"}, {"new.txt", "old.dat", "new.txt"}, {"*.", "abc.txt", "abc."},
      {"a*", "xyz", "ayz"},             {"*.t?t", "read.me", "read.tet"},  {"x.*", "noext", "x."},
  };
  for (const auto& c : cases) EXPECT_EQ(targetName(c.pattern, c.source), c.target) << c.pattern << " " << c.source;
  EXPECT_EQ(targetName(std::string(400, 'n'), "a").size(), 259u);
  EXPECT_EQ(targetName("*", std::string(400, 's')).size(), 259u);
}

TEST(TargetName, PatternFolder) {
  struct { const char *pattern, *folder; } cases[] = {
      {"C:\\src\\*.txt", "C:\\src\\"}, {"C:*.txt", "C:"}, {"*.txt", ""}, {"a\\b", "a\\"}, {"", ""}, {"\\x", "\\"}};
  for (const auto& c : cases) EXPECT_EQ(patternFolder(c.pattern), c.folder) << c.pattern;
}
