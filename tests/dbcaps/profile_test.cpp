// "DCC.INI" beside odbbridge32.dll: overrides, column type sections, the
// dumps and the generic ODBC auto-write, against test cursors and the real
// SQLite ODBC driver. Every test works in server sections of its own.
#include "binfile.h"
#include "support.h"

#include <cstring>

namespace {

class ProfileFile : public Cursors {
protected:
  void SetUp() override {
    bridge_ = LoadLibraryA("odbbridge32.dll");
    ASSERT_NE(bridge_, nullptr);
    ini_ = testsupport::binDir() + "DCC.INI";
  }
  void TearDown() override {
    Cursors::TearDown();
    for (const auto& s : sections_) WritePrivateProfileStringA(s.c_str(), nullptr, nullptr, ini_.c_str());
    WritePrivateProfileStringA("Dump Option", "DUMP", "OFF", ini_.c_str());
    WritePrivateProfileStringA("Dump Option", "PASSWORD", nullptr, ini_.c_str());
    FreeLibrary(bridge_);
  }

  // A section this test owns (removed before and after it).
  std::string own(const std::string& section) {
    WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, ini_.c_str());
    sections_.push_back(section);
    return section;
  }
  void write(const std::string& section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section.c_str(), key, value.c_str(), ini_.c_str());
  }
  std::string read(const std::string& section, const char* key) {
    char buffer[1024] = "";
    GetPrivateProfileStringA(section.c_str(), key, "<none>", buffer, sizeof buffer, ini_.c_str());
    return buffer;
  }
  std::vector<std::string> sectionNames() {
    std::vector<char> buffer(1 << 16, '\0');
    DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), DWORD(buffer.size()), ini_.c_str());
    std::vector<std::string> names;
    for (const char* p = buffer.data(); p < buffer.data() + n && *p; p += std::strlen(p) + 1) names.emplace_back(p);
    return names;
  }
  void ownSectionsContaining(const std::string& part) {
    for (const auto& s : sectionNames())
      if (s.find(part) != std::string::npos) sections_.push_back(s);
  }

  // A real connection to a fresh SQLite database, its DBMS name replaced so
  // that its server section is this test's own.
  DbcCursor sqlite(const char* dbmsName) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    db_ = std::string(temp) + "dbcaps-" + std::to_string(GetCurrentProcessId()) + ".db";
    DbcCursor c = 0;
    EXPECT_EQ(DbcConnect(db_.c_str(), &c), DBC_OK);
    if (c) {
      DbcSetTestInfo(c, DBC_INFO_DBMS_NAME, dbmsName);
      opened_.push_back(c);
    }
    return c;
  }
  std::string sqliteVersion(DbcCursor c) {
    char v[64] = "";
    DbcGetInfo(c, DBC_INFO_DBMS_VERSION, v, sizeof v, nullptr);
    return v;
  }

  HMODULE bridge_ = nullptr;
  std::string ini_, db_;
  std::vector<std::string> sections_;
};

TEST_F(ProfileFile, ServerSectionOverridesFlagsNumbersAndStrings) {
  std::string s = own("SQL Server 04.21.0000 SQLSRV32");
  write(s, "outer join", "FALSE");
  write(s, "Table Name Length", "64");
  write(s, "Identifier Quote Character", "[");
  write(s, "Capability Flag 58", "TRUE");
  write(s, "Group By", "false");
  DbcCursor c = testCursor("31", "SQL Server", "SQLSRV32.DLL", "04.21.0000 (build 9)");
  ASSERT_EQ(SrvCapRegisterCursor(c), 8);
  EXPECT_EQ(SrvCapQueryServerBool(c, 1), 0);
  EXPECT_EQ(SrvCapQueryServerBool(c, 6), 0);
  EXPECT_EQ(SrvCapQueryServerBool(c, 58), 1);
  EXPECT_EQ(SrvCapQueryServerInt(c, 0), 64);
  char text[50];
  EXPECT_EQ(SrvCapQueryServerStr(c, 22, text), 1);
  EXPECT_STREQ(text, "[");
  EXPECT_EQ(SrvCapQueryServerStr(c, 12, text), 1);
  EXPECT_STREQ(text, "SQL Server");
  EXPECT_EQ(SrvCapFreeCursor(c), 1);
  // The built-in data is untouched: the brand alone answers as compiled in.
  ASSERT_EQ(SrvCapBRegister(8), 1);
  EXPECT_EQ(SrvCapBQueryServerBool(8, 1), 1);
  EXPECT_EQ(SrvCapBQueryServerInt(8, 0), 30);
  EXPECT_EQ(SrvCapBFree(8), 1);
}

TEST_F(ProfileFile, ColumnTypeSectionsReplaceAndGrowTheTable) {
  std::string s = own("SQL Server 06.50.0252 SQLSRV32");
  own("Column Type(0) Info - " + s);
  own("Column Type(30) Info - " + s);
  own("Column Type(31) Info - " + s);
  write(s, "Number Of Column Types", "32");
  write("Column Type(0) Info - " + s, "Column Name", "bigint");
  write("Column Type(0) Info - " + s, "Catalog Column Type", "bigint");
  write("Column Type(0) Info - " + s, "Statement to Create Column", "bigint");
  write("Column Type(0) Info - " + s, "Matching Tormel Column Type", "6");
  write("Column Type(0) Info - " + s, "Maximum Precision", "19");
  write("Column Type(0) Info - " + s, "Precision", "NO");
  write("Column Type(0) Info - " + s, "Can this Column be NULL?", "TRUE");
  write("Column Type(31) Info - " + s, "Column Name", "uniqueidentifier");
  write("Column Type(31) Info - " + s, "Catalog Column Type", "uniqueidentifier");
  write("Column Type(31) Info - " + s, "Matching Tormel Column Type", "1");
  write("Column Type(30) Info - " + s, "Catalog Column Type", "ignored without a column name");
  DbcCursor c = testCursor("31", "SQL Server", "SQLSRV32.DLL", "06.50.0252");
  ASSERT_EQ(SrvCapRegisterCursor(c), 73);
  EXPECT_EQ(SrvCapQueryServerInt(c, 4), 32);
  auto* first = static_cast<const ColTypeRecord*>(SrvCapQueryColTypeInfo(c));
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first[0].columnName, "bigint");
  EXPECT_EQ(first[0].maxPrecision, 19);
  EXPECT_EQ(first[0].nullable, 1);
  EXPECT_STREQ(first[1].columnName, "smallint") << "records without a section stay";
  EXPECT_STREQ(first[30].columnName, "") << "grown records start empty";
  EXPECT_STREQ(first[31].columnName, "uniqueidentifier");
  EXPECT_EQ(SrvCapColTypeInfoForServerType(c, "UNIQUEIDENTIFIER"), &first[31]);
  EXPECT_EQ(SrvCapFreeCursor(c), 1);
  ASSERT_EQ(SrvCapBRegister(73), 1);
  ColTypeRecord r{};
  EXPECT_EQ(SrvCapBColTypeInfoForIndex(73, 0, &r), 1);
  EXPECT_STREQ(r.columnName, "int") << "the built-in table is constant";
  EXPECT_EQ(SrvCapBColTypeInfoForIndex(73, 30, &r), 0);
  EXPECT_EQ(SrvCapBFree(73), 1);
}

TEST_F(ProfileFile, ColumnTypeCountIsBounded) {
  std::string s = own("Teradata V2R5 TDATA");
  write(s, "Number Of Column Types", "2000000000");
  DbcCursor c = testCursor("31", "Teradata", "TDATA.DLL", "V2R5 patch");
  ASSERT_EQ(SrvCapRegisterCursor(c), 9);
  EXPECT_EQ(SrvCapQueryServerInt(c, 4), 1024);
  EXPECT_EQ(SrvCapColTypeInfoForType(c, 424242), nullptr);
  EXPECT_EQ(SrvCapFreeCursor(c), 1);
  write(s, "Number Of Column Types", "-3");
  c = testCursor("31", "Teradata", "TDATA.DLL", "V2R5 patch");
  ASSERT_EQ(SrvCapRegisterCursor(c), 9);
  EXPECT_EQ(SrvCapQueryServerInt(c, 4), 0);
  EXPECT_EQ(SrvCapQueryColTypeInfo(c), nullptr);
}

TEST_F(ProfileFile, AStringTooLongIsRefusedWithAMessageBox) {
  std::string s = own("Oracle7 7.3.4 SQORA7");
  write(s, "Server Name", std::string(50, 'n'));
  write(s, "Row ID", std::string(49, 'r'));
  BoxAnswerer answer(IDOK);
  DbcCursor c = testCursor("31", "Oracle7", "SQORA7.DLL", "7.3.4");
  ASSERT_EQ(SrvCapRegisterCursor(c), 28);
  ASSERT_EQ(BoxAnswerer::seen().size(), 1u);
  EXPECT_EQ(BoxAnswerer::seen()[0], "Servcap Module|Memory Error-101");
  char text[50];
  EXPECT_EQ(SrvCapQueryServerStr(c, 12, text), 1);
  EXPECT_STREQ(text, "Oracle7");
  EXPECT_EQ(SrvCapQueryServerStr(c, 15, text), 1);
  EXPECT_EQ(std::string(text), std::string(49, 'r'));
}

// Such a cursor names no DBMS, version or driver: its section would be "  ",
// which Wine trims to the nameless head of the file when writing; only the
// empty name deletes the key there again.
TEST_F(ProfileFile, NoProfileForServersNotReachedThroughOdbc) {
  write("  ", "Outer Join", "FALSE");
  DbcCursor c = brandCursor(8);
  EXPECT_EQ(SrvCapQueryServerBool(c, 1), 1);
  WritePrivateProfileStringA("", "Outer Join", nullptr, ini_.c_str());
  EXPECT_EQ(read("  ", "Outer Join"), "<none>") << "the test leaves nothing behind";
}

TEST_F(ProfileFile, CoreDumpNeedsThePassword) {
  std::string s = own("Oracle7 7.3 SQORA7");
  own("Functions Supported - " + s);
  write("Dump Option", "DUMP", "core");
  write("Dump Option", "PASSWORD", "wrong");
  DbcCursor c = testCursor("31", "Oracle7", "SQORA7.DLL", "7.3");
  ASSERT_EQ(SrvCapRegisterCursor(c), 28);
  EXPECT_EQ(read(s, "Outer Join"), "<none>");
  EXPECT_EQ(read("Dump Option", "DUMP"), "core");
  EXPECT_EQ(SrvCapFreeCursor(c), 1);

  write("Dump Option", "PASSWORD", "Servcap Core 1462");
  c = testCursor("31", "Oracle7", "SQORA7.DLL", "7.3");
  ASSERT_EQ(SrvCapRegisterCursor(c), 28);
  ownSectionsContaining("> - " + s);
  EXPECT_EQ(read("Dump Option", "DUMP"), "OFF");
  EXPECT_EQ(read(s, "Outer Join"), "TRUE");
  EXPECT_EQ(read(s, "Quoted Creator"), "FALSE");
  EXPECT_EQ(read(s, "Capability Flag 58"), "FALSE");
  EXPECT_EQ(read(s, "Number Of Column Types"), "18");
  EXPECT_EQ(read(s, "DateTime Insert String"), "TO_DATE('%s','MON DD YYYY hh24.mi.ss')");
  EXPECT_EQ(read(s, "Server Name"), "Oracle7");
  EXPECT_EQ(read(s, "Number of Functions"), "64");
  EXPECT_EQ(read(s, "Number of Parameter Keywords"), "3");
  EXPECT_EQ(read("Functions Supported - " + s, "Function(0)"), "AVG,0,6,1,0,0,1,4");
  EXPECT_EQ(read("Functions Supported - " + s, "Parameter Keyword(0)"), "SYSDATE,1,0,0");
  EXPECT_EQ(read("Column Type Info for <INTEGER> - " + s, "Catalog Column Type"), "INTEGER");
  EXPECT_EQ(read("Column Type Info for <VARCHAR2> - " + s, "Precision"), "YES");
  // Read back as overrides, the dump changes nothing.
  char text[50];
  EXPECT_EQ(SrvCapQueryServerStr(c, 0, text), 1);
  EXPECT_STREQ(text, "TO_DATE('%s','MON DD YYYY hh24.mi.ss')");
  EXPECT_EQ(SrvCapQueryServerInt(c, 4), 18);
}

// A value in quotes ('%s') would lose them to the profile reader: the dump
// writes it so that it reads back whole.
TEST_F(ProfileFile, QuotedStringsSurviveTheDump) {
  std::string s = own("Informix 7.30 VSIFMX5");
  own("Functions Supported - " + s);
  write("Dump Option", "DUMP", "CORE");
  write("Dump Option", "PASSWORD", "Servcap Core 1462");
  DbcCursor c = testCursor("31", "Informix", "VSIFMX5.DLL", "7.30");
  ASSERT_EQ(SrvCapRegisterCursor(c), 24);
  ownSectionsContaining("> - " + s);
  EXPECT_EQ(read(s, "Date Insert String"), "'%s'");
  char text[50];
  EXPECT_EQ(SrvCapQueryServerStr(c, 13, text), 1);
  EXPECT_STREQ(text, "'%s'");
}

TEST_F(ProfileFile, GenericOdbcServerIsWrittenFromTheDriver) {
  DbcCursor c = sqlite("SQLite dbcaps auto");
  ASSERT_NE(c, 0u);
  std::string s = own("SQLite dbcaps auto " + sqliteVersion(c) + " sqlite3odbc");
  int types = 0;
  ASSERT_EQ(DbcTypeInfoCount(c, &types), DBC_OK);
  ASSERT_GT(types, 0);
  for (int i = 0; i < types + 1; ++i) own("Column Type(" + std::to_string(i) + ") Info - " + s);
  write("Dump Option", "DUMP", "CORE");
  ASSERT_EQ(SrvCapRegisterCursor(c), 31);
  EXPECT_EQ(read("Dump Option", "DUMP"), "OFF") << "the auto-write ends a CORE dump";
  EXPECT_EQ(read(s, "Number Of Column Types"), std::to_string(types));
  EXPECT_EQ(read(s, "Outer Join"), "TRUE") << "SQLite reports outer joins";
  EXPECT_EQ(read(s, "Capability Flag 58"), "FALSE");
  EXPECT_EQ(read(s, "Server Name"), "SQLite");
  EXPECT_EQ(read(s, "Identifier Quote Character"), "\"");
  DbcTypeInfo info{};
  ASSERT_EQ(DbcGetTypeInfo(c, 0, &info), DBC_OK);
  std::string first = "Column Type(0) Info - " + s;
  EXPECT_EQ(read(first, "Column Name"), info.typeName);
  EXPECT_EQ(read(first, "Catalog Column Type"), info.typeName);
  EXPECT_EQ(read(first, "Maximum Precision"), std::to_string(info.columnSize < 0 ? 0 : info.columnSize));
  EXPECT_EQ(read(first, "Can this Column be NULL?"), info.nullable == 1 ? "TRUE" : "FALSE");
  // The context reads what was written.
  EXPECT_EQ(SrvCapQueryServerInt(c, 4), types);
  auto* records = static_cast<const ColTypeRecord*>(SrvCapQueryColTypeInfo(c));
  ASSERT_NE(records, nullptr);
  EXPECT_STREQ(records[0].columnName, info.typeName);
  char text[50];
  EXPECT_EQ(SrvCapQueryServerStr(c, 12, text), 1);
  EXPECT_STREQ(text, "SQLite");
}

TEST_F(ProfileFile, SupplementaryDumpWritesTheDriversAnswers) {
  DbcCursor c = sqlite("SQLite dbcaps supplementary");
  ASSERT_NE(c, 0u);
  std::string s = own("SQLite dbcaps supplementary " + sqliteVersion(c) + " sqlite3odbc");
  own("ODBC Information - " + s);
  write(s, "Outer Join", "TRUE");  // not new: no auto-write
  write("Dump Option", "DUMP", "SUPPLEMENTARY");
  ASSERT_EQ(SrvCapRegisterCursor(c), 31);
  ownSectionsContaining("- " + s);
  EXPECT_EQ(read("Dump Option", "DUMP"), "OFF");
  std::string info = "ODBC Information - " + s;
  EXPECT_EQ(read(info, "SQL_DBMS_NAME"), "SQLite");
  EXPECT_EQ(read(info, "SQL_DBMS_VER"), sqliteVersion(c));
  EXPECT_EQ(read(info, "SQL_DRIVER_HDBC"), "<none>");
  EXPECT_NE(read(info, "SQL_IDENTIFIER_CASE"), "<none>");
  DbcTypeInfo type{};
  ASSERT_EQ(DbcGetTypeInfo(c, 0, &type), DBC_OK);
  std::string typeSection = "ODBC Type Info for <" + std::string(type.typeName) + "> - " + s;
  EXPECT_EQ(read(typeSection, "TYPE_NAME"), type.typeName);
  EXPECT_EQ(read(typeSection, "DATA_TYPE"), std::to_string(type.dataType));
  EXPECT_EQ(read(s, "Number Of Column Types"), "<none>") << "an existing section is not auto-written";
}

// A driver's keyword list can run to thousands of characters: the dump
// writes it whole instead of leaving it out.
TEST_F(ProfileFile, SupplementaryDumpKeepsLongAnswers) {
  std::string s = own("Verbose 2.0 VERBOSE");
  own("ODBC Information - " + s);
  write(s, "Outer Join", "TRUE");
  write("Dump Option", "DUMP", "SUPPLEMENTARY");
  std::string keywords;
  for (int i = 0; keywords.size() < 3000; ++i) keywords += (i ? ",KEYWORD" : "KEYWORD") + std::to_string(i);
  DbcCursor c = testCursor("31", "Verbose", "VERBOSE.DLL", "2.0");
  DbcSetTestInfo(c, 5500 + 89, keywords.c_str());  // SQL_KEYWORDS
  DbcSetTestInfo(c, 5500 + 17, "Verbose");          // SQL_DBMS_NAME
  ASSERT_EQ(SrvCapRegisterCursor(c), 31);
  std::string info = "ODBC Information - " + s;
  EXPECT_EQ(read(info, "SQL_DBMS_NAME"), "Verbose");
  std::vector<char> buffer(8192, '\0');
  GetPrivateProfileStringA(info.c_str(), "SQL_KEYWORDS", "<none>", buffer.data(), DWORD(buffer.size()), ini_.c_str());
  EXPECT_EQ(std::string(buffer.data()), keywords);
}

TEST_F(ProfileFile, RealSqliteConnectionHasCapabilities) {
  DbcCursor c = sqlite("SQLite dbcaps real");
  ASSERT_NE(c, 0u);
  own("SQLite dbcaps real " + sqliteVersion(c) + " sqlite3odbc");
  EXPECT_EQ(SrvCapQuerySupportedServers(c), 1);
  ownSectionsContaining("- SQLite dbcaps real ");
  EXPECT_GT(SrvCapQueryServerInt(c, 4), 0);
  EXPECT_NE(SrvCapQueryColTypeInfo(c), nullptr);
  EXPECT_EQ(SrvCapFreeCursor(c), 1);
  EXPECT_EQ(SrvCapFreeCursor(c), 0);
}

} // namespace
