// DBMSGetJoinKey and DBMSGetUpdateKey against a seeded SQLite repository
// attached as RPADM.
#include "support.h"

#include <cstddef>
#include <string>
#include <vector>

namespace {

class Repository : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    repo_ = trxtest::databaseFile("trx_repo.db", true);
    main_ = trxtest::databaseFile("trx_main.db", true);
    trxtest::execute(repo_, {
        "CREATE TABLE DATABASE_DETAILS (DATABASE_NO INTEGER, DATABASE_NAME VARCHAR(64))",
        "CREATE TABLE DATABASE_VERSION (DATABASE_NO INTEGER, VERSION_CODE VARCHAR(18), "
        "DATE_CREATED VARCHAR(26), VERSION_STATUS VARCHAR(18))",
        "CREATE TABLE JOIN_HISTORY (DATABASE_NO INTEGER, VERSION_CODE VARCHAR(18), PARENT_TBNAME VARCHAR(130), "
        "PARENT_COLNAME VARCHAR(64), CHILD_TBNAME VARCHAR(130), CHILD_COLNAME VARCHAR(64))",
        "CREATE TABLE COLUMN_HISTORY (DATABASE_NO INTEGER, VERSION_CODE VARCHAR(18), TBNAME VARCHAR(130), "
        "COLNAME VARCHAR(64), PRIMARY_KEY CHAR(1))",
        "INSERT INTO DATABASE_DETAILS VALUES (1, 'SALES'), (2, 'O''Brien''s DB'), (3, 'EMPTY'), (4, 'MARKERS')",
        // SALES: V2 is the newest complete version; V3 is not complete.
        "INSERT INTO DATABASE_VERSION VALUES (1, 'V1', '2024-01-01 10:00:00', 'Complete'), "
        "(1, 'V2', '2024-06-01 10:00:00', 'Complete'), (1, 'V3', '2025-01-01 10:00:00', 'Draft'), "
        "(2, 'Q''1', '2024-03-03 09:00:00', 'Complete'), (3, 'E1', '2024-04-04 09:00:00', 'Complete'), "
        "(4, 'M%%1%2', '2024-05-05 09:00:00', 'Complete')",
        "INSERT INTO JOIN_HISTORY VALUES "
        "(1, 'V2', 'SYSADM.DEPT', 'DEPTNO', 'SYSADM.EMP', 'WORKDEPT'), "
        "(1, 'V2', 'SYSADM.EMP', 'EMPNO', 'SYSADM.DEPT', 'MGRNO'), "
        "(1, 'V2', 'SYSADM.EMP', 'EMPNO', 'SYSADM.PROJ', 'RESPEMP'), "
        "(1, 'V2', 'SYSADM.DEPT', 'DEPTNO', 'OTHER.PROJ', 'DEPTNO'), "
        "(1, 'V2', 'AN_OWNER_NAME_TOO_LONG.EMP', 'EMPNO', 'SYSADM.EMP', 'EMPNO'), "
        "(1, 'V1', 'SYSADM.DEPT', 'OLDCOL', 'SYSADM.EMP', 'OLDCOL'), "
        "(2, 'Q''1', 'Q.A', 'ID', 'Q.B', 'A_ID'), (4, 'M%%1%2', 'M.A', 'ID', 'M.B', 'A_ID')",
        "INSERT INTO COLUMN_HISTORY VALUES "
        "(1, 'V2', 'SYSADM.EMP', 'EMPNO', 'Y'), (1, 'V2', 'SYSADM.EMP', 'NAME', 'N'), "
        "(1, 'V2', 'SYSADM.ASSIGN', 'EMPNO', 'Y'), (1, 'V2', 'SYSADM.ASSIGN', 'PROJNO', 'Y'), "
        "(1, 'V1', 'SYSADM.EMP', 'OLDKEY', 'Y'), (1, 'V2', 'ITEMS', 'NAME', 'Y'), "
        "(1, 'V2', 'PLAIN', 'A', 'Y'), (1, 'V2', 'PLAIN', 'B', 'Y'), (4, 'M%%1%2', 'M.A', 'ID', 'Y')",
    });
    trxtest::execute(main_, {
        "CREATE TABLE ITEMS (ID INTEGER, CODE VARCHAR(10) NOT NULL, NAME VARCHAR(40))",
        "CREATE UNIQUE INDEX ITEMS_CODE ON ITEMS (CODE)",
        "CREATE TABLE PLAIN (A INTEGER, B INTEGER, C INTEGER)",
        "CREATE TABLE \"ORDER LINES\" (ORDER_ID INTEGER NOT NULL, \"LINE NO\" INTEGER NOT NULL, TEXT VARCHAR(40))",
        "CREATE UNIQUE INDEX \"ORDER LINES KEY\" ON \"ORDER LINES\" (ORDER_ID, \"LINE NO\")",
    });
  }

  void SetUp() override { ASSERT_EQ(DbcConnect((main_ + ";RPADM=" + repo_).c_str(), &cursor_), DBC_OK); }
  void TearDown() override { DbcDisconnect(cursor_); }

  static std::vector<TrxJoinRecord> records(HGLOBAL block) {
    std::vector<TrxJoinRecord> out;
    if (!block) return out;
    EXPECT_EQ(GlobalSize(block) % sizeof(TrxJoinRecord), 0u);
    auto* r = static_cast<TrxJoinRecord*>(GlobalLock(block));
    out.assign(r, r + GlobalSize(block) / sizeof(TrxJoinRecord));
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
    return out;
  }
  static std::string join(const TrxJoinRecord& r) {
    return std::string(r.parentUser) + "." + r.parentTable + "." + r.parentColumn + " " + r.op + " " +
           r.childUser + "." + r.childTable + "." + r.childColumn;
  }

  static std::string repo_, main_;
  DbcCursor cursor_ = 0;
};

std::string Repository::repo_, Repository::main_;

TEST_F(Repository, JoinRecordsAre309Bytes) {
  EXPECT_EQ(sizeof(TrxJoinRecord), 309u);
  struct Field { size_t offset, expected; const char* name; } fields[] = {
      {offsetof(TrxJoinRecord, parentUser), 0, "parent user"},
      {offsetof(TrxJoinRecord, parentTable), 19, "parent table"},
      {offsetof(TrxJoinRecord, parentColumn), 84, "parent column"},
      {offsetof(TrxJoinRecord, childUser), 149, "child user"},
      {offsetof(TrxJoinRecord, childTable), 168, "child table"},
      {offsetof(TrxJoinRecord, childColumn), 233, "child column"},
      {offsetof(TrxJoinRecord, flag), 298, "flag"},
      {offsetof(TrxJoinRecord, op), 299, "operator"},
  };
  for (const auto& f : fields) EXPECT_EQ(f.offset, f.expected) << f.name;
  EXPECT_EQ(sizeof(TrxUpdateKey), 66u);
}

TEST_F(Repository, Mode1KeepsTheJoinsAmongTheListedTables) {
  HGLOBAL block = nullptr;
  ASSERT_EQ(DBMSGetJoinKey(cursor_, "", "SALES", "SYSADM.EMP, dept", TRX_JOINS_IN_LIST, &block), 0);
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(GlobalFlags(block) != GMEM_INVALID_HANDLE);
  auto all = records(block);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(join(all[0]), "SYSADM.DEPT.DEPTNO = SYSADM.EMP.WORKDEPT");
  EXPECT_EQ(join(all[1]), "SYSADM.EMP.EMPNO = SYSADM.DEPT.MGRNO");
  EXPECT_EQ(all[0].flag, 1);
}

TEST_F(Repository, Mode2ReadsTheJoinsOfOnePair) {
  HGLOBAL block = nullptr;
  ASSERT_EQ(DBMSGetJoinKey(cursor_, "SYSADM.EMP", "SALES", "SYSADM.PROJ", TRX_JOINS_OF_PAIR, &block), 0);
  auto all = records(block);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(join(all[0]), "SYSADM.EMP.EMPNO = SYSADM.PROJ.RESPEMP");
  EXPECT_EQ(DBMSGetJoinKey(cursor_, "SYSADM.PROJ", "SALES", "SYSADM.EMP", TRX_JOINS_OF_PAIR, &block), -1)
      << "joins have a direction";
  EXPECT_EQ(block, nullptr);
}

TEST_F(Repository, Mode3ReadsThePrimaryKeyColumns) {
  HGLOBAL block = nullptr;
  ASSERT_EQ(DBMSGetJoinKey(cursor_, "SYSADM.ASSIGN", "SALES", "", TRX_PRIMARY_KEY, &block), 0);
  auto all = records(block);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_STREQ(all[0].parentUser, "SYSADM");
  EXPECT_STREQ(all[0].parentTable, "ASSIGN");
  EXPECT_STREQ(all[0].parentColumn, "EMPNO");
  EXPECT_STREQ(all[1].parentColumn, "PROJNO");
  EXPECT_STREQ(all[0].op, "");
  EXPECT_STREQ(all[0].childTable, "");
  EXPECT_EQ(all[0].flag, 1);
}

TEST_F(Repository, ADatabaseNameHoldingAQuote) {
  HGLOBAL block = nullptr;
  ASSERT_EQ(DBMSGetJoinKey(cursor_, "", "O'Brien's DB", "Q.A,Q.B", TRX_JOINS_IN_LIST, &block), 0);
  auto all = records(block);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(join(all[0]), "Q.A.ID = Q.B.A_ID");
}

TEST_F(Repository, AValueHoldingPlaceholdersIsNoPlaceholder) {
  // The version code "M%%1%2" is filled before the table names.
  HGLOBAL block = nullptr;
  ASSERT_EQ(DBMSGetJoinKey(cursor_, "M.A", "MARKERS", "M.B", TRX_JOINS_OF_PAIR, &block), 0);
  auto joins = records(block);
  ASSERT_EQ(joins.size(), 1u);
  EXPECT_EQ(join(joins[0]), "M.A.ID = M.B.A_ID");
  ASSERT_EQ(DBMSGetJoinKey(cursor_, "M.A", "MARKERS", "", TRX_PRIMARY_KEY, &block), 0);
  auto key = records(block);
  ASSERT_EQ(key.size(), 1u);
  EXPECT_STREQ(key[0].parentColumn, "ID");
}

TEST_F(Repository, NothingFoundIsMinusOneWithoutABlock) {
  struct Case { const char *table, *database, *list; int mode; } cases[] = {
      {"", "NO SUCH DB", "SYSADM.EMP,SYSADM.DEPT", 1},
      {"", "EMPTY", "SYSADM.EMP,SYSADM.DEPT", 1},       // a version without joins
      {"", "SALES", "SYSADM.EMP", 1},                   // no join within one table
      {"SYSADM.NOKEY", "SALES", "", 3},
      {"", "SALES", "SYSADM.EMP", 2},                   // a pair needs a table
      {"SYSADM.EMP", "SALES", "", 2},                   // ... and a list entry
      {"SYSADM.EMP", "SALES", "SYSADM.DEPT", 4},        // no such mode
      {"SYSADM.EMP", "SALES", "SYSADM.DEPT", 0},
      {"SYSADM.EMP", nullptr, "SYSADM.DEPT", 3},
      {"SYSADM.EMP", "x' OR 'a'='a", "", 3},            // the literal stays a literal
  };
  for (const auto& c : cases) {
    HGLOBAL block = HGLOBAL(1);
    EXPECT_EQ(DBMSGetJoinKey(cursor_, c.table, c.database, c.list, c.mode, &block), -1)
        << c.table << "|" << (c.database ? c.database : "NULL") << "|" << c.list << "|" << c.mode;
    EXPECT_EQ(block, nullptr);
  }
  EXPECT_EQ(DBMSGetJoinKey(cursor_, "SYSADM.EMP", "SALES", "", 3, nullptr), -1);
}

TEST_F(Repository, ANameTooLongForItsFieldLeavesTheRowOut) {
  HGLOBAL block = nullptr;
  ASSERT_EQ(DBMSGetJoinKey(cursor_, "", "SALES", "AN_OWNER_NAME_TOO_LONG.EMP,SYSADM.EMP,SYSADM.DEPT",
                           TRX_JOINS_IN_LIST, &block), 0);
  EXPECT_EQ(records(block).size(), 2u) << "the 22-character owner does not fit 19 bytes";
}

TEST_F(Repository, AnSQLErrorIsTheClientsCode) {
  DbcCursor plain = 0;
  ASSERT_EQ(DbcConnect(main_.c_str(), &plain), DBC_OK);  // no RPADM attached
  HGLOBAL block = HGLOBAL(1);
  EXPECT_EQ(DBMSGetJoinKey(plain, "", "SALES", "SYSADM.EMP", 1, &block), DBC_ERR_NATIVE_BASE + 1);
  EXPECT_EQ(block, nullptr);
  DbcDisconnect(plain);
  DbcCursor test = 0;
  DbcOpenTestCursor(&test);
  EXPECT_GT(DBMSGetJoinKey(test, "", "SALES", "SYSADM.EMP", 1, &block), 1000);
  DbcDisconnect(test);
}

TEST_F(Repository, TheCallersCursorKeepsItsResultSet) {
  ASSERT_EQ(DbcCompile(cursor_, "SELECT CODE FROM ITEMS UNION ALL SELECT 'x'"), DBC_OK);
  ASSERT_EQ(DbcExecute(cursor_), DBC_OK);
  HGLOBAL block = nullptr;
  ASSERT_EQ(DBMSGetJoinKey(cursor_, "SYSADM.EMP", "SALES", "", TRX_PRIMARY_KEY, &block), 0);
  GlobalFree(block);
  EXPECT_EQ(DbcFetch(cursor_), DBC_OK);
  char value[8] = "";
  EXPECT_EQ(DbcGetColumn(cursor_, 1, value, sizeof value, nullptr), DBC_OK);
  EXPECT_STREQ(value, "x");
}

// --- update keys ---------------------------------------------------------------

std::vector<TrxUpdateKey> entries(HGLOBAL block) {
  std::vector<TrxUpdateKey> out;
  if (!block) return out;
  auto* e = static_cast<TrxUpdateKey*>(GlobalLock(block));
  out.assign(e, e + GlobalSize(block) / sizeof(TrxUpdateKey));
  GlobalUnlock(block);
  GlobalFree(block);
  return out;
}

TEST_F(Repository, UpdateKeyFromAUniqueIndex) {
  HGLOBAL block = nullptr;
  int source = -1;
  char creator[65] = "?", index[65] = "?";
  ASSERT_EQ(DBMSGetUpdateKey(cursor_, "", "ITEMS", "SALES", 0, &source, creator, index, &block), 1);
  EXPECT_EQ(source, TRX_KEY_UNIQUE_INDEX);
  EXPECT_STREQ(index, "ITEMS_CODE");
  auto keys = entries(block);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_STREQ(keys[0].column, "CODE");
  EXPECT_EQ(keys[0].source, TRX_KEY_UNIQUE_INDEX);
}

TEST_F(Repository, UpdateKeyOfANameWithBlanks) {
  // The catalogue command's words end at blanks: such a name goes in quoted.
  HGLOBAL block = nullptr;
  int source = -1;
  char creator[65] = "?", index[65] = "?";
  ASSERT_EQ(DBMSGetUpdateKey(cursor_, "", "ORDER LINES", nullptr, 0, &source, creator, index, &block), 2);
  EXPECT_EQ(source, TRX_KEY_UNIQUE_INDEX);
  EXPECT_STREQ(index, "ORDER LINES KEY");
  auto keys = entries(block);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_STREQ(keys[0].column, "ORDER_ID");
  EXPECT_STREQ(keys[1].column, "LINE NO");
}

TEST_F(Repository, UpdateKeyFromTheRepositoryWhenNoUniqueIndexExists) {
  HGLOBAL block = nullptr;
  int source = -1;
  ASSERT_EQ(DBMSGetUpdateKey(cursor_, "", "PLAIN", "SALES", 0, &source, nullptr, nullptr, &block), 2);
  EXPECT_EQ(source, TRX_KEY_PRIMARY_KEY);
  auto keys = entries(block);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_STREQ(keys[0].column, "A");
  EXPECT_STREQ(keys[1].column, "B");
  // Without the repository source there is nothing.
  EXPECT_EQ(DBMSGetUpdateKey(cursor_, "", "PLAIN", "SALES", TRX_KEY_UNIQUE_INDEX, &source, nullptr, nullptr,
                             &block), -1);
  EXPECT_EQ(block, nullptr);
  // The options choose the source: the repository says NAME for ITEMS.
  ASSERT_EQ(DBMSGetUpdateKey(cursor_, "", "ITEMS", "SALES", TRX_KEY_PRIMARY_KEY, &source, nullptr, nullptr, &block),
            1);
  EXPECT_STREQ(entries(block)[0].column, "NAME");
}

TEST_F(Repository, UpdateKeyFromTheBrandsRowId) {
  DbcCursor test = 0;
  DbcOpenTestCursor(&test);
  DbcSetTestInfo(test, DBC_INFO_SERVER_TYPE, "1");  // brand 1 has a row id
  HGLOBAL block = nullptr;
  int source = -1;
  ASSERT_EQ(DBMSGetUpdateKey(test, "SYSADM", "EMP", nullptr, 0, &source, nullptr, nullptr, &block), 1);
  EXPECT_EQ(source, TRX_KEY_ROWID);
  EXPECT_STREQ(entries(block)[0].column, "ROWID");
  DbcDisconnect(test);
}

TEST_F(Repository, UpdateKeyRefusesBadInput) {
  HGLOBAL block = HGLOBAL(1);
  int source = -1;
  EXPECT_EQ(DBMSGetUpdateKey(cursor_, "", "NO_SUCH_TABLE", "SALES", 0, &source, nullptr, nullptr, &block), -1);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(source, 0);
  EXPECT_EQ(DBMSGetUpdateKey(cursor_, "", nullptr, "SALES", 0, &source, nullptr, nullptr, &block), -1);
  EXPECT_EQ(DBMSGetUpdateKey(cursor_, "", "ITEMS", "SALES", 0, &source, nullptr, nullptr, nullptr), -1);
  // A name that would change the catalogue command is never put into one.
  EXPECT_EQ(DBMSGetUpdateKey(cursor_, "", "ITEMS, TYPE = U", nullptr, TRX_KEY_UNIQUE_INDEX, &source, nullptr,
                             nullptr, &block),
            -1);
  EXPECT_EQ(DBMSGetUpdateKey(cursor_, "", "ITEMS SELECT X", nullptr, TRX_KEY_UNIQUE_INDEX, &source, nullptr,
                             nullptr, &block),
            -1);
  // An SQL failure is the negated client's code.
  DbcCursor test = 0;
  DbcOpenTestCursor(&test);
  DbcSetTestInfo(test, DBC_INFO_SERVER_TYPE, "31");
  EXPECT_LT(DBMSGetUpdateKey(test, "", "ITEMS", nullptr, TRX_KEY_UNIQUE_INDEX, &source, nullptr, nullptr, &block),
            -1000);
  DbcDisconnect(test);
}

} // namespace

namespace {

TEST(Resources, MessagesAndStatementTemplatesAreTheSystemsOwn) {
  HMODULE dll = GetModuleHandleA("trxshare.dll");
  ASSERT_NE(dll, nullptr);
  struct Case { UINT id; const char* text; } cases[] = {
      {4096, "SQLTrx Error"},
      {4097, "Global memory allocation failed!"},
      {4098, "SQLTrx Note"},
      {20000, "CATALOG COLUMN CREATOR = %%, TBNAME = %% SELECT COLNAME, COLTYPE"},
      {20001, "CATALOG INDEX CREATOR = %%, TBNAME = %%, TYPE = U SELECT IXCREATOR, IXNAME"},
      {20002, "CATALOG KEY IXNAME = %%, TBNAME = %%, CREATOR = %% SELECT COLNAME"},
      {20003, "CATALOG KEY IXNAME = %%, TBNAME = %% SELECT COLNAME"},
      {20004, "SELECT PARENT_TBNAME, PARENT_COLNAME, CHILD_TBNAME, CHILD_COLNAME FROM RPADM.JOIN_HISTORY WHERE "
              "DATABASE_NO = %% AND VERSION_CODE = '%%'"},
      {20005, "SELECT PARENT_TBNAME, PARENT_COLNAME, CHILD_TBNAME, CHILD_COLNAME FROM RPADM.JOIN_HISTORY WHERE "
              "DATABASE_NO = %% AND VERSION_CODE = '%%' AND PARENT_TBNAME = '%%' AND CHILD_TBNAME = '%%'"},
      {20006, "SELECT COLNAME FROM RPADM.COLUMN_HISTORY WHERE DATABASE_NO = '%%' AND VERSION_CODE = '%%' AND "
              "PRIMARY_KEY = 'Y' AND TBNAME = '%%'"},
      {20007, "SELECT DATABASE_NO FROM RPADM.DATABASE_DETAILS WHERE DATABASE_NAME = '%%'"},
      {20008, "SELECT MAX(DATE_CREATED) FROM RPADM.DATABASE_VERSION WHERE VERSION_STATUS = 'Complete' AND "
              "DATABASE_NO = %%"},
      {20009, "SELECT VERSION_CODE FROM RPADM.DATABASE_VERSION WHERE DATE_CREATED = '%%'"},
      {20010, "CATALOG INDEX TBNAME = %%, TYPE = U SELECT IXCREATOR, IXNAME"},
  };
  for (const auto& c : cases) {
    char text[512] = "";
    EXPECT_GT(LoadStringA(dll, c.id, text, sizeof text), 0) << c.id;
    EXPECT_STREQ(text, c.text) << c.id;
  }
}

} // namespace

namespace {

// Runs only where the ANSI code page is a double-byte one (see the
// trxshare_tests_dbcs registration).
TEST(DoubleByte, UpdateKeyOfATableWhoseNameHoldsABackQuoteTrailByte) {
  if (!IsDBCSLeadByte(0x83)) GTEST_SKIP() << "the ANSI code page is not a double-byte one";
  const char* table = "T\x83\x60";  // 0x83 0x60 is one katakana character
  std::string db = trxtest::databaseFile("trx_dbcs.db", true);
  trxtest::execute(db, {"CREATE TABLE \"T\x83\x60\" (K INTEGER NOT NULL, V INTEGER)",
                        "CREATE UNIQUE INDEX TK ON \"T\x83\x60\" (K)"});
  DbcCursor c = 0;
  ASSERT_EQ(DbcConnect(db.c_str(), &c), DBC_OK);
  HGLOBAL block = nullptr;
  int source = -1;
  char index[65] = "";
  EXPECT_EQ(DBMSGetUpdateKey(c, "", table, nullptr, TRX_KEY_UNIQUE_INDEX, &source, nullptr, index, &block), 1);
  EXPECT_STREQ(index, "TK");
  if (block) {
    auto* e = static_cast<TrxUpdateKey*>(GlobalLock(block));
    EXPECT_STREQ(e->column, "K");
    GlobalUnlock(block);
    GlobalFree(block);
  }
  DbcDisconnect(c);
}

} // namespace
