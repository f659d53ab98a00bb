// Creation and teardown of a table: reading TableCreateParams, the column
// windows and their records, metrics, GDI resources; TBLM_RESET,
// TBLM_RECREATE, TBLM_ADDCOLUMN and column moves.
#include "flags.h"
#include "hosttools.h"
#include "res/resource.h"
#include "table.h"

#include <algorithm>
#include <cstring>

namespace gridwin {

namespace {

constexpr int kParamsBytes = 54;
constexpr int kColumnInfoBytes = 58;

// What a table is made of when the host passes no record.
TableCreateParams defaultParams() {
  TableCreateParams p{};
  p.viewType = TBL_VIEW_LIST;
  return p;
}

template <class T> T readRecord(const BYTE* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

HWND parentOf(HWND w) { return GetParent(w); }

void errorBeforeData(HWND w) {
  SendMessageA(parentOf(w), WM_COMMAND, MAKEWPARAM(0xFFFF, TBLN_ERROR), LPARAM(w));
}

LONG capLength(LONG length, BYTE dataType) {
  length = std::clamp<LONG>(length, 0, kMaxDataLength);
  if (dataType == 1) length = std::min<LONG>(length + 4, kMaxDataLength);
  return length;
}

void* copyBlock(TableData* t, const void* data, LONG length) {
  if (!data || length <= 0) return nullptr;
  void* p = tableAlloc(t, length);
  if (p) std::memcpy(p, data, length);
  return p;
}

HWND createDropDownWindow(TableData* t, LONG cellKind) {
  HWND popup = dropDownPopup();
  if (cellKind == 4)
    return CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 0, 0, popup,
                           nullptr, t->instance, nullptr);
  return CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0, 0, 0, 0, popup,
                         nullptr, t->instance, nullptr);
}

void freeColumn(ColumnData& c) {
  tableFree(c.title);
  tableFree(c.valueData);
  tableFree(c.formatData);
  if (c.dropDown && IsWindow(c.dropDown)) DestroyWindow(c.dropDown);
  c = ColumnData{};
}

HWND createColumnWindow(TableData* t, int index) {
  char cls[28];
  lstrcpyA(cls, t->classPrefix);
  lstrcatA(cls, ":Column");
  return CreateWindowExA(0, cls, "", WS_CHILD, 0, 0, 0, 0, t->window, HMENU(INT_PTR(TBL_COLUMN_ID_BASE + index)),
                         t->instance, nullptr);
}

// Fills column `index` from a ColumnCreateInfo (or its first 17 bytes).
bool initColumn(TableData* t, int index, const ColumnCreateInfo& info) {
  if (DWORD(info.cellKind) > 5) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  HWND w = createColumnWindow(t, index);
  if (!w) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  ColumnData& c = column(t, index);
  c.window = w;
  c.title = copyText(t, info.title);
  c.maxDataLength = capLength(info.maxDataLength, info.dataType);
  c.width = std::max<LONG>(info.width, t->charWidth);
  c.cellHeight = t->fullRowHeight;
  c.columnFlags = info.columnFlags;
  c.dataType = info.dataType;
  c.formX = info.formX;
  c.formY = info.formY;
  c.valueData = copyBlock(t, info.valueData, info.valueDataLength);
  c.valueDataLength = c.valueData ? info.valueDataLength : 0;
  c.extra1 = info.extra1;
  c.extra2 = info.extra2;
  c.cellKind = info.cellKind;
  c.extra3 = info.extra3;
  c.formatKind = info.formatKind;
  c.formatData = copyBlock(t, info.formatData, info.formatLength);
  c.formatLength = c.formatData ? info.formatLength : 0;
  c.internalFlags = info.cellKind == 1 ? 1 : 0;
  if (!c.title) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  if (info.cellKind >= 2) c.dropDown = createDropDownWindow(t, info.cellKind);
  SetWindowLongA(w, 0, 1);  // attached: the column's record now exists
  return true;
}

bool loadResources(TableData* t) {
  HINSTANCE lib = g_instance;
  t->cursors[0] = LoadCursorA(nullptr, IDC_ARROW);
  t->cursors[1] = LoadCursorA(nullptr, IDC_IBEAM);
  const WORD ids[] = {IDC_COLSIZE, IDC_EDITBEAM, IDC_COLMOVE, IDC_HDRSIZE, IDC_SPLIT,
                      IDC_SPLITDRAG, IDC_ROWSIZE, IDC_DATACELL, IDC_ROWSELECT};
  // The library's shared cursors: they live as long as the library, and a
  // host can compare GetCursor() with LoadCursor(gridwin, id).
  for (int i = 0; i < 9; ++i) {
    t->cursors[2 + i] = LoadCursorA(lib, MAKEINTRESOURCEA(ids[i]));
    if (!t->cursors[2 + i]) return false;
  }
  t->bitmaps[0] = LoadBitmapA(lib, MAKEINTRESOURCEA(IDB_DROPDOWN));
  t->bitmaps[1] = LoadBitmapA(lib, MAKEINTRESOURCEA(IDB_CHECK));
  HBITMAP pattern = LoadBitmapA(lib, MAKEINTRESOURCEA(IDB_PATTERN));
  t->patternBrush = pattern ? CreatePatternBrush(pattern) : nullptr;
  if (pattern) DeleteObject(pattern);
  t->windowBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  t->blackBrush = HBRUSH(GetStockObject(BLACK_BRUSH));
  return t->bitmaps[0] && t->bitmaps[1] && t->patternBrush && t->windowBrush;
}

void freeResources(TableData* t) {
  for (HBITMAP b : t->bitmaps)
    if (b) DeleteObject(b);
  if (t->patternBrush) DeleteObject(t->patternBrush);
  if (t->windowBrush) DeleteObject(t->windowBrush);
  std::memset(t->cursors, 0, sizeof t->cursors);
  std::memset(t->bitmaps, 0, sizeof t->bitmaps);
  t->patternBrush = t->windowBrush = nullptr;
}

// Columns, titles, drop-downs and value data; column windows too.
void freeColumns(TableData* t) {
  for (int i = 0; i < t->columnCount; ++i) {
    HWND w = column(t, i).window;
    if (w && IsWindow(w)) DestroyWindow(w);
  }
  // Destroying a column window can reach the host (slot 7, TBLN_DESTROY),
  // which may not touch the records we free here.
  for (int i = 0; i < t->columnCount; ++i) freeColumn(column(t, i));
  t->columnCount = 0;
  if (t->order) t->order[0] = 0;
}

const BYTE* findParams(CREATESTRUCTA* cs) {
  if (cs->style & TBLS_DEFAULTS) return nullptr;
  if (cs->style & TBLS_MDICHILD) {
    auto* mdi = static_cast<MDICREATESTRUCTA*>(cs->lpCreateParams);
    return mdi ? reinterpret_cast<const BYTE*>(mdi->lParam) : nullptr;
  }
  return static_cast<const BYTE*>(cs->lpCreateParams);
}

// Everything of the table record except the record itself.
void releaseContents(TableData* t) {
  if (t->view.detach) t->view.detach(t);
  t->view = ViewOps{};
  freeStore(t);
  freeColumns(t);
  freeResources(t);
  tableFree(t->title);
  tableFree(t->order);
  t->title = nullptr;
  t->order = nullptr;
}

// Fills a freshly allocated, zeroed record from the creation parameters.
bool fillTable(TableData* t, const TableCreateParams& p, const BYTE* columnInfo) {
  t->order = static_cast<LONG*>(tableAlloc(t, (p.columnCount + 1) * 4));
  if (!t->order) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  GetClassNameA(t->window, t->classPrefix, 11);
  t->splitTop = t->splitFirst = TBL_SPLIT_ROW_BASE;
  t->splitLast = TBL_SPLIT_ROW_EMPTY;
  t->rangeLast = -1;
  t->focusRow = TBL_ROW_SCRATCH;
  t->pendingFocusRow = TBL_ROW_SCRATCH;
  t->instance = g_instance;  // the panes' classes are the library's own
  t->rowCacheLimit = p.rowCacheLimit;
  t->tableFlags = internalFromCreate(p.createFlags);
  t->font = p.font;
  t->displayFlags = p.displayFlags;
  t->linesPerRow = p.linesPerRow > 0 ? p.linesPerRow : 1;
  t->rowHeaderColumn = p.rowHeaderColumn;
  t->viewType = p.viewType;
  t->hooks[TBLH_VALIDATE] = p.validateHook;
  t->hooks[TBLH_ALLOC] = p.allocHook;
  t->hooks[TBLH_REALLOC] = p.reallocHook;
  t->stateFlags = (t->stateFlags | SF_ACTIVE) & ~SF_STATE80;
  if (p.createFlags & TBLC_STATE8000) t->stateFlags |= SF_HOSTBIT;
  if (p.createFlags & TBLC_REVERSECOLUMNS) t->stateFlags |= SF_MIRRORED;
  t->focusWord2 = LONG(0x80000000);
  measureFont(t);
  if (!loadResources(t)) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  t->rowHeaderWidth = p.rowHeaderWidth + ((t->tableFlags & TF_WIDEHEADER) ? 3 * t->cxBorder : t->cxBorder);
  t->title = copyText(t, p.title);
  if (!t->title) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  for (int i = 0; i < p.columnCount; ++i) {
    t->order[i] = i;
    auto info = readRecord<ColumnCreateInfo>(columnInfo + i * kColumnInfoBytes);
    t->columnCount = i + 1;  // so that a failure frees this column too
    if (!initColumn(t, i, info)) return false;
  }
  if ((p.createFlags & TBLC_ACTIVATE) && !createStore(t)) return false;
  if (!setView(t, t->viewType)) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  if (p.createFlags & TBLC_REVERSECOLUMNS) {
    int n = t->columnCount;
    for (int j = 0; j < n / 2; ++j) {
      moveColumn(t, j, n - 1 - j);
      moveColumn(t, n - 2 - j, j);
    }
  }
  return true;
}

bool readParams(HWND w, const BYTE* raw, TableCreateParams& p) {
  p = raw ? readRecord<TableCreateParams>(raw) : defaultParams();
  if (p.columnCount < 0 || p.columnCount > kMaxColumns) {
    errorBeforeData(w);
    return false;
  }
  return true;
}

TableData* allocateTable(HWND w, const TableCreateParams& p) {
  DWORD size = kHeaderBytes + 82 * DWORD(p.columnCount);
  void* block = p.allocHook ? TblAllocHook(p.allocHook)(size) : HtAlloc(size);
  if (!block) {
    errorBeforeData(w);
    return nullptr;
  }
  std::memset(block, 0, size);
  auto* t = static_cast<TableData*>(block);
  t->window = w;
  t->mdi = GetWindowLongA(w, GWL_STYLE) & TBLS_MDICHILD;
  return t;
}

// Puts a new table into window long 0 and fills it from the record. On
// failure the window is left with no table at all, so the WM_NCDESTROY that
// still follows a failed WM_NCCREATE frees nothing twice.
bool installTable(HWND w, TableData* t, const TableCreateParams& p, const BYTE* raw) {
  SetWindowLongPtrA(w, 0, LONG_PTR(t));
  t->building = true;
  if (!fillTable(t, p, raw ? raw + kParamsBytes : nullptr)) {
    releaseContents(t);
    SetWindowLongPtrA(w, 0, 0);
    tableFree(t);
    return false;
  }
  t->building = false;
  return true;
}

} // namespace

void measureFont(TableData* t) {
  HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  HGDIOBJ old = SelectObject(ic, t->font ? HGDIOBJ(t->font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA tm{};
  GetTextMetricsA(ic, &tm);
  SelectObject(ic, old);
  DeleteDC(ic);
  t->cxBorder = GetSystemMetrics(SM_CXBORDER);
  t->cyBorder = GetSystemMetrics(SM_CYBORDER);
  t->twoCxBorder = 2 * t->cxBorder;
  t->externalLeading = tm.tmExternalLeading;
  t->charHeight = tm.tmHeight;
  t->charWidth = (tm.tmAveCharWidth + 1) & ~1;
  if (t->charWidth < 2) t->charWidth = 2;
  t->halfCharWidth = t->charWidth / 2;
  t->rowHeight = (t->cyBorder + 4 * t->cxBorder + tm.tmHeight + 1) & ~1;
  // A row taller than a window can be would wrap the row height round.
  LONG lineHeight = std::max<LONG>(tm.tmHeight, 1);
  LONG maxLines = 1 + std::max<LONG>(kMaxRowHeight - t->rowHeight, 0) / lineHeight;
  t->linesPerRow = std::clamp<LONG>(t->linesPerRow, 1, maxLines);
  t->fullRowHeight = t->rowHeight + (t->linesPerRow - 1) * tm.tmHeight;
}

void moveColumn(TableData* t, int from, int to) {
  int n = t->columnCount;
  if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
  LONG moving = t->order[from];
  if (from < to)
    std::memmove(t->order + from, t->order + from + 1, (to - from) * sizeof(LONG));
  else
    std::memmove(t->order + to + 1, t->order + to, (from - to) * sizeof(LONG));
  t->order[to] = moving;
}

LRESULT createTable(HWND w, CREATESTRUCTA* cs) {
  SetClassLongA(w, 0, TBL_TABLE_CLASS_MARK);
  SetWindowLongPtrA(w, 0, 0);
  SetWindowWord(w, 4, 0);
  TableCreateParams p;
  const BYTE* raw = findParams(cs);
  if (!readParams(w, raw, p)) return 0;
  TableData* t = allocateTable(w, p);
  if (!t || !installTable(w, t, p, raw)) return 0;
  SetWindowLongA(w, GWL_STYLE, GetWindowLongA(w, GWL_STYLE) | WS_CLIPCHILDREN);
  return 1;
}

void destroyTable(HWND w) {
  TableData* t = tableOf(w);
  if (!t) return;
  releaseContents(t);
  SetWindowLongPtrA(w, 0, 0);
  tableFree(t);
}

bool resetTable(TableData* t) {
  if (!freeStore(t)) return false;  // the store is delivering an event: not now
  if (t->view.rowsReset) t->view.rowsReset(t);
  freeColumns(t);
  t->tableFlags &= ~TF_OPENRANGE;
  t->rangeFirst = 0;
  t->rangeLast = -1;
  t->highestFetched = -1;
  t->topRow = 0;
  t->splitTop = t->splitFirst = TBL_SPLIT_ROW_BASE;
  t->splitLast = TBL_SPLIT_ROW_EMPTY;
  t->splitRowCount = 0;
  t->focusRow = TBL_ROW_SCRATCH;
  t->focusColumnId = 0;  // column identifiers are handed out again
  t->contextRow = 0;
  bool ok = createStore(t);
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_COLUMNORDER);
  InvalidateRect(t->window, nullptr, TRUE);
  return ok;
}

namespace {

// A record creation would refuse is refused before the old table goes, so
// that a bad TBLM_RECREATE leaves the table as it was.
bool cellKindsAcceptable(TableData* t, const TableCreateParams& p, const BYTE* columnInfo) {
  for (int i = 0; i < p.columnCount; ++i) {
    auto info = readRecord<ColumnCreateInfo>(columnInfo + i * kColumnInfoBytes);
    if (DWORD(info.cellKind) > 5) {
      notify(t, TBLN_ERROR, -1);
      return false;
    }
  }
  return true;
}

} // namespace

LRESULT recreateTable(HWND w, TableData* t, const BYTE* raw) {
  TableCreateParams p;
  if (!readParams(w, raw, p)) return 0;
  if (raw && !cellKindsAcceptable(t, p, raw + kParamsBytes)) return 0;
  void* hooks[TBL_HOOK_SLOTS];
  std::memcpy(hooks, t->hooks, sizeof hooks);
  releaseContents(t);
  SetWindowLongPtrA(w, 0, 0);
  tableFree(t);
  t = allocateTable(w, p);
  if (!t) return 0;
  // The host's callbacks stay installed across a rebuild.
  std::memcpy(t->hooks, hooks, sizeof hooks);
  if (!installTable(w, t, p, raw)) return 0;
  RECT r;
  GetClientRect(w, &r);
  SendMessageA(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
  InvalidateRect(w, nullptr, TRUE);
  return 1;
}

bool addColumn(TableData*& t, int position, const BYTE* raw) {
  if (!raw || t->columnCount >= kMaxColumns) return false;
  ColumnCreateInfo info{};
  std::memcpy(&info, raw, 17);  // width, maxDataLength, flags, dataType, title
  int n = t->columnCount;
  auto* order = static_cast<LONG*>(tableRealloc(t, t->order, (n + 2) * 4));
  if (!order) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  t->order = order;
  auto* grown = static_cast<TableData*>(tableRealloc(t, t, kHeaderBytes + 82 * (n + 1)));
  if (!grown) {
    notify(t, TBLN_ERROR, -1);
    return false;
  }
  t = grown;
  SetWindowLongPtrA(t->window, 0, LONG_PTR(t));
  column(t, n) = ColumnData{};
  t->order[n] = n;
  t->columnCount = n + 1;
  if (!initColumn(t, n, info)) {
    HWND w = column(t, n).window;  // read before the record is cleared
    freeColumn(column(t, n));
    t->columnCount = n;
    if (w) DestroyWindow(w);
    return false;
  }
  if (t->store) t->store->setColumnCount(t->columnCount);
  moveColumn(t, n, std::clamp(position, 0, n));
  if (t->view.layoutChanged) t->view.layoutChanged(t, VC_COLUMNADDED);
  return true;
}

} // namespace gridwin
