// The utility exports of amblib.dll, driven as application code drives
// them: host strings and arrays from the host runtime, files in a folder of
// the test's own on the Wine drive.
#include "ambutil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- Host values -------------------------------------------------------------

std::string take(HSTRING s) {
  DWORD size = 0;
  const char* p = HostStrLock(s, &size);
  std::string t = p ? std::string(p, strnlen(p, size)) : "<none>";
  HostStrFree(s);
  return t;
}

std::string textOf(HSTRING s) {
  DWORD size = 0;
  const char* p = HostStrLock(s, &size);
  return p ? std::string(p, strnlen(p, size)) : "<none>";
}

HostNumber num(LONG v) {
  HostNumber n{};
  HostNumberFromLong(&n, v);
  return n;
}

HostDate date(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
  HostDate v{};
  HostDateMake(&v, y, m, d, h, mi, s);
  return v;
}

// A host array owned by the test.
struct Array {
  HARRAY h;
  explicit Array(LONG type, LONG dims = 1) : h(HostArrayCreate(type, dims)) {}
  ~Array() { HostArrayFree(h); }
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;
  operator HARRAY() const { return h; }

  static Array strings(std::vector<std::string> v, LONG lower = 0) {
    Array a(5);
    if (lower) HostArraySetUpperBound(a, lower, lower - 1);
    for (size_t i = 0; i < v.size(); ++i) HostArraySetString(a, lower + LONG(i), HostStrFromText(v[i].c_str()));
    return a;
  }
  std::vector<std::string> texts() const {
    LONG count = 0, lower = 0, upper = 0;
    HostArrayGetBounds(h, &count, &lower, &upper);
    std::vector<std::string> out;
    for (LONG i = lower; count && i <= upper; ++i) {
      HSTRING s = 0;
      HostArrayGetString(h, i, &s);
      out.push_back(s ? textOf(s) : "<empty>");
    }
    return out;
  }
  std::vector<LONG> numbers() const {
    LONG count = 0, lower = 0, upper = 0;
    HostArrayGetBounds(h, &count, &lower, &upper);
    std::vector<LONG> out;
    for (LONG i = lower; count && i <= upper; ++i) {
      HostNumber n{};
      HostArrayGetNumber(h, i, &n);
      out.push_back(n.bytes[0] ? HostNumberToLong(n) : -999);
    }
    return out;
  }
  Array(Array&& o) noexcept : h(o.h) { o.h = 0; }
};

using Texts = std::vector<std::string>;

// ---- Files ---------------------------------------------------------------------

// A fresh folder under the temporary folder, removed with what is in it.
struct TempDir {
  std::string path;
  TempDir() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int n;
    path = std::string(base) + "ambutil" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++n);
    CreateDirectoryA(path.c_str(), nullptr);
  }
  ~TempDir() { removeAll(path); }
  std::string operator/(const std::string& name) const { return path + "\\" + name; }
  void write(const std::string& name, const std::string& bytes) const {
    FILE* f = fopen((*this / name).c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  std::string read(const std::string& name) const {
    FILE* f = fopen((*this / name).c_str(), "rb");
    if (!f) return "<missing>";
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    fclose(f);
    return s;
  }
  static void removeAll(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        std::string full = dir + "\\" + name;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeAll(full); else DeleteFileA(full.c_str());
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }
};

struct OpenedFile {
  HLOCAL h = nullptr;
  OpenedFile(const std::string& path, WORD mode) { EXPECT_EQ(AmbFileOpen(&h, path.c_str(), mode), 0) << path; }
  ~OpenedFile() {
    if (h) AmbFileClose(h);
  }
  std::string line(LONG* code = nullptr) {
    HSTRING s = 0;
    LONG r = AmbFileReadString(h, &s);
    if (code) *code = r;
    return r == 0 ? take(s) : (s ? take(s), "<end>" : "<end>");
  }
};

} // namespace

// ---- Strings -----------------------------------------------------------------

TEST(UtilStrings, ResultsAreNewHostStrings) {
  EXPECT_EQ(take(AmbStrTrim("  ab  ")), "ab");
  EXPECT_EQ(take(AmbStrLeftTrim("  ab  ")), "ab  ");
  EXPECT_EQ(take(AmbStrRightTrim("ab\t ")), "ab\t");
  EXPECT_EQ(take(AmbStrPad("ab", 4)), "ab  ");
  EXPECT_EQ(take(AmbStrProper("JOHN o'neil-SMITH")), "John O'Neil-Smith");
  EXPECT_EQ(take(AmbStrSubstitute("aaa", "aa", "b")), "ba");
  EXPECT_EQ(take(AmbStrSubstitute("a-b", "-", nullptr)), "ab");
  EXPECT_EQ(AmbStrScanReverse("abcABC", -1, "bc"), 4);
  // NULL inputs give the empty result, never a failure.
  for (HSTRING s : {AmbStrTrim(nullptr), AmbStrLeftTrim(nullptr), AmbStrRightTrim(nullptr), AmbStrPad(nullptr, 3),
                    AmbStrProper(nullptr), AmbStrSubstitute(nullptr, "a", "b"), AmbStrSubstitute("a", nullptr, "b"),
                    AmbStrExpand(nullptr, 0)}) {
    EXPECT_NE(s, 0u);
    EXPECT_EQ(take(s), "");
  }
  EXPECT_EQ(AmbStrScanReverse(nullptr, -1, "a"), -1);
  EXPECT_EQ(AmbStrScanReverse("a", -1, nullptr), -1);
}

TEST(UtilStrings, ProperCaseUsesTheSystemsLetters) {
  // Letters beyond ASCII change case through the system's mapping.
  EXPECT_EQ(take(AmbStrProper("\xE9t\xC9")), "\xC9t\xE9");
}

TEST(UtilStrings, ChooseTakesAHold) {
  HSTRING a = HostStrFromText("A"), b = HostStrFromText("B");
  EXPECT_EQ(AmbStrChoose(1, a, b), a);
  EXPECT_EQ(HostStrHolds(a), 2);
  EXPECT_EQ(AmbStrChoose(0, a, b), b);
  EXPECT_EQ(HostStrHolds(b), 2);
  for (HSTRING s : {a, a, b, b}) HostStrFree(s);
  EXPECT_EQ(AmbStrChoose(1, 0, b), 0u);
}

TEST(UtilStrings, ExpandReadsTheArray) {
  Array names = Array::strings({"Ann", "Bob"});
  EXPECT_EQ(take(AmbStrExpand("Names: {%,s}.", names)), "Names: Ann,Bob.");
  EXPECT_EQ(take(AmbStrExpand("%s %s %s", names)), "Ann Bob %s");
  Array numbers(3);
  for (LONG i = 0; i < 3; ++i) HostArraySetNumber(numbers, i, num(10 * i + 7));
  EXPECT_EQ(take(AmbStrExpand("{%u}", numbers)), "012");
  EXPECT_EQ(take(AmbStrExpand("%n+%n={%n;}", numbers)), "7+17=7;17;27;");
  // A template that starts with a number and later takes long strings.
  Array mixed = Array::strings({"1", std::string(3000, 'x')});
  EXPECT_EQ(take(AmbStrExpand("%s %s", mixed)).size(), 3002u);
  EXPECT_EQ(take(AmbStrExpand("{%s}", 0xDEAD)), "");
}

TEST(UtilStrings, TablesFromFiles) {
  TempDir dir;
  dir.write("greet.tbl", "greeting {HELLO}Good day\r\n{BYE}See you\r\n");
  dir.write("big.tbl", std::string(65534, 'x'));
  LONG t = AmbStrLoadTable((dir / "greet.tbl").c_str());
  ASSERT_GT(t, 0);
  EXPECT_EQ(take(AmbStrFind(t, "HELLO")), "Good day");
  EXPECT_EQ(take(AmbStrFind(t, "hello")), "");
  EXPECT_EQ(take(AmbStrFind(t, "BYE")), "See you");
  EXPECT_TRUE(AmbStrFreeTable(t));
  EXPECT_FALSE(AmbStrFreeTable(t));
  EXPECT_EQ(take(AmbStrFind(t, "HELLO")), ""); // a freed table finds nothing
  EXPECT_EQ(take(AmbStrFind(12345, "HELLO")), "");
  EXPECT_EQ(AmbStrLoadTable((dir / "missing.tbl").c_str()), -2);
  EXPECT_EQ(AmbStrLoadTable((dir / "big.tbl").c_str()), -30);
  HANDLE locked = CreateFileA((dir / "greet.tbl").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(AmbStrLoadTable((dir / "greet.tbl").c_str()), -8); // found, but cannot be opened
  CloseHandle(locked);
  EXPECT_EQ(AmbStrLoadTable(nullptr), -2);
  // Sizes beyond what 32 bits tell apart: 3 GB has a negative low part, 4 GB
  // and ten bytes a low part of ten. Both are too big (sparse files, no disk
  // space taken).
  for (unsigned long long size : {3ull << 30, (4ull << 30) + 10}) {
    std::string path = dir / "huge.tbl";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = LONGLONG(size);
    ASSERT_TRUE(SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    CloseHandle(h);
    EXPECT_EQ(AmbStrLoadTable(path.c_str()), -30) << size;
    DeleteFileA(path.c_str());
  }
  // Found along the search path: the current folder.
  char old[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, old);
  SetCurrentDirectoryA(dir.path.c_str());
  LONG t2 = AmbStrLoadTable("greet.tbl");
  SetCurrentDirectoryA(old);
  EXPECT_GT(t2, 0);
  AmbStrFreeTable(t2);
}

// ---- Files through handles ----------------------------------------------------

TEST(UtilFiles, ReadsLinesAndPositions) {
  TempDir dir;
  dir.write("lines.txt", "a\r\nb\r\n");
  dir.write("tail.txt", "one\r\ntwo");
  {
    OpenedFile f(dir / "lines.txt", 0);
    LONG code = 0;
    EXPECT_EQ(f.line(), "a");
    EXPECT_EQ(f.line(), "b");
    f.line(&code);
    EXPECT_EQ(code, -18);
  }
  {
    OpenedFile f(dir / "tail.txt", 0);
    LONG code = 0;
    EXPECT_EQ(f.line(), "one");
    f.line(&code);
    EXPECT_EQ(code, -18);
  }
  std::string body;
  for (int i = 0; i < 40; ++i) body += "line " + std::to_string(i) + " of forty, padded out a little\r\n";
  dir.write("many.txt", body);
  OpenedFile f(dir / "many.txt", 0);
  LONG at = LONG(body.find("line 3 "));
  EXPECT_EQ(AmbFileSeek(f.h, at, 0), at);
  EXPECT_EQ(f.line(), "line 3 of forty, padded out a little");
  EXPECT_EQ(AmbFileTell(f.h), LONG(body.find("line 4 ")));
  EXPECT_EQ(AmbFileSeek(f.h, 0, 3), -87);
}

TEST(UtilFiles, LongLinesComeWhole) {
  TempDir dir;
  std::string longLine(20000, 'q');
  dir.write("long.txt", "short\r\n" + longLine + "\r\nend\r\n");
  OpenedFile f(dir / "long.txt", 0);
  EXPECT_EQ(f.line(), "short");
  EXPECT_EQ(f.line(), longLine);
  EXPECT_EQ(f.line(), "end");
  EXPECT_EQ(AmbFileTell(f.h), LONG(7 + longLine.size() + 2 + 5));
}

TEST(UtilFiles, WritesAppendAndReadBack) {
  TempDir dir;
  std::string path = dir / "out.txt";
  {
    OpenedFile f(path, 0x1000 | 0x0001); // create, write
    EXPECT_EQ(AmbFileWriteString(f.h, "first"), 0);
    HSTRING s = HostStrFromText("raw bytes");
    EXPECT_EQ(AmbFileWrite(f.h, s, 3), 3);
    EXPECT_EQ(AmbFileWrite(f.h, s, 10), -87); // beyond the string
    HostStrFree(s);
  }
  {
    OpenedFile f(path, 0x0001); // write: positioned at the end
    EXPECT_EQ(AmbFileWriteString(f.h, "second"), 0);
  }
  EXPECT_EQ(dir.read("out.txt"), "first\r\nrawsecond\r\n");
  {
    OpenedFile f(path, 0x0002); // read-write: still readable and writable
    EXPECT_EQ(AmbFileSeek(f.h, 0, 0), 0);
    HSTRING s = 0;
    EXPECT_EQ(AmbFileRead(f.h, &s, 5), 5);
    EXPECT_EQ(textOf(s), "first");
    EXPECT_EQ(HostStrGetLength(s), 5);
    EXPECT_EQ(AmbFileSeek(f.h, 0, 2), LONG(dir.read("out.txt").size()));
    EXPECT_EQ(AmbFileRead(f.h, &s, 5), 0);
    EXPECT_EQ(textOf(s), ""); // terminated whatever was read
    // A count no string can hold is refused; the variable keeps its string.
    EXPECT_EQ(AmbFileRead(f.h, &s, 0x7FFFFFFF), -8);
    EXPECT_EQ(HostStrGetLength(s), 0);
    HSTRING none = 0;
    EXPECT_EQ(AmbFileRead(f.h, &none, 0x7FFFFFFF), -8);
    EXPECT_EQ(none, 0u);
    HostStrFree(s);
  }
}

TEST(UtilFiles, OpenModesAndBadHandles) {
  TempDir dir;
  dir.write("x.txt", "x");
  HLOCAL h = nullptr;
  EXPECT_EQ(AmbFileOpen(&h, (dir / "none.txt").c_str(), 0), LONG(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(AmbFileOpen(&h, (dir / "x.txt").c_str(), 0x4000), 0); // existence only: no record
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(AmbFileOpen(&h, (dir / "x.txt").c_str(), 0x0100), 0);
  EXPECT_EQ(AmbFileOpen(&h, (dir / "x.txt").c_str(), 0x0200), 0); // delete
  EXPECT_EQ(dir.read("x.txt"), "<missing>");
  EXPECT_EQ(AmbFileOpen(nullptr, "x", 0), -87);
  EXPECT_EQ(AmbFileOpen(&h, nullptr, 0), -87);
  HLOCAL bogus = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, 24);
  for (HLOCAL bad : {HLOCAL(nullptr), bogus, HLOCAL(0x1234)}) {
    HSTRING s = 0;
    EXPECT_EQ(AmbFileClose(bad), -87);
    EXPECT_EQ(AmbFileRead(bad, &s, 1), -87);
    EXPECT_EQ(AmbFileReadString(bad, &s), -87);
    EXPECT_EQ(AmbFileWriteString(bad, "x"), -87);
    EXPECT_EQ(AmbFileSeek(bad, 0, 0), -87);
    EXPECT_EQ(AmbFileTell(bad), -87);
  }
  LocalFree(bogus);
  // The sharing bits of the mode word, seen by a second opener.
  struct { WORD mode; bool otherReads, otherWrites; } sharing[] = {
      {0x0000, true, true},   {0x0040, true, true},  {0x0010, false, false},
      {0x0020, true, false},  {0x0030, false, false}};
  dir.write("s.txt", "s");
  for (const auto& c : sharing) {
    OpenedFile f(dir / "s.txt", c.mode);
    for (DWORD access : {DWORD(GENERIC_READ), DWORD(GENERIC_WRITE)}) {
      HANDLE other = CreateFileA((dir / "s.txt").c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
      EXPECT_EQ(other != INVALID_HANDLE_VALUE, access == GENERIC_READ ? c.otherReads : c.otherWrites)
          << std::hex << c.mode << " " << access;
      if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    }
  }
  {
    // Read-write wins over write: 0x0003 can read, and starts at the end.
    OpenedFile f(dir / "s.txt", 0x0003);
    EXPECT_EQ(AmbFileTell(f.h), 1);
    EXPECT_EQ(AmbFileSeek(f.h, 0, 0), 0);
    HSTRING s = 0;
    EXPECT_EQ(AmbFileRead(f.h, &s, 5), 1);
    EXPECT_EQ(take(s), "s");
  }
  dir.write("y.txt", "y");
  ASSERT_EQ(AmbFileOpen(&h, (dir / "y.txt").c_str(), 0), 0);
  EXPECT_EQ(AmbFileClose(h), 0);
  EXPECT_EQ(LocalFlags(h), UINT(LMEM_INVALID_HANDLE)); // the record is freed
  EXPECT_EQ(AmbFileClose(h), -87); // closed once only
}

// ---- Names and patterns ------------------------------------------------------------

TEST(UtilPatterns, CopyNamesTargetsDosStyle) {
  TempDir src, dst;
  src.write("a.txt", "AAA");
  src.write("b.txt", "BB");
  src.write("c.dat", "C");
  CreateDirectoryA((src / "sub.txt").c_str(), nullptr); // folders are passed over
  EXPECT_EQ(AmbFileCopy((src / "*.txt").c_str(), (dst / "*.bak").c_str()), 2);
  EXPECT_EQ(dst.read("a.bak"), "AAA");
  EXPECT_EQ(dst.read("b.bak"), "BB");
  EXPECT_EQ(AmbFileCopy((src / "*.dat").c_str(), dst.path.c_str()), 1); // an existing folder keeps names
  EXPECT_EQ(dst.read("c.dat"), "C");
  src.write("abc.txt", "abc");
  EXPECT_EQ(AmbFileCopy((src / "abc.txt").c_str(), (dst / "x?z.*").c_str()), 1);
  EXPECT_EQ(dst.read("xbz.txt"), "abc");
  EXPECT_EQ(AmbFileCopy((src / "*.none").c_str(), dst.path.c_str()), -LONG(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(AmbFileCopy((src / "*.txt").c_str(), (dst / "nofolder\\x.txt").c_str()), -3);
  EXPECT_EQ(AmbFileCopy((src / "*.txt").c_str(), "Q:\\x"), -15);
  EXPECT_EQ(AmbFileCopy(nullptr, dst.path.c_str()), -87);
  EXPECT_EQ(AmbFileCopy((src / "*.txt").c_str(), nullptr), -87);
}

TEST(UtilPatterns, CopyCarriesAttributeAndTimes) {
  TempDir src, dst;
  src.write("r.txt", "read only");
  SetFileAttributesA((src / "r.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  HANDLE f = CreateFileA((src / "r.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME old{0x12345678, 0x01C00000};
  SetFileTime(f, &old, &old, &old);
  CloseHandle(f);
  ASSERT_EQ(AmbFileCopy((src / "r.txt").c_str(), dst.path.c_str()), 1);
  DWORD a = GetFileAttributesA((dst / "r.txt").c_str());
  EXPECT_TRUE(a & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(a & FILE_ATTRIBUTE_HIDDEN); // only the first of them
  WIN32_FILE_ATTRIBUTE_DATA d;
  GetFileAttributesExA((dst / "r.txt").c_str(), GetFileExInfoStandard, &d);
  EXPECT_EQ(d.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
  EXPECT_EQ(d.ftLastWriteTime.dwLowDateTime / 10000000, old.dwLowDateTime / 10000000);
}

TEST(UtilPatterns, FreeSpaceStopsTheCopy) {
  TempDir src, dst;
  src.write("1.txt", std::string(600, '1'));
  src.write("2.txt", std::string(600, '2'));
  SetEnvironmentVariableA("AMB_TEST_FREE_BYTES", "1000");
  LONG r = AmbFileCopy((src / "*.txt").c_str(), dst.path.c_str());
  LONG appended = AmbFileAppend((src / "*.txt").c_str(), (dst / "all.txt").c_str());
  SetEnvironmentVariableA("AMB_TEST_FREE_BYTES", nullptr);
  EXPECT_EQ(r, -39);
  EXPECT_EQ(appended, -39);
  int copied = (dst.read("1.txt") != "<missing>") + (dst.read("2.txt") != "<missing>");
  EXPECT_EQ(copied, 1); // the first that fits is copied
  // Without the stand-in, the real disk (however large) does not stop it.
  EXPECT_EQ(AmbFileCopy((src / "*.txt").c_str(), dst.path.c_str()), 2);
}

TEST(UtilPatterns, AppendRenameDeleteAttributesDates) {
  TempDir dir;
  dir.write("p1.log", "one;");
  dir.write("p2.log", "two;");
  EXPECT_EQ(AmbFileAppend((dir / "p*.log").c_str(), (dir / "sum.txt").c_str()), 2);
  std::string sum = dir.read("sum.txt");
  EXPECT_TRUE(sum == "one;two;" || sum == "two;one;") << sum;
  EXPECT_EQ(AmbFileSetAttribute((dir / "p*.log").c_str(), FILE_ATTRIBUTE_READONLY, 1), 2);
  EXPECT_TRUE(AmbFileGetAttribute((dir / "p1.log").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(AmbFileDelete((dir / "p1.log").c_str()), -LONG(ERROR_ACCESS_DENIED));
  EXPECT_EQ(AmbFileSetAttribute((dir / "p*.log").c_str(), FILE_ATTRIBUTE_READONLY, 0), 2);
  EXPECT_EQ(AmbFileSetDateTime((dir / "p*.log").c_str(), date(2001, 2, 3, 4, 5, 6)), 2);
  WIN32_FILE_ATTRIBUTE_DATA d;
  GetFileAttributesExA((dir / "p2.log").c_str(), GetFileExInfoStandard, &d);
  FILETIME local;
  SYSTEMTIME st;
  FileTimeToLocalFileTime(&d.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &st);
  EXPECT_EQ(st.wYear, 2001);
  EXPECT_EQ(st.wDay, 3);
  EXPECT_EQ(st.wSecond, 6);
  // Years an MS-DOS date cannot hold (and the empty date) are refused, not
  // wrapped into another year; the files keep their time.
  for (HostDate bad : {date(2200, 1, 1), date(1979, 12, 31), HostDate{}})
    EXPECT_EQ(AmbFileSetDateTime((dir / "p*.log").c_str(), bad), -87);
  GetFileAttributesExA((dir / "p2.log").c_str(), GetFileExInfoStandard, &d);
  FileTimeToLocalFileTime(&d.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &st);
  EXPECT_EQ(st.wYear, 2001);
  EXPECT_EQ(AmbFileRename((dir / "p*.log").c_str(), (dir / "*.old").c_str()), 2);
  EXPECT_EQ(dir.read("p1.old"), "one;");
  EXPECT_EQ(AmbFileDelete((dir / "*.old").c_str()), 2);
  EXPECT_EQ(AmbFileDelete((dir / "*.old").c_str()), -LONG(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(AmbFileDelete(nullptr), -87);
}

namespace {
// An SZDD file, as the system's compressor writes them: here all literals,
// which the expansion must decode like any other.
std::string szdd(const std::string& plain) {
  std::string out = "SZDD\x88\xF0\x27\x33";
  out += 'A';
  out += 't';
  for (int s = 0; s < 32; s += 8) out += char(plain.size() >> s & 0xFF);
  for (size_t i = 0; i < plain.size(); i += 8) {
    out += '\xFF';
    out += plain.substr(i, 8);
  }
  return out;
}
} // namespace

TEST(UtilPatterns, ExpandCompressedAndPlain) {
  TempDir src, dst;
  std::string text = "Compressed by the test, expanded by the library.";
  src.write("packed.tx_", szdd(text));
  src.write("plain.txt", "as it is");
  EXPECT_EQ(AmbFileExpand((src / "packed.tx_").c_str(), (dst / "*.txt").c_str()), 1);
  EXPECT_EQ(dst.read("packed.txt"), text);
  EXPECT_EQ(AmbFileExpand((src / "plain.txt").c_str(), dst.path.c_str()), 1);
  EXPECT_EQ(dst.read("plain.txt"), "as it is");
  EXPECT_EQ(AmbFileExpand((src / "none.*").c_str(), dst.path.c_str()), -LONG(ERROR_FILE_NOT_FOUND));
}

TEST(UtilPatterns, AFileOntoItselfIsRefusedNotEmptied) {
  // The target would be the source: creating it must not truncate the
  // source first. Both report the sharing violation as their open failure.
  TempDir dir;
  dir.write("same.txt", "keep me");
  dir.write("packed.tx_", szdd("packed"));
  EXPECT_EQ(AmbFileCopy((dir / "same.txt").c_str(), dir.path.c_str()), LONG(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(dir.read("same.txt"), "keep me");
  EXPECT_EQ(AmbFileExpand((dir / "same.txt").c_str(), dir.path.c_str()), LONG(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(dir.read("same.txt"), "keep me");
  EXPECT_EQ(AmbFileExpand((dir / "packed.tx_").c_str(), dir.path.c_str()), LONG(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(dir.read("packed.tx_"), szdd("packed"));
  // Nor is anything written elsewhere: no "compressed twin" of the target.
  EXPECT_EQ(dir.read("same.tx_"), "<missing>");
}

TEST(UtilNames, SizesTypesAndSearch) {
  TempDir dir;
  dir.write("five.txt", "12345");
  dir.write("tool.zzq", "x");
  dir.write("hidden.txt", "h");
  SetFileAttributesA((dir / "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(AmbFileGetSize((dir / "five.txt").c_str()), 5);
  EXPECT_EQ(AmbFileGetSize((dir / "*.txt").c_str()), -87);
  EXPECT_EQ(AmbFileGetSize((dir / "none").c_str()), -LONG(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(AmbFileGetType((dir / "hidden.txt").c_str()), 3);
  EXPECT_EQ(AmbFileGetType((dir / "none").c_str()), -LONG(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(AmbFileGetType((dir / "tool.zzq").c_str()), 4); // nothing knows .zzq
  // A document: an extension with an associated program (the test's own,
  // through the system profile's "Extensions" list).
  dir.write("notes.zzd", "d");
  char savedExt[256];
  GetProfileStringA("Extensions", "zzd", "\x01", savedExt, sizeof savedExt);
  WriteProfileStringA("Extensions", "zzd", "notepad.exe ^.zzd");
  EXPECT_EQ(AmbFileGetType((dir / "notes.zzd").c_str()), 2);
  WriteProfileStringA("Extensions", "zzd", savedExt[0] == 1 ? nullptr : savedExt);
  // The system profile's "Programs" entry makes an extension a program.
  char saved[256];
  GetProfileStringA("Windows", "Programs", "\x01", saved, sizeof saved);
  WriteProfileStringA("Windows", "Programs", "com exe zzq");
  EXPECT_EQ(AmbFileGetType((dir / "tool.zzq").c_str()), 1);
  CreateDirectoryA((dir / "my.dir").c_str(), nullptr); // a dot in a folder is no extension
  dir.write("my.dir\\tool.zzq", "x");
  EXPECT_EQ(AmbFileGetType((dir / "my.dir\\tool.zzq").c_str()), 1);
  WriteProfileStringA("Windows", "Programs", saved[0] == 1 ? nullptr : saved);
  HSTRING found = AmbFileFind((dir / "five.txt").c_str());
  EXPECT_EQ(take(found), dir / "five.txt");
  EXPECT_EQ(take(AmbFileFind((dir / "none").c_str())), "");
  std::string temp = take(AmbFileCreateTemp("amb"));
  EXPECT_NE(temp.find("amb"), std::string::npos);
  EXPECT_EQ(AmbFileGetSize(temp.c_str()), 0);
  DeleteFileA(temp.c_str());
}

// ---- Disks and folders ---------------------------------------------------------------

TEST(UtilDos, Enumerations) {
  TempDir dir;
  CreateDirectoryA((dir / "one").c_str(), nullptr);
  CreateDirectoryA((dir / "two").c_str(), nullptr);
  dir.write("f.txt", "abc");
  dir.write("h.txt", "h");
  SetFileAttributesA((dir / "h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Array drives(5);
  LONG n = AmbDosEnumDrives(drives);
  Texts d = drives.texts();
  EXPECT_EQ(LONG(d.size()), n);
  EXPECT_NE(std::find(d.begin(), d.end(), "C:"), d.end());
  Array dirs(5);
  EXPECT_EQ(AmbDosEnumDirs((dir / "*.*").c_str(), dirs), 2);
  Texts ds = dirs.texts();
  std::sort(ds.begin(), ds.end());
  EXPECT_EQ(ds, (Texts{"one", "two"}));
  Array all(5), hidden(5);
  EXPECT_EQ(AmbDosEnumFiles((dir / "*.*").c_str(), 0, all), 2);
  EXPECT_EQ(AmbDosEnumFiles((dir / "*.*").c_str(), FILE_ATTRIBUTE_HIDDEN, hidden), 1);
  EXPECT_EQ(hidden.texts(), (Texts{"h.txt"}));
  Array names(5), sizes(3), dates(2), attrs(3);
  EXPECT_EQ(AmbDosEnumFileInfo((dir / "f.txt").c_str(), 0, names, sizes, dates, attrs), 1);
  EXPECT_EQ(sizes.numbers(), (std::vector<LONG>{3}));
  HostDate when{};
  HostArrayGetDate(dates, 0, &when);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(HostDateYear(when), now.wYear);
  Array dnames(5), ddates(2), dattrs(3);
  EXPECT_EQ(AmbDosEnumDirInfo((dir / "o*").c_str(), dnames, ddates, dattrs), 1);
  EXPECT_EQ(dattrs.numbers(), (std::vector<LONG>{FILE_ATTRIBUTE_DIRECTORY}));
  // A search that finds nothing leaves the array alone.
  Array untouched = Array::strings({"keep"});
  EXPECT_EQ(AmbDosEnumFiles((dir / "*.none").c_str(), 0, untouched), -LONG(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(untouched.texts(), (Texts{"keep"}));
  // Arrays whose lower bound lies above 0 are filled from 0 all the same.
  Array shifted = Array::strings({"old"}, 3);
  EXPECT_EQ(AmbDosEnumDirs((dir / "*.*").c_str(), shifted), 2);
  Texts sd = shifted.texts();
  std::sort(sd.begin(), sd.end());
  EXPECT_EQ(sd, (Texts{"one", "two"}));
  EXPECT_EQ(HostArrayGetLowerBound(shifted, 1), 0);
  Array snames = Array::strings({}, 2), ssizes(3), sdates(2), sattrs(3);
  for (HARRAY a : {ssizes.h, sdates.h, sattrs.h}) HostArraySetUpperBound(a, 1, 0);
  EXPECT_EQ(AmbDosEnumFileInfo((dir / "f.txt").c_str(), 0, snames, ssizes, sdates, sattrs), 1);
  EXPECT_EQ(snames.texts(), (Texts{"f.txt"}));
  EXPECT_EQ(ssizes.numbers(), (std::vector<LONG>{3}));
  HostDate shiftedWhen{};
  EXPECT_TRUE(HostArrayGetDate(sdates, 0, &shiftedWhen));
  EXPECT_EQ(HostDateYear(shiftedWhen), now.wYear);
  EXPECT_EQ(sattrs.numbers().size(), 1u);
  // An empty result sets the bounds to 0 .. -1.
  Array none = Array::strings({"old"});
  EXPECT_EQ(AmbDosEnumDirs((dir / "f.txt").c_str(), none), 0);
  EXPECT_EQ(HostArrayGetUpperBound(none, 1), -1);
}

TEST(UtilDos, PathEntries) {
  TempDir dir;
  char old[4096];
  GetEnvironmentVariableA("PATH", old, sizeof old);
  std::string path = dir.path + ";" + dir.path + "\\;" + dir / "missing" + ";C:\\windows";
  SetEnvironmentVariableA("PATH", path.c_str());
  Array folders(5);
  LONG n = AmbDosEnumPath(folders);
  SetEnvironmentVariableA("PATH", "");
  Array empty = Array::strings({"x"});
  LONG none = AmbDosEnumPath(empty);
  SetEnvironmentVariableA("PATH", old);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(folders.texts(), (Texts{dir.path + "\\", "C:\\windows\\"}));
  EXPECT_EQ(none, 0);
  EXPECT_EQ(HostArrayGetUpperBound(empty, 1), -1);
}

TEST(UtilDos, QuestionsAboutPaths) {
  TempDir dir;
  CreateDirectoryA((dir / "sub").c_str(), nullptr);
  dir.write("f.txt", "x");
  struct { std::string path; LONG exists; } exist[] = {
      {"C:", 1}, {"Q:", 0}, {dir.path, 1}, {dir.path + "\\", 1}, {dir / "f.txt", 1}, {dir / "*.txt", 1},
      {dir / "g.txt", 0}, {"", 0}};
  for (const auto& c : exist) EXPECT_EQ(AmbDosExist(c.path.c_str()), c.exists) << c.path;
  EXPECT_EQ(AmbDosExist(nullptr), 0);
  EXPECT_EQ(AmbDosIsParent(dir.path.c_str()), 1);
  EXPECT_EQ(AmbDosIsParent((dir.path + "\\").c_str()), 1);
  EXPECT_EQ(AmbDosIsParent((dir / "sub").c_str()), 0);
  EXPECT_EQ(AmbDosGetDriveType("c:"), DRIVE_FIXED);
  char lower[] = "c:";
  AmbDosGetDriveType(lower);
  EXPECT_STREQ(lower, "c:"); // the caller's text is not changed
  EXPECT_EQ(AmbDosGetDriveType("Q:"), 0);
  EXPECT_EQ(AmbDosGetDriveType(nullptr), 0);
  DWORD total = 0, free = 0;
  EXPECT_EQ(AmbDosGetDriveSize("C:", &total, &free), 0);
  EXPECT_GT(total, 0u);
  EXPECT_GE(total, free);
  EXPECT_EQ(AmbDosGetDriveSize("Q:", &total, &free), -15);
  EXPECT_EQ(AmbDosGetDriveSize(nullptr, &total, &free), -15);
  EXPECT_EQ(AmbDosGetFlags(), 0);
  EXPECT_EQ(AmbDosSetFlags(4, 0), 0);
  EXPECT_TRUE(SetErrorMode(0) & SEM_FAILCRITICALERRORS);
}

TEST(UtilDos, VolumeLabelsAndVersion) {
  // A label set here does not read back in the same process under Wine, so
  // the reading and the writing are checked apart.
  char label[MAX_PATH] = "";
  GetVolumeInformationA("C:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(take(AmbDosGetVolumeLabel("c:")), label);
  EXPECT_EQ(take(AmbDosGetVolumeLabel("Q:")), "");
  EXPECT_EQ(take(AmbDosGetVolumeLabel(nullptr)), "");
  EXPECT_LT(AmbDosSetVolumeLabel("Q:\\", "X"), 0);
  DWORD v = LOWORD(GetVersion());
  EXPECT_EQ(HostValueToDouble(AmbDosGetVersion()), double(LOBYTE(v) / 10 + HIBYTE(v)));
}

TEST(UtilDos, SplitMakeAndBuildNames) {
  struct { const char* path; Texts parts; } cases[] = {
      {"C:\\a\\b.c\\file.tar.gz", {"C:", "\\a\\b.c\\", "file", ".tar.gz"}},
      {"file", {"", "", "file", ""}},
      {"C:file.x", {"C:", "", "file", ".x"}},
      {"\\dir\\", {"", "\\dir\\", "", ""}},
      {nullptr, {"", "", "", ""}},
  };
  for (const auto& c : cases) {
    HSTRING parts[4] = {0, HostStrFromText("reused"), 0, 0};
    AmbDosSplitPath(c.path, &parts[0], &parts[1], &parts[2], &parts[3]);
    Texts got;
    for (HSTRING s : parts) got.push_back(take(s));
    EXPECT_EQ(got, c.parts) << (c.path ? c.path : "NULL");
  }
  EXPECT_EQ(take(AmbDosMakePath("C:", "\\a\\", "f", ".txt")), "C:\\a\\f.txt");
  EXPECT_EQ(take(AmbDosMakePath(nullptr, nullptr, "f", nullptr)), "f");
  std::string full = take(AmbDosBuildFullName("amblib.dll", "x.ini"));
  EXPECT_EQ(full.substr(full.size() - 6), "\\x.ini");
  EXPECT_EQ(GetFileAttributesA((full.substr(0, full.size() - 5) + "amblib.dll").c_str()) != INVALID_FILE_ATTRIBUTES, true);
  EXPECT_EQ(take(AmbDosBuildFullName("notloaded.dll", "x.ini")), "");
}

TEST(UtilDos, MakeAllDirAndEnvironment) {
  TempDir dir;
  std::string deep = dir / "x\\y\\z\\";
  EXPECT_EQ(AmbDosMakeAllDir(deep.c_str()), 0);
  EXPECT_EQ(AmbDosExist((dir / "x\\y\\z").c_str()), 1);
  EXPECT_EQ(AmbDosMakeAllDir(deep.c_str()), -183);
  SetEnvironmentVariableA("AMB_TEST_VALUE", "forty-two");
  EXPECT_EQ(take(AmbDosGetEnvString("AMB_TEST_VALUE")), "forty-two");
  EXPECT_EQ(take(AmbDosGetEnvString("AMB_TEST_UNSET_VALUE")), "");
  std::string longValue(1000, 'v');
  SetEnvironmentVariableA("AMB_TEST_VALUE", longValue.c_str());
  EXPECT_EQ(take(AmbDosGetEnvString("AMB_TEST_VALUE")), longValue);
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  EXPECT_EQ(take(AmbDosGetCurDir(nullptr)), cwd);
}

TEST(UtilDos, NetworkThroughTheProvider) {
  SetEnvironmentVariableA("AMB_TEST_NETWORK", "fakenet.dll");
  Array locals(5), remotes(5);
  LONG n = AmbDosEnumNetConnections(locals, remotes);
  std::string net = take(AmbDosGetNetName("R:"));
  std::string none = take(AmbDosGetNetName("S:"));
  LONG connect = AmbDosNetConnect("S:", "\\\\server\\other", "secret");
  LONG badConnect = AmbDosNetConnect("S:", "nowhere", nullptr);
  LONG disconnect = AmbDosNetDisconnect("R:", 1);
  LONG badDisconnect = AmbDosNetDisconnect("S:", 0);
  LONG remoteType = AmbDosGetDriveType("C:");
  LONG nullRemote = AmbDosNetConnect("S:", nullptr, "secret");
  LONG nullName = AmbDosNetDisconnect(nullptr, 1);
  SetEnvironmentVariableA("AMB_TEST_NETWORK", nullptr);
  EXPECT_EQ(nullRemote, -87); // the provider is not asked with NULL
  EXPECT_EQ(nullName, -87);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(locals.texts(), (Texts{"R:", "LPT1"}));
  EXPECT_EQ(remotes.texts(), (Texts{"\\\\server\\share", "\\\\server\\printer"}));
  EXPECT_EQ(net, "\\\\server\\share");
  EXPECT_EQ(none, "");
  EXPECT_EQ(connect, 0);
  EXPECT_EQ(badConnect, -LONG(ERROR_BAD_NET_NAME));
  EXPECT_EQ(disconnect, 0);
  EXPECT_EQ(badDisconnect, -LONG(ERROR_NOT_CONNECTED));
  EXPECT_EQ(remoteType, DRIVE_FIXED);
  // The real provider of this machine: no remote drives, so nothing found,
  // and the arrays keep what they held.
  Array l2 = Array::strings({"old"}), r2 = Array::strings({"old", "older"});
  EXPECT_LE(AmbDosEnumNetConnections(l2, r2), 0);
  EXPECT_EQ(l2.texts(), (Texts{"old"}));
  EXPECT_EQ(r2.texts(), (Texts{"old", "older"}));
}

// ---- Arrays ---------------------------------------------------------------------------

namespace {
// One array of each type code with three elements at indexes 0..2, and a
// probe that reads element i back as text.
struct Typed {
  LONG type;
  Array a;
  explicit Typed(LONG t) : type(t), a(t == 7 ? 5 : t) {
    for (LONG i = 0; i < 3; ++i) set(i, i + 1);
  }
  void set(LONG i, LONG v) {
    switch (type) {
    case 1: HostArraySetValue(a, i, DWORD(v)); break;
    case 2: HostArraySetDate(a, i, date(2000, 1, int(v))); break;
    case 3: HostArraySetNumber(a, i, num(v)); break;
    case 256: HostArraySetHandle(a, i, HWND(LONG_PTR(v))); break;
    default: HostArraySetString(a, i, HostStrFromText(std::to_string(v).c_str()));
    }
  }
  std::string get(LONG i) const {
    switch (type) {
    case 1: { DWORD v = 0; HostArrayGetValue(a, i, &v); return std::to_string(v); }
    case 2: { HostDate d{}; HostArrayGetDate(a, i, &d); return d.bytes[0] ? std::to_string(HostDateDay(d)) : "0"; }
    case 3: { HostNumber n{}; HostArrayGetNumber(a, i, &n); return n.bytes[0] ? std::to_string(HostNumberToLong(n)) : "0"; }
    case 256: { HWND w = nullptr; HostArrayGetHandle(a, i, &w); return std::to_string(LONG_PTR(w)); }
    default: { HSTRING s = 0; HostArrayGetString(a, i, &s); return s ? textOf(s) : "0"; }
    }
  }
  std::string all() const {
    LONG count = 0, lower = 0, upper = 0;
    HostArrayGetBounds(a, &count, &lower, &upper);
    std::string out;
    for (LONG i = lower; count && i <= upper; ++i) out += get(i) + (i < upper ? "," : "");
    return out;
  }
};
} // namespace

TEST(UtilArrays, MoveElementsOfEveryType) {
  for (LONG type : {1, 2, 3, 5, 7, 256}) {
    SCOPED_TRACE(type);
    LONG strings = HostTestLiveStrings();
    {
      Typed a(type), b(type);
      EXPECT_EQ(AmbArrayAppend(a.a, b.a, type), 6);
      EXPECT_EQ(b.all(), "1,2,3,1,2,3");
      EXPECT_EQ(AmbArrayDeleteItem(b.a, 0, type), 5);
      EXPECT_EQ(b.all(), "2,3,1,2,3");
      EXPECT_EQ(AmbArrayDeleteItem(b.a, 4, type), 4); // the last: nothing moves
      EXPECT_EQ(b.all(), "2,3,1,2");
      EXPECT_EQ(AmbArrayInsertItem(b.a, 0, type), 5);
      EXPECT_EQ(b.all(), "0,2,3,1,2");
      EXPECT_EQ(AmbArrayDeleteItem(b.a, 5, type), -87);
      EXPECT_EQ(AmbArrayInsertItem(b.a, -1, type), -87);
      Typed c(type);
      c.set(5, 9);
      EXPECT_EQ(AmbArrayCopy(a.a, c.a, type), 3);
      EXPECT_EQ(c.get(5), "9");
      Typed empty(type);
      HostArraySetUpperBound(empty.a, 0, -1);
      EXPECT_EQ(AmbArrayAppend(a.a, empty.a, type), 3); // the first element goes to index 0
      EXPECT_EQ(empty.all(), "1,2,3");
      EXPECT_EQ(HostArrayGetLowerBound(empty.a, 1), 0);
    }
    EXPECT_EQ(HostTestLiveStrings(), strings); // every moved string's hold balanced
  }
}

TEST(UtilArrays, RefusalsAndEmptyArrays) {
  Typed a(3);
  Array two(3, 2), empty(3);
  for (LONG bad : {0, 4, 9, 255}) {
    EXPECT_EQ(AmbArrayAppend(a.a, a.a, bad), -87);
    EXPECT_EQ(AmbArrayDeleteItem(a.a, 0, bad), -87);
    EXPECT_EQ(AmbArrayInsertItem(a.a, 0, bad), -87);
  }
  EXPECT_EQ(AmbArrayAppend(two, a.a, 3), -1);
  EXPECT_EQ(AmbArrayCopy(a.a, two, 3), -1);
  EXPECT_EQ(AmbArrayDeleteItem(two, 0, 3), -1);
  EXPECT_EQ(AmbArrayInsertItem(two, 0, 3), -1);
  EXPECT_EQ(AmbArrayDeleteItem(empty, 0, 3), -1);
  EXPECT_EQ(AmbArrayAppend(empty, a.a, 3), 0);
  EXPECT_EQ(AmbArraySort(empty, 0, 3), -1);
  EXPECT_EQ(AmbArraySort(two, 0, 3), -1);
  EXPECT_EQ(AmbArraySort(a.a, 0, 1), -87);
  EXPECT_EQ(AmbArrayFindNumber(two, num(1)), -1);
  EXPECT_EQ(AmbArrayFillNumber(two, num(1), 3), 0);
  // Unknown handles are refused like empty arrays.
  EXPECT_EQ(AmbArrayDeleteItem(0xBAD, 0, 3), -1);
  EXPECT_EQ(AmbArrayFindString(0xBAD, "x"), -1);
}

TEST(UtilArrays, TypeCodeMustFitTheArray) {
  // A known code that names another element type than the array holds is
  // refused like an unknown one: its reads and writes would all fail, and
  // only the bound changes would happen (the last element dropped, empty
  // ones added).
  LONG strings = HostTestLiveStrings();
  {
    Typed texts(5), numbers(3);
    for (LONG wrong : {1, 2, 3, 256}) {
      SCOPED_TRACE(wrong);
      EXPECT_EQ(AmbArrayDeleteItem(texts.a, 0, wrong), -87);
      EXPECT_EQ(AmbArrayInsertItem(texts.a, 0, wrong), -87);
      EXPECT_EQ(AmbArrayAppend(texts.a, texts.a, wrong), -87);
      EXPECT_EQ(AmbArrayCopy(texts.a, texts.a, wrong), -87);
    }
    EXPECT_EQ(AmbArraySort(texts.a, 0, 3), -87);
    EXPECT_EQ(AmbArrayAppend(numbers.a, texts.a, 3), -87); // the target holds strings
    EXPECT_EQ(AmbArrayAppend(texts.a, numbers.a, 5), -87); // the source holds strings
    EXPECT_EQ(AmbArrayDeleteItem(numbers.a, 0, 7), -87);
    EXPECT_EQ(AmbArraySort(numbers.a, 1, 2), -87);
    EXPECT_EQ(texts.all(), "1,2,3");
    EXPECT_EQ(numbers.all(), "1,2,3");
    // Strings of either string code fit a string array.
    EXPECT_EQ(AmbArrayDeleteItem(texts.a, 0, 7), 2);
    EXPECT_EQ(texts.all(), "2,3");
  }
  EXPECT_EQ(HostTestLiveStrings(), strings);
}

TEST(UtilArrays, FillAndFind) {
  Array numbers(3), dates(2), texts(5);
  EXPECT_EQ(AmbArrayFillNumber(numbers, num(7), 3), 1);
  EXPECT_EQ(numbers.numbers(), (std::vector<LONG>{7, 7, 7}));
  EXPECT_EQ(AmbArrayFillDateTime(dates, date(2020, 5, 6), 2), 1);
  EXPECT_EQ(HostArrayGetUpperBound(dates, 1), 1);
  EXPECT_EQ(AmbArrayFillString(texts, "same", 2), 1);
  EXPECT_EQ(texts.texts(), (Texts{"same", "same"}));
  EXPECT_EQ(AmbArrayFillString(texts, "x", 0), 1);
  EXPECT_EQ(HostArrayGetUpperBound(texts, 1), -1);
  HostArraySetNumber(numbers, 1, num(42));
  EXPECT_EQ(AmbArrayFindNumber(numbers, num(42)), 1);
  EXPECT_EQ(AmbArrayFindNumber(numbers, num(43)), -1);
  // Same value bytes, another length byte: not the same number.
  HostNumber longer = num(42);
  longer.bytes[0] = BYTE(longer.bytes[0] + 1);
  EXPECT_EQ(AmbArrayFindNumber(numbers, longer), -1);
  EXPECT_EQ(AmbArrayFindDateTime(dates, date(2020, 5, 6)), 0);
  EXPECT_EQ(AmbArrayFindDateTime(dates, date(2020, 5, 7)), -1);
  Array names = Array::strings({"Ann", "ann", "Bob"});
  EXPECT_EQ(AmbArrayFindString(names, "ann"), 1);
  EXPECT_EQ(AmbArrayFindString(names, "ANN"), -1);
  // A count no array can take ends the fill at once with 0, the array as it
  // was and no string left over; so does a write the array refuses.
  LONG strings = HostTestLiveStrings();
  EXPECT_EQ(AmbArrayFillNumber(numbers, num(1), 0x7FFFFFFF), 0);
  EXPECT_EQ(AmbArrayFillDateTime(dates, date(2020, 1, 1), 0x7FFFFFFF), 0);
  EXPECT_EQ(AmbArrayFillString(names, "x", 0x7FFFFFFF), 0);
  EXPECT_EQ(HostTestLiveStrings(), strings);
  EXPECT_EQ(names.texts(), (Texts{"Ann", "ann", "Bob"}));
  EXPECT_EQ(numbers.numbers(), (std::vector<LONG>{7, 42, 7}));
  EXPECT_EQ(AmbArrayFillNumber(texts, num(1), 2), 0);
  EXPECT_EQ(AmbArrayFillNumber(0xBAD, num(1), 2), 0);
  // An array of another type is refused before its bounds change.
  EXPECT_EQ(AmbArrayFillNumber(names, num(1), 1), 0);
  EXPECT_EQ(AmbArrayFillString(numbers, "x", 1), 0);
  EXPECT_EQ(AmbArrayFillDateTime(numbers, date(2020, 1, 1), 1), 0);
  EXPECT_EQ(names.texts(), (Texts{"Ann", "ann", "Bob"}));
  EXPECT_EQ(numbers.numbers(), (std::vector<LONG>{7, 42, 7}));
}

TEST(UtilArrays, SortIsStableBothWays) {
  Array numbers(3);
  LONG values[] = {3, 1, 2};
  for (LONG i = 0; i < 3; ++i) HostArraySetNumber(numbers, i, num(values[i]));
  EXPECT_EQ(AmbArraySort(numbers, 0, 3), 3);
  EXPECT_EQ(numbers.numbers(), (std::vector<LONG>{1, 2, 3}));
  EXPECT_EQ(AmbArraySort(numbers, 1, 3), 3);
  EXPECT_EQ(numbers.numbers(), (std::vector<LONG>{3, 2, 1}));
  // Equal keys keep their order, ascending and descending alike.
  LONG strings = HostTestLiveStrings();
  {
    Array names = Array::strings({"b", "A2", "a1", "B0", "c"}, 1);
    EXPECT_EQ(AmbArraySort(names, 0, 5), 5);
    EXPECT_EQ(names.texts(), (Texts{"a1", "A2", "b", "B0", "c"}));
    // Equal without regard to case: the same handles in the same order.
    Array same = Array::strings({"x", "X", "x"});
    HSTRING before[3], after[3];
    for (LONG i = 0; i < 3; ++i) HostArrayGetString(same, i, &before[i]);
    EXPECT_EQ(AmbArraySort(same, 1, 7), 3);
    for (LONG i = 0; i < 3; ++i) HostArrayGetString(same, i, &after[i]);
    EXPECT_TRUE(std::equal(before, before + 3, after));
  }
  EXPECT_EQ(HostTestLiveStrings(), strings);
  Array dates(2);
  HostArraySetDate(dates, 0, date(2020, 1, 2));
  HostArraySetDate(dates, 1, date(2019, 12, 31));
  EXPECT_EQ(AmbArraySort(dates, 0, 2), 2);
  HostDate first{};
  HostArrayGetDate(dates, 0, &first);
  EXPECT_EQ(HostDateYear(first), 2019);
}

TEST(UtilArrays, SortsLargeArraysQuickly) {
  // 20,000 strings in reverse order: an insertion sort would make 200
  // million comparisons through the host; this must finish at once.
  Array big(5);
  for (LONG i = 0; i < 20000; ++i) {
    char buf[16];
    sprintf(buf, "k%06ld", long(20000 - i));
    HostArraySetString(big, i, HostStrFromText(buf));
  }
  EXPECT_EQ(AmbArraySort(big, 0, 5), 20000);
  Texts t = big.texts();
  EXPECT_EQ(t.front(), "k000001");
  EXPECT_EQ(t.back(), "k020000");
  EXPECT_TRUE(std::is_sorted(t.begin(), t.end()));
}

// ---- Numbers and profiles --------------------------------------------------------------

TEST(UtilNumbers, BitsAndBytes) {
  LONG v = 0x10;
  EXPECT_EQ(AmbNumberBitSet(&v, 0x3), 0x13);
  EXPECT_EQ(v, 0x13);
  EXPECT_EQ(AmbNumberBitClear(&v, 0x11), 0x2);
  EXPECT_EQ(AmbNumberBitSet(nullptr, 1), 0);
  EXPECT_EQ(AmbNumberHighByte(0x12345678), 0x56);
  EXPECT_EQ(AmbNumberLowByte(0x12345678), 0x78);
  EXPECT_EQ(AmbNumberMakeLong(-1, 0), 0xFFFF);
  EXPECT_EQ(AmbNumberMakeLong(0x1234, 0x10005678), LONG(0x56781234));
  HostNumber a = num(1), b = num(2);
  EXPECT_EQ(HostNumberToLong(AmbNumberChoose(1, a, b)), 1);
  EXPECT_EQ(HostNumberToLong(AmbNumberChoose(0, a, b)), 2);
}

TEST(UtilProfiles, KeysOfASectionAndDeletion) {
  TempDir dir;
  dir.write("app.ini", "[Main]\r\nalpha=1\r\nbeta=2\r\n[Empty]\r\n[Other]\r\ngamma=3\r\n");
  char old[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, old);
  SetCurrentDirectoryA(dir.path.c_str()); // found along the search path
  Array keys(5);
  EXPECT_EQ(AmbProfileEnumStrings("app.ini", "Main", keys), 2);
  EXPECT_EQ(keys.texts(), (Texts{"alpha", "beta"}));
  Array shifted = Array::strings({"x", "y"}, 2); // filled from 0 all the same
  EXPECT_EQ(AmbProfileEnumStrings("app.ini", "Main", shifted), 2);
  EXPECT_EQ(shifted.texts(), (Texts{"alpha", "beta"}));
  Array none = Array::strings({"x"});
  EXPECT_EQ(AmbProfileEnumStrings("app.ini", "Empty", none), 0);
  EXPECT_EQ(HostArrayGetUpperBound(none, 1), -1);
  EXPECT_EQ(AmbProfileEnumStrings("missing.ini", "Main", keys), -2);
  EXPECT_NE(AmbProfileDelete("app.ini", "Main", "alpha"), 0);
  EXPECT_NE(AmbProfileDelete("app.ini", "Other", nullptr), 0);
  EXPECT_EQ(AmbProfileDelete("missing.ini", "Main", "alpha"), -2);
  Array after(5);
  EXPECT_EQ(AmbProfileEnumStrings("app.ini", "Main", after), 1);
  EXPECT_EQ(AmbProfileEnumStrings("app.ini", "Other", after), 0);
  // Many keys: the buffer grows.
  std::string many = "[Big]\r\n";
  for (int i = 0; i < 200; ++i) many += "key_number_" + std::to_string(i) + "=v\r\n";
  dir.write("big.ini", many);
  Array bigKeys(5);
  EXPECT_EQ(AmbProfileEnumStrings("big.ini", "Big", bigKeys), 200);
  SetCurrentDirectoryA(old);
}
