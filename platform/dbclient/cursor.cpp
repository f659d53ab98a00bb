#include "cursor.h"

#include "errors.h"
#include "infotypes.h"
#include "paths.h"
#include "typeinfo.h"

#include <algorithm>
#include <cctype>

namespace dbc {

namespace {

const char* ownMessage(int code) {
  switch (code) {
  case DBC_ERR_CURSOR: return "Unknown or closed cursor";
  case DBC_ERR_ARGUMENT: return "Invalid argument";
  case DBC_ERR_TRUNCATED: return "Text truncated to fit the buffer";
  case DBC_ERR_NO_STATEMENT: return "No compiled statement, result set or current row";
  case DBC_ERR_NO_MEMORY: return "Out of memory or cursor handles";
  case DBC_ERR_NO_ODBC: return "The ODBC driver manager (odbc32.dll) cannot be loaded";
  case DBC_ERR_NOT_SUPPORTED: return "Information item not supported";
  case DBC_ERR_TEST_FAILURE: return "Test answer set to fail";
  case DBC_ERR_CONNECT_TEXT: return "Malformed connect text";
  case DBC_ERR_PATH: return "Database file name cannot be resolved";
  case DBC_ERR_CATALOG_COMMAND: return "Malformed CATALOG command";
  case DBC_ERR_NOT_CONNECTED: return "Test cursor has no database";
  default: return "Error";
  }
}

std::vector<Diagnostic> diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  std::vector<Diagnostic> records;
  const Odbc* o = odbc();
  for (SQLSMALLINT i = 1; o && i <= 20; ++i) {
    SQLWCHAR state[6] = {}, message[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLRETURN r = o->GetDiagRecW(type, handle, i, state, &native, message, 1024, &length);
    if (!SQL_SUCCEEDED(r)) break;
    records.push_back({narrow(reinterpret_cast<wchar_t*>(state), CP_ACP), int(native),
                       narrow(reinterpret_cast<wchar_t*>(message), CP_ACP)});
  }
  return records;
}

// Texts go to ODBC terminated (SQL_NTS), never with a length: unixODBC
// passes a wide text to an ANSI driver as UTF-8 but keeps the length in
// characters, which cuts a text with non-ASCII characters short.
SQLWCHAR* sqlText(std::wstring& s) { return reinterpret_cast<SQLWCHAR*>(s.data()); }

// An optional catalogue argument: NULL when empty (any).
SQLWCHAR* optionalName(std::wstring& s) { return s.empty() ? nullptr : sqlText(s); }

bool sameTable(const Value& v, const std::string& name) {
  if (!v || v->size() != name.size()) return false;
  return std::equal(name.begin(), name.end(), v->begin(), [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
  });
}

} // namespace

// ---- reading rows -----------------------------------------------------------

// One column of the current row as text, read in pieces of any length.
static int readValue(SQLHSTMT stmt, SQLUSMALLINT column, Value& value, ErrorInfo& error) {
  const Odbc* o = odbc();
  std::wstring text;
  wchar_t piece[2048];
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN r = o->GetData(stmt, column, SQL_C_WCHAR, piece, sizeof piece, &indicator);
    if (r == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(r)) return odbcFailure(error, SQL_HANDLE_STMT, stmt);
    if (indicator == SQL_NULL_DATA) {
      value.reset();
      return DBC_OK;
    }
    bool whole = r == SQL_SUCCESS && indicator != SQL_NO_TOTAL && size_t(indicator) < sizeof piece;
    text.append(piece, whole ? size_t(indicator) / sizeof(wchar_t) : wcsnlen(piece, std::size(piece)));
    if (whole) break;
  }
  value = narrow(text, CP_ACP);
  return DBC_OK;
}

static int readRow(SQLHSTMT stmt, size_t columns, Row& row, ErrorInfo& error) {
  row.assign(columns, Value());
  for (size_t c = 0; c < columns; ++c)
    if (int code = readValue(stmt, SQLUSMALLINT(c + 1), row[c], error)) return code;
  return DBC_OK;
}

// Every row of the statement's result set; the result set is closed after.
static int readAll(SQLHSTMT stmt, std::vector<Row>& rows, ErrorInfo& error) {
  const Odbc* o = odbc();
  SQLSMALLINT columns = 0;
  if (!SQL_SUCCEEDED(o->NumResultCols(stmt, &columns))) return odbcFailure(error, SQL_HANDLE_STMT, stmt);
  int code = DBC_OK;
  for (;;) {
    SQLRETURN r = o->Fetch(stmt);
    if (r == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(r)) {
      code = odbcFailure(error, SQL_HANDLE_STMT, stmt);
      break;
    }
    Row row;
    if ((code = readRow(stmt, size_t(columns), row, error))) break;
    rows.push_back(std::move(row));
  }
  o->FreeStmt(stmt, SQL_CLOSE);
  return code;
}

int ownFailure(ErrorInfo& error, int code) {
  error = {code, 0, "", ownMessage(code)};
  return code;
}

int odbcFailure(ErrorInfo& error, SQLSMALLINT handleType, SQLHANDLE handle) {
  std::vector<Diagnostic> records = diagnostics(handleType, handle);
  error.code = codeForDiagnostics(records);
  error.native = records.empty() ? 0 : records.front().native;
  error.state = records.empty() ? "" : records.front().state;
  error.message = records.empty() ? "ODBC call failed" : records.front().message;
  for (const Diagnostic& d : records)
    if (d.state.rfind("01", 0) != 0) {
      error.native = d.native;
      error.state = d.state;
      error.message = d.message;
      break;
    }
  return error.code;
}

// ---- Connection -------------------------------------------------------------

int Connection::open(const ConnectText& text, std::shared_ptr<Connection>& out, ErrorInfo& error) {
  const Odbc* o = odbc();
  SQLHENV env = odbcEnvironment();
  if (!o || !env) return ownFailure(error, DBC_ERR_NO_ODBC);
  std::string database;
  if (text.shortForm) {
    auto path = driverPath(text.databaseFile);
    if (!path) return ownFailure(error, DBC_ERR_PATH);
    database = runningOnWine() ? sqliteDatabaseName(*path) : *path;
  }
  std::optional<std::string> repository;
  if (!text.rpadmFile.empty() && !(repository = driverPath(text.rpadmFile))) return ownFailure(error, DBC_ERR_PATH);
  loadBridge();

  SQLHDBC dbc = SQL_NULL_HDBC;
  if (!SQL_SUCCEEDED(o->AllocHandle(SQL_HANDLE_DBC, env, &dbc))) return odbcFailure(error, SQL_HANDLE_ENV, env);
  std::wstring connectString = widen(driverConnectString(text, sqliteDriverName(), database), CP_UTF8);
  SQLRETURN r = o->DriverConnectW(dbc, nullptr, sqlText(connectString), SQL_NTS, nullptr,
                                  0, nullptr, SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(r)) {
    int code = odbcFailure(error, SQL_HANDLE_DBC, dbc);
    o->FreeHandle(SQL_HANDLE_DBC, dbc);
    return code;
  }
  std::shared_ptr<Connection> connection(new Connection(dbc));
  if (repository) {
    int code = connection->attachRepository(*repository, error);
    if (code) return code;
  }
  out = std::move(connection);
  return DBC_OK;
}

int Connection::attachRepository(const std::string& path, ErrorInfo& error) {
  const Odbc* o = odbc();
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  if (!SQL_SUCCEEDED(o->AllocHandle(SQL_HANDLE_STMT, dbc_, &stmt))) return odbcFailure(error, SQL_HANDLE_DBC, dbc_);
  std::wstring sql = widen(attachStatement(path), CP_UTF8);
  int code = DBC_OK;
  if (!SQL_SUCCEEDED(o->ExecDirectW(stmt, sqlText(sql), SQL_NTS)))
    code = odbcFailure(error, SQL_HANDLE_STMT, stmt);
  o->FreeHandle(SQL_HANDLE_STMT, stmt);
  return code;
}

Connection::~Connection() {
  const Odbc* o = odbc();
  if (!autoCommit_) o->EndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
  o->Disconnect(dbc_);
  o->FreeHandle(SQL_HANDLE_DBC, dbc_);
}

int Connection::setAutoCommit(bool on, ErrorInfo& error) {
  SQLPOINTER value = reinterpret_cast<SQLPOINTER>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF);
  if (!SQL_SUCCEEDED(odbc()->SetConnectAttrW(dbc_, SQL_ATTR_AUTOCOMMIT, value, SQL_IS_UINTEGER)))
    return odbcFailure(error, SQL_HANDLE_DBC, dbc_);
  autoCommit_ = on;
  return DBC_OK;
}

int Connection::endTransaction(SQLSMALLINT completion, ErrorInfo& error) {
  if (!SQL_SUCCEEDED(odbc()->EndTran(SQL_HANDLE_DBC, dbc_, completion)))
    return odbcFailure(error, SQL_HANDLE_DBC, dbc_);
  return DBC_OK;
}

int Connection::odbcInfo(int type, std::string& text, ErrorInfo& error) {
  InfoKind kind = infoKind(type);
  if (kind == InfoKind::None || kind == InfoKind::Handle) return ownFailure(error, DBC_ERR_NOT_SUPPORTED);
  const Odbc* o = odbc();
  // A text longer than the first buffer (SQL_KEYWORDS can be) is asked
  // again with room for all of it, within the call's 16-bit byte count.
  std::vector<SQLWCHAR> buffer(512);
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::fill(buffer.begin(), buffer.end(), 0);
    SQLSMALLINT length = 0;
    SQLRETURN r = o->GetInfoW(dbc_, SQLUSMALLINT(type), buffer.data(), SQLSMALLINT(buffer.size() * 2), &length);
    if (!SQL_SUCCEEDED(r)) {
      int code = odbcFailure(error, SQL_HANDLE_DBC, dbc_);
      // An information type the driver does not know.
      if (error.state == "HY096" || error.state == "HYC00") return ownFailure(error, DBC_ERR_NOT_SUPPORTED);
      return code;
    }
    if (kind != InfoKind::Text || size_t(length) + 2 <= buffer.size() * 2) break;
    buffer.assign(std::min<size_t>(size_t(length) / 2 + 1, 16383), 0);
  }
  if (kind == InfoKind::Text) {
    text = narrow(std::wstring(reinterpret_cast<wchar_t*>(buffer.data())), CP_ACP);
  } else if (kind == InfoKind::Int16) {
    text = std::to_string(*reinterpret_cast<SQLUSMALLINT*>(buffer.data()));
  } else {
    text = std::to_string(*reinterpret_cast<SQLUINTEGER*>(buffer.data()));
  }
  return DBC_OK;
}

int Connection::typeInfo(const std::vector<DbcTypeInfo>*& types, ErrorInfo& error) {
  if (!types_) {
    const Odbc* o = odbc();
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(o->AllocHandle(SQL_HANDLE_STMT, dbc_, &stmt))) return odbcFailure(error, SQL_HANDLE_DBC, dbc_);
    std::vector<Row> rows;
    int code = SQL_SUCCEEDED(o->GetTypeInfoW(stmt, SQL_ALL_TYPES)) ? readAll(stmt, rows, error)
                                                                   : odbcFailure(error, SQL_HANDLE_STMT, stmt);
    o->FreeHandle(SQL_HANDLE_STMT, stmt);
    if (code) return code;
    types_.emplace();
    for (const Row& row : rows) types_->push_back(typeInfoFromRow(row));
  }
  types = &*types_;
  return DBC_OK;
}

// ---- Cursor -----------------------------------------------------------------

int Cursor::open(std::shared_ptr<Connection> connection, std::unique_ptr<Cursor>& out, ErrorInfo& error) {
  std::unique_ptr<Cursor> cursor(new Cursor);
  if (connection) {
    SQLHDBC dbc = connection->handle();
    if (!SQL_SUCCEEDED(odbc()->AllocHandle(SQL_HANDLE_STMT, dbc, &cursor->stmt_)))
      return odbcFailure(error, SQL_HANDLE_DBC, dbc);
  }
  cursor->connection_ = std::move(connection);
  out = std::move(cursor);
  return DBC_OK;
}

Cursor::~Cursor() {
  if (stmt_ != SQL_NULL_HSTMT) odbc()->FreeHandle(SQL_HANDLE_STMT, stmt_);
}

void Cursor::closeResult() {
  if (hasResult_ && !catalog_) odbc()->FreeStmt(stmt_, SQL_CLOSE);
  hasResult_ = false;
  onRow_ = false;
  columnNames_.clear();
  catalogRows_.clear();
  nextCatalogRow_ = 0;
}

int Cursor::compile(const std::string& sql) {
  if (!connection_) return ownFailure(error_, DBC_ERR_NOT_CONNECTED);
  closeResult();
  compiled_ = false;
  catalog_.reset();
  rowCount_ = 0;
  if (isCatalogCommand(sql)) {
    catalog_ = parseCatalogCommand(sql);
    if (!catalog_) return ownFailure(error_, DBC_ERR_CATALOG_COMMAND);
  } else {
    std::wstring text = widen(sql, CP_ACP);
    if (!SQL_SUCCEEDED(odbc()->PrepareW(stmt_, sqlText(text), SQL_NTS)))
      return odbcFailure(error_, SQL_HANDLE_STMT, stmt_);
  }
  compiled_ = true;
  return DBC_OK;
}

int Cursor::execute() {
  if (!connection_) return ownFailure(error_, DBC_ERR_NOT_CONNECTED);
  if (!compiled_) return ownFailure(error_, DBC_ERR_NO_STATEMENT);
  closeResult();
  rowCount_ = 0;
  if (catalog_) return runCatalog();
  const Odbc* o = odbc();
  SQLRETURN r = o->Execute(stmt_);
  if (r != SQL_NO_DATA && !SQL_SUCCEEDED(r)) return odbcFailure(error_, SQL_HANDLE_STMT, stmt_);
  return describeResult();
}

int Cursor::describeResult() {
  const Odbc* o = odbc();
  SQLSMALLINT columns = 0;
  if (!SQL_SUCCEEDED(o->NumResultCols(stmt_, &columns))) return odbcFailure(error_, SQL_HANDLE_STMT, stmt_);
  SQLLEN rows = 0;
  if (SQL_SUCCEEDED(o->RowCount(stmt_, &rows)) && rows > 0) rowCount_ = int(rows);
  for (SQLSMALLINT c = 1; c <= columns; ++c) {
    SQLWCHAR name[256] = {};
    SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    if (!SQL_SUCCEEDED(o->DescribeColW(stmt_, SQLUSMALLINT(c), name, 256, &length, &type, &size, &digits, &nullable)))
      return odbcFailure(error_, SQL_HANDLE_STMT, stmt_);
    columnNames_.push_back(narrow(reinterpret_cast<wchar_t*>(name), CP_ACP));
  }
  hasResult_ = columns > 0;
  if (!hasResult_) o->FreeStmt(stmt_, SQL_CLOSE);
  return DBC_OK;
}

// Runs the ODBC catalogue functions a CATALOG command needs and keeps its
// result rows in memory.
int Cursor::runCatalog() {
  const Odbc* o = odbc();
  const CatalogCommand& c = *catalog_;
  std::wstring creator = widen(c.creator, CP_ACP), table = widen(c.table, CP_ACP);
  CatalogSources sources;
  auto collect = [&](SQLRETURN r, std::vector<Row>& rows) {
    return SQL_SUCCEEDED(r) ? readAll(stmt_, rows, error_) : odbcFailure(error_, SQL_HANDLE_STMT, stmt_);
  };
  int code = DBC_OK;
  if (c.kind == CatalogKind::RowId) {
    code = collect(o->SpecialColumnsW(stmt_, SQL_BEST_ROWID, nullptr, 0, optionalName(creator), SQL_NTS,
                                      sqlText(table), SQL_NTS, SQL_SCOPE_SESSION, SQL_NULLABLE),
                   sources.specialColumns);
  } else {
    if (c.kind == CatalogKind::Column) {
      // The table name is a search pattern here ("_" matches any
      // character): keep the rows of exactly this table.
      code = collect(o->ColumnsW(stmt_, nullptr, 0, optionalName(creator), SQL_NTS, sqlText(table), SQL_NTS, nullptr, 0),
                     sources.columns);
      auto other = [&](const Row& r) { return !sameTable(r.size() > 2 ? r[2] : Value(), c.table); };
      sources.columns.erase(std::remove_if(sources.columns.begin(), sources.columns.end(), other),
                            sources.columns.end());
    } else {
      code = collect(o->StatisticsW(stmt_, nullptr, 0, optionalName(creator), SQL_NTS, sqlText(table), SQL_NTS,
                                    SQL_INDEX_ALL, SQL_QUICK),
                     sources.statistics);
    }
    if (!code)
      code = collect(o->PrimaryKeysW(stmt_, nullptr, 0, optionalName(creator), SQL_NTS, sqlText(table), SQL_NTS),
                     sources.primaryKeys);
  }
  if (code) return code;
  catalogRows_ = catalogResult(c, sources);
  columnNames_ = c.selectNames;
  hasResult_ = true;
  return DBC_OK;
}

int Cursor::fetch() {
  if (!connection_) return ownFailure(error_, DBC_ERR_NOT_CONNECTED);
  if (!hasResult_) return ownFailure(error_, DBC_ERR_NO_STATEMENT);
  onRow_ = false;
  if (catalog_) {
    if (nextCatalogRow_ >= catalogRows_.size()) return DBC_END_OF_DATA;
    row_ = catalogRows_[nextCatalogRow_++];
    onRow_ = true;
    return DBC_OK;
  }
  SQLRETURN r = odbc()->Fetch(stmt_);
  if (r == SQL_NO_DATA) return DBC_END_OF_DATA;
  if (!SQL_SUCCEEDED(r)) return odbcFailure(error_, SQL_HANDLE_STMT, stmt_);
  if (int code = readRow(stmt_, columnNames_.size(), row_, error_)) return code;
  onRow_ = true;
  return DBC_OK;
}

int Cursor::columnCount(int& count) {
  if (!connection_) return ownFailure(error_, DBC_ERR_NOT_CONNECTED);
  count = int(columnNames_.size());
  return DBC_OK;
}

int Cursor::rowCount(int& count) {
  if (!connection_) return ownFailure(error_, DBC_ERR_NOT_CONNECTED);
  count = rowCount_;
  return DBC_OK;
}

int Cursor::columnName(int column, std::string& name) {
  if (!connection_) return ownFailure(error_, DBC_ERR_NOT_CONNECTED);
  if (!hasResult_) return ownFailure(error_, DBC_ERR_NO_STATEMENT);
  if (column < 1 || size_t(column) > columnNames_.size()) return ownFailure(error_, DBC_ERR_ARGUMENT);
  name = columnNames_[size_t(column) - 1];
  return DBC_OK;
}

int Cursor::column(int column, std::optional<std::string>& value) {
  if (!connection_) return ownFailure(error_, DBC_ERR_NOT_CONNECTED);
  if (!onRow_) return ownFailure(error_, DBC_ERR_NO_STATEMENT);
  if (column < 1 || size_t(column) > row_.size()) return ownFailure(error_, DBC_ERR_ARGUMENT);
  value = row_[size_t(column) - 1];
  return DBC_OK;
}

int Cursor::info(int item, std::string& text) {
  auto set = testInfo_.find(item);
  if (set != testInfo_.end()) {
    if (!set->second) return ownFailure(error_, DBC_ERR_TEST_FAILURE);
    text = *set->second;
    return DBC_OK;
  }
  if (!connection_) return ownFailure(error_, DBC_ERR_NOT_SUPPORTED);
  switch (item) {
  case DBC_INFO_SERVER_TYPE: text = std::to_string(DBC_SERVER_TYPE_ODBC); return DBC_OK;
  case DBC_INFO_DBMS_NAME: return connection_->odbcInfo(SQL_DBMS_NAME, text, error_);
  case DBC_INFO_DRIVER_NAME: return connection_->odbcInfo(SQL_DRIVER_NAME, text, error_);
  }
  if (item < DBC_INFO_ODBC_BASE || item > DBC_INFO_ODBC_LAST) return ownFailure(error_, DBC_ERR_NOT_SUPPORTED);
  return connection_->odbcInfo(item - DBC_INFO_ODBC_BASE, text, error_);
}

} // namespace dbc
