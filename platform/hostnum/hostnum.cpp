// hostnum.dll: date arithmetic on host date/times.
#include "core/datetime.h"
#include "hostnum.h"

#include <cstring>

using namespace hostrt;

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" BOOL __stdcall HostNumberAdd(HostDate* out, HostDate date, LONG days) {
  try {
    if (!out) return FALSE;
    ValueBytes result = emptyValue();
    auto d = decode(date.bytes);
    auto t = d ? dateFromDecimal(*d) : std::nullopt;
    auto later = t ? addDays(*t, days) : std::nullopt;
    if (later) result = encode(decimalFromDate(*later));
    memcpy(out->bytes, result.data(), result.size());
    return later ? TRUE : FALSE;
  } catch (...) {
    return FALSE;
  }
}
