#include "binfile.h"

#include <gtest/gtest.h>

TEST(Library, LoadsAndExportsItsList) { EXPECT_DLL_LOADS_AND_EXPORTS("trxshare.dll"); }
