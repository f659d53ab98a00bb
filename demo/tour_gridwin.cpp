// The table window: a "Halvik:Table" on the form shows the CUSTOMERS of the
// sample database, each row fetched from SQLite (through dbclient) only when
// the table asks for it. Without the database it shows a generated data set.
#include "dbclient.h"
#include "gridwin.h"
#include "tour.h"

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
LRESULT __stdcall fetchRow(UINT, HWND table, LONG row) {
  ++g_source.fetches;
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

} // namespace
