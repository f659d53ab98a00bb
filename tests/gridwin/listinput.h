// A host that works the list view with the mouse and the keyboard: input
// goes to the :ListClip pane as the system would send it, the key and
// button state is set with SetKeyboardState (synthetic messages leave it
// alone) and the pointer is moved with SetCursorPos.
#pragma once
#include "host.h"

#include <initializer_list>

class ListHost : public TableHost {
 public:
  HWND t = nullptr, clip = nullptr, container = nullptr;
  TBLMETRICS m{};
  LONG header = 0;  // row header width
  LONG title = 0;   // title row height (one line)

  void SetUp() override {
    TableHost::SetUp();
    ShowWindow(parent, SW_SHOW);
    setKeys({});
  }
  void TearDown() override {
    setKeys({});
    ReleaseCapture();
    TableHost::TearDown();
  }

  // Three 60-pixel columns A B C over `rows` rows, focused, no notes yet.
  void make(int columns = 3, DWORD createFlags = TBLC_ACTIVATE, LONG rows = 100) {
    t = activeTable(columns, createFlags);
    ASSERT_TRUE(t);
    attach();
    setRange(t, 0, rows - 1);
    SetFocus(t);
    notes.clear();
  }
  void attach() {
    container = FindWindowExA(t, nullptr, "Halvik:Tab:Container", nullptr);
    clip = FindWindowExA(container, nullptr, "Halvik:Tab:ListClip", nullptr);
    ASSERT_TRUE(clip);
    send(t, TBLM_GETMETRICS, 0, &m);
    header = LONG(send(t, TBLM_GETROWHEADERWIDTH));
    title = m.rowHeight - (LONG(send(t, TBLM_GETLINESPERROW)) - 1) * m.charHeight;
  }

  // Pane coordinates: the middle of column position `pos` (60 pixels each
  // after the row header) and of normal row `row` shown `row` rows down.
  LONG columnX(int pos) const { return header + pos * 60 + 30; }
  LONG edgeX(int pos) const { return header + (pos + 1) * 60; }
  LONG rowYAt(int shownRow) const { return title + shownRow * m.rowHeight + m.rowHeight / 2; }

  static void setKeys(std::initializer_list<int> down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    for (int vk : {VK_LBUTTON, VK_RBUTTON, VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_LCONTROL}) keys[vk] = 0;
    for (int vk : down) keys[vk] = 0x80;
    SetKeyboardState(keys);
  }
  static WPARAM mk(std::initializer_list<int> keys) {
    WPARAM w = 0;
    for (int vk : keys) w |= vk == VK_SHIFT ? MK_SHIFT : vk == VK_CONTROL ? MK_CONTROL : 0;
    return w;
  }

  // Button down (the button held from then on), moves, button up.
  void down(LONG x, LONG y, std::initializer_list<int> keys = {}) {
    std::vector<int> held(keys);
    held.push_back(VK_LBUTTON);
    BYTE state[256];
    GetKeyboardState(state);
    for (int vk : held) state[vk] = 0x80;
    SetKeyboardState(state);
    send(clip, WM_LBUTTONDOWN, MK_LBUTTON | mk(keys), MAKELPARAM(x, y));
  }
  void move(LONG x, LONG y) { send(clip, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
  void up(LONG x, LONG y) {
    setKeys({});
    send(clip, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void click(LONG x, LONG y, std::initializer_list<int> keys = {}) {
    down(x, y, keys);
    up(x, y);
  }
  void key(UINT vk, std::initializer_list<int> held = {}) {
    setKeys(held);
    send(clip, WM_KEYDOWN, vk, 1);
    setKeys({});
  }

  // The cursor the pane sets with the pointer at pane point (x, y).
  HCURSOR cursorAt(LONG x, LONG y) {
    POINT p{x, y};
    ClientToScreen(clip, &p);
    SetCursorPos(p.x, p.y);
    SetCursor(nullptr);
    send(clip, WM_SETCURSOR, WPARAM(clip), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }
  HCURSOR libraryCursor(int id) const { return LoadCursorA(dll, MAKEINTRESOURCEA(id)); }

  bool isSelected(LONG row) { return send(t, TBLM_QUERYROWFLAGS, TBL_ROW_SELECTED, row) != 0; }
  std::vector<LONG> selectedRows(LONG upTo = 100) {
    std::vector<LONG> rows;
    for (LONG r = 0; r < upTo; ++r)
      if (isSelected(r)) rows.push_back(r);
    return rows;
  }
  LONG focusRow() { return LONG(send(t, TBLM_GETFOCUSROW)); }
  HWND focusColumn() {
    TBLFOCUS f{};
    send(t, TBLM_GETFOCUS, 0, &f);
    return f.column;
  }
  HWND columnWindow(int index) { return HWND(send(t, TBLM_GETCOLUMNWINDOW, index)); }
  LONG topRow() { return LOWORD(send(t, TBLM_GETSCROLLPOS, 0)); }
  LONG firstScrolled() { return HIWORD(send(t, TBLM_GETSCROLLPOS, 0)); }
  std::vector<Note> notesOf(std::initializer_list<UINT> codes) const {
    std::vector<Note> out;
    for (const Note& n : notes)
      for (UINT c : codes)
        if (n.code == c) out.push_back(n);
    return out;
  }

  // Paints the table now and reads pane pixels.
  void paintNow() { RedrawWindow(t, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }
  COLORREF pixel(LONG x, LONG y) {
    HDC dc = GetDC(clip);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(clip, dc);
    return c;
  }
};

constexpr WORD kId0 = TBL_COLUMN_ID_BASE;
constexpr LONG kNone = 0xFFFF;  // "no column" (-1) as the parent sees it in WM_COMMAND
