// hostnum.dll: the host's number library, date arithmetic.
#pragma once
#include "hostrt.h"

#ifdef __cplusplus
extern "C" {
#endif

// The date/time `days` days after `date` (before it for a negative count),
// time of day kept: 2024-01-31 + 1 is 2024-02-01. Writes the 13 value bytes
// at *out and returns TRUE; for the empty date, a time of day without date,
// malformed bytes or a result outside the years 1..9999 writes the empty
// date and returns FALSE (FALSE alone for a NULL out).
BOOL __stdcall HostNumberAdd(HostDate* out, HostDate date, LONG days);

#ifdef __cplusplus
}
#endif
