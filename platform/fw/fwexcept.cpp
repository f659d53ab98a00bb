// Exception classes and their raise helpers (no windows.h).
#include "fwexcept.h"
#include <cstdio>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {
BOOL copyMessage(const char* text, char* buffer, UINT size, UINT* helpContext) {
  if (helpContext) *helpContext = 0;
  if (!buffer || size == 0) return FALSE;
  std::snprintf(buffer, size, "%s", text);
  return TRUE;
}

const char* archiveCause(int cause) {
  switch (cause) {
  case CArchiveException::readOnly: return "Tried to write into an archive opened for loading.";
  case CArchiveException::endOfFile: return "Unexpected end of archive.";
  case CArchiveException::writeOnly: return "Tried to read from an archive opened for storing.";
  case CArchiveException::badIndex: return "Invalid object or class index in archive.";
  case CArchiveException::badClass: return "Unexpected or unknown class in archive.";
  case CArchiveException::badSchema: return "Unsupported schema in archive.";
  case CArchiveException::badCount: return "Invalid count or length in archive.";
  default: return "Archive error.";
  }
}

const char* fileCause(int cause) {
  switch (cause) {
  case CFileException::fileNotFound: return "File not found.";
  case CFileException::accessDenied: return "Access to the file was denied.";
  case CFileException::badSeek: return "Invalid file position.";
  case CFileException::diskFull: return "The disk is full.";
  case CFileException::endOfFile: return "Unexpected end of file.";
  default: return "File error.";
  }
}

// Raising the memory exception must not allocate.
CMemoryException sharedMemoryException;
}  // namespace

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
  return copyMessage("Framework exception.", buffer, size, helpContext);
}

CString CException::GetErrorMessage() const {
  char text[256] = "";
  GetErrorMessage(text, sizeof text);
  return CString(text);
}

BOOL CMemoryException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
  return copyMessage("Out of memory.", buffer, size, helpContext);
}

BOOL CResourceException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
  return copyMessage("A system resource could not be created or loaded.", buffer, size, helpContext);
}

BOOL CUserException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
  return copyMessage("The operation was stopped after the user was told.", buffer, size, helpContext);
}

BOOL CNotSupportedException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
  return copyMessage("Operation not supported.", buffer, size, helpContext);
}

BOOL CArchiveException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
  return copyMessage(archiveCause(m_cause), buffer, size, helpContext);
}

BOOL CFileException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
  return copyMessage(fileCause(m_cause), buffer, size, helpContext);
}

void AfxThrowMemoryException() { throw &sharedMemoryException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }

void AfxThrowArchiveException(int cause, const char* fileName) {
  throw new CArchiveException(cause, fileName);
}

void AfxThrowFileException(int cause, const char* fileName) {
  throw new CFileException(cause, fileName);
}
