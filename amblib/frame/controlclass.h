// Window classes of amblib and the control creation handshake.
//
// The classes the host creates controls from are registered at start-up
// with one shared control procedure. A control family gives the handshake
// nothing but a factory, in its own source file:
//
//   AMB_HOST_CONTROL("AK:cCalendar", CDlgCalendar);
//
// On WM_NCCREATE the procedure then allocates a CDlgCalendar, binds it to
// the window (subclassing it when the window still runs this procedure,
// after setting the procedure to DefWindowProc, so that framework
// processing ends there; only attaching it when someone has subclassed the
// window already), sends AKM_ControlCreate (0x6008) with the object's
// address, and passes WM_NCCREATE on to the object. WM_STYLECHANGING and
// WM_STYLECHANGED reaching the procedure are answered 1. The object is
// deleted after its window's last message (do not delete it yourself).
// Without a factory, WM_NCCREATE fails cleanly and nothing is sent.
//
// The spin field and the meter have plain procedures and no objects:
//
//   AMB_PLAIN_CLASS_PROC("AK:cSpinField", SpinFieldProc);
//
// Inner classes ("AK:Calendar", "AK:ColorPalette", "AK:EditColor",
// "AK:CmbBtn", "AK:Splitter") run the framework procedure and are
// registered on first use with EnsureInnerClass; they stay registered
// while the library is loaded (an unload takes them down with the others:
// their procedure goes with the library).
#pragma once
#include <windows.h>

#include "fwwnd.h"

namespace amb {

constexpr UINT AKM_ControlCreate = 0x6008;

using ControlFactory = CWnd* (*)();

// The object the handshake makes: the control's class, deleted after the
// window's last message.
template <class T> class HostCreated final : public T {
public:
  void PostNcDestroy() override {
    T::PostNcDestroy();
    delete this;
  }
};
template <class T> CWnd* CreateHostControl() { return new HostCreated<T>; }

// Registration objects (static, one per factory or plain procedure): they
// are in place before the library starts and registers its classes.
struct ControlFactoryEntry {
  ControlFactoryEntry(const char* className, ControlFactory create);
};
struct PlainProcEntry {
  PlainProcEntry(const char* className, WNDPROC proc);
};

#define AMB_JOIN2(a, b) a##b
#define AMB_JOIN(a, b) AMB_JOIN2(a, b)
#define AMB_HOST_CONTROL(className, Type) \
  static ::amb::ControlFactoryEntry AMB_JOIN(ambControlFactory, __LINE__)(className, &::amb::CreateHostControl<Type>)
#define AMB_PLAIN_CLASS_PROC(className, proc) \
  static ::amb::PlainProcEntry AMB_JOIN(ambPlainProc, __LINE__)(className, proc)

// Registers an inner class unless it exists; raises CResourceException
// for an unknown name or when the system refuses it.
void EnsureInnerClass(const char* className);

// Registers a further class running the shared control procedure with the
// given factory (test controls). FALSE when the system refuses it.
BOOL RegisterControlClass(const char* className, UINT style, LPCSTR cursor, ControlFactory create);

// Start-up: the nine start-up classes. Registration skips a class that
// exists already; a refusal unregisters what was registered and raises
// CResourceException.
void RegisterStartupClasses(HINSTANCE instance);
// Unload: unregisters every class this copy of the library registered
// (start-up, inner and test classes) and reports (to the debugger output)
// a refusal instead of raising it.
void UnregisterLibraryClasses(HINSTANCE instance);

} // namespace amb
