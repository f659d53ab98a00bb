// AmbArraySort on a host string array, against std::stable_sort of the same
// texts with the same comparison in plain memory: what going through the
// host array calls costs on top of the sort itself.
#include "ambutil.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double seconds() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) / double(f.QuadPart);
}

std::vector<std::string> data(int n) {
  std::vector<std::string> v;
  unsigned x = 12345;
  for (int i = 0; i < n; ++i) {
    x = x * 1103515245u + 12345u;
    char buf[24];
    sprintf(buf, "%c%07u", 'a' + int(x >> 27) % 26, x >> 8);
    v.push_back(buf);
  }
  return v;
}

} // namespace

int main() {
  printf("arraysort: AmbArraySort of a host string array vs std::stable_sort (lstrcmpi) in memory\n");
  for (int n : {1000, 10000, 100000}) {
    auto texts = data(n);
    HARRAY a = HostArrayCreate(5, 1);
    for (int i = 0; i < n; ++i) HostArraySetString(a, i, HostStrFromText(texts[size_t(i)].c_str()));
    double t0 = seconds();
    AmbArraySort(a, 0, 5);
    double ours = seconds() - t0;
    t0 = seconds();
    std::stable_sort(texts.begin(), texts.end(), [](const std::string& x, const std::string& y) {
      return lstrcmpiA(x.c_str(), y.c_str()) < 0;
    });
    double peer = seconds() - t0;
    HostArrayFree(a);
    printf("  %6d strings: %.3f s, %.2fx the in-memory sort\n", n, ours, peer > 0 ? ours / peer : 0.0);
  }
  return 0;
}
