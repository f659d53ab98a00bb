// The kit's start-up: the framework application object. The kit keeps no
// state before its first call, so there is nothing to start or end.
#include "fwwnd.h"

namespace {

class COutlineKitApp : public CWinApp {
public:
  COutlineKitApp() : CWinApp("srclist.dll") {}
};

COutlineKitApp theApp;

} // namespace

FW_DLL_ENTRY()
