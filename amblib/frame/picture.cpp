// Pictures: bitmaps and icons from files (read and checked by our own
// parser), from a library's or program's resources (the file is mapped as
// data: a foreign DLL's code never runs to read a bitmap) and from the
// host application's resources.
#include "picture.h"

#include <memory>
#include <vector>

#include "hostrt.h"
#include "imagefile.h"
#include "library.h"

namespace amb {
namespace {

using namespace amb::pic;

// Files bigger than this are refused (the size of the read buffer).
constexpr DWORD MaxPictureFile = 65533;

struct ScreenDC {
  HDC dc = GetDC(nullptr);
  ~ScreenDC() { if (dc) ReleaseDC(nullptr, dc); }
};

HBITMAP bitmapFromDib(const image::Dib& dib, const uint8_t* base) {
  ScreenDC screen;
  if (!screen.dc) return nullptr;
  auto* info = reinterpret_cast<const BITMAPINFO*>(dib.info.data());
  return CreateDIBitmap(screen.dc, &info->bmiHeader, CBM_INIT, base + dib.bitsOffset, info, DIB_RGB_COLORS);
}

// The mask: a monochrome bitmap, white where the image has the colour of
// its top-left pixel (the transparent colour), black elsewhere.
HBITMAP buildMask(HBITMAP image, int width, int height) {
  HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
  HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
  if (mask && src && dst) {
    HGDIOBJ oldSrc = SelectObject(src, image), oldDst = SelectObject(dst, mask);
    SetBkColor(src, GetPixel(src, 0, 0));
    BitBlt(dst, 0, 0, width, height, src, 0, 0, SRCCOPY);
    SelectObject(src, oldSrc);
    SelectObject(dst, oldDst);
  }
  if (src) DeleteDC(src);
  if (dst) DeleteDC(dst);
  return mask;
}

bool finishBitmap(CPicture& p, HBITMAP image, int width, int height) {
  if (!image) return false;
  p.kind = CPicture::Bitmap;
  p.image = image;
  p.width = width;
  p.height = height;
  p.mask = buildMask(image, width, height);
  return p.mask != nullptr;
}

bool bitmapFromFileBytes(CPicture& p, const uint8_t* data, size_t size) {
  auto dib = image::parseBmpFile(data, size);
  if (!dib) dib = image::parsePackedDib(data, size);
  return dib && finishBitmap(p, bitmapFromDib(*dib, data), dib->width, dib->height);
}

// An icon or cursor from the bytes of an .ICO/.CUR file.
bool iconFromFileBytes(CPicture& p, const uint8_t* data, size_t size, SIZE want) {
  auto img = image::pickIconImage(data, size, want.cx, want.cy);
  if (!img) return false;
  std::vector<BYTE> bits;
  if (img->cursor) {  // the cursor form starts with its hot spot
    bits.resize(4);
    bits[0] = BYTE(img->hotX), bits[1] = BYTE(img->hotX >> 8), bits[2] = BYTE(img->hotY), bits[3] = BYTE(img->hotY >> 8);
  }
  bits.insert(bits.end(), data + img->offset, data + img->offset + img->size);
  int cx = want.cx ? want.cx : img->width, cy = want.cy ? want.cy : img->height;
  HICON icon = CreateIconFromResourceEx(bits.data(), DWORD(bits.size()), !img->cursor, 0x00030000, cx, cy, 0);
  if (!icon) return false;
  p.kind = img->cursor ? CPicture::Cursor : CPicture::Icon;
  p.icon = icon;
  p.width = cx;
  p.height = cy;
  return true;
}

bool readWholeFile(const char* name, std::vector<uint8_t>& out) {
  char path[MAX_PATH];
  if (!name || !*name || !SearchPathA(nullptr, name, nullptr, MAX_PATH, path, nullptr)) return false;
  HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD size = GetFileSize(f, nullptr), got = 0;
  bool ok = size != INVALID_FILE_SIZE && size <= MaxPictureFile;
  if (ok) {
    out.resize(size);
    ok = ReadFile(f, out.data(), size, &got, nullptr) && got == size;
  }
  CloseHandle(f);
  return ok;
}

bool loadFromFile(CPicture& p, Format format, SIZE want) {
  std::vector<uint8_t> data;
  if (!readWholeFile(p.fileName, data)) return false;
  return format == Format::Bitmap ? bitmapFromFileBytes(p, data.data(), data.size())
                                  : iconFromFileBytes(p, data.data(), data.size(), want);
}

// A resource's bytes, checked to lie inside the mapped file.
bool resourceBytes(HMODULE module, const char* name, LPCSTR type, const uint8_t*& data, DWORD& size) {
  HRSRC res = FindResourceA(module, name, type);
  HGLOBAL mem = res ? LoadResource(module, res) : nullptr;
  data = mem ? static_cast<const uint8_t*>(LockResource(mem)) : nullptr;
  size = res ? SizeofResource(module, res) : 0;
  return data && size;
}

bool iconFromModule(CPicture& p, HMODULE module, SIZE want) {
  const uint8_t* dir;
  DWORD dirSize;
  if (!resourceBytes(module, p.resourceName, RT_GROUP_ICON, dir, dirSize) || dirSize < 6) return false;
  // The group directory's entries are 14 bytes each; the system picks the
  // best one for the size (its own size when none is asked for).
  WORD count = WORD(dir[4] | dir[5] << 8);
  if (count == 0 || 6 + DWORD(count) * 14 > dirSize) return false;
  int id = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(dir), TRUE, want.cx, want.cy, LR_DEFAULTCOLOR);
  const uint8_t* bits;
  DWORD size;
  if (!id || !resourceBytes(module, MAKEINTRESOURCEA(id), RT_ICON, bits, size) || size < 40) return false;
  // The entry's own size when none is asked for: from its BITMAPINFOHEADER.
  int cx = want.cx, cy = want.cy;
  if (!cx || !cy) {
    auto dib = image::parsePackedDib(bits, size);
    if (!dib) return false;
    cx = dib->width;
    cy = dib->height / 2;
  }
  HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(bits), size, TRUE, 0x00030000, cx, cy, 0);
  if (!icon) return false;
  p.kind = CPicture::Icon;
  p.icon = icon;
  p.width = cx;
  p.height = cy;
  return true;
}

bool loadFromModule(CPicture& p, Format format, SIZE want) {
  if (p.fileName.IsEmpty() || p.resourceName.IsEmpty()) return false;
  HMODULE module = LoadLibraryExA(p.fileName, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return false;
  bool ok = false;
  if (format == Format::Bitmap) {
    const uint8_t* data;
    DWORD size;
    if (resourceBytes(module, p.resourceName, RT_BITMAP, data, size)) {
      auto dib = image::parsePackedDib(data, size);
      ok = dib && finishBitmap(p, bitmapFromDib(*dib, data), dib->width, dib->height);
    }
  } else {
    ok = iconFromModule(p, module, want);
  }
  FreeLibrary(module);
  return ok;
}

bool loadFromHost(CPicture& p, Format format, SIZE want) {
  // The host's resources are named by the resource name; a caller that
  // names it in the file-name place alone is understood as well.
  const char* name = p.resourceName.IsEmpty() ? p.fileName.c_str() : p.resourceName.c_str();
  HSTRING data = HostGetResourceData(name);
  if (!data) return false;
  LONG size = HostStrGetLength(data);
  auto bytes = reinterpret_cast<const uint8_t*>(HostStrLock(data, nullptr));
  bool ok = bytes && size > 0 &&
            (format == Format::Bitmap ? bitmapFromFileBytes(p, bytes, size_t(size))
                                      : iconFromFileBytes(p, bytes, size_t(size), want));
  HostStrFree(data);
  return ok;
}

SIZE iconSizeOf(WORD flags) {
  if (flags & SizeSmall) return SmallIconSize();
  if (flags & SizeLarge) return LargeIconSize();
  return SIZE{0, 0};
}

} // namespace

CPicture::CPicture(WORD flags, const char* file, const char* resource)
    : loadFlags(flags), fileName(file), resourceName(resource) {}

CPicture::~CPicture() {
  if (image) DeleteObject(image);
  if (mask) DeleteObject(mask);
  if (icon) (kind == Cursor ? DestroyCursor(HCURSOR(icon)) : DestroyIcon(icon));
}

CPicture* LoadPicture(WORD flags, const char* fileName, const char* resourceName) {
  flags = applyExtension(flags, fileName);
  Source source = sourceOf(flags);
  if (source == Source::None) return nullptr;
  Format format = formatOf(flags, source, fileName);
  if (format == Format::None) {
    const char* name = source == Source::File ? fileName : (resourceName && *resourceName ? resourceName : fileName);
    ReportCallFailure(IDS_NoPictureFormat, name ? name : "");
    return nullptr;
  }
  auto picture = std::make_unique<CPicture>(flags, fileName, resourceName);
  SIZE want = iconSizeOf(flags);
  bool ok = false;
  switch (source) {
  case Source::File: ok = loadFromFile(*picture, format, want); break;
  case Source::Module: ok = loadFromModule(*picture, format, want); break;
  case Source::Host: ok = loadFromHost(*picture, format, want); break;
  case Source::None: break;
  }
  return ok ? picture.release() : nullptr;
}

// ---- Per-window lists -----------------------------------------------------------

namespace {
const char PicListProp[] = "AK:PicList";
const char FontListProp[] = "AK:FontList";

CObArray* listOf(HWND w, const char* prop) { return IsWindow(w) ? static_cast<CObArray*>(GetPropA(w, prop)) : nullptr; }

bool contains(CObArray* list, const void* item, bool byFont) {
  for (int i = 0; i < list->GetSize(); ++i) {
    CObject* o = list->GetAt(i);
    if (byFont ? (o && static_cast<CFontEntry*>(o)->font == item) : o == item) return true;
  }
  return false;
}

CObArray* createList(HWND w, const char* prop, int size) {
  auto list = std::make_unique<CObArray>();
  if (size > 0) list->SetSize(size);
  if (!SetPropA(w, prop, list.get())) return nullptr;
  return list.release();
}
} // namespace

CObArray* GetPicList(HWND window) { return listOf(window, PicListProp); }

CObArray* CreatePicList(HWND window, int size) {
  if (!IsWindow(window)) return nullptr;
  FreePicList(window);
  return createList(window, PicListProp, size);
}

void AddPicture(HWND window, CPicture* picture) {
  if (!picture || !IsWindow(window)) return;
  CObArray* list = GetPicList(window);
  if (!list) list = CreatePicList(window);
  if (list && !contains(list, picture, false)) list->Add(picture);
}

void FreePicList(HWND window) {
  CObArray* list = GetPicList(window);
  if (!list) return;
  for (int i = 0; i < list->GetSize(); ++i) {
    auto* p = static_cast<CPicture*>(list->GetAt(i));
    if (IsLivePicture(p) && p->loadFlags > 0x7FFF) delete p;
  }
  delete list;
  RemovePropA(window, PicListProp);
}

CObArray* GetFontList(HWND window) { return listOf(window, FontListProp); }

CObArray* CreateFontList(HWND window) {
  if (!IsWindow(window)) return nullptr;
  FreeFontList(window);
  return createList(window, FontListProp, 0);
}

void AddFont(HWND window, HFONT font) {
  if (!font || !IsWindow(window)) return;
  CObArray* list = GetFontList(window);
  if (!list) list = CreateFontList(window);
  if (!list || contains(list, font, true)) return;
  auto entry = std::make_unique<CFontEntry>(font);
  list->Add(entry.get());
  entry.release();
}

void FreeFontList(HWND window) {
  CObArray* list = GetFontList(window);
  if (!list) return;
  HFONT current = HFONT(SendMessageA(window, WM_GETFONT, 0, 0));
  for (int i = 0; i < list->GetSize(); ++i) {
    auto* entry = static_cast<CFontEntry*>(list->GetAt(i));
    if (entry && entry->font != current) DeleteObject(entry->font);
    delete entry;
  }
  delete list;
  RemovePropA(window, FontListProp);
}

} // namespace amb

// ---- Exports ---------------------------------------------------------------------

extern "C" amb::CPicture* WINAPI AmbPicLoad(WORD flags, LPCSTR fileName, LPCSTR resourceName) {
  try {
    return amb::LoadPicture(flags, fileName, resourceName);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return nullptr;
}

extern "C" LONG WINAPI AmbPicFree(amb::CPicture* picture) {
  // Beyond a NULL check: a picture already freed (or any other address) is
  // refused the same way instead of being deleted twice.
  if (!amb::IsLivePicture(picture)) return -87;
  delete picture;
  return 0;
}
