#include "records.h"
#include <cstring>

IMPLEMENT_SERIAL_NAMED(TItem, CObject, 1, "OBITEM")
IMPLEMENT_SERIAL_NAMED(TPic, CObject, 1, "OBPIC")
IMPLEMENT_SERIAL_NAMED(TFont, CObject, 1, "OBFONT")
IMPLEMENT_SERIAL(TList, CObject, VERSIONABLE_SCHEMA | 1)

// Fields are read only for the schema this code knows.
void TItem::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << value << text;
  else if (ar.GetObjectSchema() == 1)
    ar >> value >> text;
}

void TPic::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << flags;
  else if (ar.GetObjectSchema() == 1)
    ar >> flags;
}

void TFont::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << size;
  else if (ar.GetObjectSchema() == 1)
    ar >> size;
}

void TList::Serialize(CArchive& ar) {
  items.Serialize(ar);
  names.Serialize(ar);
}

Bytes Store(const std::function<void(CArchive&)>& write) {
  CMemFile file;
  CArchive ar(&file, CArchive::store, 512);
  write(ar);
  ar.Close();
  return Bytes(file.GetData(), file.GetData() + file.GetLength());
}

void Load(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load, 512);
  read(ar);
}

int LoadFailure(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
  try {
    Load(bytes, read);
  } catch (CArchiveException* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

ByteWriter& ByteWriter::str(const char* s) {
  b(BYTE(std::strlen(s)));
  return chars(s);
}

ByteWriter& ByteWriter::newClass(const char* name, WORD schema) {
  w(0xFFFF).w(schema).w(WORD(std::strlen(name)));
  return chars(name);
}
