// The framework's exceptions. They are thrown as pointers (`throw
// CException*`), caught as `catch (CException* e)` and released with
// e->Delete(). None may cross a Win32 callback or an exported function.
#pragma once
#include "fwobject.h"
#include "fwstring.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
public:
  // Frees a heap-allocated exception; the shared memory exception stays.
  void Delete();
  // A short description for reports and debug output.
  virtual BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const;
  CString GetErrorMessage() const;

protected:
  explicit CException(bool autoDelete = true) : m_bAutoDelete(autoDelete) {}
  bool m_bAutoDelete;
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
public:
  CMemoryException() : CException(false) {}
  BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const override;
};

class CResourceException : public CException {
  DECLARE_DYNAMIC(CResourceException)
public:
  BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const override;
};

// Raised after the user has been told (a message box was shown).
class CUserException : public CException {
  DECLARE_DYNAMIC(CUserException)
public:
  BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const override;
};

class CNotSupportedException : public CException {
  DECLARE_DYNAMIC(CNotSupportedException)
public:
  BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const override;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
public:
  enum {
    none,
    generic,
    readOnly,     // storing into a loading archive
    endOfFile,    // the data ended before the value
    writeOnly,    // loading from a storing archive
    badIndex,     // a tag names no class or object read so far, or needs a 32-bit index
    badClass,     // unknown class name, or not the class the caller expects
    badSchema,
    badCount      // a count or length larger than the bytes that remain
  };
  explicit CArchiveException(int cause = none, const char* fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}
  BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const override;
  int m_cause;
  CString m_strFileName;
};

// A failed file operation (open, read, write, seek).
class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
public:
  enum { none, generic, fileNotFound, accessDenied, badSeek, diskFull, endOfFile };
  explicit CFileException(int cause = none, const char* fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}
  BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const override;
  int m_cause;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowArchiveException(int cause, const char* fileName = nullptr);
[[noreturn]] void AfxThrowFileException(int cause, const char* fileName = nullptr);

// The global operator new of every module that links the framework throws
// the memory exception instead of std::bad_alloc. For tests: after `skip`
// successful allocations, the next `count` allocations fail.
void FwFailAllocations(unsigned count, unsigned skip = 0);
// Allocations made through operator new and not yet deleted (leak checks).
long FwLiveAllocations();
