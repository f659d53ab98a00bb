// The framework's portable core: objects, exceptions, files, archives and
// collections. No windows.h.
#pragma once
#include "fwarchive.h"
#include "fwcoll.h"
#include "fwexcept.h"
#include "fwfile.h"
#include "fwobject.h"
#include "fwstring.h"
