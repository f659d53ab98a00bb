// The search index of one bank: for each row flag bit, and for "has a
// discardable buffer", one bit per slot, with a count per run of 4096 slots
// so that searches skip runs without a wanted bit (or full of an excluded
// one) and prefix counts need no walk over the rows.
#pragma once

#include "block.h"

namespace gridwin {

class FlagIndex {
 public:
  static constexpr int kFlagPlanes = 16;
  static constexpr int kDiscardable = 16;  // plane of slots whose buffer may be dropped
  static constexpr int kPlanes = 17;
  static constexpr uint32_t kRunBits = 4096;

  // Room for slots 0 .. slots-1.
  bool reserve(RowStoreMemory& memory, uint32_t slots);
  void release(RowStoreMemory& memory);

  bool test(int plane, uint32_t slot) const;
  void set(int plane, uint32_t slot, bool on);
  // Slots of the plane in 0 .. slot-1.
  uint32_t countBefore(int plane, uint32_t slot) const;

  // First slot in from .. end-1 (last slot in 0 .. from, for findLast)
  // whose bits meet any wanted plane (any slot when `wanted` is 0) and no
  // excluded one; -1 when none. Masks are plane bit sets.
  int64_t findFirst(uint32_t from, uint32_t end, uint32_t wanted, uint32_t excluded) const;
  int64_t findLast(int64_t from, uint32_t wanted, uint32_t excluded) const;

  // A zero bit enters at `slot`, later bits move up (`used` slots before).
  void insertAt(uint32_t slot, uint32_t used);
  // The bit at `slot` (already zero) leaves, later bits move down.
  void eraseAt(uint32_t slot, uint32_t used);

 private:
  struct Plane {
    Block<uint64_t> words;
    Block<uint16_t> runs;  // set bits per 64 words
    uint32_t total = 0;
  };
  bool skipRun(uint32_t run, uint32_t wanted, uint32_t excluded) const;
  uint64_t matches(uint32_t word, uint32_t wanted, uint32_t excluded) const;
  void recount(Plane& plane, uint32_t fromWord, uint32_t words);

  Plane planes_[kPlanes];
  uint32_t words_ = 0;  // words per plane
};

}  // namespace gridwin
