// Helpers for tests that look at the built binaries themselves.
#pragma once
#include <string>
#include <vector>

namespace testsupport {

// The folder of the running test program, with a trailing backslash: all
// binaries and the expected-export lists are there.
std::string binDir();

// Reads expected/<listName> beside the tests: one export name a line.
std::vector<std::string> expectedExports(const std::string& listName);

// The export names of a built file in the bin folder, sorted.
std::vector<std::string> actualExports(const std::string& fileName);

} // namespace testsupport

// Checks that <dll> loads with LoadLibrary and that its export table equals
// expected/<dll without extension>.txt exactly. Use in one TEST per DLL.
#define EXPECT_DLL_LOADS_AND_EXPORTS(dll) ::testsupport::checkDllExports(dll)
namespace testsupport { void checkDllExports(const std::string& dll); }
