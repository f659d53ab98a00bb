// The list view's own record and what its parts (structure and scrolling,
// painter, mouse, keyboard) share.
#pragma once
#include "listlayout.h"
#include "table.h"

namespace gridwin {

enum DragMode {
  DRAG_NONE = 0,
  DRAG_COLSIZE = 1,
  DRAG_COLMOVE = 2,
  DRAG_SPLIT = 3,
  DRAG_SELECT = 4,
  DRAG_DESELECT = 5,
  DRAG_HEADERWIDTH = 6,
  DRAG_ROWHEIGHT = 7,
};

struct Drag {
  int mode;
  int column;          // modes 1 and 2: column index
  ColumnSpan span;     // modes 1 and 2: the column where the drag began
  POINT start;         // where the button went down
  LONG feedback;       // x or y of the inverted line, or the outline's x offset
  bool drawn;          // the feedback is on the screen
  LONG anchor;         // modes 4/5: the row the span starts at
  LONG current;        // modes 4/5: the row the span ends at
  LONG rowTop;         // mode 7: top of the row being sized
  bool changed;        // modes 4/5: a selection changed
  int scrollDirection; // modes 4/5: -1 up, 1 down while the auto-scroll timer runs
};

struct ListView {
  HWND container;
  HWND clip;
  HWND splitBars[2];    // split mode: scroll bars of the split rows and of the normal rows
  LONG width, height;   // of the clip pane
  LONG firstScroll;     // scrolling columns scrolled out of view
  LONG splitRows;       // rows the split area shows (-1: chosen by the view)
  LONG splitHeight;     // pixels of the split rows and the bar (0 when not split)
  SCROLLINFO shown[4];  // what each scroll bar shows, to skip unchanged updates
  WORD hScrollCode;     // the last arrow of WM_HSCROLL and how often it repeated
  int hScrollRepeat;
  int columnAnchor;     // the column a Shift title click extends from
  Drag drag;
};

constexpr int kSplitBar = 4;     // height of the split bar
constexpr int kGrip = 3;         // pixels either side of an edge that grab it
constexpr UINT_PTR kAutoScrollTimer = 1;

inline ListView* listOf(TableData* t) { return static_cast<ListView*>(t->listData); }

// Areas of rows: the split rows and the normal rows.
enum Area { AREA_SPLIT, AREA_NORMAL };

struct AreaRows {
  LONG first, last;  // range
  LONG top;          // first row shown
  LONG y, bottom;    // pane pixels
};

LONG titleHeight(TableData* t);
LONG headerWidth(TableData* t);
bool isMirrored(TableData* t);
ColumnLayout columnLayout(TableData* t);
AreaRows areaRows(TableData* t, Area area);
Area areaOf(LONG row);
LONG rowsPerPage(TableData* t);
LONG areaPage(TableData* t, Area area);
// Pane y of a row's top, hidden rows skipped; the area's bottom when below.
LONG rowY(TableData* t, LONG row);
// The row shown at pane y in the area, TBL_ROW_SCRATCH below the last.
LONG rowAtY(TableData* t, Area area, LONG y);
// The last row shown in the area (its top row when none fits).
LONG lastShownRow(TableData* t, Area area);
bool rowHidden(TableData* t, LONG row);

void relayout(TableData* t);
void updateScrollBars(TableData* t);
void scrollArea(TableData* t, Area area, LONG top);
void scrollColumns(TableData* t, LONG firstScroll);

// listpaint.cpp
void paint(TableData* t, HDC dc, const PAINTSTRUCT* ps, HBRUSH background);
void drawFocus(TableData* t, HDC dc);

// listinput.cpp: mouse, drags and cursors on the :ListClip pane.
bool mouseMessage(TableData*& t, UINT msg, WPARAM wp, LPARAM lp);
bool setCursor(TableData*& t, WPARAM wp, LPARAM lp);
void cancelDrag(TableData* t);

// listkeys.cpp
bool keyDown(TableData*& t, UINT vk);

} // namespace gridwin
