// Host arrays: typed elements between bounds, growing on write.
#include "runtime.h"

#include <map>

namespace hostrt {

namespace {

struct Dimension {
  LONG lower = 0;
  LONG upper = -1;
};

struct ArrayEntry {
  LONG type = 0;
  size_t elementSize = 0;
  std::vector<Dimension> dims;
  std::vector<uint8_t> storage;  // elements lower..upper of the first dimension

  LONG lower() const { return dims[0].lower; }
  LONG upper() const { return dims[0].upper; }
  LONG count() const { return upper() - lower() + 1; }
  bool contains(LONG index) const { return index >= lower() && index <= upper(); }
  uint8_t* at(LONG index) { return storage.data() + size_t(index - lower()) * elementSize; }
  HSTRING stringAt(LONG index) {
    HSTRING s;
    memcpy(&s, at(index), sizeof s);
    return s;
  }
};

struct ElementRef {
  HARRAY array;
  LONG index;
};

std::map<HARRAY, ArrayEntry> g_arrays;
std::map<HELEMENT, ElementRef> g_elements;
std::map<std::pair<HARRAY, LONG>, HELEMENT> g_elementOf;
HARRAY g_nextArray = 0x20000001;
HELEMENT g_nextElement = 0x30000001;

size_t elementSizeOf(LONG type) {
  switch (type) {
  case HOST_TYPE_VALUE:
  case HOST_TYPE_HANDLE:
  case HOST_TYPE_STRING:
  case HOST_TYPE_LONGSTRING: return 4;
  case HOST_TYPE_DATE:
  case HOST_TYPE_NUMBER: return HOST_VALUE_SIZE;
  case HOST_TYPE_OBJECT: return 3 * HOST_VALUE_SIZE;
  default: return 0;
  }
}

ArrayEntry* findArray(HARRAY handle) {
  auto it = g_arrays.find(handle);
  return it == g_arrays.end() ? nullptr : &it->second;
}

bool typeMatches(const ArrayEntry& a, LONG type) {
  return a.type == type || (isStringType(a.type) && isStringType(type));
}

// Moves the first dimension to [lower, upper], freeing strings that fall
// out. Allocates before it changes anything.
bool rebound(ArrayEntry& a, LONG lower, LONG upper) {
  long long count = (long long)upper - lower + 1;
  if (count < 0 || count > HOST_ARRAY_MAX_ELEMENTS) return false;
  std::vector<uint8_t> storage(size_t(count) * a.elementSize, 0);
  std::vector<HSTRING> dropped;
  // 64-bit index: an upper bound of LONG_MAX must not wrap the loop.
  for (long long j = a.lower(); j <= a.upper(); ++j) {
    LONG i = LONG(j);
    if (i >= lower && i <= upper)
      memcpy(storage.data() + size_t(i - lower) * a.elementSize, a.at(i), a.elementSize);
    else if (isStringType(a.type))
      dropped.push_back(a.stringAt(i));
  }
  a.storage.swap(storage);
  a.dims[0] = {lower, upper};
  for (HSTRING s : dropped) releaseString(s);
  return true;
}

// The element's storage for a write, growing the array when index lies
// above the upper bound; null when the index cannot be written.
uint8_t* writable(ArrayEntry& a, LONG index) {
  if (index < a.lower()) return nullptr;
  if (index > a.upper() && !rebound(a, a.lower(), index)) return nullptr;
  return a.at(index);
}

template <class T> BOOL getElement(HARRAY array, LONG index, LONG type, T* out, const T& empty) {
  return guarded<BOOL>(FALSE, [&] {
    if (!out) return FALSE;
    *out = empty;
    ArrayEntry* a = findArray(array);
    if (!a || !typeMatches(*a, type) || !a->contains(index)) return FALSE;
    memcpy(out, a->at(index), a->elementSize);
    return TRUE;
  });
}

template <class T> BOOL setElement(HARRAY array, LONG index, LONG type, const T& value) {
  return guarded<BOOL>(FALSE, [&] {
    ArrayEntry* a = findArray(array);
    if (!a || !typeMatches(*a, type)) return FALSE;
    uint8_t* slot = writable(*a, index);
    if (!slot) return FALSE;
    memcpy(slot, &value, a->elementSize);
    return TRUE;
  });
}

} // namespace

bool isStringType(LONG type) { return type == HOST_TYPE_STRING || type == HOST_TYPE_LONGSTRING; }

LONG storeStrings(HARRAY array, const std::vector<std::string>& texts) {
  ArrayEntry* a = findArray(array);
  if (!a || !isStringType(a->type)) return -1;
  std::vector<HSTRING> made;
  for (const std::string& text : texts) {
    HSTRING s = makeString(text.c_str(), DWORD(text.size() + 1));
    if (!s) {
      for (HSTRING m : made) releaseString(m);
      return -1;
    }
    made.push_back(s);
  }
  LONG lower = a->lower();
  if (!rebound(*a, lower, lower + LONG(made.size()) - 1)) {
    for (HSTRING m : made) releaseString(m);
    return -1;
  }
  for (size_t i = 0; i < made.size(); ++i) {
    LONG index = lower + LONG(i);
    HSTRING old = a->stringAt(index);
    memcpy(a->at(index), &made[i], sizeof(HSTRING));
    if (old) releaseString(old);
  }
  return LONG(made.size());
}

} // namespace hostrt

using namespace hostrt;

extern "C" {

HARRAY HOSTAPI HostArrayCreate(LONG type, LONG dimensions) {
  return guarded<HARRAY>(0, [&]() -> HARRAY {
    size_t size = elementSizeOf(type);
    if (!size || dimensions < 1 || dimensions > 8) return 0;
    ArrayEntry a;
    a.type = type;
    a.elementSize = size;
    a.dims.assign(size_t(dimensions), Dimension{});
    HARRAY handle = g_nextArray++;
    g_arrays.emplace(handle, std::move(a));
    return handle;
  });
}

BOOL HOSTAPI HostArrayFree(HARRAY array) {
  return guarded<BOOL>(FALSE, [&] {
    ArrayEntry* a = findArray(array);
    if (!a) return FALSE;
    if (isStringType(a->type))
      for (long long i = a->lower(); i <= a->upper(); ++i) releaseString(a->stringAt(LONG(i)));
    g_arrays.erase(array);
    auto first = g_elementOf.lower_bound({array, LONG(0x80000000)});
    auto last = g_elementOf.upper_bound({array, LONG(0x7FFFFFFF)});
    for (auto it = first; it != last; ++it) g_elements.erase(it->second);
    g_elementOf.erase(first, last);
    return TRUE;
  });
}

LONG HOSTAPI HostArrayGetType(HARRAY array) {
  ArrayEntry* a = findArray(array);
  return a ? a->type : 0;
}

LONG HOSTAPI HostArrayGetDimensions(HARRAY array) {
  ArrayEntry* a = findArray(array);
  return a ? LONG(a->dims.size()) : -1;
}

BOOL HOSTAPI HostArrayIsEmpty(HARRAY array) {
  ArrayEntry* a = findArray(array);
  return !a || a->count() == 0;
}

BOOL HOSTAPI HostArrayGetBounds(HARRAY array, LONG* count, LONG* lower, LONG* upper) {
  ArrayEntry* a = findArray(array);
  LONG c = a ? a->count() : 0, l = a ? a->lower() : 0;
  LONG u = a ? (c ? a->upper() : l) : 0;
  if (count) *count = c;
  if (lower) *lower = l;
  if (upper) *upper = u;
  return a != nullptr;
}

LONG HOSTAPI HostArrayGetUpperBound(HARRAY array, LONG dimension) {
  ArrayEntry* a = findArray(array);
  if (!a || dimension < 1 || dimension > LONG(a->dims.size())) return HOST_NO_BOUND;
  return a->dims[size_t(dimension - 1)].upper;
}

LONG HOSTAPI HostArrayGetLowerBound(HARRAY array, LONG dimension) {
  ArrayEntry* a = findArray(array);
  if (!a || dimension < 1 || dimension > LONG(a->dims.size())) return HOST_NO_BOUND;
  return a->dims[size_t(dimension - 1)].lower;
}

BOOL HOSTAPI HostArraySetUpperBound(HARRAY array, LONG lower, LONG upper) {
  return guarded<BOOL>(FALSE, [&] {
    ArrayEntry* a = findArray(array);
    return a && rebound(*a, lower, upper) ? TRUE : FALSE;
  });
}

BOOL HOSTAPI HostArraySetBound(HARRAY array, LONG dimension, LONG upper) {
  return guarded<BOOL>(FALSE, [&] {
    ArrayEntry* a = findArray(array);
    if (!a || dimension < 1 || dimension > LONG(a->dims.size())) return FALSE;
    if (dimension == 1) return rebound(*a, a->lower(), upper) ? TRUE : FALSE;
    Dimension& d = a->dims[size_t(dimension - 1)];
    long long count = (long long)upper - d.lower + 1;
    if (count < 0 || count > HOST_ARRAY_MAX_ELEMENTS) return FALSE;
    d.upper = upper;
    return TRUE;
  });
}

BOOL HOSTAPI HostArrayGetValue(HARRAY array, LONG index, DWORD* value) {
  return getElement<DWORD>(array, index, HOST_TYPE_VALUE, value, 0);
}
BOOL HOSTAPI HostArraySetValue(HARRAY array, LONG index, DWORD value) {
  return setElement(array, index, HOST_TYPE_VALUE, value);
}
BOOL HOSTAPI HostArrayGetHandle(HARRAY array, LONG index, HWND* value) {
  return getElement<HWND>(array, index, HOST_TYPE_HANDLE, value, nullptr);
}
BOOL HOSTAPI HostArraySetHandle(HARRAY array, LONG index, HWND value) {
  return setElement(array, index, HOST_TYPE_HANDLE, value);
}
BOOL HOSTAPI HostArrayGetNumber(HARRAY array, LONG index, HostNumber* value) {
  return getElement<HostValue>(array, index, HOST_TYPE_NUMBER, value, HostValue{});
}
BOOL HOSTAPI HostArraySetNumber(HARRAY array, LONG index, HostNumber value) {
  return setElement(array, index, HOST_TYPE_NUMBER, value);
}
BOOL HOSTAPI HostArrayGetDate(HARRAY array, LONG index, HostDate* value) {
  return getElement<HostValue>(array, index, HOST_TYPE_DATE, value, HostValue{});
}
BOOL HOSTAPI HostArraySetDate(HARRAY array, LONG index, HostDate value) {
  return setElement(array, index, HOST_TYPE_DATE, value);
}
BOOL HOSTAPI HostArrayGetString(HARRAY array, LONG index, HSTRING* value) {
  return getElement<HSTRING>(array, index, HOST_TYPE_STRING, value, 0);
}

BOOL HOSTAPI HostArraySetString(HARRAY array, LONG index, HSTRING value) {
  return guarded<BOOL>(FALSE, [&] {
    ArrayEntry* a = findArray(array);
    if (!a || !isStringType(a->type) || (value && !findString(value))) return FALSE;
    uint8_t* slot = writable(*a, index);
    if (!slot) return FALSE;
    HSTRING old;
    memcpy(&old, slot, sizeof old);
    memcpy(slot, &value, sizeof value);
    if (old) releaseString(old);
    return TRUE;
  });
}

HELEMENT HOSTAPI HostArrayElement(HARRAY array, LONG index) {
  return guarded<HELEMENT>(0, [&]() -> HELEMENT {
    ArrayEntry* a = findArray(array);
    if (!a || isStringType(a->type) || !writable(*a, index)) return 0;
    auto known = g_elementOf.find({array, index});
    if (known != g_elementOf.end()) return known->second;
    HELEMENT handle = g_nextElement;
    g_elementOf.emplace(std::pair(array, index), handle);
    g_elements.emplace(handle, ElementRef{array, index});
    ++g_nextElement;
    return handle;
  });
}

LPVOID HOSTAPI HostElementData(HELEMENT element) {
  auto it = g_elements.find(element);
  if (it == g_elements.end()) return nullptr;
  ArrayEntry* a = findArray(it->second.array);
  return a && a->contains(it->second.index) ? a->at(it->second.index) : nullptr;
}

} // extern "C"

