// Each call the kit passes through reaches its own host operation with its
// arguments in order: the answers below differ from operation to
// operation, so a call bound to the wrong one, or with arguments swapped,
// shows.
#include "kit.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

namespace {

const char* const kApp = R"(Application Kit test
  Form frmMain!the main window
    @title = Main
    @rect = 0 0 240 120
    DataField dfFirst
      $Hint = first field
      $AK:Blob = hex 00 01 FF
    DataField dfMiddle
    DataField dfLast
  *Section Shared library
    Object libThing
  Function fnHelper
)";

class PassThrough : public ::testing::Test {
protected:
  void SetUp() override { HostTestClearLog(); }

  std::string log() {
    std::string text(size_t(HostTestLog(nullptr, 0)) + 1, '\0');
    text.resize(size_t(HostTestLog(text.data(), LONG(text.size()))));
    return text;
  }
  std::string attribute(HITEM item, LONG number) {
    char buffer[64];
    return HostGetItemTypeText(app, item, number, buffer, sizeof buffer) >= 0 ? buffer : "<none>";
  }
  std::string property(HITEM item, const char* name) {
    HSTRING value = 0;
    return HostGetStrProperty(app, item, name, &value) ? kit::take(value) : "<none>";
  }

  kit::Outline app{kApp};
  HITEM top = app.top();
  HITEM form = app.item("frmMain");
  HITEM first = app.item("frmMain.dfFirst");
  HITEM middle = app.item("frmMain.dfMiddle");
  HITEM last = app.item("frmMain.dfLast");
  HITEM library = app.item("Shared library");
  HITEM function = app.item("fnHelper");
};

TEST_F(PassThrough, WalksAnswerTheirOwnNeighbour) {
  ASSERT_TRUE(app && form && first && middle && last && library && function);
  struct Case {
    const char* what;
    HITEM got, expected;
  } cases[] = {
      {"top item", ODKGetTopItem(app), top},
      {"first child", ODKFirstChild(app, form), first},
      {"last child", ODKLastChild(app, form), last},
      {"next sibling", ODKNextSibling(app, middle), last},
      {"previous sibling", ODKPrevSibling(app, middle), first},
      {"parent", ODKParent(app, middle), form},
      {"child of type, children only", ODKChildOfType(app, top, HOST_ITEM_DATAFIELD, 0), 0},
      {"child of type, whole subtree", ODKChildOfType(app, top, HOST_ITEM_DATAFIELD, 1), first},
      {"child of type among children", ODKChildOfType(app, top, HOST_ITEM_FUNCTION, 0), function},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST_F(PassThrough, ItemFacts) {
  EXPECT_EQ(ODKItemType(app, middle), HOST_ITEM_DATAFIELD);
  EXPECT_EQ(ODKItemType(app, library), HOST_ITEM_SECTION);
  EXPECT_TRUE(ODKIsThisAWindow(app, middle));
  EXPECT_FALSE(ODKIsThisAWindow(app, function));
  EXPECT_EQ(ODKItemGetLineCount(app, form), 4);
  EXPECT_EQ(ODKItemGetLineCount(app, last), 1);
}

TEST_F(PassThrough, TextsTitlesAndAttributes) {
  HSTRING text = 0;
  EXPECT_TRUE(ODKGetItemText(app, form, 1, &text));
  EXPECT_EQ(kit::take(text), std::string("frmMain!the main window", 24));
  EXPECT_TRUE(ODKGetItemText(app, form, 0, &text));
  EXPECT_EQ(kit::take(text), std::string("Form Window: frmMain!the main window", 37));

  EXPECT_EQ(kit::take(ODKGetItemTitle(app, form)), std::string("Main", 5));
  EXPECT_EQ(kit::take(ODKGetItemTitle(app, first)), std::string("dfFirst", 8));

  char buffer[16] = "x";
  EXPECT_EQ(ODKGetItemTypeText(app, form, HOST_ATTR_RECT, buffer, sizeof buffer), 11);
  EXPECT_STREQ(buffer, "0 0 240 120");
  EXPECT_EQ(ODKGetItemTypeText(app, form, HOST_ATTR_RECT, buffer, 4), 11);
  EXPECT_STREQ(buffer, "0 0");
  EXPECT_EQ(ODKGetItemTypeText(app, form, HOST_ATTR_CLASS, buffer, sizeof buffer), -1);

  EXPECT_TRUE(ODKSetItemTypeText(app, form, HOST_ATTR_TITLE, "Orders", 2));
  EXPECT_EQ(attribute(form, HOST_ATTR_TITLE), "Or");
  EXPECT_TRUE(ODKSetItemTypeText(app, form, HOST_ATTR_TITLE, "Orders", -1));
  EXPECT_EQ(attribute(form, HOST_ATTR_TITLE), "Orders");

  EXPECT_TRUE(ODKSetObjectClass(app, first, "cNameField"));
  EXPECT_EQ(attribute(first, HOST_ATTR_HOSTCLASS), "cNameField");
}

TEST_F(PassThrough, SetStrPropertyStoresTheTextAndItsTerminator) {
  EXPECT_EQ(ODKSetStrProperty(app, middle, "Note", "hello"), 1);
  EXPECT_EQ(property(middle, "Note"), std::string("hello", 6));
  EXPECT_EQ(ODKSetStrProperty(app, middle, "Note", ""), 1);
  EXPECT_EQ(property(middle, "Note"), std::string(1, '\0'));

  // The longest text whose size still fits the host's 16 bits.
  std::string longest(0xFFFE, 'a');
  EXPECT_EQ(ODKSetStrProperty(app, middle, "Long", longest.c_str()), 1);
  EXPECT_EQ(property(middle, "Long").size(), 0xFFFFu);
}

TEST_F(PassThrough, SetStrPropertyRefusesWhatTheHostCannotHoldWhole) {
  ASSERT_EQ(ODKSetStrProperty(app, middle, "Note", "kept"), 1);
  std::string tooLong(0xFFFF, 'a');  // size 0x10000 would wrap to 0
  EXPECT_EQ(ODKSetStrProperty(app, middle, "Note", tooLong.c_str()), 0);
  EXPECT_EQ(ODKSetStrProperty(app, middle, "Note", nullptr), 0);
  EXPECT_EQ(property(middle, "Note"), std::string("kept", 5));
}

TEST_F(PassThrough, PropertiesReadRemoveAndList) {
  HSTRING value = 0;
  EXPECT_TRUE(ODKGetStrProperty(app, first, "AK:Blob", &value));
  EXPECT_EQ(kit::take(value), std::string("\x00\x01\xFF", 3));
  EXPECT_FALSE(ODKGetStrProperty(app, first, "ak:blob", &value));
  EXPECT_EQ(value, 0u);

  kit::Array names(HOST_TYPE_STRING);
  EXPECT_EQ(ODKEnumStrProps(app, first, names), 2);
  EXPECT_EQ(kit::stringAt(names, 0), "AK:Blob");
  EXPECT_EQ(kit::stringAt(names, 1), "Hint");

  EXPECT_TRUE(ODKRemoveStrProperty(app, first, "Hint"));
  EXPECT_FALSE(ODKRemoveStrProperty(app, first, "Hint"));
  EXPECT_EQ(property(first, "Hint"), "<none>");
  EXPECT_EQ(property(first, "AK:Blob"), std::string("\x00\x01\xFF", 3));
}

TEST_F(PassThrough, NotifyPropertyChangeCallsWithOneZeroZero) {
  EXPECT_TRUE(ODKNotifyPropertyChange(app, first));
  char expected[96];
  snprintf(expected, sizeof expected, "HostNotifyPropertyChange 0x%08lX 0x%08lX 1 0 0\n", app.operator HOUTLINE(),
           first);
  EXPECT_EQ(log(), expected);
  EXPECT_TRUE(HostOutlineFlags(app) & HOST_OUTLINE_CHANGED);

  HostTestClearLog();
  EXPECT_FALSE(ODKNotifyPropertyChange(app, 0));
  EXPECT_EQ(log(), "");
}

TEST_F(PassThrough, CreateInsertChangeAndDeleteItems) {
  HITEM added = ODKCreateItem(app, HOST_ITEM_CHECKBOX);
  ASSERT_NE(added, 0u);
  EXPECT_EQ(HostItemType(app, added), HOST_ITEM_CHECKBOX);
  EXPECT_EQ(HostParent(app, added), 0u);

  EXPECT_TRUE(ODKInsertItem(app, added, form, first));
  EXPECT_EQ(HostNextSibling(app, first), added);
  EXPECT_EQ(HostNextSibling(app, added), middle);
  EXPECT_FALSE(ODKInsertItem(app, added, form, function));  // `after` must be a child of parent

  EXPECT_TRUE(ODKSetItemData(app, added, -1, "cbNew"));
  EXPECT_EQ(HostItemType(app, added), HOST_ITEM_CHECKBOX);
  EXPECT_EQ(HostFindItem(app, form, "cbNew"), added);
  EXPECT_TRUE(ODKSetItemData(app, added, HOST_ITEM_OPTION, nullptr));
  EXPECT_EQ(HostItemType(app, added), HOST_ITEM_OPTION);

  EXPECT_TRUE(ODKDeleteItem(app, added));
  EXPECT_EQ(HostItemType(app, added), -1);
  EXPECT_EQ(HostNextSibling(app, first), middle);
  EXPECT_FALSE(ODKDeleteItem(app, top));
}

TEST_F(PassThrough, IncludeFlags) {
  HITEM thing = app.item("Shared library.libThing");
  EXPECT_TRUE(ODKIsItemIncluded(app, library));
  EXPECT_FALSE(ODKIsItemIncluded(app, thing));
  EXPECT_EQ(ODKRefreshInclude(app, library), 1);
  EXPECT_TRUE(ODKIsItemIncluded(app, thing));
  EXPECT_EQ(ODKRefreshInclude(app, library), 0);
}

TEST_F(PassThrough, ChangeMarks) {
  ASSERT_EQ(HostOutlineFlags(app), 0);
  EXPECT_TRUE(ODKMarkApplicationUncompiled(app));
  EXPECT_EQ(HostOutlineFlags(app), HOST_OUTLINE_UNCOMPILED);
  EXPECT_TRUE(ODKMarkApplicationChanged(app));
  EXPECT_EQ(HostOutlineFlags(app), HOST_OUTLINE_UNCOMPILED | HOST_OUTLINE_CHANGED);

  EXPECT_TRUE(ODKItemChangeUpdate(app, middle, 1));
  EXPECT_TRUE(HostIsItemChanged(app, middle));
  EXPECT_TRUE(ODKItemChangeUpdate(app, middle, 0));
  EXPECT_FALSE(HostIsItemChanged(app, middle));
}

TEST_F(PassThrough, WindowOfItem) {
  EXPECT_EQ(ODKWindowOfItem(app, form), nullptr);
  HWND window = HostCreateWindow(app, form, nullptr, HOST_CREATE_RUNTIME, 0);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ODKWindowOfItem(app, form), window);
  HWND field = ODKWindowOfItem(app, middle);
  EXPECT_NE(field, nullptr);
  EXPECT_EQ(GetParent(field), window);
  EXPECT_EQ(HostItemOfWindow(field), middle);
  DestroyWindow(window);
  EXPECT_EQ(ODKWindowOfItem(app, form), nullptr);
}

std::string tempFile(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string listing(HOUTLINE outline, LONG flags) {
  std::string path = tempFile("outkit_listing.txt");
  if (!HostOutlineSaveAsText(outline, path.c_str(), flags)) return "<not written>";
  std::string text = fileText(path);
  DeleteFileA(path.c_str());
  return text;
}

TEST_F(PassThrough, SaveLoadAndRelease) {
  std::string saved = tempFile("outkit_app.out");
  ASSERT_TRUE(ODKMarkApplicationChanged(app));
  EXPECT_TRUE(ODKOutlineSave(app, saved.c_str()));
  EXPECT_EQ(HostOutlineFlags(app) & HOST_OUTLINE_CHANGED, 0);

  HOUTLINE loaded = ODKLoadApp(saved.c_str());
  ASSERT_NE(loaded, 0u);
  EXPECT_NE(loaded, HOUTLINE(app));
  EXPECT_EQ(listing(loaded, 1), listing(app, 1));
  EXPECT_TRUE(ODKReleaseApp(loaded));
  EXPECT_FALSE(ODKReleaseApp(loaded));
  DeleteFileA(saved.c_str());

  EXPECT_EQ(ODKLoadApp(tempFile("outkit_no_such_file.out").c_str()), 0u);
  EXPECT_EQ(ODKLoadApp(nullptr), 0u);
}

TEST_F(PassThrough, SaveAsTextPassesTheFlags) {
  std::string path = tempFile("outkit_text.txt");
  ASSERT_TRUE(ODKOutlineSaveAsText(app, path.c_str(), 0));
  std::string plain = fileText(path);
  ASSERT_TRUE(ODKOutlineSaveAsText(app, path.c_str(), 1));
  std::string withAttributes = fileText(path);
  DeleteFileA(path.c_str());
  EXPECT_EQ(plain, listing(app, 0));
  EXPECT_EQ(withAttributes, listing(app, 1));
  EXPECT_NE(withAttributes.find("0 0 240 120"), std::string::npos);
  EXPECT_EQ(plain.find("0 0 240 120"), std::string::npos);
}

// Unknown outlines and items, items of another outline and NULL pointers
// give each operation's failure value.
TEST_F(PassThrough, BadHandlesGiveTheFailureValue) {
  kit::Outline other{"Form frmOther\n"};
  HITEM foreign = other.item("frmOther");
  const HOUTLINE unknown = 0x7EADBEEF;
  HSTRING text = 123;
  HSTRING value = 456;
  char buffer[8] = "x";
  kit::Array names(HOST_TYPE_STRING);
  struct Case {
    const char* what;
    std::function<LONG()> call;
    LONG failure;
  } cases[] = {
      {"SetStrProperty", [&] { return ODKSetStrProperty(unknown, first, "N", "t"); }, 0},
      {"SetStrProperty NULL name", [&] { return ODKSetStrProperty(app, first, nullptr, "t"); }, 0},
      {"GetStrProperty", [&] { return LONG(ODKGetStrProperty(app, foreign, "Hint", &value)); }, FALSE},
      {"GetStrProperty NULL result", [&] { return LONG(ODKGetStrProperty(app, first, "Hint", nullptr)); }, FALSE},
      {"RemoveStrProperty", [&] { return LONG(ODKRemoveStrProperty(0, first, "Hint")); }, FALSE},
      {"EnumStrProps", [&] { return ODKEnumStrProps(unknown, first, names); }, -1},
      {"EnumStrProps bad array", [&] { return ODKEnumStrProps(app, first, 0x7EAD); }, -1},
      {"NotifyPropertyChange", [&] { return LONG(ODKNotifyPropertyChange(app, foreign)); }, FALSE},
      {"GetTopItem", [&] { return LONG(ODKGetTopItem(unknown)); }, 0},
      {"ChildOfType", [&] { return LONG(ODKChildOfType(app, foreign, HOST_ITEM_FORM, 1)); }, 0},
      {"FirstChild", [&] { return LONG(ODKFirstChild(unknown, form)); }, 0},
      {"LastChild", [&] { return LONG(ODKLastChild(app, 0)); }, 0},
      {"NextSibling", [&] { return LONG(ODKNextSibling(other, middle)); }, 0},
      {"PrevSibling", [&] { return LONG(ODKPrevSibling(0, middle)); }, 0},
      {"Parent", [&] { return LONG(ODKParent(app, foreign)); }, 0},
      {"ItemType", [&] { return ODKItemType(app, foreign); }, -1},
      {"GetItemText", [&] { return LONG(ODKGetItemText(unknown, form, 1, &text)); }, FALSE},
      {"GetItemText NULL result", [&] { return LONG(ODKGetItemText(app, form, 1, nullptr)); }, FALSE},
      {"GetItemTypeText", [&] { return ODKGetItemTypeText(app, foreign, 1, buffer, sizeof buffer); }, -1},
      {"SetItemTypeText", [&] { return LONG(ODKSetItemTypeText(unknown, form, 1, "t", -1)); }, FALSE},
      {"SetObjectClass", [&] { return LONG(ODKSetObjectClass(app, 0, "c")); }, FALSE},
      {"GetItemTitle", [&] { return LONG(ODKGetItemTitle(app, foreign)); }, 0},
      {"DeleteItem", [&] { return LONG(ODKDeleteItem(app, foreign)); }, FALSE},
      {"SetItemData", [&] { return LONG(ODKSetItemData(unknown, form, 2, "x")); }, FALSE},
      {"InsertItem", [&] { return LONG(ODKInsertItem(app, foreign, form, 0)); }, FALSE},
      {"IsItemIncluded", [&] { return LONG(ODKIsItemIncluded(unknown, library)); }, FALSE},
      {"RefreshInclude", [&] { return ODKRefreshInclude(app, foreign); }, -1},
      {"ItemChangeUpdate", [&] { return LONG(ODKItemChangeUpdate(app, foreign, 1)); }, FALSE},
      {"CreateItem", [&] { return LONG(ODKCreateItem(unknown, HOST_ITEM_FORM)); }, 0},
      {"WindowOfItem", [&] { return LONG(LONG_PTR(ODKWindowOfItem(app, foreign))); }, 0},
      {"IsThisAWindow", [&] { return LONG(ODKIsThisAWindow(other, middle)); }, FALSE},
      {"MarkApplicationChanged", [&] { return LONG(ODKMarkApplicationChanged(unknown)); }, FALSE},
      {"MarkApplicationUncompiled", [&] { return LONG(ODKMarkApplicationUncompiled(0)); }, FALSE},
      {"ItemGetLineCount", [&] { return ODKItemGetLineCount(app, foreign); }, -1},
      {"ReleaseApp", [&] { return LONG(ODKReleaseApp(unknown)); }, FALSE},
      {"OutlineSave", [&] { return LONG(ODKOutlineSave(unknown, "C:\\outkit_never.out")); }, FALSE},
      {"OutlineSave NULL name", [&] { return LONG(ODKOutlineSave(app, nullptr)); }, FALSE},
      {"OutlineSaveAsText", [&] { return LONG(ODKOutlineSaveAsText(0, "C:\\outkit_never.txt", 0)); }, FALSE},
  };
  LONG strings = HostTestLiveStrings();
  for (const Case& c : cases) EXPECT_EQ(c.call(), c.failure) << c.what;
  EXPECT_EQ(text, 0u);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(HostTestLiveStrings(), strings);
  EXPECT_EQ(HostOutlineFlags(app), 0);
  EXPECT_EQ(HostItemGetLineCount(app, top), 8);
}

} // namespace
