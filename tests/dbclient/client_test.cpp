// The client against a real database: SQLite through the SQLite ODBC
// driver, reached through odbc32.dll (under Wine: unixODBC).
#include "dbclient.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A fresh folder of database files for each test.
class Client : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    folder_ = std::string(temp) + "dbclient-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++serial) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (DbcCursor c : opened_) DbcDisconnect(c);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder_ + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do DeleteFileA((folder_ + fd.cFileName).c_str());
      while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string file(const char* name) const { return folder_ + name; }

  DbcCursor connect(const std::string& text) {
    DbcCursor c = 0;
    int code = DbcConnect(text.c_str(), &c);
    EXPECT_EQ(code, DBC_OK) << text << ": " << lastError(0);
    if (c) opened_.push_back(c);
    return c;
  }
  DbcCursor open(const char* name = "test.db") { return connect(file(name)); }

  static std::string lastError(DbcCursor c) {
    char text[1024] = "";
    DbcGetErrorText(c, text, sizeof text, nullptr);
    return text;
  }

  static int run(DbcCursor c, const std::string& sql) {
    int code = DbcCompile(c, sql.c_str());
    return code ? code : DbcExecute(c);
  }
  static void exec(DbcCursor c, const std::string& sql) {
    ASSERT_EQ(run(c, sql), DBC_OK) << sql << ": " << lastError(c);
  }

  // Every row of a query, columns joined with "|" (NULL as "<null>").
  static std::vector<std::string> rows(DbcCursor c, const std::string& sql) {
    std::vector<std::string> out;
    EXPECT_EQ(run(c, sql), DBC_OK) << sql << ": " << lastError(c);
    int columns = 0;
    DbcColumnCount(c, &columns);
    while (DbcFetch(c) == DBC_OK) {
      std::string line;
      for (int i = 1; i <= columns; ++i) {
        char value[512];
        int length = 0;
        EXPECT_EQ(DbcGetColumn(c, i, value, sizeof value, &length), DBC_OK);
        line += (i > 1 ? "|" : "") + (length < 0 ? std::string("<null>") : std::string(value));
      }
      out.push_back(line);
    }
    return out;
  }

  std::string folder_;
  std::vector<DbcCursor> opened_;
};

using Rows = std::vector<std::string>;

std::string info(DbcCursor c, int item) {
  char text[512] = "";
  int length = -5;
  int code = DbcGetInfo(c, item, text, sizeof text, &length);
  EXPECT_EQ(code, DBC_OK) << item;
  EXPECT_EQ(length, int(strlen(text)));
  return text;
}

// ---- statements ---------------------------------------------------------------------

TEST_F(Client, CreatesInsertsAndReadsRowsAsText) {
  DbcCursor c = open();
  exec(c, "CREATE TABLE emp (id INTEGER PRIMARY KEY, name VARCHAR(30), salary REAL, note TEXT)");
  exec(c, "INSERT INTO emp VALUES (1, 'Ann', 1500.5, NULL)");
  exec(c, "INSERT INTO emp VALUES (2, 'Bob', 900, 'new')");
  EXPECT_EQ(rows(c, "SELECT id, name, salary, note FROM emp ORDER BY id"),
            (Rows{"1|Ann|1500.5|<null>", "2|Bob|900.0|new"}));
  EXPECT_EQ(DbcFetch(c), DBC_END_OF_DATA);  // stays at the end
}

TEST_F(Client, ReportsColumnNamesAndRowCounts) {
  DbcCursor c = open();
  exec(c, "CREATE TABLE t (a INTEGER, b TEXT)");
  exec(c, "INSERT INTO t VALUES (1, 'x'), (2, 'y'), (3, 'z')");
  int count = -1;
  EXPECT_EQ(DbcRowCount(c, &count), DBC_OK);
  EXPECT_EQ(count, 3);
  exec(c, "UPDATE t SET b = 'w' WHERE a > 1");
  DbcRowCount(c, &count);
  EXPECT_EQ(count, 2);
  exec(c, "SELECT a AS first, b FROM t");
  EXPECT_EQ(DbcColumnCount(c, &count), DBC_OK);
  EXPECT_EQ(count, 2);
  char name[32];
  int length = 0;
  EXPECT_EQ(DbcColumnName(c, 1, name, sizeof name, &length), DBC_OK);
  EXPECT_STREQ(name, "first");
  EXPECT_EQ(length, 5);
  EXPECT_EQ(DbcColumnName(c, 3, name, sizeof name, &length), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcColumnName(c, 0, name, sizeof name, &length), DBC_ERR_ARGUMENT);
}

TEST_F(Client, ACompiledStatementRunsAgain) {
  DbcCursor c = open();
  exec(c, "CREATE TABLE t (a INTEGER)");
  ASSERT_EQ(DbcCompile(c, "INSERT INTO t VALUES (7)"), DBC_OK);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(DbcExecute(c), DBC_OK);
  ASSERT_EQ(DbcCompile(c, "SELECT COUNT(*) FROM t"), DBC_OK);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(DbcExecute(c), DBC_OK);
    ASSERT_EQ(DbcFetch(c), DBC_OK);
    char v[8];
    DbcGetColumn(c, 1, v, sizeof v, nullptr);
    EXPECT_STREQ(v, "3");
  }
}

TEST_F(Client, ColumnsReadInAnyOrderAndTruncateSafely) {
  DbcCursor c = open();
  exec(c, "SELECT 'hello' AS a, 42 AS b");
  ASSERT_EQ(DbcFetch(c), DBC_OK);
  char buf[16];
  int length = 0;
  EXPECT_EQ(DbcGetColumn(c, 2, buf, sizeof buf, &length), DBC_OK);
  EXPECT_STREQ(buf, "42");
  char small[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(DbcGetColumn(c, 1, small, 3, &length), DBC_ERR_TRUNCATED);
  EXPECT_STREQ(small, "he");
  EXPECT_EQ(small[3], '#');  // nothing beyond the size given
  EXPECT_EQ(length, 5);
  EXPECT_EQ(DbcGetColumn(c, 1, nullptr, 0, &length), DBC_ERR_TRUNCATED);  // length only
  EXPECT_EQ(length, 5);
  EXPECT_EQ(DbcGetColumn(c, 1, nullptr, 10, &length), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcGetColumn(c, 1, buf, -1, &length), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcGetColumn(c, 3, buf, sizeof buf, &length), DBC_ERR_ARGUMENT);
}

TEST_F(Client, NonAsciiTextGoesInAndComesBackInTheAnsiCodePage) {
  DbcCursor c = open();
  exec(c, "CREATE TABLE t (name TEXT)");
  exec(c, "INSERT INTO t VALUES ('caf\xE9 cr\xE8me')");
  EXPECT_EQ(rows(c, "SELECT name, length(name) FROM t"), Rows{"caf\xE9 cr\xE8me|10"});
  // Texts of many lengths and mixes: the driver takes them as UTF-8, which
  // is longer than the text in characters.
  for (int n = 1; n < 40; ++n) {
    std::string value;
    for (int k = 0; k < n; ++k) value += k % 3 == 0 ? "\xE9" : k % 3 == 1 ? "x" : "\xFC\xDF";
    exec(c, "DELETE FROM t");
    exec(c, "INSERT INTO t VALUES ('" + value + "')");
    EXPECT_EQ(rows(c, "SELECT name FROM t"), Rows{value}) << n;
  }
}

TEST_F(Client, LongValuesAreReadWhole) {
  DbcCursor c = open();
  exec(c, "SELECT substr(replace(hex(zeroblob(6000)), '00', 'ab'), 1, 9999)");
  ASSERT_EQ(DbcFetch(c), DBC_OK);
  std::vector<char> buf(20000);
  int length = 0;
  ASSERT_EQ(DbcGetColumn(c, 1, buf.data(), int(buf.size()), &length), DBC_OK);
  EXPECT_EQ(length, 9999);
  EXPECT_EQ(std::string(buf.data()).find_first_not_of("ab"), std::string::npos);
}

TEST_F(Client, LongNonAsciiValuesAreReadWhole) {
  DbcCursor c = open();
  exec(c, "SELECT replace(hex(zeroblob(3001)), '00', 'a\xE9')");
  ASSERT_EQ(DbcFetch(c), DBC_OK);
  std::vector<char> buf(20000);
  int length = 0;
  ASSERT_EQ(DbcGetColumn(c, 1, buf.data(), int(buf.size()), &length), DBC_OK);
  EXPECT_EQ(length, 6002);
  std::string expected;
  for (int i = 0; i < 3001; ++i) expected += "a\xE9";
  EXPECT_EQ(std::string(buf.data()), expected);
}

TEST_F(Client, CallsOutOfSequenceAreRefused) {
  DbcCursor c = open();
  EXPECT_EQ(DbcExecute(c), DBC_ERR_NO_STATEMENT);
  EXPECT_EQ(DbcFetch(c), DBC_ERR_NO_STATEMENT);
  char buf[8];
  EXPECT_EQ(DbcGetColumn(c, 1, buf, sizeof buf, nullptr), DBC_ERR_NO_STATEMENT);
  exec(c, "SELECT 1");
  EXPECT_EQ(DbcGetColumn(c, 1, buf, sizeof buf, nullptr), DBC_ERR_NO_STATEMENT);  // before the first row
  exec(c, "CREATE TABLE t (a)");
  EXPECT_EQ(DbcFetch(c), DBC_ERR_NO_STATEMENT);  // no result set
  EXPECT_EQ(DbcCompile(c, nullptr), DBC_ERR_ARGUMENT);
}

// ---- errors ---------------------------------------------------------------------------

TEST_F(Client, SqlErrorsGiveMappedCodesAndTheirDiagnostics) {
  DbcCursor c = open();
  EXPECT_EQ(DbcCompile(c, "SELECT * FROM nosuch"), DBC_ERR_NATIVE_BASE + 1);
  int code = 0, native = 0;
  char state[6] = "?";
  EXPECT_EQ(DbcGetErrorInfo(c, &code, &native, state), DBC_OK);
  EXPECT_EQ(code, DBC_ERR_NATIVE_BASE + 1);
  EXPECT_EQ(native, 1);
  EXPECT_STREQ(state, "HY000");
  EXPECT_NE(lastError(c).find("nosuch"), std::string::npos) << lastError(c);
  EXPECT_EQ(lastError(c).rfind("[HY000] (1) ", 0), 0u) << lastError(c);

  exec(c, "CREATE TABLE u (a INTEGER UNIQUE)");
  exec(c, "INSERT INTO u VALUES (1)");
  code = run(c, "INSERT INTO u VALUES (1)");
  EXPECT_NE(code, DBC_OK);
  for (int reserved : {0, -1, 13, 14, 15, 145, 403}) EXPECT_NE(code, reserved);
}

TEST_F(Client, FailedConnectsGiveRealCodes) {
  struct Case {
    std::string text;
    int code;
  } cases[] = {
      {"DRIVER=NoSuchDriver;Database=x.db", DBC_ERR_DRIVER_MANAGER},  // driver manager, native 0
      {folder_ + "missing\\x.db", DBC_ERR_PATH},                      // folder does not exist
      {"DSN=x;garbage", DBC_ERR_CONNECT_TEXT},
      {std::string(2000, 'a'), DBC_ERR_CONNECT_TEXT},
      {"x.db;RPADM=" + folder_ + "missing\\r.db", DBC_ERR_PATH},
  };
  for (const Case& k : cases) {
    DbcCursor c = 12345;
    EXPECT_EQ(DbcConnect(k.text.c_str(), &c), k.code) << k.text;
    EXPECT_EQ(c, 0u);
    int code = 0;
    DbcGetErrorInfo(0, &code, nullptr, nullptr);
    EXPECT_EQ(code, k.code);
    EXPECT_FALSE(lastError(0).empty());
  }
}

TEST_F(Client, AMissingUnixFolderIsTheDriversCannotOpen) {
  // Under Wine the driver sees Unix paths; SQLite cannot open a file in a
  // folder that does not exist (native 14).
  DbcCursor c = 0;
  int code = DbcConnect("DRIVER=SQLite3;Database=/nonexistent-folder/x.db", &c);
  EXPECT_EQ(code, DBC_ERR_NATIVE_BASE + 14) << lastError(0);
}

// ---- cursors and handles ----------------------------------------------------------------

TEST_F(Client, CursorHandlesDifferInTheLowHalfAndAreNotReusedSoon) {
  DbcCursor first = open();
  std::set<unsigned> lows = {first & 0xFFFF};
  std::vector<DbcCursor> more;
  for (int i = 0; i < 20; ++i) {
    DbcCursor c = 0;
    ASSERT_EQ(DbcOpenCursor(first, &c), DBC_OK);
    EXPECT_TRUE(lows.insert(c & 0xFFFF).second);
    more.push_back(c);
  }
  DbcCursor closed = more.back();
  EXPECT_EQ(DbcDisconnect(closed), DBC_OK);
  more.pop_back();
  DbcCursor next = 0;
  ASSERT_EQ(DbcOpenTestCursor(&next), DBC_OK);
  EXPECT_NE(next & 0xFFFF, closed & 0xFFFF);
  EXPECT_EQ(DbcDisconnect(closed), DBC_ERR_CURSOR);  // gone for good
  DbcDisconnect(next);
  for (DbcCursor c : more) DbcDisconnect(c);
}

TEST_F(Client, UnknownHandlesAreRefusedByEveryCall) {
  const DbcCursor bad[] = {0, 0xFFFFFFFFu, 0xDEAD0000u, 0x12345678u};
  char buf[16];
  int n = 0;
  DbcTypeInfo t;
  DbcCursor out = 0;
  for (DbcCursor c : bad) {
    EXPECT_EQ(DbcDisconnect(c), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcOpenCursor(c, &out), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcCompile(c, "SELECT 1"), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcExecute(c), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcFetch(c), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcColumnCount(c, &n), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcRowCount(c, &n), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcColumnName(c, 1, buf, sizeof buf, &n), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcGetColumn(c, 1, buf, sizeof buf, &n), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcGetInfo(c, DBC_INFO_SERVER_TYPE, buf, sizeof buf, &n), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcSetAutoCommit(c, 0), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcCommit(c), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcRollback(c), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcTypeInfoCount(c, &n), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcGetTypeInfo(c, 0, &t), DBC_ERR_CURSOR);
    EXPECT_EQ(DbcSetTestInfo(c, 1003, "4"), DBC_ERR_CURSOR);
    if (c) {
      EXPECT_EQ(DbcGetErrorText(c, buf, sizeof buf, &n), DBC_ERR_CURSOR);
    }
  }
}

TEST_F(Client, NullOutArgumentsAreRefused) {
  DbcCursor c = open();
  EXPECT_EQ(DbcConnect("x.db", nullptr), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcOpenCursor(c, nullptr), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcOpenTestCursor(nullptr), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcColumnCount(c, nullptr), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcRowCount(c, nullptr), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcTypeInfoCount(c, nullptr), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcGetTypeInfo(c, 0, nullptr), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcGetInfo(c, DBC_INFO_SERVER_TYPE, nullptr, 8, nullptr), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcGetErrorInfo(c, nullptr, nullptr, nullptr), DBC_OK);
}

TEST_F(Client, CursorsOfOneConnectionShareItsTransaction) {
  DbcCursor a = open();
  exec(a, "CREATE TABLE t (n INTEGER)");
  exec(a, "INSERT INTO t VALUES (1), (2), (3)");
  DbcCursor b = 0;
  ASSERT_EQ(DbcOpenCursor(a, &b), DBC_OK);
  opened_.push_back(b);
  // b runs statements while a is in the middle of its result set.
  exec(a, "SELECT n FROM t ORDER BY n");
  ASSERT_EQ(DbcFetch(a), DBC_OK);
  EXPECT_EQ(rows(b, "SELECT COUNT(*) FROM t"), Rows{"3"});
  ASSERT_EQ(DbcFetch(a), DBC_OK);
  char v[8];
  DbcGetColumn(a, 1, v, sizeof v, nullptr);
  EXPECT_STREQ(v, "2");
  // The connection lives on while one of its cursors is open.
  ASSERT_EQ(DbcDisconnect(a), DBC_OK);
  opened_.erase(opened_.begin());
  EXPECT_EQ(rows(b, "SELECT SUM(n) FROM t"), Rows{"6"});
}

TEST_F(Client, TransactionsCommitAndRollBack) {
  DbcCursor a = open();
  exec(a, "CREATE TABLE t (n INTEGER)");
  ASSERT_EQ(DbcSetAutoCommit(a, 0), DBC_OK);
  exec(a, "INSERT INTO t VALUES (1)");
  ASSERT_EQ(DbcRollback(a), DBC_OK);
  EXPECT_EQ(rows(a, "SELECT COUNT(*) FROM t"), Rows{"0"});
  exec(a, "INSERT INTO t VALUES (2)");
  ASSERT_EQ(DbcCommit(a), DBC_OK);
  DbcCursor other = open();
  EXPECT_EQ(rows(other, "SELECT n FROM t"), Rows{"2"});
  // Uncommitted work goes when the connection ends.
  exec(a, "INSERT INTO t VALUES (3)");
  ASSERT_EQ(DbcDisconnect(a), DBC_OK);
  opened_.erase(opened_.begin());
  EXPECT_EQ(rows(other, "SELECT COUNT(*) FROM t"), Rows{"1"});
}

// ---- connect texts ------------------------------------------------------------------------

TEST_F(Client, OdbcConnectStringsAreUsedAsTheyStand) {
  DbcCursor c = open("plain.db");
  exec(c, "CREATE TABLE marker (x)");
  // The driver path of the same file, as the ODBC form needs it.
  exec(c, "SELECT file FROM pragma_database_list WHERE name = 'main'");
  ASSERT_EQ(DbcFetch(c), DBC_OK);
  char path[MAX_PATH];
  DbcGetColumn(c, 1, path, sizeof path, nullptr);
  DbcCursor odbcForm = connect(std::string("DRIVER=SQLite3;Database=") + path);
  EXPECT_EQ(rows(odbcForm, "SELECT name FROM sqlite_master WHERE type = 'table'"), Rows{"marker"});
}

TEST_F(Client, RpadmAttachesTheRepositoryDatabase) {
  DbcCursor setup = connect(file("repo.db"));
  exec(setup, "CREATE TABLE JOIN_HISTORY (DATABASE_NO INTEGER, PARENT_TBNAME TEXT)");
  exec(setup, "INSERT INTO JOIN_HISTORY VALUES (7, 'SYSADM.EMP')");
  DbcCursor c = connect(file("app.db") + ";RPADM=" + file("repo.db"));
  EXPECT_EQ(rows(c, "SELECT PARENT_TBNAME FROM RPADM.JOIN_HISTORY WHERE DATABASE_NO = 7"), Rows{"SYSADM.EMP"});
  // Every cursor of the connection sees it.
  DbcCursor second = 0;
  ASSERT_EQ(DbcOpenCursor(c, &second), DBC_OK);
  opened_.push_back(second);
  EXPECT_EQ(rows(second, "SELECT COUNT(*) FROM RPADM.JOIN_HISTORY"), Rows{"1"});
}

TEST_F(Client, ARepositoryFileWithAQuoteInItsNameAttaches) {
  DbcCursor c = connect(file("app.db") + ";RPADM=" + file("o'neil.db"));
  exec(c, "CREATE TABLE RPADM.T (a)");
  EXPECT_EQ(rows(c, "SELECT COUNT(*) FROM RPADM.T"), Rows{"0"});
}

TEST_F(Client, RelativeNamesResolveAgainstTheCurrentFolder) {
  char saved[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, saved);
  SetCurrentDirectoryA(folder_.c_str());
  DbcCursor c = connect("relative.db");
  SetCurrentDirectoryA(saved);
  exec(c, "CREATE TABLE t (a)");
  EXPECT_NE(GetFileAttributesA(file("relative.db").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Client, FileNamesWithSpacesAndAccentsReachTheDriver) {
  // "caf\xE9" is "café" in the ANSI code page; the driver gets it as UTF-8
  // (in an SQLite URI under Wine). Several connects, since a garbled name
  // depends on what lies in memory beyond the text.
  std::string name = "my caf\xE9 data.db";
  for (int i = 0; i < 5; ++i) DbcDisconnect(connect(file(name.c_str()) + "; Timeout=1000"));
  opened_.clear();
  DbcCursor c = connect(file(name.c_str()) + ";RPADM=" + file("r\xE9po.db"));
  exec(c, "CREATE TABLE t (a)");
  exec(c, "CREATE TABLE RPADM.r (b)");
  EXPECT_NE(GetFileAttributesA(file(name.c_str()).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(file("r\xE9po.db").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Client, TheEmptyTextOpensTheDefaultDatabaseBesideTheClient) {
  char path[MAX_PATH];
  GetModuleFileNameA(GetModuleHandleA("dbclient.dll"), path, MAX_PATH);
  std::string db = path;
  db = db.substr(0, db.find_last_of('\\') + 1) + "dbclient.db";
  bool existed = GetFileAttributesA(db.c_str()) != INVALID_FILE_ATTRIBUTES;
  DbcCursor c = connect("");
  exec(c, "CREATE TABLE IF NOT EXISTS default_marker (a)");
  EXPECT_NE(GetFileAttributesA(db.c_str()), INVALID_FILE_ATTRIBUTES) << db;
  DbcDisconnect(c);
  opened_.clear();
  if (!existed) DeleteFileA(db.c_str());
}

TEST_F(Client, ConnectingLoadsTheBridgeBesideTheClient) {
  open();
  HMODULE bridge = GetModuleHandleA("odbbridge32.dll");
  ASSERT_NE(bridge, nullptr);
  char bridgePath[MAX_PATH], clientPath[MAX_PATH];
  GetModuleFileNameA(bridge, bridgePath, MAX_PATH);
  GetModuleFileNameA(GetModuleHandleA("dbclient.dll"), clientPath, MAX_PATH);
  std::string a = bridgePath, b = clientPath;
  EXPECT_EQ(a.substr(0, a.find_last_of('\\')), b.substr(0, b.find_last_of('\\')));
}

// ---- information items ----------------------------------------------------------------------

TEST_F(Client, InfoAnswersServerTypeDbmsDriverAndVersion) {
  DbcCursor c = open();
  EXPECT_EQ(info(c, DBC_INFO_SERVER_TYPE), "31");
  EXPECT_EQ(info(c, DBC_INFO_DBMS_NAME), "SQLite");
  EXPECT_EQ(info(c, DBC_INFO_DRIVER_NAME).rfind("sqlite3odbc", 0), 0u);
  std::string version = info(c, DBC_INFO_DBMS_VERSION);
  EXPECT_EQ(version.rfind("3.", 0), 0u) << version;
  EXPECT_EQ(info(c, 5517), "SQLite");  // the same answer as an ODBC type
}

TEST_F(Client, InfoAnswersNumbersAndMasksAsDecimalText) {
  DbcCursor c = open();
  EXPECT_EQ(info(c, 5529), "\"");  // SQL_IDENTIFIER_QUOTE_CHAR
  std::string maxColumnName = info(c, 5530);  // 16-bit
  EXPECT_GT(std::stoul(maxColumnName), 0u);
  std::string fetchDirection = info(c, 5508);  // 32-bit mask
  EXPECT_EQ(fetchDirection.find_first_not_of("0123456789"), std::string::npos);
  EXPECT_NE(fetchDirection, "");
}

TEST_F(Client, EveryOdbcItemIsAnsweredOrRefusedCleanly) {
  DbcCursor c = open();
  int answered = 0;
  for (int item = DBC_INFO_ODBC_BASE; item <= DBC_INFO_ODBC_LAST; ++item) {
    char text[4096];
    int length = 0;
    int code = DbcGetInfo(c, item, text, sizeof text, &length);
    if (code == DBC_OK) {
      ++answered;
      EXPECT_EQ(length, int(strlen(text)));
    } else {
      EXPECT_NE(code, DBC_ERR_TRUNCATED) << item;
    }
  }
  EXPECT_GT(answered, 90);
  char text[16];
  for (int item : {5503, 5504, 5505, 5576, 5499, 5615, 0, -1, 1002})
    EXPECT_EQ(DbcGetInfo(c, item, text, sizeof text, nullptr), DBC_ERR_NOT_SUPPORTED) << item;
}

TEST_F(Client, InfoTextThatDoesNotFitIsCutAndReported) {
  DbcCursor c = open();
  char text[4] = "";
  int length = 0;
  EXPECT_EQ(DbcGetInfo(c, DBC_INFO_DBMS_NAME, text, sizeof text, &length), DBC_ERR_TRUNCATED);
  EXPECT_STREQ(text, "SQL");
  EXPECT_EQ(length, 6);
}

// ---- test cursors ---------------------------------------------------------------------------------

TEST(TestCursor, AnswersWhatTheTestSets) {
  DbcCursor c = 0;
  ASSERT_EQ(DbcOpenTestCursor(&c), DBC_OK);
  ASSERT_NE(c, 0u);
  char text[64];
  EXPECT_EQ(DbcGetInfo(c, DBC_INFO_SERVER_TYPE, text, sizeof text, nullptr), DBC_ERR_NOT_SUPPORTED);
  EXPECT_EQ(DbcSetTestInfo(c, DBC_INFO_SERVER_TYPE, "31"), DBC_OK);
  EXPECT_EQ(DbcSetTestInfo(c, DBC_INFO_DBMS_NAME, "Microsoft SQL Server"), DBC_OK);
  EXPECT_EQ(DbcSetTestInfo(c, DBC_INFO_DRIVER_NAME, "SQLSRV32.DLL"), DBC_OK);
  EXPECT_EQ(DbcSetTestInfo(c, DBC_INFO_DBMS_VERSION, "06.50.0201"), DBC_OK);
  EXPECT_EQ(info(c, DBC_INFO_SERVER_TYPE), "31");
  EXPECT_EQ(info(c, DBC_INFO_DBMS_NAME), "Microsoft SQL Server");
  EXPECT_EQ(info(c, DBC_INFO_DRIVER_NAME), "SQLSRV32.DLL");
  EXPECT_EQ(info(c, DBC_INFO_DBMS_VERSION), "06.50.0201");
  EXPECT_EQ(DbcSetTestInfo(c, DBC_INFO_DBMS_VERSION, nullptr), DBC_OK);
  EXPECT_EQ(DbcGetInfo(c, DBC_INFO_DBMS_VERSION, text, sizeof text, nullptr), DBC_ERR_TEST_FAILURE);
  EXPECT_EQ(DbcSetTestInfo(c, DBC_INFO_SERVER_TYPE, "99"), DBC_OK);  // answers change
  EXPECT_EQ(info(c, DBC_INFO_SERVER_TYPE), "99");
  EXPECT_EQ(DbcDisconnect(c), DBC_OK);
}

TEST(TestCursor, HasNoDatabase) {
  DbcCursor c = 0;
  ASSERT_EQ(DbcOpenTestCursor(&c), DBC_OK);
  int n = 0;
  DbcTypeInfo t;
  DbcCursor other = 0;
  EXPECT_EQ(DbcCompile(c, "SELECT 1"), DBC_ERR_NOT_CONNECTED);
  EXPECT_EQ(DbcExecute(c), DBC_ERR_NOT_CONNECTED);
  EXPECT_EQ(DbcFetch(c), DBC_ERR_NOT_CONNECTED);
  EXPECT_EQ(DbcTypeInfoCount(c, &n), DBC_ERR_NOT_CONNECTED);
  EXPECT_EQ(DbcGetTypeInfo(c, 0, &t), DBC_ERR_NOT_CONNECTED);
  EXPECT_EQ(DbcCommit(c), DBC_ERR_NOT_CONNECTED);
  EXPECT_EQ(DbcOpenCursor(c, &other), DBC_ERR_NOT_CONNECTED);
  DbcDisconnect(c);
}

TEST_F(Client, ARealCursorTakesTestAnswers) {
  DbcCursor c = open();
  ASSERT_EQ(DbcSetTestInfo(c, DBC_INFO_SERVER_TYPE, "4"), DBC_OK);
  EXPECT_EQ(info(c, DBC_INFO_SERVER_TYPE), "4");
  EXPECT_EQ(info(c, DBC_INFO_DBMS_NAME), "SQLite");  // the rest still from the driver
  EXPECT_EQ(rows(c, "SELECT 5"), Rows{"5"});
}

// ---- type information -------------------------------------------------------------------------------

TEST_F(Client, TypeInformationComesFromTheDriver) {
  DbcCursor c = open();
  int count = 0;
  ASSERT_EQ(DbcTypeInfoCount(c, &count), DBC_OK);
  ASSERT_GT(count, 5);
  std::set<std::string> names;
  for (int i = 0; i < count; ++i) {
    DbcTypeInfo t;
    ASSERT_EQ(DbcGetTypeInfo(c, i, &t), DBC_OK);
    names.insert(t.typeName);
    EXPECT_GE(t.searchable, 0);
    EXPECT_LE(t.searchable, 3);
    if (std::string(t.typeName) == "varchar") {
      EXPECT_EQ(t.dataType, 12);
      EXPECT_GT(t.columnSize, 0);
    }
  }
  EXPECT_TRUE(names.count("integer") || names.count("INTEGER"));
  EXPECT_TRUE(names.count("varchar"));
  DbcTypeInfo t;
  EXPECT_EQ(DbcGetTypeInfo(c, count, &t), DBC_ERR_ARGUMENT);
  EXPECT_EQ(DbcGetTypeInfo(c, -1, &t), DBC_ERR_ARGUMENT);
}

// ---- catalogue commands ----------------------------------------------------------------------------

class Catalog : public Client {
protected:
  void SetUp() override {
    Client::SetUp();
    c_ = open("catalog.db");
    exec(c_, "CREATE TABLE EMP (ID INTEGER PRIMARY KEY, NAME VARCHAR(30) NOT NULL, DEPT INT, CODE CHAR(4) UNIQUE)");
    exec(c_, "CREATE UNIQUE INDEX EMPNAME ON EMP (NAME, DEPT)");
    exec(c_, "CREATE INDEX EMPDEPT ON EMP (DEPT)");
    exec(c_, "CREATE TABLE DEPT (NO INT, SUB INT, TITLE TEXT, PRIMARY KEY (NO, SUB))");
    exec(c_, "CREATE TABLE EMPX1 (A INT)");  // "EMP_1" as a pattern would match it
    exec(c_, "CREATE TABLE LOG (A INT, B INT)");
  }
  DbcCursor c_ = 0;
};

TEST_F(Catalog, ColumnListsTheTablesColumnsInOrder) {
  EXPECT_EQ(rows(c_, "CATALOG COLUMN CREATOR = , TBNAME = EMP SELECT COLNAME, COLTYPE"),
            (Rows{"ID|INTEGER", "NAME|VARCHAR(30)", "DEPT|INT", "CODE|CHAR(4)"}));
  EXPECT_EQ(rows(c_, "CATALOG COLUMN TBNAME = emp SELECT COLNO, NULLS, KEYSEQ"), (Rows{"1|Y|1", "2|N|0", "3|Y|0", "4|Y|0"}));
  EXPECT_TRUE(rows(c_, "CATALOG COLUMN TBNAME = EMP_1 SELECT COLNAME").empty());
  EXPECT_TRUE(rows(c_, "CATALOG COLUMN TBNAME = NOSUCH SELECT COLNAME").empty());
  char name[16];
  DbcColumnName(c_, 1, name, sizeof name, nullptr);
  EXPECT_STREQ(name, "COLNAME");
}

TEST_F(Catalog, IndexListsUniqueIndexesAndThePrimaryKey) {
  Rows unique = rows(c_, "CATALOG INDEX CREATOR = , TBNAME = EMP, TYPE = U SELECT IXNAME, UNIQUERULE, COLCOUNT");
  EXPECT_EQ(unique.size(), 3u);
  EXPECT_NE(std::find(unique.begin(), unique.end(), "EMPNAME|U|2"), unique.end());
  int primaries = 0;
  for (const std::string& r : unique) primaries += r.find("|P|1") != std::string::npos;
  EXPECT_EQ(primaries, 1);
  Rows all = rows(c_, "CATALOG INDEX TBNAME = EMP SELECT IXNAME, UNIQUERULE");
  EXPECT_NE(std::find(all.begin(), all.end(), "EMPDEPT|D"), all.end());
  EXPECT_EQ(all.size(), 4u);
  EXPECT_TRUE(rows(c_, "CATALOG INDEX TBNAME = LOG, TYPE = U SELECT IXNAME").empty());
}

TEST_F(Catalog, KeyListsAnIndexsColumns) {
  EXPECT_EQ(rows(c_, "CATALOG KEY IXNAME = EMPNAME, TBNAME = EMP SELECT COLNAME, COLSEQ"), (Rows{"NAME|1", "DEPT|2"}));
  EXPECT_EQ(rows(c_, "CATALOG KEY IXNAME = PRIMARY, TBNAME = DEPT SELECT COLNAME"), (Rows{"NO", "SUB"}));
  // Every index the INDEX command names has its keys.
  for (const std::string& index : rows(c_, "CATALOG INDEX TBNAME = DEPT, TYPE = U SELECT IXNAME")) {
    Rows keys = rows(c_, "CATALOG KEY IXNAME = " + index + ", TBNAME = DEPT SELECT COLNAME");
    EXPECT_EQ(keys, (Rows{"NO", "SUB"})) << index;
  }
}

TEST_F(Catalog, RowIdNamesTheBestRowIdentifier) {
  EXPECT_EQ(rows(c_, "CATALOG ROWID TBNAME = LOG SELECT COLNAME, PSEUDO"), Rows{"_ROWID_|Y"});
}

TEST_F(Catalog, MalformedCommandsAreRefused) {
  EXPECT_EQ(DbcCompile(c_, "CATALOG COLUMN TBNAME = EMP SELECT NOSUCH"), DBC_ERR_CATALOG_COMMAND);
  EXPECT_EQ(DbcExecute(c_), DBC_ERR_NO_STATEMENT);
  EXPECT_EQ(DbcCompile(c_, "CATALOG KEY TBNAME = EMP SELECT COLNAME"), DBC_ERR_CATALOG_COMMAND);
}

TEST_F(Catalog, CommandsAndStatementsAlternateOnOneCursor) {
  EXPECT_EQ(rows(c_, "CATALOG KEY IXNAME = PRIMARY, TBNAME = DEPT SELECT COLNAME").size(), 2u);
  exec(c_, "INSERT INTO LOG VALUES (1, 2)");
  EXPECT_EQ(rows(c_, "SELECT A + B FROM LOG"), Rows{"3"});
  EXPECT_EQ(rows(c_, "CATALOG COLUMN TBNAME = LOG SELECT COLNAME"), (Rows{"A", "B"}));
}

} // namespace
