// What the row store's tests, fuzzer and benchmark put around it: memory
// that counts its blocks and can be told to fail, and events that are
// recorded and can call back into the store the way a host would.
#pragma once

#include "rowstore.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace rowstore_test {

class CountingMemory final : public gridwin::RowStoreMemory {
 public:
  void* allocate(uint32_t size) override {
    if (failing()) return nullptr;
    ++live;
    return std::malloc(size ? size : 1);
  }
  void* reallocate(void* block, uint32_t size) override {
    if (failing()) return nullptr;
    if (!block) ++live;
    return std::realloc(block, size ? size : 1);
  }
  void release(void* block) override {
    if (block) --live;
    std::free(block);
  }

  long live = 0;
  long failAfter = -1;  // that many more requests succeed, then all fail

 private:
  bool failing() {
    if (failAfter < 0) return false;
    if (failAfter == 0) return true;
    --failAfter;
    return false;
  }
};

struct Event {
  char kind;  // 'D' row discarded, 'F' cache full
  int32_t row;
  bool operator==(const Event&) const = default;
};

class RecordingEvents final : public gridwin::RowStoreEvents {
 public:
  void rowDiscarded(int32_t row) override {
    log.push_back({'D', row});
    if (onDiscard) onDiscard(row);
  }
  void cacheFull() override {
    log.push_back({'F', 0});
    if (onCacheFull) onCacheFull();
  }

  std::vector<Event> log;
  std::function<void(int32_t)> onDiscard;
  std::function<void()> onCacheFull;
};

inline std::string text(const gridwin::RowStore& store, int32_t row, int column) {
  gridwin::CellView c;
  if (!store.cell(row, column, c)) return "<no buffer>";
  return std::string(reinterpret_cast<const char*>(c.value), c.length);
}

}  // namespace rowstore_test
