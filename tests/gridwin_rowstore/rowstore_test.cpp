// The table window's row store, driven directly: numbering, banks, kept
// numbers, cells, cache limits and discards, structure changes, searches.
#include "harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

using namespace gridwin;
using namespace rowstore_test;

namespace rowstore_test {
void PrintTo(const Event& e, std::ostream* os) { *os << e.kind << e.row; }
}  // namespace rowstore_test

namespace {

constexpr int32_t S(int32_t i) { return kSplitRowBase + i; }  // split row i

class Store : public ::testing::Test {
 protected:
  void make(uint32_t limit = 0, bool discard = false, bool countOnly = false, int columns = 3) {
    if (store) RowStore::destroy(store);
    RowStoreConfig c;
    c.rowCacheLimit = limit;
    c.discard = discard;
    c.countOnlyDiscardable = countOnly;
    c.columnCount = columns;
    store = RowStore::create(memory, events, c);
    ASSERT_NE(store, nullptr);
  }
  void SetUp() override { make(); }
  void TearDown() override {
    RowStore::destroy(store);
    EXPECT_EQ(memory.live, 0) << "blocks leaked";
  }
  // Gives rows first..last buffers, each with its number as cell 0's text.
  void fill(int32_t first, int32_t last) {
    for (int32_t r = first; r <= last; ++r) {
      ASSERT_TRUE(store->setFlags(r, kRowPresent)) << r;
      std::string t = std::to_string(r);
      ASSERT_TRUE(store->setCell(r, 0, t.data(), uint32_t(t.size())));
    }
  }
  std::vector<Event> discards() const {
    std::vector<Event> d;
    for (const Event& e : events.log)
      if (e.kind == 'D') d.push_back(e);
    return d;
  }

  CountingMemory memory;
  RecordingEvents events;
  RowStore* store = nullptr;
};

// --- Numbering and banks ---------------------------------------------------------

TEST_F(Store, RowNumbersSelectBankAndSlot) {
  struct Case {
    int32_t row;
    bool ok;
    const char* what;
  } cases[] = {
      {0, true, "normal row 0"},
      {99, true, "last initial normal slot"},
      {S(0), true, "split row 0"},
      {S(5), true, "split row 5"},
      {kRowNone, true, "none is normal row 0"},
      {kRowScratch, true, "scratch"},
      {kSplitRowEmpty, false, "the empty split marker is no row"},
      {static_cast<int32_t>(0x80000001u), false, "below the split base"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store->setFlags(c.row, kRowSelected | kRowPresent), c.ok) << c.what;
    EXPECT_EQ(store->flags(c.row) != 0, c.ok) << c.what;
  }
  EXPECT_EQ(store->flags(0), kRowSelected | kRowPresent) << "kRowNone wrote normal row 0";
  EXPECT_EQ(store->flags(S(1)), 0) << "split rows are their own bank";
  EXPECT_EQ(store->flags(1), 0);
}

TEST_F(Store, ScratchRowHasABufferFromTheStart) {
  EXPECT_EQ(store->flags(kRowScratch), kRowPresent);
  EXPECT_EQ(store->allocatedCount(), 1u);
  EXPECT_EQ(store->discardableCount(), 1u);
  EXPECT_TRUE(store->setCell(kRowScratch, 1, "x", 1));
  EXPECT_EQ(text(*store, kRowScratch, 1), "x");
  EXPECT_FALSE(store->deleteRow(kRowScratch, false));
  EXPECT_EQ(store->insertRow(kRowScratch, 0), kRowScratch);
}

TEST_F(Store, SlotArraysStartAtHundredAndGrowToRowPlus51) {
  EXPECT_EQ(store->slotCount(false), 100u);
  EXPECT_EQ(store->slotCount(true), 100u);
  EXPECT_FALSE(store->hasSlot(150));
  EXPECT_TRUE(store->setFlags(150, 0)) << "clearing an absent row";
  EXPECT_EQ(store->slotCount(false), 100u) << "clearing creates nothing";
  EXPECT_TRUE(store->setFlags(150, kRowSelected));
  EXPECT_EQ(store->slotCount(false), 201u);
  EXPECT_TRUE(store->hasSlot(200));
  EXPECT_TRUE(store->setFlags(S(300), kRowSelected));
  EXPECT_EQ(store->slotCount(true), 351u);
}

TEST_F(Store, OtherFlagBitsAreKeptAsGiven) {
  EXPECT_TRUE(store->setFlags(7, 0x0FF0 | kRowKeepSelection));
  EXPECT_EQ(store->flags(7), 0x0FF0 | kRowKeepSelection);
  EXPECT_TRUE(store->changeFlags(7, 0x0010, false));
  EXPECT_EQ(store->flags(7), 0x0FE0 | kRowKeepSelection);
}

TEST_F(Store, ImpossibleRowNumbersFailCleanly) {
  EXPECT_FALSE(store->setFlags(kRowEnd, kRowSelected)) << "beyond any slot array";
  EXPECT_EQ(events.log, (std::vector<Event>{{'F', 0}})) << "slot growth failure reports a full cache";
  EXPECT_EQ(store->flags(kRowEnd), 0);
  EXPECT_EQ(store->flags(0x7FFFFFFF), 0);
}

// --- Searches ----------------------------------------------------------------

TEST_F(Store, FindNextAndPreviousAcrossBanks) {
  store->setFlags(S(2), kRowSelected);
  store->setFlags(S(7), kRowSelected | kRowHidden);
  store->setFlags(3, kRowSelected);
  store->setFlags(40, kRowSelected | kRowHidden);
  store->setFlags(90, kRowSelected);
  struct Case {
    bool next;
    int32_t from;
    uint16_t wanted, excluded;
    int32_t expect;
  } cases[] = {
      {true, kRowNone, kRowSelected, 0, 3},
      {true, 3, kRowSelected, 0, 40},
      {true, 3, kRowSelected, kRowHidden, 90},
      {true, 90, kRowSelected, 0, kRowScratch},
      {true, S(0), kRowSelected, 0, S(2)},
      {true, S(2), kRowSelected, kRowHidden, 3},  // leaves the split area for normal row 0 on
      {true, kSplitRowEmpty, kRowSelected, 0, S(2)},
      {true, kRowEnd, kRowSelected, 0, kRowScratch},
      {true, 5, 0, 0, 6},                           // any row with a slot
      {true, 98, 0, 0, 99},
      {true, 99, 0, 0, kRowScratch},                // slot 100 does not exist
      {true, 5, 0, kRowHidden | kRowSelected, 6},
      {false, kRowEnd, kRowSelected, 0, 90},
      {false, kRowEnd, 0, 0, 99},                   // the last slot
      {false, 90, kRowSelected, kRowHidden, 3},
      {false, 3, kRowSelected, 0, S(7)},            // below normal row 0: the last split rows
      {false, 3, kRowSelected, kRowHidden, S(2)},
      {false, S(2), kRowSelected, 0, kRowScratch},
      {false, kRowNone, kRowSelected, 0, S(7)},
      {false, 0, 0, 0, S(99)},
      {false, kRowScratch, 0, 0, kRowScratch},
      {true, kRowScratch, 0, 0, kRowScratch},
  };
  for (const Case& c : cases) {
    int32_t got = c.next ? store->findNext(c.from, c.wanted, c.excluded) : store->findPrev(c.from, c.wanted, c.excluded);
    EXPECT_EQ(got, c.expect) << (c.next ? "next" : "prev") << " from " << c.from << " w " << c.wanted << " x "
                             << c.excluded;
  }
}

TEST_F(Store, FindWorksOverAMillionSlotsWithFewMatches) {
  store->setFlags(999'999, kRowSelected);
  store->setFlags(500'000, kRowSelected);
  store->setFlags(4'095, kRowSelected);
  store->setFlags(4'096, kRowSelected | kRowHidden);
  EXPECT_EQ(store->findNext(kRowNone, kRowSelected, 0), 4'095);
  EXPECT_EQ(store->findNext(4'095, kRowSelected, 0), 4'096);
  EXPECT_EQ(store->findNext(4'095, kRowSelected, kRowHidden), 500'000);
  EXPECT_EQ(store->findNext(500'000, kRowSelected, 0), 999'999);
  EXPECT_EQ(store->findPrev(kRowEnd, kRowSelected, 0), 999'999);
  EXPECT_EQ(store->findPrev(999'999, kRowSelected, 0), 500'000);
  EXPECT_EQ(store->findPrev(500'000, kRowSelected, kRowHidden), 4'095);
  EXPECT_EQ(store->findPrev(kRowEnd, 0, 0), 999'999 + 50);
  // Everything hidden but one row: the search for a visible one skips the rest.
  for (int32_t r = 0; r < 10'000; ++r) store->changeFlags(r, kRowHidden, true);
  store->changeFlags(9'000, kRowHidden, false);
  EXPECT_EQ(store->findNext(kRowNone, 0, kRowHidden), 9'000);
  EXPECT_EQ(store->findPrev(9'999, 0, kRowHidden), 9'000);
}

// --- Kept numbers (gaps) --------------------------------------------------------

TEST_F(Store, DeleteKeepingNumbersLeavesAGap) {
  fill(0, 9);
  ASSERT_TRUE(store->deleteRow(5, true));
  EXPECT_EQ(text(*store, 6, 0), "6") << "row 6 is still row 6";
  EXPECT_EQ(text(*store, 4, 0), "4");
  EXPECT_TRUE(store->isGap(5));
  EXPECT_EQ(store->flags(5), 0) << "row 5 reports as discarded";
  EXPECT_FALSE(store->setFlags(5, kRowPresent));
  EXPECT_FALSE(store->deleteRow(5, false));
  EXPECT_EQ(store->insertRow(5, 0), kRowScratch) << "no insertion into a gap";
  EXPECT_EQ(store->findNext(4, kRowPresent, 0), 6);
  EXPECT_EQ(store->findPrev(6, kRowPresent, 0), 4);
  EXPECT_EQ(store->findNext(5, kRowPresent, 0), 6) << "a search may start inside a gap";
  EXPECT_EQ(store->findPrev(5, kRowPresent, 0), 4);
}

TEST_F(Store, GapsMergeAndMoveWithTheRows) {
  fill(0, 19);
  store->deleteRow(5, true);
  store->deleteRow(6, true);   // next to the first gap: one gap 5..6
  store->deleteRow(4, true);   // just before it: one gap 4..6
  EXPECT_EQ(store->gapCount(false), 1u);
  for (int32_t r : {4, 5, 6}) EXPECT_TRUE(store->isGap(r)) << r;
  EXPECT_EQ(text(*store, 7, 0), "7");
  store->deleteRow(10, true);
  EXPECT_EQ(store->gapCount(false), 2u);
  // A plain delete before both gaps moves every later number down by one.
  store->deleteRow(1, false);
  EXPECT_EQ(text(*store, 1, 0), "2");
  for (int32_t r : {3, 4, 5, 9}) EXPECT_TRUE(store->isGap(r)) << r;
  EXPECT_EQ(text(*store, 6, 0), "7");
  EXPECT_EQ(text(*store, 10, 0), "11");
  // An insertion moves the later gaps up again.
  EXPECT_EQ(store->insertRow(1, 0), 1);
  EXPECT_EQ(text(*store, 2, 0), "2");
  for (int32_t r : {4, 5, 6, 10}) EXPECT_TRUE(store->isGap(r)) << r;
  EXPECT_EQ(text(*store, 11, 0), "11");
}

TEST_F(Store, PlainDeleteBetweenTwoGapsJoinsThem) {
  fill(0, 9);
  store->deleteRow(3, true);
  store->deleteRow(5, true);
  EXPECT_EQ(store->gapCount(false), 2u);
  ASSERT_TRUE(store->deleteRow(4, false));
  EXPECT_EQ(store->gapCount(false), 1u);
  EXPECT_TRUE(store->isGap(3));
  EXPECT_TRUE(store->isGap(4));
  EXPECT_EQ(text(*store, 5, 0), "6");
}

TEST_F(Store, SplitBankHasItsOwnGaps) {
  fill(S(0), S(4));
  fill(0, 4);
  store->deleteRow(S(1), true);
  EXPECT_TRUE(store->isGap(S(1)));
  EXPECT_FALSE(store->isGap(1));
  EXPECT_EQ(text(*store, S(2), 0), std::to_string(S(2)));
  EXPECT_EQ(store->findNext(S(0), kRowPresent, 0), S(2));
}

// --- Cells ---------------------------------------------------------------------

TEST_F(Store, NewBufferHoldsOneEmptyCellPerColumn) {
  store->setFlags(0, kRowPresent);
  uint32_t size;
  const uint8_t* b = store->buffer(0, &size);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::vector<uint8_t>(b, b + size), std::vector<uint8_t>(6, 0));
  EXPECT_EQ(store->buffer(1, &size), nullptr);
  EXPECT_EQ(size, 0u);
}

TEST_F(Store, CellsAreEncodedInPlace) {
  store->setFlags(0, kRowPresent);
  ASSERT_TRUE(store->setCell(0, 1, "abc", 3));
  ASSERT_TRUE(store->setCellModified(0, 1, true));
  ASSERT_TRUE(store->setCellColor(0, 2, 0x00112233, true));
  uint32_t size;
  const uint8_t* b = store->buffer(0, &size);
  std::vector<uint8_t> expect = {0, 0,                                  // cell 0 empty
                                 3, 0x80, 'a', 'b', 'c',                // cell 1, modified
                                 0x01, 0x7F, 0x33, 0x22, 0x11, 0x00,   // colour prefix of cell 2
                                 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(b, b + size), expect);
  EXPECT_EQ(store->flags(0), kRowPresent | kRowColored);
  CellView c;
  ASSERT_TRUE(store->cell(0, 2, c));
  EXPECT_TRUE(c.colored);
  EXPECT_EQ(c.color, 0x00112233u);
  ASSERT_TRUE(store->cell(0, 1, c));
  EXPECT_TRUE(c.modified);
  // Replacing the value keeps the modified bit and the neighbours.
  ASSERT_TRUE(store->setCell(0, 1, "xy", 2));
  ASSERT_TRUE(store->cell(0, 1, c));
  EXPECT_TRUE(c.modified);
  EXPECT_EQ(text(*store, 0, 1), "xy");
  ASSERT_TRUE(store->cell(0, 2, c));
  EXPECT_TRUE(c.colored);
}

TEST_F(Store, CellColorMarksTheRowUntilTheLastColourGoes) {
  store->setFlags(0, kRowPresent);
  store->setCellColor(0, 0, 1, true);
  store->setCellColor(0, 1, 2, true);
  store->clearCellColor(0, 0);
  EXPECT_TRUE(store->flags(0) & kRowColored) << "another cell is still coloured";
  store->clearCellColor(0, 1);
  EXPECT_FALSE(store->flags(0) & kRowColored);
  store->setCellColor(0, 1, 2, false);
  EXPECT_FALSE(store->flags(0) & kRowColored) << "asked not to mark the row";
}

TEST_F(Store, PrefixesOtherThanColourAreSkipped) {
  store->setFlags(0, kRowPresent);
  store->setCell(0, 0, "a", 1);
  uint32_t size;
  uint8_t* b = const_cast<uint8_t*>(store->buffer(0, &size));
  // Turn cell 2's empty length word into a foreign prefix followed by... the
  // buffer end: the cell then reads as missing, and setting it appends.
  b[size - 2] = 0x05;
  b[size - 1] = 0x7F;
  EXPECT_EQ(text(*store, 0, 2), "");
  ASSERT_TRUE(store->setCell(0, 2, "zz", 2));
  EXPECT_EQ(text(*store, 0, 2), "zz");
  EXPECT_EQ(text(*store, 0, 0), "a");
}

TEST_F(Store, CountedValuesCarryTheirLengthInTheHeader) {
  store->setFlags(0, kRowPresent);
  ASSERT_TRUE(store->setCountedValue(0, 1, "\x01\x02\x00\x04", 4));
  const uint8_t* v;
  uint32_t n;
  ASSERT_TRUE(store->countedValue(0, 1, &v, &n));
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(std::memcmp(v, "\x01\x02\x00\x04", 4), 0);
  CellView c;
  store->cell(0, 1, c);
  EXPECT_EQ(c.length, 8u);
  EXPECT_EQ(c.value[2], 4);
  ASSERT_TRUE(store->countedValue(0, 0, &v, &n));
  EXPECT_EQ(n, 0u) << "an empty cell has no counted value";
  EXPECT_FALSE(store->countedValue(1, 0, &v, &n)) << "no buffer";
}

TEST_F(Store, CellLengthsAreCapped) {
  store->setFlags(0, kRowPresent);
  std::string big(40000, 'q');
  ASSERT_TRUE(store->setCell(0, 0, big.data(), uint32_t(big.size())));
  CellView c;
  store->cell(0, 0, c);
  EXPECT_EQ(c.length, kMaxCellLength);
  ASSERT_TRUE(store->setCountedValue(0, 1, big.data(), uint32_t(big.size())));
  const uint8_t* v;
  uint32_t n;
  store->countedValue(0, 1, &v, &n);
  EXPECT_EQ(n, kMaxCellLength - 4);
  EXPECT_EQ(text(*store, 0, 2), "") << "the next cell is intact";
}

TEST_F(Store, ValueFromTheSameBufferIsCopiedFirst) {
  store->setFlags(0, kRowPresent);
  store->setCell(0, 0, "hello", 5);
  CellView c;
  store->cell(0, 0, c);
  ASSERT_TRUE(store->setCell(0, 1, c.value, c.length));
  EXPECT_EQ(text(*store, 0, 1), "hello");
  store->cell(0, 1, c);
  ASSERT_TRUE(store->setCell(0, 1, c.value + 1, 3));  // overlapping itself
  EXPECT_EQ(text(*store, 0, 1), "ell");
}

TEST_F(Store, ColumnsAddedLaterReadEmptyAndGrowTheBuffer) {
  store->setFlags(0, kRowPresent);
  store->setColumnCount(5);
  EXPECT_EQ(text(*store, 0, 4), "");
  ASSERT_TRUE(store->setCell(0, 4, "e", 1));
  EXPECT_EQ(text(*store, 0, 4), "e");
  uint32_t size;
  store->buffer(0, &size);
  EXPECT_EQ(size, 11u);
  store->setFlags(1, kRowPresent);
  store->buffer(1, &size);
  EXPECT_EQ(size, 10u) << "new buffers have the new column count";
  EXPECT_FALSE(store->setCell(0, -1, "x", 1));
  EXPECT_FALSE(store->setCell(2, 0, "x", 1)) << "no buffer";
}

TEST_F(Store, ClearingEditedClearsEveryModifiedBit) {
  store->setFlags(0, kRowPresent | kRowEdited);
  store->setCellModified(0, 0, true);
  store->setCellModified(0, 2, true);
  store->changeFlags(0, kRowEdited, false);
  for (int col = 0; col < 3; ++col) {
    CellView c;
    store->cell(0, col, c);
    EXPECT_FALSE(c.modified) << col;
  }
}

TEST_F(Store, ClearingPresentFreesTheBuffer) {
  fill(0, 4);
  EXPECT_EQ(store->allocatedCount(), 6u);
  store->changeFlags(2, kRowPresent, false);
  EXPECT_EQ(store->allocatedCount(), 5u);
  EXPECT_EQ(text(*store, 2, 0), "<no buffer>");
  store->changeFlags(2, kRowPresent, true);
  EXPECT_EQ(text(*store, 2, 0), "") << "a fresh, empty buffer";
}

// --- Cache limits --------------------------------------------------------------

TEST_F(Store, DefaultLimitIsHundredBuffersScratchIncluded) {
  EXPECT_EQ(store->bufferLimit(), 100u);
  EXPECT_EQ(store->rawLimit(), 0u);
  for (int32_t r = 0; r < 99; ++r) ASSERT_TRUE(store->setFlags(r, kRowPresent)) << r;
  EXPECT_TRUE(events.log.empty());
  EXPECT_FALSE(store->setFlags(99, kRowPresent)) << "the 101st buffer";
  EXPECT_EQ(events.log, (std::vector<Event>{{'F', 0}}));
  EXPECT_EQ(store->flags(99), 0) << "transient mark cleared again";
  EXPECT_EQ(store->allocatedCount(), 100u);
}

TEST_F(Store, LimitsFromTheConfiguredCacheSize) {
  struct Case {
    uint32_t rowCacheLimit, buffers, raw;
  } cases[] = {{0, 100, 0}, {1, 2, 2}, {50, 51, 51}, {0xFFFF, 0x10000, 0x10000}, {0xFFFFFFFF, 0x7FFF1591, 0x7FFF1591}};
  for (const Case& c : cases) {
    make(c.rowCacheLimit);
    EXPECT_EQ(store->bufferLimit(), c.buffers) << c.rowCacheLimit;
    EXPECT_EQ(store->rawLimit(), c.raw) << c.rowCacheLimit;
  }
}

TEST_F(Store, CountOnlyDiscardableLetsKeptRowsThrough) {
  make(5, false, true);
  // Scratch + 5 discardable rows reach the limit of 6.
  fill(0, 4);
  EXPECT_FALSE(store->setFlags(5, kRowPresent));
  events.log.clear();
  // Marking rows edited makes them not count: room for more.
  store->changeFlags(0, kRowEdited, true);
  store->changeFlags(1, kRowNew, true);
  EXPECT_EQ(store->discardableCount(), 4u);
  EXPECT_TRUE(store->setFlags(5, kRowPresent));
  EXPECT_TRUE(store->setFlags(6, kRowPresent));
  EXPECT_FALSE(store->setFlags(7, kRowPresent));
  EXPECT_EQ(store->allocatedCount(), 8u);
  // The same store counting every buffer refuses at once.
  store->setCountOnlyDiscardable(false);
  store->changeFlags(2, kRowEdited, true);
  EXPECT_FALSE(store->setFlags(8, kRowPresent));
}

TEST_F(Store, CacheFullHandlerCanMakeRoom) {
  make(3, true);
  fill(0, 2);  // scratch + 3 = limit 4
  for (int32_t r = 0; r <= 2; ++r) store->changeFlags(r, kRowEdited, true);
  // Nothing is discardable: the host saves its edits when told the cache is full.
  events.onCacheFull = [&] { store->changeFlags(1, kRowEdited, false); };
  ASSERT_TRUE(store->setFlags(3, kRowPresent));
  EXPECT_EQ(events.log, (std::vector<Event>{{'F', 0}, {'D', 1}}));
  EXPECT_EQ(store->flags(1), 0);
}

TEST_F(Store, AllocationFailureIsReportedAndLeavesTheRowAlone) {
  store->setFlags(4, kRowSelected);
  memory.failAfter = 0;
  EXPECT_FALSE(store->setFlags(4, kRowSelected | kRowPresent));
  EXPECT_EQ(events.log, (std::vector<Event>{{'F', 0}}));
  EXPECT_EQ(store->flags(4), kRowSelected);
  memory.failAfter = -1;
  EXPECT_TRUE(store->setFlags(4, kRowSelected | kRowPresent));
  store->setCell(4, 0, "abc", 3);
  memory.failAfter = 0;
  EXPECT_FALSE(store->setCell(4, 0, "abcdefgh", 8)) << "growing the buffer fails";
  EXPECT_EQ(text(*store, 4, 0), "abc") << "the old value stays";
  memory.failAfter = -1;
}

TEST_F(Store, CreationFailsCleanlyWhenMemoryIsShort) {
  for (long n = 0; n < 40; ++n) {
    CountingMemory m;
    m.failAfter = n;
    RowStore* s = RowStore::create(m, events, RowStoreConfig());
    if (s) {
      RowStore::destroy(s);
      EXPECT_GT(n, 2);
    }
    EXPECT_EQ(m.live, 0) << n;
  }
}

// --- Discards ------------------------------------------------------------------

TEST_F(Store, DiscardingNearTheEndDropsTheOldestRowsFirst) {
  make(30, true);
  fill(0, 29);  // 31 buffers with the scratch row
  events.log.clear();
  ASSERT_TRUE(store->setFlags(30, kRowPresent));
  // n = min(25, 31 / 3) = 10, from the top.
  std::vector<Event> expect;
  for (int32_t r = 0; r < 10; ++r) expect.push_back({'D', r});
  EXPECT_EQ(events.log, expect);
  EXPECT_EQ(store->allocatedCount(), 22u);
  EXPECT_EQ(store->flags(0), 0);
  EXPECT_EQ(text(*store, 10, 0), "10");
}

TEST_F(Store, DiscardingNearTheTopDropsTheBottomRowsFirst) {
  make(30, true);
  fill(100, 129);
  events.log.clear();
  ASSERT_TRUE(store->setFlags(99, kRowPresent));
  std::vector<Event> expect;
  for (int32_t r = 129; r > 119; --r) expect.push_back({'D', r});
  EXPECT_EQ(events.log, expect);
}

TEST_F(Store, BackwardDiscardsContinueIntoTheSplitRows) {
  make(8, true);
  fill(S(0), S(3));
  fill(50, 53);  // 9 buffers
  events.log.clear();
  ASSERT_TRUE(store->setFlags(10, kRowPresent));  // no discardable row before row 10
  EXPECT_EQ(events.log, (std::vector<Event>{{'D', 53}, {'D', 52}, {'D', 51}}));
  // Only split rows discardable: the walk from the bottom reaches them.
  store->changeFlags(10, kRowEdited, true);
  store->changeFlags(50, kRowEdited, true);
  store->setFlags(11, kRowPresent | kRowEdited);
  store->setFlags(12, kRowPresent | kRowEdited);
  events.log.clear();
  ASSERT_TRUE(store->setFlags(13, kRowPresent));
  EXPECT_EQ(events.log, (std::vector<Event>{{'D', S(3)}, {'D', S(2)}, {'D', S(1)}}));
}

TEST_F(Store, KeptRowsAreNeverDiscarded) {
  make(6, true);
  fill(0, 5);
  store->changeFlags(0, kRowEdited, true);
  store->changeFlags(1, kRowNew, true);
  store->setCellColor(2, 0, 0xFF, true);
  events.log.clear();
  ASSERT_TRUE(store->setFlags(6, kRowPresent));
  // n = max(1, min(25, 7 / 3)) = 2; rows 0-2 are skipped.
  EXPECT_EQ(events.log, (std::vector<Event>{{'D', 3}, {'D', 4}}));
  for (int32_t r = 0; r < 3; ++r) EXPECT_TRUE(store->flags(r) & kRowPresent) << r;
}

TEST_F(Store, HostMayKeepARowWhenToldItIsDiscarded) {
  make(6, true);
  fill(0, 5);
  events.onDiscard = [&](int32_t row) {
    if (row == 0) store->changeFlags(0, kRowEdited, true);
  };
  ASSERT_TRUE(store->setFlags(6, kRowPresent));
  EXPECT_EQ(discards(), (std::vector<Event>{{'D', 0}, {'D', 1}, {'D', 2}}));
  EXPECT_EQ(text(*store, 0, 0), "0");
  EXPECT_EQ(store->flags(1), 0);
}

TEST_F(Store, WithoutDiscardModeNothingIsDropped) {
  make(4, false);
  fill(0, 3);
  EXPECT_EQ(store->discardAround(3), 0);
  EXPECT_FALSE(store->setFlags(4, kRowPresent));
  EXPECT_EQ(events.log, (std::vector<Event>{{'F', 0}}));
}

TEST_F(Store, TinyLimitsStillMakeRoom) {
  make(1, true);  // scratch + one row
  fill(0, 0);
  ASSERT_TRUE(store->setFlags(1, kRowPresent));
  EXPECT_EQ(events.log, (std::vector<Event>{{'D', 0}}));
}

TEST_F(Store, BusyWhileAnEventIsDelivered) {
  make(3, true);
  fill(0, 2);
  bool sawBusy = false;
  events.onDiscard = [&](int32_t) { sawBusy = store->busy(); };
  EXPECT_FALSE(store->busy());
  store->setFlags(3, kRowPresent);
  EXPECT_TRUE(sawBusy);
  EXPECT_FALSE(store->busy());
}

TEST_F(Store, TransientMarkIsVisibleDuringTheCacheFullEvent) {
  make(2, false);
  fill(0, 1);
  uint16_t seen = 0;
  events.onCacheFull = [&] { seen = store->flags(5); };
  EXPECT_FALSE(store->setFlags(5, kRowPresent | kRowSelected));
  EXPECT_EQ(seen, kRowTransient);
  EXPECT_EQ(store->flags(5), 0);
}

// --- Insert, delete, swap -----------------------------------------------------------

TEST_F(Store, InsertMovesLaterRowsUp) {
  fill(0, 4);
  store->changeFlags(3, kRowHidden, true);
  EXPECT_EQ(store->insertRow(2, kRowNew), 2);
  EXPECT_EQ(store->flags(2), kRowNew | kRowPresent);
  EXPECT_EQ(text(*store, 2, 0), "");
  EXPECT_EQ(text(*store, 3, 0), "2");
  EXPECT_EQ(text(*store, 5, 0), "4");
  EXPECT_EQ(store->findNext(kRowNone, kRowHidden, 0), 4) << "the hidden row moved with its slot";
  EXPECT_EQ(store->slotCount(false), 101u);
  EXPECT_EQ(store->insertRow(S(0), kRowNew), S(0));
  EXPECT_EQ(store->slotCount(true), 101u);
  EXPECT_EQ(store->insertRow(150, kRowNew), 150) << "past the last slot";
  EXPECT_EQ(store->slotCount(false), 151u);
}

TEST_F(Store, InsertFailsWhenNoBufferCanBeHad) {
  make(2, false);
  fill(0, 1);
  events.log.clear();
  EXPECT_EQ(store->insertRow(1, kRowNew), kRowScratch);
  EXPECT_EQ(events.log, (std::vector<Event>{{'F', 0}}));
  EXPECT_EQ(text(*store, 1, 0), "1") << "the row moved back";
  EXPECT_EQ(store->slotCount(false), 100u);
}

TEST_F(Store, DeleteMovesLaterRowsDown) {
  fill(0, 4);
  store->changeFlags(3, kRowHidden, true);
  store->changeFlags(1, kRowHidden, true);
  ASSERT_TRUE(store->deleteRow(1, false));
  EXPECT_EQ(text(*store, 1, 0), "2");
  EXPECT_EQ(store->findNext(kRowNone, kRowHidden, 0), 2);
  EXPECT_EQ(store->findNext(2, kRowHidden, 0), kRowScratch);
  EXPECT_EQ(store->allocatedCount(), 5u);
  EXPECT_EQ(store->slotCount(false), 99u);
  EXPECT_TRUE(store->deleteRow(500, false)) << "a row without a slot";
}

TEST_F(Store, SwapExchangesDataAndFlags) {
  fill(0, 4);
  store->changeFlags(1, kRowHidden | kRowEdited, true);
  ASSERT_TRUE(store->swapRows(1, 3));
  EXPECT_EQ(text(*store, 1, 0), "3");
  EXPECT_EQ(text(*store, 3, 0), "1");
  EXPECT_EQ(store->flags(3), kRowPresent | kRowHidden | kRowEdited);
  EXPECT_EQ(store->flags(1), kRowPresent);
  EXPECT_EQ(store->findNext(kRowNone, kRowHidden, 0), 3);
  EXPECT_EQ(store->discardableCount(), 5u);
  ASSERT_TRUE(store->swapRows(3, S(2)));
  EXPECT_EQ(store->findNext(kRowNone, kRowHidden, 0), kRowScratch);
  EXPECT_EQ(store->findNext(S(0), kRowHidden, 0), S(2));
  EXPECT_TRUE(store->swapRows(2, 2));
  EXPECT_FALSE(store->swapRows(2, kRowScratch));
}

// --- Open-ended ranges and pending rows --------------------------------------------

class FakeRange : public OpenRangeHost {
 public:
  int fetchRow(int32_t row) override {
    fetched.push_back(row);
    if (row >= total) return 0;
    if (vanishing > 0) {
      --vanishing;
      --total;
      return 2;
    }
    highest = row;
    return 1;
  }
  int32_t highestFetched() const override { return highest; }
  void setKnownRows(int32_t count) override { known.push_back(count); }

  int32_t total = 0, highest = -1;
  int vanishing = 0;
  std::vector<int32_t> fetched, known;
};

TEST(OpenRange, FetchesUpToTheRowOneAtATime) {
  FakeRange host;
  host.total = 10;
  host.vanishing = 1;
  EXPECT_TRUE(fetchOpenRangeTo(host, 3));
  EXPECT_EQ(host.fetched, (std::vector<int32_t>{0, 0, 1, 2, 3})) << "a vanished row is asked for again";
  EXPECT_FALSE(fetchOpenRangeTo(host, 20));
  EXPECT_EQ(host.highest, 8);
  EXPECT_TRUE(fetchOpenRangeTo(host, 5)) << "already known";
}

TEST(OpenRange, RecountGrowsAPageAtATime) {
  FakeRange host;
  host.total = 25;
  recountOpenRange(host, 10);
  EXPECT_EQ(host.known, (std::vector<int32_t>{12, 22, 32, 25}));
  EXPECT_EQ(host.highest, 24);
}

TEST(PendingRowsTest, ListsEachRowOnceInArrivalOrder) {
  CountingMemory memory;
  {
    PendingRows pending(memory);
    EXPECT_TRUE(pending.empty());
    for (int32_t r : {5, 3, 5, 9}) EXPECT_TRUE(pending.add(r));
    int32_t r;
    std::vector<int32_t> got;
    while (pending.pop(r)) {
      got.push_back(r);
      if (r == 3) pending.add(11);
    }
    EXPECT_EQ(got, (std::vector<int32_t>{5, 3, 9, 11}));
    pending.add(1);
  }
  EXPECT_EQ(memory.live, 0);
}

}  // namespace
