// The host runtime's pure cores on arbitrary input: number and date texts,
// raw value bytes, picture formatting, the pattern match and the outline
// description reader (whose output must read back to the same text).
#include "core/datetime.h"
#include "core/outline.h"
#include "core/textmatch.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  using namespace hostrt;
  if (auto d = decimalFromText(text)) {
    auto back = decode(encode(*d).data());
    if (!back || compare(*back, *d) != 0) abort();
    if (auto again = decimalFromText(toText(*d)); !again || compare(*again, *d) != 0) abort();
    toInteger(*d);
    toDouble(*d);
  }
  if (size >= 13) {
    if (auto d = decode(data))
      if (auto t = dateFromDecimal(*d)) formatDate(*t, text.substr(13));
  }
  if (auto t = parseDate(text)) {
    if (!isValid(*t)) abort();
    auto back = parseDate(formatDate(*t, kDefaultPicture));
    if (t->hasDate() && (!back || back->year != t->year || back->micro != t->micro)) abort();
    addDays(*t, long(size) - 100);
  }
  size_t half = size / 2;
  textMatch(text.substr(0, half), text.substr(half));
  tokenize(text.substr(0, half), "", text.substr(half, 2));
  Outline outline;
  long line = 0;
  if (parseDescription(text, outline, line)) {
    std::string written = writeDescription(outline);
    Outline again;
    if (!parseDescription(written, again, line) || writeDescription(again) != written) abort();
    writeListing(outline, true);
  }
  return 0;
}
