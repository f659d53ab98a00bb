#include "client.h"

#include "core/detect.h"

#include <dbclient.h>

#include <algorithm>

namespace dbcaps {
namespace {

// No information answer is longer than this; a larger length is not believed.
constexpr int kMaxInfoLength = 1 << 20;

} // namespace

std::optional<std::string> cursorInfo(unsigned cursor, int item) {
  // Most answers are short; a long one (a driver's keyword list) is asked
  // for again with room for all of it rather than lost.
  std::string buffer(1024, '\0');
  int length = 0;
  int code = DbcGetInfo(cursor, item, buffer.data(), int(buffer.size()), &length);
  if (code == DBC_ERR_TRUNCATED && length >= int(buffer.size()) && length < kMaxInfoLength) {
    buffer.assign(size_t(length) + 1, '\0');
    code = DbcGetInfo(cursor, item, buffer.data(), int(buffer.size()), &length);
  }
  if (code != DBC_OK) return std::nullopt;
  buffer.resize(size_t(std::clamp(length, 0, int(buffer.size()) - 1)));
  return buffer;
}

CursorFacts detectCursor(unsigned cursor) {
  CursorFacts facts;
  auto serverType = cursorInfo(cursor, DBC_INFO_SERVER_TYPE);
  std::optional<int> brand = brandFromServerType(serverType ? std::optional<std::string_view>(*serverType) : std::nullopt);
  if (brand) {
    facts.brand = *brand;
    return facts;
  }
  facts.odbc = true;
  facts.dbms = cursorInfo(cursor, DBC_INFO_DBMS_NAME).value_or("");
  facts.driver = cursorInfo(cursor, DBC_INFO_DRIVER_NAME).value_or("");
  facts.version = cursorInfo(cursor, DBC_INFO_DBMS_VERSION).value_or("");
  facts.brand = brandFromOdbc(facts.dbms, facts.driver, facts.version);
  return facts;
}

std::vector<DriverTypeRow> driverTypes(unsigned cursor) {
  std::vector<DriverTypeRow> rows;
  int count = 0;
  if (DbcTypeInfoCount(cursor, &count) != DBC_OK) return rows;
  for (int i = 0; i < count; ++i) {
    DbcTypeInfo info{};
    if (DbcGetTypeInfo(cursor, i, &info) != DBC_OK) continue;
    info.typeName[sizeof info.typeName - 1] = info.createParams[sizeof info.createParams - 1] = '\0';
    info.literalPrefix[sizeof info.literalPrefix - 1] = info.literalSuffix[sizeof info.literalSuffix - 1] = '\0';
    info.localTypeName[sizeof info.localTypeName - 1] = '\0';
    DriverTypeRow row;
    row.type = {info.typeName, info.dataType, info.columnSize, info.createParams, info.nullable, info.searchable,
                info.maximumScale};
    auto n = [](int v) { return std::to_string(v); };
    row.columns = {{"TYPE_NAME", info.typeName},          {"DATA_TYPE", n(info.dataType)},
                   {"COLUMN_SIZE", n(info.columnSize)},    {"LITERAL_PREFIX", info.literalPrefix},
                   {"LITERAL_SUFFIX", info.literalSuffix}, {"CREATE_PARAMS", info.createParams},
                   {"NULLABLE", n(info.nullable)},         {"CASE_SENSITIVE", n(info.caseSensitive)},
                   {"SEARCHABLE", n(info.searchable)},     {"UNSIGNED_ATTRIBUTE", n(info.unsignedAttribute)},
                   {"FIXED_PREC_SCALE", n(info.fixedPrecScale)}, {"AUTO_UNIQUE_VALUE", n(info.autoUniqueValue)},
                   {"LOCAL_TYPE_NAME", info.localTypeName}, {"MINIMUM_SCALE", n(info.minimumScale)},
                   {"MAXIMUM_SCALE", n(info.maximumScale)}};
    rows.push_back(std::move(row));
  }
  return rows;
}

} // namespace dbcaps
