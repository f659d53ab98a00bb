#include "odbc.h"

namespace dbc {

namespace {

template <typename F> bool bind(HMODULE m, const char* name, F& f) {
  f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
  return f != nullptr;
}

bool load(Odbc& o) {
  HMODULE m = LoadLibraryA("odbc32.dll");
  if (!m) return false;
  return bind(m, "SQLAllocHandle", o.AllocHandle) && bind(m, "SQLFreeHandle", o.FreeHandle) &&
         bind(m, "SQLSetEnvAttr", o.SetEnvAttr) && bind(m, "SQLSetConnectAttrW", o.SetConnectAttrW) &&
         bind(m, "SQLDriverConnectW", o.DriverConnectW) && bind(m, "SQLDisconnect", o.Disconnect) &&
         bind(m, "SQLEndTran", o.EndTran) && bind(m, "SQLPrepareW", o.PrepareW) &&
         bind(m, "SQLExecute", o.Execute) && bind(m, "SQLExecDirectW", o.ExecDirectW) &&
         bind(m, "SQLFreeStmt", o.FreeStmt) && bind(m, "SQLNumResultCols", o.NumResultCols) &&
         bind(m, "SQLDescribeColW", o.DescribeColW) && bind(m, "SQLRowCount", o.RowCount) &&
         bind(m, "SQLFetch", o.Fetch) && bind(m, "SQLGetData", o.GetData) &&
         bind(m, "SQLGetDiagRecW", o.GetDiagRecW) && bind(m, "SQLGetInfoW", o.GetInfoW) &&
         bind(m, "SQLGetTypeInfoW", o.GetTypeInfoW) && bind(m, "SQLColumnsW", o.ColumnsW) &&
         bind(m, "SQLStatisticsW", o.StatisticsW) && bind(m, "SQLPrimaryKeysW", o.PrimaryKeysW) &&
         bind(m, "SQLSpecialColumnsW", o.SpecialColumnsW);
}

} // namespace

const Odbc* odbc() {
  static Odbc o{};
  static const bool loaded = load(o);
  return loaded ? &o : nullptr;
}

SQLHENV odbcEnvironment() {
  static SQLHENV env = [] {
    const Odbc* o = odbc();
    SQLHENV e = SQL_NULL_HENV;
    if (!o || !SQL_SUCCEEDED(o->AllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &e))) return SQLHENV(SQL_NULL_HENV);
    o->SetEnvAttr(e, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    return e;
  }();
  return env;
}

} // namespace dbc
