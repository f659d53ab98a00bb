// The exports over test cursors and brand types: detection, the queries and
// their failure values, reference counting, the string resources.
#include "binfile.h"
#include "core/brands.h"
#include "support.h"

#include <cstring>
#include <regex>

namespace {

using Exports = Cursors;

struct CursorCase {
  const char* serverType;
  const char* dbms;
  const char* driver;
  const char* version;
  int brand;
};

// Detection end to end through the client's information items.
TEST_F(Exports, RegisterCursorDetectsTheBrand) {
  const CursorCase cases[] = {
      {"1", nullptr, nullptr, nullptr, 1},
      {"99", nullptr, nullptr, nullptr, 2},
      {"28", nullptr, nullptr, nullptr, 28},
      {nullptr, nullptr, nullptr, nullptr, 0},  // the client cannot tell
      {"31", "SQL Server", "SQLSRV32.DLL", "06.50.0252", 73},
      {"31", "SQL Server", "SQLSRV32.DLL", "04.21.0000", 8},
      {"31", "dBase", "QEDBF.DLL", "IV", 51},
      {"31", "Paradox", "QEIDP.DLL", "5.00.0000", 70},
      {"31", "ACCESS", "ODBCJT32.DLL", "3.5", 66},
      {"31", "DB2 for MVS", "DB2CLIW.DLL", "", 75},
      {"31", "SQLite", "sqlite3odbc.so", "3.39.3", 31},
      {"31", nullptr, nullptr, nullptr, 31},
      {"77", nullptr, nullptr, nullptr, 77},
  };
  for (const auto& k : cases) {
    DbcCursor c = testCursor(k.serverType, k.dbms, k.driver, k.version);
    EXPECT_EQ(SrvCapRegisterCursor(c), k.brand) << (k.serverType ? k.serverType : "-") << " " << (k.driver ? k.driver : "");
    EXPECT_EQ(SrvCapFreeCursor(c), k.brand ? 1 : 0);
  }
}

TEST_F(Exports, QueriesOfAKnownBrand) {
  DbcCursor c = brandCursor(1);
  char text[50];
  EXPECT_EQ(SrvCapQueryServerStr(c, 12, text), 1) << "registered on first use";
  EXPECT_STREQ(text, "Veldra");
  EXPECT_EQ(SrvCapQueryServerStr(c, 1, text), 1);
  EXPECT_STREQ(text, "yyyy-MM-dd");
  EXPECT_EQ(SrvCapQueryServerStr(c, 22, text), 1);
  EXPECT_STREQ(text, "\"");
  EXPECT_EQ(SrvCapQueryServerBool(c, 1), 1);
  EXPECT_EQ(SrvCapQueryServerInt(c, 4), 13);
  EXPECT_EQ(SrvCapQuerySupportedServers(c), 1);
  char function[80];
  EXPECT_EQ(SrvCapQueryFunctionStr(c, 0, function), 1);
  EXPECT_STREQ(function, "AVG,0,6,1,0,0,1,4");
  EXPECT_EQ(SrvCapQueryFunctionStr(c, 1, function), 1);
  EXPECT_STREQ(function, "COUNT,0,6,1,0,0,1,5");
  EXPECT_EQ(SrvCapQueryFunctionStr(c, 77, function), 1);
  EXPECT_EQ(SrvCapQueryFunctionStr(c, 78, function), 0);
  EXPECT_STREQ(function, "");
  EXPECT_EQ(SrvCapQueryParmKeywordStr(c, 1, function), 1);
  EXPECT_STREQ(function, "SYSTIME,1,0,0");
  EXPECT_EQ(SrvCapQueryParmKeywordStr(c, 9, function), 0);
  EXPECT_EQ(SrvCapQueryParmKeywordStr(c, -1, function), 0);
  auto* first = static_cast<const ColTypeRecord*>(SrvCapQueryColTypeInfo(c));
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first->columnName, "INTEGER");
  EXPECT_EQ(SrvCapColTypeInfoForServerType(c, "INTEGER   "), first);
  EXPECT_EQ(SrvCapColTypeInfoForServerType(c, "integer"), first);
  EXPECT_EQ(SrvCapColTypeInfoForServerType(c, "NO SUCH TYPE"), nullptr);
  EXPECT_EQ(SrvCapColTypeInfoForServerType(c, nullptr), nullptr);
  EXPECT_EQ(SrvCapColTypeInfoForType(c, 6), first);
  auto* date = static_cast<const ColTypeRecord*>(SrvCapColTypeInfoForType(c, 4));
  ASSERT_NE(date, nullptr);
  EXPECT_STREQ(date->catalogType, "DATE");
  EXPECT_EQ(SrvCapColTypeInfoForType(c, 12345), nullptr);
  EXPECT_EQ(SrvCapQuerySQLParamList(c), nullptr) << "brand 1 has no parameter list";
}

TEST_F(Exports, IndexesOutsideTheirRanges) {
  DbcCursor c = brandCursor(8);
  char text[50] = "untouched";
  EXPECT_EQ(SrvCapQueryServerBool(c, 59), 0);
  EXPECT_EQ(SrvCapQueryServerBool(c, -1), 0);
  EXPECT_EQ(SrvCapQueryServerInt(c, 12), -1);
  EXPECT_EQ(SrvCapQueryServerInt(c, -1), -1);
  EXPECT_EQ(SrvCapQueryServerStr(c, 23, text), 0);
  EXPECT_EQ(SrvCapQueryServerStr(c, -1, text), 0);
  EXPECT_STREQ(text, "untouched");
  EXPECT_EQ(SrvCapQueryServerStr(c, 0, nullptr), 0);
  EXPECT_EQ(SrvCapQueryFunctionStr(c, 0, nullptr), 0);
  EXPECT_EQ(SrvCapQueryServerBool(c, 58), 0);
}

// Types without a record: empty slots and types beyond the table.
TEST_F(Exports, UnrecognisedBrands) {
  for (const char* type : {"12", "77", "149", "150", "4000"}) {
    DbcCursor c = testCursor(type);
    char text[80] = "untouched";
    EXPECT_EQ(SrvCapQueryServerBool(c, 1), -1) << type;
    EXPECT_EQ(SrvCapQueryServerInt(c, 1), -1);
    EXPECT_EQ(SrvCapQueryServerStr(c, 1, text), -1);
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(SrvCapQueryFunctionStr(c, 0, text), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(SrvCapQuerySupportedServers(c), 0);
    EXPECT_EQ(SrvCapQueryColTypeInfo(c), nullptr);
    EXPECT_EQ(SrvCapColTypeInfoForType(c, 6), nullptr);
  }
}

TEST_F(Exports, CursorsTheClientDoesNotKnow) {
  const unsigned stale = 0x7FFF1234;  // never handed out by the client
  EXPECT_EQ(SrvCapRegisterCursor(stale), 0);
  EXPECT_EQ(SrvCapQueryServerBool(stale, 1), -1);
  EXPECT_EQ(SrvCapQueryServerInt(stale, 1), -1);
  char text[50];
  EXPECT_EQ(SrvCapQueryServerStr(stale, 1, text), -1);
  EXPECT_EQ(SrvCapQuerySQLParamList(stale), nullptr);
  EXPECT_EQ(SrvCapFreeCursor(stale), 0) << "brand 0";
  EXPECT_EQ(SrvCapFreeCursor(stale), 0) << "nothing registered";
  EXPECT_EQ(SrvCapFreeCursor(0), 0);
}

TEST_F(Exports, GenericOdbcHasNoFunctionsOrKeywords) {
  DbcCursor c = testCursor("31", "Nobody", "NOBODY.DLL", "1.0");
  char text[80] = "x";
  EXPECT_EQ(SrvCapQueryFunctionStr(c, 0, text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(SrvCapQueryParmKeywordStr(c, 0, text), 0);
  EXPECT_EQ(SrvCapQueryServerStr(c, 12, text), 1);
}

TEST_F(Exports, SqlParameterListsByBrand) {
  auto* mss = static_cast<const unsigned char*>(SrvCapQuerySQLParamList(brandCursor(8)));
  ASSERT_NE(mss, nullptr);
  EXPECT_EQ(*reinterpret_cast<const unsigned short*>(mss), 5103);
  EXPECT_STREQ(reinterpret_cast<const char*>(mss + 2), "MapZRTCursors");
  EXPECT_EQ(*reinterpret_cast<const int*>(mss + 254), 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(mss + 528 + 2), "SybAutoCommit");
  auto* syb = static_cast<const unsigned char*>(SrvCapQuerySQLParamList(brandCursor(32)));
  EXPECT_EQ(syb, mss + 528);
  EXPECT_EQ(SrvCapQueryServerInt(brandCursor(32), 6), 3);
  auto* type77 = static_cast<const unsigned char*>(SrvCapQuerySQLParamList(brandCursor(77)));
  ASSERT_NE(type77, nullptr);
  EXPECT_EQ(*reinterpret_cast<const unsigned short*>(type77), 3006);
}

TEST_F(Exports, SystemTables) {
  char buffer[512];
  int count = 0;
  EXPECT_EQ(SrvCapQuerySystemTables(buffer, &count), buffer);
  EXPECT_EQ(count, 14);
  EXPECT_STREQ(buffer,
               "('%TABLES','%COLUMNS','%COLAUTH','%TABAUTH','%INDEXES','%COMMANDS','%KEYS','%ROWIDLISTS',"
               "'%SYNONYMS','%USERAUTH','%VIEWS', '%TABCONSTRAINTS','%FKCONSTRAINTS','%PKCONSTRAINTS')");
  EXPECT_EQ(SrvCapQuerySystemTables(nullptr, &count), nullptr);
  EXPECT_EQ(SrvCapQuerySystemTables(buffer, nullptr), buffer);
}

TEST_F(Exports, BrandQueriesAnswerOnlyWhileRegistered) {
  EXPECT_EQ(SrvCapBQueryServerBool(5, 1), -2);
  ASSERT_EQ(SrvCapBRegister(5), 1);
  EXPECT_EQ(SrvCapBQueryServerBool(5, 1), 1);
  EXPECT_EQ(SrvCapBQueryServerBool(5, 59), -1);
  EXPECT_EQ(SrvCapBQueryServerBool(150, 1), -1);
  EXPECT_EQ(SrvCapBQueryServerBool(0, 1), -1);
  EXPECT_EQ(SrvCapBQueryServerInt(5, 8), 32511);
  EXPECT_EQ(SrvCapBQueryServerInt(5, 12), -1);
  EXPECT_EQ(SrvCapBQueryServerInt(6, 0), -2);
  char text[50];
  EXPECT_EQ(SrvCapBQueryServerStr(5, 8, text), 1);
  EXPECT_STREQ(text, "zrt");
  EXPECT_EQ(SrvCapBQueryServerStr(5, 23, text), -1);
  EXPECT_EQ(SrvCapBQueryServerStr(5, 1, nullptr), -1);
  EXPECT_EQ(SrvCapBQueryServerStr(6, 8, text), -2);
  EXPECT_EQ(SrvCapBFree(5), 1);
  EXPECT_EQ(SrvCapBQueryServerBool(5, 1), -2);
  EXPECT_EQ(SrvCapBFree(5), 0);
}

TEST_F(Exports, BrandRegistrationRefusals) {
  for (int type : {31, 0, -1, 150, 11, 77, 149}) {
    EXPECT_EQ(SrvCapBRegister(type), 0) << type;
    EXPECT_EQ(SrvCapBFree(type), 0) << type;
  }
}

TEST_F(Exports, ColumnTypeRecordsByBrand) {
  ASSERT_EQ(SrvCapBRegister(8), 1);
  unsigned char out[186 + 8];
  std::memset(out, 0xAB, sizeof out);
  auto* record = reinterpret_cast<ColTypeRecord*>(out);
  EXPECT_EQ(SrvCapBColTypeInfoForType(8, 6, record), 1);
  EXPECT_STREQ(record->columnName, "int");
  for (size_t i = 186; i < sizeof out; ++i) EXPECT_EQ(out[i], 0xAB) << "written beyond 186 bytes";
  EXPECT_EQ(SrvCapBColTypeInfoForServerType(8, "VARCHAR ", record), 1);
  EXPECT_STREQ(record->columnName, "varchar");
  EXPECT_EQ(record->precision, 1);
  EXPECT_EQ(SrvCapBColTypeInfoForIndex(8, 16, record), 1);
  EXPECT_STREQ(record->columnName, "sysname");
  EXPECT_EQ(SrvCapBColTypeInfoForIndex(8, 17, record), 0);
  EXPECT_EQ(SrvCapBColTypeInfoForIndex(8, -1, record), 0);
  EXPECT_EQ(SrvCapBColTypeInfoForIndex(8, 0, nullptr), 0);
  EXPECT_EQ(SrvCapBColTypeInfoForType(8, 999, record), 0);
  EXPECT_EQ(SrvCapBColTypeInfoForServerType(8, nullptr, record), 0);
  auto* first = static_cast<const ColTypeRecord*>(SrvCapBQueryColTypeInfo(8));
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first->catalogType, "int");
  EXPECT_EQ(SrvCapBFree(8), 1);
  EXPECT_EQ(SrvCapBQueryColTypeInfo(8), nullptr);
  EXPECT_EQ(SrvCapBColTypeInfoForIndex(8, 0, record), 0);
}

TEST_F(Exports, CatalogColumnTypeRegistersOnDemand) {
  char out[40 + 8];
  std::memset(out, 0x5A, sizeof out);
  EXPECT_EQ(SrvCapBCatalogColumnType(4, "varchar2", out), 1);
  EXPECT_STREQ(out, "VARCHAR2");
  for (size_t i = 40; i < sizeof out; ++i) EXPECT_EQ(out[i], 0x5A);
  EXPECT_EQ(SrvCapBQueryServerBool(4, 1), -2) << "the look-up does not keep the brand";
  EXPECT_EQ(SrvCapBCatalogColumnType(4, "nothing", out), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(SrvCapBCatalogColumnType(31, "INTEGER", out), 0);
  EXPECT_EQ(SrvCapBCatalogColumnType(4, nullptr, out), 0);
  EXPECT_EQ(SrvCapBCatalogColumnType(4, "DATE", nullptr), 0);
}

TEST_F(Exports, BufferLimits) {
  DbcCursor c = brandCursor(4);
  char text[50 + 8];
  std::memset(text, 0x33, sizeof text);
  ASSERT_EQ(SrvCapQueryServerStr(c, 0, text), 1);
  EXPECT_STREQ(text, "TO_DATE('%s','MON DD YYYY hh24.mi.ss')");
  for (size_t i = 50; i < sizeof text; ++i) EXPECT_EQ(text[i], 0x33);
  char function[80 + 8];
  std::memset(function, 0x33, sizeof function);
  for (int i = 0; SrvCapQueryFunctionStr(c, i, function) == 1; ++i)
    for (size_t j = 80; j < sizeof function; ++j) ASSERT_EQ(function[j], 0x33);
}

TEST_F(Exports, ReferenceCounting) {
  DbcCursor a = brandCursor(9), b = brandCursor(9);
  EXPECT_EQ(SrvCapRegisterCursor(a), 9);
  EXPECT_EQ(SrvCapRegisterCursor(b), 9);
  EXPECT_EQ(SrvCapBQueryServerInt(9, 0), 30) << "a cursor's brand answers by type too";
  EXPECT_EQ(SrvCapFreeCursor(a), 1);
  EXPECT_EQ(SrvCapBQueryServerInt(9, 0), 30) << "two registrations need two releases";
  EXPECT_EQ(SrvCapFreeCursor(b), 1);
  EXPECT_EQ(SrvCapBQueryServerInt(9, 0), -2);
  EXPECT_EQ(SrvCapFreeCursor(b), 0);

  EXPECT_EQ(SrvCapRegisterCursor(a), 9);
  EXPECT_EQ(SrvCapBRegister(9), 1);
  EXPECT_EQ(SrvCapFreeCursor(a), 1);
  EXPECT_EQ(SrvCapBQueryServerInt(9, 0), 30);
  EXPECT_EQ(SrvCapBFree(9), 1);
  EXPECT_EQ(SrvCapBQueryServerInt(9, 0), -2);
}

// A cursor holds one reference however often it is registered: one release
// lets the brand go, and no reference is left behind.
TEST_F(Exports, RegisteringOneCursorTwiceKeepsOneEntry) {
  DbcCursor c = brandCursor(10);
  EXPECT_EQ(SrvCapRegisterCursor(c), 10);
  EXPECT_EQ(SrvCapRegisterCursor(c), 10);
  EXPECT_EQ(SrvCapQueryServerInt(c, 0), 20);
  EXPECT_EQ(SrvCapFreeCursor(c), 1);
  EXPECT_EQ(SrvCapBQueryServerInt(10, 0), -2);
  EXPECT_EQ(SrvCapFreeCursor(c), 0);
}

// A cursor whose brand was released by type is registered again when used.
TEST_F(Exports, ACursorOutlivingItsBrandRegistersAgain) {
  DbcCursor c = brandCursor(15);
  EXPECT_EQ(SrvCapRegisterCursor(c), 15);
  EXPECT_EQ(SrvCapBFree(15), 1);
  EXPECT_EQ(SrvCapQueryServerInt(c, 0), 24);
  EXPECT_EQ(SrvCapFreeCursor(c), 1);
  EXPECT_EQ(SrvCapBQueryServerInt(15, 0), -2);
}

TEST_F(Exports, EnumBrandsGivesTabLedLists) {
  std::vector<char> types(4096, 'x'), names(4096, 'x');
  ASSERT_EQ(SrvCapBEnumBrands(types.data(), names.data()), 1);
  EXPECT_STREQ(types.data(),
               "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t15\t20\t24\t28\t32\t33\t34\t35\t36\t37\t38\t51\t52\t53\t54\t55\t56"
               "\t57\t58\t59\t60\t61\t62\t63\t64\t65\t66\t67\t68\t69\t70\t71\t72\t73\t74\t75\t76");
  EXPECT_STREQ(names.data(),
               "\tVeldra\tDB2\tExtended Edition\tOracle\tInformix SE\tNetware SQL\tIBM AS400\tSQL Server\tTeradata"
               "\tHP Allbase\tIngres\tSUPRA\tInformix OL\tOracle7\tSystem 10\tInformix SE 6.0\tInformix OL 6.0"
               "\tInformix SE 6.0 NLS\tInformix OL 6.0 NLS\tInformix SE 7.1\tInformix OL 7.1\tODBC Q+E dBase"
               "\tODBC MS dBase\tODBC Q+E Paradox4\tODBC DEC Rdb\tODBC Q+E MDI\tODBC Tandem\tODBC Q+E Btrieve"
               "\tODBC MS Access 1.0\tShowcase AS400\tODBC Q+E Paradox3\tODBC Q+E Clipper\tODBC Q+E dBase III"
               "\tODBC Q+E FoxPro\tIBM CAE DB2\tODBC MS FoxPro\tODBC MS Access 2.0\tWallData AS400\tODBC Q+E Paradox4"
               "\tQ+E IDP Paradox 4\tODBC Q+E IDP Paradox 5\tODBC Cincom SUPRA\tODBC Q+E dBase V\tSQL Server 6.0"
               "\tODBC Q+E FoxBASE\tIBM CAE DB2\tDB/2 400 SQL");
  EXPECT_EQ(SrvCapBQueryServerBool(1, 0), -2) << "enumeration leaves no brand registered";
  EXPECT_EQ(SrvCapBEnumBrands(nullptr, names.data()), 0);
}

// The string resources: every id range a brand uses exists and is well formed.
class Resources : public ::testing::Test {
protected:
  void SetUp() override {
    module_ = LoadLibraryExA((testsupport::binDir() + "dbcaps.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }
  std::string text(int id) {
    char buffer[512] = "";
    int n = LoadStringA(module_, UINT(id), buffer, sizeof buffer);
    return std::string(buffer, size_t(n));
  }
  HMODULE module_ = nullptr;
};

TEST_F(Resources, NamesOfFlagsNumbersAndStrings) {
  for (int id = 8000; id <= 8057; ++id) EXPECT_FALSE(text(id).empty()) << id;
  EXPECT_TRUE(text(8058).empty()) << "flag 58 has no name resource";
  for (int id = 8100; id <= 8111; ++id) EXPECT_FALSE(text(id).empty()) << id;
  for (int id = 8200; id <= 8222; ++id) EXPECT_FALSE(text(id).empty()) << id;
  EXPECT_EQ(text(8001), "Outer Join");
  EXPECT_EQ(text(8057), "Describe Mode");
  EXPECT_EQ(text(8104), "Number Of Column Types");
  EXPECT_EQ(text(8222), "Identifier Quote Character");
  for (int item = 5500; item <= 5614; ++item) {
    bool excluded = (item >= 5503 && item <= 5505) || item == 5530 || item == 5576;
    EXPECT_EQ(text(2800 + item).empty(), excluded) << item;
  }
  EXPECT_EQ(text(2800 + 5518), "SQL_DBMS_VER");
}

TEST_F(Resources, EveryBrandsStringsFunctionsAndKeywords) {
  const std::regex function(R"(^[A-Za-z_@][A-Za-z0-9_ ]*(,-?\d+){7}$)");
  const std::regex keyword(R"(^[^,]+(,\d+){3}$)");
  for (const dbcaps::BrandRecord& b : dbcaps::brandTable()) {
    for (int i = 0; i < 23; ++i) EXPECT_LT(text(b.stringBase + i).size(), 50u) << b.type << " string " << i;
    EXPECT_FALSE(text(b.stringBase + 12).empty()) << b.type;
    EXPECT_TRUE(std::regex_match(text(b.stringBase + 11), std::regex(R"(^\d\.\d\.[0-9A]+;9\.9\.9$)"))) << b.type;
    for (int i = 0; i < b.functionCount; ++i) {
      std::string s = text(b.functionBase + i);
      EXPECT_LT(s.size(), 80u);
      EXPECT_TRUE(std::regex_match(s, function)) << b.type << " function " << i << ": " << s;
    }
    for (int i = 0; i < b.keywordCount; ++i) {
      std::string s = text(b.keywordBase + i);
      EXPECT_LT(s.size(), 80u);
      EXPECT_TRUE(std::regex_match(s, keyword)) << b.type << " keyword " << i << ": " << s;
    }
  }
  EXPECT_EQ(text(9000 + 7), "SYSSQL");
  EXPECT_EQ(text(9350 + 9), "%s.%s %s* %s.%s");
  EXPECT_EQ(text(9250 + 8), "ZRT");
  EXPECT_EQ(text(9800 + 13), "{d '%s'}");
  EXPECT_EQ(text(9800 + 22), "`");
}

} // namespace
