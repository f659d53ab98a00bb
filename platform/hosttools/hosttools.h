// hosttools.dll: the host's tools library, as far as our libraries use it.
// Importers bind by ordinal (link the `hosttools_ordinals` import library);
// the names exist for debugging and GetProcAddress. All calls __stdcall.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Memory. Blocks come from the library's own heap and are zero-filled.
// Ordinal 163: a block of `size` bytes, or NULL when memory is short.
void* __stdcall HtAlloc(DWORD size);
// Ordinal 164: the block resized to `size` bytes (new bytes zero-filled);
// NULL on failure, the old block then intact. A NULL block allocates.
void* __stdcall HtRealloc(void* block, DWORD size);
// Ordinal 165: frees a block; FALSE for NULL or a pointer not from HtAlloc.
BOOL __stdcall HtFree(void* block);
// Ordinal 166: the size of a block in bytes; 0 for NULL or a foreign pointer.
DWORD __stdcall HtSize(const void* block);

// Ordinal 74: non-zero when the two texts are equal, case respected.
// NULL equals only NULL.
BOOL __stdcall HtTextEqual(const char* a, const char* b);

// Ordinal 159: the yes/no query "is the user interface laid out right to
// left?". Answers from the user's UI language (Arabic, Hebrew, Farsi, Urdu,
// Yiddish) unless a test has fixed the answer with HtSetRightToLeft.
BOOL __stdcall HtIsRightToLeft(void);
// Test hook (by name only): -1 = ask the system again, 0 = no, 1 = yes.
void __stdcall HtSetRightToLeft(int answer);

// Ordinal 86: cleans a name in place: leading and trailing blanks (space,
// tab, CR, LF) removed, runs of inner blanks reduced to one space. Double-
// byte characters are kept whole. A NULL name is ignored.
void __stdcall HtNameClean(char* name);

// Ordinal 71: the first occurrence of the single-byte character `ch` in
// `text`, skipping the trail bytes of double-byte characters; NULL when
// absent or when text is NULL.
char* __stdcall HtFindChar(const char* text, int ch);

// Ordinal 48: non-zero when `ch` is a lead byte of a double-byte character
// in the current ANSI code page.
BOOL __stdcall HtIsLeadByte(int ch);

#ifdef __cplusplus
}
#endif
