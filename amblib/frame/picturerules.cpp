#include "picturerules.h"

#include <cstring>

namespace amb::pic {
namespace {

// The extension in upper case (".BMP"), or empty when there is none.
void extensionOf(const char* fileName, char (&ext)[5]) {
  ext[0] = 0;
  if (!fileName) return;
  const char* dot = nullptr;
  for (const char* p = fileName; *p; ++p) {
    if (*p == '.') dot = p;
    else if (*p == '\\' || *p == '/' || *p == ':') dot = nullptr;
  }
  if (!dot || std::strlen(dot) != 4) return;
  for (int i = 0; i < 4; ++i) {
    char c = dot[i];
    ext[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
  }
  ext[4] = 0;
}

} // namespace

uint16_t applyExtension(uint16_t flags, const char* fileName) {
  char ext[5];
  extensionOf(fileName, ext);
  uint16_t added = 0;
  if (!std::strcmp(ext, ".EXE") || !std::strcmp(ext, ".DLL")) added = SourceModule;
  else if (!std::strcmp(ext, ".ICO")) added = SourceFile | FormatIcon;
  else if (!std::strcmp(ext, ".BMP")) added = SourceFile | FormatBitmap;
  if (!added) return flags;
  return uint16_t((flags & ~SourceMask) | added);
}

Source sourceOf(uint16_t flags) {
  if (flags & SourceFile) return Source::File;
  if (flags & SourceModule) return Source::Module;
  if (flags & SourceHost) return Source::Host;
  return Source::None;
}

Format formatOf(uint16_t flags, Source source, const char* fileName) {
  if (source == Source::File) {
    char ext[5];
    extensionOf(fileName, ext);
    if (!std::strcmp(ext, ".ICO")) return Format::Icon;
    if (!std::strcmp(ext, ".BMP")) return Format::Bitmap;
  }
  if (flags & FormatBitmap) return Format::Bitmap;
  if (flags & FormatIcon) return Format::Icon;
  return Format::None;
}

} // namespace amb::pic
