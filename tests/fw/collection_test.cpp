// Collections, strings, memory files and exceptions of the core.
#include <gtest/gtest.h>
#include <set>
#include "records.h"

namespace {

template <class F>
bool raisesNotSupported(F f) {
  try {
    f();
  } catch (CNotSupportedException* e) {
    e->Delete();
    return true;
  }
  return false;
}

TEST(ObArray, OwningArrayDeletesWhatItRemoves) {
  int base = TItem::live;
  {
    CObArray a(RUNTIME_CLASS(TItem), true);
    for (int i = 0; i < 5; ++i) a.Add(new TItem(i, "x"));
    a.RemoveAt(1, 2);
    EXPECT_EQ(TItem::live, base + 3);
    a.SetAt(0, new TItem(9, "nine"));
    EXPECT_EQ(TItem::live, base + 3);
    CObject* replaced = a.ReplaceAt(0, nullptr);
    CObject* detached = a.DetachAt(1);
    EXPECT_EQ(TItem::live, base + 3);
    delete replaced;
    delete detached;
    a.SetSize(4);
    EXPECT_EQ(a.GetAt(3), nullptr);
    a.SetAtGrow(6, new TItem);
    EXPECT_EQ(a.GetSize(), 7);
    a.InsertAt(0, new TItem);
    EXPECT_EQ(TItem::live, base + 3);
  }
  EXPECT_EQ(TItem::live, base);
}

TEST(ObArray, NonOwningArrayLeavesElementsAlone) {
  TItem a, b;
  {
    CObArray list;
    list.Add(&a);
    list.Add(&b);
    list.RemoveAt(0);
    list.SetAt(0, &a);
  }
  SUCCEED();
}

TEST(ObArray, BadIndexesRaiseInsteadOfTouchingMemory) {
  CObArray a;
  a.Add(nullptr);
  EXPECT_TRUE(raisesNotSupported([&] { a.GetAt(1); }));
  EXPECT_TRUE(raisesNotSupported([&] { a.GetAt(-1); }));
  EXPECT_TRUE(raisesNotSupported([&] { a.RemoveAt(0, 2); }));
  EXPECT_TRUE(raisesNotSupported([&] { a.SetSize(-1); }));
  CStringArray s;
  EXPECT_TRUE(raisesNotSupported([&] { s.GetAt(0); }));
  EXPECT_TRUE(raisesNotSupported([&] { s.RemoveAt(0); }));
  CString text("ab");
  EXPECT_TRUE(raisesNotSupported([&] { text.GetAt(2); }));
  EXPECT_TRUE(raisesNotSupported([&] { text.SetAt(-1, 'x'); }));
}

TEST(StringArray, EditsAndRoundTrips) {
  CStringArray s;
  s.Add("b");
  s.InsertAt(0, "a");
  s.SetAtGrow(3, "d");
  s.RemoveAt(2);
  ASSERT_EQ(s.GetSize(), 3);
  EXPECT_EQ(s[0], "a");
  EXPECT_EQ(s[1], "b");
  EXPECT_EQ(s[2], "d");
  Bytes bytes = Store([&](CArchive& ar) { s.Serialize(ar); });
  EXPECT_EQ(bytes, ByteWriter().w(3).str("a").str("b").str("d").bytes);
  CStringArray back;
  back.Add("stale");
  Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_EQ(back.GetSize(), 3);
  EXPECT_EQ(back[2], "d");
}

TEST(MapStringToString, StoresLooksUpAndRemovesAcrossBlocks) {
  CMapStringToString map(10);
  const char* names[] = {"cColorComboBox", "cColorListBox", "cDirTreeListBox", "cDriveComboBox",
                         "cDriveListBox", "cFontComboBox", "cFontListBox", "cOutlineComboBox",
                         "cOutlineListBox", "cRadioListBox"};
  for (const char* n : names) map.SetAt(n, n);
  for (int i = 0; i < 25; ++i) map[CString().c_str()];  // the same empty key each time
  EXPECT_EQ(map.GetCount(), 11);
  for (int i = 0; i < 30; ++i) {
    CString key;
    key.Format("key%d", i);
    map[key] = key + "!";
  }
  EXPECT_EQ(map.GetCount(), 41);

  CString value;
  EXPECT_TRUE(map.Lookup("cFontListBox", value));
  EXPECT_EQ(value, "cFontListBox");
  EXPECT_FALSE(map.Lookup("cfontlistbox", value));
  EXPECT_TRUE(map.Lookup("key29", value));
  EXPECT_EQ(value, "key29!");
  EXPECT_TRUE(map.RemoveKey("key3"));
  EXPECT_FALSE(map.RemoveKey("key3"));
  EXPECT_FALSE(map.Lookup("key3", value));

  // Iteration runs in insertion order.
  POSITION pos = map.GetStartPosition();
  CString key;
  for (const char* n : names) {
    ASSERT_NE(pos, nullptr);
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(key, n);
  }
  int rest = 0;
  while (pos) {
    map.GetNextAssoc(pos, key, value);
    ++rest;
  }
  EXPECT_EQ(rest, 30);

  map.RemoveAll();
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.GetStartPosition(), nullptr);
  map.SetAt("again", "1");  // nodes are reused after RemoveAll
  EXPECT_EQ(map.GetCount(), 1);
}

TEST(String, OperationsOnBytes) {
  CString s("Hello, World");
  EXPECT_EQ(s.Mid(7), "World");
  EXPECT_EQ(s.Mid(7, 100), "World");
  EXPECT_EQ(s.Mid(100), "");
  EXPECT_EQ(s.Left(5), "Hello");
  EXPECT_EQ(s.Right(5), "World");
  EXPECT_EQ(s.Find("o"), 4);
  EXPECT_EQ(s.Find("o", 5), 8);
  EXPECT_EQ(s.Find("zz"), -1);
  EXPECT_EQ(s.CompareNoCase("hello, world"), 0);
  EXPECT_GT(CString("apple").Compare("Zebra"), 0);
  EXPECT_LT(CString("apple").CompareNoCase("Zebra"), 0);
  CString r("a%1b%1");
  EXPECT_EQ(r.Replace("%1", "[%1]"), 2);
  EXPECT_EQ(r, "a[%1]b[%1]");
  CString f;
  f.Format("%s-%d", "x", 42);
  EXPECT_EQ(f, "x-42");
  CString b;
  strcpy(b.GetBuffer(10), "abc");
  b.ReleaseBuffer();
  EXPECT_EQ(b.GetLength(), 3);
}

TEST(MemFile, GrowsInStepsAndSeeks) {
  CMemFile file(100);
  file.Write("abc", 3);
  EXPECT_EQ(file.GetLength(), 3u);
  file.Seek(10, CFile::begin);
  file.Write("z", 1);
  EXPECT_EQ(file.GetLength(), 11u);
  EXPECT_EQ(file.GetData()[5], 0);
  file.SeekToBegin();
  char buffer[20] = {};
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 11u);
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
  try {
    file.Seek(-1, CFile::begin);
    ADD_FAILURE();
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::badSeek);
    e->Delete();
  }
  file.SetLength(2);
  EXPECT_EQ(file.GetLength(), 2u);
  EXPECT_EQ(file.GetPosition(), 2u);
}

TEST(File, MissingFileRaisesFileNotFound) {
  try {
    CFile file("no such folder\\no such file.bin", CFile::modeRead);
    ADD_FAILURE();
  } catch (CFileException* e) {
    EXPECT_NE(e->m_cause, CFileException::none);
    e->Delete();
  }
}

TEST(Exceptions, AreThrownAsPointersAndKnowTheirClass) {
  struct Case {
    void (*raise)();
    const CRuntimeClass* cls;
  } cases[] = {
      {[] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
      {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
      {[] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException)},
      {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
      {[] { AfxThrowArchiveException(CArchiveException::badClass); }, RUNTIME_CLASS(CArchiveException)},
      {[] { AfxThrowFileException(CFileException::diskFull); }, RUNTIME_CLASS(CFileException)},
  };
  long before = FwLiveAllocations();
  for (const Case& c : cases) {
    try {
      c.raise();
    } catch (CException* e) {
      EXPECT_TRUE(e->IsKindOf(c.cls));
      EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
      EXPECT_FALSE(e->GetErrorMessage().IsEmpty());
      e->Delete();
    }
  }
  EXPECT_EQ(FwLiveAllocations(), before);
}

// A new-expression whose result is unused may be elided by the optimiser;
// calling the allocation function itself may not.
static void allocateAndFree() { ::operator delete(::operator new(sizeof(int))); }

TEST(Exceptions, FailedAllocationRaisesMemoryException) {
  FwFailAllocations(1);
  try {
    allocateAndFree();
    ADD_FAILURE() << "allocation did not fail";
  } catch (CMemoryException* e) {
    e->Delete();
    e->Delete();  // the shared memory exception is never freed
  }
  FwFailAllocations(2, 1);
  void* first = ::operator new(sizeof(int));
  int failures = 0;
  for (int i = 0; i < 3; ++i) {
    try {
      allocateAndFree();
    } catch (CMemoryException* e) {
      ++failures;
      e->Delete();
    }
  }
  ::operator delete(first);
  EXPECT_EQ(failures, 2);
  int* fine = new (std::nothrow) int(3);
  EXPECT_NE(fine, nullptr);
  delete fine;
}

TEST(RuntimeClass, CreatesRegisteredClassesByName) {
  const CRuntimeClass* cls = CRuntimeClass::FromName("OBITEM");
  ASSERT_EQ(cls, RUNTIME_CLASS(TItem));
  CObject* o = cls->CreateObject();
  EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(TItem)));
  EXPECT_FALSE(o->IsKindOf(RUNTIME_CLASS(TPic)));
  delete o;
  EXPECT_EQ(CRuntimeClass::FromName("obitem"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CObject"), nullptr);  // not creatable
}

}  // namespace
