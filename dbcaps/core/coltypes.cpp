// Built-in column type tables. Each brand's first record is its most used
// type; the rest are the types the server accepts in CREATE TABLE, with their
// DDL text ("%d" stands for precision, then scale). Brands named together on
// one table share it. Fields: column name, catalogue type, create statement,
// host type, maximum precision, precision, scale, maximum scale, alternate
// host type, nullable, long descriptor, NULL in DDL, unique index.
#include "brands.h"

#include <algorithm>
#include <iterator>

namespace dbcaps {
namespace {

constexpr Requirement NO = kNotAllowed, YES = kRequired, OPT = kOptional;

// 1
constexpr ColumnType kVeldra[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE PRECISION", "DOUBLE PRECISION", "DOUBLE PRECISION", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 32700, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME", "DATETIME", "DATETIME", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"NUMBER", "NUMBER", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
};

// 2
constexpr ColumnType kDB2[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 4000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 32700, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostString, 127, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARGRAPHIC", "VARGRAPHIC", "VARGRAPHIC(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
};

// 3
constexpr ColumnType kExtendedEdition[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 4000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 32700, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
};

// 55
constexpr ColumnType kDb2Mdi[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 4000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 32700, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostString, 127, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARGRAPHIC", "VARGRAPHIC", "VARGRAPHIC(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
};

// 64
constexpr ColumnType kCaeDb2[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 4000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 32700, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostString, 127, YES, NO, 0, 0, 1, "", 1, 1},
};

// 75
constexpr ColumnType kCaeDb2Mvs[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 4000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 32700, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostString, 127, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARGRAPHIC", "VARGRAPHIC", "VARGRAPHIC(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARGRAPHIC", "LONG VARGRAPHIC", "LONG VARGRAPHIC", kHostLongString, 16350, NO, NO, 0, 1, 1, "LONG VARGRAPHIC", 1, 0},
};

// 7
constexpr ColumnType kAs400[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE", "DOUBLE", "DOUBLE", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 32766, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 32740, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostString, 16383, YES, NO, 0, 0, 1, "", 1, 1},
};

// 59, 67
constexpr ColumnType kShowcase[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE", "DOUBLE", "DOUBLE", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 32766, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 32740, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostString, 16383, YES, NO, 0, 0, 1, "", 1, 1},
};

// 76
constexpr ColumnType kDb2For400[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE", "DOUBLE", "DOUBLE", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 32766, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 32740, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostString, 16383, YES, NO, 0, 0, 1, "", 1, 1},
};

// 4
constexpr ColumnType kOracle[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 38, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 38, NO, NO, 0, 0, 1, "", 1, 1},
  {"NUMBER", "NUMBER", "NUMBER(%d,%d)", kHostNumber, 38, OPT, OPT, 127, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 126, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR2", "VARCHAR2", "VARCHAR2(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG", "LONG", "LONG", kHostLongString, 2147483647, NO, NO, 0, 1, 1, "LONG", 1, 0},
  {"DATE", "DATE", "DATE", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"RAW", "RAW", "RAW(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"LONG RAW", "LONG RAW", "LONG RAW", kHostLongBinary, 2147483647, NO, NO, 0, 0, 1, "LONG RAW", 1, 0},
  {"REAL", "REAL", "REAL", kHostNumber, 63, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE PRECISION", "DOUBLE PRECISION", "DOUBLE PRECISION", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"ROWID", "ROWID", "ROWID", kHostString, 18, NO, NO, 0, 0, 1, "", 1, 0},
};

// 28
constexpr ColumnType kOracle7[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 38, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 38, NO, NO, 0, 0, 1, "", 1, 1},
  {"NUMBER", "NUMBER", "NUMBER(%d,%d)", kHostNumber, 38, OPT, OPT, 127, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 126, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR2", "VARCHAR2", "VARCHAR2(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG", "LONG", "LONG", kHostLongString, 2147483647, NO, NO, 0, 1, 1, "LONG", 1, 0},
  {"DATE", "DATE", "DATE", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"RAW", "RAW", "RAW(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"LONG RAW", "LONG RAW", "LONG RAW", kHostLongBinary, 2147483647, NO, NO, 0, 0, 1, "LONG RAW", 1, 0},
  {"REAL", "REAL", "REAL", kHostNumber, 63, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE PRECISION", "DOUBLE PRECISION", "DOUBLE PRECISION", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"ROWID", "ROWID", "ROWID", kHostString, 18, NO, NO, 0, 0, 1, "", 1, 0},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"MLSLABEL", "MLSLABEL", "MLSLABEL", kHostString, 255, NO, NO, 0, 0, 1, "", 1, 0},
  {"CHARACTER", "CHARACTER", "CHARACTER(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
};

// 5, 33, 37
constexpr ColumnType kInformixSe[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY(%d,%d)", kHostNumber, 32, OPT, OPT, 32, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"SMALLFLOAT", "SMALLFLOAT", "SMALLFLOAT", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 32767, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME YEAR TO SECOND", "DATETIME YEAR TO SECOND", "DATETIME YEAR TO SECOND", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME HOUR TO SECOND", "DATETIME HOUR TO SECOND", "DATETIME HOUR TO SECOND", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME YEAR TO FRACTION", "DATETIME YEAR TO FRACTION", "DATETIME YEAR TO FRACTION(%d)", kHostDateTime, 5, OPT, NO, 0, 0, 1, "", 1, 1},
  {"INTERVAL DAY TO SECOND", "INTERVAL DAY TO SECOND", "INTERVAL DAY(%d) TO SECOND", kHostString, 9, OPT, NO, 0, 0, 1, "", 1, 1},
  {"SERIAL", "SERIAL", "SERIAL", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
};

// 24, 34, 38
constexpr ColumnType kInformixOl[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY(%d,%d)", kHostNumber, 32, OPT, OPT, 32, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"SMALLFLOAT", "SMALLFLOAT", "SMALLFLOAT", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 32767, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME YEAR TO SECOND", "DATETIME YEAR TO SECOND", "DATETIME YEAR TO SECOND", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME HOUR TO SECOND", "DATETIME HOUR TO SECOND", "DATETIME HOUR TO SECOND", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME YEAR TO FRACTION", "DATETIME YEAR TO FRACTION", "DATETIME YEAR TO FRACTION(%d)", kHostDateTime, 5, OPT, NO, 0, 0, 1, "", 1, 1},
  {"INTERVAL DAY TO SECOND", "INTERVAL DAY TO SECOND", "INTERVAL DAY(%d) TO SECOND", kHostString, 9, OPT, NO, 0, 0, 1, "", 1, 1},
  {"SERIAL", "SERIAL", "SERIAL", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"TEXT", "TEXT", "TEXT", kHostLongString, 2147483647, NO, NO, 0, 1, 1, "TEXT", 1, 0},
};

// 35
constexpr ColumnType kInformixSeNls[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY(%d,%d)", kHostNumber, 32, OPT, OPT, 32, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"SMALLFLOAT", "SMALLFLOAT", "SMALLFLOAT", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 32767, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME YEAR TO SECOND", "DATETIME YEAR TO SECOND", "DATETIME YEAR TO SECOND", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME HOUR TO SECOND", "DATETIME HOUR TO SECOND", "DATETIME HOUR TO SECOND", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME YEAR TO FRACTION", "DATETIME YEAR TO FRACTION", "DATETIME YEAR TO FRACTION(%d)", kHostDateTime, 5, OPT, NO, 0, 0, 1, "", 1, 1},
  {"INTERVAL DAY TO SECOND", "INTERVAL DAY TO SECOND", "INTERVAL DAY(%d) TO SECOND", kHostString, 9, OPT, NO, 0, 0, 1, "", 1, 1},
  {"SERIAL", "SERIAL", "SERIAL", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"NCHAR", "NCHAR", "NCHAR(%d)", kHostString, 32767, YES, NO, 0, 0, 1, "", 1, 1},
};

// 36
constexpr ColumnType kInformixOlNls[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY(%d,%d)", kHostNumber, 32, OPT, OPT, 32, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"SMALLFLOAT", "SMALLFLOAT", "SMALLFLOAT", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 32767, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME YEAR TO SECOND", "DATETIME YEAR TO SECOND", "DATETIME YEAR TO SECOND", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME HOUR TO SECOND", "DATETIME HOUR TO SECOND", "DATETIME HOUR TO SECOND", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME YEAR TO FRACTION", "DATETIME YEAR TO FRACTION", "DATETIME YEAR TO FRACTION(%d)", kHostDateTime, 5, OPT, NO, 0, 0, 1, "", 1, 1},
  {"INTERVAL DAY TO SECOND", "INTERVAL DAY TO SECOND", "INTERVAL DAY(%d) TO SECOND", kHostString, 9, OPT, NO, 0, 0, 1, "", 1, 1},
  {"SERIAL", "SERIAL", "SERIAL", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"TEXT", "TEXT", "TEXT", kHostLongString, 2147483647, NO, NO, 0, 1, 1, "TEXT", 1, 0},
  {"NCHAR", "NCHAR", "NCHAR(%d)", kHostString, 32767, YES, NO, 0, 0, 1, "", 1, 1},
  {"NVARCHAR", "NVARCHAR", "NVARCHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
};

// 6
constexpr ColumnType kNetwareSql[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"TINYINT", "TINYINT", "TINYINT", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY(%d,%d)", kHostNumber, 19, OPT, OPT, 4, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"LSTRING", "LSTRING", "LSTRING(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"ZSTRING", "ZSTRING", "ZSTRING(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"BIT", "BIT", "BIT", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"AUTOINC", "AUTOINC", "AUTOINC", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
};

// 57
constexpr ColumnType kQeBtrieve[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"TINYINT", "TINYINT", "TINYINT", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY(%d,%d)", kHostNumber, 19, OPT, OPT, 4, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"LSTRING", "LSTRING", "LSTRING(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"ZSTRING", "ZSTRING", "ZSTRING(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"NOTE", "NOTE", "NOTE", kHostLongString, 32761, NO, NO, 0, 1, 1, "NOTE", 1, 0},
  {"LVAR", "LVAR", "LVAR", kHostLongBinary, 32761, NO, NO, 0, 0, 1, "LVAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"BIT", "BIT", "BIT", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"AUTOINC", "AUTOINC", "AUTOINC", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"UNSIGNED", "UNSIGNED", "UNSIGNED", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"BFLOAT", "BFLOAT", "BFLOAT", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE", "DOUBLE", "DOUBLE", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
};

// 8
constexpr ColumnType kSqlServer[] = {
  {"int", "int", "int", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"smallint", "smallint", "smallint", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"tinyint", "tinyint", "tinyint", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"float", "float", "float(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"real", "real", "real", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"money", "money", "money", kHostNumber, 19, NO, NO, 0, 0, 1, "", 1, 1},
  {"smallmoney", "smallmoney", "smallmoney", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"char", "char", "char(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"varchar", "varchar", "varchar(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"text", "text", "text", kHostLongString, 2147483647, NO, NO, 0, 1, 1, "text", 1, 0},
  {"binary", "binary", "binary(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"varbinary", "varbinary", "varbinary(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"image", "image", "image", kHostLongBinary, 2147483647, NO, NO, 0, 0, 1, "image", 1, 0},
  {"datetime", "datetime", "datetime", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"smalldatetime", "smalldatetime", "smalldatetime", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"bit", "bit", "bit", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 0, 0},
  {"sysname", "sysname", "sysname", kHostString, 30, NO, NO, 0, 0, 1, "", 1, 1},
};

// 73
constexpr ColumnType kSqlServer6[] = {
  {"int", "int", "int", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"smallint", "smallint", "smallint", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"tinyint", "tinyint", "tinyint", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"float", "float", "float(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"real", "real", "real", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"money", "money", "money", kHostNumber, 19, NO, NO, 0, 0, 1, "", 1, 1},
  {"smallmoney", "smallmoney", "smallmoney", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"decimal", "decimal", "decimal(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"numeric", "numeric", "numeric(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"char", "char", "char(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"varchar", "varchar", "varchar(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"text", "text", "text", kHostLongString, 2147483647, NO, NO, 0, 1, 1, "text", 1, 0},
  {"binary", "binary", "binary(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"varbinary", "varbinary", "varbinary(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"image", "image", "image", kHostLongBinary, 2147483647, NO, NO, 0, 0, 1, "image", 1, 0},
  {"datetime", "datetime", "datetime", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"smalldatetime", "smalldatetime", "smalldatetime", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"bit", "bit", "bit", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 0, 0},
  {"sysname", "sysname", "sysname", kHostString, 30, NO, NO, 0, 0, 1, "", 1, 1},
  {"timestamp", "timestamp", "timestamp", kHostLongBinary, 8, NO, NO, 0, 0, 1, "", 0, 0},
  {"integer", "integer", "integer", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"dec", "dec", "dec(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"double precision", "double precision", "double precision", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"character", "character", "character(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"char varying", "char varying", "char varying(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"character varying", "character varying", "character varying(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"binary varying", "binary varying", "binary varying(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"float(n)", "float(n)", "float(%d)", kHostNumber, 15, YES, NO, 0, 0, 1, "", 1, 1},
  {"smallint identity", "smallint identity", "smallint identity", kHostNumber, 5, NO, NO, 0, 0, 1, "", 0, 1},
  {"int identity", "int identity", "int identity", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
};

// 32
constexpr ColumnType kSystem10[] = {
  {"int", "int", "int", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"smallint", "smallint", "smallint", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"tinyint", "tinyint", "tinyint", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"float", "float", "float(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"real", "real", "real", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"money", "money", "money", kHostNumber, 19, NO, NO, 0, 0, 1, "", 1, 1},
  {"smallmoney", "smallmoney", "smallmoney", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"double precision", "double precision", "double precision", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"decimal", "decimal", "decimal(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"numeric", "numeric", "numeric(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"char", "char", "char(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"varchar", "varchar", "varchar(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"nchar", "nchar", "nchar(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"nvarchar", "nvarchar", "nvarchar(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"text", "text", "text", kHostLongString, 2147483647, NO, NO, 0, 1, 1, "text", 1, 0},
  {"binary", "binary", "binary(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"varbinary", "varbinary", "varbinary(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"image", "image", "image", kHostLongBinary, 2147483647, NO, NO, 0, 0, 1, "image", 1, 0},
  {"datetime", "datetime", "datetime", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"smalldatetime", "smalldatetime", "smalldatetime", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"bit", "bit", "bit", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 0, 0},
  {"sysname", "sysname", "sysname", kHostString, 30, NO, NO, 0, 0, 1, "", 1, 1},
  {"timestamp", "timestamp", "timestamp", kHostLongBinary, 8, NO, NO, 0, 0, 1, "", 0, 0},
  {"dec", "dec", "dec(%d,%d)", kHostNumber, 38, YES, OPT, 38, 0, 1, "", 1, 1},
  {"integer", "integer", "integer", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
};

// 9
constexpr ColumnType kTeradata[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"BYTEINT", "BYTEINT", "BYTEINT", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 18, YES, OPT, 18, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 32000, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 32000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 32000, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"BYTE", "BYTE", "BYTE(%d)", kHostLongBinary, 32000, YES, NO, 0, 0, 1, "", 1, 0},
  {"VARBYTE", "VARBYTE", "VARBYTE(%d)", kHostLongBinary, 32000, YES, NO, 0, 0, 1, "", 1, 0},
};

// 10
constexpr ColumnType kAllbase[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 27, YES, OPT, 27, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 24, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 3996, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 3996, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG BINARY", "LONG BINARY", "LONG BINARY", kHostLongBinary, 2147483647, NO, NO, 0, 0, 1, "LONG BINARY", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME", "DATETIME", "DATETIME", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"INTERVAL", "INTERVAL", "INTERVAL", kHostString, 0, NO, NO, 0, 0, 1, "", 1, 0},
  {"BINARY", "BINARY", "BINARY(%d)", kHostLongBinary, 3996, YES, NO, 0, 0, 1, "", 1, 0},
  {"VARBINARY", "VARBINARY", "VARBINARY(%d)", kHostLongBinary, 3996, YES, NO, 0, 0, 1, "", 1, 0},
};

// 15
constexpr ColumnType kIngres[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"INTEGER1", "INTEGER1", "INTEGER1", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT4", "FLOAT4", "FLOAT4", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY", kHostNumber, 16, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 31, YES, OPT, 31, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"C", "C", "C(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"TEXT", "TEXT", "TEXT(%d)", kHostString, 2000, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 2147483647, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"BYTE", "BYTE", "BYTE(%d)", kHostLongBinary, 2000, YES, NO, 0, 0, 1, "", 1, 0},
  {"BYTE VARYING", "BYTE VARYING", "BYTE VARYING(%d)", kHostLongBinary, 2000, YES, NO, 0, 0, 1, "", 1, 0},
  {"LONG BYTE", "LONG BYTE", "LONG BYTE", kHostLongBinary, 2147483647, NO, NO, 0, 0, 1, "LONG BYTE", 1, 0},
  {"OBJECT_KEY", "OBJECT_KEY", "OBJECT_KEY", kHostLongBinary, 16, NO, NO, 0, 0, 1, "", 0, 1},
  {"TABLE_KEY", "TABLE_KEY", "TABLE_KEY", kHostLongBinary, 8, NO, NO, 0, 0, 1, "", 0, 1},
  {"FLOAT8", "FLOAT8", "FLOAT8", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
};

// 20, 71
constexpr ColumnType kSupra[] = {
  {"FIXED", "FIXED", "FIXED(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE PRECISION", "DOUBLE PRECISION", "DOUBLE PRECISION", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHARACTER", "CHARACTER", "CHARACTER(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
};

// 31
constexpr ColumnType kOdbcGeneric[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 15, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 15, OPT, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "LONG VARCHAR", kHostLongString, 32700, NO, NO, 0, 1, 1, "LONG VARCHAR", 1, 0},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
};

// 51
constexpr ColumnType kQeDbase[] = {
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d,%d)", kHostNumber, 20, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"INTEGER", "INTEGER", "NUMERIC(11,0)", kHostNumber, 11, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "NUMERIC(6,0)", kHostNumber, 6, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "MEMO", kHostLongString, 65535, NO, NO, 0, 0, 1, "MEMO", 1, 0},
};

// 52
constexpr ColumnType kMsDbase[] = {
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d,%d)", kHostNumber, 20, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"INTEGER", "INTEGER", "NUMERIC(11,0)", kHostNumber, 11, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "NUMERIC(6,0)", kHostNumber, 6, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "MEMO", kHostLongString, 65535, NO, NO, 0, 0, 1, "MEMO", 1, 0},
};

// 61, 62
constexpr ColumnType kQeDbase3[] = {
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d,%d)", kHostNumber, 20, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"INTEGER", "INTEGER", "NUMERIC(11,0)", kHostNumber, 11, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "NUMERIC(6,0)", kHostNumber, 6, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "MEMO", kHostLongString, 65535, NO, NO, 0, 0, 1, "MEMO", 1, 0},
};

// 63
constexpr ColumnType kQeFoxPro[] = {
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d,%d)", kHostNumber, 20, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"INTEGER", "INTEGER", "NUMERIC(11,0)", kHostNumber, 11, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "NUMERIC(6,0)", kHostNumber, 6, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "MEMO", kHostLongString, 65535, NO, NO, 0, 0, 1, "MEMO", 1, 0},
};

// 65
constexpr ColumnType kMsFoxPro[] = {
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d,%d)", kHostNumber, 20, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"INTEGER", "INTEGER", "NUMERIC(11,0)", kHostNumber, 11, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "NUMERIC(6,0)", kHostNumber, 6, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
};

// 72
constexpr ColumnType kQeDbase5[] = {
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d,%d)", kHostNumber, 20, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"INTEGER", "INTEGER", "NUMERIC(11,0)", kHostNumber, 11, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "NUMERIC(6,0)", kHostNumber, 6, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"LONG VARCHAR", "LONG VARCHAR", "MEMO", kHostLongString, 65535, NO, NO, 0, 0, 1, "MEMO", 1, 0},
  {"BINARY", "BINARY", "BINARY", kHostLongBinary, 65535, NO, NO, 0, 0, 1, "BINARY", 1, 0},
  {"OLE", "OLE", "OLE", kHostLongBinary, 65535, NO, NO, 0, 0, 1, "OLE", 1, 0},
};

// 74
constexpr ColumnType kQeFoxBase[] = {
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d,%d)", kHostNumber, 20, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"INTEGER", "INTEGER", "NUMERIC(11,0)", kHostNumber, 11, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "NUMERIC(6,0)", kHostNumber, 6, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "NUMERIC(%d,%d)", kHostNumber, 19, YES, OPT, 15, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "CHAR(%d)", kHostString, 254, YES, NO, 0, 0, 1, "", 1, 1},
};

// 53
constexpr ColumnType kQeParadox4[] = {
  {"ALPHANUMERIC", "ALPHANUMERIC", "ALPHANUMERIC(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMBER", "NUMBER", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SHORT", "SHORT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "ALPHANUMERIC(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"MEMO", "MEMO", "MEMO(%d)", kHostLongString, 240, OPT, NO, 0, 1, 1, "MEMO", 1, 0},
  {"FORMATTED MEMO", "FORMATTED MEMO", "FORMATTED MEMO(%d)", kHostLongString, 240, OPT, NO, 0, 0, 1, "FORMATTED MEMO", 1, 0},
  {"BINARY", "BINARY", "BINARY(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "BINARY", 1, 0},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "GRAPHIC", 1, 0},
  {"OLE", "OLE", "OLE(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "OLE", 1, 0},
};

// 60
constexpr ColumnType kQeParadox3[] = {
  {"ALPHANUMERIC", "ALPHANUMERIC", "ALPHANUMERIC(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMBER", "NUMBER", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SHORT", "SHORT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "ALPHANUMERIC(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
};

// 68
constexpr ColumnType kIdpParadox35[] = {
  {"ALPHANUMERIC", "ALPHANUMERIC", "ALPHANUMERIC(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMBER", "NUMBER", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SHORT", "SHORT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "ALPHANUMERIC(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
};

// 69
constexpr ColumnType kIdpParadox4[] = {
  {"ALPHA", "ALPHA", "ALPHA(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMBER", "NUMBER", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SHORT", "SHORT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "ALPHA(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"MEMO", "MEMO", "MEMO(%d)", kHostLongString, 240, OPT, NO, 0, 1, 1, "MEMO", 1, 0},
  {"FORMATTED MEMO", "FORMATTED MEMO", "FORMATTED MEMO(%d)", kHostLongString, 240, OPT, NO, 0, 0, 1, "FORMATTED MEMO", 1, 0},
  {"BINARY", "BINARY", "BINARY(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "BINARY", 1, 0},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "GRAPHIC", 1, 0},
  {"OLE", "OLE", "OLE(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "OLE", 1, 0},
};

// 70
constexpr ColumnType kIdpParadox5[] = {
  {"ALPHA", "ALPHA", "ALPHA(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"NUMBER", "NUMBER", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"MONEY", "MONEY", "MONEY", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SHORT", "SHORT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "ALPHA(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "NUMBER", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"MEMO", "MEMO", "MEMO(%d)", kHostLongString, 240, OPT, NO, 0, 1, 1, "MEMO", 1, 0},
  {"FORMATTED MEMO", "FORMATTED MEMO", "FORMATTED MEMO(%d)", kHostLongString, 240, OPT, NO, 0, 0, 1, "FORMATTED MEMO", 1, 0},
  {"BINARY", "BINARY", "BINARY(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "BINARY", 1, 0},
  {"GRAPHIC", "GRAPHIC", "GRAPHIC(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "GRAPHIC", 1, 0},
  {"OLE", "OLE", "OLE(%d)", kHostLongBinary, 240, OPT, NO, 0, 0, 1, "OLE", 1, 0},
  {"LONG", "LONG", "LONG", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LOGICAL", "LOGICAL", "LOGICAL", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 1, 0},
  {"AUTOINCREMENT", "AUTOINCREMENT", "AUTOINCREMENT", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
  {"BCD", "BCD", "BCD(%d,%d)", kHostNumber, 32, YES, OPT, 32, 0, 1, "", 1, 1},
};

// 54
constexpr ColumnType kRdb[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"BIGINT", "BIGINT", "BIGINT", kHostNumber, 19, NO, NO, 0, 0, 1, "", 1, 1},
  {"TINYINT", "TINYINT", "TINYINT", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 53, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 24, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE PRECISION", "DOUBLE PRECISION", "DOUBLE PRECISION", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 18, YES, OPT, 18, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 18, YES, OPT, 18, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 65000, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 65000, YES, NO, 0, 0, 1, "", 1, 1},
  {"DATE VMS", "DATE VMS", "DATE VMS", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"LIST OF BYTE VARYING", "LIST OF BYTE VARYING", "LIST OF BYTE VARYING", kHostLongBinary, 2147483647, NO, NO, 0, 0, 1, "LIST OF BYTE VARY", 1, 0},
};

// 56
constexpr ColumnType kTandem[] = {
  {"INTEGER", "INTEGER", "INTEGER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SMALLINT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"LARGEINT", "LARGEINT", "LARGEINT", kHostNumber, 19, NO, NO, 0, 0, 1, "", 1, 1},
  {"NUMERIC", "NUMERIC", "NUMERIC(%d,%d)", kHostNumber, 18, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DECIMAL", "DECIMAL", "DECIMAL(%d,%d)", kHostNumber, 18, YES, OPT, 18, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "FLOAT(%d)", kHostNumber, 54, OPT, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "REAL", kHostNumber, 22, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE PRECISION", "DOUBLE PRECISION", "DOUBLE PRECISION", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "CHAR(%d)", kHostString, 4072, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "VARCHAR(%d)", kHostString, 4062, YES, NO, 0, 0, 1, "", 1, 1},
  {"PIC X", "PIC X", "PIC X(%d)", kHostString, 4072, YES, NO, 0, 0, 1, "", 1, 1},
  {"PIC 9", "PIC 9", "PIC 9(%d)V9(%d)", kHostNumber, 18, YES, OPT, 18, 0, 1, "", 1, 1},
  {"DATETIME", "DATETIME", "DATETIME YEAR TO SECOND", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATE", "DATE", "DATE", kHostDate, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIME", "TIME", "TIME", kHostTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"TIMESTAMP", "TIMESTAMP", "TIMESTAMP", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"INTERVAL", "INTERVAL", "INTERVAL DAY TO SECOND", kHostString, 0, NO, NO, 0, 0, 1, "", 1, 0},
  {"INTEGER UNSIGNED", "INTEGER UNSIGNED", "INTEGER UNSIGNED", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
};

// 58
constexpr ColumnType kAccess1[] = {
  {"TEXT", "TEXT", "TEXT(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"BYTE", "BYTE", "BYTE", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"SHORT", "SHORT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"LONG", "LONG", "LONG", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SINGLE", "SINGLE", "SINGLE", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE", "DOUBLE", "DOUBLE", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CURRENCY", "CURRENCY", "CURRENCY", kHostNumber, 19, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME", "DATETIME", "DATETIME", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"BIT", "BIT", "BIT", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 0, 0},
  {"COUNTER", "COUNTER", "COUNTER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
  {"LONGBINARY", "LONGBINARY", "LONGBINARY", kHostLongBinary, 1073741823, NO, NO, 0, 0, 1, "LONGBINARY", 1, 0},
  {"BINARY", "BINARY", "BINARY(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
};

// 66
constexpr ColumnType kAccess2[] = {
  {"TEXT", "TEXT", "TEXT(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"MEMO", "MEMO", "MEMO", kHostLongString, 65535, NO, NO, 0, 1, 1, "MEMO", 1, 0},
  {"BYTE", "BYTE", "BYTE", kHostNumber, 3, NO, NO, 0, 0, 1, "", 1, 1},
  {"SHORT", "SHORT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"LONG", "LONG", "LONG", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SINGLE", "SINGLE", "SINGLE", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"DOUBLE", "DOUBLE", "DOUBLE", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CURRENCY", "CURRENCY", "CURRENCY", kHostNumber, 19, NO, NO, 0, 0, 1, "", 1, 1},
  {"DATETIME", "DATETIME", "DATETIME", kHostDateTime, 0, NO, NO, 0, 0, 1, "", 1, 1},
  {"BIT", "BIT", "BIT", kHostBoolean, 1, NO, NO, 0, 0, 1, "", 0, 0},
  {"COUNTER", "COUNTER", "COUNTER", kHostNumber, 10, NO, NO, 0, 0, 1, "", 0, 1},
  {"LONGBINARY", "LONGBINARY", "LONGBINARY", kHostLongBinary, 1073741823, NO, NO, 0, 0, 1, "LONGBINARY", 1, 0},
  {"BINARY", "BINARY", "BINARY(%d)", kHostLongBinary, 255, YES, NO, 0, 0, 1, "", 1, 0},
  {"INTEGER", "INTEGER", "LONG", kHostNumber, 10, NO, NO, 0, 0, 1, "", 1, 1},
  {"SMALLINT", "SMALLINT", "SHORT", kHostNumber, 5, NO, NO, 0, 0, 1, "", 1, 1},
  {"REAL", "REAL", "SINGLE", kHostNumber, 7, NO, NO, 0, 0, 1, "", 1, 1},
  {"FLOAT", "FLOAT", "DOUBLE", kHostNumber, 15, NO, NO, 0, 0, 1, "", 1, 1},
  {"CHAR", "CHAR", "TEXT(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
  {"VARCHAR", "VARCHAR", "TEXT(%d)", kHostString, 255, YES, NO, 0, 0, 1, "", 1, 1},
};

struct BrandTable {
  int type;
  const ColumnType* records;
  int length;
};

template <size_t N>
constexpr BrandTable use(int type, const ColumnType (&records)[N]) { return {type, records, int(N)}; }

constexpr BrandTable kTables[] = {
  use(1, kVeldra),
  use(2, kDB2),
  use(3, kExtendedEdition),
  use(4, kOracle),
  use(5, kInformixSe),
  use(6, kNetwareSql),
  use(7, kAs400),
  use(8, kSqlServer),
  use(9, kTeradata),
  use(10, kAllbase),
  use(15, kIngres),
  use(20, kSupra),
  use(24, kInformixOl),
  use(28, kOracle7),
  use(31, kOdbcGeneric),
  use(32, kSystem10),
  use(33, kInformixSe),
  use(34, kInformixOl),
  use(35, kInformixSeNls),
  use(36, kInformixOlNls),
  use(37, kInformixSe),
  use(38, kInformixOl),
  use(51, kQeDbase),
  use(52, kMsDbase),
  use(53, kQeParadox4),
  use(54, kRdb),
  use(55, kDb2Mdi),
  use(56, kTandem),
  use(57, kQeBtrieve),
  use(58, kAccess1),
  use(59, kShowcase),
  use(60, kQeParadox3),
  use(61, kQeDbase3),
  use(62, kQeDbase3),
  use(63, kQeFoxPro),
  use(64, kCaeDb2),
  use(65, kMsFoxPro),
  use(66, kAccess2),
  use(67, kShowcase),
  use(68, kIdpParadox35),
  use(69, kIdpParadox4),
  use(70, kIdpParadox5),
  use(71, kSupra),
  use(72, kQeDbase5),
  use(73, kSqlServer6),
  use(74, kQeFoxBase),
  use(75, kCaeDb2Mvs),
  use(76, kDb2For400),
};

} // namespace

const ColumnType* builtInColumnTypes(int type, int* length) {
  auto it = std::find_if(std::begin(kTables), std::end(kTables), [type](const BrandTable& t) { return t.type == type; });
  if (it == std::end(kTables)) {
    if (length) *length = 0;
    return nullptr;
  }
  if (length) *length = it->length;
  return it->records;
}

} // namespace dbcaps
