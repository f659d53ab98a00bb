// The pure core: the shape of the compiled-in data, the detection rules and
// the profile rules.
#include "core/brands.h"
#include "core/detect.h"
#include "core/profile.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <map>
#include <set>
#include <string>

using namespace dbcaps;

namespace {

Capabilities rowOf(int type) {
  Capabilities caps{};
  const BrandRecord* b = findBrand(type);
  EXPECT_NE(b, nullptr) << type;
  if (b) {
    EXPECT_TRUE(loadCapabilityRow(b->row, caps));
  }
  return caps;
}

std::string firstColumnName(int type) {
  int length = 0;
  const ColumnType* t = builtInColumnTypes(type, &length);
  return t && length ? std::string(t[0].columnName) : std::string();
}

} // namespace

TEST(Data, BrandTableHasEveryDefinedTypeInOrderAndNothingElse) {
  auto brands = brandTable();
  EXPECT_EQ(brands.size(), 48u);
  std::set<int> rows;
  int previous = 0;
  for (const BrandRecord& b : brands) {
    EXPECT_GT(b.type, previous);
    previous = b.type;
    EXPECT_GE(b.row, 1);
    EXPECT_LE(b.row, capabilityRowCount());
    rows.insert(b.row);
    EXPECT_EQ(findBrand(b.type), &b);
  }
  EXPECT_EQ(rows.size(), 48u) << "every row belongs to one brand";
  for (int empty : {0, 11, 12, 13, 14, 16, 19, 21, 25, 29, 30, 39, 50, 77, 149, 150, -1}) EXPECT_EQ(findBrand(empty), nullptr) << empty;
}

TEST(Data, EveryRowIsFiftyNineFlagsAndTwelveNumbers) {
  EXPECT_EQ(capabilityRowCount(), 48);
  Capabilities caps{};
  EXPECT_FALSE(loadCapabilityRow(0, caps));
  EXPECT_FALSE(loadCapabilityRow(49, caps));
  for (int row = 1; row <= 48; ++row) {
    ASSERT_TRUE(loadCapabilityRow(row, caps));
    for (int f : caps.flags) EXPECT_TRUE(f == 0 || f == 1) << "row " << row;
  }
  // Spot checks against the published rows: first and last flag, a number.
  Capabilities veldra = rowOf(1);
  EXPECT_EQ(veldra.flags[0], 0);
  EXPECT_EQ(veldra.flags[1], 1);
  EXPECT_EQ(veldra.numbers[3], 133);
  EXPECT_EQ(rowOf(32).flags[58], 1);
  EXPECT_EQ(rowOf(32).numbers[4], 25);
  EXPECT_EQ(rowOf(76).numbers[8], 32735);
}

TEST(Data, EveryColumnTypeTableHoldsItsBrandsCount) {
  for (const BrandRecord& b : brandTable()) {
    int length = 0;
    const ColumnType* table = builtInColumnTypes(b.type, &length);
    ASSERT_NE(table, nullptr) << b.type;
    Capabilities caps = rowOf(b.type);
    EXPECT_GE(length, caps.numbers[kNumColumnTypes]) << "brand " << b.type;
    for (int i = 0; i < length; ++i) {
      const ColumnType& r = table[i];
      EXPECT_NE(std::memchr(r.columnName, 0, sizeof r.columnName), nullptr);
      EXPECT_NE(std::memchr(r.catalogType, 0, sizeof r.catalogType), nullptr);
      EXPECT_NE(std::memchr(r.createStatement, 0, sizeof r.createStatement), nullptr);
      EXPECT_NE(std::memchr(r.longDescriptor, 0, sizeof r.longDescriptor), nullptr);
      EXPECT_GT(std::strlen(r.columnName), 0u) << "brand " << b.type << " record " << i;
      EXPECT_GE(r.hostType, kHostString);
      EXPECT_LE(r.hostType, kHostBoolean);
      EXPECT_TRUE(r.precision == kNotAllowed || r.precision == kRequired || r.precision == kOptional);
    }
  }
}

TEST(Data, BrandsOfOneFamilyShareOneTable) {
  for (auto group : std::initializer_list<std::initializer_list<int>>{{5, 33, 37}, {24, 34, 38}, {59, 67}, {61, 62}, {20, 71}}) {
    const ColumnType* first = builtInColumnTypes(*group.begin(), nullptr);
    for (int type : group) EXPECT_EQ(builtInColumnTypes(type, nullptr), first) << type;
  }
  EXPECT_NE(builtInColumnTypes(5, nullptr), builtInColumnTypes(24, nullptr));
  EXPECT_NE(builtInColumnTypes(35, nullptr), builtInColumnTypes(5, nullptr));
}

TEST(Data, FirstColumnTypeOfEachFamily) {
  const std::map<int, std::string> first = {
      {1, "INTEGER"}, {2, "INTEGER"}, {4, "INTEGER"}, {8, "int"},      {73, "int"},   {32, "int"},
      {20, "FIXED"},  {71, "FIXED"},  {51, "CHAR"},   {53, "ALPHANUMERIC"}, {60, "ALPHANUMERIC"},
      {58, "TEXT"},   {66, "TEXT"},   {69, "ALPHA"},  {70, "ALPHA"},   {31, "INTEGER"}};
  for (const auto& [type, name] : first) EXPECT_EQ(firstColumnName(type), name) << type;
}

TEST(Data, SqlParameterListsHoldWhatTheirBrandsAllow) {
  EXPECT_EQ(offsetof(SqlParam, defaultValue), 254u);
  for (const BrandRecord& b : brandTable()) {
    int length = 0;
    if (!sqlParamList(b.type, &length)) continue;
    EXPECT_GE(length, rowOf(b.type).numbers[kNumOptionalParms]) << b.type;
  }
  int length = 0;
  const SqlParam* mss = sqlParamList(8, &length);
  ASSERT_NE(mss, nullptr);
  ASSERT_EQ(length, 5);
  EXPECT_STREQ(mss[0].name, "MapZRTCursors");
  EXPECT_EQ(mss[0].code, 5103);
  EXPECT_EQ(mss[0].defaultValue, 1);
  EXPECT_STREQ(mss[3].name, "LockTimeout");
  EXPECT_EQ(mss[3].defaultValue, 60);
  EXPECT_EQ(mss[4].defaultValue, 10);
  EXPECT_EQ(sqlParamList(32, nullptr), mss + 1) << "System 10 starts at SybAutoCommit";
  for (int type : {2, 54, 64, 66, 77}) {
    const SqlParam* list = sqlParamList(type, &length);
    ASSERT_NE(list, nullptr) << type;
    EXPECT_EQ(list[0].code, 3006) << type;
    EXPECT_STREQ(list[0].name, "AutoCommit");
  }
  EXPECT_EQ(sqlParamList(1, &length), nullptr);
  EXPECT_EQ(length, 0);
}

TEST(Data, SystemTables) {
  EXPECT_EQ(kSystemTableCount, 14);
  std::string text = systemTables();
  EXPECT_EQ(text.front(), '(');
  EXPECT_EQ(text.back(), ')');
  int quotes = 0;
  for (char c : text) quotes += c == '\'';
  EXPECT_EQ(quotes, 2 * 14);
}

struct Detection {
  const char* dbms;
  const char* driver;
  const char* version;
  int brand;
};

// One case per rule and per branch of a rule, in rule order.
TEST(Detection, OdbcRulesFirstMatchWins) {
  const Detection cases[] = {
      {"dBase", "QEDBF09.DLL", "IV 2.0", 51},        {"dBase", "QXDBF.DLL", "III+", 62},
      {"dBase", "IVDBF.DLL", "CLIPPER 5", 61},       {"dBase", "QEDBF.DLL", "FOXPRO 2", 63},
      {"DBASE III", "QEDBF.DLL", "", 62},            {"dbase iv", "QEDBF.DLL", "", 51},
      {"dBASE V", "QXDBF.DLL", "", 72},              {"CLIPPER", "QEDBF.DLL", "", 61},
      {"foxbase", "QEDBF.DLL", "", 74},              {"FoxPro", "QEDBF.DLL", "", 63},
      {"FOXPRO", "QEDBF.DLL", "", 31},               // "FoxPro" is compared exactly
      {"dBase", "QEDBF.DLL", "V", 31},               // no dBase version rule matches
      {"Paradox", "QEIDP.DLL", "3.50.0000", 68},     {"Paradox", "QXIDP.DLL", "4.00.0000", 69},
      {"Paradox", "QEIDP.DLL", "5.00.0000", 70},     {"Paradox", "QEIDP.DLL", "7.0", 68},
      {"DBASE4", "SIMBA.DLL", "", 52},               {"FoxPro 2.5", "SIMBA.DLL", "", 65},
      {"ACCESS", "SIMBA.DLL", "", 58},               {"Paradox", "QEPDX.DLL", "4.00", 53},
      {"Paradox", "QXPDX.DLL", "3.5", 60},           {"Rdb", "sqrdb.dll", "", 54},
      {"DB2", "QEMDI.DLL", "", 55},                  {"SQL/400", "EHNODBC.DLL", "", 7},
      {"DB2/400 SQL", "EHNODBC3.DLL", "", 76},       {"OS/400", "SCODBC.DLL", "", 59},
      {"anything", "WDODBC.DLL", "", 67},            {"x", "ALLBASE.DLL", "", 10},
      {"x", "QEHP.DLL", "", 10},                     {"x", "VSIFMX5.DLL", "", 24},
      {"x", "VSORAC7.DLL", "", 28},                  {"x", "VSSYB.DLL", "", 32},
      {"x", "SUP2ODBC.DLL", "", 71},                 {"Oracle7", "SQORA7.DLL", "", 28},
      {"Oracle", "SQORA7.DLL", "", 31},              {"DB2/6000", "DB2CLIW.DLL", "", 64},
      {"DB2/2", "DB2CLIW.DLL", "", 64},              {"DB2 for MVS", "DB2CLIW.DLL", "", 75},
      {"x", "QEING.DLL", "", 15},                    {"Ingres", "SQING.DLL", "", 15},
      {"x", "SQING.DLL", "", 31},                    {"Tandem NonStop SQL", "TDMSRVR.DLL", "", 56},
      {"x", "QEBTR.DLL", "", 57},                    {"x", "QXBTR.DLL", "", 57},
      {"Teradata", "TDATA.DLL", "", 9},              {"x", "QESS.DLL", "", 32},
      {"SQL Server", "SQLSRV32.DLL", "06.50.0252", 73}, {"SQL Server", "SQLSRV32.DLL", "04.21", 8},
      {"SQL Server", "SQLSRVR.DLL", "04.21", 8},     {"SQL Server", "sqlsrv32.dll", "06.50", 31},
      {"ACCESS", "ODBCJT32.DLL", "", 66},            {"DBASE", "ODBCJT32.DLL", "4.0", 52},
      {"DBASE", "ODBCJT16.DLL", "5.0", 52},          {"DBASE", "ODBCJT32.DLL", "3.0", 31},
      {"SQLite", "sqlite3odbc.so", "3.39.3", 31},    {"PostgreSQL", "psqlodbcw.so", "16.0", 31},
      {"", "", "", 31},
  };
  for (const auto& c : cases)
    EXPECT_EQ(brandFromOdbc(c.dbms, c.driver, c.version), c.brand) << c.dbms << " / " << c.driver << " / " << c.version;
}

TEST(Detection, ServerTypeAnswers) {
  EXPECT_EQ(brandFromServerType(std::nullopt), 0);
  EXPECT_EQ(brandFromServerType("99"), 2);
  EXPECT_EQ(brandFromServerType("31"), std::nullopt);
  EXPECT_EQ(brandFromServerType("4"), 4);
  EXPECT_EQ(brandFromServerType("77"), 77);
  EXPECT_EQ(brandFromServerType("150"), 150);
  EXPECT_EQ(brandFromServerType(""), 0);
  EXPECT_EQ(brandFromServerType("0"), 0);
  EXPECT_EQ(brandFromServerType("-4"), 0);
  EXPECT_EQ(brandFromServerType("abc"), 0);
  EXPECT_EQ(brandFromServerType("99999999999999"), 0);
}

TEST(Profile, SectionNames) {
  EXPECT_EQ(serverSectionName("SQL Server", "06.50.0252 build 7", "SQLSRV32.DLL"), "SQL Server 06.50.0252 SQLSRV32");
  EXPECT_EQ(serverSectionName("SQLite", "3.39.3", "sqlite3odbc.so"), "SQLite 3.39.3 sqlite3odbc");
  EXPECT_EQ(serverSectionName("", "", ""), "  ");
  EXPECT_EQ(columnTypeSectionName(3, "SQLite 3.39.3 sqlite3odbc"), "Column Type(3) Info - SQLite 3.39.3 sqlite3odbc");
}

namespace {

KeyNames sampleNames() {
  KeyNames n;
  n.flags[1] = "Outer Join";
  n.flags[58] = kFlag58Key;
  n.numbers[0] = "Table Name Length";
  n.numbers[4] = "Number Of Column Types";
  n.strings[22] = "Identifier Quote Character";
  return n;
}

} // namespace

TEST(Profile, OverridesByNameIgnoringCase) {
  KeyNames names = sampleNames();
  Capabilities caps{};
  caps.flags[1] = 1;
  EXPECT_EQ(applyOverride(caps, names, "outer JOIN", "FALSE"), Override::Applied);
  EXPECT_EQ(caps.flags[1], 0);
  EXPECT_EQ(applyOverride(caps, names, "Outer Join", "true"), Override::Applied);
  EXPECT_EQ(caps.flags[1], 1);
  EXPECT_EQ(applyOverride(caps, names, "Outer Join", "yes"), Override::Applied);
  EXPECT_EQ(caps.flags[1], 0) << "only TRUE is true";
  EXPECT_EQ(applyOverride(caps, names, "capability flag 58", "TRUE"), Override::Applied);
  EXPECT_EQ(caps.flags[58], 1);
  EXPECT_EQ(applyOverride(caps, names, "TABLE NAME LENGTH", "64"), Override::Applied);
  EXPECT_EQ(caps.numbers[0], 64);
  EXPECT_EQ(applyOverride(caps, names, "Identifier Quote Character", "["), Override::Applied);
  EXPECT_STREQ(caps.strings[22], "[");
  EXPECT_EQ(applyOverride(caps, names, "Number of Functions", "3"), Override::UnknownKey);
  EXPECT_EQ(applyOverride(caps, names, "", "3"), Override::UnknownKey);
}

TEST(Profile, AStringHoldsFortyNineCharacters) {
  KeyNames names = sampleNames();
  Capabilities caps{};
  std::string fits(49, 'x'), tooLong(50, 'y');
  EXPECT_EQ(applyOverride(caps, names, "Identifier Quote Character", fits), Override::Applied);
  EXPECT_EQ(std::string(caps.strings[22]), fits);
  EXPECT_EQ(applyOverride(caps, names, "Identifier Quote Character", tooLong), Override::TooLong);
  EXPECT_EQ(std::string(caps.strings[22]), fits) << "a refused value changes nothing";
}

TEST(Profile, Decimals) {
  EXPECT_EQ(parseDecimal("42"), 42);
  EXPECT_EQ(parseDecimal(" -12abc"), -12);
  EXPECT_EQ(parseDecimal("abc"), 0);
  EXPECT_EQ(parseDecimal(""), 0);
  EXPECT_EQ(parseDecimal("99999999999999999999"), 2147483647);
  EXPECT_EQ(parseDecimal("-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(boundedColumnTypeCount(-5), 0);
  EXPECT_EQ(boundedColumnTypeCount(17), 17);
  EXPECT_EQ(boundedColumnTypeCount(2000000000), kMaxColumnTypes);
}

TEST(Profile, ColumnFieldsRoundTrip) {
  int length = 0;
  const ColumnType* table = builtInColumnTypes(8, &length);
  ASSERT_GT(length, 0);
  for (int i = 0; i < length; ++i) {
    ColumnType copy{};
    for (int f = 0; f < kColumnFieldCount; ++f) setColumnField(copy, f, columnFieldText(table[i], f));
    EXPECT_EQ(std::memcmp(&copy, &table[i], sizeof copy), 0) << table[i].columnName;
  }
  ColumnType r{};
  setColumnField(r, 0, std::string(100, 'n'));
  EXPECT_EQ(std::strlen(r.columnName), 39u);
  setColumnField(r, 10, std::string(100, 'd'));
  EXPECT_EQ(std::strlen(r.longDescriptor), 19u);
  setColumnField(r, 5, "opt");
  EXPECT_EQ(r.precision, kOptional);
  setColumnField(r, 9, "TRUE");
  EXPECT_EQ(r.nullable, 1);
  setColumnField(r, 99, "ignored");
}

TEST(Profile, CatalogTypeMatching) {
  ColumnType r{};
  std::strcpy(r.catalogType, "INTEGER");
  std::strcpy(r.columnName, "Integer");
  EXPECT_TRUE(catalogTypeMatches(r, "INTEGER   "));
  EXPECT_TRUE(catalogTypeMatches(r, "integer"));
  EXPECT_FALSE(catalogTypeMatches(r, " INTEGER"));
  EXPECT_FALSE(catalogTypeMatches(r, "INT"));
  EXPECT_TRUE(columnNameMatches(r, "INTEGER"));
  EXPECT_FALSE(columnNameMatches(r, "INTEGER "));
}

TEST(Profile, DumpPassword) {
  EXPECT_TRUE(isDumpPassword("Servcap Core 1462"));
  EXPECT_FALSE(isDumpPassword("servcap core 1462"));
  EXPECT_FALSE(isDumpPassword(""));
  EXPECT_FALSE(isDumpPassword("Servcap Core 1462 "));
}

TEST(Profile, ColumnTypeFromDriverTypeInformation) {
  ColumnType vc = columnTypeFromDriver({"varchar", 12, 255, "max length", 1, 3, -1});
  EXPECT_STREQ(vc.columnName, "varchar");
  EXPECT_STREQ(vc.catalogType, "varchar");
  EXPECT_STREQ(vc.createStatement, "varchar(%d)");
  EXPECT_EQ(vc.hostType, kHostString);
  EXPECT_EQ(vc.maxPrecision, 255);
  EXPECT_EQ(vc.precision, kRequired);
  EXPECT_EQ(vc.scale, kNotAllowed);
  EXPECT_EQ(vc.nullable, 1);
  EXPECT_EQ(vc.uniqueIndex, 1);
  ColumnType dec = columnTypeFromDriver({"numeric", 2, 38, "precision,scale", 0, 2, 38});
  EXPECT_STREQ(dec.createStatement, "numeric(%d,%d)");
  EXPECT_EQ(dec.scale, kOptional);
  EXPECT_EQ(dec.maxScale, 38);
  EXPECT_EQ(dec.nullable, 0);
  ColumnType text = columnTypeFromDriver({"text", -1, 65536, "", 1, 1, -1});
  EXPECT_EQ(text.hostType, kHostLongString);
  EXPECT_STREQ(text.longDescriptor, "text");
  EXPECT_EQ(text.uniqueIndex, 0);
  EXPECT_EQ(columnTypeFromDriver({"timestamp", 93, 0, "", 1, 3, -1}).hostType, kHostDateTime);
  EXPECT_EQ(columnTypeFromDriver({std::string(80, 'z'), 4, 10, "", 1, 3, -1}).columnName[39], '\0');
}

TEST(Profile, GenericOdbcDefaultsFollowTheDriver) {
  Capabilities generic = rowOf(31);
  std::map<int, std::string> answers = {{5538, "Y"}, {5588, "2"}, {5586, "3"}, {5535, "255"}, {5530, "0"},
                                        {5528, "4"}, {5517, "SQLite"}, {5529, "\""}, {5590, "N"}};
  auto info = [&](int item) -> std::optional<std::string> {
    auto it = answers.find(item);
    return it == answers.end() ? std::nullopt : std::optional<std::string>(it->second);
  };
  AutoDefaults d = genericOdbcDefaults(generic, info, 17);
  EXPECT_EQ(d.flags[1], 1);
  EXPECT_EQ(d.flags[6], 1);
  EXPECT_EQ(d.flags[7], 1);
  EXPECT_EQ(d.flags[8], 1);
  EXPECT_EQ(d.flags[54], 0);
  EXPECT_EQ(d.flags[0], generic.flags[0]);
  EXPECT_EQ(d.numbers[0], 255);
  EXPECT_FALSE(d.numbers[1].has_value()) << "0 means no limit: keep the built-in value";
  EXPECT_EQ(d.numbers[kNumColumnTypes], 17);
  EXPECT_EQ(d.numbers[5], 2);
  EXPECT_EQ(d.numbers[11], 2);
  EXPECT_EQ(d.strings[kStrServerName], "SQLite");
  EXPECT_EQ(d.strings[22], "\"");
  answers[5529] = " ";
  EXPECT_EQ(genericOdbcDefaults(generic, info, 0).strings[22], "") << "a blank means no quoting";
}
