#include "resources.h"

#include <windows.h>

// The instance is all the library keeps before its first call.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    dbcaps::gInstance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
