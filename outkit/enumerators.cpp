// The enumerators: walks over the children of one section of the outline
// that fill a host array or find one child.
#include "itemtext.h"
#include "outkit.h"

#include <climits>

namespace {

using outkit::nameLength;
using outkit::sameText;
using outkit::textLength;

const char kDataSource[] = "DATASOURCE";

// The first item of the type anywhere below parent: the section walked.
HITEM sectionOf(HOUTLINE outline, HITEM parent, LONG type) { return HostChildOfType(outline, parent, type, 1); }

// Calls visit(item) for each child of the section in order, passing over
// comment items; stops early (and answers false) when visit answers false.
template <typename Visit>
bool forEachObject(HOUTLINE outline, HITEM section, Visit visit) {
  for (HITEM item = HostFirstChild(outline, section); item; item = HostNextSibling(outline, item))
    if (HostItemType(outline, item) != HOST_ITEM_COMMENT && !visit(item)) return false;
  return true;
}

// Appends to a host array: after its last element, or at its lower bound
// when it is empty (where the host says the first element goes).
class Appender {
public:
  // False for an unknown array or one whose element type is refused.
  bool open(HARRAY array, bool strings) {
    LONG type = HostArrayGetType(array);
    bool fits = strings ? (type == HOST_TYPE_STRING || type == HOST_TYPE_LONGSTRING) : type == HOST_TYPE_OBJECT;
    LONG count = 0, lower = 0, upper = 0;
    if (!fits || !HostArrayGetBounds(array, &count, &lower, &upper)) return false;
    array_ = array;
    next_ = count > 0 ? (long long)upper + 1 : upper;
    return true;
  }

  // An element naming the outline and the item. False when the array
  // cannot take one more.
  bool addObject(HOUTLINE outline, HITEM item) {
    HELEMENT element = next_ <= LONG_MAX ? HostArrayElement(array_, LONG(next_)) : 0;
    BYTE* data = element ? static_cast<BYTE*>(HostElementData(element)) : nullptr;
    if (!data) return false;
    HostNumberFromULong(reinterpret_cast<HostNumber*>(data + ODK_OBJECT_OUTLINE), outline);
    HostNumberFromULong(reinterpret_cast<HostNumber*>(data + ODK_OBJECT_ITEM), item);
    HostNumberFromLong(reinterpret_cast<HostNumber*>(data + ODK_OBJECT_FLAG), 1);
    ++next_;
    return true;
  }

  // Hands the string to the array, which frees it later. False (the
  // string still the caller's) when the array cannot take one more.
  bool addString(HSTRING string) {
    if (next_ > LONG_MAX || !HostArraySetString(array_, LONG(next_), string)) return false;
    ++next_;
    return true;
  }

private:
  HARRAY array_ = 0;
  long long next_ = 0;
};

bool isDataSource(HOUTLINE outline, HITEM item) {
  HSTRING value = 0;
  HostGetStrProperty(outline, item, kDataSource, &value);
  if (!value) return false;
  DWORD size = 0;
  const char* bytes = HostStrLock(value, &size);
  bool yes = sameText(bytes, textLength(bytes, size), "YES");
  HostStrFree(value);
  return yes;
}

// The item's stored text ("Form1!comment") as a new string; 0 when it
// cannot be read.
HSTRING itemText(HOUTLINE outline, HITEM item) {
  HSTRING text = 0;
  HostGetItemText(outline, item, 1, &text);
  return text;
}

// Shortens the item text in the string to the item's name.
void cutToName(HSTRING text) {
  DWORD size = 0;
  char* bytes = HostStrLock(text, &size);
  size_t length = textLength(bytes, size);
  size_t name = nameLength(bytes, length);
  if (name == length) return;
  bytes[name] = 0;
  HostStrSetSize(text, DWORD(name + 1));
}

LONG enumObjects(HOUTLINE outline, HITEM parent, LONG type, HARRAY objects, bool dataSourcesOnly) {
  HITEM section = sectionOf(outline, parent, type);
  Appender out;
  if (!section || !out.open(objects, false)) return 0;
  LONG added = 0;
  bool complete = forEachObject(outline, section, [&](HITEM item) {
    if (dataSourcesOnly && !isDataSource(outline, item)) return true;
    if (!out.addObject(outline, item)) return false;
    ++added;
    return true;
  });
  return complete ? added : 0;
}

LONG enumTexts(HOUTLINE outline, HITEM parent, LONG type, HARRAY strings, bool namesOnly) {
  HITEM section = sectionOf(outline, parent, type);
  Appender out;
  if (!section || !out.open(strings, true)) return 0;
  LONG visited = 0;
  bool complete = forEachObject(outline, section, [&](HITEM item) {
    ++visited;
    HSTRING text = itemText(outline, item);
    if (!text) return true;
    if (namesOnly) cutToName(text);
    if (out.addString(text)) return true;
    HostStrFree(text);
    return false;
  });
  return complete ? visited : 0;
}

HITEM findChild(HOUTLINE outline, HITEM parent, LONG type, LPCSTR wanted, bool byName) {
  HITEM section = wanted ? sectionOf(outline, parent, type) : 0;
  if (!section) return 0;
  HITEM found = 0;
  forEachObject(outline, section, [&](HITEM item) {
    HSTRING text = itemText(outline, item);
    if (!text) return true;
    DWORD size = 0;
    const char* bytes = HostStrLock(text, &size);
    size_t length = textLength(bytes, size);
    if (sameText(bytes, byName ? nameLength(bytes, length) : length, wanted)) found = item;
    HostStrFree(text);
    return found == 0;
  });
  return found;
}

} // namespace

extern "C" {

LONG ODKAPI ODKEnumDataSources(HOUTLINE outline, HITEM parent, LONG type, HARRAY objects) {
  return enumObjects(outline, parent, type, objects, true);
}

LONG ODKAPI ODKEnumObjectHandles(HOUTLINE outline, HITEM parent, LONG type, HARRAY objects) {
  return enumObjects(outline, parent, type, objects, false);
}

LONG ODKAPI ODKEnumObjectsByName(HOUTLINE outline, HITEM parent, LONG type, HARRAY strings) {
  return enumTexts(outline, parent, type, strings, true);
}

LONG ODKAPI ODKEnumObjectsByText(HOUTLINE outline, HITEM parent, LONG type, HARRAY strings) {
  return enumTexts(outline, parent, type, strings, false);
}

HITEM ODKAPI ODKGetChildObjectByName(HOUTLINE outline, HITEM parent, LONG type, LPCSTR name) {
  return findChild(outline, parent, type, name, true);
}

HITEM ODKAPI ODKGetChildObjectByText(HOUTLINE outline, HITEM parent, LONG type, LPCSTR text) {
  return findChild(outline, parent, type, text, false);
}

} // extern "C"
