#include "resources.h"

#include <vector>

namespace dbcaps {

HINSTANCE gInstance = nullptr;

std::string loadText(int id, int capacity) {
  std::vector<char> buffer(size_t(capacity), '\0');
  int n = LoadStringA(gInstance, UINT(id), buffer.data(), capacity);
  return std::string(buffer.data(), size_t(n > 0 ? n : 0));
}

void loadServerString(int id, char (&field)[kStringSize]) {
  std::string text = loadText(id, 256);
  if (text.size() >= size_t(kStringSize)) {
    MessageBoxA(nullptr, "Memory Error", "ServCap Module", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    text.clear();
  }
  copyText(field, kStringSize, text);
}

const KeyNames& keyNames() {
  static const KeyNames names = [] {
    KeyNames n;
    for (int i = 0; i < kFlagCount - 1; ++i) n.flags[i] = loadText(8000 + i);
    n.flags[kFlagCount - 1] = kFlag58Key;
    for (int i = 0; i < kNumberCount; ++i) n.numbers[i] = loadText(8100 + i);
    for (int i = 0; i < kStringCount; ++i) n.strings[i] = loadText(8200 + i);
    return n;
  }();
  return names;
}

void reportProfileStringTooLong() {
  MessageBoxA(nullptr, "Memory Error-101", "Servcap Module", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

} // namespace dbcaps
