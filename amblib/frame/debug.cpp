// Debugging aids for application developers: assertions, leveled debug
// strings and a stopwatch with a timing report.
#include <windows.h>

#include <cstring>
#include <string>

#include "hostrt.h"
#include "timing.h"

namespace {

constexpr DWORD DebugToMessageBox = 0x00080000;
constexpr UINT TimingBufferStep = 512;

DWORD g_flags = 0x00010000;
WORD g_level = 0;
// The marks: movable local memory, created by the first begin.
HLOCAL g_timing;
UINT g_timingUsed;
UINT g_markCount;
SYSTEMTIME g_begin;

bool recordMark(const char* text) {
  if (!g_timing) return false;
  size_t need = amb::timing::markSize(text);
  UINT capacity = UINT(LocalSize(g_timing));
  if (g_timingUsed + need > capacity) {
    UINT grown = UINT((g_timingUsed + need + TimingBufferStep - 1) / TimingBufferStep * TimingBufferStep);
    HLOCAL bigger = LocalReAlloc(g_timing, grown, LMEM_MOVEABLE);
    if (!bigger) return false;
    g_timing = bigger;
  }
  auto* base = static_cast<uint8_t*>(LocalLock(g_timing));
  if (!base) return false;
  amb::timing::writeMark(base + g_timingUsed, GetTickCount(), text);
  LocalUnlock(g_timing);
  g_timingUsed += UINT(need);
  ++g_markCount;
  return true;
}

std::string beginTimeOfDay() {
  HostDate date;
  char text[64] = "";
  if (HostDateMake(&date, g_begin.wYear, g_begin.wMonth, g_begin.wDay, g_begin.wHour, g_begin.wMinute,
                   g_begin.wSecond))
    HostFormatDateTime(date, "hh:mm:ss AMPM", text, sizeof text);
  return text;
}

} // namespace

extern "C" LONG WINAPI AmbDebugAssert(BOOL condition, LPCSTR text) {
  if (condition) return 1;
  std::string context, joined;
  try {
    HWND active = GetActiveWindow();
    LONG length = HostContextText(active, nullptr, 0);
    if (length > 0) {
      context.resize(size_t(length) + 1);
      HostContextText(active, context.data(), length + 1);
      context.resize(std::strlen(context.c_str()));
    }
    joined = context + ": " + (text ? text : "");
  } catch (...) {
    joined.clear();  // no memory for the joined text: the context alone
  }
  MessageBoxA(nullptr, joined.empty() ? context.c_str() : joined.c_str(), "Assertion Failure",
              MB_OK | MB_ICONEXCLAMATION);
  return 1;
}

extern "C" LONG WINAPI AmbDebugString(LPCSTR text, WORD level) {
  if (level > g_level) return 0;
  if (!text) text = "";
  if (g_flags & DebugToMessageBox) {
    MessageBoxA(nullptr, text, "Debug", MB_OK | MB_ICONEXCLAMATION);
  } else {
    OutputDebugStringA(text);
    OutputDebugStringA("\n");
  }
  return 1;
}

extern "C" DWORD WINAPI AmbDebugGetFlags() { return g_flags; }

extern "C" DWORD WINAPI AmbDebugSetFlags(DWORD flags, BOOL set) {
  g_flags = set ? (g_flags | flags) : (g_flags & ~flags);
  return g_flags;
}

extern "C" LONG WINAPI AmbDebugSetLevel(WORD level) {
  g_level = level;
  return 1;
}

extern "C" BOOL WINAPI AmbDebugBeginTime() {
  if (!g_timing) g_timing = LocalAlloc(LMEM_MOVEABLE, TimingBufferStep);
  if (!g_timing) return FALSE;
  g_timingUsed = 0;
  g_markCount = 0;
  GetLocalTime(&g_begin);
  return recordMark("");
}

extern "C" BOOL WINAPI AmbDebugSetTime(LPCSTR text) { return recordMark(text ? text : ""); }

extern "C" BOOL WINAPI AmbDebugEndTime(WORD level) {
  if (level > g_level || !g_timing || g_markCount == 0) return FALSE;
  std::string report;
  try {
    auto* base = static_cast<const uint8_t*>(LocalLock(g_timing));
    if (base) report = amb::timing::report(base, g_timingUsed, beginTimeOfDay());
    LocalUnlock(g_timing);
  } catch (...) {
    return FALSE;
  }
  MessageBoxA(nullptr, report.c_str(), "Performance Time", MB_OK | MB_ICONEXCLAMATION);
  LocalFree(g_timing);
  g_timing = nullptr;
  g_timingUsed = g_markCount = 0;
  return TRUE;
}
