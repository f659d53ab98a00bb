// The stopwatch of the debug functions: marks are kept back to back in one
// buffer (movable local memory owned by the caller) as a 32-bit tick count
// followed by the mark's zero-terminated text. No windows.h here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace amb::timing {

// Bytes one mark takes in the buffer.
size_t markSize(const char* text);
// Writes a mark at `at`, which has room for markSize(text) bytes.
void writeMark(uint8_t* at, uint32_t ticks, const char* text);

// "m:ss.hh": minutes, seconds and hundredths of an elapsed time in ms.
std::string formatElapsed(uint32_t milliseconds);

// The report over `used` bytes of marks: "Begin: (" beginTime ")" and a line
// feed, a line "<text> m:ss.hh" per further mark with the time since the
// mark before it, and, with more than one interval, "Total m:ss.hh" over
// the whole run. A truncated last record is ignored.
std::string report(const uint8_t* marks, size_t used, const std::string& beginTime);

} // namespace amb::timing
