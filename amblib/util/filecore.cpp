#include "filecore.h"

namespace filecore {
namespace {

constexpr char kCtrlZ = 26;
constexpr size_t kMaxName = 259;

int32_t refill(LineBuffer& lb, LineIo& io) {
  int64_t got = io.readAt(lb.base, io.buffer, lb.capacity);
  if (got < 0) return int32_t(-got);
  lb.fill = uint32_t(got);
  return kOk;
}

} // namespace

int32_t readLine(LineBuffer& lb, LineIo& io, std::string& line) {
  if (lb.fill <= lb.index) {
    lb.base += lb.index;
    lb.index = 0;
    if (int32_t err = refill(lb, io)) return err;
  }
  for (;;) {
    for (uint32_t i = lb.index; i < lb.fill; ++i) {
      char c = io.buffer[i];
      // The end mark stays in the buffer, so every later call ends there too.
      if (c == kCtrlZ) return kNoMoreData;
      // A line ends at a line feed right after a carriage return; a lone
      // CR or LF is part of the line.
      if (c == '\n' && i > lb.index && io.buffer[i - 1] == '\r') {
        line.assign(io.buffer + lb.index, i - 1 - lb.index);
        lb.index = i + 1;
        return kOk;
      }
    }
    if (lb.fill < lb.capacity) return kNoMoreData;
    if (lb.index == 0) {
      // The line does not fit: give it a bigger buffer rather than refill
      // the same bytes for ever.
      char* bigger = lb.capacity <= UINT32_MAX / 2 ? io.grow(lb.capacity * 2) : nullptr;
      if (!bigger) return kNoMemory;
      io.buffer = bigger;
      lb.capacity *= 2;
    } else {
      lb.base += lb.index;
      lb.index = 0;
    }
    if (int32_t err = refill(lb, io)) return err;
  }
}

std::string targetName(std::string_view pattern, std::string_view source) {
  if (pattern.empty()) return std::string(source.substr(0, kMaxName));
  std::string out;
  size_t s = 0;
  auto atDotOrEnd = [&] { return s >= source.size() || source[s] == '.'; };
  for (size_t p = 0; p < pattern.size() && out.size() < kMaxName; ++p) {
    switch (char c = pattern[p]) {
    case '*': {
      size_t dot = source.find('.', s);
      size_t end = dot == std::string_view::npos ? source.size() : dot;
      out.append(source.substr(s, end - s));
      s = end;
      size_t next = pattern.find('.', p);
      p = (next == std::string_view::npos ? pattern.size() : next) - 1;
      break;
    }
    case '.': {
      out += '.';
      size_t dot = source.find('.', s);
      s = dot == std::string_view::npos ? source.size() : dot + 1;
      break;
    }
    case '?':
      if (!atDotOrEnd()) out += source[s++];
      break;
    default:
      out += c;
      if (!atDotOrEnd()) ++s;
    }
  }
  if (out.size() > kMaxName) out.resize(kMaxName);
  return out;
}

std::string patternFolder(std::string_view pattern) {
  size_t slash = pattern.rfind('\\');
  if (slash != std::string_view::npos) return std::string(pattern.substr(0, slash + 1));
  if (pattern.size() >= 2 && pattern[1] == ':') return std::string(pattern.substr(0, 2));
  return {};
}

} // namespace filecore
