// Application outlines: the tree walks, item data, attributes, string
// properties, loading and saving.
#include "runtime.h"

#include <fstream>
#include <map>
#include <sstream>

namespace hostrt {

namespace {

std::map<HOUTLINE, std::unique_ptr<Outline>> g_outlines;

HITEM handleOf(const Item* item) { return item ? item->handle : 0; }

// Neighbours in the parent's child list.
Item* sibling(Item* item, int step) {
  if (!item || !item->parent) return nullptr;
  auto& list = item->parent->children;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == item) {
      long long j = (long long)i + step;
      return j >= 0 && j < (long long)list.size() ? list[size_t(j)] : nullptr;
    }
  return nullptr;
}

HSTRING newText(const std::string& text) { return makeString(text.c_str(), DWORD(text.size() + 1)); }

bool writeFile(LPCSTR fileName, const std::string& content) {
  if (!fileName) return false;
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out << content;
  return bool(out.flush());
}

template <class F> auto withItem(HOUTLINE outline, HITEM item, F f) {
  Item* it = findItem(outline, item);
  return f(it);
}

} // namespace

Outline* findOutline(HOUTLINE handle) {
  auto it = g_outlines.find(handle);
  return it == g_outlines.end() ? nullptr : it->second.get();
}

Item* findItem(HOUTLINE outline, HITEM item) {
  Outline* o = findOutline(outline);
  return o && item ? o->find(item) : nullptr;
}

Item* findTreeItem(HOUTLINE outline, HITEM item) {
  Outline* o = findOutline(outline);
  Item* it = o && item ? o->find(item) : nullptr;
  if (!it) return nullptr;
  Item* root = it;
  while (root->parent) root = root->parent;
  return root == o->top() ? it : nullptr;
}

HOUTLINE adoptOutline(std::unique_ptr<Outline> outline) {
  HOUTLINE handle = outline->handle();
  g_outlines.emplace(handle, std::move(outline));
  return handle;
}

} // namespace hostrt

using namespace hostrt;

extern "C" {

HOUTLINE HOSTAPI HostCreateOutline(void) {
  return guarded<HOUTLINE>(0, [] { return adoptOutline(std::make_unique<Outline>()); });
}

HOUTLINE HOSTAPI HostOutlineFromText(LPCSTR description, LONG* errorLine) {
  return guarded<HOUTLINE>(0, [&]() -> HOUTLINE {
    long line = 0;
    auto outline = std::make_unique<Outline>();
    bool ok = description && parseDescription(description, *outline, line);
    if (errorLine) *errorLine = description ? line : 0;
    return ok ? adoptOutline(std::move(outline)) : 0;
  });
}

HOUTLINE HOSTAPI HostLoadApp(LPCSTR fileName) {
  return guarded<HOUTLINE>(0, [&]() -> HOUTLINE {
    if (!fileName) return 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return 0;
    std::stringstream content;
    content << in.rdbuf();
    long line = 0;
    auto outline = std::make_unique<Outline>();
    if (!parseDescription(content.str(), *outline, line)) return 0;
    return adoptOutline(std::move(outline));
  });
}

BOOL HOSTAPI HostReleaseApp(HOUTLINE outline) {
  return guarded<BOOL>(FALSE, [&] {
    Outline* o = findOutline(outline);
    if (!o) return FALSE;
    unmapItems(o->subtree(o->top()));
    g_outlines.erase(outline);
    return TRUE;
  });
}

BOOL HOSTAPI HostOutlineSave(HOUTLINE outline, LPCSTR fileName) {
  return guarded<BOOL>(FALSE, [&] {
    Outline* o = findOutline(outline);
    if (!o || !writeFile(fileName, writeDescription(*o))) return FALSE;
    o->flags &= ~HOST_OUTLINE_CHANGED;
    return TRUE;
  });
}

BOOL HOSTAPI HostOutlineSaveAsText(HOUTLINE outline, LPCSTR fileName, LONG flags) {
  return guarded<BOOL>(FALSE, [&] {
    Outline* o = findOutline(outline);
    return o && writeFile(fileName, writeListing(*o, flags & 1)) ? TRUE : FALSE;
  });
}

BOOL HOSTAPI HostMarkApplicationChanged(HOUTLINE outline) {
  Outline* o = findOutline(outline);
  if (o) o->flags |= HOST_OUTLINE_CHANGED;
  return o != nullptr;
}

BOOL HOSTAPI HostMarkApplicationUncompiled(HOUTLINE outline) {
  Outline* o = findOutline(outline);
  if (o) o->flags |= HOST_OUTLINE_UNCOMPILED;
  return o != nullptr;
}

LONG HOSTAPI HostOutlineFlags(HOUTLINE outline) {
  Outline* o = findOutline(outline);
  return o ? o->flags : -1;
}

HITEM HOSTAPI HostGetTopItem(HOUTLINE outline) {
  Outline* o = findOutline(outline);
  return o ? o->top()->handle : 0;
}

HITEM HOSTAPI HostParent(HOUTLINE outline, HITEM item) {
  return withItem(outline, item, [](Item* it) { return handleOf(it ? it->parent : nullptr); });
}
HITEM HOSTAPI HostFirstChild(HOUTLINE outline, HITEM item) {
  return withItem(outline, item,
                  [](Item* it) { return handleOf(it && !it->children.empty() ? it->children.front() : nullptr); });
}
HITEM HOSTAPI HostLastChild(HOUTLINE outline, HITEM item) {
  return withItem(outline, item,
                  [](Item* it) { return handleOf(it && !it->children.empty() ? it->children.back() : nullptr); });
}
HITEM HOSTAPI HostNextSibling(HOUTLINE outline, HITEM item) {
  return withItem(outline, item, [](Item* it) { return handleOf(sibling(it, 1)); });
}
HITEM HOSTAPI HostPrevSibling(HOUTLINE outline, HITEM item) {
  return withItem(outline, item, [](Item* it) { return handleOf(sibling(it, -1)); });
}

HITEM HOSTAPI HostChildOfType(HOUTLINE outline, HITEM parent, LONG type, LONG flag) {
  return guarded<HITEM>(0, [&]() -> HITEM {
    Outline* o = findOutline(outline);
    Item* p = findItem(outline, parent);
    if (!p) return 0;
    std::vector<Item*> candidates = flag ? o->breadthFirst(p) : p->children;
    for (Item* it : candidates)
      if (it->type == type) return it->handle;
    return 0;
  });
}

LONG HOSTAPI HostItemType(HOUTLINE outline, HITEM item) {
  Item* it = findItem(outline, item);
  return it ? it->type : -1;
}

BOOL HOSTAPI HostIsThisAWindow(HOUTLINE outline, HITEM item) {
  Item* it = findItem(outline, item);
  return it && isWindowType(it->type);
}

LONG HOSTAPI HostItemGetLineCount(HOUTLINE outline, HITEM item) {
  return guarded<LONG>(-1, [&]() -> LONG {
    Outline* o = findOutline(outline);
    Item* it = findItem(outline, item);
    return it ? LONG(o->subtree(it).size()) : -1;
  });
}

BOOL HOSTAPI HostGetItemText(HOUTLINE outline, HITEM item, LONG flag, HSTRING* text) {
  return guarded<BOOL>(FALSE, [&] {
    if (!text) return FALSE;
    *text = 0;
    Item* it = findItem(outline, item);
    if (!it) return FALSE;
    *text = newText(flag ? it->text : itemDisplayName(it->type) + ": " + it->text);
    return *text ? TRUE : FALSE;
  });
}

HSTRING HOSTAPI HostGetItemTitle(HOUTLINE outline, HITEM item) {
  return guarded<HSTRING>(0, [&]() -> HSTRING {
    Item* it = findItem(outline, item);
    if (!it) return 0;
    auto title = it->attributes.find(HOST_ATTR_TITLE);
    return newText(title != it->attributes.end() ? title->second : itemName(*it));
  });
}

LONG HOSTAPI HostGetItemTypeText(HOUTLINE outline, HITEM item, LONG attribute, LPSTR buffer, LONG size) {
  return guarded<LONG>(-1, [&]() -> LONG {
    Item* it = findItem(outline, item);
    auto found = it ? it->attributes.find(attribute) : decltype(it->attributes.end()){};
    if (!it || found == it->attributes.end()) {
      if (buffer && size > 0) buffer[0] = 0;
      return -1;
    }
    return copyOut(found->second, buffer, size);
  });
}

BOOL HOSTAPI HostSetItemTypeText(HOUTLINE outline, HITEM item, LONG attribute, LPCSTR text, LONG length) {
  return guarded<BOOL>(FALSE, [&] {
    Item* it = findItem(outline, item);
    if (!it) return FALSE;
    if (!text)
      it->attributes.erase(attribute);
    else
      it->attributes[attribute] = length < 0 ? std::string(text) : std::string(text, strnlen(text, size_t(length)));
    return TRUE;
  });
}

BOOL HOSTAPI HostSetObjectClass(HOUTLINE outline, HITEM item, LPCSTR className) {
  return className ? HostSetItemTypeText(outline, item, HOST_ATTR_HOSTCLASS, className, -1) : FALSE;
}

LONG HOSTAPI HostSetStrProperty(HOUTLINE outline, HITEM item, LPCSTR name, LPCVOID data, WORD size) {
  return guarded<LONG>(0, [&]() -> LONG {
    Item* it = findItem(outline, item);
    if (!it || !name || !*name || (!data && size)) return 0;
    it->properties[name] = size ? std::string(static_cast<const char*>(data), size) : std::string(1, '\0');
    return 1;
  });
}

BOOL HOSTAPI HostGetStrProperty(HOUTLINE outline, HITEM item, LPCSTR name, HSTRING* value) {
  return guarded<BOOL>(FALSE, [&] {
    if (!value) return FALSE;
    *value = 0;
    Item* it = findItem(outline, item);
    if (!it || !name) return FALSE;
    auto found = it->properties.find(name);
    if (found == it->properties.end()) return FALSE;
    // The string's size is the stored size: the bytes already end with the
    // terminator their writer put there.
    const std::string& bytes = found->second;
    *value = makeString(bytes.data(), DWORD(bytes.size()));
    return *value ? TRUE : FALSE;
  });
}

BOOL HOSTAPI HostRemoveStrProperty(HOUTLINE outline, HITEM item, LPCSTR name) {
  return guarded<BOOL>(FALSE, [&] {
    Item* it = findItem(outline, item);
    return it && name && it->properties.erase(name) ? TRUE : FALSE;
  });
}

LONG HOSTAPI HostEnumStrProps(HOUTLINE outline, HITEM item, HARRAY names) {
  return guarded<LONG>(-1, [&]() -> LONG {
    Item* it = findItem(outline, item);
    if (!it) return -1;
    std::vector<std::string> list;
    for (const auto& entry : it->properties) list.push_back(entry.first);
    return storeStrings(names, list);
  });
}

HITEM HOSTAPI HostCreateItem(HOUTLINE outline, LONG type) {
  return guarded<HITEM>(0, [&]() -> HITEM {
    Outline* o = findOutline(outline);
    return o ? o->create(type)->handle : 0;
  });
}

HITEM HOSTAPI HostAddItem(HOUTLINE outline, HITEM parent, LONG type, LPCSTR text) {
  return guarded<HITEM>(0, [&]() -> HITEM {
    Outline* o = findOutline(outline);
    Item* p = parent ? findTreeItem(outline, parent) : (o ? o->top() : nullptr);
    return p ? o->append(p, type, text ? text : "")->handle : 0;
  });
}

BOOL HOSTAPI HostInsertItem(HOUTLINE outline, HITEM item, HITEM parent, HITEM after) {
  return guarded<BOOL>(FALSE, [&] {
    Outline* o = findOutline(outline);
    Item* it = findItem(outline, item);
    Item* p = findTreeItem(outline, parent);
    Item* a = after ? findItem(outline, after) : nullptr;
    if (!it || !p || (after && !a)) return FALSE;
    return o->insert(it, p, a) ? TRUE : FALSE;
  });
}

BOOL HOSTAPI HostSetItemData(HOUTLINE outline, HITEM item, LONG type, LPCSTR text) {
  return guarded<BOOL>(FALSE, [&] {
    Item* it = findItem(outline, item);
    if (!it) return FALSE;
    if (type != -1) it->type = type;
    if (text) it->text = text;
    return TRUE;
  });
}

BOOL HOSTAPI HostDeleteItem(HOUTLINE outline, HITEM item) {
  return guarded<BOOL>(FALSE, [&] {
    Outline* o = findOutline(outline);
    Item* it = findItem(outline, item);
    if (!it || it == o->top()) return FALSE;
    unmapItems(o->subtree(it));
    o->erase(it);
    return TRUE;
  });
}

BOOL HOSTAPI HostIsItemIncluded(HOUTLINE outline, HITEM item) {
  Item* it = findItem(outline, item);
  return it && it->included;
}

BOOL HOSTAPI HostSetItemIncluded(HOUTLINE outline, HITEM item, BOOL included) {
  Item* it = findItem(outline, item);
  if (it) it->included = included != FALSE;
  return it != nullptr;
}

LONG HOSTAPI HostRefreshInclude(HOUTLINE outline, HITEM item) {
  return guarded<LONG>(-1, [&]() -> LONG {
    Outline* o = findOutline(outline);
    Item* it = findItem(outline, item);
    if (!it) return -1;
    LONG changed = 0;
    for (Item* inner : o->subtree(it))
      if (inner->included != it->included) {
        inner->included = it->included;
        ++changed;
      }
    return changed;
  });
}

BOOL HOSTAPI HostItemChangeUpdate(HOUTLINE outline, HITEM item, LONG flag) {
  Item* it = findItem(outline, item);
  if (!it) return FALSE;
  it->changed = flag != 0;
  findOutline(outline)->flags |= HOST_OUTLINE_CHANGED;
  return TRUE;
}

BOOL HOSTAPI HostIsItemChanged(HOUTLINE outline, HITEM item) {
  Item* it = findItem(outline, item);
  return it && it->changed;
}

BOOL HOSTAPI HostNotifyPropertyChange(HOUTLINE outline, HITEM item, LONG a, LONG b, LONG c) {
  return guarded<BOOL>(FALSE, [&] {
    if (!findItem(outline, item)) return FALSE;
    findOutline(outline)->flags |= HOST_OUTLINE_CHANGED;
    logEvent("HostNotifyPropertyChange " + hex32(outline) + " " + hex32(item) + " " + std::to_string(a) + " " +
             std::to_string(b) + " " + std::to_string(c));
    return TRUE;
  });
}

BOOL HOSTAPI HostItemDesignOption(HOUTLINE outline, HITEM item, LONG option) {
  return guarded<BOOL>(FALSE, [&] {
    if (!findItem(outline, item)) return FALSE;
    logEvent("HostItemDesignOption " + hex32(outline) + " " + hex32(item) + " " + std::to_string(option));
    return TRUE;
  });
}

HITEM HOSTAPI HostFindItem(HOUTLINE outline, HITEM parent, LPCSTR name) {
  return guarded<HITEM>(0, [&]() -> HITEM {
    Outline* o = findOutline(outline);
    Item* at = parent ? findItem(outline, parent) : (o ? o->top() : nullptr);
    if (!at || !name) return 0;
    std::string_view path = name;
    while (at) {
      size_t dot = path.find('.');
      std::string_view part = path.substr(0, dot);
      Item* found = nullptr;
      for (Item* it : o->breadthFirst(at))
        if (itemName(*it) == part) {
          found = it;
          break;
        }
      if (!found || dot == std::string_view::npos) return handleOf(found);
      at = found;
      path.remove_prefix(dot + 1);
    }
    return 0;
  });
}

} // extern "C"
