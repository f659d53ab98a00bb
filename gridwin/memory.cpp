// Memory of the table: every block comes from the host tools library, or
// from the host's own allocation hooks (slots 17 and 18) once set.
#include "hosttools.h"
#include "table.h"

#include <cstring>

namespace gridwin {

void* tableAlloc(TableData* t, DWORD size) {
  if (t && t->hooks[TBLH_ALLOC]) {
    void* p = TblAllocHook(t->hooks[TBLH_ALLOC])(size);
    if (p) std::memset(p, 0, size);  // the host's blocks need not be zero-filled
    return p;
  }
  return HtAlloc(size);
}

void* tableRealloc(TableData* t, void* block, DWORD size) {
  if (t && t->hooks[TBLH_REALLOC]) return TblReallocHook(t->hooks[TBLH_REALLOC])(block, size);
  return HtRealloc(block, size);
}

void tableFree(void* block) {
  if (block) HtFree(block);
}

char* copyText(TableData* t, const char* text) {
  if (!text) text = "";
  DWORD n = lstrlenA(text) + 1;
  char* p = static_cast<char*>(tableAlloc(t, n));
  if (p) std::memcpy(p, text, n);
  return p;
}

} // namespace gridwin
