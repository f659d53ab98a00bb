// The connections trxserver.exe holds for the ids it hands out.
//
// One database connection per distinct connect text, opened with
// autocommit off, so everything done on it is one open transaction. Every
// id of that text has a cursor of its own on the connection (the first id
// the connection's first cursor), so all of them share the transaction.
// When the last id of a connection disconnects, the transaction ends:
// committed when the connect that opened the connection asked for it (bit
// 0 of its flags word), rolled back otherwise. `endAll` rolls back every
// open transaction.
#pragma once
#include "dbclient.h"

#include <windows.h>

#include <map>
#include <string>

class Registry {
public:
  // Ids count up from `lastId` + 1.
  explicit Registry(LONG lastId) : lastId_(lastId) {}
  ~Registry() { endAll(); }
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // DBC_OK and a new id, or the client's code.
  int connect(const std::string& text, bool commitAtEnd, LONG& id);
  // False for an id that is not ours.
  bool disconnect(LONG id);
  void endAll();
  // The cursor that serves an id; 0 for an id that is not ours.
  DbcCursor cursor(LONG id) const;

private:
  struct Connection {
    DbcCursor first = 0;       // the cursor DbcConnect opened
    bool commitAtEnd = false;  // asked for by the connect that opened it
    int users = 0;             // ids on this connection
  };
  struct Id {
    std::string text;          // the connection it belongs to
    DbcCursor cursor = 0;
  };

  int openCursor(const std::string& text, bool commitAtEnd, DbcCursor& cursor);

  std::map<std::string, Connection> connections_;
  std::map<LONG, Id> ids_;
  LONG lastId_;
};
