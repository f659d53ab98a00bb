// Files an archive reads and writes: CFile over a named file, CMemFile over
// a growing block of memory. Both report failures with CFileException
// (CMemoryException when memory runs out).
#pragma once
#include "fwexcept.h"
#include "fwstring.h"
#include <cstdio>
#include <vector>

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    modeCreate = 0x1000,   // create, or truncate an existing file
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens the file; raises CFileException when it cannot be opened.
  CFile(const char* fileName, UINT openFlags);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens the file; FALSE when it cannot be opened (the cause is stored
  // in *error when given).
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  virtual void Close();
  // Reads at most count bytes; returns how many were read (0 at the end).
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual long Seek(long offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  long SeekToEnd() { return Seek(0, end); }
  virtual DWORD GetLength() const;
  virtual DWORD GetPosition() const;
  virtual void SetLength(DWORD newLength);
  virtual void Flush();
  const CString& GetFilePath() const { return m_strFileName; }

protected:
  std::FILE* m_file = nullptr;
  CString m_strFileName;
};

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
public:
  // The block grows in steps of growBytes as data is written.
  explicit CMemFile(UINT growBytes = 1024);
  // A file over a copy of existing bytes (for reading them).
  CMemFile(const void* data, UINT size, UINT growBytes = 1024);

  BOOL Open(const char*, UINT, CFileException* = nullptr) override { return FALSE; }
  void Close() override;
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  long Seek(long offset, UINT from) override;
  DWORD GetLength() const override { return m_nFileSize; }
  DWORD GetPosition() const override { return m_nPosition; }
  void SetLength(DWORD newLength) override;
  void Flush() override {}

  // The file's bytes (GetLength() of them).
  const BYTE* GetData() const { return m_buffer.data(); }
  UINT GetGrowBytes() const { return m_nGrowBytes; }

private:
  void Reserve(DWORD size);
  std::vector<BYTE> m_buffer;
  DWORD m_nFileSize = 0;
  DWORD m_nPosition = 0;
  UINT m_nGrowBytes;
};
