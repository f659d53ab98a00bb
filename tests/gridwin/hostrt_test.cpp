// The host runtime's table operations (hostrt's HostTbl…) against the real
// table window: rows served from a host string array, searched, read and
// coloured the way the host does it.
#include "host.h"
#include "hostrt.h"

namespace {

using HostTables = TableHost;

TEST_F(HostTables, ServeSearchAndReadRows) {
  HWND t = activeTable(3, 0);
  HARRAY cells = HostArrayCreate(HOST_TYPE_STRING, 1);
  for (LONG row = 0; row < 20; ++row)
    for (LONG c = 0; c < 3; ++c)
      HostArraySetString(cells, row * 3 + c, HostStrFromText(("h" + std::to_string(row) + "." + std::to_string(c)).c_str()));
  ASSERT_TRUE(HostTblServeRows(t, cells, 3));
  EXPECT_TRUE(send(t, TBLM_ISACTIVE));
  EXPECT_EQ(rowText(t, 19, 2), "h19.2");
  EXPECT_TRUE(HostTblSetContextRow(t, 7));
  EXPECT_FALSE(HostTblSetContextRow(t, 20));
  EXPECT_EQ(send(t, TBLM_GETCONTEXTROW), 7);

  setRowFlags(t, 4, TBL_ROW_SELECTED, true);
  setRowFlags(t, 9, TBL_ROW_SELECTED, true);
  setRowFlags(t, 9, TBL_ROW_HIDDEN, true);
  EXPECT_TRUE(HostTblQueryRowFlag(t, 4, TBL_ROW_SELECTED));
  LONG row = HOST_TBL_SEARCH_START;
  ASSERT_TRUE(HostTblFindNextRow(t, &row, TBL_ROW_SELECTED, TBL_ROW_HIDDEN));
  EXPECT_EQ(row, 4);
  EXPECT_FALSE(HostTblFindNextRow(t, &row, TBL_ROW_SELECTED, TBL_ROW_HIDDEN));

  HWND second = HostTblColumnAt(t, 2);
  EXPECT_EQ(second, HWND(send(t, TBLM_GETCOLUMNWINDOW, 1)));
  EXPECT_EQ(HostTblColumnPosition(second), 2);
  EXPECT_EQ(HostTblColumnAt(t, 4), nullptr);
  EXPECT_TRUE(HostTblSetColumnFlag(second, TBLCF_SELECTED, TRUE));
  EXPECT_TRUE(HostTblQueryColumnFlag(second, TBLCF_SELECTED));
  EXPECT_EQ(count(TBLN_COLFLAGSET), 1);

  EXPECT_TRUE(HostTblSetContextRow(t, 7));
  EXPECT_TRUE(HostTblSetCellColor(second, RGB(0, 128, 0)));
  EXPECT_EQ(send(second, TBLM_GETCELLCOLOR), LRESULT(RGB(0, 128, 0)));
  EXPECT_TRUE(send(t, TBLM_QUERYROWFLAGS, TBL_ROW_COLORED, 7));

  EXPECT_TRUE(HostTblServeRows(t, 0, 3));
  EXPECT_EQ(send(t, TBLM_GETHOOK, TBLH_FETCHROW), 0);
  DestroyWindow(t);
  HostArrayFree(cells);
}

} // namespace
