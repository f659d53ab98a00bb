// Shared transactions and SQL utilities: two connections of this
// application share one transaction through one trxserver.exe, and a join
// key and an update key come from the sample host's own SQLite repository.
#include "dbclient.h"
#include "trxshare.h"
#include "tour.h"

#include <cstdio>
#include <string>

namespace {

std::string demoFile(Tour& t, const char* name) {
  char path[MAX_PATH];
  GetFullPathNameA((t.outDir + name).c_str(), MAX_PATH, path, nullptr);
  return path;
}

bool run(DbcCursor c, const char* sql) { return DbcCompile(c, sql) == DBC_OK && DbcExecute(c) == DBC_OK; }

// A small repository: one database, one completed version, two joins and
// a primary key; and an application database with a unique index.
bool seed(const std::string& repo, const std::string& app) {
  DeleteFileA(repo.c_str());
  DeleteFileA(app.c_str());
  DbcCursor c = 0;
  if (DbcConnect(repo.c_str(), &c) != DBC_OK) return false;
  bool ok = run(c, "CREATE TABLE DATABASE_DETAILS (DATABASE_NO INTEGER, DATABASE_NAME VARCHAR(64))") &&
            run(c, "CREATE TABLE DATABASE_VERSION (DATABASE_NO INTEGER, VERSION_CODE VARCHAR(18), "
                   "DATE_CREATED VARCHAR(26), VERSION_STATUS VARCHAR(18))") &&
            run(c, "CREATE TABLE JOIN_HISTORY (DATABASE_NO INTEGER, VERSION_CODE VARCHAR(18), "
                   "PARENT_TBNAME VARCHAR(130), PARENT_COLNAME VARCHAR(64), CHILD_TBNAME VARCHAR(130), "
                   "CHILD_COLNAME VARCHAR(64))") &&
            run(c, "CREATE TABLE COLUMN_HISTORY (DATABASE_NO INTEGER, VERSION_CODE VARCHAR(18), "
                   "TBNAME VARCHAR(130), COLNAME VARCHAR(64), PRIMARY_KEY CHAR(1))") &&
            run(c, "INSERT INTO DATABASE_DETAILS VALUES (7, 'Sample Host')") &&
            run(c, "INSERT INTO DATABASE_VERSION VALUES (7, 'R1', '2026-01-15 08:00:00', 'Complete')") &&
            run(c, "INSERT INTO JOIN_HISTORY VALUES (7, 'R1', 'APP.CUSTOMERS', 'ID', 'APP.ORDERS', 'CUSTOMER_ID'), "
                   "(7, 'R1', 'APP.ORDERS', 'ID', 'APP.ORDER_LINES', 'ORDER_ID')") &&
            run(c, "INSERT INTO COLUMN_HISTORY VALUES (7, 'R1', 'APP.ORDERS', 'ID', 'Y')");
  DbcDisconnect(c);
  if (!ok || DbcConnect(app.c_str(), &c) != DBC_OK) return false;
  ok = run(c, "CREATE TABLE ORDERS (ID INTEGER, ORDER_CODE VARCHAR(12) NOT NULL, CUSTOMER_ID INTEGER)") &&
       run(c, "CREATE UNIQUE INDEX ORDERS_CODE ON ORDERS (ORDER_CODE)");
  DbcDisconnect(c);
  return ok;
}

void sharedTransaction(Tour& t, const std::string& app) {
  char server[32];
  snprintf(server, sizeof server, "trxserver %lu", GetCurrentThreadId());
  LONG first = -1, second = -1;
  int rc1 = TrxConnectTransaction(&first, app.c_str(), "ORDER ENTRY", 1);
  HWND window = FindWindowA(nullptr, server);
  int rc2 = TrxConnectTransaction(&second, app.c_str(), "ORDER ENTRY", 1);
  t.check(rc1 == 0 && rc2 == 0 && first != second, "two connections of \"ORDER ENTRY\": ids %ld and %ld", first,
          second);
  t.check(window && FindWindowA(nullptr, server) == window, "one server window: \"%s\"", server);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  t.check(TrxSharedSet(first) == 1, "the first connection is shared");
  LONG taken = -1;
  int acquired = TrxSharedAcquire(&taken, "ORDER ENTRY");
  t.check(acquired == 1 && taken == first, "acquired by another user: id %ld", taken);
  TrxSharedRelease(first);
  t.check(TrxDisconnect(first) == 1 && IsWindow(window), "first disconnect: the server keeps running");
  t.check(TrxDisconnect(second) == 1, "second disconnect");
  bool ended = process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
  t.check(ended, "trxserver.exe (process %lu) ended with the last connection", pid);
  if (process) CloseHandle(process);
}

void keys(Tour& t, const std::string& app, const std::string& repo) {
  DbcCursor c = 0;
  if (DbcConnect((app + ";RPADM=" + repo).c_str(), &c) != DBC_OK) {
    t.check(false, "connect to the sample database with its repository");
    return;
  }
  HGLOBAL block = nullptr;
  int rc = DBMSGetJoinKey(c, "", "Sample Host", "APP.CUSTOMERS, APP.ORDERS", 1, &block);
  int joins = block ? int(GlobalSize(block) / sizeof(TrxJoinRecord)) : 0;
  t.check(rc == 0 && joins == 1, "join key of CUSTOMERS and ORDERS: %d record(s)", joins);
  if (block) {
    auto* r = static_cast<TrxJoinRecord*>(GlobalLock(block));
    t.report("  %s.%s.%s %s %s.%s.%s", r->parentUser, r->parentTable, r->parentColumn, r->op, r->childUser,
             r->childTable, r->childColumn);
    GlobalUnlock(block);
    GlobalFree(block);
  }
  int source = 0;
  char creator[65] = "", index[65] = "";
  int n = DBMSGetUpdateKey(c, "", "ORDERS", "Sample Host", 0, &source, creator, index, &block);
  const char* column = "";
  if (n > 0) column = static_cast<TrxUpdateKey*>(GlobalLock(block))->column;
  t.check(n == 1 && source == TRX_KEY_UNIQUE_INDEX, "update key of ORDERS: %s (unique index %s)", column, index);
  if (block) {
    GlobalUnlock(block);
    GlobalFree(block);
  }
  char quoted[224] = "";
  STRGQuoteIdentifier(c, quoted, "app", "Orders", "ORDER_CODE");
  t.report("identifier quoted for this SQLite connection: %s", quoted);
  DbcDisconnect(c);
}

void runStep(Tour& t) {
  std::string repo = demoFile(t, "trx_repository.db"), app = demoFile(t, "trx_orders.db");
  if (!seed(repo, app)) {
    t.check(false, "seed the sample repository");
    return;
  }
  sharedTransaction(t, app);
  keys(t, app, repo);
}

TourStep step("90-trxshare", "Shared transactions, join and update keys", runStep);

} // namespace
