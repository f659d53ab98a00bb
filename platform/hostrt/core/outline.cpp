#include "outline.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <deque>

namespace hostrt {

namespace {

const ItemTypeInfo kTypes[] = {
    {0, "Application", "Application", false},   {1, "Splitter", "Splitter Bar", true},
    {2, "Form", "Form Window", true},           {3, "Dialog", "Dialog Box", true},
    {5, "Text", "Background Text", true},       {8, "DataField", "Data Field", true},
    {9, "MultilineField", "Multiline Field", true}, {10, "PushButton", "Pushbutton", true},
    {11, "CheckBox", "Check Box", true},        {12, "OptionButton", "Radio Button", true},
    {13, "ListBox", "List Box", true},          {14, "ComboBox", "Combo Box", true},
    {15, "Picture", "Picture", true},           {16, "Table", "Table Window", true},
    {20, "Section", "Section", false},          {21, "Function", "Function", false},
    {22, "Custom", "Custom Control", true},     {23, "Object", "Object", false},
    {188, "Comment", "Comment", false},
};

const struct {
  const char* name;
  int number;
} kAttributeNames[] = {{"title", 1}, {"rect", 2}, {"style", 3}, {"class", 286}, {"hostclass", 287}};

uint32_t g_nextHandle = 0x00A00001;

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}
std::string_view trimLeft(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = char(tolower((unsigned char)c));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool parseHexBytes(std::string_view s, std::string& out) {
  out.clear();
  size_t i = 0;
  while (true) {
    while (i < s.size() && s[i] == ' ') ++i;
    if (i == s.size()) return true;
    if (i + 1 >= s.size()) return false;
    int hi = hexDigit(s[i]), lo = hexDigit(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out += char(hi * 16 + lo);
    i += 2;
  }
}

bool parseAttributeName(std::string_view name, int& number) {
  for (const auto& a : kAttributeNames)
    if (name == a.name) {
      number = a.number;
      return true;
    }
  if (name.empty() || name.size() > 9) return false;
  for (char c : name)
    if (!isdigit((unsigned char)c)) return false;
  number = atoi(std::string(name).c_str());
  return true;
}

// "name = value": the name (unescaped, trimmed) and the raw value.
bool splitAssignment(std::string_view body, std::string& name, std::string_view& value) {
  size_t eq = body.find('=');
  if (eq == std::string_view::npos) return false;
  if (!unescapeText(trimRight(trimLeft(body.substr(0, eq))), name) || name.empty()) return false;
  value = trimRight(trimLeft(body.substr(eq + 1)));
  return true;
}

bool parseProperty(std::string_view value, std::string& bytes) {
  if (value == "hex" || value.substr(0, 4) == "hex ") return parseHexBytes(value.substr(3), bytes);
  if (!unescapeText(value, bytes)) return false;
  bytes += '\0';
  return true;
}

bool parseItemLine(std::string_view body, bool& included, int& type, std::string& text) {
  included = !body.empty() && body.front() == '*';
  if (included) body.remove_prefix(1);
  size_t end = 0;
  while (end < body.size() && body[end] != ' ' && body[end] != '\t') ++end;
  std::string_view keyword = body.substr(0, end);
  if (keyword.size() > 1 && keyword.front() == '#') {
    for (char c : keyword.substr(1))
      if (!isdigit((unsigned char)c)) return false;
    if (keyword.size() > 10) return false;
    type = atoi(std::string(keyword.substr(1)).c_str());
  } else {
    const ItemTypeInfo* info = itemTypeByKeyword(keyword);
    if (!info) return false;
    type = info->type;
  }
  return unescapeText(trimRight(trimLeft(body.substr(end))), text);
}

std::string keywordOf(int type) {
  const ItemTypeInfo* info = itemTypeInfo(type);
  if (info) return info->keyword;
  std::string k = "#";
  k.append(std::to_string(type));
  return k;
}

void writeItem(const Item& item, int depth, std::string& out) {
  std::string indent(size_t(depth) * 2, ' ');
  out.append(indent).append(item.included ? "*" : "").append(keywordOf(item.type));
  if (!item.text.empty()) out.append(" ").append(escapeText(item.text));
  out += "\n";
  for (const auto& [number, value] : item.attributes)
    out += indent + "  @" + std::to_string(number) + " = " + escapeText(value) + "\n";
  for (const auto& [name, bytes] : item.properties) {
    std::string escapedName = escapeText(name);
    size_t eq;
    while ((eq = escapedName.find('=')) != std::string::npos) escapedName.replace(eq, 1, "\\x3D");
    out += indent + "  $" + escapedName + " = hex";
    char buf[4];
    for (unsigned char c : bytes) {
      snprintf(buf, sizeof buf, " %02X", c);
      out += buf;
    }
    out += "\n";
  }
  for (const Item* child : item.children) writeItem(*child, depth + 1, out);
}

void listItem(const Item& item, int depth, bool withAttributes, std::string& out) {
  std::string indent(size_t(depth), '\t');
  out += indent + itemDisplayName(item.type) + ": " + item.text + "\n";
  if (withAttributes)
    for (const auto& [number, value] : item.attributes)
      out += indent + "\t" + std::to_string(number) + " = " + value + "\n";
  for (const Item* child : item.children) listItem(*child, depth + 1, withAttributes, out);
}

} // namespace

const ItemTypeInfo* itemTypeInfo(int type) {
  for (const auto& t : kTypes)
    if (t.type == type) return &t;
  return nullptr;
}

const ItemTypeInfo* itemTypeByKeyword(std::string_view keyword) {
  for (const auto& t : kTypes)
    if (keyword == t.keyword) return &t;
  return nullptr;
}

std::string itemDisplayName(int type) {
  const ItemTypeInfo* info = itemTypeInfo(type);
  return info ? info->display : "Item " + std::to_string(type);
}

bool isWindowType(int type) {
  const ItemTypeInfo* info = itemTypeInfo(type);
  return info && info->window;
}

std::string itemName(const Item& item) {
  std::string_view text = item.text;
  return std::string(trimRight(text.substr(0, text.find('!'))));
}

uint32_t nextHandle() { return g_nextHandle++; }

Outline::Outline() : handle_(nextHandle()) { top_ = create(0); }

Item* Outline::find(uint32_t itemHandle) const {
  auto it = items_.find(itemHandle);
  return it == items_.end() ? nullptr : it->second.get();
}

Item* Outline::create(int type) {
  auto item = std::make_unique<Item>();
  item->handle = nextHandle();
  item->type = type;
  Item* raw = item.get();
  items_.emplace(raw->handle, std::move(item));
  return raw;
}

void Outline::detach(Item* item) {
  if (!item->parent) return;
  auto& siblings = item->parent->children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), item));
  item->parent = nullptr;
}

bool Outline::insert(Item* item, Item* parent, Item* after) {
  if (item == top_ || (after && after->parent != parent)) return false;
  for (Item* p = parent; p; p = p->parent)
    if (p == item) return false;
  if (after == item) return false;
  detach(item);
  auto& siblings = parent->children;
  auto at = after ? std::find(siblings.begin(), siblings.end(), after) + 1 : siblings.begin();
  siblings.insert(at, item);
  item->parent = parent;
  return true;
}

Item* Outline::append(Item* parent, int type, std::string text) {
  Item* item = create(type);
  item->text = std::move(text);
  item->parent = parent;
  parent->children.push_back(item);
  return item;
}

void Outline::erase(Item* item) {
  detach(item);
  for (Item* gone : subtree(item)) items_.erase(gone->handle);
}

std::vector<Item*> Outline::subtree(Item* item) const {
  std::vector<Item*> out{item};
  for (size_t i = 0; i < out.size(); ++i) {
    // depth first: insert the children right after their parent
    Item* at = out[i];
    out.insert(out.begin() + long(i) + 1, at->children.begin(), at->children.end());
  }
  return out;
}

std::vector<Item*> Outline::breadthFirst(Item* item) const {
  std::vector<Item*> out;
  std::deque<Item*> queue(item->children.begin(), item->children.end());
  while (!queue.empty()) {
    Item* at = queue.front();
    queue.pop_front();
    out.push_back(at);
    queue.insert(queue.end(), at->children.begin(), at->children.end());
  }
  return out;
}

std::string escapeText(std::string_view raw) {
  std::string out;
  char buf[8];
  for (size_t i = 0; i < raw.size(); ++i) {
    unsigned char c = (unsigned char)raw[i];
    bool edgeBlank = c == ' ' && (i == 0 || i + 1 == raw.size());
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F || edgeBlank) {
      snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += char(c);
    }
  }
  return out;
}

bool unescapeText(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return false;
    switch (text[i]) {
    case '\\': out += '\\'; break;
    case 'n': out += '\n'; break;
    case 't': out += '\t'; break;
    case 'r': out += '\r'; break;
    case '0': out += '\0'; break;
    case 'x': {
      if (i + 2 >= text.size()) return false;
      int hi = hexDigit(text[i + 1]), lo = hexDigit(text[i + 2]);
      if (hi < 0 || lo < 0) return false;
      out += char(hi * 16 + lo);
      i += 2;
      break;
    }
    default: return false;
    }
  }
  return true;
}

bool parseDescription(std::string_view text, Outline& outline, long& errorLine) {
  struct Level {
    size_t indent;
    Item* item;
  };
  std::vector<Level> stack;
  Item* current = outline.top();
  bool sawItem = false;
  long lineNo = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view line = text.substr(pos, eol - pos);
    pos = eol + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    size_t indent = 0;
    while (indent < line.size() && (line[indent] == ' ' || line[indent] == '\t')) ++indent;
    std::string_view body = trimRight(line.substr(indent));
    bool comment = !body.empty() && body.front() == '#' && (body.size() == 1 || !isdigit((unsigned char)body[1]));
    if (body.empty() || comment || (lineNo == 1 && body.substr(0, 18) == "HostRT Application")) {
      if (pos > text.size()) break;
      continue;
    }
    errorLine = lineNo;
    if (body.front() == '@' || body.front() == '$') {
      std::string name;
      std::string_view value;
      if (!splitAssignment(body.substr(1), name, value)) return false;
      if (body.front() == '@') {
        int number = 0;
        std::string attr;
        if (!parseAttributeName(name, number) || !unescapeText(value, attr)) return false;
        current->attributes[number] = attr;
      } else {
        std::string bytes;
        if (!parseProperty(value, bytes)) return false;
        current->properties[name] = bytes;
      }
    } else {
      bool included = false;
      int type = 0;
      std::string itemText;
      if (!parseItemLine(body, included, type, itemText)) return false;
      while (!stack.empty() && stack.back().indent >= indent) stack.pop_back();
      if (!sawItem && type == 0 && indent == 0) {
        current = outline.top();
        current->text = itemText;
      } else {
        current = outline.append(stack.empty() ? outline.top() : stack.back().item, type, itemText);
      }
      current->included = included;
      stack.push_back({indent, current});
      sawItem = true;
    }
    if (pos > text.size()) break;
  }
  errorLine = 0;
  return true;
}

std::string writeDescription(const Outline& outline) {
  std::string out = "HostRT Application 1\n";
  writeItem(*outline.top(), 0, out);
  return out;
}

std::string writeListing(const Outline& outline, bool withAttributes) {
  std::string out;
  for (const Item* child : outline.top()->children) listItem(*child, 0, withAttributes, out);
  return out;
}

} // namespace hostrt
