// The server's connections, run in this process against real SQLite
// databases: shared transactions, their end, and no cursor left behind.
#include "registry.h"
#include "support.h"

namespace {

bool isOpen(DbcCursor c) {
  char name[32] = "";
  return DbcGetInfo(c, DBC_INFO_DBMS_NAME, name, sizeof name, nullptr) == DBC_OK;
}

int rowCount(const std::string& text) {
  DbcCursor c = 0;
  char value[16] = "";
  if (DbcConnect(text.c_str(), &c) != DBC_OK) return -1;
  bool ok = DbcCompile(c, "SELECT COUNT(*) FROM T") == DBC_OK && DbcExecute(c) == DBC_OK && DbcFetch(c) == DBC_OK &&
            DbcGetColumn(c, 1, value, sizeof value, nullptr) == DBC_OK;
  DbcDisconnect(c);
  return ok ? atoi(value) : -1;
}

class ServerRegistry : public ::testing::Test {
protected:
  void SetUp() override {
    text_ = trxtest::databaseFile("trx_registry.db", true);
    trxtest::execute(text_, {"CREATE TABLE T (X INTEGER)"});
  }
  void insertThrough(LONG id) {
    DbcCursor c = registry_.cursor(id);
    ASSERT_EQ(DbcCompile(c, "INSERT INTO T VALUES (1)"), DBC_OK);
    ASSERT_EQ(DbcExecute(c), DBC_OK);
  }

  std::string text_;
  Registry registry_{1000};
};

TEST_F(ServerRegistry, EveryCursorClosesWithTheLastIdInEitherOrder) {
  for (bool firstGoesFirst : {true, false}) {
    LONG first = -1, second = -1;
    ASSERT_EQ(registry_.connect(text_, false, first), DBC_OK);
    ASSERT_EQ(registry_.connect(text_, false, second), DBC_OK);
    DbcCursor a = registry_.cursor(first), b = registry_.cursor(second);
    ASSERT_TRUE(isOpen(a) && isOpen(b));
    EXPECT_NE(a, b);
    EXPECT_TRUE(registry_.disconnect(firstGoesFirst ? first : second));
    EXPECT_TRUE(isOpen(a)) << "the connection's first cursor holds it while it has users";
    EXPECT_TRUE(registry_.disconnect(firstGoesFirst ? second : first));
    EXPECT_FALSE(isOpen(a));
    EXPECT_FALSE(isOpen(b)) << (firstGoesFirst ? "first id out first" : "second id out first");
  }
}

TEST_F(ServerRegistry, TheIdsOfOneTextShareOneTransaction) {
  struct Case { bool commit; int rows; } cases[] = {{true, 2}, {false, 0}};
  for (const auto& c : cases) {
    trxtest::execute(text_, {"DELETE FROM T"});
    LONG first = -1, second = -1;
    ASSERT_EQ(registry_.connect(text_, c.commit, first), DBC_OK);
    // Only the connect that opens the connection decides.
    ASSERT_EQ(registry_.connect(text_, !c.commit, second), DBC_OK);
    insertThrough(first);
    insertThrough(second);
    registry_.disconnect(first);
    registry_.disconnect(second);
    EXPECT_EQ(rowCount(text_), c.rows) << (c.commit ? "committed" : "rolled back");
  }
}

TEST_F(ServerRegistry, EndingRollsBackAndClosesEverything) {
  LONG first = -1, second = -1, other = -1;
  ASSERT_EQ(registry_.connect(text_, true, first), DBC_OK);
  ASSERT_EQ(registry_.connect(text_, true, second), DBC_OK);
  ASSERT_EQ(registry_.connect(trxtest::databaseFile("trx_registry2.db", true), true, other), DBC_OK);
  insertThrough(second);
  DbcCursor cursors[] = {registry_.cursor(first), registry_.cursor(second), registry_.cursor(other)};
  registry_.endAll();
  for (DbcCursor c : cursors) EXPECT_FALSE(isOpen(c));
  EXPECT_EQ(rowCount(text_), 0);
  EXPECT_EQ(registry_.cursor(first), 0u);
}

TEST_F(ServerRegistry, UnknownIdsAndFailedConnects) {
  EXPECT_FALSE(registry_.disconnect(1001));
  EXPECT_EQ(registry_.cursor(1001), 0u);
  LONG id = -1;
  DbcCursor c = 0;
  int code = DbcConnect("/no/such/folder/x.db", &c);
  ASSERT_NE(code, DBC_OK);
  EXPECT_EQ(registry_.connect("/no/such/folder/x.db", false, id), code);
  EXPECT_EQ(id, -1);
  ASSERT_EQ(registry_.connect(text_, false, id), DBC_OK);
  EXPECT_EQ(id, 1001) << "ids count on from the first one given";
  EXPECT_TRUE(registry_.disconnect(id));
  EXPECT_FALSE(registry_.disconnect(id));
}

} // namespace
