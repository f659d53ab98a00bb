// What the outline kit's tests share: outlines built from descriptions and
// reading host strings.
#pragma once
#include "outkit.h"

#include <gtest/gtest.h>

#include <string>

namespace kit {

// An outline built from an indented description (the test host's format),
// released when the test ends.
class Outline {
public:
  explicit Outline(const char* description) : handle_(HostOutlineFromText(description, nullptr)) {}
  ~Outline() { HostReleaseApp(handle_); }
  Outline(const Outline&) = delete;
  Outline& operator=(const Outline&) = delete;

  operator HOUTLINE() const { return handle_; }
  HITEM top() const { return HostGetTopItem(handle_); }
  // The item named by a dotted path of names ("frmMain.dfFirst").
  HITEM item(const char* path) const { return HostFindItem(handle_, 0, path); }

private:
  HOUTLINE handle_;
};

// A host array freed when the test ends.
class Array {
public:
  explicit Array(LONG type) : handle_(HostArrayCreate(type, 1)) {}
  ~Array() { HostArrayFree(handle_); }
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;

  operator HARRAY() const { return handle_; }
  LONG count() const {
    LONG count = -1;
    HostArrayGetBounds(handle_, &count, nullptr, nullptr);
    return count;
  }
  LONG lower() const { return HostArrayGetLowerBound(handle_, 1); }
  LONG upper() const { return HostArrayGetUpperBound(handle_, 1); }

private:
  HARRAY handle_;
};

// The bytes of a string the caller was given; the string is freed.
inline std::string take(HSTRING s) {
  DWORD size = 0;
  const char* bytes = HostStrLock(s, &size);
  std::string out = bytes ? std::string(bytes, size) : "<none>";
  HostStrFree(s);
  return out;
}

// The text of a string element (lent by the array), terminator excluded.
inline std::string stringAt(HARRAY array, LONG index) {
  HSTRING s = 0;
  if (!HostArrayGetString(array, index, &s) || !s) return "<none>";
  DWORD size = 0;
  const char* bytes = HostStrLock(s, &size);
  return std::string(bytes, size ? size - 1 : 0);
}

} // namespace kit
