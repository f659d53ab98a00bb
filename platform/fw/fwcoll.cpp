// Collections (no windows.h).
#include "fwcoll.h"
#include "fwarchive.h"
#include "fwexcept.h"
#include <algorithm>
#include <utility>

IMPLEMENT_DYNAMIC(CObArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 1)
IMPLEMENT_DYNAMIC(CMapStringToString, CObject)

namespace {
// A tagged object takes at least its 2-byte tag; a string its 1-byte prefix.
const DWORD minObjectBytes = 2;
const DWORD minStringBytes = 1;

void deleteEach(std::vector<CObject*>& objects) {
  std::sort(objects.begin(), objects.end());
  objects.erase(std::unique(objects.begin(), objects.end()), objects.end());
  for (CObject* o : objects) delete o;
  objects.clear();
}
}  // namespace

// ---- CObArray ----

CObArray::~CObArray() { RemoveAll(); }

void CObArray::CheckIndex(int index) const {
  if (index < 0 || index >= GetSize()) AfxThrowNotSupportedException();
}

CObject* CObArray::GetAt(int index) const {
  CheckIndex(index);
  return m_data[index];
}

CObject*& CObArray::ElementAt(int index) {
  CheckIndex(index);
  return m_data[index];
}

void CObArray::SetAt(int index, CObject* element) {
  CObject* old = ReplaceAt(index, element);
  if (m_bOwning && old != element) delete old;
}

CObject* CObArray::ReplaceAt(int index, CObject* element) {
  CheckIndex(index);
  return std::exchange(m_data[index], element);
}

void CObArray::SetAtGrow(int index, CObject* element) {
  if (index < 0) AfxThrowNotSupportedException();
  if (index >= GetSize()) m_data.resize(index + 1, nullptr);
  SetAt(index, element);
}

int CObArray::Add(CObject* element) {
  m_data.push_back(element);
  return GetSize() - 1;
}

void CObArray::InsertAt(int index, CObject* element, int count) {
  if (index < 0 || count < 0) AfxThrowNotSupportedException();
  if (index > GetSize()) m_data.resize(index, nullptr);
  m_data.insert(m_data.begin() + index, count, element);
}

void CObArray::RemoveAt(int index, int count) {
  if (count < 0 || index < 0 || count > GetSize() - index) AfxThrowNotSupportedException();
  if (m_bOwning)
    for (int i = index; i < index + count; ++i) delete m_data[i];
  m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
}

CObject* CObArray::DetachAt(int index) {
  CObject* element = GetAt(index);
  m_data.erase(m_data.begin() + index);
  return element;
}

void CObArray::RemoveAll() {
  if (m_bOwning) deleteEach(m_data);
  m_data.clear();
}

void CObArray::SetSize(int newSize) {
  if (newSize < 0) AfxThrowNotSupportedException();
  if (newSize < GetSize())
    RemoveAt(newSize, GetSize() - newSize);
  else
    m_data.resize(newSize, nullptr);
}

void CObArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(m_data.size()));
    for (CObject* element : m_data) ar.WriteObject(element);
    return;
  }
  RemoveAll();
  DWORD count = ar.ReadCount();
  ar.CheckCount(count, minObjectBytes);
  std::vector<CObject*> loaded;
  loaded.reserve(count);
  try {
    for (DWORD i = 0; i < count; ++i) loaded.push_back(ar.ReadObject(m_pElementClass));
  } catch (...) {
    deleteEach(loaded);
    throw;
  }
  m_data.swap(loaded);
}

// ---- CStringArray ----

void CStringArray::CheckIndex(int index) const {
  if (index < 0 || index >= GetSize()) AfxThrowNotSupportedException();
}

const CString& CStringArray::GetAt(int index) const {
  CheckIndex(index);
  return m_data[index];
}

CString& CStringArray::ElementAt(int index) {
  CheckIndex(index);
  return m_data[index];
}

void CStringArray::SetAt(int index, const CString& text) { ElementAt(index) = text; }

void CStringArray::SetAtGrow(int index, const CString& text) {
  if (index < 0) AfxThrowNotSupportedException();
  if (index >= GetSize()) m_data.resize(index + 1);
  m_data[index] = text;
}

int CStringArray::Add(const CString& text) {
  m_data.push_back(text);
  return GetSize() - 1;
}

void CStringArray::InsertAt(int index, const CString& text, int count) {
  if (index < 0 || count < 0) AfxThrowNotSupportedException();
  if (index > GetSize()) m_data.resize(index);
  m_data.insert(m_data.begin() + index, count, text);
}

void CStringArray::RemoveAt(int index, int count) {
  if (count < 0 || index < 0 || count > GetSize() - index) AfxThrowNotSupportedException();
  m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
}

void CStringArray::SetSize(int newSize) {
  if (newSize < 0) AfxThrowNotSupportedException();
  m_data.resize(newSize);
}

void CStringArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(m_data.size()));
    for (const CString& text : m_data) ar << text;
    return;
  }
  DWORD count = ar.ReadCount();
  ar.CheckCount(count, minStringBytes);
  std::vector<CString> loaded;
  loaded.reserve(count);
  for (DWORD i = 0; i < count; ++i) loaded.push_back(ar.ReadString());
  m_data.swap(loaded);
}

// ---- CMapStringToString ----

CMapStringToString::CMapStringToString(int blockSize) : m_nBlockSize(blockSize > 0 ? blockSize : 10) {
  InitHashTable(17);
}

CMapStringToString::~CMapStringToString() {
  for (Node* block : m_blocks) delete[] block;
}

UINT CMapStringToString::HashKey(const char* key) {
  UINT hash = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(key); *p; ++p) hash = (hash << 5) + hash + *p;
  return hash;
}

void CMapStringToString::InitHashTable(UINT buckets) {
  if (m_nCount != 0 || buckets == 0) return;
  m_buckets.assign(buckets, nullptr);
}

CMapStringToString::Node* CMapStringToString::Find(const char* key, UINT hash) const {
  for (Node* n = m_buckets[hash % m_buckets.size()]; n; n = n->nextInBucket)
    if (n->hash == hash && n->key == key) return n;
  return nullptr;
}

CMapStringToString::Node* CMapStringToString::NewNode() {
  if (!m_freeList) {
    m_blocks.reserve(m_blocks.size() + 1);
    Node* block = new Node[m_nBlockSize];
    m_blocks.push_back(block);
    for (int i = m_nBlockSize - 1; i >= 0; --i) {
      block[i].nextInBucket = m_freeList;
      m_freeList = &block[i];
    }
  }
  Node* node = m_freeList;
  m_freeList = node->nextInBucket;
  return node;
}

void CMapStringToString::FreeNode(Node* node) {
  node->key.Empty();
  node->value.Empty();
  node->nextInBucket = m_freeList;
  m_freeList = node;
}

BOOL CMapStringToString::Lookup(const char* key, CString& value) const {
  if (!key) return FALSE;
  Node* n = Find(key, HashKey(key));
  if (!n) return FALSE;
  value = n->value;
  return TRUE;
}

void CMapStringToString::SetAt(const char* key, const char* value) { (*this)[key] = value; }

CString& CMapStringToString::operator[](const char* key) {
  if (!key) key = "";
  UINT hash = HashKey(key);
  if (Node* n = Find(key, hash)) return n->value;
  CString keyCopy(key);
  Node* n = NewNode();
  n->key = std::move(keyCopy);
  n->hash = hash;
  Node*& bucket = m_buckets[hash % m_buckets.size()];
  n->nextInBucket = bucket;
  bucket = n;
  n->prevInOrder = m_last;
  n->nextInOrder = nullptr;
  (m_last ? m_last->nextInOrder : m_first) = n;
  m_last = n;
  ++m_nCount;
  return n->value;
}

BOOL CMapStringToString::RemoveKey(const char* key) {
  if (!key) return FALSE;
  UINT hash = HashKey(key);
  for (Node** link = &m_buckets[hash % m_buckets.size()]; *link; link = &(*link)->nextInBucket) {
    Node* n = *link;
    if (n->hash != hash || !(n->key == key)) continue;
    *link = n->nextInBucket;
    (n->prevInOrder ? n->prevInOrder->nextInOrder : m_first) = n->nextInOrder;
    (n->nextInOrder ? n->nextInOrder->prevInOrder : m_last) = n->prevInOrder;
    FreeNode(n);
    --m_nCount;
    return TRUE;
  }
  return FALSE;
}

void CMapStringToString::RemoveAll() {
  while (m_first) {
    Node* n = m_first;
    m_first = n->nextInOrder;
    FreeNode(n);
  }
  m_last = nullptr;
  m_nCount = 0;
  std::fill(m_buckets.begin(), m_buckets.end(), nullptr);
}

POSITION CMapStringToString::GetStartPosition() const {
  return reinterpret_cast<POSITION>(m_first);
}

void CMapStringToString::GetNextAssoc(POSITION& pos, CString& key, CString& value) const {
  Node* n = reinterpret_cast<Node*>(pos);
  if (!n) AfxThrowNotSupportedException();
  key = n->key;
  value = n->value;
  pos = reinterpret_cast<POSITION>(n->nextInOrder);
}
