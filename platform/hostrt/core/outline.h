// The application outline: a tree of items with attributes and string
// properties, its text description (read and written) and its text
// listing. Pure C++ (no windows.h).
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hostrt {

struct Item {
  uint32_t handle = 0;
  int type = 0;
  std::string text;
  std::map<int, std::string> attributes;
  std::map<std::string, std::string> properties;  // exact bytes
  bool included = false;
  bool changed = false;
  Item* parent = nullptr;  // null for the top item and for items not in the tree
  std::vector<Item*> children;
};

struct ItemTypeInfo {
  int type;
  const char* keyword;  // in descriptions
  const char* display;  // in the outline listing
  bool window;
};
const ItemTypeInfo* itemTypeInfo(int type);
const ItemTypeInfo* itemTypeByKeyword(std::string_view keyword);
std::string itemDisplayName(int type);
bool isWindowType(int type);

// The text up to the first '!', without trailing blanks.
std::string itemName(const Item& item);

class Outline {
public:
  Outline();
  Outline(const Outline&) = delete;
  Outline& operator=(const Outline&) = delete;

  uint32_t handle() const { return handle_; }
  Item* top() { return top_; }
  const Item* top() const { return top_; }
  Item* find(uint32_t itemHandle) const;  // any item of this outline, in the tree or not
  Item* create(int type);                 // not in the tree yet
  // Puts item under parent after `after` (null: first); moves an item that
  // is in the tree. False for the top item, a foreign `after` or a cycle.
  bool insert(Item* item, Item* parent, Item* after);
  Item* append(Item* parent, int type, std::string text);
  // Removes the item and its subtree.
  void erase(Item* item);
  // The item and its descendants, depth first.
  std::vector<Item*> subtree(Item* item) const;
  // The subtree without its root, nearer levels first.
  std::vector<Item*> breadthFirst(Item* item) const;

  int flags = 0;  // HOST_OUTLINE_ bits

private:
  void detach(Item* item);

  uint32_t handle_;
  Item* top_;
  std::map<uint32_t, std::unique_ptr<Item>> items_;
};

// Handles of outlines and items come from one counter, never reused.
uint32_t nextHandle();

// Reads an indented description into an empty outline (format in
// docs/hostrt.md). On a malformed line returns false with its 1-based
// number in errorLine.
bool parseDescription(std::string_view text, Outline& outline, long& errorLine);
// The description that parseDescription reads back to the same outline.
std::string writeDescription(const Outline& outline);
// The text listing: "<type name>: <text>" a line, a tab a level; with
// attributes when withAttributes.
std::string writeListing(const Outline& outline, bool withAttributes);

std::string escapeText(std::string_view raw);
bool unescapeText(std::string_view text, std::string& out);

} // namespace hostrt
