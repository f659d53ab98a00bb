// The row store. Two banks of slots (normal rows, split rows) plus the
// scratch row; each bank keeps its flags in a slot array and mirrors them
// in a FlagIndex, so searches and the discard policy never walk the rows.
#include "rowstore.h"

#include "cells.h"
#include "flagindex.h"
#include "gaps.h"

#include <algorithm>
#include <bit>
#include <new>

namespace gridwin {

namespace {

constexpr uint32_t kInitialSlots = 100;
constexpr uint32_t kSlotGrowth = 51;
constexpr uint32_t kMaxSlots = 0x10000000;
constexpr uint32_t kMaxBufferLimit = 0x7FFF1591;
constexpr uint32_t kDefaultBufferLimit = 100;
constexpr uint32_t kMaxDiscardsPerShortage = 25;
constexpr uint32_t kHeaderBytes = 4;  // a buffer block starts with its used size

bool isDiscardable(uint16_t flags) { return (flags & kRowPresent) && !(flags & kRowKept); }

uint32_t usedOf(const uint8_t* block) {
  uint32_t n;
  std::memcpy(&n, block, 4);
  return n;
}

void setUsed(uint8_t* block, uint32_t n) { std::memcpy(block, &n, 4); }

uint8_t* cellsOf(uint8_t* block) { return block + kHeaderBytes; }
const uint8_t* cellsOf(const uint8_t* block) { return block + kHeaderBytes; }

struct Bank {
  Block<uint8_t*> data;  // buffer blocks; null without kRowPresent
  Block<uint16_t> flags;
  uint32_t count = 0;
  FlagIndex index;
  GapList gaps;
};

// A slot: in a bank, or the scratch slot (bank null).
struct SlotRef {
  Bank* bank = nullptr;
  uint32_t slot = 0;
};

}  // namespace

struct RowStore::Impl {
  Impl(RowStoreMemory& m, RowStoreEvents& e) : memory(m), events(e) {}

  RowStoreMemory& memory;
  RowStoreEvents& events;
  Bank banks[2];  // normal, split
  uint8_t* scratchData = nullptr;
  uint16_t scratchFlags = 0;
  uint32_t bufferLimit = 0;
  uint32_t rawLimit = 0;
  bool discard = false;
  bool countOnlyDiscardable = false;
  uint32_t initialSize = 1;
  uint32_t allocated = 0;
  uint32_t discardable = 0;
  int depth = 0;

  Bank& normal() { return banks[0]; }
  Bank& split() { return banks[1]; }
  bool isSplit(const Bank& b) const { return &b == &banks[1]; }

  // --- Numbering ---

  enum class Kind { NotARow, Scratch, Bank };
  struct Place {
    Kind kind = Kind::NotARow;
    Bank* bank = nullptr;
    uint64_t slot = 0;  // the slot at or after the number
    bool gap = false;
  };

  Place locate(int32_t row) {
    Place p;
    uint64_t number;
    if (row == kRowScratch) {
      p.kind = Kind::Scratch;
      return p;
    }
    if (row == kRowNone) {
      p.bank = &normal();
      number = 0;
    } else if (row < 0) {
      if (row < kSplitRowBase) return p;
      p.bank = &split();
      number = uint64_t(int64_t(row) - kSplitRowBase);
    } else {
      p.bank = &normal();
      number = uint64_t(row);
    }
    p.kind = Kind::Bank;
    p.slot = p.bank->gaps.slotOf(number, &p.gap);
    return p;
  }

  int32_t rowOf(const Bank& b, uint32_t slot) const {
    int64_t number = int64_t(b.gaps.numberOf(slot));
    return int32_t(isSplit(b) ? kSplitRowBase + number : number);
  }

  // The existing slot of a row (not a gap, inside the bank's slot count).
  bool slotOf(int32_t row, SlotRef& s) {
    Place p = locate(row);
    if (p.kind == Kind::Scratch) {
      s = {};
      return true;
    }
    if (p.kind != Kind::Bank || p.gap || p.slot >= p.bank->count) return false;
    s = {p.bank, uint32_t(p.slot)};
    return true;
  }

  uint8_t*& dataOf(SlotRef s) { return s.bank ? s.bank->data[s.slot] : scratchData; }
  uint16_t flagsOf(SlotRef s) const { return s.bank ? s.bank->flags[s.slot] : scratchFlags; }

  // Every flag change goes through here: the index and the discardable
  // count follow the slot.
  void writeFlags(SlotRef s, uint16_t f) {
    uint16_t old = flagsOf(s);
    if (old == f) return;
    bool wasDiscardable = isDiscardable(old), nowDiscardable = isDiscardable(f);
    if (s.bank) {
      for (uint32_t diff = uint16_t(old ^ f); diff; diff &= diff - 1) {
        int bit = std::countr_zero(diff);
        s.bank->index.set(bit, s.slot, (f >> bit) & 1);
      }
      if (wasDiscardable != nowDiscardable) s.bank->index.set(FlagIndex::kDiscardable, s.slot, nowDiscardable);
      s.bank->flags[s.slot] = f;
    } else {
      scratchFlags = f;
    }
    if (wasDiscardable != nowDiscardable) nowDiscardable ? ++discardable : --discardable;
  }

  bool reserveSlots(Bank& b, uint32_t n) {
    return n <= kMaxSlots && b.data.reserve(memory, n) && b.flags.reserve(memory, n) && b.index.reserve(memory, n);
  }

  // --- Events ---

  void rowDiscarded(int32_t row) {
    ++depth;
    events.rowDiscarded(row);
    --depth;
  }

  void cacheFull() {
    ++depth;
    events.cacheFull();
    --depth;
  }

  // --- Buffers ---

  uint8_t* newBuffer() {
    uint8_t* block = static_cast<uint8_t*>(memory.allocate(kHeaderBytes + initialSize));
    if (!block) return nullptr;
    std::memset(block, 0, kHeaderBytes + initialSize);
    setUsed(block, initialSize);
    ++allocated;
    return block;
  }

  void freeBuffer(uint8_t* block) {
    memory.release(block);
    --allocated;
  }

  bool refused() const { return (countOnlyDiscardable ? discardable : allocated) >= bufferLimit; }

  uint8_t* acquireBuffer(int32_t row) {
    for (int attempt = 0;; ++attempt) {
      if (!refused())
        if (uint8_t* block = newBuffer()) return block;
      if (attempt == 2) return nullptr;
      if (attempt == 1) cacheFull();
      discardAround(row);
    }
  }

  // Replaces `remove` bytes at `at` of the cells with `insert` zero bytes.
  bool splice(uint8_t*& block, uint32_t at, uint32_t remove, uint32_t insert) {
    uint32_t used = usedOf(block);
    uint64_t newUsed = uint64_t(used) - remove + insert;
    if (newUsed + kHeaderBytes > kMaxBlockBytes) return false;
    uint32_t tail = used - at - remove;
    if (insert > remove) {
      void* grown = memory.reallocate(block, uint32_t(newUsed + kHeaderBytes));
      if (!grown) return false;
      block = static_cast<uint8_t*>(grown);
    }
    uint8_t* cells = cellsOf(block);
    std::memmove(cells + at + insert, cells + at + remove, tail);
    std::memset(cells + at, 0, insert);
    if (insert < remove)
      if (void* shrunk = memory.reallocate(block, uint32_t(newUsed + kHeaderBytes)))
        block = static_cast<uint8_t*>(shrunk);
    setUsed(block, uint32_t(newUsed));
    return true;
  }

  // The cell, appending empty cells up to it when the buffer ends first.
  bool ensureCell(uint8_t*& block, uint32_t column, CellPlace& place) {
    uint32_t missing;
    place = findCell(cellsOf(block), usedOf(block), column, &missing);
    if (place.present) return true;
    if (!splice(block, place.start, 0, 2 * missing)) return false;
    place = findCell(cellsOf(block), usedOf(block), column, &missing);
    return place.present;
  }

  uint8_t** blockOf(int32_t row) {
    SlotRef s;
    if (!slotOf(row, s)) return nullptr;
    uint8_t*& block = dataOf(s);
    return block ? &block : nullptr;
  }

  bool writeCell(int32_t row, int column, const uint8_t* head, uint32_t headLength, const void* value,
                 uint32_t length) {
    uint8_t** block = blockOf(row);
    if (!block || column < 0) return false;
    length = std::min(length, kMaxCellLength - headLength);
    // The value may come from this very buffer, which is about to move.
    const uint8_t* source = static_cast<const uint8_t*>(value);
    uint8_t* copy = nullptr;
    if (length && source >= *block && source < *block + kHeaderBytes + usedOf(*block)) {
      copy = static_cast<uint8_t*>(memory.allocate(length));
      if (!copy) return false;
      std::memcpy(copy, source, length);
      source = copy;
    }
    CellPlace place;
    bool ok = ensureCell(*block, uint32_t(column), place) &&
              splice(*block, place.valueAt, place.length, headLength + length);
    if (ok) {
      uint8_t* cells = cellsOf(*block);
      uint16_t word = readWord(cells + place.lengthAt);
      writeWord(cells + place.lengthAt, uint16_t((word & kCellModified) | (headLength + length)));
      if (headLength) std::memcpy(cells + place.valueAt, head, headLength);
      if (length) std::memcpy(cells + place.valueAt + headLength, source, length);
    }
    if (copy) memory.release(copy);
    return ok;
  }

  void clearModifiedBits(uint8_t* block) {
    uint8_t* cells = cellsOf(block);
    forEachCell(cells, usedOf(block), [cells](const CellPlace& c) {
      writeWord(cells + c.lengthAt, readWord(cells + c.lengthAt) & ~kCellModified);
    });
  }

  static bool anyColor(const uint8_t* block) {
    bool colored = false;
    forEachCell(cellsOf(block), usedOf(block), [&colored](const CellPlace& c) { colored |= c.colorAt != kNoColor; });
    return colored;
  }

  // --- Flags ---

  bool setFlags(int32_t row, uint16_t f) {
    Place p = locate(row);
    if (p.kind == Kind::NotARow || p.gap) return false;
    if (p.kind == Kind::Bank && p.slot >= p.bank->count) {
      if (!f) return true;  // an absent slot already has no flags
      uint64_t count = p.slot + kSlotGrowth;
      if (count > kMaxSlots || !reserveSlots(*p.bank, uint32_t(count))) {
        cacheFull();
        return false;
      }
      p.bank->count = uint32_t(count);
    }
    SlotRef s{p.bank, uint32_t(p.slot)};
    uint16_t old = flagsOf(s);
    if ((f & kRowPresent) && !dataOf(s)) {
      writeFlags(s, old | kRowTransient);
      uint8_t* block = acquireBuffer(row);
      // The events may have changed the store: find the row again.
      if (!slotOf(row, s)) {
        if (block) freeBuffer(block);
        return false;
      }
      if (!block) {
        writeFlags(s, uint16_t((flagsOf(s) & ~kRowTransient) | (old & kRowTransient)));
        return false;
      }
      if (dataOf(s))
        freeBuffer(block);
      else
        dataOf(s) = block;
      old = uint16_t((flagsOf(s) & ~kRowTransient) | (old & kRowTransient));
    }
    uint8_t*& block = dataOf(s);
    if (!(f & kRowPresent) && block) {
      freeBuffer(block);
      block = nullptr;
    }
    if ((old & kRowEdited) && !(f & kRowEdited) && block) clearModifiedBits(block);
    writeFlags(s, f);
    return true;
  }

  // --- Searches ---

  int32_t scanForward(Bank& b, uint64_t from, uint16_t wanted, uint16_t excluded) {
    if (from >= b.count) return kRowScratch;
    int64_t slot = b.index.findFirst(uint32_t(from), b.count, wanted, excluded);
    return slot < 0 ? kRowScratch : rowOf(b, uint32_t(slot));
  }

  int32_t scanBackward(Bank& b, int64_t from, uint16_t wanted, uint16_t excluded) {
    from = std::min<int64_t>(from, int64_t(b.count) - 1);
    if (from < 0) return kRowScratch;
    int64_t slot = b.index.findLast(from, wanted, excluded);
    return slot < 0 ? kRowScratch : rowOf(b, uint32_t(slot));
  }

  int32_t findNext(int32_t row, uint16_t wanted, uint16_t excluded) {
    if (row == kRowScratch) return kRowScratch;
    if (row == kRowNone) return scanForward(normal(), 0, wanted, excluded);
    int32_t found = kRowScratch;
    if (row < kSplitRowBase) {
      found = scanForward(split(), 0, wanted, excluded);  // before the first split row
    } else {
      Place p = locate(row);
      found = scanForward(*p.bank, p.gap ? p.slot : p.slot + 1, wanted, excluded);
      if (p.bank == &normal()) return found;
    }
    return found != kRowScratch ? found : scanForward(normal(), 0, wanted, excluded);
  }

  int32_t findPrev(int32_t row, uint16_t wanted, uint16_t excluded) {
    if (row == kRowScratch || (row < kSplitRowBase && row != kRowNone)) return kRowScratch;
    int32_t found = kRowScratch;
    if (row != kRowNone) {
      Place p = locate(row);
      found = scanBackward(*p.bank, int64_t(p.slot) - 1, wanted, excluded);
      if (p.bank == &split()) return found;
    }
    return found != kRowScratch ? found : scanBackward(split(), int64_t(split().count) - 1, wanted, excluded);
  }

  // --- Discarding ---

  int discardAround(int32_t row) {
    if (!discard || discardable == 0) return 0;
    Place p = locate(row);
    if (p.kind != Kind::Bank || p.gap || p.slot >= p.bank->count) return 0;
    // At least one, so that tiny limits still make room.
    uint32_t n = std::max<uint32_t>(1, std::min(kMaxDiscardsPerShortage, allocated / 3));
    bool fromTop = p.bank->index.countBefore(FlagIndex::kDiscardable, uint32_t(p.slot)) > discardable / 2;
    uint32_t done = 0;
    for (int32_t at = fromTop ? kRowNone : kRowEnd; done < n;) {
      at = fromTop ? findNext(at, kRowPresent, kRowKept) : findPrev(at, kRowPresent, kRowKept);
      if (at == kRowScratch) break;
      rowDiscarded(at);
      SlotRef s;
      if (!slotOf(at, s) || !isDiscardable(flagsOf(s))) continue;  // the host kept it meanwhile
      uint8_t*& block = dataOf(s);
      if (block) freeBuffer(block);
      block = nullptr;
      writeFlags(s, flagsOf(s) & ~kRowPresent);
      ++done;
    }
    return int(done);
  }

  // --- Structure ---

  int32_t insertRow(int32_t row, uint16_t f) {
    Place p = locate(row);
    if (p.kind != Kind::Bank || p.gap || p.slot >= kMaxSlots) return kRowScratch;
    Bank& b = *p.bank;
    uint32_t slot = uint32_t(p.slot);
    uint32_t count = std::max(b.count + 1, slot + 1);
    if (!reserveSlots(b, count)) {
      cacheFull();
      return kRowScratch;
    }
    if (slot < b.count) {
      std::memmove(&b.data[slot + 1], &b.data[slot], (b.count - slot) * sizeof(uint8_t*));
      std::memmove(&b.flags[slot + 1], &b.flags[slot], (b.count - slot) * sizeof(uint16_t));
      b.index.insertAt(slot, b.count);
    }
    b.data[slot] = nullptr;
    b.flags[slot] = 0;
    b.count = count;
    b.gaps.slotInserted(slot);
    int32_t number = rowOf(b, slot);
    if (!setFlags(number, f | kRowPresent)) {
      deleteRow(number, false);
      return kRowScratch;
    }
    return number;
  }

  bool deleteRow(int32_t row, bool keepNumbers) {
    Place p = locate(row);
    if (p.kind != Kind::Bank || p.gap || p.slot >= kMaxSlots) return false;
    Bank& b = *p.bank;
    if (keepNumbers && !b.gaps.reserveOne(memory)) return false;
    uint32_t slot = uint32_t(p.slot);
    if (slot < b.count) {
      SlotRef s{&b, slot};
      if (uint8_t*& block = dataOf(s)) {
        freeBuffer(block);
        block = nullptr;
      }
      writeFlags(s, 0);
      uint32_t after = b.count - slot - 1;
      std::memmove(&b.data[slot], &b.data[slot + 1], after * sizeof(uint8_t*));
      std::memmove(&b.flags[slot], &b.flags[slot + 1], after * sizeof(uint16_t));
      b.index.eraseAt(slot, b.count);
      --b.count;
      b.data[b.count] = nullptr;
      b.flags[b.count] = 0;
    }
    b.gaps.slotRemoved(slot, keepNumbers);
    return true;
  }

  // The slot of a row, created (like setFlags does) when the row has none.
  bool ensureSlot(int32_t row, SlotRef& s) {
    Place p = locate(row);
    if (p.kind != Kind::Bank || p.gap) return false;
    if (p.slot >= p.bank->count) {
      uint64_t count = p.slot + kSlotGrowth;
      if (count > kMaxSlots || !reserveSlots(*p.bank, uint32_t(count))) {
        cacheFull();
        return false;
      }
      p.bank->count = uint32_t(count);
    }
    s = {p.bank, uint32_t(p.slot)};
    return true;
  }

  bool swapRows(int32_t a, int32_t b) {
    SlotRef sa, sb;
    if (!ensureSlot(a, sa) || !ensureSlot(b, sb)) return false;
    if (!slotOf(a, sa)) return false;  // growing b's bank cannot move a, but be sure
    if (sa.bank == sb.bank && sa.slot == sb.slot) return true;
    std::swap(dataOf(sa), dataOf(sb));
    uint16_t fa = flagsOf(sa), fb = flagsOf(sb);
    writeFlags(sa, fb);
    writeFlags(sb, fa);
    return true;
  }

  void releaseAll() {
    for (Bank& b : banks) {
      for (int64_t s = b.index.findFirst(0, b.count, kRowPresent, 0); s >= 0;
           s = b.index.findFirst(uint32_t(s) + 1, b.count, kRowPresent, 0))
        if (b.data[uint32_t(s)]) memory.release(b.data[uint32_t(s)]);
      b.data.release(memory);
      b.flags.release(memory);
      b.index.release(memory);
      b.gaps.release(memory);
    }
    if (scratchData) memory.release(scratchData);
  }
};

// --- RowStore -----------------------------------------------------------------

RowStore* RowStore::create(RowStoreMemory& memory, RowStoreEvents& events, const RowStoreConfig& config) {
  void* storeBlock = memory.allocate(sizeof(RowStore));
  void* implBlock = memory.allocate(sizeof(Impl));
  if (!storeBlock || !implBlock) {
    if (storeBlock) memory.release(storeBlock);
    if (implBlock) memory.release(implBlock);
    return nullptr;
  }
  RowStore* store = new (storeBlock) RowStore;
  Impl& s = *(store->impl_ = new (implBlock) Impl(memory, events));
  uint64_t limit = uint64_t(config.rowCacheLimit) + 1;
  s.bufferLimit = config.rowCacheLimit ? uint32_t(std::min<uint64_t>(limit, kMaxBufferLimit)) : kDefaultBufferLimit;
  s.rawLimit = config.rowCacheLimit ? uint32_t(std::min<uint64_t>(limit, kMaxBufferLimit)) : 0;
  s.discard = config.discard;
  s.countOnlyDiscardable = config.countOnlyDiscardable;
  store->setColumnCount(config.columnCount);
  bool ok = true;
  for (Bank& b : s.banks) {
    ok = ok && s.reserveSlots(b, kInitialSlots);
    b.count = kInitialSlots;
  }
  s.scratchData = ok ? s.newBuffer() : nullptr;
  if (!s.scratchData) {
    destroy(store);
    return nullptr;
  }
  s.writeFlags(SlotRef{}, kRowPresent);
  return store;
}

void RowStore::destroy(RowStore* store) {
  if (!store) return;
  RowStoreMemory& memory = store->impl_->memory;
  store->impl_->releaseAll();
  store->impl_->~Impl();
  memory.release(store->impl_);
  store->~RowStore();
  memory.release(store);
}

uint32_t RowStore::bufferLimit() const { return impl_->bufferLimit; }
uint32_t RowStore::rawLimit() const { return impl_->rawLimit; }
uint32_t RowStore::allocatedCount() const { return impl_->allocated; }
uint32_t RowStore::discardableCount() const { return impl_->discardable; }
bool RowStore::discardMode() const { return impl_->discard; }
bool RowStore::countOnlyDiscardable() const { return impl_->countOnlyDiscardable; }
void RowStore::setCountOnlyDiscardable(bool on) { impl_->countOnlyDiscardable = on; }
bool RowStore::busy() const { return impl_->depth > 0; }

void RowStore::setColumnCount(int count) {
  impl_->initialSize = count > 0 ? uint32_t(std::min(count, 0x7FFF)) * 2 : 1;
}

uint32_t RowStore::slotCount(bool split) const { return impl_->banks[split].count; }
uint32_t RowStore::gapCount(bool split) const { return impl_->banks[split].gaps.size(); }

bool RowStore::hasSlot(int32_t row) const {
  SlotRef s;
  return impl_->slotOf(row, s);
}

bool RowStore::isGap(int32_t row) const {
  Impl::Place p = impl_->locate(row);
  return p.kind == Impl::Kind::Bank && p.gap;
}

uint16_t RowStore::flags(int32_t row) const {
  SlotRef s;
  return impl_->slotOf(row, s) ? impl_->flagsOf(s) : 0;
}

bool RowStore::setFlags(int32_t row, uint16_t flags) { return impl_->setFlags(row, flags); }

bool RowStore::changeFlags(int32_t row, uint16_t mask, bool on) {
  uint16_t f = flags(row);
  return impl_->setFlags(row, on ? f | mask : f & ~mask);
}

int32_t RowStore::insertRow(int32_t row, uint16_t flags) { return impl_->insertRow(row, flags); }
bool RowStore::deleteRow(int32_t row, bool keepNumbers) { return impl_->deleteRow(row, keepNumbers); }
bool RowStore::swapRows(int32_t a, int32_t b) { return impl_->swapRows(a, b); }

int32_t RowStore::findNext(int32_t row, uint16_t wanted, uint16_t excluded) const {
  return impl_->findNext(row, wanted, excluded);
}

int32_t RowStore::findPrev(int32_t row, uint16_t wanted, uint16_t excluded) const {
  return impl_->findPrev(row, wanted, excluded);
}

int RowStore::discardAround(int32_t row) { return impl_->discardAround(row); }

const uint8_t* RowStore::buffer(int32_t row, uint32_t* size) const {
  uint8_t** block = impl_->blockOf(row);
  if (size) *size = block ? usedOf(*block) : 0;
  return block ? cellsOf(*block) : nullptr;
}

bool RowStore::cell(int32_t row, int column, CellView& out) const {
  out = CellView();
  uint8_t** block = impl_->blockOf(row);
  if (!block || column < 0) return false;
  uint32_t missing;
  const uint8_t* cells = cellsOf(*block);
  CellPlace c = findCell(cells, usedOf(*block), uint32_t(column), &missing);
  if (!c.present) return true;
  out.value = cells + c.valueAt;
  out.length = c.length;
  out.modified = readWord(cells + c.lengthAt) & kCellModified;
  out.colored = c.colorAt != kNoColor;
  if (out.colored) std::memcpy(&out.color, cells + c.colorAt + 2, 4);
  return true;
}

bool RowStore::setCell(int32_t row, int column, const void* value, uint32_t length) {
  return impl_->writeCell(row, column, nullptr, 0, value, value ? length : 0);
}

bool RowStore::setCellModified(int32_t row, int column, bool modified) {
  uint8_t** block = impl_->blockOf(row);
  if (!block || column < 0) return false;
  CellPlace c;
  uint32_t missing;
  c = findCell(cellsOf(*block), usedOf(*block), uint32_t(column), &missing);
  if (!c.present && !modified) return true;
  if (!impl_->ensureCell(*block, uint32_t(column), c)) return false;
  uint8_t* at = cellsOf(*block) + c.lengthAt;
  uint16_t word = readWord(at);
  writeWord(at, modified ? word | kCellModified : word & ~kCellModified);
  return true;
}

bool RowStore::setCountedValue(int32_t row, int column, const void* value, uint32_t length) {
  length = value ? std::min(length, kMaxCellLength - kCountedHeader) : 0;
  uint8_t head[kCountedHeader] = {};
  writeWord(head + 2, uint16_t(length));
  return impl_->writeCell(row, column, head, kCountedHeader, value, length);
}

bool RowStore::countedValue(int32_t row, int column, const uint8_t** value, uint32_t* length) const {
  CellView c;
  if (!cell(row, column, c)) return false;
  *value = c.value;
  *length = 0;
  if (c.length >= kCountedHeader) {
    *value = c.value + kCountedHeader;
    *length = std::min<uint32_t>(readWord(c.value + 2), c.length - kCountedHeader);
  }
  return true;
}

bool RowStore::setCellColor(int32_t row, int column, uint32_t color, bool markRow) {
  uint8_t** block = impl_->blockOf(row);
  CellPlace c;
  if (!block || column < 0 || !impl_->ensureCell(*block, uint32_t(column), c)) return false;
  if (c.colorAt == kNoColor) {
    if (!impl_->splice(*block, c.lengthAt, 0, 6)) return false;
    c.colorAt = c.lengthAt;
    writeWord(cellsOf(*block) + c.colorAt, kCellColorPrefix);
  }
  std::memcpy(cellsOf(*block) + c.colorAt + 2, &color, 4);
  uint16_t f = flags(row);
  return !markRow || (f & kRowColored) || impl_->setFlags(row, f | kRowColored);
}

bool RowStore::clearCellColor(int32_t row, int column) {
  uint8_t** block = impl_->blockOf(row);
  if (!block || column < 0) return false;
  uint32_t missing;
  CellPlace c = findCell(cellsOf(*block), usedOf(*block), uint32_t(column), &missing);
  if (c.present && c.colorAt != kNoColor && !impl_->splice(*block, c.colorAt, 6, 0)) return false;
  uint16_t f = flags(row);
  if ((f & kRowColored) && !Impl::anyColor(*block)) return impl_->setFlags(row, f & ~kRowColored);
  return true;
}

}  // namespace gridwin
