// Notifications to the host: WM_COMMAND to the parent, or hook slot 10.
#include "table.h"

namespace gridwin {

void notify(TableData* t, UINT code, LONG idOrRow) {
  if (t->stateFlags & SF_QUIET) return;
  HWND w = t->window;
  if (auto hook = TblNotifyHook(t->hooks[TBLH_NOTIFY]))
    hook(w, code, idOrRow);
  else
    SendMessageA(GetParent(w), WM_COMMAND, MAKEWPARAM(WORD(idOrRow), code), LPARAM(w));
}

int columnIndex(const TableData* t, WPARAM ref) {
  WORD r = LOWORD(ref);
  int index = r >= TBL_COLUMN_ID_BASE ? r - TBL_COLUMN_ID_BASE : r;
  return index < t->columnCount ? index : -1;
}

} // namespace gridwin
