// What trxshare asks of the platform for a cursor: the brand's quoting rules
// and capabilities (dbcaps, bound by ordinal), the server type (dbclient)
// and the host tools' text operations.
#pragma once
#include "dbclient.h"
#include "names.h"

#include <windows.h>

#include <string>

extern "C" {
// dbcaps.dll, imported by ordinal 2, 3 and 4.
int __stdcall SrvCapQueryServerBool(DbcCursor cursor, int index);
int __stdcall SrvCapQueryServerInt(DbcCursor cursor, int index);
int __stdcall SrvCapQueryServerStr(DbcCursor cursor, int index, char* buffer);
}

namespace trx {

// Capability flags, numbers and strings trxshare reads.
constexpr int kFlagSupportRowId = 40;
constexpr int kFlagQuotedUserIds = 55;
constexpr int kFlagQuotedNames = 56;
constexpr int kNumberRowIdType = 10;
constexpr int kStringRowId = 15;
constexpr int kStringQuoteCharacter = 22;

// The host tools library's clean-up (86), character search (71) and
// lead-byte test (48).
const TextTools& hostTools();

// The cursor's server type (DbcGetInfo item 1003), 0 when unknown.
int serverType(DbcCursor cursor);

QuoteRules quoteRules(DbcCursor cursor);

// A server string of the cursor's brand; "" when the brand is unknown.
std::string serverString(DbcCursor cursor, int index);

// The box for an allocation that failed: a beep, then "Global memory
// allocation failed!" in a task-modal error box.
void reportNoMemory();

HINSTANCE moduleInstance();

} // namespace trx
