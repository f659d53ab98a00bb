// Collections: CObArray (object pointers, owning or not), CStringArray and
// CMapStringToString. Indexes out of range raise CNotSupportedException
// rather than touching memory.
#pragma once
#include "fwobject.h"
#include "fwstring.h"
#include <vector>

class CObArray : public CObject {
  DECLARE_DYNAMIC(CObArray)
public:
  // elementClass: what Serialize accepts when loading (anything else is
  // refused with CArchiveException::badClass). An owning array deletes its
  // elements when they are removed, replaced or when it is destroyed.
  explicit CObArray(const CRuntimeClass* elementClass = RUNTIME_CLASS(CObject), bool owning = false)
      : m_pElementClass(elementClass), m_bOwning(owning) {}
  ~CObArray() override;
  CObArray(const CObArray&) = delete;
  CObArray& operator=(const CObArray&) = delete;

  int GetSize() const { return static_cast<int>(m_data.size()); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return m_data.empty(); }
  bool IsOwning() const { return m_bOwning; }
  CObject* GetAt(int index) const;
  CObject*& ElementAt(int index);
  CObject* operator[](int index) const { return GetAt(index); }
  // Replaces the element; an owning array deletes the old one.
  void SetAt(int index, CObject* element);
  // Replaces the element and hands the old one to the caller.
  CObject* ReplaceAt(int index, CObject* element);
  // Stores at index, growing the array with nulls when needed.
  void SetAtGrow(int index, CObject* element);
  int Add(CObject* element);
  void InsertAt(int index, CObject* element, int count = 1);
  // Removes count elements; an owning array deletes them.
  void RemoveAt(int index, int count = 1);
  // Removes the element without deleting it and returns it.
  CObject* DetachAt(int index);
  void RemoveAll();
  // Grows with nulls or shrinks (deleting removed elements when owning).
  void SetSize(int newSize);

  // Count, then each element as a tagged object (NULL elements included).
  // Loading replaces the contents; if it fails halfway, what it loaded is
  // freed and the array is left empty.
  void Serialize(CArchive& ar) override;

private:
  void CheckIndex(int index) const;
  const CRuntimeClass* m_pElementClass;
  bool m_bOwning;
  std::vector<CObject*> m_data;
};

class CStringArray : public CObject {
  DECLARE_SERIAL(CStringArray)
public:
  int GetSize() const { return static_cast<int>(m_data.size()); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return m_data.empty(); }
  const CString& GetAt(int index) const;
  CString& ElementAt(int index);
  const CString& operator[](int index) const { return GetAt(index); }
  void SetAt(int index, const CString& text);
  void SetAtGrow(int index, const CString& text);
  int Add(const CString& text);
  void InsertAt(int index, const CString& text, int count = 1);
  void RemoveAt(int index, int count = 1);
  void RemoveAll() { m_data.clear(); }
  void SetSize(int newSize);

  // Count, then the strings. Loading replaces the contents.
  void Serialize(CArchive& ar) override;

private:
  void CheckIndex(int index) const;
  std::vector<CString> m_data;
};

// A hash map from strings to strings (case-sensitive keys). Its nodes are
// allocated blockSize at a time. Iteration runs in insertion order.
class CMapStringToString : public CObject {
  DECLARE_DYNAMIC(CMapStringToString)
public:
  explicit CMapStringToString(int blockSize = 10);
  ~CMapStringToString() override;
  CMapStringToString(const CMapStringToString&) = delete;
  CMapStringToString& operator=(const CMapStringToString&) = delete;

  int GetCount() const { return m_nCount; }
  bool IsEmpty() const { return m_nCount == 0; }
  BOOL Lookup(const char* key, CString& value) const;
  void SetAt(const char* key, const char* value);
  // The value of the key, added empty when absent.
  CString& operator[](const char* key);
  BOOL RemoveKey(const char* key);
  void RemoveAll();
  // Sets the number of hash buckets; only while the map is empty.
  void InitHashTable(UINT buckets);

  POSITION GetStartPosition() const;
  // Fills key and value of the entry at pos and advances pos (to null
  // after the last entry).
  void GetNextAssoc(POSITION& pos, CString& key, CString& value) const;

private:
  struct Node {
    Node* nextInBucket;
    Node* prevInOrder;
    Node* nextInOrder;
    UINT hash;
    CString key;
    CString value;
  };
  Node* Find(const char* key, UINT hash) const;
  Node* NewNode();
  void FreeNode(Node* node);
  static UINT HashKey(const char* key);

  std::vector<Node*> m_buckets;
  std::vector<Node*> m_blocks;   // raw storage, blockSize nodes each
  Node* m_freeList = nullptr;
  Node* m_first = nullptr;
  Node* m_last = nullptr;
  int m_nCount = 0;
  int m_nBlockSize;
};
