#include <fstream>
#include <iterator>
// The build itself: ordinal imports really bind by ordinal, every binary is
// self-contained (no MinGW runtime DLLs), and the PE reader the export
// checks rely on refuses malformed images.
#include "binfile.h"
#include "pe.h"

#include <gtest/gtest.h>

extern "C" int __stdcall ProbeTwice(int x);

namespace {

const char* kOurDlls[] = {"amblib.dll", "gridwin.dll", "outkit.dll", "dbcaps.dll", "trxshare.dll",
                          "hostrt.dll", "hostnum.dll", "hosttools.dll", "dbclient.dll",
                          "odbbridge32.dll", "trxserver.exe"};

bool isRuntimeDll(std::string dll) {
  for (auto& c : dll) c = char(tolower(c));
  return dll.rfind("libstdc++", 0) == 0 || dll.rfind("libgcc", 0) == 0 || dll.rfind("libwinpthread", 0) == 0;
}

} // namespace

TEST(BuildBed, OrdinalImportBindsByOrdinal) {
  EXPECT_EQ(ProbeTwice(21), 42);
  auto img = pe::parseFile(testsupport::binDir() + "buildbed_tests.exe");
  ASSERT_TRUE(img);
  bool seen = false;
  for (const auto& imp : img->imports)
    if (imp.dll == "ordprobe.dll") {
      EXPECT_TRUE(imp.byOrdinal()) << "bound by name " << imp.name;
      EXPECT_EQ(imp.ordinal, 7);
      seen = true;
    }
  EXPECT_TRUE(seen);
}

TEST(BuildBed, BinariesImportNoCompilerRuntime) {
  for (const char* file : kOurDlls) {
    auto img = pe::parseFile(testsupport::binDir() + file);
    ASSERT_TRUE(img) << file;
    for (const auto& imp : img->imports) EXPECT_FALSE(isRuntimeDll(imp.dll)) << file << " imports " << imp.dll;
  }
}

TEST(BuildBed, PeReaderRefusesMalformedImages) {
  auto good = pe::parseFile(testsupport::binDir() + "ordprobe.dll");
  ASSERT_TRUE(good);
  EXPECT_EQ(good->exportNames.size(), 0u); // NONAME: no name in the table
  std::ifstream f(testsupport::binDir() + "ordprobe.dll", std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  for (size_t cut : {size_t(0), size_t(2), size_t(0x40), size_t(0x100), size_t(0x400)}) {
    std::vector<uint8_t> part(bytes.begin(), bytes.begin() + std::min(cut, bytes.size()));
    EXPECT_FALSE(pe::parse(part)) << "truncated at " << cut;
  }
  auto bad = bytes;
  bad[0x3C] = 0xF0; bad[0x3D] = 0xFF; bad[0x3E] = 0xFF; bad[0x3F] = 0x7F; // header offset far outside
  EXPECT_FALSE(pe::parse(bad));
}
