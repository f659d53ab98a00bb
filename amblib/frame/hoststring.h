// Results for the host: strings (with the error-recovery prompt shown when
// the host has no memory for one) and arrays filled from index 0.
#pragma once
#include <windows.h>

#include "hostrt.h"

namespace amb {

// A new host string holding the text and its terminator; 0 when the host
// cannot create it.
HSTRING MakeHostString(const char* text);

// MakeHostString until it succeeds: after each failure the error-recovery
// prompt (caption "Ambrel") asks the user; Retry tries again, Halt
// Application calls HostHalt and, should the host carry on, tries again.
// When the prompt itself cannot be shown, the loop cannot ask anyone: it
// calls HostHalt and, if that returns, gives up with 0.
HSTRING MakeHostStringRetry(const char* text);

// Enumerations write their results from index 0. An array whose lower
// bound lies above 0 would refuse those writes, so it is emptied down to 0
// first; other arrays are left as they are.
void openFromZero(HARRAY array);

} // namespace amb

// Dialog 201: 1 for "&Retry", 2 for "&Halt Application", -1 when the dialog
// cannot be created.
extern "C" LONG WINAPI AmbErrorRecovery(LPCSTR caption);
