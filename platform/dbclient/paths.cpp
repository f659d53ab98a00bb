#include "paths.h"

#include <windows.h>

namespace dbc {

namespace {

std::wstring moduleFolder() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&moduleFolder), &self);
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::optional<std::wstring> fullPath(const std::wstring& name) {
  wchar_t buffer[MAX_PATH];
  DWORD n = GetFullPathNameW(name.c_str(), MAX_PATH, buffer, nullptr);
  if (n == 0 || n >= MAX_PATH) return std::nullopt;
  return std::wstring(buffer, n);
}

// Wine's kernel32 call that maps a Windows path onto the Unix file system;
// it fails when the folder does not exist.
std::optional<std::string> unixPath(const std::wstring& windowsPath) {
  using Fn = char*(CDECL*)(LPCWSTR);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return std::nullopt;
  char* path = fn(windowsPath.c_str());
  if (!path) return std::nullopt;
  std::string result = path;
  HeapFree(GetProcessHeap(), 0, path);
  return result;
}

} // namespace

std::wstring widen(const std::string& text, unsigned codePage) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), out.data(), n);
  return out;
}

std::string narrow(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool runningOnWine() {
  static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

std::optional<std::string> driverPath(const std::string& name) {
  if (runningOnWine() && !name.empty() && name[0] == '/') return name;
  std::wstring wide = name.empty() ? moduleFolder() + L"dbclient.db" : widen(name, CP_UTF8);
  auto full = fullPath(wide);
  if (!full) return std::nullopt;
  if (runningOnWine()) return unixPath(*full);
  return narrow(*full, CP_UTF8);
}

std::string sqliteDriverName() { return runningOnWine() ? "SQLite3" : "SQLite3 ODBC Driver"; }

void loadBridge() {
  static const HMODULE bridge = [] {
    HMODULE m = LoadLibraryW((moduleFolder() + L"odbbridge32.dll").c_str());
    return m ? m : LoadLibraryA("odbbridge32.dll");
  }();
  (void)bridge;
}

} // namespace dbc
