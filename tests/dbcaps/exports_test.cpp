#include "binfile.h"
#include "pe.h"

#include <gtest/gtest.h>

TEST(Library, LoadsAndExportsItsList) { EXPECT_DLL_LOADS_AND_EXPORTS("dbcaps.dll"); }

// trxshare binds these three by ordinal: their numbers may never move.
TEST(Library, CapabilityQueriesKeepTheirOrdinals) {
  auto img = pe::parseFile(testsupport::binDir() + "dbcaps.dll");
  ASSERT_TRUE(img.has_value());
  EXPECT_EQ(pe::ordinalOf(*img, "SrvCapQueryServerBool"), 2);
  EXPECT_EQ(pe::ordinalOf(*img, "SrvCapQueryServerInt"), 3);
  EXPECT_EQ(pe::ordinalOf(*img, "SrvCapQueryServerStr"), 4);
}
