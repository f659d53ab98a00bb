// Loading and unloading each library, against loading a system DLL of
// similar size that is not yet in the process: what a host pays each time
// it names one of our libraries.
#include <windows.h>

#include <cstdio>
#include <initializer_list>

namespace {

double secondsFor(const char* file, int rounds) {
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  for (int i = 0; i < rounds; ++i) {
    HMODULE h = LoadLibraryA(file);
    if (!h) return -1;
    FreeLibrary(h);
  }
  QueryPerformanceCounter(&b);
  return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

} // namespace

int main() {
  // Few rounds: each load of a library takes thread-local-storage indexes
  // that the statically linked runtime does not give back (docs/building.md).
  const int rounds = 50;
  const char* peer = "riched20.dll";
  double base = secondsFor(peer, rounds);
  printf("loading: LoadLibrary + FreeLibrary, %d rounds, ratio to %s (%.3f ms a round)\n", rounds, peer,
         base * 1000 / rounds);
  for (const char* file : {"amblib.dll", "gridwin.dll", "outkit.dll", "dbcaps.dll", "trxshare.dll"}) {
    double s = secondsFor(file, rounds);
    if (s < 0 || base <= 0)
      printf("  %-14s could not be loaded\n", file);
    else
      printf("  %-14s %.2fx\n", file, s / base);
  }
  return 0;
}
