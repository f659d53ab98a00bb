#include "context.h"

#include "core/brands.h"
#include "resources.h"

#include <algorithm>
#include <cstring>

namespace dbcaps {
namespace {

Context* gContexts = nullptr;
CursorEntry* gCursors = nullptr;

uint16_t keyOf(unsigned cursor) { return uint16_t(cursor & 0xFFFF); }

bool isBuiltInTable(const Context* c) {
  return c->columnTypes == builtInColumnTypes(c->brand, nullptr) || c->columnTypes == nullptr;
}

void fillFromBuiltIn(Context* c, const BrandRecord& record) {
  c->brand = record.type;
  loadCapabilityRow(record.row, c->caps);
  for (int i = 0; i < kStringCount; ++i) loadServerString(record.stringBase + i, c->caps.strings[i]);
  int length = 0;
  c->columnTypes = const_cast<ColumnType*>(builtInColumnTypes(record.type, &length));
  c->columnTypeCount = std::clamp(c->caps.numbers[kNumColumnTypes], 0, length);
}

} // namespace

Context* findContext(int brand) {
  for (Context* c = gContexts; c; c = c->next)
    if (c->brand == brand) return c;
  return nullptr;
}

Context* createContext(int brand, Placement where, bool ownsTable) {
  const BrandRecord* record = findBrand(brand);
  if (!record) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, sizeof(Context));
  if (!memory) return nullptr;
  auto* c = static_cast<Context*>(GlobalLock(memory));
  if (!c) {
    GlobalFree(memory);
    return nullptr;
  }
  c->memory = memory;
  c->references = 1;
  c->ownsTable = ownsTable;
  fillFromBuiltIn(c, *record);
  if (where == Placement::Front || !gContexts) {
    c->next = gContexts;
    gContexts = c;
  } else {
    Context* last = gContexts;
    while (last->next) last = last->next;
    last->next = c;
  }
  return c;
}

void releaseContext(Context* context) {
  if (!context || --context->references > 0) return;
  for (Context** link = &gContexts; *link; link = &(*link)->next) {
    if (*link != context) continue;
    *link = context->next;
    break;
  }
  if (!isBuiltInTable(context)) GlobalFree(context->columnTypes);
  HGLOBAL memory = context->memory;
  GlobalUnlock(memory);
  GlobalFree(memory);
}

bool makeTableWritable(Context* c, int records) {
  int length = 0;
  builtInColumnTypes(c->brand, &length);
  bool builtIn = isBuiltInTable(c);
  int current = builtIn ? length : c->columnTypeCount;
  if (!builtIn && records <= current) return true;
  records = std::max(records, current);
  auto* table = static_cast<ColumnType*>(GlobalAlloc(GPTR, sizeof(ColumnType) * size_t(std::max(records, 1))));
  if (!table) return false;
  if (c->columnTypes && current > 0) std::memcpy(table, c->columnTypes, sizeof(ColumnType) * size_t(current));
  if (!builtIn) GlobalFree(c->columnTypes);
  c->columnTypes = table;
  return true;
}

CursorEntry* findCursor(unsigned cursor) {
  for (CursorEntry* e = gCursors; e; e = e->next)
    if (e->key == keyOf(cursor)) return e;
  return nullptr;
}

std::optional<int> recordCursor(unsigned cursor, int brand) {
  if (CursorEntry* e = findCursor(cursor)) {
    int previous = e->brand;
    e->brand = brand;
    return previous;
  }
  auto* e = static_cast<CursorEntry*>(LocalAlloc(LPTR, sizeof(CursorEntry)));
  if (!e) return std::nullopt;
  e->key = keyOf(cursor);
  e->brand = brand;
  e->next = gCursors;
  gCursors = e;
  return std::nullopt;
}

void forgetCursor(unsigned cursor) {
  for (CursorEntry** link = &gCursors; *link; link = &(*link)->next) {
    if ((*link)->key != keyOf(cursor)) continue;
    CursorEntry* e = *link;
    *link = e->next;
    LocalFree(e);
    return;
  }
}

} // namespace dbcaps
