// Loads arbitrary bytes through the archive the way property blobs and
// saved outlines are loaded: object arrays, string arrays, records with
// arrays inside, bare tagged objects and strings. Every outcome is a
// result or a framework exception; AddressSanitizer reports any read past
// the data, any leak and any double free.
#include <cstdint>
#include <vector>
#include "records.h"

namespace {
void loadArrays(CArchive& ar) {
  CObArray items(RUNTIME_CLASS(TItem), true);
  items.Serialize(ar);
  CStringArray names;
  names.Serialize(ar);
}

void loadAnyObjects(CArchive& ar) {
  CObArray loaded(RUNTIME_CLASS(CObject), true);
  for (int i = 0; i < 16; ++i) loaded.Add(ar.ReadObject(RUNTIME_CLASS(CObject)));
}

void loadStrings(CArchive& ar) {
  while (ar.BytesRemaining()) {
    CString s = ar.ReadString();
    ar.ReadCount();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  Bytes bytes(data + 1, data + size);
  try {
    Load(bytes, [&](CArchive& ar) {
      switch (data[0] % 4) {
      case 0: loadArrays(ar); break;
      case 1: delete ar.ReadObject(RUNTIME_CLASS(TList)); break;
      case 2: loadAnyObjects(ar); break;
      default: loadStrings(ar); break;
      }
    });
  } catch (CException* e) {
    e->Delete();
  }
  return 0;
}
