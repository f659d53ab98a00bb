// Numbers left unused by deletions that kept the later rows' numbers, for
// one bank. Each entry says how many numbers are missing just before the
// slot at `index`; `through` sums the counts of this and all earlier
// entries, so mapping a number either way is one binary search.
#pragma once

#include "block.h"

namespace gridwin {

class GapList {
 public:
  void release(RowStoreMemory& memory) { entries_.release(memory); count_ = 0; }
  uint32_t size() const { return count_; }

  // The slot of an external number: the first slot at or after it, and
  // whether the number itself is missing.
  uint64_t slotOf(uint64_t number, bool* missing) const;
  uint64_t numberOf(uint32_t slot) const;

  // Room for one more entry, so that a removal with keepNumber cannot fail.
  bool reserveOne(RowStoreMemory& memory) { return entries_.reserve(memory, count_ + 1); }

  // A slot was inserted at `slot`: the gaps after it move up with it.
  void slotInserted(uint32_t slot);
  // The slot at `slot` was removed: later gaps move down with their slots;
  // with keepNumber its number becomes missing too (after reserveOne).
  void slotRemoved(uint32_t slot, bool keepNumber);

 private:
  struct Entry {
    uint32_t index;
    uint32_t through;
  };
  uint32_t before(uint32_t entry) const { return entry ? entries_[entry - 1].through : 0; }
  uint32_t firstAbove(uint32_t slot) const;
  void erase(uint32_t entry);

  Block<Entry> entries_;
  uint32_t count_ = 0;
};

}  // namespace gridwin
