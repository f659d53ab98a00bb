// Outlines: walks, item data, attributes, binary-safe properties, the
// description format, load/save, and handle checks.
#include "hostrt.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const kApp = R"(Application Demo
  Section Data Sources
    Object dsMain!primary
      $DATASOURCE = YES
    Comment just a note
    Object dsOld
      $DATASOURCE = yes
  Form frmMain
    @title = Main form
    @rect = 0 0 300 200
    DataField dfName
    Custom calMain
      @class = AK:cCalendar
      @hostclass = cCalendar
    Function fnHelper
  *Section Included stuff
    Object libThing
)";

std::string str(HSTRING s) {
  DWORD size = 0;
  const char* p = HostStrLock(s, &size);
  std::string out = p ? std::string(p, size) : "<none>";
  HostStrFree(s);
  return out;
}

std::string itemText(HOUTLINE o, HITEM i, LONG flag = 1) {
  HSTRING s = 0;
  if (!HostGetItemText(o, i, flag, &s)) return "<fail>";
  std::string t = str(s);
  return t.substr(0, t.size() - 1);  // the terminator
}

std::string fileText(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class OutlineTest : public ::testing::Test {
protected:
  void SetUp() override {
    LONG line = -1;
    o = HostOutlineFromText(kApp, &line);
    ASSERT_NE(o, 0u) << "line " << line;
    top = HostGetTopItem(o);
  }
  void TearDown() override { HostReleaseApp(o); }
  HITEM find(const char* path) { return HostFindItem(o, 0, path); }
  HOUTLINE o = 0;
  HITEM top = 0;
};

TEST_F(OutlineTest, WalksFollowTheDescription) {
  EXPECT_EQ(itemText(o, top), "Demo");
  HITEM section = HostFirstChild(o, top);
  EXPECT_EQ(itemText(o, section), "Data Sources");
  EXPECT_EQ(HostItemType(o, section), HOST_ITEM_SECTION);
  HITEM first = HostFirstChild(o, section);
  EXPECT_EQ(itemText(o, first), "dsMain!primary");
  HITEM comment = HostNextSibling(o, first);
  EXPECT_EQ(HostItemType(o, comment), HOST_ITEM_COMMENT);
  EXPECT_EQ(HostLastChild(o, section), HostNextSibling(o, comment));
  EXPECT_EQ(HostPrevSibling(o, comment), first);
  EXPECT_EQ(HostPrevSibling(o, first), 0u);
  EXPECT_EQ(HostNextSibling(o, HostLastChild(o, section)), 0u);
  EXPECT_EQ(HostParent(o, first), section);
  EXPECT_EQ(HostParent(o, top), 0u);
  EXPECT_EQ(HostFirstChild(o, first), 0u);
  EXPECT_EQ(HostItemGetLineCount(o, top), 11);
  EXPECT_EQ(HostItemGetLineCount(o, section), 4);
}

TEST_F(OutlineTest, ChildOfTypeLooksAtChildrenOrTheWholeSubtree) {
  EXPECT_EQ(HostChildOfType(o, top, HOST_ITEM_SECTION, 0), find("Data Sources"));
  EXPECT_EQ(HostChildOfType(o, top, HOST_ITEM_DATAFIELD, 0), 0u);
  EXPECT_EQ(HostChildOfType(o, top, HOST_ITEM_DATAFIELD, 1), find("dfName"));
  EXPECT_EQ(HostChildOfType(o, top, HOST_ITEM_OBJECT, 1), find("dsMain"));  // nearer levels first
  EXPECT_EQ(HostChildOfType(o, top, 999, 1), 0u);
}

TEST_F(OutlineTest, TextsTitlesAndTypeTexts) {
  HITEM form = find("frmMain"), cal = find("frmMain.calMain"), ds = find("dsMain");
  EXPECT_EQ(itemText(o, form, 0), "Form Window: frmMain");
  EXPECT_EQ(str(HostGetItemTitle(o, form)), std::string("Main form\0", 10));
  EXPECT_EQ(str(HostGetItemTitle(o, ds)), std::string("dsMain\0", 7));
  char buf[32];
  EXPECT_EQ(HostGetItemTypeText(o, cal, HOST_ATTR_CLASS, buf, sizeof buf), 12);
  EXPECT_STREQ(buf, "AK:cCalendar");
  EXPECT_EQ(HostGetItemTypeText(o, cal, HOST_ATTR_HOSTCLASS, buf, 5), 9);  // cut, full length reported
  EXPECT_STREQ(buf, "cCal");
  EXPECT_EQ(HostGetItemTypeText(o, cal, 286, nullptr, 0), 12);
  EXPECT_EQ(HostGetItemTypeText(o, cal, 229, buf, sizeof buf), -1);
  EXPECT_EQ(buf[0], 0);
  ASSERT_TRUE(HostSetItemTypeText(o, cal, 229, "0.063\"xyz", 6));  // the pane size attribute
  EXPECT_EQ(HostGetItemTypeText(o, cal, 229, buf, sizeof buf), 6);
  EXPECT_STREQ(buf, "0.063\"");
  ASSERT_TRUE(HostSetObjectClass(o, cal, "cOther"));
  HostGetItemTypeText(o, cal, HOST_ATTR_HOSTCLASS, buf, sizeof buf);
  EXPECT_STREQ(buf, "cOther");
  ASSERT_TRUE(HostSetItemTypeText(o, cal, 229, nullptr, 0));
  EXPECT_EQ(HostGetItemTypeText(o, cal, 229, buf, sizeof buf), -1);
  EXPECT_TRUE(HostIsThisAWindow(o, cal));
  EXPECT_TRUE(HostIsThisAWindow(o, form));
  EXPECT_FALSE(HostIsThisAWindow(o, find("fnHelper")));
}

TEST_F(OutlineTest, PropertiesKeepBinaryBytesExactly) {
  HITEM item = find("dfName");
  std::string big(65535, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
  const std::string blobs[] = {std::string("\0", 1), std::string("ab\0cd\0", 6), std::string("\xFF\xFE\x00\x01", 4),
                               std::string("text\0", 5), big};
  for (const std::string& blob : blobs) {
    ASSERT_EQ(HostSetStrProperty(o, item, "AK:Blob", blob.data(), WORD(blob.size())), 1);
    HSTRING s = 0;
    ASSERT_TRUE(HostGetStrProperty(o, item, "AK:Blob", &s));
    DWORD size = 0;
    const char* p = HostStrLock(s, &size);
    EXPECT_EQ(size, blob.size());
    EXPECT_EQ(std::string(p, size), blob);
    EXPECT_EQ(HostStrGetLength(s), LONG(blob.size()) - 1);
    HostStrFree(s);
  }
  // The text as outkit stores it: length + 1.
  const char* text = "YES";
  ASSERT_EQ(HostSetStrProperty(o, item, "DATASOURCE", text, WORD(strlen(text) + 1)), 1);
  HSTRING s = 0;
  ASSERT_TRUE(HostGetStrProperty(o, item, "DATASOURCE", &s));
  EXPECT_STREQ(HostStrLock(s, nullptr), "YES");
  HostStrFree(s);
  ASSERT_EQ(HostSetStrProperty(o, item, "Empty", nullptr, 0), 1);
  EXPECT_EQ(str((HostGetStrProperty(o, item, "Empty", &s), s)), std::string(1, '\0'));
  EXPECT_FALSE(HostGetStrProperty(o, item, "datasource", &s));  // names are case-sensitive
  EXPECT_EQ(s, 0u);
  EXPECT_EQ(HostSetStrProperty(o, item, "", "x", 2), 0);
  EXPECT_EQ(HostSetStrProperty(o, item, nullptr, "x", 2), 0);
  EXPECT_EQ(HostSetStrProperty(o, item, "X", nullptr, 2), 0);
  HARRAY names = HostArrayCreate(HOST_TYPE_STRING, 1);
  EXPECT_EQ(HostEnumStrProps(o, item, names), 3);
  HSTRING first = 0;
  HostArrayGetString(names, 0, &first);
  EXPECT_STREQ(HostStrLock(first, nullptr), "AK:Blob");
  HostArrayFree(names);
  EXPECT_TRUE(HostRemoveStrProperty(o, item, "AK:Blob"));
  EXPECT_FALSE(HostRemoveStrProperty(o, item, "AK:Blob"));
  EXPECT_FALSE(HostGetStrProperty(o, item, "AK:Blob", &s));
}

TEST_F(OutlineTest, PropertiesFromTheDescription) {
  HSTRING s = 0;
  ASSERT_TRUE(HostGetStrProperty(o, find("dsMain"), "DATASOURCE", &s));
  EXPECT_EQ(str(s), std::string("YES\0", 4));
  LONG line = 0;
  HOUTLINE other = HostOutlineFromText("Object x\n  $Raw = hex 00 01 FF\n  $Esc = a\\x00b\\\\\n", &line);
  ASSERT_NE(other, 0u) << line;
  HITEM x = HostFindItem(other, 0, "x");
  ASSERT_TRUE(HostGetStrProperty(other, x, "Raw", &s));
  EXPECT_EQ(str(s), std::string("\x00\x01\xFF", 3));
  ASSERT_TRUE(HostGetStrProperty(other, x, "Esc", &s));
  EXPECT_EQ(str(s), std::string("a\0b\\\0", 5));
  HostReleaseApp(other);
}

TEST_F(OutlineTest, EditingTheTree) {
  HITEM form = find("frmMain"), df = find("dfName");
  HITEM item = HostCreateItem(o, HOST_ITEM_CHECKBOX);
  ASSERT_NE(item, 0u);
  EXPECT_EQ(HostParent(o, item), 0u);
  ASSERT_TRUE(HostSetItemData(o, item, -1, "cbSure"));
  ASSERT_TRUE(HostInsertItem(o, item, form, df));
  EXPECT_EQ(HostNextSibling(o, df), item);
  EXPECT_EQ(HostItemType(o, item), HOST_ITEM_CHECKBOX);
  ASSERT_TRUE(HostInsertItem(o, item, form, 0));  // move to the front
  EXPECT_EQ(HostFirstChild(o, form), item);
  EXPECT_FALSE(HostInsertItem(o, form, item, 0));      // into its own subtree
  EXPECT_FALSE(HostInsertItem(o, top, form, 0));       // the top item
  EXPECT_FALSE(HostInsertItem(o, item, form, top));    // `after` is no child of form
  ASSERT_TRUE(HostSetItemData(o, item, HOST_ITEM_OPTION, nullptr));
  EXPECT_EQ(itemText(o, item), "cbSure");
  EXPECT_EQ(HostItemType(o, item), HOST_ITEM_OPTION);
  LONG before = HostItemGetLineCount(o, top);
  ASSERT_TRUE(HostDeleteItem(o, form));
  EXPECT_EQ(HostItemGetLineCount(o, top), before - 5);
  EXPECT_EQ(HostItemType(o, item), -1);  // gone with its parent
  EXPECT_FALSE(HostDeleteItem(o, top));
}

TEST_F(OutlineTest, IncludeFlagsAndChangeMarks) {
  HITEM inc = find("Included stuff"), thing = find("libThing");
  EXPECT_TRUE(HostIsItemIncluded(o, inc));
  EXPECT_FALSE(HostIsItemIncluded(o, thing));
  EXPECT_EQ(HostRefreshInclude(o, inc), 1);
  EXPECT_TRUE(HostIsItemIncluded(o, thing));
  EXPECT_EQ(HostRefreshInclude(o, inc), 0);
  EXPECT_EQ(HostOutlineFlags(o), 0);
  ASSERT_TRUE(HostItemChangeUpdate(o, thing, 1));
  EXPECT_TRUE(HostIsItemChanged(o, thing));
  EXPECT_EQ(HostOutlineFlags(o), HOST_OUTLINE_CHANGED);
  ASSERT_TRUE(HostMarkApplicationUncompiled(o));
  EXPECT_EQ(HostOutlineFlags(o), HOST_OUTLINE_CHANGED | HOST_OUTLINE_UNCOMPILED);
  HostTestClearLog();
  ASSERT_TRUE(HostNotifyPropertyChange(o, thing, 1, 0, 0));
  ASSERT_TRUE(HostItemDesignOption(o, thing, 0x178));
  char log[512];
  HostTestLog(log, sizeof log);
  char expected[512];
  snprintf(expected, sizeof expected, "HostNotifyPropertyChange 0x%08lX 0x%08lX 1 0 0\nHostItemDesignOption 0x%08lX 0x%08lX 376\n",
           (unsigned long)o, (unsigned long)thing, (unsigned long)o, (unsigned long)thing);
  EXPECT_STREQ(log, expected);
}

TEST_F(OutlineTest, SaveAndLoadRoundTripExactly) {
  HITEM df = find("dfName");
  std::string blob("\0\x01\xFF\\ =\n", 7);
  HostSetStrProperty(o, df, " odd=name ", blob.data(), WORD(blob.size()));
  HostSetItemData(o, df, -1, "  lead\\ing and \t tab\nnewline ");
  HostSetItemTypeText(o, df, 77, "value = with \\ and \x01", -1);
  HostSetItemIncluded(o, df, TRUE);
  HostMarkApplicationChanged(o);
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  std::string first = std::string(dir) + "hostrt_app1.txt", second = std::string(dir) + "hostrt_app2.txt";
  ASSERT_TRUE(HostOutlineSave(o, first.c_str()));
  EXPECT_EQ(HostOutlineFlags(o) & HOST_OUTLINE_CHANGED, 0);
  HOUTLINE loaded = HostLoadApp(first.c_str());
  ASSERT_NE(loaded, 0u);
  ASSERT_TRUE(HostOutlineSave(loaded, second.c_str()));
  EXPECT_EQ(fileText(first.c_str()), fileText(second.c_str()));
  HITEM again = HostFindItem(loaded, 0, "frmMain");
  again = HostFirstChild(loaded, again);
  EXPECT_EQ(itemText(loaded, again), "  lead\\ing and \t tab\nnewline ");
  EXPECT_TRUE(HostIsItemIncluded(loaded, again));
  HSTRING s = 0;
  ASSERT_TRUE(HostGetStrProperty(loaded, again, " odd=name ", &s));
  EXPECT_EQ(str(s), blob);
  char buf[64];
  HostGetItemTypeText(loaded, again, 77, buf, sizeof buf);
  EXPECT_STREQ(buf, "value = with \\ and \x01");
  HostReleaseApp(loaded);
  DeleteFileA(first.c_str());
  DeleteFileA(second.c_str());
  EXPECT_EQ(HostLoadApp(first.c_str()), 0u);
  EXPECT_FALSE(HostOutlineSave(o, "Z:\\no\\such\\folder\\x.app"));
}

TEST_F(OutlineTest, SaveAsTextListsTheOutline) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  std::string file = std::string(dir) + "hostrt_list.txt";
  ASSERT_TRUE(HostOutlineSaveAsText(o, file.c_str(), 0));
  std::string text = fileText(file.c_str());
  EXPECT_EQ(text.substr(0, 56), "Section: Data Sources\n\tObject: dsMain!primary\n\tComment: ");
  EXPECT_NE(text.find("\n\tCustom Control: calMain\n"), std::string::npos);
  ASSERT_TRUE(HostOutlineSaveAsText(o, file.c_str(), 1));
  EXPECT_NE(fileText(file.c_str()).find("\n\t\t286 = AK:cCalendar\n"), std::string::npos);
  DeleteFileA(file.c_str());
}

TEST(OutlineText, MalformedDescriptionsNameTheLine) {
  struct Case { const char* text; LONG line; } cases[] = {
      {"Form a\n  Nonsense b\n", 2},        {"Form a\n  @ = x\n", 2},       {"Form a\n  @title x\n", 2},
      {"Form a\n  $P = hex 0\n", 2},        {"Form a\n  $P = hex zz\n", 2}, {"Form a\n\n  $P = bad\\q\n", 3},
      {"#12x\n", 1},                        {"Form a\n  @abc = 1\n", 2},
  };
  for (const auto& c : cases) {
    LONG line = -1;
    EXPECT_EQ(HostOutlineFromText(c.text, &line), 0u) << c.text;
    EXPECT_EQ(line, c.line) << c.text;
  }
  LONG line = -1;
  HOUTLINE ok = HostOutlineFromText("# a comment\n\n#188 numbered type\n@title = top\n", &line);
  ASSERT_NE(ok, 0u);
  EXPECT_EQ(HostItemType(ok, HostFirstChild(ok, HostGetTopItem(ok))), HOST_ITEM_COMMENT);
  HostReleaseApp(ok);
  EXPECT_EQ(HostOutlineFromText(nullptr, &line), 0u);
}

TEST(OutlineHandles, UnknownHandlesGiveFailureValues) {
  HOUTLINE a = HostOutlineFromText("Form f\n", nullptr), b = HostOutlineFromText("Form g\n", nullptr);
  HITEM fromB = HostFirstChild(b, HostGetTopItem(b));
  HSTRING s = 1;
  char buf[8] = "x";
  for (HITEM bad : {HITEM(0), HITEM(0xBADBAD), fromB}) {
    EXPECT_EQ(HostItemType(a, bad), -1);
    EXPECT_EQ(HostFirstChild(a, bad), 0u);
    EXPECT_EQ(HostParent(a, bad), 0u);
    EXPECT_EQ(HostItemGetLineCount(a, bad), -1);
    EXPECT_FALSE(HostGetItemText(a, bad, 1, &s));
    EXPECT_EQ(s, 0u);
    EXPECT_EQ(HostGetItemTitle(a, bad), 0u);
    EXPECT_EQ(HostGetItemTypeText(a, bad, 1, buf, sizeof buf), -1);
    EXPECT_EQ(HostSetStrProperty(a, bad, "P", "x", 2), 0);
    EXPECT_FALSE(HostGetStrProperty(a, bad, "P", &s));
    EXPECT_FALSE(HostDeleteItem(a, bad));
    EXPECT_FALSE(HostNotifyPropertyChange(a, bad, 1, 0, 0));
    EXPECT_EQ(HostWindowOfItem(a, bad), nullptr);
    EXPECT_EQ(HostChildOfType(a, bad, 2, 1), 0u);
  }
  EXPECT_EQ(HostGetTopItem(0x99), 0u);
  EXPECT_FALSE(HostReleaseApp(0x99));
  EXPECT_EQ(HostOutlineFlags(0x99), -1);
  EXPECT_EQ(HostCreateItem(0x99, 2), 0u);
  EXPECT_FALSE(HostGetItemText(a, HostGetTopItem(a), 1, nullptr));
  HostReleaseApp(b);
  EXPECT_EQ(HostItemType(b, fromB), -1);  // released
  HostReleaseApp(a);
}

} // namespace
