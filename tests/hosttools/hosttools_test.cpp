#include "binfile.h"
#include "hosttools.h"
#include "pe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(HostTools, ImportersBindByOrdinal) {
  auto img = pe::parseFile(testsupport::binDir() + "hosttools_tests.exe");
  ASSERT_TRUE(img);
  int seen = 0;
  for (const auto& imp : img->imports)
    if (imp.dll == "hosttools.dll" && imp.name != "HtSetRightToLeft") {
      EXPECT_TRUE(imp.byOrdinal()) << imp.name;
      ++seen;
    }
  EXPECT_GT(seen, 0);
}

TEST(HostTools, OrdinalsAreFixed) {
  auto img = pe::parseFile(testsupport::binDir() + "hosttools.dll");
  ASSERT_TRUE(img);
  const std::pair<const char*, int> fixed[] = {{"HtIsLeadByte", 48}, {"HtFindChar", 71},  {"HtTextEqual", 74},
                                               {"HtNameClean", 86},  {"HtIsRightToLeft", 159}, {"HtAlloc", 163},
                                               {"HtRealloc", 164},   {"HtFree", 165},      {"HtSize", 166}};
  for (auto [name, ordinal] : fixed) EXPECT_EQ(pe::ordinalOf(*img, name), ordinal) << name;
}

TEST(HostTools, MemoryBlocks) {
  char* p = static_cast<char*>(HtAlloc(10));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(HtSize(p), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(p[i], 0);
  memcpy(p, "abcdefghij", 10);
  p = static_cast<char*>(HtRealloc(p, 100000));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(HtSize(p), 100000u);
  EXPECT_EQ(std::string(p, 10), "abcdefghij");
  EXPECT_EQ(p[99999], 0);
  EXPECT_TRUE(HtFree(p));
}

TEST(HostTools, ForeignPointersAreRefused) {
  int local = 0;
  void* heapBlock = HeapAlloc(GetProcessHeap(), 0, 16);
  for (void* p : {static_cast<void*>(nullptr), static_cast<void*>(&local), heapBlock}) {
    EXPECT_FALSE(HtFree(p));
    EXPECT_EQ(HtSize(p), 0u);
  }
  EXPECT_EQ(HtRealloc(&local, 8), nullptr);
  HeapFree(GetProcessHeap(), 0, heapBlock);
  void* fresh = HtRealloc(nullptr, 4);
  EXPECT_EQ(HtSize(fresh), 4u);
  HtFree(fresh);
}

TEST(HostTools, TextEquality) {
  struct { const char *a, *b; bool equal; } cases[] = {
      {"Name", "Name", true}, {"Name", "name", false}, {"", "", true}, {"a", "ab", false},
      {nullptr, nullptr, true}, {nullptr, "", false}, {"", nullptr, false}};
  for (const auto& c : cases) EXPECT_EQ(HtTextEqual(c.a, c.b) != 0, c.equal) << (c.a ? c.a : "NULL") << "/" << (c.b ? c.b : "NULL");
}

TEST(HostTools, NameClean) {
  struct { const char *in, *out; } cases[] = {
      {"  CUSTOMER  ", "CUSTOMER"}, {"\tmy \t  table\r\n", "my table"}, {"", ""}, {"   ", ""},
      {"a", "a"}, {"SYSADM .T", "SYSADM .T"}};
  for (const auto& c : cases) {
    char buf[64];
    strcpy(buf, c.in);
    HtNameClean(buf);
    EXPECT_STREQ(buf, c.out) << "[" << c.in << "]";
  }
  HtNameClean(nullptr);
}

TEST(HostTools, FindCharAndLeadBytes) {
  const char* t = "user.table";
  EXPECT_EQ(HtFindChar(t, '.'), t + 4);
  EXPECT_EQ(HtFindChar(t, '"'), nullptr);
  EXPECT_EQ(HtFindChar(nullptr, '.'), nullptr);
  EXPECT_FALSE(HtIsLeadByte('A'));
  // In a single-byte code page nothing is a lead byte; the double-byte
  // behaviour is exercised by the quoting tests with a DBCS code page.
  if (GetACP() == 1252) {
    EXPECT_FALSE(HtIsLeadByte(0x81));
  }
}

TEST(HostTools, RightToLeftQueryCanBeFixed) {
  HtSetRightToLeft(1);
  EXPECT_TRUE(HtIsRightToLeft());
  HtSetRightToLeft(0);
  EXPECT_FALSE(HtIsRightToLeft());
  HtSetRightToLeft(-1);
  EXPECT_FALSE(HtIsRightToLeft()); // the prefix's UI language is English
}
