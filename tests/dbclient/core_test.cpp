// The client's pure logic: error mapping, handle numbers, information
// kinds, connect texts, catalogue commands and type information rows.
#include "catalog.h"
#include "connecttext.h"
#include "dbclient.h"
#include "errors.h"
#include "handles.h"
#include "infotypes.h"
#include "typeinfo.h"

#include <gtest/gtest.h>

#include <set>

using namespace dbc;

// ---- error codes --------------------------------------------------------------

struct StateCase {
  const char* state;
  int native;
  int code;
};

TEST(ErrorCodes, FollowTheStateClassAndTheNativeCodeOfGeneralErrors) {
  const StateCase cases[] = {
      {"HY000", 1, DBC_ERR_NATIVE_BASE + 1},    // SQLite: missing table, syntax
      {"HY000", 14, DBC_ERR_NATIVE_BASE + 14},  // SQLite: cannot open
      {"S1000", 5, DBC_ERR_NATIVE_BASE + 5},
      {"HY000", 0, DBC_ERR_GENERAL},
      {"HY000", 10000, DBC_ERR_GENERAL},
      {"HY000", -3, DBC_ERR_GENERAL},
      {"01000", 0, DBC_ERR_DRIVER_MANAGER},  // unixODBC: driver cannot be loaded
      {"IM002", 0, DBC_ERR_DRIVER_MANAGER},
      {"IM001", 0, DBC_ERR_NOT_CAPABLE},
      {"HYC00", 0, DBC_ERR_NOT_CAPABLE},
      {"08001", 0, DBC_ERR_CONNECTION},
      {"08S01", 77, DBC_ERR_CONNECTION},
      {"42S02", 208, DBC_ERR_SYNTAX},
      {"37000", 0, DBC_ERR_SYNTAX},
      {"S0002", 0, DBC_ERR_SYNTAX},
      {"23000", 2627, DBC_ERR_CONSTRAINT},
      {"22003", 0, DBC_ERR_DATA},
      {"40001", 1205, DBC_ERR_TRANSACTION},
      {"25000", 0, DBC_ERR_TRANSACTION},
      {"28000", 18456, DBC_ERR_AUTHORIZATION},
      {"HYT00", 0, DBC_ERR_TIMEOUT},
      {"HY010", 0, DBC_ERR_GENERAL},
      {"", 0, DBC_ERR_GENERAL},
  };
  for (const StateCase& c : cases) EXPECT_EQ(codeForState(c.state, c.native), c.code) << c.state << " " << c.native;
}

TEST(ErrorCodes, AreNeverValuesCallersGiveOtherMeanings) {
  const int reserved[] = {0, -1, 1, 13, 14, 15, 145, 403};
  std::set<int> codes;
  for (const char* state : {"HY000", "S1000", "01000", "IM002", "08001", "42000", "23000", "22001", "40001",
                            "28000", "HYT00", "HYC00", "XX999", ""})
    for (int native = -20; native <= 20000; ++native) codes.insert(codeForState(state, native));
  for (int r : reserved) EXPECT_EQ(codes.count(r), 0u) << r;
}

TEST(ErrorCodes, TakeTheFirstRecordThatIsNotAWarning) {
  EXPECT_EQ(codeForDiagnostics({{"01004", 0, "truncated"}, {"HY000", 19, "constraint"}}), DBC_ERR_NATIVE_BASE + 19);
  EXPECT_EQ(codeForDiagnostics({{"01000", 0, "can't open lib"}}), DBC_ERR_DRIVER_MANAGER);
  EXPECT_EQ(codeForDiagnostics({}), DBC_ERR_GENERAL);
}

// ---- handle numbers -----------------------------------------------------------

TEST(HandleNumbers, OpenHandlesDifferInTheLowHalf) {
  HandleNumbers numbers;
  std::set<uint16_t> lows;
  for (int i = 0; i < 1000; ++i) {
    uint32_t h = numbers.take();
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(lows.insert(uint16_t(h)).second);
  }
}

TEST(HandleNumbers, AClosedHandleComesBackOnlyAfterAllOthers) {
  HandleNumbers numbers;
  uint32_t first = numbers.take();
  numbers.give(first);
  std::set<uint16_t> seen;
  for (int i = 0; i < 65534; ++i) {
    uint32_t h = numbers.take();
    EXPECT_NE(uint16_t(h), uint16_t(first));
    EXPECT_NE(uint16_t(h), 0);
    numbers.give(h);
  }
  uint32_t again = numbers.take();
  EXPECT_EQ(uint16_t(again), uint16_t(first));
  EXPECT_NE(again, first);  // the full value still differs
}

TEST(HandleNumbers, SkipLowHalvesStillOpenAndRunOutCleanly) {
  HandleNumbers numbers;
  uint32_t kept = numbers.take();
  for (int i = 0; i < 65534; ++i) ASSERT_NE(numbers.take(), 0u);
  EXPECT_EQ(numbers.take(), 0u);  // all 65,535 low halves open
  numbers.give(kept);
  EXPECT_EQ(uint16_t(numbers.take()), uint16_t(kept));
}

// ---- information kinds --------------------------------------------------------

TEST(InfoKinds, MatchTheOdbcInformationTypes) {
  struct Case {
    int type;
    InfoKind kind;
  } cases[] = {{0, InfoKind::Int16},  {3, InfoKind::Handle}, {5, InfoKind::Handle},   {6, InfoKind::Text},
               {8, InfoKind::Int32},  {17, InfoKind::Text},  {18, InfoKind::Text},    {22, InfoKind::Int16},
               {26, InfoKind::Int32}, {29, InfoKind::Text},  {30, InfoKind::Int16},   {44, InfoKind::Int32},
               {46, InfoKind::Int16}, {49, InfoKind::Int32}, {71, InfoKind::Int32},   {73, InfoKind::Text},
               {76, InfoKind::Handle}, {89, InfoKind::Text}, {104, InfoKind::Int32},  {106, InfoKind::Int16},
               {113, InfoKind::Text}, {114, InfoKind::Int16}, {115, InfoKind::None}, {-1, InfoKind::None}};
  for (const Case& c : cases) EXPECT_EQ(infoKind(c.type), c.kind) << c.type;
}

// ---- connect texts ------------------------------------------------------------

TEST(ConnectText, ShortFormNamesTheDatabaseFile) {
  auto c = parseConnectText("C:\\data\\app.db");
  ASSERT_TRUE(c);
  EXPECT_TRUE(c->shortForm);
  EXPECT_EQ(c->databaseFile, "C:\\data\\app.db");
  EXPECT_EQ(driverConnectString(*c, "SQLite3", "/data/app.db"), "DRIVER={SQLite3};Database=/data/app.db");
}

TEST(ConnectText, EmptyTextIsTheDefaultDatabase) {
  for (const char* text : {"", "  ", ";"}) {
    auto c = parseConnectText(text);
    ASSERT_TRUE(c) << text;
    EXPECT_TRUE(c->shortForm);
    EXPECT_EQ(c->databaseFile, "");
  }
}

TEST(ConnectText, OdbcFormPassesThroughWithoutTheClientKeywords) {
  auto c = parseConnectText("DSN=sales;UID=me;rpadm = C:\\repo.db;PWD={a;b}}c}");
  ASSERT_TRUE(c);
  EXPECT_FALSE(c->shortForm);
  EXPECT_EQ(c->rpadmFile, "C:\\repo.db");
  EXPECT_EQ(driverConnectString(*c, "SQLite3", ""), "DSN=sales;UID=me;PWD={a;b}}c}");
}

TEST(ConnectText, ShortFormKeepsFurtherDriverItems) {
  auto c = parseConnectText("app.db; Timeout=2000 ;RPADM=repo.db");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->databaseFile, "app.db");
  EXPECT_EQ(c->rpadmFile, "repo.db");
  EXPECT_EQ(driverConnectString(*c, "SQLite3 ODBC Driver", "/x/app.db"),
            "DRIVER={SQLite3 ODBC Driver};Database=/x/app.db;Timeout=2000");
}

TEST(ConnectText, MalformedTextsAreRefused) {
  for (const char* text : {"DSN=x;garbage", "PWD={open", "app.db;RPADM=", "app.db;RPADM=  "})
    EXPECT_FALSE(parseConnectText(text)) << text;
  EXPECT_FALSE(parseConnectText(std::string(kMaxConnectText + 1, 'a')));
  EXPECT_TRUE(parseConnectText(std::string(kMaxConnectText, 'a')));
}

TEST(ConnectText, NonAsciiPathsBecomeSqliteUris) {
  EXPECT_EQ(sqliteDatabaseName("/data/my app.db"), "/data/my app.db");
  EXPECT_EQ(sqliteDatabaseName("/data/caf\xC3\xA9 1.db"), "file:/data/caf%C3%A9%201.db");
  EXPECT_EQ(sqliteDatabaseName("/a%b?c#d.db"), "file:/a%25b%3Fc%23d.db");
}

TEST(ConnectText, AttachStatementDoublesQuotes) {
  EXPECT_EQ(attachStatement("/tmp/o'neil.db"), "ATTACH DATABASE '/tmp/o''neil.db' AS RPADM");
}

// ---- catalogue commands: parsing ------------------------------------------------

TEST(CatalogCommand, ParsesTheTemplatesOfTheKeyQueries) {
  auto c = parseCatalogCommand("CATALOG COLUMN CREATOR = SYSADM, TBNAME = EMP SELECT COLNAME, COLTYPE");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->kind, CatalogKind::Column);
  EXPECT_EQ(c->creator, "SYSADM");
  EXPECT_EQ(c->table, "EMP");
  EXPECT_EQ(c->selectNames, (std::vector<std::string>{"COLNAME", "COLTYPE"}));

  c = parseCatalogCommand("CATALOG INDEX CREATOR = SYSADM, TBNAME = EMP, TYPE = U SELECT IXCREATOR, IXNAME");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->kind, CatalogKind::Index);
  EXPECT_TRUE(c->uniqueOnly);

  c = parseCatalogCommand("CATALOG KEY IXNAME = EMPX, TBNAME = EMP, CREATOR = SYSADM SELECT COLNAME");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->kind, CatalogKind::Key);
  EXPECT_EQ(c->index, "EMPX");
  EXPECT_EQ(c->creator, "SYSADM");

  c = parseCatalogCommand("CATALOG KEY IXNAME = EMPX, TBNAME = EMP SELECT COLNAME");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->creator, "");

  c = parseCatalogCommand("CATALOG INDEX TBNAME = EMP, TYPE = U SELECT IXCREATOR, IXNAME");
  ASSERT_TRUE(c);
  EXPECT_TRUE(c->uniqueOnly);
}

TEST(CatalogCommand, AcceptsQuotesCaseAndEmptyValues) {
  auto c = parseCatalogCommand("catalog column creator =, tbname=\"My Table\" select colname,colno");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->creator, "");
  EXPECT_EQ(c->table, "My Table");
  EXPECT_EQ(c->selectNames, (std::vector<std::string>{"COLNAME", "COLNO"}));
  c = parseCatalogCommand("CATALOG ROWID TBNAME = 'o''t' SELECT COLNAME");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->table, "o't");
  c = parseCatalogCommand("CATALOG COLUMN CREATOR = SELECT COLNAME");
  EXPECT_FALSE(c);  // no table
}

TEST(CatalogCommand, RefusesMalformedCommands) {
  const char* bad[] = {
      "CATALOG",
      "CATALOG TABLE TBNAME = T SELECT NAME",
      "CATALOG COLUMN TBNAME = T",
      "CATALOG COLUMN TBNAME = T SELECT",
      "CATALOG COLUMN TBNAME = T SELECT NOSUCH",
      "CATALOG COLUMN TBNAME = T SELECT COLNAME,",
      "CATALOG COLUMN TBNAME = T SELECT COLNAME COLTYPE",
      "CATALOG COLUMN TBNAME = T, TBNAME = U SELECT COLNAME",
      "CATALOG COLUMN IXNAME = I, TBNAME = T SELECT COLNAME",
      "CATALOG COLUMN TBNAME T SELECT COLNAME",
      "CATALOG COLUMN TBNAME = T X SELECT COLNAME",
      "CATALOG COLUMN TBNAME = 'T SELECT COLNAME",
      "CATALOG INDEX TBNAME = T, TYPE = Q SELECT IXNAME",
      "CATALOG KEY TBNAME = T SELECT COLNAME",
      "CATALOG KEY IXNAME = I SELECT COLNAME",
  };
  for (const char* sql : bad) EXPECT_FALSE(parseCatalogCommand(sql)) << sql;
  EXPECT_TRUE(isCatalogCommand("  catalog key"));
  EXPECT_FALSE(isCatalogCommand("SELECT * FROM CATALOG"));
}

// ---- catalogue commands: result rows ---------------------------------------------

namespace {

Value v(const char* s) { return s ? Value(s) : Value(); }

// Rows shaped like the ODBC catalogue result sets.
Row columnRow(const char* table, const char* name, const char* type, int position, bool nullable) {
  return {v(nullptr), v(nullptr), v(table), v(name), v("4"), v(type), v("10"), v("10"), v("0"), v("10"),
          v(nullable ? "1" : "0"), v(nullptr), v(nullptr), v("4"), v(nullptr), v(nullptr),
          Value(std::to_string(position)), v(nullable ? "YES" : "NO")};
}
Row statRow(const char* index, bool unique, int position, const char* column) {
  return {v(nullptr), v(nullptr), v("emp"), v(unique ? "0" : "1"), v(nullptr), v(index), v("3"),
          Value(std::to_string(position)), v(column), v("A"), v(nullptr), v(nullptr), v(nullptr)};
}
Row pkRow(const char* column, int seq) {
  return {v(nullptr), v(nullptr), v("emp"), v(column), Value(std::to_string(seq)), v(nullptr)};
}

std::vector<Row> run(const char* sql, const CatalogSources& s) {
  auto c = parseCatalogCommand(sql);
  EXPECT_TRUE(c) << sql;
  return c ? catalogResult(*c, s) : std::vector<Row>{};
}

} // namespace

TEST(CatalogResult, ColumnsCarryTypeNullsAndKeyPosition) {
  CatalogSources s;
  s.columns = {columnRow("emp", "id", "INTEGER", 1, true), columnRow("emp", "name", "varchar(30)", 2, false)};
  s.primaryKeys = {pkRow("ID", 1)};
  auto rows = run("CATALOG COLUMN TBNAME = emp SELECT COLNAME, COLTYPE, NULLS, KEYSEQ, COLNO", s);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (Row{v("id"), v("INTEGER"), v("Y"), v("1"), v("1")}));
  EXPECT_EQ(rows[1], (Row{v("name"), v("varchar(30)"), v("N"), v("0"), v("2")}));
}

TEST(CatalogResult, IndexesGroupTheirColumnsAndMarkThePrimaryKey) {
  CatalogSources s;
  s.statistics = {statRow("pkx", true, 1, "id"), statRow("bydept", false, 1, "dept"),
                  statRow("byname", true, 2, "dept"), statRow("byname", true, 1, "name")};
  s.primaryKeys = {pkRow("id", 1)};
  auto all = run("CATALOG INDEX TBNAME = emp SELECT IXNAME, UNIQUERULE, COLCOUNT", s);
  EXPECT_EQ(all, (std::vector<Row>{{v("pkx"), v("P"), v("1")}, {v("bydept"), v("D"), v("1")},
                                   {v("byname"), v("U"), v("2")}}));
  auto unique = run("CATALOG INDEX TBNAME = emp, TYPE = U SELECT IXNAME", s);
  EXPECT_EQ(unique, (std::vector<Row>{{v("pkx")}, {v("byname")}}));
}

TEST(CatalogResult, APrimaryKeyWithoutIndexIsListedAsPrimary) {
  CatalogSources s;
  s.statistics = {statRow("bydept", false, 1, "dept")};
  s.primaryKeys = {pkRow("sub", 2), pkRow("no", 1)};
  auto rows = run("CATALOG INDEX TBNAME = emp, TYPE = U SELECT IXNAME, UNIQUERULE, COLCOUNT", s);
  EXPECT_EQ(rows, (std::vector<Row>{{v("PRIMARY"), v("P"), v("2")}}));
  auto keys = run("CATALOG KEY IXNAME = primary, TBNAME = emp SELECT COLNAME, COLSEQ", s);
  EXPECT_EQ(keys, (std::vector<Row>{{v("no"), v("1")}, {v("sub"), v("2")}}));
}

TEST(CatalogResult, KeyColumnsComeInKeyOrder) {
  CatalogSources s;
  s.statistics = {statRow("byname", true, 2, "dept"), statRow("byname", true, 1, "name")};
  auto rows = run("CATALOG KEY IXNAME = BYNAME, TBNAME = emp SELECT COLNAME, COLSEQ, ORDERING", s);
  EXPECT_EQ(rows, (std::vector<Row>{{v("name"), v("1"), v("A")}, {v("dept"), v("2"), v("A")}}));
  EXPECT_TRUE(run("CATALOG KEY IXNAME = nosuch, TBNAME = emp SELECT COLNAME", s).empty());
}

TEST(CatalogResult, TableStatisticsRowsAreNoIndexes) {
  CatalogSources s;
  Row stat = statRow(nullptr, false, 0, nullptr);
  stat[6] = v("0");  // SQL_TABLE_STAT
  s.statistics = {stat, statRow("byname", true, 1, "name")};
  EXPECT_EQ(run("CATALOG INDEX TBNAME = emp SELECT IXNAME", s), (std::vector<Row>{{v("byname")}}));
}

TEST(CatalogResult, RowIdTellsPseudoColumns) {
  CatalogSources s;
  s.specialColumns = {{v("2"), v("_ROWID_"), v("4"), v("integer"), v("0"), v("10"), v("9"), v("2"), v("0")},
                      {v("2"), v("code"), v("12"), v("char(4)"), v("0"), v("4"), v("4"), v("1"), v("0")}};
  EXPECT_EQ(run("CATALOG ROWID TBNAME = t SELECT COLNAME, PSEUDO, COLTYPE", s),
            (std::vector<Row>{{v("_ROWID_"), v("Y"), v("integer")}, {v("code"), v("N"), v("char(4)")}}));
}

// ---- type information --------------------------------------------------------------

TEST(TypeInfo, RowsFillTheRecordAndNullsGetTheirDefaults) {
  Row row = {v("varchar"), v("12"), v("255"), v("'"), v("'"), v("length"), v("1"), v("0"), v("3"),
             v(nullptr), v("0"), v(nullptr), v(nullptr), v(nullptr), v(nullptr)};
  DbcTypeInfo t = typeInfoFromRow(row);
  EXPECT_STREQ(t.typeName, "varchar");
  EXPECT_EQ(t.dataType, 12);
  EXPECT_EQ(t.columnSize, 255);
  EXPECT_STREQ(t.literalPrefix, "'");
  EXPECT_STREQ(t.createParams, "length");
  EXPECT_EQ(t.nullable, 1);
  EXPECT_EQ(t.searchable, 3);
  EXPECT_EQ(t.unsignedAttribute, -1);
  EXPECT_EQ(t.autoUniqueValue, -1);
  EXPECT_STREQ(t.localTypeName, "");
  EXPECT_EQ(t.minimumScale, -1);
  EXPECT_EQ(t.maximumScale, -1);
}

TEST(TypeInfo, LongNamesAreCutToTheirFields) {
  Row row = {Value(std::string(200, 'x'))};
  DbcTypeInfo t = typeInfoFromRow(row);
  EXPECT_EQ(std::string(t.typeName), std::string(63, 'x'));
  EXPECT_EQ(t.nullable, 2);
}
