#include <windows.h>

// Nothing to set up: the driver manager is loaded on the first connect.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
