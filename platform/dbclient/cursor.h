// Connections and cursors over ODBC. A connection is shared by its
// cursors and ends with the last of them.
#pragma once
#include "catalog.h"
#include "connecttext.h"
#include "dbclient.h"
#include "odbc.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dbc {

struct ErrorInfo {
  int code = 0;
  int native = 0;
  std::string state;    // "" for the client's own failures
  std::string message;  // ANSI code page
};

// Records the client's own failure and returns its code.
int ownFailure(ErrorInfo& error, int code);
// Records the diagnostics an ODBC handle holds after a failed call.
int odbcFailure(ErrorInfo& error, SQLSMALLINT handleType, SQLHANDLE handle);

class Connection {
public:
  // Connects as `text` says (UTF-8); the RPADM attach included.
  static int open(const ConnectText& text, std::shared_ptr<Connection>& out, ErrorInfo& error);
  ~Connection();

  SQLHDBC handle() const { return dbc_; }
  int setAutoCommit(bool on, ErrorInfo& error);
  int endTransaction(SQLSMALLINT completion, ErrorInfo& error);
  // ODBC information type `type` as text.
  int odbcInfo(int type, std::string& text, ErrorInfo& error);
  int typeInfo(const std::vector<DbcTypeInfo>*& types, ErrorInfo& error);

private:
  explicit Connection(SQLHDBC dbc) : dbc_(dbc) {}
  int attachRepository(const std::string& path, ErrorInfo& error);

  SQLHDBC dbc_;
  bool autoCommit_ = true;
  std::optional<std::vector<DbcTypeInfo>> types_;
};

class Cursor {
public:
  // A cursor on `connection`; nullptr makes a test cursor.
  static int open(std::shared_ptr<Connection> connection, std::unique_ptr<Cursor>& out, ErrorInfo& error);
  ~Cursor();

  const std::shared_ptr<Connection>& connection() const { return connection_; }
  ErrorInfo& error() { return error_; }

  int compile(const std::string& sql);
  int execute();
  int fetch();
  int columnCount(int& count);
  int rowCount(int& count);
  int columnName(int column, std::string& name);
  // nullopt for SQL NULL.
  int column(int column, std::optional<std::string>& value);
  int info(int item, std::string& text);
  void setTestInfo(int item, std::optional<std::string> text) { testInfo_[item] = std::move(text); }

private:
  Cursor() = default;
  void closeResult();
  int runCatalog();
  int describeResult();

  std::shared_ptr<Connection> connection_;
  SQLHSTMT stmt_ = SQL_NULL_HSTMT;
  ErrorInfo error_;
  std::map<int, std::optional<std::string>> testInfo_;

  bool compiled_ = false;
  std::optional<CatalogCommand> catalog_;
  bool hasResult_ = false;
  std::vector<std::string> columnNames_;
  std::vector<Row> catalogRows_;
  size_t nextCatalogRow_ = 0;
  bool onRow_ = false;
  Row row_;
  int rowCount_ = 0;
};

} // namespace dbc
