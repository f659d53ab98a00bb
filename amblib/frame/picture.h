// Pictures and fonts that application code loads, and the per-window lists
// ("AK:PicList", "AK:FontList") that free them with their window.
#pragma once
#include <windows.h>

#include "frame.h"
#include "fwcore.h"
#include "picturerules.h"

namespace amb {

// A picture handle is the address of one of these.
class CPicture : public CObject {
public:
  enum Kind { Bitmap = 1, Icon = 2, Cursor = 3 };

  CPicture(WORD flags, const char* fileName, const char* resourceName);
  ~CPicture() override;
  CPicture(const CPicture&) = delete;
  CPicture& operator=(const CPicture&) = delete;

  int kind = 0;
  int height = 0, width = 0;
  HBITMAP image = nullptr;  // bitmaps
  HBITMAP mask = nullptr;   // bitmaps: 1 where the image has its top-left pixel's colour
  HICON icon = nullptr;     // icons and cursors
  WORD loadFlags;
  CString fileName;
  CString resourceName;

private:
  LiveObject<CPicture> live_{this};
};

// AmbPicLoad without the export: a new picture, or nullptr.
CPicture* LoadPicture(WORD flags, const char* fileName, const char* resourceName);

// Whether `p` is a picture that has not been freed.
inline bool IsLivePicture(const CPicture* p) { return p && live::is(p, live::kindOf<CPicture>()); }

// The window's picture list, or nullptr when it has none.
CObArray* GetPicList(HWND window);
// Creates the window's picture list (freeing one it had) with room for
// `size` entries; returns it, or nullptr when the window is invalid.
CObArray* CreatePicList(HWND window, int size = 0);
// Adds a picture to the window's list, creating the list on first use;
// nullptr and a picture already listed are ignored.
void AddPicture(HWND window, CPicture* picture);
// Deletes the pictures the library made (load flag 0x8000), then the list,
// and removes the property.
void FreePicList(HWND window);

// Font entries of "AK:FontList".
class CFontEntry : public CObject {
public:
  explicit CFontEntry(HFONT f) : font(f) {}
  HFONT font;
};

CObArray* GetFontList(HWND window);
CObArray* CreateFontList(HWND window);
// Adds a font handle, creating the list on first use; a listed one is ignored.
void AddFont(HWND window, HFONT font);
// Deletes every listed font except the window's current one (WM_GETFONT),
// then the list and the property.
void FreeFontList(HWND window);

// AmbFontLoad without the export.
HFONT LoadFont(const char* face, int pointSize, WORD styleFlags);

} // namespace amb
