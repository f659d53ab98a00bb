// Stands in for the network provider in tests: drive R: is connected to
// \\server\share, LPT1 to \\server\printer; connect and disconnect record
// their arguments. Loaded by amblib when AMB_TEST_NETWORK names it.
#include <windows.h>

#include <cstring>

namespace {
char g_last[512];
}

extern "C" {

DWORD WINAPI FakeGetConnection(LPCSTR local, LPSTR remote, LPDWORD size) {
  const char* answer = !lstrcmpiA(local, "R:") ? "\\\\server\\share" : !lstrcmpiA(local, "LPT1") ? "\\\\server\\printer" : nullptr;
  if (!answer) return ERROR_NOT_CONNECTED;
  // A small first buffer makes the caller grow it, as a long name would.
  DWORD need = DWORD(strlen(answer) + 1);
  if (*size < need || *size < 300) {
    *size = need > 300 ? need : 300;
    return ERROR_MORE_DATA;
  }
  strcpy(remote, answer);
  return NO_ERROR;
}

DWORD WINAPI FakeAddConnection(LPCSTR remote, LPCSTR password, LPCSTR local) {
  wsprintfA(g_last, "add %s %s %s", remote, password ? password : "(null)", local);
  return remote && remote[0] == '\\' ? NO_ERROR : ERROR_BAD_NET_NAME;
}

DWORD WINAPI FakeCancelConnection(LPCSTR name, BOOL force) {
  wsprintfA(g_last, "cancel %s %d", name, force);
  return !lstrcmpiA(name, "R:") ? NO_ERROR : ERROR_NOT_CONNECTED;
}

UINT WINAPI FakeGetDriveType(LPCSTR root) {
  if (root && (root[0] == 'R' || root[0] == 'r')) return DRIVE_REMOTE;
  return root && (root[0] == 'C' || root[0] == 'c') ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
}

const char* WINAPI FakeNetLastCall(void) { return g_last; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
}
