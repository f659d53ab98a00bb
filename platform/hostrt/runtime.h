// What the parts of the runtime share: the exception guard every export
// runs in, the test log, and access to strings, arrays and outlines by
// handle.
#pragma once
#include "core/decimal.h"
#include "core/outline.h"
#include "hostrt.h"

#include <cstring>
#include <string>
#include <vector>

namespace hostrt {

// No exception may leave an export: bad_alloc and the like become the
// call's failure value.
template <class R, class F> R guarded(R failure, F&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

void logEvent(const std::string& line);
std::string hex32(DWORD value);

// Copies text into a caller's buffer when there is one (at most size - 1
// bytes and a zero) and returns the text's full length.
LONG copyOut(const std::string& text, LPSTR buffer, LONG size);

// Strings.
struct StringEntry {
  std::vector<char> bytes;  // size + 1: one hidden zero keeps every buffer terminated
  LONG holds = 1;
  DWORD size() const { return DWORD(bytes.size() - 1); }
};
StringEntry* findString(HSTRING handle);
// A new string with the bytes (0 on failure, or when the test hook says so).
HSTRING makeString(const void* data, DWORD size);
void releaseString(HSTRING handle);

// Host values.
inline ValueBytes valueBytes(const HostValue& v) {
  ValueBytes b;
  memcpy(b.data(), v.bytes, b.size());
  return b;
}
bool storeValue(HostValue* out, const ValueBytes& bytes);

// Arrays.
bool isStringType(LONG type);
// Stores the strings as new strings from the array's lower bound and sets
// the upper bound to the last one; the count, -1 on failure.
LONG storeStrings(HARRAY array, const std::vector<std::string>& texts);

// Outlines.
Outline* findOutline(HOUTLINE handle);
Item* findItem(HOUTLINE outline, HITEM item);
Item* findTreeItem(HOUTLINE outline, HITEM item);  // only items in the tree
HOUTLINE adoptOutline(std::unique_ptr<Outline> outline);

// Windows (hostwindows.cpp).
struct WindowInfo;
WindowInfo* findWindow(HWND window);
void unmapItems(const std::vector<Item*>& items);
void registerHostClasses(HINSTANCE instance);
void unregisterHostClasses(HINSTANCE instance);
void removeCreationHook();

} // namespace hostrt
