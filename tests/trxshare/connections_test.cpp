// Shared transactions through a real trxserver.exe on a real SQLite
// database.
#include "support.h"

#include <tlhelp32.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using trxtest::ends;
using trxtest::processOf;
using trxtest::serverWindow;

class SharedTransaction : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(serverWindow(), nullptr) << "a server of an earlier test is still running";
    text_ = trxtest::databaseFile("trx_shared.db", false);
  }
  void TearDown() override {
    for (LONG id : open_) TrxSharedRelease(id), TrxDisconnect(id);
    if (HWND w = serverWindow()) {
      HANDLE p = processOf(w);
      SendMessageA(w, TRX_MSG_END, 0, 0);
      ends(p);
      CloseHandle(p);
    }
  }
  // Connects and remembers the id for clean-up.
  int connect(const char* name, LONG& id, int option = 0) {
    int rc = TrxConnectTransaction(&id, text_.c_str(), name, option);
    if (rc == 0) open_.push_back(id);
    return rc;
  }
  int disconnect(LONG id) {
    int rc = TrxDisconnect(id);
    if (rc) std::erase(open_, id);
    return rc;
  }

  std::string text_;
  std::vector<LONG> open_;
};

TEST_F(SharedTransaction, TwoConnectsOfOneNameShareOneServerThatEndsWithTheLast) {
  LONG first = -1, second = -1;
  ASSERT_EQ(connect("ORDERS", first), 0);
  HWND server = serverWindow();
  ASSERT_NE(server, nullptr);
  HANDLE process = processOf(server);
  ASSERT_NE(process, nullptr);
  ASSERT_EQ(connect("ORDERS", second), 0);
  EXPECT_NE(first, -1);
  EXPECT_NE(second, first);
  EXPECT_EQ(serverWindow(), server);
  EXPECT_EQ(trxtest::serverWindowCount(), 1);

  EXPECT_EQ(disconnect(first), 1);
  EXPECT_TRUE(IsWindow(server));
  EXPECT_EQ(WaitForSingleObject(process, 0), DWORD(WAIT_TIMEOUT));
  EXPECT_EQ(disconnect(second), 1);
  EXPECT_TRUE(ends(process));
  EXPECT_EQ(serverWindow(), nullptr);
  CloseHandle(process);
}

TEST_F(SharedTransaction, OneServerServesAllTheNamesOfItsThread) {
  LONG a = -1, b = -1;
  ASSERT_EQ(connect("FIRST", a), 0);
  HWND server = serverWindow();
  HANDLE process = processOf(server);
  ASSERT_EQ(connect("SECOND", b), 0);
  EXPECT_EQ(trxtest::serverWindowCount(), 1);
  EXPECT_EQ(disconnect(a), 1);
  EXPECT_EQ(WaitForSingleObject(process, 0), DWORD(WAIT_TIMEOUT)) << "the other name still uses the server";
  EXPECT_EQ(disconnect(b), 1);
  EXPECT_TRUE(ends(process));
  CloseHandle(process);
}

TEST_F(SharedTransaction, TheConnectionIdReachesTheCallersRecord) {
  struct { LONG id; char rest[16]; } record{};
  record.id = 12345;
  char connectRecord[260] = {};
  strcpy(connectRecord, text_.c_str());
  ASSERT_EQ(TrxConnectTransaction(&record.id, connectRecord, "REC", 1), 0);
  open_.push_back(record.id);
  EXPECT_NE(record.id, 12345);
  EXPECT_EQ(TrxSharedSet(record.id), 1) << "the returned id is the one in the table";
}

TEST_F(SharedTransaction, SharedStateMachine) {
  LONG id = -1, other = -1, acquired = -1;
  ASSERT_EQ(connect("SHARE", id), 0);
  ASSERT_EQ(connect("SHARE", other), 0);
  EXPECT_EQ(TrxSharedAcquire(&acquired, "SHARE"), 0) << "nothing shared yet";
  EXPECT_EQ(TrxSharedSet(id), 1);
  EXPECT_EQ(TrxSharedSet(id), 0) << "already shared";
  EXPECT_EQ(TrxSharedAcquire(&acquired, "OTHER"), 0);
  EXPECT_EQ(TrxSharedAcquire(&acquired, "SHARE"), 1);
  EXPECT_EQ(acquired, id);

  // An acquired connection keeps running when its owner disconnects.
  EXPECT_EQ(TrxDisconnect(id), 1);
  EXPECT_EQ(TrxSharedSet(id), 0) << "still in the table, still shared";
  EXPECT_EQ(TrxSharedRelease(id), 1);
  EXPECT_EQ(TrxSharedRelease(id), 1) << "releasing twice is harmless";
  EXPECT_EQ(disconnect(id), 1);
  EXPECT_EQ(TrxSharedRelease(id), 0) << "gone from the table";
  EXPECT_EQ(TrxSharedSet(id), 0);
  EXPECT_EQ(TrxDisconnect(id), 0);
  EXPECT_EQ(disconnect(other), 1);
}

TEST_F(SharedTransaction, BadArgumentsAreRefusedBeforeAnythingIsStarted) {
  LONG id = 77;
  EXPECT_EQ(TrxConnectTransaction(&id, text_.c_str(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", 0), 403);  // 33
  EXPECT_EQ(TrxConnectTransaction(&id, text_.c_str(), nullptr, 0), 403);
  EXPECT_EQ(TrxConnectTransaction(&id, nullptr, "N", 0), TRX_ERR_CONNECT_TEXT);
  EXPECT_EQ(TrxConnectTransaction(nullptr, text_.c_str(), "N", 0), TRX_ERR_CONNECT_TEXT);
  std::string longText(200, 'x');
  EXPECT_EQ(TrxConnectTransaction(&id, longText.c_str(), "N", 0), TRX_ERR_CONNECT_TEXT);
  EXPECT_EQ(id, 77);
  EXPECT_EQ(serverWindow(), nullptr);

  // A 32-character name is fine.
  EXPECT_EQ(connect("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", id), 0);
}

TEST_F(SharedTransaction, UnknownIdsAreRefused) {
  EXPECT_EQ(TrxDisconnect(-1), 0) << "free slots hold -1";
  EXPECT_EQ(TrxDisconnect(424242), 0);
  EXPECT_EQ(TrxSharedSet(-1), 0);
  EXPECT_EQ(TrxSharedRelease(-1), 0);
  LONG id = 0;
  EXPECT_EQ(TrxSharedAcquire(nullptr, "X"), 0);
  EXPECT_EQ(TrxSharedAcquire(&id, nullptr), 0);
}

TEST_F(SharedTransaction, InitKeepsTheTableAndIdsCount) {
  LONG id = -1;
  ASSERT_EQ(connect("KEEP", id), 0);
  EXPECT_EQ(TrxInit(), 1);
  EXPECT_EQ(TrxInit(), 1);
  EXPECT_EQ(TrxSharedSet(id), 1) << "the connection survived TrxInit";
  int next = TrxGetID();
  EXPECT_EQ(TrxGetID(), next + 1);
  EXPECT_EQ(TrxStatus(0, 0), 1);
  EXPECT_EQ(TrxStatus(-5, 99), 1);
}

// Finds the trxserver.exe processes this process started.
std::vector<DWORD> childServers() {
  std::vector<DWORD> pids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e)) {
    if (e.th32ParentProcessID == GetCurrentProcessId() && _stricmp(e.szExeFile, "trxserver.exe") == 0)
      pids.push_back(e.th32ProcessID);
  }
  CloseHandle(snap);
  return pids;
}

bool noServerRunning() {
  for (DWORD pid : childServers()) {
    HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, pid);
    bool ended = !p || WaitForSingleObject(p, 10000) == WAIT_OBJECT_0;
    if (p) CloseHandle(p);
    if (!ended) return false;
  }
  return true;
}

TEST_F(SharedTransaction, AFailedConnectGivesTheClientsCodeAndLeavesNoServer) {
  const std::string texts[] = {
      "DRIVER={No Such Driver};Database=x.db",
      "/no/such/folder/x.db",  // SQLite creates missing files, not folders
  };
  for (const auto& text : texts) {
    DbcCursor c = 0;
    int code = DbcConnect(text.c_str(), &c);
    ASSERT_NE(code, DBC_OK) << text;
    LONG id = 55;
    EXPECT_EQ(TrxConnectTransaction(&id, text.c_str(), "FAILS", 0), code) << text;
    EXPECT_EQ(id, 55);
    EXPECT_EQ(serverWindow(), nullptr);
    EXPECT_TRUE(noServerRunning());
  }
}

TEST_F(SharedTransaction, AFailedJoinKeepsTheServerOfTheOthers) {
  LONG id = -1, failed = -1;
  ASSERT_EQ(connect("JOIN", id), 0);
  HWND server = serverWindow();
  EXPECT_EQ(TrxConnectTransaction(&failed, "DRIVER={No Such Driver}", "JOIN", 0), DBC_ERR_DRIVER_MANAGER);
  EXPECT_TRUE(IsWindow(server));
  EXPECT_EQ(disconnect(id), 1);
}

TEST_F(SharedTransaction, AServerThatIsGoneIsAnErrorNotAReply) {
  LONG id = -1, joined = 77;
  ASSERT_EQ(connect("GONE", id), 0);
  HWND server = serverWindow();
  HANDLE process = processOf(server);
  ASSERT_EQ(SendMessageA(server, TRX_MSG_END, 0, 0), 1);
  EXPECT_TRUE(ends(process));
  CloseHandle(process);
  EXPECT_EQ(TrxConnectTransaction(&joined, text_.c_str(), "GONE", 0), TRX_ERR_SERVER);
  EXPECT_EQ(joined, 77);
  EXPECT_EQ(TrxDisconnect(id), 0) << "the connection went with its server";
  EXPECT_EQ(TrxSharedSet(id), 0) << "and its slot is free";
  std::erase(open_, id);
}

TEST_F(SharedTransaction, TheTableHoldsOneHundredConnections) {
  std::vector<LONG> ids(100, -1);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(connect(i % 2 ? "ODD" : "EVEN", ids[i]), 0) << i;
  LONG extra = -1;
  EXPECT_EQ(TrxConnectTransaction(&extra, text_.c_str(), "NEW", 0), TRX_ERR_NO_SLOT);
  EXPECT_EQ(TrxConnectTransaction(&extra, text_.c_str(), "ODD", 0), TRX_ERR_NO_JOIN_SLOT);
  EXPECT_EQ(disconnect(ids[7]), 1);
  EXPECT_EQ(connect("NEW", extra), 0) << "a freed slot is used again";
  HANDLE process = processOf(serverWindow());
  for (LONG id : std::vector<LONG>(open_)) EXPECT_EQ(disconnect(id), 1);
  EXPECT_TRUE(ends(process));
  CloseHandle(process);
}

// --- the server program itself ---------------------------------------------

TEST_F(SharedTransaction, ServerRefusesBadRequestsAndKeepsRunning) {
  LONG id = -1;
  ASSERT_EQ(connect("PROTO", id), 0);
  HWND server = serverWindow();
  // No block under the server's name any more: shared memory unavailable.
  EXPECT_EQ(SendMessageA(server, TRX_MSG_CONNECT, 0, 0), TRX_ERR_SHARED_MEMORY);
  EXPECT_EQ(SendMessageA(server, TRX_MSG_DISCONNECT, 999999, 0), 0);

  // A block whose text has no terminator, and a block that is too small.
  std::string name = trxtest::serverName();
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 206, name.c_str());
  auto* block = static_cast<TrxSharedBlock*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 206));
  block->connectionId = -1;
  memset(block->connectText, 'x', sizeof block->connectText);
  EXPECT_EQ(SendMessageA(server, TRX_MSG_CONNECT, 0, 0), TRX_ERR_CONNECT_TEXT);
  EXPECT_EQ(block->connectionId, -1);
  UnmapViewOfFile(block);
  CloseHandle(mapping);
  // Windows refuses to map 206 bytes of a 100-byte block (145); Wine maps
  // the whole page, which reads as an empty connect text: the default
  // database. Either way the server answers and goes on.
  mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 100, name.c_str());
  LRESULT reply = SendMessageA(server, TRX_MSG_CONNECT, 0, 0);
  EXPECT_TRUE(reply == TRX_ERR_SHARED_MEMORY || reply == 0) << reply;
  CloseHandle(mapping);

  EXPECT_TRUE(IsWindow(server));
  EXPECT_EQ(disconnect(id), 1);
}

TEST_F(SharedTransaction, TheServerWindowIsTopLevelAndHidden) {
  LONG id = -1;
  ASSERT_EQ(connect("LOOK", id), 0);
  HWND server = serverWindow();
  EXPECT_EQ(GetAncestor(server, GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(server));
}

DWORD WINAPI connectOnOtherThread(void* arg) {
  auto* id = static_cast<LONG*>(arg);
  std::string text = trxtest::databaseFile("trx_shared.db", false);
  return DWORD(TrxConnectTransaction(id, text.c_str(), "THREAD", 0));
}

TEST_F(SharedTransaction, TheServerEndsWithTheThreadThatStartedIt) {
  LONG id = -1;
  DWORD tid = 0;
  HANDLE thread = CreateThread(nullptr, 0, connectOnOtherThread, &id, 0, &tid);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, 30000), DWORD(WAIT_OBJECT_0));
  DWORD rc = 1;
  GetExitCodeThread(thread, &rc);
  CloseHandle(thread);
  ASSERT_EQ(rc, 0u);
  // The thread is gone: its server ends by itself.
  HWND server = trxtest::serverWindow(tid);
  HANDLE process = processOf(server);
  if (process) {
    EXPECT_TRUE(ends(process));
  }
  EXPECT_FALSE(IsWindow(server));
  // The slot of the lost connection is freed, and the caller told.
  EXPECT_EQ(TrxDisconnect(id), 0);
  EXPECT_EQ(TrxSharedSet(id), 0) << "no longer in the table";
  if (process) CloseHandle(process);
}

TEST_F(SharedTransaction, TheServerRefusesAStrangeCommandLine) {
  std::string exe = testsupport::binDir() + "trxserver.exe";
  struct Case { std::string args; DWORD exitCode; } cases[] = {
      {"", 1}, {"abc", 1}, {"12x", 1}, {"0", 1}, {"4000000", 3},  // no such thread
  };
  for (const auto& c : cases) {
    std::string command = "\"" + exe + "\" " + c.args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), DWORD(WAIT_OBJECT_0)) << c.args;
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, c.exitCode) << c.args;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
}

} // namespace
