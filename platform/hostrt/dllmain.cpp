#include "runtime.h"

// The host's window classes exist while the runtime is loaded; the creation
// hook of the test host goes with it.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  try {
    if (reason == DLL_PROCESS_ATTACH) hostrt::registerHostClasses(instance);
    if (reason == DLL_PROCESS_DETACH) {
      hostrt::removeCreationHook();
      hostrt::unregisterHostClasses(instance);
    }
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}
