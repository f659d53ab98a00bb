#include "registry.h"

namespace {

void endConnection(DbcCursor first, bool commit) {
  if (commit) DbcCommit(first);
  else DbcRollback(first);
  DbcDisconnect(first);
}

} // namespace

// A cursor for a new id: the connection's first cursor for its first id,
// another cursor on it for later ids.
int Registry::openCursor(const std::string& text, bool commitAtEnd, DbcCursor& cursor) {
  auto found = connections_.find(text);
  if (found != connections_.end()) {
    int rc = DbcOpenCursor(found->second.first, &cursor);
    if (rc == DBC_OK) ++found->second.users;
    return rc;
  }
  Connection c;
  int rc = DbcConnect(text.c_str(), &c.first);
  if (rc != DBC_OK) return rc;
  rc = DbcSetAutoCommit(c.first, 0);
  if (rc != DBC_OK) {
    DbcDisconnect(c.first);
    return rc;
  }
  c.commitAtEnd = commitAtEnd;
  c.users = 1;
  cursor = c.first;
  connections_.emplace(text, c);
  return DBC_OK;
}

int Registry::connect(const std::string& text, bool commitAtEnd, LONG& id) {
  DbcCursor cursor = 0;
  int rc = openCursor(text, commitAtEnd, cursor);
  if (rc != DBC_OK) return rc;
  id = ++lastId_;
  ids_[id] = Id{text, cursor};
  return DBC_OK;
}

// The first cursor stays while the connection has users, since it holds
// the connection; any other cursor goes with its id.
bool Registry::disconnect(LONG id) {
  auto found = ids_.find(id);
  if (found == ids_.end()) return false;
  auto conn = connections_.find(found->second.text);
  Connection& c = conn->second;
  if (found->second.cursor != c.first) DbcDisconnect(found->second.cursor);
  if (--c.users == 0) {
    endConnection(c.first, c.commitAtEnd);
    connections_.erase(conn);
  }
  ids_.erase(found);
  return true;
}

void Registry::endAll() {
  for (auto& [id, entry] : ids_) {
    if (entry.cursor != connections_[entry.text].first) DbcDisconnect(entry.cursor);
  }
  for (auto& [text, c] : connections_) endConnection(c.first, false);
  ids_.clear();
  connections_.clear();
}

DbcCursor Registry::cursor(LONG id) const {
  auto found = ids_.find(id);
  return found == ids_.end() ? 0 : found->second.cursor;
}
