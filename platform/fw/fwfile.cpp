// CFile over the C runtime's files, CMemFile over memory (no windows.h).
#include "fwfile.h"
#include "fwexcept.h"
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {
const char* fopenMode(UINT flags) {
  if (flags & CFile::modeCreate) return (flags & CFile::modeReadWrite) ? "w+b" : "wb";
  if (flags & CFile::modeReadWrite) return "r+b";
  if (flags & CFile::modeWrite) return "r+b";
  return "rb";
}

int causeOfErrno() {
  switch (errno) {
  case ENOENT: return CFileException::fileNotFound;
  case EACCES: case EPERM: return CFileException::accessDenied;
  case ENOSPC: return CFileException::diskFull;
  default: return CFileException::generic;
  }
}
}  // namespace

CFile::CFile(const char* fileName, UINT openFlags) {
  CFileException error;
  if (!Open(fileName, openFlags, &error)) AfxThrowFileException(error.m_cause, fileName);
}

CFile::~CFile() {
  if (m_file) std::fclose(m_file);
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  Close();
  m_strFileName = fileName;
  m_file = fileName ? std::fopen(fileName, fopenMode(openFlags)) : nullptr;
  if (!m_file && error) {
    error->m_cause = fileName ? causeOfErrno() : CFileException::generic;
    error->m_strFileName = fileName;
  }
  return m_file != nullptr;
}

void CFile::Close() {
  if (m_file && std::fclose(m_file) != 0) {
    m_file = nullptr;
    AfxThrowFileException(CFileException::generic, m_strFileName);
  }
  m_file = nullptr;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (!m_file) AfxThrowFileException(CFileException::generic, m_strFileName);
  size_t n = std::fread(buffer, 1, count, m_file);
  if (n < count && std::ferror(m_file)) AfxThrowFileException(CFileException::generic, m_strFileName);
  return static_cast<UINT>(n);
}

void CFile::Write(const void* buffer, UINT count) {
  if (!m_file) AfxThrowFileException(CFileException::generic, m_strFileName);
  if (std::fwrite(buffer, 1, count, m_file) != count) AfxThrowFileException(causeOfErrno(), m_strFileName);
}

long CFile::Seek(long offset, UINT from) {
  if (!m_file) AfxThrowFileException(CFileException::generic, m_strFileName);
  int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
  if (std::fseek(m_file, offset, whence) != 0) AfxThrowFileException(CFileException::badSeek, m_strFileName);
  return std::ftell(m_file);
}

DWORD CFile::GetPosition() const {
  if (!m_file) return 0;
  long at = std::ftell(m_file);
  return at < 0 ? 0 : static_cast<DWORD>(at);
}

DWORD CFile::GetLength() const {
  if (!m_file) return 0;
  long here = std::ftell(m_file);
  std::fseek(m_file, 0, SEEK_END);
  long length = std::ftell(m_file);
  std::fseek(m_file, here, SEEK_SET);
  return length < 0 ? 0 : static_cast<DWORD>(length);
}

void CFile::SetLength(DWORD) { AfxThrowNotSupportedException(); }

void CFile::Flush() {
  if (m_file && std::fflush(m_file) != 0) AfxThrowFileException(causeOfErrno(), m_strFileName);
}

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes ? growBytes : 1024) {}

CMemFile::CMemFile(const void* data, UINT size, UINT growBytes) : CMemFile(growBytes) {
  Write(data, size);
  m_nPosition = 0;
}

void CMemFile::Close() {
  m_buffer.clear();
  m_buffer.shrink_to_fit();
  m_nFileSize = m_nPosition = 0;
}

// Grows the block in whole steps, so a run of small writes reallocates
// once per step rather than once per write.
void CMemFile::Reserve(DWORD size) {
  if (size <= m_buffer.size()) return;
  unsigned long long steps = (static_cast<unsigned long long>(size) + m_nGrowBytes - 1) / m_nGrowBytes;
  unsigned long long bytes = steps * m_nGrowBytes;
  if (bytes > static_cast<unsigned long long>(PTRDIFF_MAX)) AfxThrowMemoryException();
  m_buffer.resize(static_cast<size_t>(bytes));
}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (m_nPosition >= m_nFileSize) return 0;
  UINT n = std::min<DWORD>(count, m_nFileSize - m_nPosition);
  std::memcpy(buffer, m_buffer.data() + m_nPosition, n);
  m_nPosition += n;
  return n;
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  if (count > 0xFFFFFFFFu - m_nPosition) AfxThrowMemoryException();
  DWORD end = m_nPosition + count;
  Reserve(end);
  if (m_nPosition > m_nFileSize) std::memset(m_buffer.data() + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_buffer.data() + m_nPosition, buffer, count);
  m_nPosition = end;
  if (end > m_nFileSize) m_nFileSize = end;
}

long CMemFile::Seek(long offset, UINT from) {
  long long base = from == begin ? 0 : from == current ? (long long)m_nPosition : (long long)m_nFileSize;
  long long target = base + offset;
  if (target < 0 || target > 0x7FFFFFFF) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = static_cast<DWORD>(target);
  return static_cast<long>(target);
}

void CMemFile::SetLength(DWORD newLength) {
  Reserve(newLength);
  if (newLength > m_nFileSize) std::memset(m_buffer.data() + m_nFileSize, 0, newLength - m_nFileSize);
  m_nFileSize = newLength;
  if (m_nPosition > newLength) m_nPosition = newLength;
}
