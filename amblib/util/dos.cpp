// AmbDos…: drives, folders, files, "PATH" and network connections into host
// arrays; path names built and split; drive properties.
#include <windows.h>
#include <winnetwk.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ambutil.h"
#include "util.h"

using namespace amb::util;

namespace {

// ---- Arrays ------------------------------------------------------------------

void setString(HARRAY a, LONG i, const std::string& s) {
  if (i == 0) openFromZero(a);
  HSTRING h = result(s);
  if (h && !HostArraySetString(a, i, h)) HostStrFree(h);
}

void setNumber(HARRAY a, LONG i, DWORD v) {
  if (i == 0) openFromZero(a);
  HostNumber n{};
  HostNumberFromULong(&n, v);
  HostArraySetNumber(a, i, n);
}

void setDate(HARRAY a, LONG i, const HostDate& d) {
  if (i == 0) openFromZero(a);
  HostArraySetDate(a, i, d);
}

// Enumerations fill from index 0 and then set the bounds to 0 .. n-1.
LONG finish(std::initializer_list<HARRAY> arrays, LONG n) {
  for (HARRAY a : arrays)
    if (a) HostArraySetUpperBound(a, 0, n - 1);
  return n;
}

HostDate lastWrite(const FILETIME& utc) {
  FILETIME local;
  WORD date = 0, time = 0;
  HostDate d{};
  if (FileTimeToLocalFileTime(&utc, &local) && FileTimeToDosDateTime(&local, &date, &time))
    HostDateMake(&d, 1980 + (date >> 9), date >> 5 & 15, date & 31, time >> 11, time >> 5 & 63, 2 * (time & 31));
  return d;
}

bool isDots(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

// Walks the matches of a pattern; `take` decides and stores. Returns the
// count, or the negated error of the first search.
LONG enumerate(const char* pattern, const std::function<bool(const WIN32_FIND_DATAA&, LONG index)>& take) {
  if (!pattern) return -87;
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA(pattern, &fd);
  if (find == INVALID_HANDLE_VALUE) return -LONG(GetLastError());
  LONG n = 0;
  do {
    if (take(fd, n)) ++n;
  } while (FindNextFileA(find, &fd));
  FindClose(find);
  return n;
}

bool isDir(const WIN32_FIND_DATAA& fd) { return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isDots(fd.cFileName); }

bool isFile(const WIN32_FIND_DATAA& fd, WORD filter) {
  return !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (!filter || (fd.dwFileAttributes & filter));
}

// ---- Drives --------------------------------------------------------------------

// "C:" and the like: a letter A to Z whose drive is present. The caller's
// text is left as it is (the letter is upper-cased in a copy).
bool validDrive(const char* drive) {
  if (!drive || !*drive) return false;
  char letter = char(toupper(BYTE(drive[0])));
  return letter >= 'A' && letter <= 'Z' && (GetLogicalDrives() >> (letter - 'A') & 1);
}

std::string rootOf(const char* drive) {
  std::string root = drive;
  if (root.back() != '\\') root += '\\';
  return root;
}

DWORD capped(unsigned long long v) { return v > 0xFFFFFFFFull ? 0xFFFFFFFF : DWORD(v); }

// ---- Network ---------------------------------------------------------------------

// The network calls, from mpr.dll. AMB_TEST_NETWORK names a module that
// stands in for it (and for the drive-type query), so the connected paths
// can be exercised on a machine without a network.
struct NetApi {
  DWORD(WINAPI* getConnection)(LPCSTR, LPSTR, LPDWORD) = nullptr;
  DWORD(WINAPI* addConnection)(LPCSTR, LPCSTR, LPCSTR) = nullptr;
  DWORD(WINAPI* cancelConnection)(LPCSTR, BOOL) = nullptr;
  UINT(WINAPI* driveType)(LPCSTR) = GetDriveTypeA;

  template <class F> static void bind(HMODULE m, const char* name, F& slot) {
    if (FARPROC p = GetProcAddress(m, name)) slot = reinterpret_cast<F>(reinterpret_cast<void*>(p));
  }

  // Resolved again whenever the stand-in named by the variable changes.
  static const NetApi& get() {
    static NetApi api;
    static std::string resolvedFor = "?";
    std::string stand = environment("AMB_TEST_NETWORK");
    if (stand != resolvedFor) {
      resolvedFor = stand;
      api = NetApi{};
      if (HMODULE m = LoadLibraryA(stand.empty() ? "mpr.dll" : stand.c_str())) {
        bind(m, "WNetGetConnectionA", api.getConnection);
        bind(m, "WNetAddConnectionA", api.addConnection);
        bind(m, "WNetCancelConnectionA", api.cancelConnection);
        if (!stand.empty()) bind(m, "GetDriveTypeA", api.driveType);
      }
    }
    return api;
  }
};

// The remote name connected to a local name, growing the buffer in
// 256-byte steps while the network has more; the status in *status.
std::string connectionOf(const std::string& local, DWORD* status) {
  const NetApi& net = NetApi::get();
  if (!net.getConnection) {
    *status = ERROR_NO_NETWORK;
    return {};
  }
  std::string remote(256, '\0');
  for (;;) {
    DWORD size = DWORD(remote.size());
    *status = net.getConnection(local.c_str(), remote.data(), &size);
    if (*status != ERROR_MORE_DATA) break;
    remote.resize(remote.size() + 256);
  }
  if (*status != NO_ERROR) return {};
  remote.resize(strnlen(remote.data(), remote.size()));
  return remote;
}

} // namespace

extern "C" {

// ---- Enumerations ----------------------------------------------------------

LONG WINAPI AmbDosEnumDrives(HARRAY names) {
  return guarded<LONG>(-8, [&] {
    DWORD mask = GetLogicalDrives();
    LONG n = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
      if (mask >> (letter - 'A') & 1) setString(names, n++, std::string(1, letter) + ":");
    return finish({names}, n);
  });
}

LONG WINAPI AmbDosEnumDirs(LPCSTR pattern, HARRAY names) {
  return guarded<LONG>(-8, [&] {
    LONG n = enumerate(pattern, [&](const WIN32_FIND_DATAA& fd, LONG i) {
      if (!isDir(fd)) return false;
      setString(names, i, fd.cFileName);
      return true;
    });
    return n < 0 ? n : finish({names}, n);
  });
}

LONG WINAPI AmbDosEnumFiles(LPCSTR pattern, WORD filter, HARRAY names) {
  return guarded<LONG>(-8, [&] {
    LONG n = enumerate(pattern, [&](const WIN32_FIND_DATAA& fd, LONG i) {
      if (!isFile(fd, filter)) return false;
      setString(names, i, fd.cFileName);
      return true;
    });
    return n < 0 ? n : finish({names}, n);
  });
}

LONG WINAPI AmbDosEnumDirInfo(LPCSTR pattern, HARRAY names, HARRAY dates, HARRAY attributes) {
  return guarded<LONG>(-8, [&] {
    LONG n = enumerate(pattern, [&](const WIN32_FIND_DATAA& fd, LONG i) {
      if (!isDir(fd)) return false;
      setString(names, i, fd.cFileName);
      setDate(dates, i, lastWrite(fd.ftLastWriteTime));
      setNumber(attributes, i, fd.dwFileAttributes);
      return true;
    });
    return n < 0 ? n : finish({names, dates, attributes}, n);
  });
}

LONG WINAPI AmbDosEnumFileInfo(LPCSTR pattern, WORD filter, HARRAY names, HARRAY sizes, HARRAY dates,
                               HARRAY attributes) {
  return guarded<LONG>(-8, [&] {
    LONG n = enumerate(pattern, [&](const WIN32_FIND_DATAA& fd, LONG i) {
      if (!isFile(fd, filter)) return false;
      setString(names, i, fd.cFileName);
      setNumber(sizes, i, fd.nFileSizeLow);
      setDate(dates, i, lastWrite(fd.ftLastWriteTime));
      setNumber(attributes, i, fd.dwFileAttributes);
      return true;
    });
    return n < 0 ? n : finish({names, sizes, dates, attributes}, n);
  });
}

LONG WINAPI AmbDosEnumPath(HARRAY folders) {
  return guarded<LONG>(-8, [&] {
    std::string path = environment("PATH");
    LONG n = 0;
    size_t start = 0;
    while (start <= path.size() && !path.empty()) {
      size_t end = path.find(';', start);
      if (end == std::string::npos) end = path.size();
      std::string part = path.substr(start, end - start);
      if (!part.empty() && part.back() != '\\') {
        DWORD a = GetFileAttributesA(part.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) setString(folders, n++, part + "\\");
      }
      start = end + 1;
    }
    return finish({folders}, n);
  });
}

LONG WINAPI AmbDosEnumNetConnections(HARRAY locals, HARRAY remotes) {
  return guarded<LONG>(-8, [&]() -> LONG {
    const NetApi& net = NetApi::get();
    LONG n = 0;
    DWORD last = NO_ERROR;
    auto take = [&](const std::string& local) {
      std::string remote = connectionOf(local, &last);
      if (last != NO_ERROR) return;
      setString(locals, n, local);
      setString(remotes, n, remote);
      ++n;
    };
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      std::string drive = std::string(1, letter) + ":";
      if (net.driveType((drive + "\\").c_str()) == DRIVE_REMOTE) take(drive);
    }
    if (n == 0 || last != NO_ERROR) return -LONG(last);
    for (int port = 1; port <= 3; ++port) {
      char name[8];
      wsprintfA(name, "LPT%d", port);
      take(name);
    }
    return finish({locals, remotes}, n);
  });
}

// ---- Questions ---------------------------------------------------------------

LONG WINAPI AmbDosExist(LPCSTR path) {
  if (!path || !*path) return 0;
  return guarded<LONG>(0, [&] {
    std::string p = path;
    if (p.back() == ':') return validDrive(path) ? 1 : 0;
    std::string bare = p.size() > 1 && p.back() == '\\' ? p.substr(0, p.size() - 1) : p;
    DWORD a = GetFileAttributesA(bare.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) return 1;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA(path, &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    FindClose(find);
    return 1;
  });
}

LONG WINAPI AmbDosIsParent(LPCSTR folder) {
  if (!folder) return 0;
  return guarded<LONG>(0, [&] {
    std::string pattern = folder;
    pattern += !pattern.empty() && pattern.back() == '\\' ? "*.*" : "\\*.*";
    return enumerate(pattern.c_str(), [](const WIN32_FIND_DATAA& fd, LONG) { return isDir(fd); }) > 0 ? 1 : 0;
  });
}

HSTRING WINAPI AmbDosGetCurDir(LPCSTR) {
  char dir[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, dir);
  return guarded<HSTRING>(0, [&] { return result(n > 0 && n < 255 ? dir : ""); });
}

LONG WINAPI AmbDosGetDriveType(LPCSTR drive) {
  if (!validDrive(drive)) return 0;
  return guarded<LONG>(0, [&] {
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    UINT type = NetApi::get().driveType(rootOf(drive).c_str());
    SetErrorMode(old);
    return LONG(type);
  });
}

LONG WINAPI AmbDosGetDriveSize(LPCSTR drive, DWORD* total, DWORD* free) {
  if (!validDrive(drive)) return -15;
  return guarded<LONG>(-8, [&] {
    DWORD spc = 0, bps = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(rootOf(drive).c_str(), &spc, &bps, &freeClusters, &clusters)) return -LONG(GetLastError());
    // In 64 bits, capped: a large disk must not wrap to a small number.
    if (total) *total = capped(1ull * clusters * bps * spc);
    if (free) *free = capped(1ull * freeClusters * bps * spc);
    return 0L;
  });
}

HSTRING WINAPI AmbDosGetEnvString(LPCSTR name) {
  return guarded<HSTRING>(0, [&] { return amb::MakeHostString(name ? environment(name).c_str() : ""); });
}

HostNumber WINAPI AmbDosGetVersion(void) {
  WORD version = LOWORD(GetVersion());
  HostNumber n{};
  HostNumberFromDouble(&n, double(LOBYTE(version) / 10 + HIBYTE(version)));
  return n;
}

HSTRING WINAPI AmbDosGetVolumeLabel(LPCSTR drive) {
  return guarded<HSTRING>(0, [&] {
    char label[260] = "";
    if (validDrive(drive) && strlen(drive) >= 2) {
      std::string root = std::string(drive, 2) + "\\";
      if (!GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0)) label[0] = 0;
    }
    return result(label);
  });
}

LONG WINAPI AmbDosSetVolumeLabel(LPCSTR root, LPCSTR label) {
  return SetVolumeLabelA(root, label) ? 0 : -LONG(GetLastError());
}

LONG WINAPI AmbDosGetFlags(void) { return 0; }

// Flags 1 (verify writes) and 2 (break checking) have no counterpart here.
LONG WINAPI AmbDosSetFlags(LONG flags, LONG value) {
  if ((flags & 4) && value == 0) SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS);
  return 0;
}

// ---- Names -------------------------------------------------------------------

void WINAPI AmbDosSplitPath(LPCSTR path, HSTRING* drive, HSTRING* folder, HSTRING* name, HSTRING* extension) {
  guarded<int>(0, [&] {
    std::string_view p = view(path);
    size_t driveEnd = p.size() >= 2 && p[1] == ':' ? 2 : 0;
    size_t slash = p.rfind('\\');
    size_t folderEnd = slash == std::string_view::npos || slash < driveEnd ? driveEnd : slash + 1;
    size_t dot = p.find('.', folderEnd);
    size_t nameEnd = dot == std::string_view::npos ? p.size() : dot;
    assign(drive, p.substr(0, driveEnd));
    assign(folder, p.substr(driveEnd, folderEnd - driveEnd));
    assign(name, p.substr(folderEnd, nameEnd - folderEnd));
    assign(extension, p.substr(nameEnd));
    return 0;
  });
}

HSTRING WINAPI AmbDosMakePath(LPCSTR drive, LPCSTR folder, LPCSTR name, LPCSTR extension) {
  return guarded<HSTRING>(0, [&] {
    return result(std::string(view(drive)) + std::string(view(folder)) + std::string(view(name)) +
                  std::string(view(extension)));
  });
}

HSTRING WINAPI AmbDosBuildFullName(LPCSTR module, LPCSTR file) {
  return guarded<HSTRING>(0, [&] {
    HMODULE m = module ? GetModuleHandleA(module) : nullptr;
    char path[MAX_PATH];
    DWORD n = m ? GetModuleFileNameA(m, path, MAX_PATH) : 0;
    if (n == 0 || n >= MAX_PATH) return result("");
    std::string full(path, n);
    full.resize(full.rfind('\\') + 1);
    return result(full + std::string(view(file)));
  });
}

LONG WINAPI AmbDosMakeAllDir(LPCSTR path) {
  if (!path) return -87;
  return guarded<LONG>(-8, [&]() -> LONG {
    std::string p = path;
    if (!p.empty() && p.back() == '\\') p.pop_back();
    for (size_t i = p.find('\\'); i != std::string::npos; i = p.find('\\', i + 1))
      if (i > 0 && p[i - 1] != ':') CreateDirectoryA(p.substr(0, i).c_str(), nullptr);
    return CreateDirectoryA(p.c_str(), nullptr) ? 0 : -LONG(GetLastError());
  });
}

HSTRING WINAPI AmbDosGetNetName(LPCSTR local) {
  return guarded<HSTRING>(0, [&] {
    DWORD status = 0;
    return result(local ? connectionOf(local, &status) : std::string());
  });
}

// A connection needs a remote name and a disconnection a name: without
// one the provider is not asked (it need not expect NULL there).
LONG WINAPI AmbDosNetConnect(LPCSTR local, LPCSTR remote, LPCSTR password) {
  if (!remote) return -LONG(ERROR_INVALID_PARAMETER);
  return guarded<LONG>(-8, [&] {
    const NetApi& net = NetApi::get();
    if (!net.addConnection) return -LONG(ERROR_NO_NETWORK);
    return -LONG(net.addConnection(remote, password, local));
  });
}

LONG WINAPI AmbDosNetDisconnect(LPCSTR name, LONG force) {
  if (!name) return -LONG(ERROR_INVALID_PARAMETER);
  return guarded<LONG>(-8, [&] {
    const NetApi& net = NetApi::get();
    if (!net.cancelConnection) return -LONG(ERROR_NO_NETWORK);
    return -LONG(net.cancelConnection(name, force != 0));
  });
}

} // extern "C"
