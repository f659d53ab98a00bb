#include "flagindex.h"

#include <algorithm>
#include <bit>

namespace gridwin {

namespace {

constexpr uint32_t kWordsPerRun = 64;

uint64_t bitsBelow(uint32_t n) { return n >= 64 ? ~0ull : (1ull << n) - 1; }

uint32_t popcount(uint64_t w) { return uint32_t(std::popcount(w)); }

}  // namespace

bool FlagIndex::reserve(RowStoreMemory& memory, uint32_t slots) {
  uint32_t words = slots / 64 + 2;  // one spare word keeps shifts simple
  if (words <= words_) return true;
  uint32_t runs = words / kWordsPerRun + 1;
  for (Plane& p : planes_)
    if (!p.words.reserve(memory, words) || !p.runs.reserve(memory, runs)) return false;
  words_ = words;
  return true;
}

void FlagIndex::release(RowStoreMemory& memory) {
  for (Plane& p : planes_) {
    p.words.release(memory);
    p.runs.release(memory);
    p.total = 0;
  }
  words_ = 0;
}

bool FlagIndex::test(int plane, uint32_t slot) const {
  return slot / 64 < words_ && (planes_[plane].words[slot / 64] >> (slot % 64)) & 1;
}

void FlagIndex::set(int plane, uint32_t slot, bool on) {
  Plane& p = planes_[plane];
  uint64_t& word = p.words[slot / 64];
  uint64_t bit = 1ull << (slot % 64);
  if (bool(word & bit) == on) return;
  word ^= bit;
  uint16_t& run = p.runs[slot / kRunBits];
  if (on) {
    ++run;
    ++p.total;
  } else {
    --run;
    --p.total;
  }
}

uint32_t FlagIndex::countBefore(int plane, uint32_t slot) const {
  const Plane& p = planes_[plane];
  if (p.total == 0) return 0;
  uint32_t lastWord = slot / 64;
  if (lastWord >= words_) return p.total;
  uint32_t n = 0;
  uint32_t run = slot / kRunBits;
  for (uint32_t r = 0; r < run; ++r) n += p.runs[r];
  for (uint32_t w = run * kWordsPerRun; w < lastWord; ++w) n += popcount(p.words[w]);
  return n + popcount(p.words[lastWord] & bitsBelow(slot % 64));
}

bool FlagIndex::skipRun(uint32_t run, uint32_t wanted, uint32_t excluded) const {
  if (wanted) {
    bool any = false;
    for (uint32_t m = wanted; m && !any; m &= m - 1) any = planes_[std::countr_zero(m)].runs[run] != 0;
    if (!any) return true;
  }
  for (uint32_t m = excluded; m; m &= m - 1)
    if (planes_[std::countr_zero(m)].runs[run] == kRunBits) return true;
  return false;
}

uint64_t FlagIndex::matches(uint32_t word, uint32_t wanted, uint32_t excluded) const {
  uint64_t hits = wanted ? 0 : ~0ull;
  for (uint32_t m = wanted; m; m &= m - 1) hits |= planes_[std::countr_zero(m)].words[word];
  for (uint32_t m = excluded; m && hits; m &= m - 1) hits &= ~planes_[std::countr_zero(m)].words[word];
  return hits;
}

int64_t FlagIndex::findFirst(uint32_t from, uint32_t end, uint32_t wanted, uint32_t excluded) const {
  // Planes without a single bit cannot match or exclude anything.
  uint32_t want = 0, skip = 0;
  for (uint32_t m = wanted; m; m &= m - 1)
    if (planes_[std::countr_zero(m)].total) want |= m & (~m + 1);
  for (uint32_t m = excluded; m; m &= m - 1)
    if (planes_[std::countr_zero(m)].total) skip |= m & (~m + 1);
  if ((wanted && !want) || words_ < 2) return -1;
  end = std::min<uint64_t>(end, uint64_t(words_) * 64 - 64);
  for (uint32_t i = from; i < end;) {
    uint32_t run = i / kRunBits;
    uint32_t runEnd = std::min<uint64_t>(end, uint64_t(run + 1) * kRunBits);
    if (!skipRun(run, want, skip)) {
      for (uint32_t w = i / 64; uint64_t(w) * 64 < runEnd; ++w) {
        uint64_t hits = matches(w, want, skip);
        if (w == i / 64) hits &= ~bitsBelow(i % 64);
        if (hits) {
          uint32_t slot = w * 64 + uint32_t(std::countr_zero(hits));
          return slot < end ? int64_t(slot) : -1;
        }
      }
    }
    i = runEnd;
  }
  return -1;
}

int64_t FlagIndex::findLast(int64_t from, uint32_t wanted, uint32_t excluded) const {
  uint32_t want = 0, skip = 0;
  for (uint32_t m = wanted; m; m &= m - 1)
    if (planes_[std::countr_zero(m)].total) want |= m & (~m + 1);
  for (uint32_t m = excluded; m; m &= m - 1)
    if (planes_[std::countr_zero(m)].total) skip |= m & (~m + 1);
  if ((wanted && !want) || words_ < 2) return -1;
  from = std::min<int64_t>(from, int64_t(words_ - 1) * 64 - 1);
  for (int64_t i = from; i >= 0;) {
    uint32_t run = uint32_t(i / kRunBits);
    int64_t runStart = int64_t(run) * kRunBits;
    if (!skipRun(run, want, skip)) {
      for (int64_t w = i / 64; w * 64 >= runStart; --w) {
        uint64_t hits = matches(uint32_t(w), want, skip);
        if (w == i / 64) hits &= bitsBelow(uint32_t(i % 64) + 1);
        if (hits) return w * 64 + 63 - std::countl_zero(hits);
      }
    }
    i = runStart - 1;
  }
  return -1;
}

void FlagIndex::recount(Plane& plane, uint32_t fromWord, uint32_t words) {
  for (uint32_t run = fromWord / kWordsPerRun; run * kWordsPerRun < words; ++run) {
    uint32_t n = 0;
    for (uint32_t w = run * kWordsPerRun; w < (run + 1) * kWordsPerRun && w < words; ++w)
      n += popcount(plane.words[w]);
    plane.total += n;
    plane.total -= plane.runs[run];
    plane.runs[run] = uint16_t(n);
  }
}

void FlagIndex::insertAt(uint32_t slot, uint32_t used) {
  if (slot >= used) return;  // only zero bits above: nothing moves
  uint32_t first = slot / 64;
  uint32_t last = used / 64;  // the word that receives bit `used`
  for (Plane& p : planes_) {
    if (!p.total) continue;
    uint64_t* w = p.words.at;
    for (uint32_t k = last; k > first; --k) w[k] = (w[k] << 1) | (w[k - 1] >> 63);
    uint64_t low = bitsBelow(slot % 64);
    w[first] = (w[first] & low) | ((w[first] & ~low) << 1);
    recount(p, first, last + 1);
  }
}

void FlagIndex::eraseAt(uint32_t slot, uint32_t used) {
  if (slot >= used) return;
  uint32_t first = slot / 64;
  uint32_t last = (used - 1) / 64;
  for (Plane& p : planes_) {
    if (!p.total) continue;
    uint64_t* w = p.words.at;
    uint32_t b = slot % 64;
    uint64_t low = w[first] & bitsBelow(b);
    uint64_t high = b == 63 ? 0 : (w[first] >> (b + 1)) << b;
    w[first] = low | high | (first < last ? w[first + 1] << 63 : 0);
    for (uint32_t k = first + 1; k <= last; ++k) w[k] = (w[k] >> 1) | (k < last ? w[k + 1] << 63 : 0);
    recount(p, first, last + 1);
  }
}

}  // namespace gridwin
