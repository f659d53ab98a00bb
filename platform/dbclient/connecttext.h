// The connect text (see dbclient.h): its two forms and the client's own
// keywords. Pure logic: paths are turned into driver paths elsewhere.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace dbc {

constexpr size_t kMaxConnectText = 1023;

struct ConnectText {
  bool shortForm = false;
  std::string databaseFile;            // short form: the SQLite file, "" = the default
  std::string rpadmFile;               // "RPADM=" value, "" when not asked for
  std::vector<std::string> driverItems;  // items passed on to the driver, in order
};

// Splits and checks a connect text; nullopt when malformed.
std::optional<ConnectText> parseConnectText(const std::string& text);

// The ODBC connection string: for the short form `databasePath` (already a
// driver path) becomes the database of the SQLite driver `sqliteDriver`.
std::string driverConnectString(const ConnectText& c, const std::string& sqliteDriver,
                                const std::string& databasePath);

// The SQLite database name for a Unix path: the path itself when it is
// plain ASCII, else an SQLite URI ("file:" and the path with its other
// bytes percent-encoded). unixODBC hands a wide connect string to the
// driver as UTF-8 with a length counted in characters, which garbles a
// path with non-ASCII characters; a URI is ASCII throughout.
std::string sqliteDatabaseName(const std::string& unixPath);

// SQL that attaches `path` as the RPADM database (quotes doubled).
std::string attachStatement(const std::string& path);

} // namespace dbc
