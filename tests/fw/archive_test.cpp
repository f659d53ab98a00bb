// The archive byte format: exact vectors, object tagging, schemas, and
// hardened loading of malformed data (raises, no crash, no leak).
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include "records.h"

namespace {

Bytes stringPrefix(DWORD length) {
  ByteWriter w;
  if (length < 0xFF)
    w.b(BYTE(length));
  else if (length < 0xFFFE)
    w.b(0xFF).w(WORD(length));
  else
    w.b(0xFF).w(0xFFFF).d(length);
  return w.bytes;
}

TEST(ArchiveValues, AreLittleEndian) {
  Bytes bytes = Store([](CArchive& ar) {
    ar << BYTE(1) << WORD(0x0203) << DWORD(0x04050607) << short(-2) << int(-1) << LONG(0x11223344);
  });
  Bytes expected = ByteWriter()
                       .b(1).w(0x0203).d(0x04050607).w(0xFFFE).d(0xFFFFFFFF).d(0x11223344).bytes;
  EXPECT_EQ(bytes, expected);
  Load(bytes, [](CArchive& ar) {
    BYTE b; WORD w; DWORD d; short s; int i; LONG l;
    ar >> b >> w >> d >> s >> i >> l;
    EXPECT_EQ(b, 1); EXPECT_EQ(w, 0x0203); EXPECT_EQ(d, 0x04050607u);
    EXPECT_EQ(s, -2); EXPECT_EQ(i, -1); EXPECT_EQ(l, 0x11223344);
  });
}

TEST(ArchiveStrings, UseOneThreeOrSevenBytePrefixes) {
  for (DWORD length : {0u, 1u, 254u, 255u, 0xFFFDu, 0xFFFEu, 0x10000u}) {
    SCOPED_TRACE(length);
    CString text(std::string(length, 'x'));
    Bytes bytes = Store([&](CArchive& ar) { ar << text; });
    Bytes prefix = stringPrefix(length);
    ASSERT_EQ(bytes.size(), prefix.size() + length);
    EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), bytes.begin()));
    Load(bytes, [&](CArchive& ar) {
      CString back;
      ar >> back;
      EXPECT_TRUE(back == text);
    });
  }
}

TEST(ArchiveCounts, AreSixteenBitsOrEscapedToThirtyTwo) {
  struct Case { DWORD count; Bytes bytes; } cases[] = {
      {0, ByteWriter().w(0).bytes},
      {0xFFFE, ByteWriter().w(0xFFFE).bytes},
      {0xFFFF, ByteWriter().w(0xFFFF).d(0xFFFF).bytes},
      {0x12345, ByteWriter().w(0xFFFF).d(0x12345).bytes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    Bytes bytes = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
    EXPECT_EQ(bytes, c.bytes);
    Load(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c.count); });
  }
}

// Indexes count every class and every object written, from 1: two items
// (class 1, objects 2 and 3), a picture (class 4, object 5) and two fonts
// (class 6, objects 7 and 8): the second font refers to class 6.
TEST(ArchiveObjects, IndexesCountClassesAndObjects) {
  TItem item1(1, "a"), item2(2, "b");
  TPic pic;
  TFont font1, font2;
  Bytes bytes = Store([&](CArchive& ar) {
    for (const CObject* o : std::initializer_list<const CObject*>{&item1, &item2, &pic, &font1, &font2})
      ar.WriteObject(o);
  });
  Bytes expected = ByteWriter()
                       .newClass("OBITEM").d(1).str("a")
                       .w(0x8001).d(2).str("b")
                       .newClass("OBPIC").w(0)
                       .newClass("OBFONT").w(8)
                       .w(0x8006).w(8)
                       .bytes;
  EXPECT_EQ(bytes, expected);
}

TEST(ArchiveObjects, ReferencesAreWrittenAndLoadedOnlyWhenAllowed) {
  TItem item(5, "same");
  Bytes bytes = Store([&](CArchive& ar) {
    ar.WriteObject(&item);
    ar.WriteObject(&item);
    ar.WriteObject(nullptr);
  });
  Bytes tail = ByteWriter().w(0x0002).w(0).bytes;
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - tail.size()));

  EXPECT_EQ(LoadFailure(bytes, [](CArchive& ar) {
              delete ar.ReadObject(RUNTIME_CLASS(TItem));
              ar.ReadObject(RUNTIME_CLASS(TItem));
            }),
            CArchiveException::badIndex);
  Load(bytes, [](CArchive& ar) {
    ar.AllowObjectReferences(true);
    CObject* first = ar.ReadObject(RUNTIME_CLASS(TItem));
    EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(TItem)), first);
    EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(TItem)), nullptr);
    delete first;
  });
}

TEST(ArchiveObjects, NullElementsStayNull) {
  CObArray items(RUNTIME_CLASS(TItem), true);
  items.Add(new TItem(1, "one"));
  items.Add(nullptr);
  items.Add(new TItem(3, "three"));
  Bytes bytes = Store([&](CArchive& ar) { items.Serialize(ar); });
  Bytes expected = ByteWriter()
                       .w(3)
                       .newClass("OBITEM").d(1).str("one")
                       .w(0)
                       .w(0x8001).d(3).str("three")
                       .bytes;
  EXPECT_EQ(bytes, expected);

  CObArray back(RUNTIME_CLASS(TItem), true);
  Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_EQ(back.GetSize(), 3);
  EXPECT_EQ(static_cast<TItem*>(back[0])->text, "one");
  EXPECT_EQ(back[1], nullptr);
  EXPECT_EQ(static_cast<TItem*>(back[2])->value, 3);
}

// A schema the class does not know is not an error: the object is created
// and its Serialize, told the stored schema, reads none of its fields.
TEST(ArchiveObjects, AnotherSchemaLoadsWithoutFields) {
  Bytes bytes = ByteWriter().newClass("OBITEM", 2).w(0x8759).bytes;
  Load(bytes, [](CArchive& ar) {
    CObject* o = ar.ReadObject(RUNTIME_CLASS(TItem));
    ASSERT_NE(o, nullptr);
    TItem* item = static_cast<TItem*>(o);
    EXPECT_EQ(item->value, -7);
    EXPECT_EQ(item->text, "default");
    WORD next = 0;
    ar >> next;
    EXPECT_EQ(next, 0x8759);
    EXPECT_EQ(ar.GetObjectSchema(), 0xFFFFu);
    delete o;
  });
}

TEST(ArchiveObjects, RecordWithArraysRoundTripsThroughAFile) {
  char path[] = "fw_archive_test.bin";
  TList list;
  list.items.Add(new TItem(10, "ten"));
  list.items.Add(new TItem(20, std::string(300, 'y').c_str()));
  list.names.Add("alpha");
  list.names.Add("");
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store, 16);
    ar.WriteObject(&list);
    ar.Close();
  }
  CFile file(path, CFile::modeRead);
  CArchive ar(&file, CArchive::load, 16);
  CObject* o = ar.ReadObject(RUNTIME_CLASS(TList));
  ASSERT_NE(o, nullptr);
  TList* back = static_cast<TList*>(o);
  ASSERT_EQ(back->items.GetSize(), 2);
  EXPECT_EQ(static_cast<TItem*>(back->items[1])->text.GetLength(), 300);
  ASSERT_EQ(back->names.GetSize(), 2);
  EXPECT_EQ(back->names[0], "alpha");
  EXPECT_EQ(ar.BytesRemaining(), 0u);
  delete o;
  ar.Close();
  file.Close();
  std::remove(path);
}

TEST(ArchiveObjects, TagsBeyondTheSixteenBitRangeAreRefused) {
  const int itemCount = 0x7FFD;  // class 1 and objects 2 .. 0x7FFE
  std::vector<TItem> items(itemCount);
  TPic pic1, pic2;               // class 0x7FFF, object 0x8000
  try {
    Store([&](CArchive& ar) {
      for (const TItem& item : items) ar.WriteObject(&item);
      ar.WriteObject(&items[0]);  // reference to index 2: fine
      ar.WriteObject(&pic1);      // a new class needs no index in its tag
      ar.WriteObject(&pic2);      // would need class index 0x7FFF
    });
    ADD_FAILURE() << "no exception";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::badIndex);
    e->Delete();
  }
  EXPECT_EQ(LoadFailure(ByteWriter().w(0x7FFF).bytes, [](CArchive& ar) { ar.ReadObject(nullptr); }),
            CArchiveException::badIndex);
}

TEST(ArchiveModes, WrongDirectionRaises) {
  CMemFile file;
  CArchive storing(&file, CArchive::store);
  BYTE b;
  try {
    storing >> b;
    ADD_FAILURE();
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
    e->Delete();
  }
  CArchive loading(&file, CArchive::load);
  try {
    loading << b;
    ADD_FAILURE();
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
    e->Delete();
  }
}

// ---- Malformed data ----

struct Malformed {
  const char* name;
  Bytes bytes;
  int cause;
};

class MalformedArchive : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedArchive, RaisesWithoutLeaking) {
  const Malformed& m = GetParam();
  long before = FwLiveAllocations();
  int itemsBefore = TItem::live;
  int cause = LoadFailure(m.bytes, [](CArchive& ar) {
    CObArray items(RUNTIME_CLASS(TItem), true);
    items.Serialize(ar);
    CStringArray names;
    names.Serialize(ar);
  });
  long after = FwLiveAllocations();
  EXPECT_EQ(cause, m.cause);
  EXPECT_EQ(after, before);
  EXPECT_EQ(TItem::live, itemsBefore);
}

// A count, then one well-formed item (class index 1, object index 2).
ByteWriter countAndItem(WORD count) { return ByteWriter().w(count).newClass("OBITEM").d(1).str("ok"); }

INSTANTIATE_TEST_SUITE_P(
    Loading, MalformedArchive,
    ::testing::Values(
        Malformed{"Empty", {}, CArchiveException::endOfFile},
        Malformed{"CountWithoutElements", ByteWriter().w(1).bytes, CArchiveException::badCount},
        Malformed{"HugeCount", ByteWriter().w(0xFFFF).d(0xFFFFFFF0).w(0).bytes, CArchiveException::badCount},
        Malformed{"NameLengthMissing", ByteWriter().w(1).w(0xFFFF).w(1).bytes, CArchiveException::endOfFile},
        Malformed{"UnknownClass", ByteWriter().w(1).newClass("NOPE").d(0).bytes, CArchiveException::badClass},
        Malformed{"UnexpectedClass", ByteWriter().w(1).newClass("OBPIC").w(0).bytes, CArchiveException::badClass},
        Malformed{"ClassNameLongerThanData", ByteWriter().w(1).w(0xFFFF).w(1).w(0xFFF0).chars("OBITEM").bytes,
                  CArchiveException::badCount},
        Malformed{"ClassIndexOfNothing", ByteWriter().w(1).w(0x8005).bytes, CArchiveException::badIndex},
        Malformed{"ClassIndexOfAnObject", countAndItem(2).w(0x8002).bytes,
                  CArchiveException::badIndex},
        Malformed{"ObjectReference", countAndItem(2).w(0x0002).bytes,
                  CArchiveException::badIndex},
        Malformed{"ReferenceToTheNullIndex", ByteWriter().w(1).w(0x8000).bytes, CArchiveException::badIndex},
        Malformed{"BigIndexEscape", ByteWriter().w(1).w(0x7FFF).d(1).bytes, CArchiveException::badIndex},
        Malformed{"TruncatedField", ByteWriter().w(1).newClass("OBITEM").w(1).bytes, CArchiveException::endOfFile},
        Malformed{"StringLongerThanData", ByteWriter().w(1).newClass("OBITEM").d(1).b(0xFF).w(0xFFFF).d(0x7FFFFFFF).bytes,
                  CArchiveException::badCount},
        Malformed{"SecondElementBroken", countAndItem(3).w(0x8001).d(2).b(9).chars("short").bytes,
                  CArchiveException::badCount},
        Malformed{"StringArrayHugeCount", ByteWriter().w(0).w(0xFFFF).d(0x40000000).bytes, CArchiveException::badCount},
        Malformed{"StringArrayTruncated", ByteWriter().w(0).w(2).str("one").b(4).chars("tw").bytes,
                  CArchiveException::badCount}),
    [](const ::testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

// Every allocation of a valid load fails in turn: each failure surfaces as
// CMemoryException and leaves nothing behind.
TEST(ArchiveMemory, EveryAllocationFailureIsCleanedUp) {
  TList list;
  for (int i = 0; i < 5; ++i) list.items.Add(new TItem(i, std::string(20 + i * 100, 'z').c_str()));
  list.items.Add(nullptr);
  list.names.Add("n1");
  list.names.Add(std::string(400, 'n').c_str());
  Bytes bytes = Store([&](CArchive& ar) { ar.WriteObject(&list); });

  bool completed = false;
  for (unsigned skip = 0; !completed && skip < 500; ++skip) {
    SCOPED_TRACE(skip);
    long before = FwLiveAllocations();
    int itemsBefore = TItem::live;
    bool memoryFailure = false;
    {
      CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
      CArchive ar(&file, CArchive::load, 512);
      FwFailAllocations(1, skip);
      try {
        delete ar.ReadObject(RUNTIME_CLASS(TList));
        completed = true;
      } catch (CMemoryException* e) {
        memoryFailure = true;
        e->Delete();
      } catch (CException* e) {
        e->Delete();
      }
      FwFailAllocations(0);
    }
    EXPECT_TRUE(completed || memoryFailure);
    EXPECT_EQ(FwLiveAllocations(), before);
    EXPECT_EQ(TItem::live, itemsBefore);
  }
  EXPECT_TRUE(completed);
}

}  // namespace
