// CString operations (no windows.h).
#include "fwstring.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
}  // namespace

int CString::Compare(const char* text) const {
  return std::strcmp(s_.c_str(), text ? text : "");
}

int CString::CompareNoCase(const char* text) const {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(s_.c_str());
  const unsigned char* b = reinterpret_cast<const unsigned char*>(text ? text : "");
  for (;; ++a, ++b) {
    int d = static_cast<unsigned char>(lowerAscii(*a)) - static_cast<unsigned char>(lowerAscii(*b));
    if (d != 0 || *a == 0) return d;
  }
}

CString CString::Mid(int first, int count) const {
  int length = GetLength();
  if (first < 0) first = 0;
  if (first > length) first = length;
  if (count < 0 || count > length - first) count = length - first;
  return CString(s_.substr(first, count));
}

CString CString::Right(int count) const {
  int length = GetLength();
  if (count < 0) count = 0;
  if (count > length) count = length;
  return CString(s_.substr(length - count));
}

int CString::Find(const char* text, int start) const {
  if (start < 0 || start > GetLength() || !text) return -1;
  size_t at = s_.find(text, start);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  size_t at = s_.find(ch, start);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

void CString::MakeUpper() { for (char& c : s_) c = upperAscii(c); }
void CString::MakeLower() { for (char& c : s_) c = lowerAscii(c); }

int CString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  std::string replacement = to ? to : "";
  size_t fromLength = std::strlen(from);
  int count = 0;
  for (size_t at = s_.find(from); at != std::string::npos; at = s_.find(from, at + replacement.size())) {
    s_.replace(at, fromLength, replacement);
    ++count;
  }
  return count;
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length < 0) length = 0;
  std::string out(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, args);
  va_end(args);
  out.resize(length);
  s_ = std::move(out);
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) s_.resize(minLength);
  return s_.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(std::strlen(s_.c_str()));
  if (newLength < GetLength()) s_.resize(newLength);
}
