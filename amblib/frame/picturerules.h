// How AmbPicLoad reads its flags: the source, the format and the icon size.
// No windows.h here.
#pragma once
#include <cstdint>

namespace amb::pic {

enum : uint16_t {
  FormatBitmap = 0x0001,
  FormatIcon = 0x0002,
  SourceModule = 0x0200,   // resources of a library or program file
  SourceFile = 0x0400,     // a bitmap or icon file
  SourceHost = 0x0800,     // the host application's resources
  SizeSmall = 0x1000,
  SizeLarge = 0x2000,
  MadeByLibrary = 0x8000,  // freed with the window's picture list
  SourceMask = SourceModule | SourceFile | SourceHost,
};

enum class Source { None, Module, File, Host };
enum class Format { None, Bitmap, Icon };

// The flags after the file name's extension has had its say: ".EXE" and
// ".DLL" add 0x0200, ".ICO" 0x0402, ".BMP" 0x0401 (any case), and the
// extension's source replaces the source the flags named.
uint16_t applyExtension(uint16_t flags, const char* fileName);

// The source the (extension-adjusted) flags name; the file bit wins over
// the module bit, which wins over the host bit.
Source sourceOf(uint16_t flags);

// The format to load: for a file, an ".ICO" or ".BMP" extension decides;
// otherwise the bitmap bit, else the icon bit, else none (an error).
Format formatOf(uint16_t flags, Source source, const char* fileName);

} // namespace amb::pic
