// CArchive: the persistent-object byte format over a CFile.
//
// Values are little-endian; strings carry a 1-, 3- or 7-byte length prefix;
// counts are 16-bit, or 0xFFFF and 32 bits. Objects are tagged: a new class
// is 0xFFFF, schema, name length, name; a known class is 0x8000 | index; an
// object written before is its index; NULL is 0. Indexes count every class
// and object written, from 1. Tags above 0x7FFE (the format's escape to a
// 32-bit index) are refused with CArchiveException::badIndex.
//
// Loading is hardened: nothing is read past the end of the data, no count
// or length is trusted for more than the bytes that remain, and every
// malformed input raises CArchiveException (leaving no leak behind).
#pragma once
#include "fwfile.h"
#include "fwstring.h"
#include <climits>
#include <unordered_map>
#include <vector>

class CArchive {
public:
  enum Mode { store = 0, load = 1 };

  CArchive(CFile* file, UINT mode, int bufferSize = 4096);
  // An archive not closed is flushed when storing (errors are dropped:
  // call Close to see them).
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsLoading() const { return m_nMode == load; }
  bool IsStoring() const { return m_nMode == store; }
  CFile* GetFile() const { return m_pFile; }

  // Writes what is buffered (storing) and detaches from the file.
  void Close();
  // Detaches without writing what is buffered.
  void Abort();
  void Flush();

  // Raw bytes. Read returns how many bytes were read (fewer at the end).
  UINT Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);
  // Reads exactly count bytes or raises endOfFile.
  void ReadExact(void* buffer, UINT count);
  // Bytes left to load: buffered plus what the file still holds.
  DWORD BytesRemaining() const;
  // Raises badCount unless `count` items of at least `minItemBytes` each
  // can still follow; loaders call it before they allocate for a count.
  void CheckCount(DWORD count, DWORD minItemBytes) const;

  CArchive& operator<<(BYTE v) { return WriteValue(v, 1); }
  CArchive& operator<<(char v) { return WriteValue(static_cast<BYTE>(v), 1); }
  CArchive& operator<<(WORD v) { return WriteValue(v, 2); }
  CArchive& operator<<(short v) { return WriteValue(static_cast<WORD>(v), 2); }
  CArchive& operator<<(unsigned int v) { return WriteValue(v, 4); }
  CArchive& operator<<(int v) { return WriteValue(static_cast<unsigned int>(v), 4); }
#if ULONG_MAX == 0xFFFFFFFFu
  CArchive& operator<<(unsigned long v) { return WriteValue(v, 4); }
  CArchive& operator<<(long v) { return WriteValue(static_cast<unsigned long>(v), 4); }
#endif
  CArchive& operator<<(const CString& s) { WriteString(s); return *this; }
  CArchive& operator<<(const CObject* object) { WriteObject(object); return *this; }

  CArchive& operator>>(BYTE& v) { v = static_cast<BYTE>(ReadValue(1)); return *this; }
  CArchive& operator>>(char& v) { v = static_cast<char>(ReadValue(1)); return *this; }
  CArchive& operator>>(WORD& v) { v = static_cast<WORD>(ReadValue(2)); return *this; }
  CArchive& operator>>(short& v) { v = static_cast<short>(ReadValue(2)); return *this; }
  CArchive& operator>>(unsigned int& v) { v = ReadValue(4); return *this; }
  CArchive& operator>>(int& v) { v = static_cast<int>(ReadValue(4)); return *this; }
#if ULONG_MAX == 0xFFFFFFFFu
  CArchive& operator>>(unsigned long& v) { v = ReadValue(4); return *this; }
  CArchive& operator>>(long& v) { v = static_cast<long>(ReadValue(4)); return *this; }
#endif
  CArchive& operator>>(CString& s) { s = ReadString(); return *this; }

  void WriteString(const CString& s);
  CString ReadString();
  void WriteCount(DWORD count);
  DWORD ReadCount();

  // Writes the object with its class tag, a reference to it when it was
  // written before, or the NULL tag.
  void WriteObject(const CObject* object);
  // Reads a tagged object, which must be of class `expected` or derived
  // from it (badClass otherwise); NULL for the NULL tag. The caller owns
  // the object. A reference to an object read before is refused (badIndex)
  // unless AllowObjectReferences is on: loaders that own what they load
  // would otherwise own one object twice.
  CObject* ReadObject(const CRuntimeClass* expected);
  void AllowObjectReferences(bool allow) { m_bAllowReferences = allow; }

  // The schema stored with the class of the object being loaded, for its
  // Serialize; 0xFFFF outside ReadObject. An object is created and loaded
  // even when the stored schema differs from its class's current one; its
  // Serialize decides what it can read.
  UINT GetObjectSchema() const { return m_nObjectSchema; }

private:
  CArchive& WriteValue(DWORD value, int bytes);
  DWORD ReadValue(int bytes);
  void FillBuffer();
  void FlushBuffer();
  void CheckStoring() const;
  void CheckLoading() const;
  void WriteTag(DWORD index, WORD flag);
  const CRuntimeClass* ReadClassTag(WORD tag, UINT* schema);

  struct LoadedEntry {
    const CRuntimeClass* cls;  // a class entry, or
    CObject* object;           // an object entry (null while it loads)
    UINT schema;
  };

  CFile* m_pFile;
  UINT m_nMode;
  std::vector<BYTE> m_buffer;
  size_t m_nBufPos = 0;   // next byte to read or write
  size_t m_nBufEnd = 0;   // loading: end of the buffered bytes
  UINT m_nObjectSchema = 0xFFFF;
  bool m_bAllowReferences = false;
  DWORD m_nMapCount = 1;  // index 0 is the NULL tag
  std::unordered_map<const void*, DWORD> m_storeMap;  // classes and objects written
  std::vector<LoadedEntry> m_loadArray;               // index -> entry read
};
