#include "hosttools.h"

#include <cstring>

namespace {

HANDLE g_heap;
int g_rightToLeft = -1;

// Memory operations may be called before attach finished in odd load
// orders; the heap is made on first need.
HANDLE heap() {
  if (!g_heap) g_heap = HeapCreate(0, 0, 0);
  return g_heap;
}

bool ours(const void* block) { return block && heap() && HeapValidate(heap(), 0, block); }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool uiIsRightToLeft() {
  switch (PRIMARYLANGID(GetUserDefaultUILanguage())) {
  case LANG_ARABIC: case LANG_HEBREW: case LANG_FARSI: case LANG_URDU: case 0x3D /* Yiddish */:
    return true;
  }
  return false;
}

} // namespace

extern "C" {

void* __stdcall HtAlloc(DWORD size) { return heap() ? HeapAlloc(heap(), HEAP_ZERO_MEMORY, size ? size : 1) : nullptr; }

void* __stdcall HtRealloc(void* block, DWORD size) {
  if (!block) return HtAlloc(size);
  if (!ours(block)) return nullptr;
  return HeapReAlloc(heap(), HEAP_ZERO_MEMORY, block, size ? size : 1);
}

BOOL __stdcall HtFree(void* block) { return ours(block) && HeapFree(heap(), 0, block); }

DWORD __stdcall HtSize(const void* block) {
  if (!ours(block)) return 0;
  SIZE_T n = HeapSize(heap(), 0, block);
  return n == SIZE_T(-1) ? 0 : DWORD(n);
}

BOOL __stdcall HtTextEqual(const char* a, const char* b) {
  if (!a || !b) return a == b;
  return strcmp(a, b) == 0;
}

BOOL __stdcall HtIsRightToLeft(void) { return g_rightToLeft < 0 ? uiIsRightToLeft() : g_rightToLeft != 0; }

void __stdcall HtSetRightToLeft(int answer) { g_rightToLeft = answer < 0 ? -1 : answer != 0; }

void __stdcall HtNameClean(char* name) {
  if (!name) return;
  char* out = name;
  bool pendingBlank = false;
  for (const char* p = name; *p;) {
    if (isBlank(*p)) {
      pendingBlank = out != name;
      ++p;
      continue;
    }
    if (pendingBlank) *out++ = ' ';
    pendingBlank = false;
    if (IsDBCSLeadByte(BYTE(*p)) && p[1]) *out++ = *p++;
    *out++ = *p++;
  }
  *out = 0;
}

char* __stdcall HtFindChar(const char* text, int ch) {
  if (!text) return nullptr;
  for (const char* p = text; *p; ++p) {
    if (BYTE(*p) == BYTE(ch)) return const_cast<char*>(p);
    if (IsDBCSLeadByte(BYTE(*p)) && p[1]) ++p;
  }
  return nullptr;
}

BOOL __stdcall HtIsLeadByte(int ch) { return IsDBCSLeadByte(BYTE(ch)); }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && !reserved && g_heap) {
    HeapDestroy(g_heap);
    g_heap = nullptr;
  }
  return TRUE;
}

} // extern "C"
