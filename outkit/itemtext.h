// Reading texts out of host strings. A host string is a counted run of
// bytes; the text in it ends at its first zero byte or at its end.
#pragma once
#include <cstddef>
#include <cstring>

namespace outkit {

// The length of the text in `size` bytes.
inline size_t textLength(const char* bytes, size_t size) {
  const void* zero = bytes ? memchr(bytes, 0, size) : nullptr;
  return zero ? size_t(static_cast<const char*>(zero) - bytes) : (bytes ? size : 0);
}

// An item's name: its text up to the first '!' (what follows is a comment).
inline size_t nameLength(const char* text, size_t length) {
  const void* bang = text ? memchr(text, '!', length) : nullptr;
  return bang ? size_t(static_cast<const char*>(bang) - text) : length;
}

// Exactly the same characters, case included.
inline bool sameText(const char* text, size_t length, const char* wanted) {
  return text && wanted && strlen(wanted) == length && memcmp(text, wanted, length) == 0;
}

} // namespace outkit
