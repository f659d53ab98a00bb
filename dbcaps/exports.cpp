// The 24 exported functions. Each catches everything: nothing may unwind
// into the caller. Buffers are written only within the sizes the interface
// gives them (server strings 50, function and keyword strings 80, column
// type records 186, catalogue types 40 bytes).
#include "context.h"
#include "core/brands.h"
#include "core/profile.h"
#include "registration.h"
#include "resources.h"

#include <cstring>
#include <string>

#define DBCAPS_API extern "C" __stdcall

namespace dbcaps {
namespace {

template <typename Result, typename Fn>
Result guarded(Result failure, Fn&& fn) {
  try {
    return fn();
  } catch (...) {
    return failure;
  }
}

bool isFlag(int i) { return i >= 0 && i < kFlagCount; }
bool isNumber(int i) { return i >= 0 && i < kNumberCount; }
bool isString(int i) { return i >= 0 && i < kStringCount; }

void copyServerString(const Context* c, int index, char* buffer) {
  copyText(buffer, kStringSize, fieldText(c->caps.strings[index], kStringSize));
}

// A function or parameter keyword string of the cursor's brand, by index.
int listString(unsigned cursor, int index, char* buffer, bool functions) {
  if (!buffer) return 0;
  buffer[0] = '\0';
  Context* c = contextForCursor(cursor);
  const BrandRecord* record = c ? findBrand(c->brand) : nullptr;
  if (!record || record->type == kGenericOdbc) return 0;
  int count = functions ? record->functionCount : record->keywordCount;
  if (index < 0 || index >= count) return 0;
  int base = functions ? record->functionBase : record->keywordBase;
  copyText(buffer, kFunctionSize, loadText(base + index, kFunctionSize));
  return 1;
}

const ColumnType* firstByType(const Context* c, int hostType) {
  for (int i = 0; c && c->columnTypes && i < c->columnTypeCount; ++i)
    if (c->columnTypes[i].hostType == hostType) return &c->columnTypes[i];
  return nullptr;
}

const ColumnType* firstByServerType(const Context* c, const char* name) {
  if (!name) return nullptr;
  for (int i = 0; c && c->columnTypes && i < c->columnTypeCount; ++i)
    if (catalogTypeMatches(c->columnTypes[i], name)) return &c->columnTypes[i];
  return nullptr;
}

const ColumnType* firstByColumnName(const Context* c, const char* name) {
  if (!name) return nullptr;
  for (int i = 0; c && c->columnTypes && i < c->columnTypeCount; ++i)
    if (columnNameMatches(c->columnTypes[i], name)) return &c->columnTypes[i];
  return nullptr;
}

int copyRecord(const ColumnType* record, void* out) {
  if (!record || !out) return 0;
  copyColumnType(*static_cast<ColumnType*>(out), *record);
  return 1;
}

// The context of a registered brand for the SrvCapB queries: -1 for a type
// or index out of range, -2 for a brand not registered.
int brandContext(int type, bool indexOk, Context** context) {
  if (!isBrandType(type) || !indexOk) return -1;
  *context = findContext(type);
  return *context ? 0 : -2;
}

Context* registeredBrand(int type) { return isBrandType(type) ? findContext(type) : nullptr; }

} // namespace
} // namespace dbcaps

using namespace dbcaps;

DBCAPS_API int SrvCapRegisterCursor(unsigned cursor) {
  return guarded(0, [&] { return registerCursor(cursor); });
}

DBCAPS_API int SrvCapFreeCursor(unsigned cursor) {
  return guarded(0, [&] { return releaseCursor(cursor); });
}

DBCAPS_API int SrvCapQueryServerBool(unsigned cursor, int index) {
  return guarded(-1, [&] {
    Context* c = contextForCursor(cursor);
    if (!c) return -1;
    return isFlag(index) ? int(c->caps.flags[index]) : 0;
  });
}

DBCAPS_API int SrvCapQueryServerInt(unsigned cursor, int index) {
  return guarded(-1, [&] {
    Context* c = contextForCursor(cursor);
    return c && isNumber(index) ? int(c->caps.numbers[index]) : -1;
  });
}

DBCAPS_API int SrvCapQueryServerStr(unsigned cursor, int index, char* buffer) {
  return guarded(-1, [&] {
    Context* c = contextForCursor(cursor);
    if (!c) return -1;
    if (!isString(index) || !buffer) return 0;
    copyServerString(c, index, buffer);
    return 1;
  });
}

DBCAPS_API int SrvCapQueryFunctionStr(unsigned cursor, int index, char* buffer) {
  return guarded(0, [&] { return listString(cursor, index, buffer, true); });
}

DBCAPS_API int SrvCapQueryParmKeywordStr(unsigned cursor, int index, char* buffer) {
  return guarded(0, [&] { return listString(cursor, index, buffer, false); });
}

DBCAPS_API const SqlParam* SrvCapQuerySQLParamList(unsigned cursor) {
  return guarded<const SqlParam*>(nullptr, [&] { return sqlParamList(brandOfCursor(cursor), nullptr); });
}

DBCAPS_API int SrvCapQuerySupportedServers(unsigned cursor) {
  return guarded(0, [&] { return contextForCursor(cursor) ? 1 : 0; });
}

DBCAPS_API char* SrvCapQuerySystemTables(char* buffer, int* count) {
  return guarded<char*>(nullptr, [&]() -> char* {
    if (count) *count = kSystemTableCount;
    if (!buffer) return nullptr;
    std::strcpy(buffer, systemTables());
    return buffer;
  });
}

DBCAPS_API const ColumnType* SrvCapQueryColTypeInfo(unsigned cursor) {
  return guarded<const ColumnType*>(nullptr, [&]() -> const ColumnType* {
    Context* c = contextForCursor(cursor);
    return c && c->columnTypeCount > 0 ? c->columnTypes : nullptr;
  });
}

DBCAPS_API const ColumnType* SrvCapColTypeInfoForType(unsigned cursor, int hostType) {
  return guarded<const ColumnType*>(nullptr, [&] { return firstByType(contextForCursor(cursor), hostType); });
}

DBCAPS_API const ColumnType* SrvCapColTypeInfoForServerType(unsigned cursor, const char* name) {
  return guarded<const ColumnType*>(nullptr, [&]() -> const ColumnType* {
    if (!name) return nullptr;
    return firstByServerType(contextForCursor(cursor), name);
  });
}

DBCAPS_API int SrvCapBRegister(int type) {
  return guarded(0, [&] { return registerBrand(type) ? 1 : 0; });
}

DBCAPS_API int SrvCapBFree(int type) {
  return guarded(0, [&] { return releaseBrand(type) ? 1 : 0; });
}

DBCAPS_API int SrvCapBQueryServerBool(int type, int index) {
  return guarded(-1, [&] {
    Context* c = nullptr;
    int failure = brandContext(type, isFlag(index), &c);
    return failure ? failure : int(c->caps.flags[index]);
  });
}

DBCAPS_API int SrvCapBQueryServerInt(int type, int index) {
  return guarded(-1, [&] {
    Context* c = nullptr;
    int failure = brandContext(type, isNumber(index), &c);
    return failure ? failure : int(c->caps.numbers[index]);
  });
}

DBCAPS_API int SrvCapBQueryServerStr(int type, int index, char* buffer) {
  return guarded(-1, [&] {
    Context* c = nullptr;
    int failure = brandContext(type, isString(index) && buffer, &c);
    if (failure) return failure;
    copyServerString(c, index, buffer);
    return 1;
  });
}

DBCAPS_API const ColumnType* SrvCapBQueryColTypeInfo(int type) {
  return guarded<const ColumnType*>(nullptr, [&]() -> const ColumnType* {
    Context* c = registeredBrand(type);
    return c && c->columnTypeCount > 0 ? c->columnTypes : nullptr;
  });
}

DBCAPS_API int SrvCapBColTypeInfoForType(int type, int hostType, ColumnType* out) {
  return guarded(0, [&] { return copyRecord(firstByType(registeredBrand(type), hostType), out); });
}

DBCAPS_API int SrvCapBColTypeInfoForServerType(int type, const char* name, ColumnType* out) {
  return guarded(0, [&] { return copyRecord(firstByServerType(registeredBrand(type), name), out); });
}

DBCAPS_API int SrvCapBColTypeInfoForIndex(int type, int index, ColumnType* out) {
  return guarded(0, [&] {
    Context* c = registeredBrand(type);
    if (!c || !c->columnTypes || index < 0 || index >= c->columnTypeCount) return 0;
    return copyRecord(&c->columnTypes[index], out);
  });
}

DBCAPS_API int SrvCapBCatalogColumnType(int type, const char* columnName, char* out) {
  return guarded(0, [&] {
    if (out) out[0] = '\0';
    if (!out || !columnName) return 0;
    // Registered for the look-up only, when the caller has not registered it.
    bool own = !registeredBrand(type);
    if (own && !registerBrand(type)) return 0;
    const ColumnType* record = firstByColumnName(registeredBrand(type), columnName);
    if (record) copyText(out, kCatalogTypeSize, fieldText(record->catalogType, sizeof record->catalogType));
    if (own) releaseBrand(type);
    return record ? 1 : 0;
  });
}

DBCAPS_API int SrvCapBEnumBrands(char* types, char* names) {
  return guarded(0, [&] {
    if (!types || !names) return 0;
    types[0] = names[0] = '\0';
    std::string typeList, nameList;
    for (const BrandRecord& b : brandTable()) {
      if (b.type == kGenericOdbc) continue;
      if (!registerBrand(b.type)) return 0;
      char name[256];
      copyText(name, sizeof name, fieldText(findContext(b.type)->caps.strings[kStrServerName], kStringSize));
      releaseBrand(b.type);
      typeList += "\t" + std::to_string(b.type);
      nameList += "\t" + std::string(name);
    }
    std::strcpy(types, typeList.c_str());
    std::strcpy(names, nameList.c_str());
    return 1;
  });
}
