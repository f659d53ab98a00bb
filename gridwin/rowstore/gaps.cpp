#include "gaps.h"

namespace gridwin {

uint64_t GapList::slotOf(uint64_t number, bool* missing) const {
  *missing = false;
  // Last entry whose gap starts at or below the number (gap starts ascend).
  uint32_t lo = 0, hi = count_;
  while (lo < hi) {
    uint32_t mid = lo + (hi - lo) / 2;
    if (uint64_t(entries_[mid].index) + before(mid) <= number)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo == 0) return number;
  const Entry& e = entries_[lo - 1];
  if (number < uint64_t(e.index) + e.through) {
    *missing = true;
    return e.index;
  }
  return number - e.through;
}

uint64_t GapList::numberOf(uint32_t slot) const {
  uint32_t above = firstAbove(slot);
  return above ? uint64_t(slot) + entries_[above - 1].through : slot;
}

uint32_t GapList::firstAbove(uint32_t slot) const {
  uint32_t lo = 0, hi = count_;
  while (lo < hi) {
    uint32_t mid = lo + (hi - lo) / 2;
    if (entries_[mid].index <= slot)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

void GapList::erase(uint32_t entry) {
  std::memmove(&entries_[entry], &entries_[entry + 1], (count_ - entry - 1) * sizeof(Entry));
  --count_;
}

void GapList::slotInserted(uint32_t slot) {
  for (uint32_t j = firstAbove(slot); j < count_; ++j) ++entries_[j].index;
}

void GapList::slotRemoved(uint32_t slot, bool keepNumber) {
  uint32_t above = firstAbove(slot);
  for (uint32_t j = above; j < count_; ++j) --entries_[j].index;
  // A gap just before and one just after the removed slot become one.
  if (above > 0 && above < count_ && entries_[above - 1].index == slot && entries_[above].index == slot) {
    erase(above - 1);
    --above;
  }
  if (!keepNumber) return;
  uint32_t at = above;
  while (at > 0 && entries_[at - 1].index >= slot) --at;  // at most one step: indexes are distinct
  if (at == count_ || entries_[at].index != slot) {
    std::memmove(&entries_[at + 1], &entries_[at], (count_ - at) * sizeof(Entry));
    entries_[at] = {slot, before(at)};
    ++count_;
  }
  for (uint32_t j = at; j < count_; ++j) ++entries_[j].through;
}

}  // namespace gridwin
