// AmbFile…: files through an open-file handle, and operations on groups of
// files named by a pattern. Handle functions, copy, append and expand
// report positive system error codes; the pattern loop and the name
// functions negated ones.
#include <windows.h>
#include <lzexpand.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>

#include "filecore.h"
#include "ambutil.h"
#include "util.h"

using namespace amb::util;

namespace {

// ---- Open-file handles ---------------------------------------------------

// The file record: 24 bytes of movable local memory, as handed out.
struct FileRecord {
  HANDLE os;
  DWORD base;
  HLOCAL buffer;
  DWORD capacity;
  DWORD index;
  DWORD fill;
};
static_assert(sizeof(FileRecord) == 24);

constexpr WORD kWrite = 0x0001, kReadWrite = 0x0002, kShareExclusive = 0x0010, kShareDenyWrite = 0x0020,
               kShareDenyRead = 0x0030, kShareMask = 0x0070, kParse = 0x0100, kDelete = 0x0200,
               kCreate = 0x1000, kExist = 0x4000;

// Records handed out and not yet closed: anything else is refused with -87.
std::set<HLOCAL>& liveFiles() {
  static std::set<HLOCAL> files;
  return files;
}

// Locks a live record for the length of one call.
class LockedRecord {
public:
  explicit LockedRecord(HLOCAL h) : h_(liveFiles().count(h) ? h : nullptr) {
    if (h_) rec_ = static_cast<FileRecord*>(LocalLock(h_));
  }
  ~LockedRecord() {
    if (rec_) LocalUnlock(h_);
  }
  LockedRecord(const LockedRecord&) = delete;
  LockedRecord& operator=(const LockedRecord&) = delete;
  FileRecord* operator->() const { return rec_; }
  FileRecord& operator*() const { return *rec_; }
  explicit operator bool() const { return rec_ != nullptr; }

private:
  HLOCAL h_;
  FileRecord* rec_ = nullptr;
};

void discardBuffer(FileRecord& r) {
  if (r.buffer) LocalFree(r.buffer);
  r.base = r.capacity = r.index = r.fill = 0;
  r.buffer = nullptr;
}

LONG lastError() { return LONG(GetLastError()); }

// The library's open routine, with the open-mode word of the 16-bit file
// calls. Returns the OS handle, 0 for the modes that open nothing, or
// INVALID_HANDLE_VALUE with the system error set. `found` receives the
// full name when the name was looked up along the search path.
HANDLE openRoutine(const char* name, WORD mode, std::string* found = nullptr) {
  if (mode & kParse) return nullptr;
  if (mode & kDelete) return DeleteFileA(name) ? nullptr : INVALID_HANDLE_VALUE;
  std::string path = name;
  if (!(mode & kCreate) || (mode & kExist)) {
    DWORD error = 0;
    path = searchPath(name, &error);
    if (path.empty()) {
      SetLastError(error);
      return INVALID_HANDLE_VALUE;
    }
    if (found) *found = path;
    if (mode & kExist) {
      SetLastError(0);
      return nullptr;
    }
  }
  DWORD access = (mode & kReadWrite) ? GENERIC_READ | GENERIC_WRITE : (mode & kWrite) ? GENERIC_WRITE : GENERIC_READ;
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  switch (mode & kShareMask) {
  case kShareExclusive: case kShareDenyRead: share = 0; break;
  case kShareDenyWrite: share = FILE_SHARE_READ; break;
  }
  return CreateFileA(path.c_str(), access, share, nullptr, (mode & kCreate) ? CREATE_ALWAYS : OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The next line of an open file into the caller's string variable.
LONG readString(HLOCAL file, HSTRING* string) {
  LockedRecord r(file);
  if (!r || !string) return -87;
  if (!r->os) return -5;
  if (!r->buffer) {
    r->buffer = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, filecore::kLineBufferSize);
    if (!r->buffer) return -87;
    r->capacity = filecore::kLineBufferSize;
    r->index = r->fill = 0;
    r->base = SetFilePointer(r->os, 0, nullptr, FILE_CURRENT);
  }
  char* buffer = static_cast<char*>(LocalLock(r->buffer));
  if (!buffer) return -8;
  filecore::LineBuffer lb{r->base, r->capacity, r->index, r->fill};
  filecore::LineIo io;
  io.buffer = buffer;
  HANDLE os = r->os;
  io.readAt = [os](uint32_t offset, char* dst, uint32_t n) -> int64_t {
    DWORD got = 0;
    if (SetFilePointer(os, LONG(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER && GetLastError())
      return -int64_t(GetLastError());
    if (!ReadFile(os, dst, n, &got, nullptr)) return -int64_t(GetLastError());
    return got;
  };
  HLOCAL& handle = r->buffer;
  io.grow = [&handle](uint32_t capacity) -> char* {
    LocalUnlock(handle);
    HLOCAL bigger = LocalReAlloc(handle, capacity, LMEM_MOVEABLE | LMEM_ZEROINIT);
    if (bigger) handle = bigger;
    char* p = static_cast<char*>(LocalLock(handle)); // stays locked either way
    return bigger ? p : nullptr;
  };
  std::string line;
  LONG code = filecore::readLine(lb, io, line);
  LocalUnlock(r->buffer);
  r->base = lb.base;
  r->capacity = lb.capacity;
  r->index = lb.index;
  r->fill = lb.fill;
  if (code != filecore::kOk) return code;
  return assign(string, line) ? 0 : -8;
}

// ---- Patterns ------------------------------------------------------------

bool isPresentDrive(char letter) {
  letter = char(toupper(BYTE(letter)));
  return letter >= 'A' && letter <= 'Z' && (GetLogicalDrives() >> (letter - 'A') & 1);
}

bool isDirectory(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Where the files of a copy, rename or expand go: a folder and a DOS-style
// name pattern. Returns 0 or the error code (-15, -3).
LONG resolveDestination(const std::string& dest, std::string& folder, std::string& namePattern) {
  if (dest.size() >= 2 && dest[1] == ':' && !isPresentDrive(dest[0])) return -15;
  std::string d = dest;
  if (!d.empty() && d.back() != '\\' && isDirectory(d)) d += '\\';
  if (!d.empty() && d.back() == '\\') d += "*.*";
  size_t slash = d.rfind('\\');
  if (slash == std::string::npos) {
    folder.clear();
    namePattern = d;
    return 0;
  }
  folder = d.substr(0, slash + 1);
  namePattern = d.substr(slash + 1);
  std::string check = folder.size() > 1 && folder[folder.size() - 2] != ':' ? folder.substr(0, folder.size() - 1) : folder;
  return isDirectory(check) ? 0 : -3;
}

// Runs `op` on every file matching the pattern, in the order the file
// system returns them; folders matched by the pattern are passed over.
// Returns the count, the negated error of a failed search, or the first
// failing operation's code.
LONG forEachMatch(const char* pattern, const std::function<LONG(const std::string& path, const WIN32_FIND_DATAA&)>& op) {
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA(pattern, &fd);
  if (find == INVALID_HANDLE_VALUE) return -lastError();
  std::string folder = filecore::patternFolder(pattern);
  LONG count = 0, code = 0;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    code = op(folder + fd.cFileName, fd);
    if (code) break;
    ++count;
  } while (FindNextFileA(find, &fd));
  FindClose(find);
  return code ? code : count;
}

// Free bytes on the destination's disk, in 64 bits and capped where a
// 32-bit count must hold it. AMB_TEST_FREE_BYTES stands in for the disk in
// tests (the machine's real free space is not a test fixture).
DWORD freeBytes(const std::string& destination) {
  std::string forced = environment("AMB_TEST_FREE_BYTES");
  if (!forced.empty()) return DWORD(strtoul(forced.c_str(), nullptr, 10));
  char full[MAX_PATH], root[MAX_PATH];
  if (!GetFullPathNameA(destination.empty() ? "." : destination.c_str(), MAX_PATH, full, nullptr)) return 0xFFFFFFFF;
  if (!GetVolumePathNameA(full, root, MAX_PATH)) lstrcpynA(root, full, 4);
  DWORD spc = 0, bps = 0, freeClusters = 0, total = 0;
  if (!GetDiskFreeSpaceA(root, &spc, &bps, &freeClusters, &total)) return 0xFFFFFFFF;
  unsigned long long bytes = 1ull * spc * bps * freeClusters;
  return bytes > 0xFFFFFFFFull ? 0xFFFFFFFF : DWORD(bytes);
}

// The copy buffer of one copy or append call, grown between files.
class CopyBuffer {
public:
  ~CopyBuffer() {
    if (h_) GlobalFree(h_);
  }
  // Room for a file of `size` bytes (at most 65,533); FALSE when none.
  bool reserve(DWORD size) {
    DWORD want = DWORD(std::min<unsigned long long>(size + 1ull, 65533));
    if (h_ && want <= size_) return true;
    HGLOBAL h = h_ ? GlobalReAlloc(h_, want, GMEM_MOVEABLE) : GlobalAlloc(GMEM_MOVEABLE, want);
    if (!h) {
      if (size_) return true; // keep the smaller buffer
      return false;
    }
    h_ = h;
    size_ = want;
    return true;
  }
  // Copies the rest of `from` to `to`; 0 or a system error code.
  LONG copy(HANDLE from, HANDLE to) {
    char* p = static_cast<char*>(GlobalLock(h_));
    if (!p) return ERROR_NOT_ENOUGH_MEMORY;
    LONG code = 0;
    for (;;) {
      DWORD got = 0, put = 0;
      if (!ReadFile(from, p, size_, &got, nullptr)) {
        code = lastError();
        break;
      }
      if (got && !WriteFile(to, p, got, &put, nullptr)) {
        code = lastError();
        break;
      }
      if (put != got) {
        code = ERROR_DISK_FULL;
        break;
      }
      if (got < size_) break;
    }
    GlobalUnlock(h_);
    return code;
  }

private:
  HGLOBAL h_ = nullptr;
  DWORD size_ = 0;
};

// The first of read-only, hidden and system that the source carries.
DWORD carriedAttribute(DWORD source) {
  for (DWORD bit : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM})
    if (source & bit) return bit;
  return FILE_ATTRIBUTE_NORMAL;
}

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

// The free-space check before each file of a copy or append.
bool takeSpace(DWORD& available, DWORD size) {
  if (available < size) return false;
  available -= size;
  return true;
}

LONG copyOne(const std::string& src, const std::string& dst, DWORD& available, CopyBuffer& buffer) {
  Handle in{CreateFileA(src.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)};
  if (in.h == INVALID_HANDLE_VALUE) return lastError();
  DWORD size = GetFileSize(in.h, nullptr);
  if (!takeSpace(available, size)) return -39;
  if (!buffer.reserve(size)) return ERROR_NOT_ENOUGH_MEMORY;
  DWORD attributes = GetFileAttributesA(src.c_str());
  Handle out{CreateFileA(dst.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, carriedAttribute(attributes), nullptr)};
  if (out.h == INVALID_HANDLE_VALUE) return lastError();
  if (LONG code = buffer.copy(in.h, out.h)) return code;
  FILETIME created, accessed, written;
  if (GetFileTime(in.h, &created, &accessed, &written)) SetFileTime(out.h, &created, &accessed, &written);
  return 0;
}

LONG appendOne(const std::string& src, const std::string& dst, DWORD& available, CopyBuffer& buffer) {
  Handle in{CreateFileA(src.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)};
  if (in.h == INVALID_HANDLE_VALUE) return lastError();
  DWORD size = GetFileSize(in.h, nullptr);
  if (!takeSpace(available, size)) return -39;
  if (!buffer.reserve(size)) return ERROR_NOT_ENOUGH_MEMORY;
  DWORD attributes = carriedAttribute(GetFileAttributesA(src.c_str()));
  Handle out{CreateFileA(dst.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, attributes, nullptr)};
  if (out.h == INVALID_HANDLE_VALUE) return lastError();
  if (SetFilePointer(out.h, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError()) return lastError();
  return buffer.copy(in.h, out.h);
}

LONG expandOne(const std::string& src, const std::string& dst) {
  OFSTRUCT ofIn{}, ofOut{};
  // Deny-write, as for a copy: a target that is the source itself then
  // cannot be created (and so truncated) while the source is open.
  INT in = LZOpenFileA(const_cast<LPSTR>(src.c_str()), &ofIn, OF_READ | OF_SHARE_DENY_WRITE);
  if (in < 0) return ofIn.nErrCode ? ofIn.nErrCode : lastError();
  // The target is created by the plain open call: the LZ one, when it
  // cannot create a name, creates its compressed twin (the last character
  // made "_") instead and reports success.
  HFILE out = OpenFile(dst.c_str(), &ofOut, OF_CREATE);
  if (out == HFILE_ERROR) {
    LZClose(in);
    return ofOut.nErrCode ? ofOut.nErrCode : lastError();
  }
  LONG copied = LZCopy(in, out);
  LONG code = copied < 0 ? 100 * (GetLastError() ? lastError() : LONG(ERROR_INVALID_DATA)) : 0;
  LZClose(in);
  _lclose(out);
  return code;
}

// Copy, rename and expand: every match to its target name.
LONG toDestination(const char* pattern, const char* destination,
                   const std::function<LONG(const std::string& src, const std::string& dst)>& op) {
  if (!pattern || !destination) return -87;
  std::string folder, namePattern;
  if (LONG code = resolveDestination(destination, folder, namePattern)) return code;
  return forEachMatch(pattern, [&](const std::string& src, const WIN32_FIND_DATAA& fd) {
    return op(src, folder + filecore::targetName(namePattern, fd.cFileName));
  });
}

std::string upper(std::string s) {
  CharUpperBuffA(s.data(), DWORD(s.size()));
  return s;
}

} // namespace

extern "C" {

// ---- Handle functions ----------------------------------------------------

LONG WINAPI AmbFileOpen(HLOCAL* out, LPCSTR name, WORD mode) {
  if (!out || !name) return -87;
  return guarded<LONG>(-8, [&]() -> LONG {
    bool appending = mode & (kWrite | kReadWrite);
    HANDLE os = openRoutine(name, mode);
    if (os == INVALID_HANDLE_VALUE) return lastError();
    if (mode & (kParse | kDelete | kExist)) return 0;
    if (appending && SetFilePointer(os, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError()) {
      LONG code = lastError();
      CloseHandle(os);
      return code;
    }
    HLOCAL h = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(FileRecord));
    auto* rec = h ? static_cast<FileRecord*>(LocalLock(h)) : nullptr;
    if (!rec) {
      if (h) LocalFree(h);
      CloseHandle(os);
      return -8;
    }
    rec->os = os;
    LocalUnlock(h);
    liveFiles().insert(h);
    *out = h;
    return 0;
  });
}

LONG WINAPI AmbFileClose(HLOCAL file) {
  {
    LockedRecord r(file);
    if (!r) return -87;
    discardBuffer(*r);
    if (!CloseHandle(r->os)) return lastError();
  }
  liveFiles().erase(file);
  LocalFree(file);
  return 0;
}

LONG WINAPI AmbFileRead(HLOCAL file, HSTRING* string, LONG n) {
  LockedRecord r(file);
  if (!r || !string || n < 0) return -87;
  if (!r->os) return -5;
  // Room for n bytes and a terminator, so the text is terminated whatever
  // was read.
  char* p = sized(string, DWORD(n) + 1);
  if (!p) return -8;
  DWORD got = 0;
  if (!ReadFile(r->os, p, DWORD(n), &got, nullptr)) return lastError();
  p[got] = 0;
  HostStrSetSize(*string, got + 1);
  return LONG(got);
}

LONG WINAPI AmbFileReadString(HLOCAL file, HSTRING* string) {
  return guarded<LONG>(-8, [&] { return readString(file, string); });
}

LONG WINAPI AmbFileWrite(HLOCAL file, HSTRING string, LONG n) {
  LockedRecord r(file);
  if (!r || n < 0 || n > HostStrGetLength(string)) return -87;
  if (!r->os) return -5;
  DWORD put = 0;
  if (!WriteFile(r->os, HostStrLock(string, nullptr), DWORD(n), &put, nullptr)) return lastError();
  return LONG(put);
}

LONG WINAPI AmbFileWriteString(HLOCAL file, LPCSTR text) {
  LockedRecord r(file);
  if (!r) return -87;
  if (!r->os) return -5;
  discardBuffer(*r);
  for (std::string_view part : {view(text), std::string_view("\r\n")}) {
    DWORD put = 0;
    if (!WriteFile(r->os, part.data(), DWORD(part.size()), &put, nullptr)) return lastError();
    if (put != part.size()) return -39;
  }
  return 0;
}

LONG WINAPI AmbFileSeek(HLOCAL file, LONG offset, LONG origin) {
  LockedRecord r(file);
  if (!r || origin < 0 || origin > 2) return -87;
  if (!r->os) return -5;
  static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  SetLastError(0);
  DWORD pos = SetFilePointer(r->os, offset, nullptr, methods[origin]);
  if (pos == INVALID_SET_FILE_POINTER && GetLastError()) return lastError();
  discardBuffer(*r);
  return LONG(pos);
}

LONG WINAPI AmbFileTell(HLOCAL file) {
  LockedRecord r(file);
  if (!r) return -87;
  if (!r->os) return -5;
  if (r->buffer) return LONG(r->base + r->index);
  SetLastError(0);
  DWORD pos = SetFilePointer(r->os, 0, nullptr, FILE_CURRENT);
  if (pos == INVALID_SET_FILE_POINTER && GetLastError()) return lastError();
  return LONG(pos);
}

// ---- Names ---------------------------------------------------------------

HSTRING WINAPI AmbFileCreateTemp(LPCSTR prefix) {
  return guarded<HSTRING>(0, [&] {
    char folder[MAX_PATH], name[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH) lstrcpyA(folder, ".");
    if (!GetTempFileNameA(folder, prefix ? prefix : "", 0, name)) name[0] = 0;
    return result(name);
  });
}

HSTRING WINAPI AmbFileFind(LPCSTR name) {
  return guarded<HSTRING>(0, [&] {
    std::string found;
    if (name) openRoutine(name, kExist, &found);
    return result(found);
  });
}

LONG WINAPI AmbFileGetAttribute(LPCSTR name) {
  if (!name) return -87;
  DWORD a = GetFileAttributesA(name);
  return a == INVALID_FILE_ATTRIBUTES ? -lastError() : LONG(a);
}

LONG WINAPI AmbFileGetSize(LPCSTR name) {
  if (!name || strpbrk(name, "*?")) return -87;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data)) return -lastError();
  return LONG(data.nFileSizeLow);
}

LONG WINAPI AmbFileGetType(LPCSTR name) {
  LONG attributes = AmbFileGetAttribute(name);
  if (attributes < 0) return attributes;
  if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return 3;
  return guarded<LONG>(4, [&]() -> LONG {
    // The extension of the file's own name: a dot in a folder name (".\",
    // "C:\my.dir\") is not one.
    const char* file = name;
    for (const char* p = name; *p; ++p)
      if (*p == '\\' || *p == '/' || *p == ':') file = p + 1;
    if (const char* dot = strchr(file, '.'); dot && dot[1]) {
      char programs[256];
      GetProfileStringA("Windows", "Programs", "", programs, 255);
      if (upper(programs).find(upper(dot + 1)) != std::string::npos) return 1;
    }
    char exe[MAX_PATH];
    return UINT_PTR(FindExecutableA(name, nullptr, exe)) <= 32 ? 4 : 2;
  });
}

// ---- Patterns --------------------------------------------------------------

LONG WINAPI AmbFileDelete(LPCSTR pattern) {
  if (!pattern) return -87;
  return guarded<LONG>(-8, [&] {
    return forEachMatch(pattern, [](const std::string& path, const WIN32_FIND_DATAA&) {
      return DeleteFileA(path.c_str()) ? 0 : -lastError();
    });
  });
}

LONG WINAPI AmbFileSetAttribute(LPCSTR pattern, LONG attributes, LONG set) {
  if (!pattern) return -87;
  WORD bits = LOWORD(attributes);
  return guarded<LONG>(-8, [&] {
    return forEachMatch(pattern, [&](const std::string& path, const WIN32_FIND_DATAA&) -> LONG {
      DWORD a = GetFileAttributesA(path.c_str());
      if (a == INVALID_FILE_ATTRIBUTES) return -lastError();
      a = set ? (a | bits) : (a & ~DWORD(bits));
      return SetFileAttributesA(path.c_str(), a ? a : FILE_ATTRIBUTE_NORMAL) ? 0 : -lastError();
    });
  });
}

LONG WINAPI AmbFileSetDateTime(LPCSTR pattern, HostDate when) {
  if (!pattern) return -87;
  // An MS-DOS date holds the years 1980 to 2107; another year (or the empty
  // date) would wrap into a wrong one.
  INT year = HostDateYear(when);
  if (year < 1980 || year > 2107) return -87;
  WORD date = WORD((year - 1980) << 9 | HostDateMonth(when) << 5 | HostDateDay(when));
  WORD time = WORD(HostDateHour(when) << 11 | HostDateMinute(when) << 5 | HostDateSecond(when) / 2);
  FILETIME local, utc;
  if (!DosDateTimeToFileTime(date, time, &local) || !LocalFileTimeToFileTime(&local, &utc)) return -87;
  return guarded<LONG>(-8, [&] {
    return forEachMatch(pattern, [&](const std::string& path, const WIN32_FIND_DATAA&) -> LONG {
      Handle f{CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)};
      if (f.h == INVALID_HANDLE_VALUE) return -lastError();
      return SetFileTime(f.h, &utc, &utc, &utc) ? 0 : -lastError();
    });
  });
}

LONG WINAPI AmbFileCopy(LPCSTR pattern, LPCSTR destination) {
  return guarded<LONG>(-8, [&] {
    CopyBuffer buffer;
    DWORD available = destination ? freeBytes(destination) : 0;
    return toDestination(pattern, destination, [&](const std::string& src, const std::string& dst) {
      return copyOne(src, dst, available, buffer);
    });
  });
}

LONG WINAPI AmbFileAppend(LPCSTR pattern, LPCSTR destination) {
  if (!pattern || !destination) return -87;
  return guarded<LONG>(-8, [&] {
    CopyBuffer buffer;
    DWORD available = freeBytes(destination);
    return forEachMatch(pattern, [&](const std::string& src, const WIN32_FIND_DATAA&) {
      return appendOne(src, destination, available, buffer);
    });
  });
}

LONG WINAPI AmbFileRename(LPCSTR pattern, LPCSTR destination) {
  return guarded<LONG>(-8, [&] {
    return toDestination(pattern, destination, [](const std::string& src, const std::string& dst) {
      return MoveFileA(src.c_str(), dst.c_str()) ? 0 : -lastError();
    });
  });
}

LONG WINAPI AmbFileExpand(LPCSTR pattern, LPCSTR destination) {
  return guarded<LONG>(-8, [&] {
    LZStart();
    LONG r = toDestination(pattern, destination, expandOne);
    LZDone();
    return r;
  });
}

} // extern "C"
