// Small serialisable records for the archive tests, shaped like the
// outline records (class names "OBITEM", "OBPIC", "OBFONT").
#pragma once
#include "fwcore.h"
#include <functional>
#include <vector>

class TItem : public CObject {
  DECLARE_SERIAL(TItem)
public:
  static inline int live = 0;
  TItem() { ++live; }
  TItem(LONG v, const char* t) : value(v), text(t) { ++live; }
  ~TItem() override { --live; }
  void Serialize(CArchive& ar) override;
  LONG value = -7;
  CString text = "default";
};

class TPic : public CObject {
  DECLARE_SERIAL(TPic)
public:
  void Serialize(CArchive& ar) override;
  WORD flags = 0;
};

class TFont : public CObject {
  DECLARE_SERIAL(TFont)
public:
  void Serialize(CArchive& ar) override;
  WORD size = 8;
};

// A record holding an owning array of items (an array inside a record).
class TList : public CObject {
  DECLARE_SERIAL(TList)
public:
  TList() : items(RUNTIME_CLASS(TItem), true) {}
  void Serialize(CArchive& ar) override;
  CObArray items;
  CStringArray names;
};

typedef std::vector<BYTE> Bytes;

// Bytes written by `write` into a memory file through a storing archive.
Bytes Store(const std::function<void(CArchive&)>& write);
// Runs `read` on a loading archive over the bytes.
void Load(const Bytes& bytes, const std::function<void(CArchive&)>& read);
// The cause of the CArchiveException that loading raises; -1 for none.
int LoadFailure(const Bytes& bytes, const std::function<void(CArchive&)>& read);

// Little-endian byte building for expected vectors.
struct ByteWriter {
  Bytes bytes;
  ByteWriter& b(BYTE v) { bytes.push_back(v); return *this; }
  ByteWriter& w(WORD v) { return b(BYTE(v)).b(BYTE(v >> 8)); }
  ByteWriter& d(DWORD v) { return w(WORD(v)).w(WORD(v >> 16)); }
  ByteWriter& chars(const char* s) { while (*s) b(BYTE(*s++)); return *this; }
  ByteWriter& str(const char* s);  // 1-byte prefix
  ByteWriter& newClass(const char* name, WORD schema = 1);
};
