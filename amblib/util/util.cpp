#include "util.h"

#include <cstring>

namespace amb::util {

char* sized(HSTRING* var, DWORD size) {
  if (!var) return nullptr;
  if (*var && HostStrGetLength(*var) >= 0) {
    if (!HostStrSetSize(*var, size)) return nullptr;
  } else {
    HSTRING fresh = HostStrCreate(size);
    if (!fresh) return nullptr;
    *var = fresh;
  }
  return HostStrLock(*var, nullptr);
}

bool assign(HSTRING* var, std::string_view text) {
  char* p = sized(var, DWORD(text.size() + 1));
  if (!p) return false;
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = 0;
  return true;
}

std::string searchPath(const char* name, DWORD* error) {
  char found[MAX_PATH];
  DWORD n = name && *name ? SearchPathA(nullptr, name, nullptr, MAX_PATH, found, nullptr) : 0;
  if (n == 0 || n >= MAX_PATH) {
    DWORD e = name && *name && n == 0 ? GetLastError() : ERROR_FILE_NOT_FOUND;
    if (e == ERROR_INVALID_PARAMETER || e == 0) e = ERROR_FILE_NOT_FOUND;
    if (error) *error = e;
    return {};
  }
  return found;
}

std::string environment(const char* name) {
  std::string value(260, '\0');
  for (;;) {
    DWORD n = GetEnvironmentVariableA(name, value.data(), DWORD(value.size()));
    if (n < value.size()) {
      value.resize(n);
      return value;
    }
    value.resize(value.size() + 260);
  }
}

} // namespace amb::util
