// The test log of observable host events, and small text helpers.
#include "runtime.h"

#include <cstdio>

namespace hostrt {

namespace {
std::string g_log;
}

void logEvent(const std::string& line) {
  g_log += line;
  g_log += '\n';
}

std::string hex32(DWORD value) {
  char buf[16];
  snprintf(buf, sizeof buf, "0x%08lX", (unsigned long)value);
  return buf;
}

LONG copyOut(const std::string& text, LPSTR buffer, LONG size) {
  if (buffer && size > 0) {
    size_t n = std::min(text.size(), size_t(size - 1));
    memcpy(buffer, text.data(), n);
    buffer[n] = 0;
  }
  return LONG(text.size());
}

} // namespace hostrt

using namespace hostrt;

extern "C" {

LONG HOSTAPI HostTestLog(LPSTR buffer, LONG size) {
  return guarded<LONG>(-1, [&] { return copyOut(g_log, buffer, size); });
}

void HOSTAPI HostTestClearLog(void) { g_log.clear(); }

} // extern "C"
