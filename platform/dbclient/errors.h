// How ODBC diagnostics become the client's error codes (see dbclient.h).
// Pure logic: no windows.h, so it is tested natively.
#pragma once
#include <string>
#include <vector>

namespace dbc {

struct Diagnostic {
  std::string state;  // five characters, e.g. "HY000"
  int native = 0;
  std::string message;
};

// The client code for a failed ODBC call that left these records.
int codeForDiagnostics(const std::vector<Diagnostic>& records);

// The client code for one SQLSTATE and native code.
int codeForState(const std::string& state, int native);

} // namespace dbc
