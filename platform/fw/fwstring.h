// CString: an 8-bit character string (the host and the Windows calls this
// framework uses are ANSI throughout). It may hold embedded zero bytes; the
// C-string view stops at the first one.
#pragma once
#include "fwtypes.h"
#include <string>

[[noreturn]] void AfxThrowNotSupportedException();

class CString {
public:
  CString() = default;
  CString(const char* text) : s_(text ? text : "") {}
  CString(const char* text, int length) : s_(text ? text : "", text && length > 0 ? length : 0) {}
  CString(char ch, int repeat) : s_(repeat > 0 ? repeat : 0, ch) {}
  CString(std::string text) : s_(std::move(text)) {}

  int GetLength() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  // An index outside the string raises CNotSupportedException.
  char GetAt(int index) const { return s_[CheckIndex(index)]; }
  void SetAt(int index, char ch) { s_[CheckIndex(index)] = ch; }
  char operator[](int index) const { return GetAt(index); }
  operator const char*() const { return s_.c_str(); }
  const char* c_str() const { return s_.c_str(); }
  const std::string& str() const { return s_; }

  CString& operator=(const char* text) { s_ = text ? text : ""; return *this; }
  CString& operator+=(const CString& other) { s_ += other.s_; return *this; }
  CString& operator+=(const char* text) { if (text) s_ += text; return *this; }
  CString& operator+=(char ch) { s_ += ch; return *this; }
  friend CString operator+(CString a, const CString& b) { a += b; return a; }
  friend CString operator+(CString a, const char* b) { a += b; return a; }
  friend CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }

  // Byte-wise comparison: <0, 0, >0.
  int Compare(const char* text) const;
  // Comparison ignoring the case of ASCII letters.
  int CompareNoCase(const char* text) const;
  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
  friend bool operator<(const CString& a, const CString& b) { return a.s_ < b.s_; }

  CString Mid(int first, int count = -1) const;
  CString Left(int count) const { return Mid(0, count); }
  CString Right(int count) const;
  // Index of the first occurrence at or after start, -1 when absent.
  int Find(const char* text, int start = 0) const;
  int Find(char ch, int start = 0) const;
  void MakeUpper();
  void MakeLower();
  // Replaces every occurrence of `from`; returns how many were replaced.
  int Replace(const char* from, const char* to);
  // printf-style formatting.
  void Format(const char* format, ...)
#ifdef __GNUC__
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  // A writable buffer of at least minLength characters; ReleaseBuffer
  // then takes the length up to the first zero byte (or newLength).
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

private:
  size_t CheckIndex(int index) const {
    if (index < 0 || index >= GetLength()) AfxThrowNotSupportedException();
    return static_cast<size_t>(index);
  }
  std::string s_;
};
