// Start-up: the connection table exists from process attach on.
#include "brand.h"

void trxAttach();
void trxDetach();

namespace {
HINSTANCE g_module;
}

HINSTANCE trx::moduleInstance() { return g_module; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    trxAttach();
  }
  if (reason == DLL_PROCESS_DETACH) trxDetach();
  return TRUE;
}
