/* dbclient.dll: the SQL client. Cursors over ODBC (odbc32.dll, wide-character
 * calls), with the embedded SQLite database as the default connection.
 *
 * Link the CMake target `dbclient_api` (this header and an import library
 * that binds the plain export names).
 *
 * Every function is extern "C" __stdcall, exported by its plain name, takes
 * and returns 32-bit values, and returns DBC_OK (0) or one of the DBC_ERR_...
 * codes below. No function throws, none crashes on NULL pointers or unknown
 * handles, and output buffers are never written beyond the size given.
 *
 * ---------------------------------------------------------------------------
 * Cursors
 * ---------------------------------------------------------------------------
 * A cursor (DbcCursor, a 32-bit handle, never 0 and never 0xFFFFFFFF) is one
 * statement on one database connection. DbcConnect opens a connection and its
 * first cursor; DbcOpenCursor opens another cursor on the same connection
 * (same transaction), e.g. to run a statement while another cursor's result
 * set is still being fetched. DbcDisconnect closes one cursor; the connection
 * ends with its last cursor (uncommitted work is then rolled back).
 *
 * While open, the cursors of a process differ in their low 16 bits (callers
 * may key tables on the low half), and a closed cursor's value is not handed
 * out again until about 65,000 other cursors have been opened.
 *
 * ---------------------------------------------------------------------------
 * Connect text
 * ---------------------------------------------------------------------------
 * A list of items separated by ";". Two forms:
 *
 *  - ODBC form: the first item holds "=" (e.g. "DRIVER=SQLite3;Database=/tmp/x.db"
 *    or "DSN=name;UID=u;PWD=p"). The text goes to SQLDriverConnectW as it
 *    stands (no prompt), except for the client's own keywords below.
 *
 *  - Short form: the first item has no "=": it is the file name of an SQLite
 *    database, reached through the SQLite ODBC driver (registered as "SQLite3"
 *    by unixODBC, used under Wine; as "SQLite3 ODBC Driver" by its Windows
 *    setup). A relative name is made full against the current directory. The SQLite driver needs
 *    a path of the system it runs on: under Wine it runs on the Unix side, so
 *    the client turns the Windows path into the Unix one (wine_get_unix_file_name);
 *    on Windows the Windows path is used. Wine is detected at run time (ntdll
 *    exports wine_get_version). Under Wine a name starting with "/" is taken
 *    as a Unix path already, and a path with characters other than plain
 *    ASCII goes to the driver as an SQLite URI ("file:/..." percent-encoded),
 *    since unixODBC garbles such characters in a connect string (give an
 *    ODBC-form text ASCII paths, or URIs, for the same reason). SQLite creates a missing file; a folder that does
 *    not exist fails the connect. An empty connect text (or NULL) names the
 *    default database "dbclient.db" in the folder of dbclient.dll.
 *    Further items of the short form are passed on to the driver as they are
 *    ("mydb.db;Timeout=2000").
 *
 * Client keywords (either form, case-insensitive key, removed before the text
 * reaches the driver):
 *  - "RPADM=<file>": after connecting, the SQLite database <file> is attached
 *    as "RPADM" (ATTACH DATABASE '<path>' AS RPADM), so names "RPADM.TABLE"
 *    resolve on this connection. <file> is resolved like the short form's
 *    database file. A failed attach fails the connect. Meant for SQLite; on a
 *    server with a real RPADM schema leave it out.
 *
 * Opening a connection loads odbbridge32.dll (from the folder of
 * dbclient.dll; it stays loaded), so the profile "DCC.INI" is found beside it.
 *
 * ---------------------------------------------------------------------------
 * Statements
 * ---------------------------------------------------------------------------
 * DbcCompile prepares SQL text (the statement is checked by the driver),
 * DbcExecute runs it; a statement that returns rows opens a result set that
 * DbcFetch walks. Compiling again closes the previous result set. Columns
 * are read as text after each fetch, in any order and as often as wanted.
 *
 * Catalogue commands: a compiled text starting with "CATALOG" (any case) is
 * answered by the client from the ODBC catalogue functions, as a result set
 * read like any other:
 *
 *   CATALOG COLUMN [CREATOR = c,] TBNAME = t SELECT col, ...
 *       one row per column of table t (SQLColumnsW), in column order.
 *       Result columns: CREATOR, TBNAME, COLNAME, COLNO (1-based), COLTYPE
 *       (the server's type name), TYPECODE (ODBC SQL type code), LENGTH,
 *       SCALE, NULLS ("Y"/"N"), REMARKS, KEYSEQ (position in the primary
 *       key, 0 when not part of it).
 *   CATALOG INDEX [CREATOR = c,] TBNAME = t [, TYPE = U] SELECT col, ...
 *       one row per index of table t (SQLStatisticsW), in the driver's
 *       order. The first unique index whose columns are exactly the primary
 *       key's (SQLPrimaryKeysW) is marked "P"; when none is, the primary key
 *       is listed last as an index named "PRIMARY". TYPE = U lists unique
 *       indexes only (the primary key is unique). Result columns: IXCREATOR
 *       (the index qualifier, else the table's owner), IXNAME, TBCREATOR,
 *       TBNAME, UNIQUERULE ("P" primary key, "U" unique, "D" duplicates
 *       allowed), COLCOUNT. (SQLite names its key indexes
 *       "sqlite_autoindex_...".)
 *   CATALOG KEY IXNAME = i, TBNAME = t [, CREATOR = c] SELECT col, ...
 *       the key columns of index i of table t in key order; "PRIMARY", when
 *       no index has that name, gives the primary key's columns. Result
 *       columns: COLNAME, COLSEQ (1-based), ORDERING ("A"/"D"), IXNAME, TBNAME.
 *   CATALOG ROWID [CREATOR = c,] TBNAME = t SELECT col, ...
 *       the best row identifier of table t (SQLSpecialColumnsW, SQL_BEST_ROWID).
 *       Result columns: COLNAME, COLTYPE, PSEUDO ("Y" for a pseudo column
 *       such as SQLite's "rowid", else "N").
 * Keys and result-column names are case-insensitive; pairs may come in any
 * order; a value may be written in double or single quotes (which are
 * removed); an empty value or a missing CREATOR means any owner. The result
 * has exactly the columns named after SELECT, in that order. Index names
 * match case-insensitively. An unknown key or column, or a missing
 * TBNAME (or IXNAME for KEY), gives DBC_ERR_CATALOG_COMMAND (at DbcCompile).
 * A table that does not exist gives an empty result. The table name is
 * matched exactly (case-insensitive), never as a LIKE pattern. With the
 * SQLite driver, tables of an attached database (RPADM.X) are not reachable
 * through these commands: query them with SQL.
 *
 * ---------------------------------------------------------------------------
 * Error codes
 * ---------------------------------------------------------------------------
 * Codes are never 0 (success) and never -1, and none is 13, 14, 15, 145 or
 * 403 (callers give those their own meanings). DbcFetch's DBC_END_OF_DATA (1)
 * is not an error. Three groups:
 *  - 1001-1099: the client's own failures (no ODBC call failed).
 *  - 2001-2099: an ODBC call failed; the code follows the SQLSTATE of the
 *    first diagnostic record that is not a warning (class "01"), or of the
 *    first record when all are warnings; with no record at all,
 *    DBC_ERR_GENERAL. A driver-manager failure (native code 0) maps like any
 *    other, e.g. an unknown driver name gives DBC_ERR_DRIVER_MANAGER.
 *  - 10001-19999: a general error (SQLSTATE HY000 or S1000) that the driver
 *    qualified with a native code n, 1 <= n <= 9999: DBC_ERR_NATIVE_BASE + n.
 *    (SQLite: 10001 SQL error or missing table, 10005 busy, 10014 cannot
 *    open the database file, 10019 constraint.) Other native codes with
 *    HY000: DBC_ERR_GENERAL.
 * DbcGetErrorInfo and DbcGetErrorText tell the state, native code and
 * message of a cursor's last failure (cursor 0: of the last failed
 * DbcConnect / DbcOpenCursor / DbcOpenTestCursor).
 *
 * ---------------------------------------------------------------------------
 * DbcGetInfo items (every answer is text; numbers as decimal text)
 * ---------------------------------------------------------------------------
 *   1003        server type: "31" for an ODBC connection.
 *   5117        DBMS name (SQLGetInfoW SQL_DBMS_NAME), e.g. "SQLite".
 *   5119        driver file name (SQL_DRIVER_NAME), e.g. "sqlite3odbc.so".
 *   5500-5614   ODBC information type (item - 5500) of the connection:
 *               strings as they are; 16-bit and 32-bit numbers and bit masks
 *               as unsigned decimal text (5518 is SQL_DBMS_VER, "3.39.3").
 *               The handle-valued types (5503-5505, 5576) are refused with
 *               DBC_ERR_NOT_SUPPORTED, as are types the driver does not know.
 * Other items: DBC_ERR_NOT_SUPPORTED.
 *
 * ---------------------------------------------------------------------------
 * Test cursors
 * ---------------------------------------------------------------------------
 * DbcOpenTestCursor opens a cursor without a database. It answers only the
 * DbcGetInfo items set with DbcSetTestInfo (others: DBC_ERR_NOT_SUPPORTED);
 * statements and type information on it give DBC_ERR_NOT_CONNECTED.
 * DbcSetTestInfo also works on a real cursor: the set answer then replaces
 * the driver's for that item (e.g. a real SQLite cursor that reports
 * server type 4). Setting NULL makes the item fail with DBC_ERR_TEST_FAILURE.
 * ------------------------------------------------------------------------- */
#pragma once

#if defined(_WIN32)
#define DBC_CALL __stdcall
#else
#define DBC_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned int DbcCursor;

/* Results */
#define DBC_OK                    0
#define DBC_END_OF_DATA           1     /* DbcFetch: no more rows (not an error) */

/* The client's own failures */
#define DBC_ERR_CURSOR            1001  /* unknown or closed cursor handle */
#define DBC_ERR_ARGUMENT          1002  /* NULL pointer, negative size, column out of range */
#define DBC_ERR_TRUNCATED         1003  /* text did not fit: what fits is copied and terminated,
                                           the length out-argument holds the full length */
#define DBC_ERR_NO_STATEMENT      1004  /* execute without compile; fetch/read without a result set
                                           or before the first row */
#define DBC_ERR_NO_MEMORY         1005  /* out of memory or of cursor handles */
#define DBC_ERR_NO_ODBC           1006  /* odbc32.dll or one of its entries missing */
#define DBC_ERR_NOT_SUPPORTED     1007  /* unknown DbcGetInfo item, or one the driver cannot answer */
#define DBC_ERR_TEST_FAILURE      1008  /* a test answer set to fail */
#define DBC_ERR_CONNECT_TEXT      1009  /* connect text malformed or too long (max 1023 chars) */
#define DBC_ERR_PATH              1010  /* a database file name that cannot be made a driver path */
#define DBC_ERR_CATALOG_COMMAND   1011  /* malformed CATALOG command */
#define DBC_ERR_NOT_CONNECTED     1012  /* statement or type information on a test cursor */

/* ODBC failures by SQLSTATE */
#define DBC_ERR_DRIVER_MANAGER    2001  /* IM...: data source or driver not found, cannot load;
                                           01000 alone with native 0 (unixODBC's unknown driver) */
#define DBC_ERR_CONNECTION        2002  /* 08...: cannot connect, connection lost */
#define DBC_ERR_SYNTAX            2003  /* 42..., 37000, S0001, S0002, S0021, S0022: syntax,
                                           unknown or duplicate table or column, no privilege */
#define DBC_ERR_CONSTRAINT        2004  /* 23...: integrity constraint violated */
#define DBC_ERR_DATA              2005  /* 22...: data exception (conversion, overflow, truncation) */
#define DBC_ERR_TRANSACTION       2006  /* 25..., 40...: invalid transaction state, rollback, deadlock */
#define DBC_ERR_TIMEOUT           2007  /* HYT00, HYT01 */
#define DBC_ERR_NOT_CAPABLE       2008  /* HYC00, IM001: the driver lacks the feature */
#define DBC_ERR_AUTHORIZATION     2009  /* 28...: invalid user or password */
#define DBC_ERR_GENERAL           2099  /* any other state */
#define DBC_ERR_NATIVE_BASE       10000 /* + native code of a general error (HY000/S1000), 1..9999 */

/* DbcGetInfo items */
#define DBC_INFO_SERVER_TYPE      1003
#define DBC_INFO_DBMS_NAME        5117
#define DBC_INFO_DRIVER_NAME      5119
#define DBC_INFO_ODBC_BASE        5500  /* + ODBC information type, 0 .. 114 */
#define DBC_INFO_ODBC_LAST        5614
#define DBC_INFO_DBMS_VERSION     5518  /* = DBC_INFO_ODBC_BASE + SQL_DBMS_VER */
#define DBC_SERVER_TYPE_ODBC      31

/* Connections and cursors */
int DBC_CALL DbcConnect(const char* connectText, DbcCursor* cursor);
int DBC_CALL DbcOpenCursor(DbcCursor connection, DbcCursor* cursor);
int DBC_CALL DbcDisconnect(DbcCursor cursor);

/* Transactions (per connection; a new connection commits each statement) */
int DBC_CALL DbcSetAutoCommit(DbcCursor cursor, int on);
int DBC_CALL DbcCommit(DbcCursor cursor);
int DBC_CALL DbcRollback(DbcCursor cursor);

/* Statements */
int DBC_CALL DbcCompile(DbcCursor cursor, const char* sql);
int DBC_CALL DbcExecute(DbcCursor cursor);
/* DBC_OK with the next row current, DBC_END_OF_DATA after the last one. */
int DBC_CALL DbcFetch(DbcCursor cursor);
/* Columns of the result set (0 for a statement without one). */
int DBC_CALL DbcColumnCount(DbcCursor cursor, int* count);
/* Rows changed by the last executed INSERT, UPDATE or DELETE. */
int DBC_CALL DbcRowCount(DbcCursor cursor, int* count);
/* Name of result column `column` (1-based). */
int DBC_CALL DbcColumnName(DbcCursor cursor, int column, char* buffer, int size, int* length);
/* Value of column `column` (1-based) of the current row as text (the ANSI
 * code page). A NULL value gives "" and length -1. `length` may be NULL. */
int DBC_CALL DbcGetColumn(DbcCursor cursor, int column, char* buffer, int size, int* length);

/* Errors of the cursor's last failed call (cursor 0: last failed open).
 * state: 6 bytes ("HY000" and its terminator; "" for the client's own
 * failures); any out pointer may be NULL. Text: "[state] (native) message". */
int DBC_CALL DbcGetErrorInfo(DbcCursor cursor, int* code, int* nativeCode, char* state);
int DBC_CALL DbcGetErrorText(DbcCursor cursor, char* buffer, int size, int* length);

/* Information items (above). `length` (may be NULL) gets the text length. */
int DBC_CALL DbcGetInfo(DbcCursor cursor, int item, char* buffer, int size, int* length);

/* The driver's type information (SQLGetTypeInfoW, all types, in the
 * driver's order), read once per connection. Strings are cut to fit their
 * fields ("" for NULL). Numbers the driver leaves NULL: nullable 2, the
 * other flags and sizes 0, unsignedAttribute, autoUniqueValue and the
 * scales -1. */
typedef struct DbcTypeInfo {
  char typeName[64];          /* TYPE_NAME, e.g. "varchar" */
  int  dataType;              /* DATA_TYPE: ODBC SQL type code (SQL_VARCHAR = 12) */
  int  columnSize;            /* COLUMN_SIZE: maximum length or precision */
  char literalPrefix[16];     /* LITERAL_PREFIX, "" when none */
  char literalSuffix[16];     /* LITERAL_SUFFIX */
  char createParams[64];      /* CREATE_PARAMS: "", "length", "precision,scale", ... */
  int  nullable;              /* NULLABLE: 0 no, 1 yes, 2 unknown */
  int  caseSensitive;         /* 0 / 1 */
  int  searchable;            /* SEARCHABLE: 0 none, 1 LIKE only, 2 all but LIKE, 3 all */
  int  unsignedAttribute;     /* 1 unsigned, 0 signed, -1 not numeric */
  int  fixedPrecScale;        /* 0 / 1 */
  int  autoUniqueValue;       /* 0 / 1, -1 not numeric */
  char localTypeName[64];     /* LOCAL_TYPE_NAME */
  int  minimumScale;          /* -1 when not applicable */
  int  maximumScale;          /* -1 when not applicable */
} DbcTypeInfo;

int DBC_CALL DbcTypeInfoCount(DbcCursor cursor, int* count);
/* index 0 .. count-1; DBC_ERR_ARGUMENT outside. */
int DBC_CALL DbcGetTypeInfo(DbcCursor cursor, int index, DbcTypeInfo* info);

/* Test cursors (above). */
int DBC_CALL DbcOpenTestCursor(DbcCursor* cursor);
int DBC_CALL DbcSetTestInfo(DbcCursor cursor, int item, const char* text);

#ifdef __cplusplus
}
#endif
