// Fonts that application code loads by face, point size and style, and the
// font families of the screen and the default printer.
#include <cstring>
#include <string>
#include <vector>

#include "hoststring.h"
#include "picture.h"

namespace amb {
namespace {

enum : WORD { StyleItalic = 2, StyleUnderline = 4, StyleBold = 8, StyleStrikeOut = 16 };

// LOGPIXELSY of the active window's screen context.
int pixelsPerInch() {
  HWND active = GetActiveWindow();
  HDC dc = GetDC(active);
  if (!dc) return 96;
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(active, dc);
  return dpi > 0 ? dpi : 96;
}

struct Family {
  std::string name;
  LONG type;
};

int CALLBACK collectFamily(const LOGFONTA* lf, const TEXTMETRICA*, DWORD fontType, LPARAM param) {
  auto* families = reinterpret_cast<std::vector<Family>*>(param);
  LONG type = (fontType & TRUETYPE_FONTTYPE) ? 4 : (fontType & DEVICE_FONTTYPE) ? 1 : (fontType & RASTER_FONTTYPE) ? 2 : 0;
  try {
    families->push_back({lf->lfFaceName, type});
  } catch (...) {
    return 0;  // no memory: stop the enumeration
  }
  return 1;
}

bool enumerate(HDC dc, std::vector<Family>& families) {
  size_t before = families.size();
  EnumFontFamiliesA(dc, nullptr, collectFamily, LPARAM(&families));
  return families.size() >= before;
}

// The default printer named by [windows] device= ("name,driver,port").
HDC defaultPrinterDC() {
  char device[256];
  if (!GetProfileStringA("windows", "device", "", device, sizeof device) || !*device) return nullptr;
  char* driver = std::strchr(device, ',');
  if (!driver) return nullptr;
  *driver++ = 0;
  char* port = std::strchr(driver, ',');
  if (port) *port++ = 0;
  return CreateDCA(driver, device, port, nullptr);
}

} // namespace

HFONT LoadFont(const char* face, int pointSize, WORD styleFlags) {
  LOGFONTA lf{};
  // Integer arithmetic as the host expects: 8 points at 96 dpi is -10.
  lf.lfHeight = -(pointSize * pixelsPerInch() / 72);
  lf.lfWeight = (styleFlags & StyleBold) ? 700 : 400;
  lf.lfItalic = (styleFlags & StyleItalic) ? 1 : 0;
  lf.lfUnderline = (styleFlags & StyleUnderline) ? 1 : 0;
  lf.lfStrikeOut = (styleFlags & StyleStrikeOut) ? 1 : 0;
  lstrcpynA(lf.lfFaceName, face ? face : "", LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

} // namespace amb

extern "C" HFONT WINAPI AmbFontLoad(LPCSTR face, LONG pointSize, WORD styleFlags) {
  return amb::LoadFont(face, pointSize, styleFlags);
}

extern "C" LONG WINAPI AmbFontFree(HFONT font) {
  if (font && GetObjectType(font) == OBJ_FONT) DeleteObject(font);
  return 1;
}

extern "C" BOOL WINAPI AmbFontGet(HFONT font, HSTRING* face, LONG* pointSize, LONG* styleFlags) {
  LOGFONTA lf;
  if (!font || GetObjectType(font) != OBJ_FONT || GetObjectA(font, sizeof lf, &lf) != sizeof lf) return FALSE;
  HWND active = GetActiveWindow();
  HDC dc = GetDC(active);
  if (!dc) return FALSE;
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm;
  BOOL ok = GetTextMetricsA(dc, &tm);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  SelectObject(dc, old);
  ReleaseDC(active, dc);
  if (!ok || dpi <= 0) return FALSE;
  if (pointSize) *pointSize = (tm.tmHeight - tm.tmInternalLeading) * 72 / dpi;
  if (styleFlags) {
    *styleFlags = (lf.lfWeight >= 700 ? 8 : 0) | (lf.lfItalic ? 2 : 0) | (lf.lfUnderline ? 4 : 0) |
                  (lf.lfStrikeOut ? 16 : 0);
  }
  if (face) *face = amb::MakeHostStringRetry(lf.lfFaceName);
  return TRUE;
}

extern "C" LONG WINAPI AmbFontEnum(LONG which, HARRAY names, HARRAY types) {
  try {
    std::vector<amb::Family> families;
    bool anyDC = false;
    if (which & 1) {
      HWND active = GetActiveWindow();
      if (HDC dc = GetDC(active)) {
        anyDC = true;
        amb::enumerate(dc, families);
        ReleaseDC(active, dc);
      }
    }
    if (which & 2) {
      if (HDC dc = amb::defaultPrinterDC()) {
        anyDC = true;
        amb::enumerate(dc, families);
        DeleteDC(dc);
      }
    }
    if (!anyDC) return 0;

    amb::openFromZero(names);
    amb::openFromZero(types);
    std::vector<std::string> stored;
    for (const auto& f : families) {
      LONG index = LONG(stored.size());
      for (LONG i = index - 1; i >= 0; --i)
        if (stored[i] == f.name) {
          index = i;
          break;
        }
      if (index == LONG(stored.size())) {
        HSTRING name = amb::MakeHostString(f.name.c_str());
        if (!name) return -8;
        if (!HostArraySetString(names, index, name)) {
          HostStrFree(name);
          return -8;
        }
        stored.push_back(f.name);
      }
      HostNumber type;
      HostNumberFromLong(&type, f.type);
      if (!HostArraySetNumber(types, index, type)) return -8;
    }
    LONG count = LONG(stored.size());
    HostArraySetBound(names, 1, count - 1);
    HostArraySetBound(types, 1, count - 1);
    return count;
  } catch (...) {
    return -8;
  }
}
