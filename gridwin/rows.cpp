// The table's side of the row store: its lifetime, row fetches from the
// host, open-ended ranges, the pending re-fetch list, validation of focus
// moves, and the structural row operations with their range bookkeeping.
#include "table.h"

#include <new>

namespace gridwin {

// What the store calls back into: host memory, notifications, and the
// window's own fetch for open-ended ranges. It holds the window handle, not
// the record, because the record moves when a column is added.
struct StoreLink final : RowStoreMemory, RowStoreEvents, OpenRangeHost {
  explicit StoreLink(HWND w) : window(w), pending(*this) {}

  HWND window;
  PendingRows pending;

  TableData* table() const { return IsWindow(window) ? tableOf(window) : nullptr; }

  void* allocate(uint32_t size) override { return tableAlloc(table(), size); }
  void* reallocate(void* block, uint32_t size) override { return tableRealloc(table(), block, size); }
  void release(void* block) override { tableFree(block); }

  void rowDiscarded(int32_t row) override {
    if (TableData* t = table()) notify(t, TBLN_ROWDISCARDED, row);
  }
  void cacheFull() override {
    if (TableData* t = table()) notify(t, TBLN_CACHEFULL, -1);
  }

  int fetchRow(int32_t row) override {
    TableData* t = table();
    return t ? gridwin::fetchRow(t, row) : 0;
  }
  int32_t highestFetched() const override {
    TableData* t = table();
    return t ? t->highestFetched : -1;
  }
  void setKnownRows(int32_t count) override {
    if (TableData* t = table()) {
      t->knownRows = count;
      t->rangeFirst = 0;
      t->rangeLast = count - 1;
    }
  }
};

bool createStore(TableData* t) {
  if (t->store) return true;
  void* block = tableAlloc(t, sizeof(StoreLink));
  if (!block) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  auto* link = new (block) StoreLink(t->window);
  RowStoreConfig config;
  config.rowCacheLimit = DWORD(t->rowCacheLimit);
  config.discard = t->tableFlags & TF_DISCARD;
  config.countOnlyDiscardable = t->tableFlags & TF_COUNTDISCARDABLE;
  config.columnCount = t->columnCount;
  t->store = RowStore::create(*link, *link, config);
  if (!t->store) {
    link->~StoreLink();
    tableFree(link);
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  t->link = link;
  t->tableFlags |= TF_ACTIVE;
  return true;
}

bool freeStore(TableData* t) {
  if (!t->store) {
    t->tableFlags &= ~TF_ACTIVE;
    return true;
  }
  if (t->store->busy()) return false;
  RowStore::destroy(t->store);
  t->link->~StoreLink();
  tableFree(t->link);
  t->store = nullptr;
  t->link = nullptr;
  t->tableFlags &= ~TF_ACTIVE;
  return true;
}

bool isSplitRow(LONG row) { return row >= TBL_SPLIT_ROW_BASE && row < 0; }

bool inRange(const TableData* t, LONG row) {
  if (row >= 0) return row >= t->rangeFirst && row <= t->rangeLast;
  return isSplitRow(row) && row >= t->splitFirst && row <= t->splitLast;
}

WORD rowFlags(const TableData* t, LONG row) { return t->store ? t->store->flags(row) : 0; }

namespace {

LRESULT requestRow(TableData* t, LONG row) {
  UINT id = GetDlgCtrlID(t->window);
  if (auto hook = TblFetchHook(t->hooks[TBLH_FETCHROW])) return hook(id, t->window, row);
  TBLFETCHREQUEST request{t->window, row};
  return SendMessageA(GetParent(t->window), WM_USER, id, LPARAM(&request));
}

void endOpenRange(TableData* t) {
  t->tableFlags &= ~TF_OPENRANGE;
  t->rangeLast = t->highestFetched;
  if (!(t->tableFlags & TF_RECOUNTING) && t->view.layoutChanged) t->view.layoutChanged(t, VC_RANGE);
}

} // namespace

// Rows inside the range, the scratch row, and with an open-ended range the
// row after the highest fetched one. Others are refused: a stray number
// must not grow the slot arrays to its index.
static bool fetchable(const TableData* t, LONG row) {
  if (inRange(t, row) || row == TBL_ROW_SCRATCH) return true;
  return (t->tableFlags & TF_OPENRANGE) && row >= 0 && row == t->highestFetched + 1;
}

// A row the host has (or had already) delivered: an open-ended range now
// reaches it. The open-range loops advance by this alone, so a row that was
// present before must count too.
static void delivered(TableData* t, LONG row) {
  if (row >= 0 && row > t->highestFetched) t->highestFetched = row;
  if ((t->tableFlags & TF_OPENRANGE) && row > t->rangeLast) t->rangeLast = row;
}

int fetchRow(TableData*& t, LONG row) {
  if (!t->store) return 0;
  if (t->store->isGap(row)) return 2;
  if (!fetchable(t, row)) return 0;
  HWND w = t->window;
  t->contextRow = row;
  WORD old = t->store->flags(row);
  if (old & TBL_ROW_PRESENT) {
    delivered(t, row);
    return 1;
  }
  bool given = t->store->setFlags(row, old | TBL_ROW_PRESENT);
  if (!refresh(t, w) || !t->store || !given) return 0;
  auto busy = TblBusyHook(t->hooks[TBLH_BUSY]);
  if ((t->tableFlags & TF_FETCHING) || (busy && busy())) {
    // Later, from the message queue; the row stays present but empty.
    if (refresh(t, w) && t->link && t->link->pending.add(row)) PostMessageA(w, TBLM_PROCESSREFETCH, 0, 0);
    return t ? 1 : 0;
  }
  t->tableFlags |= TF_FETCHING;
  LRESULT answer = requestRow(t, row);
  if (!refresh(t, w)) return 0;
  t->tableFlags &= ~TF_FETCHING;
  if (answer == 1) {
    delivered(t, row);
    return 1;
  }
  if (t->store) t->store->setFlags(row, old);
  if (answer == 2) {
    // Past the known rows of an open-ended range there is nothing to delete:
    // the host says the rows end here (asking again would never finish).
    if (!deleteRow(t, row, false, true) && t && (t->tableFlags & TF_OPENRANGE)) endOpenRange(t);
    return 2;
  }
  if (t->tableFlags & TF_OPENRANGE) endOpenRange(t);
  return 0;
}

bool fetchOpenRangeUpTo(TableData*& t, LONG row) {
  if (!(t->tableFlags & TF_OPENRANGE) || row < 0 || row <= t->highestFetched) return true;
  HWND w = t->window;
  bool known = fetchOpenRangeTo(*t->link, row);
  return refresh(t, w) && known;
}

void recount(TableData*& t) {
  HWND w = t->window;
  LONG perPage = t->view.rowsPerPage ? t->view.rowsPerPage(t) : 1;
  t->tableFlags |= TF_OPENRANGE | TF_RECOUNTING;
  t->highestFetched = -1;
  recountOpenRange(*t->link, perPage > 0 ? perPage : 1);
  if (!refresh(t, w)) return;
  t->tableFlags &= ~(TF_RECOUNTING | TF_OPENRANGE);
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_RANGE);
  InvalidateRect(w, nullptr, TRUE);
}

bool addPending(TableData* t, LONG row) { return t->link && t->link->pending.add(row); }

void processPending(TableData*& t) {
  HWND w = t->window;
  if (t->tableFlags & TF_FETCHING) {
    PostMessageA(w, TBLM_PROCESSREFETCH, 0, 0);
    return;
  }
  int32_t row;
  while (t->link && t->link->pending.pop(row)) {
    t->store->changeFlags(row, TBL_ROW_PRESENT, false);
    TBLROWPAIR rows{row, row};
    SendMessageA(w, TBLM_INVALIDATEROWS, 0, LPARAM(&rows));
    if (!refresh(t, w)) return;
  }
}

bool validateMove(TableData*& t, LONG oldRow, LONG oldColumn, LONG newRow, LONG newColumn) {
  auto hook = TblValidateHook(t->hooks[TBLH_VALIDATE]);
  if (!hook) return true;
  HWND w = t->window;
  WORD answer = LOWORD(hook(w, oldRow, oldColumn, newRow, newColumn));
  if (!refresh(t, w)) return false;
  t->lastValidate = answer;
  switch (answer) {
  case 0:
    return false;
  case 3:
    t->tableFlags &= ~(TF_ROWEDITED | TF_EDITTEXTSET);
    [[fallthrough]];
  case 2:
    if (t->editor) SendMessageA(t->editor, EM_SETMODIFY, FALSE, 0);
    break;
  }
  return true;
}

// Without the in-place editor the only cell that can be "being edited" is
// a focus cell set by TBLM_SETFOCUSCELL; a focus row alone has nothing to
// commit.
bool commit(TableData*& t) {
  if (!t->focusColumnId || !inRange(t, t->focusRow)) return true;
  if (!validateMove(t, t->focusRow, t->focusColumnId, -1, -1)) return false;
  notify(t, TBLN_COMMITTED, t->focusColumnId);
  return true;
}

namespace {

// The nearest row to `row` that is in range, present as a number and not
// hidden; TBL_ROW_SCRATCH when there is none.
LONG nearestShownRow(TableData* t, LONG row) {
  bool split = isSplitRow(row);
  LONG first = split ? t->splitFirst : t->rangeFirst;
  LONG last = split ? t->splitLast : t->rangeLast;
  if (last < first) return TBL_ROW_SCRATCH;
  if (row > last) row = last;
  if (row < first) row = first;
  for (LONG r = row; r <= last; ++r)
    if (!t->store->isGap(r) && !(t->store->flags(r) & TBL_ROW_HIDDEN)) return r;
  for (LONG r = row - 1; r >= first; --r)
    if (!t->store->isGap(r) && !(t->store->flags(r) & TBL_ROW_HIDDEN)) return r;
  return TBL_ROW_SCRATCH;
}

void repaintFrom(TableData* t, LONG row) {
  if (t->view.repaintRows) t->view.repaintRows(t, row, isSplitRow(row) ? t->splitLast : t->rangeLast + 1, 0, false);
}

} // namespace

bool deleteRow(TableData*& t, LONG row, bool keepNumbers, bool repaint) {
  if (!t->store || !inRange(t, row)) return false;
  if (!t->store->deleteRow(row, keepNumbers)) return false;
  bool split = isSplitRow(row);
  if (!keepNumbers) {
    if (split) {
      --t->splitLast;
      --t->splitRowCount;
    } else {
      --t->rangeLast;
      if (t->highestFetched >= row) --t->highestFetched;
    }
    if (isSplitRow(t->focusRow) == split && t->focusRow > row && t->focusRow != TBL_ROW_SCRATCH) --t->focusRow;
  }
  if (t->focusRow == row) {
    LONG old = t->focusRow;
    t->focusRow = nearestShownRow(t, row);
    if (t->focusRow != old) notify(t, TBLN_FOCUSROWCHANGED, -1);
    if (!refresh(t, t->window)) return true;
  }
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_RANGE);
  if (repaint) repaintFrom(t, row);
  return true;
}

LONG insertRow(TableData*& t, LONG before) {
  if (!t->store) return TBL_ROW_SCRATCH;
  bool split = before == TBL_ROW_NONE || isSplitRow(before);
  if (before == TBL_ROW_END) before = t->rangeLast + 1;
  if (before == TBL_ROW_NONE) before = t->splitFirst;
  LONG first = split ? t->splitFirst : t->rangeFirst;
  LONG last = split ? t->splitLast : t->rangeLast;
  if (before < first || before > last + 1) return TBL_ROW_SCRATCH;
  LONG row = t->store->insertRow(before, TBL_ROW_PRESENT | TBL_ROW_NEW);
  if (!refresh(t, t->window) || row == TBL_ROW_SCRATCH) return TBL_ROW_SCRATCH;
  if (split) {
    ++t->splitLast;
    ++t->splitRowCount;
  } else {
    ++t->rangeLast;
  }
  if (t->focusRow != TBL_ROW_SCRATCH && isSplitRow(t->focusRow) == split && t->focusRow >= row) ++t->focusRow;
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_RANGE);
  repaintFrom(t, row);
  return row;
}

bool setRowFlags(TableData*& t, LONG row, WORD mask, bool on) {
  if (!t->store || !inRange(t, row)) return false;
  WORD before = t->store->flags(row);
  HWND w = t->window;
  bool ok = t->store->changeFlags(row, mask, on);
  if (!refresh(t, w) || !ok) return false;
  WORD after = t->store->flags(row);
  if ((before ^ after) & TBL_ROW_HIDDEN) {
    if (row == t->focusRow && (after & TBL_ROW_HIDDEN)) {
      t->focusRow = nearestShownRow(t, row);
      notify(t, TBLN_FOCUSROWCHANGED, -1);
      if (!refresh(t, w)) return true;
    }
    if (t->view.layoutChanged) t->view.layoutChanged(t, VC_EXTENT);
    InvalidateRect(w, nullptr, FALSE);
  } else if ((before ^ after) & (TBL_ROW_SELECTED | TBL_ROW_EDITED | TBL_ROW_NEW)) {
    if (t->view.repaintRows) t->view.repaintRows(t, row, row, 0, false);
  }
  return true;
}

} // namespace gridwin
