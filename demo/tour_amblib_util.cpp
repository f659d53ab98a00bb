// The utility functions, as application code uses them: a look-up in a
// string table, a folder listed and sorted into a host array, file lines
// read back, a template expanded over the listing.
#include "ambutil.h"
#include "tour.h"

#include <string>
#include <vector>

namespace {

std::string take(HSTRING s) {
  const char* p = HostStrLock(s, nullptr);
  std::string t = p ? p : "";
  HostStrFree(s);
  return t;
}

std::string element(HARRAY a, LONG i) {
  HSTRING s = 0;
  HostArrayGetString(a, i, &s);
  const char* p = s ? HostStrLock(s, nullptr) : nullptr;
  return p ? p : "";
}

void writeFile(const std::string& path, const std::string& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(f, bytes.data(), DWORD(bytes.size()), &put, nullptr);
  CloseHandle(f);
}

void run(Tour& t) {
  std::string dir = take(AmbFileCreateTemp("amb"));
  DeleteFileA(dir.c_str());
  t.check(AmbDosMakeAllDir((dir + "\\data\\logs\\").c_str()) == 0, "made %s\\data\\logs", dir.c_str());
  writeFile(dir + "\\data\\messages.tbl", "{GREETING}Welcome to the sample host\r\n{BYE}Good bye\r\n");
  for (const char* name : {"zeta.log", "alpha.log", "Mid.log", "beta.log"})
    writeFile(dir + "\\data\\logs\\" + name, std::string("started\r\nworking\r\n") + name + "\r\n");

  LONG table = AmbStrLoadTable((dir + "\\data\\messages.tbl").c_str());
  std::string greeting = take(AmbStrFind(table, "GREETING"));
  t.check(greeting == "Welcome to the sample host", "table look-up {GREETING}: \"%s\"", greeting.c_str());
  AmbStrFreeTable(table);

  HARRAY names = HostArrayCreate(5, 1);
  LONG n = AmbDosEnumFiles((dir + "\\data\\logs\\*.log").c_str(), 0, names);
  t.check(n == 4, "listed %ld log files", long(n));
  t.check(AmbArraySort(names, 0, 5) == 4, "sorted without regard to case");
  std::string listing = take(AmbStrExpand("{%,s}", names));
  t.check(listing == "alpha.log,beta.log,Mid.log,zeta.log", "sorted listing: %s", listing.c_str());

  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 520, 240,
                              t.form, nullptr, t.instance, nullptr);
  SendMessageA(list, LB_ADDSTRING, 0, LPARAM(("Table: " + greeting).c_str()));
  for (LONG i = 0; i < n; ++i) {
    std::string file = element(names, i);
    HLOCAL h = nullptr;
    std::string last;
    if (AmbFileOpen(&h, (dir + "\\data\\logs\\" + file).c_str(), 0) == 0) {
      HSTRING line = 0;
      while (AmbFileReadString(h, &line) == 0) last = HostStrLock(line, nullptr);
      HostStrFree(line);
      AmbFileClose(h);
    }
    std::string row = take(AmbStrPad(file.c_str(), 12)) + "| last line: " + last + "  size " +
                      std::to_string(AmbFileGetSize((dir + "\\data\\logs\\" + file).c_str()));
    SendMessageA(list, LB_ADDSTRING, 0, LPARAM(row.c_str()));
  }
  t.check(AmbFileCopy((dir + "\\data\\logs\\*.log").c_str(), (dir + "\\data\\*.bak").c_str()) == 4,
          "copied the logs to *.bak");
  std::string proper = take(AmbStrProper("mcdonald o'neil-SMITH"));
  t.check(proper == "McDonald O'Neil-Smith", "proper case: %s", proper.c_str());
  SendMessageA(list, LB_ADDSTRING, 0, LPARAM(("Proper case: " + proper).c_str()));
  t.screenshot(t.form, "utilities");
  DestroyWindow(list);
  HostArrayFree(names);
  AmbFileDelete((dir + "\\data\\logs\\*.*").c_str());
  AmbFileDelete((dir + "\\data\\*.*").c_str());
  RemoveDirectoryA((dir + "\\data\\logs").c_str());
  RemoveDirectoryA((dir + "\\data").c_str());
  RemoveDirectoryA(dir.c_str());
}

TourStep step("30-amblib-util", "amblib utilities: strings, files, folders, arrays", run);

} // namespace
