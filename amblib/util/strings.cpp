// AmbStr…: the string functions, over the pure core in strcore.
#include <windows.h>

#include <set>

#include "strcore.h"
#include "ambutil.h"
#include "util.h"

using namespace amb::util;

namespace {

// Tables handed out and not yet freed: a stale or foreign handle finds
// nothing instead of reading someone else's memory.
std::set<LONG>& liveTables() {
  static std::set<LONG> tables;
  return tables;
}

// The size reported as low 32 bits would read a file of 2 GB or more as
// an error code, or one of 4 GB and a few bytes as a small table: the whole
// size decides.
bool tooBigForTable(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
         (data.nFileSizeHigh || data.nFileSizeLow > strcore::kMaxTableFile);
}

strcore::CaseMap systemCase() {
  strcore::CaseMap map;
  map.upper = [](char c) { return char(LOWORD(reinterpret_cast<DWORD_PTR>(CharUpperA(LPSTR(DWORD_PTR(BYTE(c))))))); };
  map.lower = [](char c) { return char(LOWORD(reinterpret_cast<DWORD_PTR>(CharLowerA(LPSTR(DWORD_PTR(BYTE(c))))))); };
  return map;
}

strcore::ExpandSource arraySource(HARRAY array) {
  strcore::ExpandSource src;
  LONG count = 0, lower = 0;
  if (HostArrayGetBounds(array, &count, &lower, nullptr)) {
    src.count = count;
    src.lower = lower;
  }
  src.number = [array](int32_t i) {
    HostNumber n{};
    return HostArrayGetNumber(array, i, &n) ? long(HostNumberToLong(n)) : 0L;
  };
  src.string = [array](int32_t i) {
    HSTRING s = 0;
    return HostArrayGetString(array, i, &s) ? text(s) : std::string();
  };
  return src;
}

} // namespace

extern "C" {

HSTRING WINAPI AmbStrChoose(LONG condition, HSTRING a, HSTRING b) {
  HSTRING chosen = condition ? a : b;
  HostStrHold(chosen);
  return chosen;
}

HSTRING WINAPI AmbStrLeftTrim(LPCSTR s) { return guarded<HSTRING>(0, [&] { return result(strcore::leftTrim(view(s))); }); }
HSTRING WINAPI AmbStrRightTrim(LPCSTR s) { return guarded<HSTRING>(0, [&] { return result(strcore::rightTrim(view(s))); }); }
HSTRING WINAPI AmbStrTrim(LPCSTR s) { return guarded<HSTRING>(0, [&] { return result(strcore::trim(view(s))); }); }

HSTRING WINAPI AmbStrPad(LPCSTR s, LONG n) {
  return guarded<HSTRING>(0, [&] { return result(s ? strcore::pad(s, n) : std::string()); });
}

HSTRING WINAPI AmbStrProper(LPCSTR s) {
  return guarded<HSTRING>(0, [&] { return result(strcore::proper(view(s), systemCase())); });
}

LONG WINAPI AmbStrScanReverse(LPCSTR s, LONG start, LPCSTR search) {
  if (!s || !search) return -1;
  return guarded<LONG>(-1, [&] { return strcore::scanReverse(s, start, search); });
}

HSTRING WINAPI AmbStrSubstitute(LPCSTR s, LPCSTR search, LPCSTR replacement) {
  return guarded<HSTRING>(0, [&] {
    return result(s && search ? strcore::substitute(s, search, view(replacement)) : std::string());
  });
}

HSTRING WINAPI AmbStrExpand(LPCSTR tmpl, HARRAY array) {
  return guarded<HSTRING>(0, [&] { return result(tmpl ? strcore::expand(tmpl, arraySource(array)) : std::string()); });
}

LONG WINAPI AmbStrLoadTable(LPCSTR fileName) {
  return guarded<LONG>(-8, [&]() -> LONG {
    std::string path = searchPath(fileName);
    if (path.empty()) return -2;
    LONG size = AmbFileGetSize(path.c_str());
    if (tooBigForTable(path)) return -30;
    if (size < 0) return size;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -8;
    std::string bytes(size_t(size), '\0');
    DWORD got = 0;
    BOOL ok = ReadFile(file, bytes.data(), DWORD(size), &got, nullptr) && got == DWORD(size);
    CloseHandle(file);
    if (!ok) return -8;
    std::vector<char> table = strcore::buildTable(bytes);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, DWORD(size) + 2);
    char* p = h ? static_cast<char*>(GlobalLock(h)) : nullptr;
    if (!p) {
      if (h) GlobalFree(h);
      return -8;
    }
    memcpy(p, table.data(), table.size());
    GlobalUnlock(h);
    LONG handle = LONG(reinterpret_cast<DWORD_PTR>(h));
    liveTables().insert(handle);
    return handle;
  });
}

HSTRING WINAPI AmbStrFind(LONG table, LPCSTR key) {
  return guarded<HSTRING>(0, [&] {
    HGLOBAL h = reinterpret_cast<HGLOBAL>(DWORD_PTR(table));
    const char* p = liveTables().count(table) ? static_cast<const char*>(GlobalLock(h)) : nullptr;
    std::string value;
    if (p) {
      value = strcore::findInTable(p, GlobalSize(h), view(key));
      GlobalUnlock(h);
    }
    return result(value);
  });
}

BOOL WINAPI AmbStrFreeTable(LONG table) {
  if (!liveTables().erase(table)) return FALSE;
  return GlobalFree(reinterpret_cast<HGLOBAL>(DWORD_PTR(table))) == nullptr;
}

} // extern "C"
