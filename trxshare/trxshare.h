// trxshare.dll: shared transactions through trxserver.exe, join and update
// keys from the repository, and SQL identifier quoting per server brand.
// All exports are __stdcall with 32-bit arguments.
#pragma once
#include "dbclient.h"

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Results of TrxConnectTransaction other than the server's own reply (the
// SQL client's code of a failed connect, never 0 and never one of these).
enum {
  TRX_ERR_NO_SLOT = 13,          // no free slot for a new transaction
  TRX_ERR_SERVER = 14,           // server not started, not found, or gone
  TRX_ERR_NO_JOIN_SLOT = 15,     // no free slot to join a transaction
  TRX_ERR_SHARED_MEMORY = 145,   // the shared block cannot be made
  TRX_ERR_NAME_TOO_LONG = 403,   // transaction name over 32 characters
  TRX_ERR_CONNECT_TEXT = 404,    // connect text missing or over 199 characters
};

// Messages to the server window (lParam 0).
enum {
  TRX_MSG_CONNECT = 0x4001,      // wParam 0: connect with the shared block
  TRX_MSG_DISCONNECT = 0x4002,   // wParam connection id
  TRX_MSG_END = 0x4003,          // wParam 0: end the server program
};

// The block of the server's name: 206 bytes.
#pragma pack(push, 1)
typedef struct TrxSharedBlock {
  LONG connectionId;             // -1 until the server writes the id
  WORD flags;                    // bit 0: the caller's connect option
  char connectText[200];         // zero-terminated
} TrxSharedBlock;
#pragma pack(pop)

int __stdcall TrxInit(void);
int __stdcall TrxGetID(void);
// `connection` receives the connection id in its first 32 bits;
// `connectRecord` starts with the zero-terminated connect text.
int __stdcall TrxConnectTransaction(LONG* connection, const char* connectRecord, const char* name, int option);
int __stdcall TrxDisconnect(LONG id);
int __stdcall TrxSharedSet(LONG id);
int __stdcall TrxSharedAcquire(LONG* id, const char* name);
int __stdcall TrxSharedRelease(LONG id);
int __stdcall TrxStatus(LONG ignored1, LONG ignored2);

// Identifier quoting: `cursor` is a dbclient cursor; user and table name
// buffers hold 65 bytes, work texts (qualified names, results) 224.
// Results 1 = done, 0 = failed (output unchanged).
int __stdcall STRGQuotesNeeded(DbcCursor cursor, const char* identifier);
int __stdcall STRGQuoteIdentifier(DbcCursor cursor, char* out, const char* user, const char* table, const char* column);
int __stdcall STRGQuoteUser(DbcCursor cursor, char* user);
int __stdcall STRGQuoteTable(DbcCursor cursor, char* table);
int __stdcall STRGQuoteColumn(DbcCursor cursor, char* column);
int __stdcall STRGRemoveQuotes(DbcCursor cursor, const char* in, char* out);
int __stdcall STRGExtractUserTable(const char* in, char* user, char* table);
int __stdcall STRGExtractTableColumn(const char* in, char* table, char* column);
int __stdcall STRGConcatUserTable(char* out, const char* user, const char* table);

// Join keys: 309-byte records in one movable global block that the caller
// owns (GlobalFree), sized exactly to its records.
#pragma pack(push, 1)
typedef struct TrxJoinRecord {
  char parentUser[19];
  char parentTable[65];
  char parentColumn[65];
  char childUser[19];
  char childTable[65];
  char childColumn[65];
  BYTE flag;                     // 1
  char op[10];                   // "=" for a join, "" for a key column
} TrxJoinRecord;

// Update keys: 66-byte entries in one movable global block (caller owns).
typedef struct TrxUpdateKey {
  char column[65];
  BYTE source;                   // TRX_KEY_...
} TrxUpdateKey;
#pragma pack(pop)

enum {
  TRX_JOINS_IN_LIST = 1,         // joins among the tables of the table list
  TRX_JOINS_OF_PAIR = 2,         // joins from `table` to the list's first table
  TRX_PRIMARY_KEY = 3,           // primary key columns of `table`
};

// Sources of an update key, tried in this order; `options` of
// DBMSGetUpdateKey selects them (0: all).
enum {
  TRX_KEY_ROWID = 1,             // the brand's row id
  TRX_KEY_UNIQUE_INDEX = 2,      // a unique index from the catalogue
  TRX_KEY_PRIMARY_KEY = 4,       // the repository's primary key
};

// 0 and the block, -1 when nothing was found (block NULL), or the SQL
// client's error code.
int __stdcall DBMSGetJoinKey(DbcCursor cursor, const char* table, const char* database, const char* tableList,
                             int mode, HGLOBAL* keys);
// The number of entries and the block; -1 when nothing was found (block
// NULL); a negated SQL client's error code on failure. `source` gets the
// TRX_KEY_ value that gave the key; `indexCreator` and `indexName` (65
// bytes each, may be NULL) the unique index used, else "".
int __stdcall DBMSGetUpdateKey(DbcCursor cursor, const char* user, const char* table, const char* database,
                               int options, int* source, char* indexCreator, char* indexName, HGLOBAL* keys);

#ifdef __cplusplus
}
#endif
