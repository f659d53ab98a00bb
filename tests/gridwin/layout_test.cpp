// The list view's column arithmetic, by itself: row header, locked columns
// (reduced to what fits), scrolled columns, and the mirrored side.
#include "listlayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using gridwin::ColumnLayout;
using gridwin::layoutColumns;
using gridwin::ShownColumn;

// "index:left-right" for each span, L after locked ones.
std::string describe(const ColumnLayout& l) {
  std::string s = "H" + std::to_string(l.headerLeft) + "-" + std::to_string(l.headerRight);
  for (const auto& span : l.spans)
    s += " " + std::to_string(span.index) + ":" + std::to_string(span.left) + "-" + std::to_string(span.right) +
         (span.locked ? "L" : "");
  return s;
}

struct Case {
  const char* what;
  int locked, firstScroll, header, width;
  bool mirrored;
  const char* expected;
};

TEST(ListLayout, ColumnsAcrossThePane) {
  // Four shown columns in display order: indexes 3, 0, 1, 2 with widths 50, 60, 70, 80.
  const std::vector<ShownColumn> shown{{3, 50}, {0, 60}, {1, 70}, {2, 80}};
  const Case cases[] = {
      {"plain", 0, 0, 20, 400, false, "H0-20 3:20-70 0:70-130 1:130-200 2:200-280"},
      {"no header", 0, 0, 0, 400, false, "H0-0 3:0-50 0:50-110 1:110-180 2:180-260"},
      {"cut at the pane's edge", 0, 0, 20, 150, false, "H0-20 3:20-70 0:70-130 1:130-200"},
      {"scrolled by one", 0, 1, 20, 400, false, "H0-20 0:20-80 1:80-150 2:150-230"},
      {"scroll clamped to the last column", 0, 9, 20, 400, false, "H0-20 2:20-100"},
      {"one locked, scrolled by one", 1, 1, 20, 400, false, "H0-20 3:20-70L 1:70-140 2:140-220"},
      {"locked reduced to what fits", 3, 0, 20, 150, false, "H0-20 3:20-70L 0:70-130L 1:130-200"},
      {"mirrored", 0, 0, 20, 400, true, "H380-400 3:120-170 0:170-230 1:230-300 2:300-380"},
      {"mirrored, locked from the right", 1, 0, 20, 400, true, "H380-400 3:120-170 0:170-230 1:230-300 2:300-380L"},
      {"mirrored, locked, scrolled", 1, 1, 20, 400, true, "H380-400 3:190-240 0:240-300 2:300-380L"},
      {"mirrored, cut at the left", 0, 0, 20, 150, true, "H130-150 1:-20-50 2:50-130"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(describe(layoutColumns(shown, c.locked, c.firstScroll, c.header, c.width, c.mirrored)), c.expected)
        << c.what;
}

TEST(ListLayout, CountsOfLockedAndScrollingColumns) {
  const std::vector<ShownColumn> shown{{0, 100}, {1, 100}, {2, 100}};
  ColumnLayout l = layoutColumns(shown, 5, 0, 10, 250, false);
  EXPECT_EQ(l.locked, 2);  // the third no longer fits
  EXPECT_EQ(l.scrolling, 1);
  l = layoutColumns({}, 2, 3, 10, 250, false);
  EXPECT_EQ(l.locked, 0);
  EXPECT_TRUE(l.spans.empty());
  EXPECT_EQ(l.headerRight, 10);
}

} // namespace
