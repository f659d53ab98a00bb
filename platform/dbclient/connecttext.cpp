#include "connecttext.h"

#include <cctype>

namespace dbc {

namespace {

std::string trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool equalsNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && !b[i];
}

// Splits at ";" outside ODBC braces ("PWD={a;b}", "}}" inside braces is a
// brace). nullopt for an unclosed brace.
std::optional<std::vector<std::string>> splitItems(const std::string& text) {
  std::vector<std::string> items;
  std::string item;
  bool inBraces = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inBraces) {
      item += c;
      if (c == '}') {
        if (i + 1 < text.size() && text[i + 1] == '}') item += text[++i];
        else inBraces = false;
      }
    } else if (c == ';') {
      items.push_back(item);
      item.clear();
    } else {
      if (c == '{' && trim(item).size() && trim(item).back() == '=') inBraces = true;
      item += c;
    }
  }
  if (inBraces) return std::nullopt;
  items.push_back(item);
  return items;
}

} // namespace

std::optional<ConnectText> parseConnectText(const std::string& text) {
  if (text.size() > kMaxConnectText) return std::nullopt;
  auto items = splitItems(text);
  if (!items) return std::nullopt;
  ConnectText result;
  bool first = true;
  for (const std::string& raw : *items) {
    std::string item = trim(raw);
    size_t eq = item.find('=');
    if (first) {
      first = false;
      if (eq == std::string::npos) {
        result.shortForm = true;
        result.databaseFile = item;
        continue;
      }
    }
    if (item.empty()) continue;
    if (eq == std::string::npos) return std::nullopt;
    if (equalsNoCase(trim(item.substr(0, eq)), "RPADM")) {
      result.rpadmFile = trim(item.substr(eq + 1));
      if (result.rpadmFile.empty()) return std::nullopt;
      continue;
    }
    result.driverItems.push_back(item);
  }
  if (!result.shortForm && result.driverItems.empty()) return std::nullopt;
  return result;
}

std::string driverConnectString(const ConnectText& c, const std::string& sqliteDriver,
                                const std::string& databasePath) {
  std::string s;
  if (c.shortForm) s = "DRIVER={" + sqliteDriver + "};Database=" + databasePath;
  for (const std::string& item : c.driverItems) {
    if (!s.empty()) s += ';';
    s += item;
  }
  return s;
}

std::string sqliteDatabaseName(const std::string& unixPath) {
  auto plain = [](unsigned char c) { return c >= 0x20 && c < 0x7F && c != '%' && c != '?' && c != '#'; };
  bool ascii = true;
  for (char c : unixPath) ascii = ascii && plain(static_cast<unsigned char>(c));
  if (ascii) return unixPath;
  static const char hex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (char ch : unixPath) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (plain(c) && c != ' ') {
      uri += ch;
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 15];
    }
  }
  return uri;
}

std::string attachStatement(const std::string& path) {
  std::string quoted;
  for (char c : path) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return "ATTACH DATABASE '" + quoted + "' AS RPADM";
}

} // namespace dbc
