// amblib's frame as a host application meets it: the library loaded with
// its classes, its version and copyright, pictures from a file, from a
// library's resources and from the host's own resources drawn on the form
// with their masks, and fonts loaded by point size and style.
#include "ambframe.h"
#include "imagebytes.h"
#include "picture.h"
#include "tour.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The image files are written by the same helpers as the picture tests'.
using amblibtest::Bytes;
using amblibtest::makeBmp24;
using amblibtest::put16;
using amblibtest::put32;

std::string take(HSTRING s) {
  const char* p = s ? HostStrLock(s, nullptr) : nullptr;
  std::string t = p ? p : "";
  if (s) HostStrFree(s);
  return t;
}

// An .ICO with one 32 x 32 24-bit image: a disc of `colour`, transparent
// around it.
Bytes makeDiscIcon(unsigned colour) {
  const int s = 32;
  const size_t stride = s * 3, maskStride = 4;
  Bytes img(40 + stride * s + maskStride * s, 0);
  put32(img, 0, 40);
  put32(img, 4, s);
  put32(img, 8, s * 2);
  put16(img, 12, 1);
  put16(img, 14, 24);
  for (int y = 0; y < s; ++y)
    for (int x = 0; x < s; ++x) {
      int dx = 2 * x - s + 1, dy = 2 * y - s + 1;
      bool inside = dx * dx + dy * dy < (s - 2) * (s - 2);
      int row = s - 1 - y;  // bottom-up
      size_t at = 40 + size_t(row) * stride + size_t(x) * 3;
      if (inside) img[at] = BYTE(colour), img[at + 1] = BYTE(colour >> 8), img[at + 2] = BYTE(colour >> 16);
      else img[40 + stride * s + size_t(row) * maskStride + size_t(x / 8)] |= BYTE(0x80 >> (x % 8));
    }
  Bytes ico(6 + 16 + img.size(), 0);
  put16(ico, 2, 1);
  put16(ico, 4, 1);
  ico[6] = s, ico[7] = s;
  put16(ico, 10, 1);
  put16(ico, 12, 24);
  put32(ico, 14, unsigned(img.size()));
  put32(ico, 18, 22);
  std::copy(img.begin(), img.end(), ico.begin() + 22);
  return ico;
}

bool writeFile(const std::string& path, const Bytes& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  BOOL ok = WriteFile(f, bytes.data(), DWORD(bytes.size()), &put, nullptr);
  CloseHandle(f);
  return ok && put == bytes.size();
}

// A picture as the panel shows it.
struct Shown {
  amb::CPicture* picture;
  std::string label;
  POINT at;
};
struct FontSample {
  HFONT font;
  std::string text;
};
std::vector<Shown> g_pictures;
std::vector<FontSample> g_fonts;
std::vector<std::string> g_about;  // the library, its version and copyright
const COLORREF PanelColour = RGB(255, 255, 224);

// Draws a bitmap through its mask, as the library's controls do: where the
// mask is white (the image's top-left colour) the panel shows through.
void drawBitmap(HDC dc, const amb::CPicture& p, int x, int y) {
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, p.mask);
  COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, p.width, p.height, mem, 0, 0, SRCAND);      // black where the image is
  HBITMAP ink = CreateCompatibleBitmap(dc, p.width, p.height);  // the image, black where transparent
  HDC inkDc = CreateCompatibleDC(dc);
  HGDIOBJ oldInk = SelectObject(inkDc, ink);
  SelectObject(mem, p.image);
  BitBlt(inkDc, 0, 0, p.width, p.height, mem, 0, 0, SRCCOPY);
  SelectObject(mem, p.mask);
  BitBlt(inkDc, 0, 0, p.width, p.height, mem, 0, 0, 0x00220326);  // DSna: clear the transparent part
  BitBlt(dc, x, y, p.width, p.height, inkDc, 0, 0, SRCPAINT);
  SelectObject(inkDc, oldInk);
  DeleteDC(inkDc);
  DeleteObject(ink);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  SelectObject(mem, old);
  DeleteDC(mem);
}

LRESULT CALLBACK PanelProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return DefWindowProcA(w, msg, wp, lp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  HBRUSH panel = CreateSolidBrush(PanelColour);
  FillRect(dc, &r, panel);
  DeleteObject(panel);
  SetBkMode(dc, TRANSPARENT);
  for (const auto& s : g_pictures) {
    const amb::CPicture& p = *s.picture;
    if (p.kind == amb::CPicture::Bitmap) {
      drawBitmap(dc, p, s.at.x, s.at.y);
    } else {
      DrawIconEx(dc, s.at.x, s.at.y, p.icon, p.width, p.height, 0, nullptr, DI_NORMAL);
    }
    TextOutA(dc, s.at.x + 40, s.at.y, s.label.c_str(), int(s.label.size()));
  }
  for (size_t i = 0; i < g_about.size(); ++i)
    TextOutA(dc, 330, 10 + 20 * int(i), g_about[i].c_str(), int(g_about[i].size()));
  int y = 330;
  for (const auto& f : g_fonts) {
    HGDIOBJ old = SelectObject(dc, f.font);
    TextOutA(dc, 10, y, f.text.c_str(), int(f.text.size()));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    y += tm.tmHeight + 6;
    SelectObject(dc, old);
  }
  EndPaint(w, &ps);
  return 0;
}

void run(Tour& t) {
  HMODULE lib = GetModuleHandleA("amblib.dll");
  char path[MAX_PATH] = "";
  GetModuleFileNameA(lib, path, MAX_PATH);
  t.check(lib != nullptr, "amblib.dll loaded from %s", path);
  int classes = 0;
  for (const char* cls : {"AK:cCalendar", "AK:cComboCal", "AK:cPalette", "AK:cComboPal", "AK:cSplitter",
                          "AK:cListView", "AK:cListViewDropDown", "AK:cSpinField", "AK:cMeter"}) {
    WNDCLASSA wc;
    classes += GetClassInfoA(t.instance, cls, &wc) ? 1 : 0;
  }
  t.check(classes == 9, "%d of the 9 control classes registered for the host", classes);
  std::string version = take(AmbGetVersion()), copyright = take(AmbGetCopyright());
  t.check(!version.empty(), "AmbGetVersion: \"%s\"", version.c_str());
  t.check(!copyright.empty(), "AmbGetCopyright: \"%s\"", copyright.c_str());
  double winVersion = HostValueToDouble(AmbGetWinVersion());
  t.report("AmbGetWinVersion: %.1f", winVersion);
  char line[64];
  std::snprintf(line, sizeof line, "Windows %.1f", winVersion);
  g_about = {path, "version " + version, copyright, std::to_string(classes) + " control classes", line};

  // The three sources. Files are written here first; the host's resources
  // are pictures the application carries.
  auto checker = [](int x, int y) -> unsigned {
    if (x == 0 || y == 0 || x == 23 || y == 23) return 0xFF00FF;  // the transparent colour
    return ((x / 4 + y / 4) % 2) ? 0x2060C0 : 0xF0C020;
  };
  std::string bmpFile = t.outDir + "tour_checker.bmp", icoFile = t.outDir + "tour_disc.ico";
  writeFile(bmpFile, makeBmp24(24, 24, checker));
  writeFile(icoFile, makeDiscIcon(0x20A040));
  Bytes hostBmp = makeBmp24(20, 20, [](int x, int y) -> unsigned {
    if (x + y < 6) return 0xFFFFFF;  // a transparent top-left corner
    return (x < 10) == (y < 10) ? 0xC02020 : 0x202020;
  });
  Bytes hostIco = makeDiscIcon(0xC02080);
  HostSetResourceData("SAMPLE_FLAG", hostBmp.data(), DWORD(hostBmp.size()));
  HostSetResourceData("SAMPLE_DISC", hostIco.data(), DWORD(hostIco.size()));

  struct Request { WORD flags; std::string file, resource, label; };
  const Request requests[] = {
      {PIC_FormatBitmap, bmpFile, "", "file: tour_checker.bmp (24 x 24)"},
      {PIC_FormatIcon | PIC_SizeLarge, icoFile, "", "file: tour_disc.ico"},
      {PIC_LoadLibrary | PIC_FormatBitmap, "amblib.dll", "drvhard2", "amblib.dll: drvhard2"},
      {PIC_LoadLibrary | PIC_FormatBitmap, "amblib.dll", "fdropen", "amblib.dll: fdropen"},
      {PIC_LoadLibrary | PIC_FormatBitmap, "amblib.dll", "AK_LOGO", "amblib.dll: AK_LOGO"},
      {PIC_LoadHost | PIC_FormatBitmap, "", "SAMPLE_FLAG", "host resource: SAMPLE_FLAG"},
      {PIC_LoadHost | PIC_FormatIcon | PIC_SizeSmall, "", "SAMPLE_DISC", "host resource: SAMPLE_DISC (small)"},
  };
  int row = 0;
  for (const auto& r : requests) {
    auto* p = static_cast<amb::CPicture*>(AmbPicLoad(r.flags, r.file.c_str(), r.resource.c_str()));
    t.check(p != nullptr, "AmbPicLoad(0x%04X) %s: %s %d x %d", r.flags, r.label.c_str(),
            !p ? "not loaded" : p->kind == amb::CPicture::Bitmap ? "bitmap" : "icon", p ? p->width : 0,
            p ? p->height : 0);
    if (p) g_pictures.push_back({p, r.label, POINT{10, 10 + 42 * row}});
    ++row;
  }

  HARRAY names = HostArrayCreate(HOST_TYPE_STRING, 1), types = HostArrayCreate(HOST_TYPE_NUMBER, 1);
  LONG families = AmbFontEnum(1, names, types);
  t.check(families > 0, "AmbFontEnum(screen): %ld font families", long(families));
  std::string firstFace;
  if (families > 0) {
    HSTRING s = 0;
    if (HostArrayGetString(names, 0, &s) && s) firstFace = HostStrLock(s, nullptr);
  }
  HostArrayFree(names);
  HostArrayFree(types);
  struct FontRequest { const char* face; LONG points; WORD style; const char* what; };
  const FontRequest fonts[] = {
      {"Arial", 8, FONT_Bold, "bold"},
      {"Arial", 12, FONT_Italic | FONT_Underline, "italic underlined"},
      {"Times New Roman", 18, 0, "plain"},
      {firstFace.c_str(), 14, FONT_StrikeOut, "struck out"},
  };
  for (const auto& f : fonts) {
    HFONT font = AmbFontLoad(f.face, f.points, f.style);
    HSTRING face = 0;
    LONG size = 0, style = 0;
    bool read = font && AmbFontGet(font, &face, &size, &style);
    std::string faceRead = take(face);
    t.check(read && style == f.style, "AmbFontLoad(\"%s\", %ld, %u): read back as \"%s\", %ld pt, style %ld",
            f.face, long(f.points), unsigned(f.style), faceRead.c_str(), long(size), long(style));
    if (font) g_fonts.push_back({font, std::string(f.face) + " " + std::to_string(f.points) + " pt " + f.what});
  }

  WNDCLASSA wc{};
  wc.lpfnWndProc = PanelProc;
  wc.hInstance = t.instance;
  wc.lpszClassName = "TourAmblibPanel";
  RegisterClassA(&wc);
  HWND panel = CreateWindowExA(0, "TourAmblibPanel", "", WS_CHILD | WS_VISIBLE, 10, 10, 780, 480, t.form, nullptr,
                               t.instance, nullptr);
  UpdateWindow(panel);
  // The masks at work: a transparent corner shows the panel, the middle
  // the picture.
  HDC dc = GetDC(panel);
  if (!g_pictures.empty() && g_pictures[0].picture->kind == amb::CPicture::Bitmap) {
    POINT at = g_pictures[0].at;
    t.check(GetPixel(dc, at.x, at.y) == PanelColour && GetPixel(dc, at.x + 5, at.y + 5) != PanelColour,
            "bitmap drawn through its mask: corner 0x%06lX, inside 0x%06lX", GetPixel(dc, at.x, at.y),
            GetPixel(dc, at.x + 5, at.y + 5));
  }
  ReleaseDC(panel, dc);
  t.screenshot(t.form, "amblib");

  DestroyWindow(panel);
  for (const auto& s : g_pictures) AmbPicFree(s.picture);
  for (const auto& f : g_fonts) AmbFontFree(f.font);
  g_pictures.clear();
  g_fonts.clear();
  g_about.clear();
  HostSetResourceData("SAMPLE_FLAG", nullptr, 0);
  HostSetResourceData("SAMPLE_DISC", nullptr, 0);
  DeleteFileA(bmpFile.c_str());
  DeleteFileA(icoFile.c_str());
}

TourStep step("10-amblib", "amblib frame: the library, its version, pictures and fonts", run);

} // namespace
