// "DCC.INI" beside the ODBC bridge library: dumps, the generic ODBC
// auto-write and the per-server overrides applied to a new context.
#pragma once
#include "client.h"
#include "context.h"

#include <optional>
#include <string>

namespace dbcaps {

struct Profile {
  std::string file;     // full path of DCC.INI
  std::string section;  // the server section
};
// The profile of an ODBC cursor; nullopt when the bridge library is not
// loaded or the cursor's server is not reached through ODBC.
std::optional<Profile> profileFor(const CursorFacts& facts);

// Steps run when a cursor's brand gets its context: dumps, auto-write, overrides.
void applyProfile(Context* context, unsigned cursor, const Profile& profile);

} // namespace dbcaps
