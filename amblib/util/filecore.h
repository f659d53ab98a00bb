// The parts of the AmbFile… functions that need no file system: the
// line reader's buffer logic, DOS-style target names and pattern folders.
// No windows.h, so they are unit-tested and fuzzed natively.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace filecore {

// Result codes the line reader shares with the exports.
constexpr int32_t kOk = 0;
constexpr int32_t kNoMemory = -8;
constexpr int32_t kNoMoreData = -18;

constexpr uint32_t kLineBufferSize = 8192;

// The read-ahead fields of a file record.
struct LineBuffer {
  uint32_t base = 0;     // file offset the buffer was last filled from
  uint32_t capacity = 0; // bytes the buffer holds
  uint32_t index = 0;    // offset in the buffer of the next line
  uint32_t fill = 0;     // valid bytes from the last read
};

struct LineIo {
  char* buffer = nullptr;
  // Reads up to n bytes at `offset` into dst; bytes read, or a negated
  // system error code.
  std::function<int64_t(uint32_t offset, char* dst, uint32_t n)> readAt;
  // Makes the buffer hold `capacity` bytes, keeping its contents; returns
  // the (possibly moved) buffer, or nullptr when memory is short.
  std::function<char*(uint32_t capacity)> grow;
};

// The next CR LF-terminated line (without its CR LF) into `line`. Returns
// kOk, kNoMoreData at the end of the data (a short read or a Ctrl-Z; a last
// line without CR LF is not returned), kNoMemory when a line longer than
// the buffer cannot get a bigger one, or a positive system error code.
int32_t readLine(LineBuffer& lb, LineIo& io, std::string& line);

// The logical position: the start of the next unread line.
inline uint32_t tell(const LineBuffer& lb) { return lb.base + lb.index; }

// The target name for `source` under the DOS-style name `pattern`
// ("*", "?", "."); at most 259 characters. An empty pattern keeps the name.
std::string targetName(std::string_view pattern, std::string_view source);

// The folder part of a search pattern: up to and including the last "\",
// else "X:" for a pattern starting with a drive, else "".
std::string patternFolder(std::string_view pattern);

} // namespace filecore
