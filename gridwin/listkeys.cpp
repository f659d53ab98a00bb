// The list view's keyboard (the table has the focus, no editor): Space
// toggles the focus row's selection, the arrows, Page Up/Down, Home and
// End move the focus row inside its area, Left and Right scroll by
// columns, Tab and Insert set the focus cell. Modifiers come from
// GetKeyState.
#include "flags.h"
#include "hosttools.h"
#include "listview.h"

#include <algorithm>

namespace gridwin {

namespace {

bool keyHeld(int vk) { return GetKeyState(vk) < 0; }

bool selectionFollowsFocus(TableData* t) { return t->tableFlags & internalFromPublic(TBLF_SELECTFOLLOWSFOCUS); }

// Left and Right trade places when the host's interface reads right to
// left and the table is mirrored.
bool keysMirrored(TableData* t) { return (t->stateFlags & SF_MIRRORED) && HtIsRightToLeft(); }

// `count` shown rows from `row` in `direction`, stopping at the area's end.
LONG stepRows(TableData* t, LONG row, int direction, LONG count, const AreaRows& a) {
  LONG at = row;
  for (LONG r = row + direction; count > 0 && r >= a.first && r <= a.last; r += direction)
    if (!rowHidden(t, r)) at = r, --count;
  return at;
}

LONG firstShown(TableData* t, const AreaRows& a) {
  for (LONG r = a.first; r <= a.last; ++r)
    if (!rowHidden(t, r)) return r;
  return TBL_ROW_SCRATCH;
}

LONG lastShown(TableData* t, const AreaRows& a) {
  for (LONG r = a.last; r >= a.first; --r)
    if (!rowHidden(t, r)) return r;
  return TBL_ROW_SCRATCH;
}

// Fetches that may take long run under the wait cursor.
struct WaitCursor {
  HCURSOR old = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  ~WaitCursor() { SetCursor(old); }
};

// Where a key wants the focus row to go; TBL_ROW_SCRATCH for nowhere.
LONG targetOf(TableData*& t, UINT vk, LONG from) {
  HWND w = t->window;
  Area area = areaOf(from);
  LONG page = areaPage(t, area);
  if (area == AREA_NORMAL && (t->tableFlags & TF_OPENRANGE)) {
    // Down and Page Down go on past the rows known so far.
    LONG ahead = vk == VK_NEXT ? from + page : vk == VK_DOWN ? from + 1 : -1;
    if (vk == VK_END) {
      WaitCursor wait;
      getLastRow(t);
    } else if (ahead > t->highestFetched) {
      WaitCursor wait;
      fetchOpenRangeUpTo(t, ahead);
    }
    if (!refresh(t, w)) return TBL_ROW_SCRATCH;
  }
  AreaRows a = areaRows(t, area);
  switch (vk) {
  case VK_UP: return stepRows(t, from, -1, 1, a);
  case VK_DOWN: return stepRows(t, from, 1, 1, a);
  case VK_PRIOR: return stepRows(t, from, -1, page, a);
  case VK_NEXT: return stepRows(t, from, 1, page, a);
  case VK_HOME: return firstShown(t, a);
  case VK_END: return lastShown(t, a);
  }
  return TBL_ROW_SCRATCH;
}

// Moves the focus to `target`; when the validation hook refuses, the
// nearest shown rows back towards `from` are tried (at most a page of them).
bool moveTowards(TableData*& t, LONG from, LONG target) {
  HWND w = t->window;
  int back = target > from ? -1 : 1;
  AreaRows a = areaRows(t, areaOf(target));
  for (LONG tries = areaPage(t, areaOf(target)); tries > 0 && target != from; --tries) {
    bool moved = moveFocus(t, target, 0);
    if (!t || !refresh(t, w)) return false;
    if (moved) return true;
    LONG next = stepRows(t, target, back, 1, a);
    if (next == target) break;
    target = next;
  }
  return false;
}

void moveFocusKey(TableData*& t, UINT vk) {
  HWND w = t->window;
  LONG old = t->focusRow;
  bool hasFocus = inRange(t, old) && !(isSplitRow(old) && !(t->tableFlags & TF_SPLIT));
  LONG target;
  if (hasFocus) {
    target = targetOf(t, vk, old);
  } else {
    AreaRows a = areaRows(t, AREA_NORMAL);
    target = vk == VK_END ? lastShown(t, a) : firstShown(t, a);
  }
  if (!t || !refresh(t, w) || target == TBL_ROW_SCRATCH || target == old) return;
  bool moved = hasFocus ? moveTowards(t, old, target) : moveFocus(t, target, 0);
  if (!t || !refresh(t, w) || !t->listData || !moved) return;
  bool changed = false;
  if (hasFocus && keyHeld(VK_SHIFT) && !keyHeld(VK_CONTROL) && !selectionFollowsFocus(t))
    for (LONG r = std::min(old, t->focusRow), last = std::max(old, t->focusRow); r <= last; ++r)
      if (!rowHidden(t, r) && !(rowFlags(t, r) & TBL_ROW_SELECTED) && t->store->changeFlags(r, TBL_ROW_SELECTED, true)) {
        t->view.repaintRows(t, r, r, 0, false);
        changed = true;
      }
  t->view.scrollIntoView(t, t->focusRow, -1, 0);
  if (old != t->focusRow || changed) notify(t, TBLN_SELCHANGE, -1);
}

void toggleFocusSelection(TableData*& t) {
  if (selectionFollowsFocus(t) || !inRange(t, t->focusRow)) return;
  LONG row = t->focusRow;
  if (!t->store->changeFlags(row, TBL_ROW_SELECTED, !(rowFlags(t, row) & TBL_ROW_SELECTED))) return;
  t->view.repaintRows(t, row, row, 0, false);
  t->view.scrollIntoView(t, row, -1, 0);
  notify(t, TBLN_SELCHANGE, -1);
}

// Until the in-place editor exists, "opening the editor" sets the focus
// cell: the first shown, editable column in display order.
void focusFirstEditableCell(TableData*& t) {
  if (!inRange(t, t->focusRow)) return;
  for (int pos = 0; pos < t->columnCount; ++pos) {
    int index = t->order[pos];
    if ((column(t, index).columnFlags & (TBLCF_VISIBLE | TBLCF_EDITABLE)) != (TBLCF_VISIBLE | TBLCF_EDITABLE)) continue;
    if (moveFocus(t, t->focusRow, WORD(TBL_COLUMN_ID_BASE + index)) && t && t->listData)
      t->view.scrollIntoView(t, t->focusRow, index, 0);
    return;
  }
}

} // namespace

bool keyDown(TableData*& t, UINT vk) {
  if (!t->listData) return false;
  switch (vk) {
  case VK_SPACE: toggleFocusSelection(t); return true;
  case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
    moveFocusKey(t, vk);
    return true;
  case VK_LEFT:
  case VK_RIGHT: {
    int step = (vk == VK_RIGHT) != keysMirrored(t) ? 1 : -1;
    scrollColumns(t, listOf(t)->firstScroll + step);
    return true;
  }
  case VK_TAB:
    if (keyHeld(VK_SHIFT) || keyHeld(VK_CONTROL)) return false;
    focusFirstEditableCell(t);
    return true;
  case VK_INSERT:
    if (t->tableFlags & TF_NOINSERTEDIT) return false;
    focusFirstEditableCell(t);
    return true;
  }
  return false;
}

} // namespace gridwin
