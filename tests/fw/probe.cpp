// A tiny DLL with its own application object and string table: shows that
// each module that links the framework has its own application, instance
// handle and resources, and how the entry glue treats a failed start.
#include "fwwnd.h"

namespace {
class CProbeApp : public CWinApp {
public:
  CProbeApp() : CWinApp("Probe Library") {}
  BOOL InitInstance() override {
    char fail[8] = "";
    if (GetEnvironmentVariableA("FW_PROBE_FAIL", fail, sizeof fail)) AfxThrowResourceException();
    SetEnvironmentVariableA("FW_PROBE_STARTED", "1");
    return TRUE;
  }
  int ExitInstance() override {
    char count[8] = "0";
    GetEnvironmentVariableA("FW_PROBE_EXITS", count, sizeof count);
    count[0] = static_cast<char>(count[0] + 1);
    SetEnvironmentVariableA("FW_PROBE_EXITS", count);
    char fail[8] = "";
    if (GetEnvironmentVariableA("FW_PROBE_FAIL_EXIT", fail, sizeof fail)) AfxThrowUserException();
    return 0;
  }
};

CProbeApp probeApp;
}  // namespace

FW_DLL_ENTRY()

extern "C" HINSTANCE __stdcall ProbeInstance() { return AfxGetInstanceHandle(); }

extern "C" int __stdcall ProbeString(UINT id, char* buffer, int size) {
  CString text = AfxLoadString(id);
  lstrcpynA(buffer, text, size);
  return text.GetLength();
}

extern "C" const char* __stdcall ProbeAppName() { return AfxGetApp() ? AfxGetApp()->m_pszAppName : ""; }
