// The table window: a "Halvik:Table" on the form shows the CUSTOMERS of the
// sample database, each row fetched from SQLite (through dbclient) only when
// the table asks for it. Without the database it shows a generated data set.
#include "dbclient.h"
#include "gridwin.h"
#include "tour.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Source {
  DbcCursor cursor = 0;
  int fetches = 0;
};
Source g_source;

std::string cellOf(DbcCursor c, int i) {
  char text[256] = "";
  DbcGetColumn(c, i, text, sizeof text, nullptr);
  return text;
}

// Slot 9: the table wants `row`; set the context row's cells, answer 1 (or
// 2: no such row).
// Split rows (from TBL_SPLIT_ROW_BASE) show the first customers again.
LRESULT __stdcall fetchRow(UINT, HWND table, LONG row) {
  ++g_source.fetches;
  if (row < 0) row -= TBL_SPLIT_ROW_BASE;
  std::string cells[5];
  if (g_source.cursor) {
    char sql[128];
    std::snprintf(sql, sizeof sql, "SELECT ID, NAME, CITY, BALANCE, SINCE FROM CUSTOMERS WHERE ID = %ld",
                  long(row) + 1);
    if (DbcCompile(g_source.cursor, sql) || DbcExecute(g_source.cursor) || DbcFetch(g_source.cursor) != DBC_OK)
      return 2;
    for (int i = 0; i < 5; ++i) cells[i] = cellOf(g_source.cursor, i + 1);
  } else {
    static const char* const names[] = {"Ann Adler", "Bruno Berg", "Chloe Costa", "Dario Dietz"};
    static const char* const cities[] = {"Basel", "Lyon", "Porto", "Graz", "Turin"};
    cells[0] = std::to_string(row + 1);
    cells[1] = names[row % 4];
    cells[2] = cities[row % 5];
    cells[3] = std::to_string((row * 7919) % 100000 / 10.0);
    cells[4] = "2001-01-0" + std::to_string(row % 9 + 1);
  }
  for (int i = 0; i < 5; ++i) SendMessageA(table, TBLM_SETCELLTEXT, i, LPARAM(cells[i].c_str()));
  return 1;
}

std::vector<BYTE> createRecord() {
  static const struct { const char* title; LONG width, length; } cols[] = {
      {"Id", 50, 10}, {"Customer", 150, 40}, {"City", 90, 20}, {"Balance", 70, 12}, {"Since", 110, 10}};
  TableCreateParams p{};
  p.columnCount = 5;
  p.viewType = TBL_VIEW_LIST;
  p.createFlags = TBLC_ACTIVATE | TBLC_DISCARD;
  p.rowCacheLimit = 100;
  p.displayFlags = TBLD_ROWHEADER;
  p.rowHeaderWidth = 16;
  p.font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
  std::vector<BYTE> record(sizeof p + 5 * sizeof(ColumnCreateInfo));
  std::memcpy(record.data(), &p, sizeof p);
  for (int i = 0; i < 5; ++i) {
    ColumnCreateInfo c{};
    c.title = cols[i].title;
    c.width = cols[i].width;
    c.maxDataLength = cols[i].length;
    c.columnFlags = TBLCF_VISIBLE | TBLCF_EDITABLE;
    std::memcpy(record.data() + sizeof p + i * sizeof c, &c, sizeof c);
  }
  return record;
}

void tour(Tour& t) {
  HMODULE dll = LoadLibraryA("gridwin.dll");
  t.check(dll != nullptr, "gridwin.dll loaded");
  if (!dll) return;
  std::string file = t.outDir + "demo.db";
  bool fromDatabase = DbcConnect(file.c_str(), &g_source.cursor) == DBC_OK &&
                      DbcCompile(g_source.cursor, "SELECT COUNT(*) FROM CUSTOMERS") == DBC_OK &&
                      DbcExecute(g_source.cursor) == DBC_OK && DbcFetch(g_source.cursor) == DBC_OK &&
                      cellOf(g_source.cursor, 1) == "5000";
  if (!fromDatabase && g_source.cursor) DbcDisconnect(g_source.cursor);
  if (!fromDatabase) g_source.cursor = 0;
  t.report("rows come from %s", fromDatabase ? "CUSTOMERS in out\\demo.db (dbclient)" : "a generated data set");

  std::vector<BYTE> record = createRecord();
  HWND table = CreateWindowExA(WS_EX_CLIENTEDGE, TBL_CLASS, "", WS_CHILD | WS_VISIBLE, 10, 10, 620, 400, t.form,
                               HMENU(100), t.instance, record.data());
  t.check(table != nullptr, "table window created with 5 columns");
  if (!table) return;
  SendMessageA(table, TBLM_SETHOOK, TBLH_FETCHROW, LPARAM(fetchRow));
  TBLROWPAIR range{0, 4999};
  SendMessageA(table, TBLM_SETRANGE, 0, LPARAM(&range));
  TBLSCROLLTO to{1200, nullptr};
  SendMessageA(table, TBLM_SCROLLTOROW, 1, LPARAM(&to));
  SendMessageA(table, TBLM_SETFOCUSROW, 0, 1203);
  for (LONG row : {1201, 1202, 1205}) {
    TBLSETROWFLAGS sel{row, 1};
    SendMessageA(table, TBLM_SETROWFLAGS, TBL_ROW_SELECTED, LPARAM(&sel));
  }
  SendMessageA(table, TBLM_SETCONTEXTROW, 0, 1204);
  SendMessageA(table, TBLM_FETCHROW, 0, 1204);
  SendMessageA(HWND(SendMessageA(table, TBLM_GETCOLUMNWINDOW, 3, 0)), TBLM_SETCELLCOLOR, 0, RGB(200, 0, 0));
  SendMessageA(table, TBLM_SETWIDTH, 1, 70);  // names now get cut off
  t.screenshot(t.form, "gridwin");
  LRESULT visible = SendMessageA(table, TBLM_GETVISIBLEROWCOUNT, 0, 0);
  t.check(g_source.fetches > 0 && g_source.fetches <= visible + 2, "painting fetched %d rows for %ld visible rows",
          g_source.fetches, long(visible));

  char text[64] = "";
  TBLCELLTEXT read{4999, 1, text, sizeof text};
  SendMessageA(table, TBLM_GETROWCELLTEXT, 0, LPARAM(&read));
  t.check(text[0] != 0 && SendMessageA(table, TBLM_GETCONTEXTROW, 0, 0) == 1204,
          "last row's customer read back: \"%s\" (context row kept)", text);
  for (LONG row = 0; row < 5000; row += 50) {
    to.row = row;
    SendMessageA(table, TBLM_SCROLLTOROW, 1, LPARAM(&to));
    RedrawWindow(table, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  t.report("paged through 100 pages: %d fetches", g_source.fetches);
  DestroyWindow(table);
  if (g_source.cursor) DbcDisconnect(g_source.cursor);
  g_source = Source{};
  FreeLibrary(dll);
}

TourStep step("40-gridwin", "Table window filled on demand", tour);

// --- the same table worked by mouse and keyboard --------------------------------

std::vector<UINT> g_notes;
void __stdcall noted(HWND, UINT code, LONG) { g_notes.push_back(code); }
bool heard(UINT code) { return std::find(g_notes.begin(), g_notes.end(), code) != g_notes.end(); }

// What a user's hand does: the button held while the mouse moves, as the
// system would report it to the table's list pane.
struct Hand {
  HWND pane;
  void buttons(bool left, bool shift = false, bool ctrl = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_LBUTTON] = left ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  void drag(POINT from, POINT to) {
    buttons(true);
    SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    for (int i = 1; i <= 4; ++i)
      SendMessageA(pane, WM_MOUSEMOVE, MK_LBUTTON,
                   MAKELPARAM(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4));
    buttons(false);
    SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  }
  void click(POINT at, bool shift = false, bool ctrl = false) {
    buttons(true, shift, ctrl);
    WPARAM mk = MK_LBUTTON | (shift ? MK_SHIFT : 0) | (ctrl ? MK_CONTROL : 0);
    SendMessageA(pane, WM_LBUTTONDOWN, mk, MAKELPARAM(at.x, at.y));
    buttons(false);
    SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  void key(UINT vk, bool shift = false) {
    buttons(false, shift);
    SendMessageA(pane, WM_KEYDOWN, vk, 1);
    buttons(false);
  }
};

LONG query(HWND table, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return LONG(SendMessageA(table, msg, wp, lp)); }

// The pane x of a column's right edge (display positions left to right).
LONG edgeOf(HWND table, int index) {
  LONG x = query(table, TBLM_GETROWHEADERWIDTH);
  for (int pos = 0; pos < query(table, TBLM_GETCOLUMNCOUNT); ++pos) {
    int at = query(table, TBLM_GETCOLUMNATPOSITION, pos);
    x += query(table, TBLM_GETWIDTH, at);
    if (at == index) return x;
  }
  return x;
}

void tourInput(Tour& t) {
  HMODULE dll = LoadLibraryA("gridwin.dll");
  if (!dll) return;
  std::string file = t.outDir + "demo.db";
  if (DbcConnect(file.c_str(), &g_source.cursor) != DBC_OK) g_source.cursor = 0;
  std::vector<BYTE> record = createRecord();
  HWND table = CreateWindowExA(WS_EX_CLIENTEDGE, TBL_CLASS, "", WS_CHILD | WS_VISIBLE, 10, 10, 620, 400, t.form,
                               HMENU(101), t.instance, record.data());
  t.check(table != nullptr, "table window created");
  if (!table) return;
  SendMessageA(table, TBLM_SETHOOK, TBLH_FETCHROW, LPARAM(fetchRow));
  SendMessageA(table, TBLM_SETHOOK, TBLH_NOTIFY, LPARAM(noted));
  TBLROWPAIR range{0, 4999};
  SendMessageA(table, TBLM_SETRANGE, 0, LPARAM(&range));
  SendMessageA(table, TBLM_SETFLAGS, TBLF_COLRESIZE | TBLF_COLMOVE | TBLF_SPLITDRAG, 1);
  SetFocus(table);
  HWND container = FindWindowExA(table, nullptr, "Halvik:Tab:Container", nullptr);
  Hand hand{FindWindowExA(container, nullptr, "Halvik:Tab:ListClip", nullptr)};
  TBLMETRICS m{};
  SendMessageA(table, TBLM_GETMETRICS, 0, LPARAM(&m));
  LONG title = m.rowHeight;
  auto rowY = [&](int shown) { return title + shown * m.rowHeight + m.rowHeight / 2; };

  // Column resize: the "Customer" column's border dragged 60 pixels right.
  g_notes.clear();
  LONG edge = edgeOf(table, 1);
  hand.drag({edge, title / 2}, {edge + 60, title / 2});
  t.check(query(table, TBLM_GETWIDTH, 1) == 210 && heard(TBLN_COLRESIZED),
          "column resized by dragging its border: width %ld, TBLN_COLRESIZED", long(query(table, TBLM_GETWIDTH, 1)));
  t.screenshot(t.form, "gridwin_resize");

  // Column move: the "City" title dragged onto "Id".
  g_notes.clear();
  LONG cityMiddle = edgeOf(table, 2) - query(table, TBLM_GETWIDTH, 2) / 2;
  hand.drag({cityMiddle, title / 2}, {query(table, TBLM_GETROWHEADERWIDTH) + 10, title / 2});
  t.check(query(table, TBLM_GETPOSITION, 2) == 0 && heard(TBLN_COLMOVED),
          "column moved by dragging its title: \"City\" now at position %ld, TBLN_COLMOVED",
          long(query(table, TBLM_GETPOSITION, 2)));
  t.screenshot(t.form, "gridwin_move");

  // Selection: a click, a Ctrl click, a Shift click, then Shift+Down twice.
  g_notes.clear();
  LONG x = edgeOf(table, 1) - 20;
  hand.click({x, rowY(1)});
  hand.click({x, rowY(3)}, false, true);
  hand.click({x, rowY(6)}, true);
  hand.key(VK_DOWN, true);
  hand.key(VK_DOWN, true);
  std::string rows;
  int selected = 0;
  for (LONG r = 0; r < 20; ++r)
    if (query(table, TBLM_QUERYROWFLAGS, TBL_ROW_SELECTED, r)) rows += " " + std::to_string(r), ++selected;
  t.check(selected == 7 && query(table, TBLM_GETFOCUSROW) == 8 && heard(TBLN_SELCHANGE),
          "rows selected by mouse and keyboard:%s; focus row %ld", rows.c_str(), long(query(table, TBLM_GETFOCUSROW)));
  t.screenshot(t.form, "gridwin_select");

  // Split: ten pinned rows above the bar, the bar dragged two rows down.
  SendMessageA(table, TBLM_SETSPLIT, 1, 0);
  TBLROWPAIR split{TBL_SPLIT_ROW_BASE, TBL_SPLIT_ROW_BASE + 9};
  SendMessageA(table, TBLM_SETRANGE, 0, LPARAM(&split));
  LONG before = query(table, TBLM_GETVISIBLEROWCOUNT);
  RECT pane;
  GetClientRect(hand.pane, &pane);
  LONG splitRows = std::min<LONG>(10, std::max<LONG>(1, (pane.bottom / 4) / m.rowHeight));
  LONG bar = title + splitRows * m.rowHeight + 1;
  hand.drag({200, bar}, {200, bar + 2 * m.rowHeight});
  LONG after = query(table, TBLM_GETVISIBLEROWCOUNT);
  int bars = 0;
  for (HWND b = nullptr; (b = FindWindowExA(container, b, "scrollbar", nullptr));) ++bars;
  t.check(after == before - 2 && bars == 2, "split bar dragged down two rows: %ld normal rows shown (was %ld), "
          "%d scroll bars", long(after), long(before), bars);
  t.screenshot(t.form, "gridwin_split");

  DestroyWindow(table);
  if (g_source.cursor) DbcDisconnect(g_source.cursor);
  g_source = Source{};
  FreeLibrary(dll);
}

TourStep inputStep("41-gridwin-input", "Table window by mouse and keyboard", tourInput);

} // namespace
