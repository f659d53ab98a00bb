// What the frame tests need around the libraries: loading them by name,
// capturing the debugger output, and answering modal boxes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace amblibtest {

// A library loaded for one test (its start-up and shut-down run each time).
class Library {
public:
  explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
  ~Library() { if (module_) FreeLibrary(module_); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  HMODULE module() const { return module_; }
  explicit operator bool() const { return module_ != nullptr; }
  template <class F> F fn(const char* name) const { return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name))); }

private:
  HMODULE module_;
};

// OutputDebugString pieces, one entry per call, while the object lives.
class DebugCapture {
public:
  DebugCapture();
  ~DebugCapture();
  std::vector<std::string> pieces;
  std::string joined() const;
};

// A modal box as the hook found it.
struct ModalBox {
  HWND window;
  std::string caption;
  std::string text;  // message boxes: their text
};

// Answers every dialog and message box that activates while it lives: the
// handler returns the command id to post (0: none yet).
class ModalAnswerer {
public:
  explicit ModalAnswerer(std::function<int(const ModalBox&)> handler);
  ~ModalAnswerer();
  std::vector<ModalBox> seen;
};

// Answers message boxes with IDOK and records them.
inline std::function<int(const ModalBox&)> answerOk() {
  return [](const ModalBox&) { return IDOK; };
}

// A plain top-level window for tests to own things.
HWND makeWindow();

// Bytes of a file written for a test into the temp folder; returns its path.
std::string writeTempFile(const std::string& name, const std::vector<unsigned char>& bytes);

} // namespace amblibtest
