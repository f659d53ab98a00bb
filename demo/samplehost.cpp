// The sample host: a small application that opens a form, loads the
// libraries and takes them on a scripted tour, writing out/report.txt and a
// screenshot per step. Runs headless under Wine's null display driver, or
// interactively on a real display.
#include "png.h"
#include "tour.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Step { std::string key, title; TourFn fn; };

std::vector<Step>& steps() {
  static std::vector<Step> all;
  return all;
}

FILE* g_report;
int g_failures;

void vline(const char* prefix, const char* fmt, va_list ap) {
  char buf[2048];
  vsnprintf(buf, sizeof buf, fmt, ap);
  fprintf(g_report, "  %s%s\n", prefix, buf);
  printf("  %s%s\n", prefix, buf);
}

LRESULT CALLBACK FormProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_ERASEBKGND: {
    RECT r;
    GetClientRect(w, &r);
    FillRect(HDC(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

HWND createForm(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "SampleHostForm";
  RegisterClassA(&wc);
  RECT r{0, 0, 800, 600};
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRect(&r, style, FALSE);
  HWND form = CreateWindowExA(0, "SampleHostForm", "Sample host", style, 0, 0, r.right - r.left,
                              r.bottom - r.top, nullptr, nullptr, inst, nullptr);
  ShowWindow(form, SW_SHOW);
  UpdateWindow(form);
  return form;
}

} // namespace

TourStep::TourStep(const char* key, const char* title, TourFn fn) { steps().push_back({key, title, fn}); }

void Tour::report(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  vline("", fmt, ap);
  va_end(ap);
}

void Tour::check(bool ok, const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  vline(ok ? "ok      " : "FAILED  ", fmt, ap);
  va_end(ap);
  if (!ok) ++g_failures;
}

void Tour::pump(int ms) {
  DWORD end = GetTickCount() + DWORD(ms);
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    if (ms) Sleep(10);
  } while (ms && int(GetTickCount() - end) < 0);
}

bool Tour::screenshot(HWND w, const char* name) {
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  pump();
  RECT r;
  GetClientRect(w, &r);
  int width = r.right, height = r.bottom;
  if (width <= 0 || height <= 0) return false;
  HDC src = GetDC(w);
  HDC mem = CreateCompatibleDC(src);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(src, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, width, height, src, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<uint8_t> rgb(size_t(width) * height * 3);
  auto* px = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < size_t(width) * height; ++i) {
    rgb[3 * i] = px[4 * i + 2];
    rgb[3 * i + 1] = px[4 * i + 1];
    rgb[3 * i + 2] = px[4 * i];
  }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(w, src);
  std::string file = std::string(name) + ".png";
  bool ok = png::writeFile(outDir + file, width, height, rgb);
  report("screenshot %s%s", file.c_str(), ok ? "" : " could not be written");
  return ok;
}

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : "out";
  if (out.back() != '\\' && out.back() != '/') out += '\\';
  CreateDirectoryA(out.c_str(), nullptr);
  g_report = fopen((out + "report.txt").c_str(), "w");
  if (!g_report) {
    fprintf(stderr, "cannot write %sreport.txt\n", out.c_str());
    return 2;
  }
  Tour tour{GetModuleHandleA(nullptr), nullptr, out};
  tour.form = createForm(tour.instance);
  fprintf(g_report, "Sample host tour\n");
  std::stable_sort(steps().begin(), steps().end(), [](const Step& a, const Step& b) { return a.key < b.key; });
  for (const auto& s : steps()) {
    fprintf(g_report, "\n[%s] %s\n", s.key.c_str(), s.title.c_str());
    printf("[%s] %s\n", s.key.c_str(), s.title.c_str());
    s.fn(tour);
    tour.pump();
  }
  fprintf(g_report, "\n%d step(s), %d failed check(s)\n", int(steps().size()), g_failures);
  fclose(g_report);
  DestroyWindow(tour.form);
  return g_failures ? 1 : 0;
}
