// DBMSGetJoinKey and DBMSGetUpdateKey: join keys from the repository (the
// tables of schema RPADM) and the columns that identify a row for updates.
// Statements run on a cursor of their own on the caller's connection, so
// the caller's cursor and its result set are left alone. Every value is
// made safe for its place in the statement: literals escaped, numbers
// checked, catalogue names refused when they would change the command; a
// statement whose value had to be dropped is not run.
#include "brand.h"
#include "resource.h"
#include "sqltext.h"
#include "trxshare.h"

#include <cstring>
#include <initializer_list>
#include <new>
#include <optional>
#include <vector>

namespace {

using trx::kNameChars;

// A failure that ends a call: the SQL client's code, or kNothing.
constexpr int kNothing = -1;

// One statement at a time on a cursor of its own.
class Query {
public:
  explicit Query(DbcCursor connection) { opened_ = DbcOpenCursor(connection, &cursor_); }
  ~Query() {
    if (opened_ == DBC_OK) DbcDisconnect(cursor_);
  }
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  int run(const std::string& sql) {
    if (opened_ != DBC_OK) return opened_;
    int rc = DbcCompile(cursor_, sql.c_str());
    return rc == DBC_OK ? DbcExecute(cursor_) : rc;
  }
  int fetch() { return DbcFetch(cursor_); }
  std::string column(int n) {
    std::vector<char> buffer(256);
    int length = 0;
    int rc = DbcGetColumn(cursor_, n, buffer.data(), int(buffer.size()), &length);
    if (rc == DBC_ERR_TRUNCATED && length > 0) {
      buffer.resize(size_t(length) + 1);
      rc = DbcGetColumn(cursor_, n, buffer.data(), int(buffer.size()), &length);
    }
    return rc == DBC_OK ? std::string(buffer.data()) : std::string();
  }

private:
  DbcCursor cursor_ = 0;
  int opened_ = DBC_ERR_CURSOR;
};

// Statement `id` with its placeholders filled in order; nothing when a
// value did not fit.
std::optional<std::string> statement(UINT id, std::initializer_list<std::string> values) {
  char buffer[trx::kStatementBytes] = "";
  if (!LoadStringA(trx::moduleInstance(), id, buffer, sizeof buffer)) return std::nullopt;
  trx::StatementText text(buffer, trx::kStatementBytes);
  for (const auto& value : values) {
    if (!text.fill(value)) return std::nullopt;
  }
  return text.text();
}

// Runs a statement that answers one value: the first column of its first
// row. A NULL or empty answer, or no row, is kNothing.
int singleValue(DbcCursor connection, const std::optional<std::string>& sql, std::string& value) {
  if (!sql) return kNothing;
  Query q(connection);
  int rc = q.run(*sql);
  if (rc == DBC_OK) rc = q.fetch();
  if (rc == DBC_END_OF_DATA) return kNothing;
  if (rc != DBC_OK) return rc;
  value = q.column(1);
  return value.empty() ? kNothing : DBC_OK;
}

struct Version {
  std::string databaseNo;   // checked to be an integer
  std::string code;
};

// The repository version of a database: its number, the newest completed
// version's date, that version's code.
int resolveVersion(DbcCursor connection, const char* database, Version& v) {
  if (!database || !*database) return kNothing;
  int rc = singleValue(connection, statement(IDS_DATABASE_NO, {trx::escapeLiteral(database)}), v.databaseNo);
  if (rc != DBC_OK) return rc;
  if (!trx::isInteger(v.databaseNo)) return kNothing;
  std::string date;
  rc = singleValue(connection, statement(IDS_NEWEST_VERSION_DATE, {v.databaseNo}), date);
  if (rc != DBC_OK) return rc;
  return singleValue(connection, statement(IDS_VERSION_CODE, {trx::escapeLiteral(date)}), v.code);
}

bool copyName(char* field, size_t size, const std::string& value) {
  if (value.size() >= size) return false;
  memcpy(field, value.c_str(), value.size() + 1);
  return true;
}

// A join record from qualified names; false when a part does not fit its
// field (the row is then left out rather than cut).
bool makeRecord(TrxJoinRecord& r, const std::string& parent, const std::string& parentColumn,
                const std::string& child, const std::string& childColumn, const char* op) {
  memset(&r, 0, sizeof r);
  auto [pu, pt] = trx::splitUserTable(parent, trx::hostTools());
  auto [cu, ct] = trx::splitUserTable(child, trx::hostTools());
  r.flag = 1;
  return copyName(r.parentUser, sizeof r.parentUser, pu) && copyName(r.parentTable, sizeof r.parentTable, pt) &&
         copyName(r.parentColumn, sizeof r.parentColumn, parentColumn) &&
         copyName(r.childUser, sizeof r.childUser, cu) && copyName(r.childTable, sizeof r.childTable, ct) &&
         copyName(r.childColumn, sizeof r.childColumn, childColumn) && copyName(r.op, sizeof r.op, op);
}

// Copies records into a new movable block of exactly their size.
template <class T> int handOver(const std::vector<T>& records, HGLOBAL* out) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, records.size() * sizeof(T));
  void* p = block ? GlobalLock(block) : nullptr;
  if (!p) {
    if (block) GlobalFree(block);
    trx::reportNoMemory();
    return DBC_ERR_NO_MEMORY;
  }
  memcpy(p, records.data(), records.size() * sizeof(T));
  GlobalUnlock(block);
  *out = block;
  return DBC_OK;
}

int fetchJoins(Query& q, const std::vector<std::string>* keep, std::vector<TrxJoinRecord>& records) {
  int rc;
  while ((rc = q.fetch()) == DBC_OK) {
    std::string parent = q.column(1), child = q.column(3);
    if (keep && !(trx::tableInList(parent, *keep, trx::hostTools()) &&
                  trx::tableInList(child, *keep, trx::hostTools())))
      continue;
    TrxJoinRecord r;
    if (makeRecord(r, parent, q.column(2), child, q.column(4), "=")) records.push_back(r);
  }
  return rc == DBC_END_OF_DATA ? DBC_OK : rc;
}

int fetchKeyColumns(Query& q, const char* table, std::vector<TrxJoinRecord>& records) {
  int rc;
  while ((rc = q.fetch()) == DBC_OK) {
    TrxJoinRecord r;
    if (makeRecord(r, table, q.column(1), "", "", "")) records.push_back(r);
  }
  return rc == DBC_END_OF_DATA ? DBC_OK : rc;
}

int joinKey(DbcCursor cursor, const char* table, const char* database, const char* tableList, int mode,
            HGLOBAL* keys) {
  if (!keys) return kNothing;
  *keys = nullptr;
  if (mode < TRX_JOINS_IN_LIST || mode > TRX_PRIMARY_KEY) return kNothing;
  std::vector<std::string> listed = trx::splitTableList(tableList ? tableList : "");
  if (mode != TRX_JOINS_IN_LIST && (!table || !*table)) return kNothing;
  if (mode == TRX_JOINS_OF_PAIR && listed.empty()) return kNothing;
  Version v;
  int rc = resolveVersion(cursor, database, v);
  if (rc != DBC_OK) return rc;
  std::optional<std::string> sql;
  std::string code = trx::escapeLiteral(v.code);
  if (mode == TRX_JOINS_IN_LIST) sql = statement(IDS_JOINS, {v.databaseNo, code});
  if (mode == TRX_JOINS_OF_PAIR)
    sql = statement(IDS_JOINS_OF_PAIR,
                    {v.databaseNo, code, trx::escapeLiteral(table), trx::escapeLiteral(listed.front())});
  if (mode == TRX_PRIMARY_KEY)
    sql = statement(IDS_PRIMARY_KEY_COLUMNS, {trx::escapeLiteral(v.databaseNo), code, trx::escapeLiteral(table)});
  if (!sql) return kNothing;
  Query q(cursor);
  rc = q.run(*sql);
  std::vector<TrxJoinRecord> records;
  if (rc == DBC_OK)
    rc = mode == TRX_PRIMARY_KEY ? fetchKeyColumns(q, table, records)
                                 : fetchJoins(q, mode == TRX_JOINS_IN_LIST ? &listed : nullptr, records);
  if (rc != DBC_OK) return rc;
  if (records.empty()) return kNothing;
  return handOver(records, keys);
}

// --- update keys ------------------------------------------------------------

struct UpdateKey {
  std::vector<TrxUpdateKey> entries;
  std::string indexCreator, indexName;
};

bool addEntry(UpdateKey& key, const std::string& column, BYTE source) {
  TrxUpdateKey e{};
  if (!copyName(e.column, sizeof e.column, column)) return false;
  e.source = source;
  key.entries.push_back(e);
  return true;
}

// The brand's row id, when the brand has one.
void rowIdKey(DbcCursor cursor, UpdateKey& key) {
  if (SrvCapQueryServerBool(cursor, trx::kFlagSupportRowId) != 1) return;
  if (SrvCapQueryServerInt(cursor, trx::kNumberRowIdType) <= 0) return;
  std::string rowId = trx::serverString(cursor, trx::kStringRowId);
  if (!rowId.empty()) addEntry(key, rowId, TRX_KEY_ROWID);
}

// Reads every row of a one- or two-column statement.
int allRows(DbcCursor cursor, const std::optional<std::string>& sql, std::vector<std::pair<std::string, std::string>>& rows) {
  if (!sql) return kNothing;
  Query q(cursor);
  int rc = q.run(*sql);
  while (rc == DBC_OK && (rc = q.fetch()) == DBC_OK) rows.emplace_back(q.column(1), q.column(2));
  return rc == DBC_END_OF_DATA ? DBC_OK : rc;
}

// The columns of the table's first unique index that has any. Names that
// cannot stand in a catalogue command leave this source out.
int uniqueIndexKey(DbcCursor cursor, const std::string& user, const std::string& table, UpdateKey& key) {
  auto safe = [](const std::string& name) { return trx::isSafeCatalogName(name, trx::hostTools()); };
  if (!safe(table) || (!user.empty() && !safe(user))) return DBC_OK;
  using trx::catalogValue;
  std::vector<std::pair<std::string, std::string>> indexes;
  int rc = allRows(cursor,
                   user.empty() ? statement(IDS_CATALOG_UNIQUE_INDEXES_ANY_CREATOR, {catalogValue(table)})
                                : statement(IDS_CATALOG_UNIQUE_INDEXES, {catalogValue(user), catalogValue(table)}),
                   indexes);
  if (rc != DBC_OK) return rc == kNothing ? DBC_OK : rc;
  for (const auto& [creator, index] : indexes) {
    if (!safe(index) || (!creator.empty() && !safe(creator))) continue;
    std::vector<std::pair<std::string, std::string>> columns;
    rc = allRows(cursor,
                 creator.empty() ? statement(IDS_CATALOG_KEY, {catalogValue(index), catalogValue(table)})
                                 : statement(IDS_CATALOG_KEY_WITH_CREATOR,
                                             {catalogValue(index), catalogValue(table), catalogValue(creator)}),
                 columns);
    if (rc == kNothing) continue;
    if (rc != DBC_OK) return rc;
    UpdateKey found;
    bool fits = !columns.empty();
    for (const auto& column : columns) fits = fits && addEntry(found, column.first, TRX_KEY_UNIQUE_INDEX);
    if (!fits) continue;
    found.indexCreator = creator;
    found.indexName = index;
    key = found;
    return DBC_OK;
  }
  return DBC_OK;
}

// The primary key columns the repository holds for the table.
int primaryKey(DbcCursor cursor, const std::string& user, const std::string& table, const char* database,
               UpdateKey& key) {
  Version v;
  int rc = resolveVersion(cursor, database, v);
  if (rc != DBC_OK) return rc == kNothing ? DBC_OK : rc;
  std::string qualified = user.empty() ? table : user + "." + table;
  std::vector<std::pair<std::string, std::string>> columns;
  rc = allRows(cursor,
               statement(IDS_PRIMARY_KEY_COLUMNS,
                         {trx::escapeLiteral(v.databaseNo), trx::escapeLiteral(v.code), trx::escapeLiteral(qualified)}),
               columns);
  if (rc != DBC_OK) return rc == kNothing ? DBC_OK : rc;
  UpdateKey found;
  for (const auto& column : columns)
    if (!addEntry(found, column.first, TRX_KEY_PRIMARY_KEY)) return DBC_OK;
  key = found;
  return DBC_OK;
}

int updateKey(DbcCursor cursor, const char* userText, const char* tableText, const char* database, int options,
              int* source, char* indexCreator, char* indexName, HGLOBAL* keys) {
  if (!keys) return kNothing;
  *keys = nullptr;
  if (source) *source = 0;
  if (indexCreator) *indexCreator = 0;
  if (indexName) *indexName = 0;
  if (!tableText || !*tableText) return kNothing;
  if (options == 0) options = TRX_KEY_ROWID | TRX_KEY_UNIQUE_INDEX | TRX_KEY_PRIMARY_KEY;
  std::string user = trx::hostTools().cleanName(userText ? userText : "");
  std::string table = trx::hostTools().cleanName(tableText);
  UpdateKey key;
  if (options & TRX_KEY_ROWID) rowIdKey(cursor, key);
  int rc = DBC_OK;
  if (key.entries.empty() && (options & TRX_KEY_UNIQUE_INDEX)) rc = uniqueIndexKey(cursor, user, table, key);
  if (rc == DBC_OK && key.entries.empty() && (options & TRX_KEY_PRIMARY_KEY))
    rc = primaryKey(cursor, user, table, database, key);
  if (rc != DBC_OK) return -rc;
  if (key.entries.empty()) return kNothing;
  rc = handOver(key.entries, keys);
  if (rc != DBC_OK) return -rc;
  if (source) *source = key.entries.front().source;
  if (indexCreator) copyName(indexCreator, kNameChars + 1, key.indexCreator);
  if (indexName) copyName(indexName, kNameChars + 1, key.indexName);
  return int(key.entries.size());
}

template <class F> int guarded(int failure, F f) {
  try {
    return f();
  } catch (const std::bad_alloc&) {
    trx::reportNoMemory();
  } catch (...) {
  }
  return failure;
}

} // namespace

extern "C" {

int __stdcall DBMSGetJoinKey(DbcCursor cursor, const char* table, const char* database, const char* tableList,
                             int mode, HGLOBAL* keys) {
  return guarded(DBC_ERR_NO_MEMORY, [&] { return joinKey(cursor, table, database, tableList, mode, keys); });
}

int __stdcall DBMSGetUpdateKey(DbcCursor cursor, const char* user, const char* table, const char* database,
                               int options, int* source, char* indexCreator, char* indexName, HGLOBAL* keys) {
  return guarded(-DBC_ERR_NO_MEMORY, [&] {
    return updateKey(cursor, user, table, database, options, source, indexCreator, indexName, keys);
  });
}

} // extern "C"
