// The frame every exported function of a control family runs in.
//
//   extern "C" LONG WINAPI AmbLVGetBkColor(CHeaderListBox* lv) {
//     return amb::framed("AmbLVGetBkColor", amb::TableText(153), LONG(-1), lv,
//                        [](CHeaderListBox& o) { return LONG(o.GetBkColor()); });
//   }
//
// The frame checks the pointer (NULL: message 48 in a message box, then the
// failure text; not a live object of the kind the function takes: the
// failure text alone), runs the operation, catches every exception (the
// failure text), and returns the operation's result or the failure value.
// The failure text comes in one of three forms: an id of the string table
// (`TableText`), a text given inline (`InlineText`, written after the
// display name as it stands), or none (`NoText`).
#pragma once
#include <windows.h>

#include "fwexcept.h"

namespace amb {

// ---- Live objects ----------------------------------------------------------
// A host keeps the address an object announced and may pass it after the
// object's window is gone. Every object the library hands out is listed
// here while it lives, under the kind (family type) the functions take, so
// that a stale or foreign pointer is refused instead of dereferenced.

namespace live {
using Kind = const void*;
template <class T> inline const char kindTag = 0;
template <class T> constexpr Kind kindOf() { return &kindTag<T>; }

void add(const void* object, Kind kind);
void remove(const void* object);
bool is(const void* object, Kind kind);
} // namespace live

// A member that lists its owner for its lifetime: put
// `amb::LiveObject<CCalendar> live_{this};` into the family's class, and
// every object of it (host-created or made by a combo box) is accepted by
// the family's functions exactly while it exists.
template <class T> class LiveObject {
public:
  explicit LiveObject(T* owner) : owner_(owner) { live::add(owner_, live::kindOf<T>()); }
  ~LiveObject() { live::remove(owner_); }
  LiveObject(const LiveObject&) = delete;
  LiveObject& operator=(const LiveObject&) = delete;

private:
  T* owner_;
};

// ---- Reporting ----------------------------------------------------------------

// Message box with string `messageId` formatted with %1 = display name
// (MB_OK | MB_ICONSTOP, help context = the id, caption = the application's
// name, owned by the active window); then raises CUserException.
[[noreturn]] void ReportNullInstance(UINT messageId, const char* displayName);

// Writes the display name, " - ", string `textId` and "\n" to the debugger
// output, one OutputDebugString call each.
void ReportCallFailure(UINT textId, const char* displayName);

struct TableText { UINT id; };
struct InlineText { const char* text; };  // e.g. " - Unable to clear selected dates.\n"
struct NoText {};

class FailureText {
public:
  FailureText(TableText t) : id_(t.id) {}
  FailureText(InlineText t) : text_(t.text) {}
  FailureText(NoText) {}
  void report(const char* displayName) const;

private:
  UINT id_ = 0;
  const char* text_ = nullptr;
};

namespace detail {
// Fills `out` with the export name followed by "()".
void displayName(const char* exportName, char (&out)[128]);
// NULL: message box and failure text. Not live: failure text. Returns
// whether the operation may run.
bool admit(const void* object, live::Kind kind, const char* name, const FailureText& failure);
void reportException(CException* e, const char* name, const FailureText& failure);
} // namespace detail

// Runs `op(*object)` in the frame; R is the export's result type (void for
// functions without one).
template <class T, class R, class Op>
R framed(const char* exportName, FailureText failure, R failureValue, T* object, Op op) {
  char name[128];
  detail::displayName(exportName, name);
  R result = failureValue;
  try {
    if (detail::admit(object, live::kindOf<T>(), name, failure)) result = op(*object);
  } catch (CException* e) {
    detail::reportException(e, name, failure);
  } catch (...) {
    detail::reportException(nullptr, name, failure);
  }
  return result;
}

template <class T, class Op>
void framed(const char* exportName, FailureText failure, T* object, Op op) {
  char name[128];
  detail::displayName(exportName, name);
  try {
    if (detail::admit(object, live::kindOf<T>(), name, failure)) op(*object);
  } catch (CException* e) {
    detail::reportException(e, name, failure);
  } catch (...) {
    detail::reportException(nullptr, name, failure);
  }
}

} // namespace amb
