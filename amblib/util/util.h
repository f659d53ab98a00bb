// What the utility exports share: host-string results through the retry
// loop, reading host strings, and the guard that keeps exceptions (a
// failed allocation) inside the export.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "hoststring.h"
#include "hostrt.h"

namespace amb::util {

// A new host string with the text (the error-recovery prompt on failure).
inline HSTRING result(std::string_view text) { return MakeHostStringRetry(std::string(text).c_str()); }

// The text of a host string up to its first zero; "" for 0 or an unknown handle.
inline std::string text(HSTRING s) {
  DWORD size = 0;
  const char* p = s ? HostStrLock(s, &size) : nullptr;
  return p ? std::string(p, strnlen(p, size)) : std::string();
}

inline std::string_view view(const char* s) { return s ? std::string_view(s) : std::string_view(); }

// Makes the caller's string variable `size` bytes long: the string it
// holds is resized; when it holds none (or an unknown handle) a new string
// is stored there. Its bytes, or nullptr when no memory could be had.
char* sized(HSTRING* var, DWORD size);

// Puts the text into the caller's string variable (as `sized`). FALSE when
// no memory could be had.
bool assign(HSTRING* var, std::string_view text);

// The frame's: arrays that results are written into from index 0.
using amb::openFromZero;

// Runs the export's body; any exception gives the failure value.
template <class R, class F> R guarded(R failure, F body) {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// The full name of a file found along the Windows search path (current
// folder, the program's folder, the system folders, "PATH"); "" when not
// found. A search that reports an invalid parameter is reported as file
// not found.
std::string searchPath(const char* name, DWORD* error = nullptr);

// An environment variable of the process ("" when unset). Read through the
// system, not the C runtime's copy, so a test's setting is seen.
std::string environment(const char* name);

} // namespace amb::util
