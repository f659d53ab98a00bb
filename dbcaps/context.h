// Capability contexts (one per brand in use) and the cursor registry.
#pragma once
#include "core/records.h"

#include <windows.h>

#include <optional>

namespace dbcaps {

#pragma pack(push, 1)
// 1,462 bytes of shareable global memory, in the library's context list.
struct Context {
  int32_t brand;
  Capabilities caps;
  int32_t columnTypeCount;
  ColumnType* columnTypes;
  HGLOBAL memory;
  int32_t references;
  int32_t ownsTable;  // created for a cursor: the profile may replace its table
  Context* next;
};

// A cursor registry entry (10 bytes of local memory).
struct CursorEntry {
  uint16_t key;  // low half of the cursor handle
  int32_t brand;
  CursorEntry* next;
};
#pragma pack(pop)

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(Context) == 1462);
static_assert(sizeof(CursorEntry) == 10);
#endif

Context* findContext(int brand);
// A new context for a brand with a record, filled from its built-in data:
// at the front of the list for cursors, at the end for brand registrations.
enum class Placement { Front, Back };
Context* createContext(int brand, Placement where, bool ownsTable);
// Drops one reference; at zero the context goes, with a table it allocated.
void releaseContext(Context* context);
// Replaces the context's column type table with a writable one of at least
// `records` records (the current ones copied, the rest zero).
bool makeTableWritable(Context* context, int records);

CursorEntry* findCursor(unsigned cursor);
// Records the brand of a cursor; the entry's previous brand is returned.
std::optional<int> recordCursor(unsigned cursor, int brand);
void forgetCursor(unsigned cursor);

} // namespace dbcaps
