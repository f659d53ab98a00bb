// The row store against a plain peer that keeps the same rows in vectors
// and answers every question by walking them: flag searches over a
// million rows with few matches, and paging through 10,000 and 1,000,000
// rows with a cache of 100 rows that discards. Prints ratios (ours / peer)
// and our time per page at both sizes.
#include "harness.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace gridwin;
using namespace rowstore_test;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

constexpr int kColumns = 5;
constexpr int kPage = 30;
constexpr int kSamples = 300;
constexpr uint32_t kCacheLimit = 100;

// The peer: flags and buffers in vectors, linear searches and counts.
class LinearStore {
 public:
  explicit LinearStore(uint32_t limit) : limit_(limit + 1), flags_(100), data_(100) {}

  uint16_t flags(int32_t row) const { return size_t(row) < flags_.size() ? flags_[size_t(row)] : 0; }
  int32_t findNext(int32_t row, uint16_t w, uint16_t x) const {
    for (size_t i = row == kRowNone ? 0 : size_t(row) + 1; i < flags_.size(); ++i)
      if ((!w || (flags_[i] & w)) && !(flags_[i] & x)) return int32_t(i);
    return kRowScratch;
  }
  bool present(int32_t row) { return flags(row) & kRowPresent; }
  void fetch(int32_t row) {
    if (size_t(row) >= flags_.size()) {
      flags_.resize(size_t(row) + 51);
      data_.resize(size_t(row) + 51);
    }
    if (allocated_ + 1 >= limit_) discardAround(row);
    data_[size_t(row)].assign(2 * kColumns, 0);
    for (int c = 0; c < kColumns; ++c) data_[size_t(row)].insert(data_[size_t(row)].end(), 'v');
    flags_[size_t(row)] |= kRowPresent;
    ++allocated_;
    peak_ = std::max(peak_, allocated_ + 1);
  }
  size_t read(int32_t row) const { return data_[size_t(row)].size(); }
  void setFlags(int32_t row, uint16_t f) {
    if (size_t(row) >= flags_.size()) flags_.resize(size_t(row) + 51);
    flags_[size_t(row)] = f;
  }
  uint32_t peak() const { return peak_; }

 private:
  void discardAround(int32_t row) {
    uint32_t before = 0, total = 0;
    for (size_t i = 0; i < flags_.size(); ++i) {
      bool d = (flags_[i] & kRowPresent) && !(flags_[i] & kRowKept);
      total += d;
      before += d && i < size_t(row);
    }
    uint32_t n = std::min<uint32_t>(25, (allocated_ + 1) / 3);
    bool fromTop = before > (total + 1) / 2;
    for (size_t k = 0, i = fromTop ? 0 : flags_.size() - 1; k < n && i < flags_.size(); fromTop ? ++i : --i)
      if ((flags_[i] & kRowPresent) && !(flags_[i] & kRowKept)) {
        flags_[i] &= ~kRowPresent;
        data_[i].clear();
        data_[i].shrink_to_fit();
        --allocated_;
        ++k;
      }
  }

  uint32_t limit_;
  uint32_t allocated_ = 0;
  uint32_t peak_ = 0;
  std::vector<uint16_t> flags_;
  std::vector<std::vector<uint8_t>> data_;
};

class QuietEvents final : public RowStoreEvents {
 public:
  void rowDiscarded(int32_t) override {}
  void cacheFull() override {}
};

struct PagingResult {
  double msPerPage;
  uint32_t peakBuffers;
};

// Passes over the sampled pages, top to bottom; the time per page of the
// fastest pass after the first (which also grows the slot arrays to the
// row count once). The best of several damps a busy machine's noise.
template <class FetchRow, class ReadRow>
double pageThrough(int32_t rows, FetchRow fetch, ReadRow read) {
  double ms = 1e300;
  size_t sink = 0;
  for (int pass = 0; pass < 6; ++pass) {
    auto t = Clock::now();
    for (int k = 0; k < kSamples; ++k) {
      int32_t top = int32_t(int64_t(rows - kPage) * k / (kSamples - 1));
      for (int32_t r = top; r < top + kPage; ++r) fetch(r);
      for (int32_t r = top; r < top + kPage; ++r) sink += read(r);
    }
    if (pass > 0) ms = std::min(ms, msSince(t));
  }
  if (sink == 0) std::puts("");
  return ms / kSamples;
}

PagingResult pageOurs(int32_t rows) {
  QuietEvents events;
  RowStoreConfig config;
  config.rowCacheLimit = kCacheLimit;
  config.discard = true;
  config.columnCount = kColumns;
  RowStore* store = RowStore::create(mallocMemory(), events, config);
  uint32_t peak = 0;
  double ms = pageThrough(
      rows,
      [&](int32_t r) {
        if (store->flags(r) & kRowPresent) return;
        store->setFlags(r, kRowPresent);
        for (int c = 0; c < kColumns; ++c) store->setCell(r, c, "v", 1);
        peak = std::max(peak, store->allocatedCount());
      },
      [&](int32_t r) {
        size_t n = 0;
        for (int c = 0; c < kColumns; ++c) {
          CellView v;
          store->cell(r, c, v);
          n += v.length;
        }
        return n;
      });
  RowStore::destroy(store);
  return {ms, peak};
}

PagingResult pagePeer(int32_t rows) {
  LinearStore peer(kCacheLimit);
  double ms = pageThrough(
      rows,
      [&](int32_t r) {
        if (!peer.present(r)) peer.fetch(r);
      },
      [&](int32_t r) { return peer.read(r); });
  return {ms, peer.peak()};
}

}  // namespace

int main() {
  const int32_t million = 1'000'000;
  std::printf("rowstore: ratios are ours / peer (a vector store that walks its rows)\n");

  // Flag searches: 16 selected rows among a million, enumerated 20 times.
  {
    QuietEvents events;
    RowStoreConfig config;
    config.columnCount = kColumns;
    RowStore* store = RowStore::create(mallocMemory(), events, config);
    LinearStore peer(kCacheLimit);
    for (int i = 0; i < 16; ++i) {
      int32_t row = million / 16 * i + 7;
      store->setFlags(row, kRowSelected);
      peer.setFlags(row, kRowSelected);
    }
    store->setFlags(million - 1, 0x10);  // both reach a million slots
    peer.setFlags(million - 1, 0x10);
    const int rounds = 20;
    int found = 0;
    auto t = Clock::now();
    for (int k = 0; k < rounds; ++k)
      for (int32_t r = store->findNext(kRowNone, kRowSelected, 0); r != kRowScratch;
           r = store->findNext(r, kRowSelected, 0))
        ++found;
    double ours = msSince(t);
    t = Clock::now();
    for (int k = 0; k < rounds; ++k)
      for (int32_t r = peer.findNext(kRowNone, kRowSelected, 0); r != kRowScratch;
           r = peer.findNext(r, kRowSelected, 0))
        ++found;
    double theirs = msSince(t);
    std::printf("  find selected rows, 16 of 1,000,000: %.3f ms a pass, %.4fx (peer %.3f ms)\n", ours / rounds,
                ours / theirs, theirs / rounds);
    // The first visible row after 900,000 hidden ones.
    for (int32_t r = 0; r < 900'000; ++r) store->setFlags(r, kRowHidden);
    t = Clock::now();
    int32_t visible = kRowScratch;
    for (int k = 0; k < rounds; ++k) visible = store->findNext(kRowNone, 0, kRowHidden);
    std::printf("  first row not hidden after 900,000 hidden: row %d, %.3f ms a search\n", visible,
                msSince(t) / rounds);
    RowStore::destroy(store);
    if (found != 2 * rounds * 16) std::printf("  (searches disagree: %d)\n", found);
  }

  // Paging with a cache of 100 rows that discards; times of the second pass.
  PagingResult small = pageOurs(10'000), large = pageOurs(million);
  PagingResult peerSmall = pagePeer(10'000), peerLarge = pagePeer(million);
  std::printf("  paging %d sampled pages of %d rows, cache %u with discards:\n", kSamples, kPage, kCacheLimit);
  std::printf("    10,000 rows:    %.4f ms a page, %.3fx (peer %.4f ms), peak buffers %u\n", small.msPerPage,
              small.msPerPage / peerSmall.msPerPage, peerSmall.msPerPage, small.peakBuffers);
  std::printf("    1,000,000 rows: %.4f ms a page, %.3fx (peer %.4f ms), peak buffers %u\n", large.msPerPage,
              large.msPerPage / peerLarge.msPerPage, peerLarge.msPerPage, large.peakBuffers);
  std::printf("    1,000,000 / 10,000 rows per page: ours %.2fx, peer %.2fx (bound: cache + one page = %u buffers)\n",
              large.msPerPage / small.msPerPage, peerLarge.msPerPage / peerSmall.msPerPage, kCacheLimit + 1 + kPage);
  return 0;
}
