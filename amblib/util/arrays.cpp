// AmbArray…, AmbNumber…, AmbProfile…: host arrays moved, filled, searched
// and sorted through the host runtime; 32-bit number helpers; profile
// sections.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "ambutil.h"
#include "util.h"

using namespace amb::util;

namespace {

// ---- Elements of any type ----------------------------------------------------

// One element, whatever the type code selects.
struct Element {
  DWORD value = 0;
  HostValue number{};
  HWND window = nullptr;
  HSTRING string = 0;
};

bool isString(LONG type) { return type == 5 || type == 7; }
bool knownType(LONG type) { return type == 1 || type == 2 || type == 3 || isString(type) || type == 256; }

// Reads an element as the type code says; FALSE when the array refuses
// (another element type, an index outside it). A string is only lent.
bool read(HARRAY a, LONG i, LONG type, Element& e) {
  switch (type) {
  case 1: return HostArrayGetValue(a, i, &e.value);
  case 2: return HostArrayGetDate(a, i, &e.number);
  case 3: return HostArrayGetNumber(a, i, &e.number);
  case 256: return HostArrayGetHandle(a, i, &e.window);
  default: return HostArrayGetString(a, i, &e.string);
  }
}

// Reads an element; a string is lent by the array, so it is held here and
// the hold passes on to whatever array it is written into.
Element take(HARRAY a, LONG i, LONG type) {
  Element e;
  if (read(a, i, type, e) && isString(type) && e.string) HostStrHold(e.string);
  return e;
}

// Writes an element (the empty value of the type when `e` is empty); a
// string's hold is adopted by the array, or given up when it refuses.
void put(HARRAY a, LONG i, LONG type, const Element& e) {
  switch (type) {
  case 1: HostArraySetValue(a, i, e.value); break;
  case 2: HostArraySetDate(a, i, e.number); break;
  case 3: HostArraySetNumber(a, i, e.number); break;
  case 256: HostArraySetHandle(a, i, e.window); break;
  default:
    if (!HostArraySetString(a, i, e.string) && e.string) HostStrFree(e.string);
  }
}

void move(HARRAY from, LONG i, HARRAY to, LONG j, LONG type) { put(to, j, type, take(from, i, type)); }

bool multiDimensional(HARRAY a) { return HostArrayGetDimensions(a) > 1; }

struct Bounds {
  LONG count = 0, lower = 0, upper = 0;
  explicit Bounds(HARRAY a) { HostArrayGetBounds(a, &count, &lower, &upper); }
  LONG next() const { return count ? upper + 1 : upper; } // where a new element goes
};

// FALSE when the array's elements are of another type than the code names:
// every read and write would fail and only the bound changes would happen.
// An array without elements has nothing to refuse.
bool fits(HARRAY a, LONG type) {
  Bounds b(a);
  Element e;
  return !b.count || read(a, b.lower, type, e);
}

bool sameBytes(const HostValue& a, const HostValue& b) {
  BYTE n = a.bytes[0];
  return n == b.bytes[0] && n < HOST_VALUE_SIZE && memcmp(a.bytes + 1, b.bytes + 1, n) == 0;
}

// Index of the first element from the lower bound up that `match` accepts.
template <class Match> LONG findFirst(HARRAY a, Match match) {
  if (multiDimensional(a) || HostArrayIsEmpty(a)) return -1;
  Bounds b(a);
  for (LONG i = b.lower; i <= b.upper; ++i)
    if (match(i)) return i;
  return -1;
}

// Sets the bounds to 0 .. count-1 and elements 0 .. count-1 with `write`.
// An array of another type is refused before its bounds change; a count
// the array cannot take, or a refused write, ends the fill with 0 rather
// than going on with billions of writes that cannot succeed.
template <class Write> LONG fill(HARRAY a, LONG type, LONG count, Write write) {
  if (multiDimensional(a) || !fits(a, type)) return 0;
  if (!HostArraySetUpperBound(a, 0, std::max<LONG>(count, 0) - 1)) return 0;
  for (LONG i = 0; i < count; ++i)
    if (!write(i)) return 0;
  return 1;
}

// ---- Sorting -----------------------------------------------------------------

// The order a stable insertion sort gives, found in O(n log n): earlier
// elements move up while greater (ascending) or smaller (descending) than
// the one taken, so equal elements keep their order in both directions.
std::vector<LONG> sortedOrder(HARRAY a, const Bounds& b, LONG type, bool descending) {
  std::vector<LONG> order(size_t(b.count));
  std::iota(order.begin(), order.end(), b.lower);
  if (isString(type)) {
    std::vector<std::string> keys(order.size());
    for (size_t k = 0; k < order.size(); ++k) {
      HSTRING s = 0;
      HostArrayGetString(a, order[k], &s);
      keys[k] = text(s);
    }
    std::stable_sort(order.begin(), order.end(), [&](LONG x, LONG y) {
      int c = lstrcmpiA(keys[size_t(x - b.lower)].c_str(), keys[size_t(y - b.lower)].c_str());
      return descending ? c > 0 : c < 0;
    });
  } else {
    std::vector<double> keys(order.size());
    for (size_t k = 0; k < order.size(); ++k) {
      HostValue v{};
      if (type == 2) HostArrayGetDate(a, order[k], &v); else HostArrayGetNumber(a, order[k], &v);
      keys[k] = HostValueToDouble(v);
    }
    std::stable_sort(order.begin(), order.end(), [&](LONG x, LONG y) {
      double p = keys[size_t(x - b.lower)], q = keys[size_t(y - b.lower)];
      return descending ? p > q : p < q;
    });
  }
  return order;
}

} // namespace

extern "C" {

LONG WINAPI AmbArrayAppend(HARRAY source, HARRAY target, LONG type) {
  if (multiDimensional(source) || multiDimensional(target)) return -1;
  if (!knownType(type) || !fits(source, type) || !fits(target, type)) return -87;
  if (HostArrayIsEmpty(source)) return 0;
  return guarded<LONG>(-8, [&] {
    Bounds s(source), t(target);
    LONG first = t.next();
    for (LONG i = s.lower; i <= s.upper; ++i) move(source, i, target, first + (i - s.lower), type);
    HostArraySetUpperBound(target, t.lower, first + s.count - 1);
    return t.count + s.count;
  });
}

LONG WINAPI AmbArrayCopy(HARRAY source, HARRAY target, LONG type) {
  if (multiDimensional(source) || multiDimensional(target)) return -1;
  if (!knownType(type) || !fits(source, type) || !fits(target, type)) return -87;
  if (HostArrayIsEmpty(source)) return 0;
  return guarded<LONG>(-8, [&] {
    Bounds s(source);
    for (LONG i = s.lower; i <= s.upper; ++i) move(source, i, target, i, type);
    return s.count;
  });
}

LONG WINAPI AmbArrayDeleteItem(HARRAY array, LONG index, LONG type) {
  if (multiDimensional(array) || HostArrayIsEmpty(array)) return -1;
  Bounds b(array);
  if (!knownType(type) || !fits(array, type) || index < b.lower || index > b.upper) return -87;
  return guarded<LONG>(-8, [&] {
    for (LONG i = index; i < b.upper; ++i) move(array, i + 1, array, i, type);
    HostArraySetUpperBound(array, b.lower, b.upper - 1);
    return b.count - 1;
  });
}

LONG WINAPI AmbArrayInsertItem(HARRAY array, LONG index, LONG type) {
  if (multiDimensional(array)) return -1;
  Bounds b(array);
  if (!knownType(type) || !fits(array, type) || b.count == 0 || index < b.lower || index > b.upper) return -87;
  return guarded<LONG>(-8, [&] {
    for (LONG i = b.upper; i >= index; --i) move(array, i, array, i + 1, type);
    put(array, index, type, Element{});
    return b.count + 1;
  });
}

LONG WINAPI AmbArrayFillNumber(HARRAY array, HostNumber number, LONG count) {
  return fill(array, 3, count, [&](LONG i) { return HostArraySetNumber(array, i, number); });
}

LONG WINAPI AmbArrayFillDateTime(HARRAY array, HostDate date, LONG count) {
  return fill(array, 2, count, [&](LONG i) { return HostArraySetDate(array, i, date); });
}

LONG WINAPI AmbArrayFillString(HARRAY array, LPCSTR text, LONG count) {
  return guarded<LONG>(0, [&] {
    return fill(array, 5, count, [&](LONG i) {
      HSTRING s = result(view(text));
      if (s && HostArraySetString(array, i, s)) return true;
      if (s) HostStrFree(s);
      return false;
    });
  });
}

LONG WINAPI AmbArrayFindNumber(HARRAY array, HostNumber number) {
  return findFirst(array, [&](LONG i) {
    HostNumber v{};
    return HostArrayGetNumber(array, i, &v) && sameBytes(v, number);
  });
}

LONG WINAPI AmbArrayFindDateTime(HARRAY array, HostDate date) {
  return findFirst(array, [&](LONG i) {
    HostDate v{};
    return HostArrayGetDate(array, i, &v) && sameBytes(v, date);
  });
}

LONG WINAPI AmbArrayFindString(HARRAY array, LPCSTR s) {
  return guarded<LONG>(-1, [&] {
    std::string wanted(view(s));
    return findFirst(array, [&](LONG i) {
      HSTRING h = 0;
      return HostArrayGetString(array, i, &h) && text(h) == wanted;
    });
  });
}

LONG WINAPI AmbArraySort(HARRAY array, LONG order, LONG type) {
  if (multiDimensional(array) || HostArrayIsEmpty(array)) return -1;
  if ((type != 2 && type != 3 && !isString(type)) || !fits(array, type)) return -87;
  return guarded<LONG>(-8, [&] {
    Bounds b(array);
    std::vector<LONG> from = sortedOrder(array, b, type, order == 1);
    // Take every element (strings held) before writing any back.
    std::vector<Element> elements;
    elements.reserve(from.size());
    for (LONG i : from) elements.push_back(take(array, i, type));
    for (size_t k = 0; k < elements.size(); ++k) put(array, b.lower + LONG(k), type, elements[k]);
    return b.count;
  });
}

// ---- Numbers -------------------------------------------------------------------

LONG WINAPI AmbNumberBitSet(LONG* value, LONG mask) { return value ? (*value |= mask) : 0; }
LONG WINAPI AmbNumberBitClear(LONG* value, LONG mask) { return value ? (*value &= ~mask) : 0; }
LONG WINAPI AmbNumberHighByte(LONG value) { return value >> 8 & 0xFF; }
LONG WINAPI AmbNumberLowByte(LONG value) { return value & 0xFF; }
LONG WINAPI AmbNumberMakeLong(LONG low, LONG high) { return LONG(DWORD(high & 0xFFFF) << 16 | DWORD(low & 0xFFFF)); }
HostNumber WINAPI AmbNumberChoose(LONG condition, HostNumber a, HostNumber b) { return condition ? a : b; }

// ---- Profiles -------------------------------------------------------------------

LONG WINAPI AmbProfileEnumStrings(LPCSTR file, LPCSTR section, HARRAY names) {
  if (!section) return -87;
  return guarded<LONG>(-8, [&]() -> LONG {
    std::string path = searchPath(file);
    if (path.empty()) return -2;
    std::string buffer(256, '\0');
    DWORD n;
    while ((n = GetPrivateProfileStringA(section, nullptr, "", buffer.data(), DWORD(buffer.size()), path.c_str())) + 3 >=
           buffer.size())
      buffer.resize(buffer.size() * 2);
    LONG count = 0;
    openFromZero(names);
    for (const char* p = buffer.data(); *p && p < buffer.data() + n; p += strlen(p) + 1) {
      HSTRING s = result(p);
      if (s && !HostArraySetString(names, count, s)) HostStrFree(s);
      ++count;
    }
    HostArraySetUpperBound(names, 0, count - 1);
    return count;
  });
}

LONG WINAPI AmbProfileDelete(LPCSTR file, LPCSTR section, LPCSTR key) {
  return guarded<LONG>(-8, [&]() -> LONG {
    std::string path = searchPath(file);
    if (path.empty()) return -2;
    return WritePrivateProfileStringA(section, key && *key ? key : nullptr, nullptr, path.c_str());
  });
}

} // extern "C"
