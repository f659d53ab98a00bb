#include "errors.h"

#include "dbclient.h"

namespace dbc {

namespace {

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool isWarning(const Diagnostic& d) { return startsWith(d.state, "01"); }

} // namespace

int codeForState(const std::string& state, int native) {
  // unixODBC reports a driver it cannot load as a bare warning state.
  if (state == "01000" && native == 0) return DBC_ERR_DRIVER_MANAGER;
  if (state == "HY000" || state == "S1000") {
    if (native >= 1 && native <= 9999) return DBC_ERR_NATIVE_BASE + native;
    return DBC_ERR_GENERAL;
  }
  if (state == "IM001" || state == "HYC00") return DBC_ERR_NOT_CAPABLE;
  if (state == "HYT00" || state == "HYT01") return DBC_ERR_TIMEOUT;
  if (startsWith(state, "IM")) return DBC_ERR_DRIVER_MANAGER;
  if (startsWith(state, "08")) return DBC_ERR_CONNECTION;
  if (startsWith(state, "42") || state == "37000" || state == "S0001" || state == "S0002" ||
      state == "S0021" || state == "S0022")
    return DBC_ERR_SYNTAX;
  if (startsWith(state, "23")) return DBC_ERR_CONSTRAINT;
  if (startsWith(state, "22")) return DBC_ERR_DATA;
  if (startsWith(state, "25") || startsWith(state, "40")) return DBC_ERR_TRANSACTION;
  if (startsWith(state, "28")) return DBC_ERR_AUTHORIZATION;
  return DBC_ERR_GENERAL;
}

int codeForDiagnostics(const std::vector<Diagnostic>& records) {
  if (records.empty()) return DBC_ERR_GENERAL;
  for (const Diagnostic& d : records)
    if (!isWarning(d)) return codeForState(d.state, d.native);
  return codeForState(records.front().state, records.front().native);
}

} // namespace dbc
