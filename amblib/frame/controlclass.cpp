#include "controlclass.h"

#include <cstdio>
#include <string>
#include <vector>

// The test build refuses registrations on request through this seam.
#ifdef AMB_REGISTER_CLASS
ATOM WINAPI AMB_REGISTER_CLASS(const WNDCLASSA* wc);
#else
#define AMB_REGISTER_CLASS RegisterClassA
#endif

namespace amb {
namespace {

struct ClassSpec {
  const char* name;
  UINT style;
  LPCSTR cursor;  // a system cursor, or nullptr for none
  int windowExtra;
};

// The classes the host creates controls from, in registration order.
const ClassSpec ControlClasses[] = {
    {"AK:cCalendar", 0x6880, IDC_ARROW, 0},
    {"AK:cComboCal", 0x6888, IDC_ARROW, 0},
    {"AK:cPalette", 0x6080, IDC_ARROW, 0},
    {"AK:cComboPal", 0x6888, IDC_ARROW, 0},
    {"AK:cSplitter", 0x400B, nullptr, 0},
    {"AK:cListView", 0x4088, IDC_ARROW, 0},
    {"AK:cListViewDropDown", 0x4088, IDC_ARROW, 0},
};
const ClassSpec PlainClasses[] = {
    {"AK:cSpinField", 0x4008, IDC_ARROW, 4},
    {"AK:cMeter", 0x4000, IDC_ARROW, 4},
};
const ClassSpec InnerClasses[] = {
    {"AK:Calendar", 0x6880, IDC_ARROW, 0},
    {"AK:ColorPalette", 0x6080, IDC_ARROW, 0},
    {"AK:EditColor", 0x6088, IDC_ARROW, 0},
    {"AK:CmbBtn", 0x400B, IDC_ARROW, 0},
    {"AK:Splitter", 0x400B, nullptr, 0},
};

template <class V> struct Named {
  std::string name;
  V value;
};
// Filled by static registration objects before the library starts.
std::vector<Named<ControlFactory>>& factories() {
  static std::vector<Named<ControlFactory>> all;
  return all;
}
std::vector<Named<WNDPROC>>& plainProcs() {
  static std::vector<Named<WNDPROC>> all;
  return all;
}
// The classes this copy of the library registered (to unregister them).
std::vector<std::string>& registeredHere() {
  static std::vector<std::string> all;
  return all;
}

template <class V> V find(const std::vector<Named<V>>& list, const char* name) {
  for (const auto& e : list)
    if (!lstrcmpiA(e.name.c_str(), name)) return e.value;
  return nullptr;
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Allocates the window's object, binds it and announces it; 0 fails the
// window's creation.
LRESULT handshake(HWND window, WPARAM wParam, LPARAM lParam) {
  char className[64];
  if (!GetClassNameA(window, className, sizeof className)) return 0;
  ControlFactory create = find(factories(), className);
  if (!create) return 0;
  CWnd* object = nullptr;
  try {
    object = create();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  if (!object) return 0;

  BOOL bound = FALSE;
  bool subclass = WNDPROC(GetWindowLongPtrA(window, GWLP_WNDPROC)) == ControlProc;
  // Binding enters the window in the framework's handle map, which can run
  // out of memory: no exception may leave this window procedure.
  try {
    if (subclass) {
      SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(DefWindowProcA));
      bound = object->SubclassWindow(window);
    } else {
      bound = object->Attach(window);
    }
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  if (!bound && subclass) SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(ControlProc));
  if (!bound) {
    delete object;
    return 0;
  }
  SendMessageA(window, AKM_ControlCreate, 0, LPARAM(object));
  return FwCallWndProc(object, window, WM_NCCREATE, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_NCCREATE:
    return handshake(window, wParam, lParam);
  case WM_STYLECHANGING:
  case WM_STYLECHANGED:
    return 1;
  }
  if (CWnd* object = CWnd::FromHandlePermanent(window)) return FwCallWndProc(object, window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

// The plain procedure of a class whose control has not been given one.
LRESULT CALLBACK RefusingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

// Registers unless the class exists; FALSE when the system refuses.
BOOL registerClass(HINSTANCE instance, const ClassSpec& spec, WNDPROC proc, bool& registered) {
  registered = false;
  WNDCLASSA wc{};
  if (GetClassInfoA(instance, spec.name, &wc)) return TRUE;
  wc.style = spec.style;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = spec.windowExtra;
  wc.hInstance = instance;
  wc.hCursor = spec.cursor ? LoadCursorA(nullptr, spec.cursor) : nullptr;
  wc.lpszClassName = spec.name;
  if (!AMB_REGISTER_CLASS(&wc)) return FALSE;
  registered = true;
  return TRUE;
}

void registerOrRollBack(HINSTANCE instance, const ClassSpec& spec, WNDPROC proc) {
  bool registered;
  if (!registerClass(instance, spec, proc, registered)) {
    // The library is not going to start: leave no class behind whose
    // procedure is about to be unloaded.
    UnregisterLibraryClasses(instance);
    AfxThrowResourceException();
  }
  if (registered) registeredHere().push_back(spec.name);
}

} // namespace

ControlFactoryEntry::ControlFactoryEntry(const char* className, ControlFactory create) {
  factories().push_back({className, create});
}

PlainProcEntry::PlainProcEntry(const char* className, WNDPROC proc) { plainProcs().push_back({className, proc}); }

void EnsureInnerClass(const char* className) {
  for (const ClassSpec& spec : InnerClasses) {
    if (!className || lstrcmpiA(spec.name, className)) continue;
    WNDCLASSA existing;
    if (GetClassInfoA(AfxGetInstanceHandle(), spec.name, &existing)) return;
    HCURSOR cursor = spec.cursor ? LoadCursorA(nullptr, spec.cursor) : nullptr;
    if (!FwRegisterClass(spec.name, spec.style, cursor, nullptr, spec.windowExtra))
      AfxThrowResourceException();
    registeredHere().push_back(spec.name);
    return;
  }
  AfxThrowResourceException();
}

BOOL RegisterControlClass(const char* className, UINT style, LPCSTR cursor, ControlFactory create) {
  try {
    ClassSpec spec{className, style, cursor, 0};
    factories().push_back({className, create});
    bool registered;
    if (!registerClass(AfxGetInstanceHandle(), spec, ControlProc, registered)) return FALSE;
    if (registered) registeredHere().push_back(className);
    return TRUE;
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
}

void RegisterStartupClasses(HINSTANCE instance) {
  for (const ClassSpec& spec : ControlClasses) registerOrRollBack(instance, spec, ControlProc);
  for (const ClassSpec& spec : PlainClasses) {
    WNDPROC proc = find(plainProcs(), spec.name);
    registerOrRollBack(instance, spec, proc ? proc : RefusingProc);
  }
}

void UnregisterLibraryClasses(HINSTANCE instance) {
  for (const auto& name : registeredHere()) {
    if (UnregisterClassA(name.c_str(), instance)) continue;
    char line[160];
    std::snprintf(line, sizeof line, "CControlLibraryApp::ExitInstance() - Unable to unregister class %s.\n",
                  name.c_str());
    OutputDebugStringA(line);
  }
  registeredHere().clear();
}

} // namespace amb
