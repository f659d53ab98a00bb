// How outkit.dll binds the host runtime, as the loader sees it: the outline
// operations and everything the enumerators call by ordinal.
#include "binfile.h"
#include "pe.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Imports, HostRuntimeIsBoundByOrdinal) {
  auto image = pe::parseFile(testsupport::binDir() + "outkit.dll");
  ASSERT_TRUE(image);
  std::set<int> ordinals;
  std::set<std::string> names;
  for (const pe::Import& i : image->imports) {
    if (_stricmp(i.dll.c_str(), "hostrt.dll") != 0) continue;
    if (i.byOrdinal())
      ordinals.insert(i.ordinal);
    else
      names.insert(i.name);
  }
  const std::set<int> passThrough = {233, 234, 670, 239, 331, 275, 366, 367, 368, 330, 274, 277,
                                     505, 506, 564, 279, 426, 425, 273, 280, 427, 603, 503, 507,
                                     623, 498, 620, 621, 622, 271, 272, 625, 282, 609};
  const std::set<int> enumerators = {105, 38, 591, 906, 946, 665, 913, 910};
  ASSERT_EQ(passThrough.size(), 34u);
  std::set<int> expected = passThrough;
  expected.insert(enumerators.begin(), enumerators.end());
  EXPECT_EQ(ordinals, expected);
  // The two operations the runtime offers by name only.
  EXPECT_EQ(names, (std::set<std::string>{"HostArrayGetType", "HostStrSetSize"}));
}

} // namespace
