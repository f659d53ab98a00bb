// The application object, the DLL entry glue, message boxes and strings.
#include "fwwnd.h"
#include <string>

IMPLEMENT_DYNAMIC(CWinApp, CObject)

// The image base of the module this copy of the framework is linked into:
// its own instance handle, whether it is a DLL or the program.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
CWinApp* theApp = nullptr;
bool appStarted = false;

HINSTANCE ownModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void reportStartFailure(CException* e) {
  CString text = CString(AfxGetApp()->m_pszAppName) + ": InitInstance - " + (e ? e->GetErrorMessage() : "unknown exception") + "\n";
  OutputDebugStringA(text);
}

void runExitInstance() {
  try {
    theApp->ExitInstance();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
}

// The module's file name without folder and extension, for captions.
CString moduleTitle() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(AfxGetInstanceHandle(), path, sizeof path);
  CString name(path);
  int slash = -1;
  for (int i = 0; i < name.GetLength(); ++i)
    if (name[i] == '\\' || name[i] == '/') slash = i;
  name = name.Mid(slash + 1);
  int dot = name.Find('.');
  return dot > 0 ? name.Left(dot) : name;
}

// Replaces %1..%9 by the arguments in one pass, so an argument that
// itself contains "%2" stays as it is.
CString formatStrings(const CString& pattern, const char* const* args, int count) {
  CString out;
  for (int i = 0; i < pattern.GetLength(); ++i) {
    char c = pattern[i];
    int n = (c == '%' && i + 1 < pattern.GetLength()) ? pattern[i + 1] - '1' : -1;
    if (n >= 0 && n < count) {
      out += args[n] ? args[n] : "";
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}
}  // namespace

CWinApp::CWinApp(const char* appName) : m_hInstance(ownModule()), m_pszAppName(appName) {
  theApp = this;
}

CWinApp::~CWinApp() {
  if (theApp == this) theApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

CWinApp* AfxGetApp() { return theApp; }

HINSTANCE AfxGetInstanceHandle() {
  return theApp && theApp->m_hInstance ? theApp->m_hInstance : ownModule();
}

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

BOOL FwDllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (!theApp) return TRUE;
  if (reason == DLL_PROCESS_ATTACH) {
    theApp->m_hInstance = instance;
    try {
      if (theApp->InitInstance()) {
        appStarted = true;
        return TRUE;
      }
    } catch (CException* e) {
      reportStartFailure(e);
      e->Delete();
    } catch (...) {
      reportStartFailure(nullptr);
    }
    runExitInstance();  // undo what a failed start did
    return FALSE;
  }
  if (reason == DLL_PROCESS_DETACH && appStarted) {
    appStarted = false;
    runExitInstance();
  }
  return TRUE;
}

int AfxMessageBox(const char* text, UINT type, UINT helpId) {
  CString caption = theApp && theApp->m_pszAppName ? CString(theApp->m_pszAppName) : moduleTitle();
  MSGBOXPARAMSA box = {};
  box.cbSize = sizeof box;
  box.hwndOwner = GetActiveWindow();
  box.hInstance = AfxGetResourceHandle();
  box.lpszText = text ? text : "";
  box.lpszCaption = caption;
  box.dwStyle = type;
  box.dwContextHelpId = helpId;
  return MessageBoxIndirectA(&box);
}

int AfxMessageBox(UINT textId, UINT type, UINT helpId) {
  return AfxMessageBox(AfxLoadString(textId), type, helpId == (UINT)-1 ? textId : helpId);
}

CString AfxLoadString(UINT id) {
  std::string buffer(256, '\0');
  for (;;) {
    int n = LoadStringA(AfxGetResourceHandle(), id, buffer.data(), static_cast<int>(buffer.size()));
    if (n < static_cast<int>(buffer.size()) - 1 || buffer.size() >= 65536) {
      buffer.resize(n > 0 ? n : 0);
      return CString(std::move(buffer));
    }
    buffer.resize(buffer.size() * 2);
  }
}

void AfxFormatString1(CString& out, UINT id, const char* arg1) {
  const char* args[] = {arg1};
  out = formatStrings(AfxLoadString(id), args, 1);
}

void AfxFormatString2(CString& out, UINT id, const char* arg1, const char* arg2) {
  const char* args[] = {arg1, arg2};
  out = formatStrings(AfxLoadString(id), args, 2);
}
