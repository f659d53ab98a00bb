// A growable array in a block from the store's memory. No constructors
// run: elements are plain data, new ones zero-filled.
#pragma once

#include "rowstore.h"

#include <cstring>

namespace gridwin {

constexpr uint64_t kMaxBlockBytes = 0x7FFFFFFF;

template <class T>
struct Block {
  T* at = nullptr;
  uint32_t capacity = 0;

  // At least `n` elements; grows by half again to keep appends cheap.
  bool reserve(RowStoreMemory& memory, uint32_t n) {
    if (n <= capacity) return true;
    uint64_t roomy = uint64_t(capacity) + capacity / 2;
    if (roomy > n && resize(memory, uint32_t(roomy))) return true;
    return resize(memory, n);
  }

  // Exactly `n` elements (n above the capacity: new ones zeroed).
  bool resize(RowStoreMemory& memory, uint32_t n) {
    uint64_t bytes = uint64_t(n) * sizeof(T);
    if (bytes > kMaxBlockBytes) return false;
    void* grown = memory.reallocate(at, uint32_t(bytes ? bytes : 1));
    if (!grown) return false;
    at = static_cast<T*>(grown);
    if (n > capacity) std::memset(at + capacity, 0, (n - capacity) * sizeof(T));
    capacity = n;
    return true;
  }

  void release(RowStoreMemory& memory) {
    if (at) memory.release(at);
    at = nullptr;
    capacity = 0;
  }

  T& operator[](uint32_t i) { return at[i]; }
  const T& operator[](uint32_t i) const { return at[i]; }
};

}  // namespace gridwin
