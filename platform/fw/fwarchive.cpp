// The archive byte format (no windows.h).
#include "fwarchive.h"
#include "fwexcept.h"
#include <algorithm>
#include <cstring>

namespace {
const WORD nullTag = 0;
const WORD newClassTag = 0xFFFF;
const WORD classTagFlag = 0x8000;
const WORD bigIndexTag = 0x7FFF;   // escape to a 32-bit index: not supported
const DWORD maxTagIndex = 0x7FFE;
const int minBufferSize = 16;

[[noreturn]] void fail(int cause) { AfxThrowArchiveException(cause); }
}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_pFile(file), m_nMode(mode & load) {
  m_buffer.resize(std::max(bufferSize, minBufferSize));
  if (IsLoading()) m_loadArray.push_back({nullptr, nullptr, 0});  // index 0: NULL
}

CArchive::~CArchive() {
  if (!m_pFile) return;
  try {
    Close();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
}

void CArchive::Close() {
  Flush();
  m_pFile = nullptr;
}

void CArchive::Abort() { m_pFile = nullptr; }

// Storing: writes the buffer out. Loading: gives the file back the bytes
// read ahead but not used, so its position is where the archive stopped.
void CArchive::Flush() {
  if (!m_pFile) return;
  if (IsStoring()) {
    FlushBuffer();
    return;
  }
  size_t unread = m_nBufEnd - m_nBufPos;
  if (unread) m_pFile->Seek(-static_cast<long>(unread), CFile::current);
  m_nBufPos = m_nBufEnd = 0;
}

void CArchive::CheckStoring() const {
  if (!m_pFile) fail(CArchiveException::generic);
  if (IsLoading()) fail(CArchiveException::readOnly);
}

void CArchive::CheckLoading() const {
  if (!m_pFile) fail(CArchiveException::generic);
  if (IsStoring()) fail(CArchiveException::writeOnly);
}

void CArchive::FlushBuffer() {
  if (m_nBufPos) m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_nBufPos));
  m_nBufPos = 0;
}

void CArchive::FillBuffer() {
  m_nBufPos = m_nBufEnd = 0;
  m_nBufEnd = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* buffer, UINT count) {
  CheckLoading();
  BYTE* out = static_cast<BYTE*>(buffer);
  UINT done = 0;
  while (done < count) {
    if (m_nBufPos == m_nBufEnd) {
      FillBuffer();
      if (m_nBufEnd == 0) break;
    }
    size_t n = std::min<size_t>(count - done, m_nBufEnd - m_nBufPos);
    std::memcpy(out + done, m_buffer.data() + m_nBufPos, n);
    m_nBufPos += n;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CArchive::ReadExact(void* buffer, UINT count) {
  if (Read(buffer, count) != count) fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buffer, UINT count) {
  CheckStoring();
  const BYTE* in = static_cast<const BYTE*>(buffer);
  while (count) {
    if (m_nBufPos == m_buffer.size()) FlushBuffer();
    size_t n = std::min<size_t>(count, m_buffer.size() - m_nBufPos);
    std::memcpy(m_buffer.data() + m_nBufPos, in, n);
    m_nBufPos += n;
    in += n;
    count -= static_cast<UINT>(n);
  }
}

DWORD CArchive::BytesRemaining() const {
  if (!m_pFile || IsStoring()) return 0;
  DWORD length = m_pFile->GetLength();
  DWORD position = m_pFile->GetPosition();
  DWORD inFile = position < length ? length - position : 0;
  return static_cast<DWORD>(m_nBufEnd - m_nBufPos) + inFile;
}

void CArchive::CheckCount(DWORD count, DWORD minItemBytes) const {
  if (static_cast<unsigned long long>(count) * minItemBytes > BytesRemaining())
    fail(CArchiveException::badCount);
}

CArchive& CArchive::WriteValue(DWORD value, int bytes) {
  BYTE little[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
  Write(little, bytes);
  return *this;
}

DWORD CArchive::ReadValue(int bytes) {
  BYTE little[4] = {0, 0, 0, 0};
  ReadExact(little, bytes);
  return DWORD(little[0]) | DWORD(little[1]) << 8 | DWORD(little[2]) << 16 | DWORD(little[3]) << 24;
}

void CArchive::WriteString(const CString& s) {
  DWORD length = static_cast<DWORD>(s.GetLength());
  if (length < 0xFF) {
    WriteValue(length, 1);
  } else if (length < 0xFFFE) {
    WriteValue(0xFF, 1);
    WriteValue(length, 2);
  } else {
    WriteValue(0xFF, 1);
    WriteValue(0xFFFF, 2);
    WriteValue(length, 4);
  }
  Write(s.c_str(), length);
}

CString CArchive::ReadString() {
  DWORD length = ReadValue(1);
  if (length == 0xFF) {
    length = ReadValue(2);
    if (length == 0xFFFF) length = ReadValue(4);
  }
  CheckCount(length, 1);
  std::string text(length, '\0');
  ReadExact(text.data(), length);
  return CString(std::move(text));
}

void CArchive::WriteCount(DWORD count) {
  if (count < 0xFFFF) {
    WriteValue(count, 2);
  } else {
    WriteValue(0xFFFF, 2);
    WriteValue(count, 4);
  }
}

DWORD CArchive::ReadCount() {
  DWORD count = ReadValue(2);
  return count == 0xFFFF ? ReadValue(4) : count;
}

void CArchive::WriteTag(DWORD index, WORD flag) {
  if (index > maxTagIndex) fail(CArchiveException::badIndex);
  WriteValue(flag | index, 2);
}

void CArchive::WriteObject(const CObject* object) {
  CheckStoring();
  if (!object) {
    WriteValue(nullTag, 2);
    return;
  }
  auto known = m_storeMap.find(object);
  if (known != m_storeMap.end()) {
    WriteTag(known->second, 0);
    return;
  }
  const CRuntimeClass* cls = object->GetRuntimeClass();
  auto knownClass = m_storeMap.find(cls);
  if (knownClass != m_storeMap.end()) {
    WriteTag(knownClass->second, classTagFlag);
  } else {
    if (!cls->m_pfnCreateObject) fail(CArchiveException::badClass);  // nobody could load it
    DWORD nameLength = static_cast<DWORD>(std::strlen(cls->m_lpszClassName));
    WriteValue(newClassTag, 2);
    WriteValue(cls->m_wSchema, 2);
    WriteValue(nameLength, 2);
    Write(cls->m_lpszClassName, nameLength);
    m_storeMap[cls] = m_nMapCount++;
  }
  m_storeMap[object] = m_nMapCount++;
  // Storing does not change the object; Serialize serves both directions.
  const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClassTag(WORD tag, UINT* schema) {
  if (tag == newClassTag) {
    *schema = ReadValue(2);
    DWORD nameLength = ReadValue(2);
    CheckCount(nameLength, 1);
    std::string name(nameLength, '\0');
    ReadExact(name.data(), nameLength);
    const CRuntimeClass* cls = CRuntimeClass::FromName(name.data(), name.size());
    if (!cls) fail(CArchiveException::badClass);
    m_loadArray.push_back({cls, nullptr, *schema});
    return cls;
  }
  DWORD index = tag & ~classTagFlag;
  if (index >= m_loadArray.size() || !m_loadArray[index].cls || m_loadArray[index].object)
    fail(CArchiveException::badIndex);
  *schema = m_loadArray[index].schema;
  return m_loadArray[index].cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) {
  CheckLoading();
  WORD tag = static_cast<WORD>(ReadValue(2));
  if (tag == nullTag) return nullptr;
  if (tag == bigIndexTag) fail(CArchiveException::badIndex);
  if (!(tag & classTagFlag)) {
    if (!m_bAllowReferences || tag >= m_loadArray.size() || !m_loadArray[tag].object)
      fail(CArchiveException::badIndex);
    CObject* earlier = m_loadArray[tag].object;
    if (expected && !earlier->IsKindOf(expected)) fail(CArchiveException::badClass);
    return earlier;
  }
  UINT schema = 0;
  const CRuntimeClass* cls = ReadClassTag(tag, &schema);
  if (expected && !cls->IsDerivedFrom(expected)) fail(CArchiveException::badClass);

  size_t slot = m_loadArray.size();
  m_loadArray.push_back({nullptr, nullptr, schema});  // reserved while it loads
  CObject* object = cls->CreateObject();
  if (!object) fail(CArchiveException::badClass);
  UINT outerSchema = m_nObjectSchema;
  m_nObjectSchema = schema;
  try {
    object->Serialize(*this);
  } catch (...) {
    m_nObjectSchema = outerSchema;
    delete object;
    throw;
  }
  m_nObjectSchema = outerSchema;
  m_loadArray[slot].object = object;
  m_loadArray[slot].cls = cls;
  return object;
}
