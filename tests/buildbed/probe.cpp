// A DLL whose only export has an ordinal and no name, as the host's own
// libraries export some operations.
#include <windows.h>

extern "C" int __stdcall ProbeTwice(int x) { return 2 * x; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
