// The table window's row store: which rows exist, their flags, their data
// buffers and the cache policy that keeps the number of buffers bounded.
//
// Pure logic, no windows.h: the window layer owns one RowStore per active
// table, passes every row as its external number (the number the host
// uses) and turns the store's events into notifications.
//
// Row numbers. Normal rows are 0, 1, 2 ...; split rows are numbered from
// kSplitRowBase upwards. kRowNone stands before normal row 0 (forward
// searches from it begin at normal row 0; as a row it is normal row 0);
// kRowEnd stands after the last row (backward searches from it begin at the
// last slot); kRowScratch is the spare row outside both banks and also the
// "no row" answer. Other values below kSplitRowBase are not rows: every
// operation on them fails or answers 0. In overall order the split rows
// come first, then the normal rows.
//
// Kept numbers. Deleting a row with keepNumbers leaves its number unused;
// the later rows keep theirs. A number in such a gap is "discarded": it has
// no flags and no data, and the window's fetch answers 2 for it (isGap).
//
// Slots. Each bank (normal, split) holds slots 0 .. slotCount-1; a slot
// carries flags and, with kRowPresent, a row buffer. Slots exist for the
// first 100 rows of each bank; setting flags on a later row grows the bank
// to that row + 51. Searches see every slot, including ones never used
// (their flags are 0): the window keeps their results inside its range.
//
// Re-entry. Events (rowDiscarded, cacheFull) call back into the window,
// which may send them on to the host; the host may call back into the
// store from there (set flags, read cells, even insert or delete rows).
// The store stays consistent through that. It must not be destroyed while
// busy() is true: the window refuses or defers its resets until then.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gridwin {

// --- Row numbers ----------------------------------------------------------

constexpr int32_t kSplitRowBase = static_cast<int32_t>(0x8000EA72u);
constexpr int32_t kRowNone = static_cast<int32_t>(0x8000EA70u);
constexpr int32_t kSplitRowEmpty = static_cast<int32_t>(0x8000EA71u);  // splitLast of an empty split area
constexpr int32_t kRowEnd = 0x7FFF1590;
constexpr int32_t kRowScratch = static_cast<int32_t>(0x80000000u);

// --- Row flags --------------------------------------------------------------

constexpr uint16_t kRowPresent = 0x0001;        // a buffer is attached
constexpr uint16_t kRowSelected = 0x0002;
constexpr uint16_t kRowEdited = 0x0004;         // clearing it clears every cell's modified bit
constexpr uint16_t kRowNew = 0x0008;
constexpr uint16_t kRowColored = 0x1000;
constexpr uint16_t kRowHidden = 0x2000;
constexpr uint16_t kRowKeepSelection = 0x4000;
constexpr uint16_t kRowTransient = 0x8000;      // set while the store changes the slot
constexpr uint16_t kRowKept = kRowEdited | kRowNew | kRowColored;  // never discarded

// --- Cell encoding ----------------------------------------------------------

constexpr uint16_t kCellColorPrefix = 0x7F01;   // followed by a 4-byte COLORREF
constexpr uint16_t kCellModified = 0x8000;      // bit 15 of the length word
constexpr uint32_t kMaxCellLength = 0x7F00;     // bits 0-14 of the length word
constexpr uint32_t kCountedHeader = 4;          // data-type-1 cells: {u16, u16 length}, then the value

// --- What the store needs from its surroundings -----------------------------

// Blocks for slots, buffers and indexes. The DLL plugs in the host tools
// allocator (or the table's hook slots 17/18); natively mallocMemory().
class RowStoreMemory {
 public:
  // A block of `size` bytes (contents need not be zeroed), or null.
  // Sizes above 0x7FFFFFFF are never asked for.
  virtual void* allocate(uint32_t size) = 0;
  // The block resized (a null block allocates); null on failure, the old
  // block then intact.
  virtual void* reallocate(void* block, uint32_t size) = 0;
  virtual void release(void* block) = 0;

 protected:
  ~RowStoreMemory() = default;
};

// malloc/realloc/free.
RowStoreMemory& mallocMemory();

// What the store reports. The window sends the notifications (or calls
// hook slot 10), honouring its "no notifications" state bit.
class RowStoreEvents {
 public:
  // TBLN_ROWDISCARDED: the row's buffer is about to be dropped (it is freed
  // when this returns, unless the row was meanwhile marked kRowKept).
  virtual void rowDiscarded(int32_t row) = 0;
  // TBLN_CACHEFULL: no buffer could be given; one more discard and retry
  // follow when this returns.
  virtual void cacheFull() = 0;

 protected:
  ~RowStoreEvents() = default;
};

struct RowStoreConfig {
  uint32_t rowCacheLimit = 0;        // 0: the default of 100 buffers
  bool discard = false;              // internal table bit 0x2
  bool countOnlyDiscardable = false; // internal table bit 0x80000
  int columnCount = 0;
};

// A cell as it stands in a row buffer. `value` points into the buffer and
// is valid until the row's buffer next changes.
struct CellView {
  const uint8_t* value = nullptr;
  uint32_t length = 0;
  bool modified = false;
  bool colored = false;
  uint32_t color = 0;
};

class RowStore {
 public:
  // The store with its scratch row (which gets its buffer at once), or null
  // when memory is short.
  static RowStore* create(RowStoreMemory& memory, RowStoreEvents& events, const RowStoreConfig& config);
  // Frees every buffer, slot array, gap list and the store itself.
  static void destroy(RowStore* store);

  // --- Cache limits and counts ---------------------------------------------
  // Buffer limit: rowCacheLimit + 1, or 100 for 0, at most 0x7FFF1591.
  uint32_t bufferLimit() const;
  // rowCacheLimit + 1, or 0 for 0 (as configured).
  uint32_t rawLimit() const;
  uint32_t allocatedCount() const;    // buffers, the scratch row's included
  uint32_t discardableCount() const;  // buffers of rows without kRowKept
  bool discardMode() const;
  bool countOnlyDiscardable() const;
  void setCountOnlyDiscardable(bool on);   // TBLM_SETCACHECOUNTMODE
  // New buffers get one empty cell per column; old ones read missing cells
  // as empty and grow when such a cell is set.
  void setColumnCount(int count);
  // True while an event is being delivered.
  bool busy() const;

  // --- Rows and flags -----------------------------------------------------------
  // Slot count of a bank (split: the split bank) — for the debug dump.
  uint32_t slotCount(bool split) const;
  uint32_t gapCount(bool split) const;
  bool hasSlot(int32_t row) const;
  // The row's number lies in a gap left by a deletion with kept numbers.
  bool isGap(int32_t row) const;
  // 0 for rows without a slot, in a gap or not rows at all.
  uint16_t flags(int32_t row) const;
  // Stores exactly `flags`. Setting kRowPresent gives the row an empty
  // buffer: when the cache is full, rows around this one are discarded and
  // the allocation retried; then cacheFull() is reported, rows discarded
  // and the allocation retried once more. Clearing it frees the buffer.
  // False (flags unchanged) when the row cannot have a slot or no buffer
  // could be had.
  bool setFlags(int32_t row, uint16_t flags);
  // setFlags with `mask` set or cleared.
  bool changeFlags(int32_t row, uint16_t mask, bool on);

  // --- Structure -------------------------------------------------------------
  // Inserts a row before `row` (a normal or split row; the window turns
  // "append" into rangeLast + 1 and "first split row" into kSplitRowBase)
  // with `flags` | kRowPresent. Later rows move up by one. Returns the new
  // row's number, or kRowScratch when no buffer could be had or the number
  // lies in a gap.
  int32_t insertRow(int32_t row, uint16_t flags);
  // Removes the row (its buffer freed). Without keepNumbers later rows move
  // down by one; with it their numbers stay and this one becomes a gap.
  // False for numbers in a gap and for non-rows.
  bool deleteRow(int32_t row, bool keepNumbers);
  // Exchanges the two rows' buffers and flags.
  bool swapRows(int32_t a, int32_t b);

  // --- Searches ----------------------------------------------------------------
  // The first row after `row` that has a slot, carries some bit of `wanted`
  // (any row when 0) and none of `excluded`; split rows continue into normal
  // row 0; kRowNone starts at normal row 0. kRowScratch when none.
  int32_t findNext(int32_t row, uint16_t wanted, uint16_t excluded) const;
  // The same backwards: kRowEnd starts at the last normal slot; below normal
  // row 0 the search continues at the last split slot.
  int32_t findPrev(int32_t row, uint16_t wanted, uint16_t excluded) const;

  // --- The discard policy ----------------------------------------------------
  // In discard mode, with a discardable buffer: drops up to
  // min(25, allocated / 3) buffers of rows with kRowPresent and no kRowKept,
  // from the top (forward from kRowNone) when more than half of the
  // discardable buffers lie before `row` in its bank, else from the bottom
  // (backward from kRowEnd), reporting each with rowDiscarded first. Returns
  // the number dropped. setFlags calls this itself when the cache is full.
  int discardAround(int32_t row);

  // --- Row buffers and cells ---------------------------------------------------
  // The row's buffer (the cells of all columns in order) and its size, or
  // null when the row has none.
  const uint8_t* buffer(int32_t row, uint32_t* size) const;
  // False when the row has no buffer; a missing cell reads as empty.
  bool cell(int32_t row, int column, CellView& out) const;
  // Replaces the value (at most kMaxCellLength bytes; `value` may point into
  // the same buffer). The modified bit and colour stay. False when the row
  // has no buffer or memory is short.
  bool setCell(int32_t row, int column, const void* value, uint32_t length);
  bool setCellModified(int32_t row, int column, bool modified);
  // Data-type-1 cells: a 4-byte header whose second word is the length,
  // then the value. `countedValue` gives the value and its length (0 for an
  // empty or short cell).
  bool setCountedValue(int32_t row, int column, const void* value, uint32_t length);
  bool countedValue(int32_t row, int column, const uint8_t** value, uint32_t* length) const;
  // Colour prefix. With markRow the row gets kRowColored (so it is kept);
  // clearing the last coloured cell of a row clears kRowColored.
  bool setCellColor(int32_t row, int column, uint32_t color, bool markRow);
  bool clearCellColor(int32_t row, int column);

 private:
  RowStore() = default;
  ~RowStore() = default;
  struct Impl;
  Impl* impl_ = nullptr;
  friend struct Impl;
};

// --- Open-ended ranges ------------------------------------------------------

// The window's side of an open-ended range (internal table bit 0x20000).
class OpenRangeHost {
 public:
  // The window's full row fetch (TBLM_FETCHROW): 1 present, 2 no such row
  // (the window has deleted it), 0 failure. With an open range a 1 raises
  // the highest fetched row.
  virtual int fetchRow(int32_t row) = 0;
  virtual int32_t highestFetched() const = 0;
  // Sets the known-row count and the range to 0 .. count-1.
  virtual void setKnownRows(int32_t count) = 0;

 protected:
  ~OpenRangeHost() = default;
};

// Fetches the rows after the highest fetched one up to `row`, one at a
// time, stopping at the first failure; a row answered with 2 is gone and
// the same number is fetched again. True when `row` is now known.
bool fetchOpenRangeTo(OpenRangeHost& host, int32_t row);
// TBLM_RECOUNT: known rows = rowsPerPage + 2, then a page more at a time
// while the host keeps delivering; ends with the known rows set to the
// highest fetched row + 1.
void recountOpenRange(OpenRangeHost& host, int32_t rowsPerPage);

// --- Pending re-fetch ----------------------------------------------------------

// Rows whose fetch had to wait (busy host or a fetch in progress), each
// listed once, in arrival order.
class PendingRows {
 public:
  explicit PendingRows(RowStoreMemory& memory) : memory_(memory) {}
  ~PendingRows();
  PendingRows(const PendingRows&) = delete;
  PendingRows& operator=(const PendingRows&) = delete;

  // False when memory is short. A row already listed is not added again.
  bool add(int32_t row);
  bool empty() const { return count_ == 0; }
  // Takes the oldest row off the list; false when it is empty. Rows added
  // while the list is being worked off are taken in their turn.
  bool pop(int32_t& row);
  void clear();

 private:
  RowStoreMemory& memory_;
  int32_t* rows_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
};

}  // namespace gridwin
