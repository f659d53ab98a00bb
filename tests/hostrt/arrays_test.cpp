// Arrays: bounds (the empty-array rule), growth, types, dimensions, string
// ownership, raw elements.
#include "hostrt.h"

#include <gtest/gtest.h>

namespace {

struct Bounds {
  LONG count, lower, upper;
  bool operator==(const Bounds& o) const { return count == o.count && lower == o.lower && upper == o.upper; }
};
std::ostream& operator<<(std::ostream& os, const Bounds& b) {
  return os << "{" << b.count << ", " << b.lower << ", " << b.upper << "}";
}

Bounds bounds(HARRAY a) {
  Bounds b{-9, -9, -9};
  HostArrayGetBounds(a, &b.count, &b.lower, &b.upper);
  return b;
}

HostNumber number(LONG v) {
  HostNumber n{};
  HostNumberFromLong(&n, v);
  return n;
}

class ArrayTest : public ::testing::Test {
protected:
  void TearDown() override {
    for (HARRAY a : arrays) HostArrayFree(a);
  }
  HARRAY make(LONG type, LONG dims = 1) {
    HARRAY a = HostArrayCreate(type, dims);
    arrays.push_back(a);
    return a;
  }
  std::vector<HARRAY> arrays;
};

TEST_F(ArrayTest, EmptyArrayBounds) {
  HARRAY a = make(HOST_TYPE_NUMBER);
  EXPECT_TRUE(HostArrayIsEmpty(a));
  EXPECT_EQ(bounds(a), (Bounds{0, 0, 0}));  // upper = the index the first element takes
  EXPECT_EQ(HostArrayGetUpperBound(a, 1), -1);
  ASSERT_TRUE(HostArraySetNumber(a, 0, number(7)));
  EXPECT_EQ(bounds(a), (Bounds{1, 0, 0}));
  ASSERT_TRUE(HostArraySetUpperBound(a, 0, -1));  // "0 .. -1"
  EXPECT_TRUE(HostArrayIsEmpty(a));
  EXPECT_EQ(HostArrayGetUpperBound(a, 1), -1);
  EXPECT_EQ(bounds(a), (Bounds{0, 0, 0}));
  ASSERT_TRUE(HostArraySetUpperBound(a, 5, 4));
  EXPECT_EQ(bounds(a), (Bounds{0, 5, 5}));
  EXPECT_EQ(HostArrayGetUpperBound(a, 1), 4);
}

TEST_F(ArrayTest, NextIndexRuleNeverWritesBelowTheLowerBound) {
  // The enumerators' rule: next = upper + 1 when there are elements, else upper.
  HARRAY a = make(HOST_TYPE_VALUE);
  HostArraySetUpperBound(a, 3, 2);
  for (DWORD v = 1; v <= 3; ++v) {
    Bounds b = bounds(a);
    LONG next = b.count ? b.upper + 1 : b.upper;
    ASSERT_TRUE(HostArraySetValue(a, next, v));
  }
  EXPECT_EQ(bounds(a), (Bounds{3, 3, 5}));
  DWORD v = 0;
  EXPECT_TRUE(HostArrayGetValue(a, 3, &v));
  EXPECT_EQ(v, 1u);
}

TEST_F(ArrayTest, GrowsOnWriteAndRefusesBelowTheLowerBound) {
  HARRAY a = make(HOST_TYPE_VALUE);
  ASSERT_TRUE(HostArraySetValue(a, 4, 44));
  EXPECT_EQ(bounds(a), (Bounds{5, 0, 4}));
  DWORD v = 99;
  EXPECT_TRUE(HostArrayGetValue(a, 2, &v));
  EXPECT_EQ(v, 0u);  // an element never written reads empty
  EXPECT_FALSE(HostArrayGetValue(a, 5, &v));
  EXPECT_FALSE(HostArraySetValue(a, -1, 1));
  EXPECT_FALSE(HostArraySetValue(a, HOST_ARRAY_MAX_ELEMENTS + 10, 1));
  EXPECT_EQ(bounds(a), (Bounds{5, 0, 4}));
  EXPECT_FALSE(HostArraySetUpperBound(a, 0, -2));
  EXPECT_FALSE(HostArrayGetValue(a, 0, nullptr));
}

TEST_F(ArrayTest, LoweringTheUpperBoundDropsElementsAndKeepsIndexes) {
  HARRAY a = make(HOST_TYPE_NUMBER);
  for (LONG i = 0; i < 5; ++i) HostArraySetNumber(a, i, number(i * 10));
  ASSERT_TRUE(HostArraySetBound(a, 1, 2));
  EXPECT_EQ(bounds(a), (Bounds{3, 0, 2}));
  ASSERT_TRUE(HostArraySetUpperBound(a, 1, 4));
  HostNumber n{};
  EXPECT_FALSE(HostArrayGetNumber(a, 0, &n));
  EXPECT_TRUE(HostArrayGetNumber(a, 2, &n));
  EXPECT_EQ(HostNumberToLong(n), 20);
  EXPECT_TRUE(HostArrayGetNumber(a, 4, &n));
  EXPECT_EQ(n.bytes[0], 0);  // re-grown: empty
}

// An array ending at the largest index: rebounding and freeing it walk
// its elements without the index wrapping.
TEST_F(ArrayTest, UpperBoundAtTheLargestIndex) {
  HARRAY a = make(HOST_TYPE_STRING);
  const LONG top = 0x7FFFFFFF;
  ASSERT_TRUE(HostArraySetUpperBound(a, top - 1, top - 2));
  ASSERT_TRUE(HostArraySetString(a, top - 1, HostStrFromText("a")));
  ASSERT_TRUE(HostArraySetString(a, top, HostStrFromText("b")));
  EXPECT_EQ(bounds(a), (Bounds{2, top - 1, top}));
  ASSERT_TRUE(HostArraySetUpperBound(a, top, top));
  HSTRING s = 0;
  EXPECT_TRUE(HostArrayGetString(a, top, &s));
  EXPECT_STREQ(HostStrLock(s, nullptr), "b");
  LONG live = HostTestLiveStrings();
  EXPECT_TRUE(HostArrayFree(a));
  arrays.clear();
  EXPECT_EQ(HostTestLiveStrings(), live - 1);
}

TEST_F(ArrayTest, TypesMustMatch) {
  struct Case { LONG type; bool value, number, date, string, handle; } cases[] = {
      {HOST_TYPE_VALUE, true, false, false, false, false},  {HOST_TYPE_DATE, false, false, true, false, false},
      {HOST_TYPE_NUMBER, false, true, false, false, false}, {HOST_TYPE_STRING, false, false, false, true, false},
      {HOST_TYPE_LONGSTRING, false, false, false, true, false}, {HOST_TYPE_HANDLE, false, false, false, false, true},
  };
  for (const auto& c : cases) {
    HARRAY a = make(c.type);
    EXPECT_EQ(HostArrayGetType(a), c.type);
    EXPECT_EQ(!!HostArraySetValue(a, 0, 1), c.value) << c.type;
    EXPECT_EQ(!!HostArraySetNumber(a, 0, number(1)), c.number) << c.type;
    EXPECT_EQ(!!HostArraySetDate(a, 0, number(20240101)), c.date) << c.type;
    EXPECT_EQ(!!HostArraySetString(a, 0, 0), c.string) << c.type;
    EXPECT_EQ(!!HostArraySetHandle(a, 0, HWND(1)), c.handle) << c.type;
  }
  for (LONG bad : {0, 4, 6, 8, 255, 257, -1}) EXPECT_EQ(HostArrayCreate(bad, 1), 0u) << bad;
  EXPECT_EQ(HostArrayCreate(HOST_TYPE_VALUE, 0), 0u);
  EXPECT_EQ(HostArrayCreate(HOST_TYPE_VALUE, 9), 0u);
}

TEST_F(ArrayTest, DimensionsKeepTheirOwnBounds) {
  HARRAY a = make(HOST_TYPE_VALUE, 2);
  EXPECT_EQ(HostArrayGetDimensions(a), 2);
  EXPECT_TRUE(HostArraySetBound(a, 2, 9));
  EXPECT_EQ(HostArrayGetUpperBound(a, 2), 9);
  EXPECT_EQ(HostArrayGetLowerBound(a, 2), 0);
  EXPECT_EQ(HostArrayGetUpperBound(a, 1), -1);
  EXPECT_EQ(HostArrayGetUpperBound(a, 3), HOST_NO_BOUND);
  EXPECT_EQ(HostArrayGetUpperBound(a, 0), HOST_NO_BOUND);
  EXPECT_FALSE(HostArraySetBound(a, 3, 1));
}

TEST_F(ArrayTest, StringsAreAdoptedOnSetLentOnGetAndFreedWhenDropped) {
  HARRAY a = make(HOST_TYPE_STRING);
  HSTRING s1 = HostStrFromText("one"), s2 = HostStrFromText("two");
  ASSERT_TRUE(HostArraySetString(a, 0, s1));  // the array now owns our hold
  EXPECT_EQ(HostStrHolds(s1), 1);
  HSTRING got = 0;
  ASSERT_TRUE(HostArrayGetString(a, 0, &got));
  EXPECT_EQ(got, s1);
  EXPECT_EQ(HostStrHolds(s1), 1);  // lent, not held
  // Moving a string to another index takes one more hold.
  HostStrHold(got);
  ASSERT_TRUE(HostArraySetString(a, 1, got));
  EXPECT_EQ(HostStrHolds(s1), 2);
  // Overwriting frees the string the element held.
  ASSERT_TRUE(HostArraySetString(a, 0, s2));
  EXPECT_EQ(HostStrHolds(s1), 1);
  // Lowering the bound frees what falls out.
  ASSERT_TRUE(HostArraySetUpperBound(a, 0, 0));
  EXPECT_EQ(HostStrHolds(s1), 0);
  EXPECT_EQ(HostStrGetLength(s1), -1);
  // An unknown string handle is refused, 0 empties an element.
  EXPECT_FALSE(HostArraySetString(a, 0, 0x12345));
  EXPECT_TRUE(HostArraySetString(a, 0, 0));
  EXPECT_EQ(HostStrHolds(s2), 0);
  LONG live = HostTestLiveStrings();
  HostArraySetString(a, 3, HostStrFromText("x"));
  HostArrayFree(a);
  EXPECT_EQ(HostTestLiveStrings(), live);
}

TEST_F(ArrayTest, RawElementsOfObjectHandles) {
  HARRAY a = make(HOST_TYPE_OBJECT);
  HELEMENT e = HostArrayElement(a, 0);
  ASSERT_NE(e, 0u);
  EXPECT_EQ(HostArrayElement(a, 0), e);
  auto* data = static_cast<unsigned char*>(HostElementData(e));
  ASSERT_NE(data, nullptr);
  HostNumberFromULong(reinterpret_cast<HostNumber*>(data), 0xA00001);
  HostNumberFromULong(reinterpret_cast<HostNumber*>(data + 13), 0xA00002);
  HostNumberFromLong(reinterpret_cast<HostNumber*>(data + 26), 1);
  HostNumber third{};
  memcpy(third.bytes, data + 26, 13);
  EXPECT_EQ(HostNumberToLong(third), 1);
  EXPECT_EQ(bounds(a), (Bounds{1, 0, 0}));
  HostArraySetUpperBound(a, 0, -1);
  EXPECT_EQ(HostElementData(e), nullptr);  // dropped
  EXPECT_EQ(HostArrayElement(make(HOST_TYPE_STRING), 0), 0u);
  EXPECT_EQ(HostElementData(0), nullptr);
}

TEST_F(ArrayTest, UnknownHandles) {
  HARRAY bad = 0x4242;
  Bounds b = bounds(bad);
  EXPECT_EQ(b, (Bounds{0, 0, 0}));
  EXPECT_FALSE(HostArrayGetBounds(bad, nullptr, nullptr, nullptr));
  EXPECT_EQ(HostArrayGetDimensions(bad), -1);
  EXPECT_TRUE(HostArrayIsEmpty(bad));
  EXPECT_EQ(HostArrayGetUpperBound(bad, 1), HOST_NO_BOUND);
  EXPECT_FALSE(HostArraySetUpperBound(bad, 0, 1));
  EXPECT_FALSE(HostArraySetValue(bad, 0, 1));
  EXPECT_FALSE(HostArrayFree(bad));
  HARRAY a = HostArrayCreate(HOST_TYPE_VALUE, 1);
  HostArrayFree(a);
  EXPECT_FALSE(HostArraySetValue(a, 0, 1));
  EXPECT_EQ(HostArrayGetType(a), 0);
}

} // namespace
