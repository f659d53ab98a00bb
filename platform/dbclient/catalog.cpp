#include "catalog.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace dbc {

namespace {

// ---- text helpers ---------------------------------------------------------

std::string upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool sameName(const Value& a, const std::string& b) { return a && upper(*a) == upper(b); }

int number(const Value& v) { return v ? std::atoi(v->c_str()) : 0; }

Value at(const Row& row, size_t i) { return i < row.size() ? row[i] : Value(); }

// ---- the command's words --------------------------------------------------

struct Token {
  enum Kind { Word, Quoted, Comma, Equals, End } kind;
  std::string text;
};

class Lexer {
public:
  explicit Lexer(const std::string& s) : s_(s) {}

  std::optional<Token> next() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    if (pos_ == s_.size()) return Token{Token::End, {}};
    char c = s_[pos_];
    if (c == ',') return ++pos_, Token{Token::Comma, ","};
    if (c == '=') return ++pos_, Token{Token::Equals, "="};
    if (c == '"' || c == '\'') return quoted(c);
    size_t b = pos_;
    while (pos_ < s_.size() && !std::isspace(static_cast<unsigned char>(s_[pos_])) && s_[pos_] != ',' &&
           s_[pos_] != '=' && s_[pos_] != '"' && s_[pos_] != '\'')
      ++pos_;
    return Token{Token::Word, s_.substr(b, pos_ - b)};
  }

private:
  // A quoted value; a doubled quote stands for itself.
  std::optional<Token> quoted(char q) {
    std::string text;
    for (++pos_; pos_ < s_.size(); ++pos_) {
      if (s_[pos_] != q) {
        text += s_[pos_];
      } else if (pos_ + 1 < s_.size() && s_[pos_ + 1] == q) {
        text += q;
        ++pos_;
      } else {
        ++pos_;
        return Token{Token::Quoted, text};
      }
    }
    return std::nullopt;
  }

  const std::string& s_;
  size_t pos_ = 0;
};

bool isWord(const std::optional<Token>& t, const char* word) {
  return t && t->kind == Token::Word && upper(t->text) == word;
}

std::optional<CatalogKind> kindNamed(const std::string& word) {
  std::string w = upper(word);
  if (w == "COLUMN") return CatalogKind::Column;
  if (w == "INDEX") return CatalogKind::Index;
  if (w == "KEY") return CatalogKind::Key;
  if (w == "ROWID") return CatalogKind::RowId;
  return std::nullopt;
}

// Stores one "KEY = value" pair; false for a key the kind does not take
// or one given twice.
bool setPair(CatalogCommand& c, const std::string& key, const std::string& value, std::vector<std::string>& seen) {
  std::string k = upper(key);
  if (std::find(seen.begin(), seen.end(), k) != seen.end()) return false;
  seen.push_back(k);
  if (k == "CREATOR") c.creator = value;
  else if (k == "TBNAME") c.table = value;
  else if (k == "IXNAME" && c.kind == CatalogKind::Key) c.index = value;
  else if (k == "TYPE" && c.kind == CatalogKind::Index) {
    std::string v = upper(value);
    if (v != "U" && v != "A" && !v.empty()) return false;
    c.uniqueOnly = v == "U";
  } else return false;
  return true;
}

// Reads the pairs up to and including the word SELECT.
bool parsePairs(Lexer& lex, CatalogCommand& c) {
  std::vector<std::string> seen;
  auto t = lex.next();
  while (!isWord(t, "SELECT")) {
    if (!t || t->kind != Token::Word) return false;
    std::string key = t->text;
    t = lex.next();
    if (!t || t->kind != Token::Equals) return false;
    t = lex.next();
    std::string value;
    if (t && (t->kind == Token::Quoted || (t->kind == Token::Word && !isWord(t, "SELECT")))) {
      value = t->text;
      t = lex.next();
    }
    if (!t || !setPair(c, key, value, seen)) return false;
    if (t->kind == Token::Comma) t = lex.next();
    else if (!isWord(t, "SELECT")) return false;
  }
  return true;
}

bool parseSelectList(Lexer& lex, CatalogCommand& c) {
  const std::vector<std::string>& names = resultColumns(c.kind);
  for (;;) {
    auto t = lex.next();
    if (!t || t->kind != Token::Word) return false;
    std::string name = upper(t->text);
    auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) return false;
    c.select.push_back(int(found - names.begin()));
    c.selectNames.push_back(name);
    t = lex.next();
    if (!t) return false;
    if (t->kind == Token::End) return true;
    if (t->kind != Token::Comma) return false;
  }
}

// ---- result rows ----------------------------------------------------------

// Positions in the ODBC catalogue result sets.
namespace col {
constexpr size_t Schema = 1, Table = 2;
constexpr size_t ColName = 3, DataType = 4, TypeName = 5, Size = 6, Digits = 8, Nullable = 10, Remarks = 11,
                 Ordinal = 16;
constexpr size_t NonUnique = 3, Qualifier = 4, IndexName = 5, StatType = 6, KeyOrdinal = 7, KeyColumn = 8,
                 AscDesc = 9;
constexpr size_t PkColumn = 3, PkSeq = 4;
constexpr size_t SpecialName = 1, SpecialType = 3, Pseudo = 7;
} // namespace col

std::vector<Row> sortedBy(std::vector<Row> rows, size_t column) {
  std::stable_sort(rows.begin(), rows.end(),
                   [column](const Row& a, const Row& b) { return number(at(a, column)) < number(at(b, column)); });
  return rows;
}

std::vector<Row> columnRows(const CatalogSources& s) {
  std::vector<Row> out;
  int position = 0;
  for (const Row& r : s.columns) {
    ++position;
    Value keySeq = std::string("0");
    for (const Row& pk : s.primaryKeys)
      if (at(pk, col::PkColumn) && sameName(at(r, col::ColName), *at(pk, col::PkColumn))) keySeq = at(pk, col::PkSeq);
    Value colNo = at(r, col::Ordinal) ? at(r, col::Ordinal) : Value(std::to_string(position));
    Value nulls = std::string(number(at(r, col::Nullable)) == 0 ? "N" : "Y");
    out.push_back({at(r, col::Schema), at(r, col::Table), at(r, col::ColName), colNo, at(r, col::TypeName),
                   at(r, col::DataType), at(r, col::Size), at(r, col::Digits), nulls, at(r, col::Remarks), keySeq});
  }
  return out;
}

struct IndexInfo {
  Value qualifier, schema, table, name;
  bool unique = false;
  std::vector<Row> keyRows;
};

// The table's indexes in the order the driver lists them (table
// statistics rows dropped).
std::vector<IndexInfo> indexesOf(const CatalogSources& s) {
  std::vector<IndexInfo> indexes;
  for (const Row& r : s.statistics) {
    Value name = at(r, col::IndexName);
    if (!name || number(at(r, col::StatType)) == 0) continue;
    auto it = std::find_if(indexes.begin(), indexes.end(), [&](const IndexInfo& ix) {
      return *ix.name == *name && ix.qualifier == at(r, col::Qualifier);
    });
    if (it == indexes.end()) {
      indexes.push_back({at(r, col::Qualifier), at(r, col::Schema), at(r, col::Table), name,
                         number(at(r, col::NonUnique)) == 0, {}});
      it = indexes.end() - 1;
    }
    it->keyRows.push_back(r);
  }
  return indexes;
}

bool coversPrimaryKey(const IndexInfo& ix, const std::vector<Row>& pk) {
  if (!ix.unique || pk.empty() || ix.keyRows.size() != pk.size()) return false;
  std::vector<Row> keys = sortedBy(ix.keyRows, col::KeyOrdinal);
  for (size_t i = 0; i < keys.size(); ++i)
    if (!at(pk[i], col::PkColumn) || !sameName(at(keys[i], col::KeyColumn), *at(pk[i], col::PkColumn)))
      return false;
  return true;
}

std::vector<Row> indexRows(const CatalogCommand& c, const CatalogSources& s) {
  std::vector<Row> pk = sortedBy(s.primaryKeys, col::PkSeq);
  std::vector<Row> out;
  bool primaryListed = false;
  for (const IndexInfo& ix : indexesOf(s)) {
    bool primary = !primaryListed && coversPrimaryKey(ix, pk);
    primaryListed = primaryListed || primary;
    if (c.uniqueOnly && !ix.unique) continue;
    Value creator = ix.qualifier ? ix.qualifier : ix.schema;
    Value rule = std::string(primary ? "P" : ix.unique ? "U" : "D");
    out.push_back({creator, ix.name, ix.schema, ix.table, rule, std::to_string(ix.keyRows.size())});
  }
  if (!primaryListed && !pk.empty()) {
    const Row& first = pk.front();
    out.push_back({at(first, col::Schema), std::string("PRIMARY"), at(first, col::Schema), at(first, col::Table),
                   std::string("P"), std::to_string(pk.size())});
  }
  return out;
}

std::vector<Row> keyRows(const CatalogCommand& c, const CatalogSources& s) {
  std::vector<Row> out;
  for (const IndexInfo& ix : indexesOf(s)) {
    if (!sameName(ix.name, c.index)) continue;
    for (const Row& r : sortedBy(ix.keyRows, col::KeyOrdinal)) {
      Value ordering = at(r, col::AscDesc) ? at(r, col::AscDesc) : Value("A");
      out.push_back({at(r, col::KeyColumn), at(r, col::KeyOrdinal), ordering, ix.name, ix.table});
    }
    return out;
  }
  if (upper(c.index) != "PRIMARY") return out;
  for (const Row& r : sortedBy(s.primaryKeys, col::PkSeq))
    out.push_back({at(r, col::PkColumn), at(r, col::PkSeq), std::string("A"), std::string("PRIMARY"),
                   at(r, col::Table)});
  return out;
}

std::vector<Row> rowIdRows(const CatalogSources& s) {
  std::vector<Row> out;
  for (const Row& r : s.specialColumns)
    out.push_back({at(r, col::SpecialName), at(r, col::SpecialType),
                   std::string(number(at(r, col::Pseudo)) == 2 ? "Y" : "N")});
  return out;
}

} // namespace

bool isCatalogCommand(const std::string& sql) {
  Lexer lex(sql);
  return isWord(lex.next(), "CATALOG");
}

std::optional<CatalogCommand> parseCatalogCommand(const std::string& sql) {
  Lexer lex(sql);
  if (!isWord(lex.next(), "CATALOG")) return std::nullopt;
  auto kindWord = lex.next();
  if (!kindWord || kindWord->kind != Token::Word) return std::nullopt;
  auto kind = kindNamed(kindWord->text);
  if (!kind) return std::nullopt;
  CatalogCommand c;
  c.kind = *kind;
  if (!parsePairs(lex, c) || !parseSelectList(lex, c)) return std::nullopt;
  if (c.table.empty() || (c.kind == CatalogKind::Key && c.index.empty())) return std::nullopt;
  return c;
}

const std::vector<std::string>& resultColumns(CatalogKind kind) {
  static const std::vector<std::string> column = {"CREATOR", "TBNAME", "COLNAME", "COLNO",   "COLTYPE", "TYPECODE",
                                                  "LENGTH",  "SCALE",  "NULLS",   "REMARKS", "KEYSEQ"};
  static const std::vector<std::string> index = {"IXCREATOR", "IXNAME", "TBCREATOR", "TBNAME", "UNIQUERULE",
                                                 "COLCOUNT"};
  static const std::vector<std::string> key = {"COLNAME", "COLSEQ", "ORDERING", "IXNAME", "TBNAME"};
  static const std::vector<std::string> rowId = {"COLNAME", "COLTYPE", "PSEUDO"};
  switch (kind) {
  case CatalogKind::Column: return column;
  case CatalogKind::Index: return index;
  case CatalogKind::Key: return key;
  default: return rowId;
  }
}

std::vector<Row> catalogResult(const CatalogCommand& command, const CatalogSources& sources) {
  std::vector<Row> full;
  switch (command.kind) {
  case CatalogKind::Column: full = columnRows(sources); break;
  case CatalogKind::Index: full = indexRows(command, sources); break;
  case CatalogKind::Key: full = keyRows(command, sources); break;
  case CatalogKind::RowId: full = rowIdRows(sources); break;
  }
  std::vector<Row> out;
  for (const Row& r : full) {
    Row projected;
    for (int i : command.select) projected.push_back(at(r, size_t(i)));
    out.push_back(std::move(projected));
  }
  return out;
}

} // namespace dbc
