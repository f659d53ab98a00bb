// The STRG… exports over dbclient cursors: test cursors that claim a
// server type (and so a brand), and a real SQLite cursor.
#include "pe.h"
#include "support.h"

#include <set>
#include <string>

namespace {

// dbcaps read the way trxshare reads it: by ordinal.
template <class F> F byOrdinal(HMODULE dll, int ordinal) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(ordinal))));
}

struct Caps {
  HMODULE dll = LoadLibraryA("dbcaps.dll");
  int(__stdcall* flag)(DbcCursor, int) = byOrdinal<int(__stdcall*)(DbcCursor, int)>(dll, 2);
  int(__stdcall* str)(DbcCursor, int, char*) = byOrdinal<int(__stdcall*)(DbcCursor, int, char*)>(dll, 4);
  ~Caps() { FreeLibrary(dll); }
};

class TestCursor {
public:
  explicit TestCursor(const char* serverType) {
    DbcOpenTestCursor(&cursor_);
    DbcSetTestInfo(cursor_, DBC_INFO_SERVER_TYPE, serverType);
  }
  ~TestCursor() { DbcDisconnect(cursor_); }
  operator DbcCursor() const { return cursor_; }

private:
  DbcCursor cursor_ = 0;
};

std::string quoted(const std::string& part, bool allowed, char q) {
  return allowed && q ? q + part + q : part;
}

TEST(Quoting, QuoteIdentifierFollowsEachBrandsCapabilities) {
  Caps caps;
  ASSERT_TRUE(caps.flag && caps.str);
  for (const char* type : {"1", "2", "4", "5", "7", "8", "15", "28", "32", "76"}) {
    TestCursor c(type);
    char qs[64] = "";
    ASSERT_EQ(caps.str(c, 22, qs), 1) << type;
    char q = qs[0];
    bool users = caps.flag(c, 55) == 1, names = caps.flag(c, 56) == 1;
    // sysadm and Emp need quotes, NAME does not.
    std::string expected = quoted("sysadm", users, q) + "." + quoted("Emp", names, q) + ".NAME";
    char out[224] = "";
    EXPECT_EQ(STRGQuoteIdentifier(c, out, "sysadm", "Emp", "NAME"), 1);
    EXPECT_EQ(std::string(out), expected) << "server type " << type;

    char user[65] = "sysadm";
    EXPECT_EQ(STRGQuoteUser(c, user), 1);
    EXPECT_EQ(std::string(user), quoted("sysadm", users, q));
    char table[224] = "sysadm.Emp";
    EXPECT_EQ(STRGQuoteTable(c, table), 1);
    EXPECT_EQ(std::string(table), quoted("sysadm", users, q) + "." + quoted("Emp", names, q));
    char column[224] = "Emp.name";
    EXPECT_EQ(STRGQuoteColumn(c, column), 1);
    EXPECT_EQ(std::string(column), quoted("Emp", names, q) + "." + quoted("name", names, q));

    std::string withQuotes = std::string(1, q ? q : '"') + "a" + (q ? q : '"') + ".b";
    char plain[224] = "";
    EXPECT_EQ(STRGRemoveQuotes(c, withQuotes.c_str(), plain), 1);
    EXPECT_EQ(std::string(plain), q ? "a.b" : withQuotes) << "server type " << type;
  }
}

TEST(Quoting, ABrandWithBothFlagsQuotesUsersAndNames) {
  // Type 2 (DB2) sets both quoting flags.
  Caps caps;
  TestCursor c("2");
  char qs[64] = "";
  caps.str(c, 22, qs);
  ASSERT_NE(qs[0], 0) << "DB2 has a quote character";
  ASSERT_EQ(caps.flag(c, 55), 1);
  ASSERT_EQ(caps.flag(c, 56), 1);
  std::string q(1, qs[0]);
  char out[224] = "";
  STRGQuoteIdentifier(c, out, "sysadm", "Emp", "NAME");
  EXPECT_EQ(std::string(out), q + "sysadm" + q + "." + q + "Emp" + q + ".NAME");
}

TEST(Quoting, ARealSQLiteCursorNeverQuotes) {
  DbcCursor c = 0;
  ASSERT_EQ(DbcConnect(trxtest::databaseFile("trx_quote.db", false).c_str(), &c), DBC_OK);
  char out[224] = "";
  EXPECT_EQ(STRGQuoteIdentifier(c, out, "sysadm", "Emp", "NAME"), 1);
  EXPECT_STREQ(out, "sysadm.Emp.NAME");
  char plain[32] = "", qs[64] = "";
  Caps caps;
  caps.str(c, 22, qs);
  EXPECT_EQ(STRGRemoveQuotes(c, "\"a\"", plain), 1);
  EXPECT_STREQ(plain, qs[0] == '"' ? "a" : "\"a\"");
  EXPECT_EQ(STRGQuotesNeeded(c, "emp"), 1) << "the rule itself does not depend on the brand";
  DbcDisconnect(c);
}

TEST(Quoting, QuotesNeededTable) {
  TestCursor c("31");
  struct Case { const char* id; int needed; } cases[] = {
      {"EMP_1", 0}, {"emp", 1}, {"1EMP", 1}, {"", 0}, {"A1_B", 0}, {"A B", 1},
  };
  for (const auto& k : cases) EXPECT_EQ(STRGQuotesNeeded(c, k.id), k.needed) << k.id;
  EXPECT_EQ(STRGQuotesNeeded(c, nullptr), 0);
  EXPECT_EQ(STRGQuotesNeeded(0, "EMP"), 0) << "no cursor: the plain rule";
}

TEST(Quoting, AResultThatDoesNotFitLeavesTheBufferAlone) {
  TestCursor c("2");  // quotes users and names
  char user[65];
  std::string name63(63, 'a');  // 63 characters need quotes: 65 would not fit
  strcpy(user, name63.c_str());
  EXPECT_EQ(STRGQuoteUser(c, user), 0);
  EXPECT_EQ(std::string(user), name63);
  std::string name62(62, 'a');
  strcpy(user, name62.c_str());
  EXPECT_EQ(STRGQuoteUser(c, user), 1);
  EXPECT_EQ(strlen(user), 64u);

  char out[224] = "unchanged";
  std::string longName(150, 'b');
  EXPECT_EQ(STRGQuoteIdentifier(c, out, longName.c_str(), longName.c_str(), nullptr), 0);
  EXPECT_STREQ(out, "unchanged");
  EXPECT_EQ(STRGQuoteIdentifier(c, nullptr, "a", "b", "c"), 0);
  EXPECT_EQ(STRGQuoteTable(c, nullptr), 0);
}

TEST(Names, ExtractAndConcatTables) {
  struct Case { const char *in, *first, *second; };
  const Case userTable[] = {
      {"sysadm.emp", "sysadm", "emp"}, {"emp", "", "emp"}, {"  sysadm .  my   emp ", "sysadm", "my emp"},
  };
  for (const auto& c : userTable) {
    char user[65] = "?", table[65] = "?";
    EXPECT_EQ(STRGExtractUserTable(c.in, user, table), 1);
    EXPECT_STREQ(user, c.first) << c.in;
    EXPECT_STREQ(table, c.second) << c.in;
  }
  const Case tableColumn[] = {{"a.b.c", "a.b", "c"}, {"b.c", "b", "c"}, {"c", "", "c"}};
  for (const auto& c : tableColumn) {
    char table[65] = "?", column[65] = "?";
    EXPECT_EQ(STRGExtractTableColumn(c.in, table, column), 1);
    EXPECT_STREQ(table, c.first) << c.in;
    EXPECT_STREQ(column, c.second) << c.in;
  }
  char user[65] = "keep", table[65] = "keep";
  std::string tooLong = std::string(65, 'u') + ".t";
  EXPECT_EQ(STRGExtractUserTable(tooLong.c_str(), user, table), 0);
  EXPECT_STREQ(user, "keep");
  EXPECT_EQ(STRGExtractUserTable(nullptr, user, table), 0);

  char out[224] = "";
  EXPECT_EQ(STRGConcatUserTable(out, "sysadm", "emp"), 1);
  EXPECT_STREQ(out, "sysadm.emp");
  EXPECT_EQ(STRGConcatUserTable(out, "", "emp"), 1);
  EXPECT_STREQ(out, "emp");
  EXPECT_EQ(STRGConcatUserTable(out, "sysadm", "other.emp"), 1);
  EXPECT_STREQ(out, "other.emp");
  EXPECT_EQ(STRGConcatUserTable(out, nullptr, "emp"), 1);
  EXPECT_STREQ(out, "emp");
}

// Runs only where the ANSI code page is a double-byte one (the test is
// registered a second time with a Japanese locale).
TEST(DoubleByte, OracleBrandsQuoteNamesWithDoubleByteCharacters) {
  if (!IsDBCSLeadByte(0x82)) GTEST_SKIP() << "the ANSI code page is not a double-byte one";
  const char* name = "EMP\x82\xA0";  // a double-byte character in code page 932
  for (const char* type : {"4", "28"}) {
    TestCursor c(type);
    EXPECT_EQ(STRGQuotesNeeded(c, name), 1) << type;
    EXPECT_EQ(STRGQuotesNeeded(c, "EMP"), 0) << type;
  }
  // Splitting skips trail bytes: 0x83 0x5C is one character.
  char user[65], table[65];
  EXPECT_EQ(STRGExtractUserTable("\x83\x5C.T", user, table), 1);
  EXPECT_STREQ(user, "\x83\x5C");
  EXPECT_STREQ(table, "T");
  // An ODBC dBase IV cursor (brand 51) quotes with the back quote, which
  // can be the trail byte of a double-byte character: that one stays.
  TestCursor c("31");
  DbcSetTestInfo(c, DBC_INFO_DBMS_NAME, "dBase");
  DbcSetTestInfo(c, DBC_INFO_DRIVER_NAME, "QEDBF.DLL");
  DbcSetTestInfo(c, DBC_INFO_DBMS_VERSION, "IV");
  char plain[32] = "";
  EXPECT_EQ(STRGRemoveQuotes(c, "`\x82`A`", plain), 1);
  EXPECT_STREQ(plain, "\x82`A");
}

TEST(Binding, DbcapsAndHostToolsAreImportedByOrdinal) {
  auto img = pe::parseFile(testsupport::binDir() + "trxshare.dll");
  ASSERT_TRUE(img.has_value());
  std::set<uint16_t> dbcaps, hosttools;
  for (const auto& imp : img->imports) {
    if (_stricmp(imp.dll.c_str(), "dbcaps.dll") == 0) {
      EXPECT_TRUE(imp.byOrdinal()) << imp.name;
      dbcaps.insert(imp.ordinal);
    }
    if (_stricmp(imp.dll.c_str(), "hosttools.dll") == 0) {
      EXPECT_TRUE(imp.byOrdinal()) << imp.name;
      hosttools.insert(imp.ordinal);
    }
  }
  EXPECT_EQ(dbcaps, (std::set<uint16_t>{2, 3, 4}));
  EXPECT_EQ(hosttools, (std::set<uint16_t>{48, 71, 86}));
}

} // namespace
