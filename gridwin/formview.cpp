// Form views (view types 2-4) as far as the table window itself needs
// them: their :Container and :FormClip panes and the view slots the table
// calls. The form's controls, its painting of cells and the in-place editor
// frame (:Long) come with cell editing.
#include "table.h"

#include <cstring>

namespace gridwin {

namespace {

struct FormView {
  HWND container;
  HWND clip;
};

FormView* formOf(TableData* t) { return static_cast<FormView*>(t->formData); }

void detach(TableData* t) {
  FormView* fv = formOf(t);
  if (!fv) return;
  t->formData = nullptr;
  if (IsWindow(fv->container)) DestroyWindow(fv->container);
  tableFree(fv);
}

void paint(TableData*, HDC dc, const PAINTSTRUCT* ps, HBRUSH background) { FillRect(dc, &ps->rcPaint, background); }
void showOrRepaint(TableData* t, bool) { InvalidateRect(formOf(t)->clip, nullptr, FALSE); }
void repaintRows(TableData* t, LONG, LONG, int, bool) { InvalidateRect(formOf(t)->clip, nullptr, FALSE); }
void nothing(TableData*) {}
bool noCell(TableData*, LONG, int, RECT*) { return false; }
void layoutChanged(TableData* t, int) {
  RECT r;
  GetClientRect(t->window, &r);
  MoveWindow(formOf(t)->container, 0, 0, r.right, r.bottom, TRUE);
  GetClientRect(formOf(t)->container, &r);
  MoveWindow(formOf(t)->clip, 0, 0, r.right, r.bottom, TRUE);
}
void rowsReset(TableData* t) { layoutChanged(t, VC_RANGE); }
void flagsChanged(TableData*, DWORD, DWORD) {}
bool handleMessage(TableData*, UINT, WPARAM, LPARAM, LRESULT*) { return false; }
WORD columnQuery(TableData*, WORD, LPARAM) { return 0; }
LONG oneRow(TableData*) { return 1; }  // a form shows one row
LONG noSplitRows(TableData*) { return 0; }
void extraMetrics(TableData*, TBLMETRICS*) {}
LRESULT scrollPos(TableData*, int) { return 0; }
bool scrollIntoView(TableData* t, LONG row, int, int) {
  if (row >= 0) t->topRow = row;
  InvalidateRect(formOf(t)->clip, nullptr, FALSE);
  return true;
}
void columnFlagsChanged(TableData*, int, DWORD) {}
void drawFocus(TableData*, HDC) {}
void formOrigin(TableData*, POINT* p) { *p = POINT{0, 0}; }

constexpr ViewOps kFormOps = {
    detach,        paint,     showOrRepaint, repaintRows, nothing,       noCell,        layoutChanged,
    rowsReset,     flagsChanged, handleMessage, columnQuery, nullptr,    nullptr,       oneRow,
    extraMetrics,  scrollPos, scrollIntoView, nothing,    nothing,       oneRow,        noSplitRows,
    columnFlagsChanged, drawFocus, nothing,  formOrigin,
};

} // namespace

bool attachFormView(TableData* t) {
  auto* fv = static_cast<FormView*>(tableAlloc(t, sizeof(FormView)));
  if (!fv) return false;
  std::memset(fv, 0, sizeof *fv);
  char cls[28];
  lstrcpyA(cls, t->classPrefix);
  lstrcatA(cls, ":Container");
  DWORD scroll = t->viewType == 4 ? 0 : WS_VSCROLL | WS_HSCROLL;
  fv->container = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | scroll, 0, 0, 0, 0,
                                  t->window, nullptr, t->instance, nullptr);
  lstrcpyA(cls, t->classPrefix);
  lstrcatA(cls, ":FormClip");
  fv->clip = fv->container ? CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, fv->container, nullptr,
                                             t->instance, nullptr)
                           : nullptr;
  if (!fv->clip) {
    if (fv->container) DestroyWindow(fv->container);
    tableFree(fv);
    return false;
  }
  t->formData = fv;
  t->view = kFormOps;
  layoutChanged(t, VC_EXTENT);
  return true;
}

bool setView(TableData* t, int viewType) {
  if (viewType < 0 || viewType > 4) return false;
  if (t->view.detach) t->view.detach(t);
  t->view = ViewOps{};
  t->viewType = WORD(viewType);
  if (viewType == TBL_VIEW_NONE) return true;
  return viewType == TBL_VIEW_LIST ? attachListView(t) : attachFormView(t);
}

LRESULT CALLBACK FormClipProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(w, msg, wp, lp);
}

LRESULT CALLBACK EditorFrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(w, msg, wp, lp);
}

} // namespace gridwin
