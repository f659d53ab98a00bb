// The exported functions: each looks up its cursor, calls the object and
// copies results out. No exception leaves this file.
#include "connecttext.h"
#include "cursor.h"
#include "dbclient.h"
#include "handles.h"
#include "paths.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <new>

namespace dbc {

namespace {

struct Registry {
  std::map<DbcCursor, std::unique_ptr<Cursor>> cursors;
  HandleNumbers numbers;
  ErrorInfo openError;  // of the last failed open (cursor 0)
};

// Never destroyed: at process exit no ODBC call may run from the loader's
// detach notification, so open connections are left to the process's end.
Registry& registry() {
  static Registry* r = new Registry;
  return *r;
}

Cursor* find(DbcCursor handle) {
  auto it = registry().cursors.find(handle);
  return it == registry().cursors.end() ? nullptr : it->second.get();
}

// Runs an export's body: exceptions become codes.
template <typename F> int guarded(F body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return DBC_ERR_NO_MEMORY;
  } catch (...) {
    return DBC_ERR_GENERAL;
  }
}

// Runs `body` on the cursor, or refuses an unknown handle.
template <typename F> int onCursor(DbcCursor handle, F body) noexcept {
  return guarded([&] {
    Cursor* c = find(handle);
    return c ? body(*c) : DBC_ERR_CURSOR;
  });
}

// Hands out a handle for a newly opened cursor.
int registerCursor(std::unique_ptr<Cursor> cursor, DbcCursor* out) {
  DbcCursor handle = registry().numbers.take();
  if (!handle) return ownFailure(registry().openError, DBC_ERR_NO_MEMORY);
  registry().cursors[handle] = std::move(cursor);
  *out = handle;
  return DBC_OK;
}

// Copies `text` with its terminator when it fits; otherwise what fits,
// terminated, and DBC_ERR_TRUNCATED. `length` gets the full length.
int copyOut(const std::string& text, char* buffer, int size, int* length) {
  if (size < 0 || (size > 0 && !buffer)) return DBC_ERR_ARGUMENT;
  if (length) *length = int(text.size());
  if (size == 0) return DBC_ERR_TRUNCATED;
  size_t n = std::min(text.size(), size_t(size) - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n == text.size() ? DBC_OK : DBC_ERR_TRUNCATED;
}

std::string errorText(const ErrorInfo& e) {
  if (!e.code) return {};
  if (e.state.empty()) return e.message;
  return "[" + e.state + "] (" + std::to_string(e.native) + ") " + e.message;
}

} // namespace

} // namespace dbc

using namespace dbc;

extern "C" {

int DBC_CALL DbcConnect(const char* connectText, DbcCursor* cursor) {
  return guarded([&] {
    ErrorInfo& error = registry().openError;
    if (!cursor) return ownFailure(error, DBC_ERR_ARGUMENT);
    *cursor = 0;
    std::string raw = connectText ? connectText : "";
    if (raw.size() > kMaxConnectText) return ownFailure(error, DBC_ERR_CONNECT_TEXT);
    auto text = parseConnectText(narrow(widen(raw, CP_ACP), CP_UTF8));
    if (!text) return ownFailure(error, DBC_ERR_CONNECT_TEXT);
    std::shared_ptr<Connection> connection;
    std::unique_ptr<Cursor> opened;
    int code = Connection::open(*text, connection, error);
    if (!code) code = Cursor::open(connection, opened, error);
    return code ? code : registerCursor(std::move(opened), cursor);
  });
}

int DBC_CALL DbcOpenCursor(DbcCursor connection, DbcCursor* cursor) {
  return guarded([&] {
    ErrorInfo& error = registry().openError;
    if (!cursor) return ownFailure(error, DBC_ERR_ARGUMENT);
    *cursor = 0;
    Cursor* existing = find(connection);
    if (!existing) return ownFailure(error, DBC_ERR_CURSOR);
    if (!existing->connection()) return ownFailure(error, DBC_ERR_NOT_CONNECTED);
    std::unique_ptr<Cursor> opened;
    int code = Cursor::open(existing->connection(), opened, error);
    return code ? code : registerCursor(std::move(opened), cursor);
  });
}

int DBC_CALL DbcDisconnect(DbcCursor cursor) {
  return guarded([&] {
    auto it = registry().cursors.find(cursor);
    if (it == registry().cursors.end()) return DBC_ERR_CURSOR;
    registry().cursors.erase(it);
    registry().numbers.give(cursor);
    return DBC_OK;
  });
}

int DBC_CALL DbcSetAutoCommit(DbcCursor cursor, int on) {
  return onCursor(cursor, [&](Cursor& c) {
    if (!c.connection()) return ownFailure(c.error(), DBC_ERR_NOT_CONNECTED);
    return c.connection()->setAutoCommit(on != 0, c.error());
  });
}

int DBC_CALL DbcCommit(DbcCursor cursor) {
  return onCursor(cursor, [&](Cursor& c) {
    if (!c.connection()) return ownFailure(c.error(), DBC_ERR_NOT_CONNECTED);
    return c.connection()->endTransaction(SQL_COMMIT, c.error());
  });
}

int DBC_CALL DbcRollback(DbcCursor cursor) {
  return onCursor(cursor, [&](Cursor& c) {
    if (!c.connection()) return ownFailure(c.error(), DBC_ERR_NOT_CONNECTED);
    return c.connection()->endTransaction(SQL_ROLLBACK, c.error());
  });
}

int DBC_CALL DbcCompile(DbcCursor cursor, const char* sql) {
  return onCursor(cursor, [&](Cursor& c) { return sql ? c.compile(sql) : ownFailure(c.error(), DBC_ERR_ARGUMENT); });
}

int DBC_CALL DbcExecute(DbcCursor cursor) {
  return onCursor(cursor, [&](Cursor& c) { return c.execute(); });
}

int DBC_CALL DbcFetch(DbcCursor cursor) {
  return onCursor(cursor, [&](Cursor& c) { return c.fetch(); });
}

int DBC_CALL DbcColumnCount(DbcCursor cursor, int* count) {
  return onCursor(cursor, [&](Cursor& c) {
    int n = 0;
    if (!count) return ownFailure(c.error(), DBC_ERR_ARGUMENT);
    int code = c.columnCount(n);
    if (!code) *count = n;
    return code;
  });
}

int DBC_CALL DbcRowCount(DbcCursor cursor, int* count) {
  return onCursor(cursor, [&](Cursor& c) {
    int n = 0;
    if (!count) return ownFailure(c.error(), DBC_ERR_ARGUMENT);
    int code = c.rowCount(n);
    if (!code) *count = n;
    return code;
  });
}

int DBC_CALL DbcColumnName(DbcCursor cursor, int column, char* buffer, int size, int* length) {
  return onCursor(cursor, [&](Cursor& c) {
    std::string name;
    int code = c.columnName(column, name);
    return code ? code : copyOut(name, buffer, size, length);
  });
}

int DBC_CALL DbcGetColumn(DbcCursor cursor, int column, char* buffer, int size, int* length) {
  return onCursor(cursor, [&](Cursor& c) {
    std::optional<std::string> value;
    int code = c.column(column, value);
    if (code) return code;
    code = copyOut(value ? *value : std::string(), buffer, size, length);
    if (!value && length) *length = -1;
    return code;
  });
}

int DBC_CALL DbcGetErrorInfo(DbcCursor cursor, int* code, int* nativeCode, char* state) {
  return guarded([&] {
    Cursor* c = cursor ? find(cursor) : nullptr;
    if (cursor && !c) return DBC_ERR_CURSOR;
    const ErrorInfo& e = c ? c->error() : registry().openError;
    if (code) *code = e.code;
    if (nativeCode) *nativeCode = e.native;
    if (state) copyOut(e.state.substr(0, 5), state, 6, nullptr);
    return DBC_OK;
  });
}

int DBC_CALL DbcGetErrorText(DbcCursor cursor, char* buffer, int size, int* length) {
  return guarded([&] {
    Cursor* c = cursor ? find(cursor) : nullptr;
    if (cursor && !c) return DBC_ERR_CURSOR;
    return copyOut(errorText(c ? c->error() : registry().openError), buffer, size, length);
  });
}

int DBC_CALL DbcGetInfo(DbcCursor cursor, int item, char* buffer, int size, int* length) {
  return onCursor(cursor, [&](Cursor& c) {
    std::string text;
    int code = c.info(item, text);
    return code ? code : copyOut(text, buffer, size, length);
  });
}

int DBC_CALL DbcTypeInfoCount(DbcCursor cursor, int* count) {
  return onCursor(cursor, [&](Cursor& c) {
    if (!count) return ownFailure(c.error(), DBC_ERR_ARGUMENT);
    if (!c.connection()) return ownFailure(c.error(), DBC_ERR_NOT_CONNECTED);
    const std::vector<DbcTypeInfo>* types = nullptr;
    int code = c.connection()->typeInfo(types, c.error());
    if (!code) *count = int(types->size());
    return code;
  });
}

int DBC_CALL DbcGetTypeInfo(DbcCursor cursor, int index, DbcTypeInfo* info) {
  return onCursor(cursor, [&](Cursor& c) {
    if (!info) return ownFailure(c.error(), DBC_ERR_ARGUMENT);
    if (!c.connection()) return ownFailure(c.error(), DBC_ERR_NOT_CONNECTED);
    const std::vector<DbcTypeInfo>* types = nullptr;
    int code = c.connection()->typeInfo(types, c.error());
    if (code) return code;
    if (index < 0 || size_t(index) >= types->size()) return ownFailure(c.error(), DBC_ERR_ARGUMENT);
    *info = (*types)[size_t(index)];
    return DBC_OK;
  });
}

int DBC_CALL DbcOpenTestCursor(DbcCursor* cursor) {
  return guarded([&] {
    if (!cursor) return ownFailure(registry().openError, DBC_ERR_ARGUMENT);
    *cursor = 0;
    std::unique_ptr<Cursor> opened;
    int code = Cursor::open(nullptr, opened, registry().openError);
    return code ? code : registerCursor(std::move(opened), cursor);
  });
}

int DBC_CALL DbcSetTestInfo(DbcCursor cursor, int item, const char* text) {
  return onCursor(cursor, [&](Cursor& c) {
    c.setTestInfo(item, text ? std::optional<std::string>(text) : std::nullopt);
    return DBC_OK;
  });
}

} // extern "C"
