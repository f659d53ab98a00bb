// File names for the SQLite driver, and the ODBC bridge library. Texts are
// UTF-8 here; the ODBC calls get them as wide strings.
#pragma once
#include <optional>
#include <string>

namespace dbc {

// True under Wine (ntdll exports wine_get_version there).
bool runningOnWine();

// The path the SQLite driver needs for database file `name` (UTF-8; "" =
// the default database beside dbclient.dll): a full Windows path on
// Windows, the Unix path under Wine, where the driver runs on the Unix
// side. nullopt when no such path can be made (e.g. a missing folder).
std::optional<std::string> driverPath(const std::string& name);

// The name under which the SQLite ODBC driver is registered: "SQLite3"
// with unixODBC (under Wine), "SQLite3 ODBC Driver" by its Windows setup.
std::string sqliteDriverName();

// Loads odbbridge32.dll once (from the folder of dbclient.dll, else by
// the normal search), so "DCC.INI" is found beside it.
void loadBridge();

std::wstring widen(const std::string& text, unsigned codePage);
std::string narrow(const std::wstring& text, unsigned codePage);

} // namespace dbc
