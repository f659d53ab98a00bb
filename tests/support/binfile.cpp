#include "binfile.h"
#include "pe.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>

namespace testsupport {

std::string binDir() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

std::vector<std::string> expectedExports(const std::string& listName) {
  std::ifstream f(binDir() + "expected\\" + listName);
  std::vector<std::string> names;
  for (std::string line; std::getline(f, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty() && line[0] != '#') names.push_back(line);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> actualExports(const std::string& fileName) {
  auto img = pe::parseFile(binDir() + fileName);
  if (!img) return {};
  auto names = img->exportNames;
  std::sort(names.begin(), names.end());
  return names;
}

void checkDllExports(const std::string& dll) {
  HMODULE h = LoadLibraryA((binDir() + dll).c_str());
  EXPECT_NE(h, nullptr) << dll << " does not load, error " << GetLastError();
  if (h) FreeLibrary(h);
  auto img = pe::parseFile(binDir() + dll);
  ASSERT_TRUE(img.has_value()) << dll << " is not a readable 32-bit PE file";
  std::string list = dll.substr(0, dll.find('.')) + ".txt";
  auto expected = expectedExports(list);
  auto actual = actualExports(dll);
  std::vector<std::string> missing, extra;
  std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(), std::back_inserter(missing));
  std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(), std::back_inserter(extra));
  for (const auto& m : missing) ADD_FAILURE() << dll << " does not export " << m;
  for (const auto& e : extra) ADD_FAILURE() << dll << " exports " << e << ", which expected/" << list << " does not list";
}

} // namespace testsupport
