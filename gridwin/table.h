// The table window's state: TableData (window long 0), ColumnData, the view
// operations table, and the functions the table's parts call on each other.
#pragma once
#include "gridwin.h"
#include "rowstore/rowstore.h"

#include <cstddef>

namespace gridwin {

// Internal table flag bits (tableFlags).
enum : DWORD {
  TF_ACTIVE = 0x1,
  TF_DISCARD = 0x2,
  TF_FOCUSSHOWN = 0x8,
  TF_TITLETOGGLE = 0x100,
  TF_ROWEDITED = 0x400,
  TF_NOINSERTEDIT = 0x4000,  // public 0x10: Insert does not open the editor
  TF_SPLIT = 0x8000,
  TF_OPENRANGE = 0x20000,
  TF_COUNTDISCARDABLE = 0x80000,
  TF_EDITTEXTSET = 0x100000,
  TF_WIDEHEADER = 0x400000,
  TF_FETCHING = 0x800000,
  TF_COMMITTING = 0x2000000,
  TF_RECOUNTING = 0x20000000,
  TF_FORMCONTROLS = 0x80000000,
};

// State bits (stateFlags).
enum : DWORD {
  SF_ACTIVE = 0x1,
  SF_QUIET = 0x2,        // no notifications
  SF_QUERY3 = 0x8,
  SF_MIRRORED = 0x10,
  SF_QUERY5 = 0x20,
  SF_STATE80 = 0x80,
  SF_HOSTBIT = 0x8000,
};

// Layout-changed codes passed to the view.
enum ViewCode {
  VC_CONTEXTROW = 1,
  VC_TITLE = 2,
  VC_DISPLAYFLAGS = 3,
  VC_CELL = 5,
  VC_CELLCOLOR = 6,
  VC_ROWHEADERWIDTH = 7,
  VC_COLUMNORDER = 8,
  VC_COLUMNADDED = 9,
  VC_LOCKED = 10,
  VC_RANGE = 11,
  VC_FOCUSROW = 12,
  VC_EXTENT = 13,
  VC_FONT = 14,
  VC_LINES = 15,
};

struct TableData;
struct StoreLink;

// What a view does for the table; slot order is fixed (25 slots).
struct ViewOps {
  void (*detach)(TableData*);
  void (*paint)(TableData*, HDC, const PAINTSTRUCT*, HBRUSH);
  void (*showFocus)(TableData*, bool show);
  void (*repaintRows)(TableData*, LONG first, LONG last, int mode, bool flag);
  void (*view4)(TableData*);
  bool (*cellRect)(TableData*, LONG row, int column, RECT*);
  void (*layoutChanged)(TableData*, int code);
  void (*rowsReset)(TableData*);
  void (*flagsChanged)(TableData*, DWORD publicMask, DWORD value);
  bool (*handleMessage)(TableData*, UINT, WPARAM, LPARAM, LRESULT*);
  WORD (*columnQuery)(TableData*, WORD arg, LPARAM);
  LRESULT (*viewMsg1)(TableData*, LPARAM);
  LRESULT (*viewMsg2)(TableData*, WORD a, WORD b);
  LONG (*rowsThatFit)(TableData*);
  void (*extraMetrics)(TableData*, TBLMETRICS*);
  LRESULT (*scrollPos)(TableData*, int area);
  bool (*scrollIntoView)(TableData*, LONG row, int column, int mode);
  void (*splitChanged)(TableData*);
  void (*view18)(TableData*);
  LONG (*rowsPerPage)(TableData*);
  LONG (*splitRowsThatFit)(TableData*);  // view-specific slot 20: rows that fit the split area
  void (*columnFlagsChanged)(TableData*, int column, DWORD changed);
  void (*drawFocus)(TableData*, HDC);
  void (*view23)(TableData*);
  void (*view24)(TableData*, POINT*);
};
static_assert(sizeof(ViewOps) == 25 * sizeof(void*));

#pragma pack(push, 1)
struct ColumnData {
  LONG maxDataLength;
  LONG width;
  LONG cellHeight;
  char* title;
  DWORD columnFlags;
  BYTE dataType;
  LONG formX, formY;
  LONG valueDataLength;
  void* valueData;
  HWND cellControl;
  DWORD extra1;
  HWND window;  // the column window (a reserved word of the record)
  DWORD extra2;
  LONG cellKind;
  BYTE formatKind;
  LONG formatLength;
  void* formatData;
  DWORD extra3;
  HWND dropDown;
  DWORD reserved2;
  DWORD internalFlags;
};
#pragma pack(pop)
static_assert(sizeof(ColumnData) == 82);

constexpr int kHeaderBytes = 600;
constexpr int kMaxColumns = 0x7FFF;  // identifiers must stay 16-bit
constexpr int kMaxDataLength = 0x7F00;
constexpr LONG kMaxRowHeight = 0x7FFF;  // lines per row are capped to stay within it

struct TableData {
  DWORD hostWord;
  LONG rangeFirst, rangeLast;
  LONG topRow;
  LONG contextRow;
  LONG focusRow;
  WORD focusColumnId;
  LONG geometry[4];
  HWND editor;
  HWND secondChild;
  void* positionHook;
  LONG rowCacheLimit;
  HDC paintDC;
  HBRUSH paintBrush;
  DWORD tableFlags;
  DWORD stateFlags;
  WORD viewType;
  HINSTANCE instance;
  RowStore* store;
  WNDPROC editorProc, editProc;
  LONG columnCount;
  HFONT font;
  LONG rowHeaderWidth;
  WORD displayFlags;
  WORD rowHeaderColumn;
  char* title;
  LONG splitRowCount, splitTop, splitFirst, splitLast;
  LPARAM splitArg;
  LONG knownRows, highestFetched;
  LONG focusWord1, focusWord2;
  char fillChar;
  void* hooks[TBL_HOOK_SLOTS];
  char classPrefix[11];
  // Text metrics.
  LONG externalLeading, rowHeight, linesPerRow, fullRowHeight, charWidth, charHeight;
  LONG cxBorder, cyBorder, halfCharWidth, twoCxBorder;
  HBRUSH patternBrush, windowBrush, blackBrush;
  HCURSOR cursors[11];
  HBITMAP bitmaps[2];
  WORD lastValidate;
  ViewOps view;
  void* formData;
  void* listData;
  StoreLink* link;  // the store's memory, events and pending re-fetch list
  LONG* order;    // display position -> column index, columnCount + 1 entries
  HWND focusEntering, focusLeaving, focusPartner;
  // Not in the host's view of the record.
  HWND window;
  LONG lockedCount;
  LONG pendingFocusRow;
  WORD pendingFocusColumnId;  // with pendingFocusRow, while a focus move is validated
  bool mdi;
  bool building;  // inside WM_NCCREATE or TBLM_RECREATE: columns torn down quietly
};
static_assert(sizeof(TableData) <= kHeaderBytes);

inline ColumnData* columns(TableData* t) {
  return reinterpret_cast<ColumnData*>(reinterpret_cast<char*>(t) + kHeaderBytes);
}
inline ColumnData& column(TableData* t, int index) { return columns(t)[index]; }
inline TableData* tableOf(HWND w) { return reinterpret_cast<TableData*>(GetWindowLongPtrA(w, 0)); }
inline bool isActive(const TableData* t) { return t->tableFlags & TF_ACTIVE; }

inline HWND columnWindow(TableData* t, int index) { return column(t, index).window; }
inline HWND columnWindowOfId(TableData* t, WORD id) {
  int index = id - TBL_COLUMN_ID_BASE;
  return index >= 0 && index < t->columnCount ? column(t, index).window : nullptr;
}

// Column reference (index or 0x8000 + index) -> index, or -1.
int columnIndex(const TableData* t, WPARAM ref);

// memory.cpp: host memory; TableData-owned blocks honour hook slots 17/18.
void* tableAlloc(TableData* t, DWORD size);
void* tableRealloc(TableData* t, void* block, DWORD size);
void tableFree(void* block);
char* copyText(TableData* t, const char* text);

// notify.cpp: notifications (the host may act on them: see refresh).
void notify(TableData* t, UINT code, LONG idOrRow);
// After a call into the host the record may have moved (TBLM_ADDCOLUMN
// reallocates it) or the window may be gone: re-read it; false when gone.
inline bool refresh(TableData*& t, HWND w) {
  t = IsWindow(w) ? reinterpret_cast<TableData*>(GetWindowLongPtrA(w, 0)) : nullptr;
  return t != nullptr;
}

// create.cpp
LRESULT createTable(HWND w, CREATESTRUCTA* cs);
void destroyTable(HWND w);
bool buildTable(TableData*& t, HWND w, const BYTE* params, bool defaults);
bool resetTable(TableData* t);
LRESULT recreateTable(HWND w, TableData* t, const BYTE* params);
bool addColumn(TableData*& t, int position, const BYTE* info);
void moveColumn(TableData* t, int from, int to);
void measureFont(TableData* t);
bool setView(TableData* t, int viewType);

// rows.cpp: the table's use of the row store.
bool createStore(TableData* t);
bool freeStore(TableData* t);  // false while the store is delivering an event
int fetchRow(TableData*& t, LONG row);
bool setContextRow(TableData*& t, LONG row);
bool inRange(const TableData* t, LONG row);
bool isSplitRow(LONG row);
WORD rowFlags(const TableData* t, LONG row);
bool setRowFlags(TableData*& t, LONG row, WORD mask, bool on);
bool fetchOpenRangeUpTo(TableData*& t, LONG row);
void recount(TableData*& t);
bool addPending(TableData* t, LONG row);
void processPending(TableData*& t);
bool validateMove(TableData*& t, LONG oldRow, LONG oldColumn, LONG newRow, LONG newColumn);
bool commit(TableData*& t);
bool deleteRow(TableData*& t, LONG row, bool keepNumbers, bool repaint);
LONG insertRow(TableData*& t, LONG before);

// tableproc.cpp: focus and selection, shared with the views' input.
// moveFocus validates (slot 20) and sends TBLN_FOCUSROWCHANGED when the row
// changes; false when refused or the row cannot take the focus.
bool moveFocus(TableData*& t, LONG row, WORD columnId);
void clearSelection(TableData*& t, int mode);
LRESULT getLastRow(TableData*& t);
void applyLinesPerRow(TableData* t, LONG lines);

// tableproc.cpp / column.cpp / listview.cpp / dropdown.cpp
LRESULT CALLBACK TableProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ColumnProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ContainerProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListClipProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK FormClipProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditorFrameProc(HWND, UINT, WPARAM, LPARAM);
bool attachListView(TableData* t);
bool attachFormView(TableData* t);

extern HINSTANCE g_instance;
HWND dropDownPopup();

} // namespace gridwin
