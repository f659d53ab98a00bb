// Host strings: counted byte buffers with hold counts.
#include "core/textmatch.h"
#include "runtime.h"

#include <map>
#include <memory>

namespace hostrt {

namespace {

std::map<HSTRING, StringEntry> g_strings;
HSTRING g_nextString = 0x01000001;
LONG g_failCreates = 0;  // test hook: creations left to fail, -1 = all

bool creationRefused() {
  if (g_failCreates == 0) return false;
  if (g_failCreates > 0) --g_failCreates;
  return true;
}

} // namespace

StringEntry* findString(HSTRING handle) {
  auto it = g_strings.find(handle);
  return it == g_strings.end() ? nullptr : &it->second;
}

// A size whose buffer (with the runtime's own guard byte) a 32-bit process
// cannot hold is refused before any arithmetic on it can wrap.
bool sizeTooLarge(DWORD size) { return size >= 0x7FFFFFFF; }

HSTRING makeString(const void* data, DWORD size) {
  if (creationRefused() || sizeTooLarge(size)) return 0;
  StringEntry entry;
  entry.bytes.assign(size_t(size) + 1, '\0');
  if (data && size) memcpy(entry.bytes.data(), data, size);
  HSTRING handle = g_nextString++;
  g_strings.emplace(handle, std::move(entry));
  return handle;
}

void releaseString(HSTRING handle) {
  auto it = g_strings.find(handle);
  if (it != g_strings.end() && --it->second.holds <= 0) g_strings.erase(it);
}

} // namespace hostrt

using namespace hostrt;

extern "C" {

HSTRING HOSTAPI HostStrCreate(DWORD size) {
  return guarded<HSTRING>(0, [&] { return makeString(nullptr, size); });
}

HSTRING HOSTAPI HostStrFromText(LPCSTR text) {
  return guarded<HSTRING>(0, [&]() -> HSTRING { return text ? makeString(text, DWORD(strlen(text) + 1)) : 0; });
}

BOOL HOSTAPI HostStrSetSize(HSTRING string, DWORD size) {
  return guarded<BOOL>(FALSE, [&] {
    StringEntry* s = findString(string);
    if (!s || sizeTooLarge(size)) return FALSE;
    std::vector<char> resized(size_t(size) + 1, '\0');
    memcpy(resized.data(), s->bytes.data(), std::min<size_t>(size, s->size()));
    s->bytes.swap(resized);
    return TRUE;
  });
}

LPSTR HOSTAPI HostStrLock(HSTRING string, DWORD* size) {
  StringEntry* s = findString(string);
  if (size) *size = s ? s->size() : 0;
  return s ? s->bytes.data() : nullptr;
}

LONG HOSTAPI HostStrGetLength(HSTRING string) {
  StringEntry* s = findString(string);
  if (!s) return -1;
  return s->size() ? LONG(s->size() - 1) : 0;
}

LONG HOSTAPI HostStrHold(HSTRING string) {
  StringEntry* s = findString(string);
  return s ? ++s->holds : 0;
}

LONG HOSTAPI HostStrFree(HSTRING string) {
  StringEntry* s = findString(string);
  if (!s) return -1;
  LONG left = s->holds - 1;
  releaseString(string);
  return left;
}

LONG HOSTAPI HostStrHolds(HSTRING string) {
  StringEntry* s = findString(string);
  return s ? s->holds : 0;
}

LONG HOSTAPI HostStrTokenize(LPCSTR text, LPCSTR startDelims, LPCSTR endDelims, HARRAY array) {
  return guarded<LONG>(-1, [&] {
    auto tokens = tokenize(text ? text : "", startDelims ? startDelims : "", endDelims ? endDelims : "");
    return storeStrings(array, tokens);
  });
}

LONG HOSTAPI HostTestFailStrCreate(LONG count) {
  LONG previous = g_failCreates;
  g_failCreates = count < -1 ? -1 : count;
  return previous;
}

LONG HOSTAPI HostTestLiveStrings(void) { return LONG(g_strings.size()); }

} // extern "C"
