// Random operation sequences on the row store, checked step by step
// against a plain model that does everything by walking vectors: flags,
// numbering with kept numbers, buffers and cells, the cache limit, which
// rows are discarded in which order, and search results.
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace gridwin;
using namespace rowstore_test;

namespace {

constexpr int kColumns = 3;
constexpr uint32_t kGrowth = 51;
constexpr uint64_t kMaxSlots = 0x10000000;

struct Cell {
  std::string value;
  bool modified = false;
  bool colored = false;
  uint32_t color = 0;
};

struct Slot {
  uint16_t flags = 0;
  std::vector<Cell> cells;  // present rows only
};

// One bank: which external numbers are missing, and the slots.
struct ModelBank {
  std::vector<bool> gap;  // by external number; beyond the end: no gap
  std::vector<Slot> slots;
  uint32_t count = 100;

  bool isGap(uint64_t n) const { return n < gap.size() && gap[n]; }
  uint64_t slotOf(uint64_t n) const {
    uint64_t gaps = 0;
    for (uint64_t i = 0; i < n && i < gap.size(); ++i) gaps += gap[i];
    return n - gaps;
  }
  uint64_t numberOf(uint64_t slot) const {
    uint64_t n = 0;
    for (;; ++n)
      if (!isGap(n)) {
        if (slot == 0) return n;
        --slot;
      }
  }
  Slot& at(uint64_t slot) {
    if (slots.size() <= slot) slots.resize(slot + 1);
    return slots[slot];
  }
};

struct Model {
  ModelBank banks[2];
  Slot scratch;
  uint32_t limit;
  bool discard, countOnly;
  std::vector<Event> log;
  bool hostKeeps = false;  // the host marks some rows edited when told they go

  bool keepsDiscarded(int32_t row) const { return hostKeeps && row % 5 == 0; }

  bool isDiscardable(uint16_t f) const { return (f & kRowPresent) && !(f & kRowKept); }

  uint32_t allocated() const {
    uint32_t n = scratch.flags & kRowPresent ? 1 : 0;
    for (const ModelBank& b : banks)
      for (uint32_t i = 0; i < b.count && i < b.slots.size(); ++i) n += b.slots[i].flags & kRowPresent ? 1 : 0;
    return n;
  }
  uint32_t discardable() const {
    uint32_t n = isDiscardable(scratch.flags);
    for (const ModelBank& b : banks)
      for (uint32_t i = 0; i < b.count && i < b.slots.size(); ++i) n += isDiscardable(b.slots[i].flags);
    return n;
  }

  // Row -> bank (0/1), number; -1 for non-rows, 2 for scratch.
  int bankOf(int32_t row, uint64_t& n) const {
    if (row == kRowScratch) return 2;
    if (row == kRowNone) return n = 0, 0;
    if (row < 0) return row < kSplitRowBase ? -1 : (n = uint64_t(int64_t(row) - kSplitRowBase), 1);
    return n = uint64_t(row), 0;
  }
  int32_t rowOf(int bank, uint64_t slot) const {
    uint64_t n = banks[bank].numberOf(slot);
    return int32_t(bank ? kSplitRowBase + int64_t(n) : int64_t(n));
  }
  Slot* slot(int32_t row) {
    uint64_t n;
    int b = bankOf(row, n);
    if (b == 2) return &scratch;
    if (b < 0 || banks[b].isGap(n)) return nullptr;
    uint64_t s = banks[b].slotOf(n);
    return s < banks[b].count ? &banks[b].at(s) : nullptr;
  }
  uint16_t flags(int32_t row) {
    Slot* s = slot(row);
    return s ? s->flags : 0;
  }

  int32_t scan(int bank, int64_t from, int step, uint16_t w, uint16_t x) {
    ModelBank& b = banks[bank];
    for (int64_t i = from; i >= 0 && i < int64_t(b.count); i += step) {
      uint16_t f = i < int64_t(b.slots.size()) ? b.slots[size_t(i)].flags : 0;
      if ((!w || (f & w)) && !(f & x)) return rowOf(bank, uint64_t(i));
    }
    return kRowScratch;
  }
  // First slot at or after a number (gap or not).
  int64_t slotAtOrAfter(int bank, uint64_t n) { return int64_t(banks[bank].slotOf(n)); }

  int32_t findNext(int32_t row, uint16_t w, uint16_t x) {
    if (row == kRowScratch) return kRowScratch;
    if (row == kRowNone) return scan(0, 0, 1, w, x);
    if (row < kSplitRowBase) {
      int32_t r = scan(1, 0, 1, w, x);
      return r != kRowScratch ? r : scan(0, 0, 1, w, x);
    }
    uint64_t n;
    int b = bankOf(row, n);
    int64_t s = slotAtOrAfter(b, n) + (banks[b].isGap(n) ? 0 : 1);
    int32_t r = scan(b, s, 1, w, x);
    return (r != kRowScratch || b == 0) ? r : scan(0, 0, 1, w, x);
  }
  int32_t findPrev(int32_t row, uint16_t w, uint16_t x) {
    if (row == kRowScratch || (row < kSplitRowBase && row != kRowNone)) return kRowScratch;
    if (row == kRowNone) return scan(1, int64_t(banks[1].count) - 1, -1, w, x);
    uint64_t n;
    int b = bankOf(row, n);
    int64_t s = std::min<int64_t>(slotAtOrAfter(b, n) - 1, int64_t(banks[b].count) - 1);
    int32_t r = scan(b, s, -1, w, x);
    return (r != kRowScratch || b == 1) ? r : scan(1, int64_t(banks[1].count) - 1, -1, w, x);
  }

  int discardAround(int32_t row) {
    if (!discard || discardable() == 0) return 0;
    uint64_t n;
    int b = bankOf(row, n);
    if (b < 0 || b == 2 || banks[b].isGap(n)) return 0;
    uint64_t p = banks[b].slotOf(n);
    if (p >= banks[b].count) return 0;
    uint32_t before = 0;
    for (uint64_t i = 0; i < p && i < banks[b].slots.size(); ++i) before += isDiscardable(banks[b].slots[i].flags);
    bool fromTop = before > discardable() / 2;
    uint32_t most = std::max<uint32_t>(1, std::min<uint32_t>(25, allocated() / 3));
    uint32_t done = 0;
    for (int32_t at = fromTop ? kRowNone : kRowEnd; done < most;) {
      at = fromTop ? findNext(at, kRowPresent, kRowKept) : findPrev(at, kRowPresent, kRowKept);
      if (at == kRowScratch) break;
      log.push_back({'D', at});
      Slot* s = slot(at);
      if (keepsDiscarded(at)) s->flags |= kRowEdited;
      if (!isDiscardable(s->flags)) continue;
      s->flags &= ~kRowPresent;
      s->cells.clear();
      ++done;
    }
    return int(done);
  }

  bool refused() const { return (countOnly ? discardable() : allocated()) >= limit; }

  bool setFlags(int32_t row, uint16_t f) {
    uint64_t n;
    int b = bankOf(row, n);
    if (b < 0 || (b < 2 && banks[b].isGap(n))) return false;
    if (b < 2) {
      uint64_t s = banks[b].slotOf(n);
      if (s >= banks[b].count) {
        if (!f) return true;
        if (s + kGrowth > kMaxSlots) {
          log.push_back({'F', 0});
          return false;
        }
        banks[b].count = uint32_t(s + kGrowth);
      }
    }
    Slot* s = slot(row);
    uint16_t old = s->flags;
    if ((f & kRowPresent) && !(old & kRowPresent)) {
      s->flags = old | kRowTransient;
      bool ok = false;
      for (int attempt = 0;; ++attempt) {
        if (!refused()) {
          ok = true;
          break;
        }
        if (attempt == 2) break;
        if (attempt == 1) log.push_back({'F', 0});
        discardAround(row);
      }
      s = slot(row);
      if (!ok) {
        s->flags = uint16_t((s->flags & ~kRowTransient) | (old & kRowTransient));
        return false;
      }
      s->cells.assign(kColumns, Cell());
    }
    if (!(f & kRowPresent)) s->cells.clear();
    if ((old & kRowEdited) && !(f & kRowEdited))
      for (Cell& c : s->cells) c.modified = false;
    s->flags = f;
    return true;
  }

  int32_t insertRow(int32_t row, uint16_t f) {
    uint64_t n;
    int b = bankOf(row, n);
    if (b < 0 || b == 2 || banks[b].isGap(n)) return kRowScratch;
    ModelBank& bank = banks[b];
    uint64_t s = bank.slotOf(n);
    if (s >= kMaxSlots) return kRowScratch;
    if (n < bank.gap.size()) bank.gap.insert(bank.gap.begin() + int64_t(n), false);
    if (s < bank.slots.size()) bank.slots.insert(bank.slots.begin() + int64_t(s), Slot());
    bank.count = std::max<uint32_t>(bank.count + 1, uint32_t(s + 1));
    if (!setFlags(row, f | kRowPresent)) {
      deleteRow(row, false);
      return kRowScratch;
    }
    return row == kRowNone ? 0 : row;
  }

  bool deleteRow(int32_t row, bool keep) {
    uint64_t n;
    int b = bankOf(row, n);
    if (b < 0 || b == 2 || banks[b].isGap(n)) return false;
    ModelBank& bank = banks[b];
    uint64_t s = bank.slotOf(n);
    if (s >= kMaxSlots) return false;
    if (s < bank.count) {
      if (s < bank.slots.size()) bank.slots.erase(bank.slots.begin() + int64_t(s));
      --bank.count;
      if (bank.slots.size() > bank.count) bank.slots.resize(bank.count);
    }
    if (keep) {
      if (bank.gap.size() <= n) bank.gap.resize(n + 1);
      bank.gap[n] = true;
    } else if (n < bank.gap.size()) {
      bank.gap.erase(bank.gap.begin() + int64_t(n));
    }
    return true;
  }

  bool swapRows(int32_t a, int32_t b) {
    // Both slots are made to exist first, as setFlags would.
    for (int32_t r : {a, b}) {
      uint64_t n;
      int k = bankOf(r, n);
      if (k < 0 || k == 2 || banks[k].isGap(n)) return false;
      uint64_t s = banks[k].slotOf(n);
      if (s >= banks[k].count) {
        if (s + kGrowth > kMaxSlots) {
          log.push_back({'F', 0});
          return false;
        }
        banks[k].count = uint32_t(s + kGrowth);
      }
    }
    slot(a);
    slot(b);  // both exist now: neither call below moves the other
    std::swap(*slot(a), *slot(b));
    return true;
  }
};

class Input {
 public:
  Input(const uint8_t* d, size_t n) : d_(d), n_(n) {}
  bool more() const { return i_ < n_; }
  uint8_t byte() { return i_ < n_ ? d_[i_++] : 0; }
  uint16_t word() { return uint16_t(byte() | byte() << 8); }
  int32_t row() {
    uint8_t k = byte();
    switch (k % 8) {
      case 0: return kSplitRowBase + byte() % 20;
      case 1: return kRowNone;
      case 2: return kRowEnd;
      case 3: return kRowScratch;
      case 4: return kSplitRowEmpty;
      case 5: return 100 + byte() % 120;
      default: return byte() % 40;
    }
  }
  uint16_t flags() {
    static const uint16_t bits[] = {kRowPresent, kRowSelected, kRowEdited, kRowNew, 0x10, kRowColored, kRowHidden, kRowKeepSelection};
    uint8_t m = byte();
    uint16_t f = 0;
    for (int i = 0; i < 8; ++i)
      if (m & (1 << i)) f |= bits[i];
    return f;
  }

 private:
  const uint8_t* d_;
  size_t n_;
  size_t i_ = 0;
};

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "mismatch: %s\n", what);
    std::abort();
  }
}

void compareCells(RowStore& store, Model& model, int32_t row) {
  Slot* s = model.slot(row);
  for (int c = 0; c < kColumns; ++c) {
    CellView v;
    bool has = store.cell(row, c, v);
    check(has == (s && (s->flags & kRowPresent)), "buffer presence");
    if (!has) continue;
    const Cell& m = s->cells[size_t(c)];
    check(std::string(reinterpret_cast<const char*>(v.value), v.length) == m.value, "cell value");
    check(v.modified == m.modified, "modified bit");
    check(v.colored == m.colored && (!m.colored || v.color == m.color), "cell colour");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  CountingMemory memory;
  RecordingEvents events;
  RowStoreConfig config;
  uint8_t setup = in.byte();
  config.rowCacheLimit = in.byte() % 24;
  config.discard = setup & 1;
  config.countOnlyDiscardable = setup & 2;
  config.columnCount = kColumns;
  RowStore* store = RowStore::create(memory, events, config);
  check(store != nullptr, "create");
  Model model;
  model.hostKeeps = setup & 4;
  events.onDiscard = [&](int32_t row) {
    if (model.keepsDiscarded(row)) store->changeFlags(row, kRowEdited, true);
  };
  model.limit = store->bufferLimit();
  model.discard = config.discard;
  model.countOnly = config.countOnlyDiscardable;
  model.scratch.flags = kRowPresent;
  model.scratch.cells.assign(kColumns, Cell());

  for (int steps = 0; in.more() && steps < 400; ++steps) {
    uint8_t op = in.byte() % 10;
    int32_t row = in.row();
    switch (op) {
      case 0:
      case 1: {
        uint16_t f = in.flags();
        check(store->setFlags(row, f) == model.setFlags(row, f), "setFlags result");
        break;
      }
      case 2: {
        uint16_t w = in.flags(), x = in.flags();
        check(store->findNext(row, w, x) == model.findNext(row, w, x), "findNext");
        check(store->findPrev(row, w, x) == model.findPrev(row, w, x), "findPrev");
        break;
      }
      case 3: {
        uint16_t f = in.flags() & ~kRowPresent;
        check(store->insertRow(row, f) == model.insertRow(row, f), "insertRow");
        break;
      }
      case 4: {
        bool keep = in.byte() & 1;
        check(store->deleteRow(row, keep) == model.deleteRow(row, keep), "deleteRow");
        break;
      }
      case 5: {
        int32_t other = in.row();
        check(store->swapRows(row, other) == model.swapRows(row, other), "swapRows");
        break;
      }
      case 6: {
        int column = in.byte() % kColumns;
        std::string v(in.byte() % 9, char('a' + in.byte() % 26));
        Slot* s = model.slot(row);
        bool ok = s && (s->flags & kRowPresent);
        check(store->setCell(row, column, v.data(), uint32_t(v.size())) == ok, "setCell");
        if (ok) s->cells[size_t(column)].value = v;
        break;
      }
      case 7: {
        int column = in.byte() % kColumns;
        bool on = in.byte() & 1;
        Slot* s = model.slot(row);
        bool ok = s && (s->flags & kRowPresent);
        check(store->setCellModified(row, column, on) == ok, "setCellModified");
        if (ok) s->cells[size_t(column)].modified = on;
        break;
      }
      case 8: {
        int column = in.byte() % kColumns;
        uint8_t how = in.byte();
        Slot* s = model.slot(row);
        bool ok = s && (s->flags & kRowPresent);
        if (how & 1) {
          check(store->setCellColor(row, column, how, how & 2) == ok, "setCellColor");
          if (ok) {
            s->cells[size_t(column)].colored = true;
            s->cells[size_t(column)].color = how;
            if (how & 2) s->flags |= kRowColored;
          }
        } else {
          check(store->clearCellColor(row, column) == ok, "clearCellColor");
          if (ok) {
            s->cells[size_t(column)].colored = false;
            bool any = false;
            for (const Cell& c : s->cells) any |= c.colored;
            if (!any) s->flags &= ~kRowColored;
          }
        }
        break;
      }
      case 9:
        check(store->discardAround(row) == model.discardAround(row), "discardAround");
        break;
    }
    check(events.log == model.log, "events");
    check(store->flags(row) == model.flags(row), "flags");
    check(store->isGap(row) == [&] {
      uint64_t n;
      int b = model.bankOf(row, n);
      return b >= 0 && b < 2 && model.banks[b].isGap(n);
    }(), "isGap");
    check(store->allocatedCount() == model.allocated(), "allocated count");
    check(store->discardableCount() == model.discardable(), "discardable count");
    check(store->slotCount(false) == model.banks[0].count && store->slotCount(true) == model.banks[1].count,
          "slot counts");
    compareCells(*store, model, row);
  }
  RowStore::destroy(store);
  check(memory.live == 0, "blocks leaked");
  return 0;
}
