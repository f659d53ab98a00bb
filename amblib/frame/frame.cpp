#include "frame.h"

#include <cstdio>
#include <unordered_map>

#include "library.h"

namespace amb {

namespace live {
namespace {
std::unordered_map<const void*, Kind>& objects() {
  static std::unordered_map<const void*, Kind> all;
  return all;
}
} // namespace

void add(const void* object, Kind kind) { objects()[object] = kind; }
void remove(const void* object) { objects().erase(object); }
bool is(const void* object, Kind kind) {
  auto it = objects().find(object);
  return it != objects().end() && it->second == kind;
}
} // namespace live

void ReportNullInstance(UINT messageId, const char* displayName) {
  CString text;
  AfxFormatString1(text, messageId, displayName);
  AfxMessageBox(text, MB_OK | MB_ICONSTOP, messageId);
  AfxThrowUserException();
}

void ReportCallFailure(UINT textId, const char* displayName) {
  CString text = LoadText(textId);
  OutputDebugStringA(displayName);
  OutputDebugStringA(" - ");
  OutputDebugStringA(text);
  OutputDebugStringA("\n");
}

void FailureText::report(const char* displayName) const {
  if (id_) {
    ReportCallFailure(id_, displayName);
  } else if (text_) {
    OutputDebugStringA(displayName);
    OutputDebugStringA(text_);
  }
}

namespace detail {

void displayName(const char* exportName, char (&out)[128]) {
  std::snprintf(out, sizeof out, "%s()", exportName ? exportName : "");
}

bool admit(const void* object, live::Kind kind, const char* name, const FailureText& failure) {
  if (!object) ReportNullInstance(IDS_NullInstance, name);
  if (live::is(object, kind)) return true;
  failure.report(name);
  return false;
}

void reportException(CException* e, const char* name, const FailureText& failure) {
  failure.report(name);
  if (e) e->Delete();
}

} // namespace detail
} // namespace amb
