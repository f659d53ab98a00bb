// Helpers around the store: plain memory, open-ended ranges, pending
// re-fetches.
#include "rowstore.h"

#include "block.h"

#include <cstdlib>

namespace gridwin {

namespace {

class MallocMemory final : public RowStoreMemory {
 public:
  void* allocate(uint32_t size) override { return std::malloc(size ? size : 1); }
  void* reallocate(void* block, uint32_t size) override { return std::realloc(block, size ? size : 1); }
  void release(void* block) override { std::free(block); }
};

}  // namespace

RowStoreMemory& mallocMemory() {
  static MallocMemory memory;
  return memory;
}

bool fetchOpenRangeTo(OpenRangeHost& host, int32_t row) {
  while (host.highestFetched() < row) {
    // A 2 removed the row: the next one now has this number.
    if (host.fetchRow(host.highestFetched() + 1) == 0) return false;
  }
  return true;
}

void recountOpenRange(OpenRangeHost& host, int32_t rowsPerPage) {
  if (rowsPerPage < 1) rowsPerPage = 1;
  int64_t known = int64_t(rowsPerPage) + 2;
  for (;;) {
    host.setKnownRows(int32_t(known));
    if (!fetchOpenRangeTo(host, int32_t(known - 1))) break;
    if (known + rowsPerPage >= kRowEnd) break;
    known += rowsPerPage;
  }
  host.setKnownRows(host.highestFetched() + 1);
}

PendingRows::~PendingRows() { clear(); }

bool PendingRows::add(int32_t row) {
  for (uint32_t i = 0; i < count_; ++i)
    if (rows_[i] == row) return true;
  Block<int32_t> block{rows_, capacity_};
  if (!block.reserve(memory_, count_ + 1)) return false;
  rows_ = block.at;
  capacity_ = block.capacity;
  rows_[count_++] = row;
  return true;
}

bool PendingRows::pop(int32_t& row) {
  if (!count_) return false;
  row = rows_[0];
  std::memmove(rows_, rows_ + 1, (count_ - 1) * sizeof(int32_t));
  --count_;
  return true;
}

void PendingRows::clear() {
  if (rows_) memory_.release(rows_);
  rows_ = nullptr;
  count_ = capacity_ = 0;
}

}  // namespace gridwin
