// The application object of amblib: what the library sets up when it is
// loaded into a process and takes down when it is unloaded.
#include "library.h"

#include "controlclass.h"

namespace amb {
namespace {

HINSTANCE g_module;
SIZE g_largeIcon{32, 32};
const SIZE SmallIcon{16, 16};
CBitmap g_logo;
CMapStringToString g_hostClassNames(10);
// Set from the entry point: at process exit the system takes the classes
// down itself, and windows of other modules may still use them.
bool g_processExiting;

const char* const HostClassNameList[] = {
    "cColorComboBox", "cColorListBox",    "cDirTreeListBox",  "cDriveComboBox", "cDriveListBox",
    "cFontComboBox",  "cFontListBox",     "cOutlineComboBox", "cOutlineListBox", "cRadioListBox",
};

class CControlLibraryApp : public CWinApp {
public:
  CControlLibraryApp() : CWinApp("Ambrel Library") {}
  ~CControlLibraryApp() override = default;

  BOOL InitInstance() override {
    g_module = m_hInstance;
    g_largeIcon = SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    g_logo.LoadBitmap("AK_LOGO");
    for (const char* name : HostClassNameList) g_hostClassNames.SetAt(name, name);
    RegisterStartupClasses(m_hInstance);
    return TRUE;
  }

  int ExitInstance() override {
    g_logo.DeleteObject();
    g_hostClassNames.RemoveAll();
    if (!g_processExiting) UnregisterLibraryClasses(m_hInstance);
    return CWinApp::ExitInstance();
  }
};

CControlLibraryApp theApp;

} // namespace

HINSTANCE ModuleInstance() { return g_module ? g_module : AfxGetInstanceHandle(); }
SIZE LargeIconSize() { return g_largeIcon; }
SIZE SmallIconSize() { return SmallIcon; }
HBITMAP LogoBitmap() { return g_logo; }
CMapStringToString& HostClassNames() { return g_hostClassNames; }
CString LoadText(UINT id) { return AfxLoadString(id); }

} // namespace amb

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH) amb::g_processExiting = reserved != nullptr;
  return FwDllMain(instance, reason, reserved);
}
