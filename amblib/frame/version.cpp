// The library's version and legal notice, and a few system values.
#include <windows.h>

#include <vector>

#include "hoststring.h"
#include "library.h"
#include "winversion.h"

namespace {

// The value under the query key of string `keyId` in the version resource
// of the library's own file; empty on any failure. The file is the one the
// library was loaded from: a search for "amblib.dll" would miss a library
// loaded from a folder off the path, or find another copy first.
CString versionValue(UINT keyId) {
  char path[MAX_PATH];
  DWORD pathLength = GetModuleFileNameA(amb::ModuleInstance(), path, MAX_PATH);
  if (!pathLength || pathLength >= MAX_PATH) return {};
  DWORD handle = 0, size = GetFileVersionInfoSizeA(path, &handle);
  if (!size) return {};
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path, 0, size, data.data())) return {};
  CString key = amb::LoadText(keyId);
  char* value = nullptr;
  UINT length = 0;
  if (key.IsEmpty() || !VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&value), &length) || !value)
    return {};
  return CString(value, int(strnlen(value, length)));
}

HSTRING versionString(UINT keyId) {
  CString value;
  try {
    value = versionValue(keyId);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return amb::MakeHostStringRetry(value);
}

} // namespace

extern "C" HSTRING WINAPI AmbGetVersion() { return versionString(IDS_VersionKey); }
extern "C" HSTRING WINAPI AmbGetCopyright() { return versionString(IDS_CopyrightKey); }

// The version as a number: major + minor / 10 in integer division would
// make 5.1 read 5.0 and 6.1 read 6.0, useless for the comparisons callers
// make, so the minor number becomes the decimal fraction.
extern "C" HostNumber WINAPI AmbGetWinVersion() {
  DWORD v = GetVersion();
  HostNumber n;
  HostNumberFromDouble(&n, windowsVersionNumber(LOBYTE(LOWORD(v)), HIBYTE(LOWORD(v))));
  return n;
}

extern "C" LONG WINAPI AmbGetWinFlags() { return 0; }
// Widened to 32 bits here: a caller taking the result as a number would
// otherwise read a pressed key (0xFF80 in 16 bits) as a positive value.
extern "C" LONG WINAPI AmbGetKeyState(LONG virtualKey) { return LONG(GetKeyState(virtualKey)); }
extern "C" LONG WINAPI AmbGetSystemMetrics(LONG index) { return GetSystemMetrics(index); }

extern "C" LRESULT WINAPI AmbSendMsgString(HWND window, UINT message, WPARAM wParam, LPCSTR text) {
  return SendMessageA(window, message, wParam, LPARAM(text));
}
