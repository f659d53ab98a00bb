// The utility functions of amblib.dll as application code calls them.
// Host strings, arrays, numbers and dates are those of the host runtime
// (hostrt.h). Functions that fill a string variable take its address: the
// string it holds is resized and filled, or a new one is stored there.
#pragma once
#include <windows.h>

#include "hostrt.h"

#ifdef __cplusplus
extern "C" {
#endif

// Strings
HSTRING WINAPI AmbStrChoose(LONG condition, HSTRING a, HSTRING b);
HSTRING WINAPI AmbStrLeftTrim(LPCSTR text);
HSTRING WINAPI AmbStrRightTrim(LPCSTR text);
HSTRING WINAPI AmbStrTrim(LPCSTR text);
HSTRING WINAPI AmbStrPad(LPCSTR text, LONG length);
HSTRING WINAPI AmbStrProper(LPCSTR text);
LONG WINAPI AmbStrScanReverse(LPCSTR text, LONG start, LPCSTR search);
HSTRING WINAPI AmbStrSubstitute(LPCSTR text, LPCSTR search, LPCSTR replacement);
HSTRING WINAPI AmbStrExpand(LPCSTR tmpl, HARRAY array);
LONG WINAPI AmbStrLoadTable(LPCSTR fileName);
HSTRING WINAPI AmbStrFind(LONG table, LPCSTR key);
BOOL WINAPI AmbStrFreeTable(LONG table);

// Files through an open-file handle
LONG WINAPI AmbFileOpen(HLOCAL* file, LPCSTR name, WORD mode);
LONG WINAPI AmbFileClose(HLOCAL file);
LONG WINAPI AmbFileRead(HLOCAL file, HSTRING* string, LONG count);
LONG WINAPI AmbFileReadString(HLOCAL file, HSTRING* string);
LONG WINAPI AmbFileWrite(HLOCAL file, HSTRING string, LONG count);
LONG WINAPI AmbFileWriteString(HLOCAL file, LPCSTR text);
LONG WINAPI AmbFileSeek(HLOCAL file, LONG offset, LONG origin);
LONG WINAPI AmbFileTell(HLOCAL file);

// File names and patterns
HSTRING WINAPI AmbFileCreateTemp(LPCSTR prefix);
HSTRING WINAPI AmbFileFind(LPCSTR name);
LONG WINAPI AmbFileGetAttribute(LPCSTR name);
LONG WINAPI AmbFileGetSize(LPCSTR name);
LONG WINAPI AmbFileGetType(LPCSTR name);
LONG WINAPI AmbFileSetAttribute(LPCSTR pattern, LONG attributes, LONG set);
LONG WINAPI AmbFileSetDateTime(LPCSTR pattern, HostDate when);
LONG WINAPI AmbFileDelete(LPCSTR pattern);
LONG WINAPI AmbFileCopy(LPCSTR pattern, LPCSTR destination);
LONG WINAPI AmbFileAppend(LPCSTR pattern, LPCSTR destination);
LONG WINAPI AmbFileRename(LPCSTR pattern, LPCSTR destination);
LONG WINAPI AmbFileExpand(LPCSTR pattern, LPCSTR destination);

// Disks, folders and the network
LONG WINAPI AmbDosEnumDrives(HARRAY names);
LONG WINAPI AmbDosEnumDirs(LPCSTR pattern, HARRAY names);
LONG WINAPI AmbDosEnumFiles(LPCSTR pattern, WORD filter, HARRAY names);
LONG WINAPI AmbDosEnumDirInfo(LPCSTR pattern, HARRAY names, HARRAY dates, HARRAY attributes);
LONG WINAPI AmbDosEnumFileInfo(LPCSTR pattern, WORD filter, HARRAY names, HARRAY sizes, HARRAY dates,
                               HARRAY attributes);
LONG WINAPI AmbDosEnumPath(HARRAY folders);
LONG WINAPI AmbDosEnumNetConnections(HARRAY locals, HARRAY remotes);
LONG WINAPI AmbDosExist(LPCSTR path);
LONG WINAPI AmbDosIsParent(LPCSTR folder);
HSTRING WINAPI AmbDosGetCurDir(LPCSTR drive);
LONG WINAPI AmbDosGetDriveType(LPCSTR drive);
LONG WINAPI AmbDosGetDriveSize(LPCSTR drive, DWORD* total, DWORD* free);
HSTRING WINAPI AmbDosGetEnvString(LPCSTR name);
HostNumber WINAPI AmbDosGetVersion(void);
HSTRING WINAPI AmbDosGetVolumeLabel(LPCSTR drive);
LONG WINAPI AmbDosSetVolumeLabel(LPCSTR root, LPCSTR label);
LONG WINAPI AmbDosGetFlags(void);
LONG WINAPI AmbDosSetFlags(LONG flags, LONG value);
void WINAPI AmbDosSplitPath(LPCSTR path, HSTRING* drive, HSTRING* folder, HSTRING* name, HSTRING* extension);
HSTRING WINAPI AmbDosMakePath(LPCSTR drive, LPCSTR folder, LPCSTR name, LPCSTR extension);
HSTRING WINAPI AmbDosBuildFullName(LPCSTR module, LPCSTR file);
LONG WINAPI AmbDosMakeAllDir(LPCSTR path);
HSTRING WINAPI AmbDosGetNetName(LPCSTR local);
LONG WINAPI AmbDosNetConnect(LPCSTR local, LPCSTR remote, LPCSTR password);
LONG WINAPI AmbDosNetDisconnect(LPCSTR name, LONG force);

// Arrays (type codes 1 value, 2 date, 3 number, 5 and 7 string, 256 window)
LONG WINAPI AmbArrayAppend(HARRAY source, HARRAY target, LONG type);
LONG WINAPI AmbArrayCopy(HARRAY source, HARRAY target, LONG type);
LONG WINAPI AmbArrayDeleteItem(HARRAY array, LONG index, LONG type);
LONG WINAPI AmbArrayInsertItem(HARRAY array, LONG index, LONG type);
LONG WINAPI AmbArrayFillNumber(HARRAY array, HostNumber number, LONG count);
LONG WINAPI AmbArrayFillDateTime(HARRAY array, HostDate date, LONG count);
LONG WINAPI AmbArrayFillString(HARRAY array, LPCSTR text, LONG count);
LONG WINAPI AmbArrayFindNumber(HARRAY array, HostNumber number);
LONG WINAPI AmbArrayFindDateTime(HARRAY array, HostDate date);
LONG WINAPI AmbArrayFindString(HARRAY array, LPCSTR text);
LONG WINAPI AmbArraySort(HARRAY array, LONG order, LONG type);

// Numbers
LONG WINAPI AmbNumberBitSet(LONG* value, LONG mask);
LONG WINAPI AmbNumberBitClear(LONG* value, LONG mask);
LONG WINAPI AmbNumberHighByte(LONG value);
LONG WINAPI AmbNumberLowByte(LONG value);
LONG WINAPI AmbNumberMakeLong(LONG low, LONG high);
HostNumber WINAPI AmbNumberChoose(LONG condition, HostNumber a, HostNumber b);

// Profiles
LONG WINAPI AmbProfileEnumStrings(LPCSTR file, LPCSTR section, HARRAY names);
LONG WINAPI AmbProfileDelete(LPCSTR file, LPCSTR section, LPCSTR key);

#ifdef __cplusplus
}
#endif
