#include "typeinfo.h"

#include <cstdlib>
#include <cstring>

namespace dbc {

namespace {

template <size_t N> void copyField(char (&field)[N], const Value& v) {
  std::memset(field, 0, N);
  if (v) std::strncpy(field, v->c_str(), N - 1);
}

int numberOr(const Value& v, int fallback) { return v ? std::atoi(v->c_str()) : fallback; }

Value at(const Row& row, size_t i) { return i < row.size() ? row[i] : Value(); }

} // namespace

DbcTypeInfo typeInfoFromRow(const Row& row) {
  DbcTypeInfo t{};
  copyField(t.typeName, at(row, 0));
  t.dataType = numberOr(at(row, 1), 0);
  t.columnSize = numberOr(at(row, 2), 0);
  copyField(t.literalPrefix, at(row, 3));
  copyField(t.literalSuffix, at(row, 4));
  copyField(t.createParams, at(row, 5));
  t.nullable = numberOr(at(row, 6), 2);
  t.caseSensitive = numberOr(at(row, 7), 0);
  t.searchable = numberOr(at(row, 8), 0);
  t.unsignedAttribute = numberOr(at(row, 9), -1);
  t.fixedPrecScale = numberOr(at(row, 10), 0);
  t.autoUniqueValue = numberOr(at(row, 11), -1);
  copyField(t.localTypeName, at(row, 12));
  t.minimumScale = numberOr(at(row, 13), -1);
  t.maximumScale = numberOr(at(row, 14), -1);
  return t;
}

} // namespace dbc
