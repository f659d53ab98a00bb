// This program links the hostrt_ordinals import library ahead of hostrt's
// own, as the outline kit does: the outline operations bind by number.
#include "hostrt.h"
#include "pe.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(OrdinalImports, OutlineOperationsBindByNumber) {
  HOUTLINE o = HostOutlineFromText("Form f\n", nullptr);
  HITEM form = HostFirstChild(o, HostGetTopItem(o));  // 366, 273
  EXPECT_EQ(HostItemType(o, form), HOST_ITEM_FORM);  // 275
  HostReleaseApp(o);

  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  auto image = pe::parseFile(self);
  ASSERT_TRUE(image);
  auto imported = [&](uint16_t ordinal) {
    return std::any_of(image->imports.begin(), image->imports.end(), [&](const pe::Import& i) {
      return lstrcmpiA(i.dll.c_str(), "hostrt.dll") == 0 && i.byOrdinal() && i.ordinal == ordinal;
    });
  };
  for (uint16_t ordinal : {366, 273, 275, 272}) EXPECT_TRUE(imported(ordinal)) << ordinal;
  for (const pe::Import& i : image->imports) EXPECT_NE(i.name, "HostFirstChild");
}

} // namespace
