#include "detect.h"

#include <cctype>
#include <initializer_list>

namespace dbcaps {
namespace {

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool startsWithAny(std::string_view s, std::initializer_list<std::string_view> prefixes) {
  for (auto p : prefixes)
    if (startsWith(s, p)) return true;
  return false;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// dBase-format files through the Q+E / Intersolv dBase drivers.
int qeDbase(std::string_view dbms, std::string_view version) {
  if (dbms == "dBase") {
    if (startsWith(version, "IV")) return 51;
    if (startsWith(version, "III")) return 62;
    if (startsWith(version, "CLIPPER")) return 61;
    if (startsWith(version, "FOXPRO")) return 63;
  }
  if (equalsNoCase(dbms, "dBASE III")) return 62;
  if (equalsNoCase(dbms, "dBASE IV")) return 51;
  if (equalsNoCase(dbms, "dBASE V")) return 72;
  if (equalsNoCase(dbms, "Clipper")) return 61;
  if (equalsNoCase(dbms, "FoxBASE")) return 74;
  if (dbms == "FoxPro") return 63;
  return 0;
}

int qeIdpParadox(std::string_view version) {
  if (startsWith(version, "4.00.0000")) return 69;
  if (startsWith(version, "5.00.0000")) return 70;
  return 68;  // 3.50.0000 and anything else
}

int simba(std::string_view dbms) {
  if (dbms == "DBASE4") return 52;
  if (dbms == "FoxPro 2.5") return 65;
  if (dbms == "ACCESS") return 58;
  return 0;
}

int db2Cli(std::string_view dbms) {
  if (dbms == "DB2/6000" || dbms == "DB2/2") return 64;
  if (dbms == "DB2 for MVS") return 75;
  return 0;
}

// Only the named drivers of this row qualify: any other driver is left to
// the generic entry rather than taken for SQL Server.
int nonJetDriver(std::string_view dbms, std::string_view driver, std::string_view version) {
  if (dbms == "Teradata" && driver == "TDATA.DLL") return 9;
  if (startsWith(driver, "QESS")) return 32;
  if (driver == "SQLSRVR.DLL" || driver == "SQLSRV32.DLL") return startsWith(version, "06") ? 73 : 8;
  return 0;
}

int jet(std::string_view dbms, std::string_view version) {
  if (dbms == "ACCESS") return 66;
  if (dbms == "DBASE" && (startsWith(version, "4.0") || startsWith(version, "5.0"))) return 52;
  return 0;
}

} // namespace

std::optional<int> brandFromServerType(std::optional<std::string_view> answer) {
  if (!answer) return 0;
  long value = 0;
  size_t i = 0;
  for (; i < answer->size() && std::isdigit(static_cast<unsigned char>((*answer)[i])); ++i) {
    value = value * 10 + ((*answer)[i] - '0');
    if (value > 1000000) return 0;
  }
  if (i == 0 || value == 0) return 0;
  if (value == 99) return 2;
  if (value == kServerTypeOdbc) return std::nullopt;
  return int(value);
}

int brandFromOdbc(std::string_view dbms, std::string_view driver, std::string_view version) {
  int brand = 0;
  if (startsWithAny(driver, {"QEDBF", "QXDBF", "IVDBF"}) && (brand = qeDbase(dbms, version))) return brand;
  if (startsWithAny(driver, {"QEIDP", "QXIDP"}) && dbms == "Paradox") return qeIdpParadox(version);
  if (driver == "SIMBA.DLL" && (brand = simba(dbms))) return brand;
  if (dbms == "Paradox" && startsWithAny(driver, {"QEPDX", "QXPDX"})) return startsWith(version, "4.00") ? 53 : 60;
  if (dbms == "Rdb" && equalsNoCase(driver, "SQRDB.DLL")) return 54;
  if (dbms == "DB2" && startsWith(driver, "QEMDI")) return 55;
  if (dbms == "SQL/400" && driver == "EHNODBC.DLL") return 7;
  if (dbms == "DB2/400 SQL" && driver == "EHNODBC3.DLL") return 76;
  if (dbms == "OS/400" && driver == "SCODBC.DLL") return 59;
  if (driver == "WDODBC.DLL") return 67;
  if (driver == "ALLBASE.DLL" || startsWith(driver, "QEHP")) return 10;
  if (driver == "VSIFMX5.DLL") return 24;
  if (startsWith(driver, "VSORAC")) return 28;
  if (driver == "VSSYB.DLL") return 32;
  if (driver == "SUP2ODBC.DLL") return 71;
  if (dbms == "Oracle7" && startsWith(driver, "SQORA7")) return 28;
  if (driver == "DB2CLIW.DLL" && (brand = db2Cli(dbms))) return brand;
  if (startsWith(driver, "QEING") || (driver == "SQING.DLL" && dbms == "Ingres")) return 15;
  if (dbms == "Tandem NonStop SQL" && driver == "TDMSRVR.DLL") return 56;
  if (startsWithAny(driver, {"QEBTR", "QXBTR"})) return 57;
  if (!startsWith(driver, "ODBCJT") && (brand = nonJetDriver(dbms, driver, version))) return brand;
  if (startsWith(driver, "ODBCJT") && (brand = jet(dbms, version))) return brand;
  return kServerTypeOdbc;
}

} // namespace dbcaps
