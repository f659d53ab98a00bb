// The sample host's scripted tour. Each capability adds one file
// demo/tour_<name>.cpp with a step:
//
//   static TourStep step("40-calendar", "Month calendar", [](Tour& t) {
//     HWND w = CreateWindowExA(..., t.form, ...);
//     t.report("marked dates: %d", n);
//     t.screenshot(t.form, "calendar");
//   });
//
// Steps run in the order of their keys. A step reports what it did in
// out/report.txt and may save screenshots as out/<name>.png.
#pragma once
#include <windows.h>

#include <string>

struct Tour {
  HINSTANCE instance;
  HWND form;              // the main form, 800 x 600 client area, visible
  std::string outDir;     // ends with a backslash

  // One line of the report (printf format), under the current step's title.
  void report(const char* fmt, ...);
  // A check the tour makes: reported as "ok" or "FAILED", and a failed one
  // makes the demo exit non-zero.
  void check(bool ok, const char* fmt, ...);
  // Paints `w` and its children and saves its pixels as out/<name>.png.
  bool screenshot(HWND w, const char* name);
  // Lets the message queue drain (timers, posted messages) for `ms`.
  void pump(int ms = 0);
};

using TourFn = void (*)(Tour&);

struct TourStep {
  TourStep(const char* key, const char* title, TourFn fn);
};
