// The six enumerators: the section look-up, comment items passed over, the
// "DATASOURCE" test, names and texts, where elements go, and what happens
// when an element cannot be added or a text cannot be read.
#include "itemtext.h"
#include "kit.h"

#include <climits>
#include <cstring>
#include <vector>

namespace {

const LONG kSources = 40, kEmpty = 41, kNames = 42, kMissing = 99;

const char* const kApp = R"(Application Enumerators
  Form frmMain
    #40 Sources
      Object dsOrders!the order database
        $DATASOURCE = YES
      Comment a note between them
        $DATASOURCE = YES
      Object dsLower
        $DATASOURCE = yes
      Object dsPlain
      Object dsCustomers
        $DATASOURCE = YES
    #41 Empty
  #42 Names
    Object Form1!comment
    Comment Form1
    Object Form2
    Object !only a comment
    Object Form3!a!b
)";

struct ObjectHandle {
  DWORD outline, item;
  LONG flag;
};

ObjectHandle objectAt(HARRAY array, LONG index) {
  const BYTE* data = static_cast<const BYTE*>(HostElementData(HostArrayElement(array, index)));
  auto number = [&](int offset) {
    HostNumber n{};
    memcpy(n.bytes, data + offset, HOST_VALUE_SIZE);
    return n;
  };
  if (!data) return {0, 0, -1};
  return {HostNumberToULong(number(ODK_OBJECT_OUTLINE)), HostNumberToULong(number(ODK_OBJECT_ITEM)),
          HostNumberToLong(number(ODK_OBJECT_FLAG))};
}

class Enumerators : public ::testing::Test {
protected:
  void SetUp() override { liveStrings = HostTestLiveStrings(); }
  void TearDown() override { HostTestFailStrCreate(0); }

  std::vector<HITEM> objectItems(HARRAY array) {
    std::vector<HITEM> items;
    for (LONG i = HostArrayGetLowerBound(array, 1); i <= HostArrayGetUpperBound(array, 1); ++i) {
      ObjectHandle h = objectAt(array, i);
      EXPECT_EQ(h.outline, HOUTLINE(app));
      EXPECT_EQ(h.flag, 1);
      items.push_back(h.item);
    }
    return items;
  }
  std::vector<std::string> strings(HARRAY array) {
    std::vector<std::string> texts;
    for (LONG i = HostArrayGetLowerBound(array, 1); i <= HostArrayGetUpperBound(array, 1); ++i)
      texts.push_back(kit::stringAt(array, i));
    return texts;
  }

  kit::Outline app{kApp};
  HITEM top = app.top();
  HITEM orders = app.item("frmMain.Sources.dsOrders");
  HITEM lower = app.item("frmMain.Sources.dsLower");
  HITEM plain = app.item("frmMain.Sources.dsPlain");
  HITEM customers = app.item("frmMain.Sources.dsCustomers");
  HITEM form1 = app.item("Names.Form1");
  HITEM form2 = app.item("Names.Form2");
  HITEM form3 = app.item("Names.Form3");
  HITEM nameless = HostNextSibling(app, form2);  // "!only a comment"
  LONG liveStrings = 0;
};

TEST_F(Enumerators, DataSourcesAreTheChildrenMarkedYes) {
  ASSERT_TRUE(orders && customers);
  kit::Array objects(HOST_TYPE_OBJECT);
  // The section lies two levels below the top item.
  EXPECT_EQ(ODKEnumDataSources(app, top, kSources, objects), 2);
  EXPECT_EQ(objectItems(objects), (std::vector<HITEM>{orders, customers}));
  EXPECT_EQ(HostTestLiveStrings(), liveStrings);
}

TEST_F(Enumerators, ObjectHandlesAreEveryChildButComments) {
  kit::Array objects(HOST_TYPE_OBJECT);
  EXPECT_EQ(ODKEnumObjectHandles(app, top, kSources, objects), 4);
  EXPECT_EQ(objectItems(objects), (std::vector<HITEM>{orders, lower, plain, customers}));
}

TEST_F(Enumerators, ObjectElementsHoldThreeNumbersAtTheirOffsets) {
  kit::Array objects(HOST_TYPE_OBJECT);
  ASSERT_EQ(ODKEnumObjectHandles(app, top, kNames, objects), 4);
  const BYTE* data = static_cast<const BYTE*>(HostElementData(HostArrayElement(objects, 0)));
  ASSERT_NE(data, nullptr);
  HostNumber outline{}, item{}, one{};
  HostNumberFromULong(&outline, app);
  HostNumberFromULong(&item, form1);
  HostNumberFromLong(&one, 1);
  EXPECT_EQ(memcmp(data + 0, outline.bytes, HOST_VALUE_SIZE), 0);
  EXPECT_EQ(memcmp(data + 13, item.bytes, HOST_VALUE_SIZE), 0);
  EXPECT_EQ(memcmp(data + 26, one.bytes, HOST_VALUE_SIZE), 0);
}

// The property's value decides, byte for byte: only "YES" (its text ends at
// the first zero byte) makes a data source.
TEST_F(Enumerators, DataSourceValueMustBeExactlyYes) {
  struct Case {
    std::string bytes;  // stored as is
    LONG count;
  } cases[] = {
      {std::string("YES", 4), 1},     {std::string("YES", 3), 1},  {std::string("YES\0X", 5), 1},
      {std::string("yes", 4), 0},     {std::string("Yes", 4), 0},  {std::string("YES ", 5), 0},
      {std::string(" YES", 5), 0},    {std::string("YESS", 5), 0}, {std::string("YE", 3), 0},
      {std::string("", 1), 0},        {std::string(), 0},
  };
  for (const Case& c : cases) {
    kit::Outline outline{"Section Sources\n  Object dsOne\n"};
    HITEM item = outline.item("Sources.dsOne");
    ASSERT_EQ(HostSetStrProperty(outline, item, "DATASOURCE", c.bytes.data(), WORD(c.bytes.size())), 1);
    kit::Array objects(HOST_TYPE_OBJECT);
    LONG strings = HostTestLiveStrings();
    EXPECT_EQ(ODKEnumDataSources(outline, outline.top(), HOST_ITEM_SECTION, objects), c.count)
        << "\"" << c.bytes << "\" (" << c.bytes.size() << " bytes)";
    EXPECT_EQ(objects.count(), c.count);
    EXPECT_EQ(HostTestLiveStrings(), strings) << "the property's string is freed";
  }
}

TEST_F(Enumerators, DataSourcePropertyNameIsCaseSensitive) {
  kit::Outline outline{"Section Sources\n  Object dsOne\n    $DataSource = YES\n"};
  kit::Array objects(HOST_TYPE_OBJECT);
  EXPECT_EQ(ODKEnumDataSources(outline, outline.top(), HOST_ITEM_SECTION, objects), 0);
}

TEST_F(Enumerators, NamesAreTextsCutAtTheFirstBang) {
  kit::Array names(HOST_TYPE_STRING);
  EXPECT_EQ(ODKEnumObjectsByName(app, top, kNames, names), 4);
  EXPECT_EQ(strings(names), (std::vector<std::string>{"Form1", "Form2", "", "Form3"}));
  for (LONG i = 0; i < 4; ++i) {
    HSTRING s = 0;
    ASSERT_TRUE(HostArrayGetString(names, i, &s));
    EXPECT_EQ(HostStrGetLength(s), LONG(strlen(HostStrLock(s, nullptr)))) << "a cut name has its own length";
    EXPECT_EQ(HostStrHolds(s), 1) << "the array keeps the only hold";
  }
}

TEST_F(Enumerators, TextsAreWholeItemTexts) {
  kit::Array texts(HOST_TYPE_LONGSTRING);
  EXPECT_EQ(ODKEnumObjectsByText(app, top, kNames, texts), 4);
  EXPECT_EQ(strings(texts),
            (std::vector<std::string>{"Form1!comment", "Form2", "!only a comment", "Form3!a!b"}));
}

TEST_F(Enumerators, ElementsGoAfterTheLastOne) {
  kit::Array objects(HOST_TYPE_OBJECT);
  ASSERT_TRUE(HostArraySetUpperBound(objects, 1, 2));
  EXPECT_EQ(ODKEnumDataSources(app, top, kSources, objects), 2);
  EXPECT_EQ(objects.lower(), 1);
  EXPECT_EQ(objects.upper(), 4);
  EXPECT_EQ(objectAt(objects, 3).item, orders);
  EXPECT_EQ(objectAt(objects, 4).item, customers);

  kit::Array names(HOST_TYPE_STRING);
  ASSERT_TRUE(HostArraySetString(names, 0, HostStrFromText("kept")));
  EXPECT_EQ(ODKEnumObjectsByName(app, top, kNames, names), 4);
  EXPECT_EQ(strings(names), (std::vector<std::string>{"kept", "Form1", "Form2", "", "Form3"}));
}

TEST_F(Enumerators, AnEmptyArrayFillsFromItsLowerBound) {
  kit::Array objects(HOST_TYPE_OBJECT);
  ASSERT_TRUE(HostArraySetUpperBound(objects, 5, 4));
  EXPECT_EQ(ODKEnumObjectHandles(app, top, kSources, objects), 4);
  EXPECT_EQ(objects.lower(), 5);
  EXPECT_EQ(objects.upper(), 8);
  EXPECT_EQ(objectAt(objects, 5).item, orders);

  kit::Array texts(HOST_TYPE_STRING);
  ASSERT_TRUE(HostArraySetUpperBound(texts, -3, -4));
  EXPECT_EQ(ODKEnumObjectsByText(app, top, kNames, texts), 4);
  EXPECT_EQ(texts.lower(), -3);
  EXPECT_EQ(kit::stringAt(texts, -3), "Form1!comment");
}

TEST_F(Enumerators, EmptyOrMissingSectionGivesZeroAndLeavesTheArray) {
  for (LONG type : {kEmpty, kMissing}) {
    kit::Array objects(HOST_TYPE_OBJECT), texts(HOST_TYPE_STRING);
    ASSERT_TRUE(HostArraySetUpperBound(objects, 2, 3));
    ASSERT_TRUE(HostArraySetUpperBound(texts, 0, 1));
    EXPECT_EQ(ODKEnumDataSources(app, top, type, objects), 0);
    EXPECT_EQ(ODKEnumObjectHandles(app, top, type, objects), 0);
    EXPECT_EQ(ODKEnumObjectsByName(app, top, type, texts), 0);
    EXPECT_EQ(ODKEnumObjectsByText(app, top, type, texts), 0);
    EXPECT_EQ(ODKGetChildObjectByName(app, top, type, "Form1"), 0u);
    EXPECT_EQ(ODKGetChildObjectByText(app, top, type, "Form2"), 0u);
    EXPECT_EQ(objects.lower(), 2);
    EXPECT_EQ(objects.upper(), 3);
    EXPECT_EQ(texts.upper(), 1);
  }
}

TEST_F(Enumerators, TheSectionIsLookedUpBelowTheParentOnly) {
  HITEM form = app.item("frmMain");
  kit::Array objects(HOST_TYPE_OBJECT);
  EXPECT_EQ(ODKEnumObjectHandles(app, form, kSources, objects), 4);
  EXPECT_EQ(ODKEnumObjectHandles(app, form, kNames, objects), 0);
  EXPECT_EQ(ODKGetChildObjectByName(app, form, kNames, "Form2"), 0u);
}

TEST_F(Enumerators, UnreadableTextsAreCountedButNotAdded) {
  kit::Array names(HOST_TYPE_STRING);
  HostTestFailStrCreate(1);  // the first child's text cannot be made
  EXPECT_EQ(ODKEnumObjectsByName(app, top, kNames, names), 4);
  EXPECT_EQ(strings(names), (std::vector<std::string>{"Form2", "", "Form3"}));

  kit::Array texts(HOST_TYPE_STRING);
  HostTestFailStrCreate(-1);
  EXPECT_EQ(ODKEnumObjectsByText(app, top, kNames, texts), 4);
  EXPECT_EQ(texts.count(), 0);
}

TEST_F(Enumerators, UnreadablePropertyIsNoDataSource) {
  kit::Array objects(HOST_TYPE_OBJECT);
  HostTestFailStrCreate(1);  // dsOrders' property cannot be read
  EXPECT_EQ(ODKEnumDataSources(app, top, kSources, objects), 1);
  EXPECT_EQ(objectItems(objects), (std::vector<HITEM>{customers}));
}

// A full array (the host's size limit) takes no element: the enumerator
// stops at the first child it would add and answers 0. One case for each
// kind of element (a full object array is large).
TEST_F(Enumerators, ZeroAtOnceWhenAnElementCannotBeAdded) {
  struct Case {
    const char* what;
    LONG type;
    LONG(ODKAPI* enumerate)(HOUTLINE, HITEM, LONG, HARRAY);
    LONG section;
  } cases[] = {
      {"data sources", HOST_TYPE_OBJECT, ODKEnumDataSources, kSources},
      {"names", HOST_TYPE_STRING, ODKEnumObjectsByName, kNames},
  };
  const LONG last = HOST_ARRAY_MAX_ELEMENTS - 1;
  for (const Case& c : cases) {
    {
      kit::Array array(c.type);
      ASSERT_TRUE(HostArraySetUpperBound(array, 0, last)) << c.what;
      EXPECT_EQ(c.enumerate(app, top, c.section, array), 0) << c.what;
      EXPECT_EQ(array.upper(), last) << c.what;
    }
    EXPECT_EQ(HostTestLiveStrings(), liveStrings) << c.what << ": no string left behind";
  }
}

TEST_F(Enumerators, ArraysOfAnotherKindAreLeftAlone) {
  kit::Array numbers(HOST_TYPE_NUMBER), values(HOST_TYPE_VALUE), objects(HOST_TYPE_OBJECT),
      texts(HOST_TYPE_STRING);
  const HARRAY unknown = 0x7EAD;
  for (HARRAY wrong : {HARRAY(numbers), HARRAY(values), HARRAY(texts), unknown, HARRAY(0)}) {
    EXPECT_EQ(ODKEnumDataSources(app, top, kSources, wrong), 0);
    EXPECT_EQ(ODKEnumObjectHandles(app, top, kSources, wrong), 0);
  }
  for (HARRAY wrong : {HARRAY(numbers), HARRAY(values), HARRAY(objects), unknown, HARRAY(0)}) {
    EXPECT_EQ(ODKEnumObjectsByName(app, top, kNames, wrong), 0);
    EXPECT_EQ(ODKEnumObjectsByText(app, top, kNames, wrong), 0);
  }
  for (const kit::Array* a : {&numbers, &values, &objects, &texts}) EXPECT_EQ(a->count(), 0);
  EXPECT_EQ(HostTestLiveStrings(), liveStrings);
}

TEST_F(Enumerators, FindByNameComparesTheTextUpToTheBang) {
  struct Case {
    const char* name;
    HITEM found;
  } cases[] = {
      {"Form1", form1},  {"Form2", form2}, {"Form3", form3}, {"form1", 0},
      {"Form", 0},       {"Form1!comment", 0}, {"Form1 ", 0}, {"Form3!a", 0},
      {"", nameless},
  };
  for (const Case& c : cases) EXPECT_EQ(ODKGetChildObjectByName(app, top, kNames, c.name), c.found) << c.name;
  EXPECT_EQ(HostTestLiveStrings(), liveStrings);
}

TEST_F(Enumerators, FindByTextComparesTheWholeText) {
  struct Case {
    const char* text;
    HITEM found;
  } cases[] = {
      {"Form1!comment", form1}, {"Form2", form2}, {"Form3!a!b", form3},
      {"Form1", 0},  // the comment item "Form1" is passed over
      {"form2", 0},  {"Form1!Comment", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ODKGetChildObjectByText(app, top, kNames, c.text), c.found) << c.text;
  EXPECT_EQ(HostTestLiveStrings(), liveStrings);
}

TEST_F(Enumerators, FindSkipsChildrenWhoseTextCannotBeRead) {
  HostTestFailStrCreate(1);
  EXPECT_EQ(ODKGetChildObjectByName(app, top, kNames, "Form1"), 0u);
  EXPECT_EQ(ODKGetChildObjectByName(app, top, kNames, "Form1"), form1);
}

TEST_F(Enumerators, BadHandlesGiveZero) {
  kit::Outline other{"#42 Names\n  Object Form1\n"};
  const HOUTLINE unknown = 0x7EADBEEF;
  kit::Array objects(HOST_TYPE_OBJECT), texts(HOST_TYPE_STRING);
  struct Case {
    HOUTLINE outline;
    HITEM parent;
  } cases[] = {{0, top}, {unknown, top}, {app, 0}, {app, other.top()}, {other, top}};
  for (const Case& c : cases) {
    EXPECT_EQ(ODKEnumDataSources(c.outline, c.parent, kSources, objects), 0);
    EXPECT_EQ(ODKEnumObjectHandles(c.outline, c.parent, kNames, objects), 0);
    EXPECT_EQ(ODKEnumObjectsByName(c.outline, c.parent, kNames, texts), 0);
    EXPECT_EQ(ODKEnumObjectsByText(c.outline, c.parent, kNames, texts), 0);
    EXPECT_EQ(ODKGetChildObjectByName(c.outline, c.parent, kNames, "Form1"), 0u);
    EXPECT_EQ(ODKGetChildObjectByText(c.outline, c.parent, kNames, "Form1"), 0u);
  }
  EXPECT_EQ(ODKGetChildObjectByName(app, top, kNames, nullptr), 0u);
  EXPECT_EQ(ODKGetChildObjectByText(app, top, kNames, nullptr), 0u);
  EXPECT_EQ(objects.count(), 0);
  EXPECT_EQ(texts.count(), 0);
}

TEST(ItemText, TextEndsAtTheFirstZeroOrTheEnd) {
  using outkit::textLength;
  EXPECT_EQ(textLength("abc", 4), 3u);
  EXPECT_EQ(textLength("abc", 3), 3u);
  EXPECT_EQ(textLength("a\0c", 3), 1u);
  EXPECT_EQ(textLength("", 0), 0u);
  EXPECT_EQ(textLength(nullptr, 5), 0u);
}

TEST(ItemText, NameEndsAtTheFirstBang) {
  using outkit::nameLength;
  EXPECT_EQ(nameLength("Form1!comment", 13), 5u);
  EXPECT_EQ(nameLength("Form1", 5), 5u);
  EXPECT_EQ(nameLength("!x", 2), 0u);
  EXPECT_EQ(nameLength("a!b!c", 5), 1u);
  EXPECT_EQ(nameLength("ab!", 2), 2u) << "a '!' beyond the length does not count";
}

TEST(ItemText, SameTextIsExact) {
  using outkit::sameText;
  EXPECT_TRUE(sameText("Form1!x", 5, "Form1"));
  EXPECT_FALSE(sameText("Form1!x", 5, "form1"));
  EXPECT_FALSE(sameText("Form1!x", 5, "Form"));
  EXPECT_FALSE(sameText("Form1!x", 6, "Form1"));
  EXPECT_TRUE(sameText("", 0, ""));
  EXPECT_FALSE(sameText(nullptr, 0, ""));
  EXPECT_FALSE(sameText("a", 1, nullptr));
}

} // namespace
