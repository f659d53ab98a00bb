// The embedded database: the sample host opens (and on first use seeds) its
// SQLite database out\demo.db through dbclient and ODBC, shows a query and
// what the client reports about the connection. Later steps (the table
// window, the capabilities) read the same file.
#include "dbclient.h"
#include "tour.h"

#include <string>
#include <vector>

namespace {

int run(DbcCursor c, const char* sql) {
  int code = DbcCompile(c, sql);
  return code ? code : DbcExecute(c);
}

std::string column(DbcCursor c, int i) {
  char text[256] = "";
  DbcGetColumn(c, i, text, sizeof text, nullptr);
  return text;
}

std::string info(DbcCursor c, int item) {
  char text[256] = "";
  return DbcGetInfo(c, item, text, sizeof text, nullptr) == DBC_OK ? text : "(failed)";
}

// 5,000 customers, made by SQLite itself in one statement.
const char* const kSeed =
    "INSERT INTO CUSTOMERS (ID, NAME, CITY, BALANCE, SINCE) "
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
    "SELECT i, "
    "  CASE i % 8 WHEN 0 THEN 'Ann' WHEN 1 THEN 'Bruno' WHEN 2 THEN 'Chloe' WHEN 3 THEN 'Dario' "
    "    WHEN 4 THEN 'Eva' WHEN 5 THEN 'Farid' WHEN 6 THEN 'Greta' ELSE 'Hugo' END || ' ' || "
    "  CASE (i / 8) % 10 WHEN 0 THEN 'Adler' WHEN 1 THEN 'Berg' WHEN 2 THEN 'Costa' WHEN 3 THEN 'Dietz' "
    "    WHEN 4 THEN 'Engel' WHEN 5 THEN 'Fuchs' WHEN 6 THEN 'Graf' WHEN 7 THEN 'Hahn' WHEN 8 THEN 'Imhof' "
    "    ELSE 'Jung' END, "
    "  CASE i % 5 WHEN 0 THEN 'Basel' WHEN 1 THEN 'Lyon' WHEN 2 THEN 'Porto' WHEN 3 THEN 'Graz' ELSE 'Turin' END, "
    "  ROUND((i * 7919) % 100000 / 10.0, 2), "
    "  DATE('2000-01-01', '+' || (i * 37 % 9000) || ' days') "
    "FROM n";

void seedIfEmpty(Tour& t, DbcCursor c) {
  run(c, "CREATE TABLE IF NOT EXISTS CUSTOMERS (ID INTEGER PRIMARY KEY, NAME VARCHAR(40) NOT NULL, "
         "CITY VARCHAR(20), BALANCE DECIMAL(10,2), SINCE DATE)");
  run(c, "SELECT COUNT(*) FROM CUSTOMERS");
  if (DbcFetch(c) == DBC_OK && column(c, 1) != "0") return;
  t.check(run(c, kSeed) == DBC_OK, "seeded CUSTOMERS");
}

void showQuery(Tour& t, DbcCursor c) {
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 600, 260,
                              t.form, nullptr, t.instance, nullptr);
  const char* sql = "SELECT CITY, COUNT(*), ROUND(SUM(BALANCE), 2) FROM CUSTOMERS GROUP BY CITY ORDER BY CITY";
  t.report("query: %s", sql);
  int code = run(c, sql), rows = 0;
  while (code == DBC_OK && DbcFetch(c) == DBC_OK) {
    std::string line = column(c, 1) + ": " + column(c, 2) + " customers, balance " + column(c, 3);
    SendMessageA(list, LB_ADDSTRING, 0, LPARAM(line.c_str()));
    t.report("  %s", line.c_str());
    ++rows;
  }
  t.check(code == DBC_OK && rows == 5, "query answered %d rows", rows);
  t.screenshot(t.form, "dbclient");
  DestroyWindow(list);
}

void tour(Tour& t) {
  std::string file = t.outDir + "demo.db";
  DbcCursor c = 0;
  int code = DbcConnect(file.c_str(), &c);
  t.check(code == DBC_OK, "connected to %s (code %d)", file.c_str(), code);
  if (code) return;
  seedIfEmpty(t, c);
  run(c, "SELECT COUNT(*) FROM CUSTOMERS");
  std::string count = DbcFetch(c) == DBC_OK ? column(c, 1) : "?";
  t.check(count == "5000", "CUSTOMERS holds %s rows", count.c_str());
  t.check(info(c, DBC_INFO_SERVER_TYPE) == "31", "server type %s", info(c, DBC_INFO_SERVER_TYPE).c_str());
  t.report("DBMS %s %s, driver %s", info(c, DBC_INFO_DBMS_NAME).c_str(), info(c, DBC_INFO_DBMS_VERSION).c_str(),
           info(c, DBC_INFO_DRIVER_NAME).c_str());
  t.check(GetModuleHandleA("odbbridge32.dll") != nullptr, "odbbridge32.dll loaded with the connection");
  showQuery(t, c);

  run(c, "CATALOG COLUMN TBNAME = CUSTOMERS SELECT COLNAME, COLTYPE");
  std::string columns;
  while (DbcFetch(c) == DBC_OK) columns += (columns.empty() ? "" : ", ") + column(c, 1) + " " + column(c, 2);
  t.report("catalogue: %s", columns.c_str());
  int bad = run(c, "SELECT * FROM NO_SUCH_TABLE");
  char text[256] = "";
  DbcGetErrorText(c, text, sizeof text, nullptr);
  t.check(bad != DBC_OK, "a missing table gives code %d: %s", bad, text);
  DbcDisconnect(c);
}

TourStep step("05-dbclient", "Embedded database (dbclient over ODBC)", tour);

} // namespace
