#include <windows.h>

// The ODBC bridge library is found by its file name: dbclient loads it on
// the first connect, and dbcaps reads "DCC.INI" from the folder it was
// loaded from. It has nothing else to do.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
