// Where the list view's columns go across the pane: the row header, the
// locked columns, then the scrolling columns from the scroll position on.
// Pure: no windows.h, so the arithmetic is tested by itself.
//
// Mirrored tables (state bit 0x10) already hold their columns in reversed
// display order, so the screen still shows display positions from left to
// right; what the mirroring adds is the other side: the row header stands
// at the right edge, locked columns are the last ones (counted from the
// right) and scrolling moves columns out at the side of the locked ones.
#pragma once
#include <cstdint>
#include <vector>

namespace gridwin {

struct ShownColumn {
  int index;      // column index
  int32_t width;  // pixels
};

struct ColumnSpan {
  int index;
  int32_t left, right;  // pane x, right exclusive
  bool locked;
};

struct ColumnLayout {
  int32_t headerLeft = 0, headerRight = 0;  // the row header (empty when not shown)
  int locked = 0;                           // locked columns after reducing to what fits
  int scrolling = 0;                        // shown columns that scroll
  std::vector<ColumnSpan> spans;            // visible columns, left to right
};

// The locked count reduced so that the header and the locked columns fit.
inline int lockedThatFit(const std::vector<ShownColumn>& shown, int locked, bool mirrored, int32_t header,
                         int32_t width) {
  int n = int(shown.size());
  if (locked > n) locked = n;
  if (locked < 0) locked = 0;
  int32_t x = header;
  for (int i = 0; i < locked; ++i) {
    x += shown[mirrored ? n - 1 - i : i].width;
    if (x > width) return i;
  }
  return locked;
}

// `shown` in display order; `firstScroll` counts scrolling columns scrolled
// out of view.
inline ColumnLayout layoutColumns(const std::vector<ShownColumn>& shown, int locked, int firstScroll,
                                  int32_t header, int32_t width, bool mirrored) {
  ColumnLayout out;
  int n = int(shown.size());
  out.locked = lockedThatFit(shown, locked, mirrored, header, width);
  out.scrolling = n - out.locked;
  if (firstScroll > out.scrolling - 1) firstScroll = out.scrolling - 1;
  if (firstScroll < 0) firstScroll = 0;
  // Laid out from the start side; a mirrored table starts at the right.
  auto logical = [&](int i) { return shown[mirrored ? n - 1 - i : i]; };
  auto place = [&](int32_t left, int32_t right) {
    return mirrored ? std::pair<int32_t, int32_t>{width - right, width - left}
                    : std::pair<int32_t, int32_t>{left, right};
  };
  auto [hl, hr] = place(0, header);
  out.headerLeft = hl;
  out.headerRight = hr;
  int32_t x = header;
  auto add = [&](int i, bool isLocked) {
    ShownColumn c = logical(i);
    auto [l, r] = place(x, x + c.width);
    out.spans.push_back(ColumnSpan{c.index, l, r, isLocked});
    x += c.width;
  };
  for (int i = 0; i < out.locked; ++i) add(i, true);
  for (int i = out.locked + firstScroll; i < n && x < width; ++i) add(i, false);
  if (mirrored) std::vector<ColumnSpan>(out.spans.rbegin(), out.spans.rend()).swap(out.spans);
  return out;
}

} // namespace gridwin
