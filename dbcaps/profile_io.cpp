#include "profile_io.h"

#include "core/brands.h"
#include "resources.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace dbcaps {
namespace {

constexpr const char* kDumpSection = "Dump Option";

struct Ini {
  const std::string& file;

  std::string read(const std::string& section, const char* key, const char* fallback, int capacity) const {
    std::vector<char> buffer(size_t(capacity) + 1, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), key, fallback, buffer.data(), DWORD(capacity + 1), file.c_str());
    return std::string(buffer.data(), n);
  }

  // The key names of a section (at most 4,096 bytes of them).
  std::vector<std::string> keys(const std::string& section) const {
    std::vector<char> buffer(4096, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), DWORD(buffer.size()), file.c_str());
    std::vector<std::string> names;
    for (const char* p = buffer.data(); p < buffer.data() + n && *p; p += std::strlen(p) + 1) names.emplace_back(p);
    return names;
  }

  // A value that starts and ends with the same quote would lose both on
  // reading back: an extra pair of double quotes keeps it whole.
  void write(const std::string& section, const std::string& key, const std::string& value) const {
    bool quoted = value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    std::string text = quoted ? "\"" + value + "\"" : value;
    WritePrivateProfileStringA(section.c_str(), key.c_str(), text.c_str(), file.c_str());
  }

  void erase(const std::string& section) const {
    WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str());
  }
};

std::string upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

void writeColumnType(const Ini& ini, const std::string& section, const ColumnType& record) {
  for (int f = 0; f < kColumnFieldCount; ++f) ini.write(section, kColumnFieldNames[f], columnFieldText(record, f));
}

// A generic ODBC server seen for the first time: its section is written from
// what the driver tells, so that it can be edited later.
void writeGenericOdbcSection(const Ini& ini, const Profile& p, unsigned cursor, const Capabilities& generic) {
  const KeyNames& names = keyNames();
  ini.erase(p.section);
  auto types = driverTypes(cursor);
  int count = boundedColumnTypeCount(int32_t(types.size()));
  for (int i = 0; i < count; ++i)
    writeColumnType(ini, columnTypeSectionName(i, p.section), columnTypeFromDriver(types[size_t(i)].type));
  AutoDefaults d = genericOdbcDefaults(generic, [cursor](int item) { return cursorInfo(cursor, item); }, count);
  if (count == 0) d.numbers[kNumColumnTypes].reset();
  for (int i = 0; i < kFlagCount; ++i) ini.write(p.section, names.flags[i], d.flags[i] ? "TRUE" : "FALSE");
  for (int i = 0; i < kNumberCount; ++i)
    if (d.numbers[i]) ini.write(p.section, names.numbers[i], std::to_string(*d.numbers[i]));
  for (int i = 0; i < kStringCount; ++i)
    if (d.strings[i]) ini.write(p.section, names.strings[i], *d.strings[i]);
}

// The CORE dump: the brand's built-in data, as the overrides would read it.
void writeCoreDump(const Ini& ini, const Profile& p, int brand) {
  const BrandRecord* record = findBrand(brand);
  if (!record) return;
  const KeyNames& names = keyNames();
  Capabilities caps{};
  loadCapabilityRow(record->row, caps);
  for (int i = 0; i < kStringCount; ++i) loadServerString(record->stringBase + i, caps.strings[i]);
  for (int i = 0; i < kFlagCount; ++i) ini.write(p.section, names.flags[i], caps.flags[i] ? "TRUE" : "FALSE");
  for (int i = 0; i < kNumberCount; ++i) ini.write(p.section, names.numbers[i], std::to_string(caps.numbers[i]));
  for (int i = 0; i < kStringCount; ++i) ini.write(p.section, names.strings[i], std::string(fieldText(caps.strings[i], kStringSize)));
  ini.write(p.section, "Number of Functions", std::to_string(record->functionCount));
  ini.write(p.section, "Number of Parameter Keywords", std::to_string(record->keywordCount));
  std::string functions = "Functions Supported - " + p.section;
  for (int i = 0; i < record->functionCount; ++i)
    ini.write(functions, "Function(" + std::to_string(i) + ")", loadText(record->functionBase + i, kFunctionSize));
  for (int i = 0; i < record->keywordCount; ++i)
    ini.write(functions, "Parameter Keyword(" + std::to_string(i) + ")", loadText(record->keywordBase + i, kFunctionSize));
  int length = 0;
  const ColumnType* table = builtInColumnTypes(brand, &length);
  for (int i = 0; i < std::min(length, caps.numbers[kNumColumnTypes]); ++i) {
    std::string name(fieldText(table[i].columnName, sizeof table[i].columnName));
    writeColumnType(ini, "Column Type Info for <" + name + "> - " + p.section, table[i]);
  }
}

bool isExcludedInfoItem(int item) { return (item >= 5503 && item <= 5505) || item == 5530 || item == 5576; }

// The SUPPLEMENTARY dump: what the driver says about itself and its types.
void writeSupplementaryDump(const Ini& ini, const Profile& p, unsigned cursor) {
  std::string info = "ODBC Information - " + p.section;
  for (int item = 5500; item <= 5614; ++item) {
    if (isExcludedInfoItem(item)) continue;
    std::string key = loadText(2800 + item);
    auto value = cursorInfo(cursor, item);
    if (!key.empty() && value) ini.write(info, key, *value);
  }
  for (const auto& row : driverTypes(cursor)) {
    std::string section = "ODBC Type Info for <" + row.type.name + "> - " + p.section;
    for (const auto& [key, value] : row.columns) ini.write(section, key, value);
  }
}

void applyOverrides(Context* c, const Ini& ini, const Profile& p, const std::vector<std::string>& keys) {
  const KeyNames& names = keyNames();
  for (const auto& key : keys) {
    std::string value = ini.read(p.section, key.c_str(), "", 1024);
    if (applyOverride(c->caps, names, key, value) == Override::TooLong) reportProfileStringTooLong();
  }
}

// "Number Of Column Types" may grow the table; column type sections with a
// column name replace their record. Only a context created for a cursor
// owns a table that may change.
void applyColumnTypes(Context* c, const Ini& ini, const Profile& p) {
  if (!c->ownsTable) return;
  int length = 0;
  builtInColumnTypes(c->brand, &length);
  int count = boundedColumnTypeCount(c->caps.numbers[kNumColumnTypes]);
  if (count > length && !makeTableWritable(c, count)) count = length;
  // Callers walk number 4 records from the first: it never exceeds the table.
  c->caps.numbers[kNumColumnTypes] = c->columnTypeCount = count;
  for (int i = 0; i < count; ++i) {
    std::string section = columnTypeSectionName(i, p.section);
    if (ini.read(section, kColumnFieldNames[0], "", 64).empty()) continue;
    if (!makeTableWritable(c, count)) return;
    ColumnType record{};
    for (int f = 0; f < kColumnFieldCount; ++f) setColumnField(record, f, ini.read(section, kColumnFieldNames[f], "", 256));
    c->columnTypes[i] = record;
  }
}

} // namespace

std::optional<Profile> profileFor(const CursorFacts& facts) {
  // A server that names neither itself nor its driver has no section.
  if (!facts.odbc || (facts.dbms.empty() && facts.driver.empty())) return std::nullopt;
  HMODULE bridge = GetModuleHandleA("odbbridge32.dll");
  if (!bridge) return std::nullopt;
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(bridge, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::nullopt;
  std::string file(path, n);
  file = file.substr(0, file.find_last_of("\\/") + 1) + "DCC.INI";
  return Profile{file, serverSectionName(facts.dbms, facts.version, facts.driver)};
}

void applyProfile(Context* c, unsigned cursor, const Profile& p) {
  Ini ini{p.file};
  std::string dump = upper(ini.read(kDumpSection, "DUMP", "OFF", 15));
  auto keys = ini.keys(p.section);
  if (c->brand == kGenericOdbc && keys.empty()) {
    writeGenericOdbcSection(ini, p, cursor, c->caps);
    if (dump == "CORE") {
      ini.write(kDumpSection, "DUMP", "OFF");
      dump = "OFF";
    }
    keys = ini.keys(p.section);
  }
  if (dump == "CORE" && isDumpPassword(ini.read(kDumpSection, "PASSWORD", "", 66))) {
    writeCoreDump(ini, p, c->brand);
    ini.write(kDumpSection, "DUMP", "OFF");
    keys = ini.keys(p.section);
  }
  if (dump == "SUPPLEMENTARY") {
    writeSupplementaryDump(ini, p, cursor);
    ini.write(kDumpSection, "DUMP", "OFF");
  }
  if (keys.empty()) return;
  applyOverrides(c, ini, p, keys);
  applyColumnTypes(c, ini, p);
}

} // namespace dbcaps
