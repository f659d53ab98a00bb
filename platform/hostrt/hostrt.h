// hostrt.dll: the host runtime, as the libraries, their tests and the sample
// host use it.
//
// Every call is extern "C" __stdcall, every argument 32 bits wide except the
// 16-byte host values, which travel by value. Handles (strings, arrays,
// outlines, items, array elements) are 32-bit numbers that the runtime
// checks on every call: an unknown, freed or foreign handle, a window that
// is not one the call can work on, a NULL pointer or an index out of bounds
// gives the failure value written at each call, never a crash. Handles are
// never reused within a process, so a stale handle stays detectably stale.
//
// Ownership in one sentence: whoever gets a string handle that the runtime
// made *for* it (a "new" string) frees it with HostStrFree; a string that a
// call only *lends* (array reads) belongs to its container and is kept only
// by taking a hold (HostStrHold).
//
// Everything runs on one thread (the user-interface thread of the process).
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define HOSTAPI __stdcall

typedef DWORD HSTRING;   // host string, 0 = none
typedef DWORD HARRAY;    // host array, 0 = none
typedef DWORD HOUTLINE;  // a loaded application outline, 0 = none
typedef DWORD HITEM;     // an item of an outline, 0 = none
typedef DWORD HELEMENT;  // one element of an array (HostArrayElement), 0 = none

// ===========================================================================
// Host values: numbers and date/times
//
// A host value is 13 bytes, padded to 16 when passed by value. Byte 0 is n,
// the number of value bytes that follow (0..12); the bytes after them are 0.
//
//   n = 0           the empty value: the empty number and the empty date.
//   n = 1, 0x00     zero.
//   otherwise       byte 1 is the sign and exponent: bit 7 set = negative,
//                   bits 0-6 = e + 64, and bytes 2..n are packed decimal
//                   digits d1 d2 d3 ... (two a byte, high nibble first), so
//                   that value = (-1)^sign * 0.d1d2d3... * 10^e.
//
// Canonical form: d1 is not 0, the last digit written is not 0 (a final odd
// digit leaves the low nibble 0), zero is never negative. Every conversion
// writes this one form, so equal numbers are equal byte for byte (5 from
// text, from a long or from a double: 02 41 50). Up to 22 significant
// digits are kept (more are rounded half away from zero); |value| must be
// below 10^63, and values below 10^-65 become zero.
//
// A date/time is a host number whose value is yyyymmdd.hhmmssffffff: the
// calendar date as an integer, the time of day as the fraction (hours,
// minutes, seconds and microseconds, two, two, two and six digits). So
// 2024-01-31 13:05:00 is the number 20240131.1305, midnight dates are whole
// numbers, and 0.hhmmssffffff is a time of day without a date. Years are
// 1..9999 (proleptic Gregorian calendar). Ordering dates as numbers orders
// them in time.
// ===========================================================================

typedef struct HostValue {
  BYTE bytes[16];
} HostValue;
typedef HostValue HostNumber;
typedef HostValue HostDate;

#define HOST_VALUE_SIZE 13          // bytes a value occupies in storage
#define HOST_NUMBER_DIGITS 22       // significant digits kept
#define HOST_NUMBER_TEXT_MAX 72     // buffer size for any number's text

// Conversions to a number. Each writes the 13 value bytes at *out (never
// more, so it can fill a slot inside a larger record) and returns TRUE; on
// failure it writes the empty number and returns FALSE (FALSE without
// writing when out is NULL).
BOOL HOSTAPI HostNumberFromLong(HostNumber* out, LONG value);
BOOL HOSTAPI HostNumberFromULong(HostNumber* out, DWORD value);
BOOL HOSTAPI HostNumberFromUnsigned(HostNumber* out, UINT value);
BOOL HOSTAPI HostNumberFromInteger(HostNumber* out, INT value);
BOOL HOSTAPI HostNumberFromWord(HostNumber* out, WORD value);
// Rounds to 15 significant digits (a double's reliable precision), so 0.1
// gives the number 0.1. NaN, infinities and |value| >= 10^63 fail.
BOOL HOSTAPI HostNumberFromDouble(HostNumber* out, double value);
// Accepts: optional blanks, an optional sign, digits with at most one '.'
// (at least one digit), an optional exponent (e or E, optional sign,
// digits), optional blanks. Nothing else: "", "-", "1,000", "0x10", "1e"
// fail.
BOOL HOSTAPI HostNumberFromText(HostNumber* out, LPCSTR text);
// TRUE when HostNumberFromText would accept the text.
BOOL HOSTAPI HostIsNumberText(LPCSTR text);

// Conversions from a number. The fraction is cut off (towards zero). The
// empty number, and a number outside the target's range, give 0. The
// unsigned targets also take the negative numbers of their signed
// counterpart, as two's complement (-1 gives 0xFFFFFFFF, or 0xFFFF for a
// word), so a handle or colour stored from a signed value comes back.
LONG HOSTAPI HostNumberToLong(HostNumber value);
INT HOSTAPI HostNumberToInteger(HostNumber value);
DWORD HOSTAPI HostNumberToULong(HostNumber value);
UINT HOSTAPI HostNumberToUnsigned(HostNumber value);
WORD HOSTAPI HostNumberToWord(HostNumber value);
// The canonical text: '-' when negative, the digits without exponent,
// '.' and the fraction only when there is one ("5", "-0.25",
// "1000000"). Returns the length written (terminator not counted); -1 for
// the empty or a malformed number, a NULL buffer, or a buffer too small
// (HOST_NUMBER_TEXT_MAX always suffices); then buffer[0] = 0 if size > 0.
LONG HOSTAPI HostNumberToText(HostNumber value, LPSTR buffer, LONG size);
// The value as a double, for numbers and for dates (a date gives its
// yyyymmdd.hhmmss... number, so doubles order dates as the dates order).
// The empty value and malformed bytes give 0.0.
double HOSTAPI HostValueToDouble(HostValue value);

// Date/times. A date is valid when its bytes are a canonical non-negative
// number whose digits form a real calendar date (or no date: integer part
// 0) and a real time of day.
//
// The current local date and time (millisecond resolution). FALSE only for
// a NULL pointer.
BOOL HOSTAPI HostDateNow(HostDate* out);
// Year 1..9999, month 1..12, day valid for the month, hour 0..23, minute
// and second 0..59. FALSE (and the empty date) for anything else.
BOOL HOSTAPI HostDateMake(HostDate* out, INT year, INT month, INT day, INT hour, INT minute,
                          INT second);
// Parts of a valid date; -1 for the empty or an invalid date. A time of
// day without date gives 0 for year, month and day.
INT HOSTAPI HostDateYear(HostDate date);
INT HOSTAPI HostDateMonth(HostDate date);
INT HOSTAPI HostDateDay(HostDate date);
INT HOSTAPI HostDateHour(HostDate date);
INT HOSTAPI HostDateMinute(HostDate date);
INT HOSTAPI HostDateSecond(HostDate date);
INT HOSTAPI HostDateMicrosecond(HostDate date);
// 0 = Saturday, 1 = Sunday, ... 6 = Friday; -1 for the empty date, an
// invalid one, or a time of day without date.
INT HOSTAPI HostDateWeekday(HostDate date);
// -1, 0 or 1 as a is earlier than, equal to or later than b. The empty
// date is earlier than every date; two empty dates are equal. Malformed
// bytes count as the empty date.
INT HOSTAPI HostDateCompare(HostDate a, HostDate b);

// Reads a date/time. Leading and trailing blanks are ignored; month names
// (English, full or first three letters) and AM/PM in any case. Accepted:
//   yyyy-MM-dd                      ISO date
//   yyyy-MM-dd[ |T]hh:mm[:ss[.f]]   ISO date and time (f: 1-6 digits)
//   yyyy-MM-dd-hh.mm.ss[.f]         the host's own form
//   d.M.yyyy  d/M/yyyy  d-M-yyyy    numeric, always day before month
//   MMM d yyyy  MMM d, yyyy  d MMM yyyy  (MMM or MMMM)
//   any of the dates above followed by a blank and a time
//   a time alone: hh:mm[:ss[.f]] with an optional AM/PM, e.g. 01:30:00 PM
// A year of one or two digits means 1950..2049 (yy < 50 gives 20yy). With
// AM/PM the hour is 1..12 (12 AM is midnight). A time alone gives a time of
// day without date. Anything else, an impossible date (31.02.2024) or time,
// and the empty text fail: FALSE and the empty date.
BOOL HOSTAPI HostDateFromText(HostDate* out, LPCSTR text);

// Formats a date with a picture. Picture elements (the longest match
// wins; everything else is copied as it stands):
//   yyyy  year, 4 digits        yy    year, 2 digits
//   MMMM  month name (January)  MMM   month abbreviation (Jan)
//   MM    month, 2 digits       M     month, no padding
//   dd    day, 2 digits         d     day, no padding
//   hhhh  hour 00-23            hh    hour 00-23, or 01-12 when the picture
//                                     contains AMPM
//   mm    minute, 2 digits      ss    second, 2 digits
//   mmmmmm microseconds, 6 digits
//   AMPM  "AM" or "PM"
// A NULL or empty picture means "yyyy-MM-dd-hh.mm.ss.mmmmmm". What a
// picture writes reads back with HostDateFromText to the fields that the
// picture shows (a full date and time picture gives the same date). The
// empty date formats as "". Returns the length written (terminator not
// counted); -1 for an invalid date, a NULL buffer or a buffer too small
// (then buffer[0] = 0 if size > 0).
LONG HOSTAPI HostFormatDateTime(HostDate date, LPCSTR picture, LPSTR buffer, LONG size);

// The host's pattern match: finds the pattern in the text, without regard
// to case. In the pattern '%' matches any run of characters (also none),
// '_' any one character, and '\' takes the next character literally.
// Returns the offset in the text where the first match starts (>= 0 is a
// match), -1 when there is none or an argument is NULL. The empty pattern
// matches at 0.
LONG HOSTAPI HostTextMatch(LPCSTR text, LPCSTR pattern);

// ===========================================================================
// Strings
//
// A host string is a counted buffer of bytes (any bytes, zeros included)
// with a hold count. Its size counts a terminating zero byte: a string
// made for the text "abc" has size 4, length 3.
// ===========================================================================

// A new string of `size` zero bytes and one hold; 0 = no memory (always
// for sizes of 0x7FFFFFFF and more, which a 32-bit process cannot hold).
HSTRING HOSTAPI HostStrCreate(DWORD size);
// A new string holding the text and its terminator; 0 = no memory or NULL.
HSTRING HOSTAPI HostStrFromText(LPCSTR text);
// Resizes the buffer, keeping its first bytes and zeroing new ones. TRUE,
// or FALSE for an unknown handle, no memory or a size of 0x7FFFFFFF and
// more (the string is unchanged).
// Pointers from HostStrLock are invalid afterwards.
BOOL HOSTAPI HostStrSetSize(HSTRING string, DWORD size);
// The buffer and, in *size (may be NULL), its size (terminator included).
// NULL and size 0 for an unknown handle. The pointer stays valid until the
// string is resized or freed; there is nothing to unlock.
LPSTR HOSTAPI HostStrLock(HSTRING string, DWORD* size);
// The length: the size less the terminator (0 for size 0). -1 for an
// unknown handle.
LONG HOSTAPI HostStrGetLength(HSTRING string);
// Takes one more hold. The new hold count, 0 for an unknown handle.
LONG HOSTAPI HostStrHold(HSTRING string);
// Gives up one hold; the string is freed when none is left. The holds left
// (0 = freed), -1 for an unknown handle.
LONG HOSTAPI HostStrFree(HSTRING string);
// The hold count, 0 for an unknown handle (for tests of ownership).
LONG HOSTAPI HostStrHolds(HSTRING string);
// Splits the text into tokens stored as new strings in a string array,
// from its lower bound on; the upper bound becomes the last token's index
// (elements beyond are dropped). Before each token the characters of
// startDelims are skipped; a token ends at a character of endDelims (which
// is consumed) or at the end of the text. Two end delimiters in a row give
// an empty token; an empty rest after the last end delimiter is not a
// token ("C:\A\" gives "C:", "A"; "C:\\A" gives "C:", "", "A"). NULL
// delimiter sets are empty sets; a NULL text has no tokens. Returns the
// number of tokens, -1 for an unknown or non-string array or no memory.
LONG HOSTAPI HostStrTokenize(LPCSTR text, LPCSTR startDelims, LPCSTR endDelims, HARRAY array);
// Test only: the next `count` calls of HostStrCreate (and of everything
// that makes a new string) fail with 0; -1 makes all fail until the hook
// is set to 0 again. Returns the previous setting.
LONG HOSTAPI HostTestFailStrCreate(LONG count);
// Test only: the number of strings alive now (to check for leaks).
LONG HOSTAPI HostTestLiveStrings(void);

// ===========================================================================
// Arrays
//
// A dynamic array of one element type, with bounds per dimension. Element
// types:
#define HOST_TYPE_VALUE 1         // 32-bit value
#define HOST_TYPE_DATE 2          // date/time
#define HOST_TYPE_NUMBER 3        // number
#define HOST_TYPE_STRING 5        // string
#define HOST_TYPE_LONGSTRING 7    // string (long string)
#define HOST_TYPE_OBJECT 9        // object handle: three 13-byte numbers (39 bytes)
#define HOST_TYPE_HANDLE 256      // window handle
//
// Bounds. A new array is empty with lower bound 0. Elements lower..upper
// exist; writing an element above the upper bound raises it (the elements
// in between are empty: 0, the empty number/date, no string, no window);
// an index below the lower bound is refused, never written. An array may
// grow to HOST_ARRAY_MAX_ELEMENTS elements.
//
// The empty array: HostArrayGetUpperBound reports lower - 1 (so an array
// set to "0 .. -1" reads back upper bound -1), while HostArrayGetBounds
// reports count 0 and upper = lower: the index the first element will
// take. So with HostArrayGetBounds the next free index is always
// upper + 1 when count > 0 and upper when count = 0 -- never below the
// lower bound.
//
// Strings in arrays: setting an element adopts the caller's hold on the
// handle (the array frees it later); reading lends the handle (take a hold
// to keep it). Overwriting an element, lowering a bound over it and
// freeing the array free the strings dropped.
//
// Arrays of more than one dimension keep bounds per dimension; their
// elements are addressed by the index of the first dimension.
// ===========================================================================

#define HOST_ARRAY_MAX_ELEMENTS 0x1000000
#define HOST_NO_BOUND ((LONG)0x80000000)  // failure value of HostArrayGetUpperBound

// A new empty array of the type with 1..8 dimensions; 0 for another type,
// another number of dimensions, or no memory.
HARRAY HOSTAPI HostArrayCreate(LONG type, LONG dimensions);
// Frees the array and the strings it holds. FALSE for an unknown handle.
BOOL HOSTAPI HostArrayFree(HARRAY array);
// The element type, 0 for an unknown handle.
LONG HOSTAPI HostArrayGetType(HARRAY array);
// The number of dimensions, -1 for an unknown handle.
LONG HOSTAPI HostArrayGetDimensions(HARRAY array);
// TRUE when the array has no element (and for an unknown handle).
BOOL HOSTAPI HostArrayIsEmpty(HARRAY array);
// First dimension: element count, lower bound and upper bound (see the
// empty-array rule above). Any pointer may be NULL. FALSE for an unknown
// handle, with 0, 0, 0 written.
BOOL HOSTAPI HostArrayGetBounds(HARRAY array, LONG* count, LONG* lower, LONG* upper);
// Bounds of a dimension (1-based). The upper bound of an empty dimension
// is its lower bound - 1. HOST_NO_BOUND for an unknown handle or
// dimension.
LONG HOSTAPI HostArrayGetUpperBound(HARRAY array, LONG dimension);
LONG HOSTAPI HostArrayGetLowerBound(HARRAY array, LONG dimension);
// Sets both bounds of the first dimension; upper = lower - 1 empties the
// array. Elements outside the new bounds are dropped, the others keep
// their indexes. FALSE (nothing changed) for an unknown handle, upper <
// lower - 1, more than HOST_ARRAY_MAX_ELEMENTS, or no memory.
BOOL HOSTAPI HostArraySetUpperBound(HARRAY array, LONG lower, LONG upper);
// Sets the upper bound of one dimension (1-based), as above.
BOOL HOSTAPI HostArraySetBound(HARRAY array, LONG dimension, LONG upper);

// Typed element access. The array's type must match (5 and 7 both count
// as strings). Gets: TRUE and the element (the empty value for an element
// inside the bounds that was never written); FALSE for an unknown handle,
// another type, an index outside the bounds, or a NULL pointer, with the
// empty value written where possible. Sets: TRUE, growing the array as
// needed; FALSE (nothing changed) for an unknown handle, another type, an
// index below the lower bound or too high, or no memory.
BOOL HOSTAPI HostArrayGetValue(HARRAY array, LONG index, DWORD* value);
BOOL HOSTAPI HostArraySetValue(HARRAY array, LONG index, DWORD value);
BOOL HOSTAPI HostArrayGetNumber(HARRAY array, LONG index, HostNumber* value);
BOOL HOSTAPI HostArraySetNumber(HARRAY array, LONG index, HostNumber value);
BOOL HOSTAPI HostArrayGetDate(HARRAY array, LONG index, HostDate* value);
BOOL HOSTAPI HostArraySetDate(HARRAY array, LONG index, HostDate value);
BOOL HOSTAPI HostArrayGetHandle(HARRAY array, LONG index, HWND* value);
BOOL HOSTAPI HostArraySetHandle(HARRAY array, LONG index, HWND value);
// Lends the element's string (0 when it has none). Keep it with a hold.
BOOL HOSTAPI HostArrayGetString(HARRAY array, LONG index, HSTRING* value);
// Adopts the caller's hold on `value` (0 empties the element) and frees
// the string the element held before. An unknown string handle is refused.
BOOL HOSTAPI HostArraySetString(HARRAY array, LONG index, HSTRING value);

// Raw access to one element of a value, number, date, handle or object
// array (not of string arrays, whose elements own their strings). The
// element is created as a write would create it. 0 on failure.
HELEMENT HOSTAPI HostArrayElement(HARRAY array, LONG index);
// The element's storage: 4 bytes (value, handle), 13 (number, date) or 39
// (object: three 13-byte numbers at offsets 0, 13, 26). Valid until the
// array's bounds change or it is freed; NULL for an unknown element or one
// that its array dropped.
LPVOID HOSTAPI HostElementData(HELEMENT element);

// ===========================================================================
// Application outlines
//
// An outline is a tree of items under one top item. Each item has a type, a
// text, attributes (texts by number, the "type texts"), string properties
// (named byte blocks, kept exactly), an include flag and, once the host
// created it, a window. Item handles are unique across outlines; an item
// handle used with another outline's handle is unknown.
// ===========================================================================

// Item types. Window items (HostIsThisAWindow) become windows when a form
// is created; the others only live in the outline.
#define HOST_ITEM_APPLICATION 0    // the top item
#define HOST_ITEM_SPLITTER 1       // window: splitter bar (class from 286, else "AK:cSplitter")
#define HOST_ITEM_FORM 2           // window: form
#define HOST_ITEM_DIALOG 3         // window: dialog box
#define HOST_ITEM_TEXT 5           // window: background text
#define HOST_ITEM_DATAFIELD 8      // window: data field
#define HOST_ITEM_MULTILINE 9      // window: multi-line field
#define HOST_ITEM_PUSHBUTTON 10    // window: push button
#define HOST_ITEM_CHECKBOX 11      // window: check box
#define HOST_ITEM_OPTION 12        // window: option button
#define HOST_ITEM_LISTBOX 13       // window: list box
#define HOST_ITEM_COMBOBOX 14      // window: combo box
#define HOST_ITEM_PICTURE 15       // window: picture
#define HOST_ITEM_TABLE 16         // window: table window (made by the application, see HostCreateWindow)
#define HOST_ITEM_SECTION 20       // a named section (data sources, libraries, ...)
#define HOST_ITEM_FUNCTION 21      // a function
#define HOST_ITEM_CUSTOM 22        // window: custom control, class name in attribute 286
#define HOST_ITEM_OBJECT 23        // a named object of any other kind
#define HOST_ITEM_COMMENT 188      // a comment line (skipped by walks over objects)

// Attributes (type texts) the runtime itself reads.
#define HOST_ATTR_TITLE 1          // window text / caption
#define HOST_ATTR_RECT 2           // "x y width height" in pixels, relative to the parent
#define HOST_ATTR_STYLE 3          // extra window style bits, hexadecimal ("0x00800000")
#define HOST_ATTR_CLASS 286        // window class of a custom control
#define HOST_ATTR_HOSTCLASS 287    // host-language class name

// Outline state flags (HostOutlineFlags).
#define HOST_OUTLINE_CHANGED 0x1
#define HOST_OUTLINE_UNCOMPILED 0x2

// --- the outline operations, with their ordinals ---------------------------

// @271 Loads an application file (the format in docs/hostrt.md; an indented
// description as HostOutlineFromText takes it reads as well). 0 when the
// file cannot be read or parsed.
HOUTLINE HOSTAPI HostLoadApp(LPCSTR fileName);
// @272 Releases an outline and all its items; windows created from it stay
// but lose their items. FALSE for an unknown handle.
BOOL HOSTAPI HostReleaseApp(HOUTLINE outline);
// @282 Saves the outline to a file that HostLoadApp reads back exactly
// (every item, attribute, property byte and flag). Clears the changed
// flag. FALSE for an unknown handle or a file that cannot be written.
BOOL HOSTAPI HostOutlineSave(HOUTLINE outline, LPCSTR fileName);
// @609 Writes the outline as text, one line an item ("<type name>:
// <text>", indented by one tab a level, the top item not written). Flags
// bit 0 adds each item's attributes as indented lines "<number> = <text>".
// FALSE for an unknown handle or a file that cannot be written.
BOOL HOSTAPI HostOutlineSaveAsText(HOUTLINE outline, LPCSTR fileName, LONG flags);
// @620, @621 Set the changed / uncompiled flag. FALSE for an unknown handle.
BOOL HOSTAPI HostMarkApplicationChanged(HOUTLINE outline);
BOOL HOSTAPI HostMarkApplicationUncompiled(HOUTLINE outline);
// The HOST_OUTLINE_ flags, -1 for an unknown handle.
LONG HOSTAPI HostOutlineFlags(HOUTLINE outline);

// @273 The top item, 0 for an unknown handle.
HITEM HOSTAPI HostGetTopItem(HOUTLINE outline);
// @274 @366 @367 @368 @330 Tree walks: the parent, first child, last
// child, next sibling, previous sibling; 0 when there is none or a handle
// is unknown.
HITEM HOSTAPI HostParent(HOUTLINE outline, HITEM item);
HITEM HOSTAPI HostFirstChild(HOUTLINE outline, HITEM item);
HITEM HOSTAPI HostLastChild(HOUTLINE outline, HITEM item);
HITEM HOSTAPI HostNextSibling(HOUTLINE outline, HITEM item);
HITEM HOSTAPI HostPrevSibling(HOUTLINE outline, HITEM item);
// @331 The first item of the type among the children of parent (flag 0),
// or in parent's whole subtree, nearer levels first (flag non-zero). 0
// when there is none.
HITEM HOSTAPI HostChildOfType(HOUTLINE outline, HITEM parent, LONG type, LONG flag);
// @275 The item's type, -1 for an unknown handle.
LONG HOSTAPI HostItemType(HOUTLINE outline, HITEM item);
// @498 TRUE when the item's type is a window type.
BOOL HOSTAPI HostIsThisAWindow(HOUTLINE outline, HITEM item);
// @622 The number of outline lines of the item: 1 + all its descendants;
// -1 for an unknown handle.
LONG HOSTAPI HostItemGetLineCount(HOUTLINE outline, HITEM item);

// @277 A new string with the item's text: flag 1 the text as stored
// ("Form1!comment"), flag 0 the line as the outline shows it ("<type
// name>: <text>"). TRUE, or FALSE with *text = 0 for an unknown handle,
// a NULL pointer or no memory.
BOOL HOSTAPI HostGetItemText(HOUTLINE outline, HITEM item, LONG flag, HSTRING* text);
// @279 A new string with the item's title: its HOST_ATTR_TITLE attribute,
// or without one its name (the text up to the first '!', without trailing
// blanks). 0 for an unknown handle or no memory.
HSTRING HOSTAPI HostGetItemTitle(HOUTLINE outline, HITEM item);
// @505 Copies attribute `attribute` of the item into the buffer (at most
// size - 1 bytes and a terminator). Returns the attribute's full length
// (so a NULL buffer or size 0 asks for the length), -1 when the item has
// no such attribute or a handle is unknown (buffer[0] = 0 if size > 0).
LONG HOSTAPI HostGetItemTypeText(HOUTLINE outline, HITEM item, LONG attribute, LPSTR buffer,
                                 LONG size);
// @506 Sets an attribute to `length` bytes of text (-1: up to the
// terminator); a NULL text removes it. FALSE for an unknown handle.
BOOL HOSTAPI HostSetItemTypeText(HOUTLINE outline, HITEM item, LONG attribute, LPCSTR text,
                                 LONG length);
// @564 Sets the item's host-language class name (attribute 287).
BOOL HOSTAPI HostSetObjectClass(HOUTLINE outline, HITEM item, LPCSTR className);

// @233 Stores `size` bytes as the named string property (any bytes;
// callers pass text length + 1 or block length + 1 with the terminator).
// Size 0 stores the empty text (one zero byte). 1 on success, 0 for an
// unknown handle, a NULL or empty name, a NULL data pointer with size > 0,
// or no memory (the property is then unchanged). Names are
// case-sensitive. Properties are at most 65535 bytes (the size is 16
// bits).
LONG HOSTAPI HostSetStrProperty(HOUTLINE outline, HITEM item, LPCSTR name, LPCVOID data, WORD size);
// @234 A new string holding exactly the bytes stored (so HostStrLock
// reports the stored size, terminator included). TRUE, or FALSE with
// *value = 0 when the property does not exist, a handle is unknown or
// there is no memory.
BOOL HOSTAPI HostGetStrProperty(HOUTLINE outline, HITEM item, LPCSTR name, HSTRING* value);
// @670 Removes a property; TRUE when it existed.
BOOL HOSTAPI HostRemoveStrProperty(HOUTLINE outline, HITEM item, LPCSTR name);
// @239 Stores the item's property names as new strings into a string
// array (from its lower bound; the upper bound set to the last) in name
// order. The count, -1 for an unknown handle or array or no memory.
LONG HOSTAPI HostEnumStrProps(HOUTLINE outline, HITEM item, HARRAY names);

// @507 A new item of the type, not yet in the tree (text empty). 0 for an
// unknown outline.
HITEM HOSTAPI HostCreateItem(HOUTLINE outline, LONG type);
// @280 Puts `item` into the tree as a child of `parent`, right after its
// child `after` (0: as first child). An item already in the tree moves
// with its subtree. FALSE for unknown handles, `after` not a child of
// parent, the top item, or a move into the item's own subtree.
BOOL HOSTAPI HostInsertItem(HOUTLINE outline, HITEM item, HITEM parent, HITEM after);
// @425 Sets the item's type (-1 keeps it) and text (NULL keeps it).
BOOL HOSTAPI HostSetItemData(HOUTLINE outline, HITEM item, LONG type, LPCSTR text);
// @426 Deletes the item and its subtree (their windows lose their items).
// The top item cannot be deleted. FALSE for an unknown handle.
BOOL HOSTAPI HostDeleteItem(HOUTLINE outline, HITEM item);
// @427 TRUE when the item comes from an included library.
BOOL HOSTAPI HostIsItemIncluded(HOUTLINE outline, HITEM item);
// Sets or clears the include flag of one item (test host, loaders).
BOOL HOSTAPI HostSetItemIncluded(HOUTLINE outline, HITEM item, BOOL included);
// @603 Brings the include flags of the item's subtree in line with the
// item's own (what an included item contains is included). Returns the
// number of items whose flag changed, -1 for an unknown handle.
LONG HOSTAPI HostRefreshInclude(HOUTLINE outline, HITEM item);
// @503 Records that the item changed (flag non-zero) or is current again
// (0), and marks the application changed. FALSE for an unknown handle.
BOOL HOSTAPI HostItemChangeUpdate(HOUTLINE outline, HITEM item, LONG flag);
// TRUE when HostItemChangeUpdate last marked the item changed.
BOOL HOSTAPI HostIsItemChanged(HOUTLINE outline, HITEM item);
// @625 The designer's "a property of this item changed" notice (callers
// pass 1, 0, 0). Recorded in the test log as
// "HostNotifyPropertyChange <outline> <item> <a> <b> <c>"; marks the
// application changed. FALSE for an unknown handle.
BOOL HOSTAPI HostNotifyPropertyChange(HOUTLINE outline, HITEM item, LONG a, LONG b, LONG c);
// @491 A design option for the item; recorded in the test log as
// "HostItemDesignOption <outline> <item> <option>". FALSE for an unknown
// handle.
BOOL HOSTAPI HostItemDesignOption(HOUTLINE outline, HITEM item, LONG option);

// Window <-> item. These answer from the moment the host starts creating
// the window (before WM_NCCREATE) until its WM_NCDESTROY (a window created
// without the host's subclass: until it starts being destroyed).
// @623 The item's window, NULL when it has none.
HWND HOSTAPI HostWindowOfItem(HOUTLINE outline, HITEM item);
HOUTLINE HOSTAPI HostOutlineOfWindow(HWND window);  // 0 when none
HITEM HOSTAPI HostItemOfWindow(HWND window);        // 0 when none

// ===========================================================================
// Windows and fields
//
// Host windows are those of the host's classes (created by anyone) and the
// windows the test host creates from items. Object types:
// ===========================================================================
#define HOST_OBJ_FORM 0x1
#define HOST_OBJ_DIALOG 0x2
#define HOST_OBJ_TEXT 0x4
#define HOST_OBJ_DATAFIELD 0x8
#define HOST_OBJ_MULTILINE 0x10
#define HOST_OBJ_PUSHBUTTON 0x20
#define HOST_OBJ_CHECKBOX 0x40
#define HOST_OBJ_OPTION 0x80
#define HOST_OBJ_LISTBOX 0x2000
#define HOST_OBJ_COMBOBOX 0x4000
#define HOST_OBJ_PICTURE 0x80000
#define HOST_OBJ_CUSTOM 0x200000   // custom controls and splitters

// The host's window classes (registered when hostrt.dll loads, global,
// superclassing the system classes named).
#define HOST_CLASS_FORM "QXForm30"           // form (own class)
#define HOST_CLASS_DIALOG "QXDialog30"       // dialog box (own class)
#define HOST_CLASS_TEXT "QXText30"           // static
#define HOST_CLASS_FIELD "QXField30"         // edit: data and multi-line fields
#define HOST_CLASS_BUTTON "QXButton30"       // button: push buttons
#define HOST_CLASS_CHECKBOX "QXCheckBox30"   // button, BS_AUTOCHECKBOX
#define HOST_CLASS_OPTION "QXRadio30"        // button, BS_AUTORADIOBUTTON
#define HOST_CLASS_LISTBOX "QXListBox30"     // listbox
#define HOST_CLASS_COMBOBOX "QXComboBox30"   // combobox
#define HOST_CLASS_PICTURE "QXPicture30"     // static, SS_BITMAP

// The host object type of the window, 0 for a window that is not a host
// window (or no window).
DWORD HOSTAPI HostGetObjectType(HWND window);
// The colour of a role (a system colour index: 5 background, 8 text, ...)
// for the window: what HostSetWindowColor set for it, else for all
// windows, else the system colour. CLR_INVALID for an invalid window or a
// role outside 0..30.
COLORREF HOSTAPI HostGetWindowColor(HWND window, LONG role);
// Sets the colour of a role for one host window (NULL: for every window
// without its own); CLR_INVALID removes the setting. FALSE for a window
// that is not a host window, or a role outside 0..30.
BOOL HOSTAPI HostSetWindowColor(HWND window, LONG role, COLORREF color);

// TRUE when a data field, multi-line field or combo box has no text, or a
// picture has no image. FALSE when it has a value, and for other windows.
BOOL HOSTAPI HostFieldIsNull(HWND window);
// Empties a data field, multi-line field or combo box (text and
// selection), or a picture's image. FALSE for other windows.
BOOL HOSTAPI HostClearField(HWND window);
// Removes a picture field's image (STM_SETIMAGE with NULL; the image
// belongs to whoever set it). FALSE for other windows.
BOOL HOSTAPI HostClearPicture(HWND window);
// Sets the host's edited flag of a host window; returns the previous flag
// (0 or 1), -1 for a window that is not a host window.
LONG HOSTAPI HostSetEditFlag(HWND window, BOOL edited);
// The edited flag (0 or 1), -1 for a window that is not a host window.
LONG HOSTAPI HostGetEditFlag(HWND window);
// Enable or disable a window (any window). TRUE, FALSE for an invalid one.
BOOL HOSTAPI HostEnableWindow(HWND window);
BOOL HOSTAPI HostDisableWindow(HWND window);
// Asks whether the focus may move into the window. Answers what
// HostTestSetFocusAnswer set (1 at start) for any valid window, 0 for an
// invalid one. Each question is recorded in the test log as
// "HostFocusMayMove <window> <a> <b>".
LONG HOSTAPI HostFocusMayMove(HWND window, LONG a, LONG b);
// Test only: the answer HostFocusMayMove gives from now on; returns the
// previous one.
LONG HOSTAPI HostTestSetFocusAnswer(LONG answer);
// Walks the descendants of `form` (depth first, in z-order) whose host
// object type has a bit of `types`: the first, and the one after `child`.
// NULL when there is none or a window is invalid.
HWND HOSTAPI HostFirstChildOfType(HWND form, DWORD types);
HWND HOSTAPI HostNextChildOfType(HWND form, HWND child, DWORD types);
// Prepares a dialog the libraries show for the host: centres it over its
// owner (or the screen) and records "HostPrepareDialog <window>" in the
// test log. FALSE for an invalid window.
BOOL HOSTAPI HostPrepareDialog(HWND dialog);
// The context text of a window (NULL: the active window): the names of
// its item and of the window items above it, outermost first, joined by
// '.' ("frmMain.dfName"); for a window without item its window text.
// Copies at most size - 1 bytes and a terminator; returns the full length,
// -1 for an invalid window (buffer[0] = 0 if size > 0).
LONG HOSTAPI HostContextText(HWND window, LPSTR buffer, LONG size);
// Halts the application. Here: counts the call, records "HostHalt" in
// the test log and calls the halt handler when one is set (the sample
// host's ends its message loop); it always returns, so a caller's retry
// loop goes on as it would after a refused halt.
void HOSTAPI HostHalt(void);
typedef void(HOSTAPI* HOSTHALTPROC)(void);
HOSTHALTPROC HOSTAPI HostSetHaltHandler(HOSTHALTPROC handler);  // returns the previous one
LONG HOSTAPI HostHaltCount(void);
// A new string whose first character is the current drive letter ("C:");
// 0 for no memory.
HSTRING HOSTAPI HostGetCurrentDrive(void);
// The wait announcement: TRUE when the application starts waiting, FALSE
// when it stops. Recorded as "HostAnnounceWait <0|1>"; returns the
// previous state.
BOOL HOSTAPI HostAnnounceWait(BOOL waiting);

// Named resource data of the host application (pictures the application
// carries). Set: stores a copy of the bytes under the name (case-
// insensitive); size 0 with NULL data removes it. Get: a new string
// holding the bytes and a terminating zero (HostStrGetLength = the data
// size); 0 when there is no such resource or no memory.
BOOL HOSTAPI HostSetResourceData(LPCSTR name, LPCVOID data, DWORD size);
HSTRING HOSTAPI HostGetResourceData(LPCSTR name);

// ===========================================================================
// List boxes: any list box or combo box (host class, system class or a
// subclass of them), by its messages.
// ===========================================================================

// Removes every entry. TRUE, FALSE for a window that is no list or combo.
BOOL HOSTAPI HostListClear(HWND box);
// Removes one entry; the entries left, -1 on failure (bad index too).
LONG HOSTAPI HostListDelete(HWND box, LONG index);
// The number of entries, -1 on failure.
LONG HOSTAPI HostListCount(HWND box);
// The selected entry (the first selected one in a multiple-selection
// list), -1 when none is selected or on failure.
LONG HOSTAPI HostListGetSelection(HWND box);
BOOL HOSTAPI HostListIsSelected(HWND box, LONG index);
// Selects the entry (-1: clears the selection). In a multiple-selection
// list the entry is added to the selection. TRUE, FALSE on failure.
BOOL HOSTAPI HostListSetSelection(HWND box, LONG index);
// Gives a list box multiple selection (LBS_EXTENDEDSEL) or takes it away.
// TRUE when the box now selects that way (also when it already did);
// FALSE, style unchanged, for a window that is no list box or a list box
// that keeps the selection mode it was created with (the system list
// boxes do: create the box with the mode it needs).
BOOL HOSTAPI HostListSetMultiSelect(HWND box, BOOL multiple);
// Redraw off (FALSE) or on (TRUE, repaints the box). FALSE on failure.
BOOL HOSTAPI HostListSetRedraw(HWND box, BOOL redraw);

// ===========================================================================
// Tables: the host's operations on a table window ("Halvik:Table"), over
// its messages. Rows are the host's row numbers; columns are column
// windows or 1-based positions.
// ===========================================================================

// Start value of a row search (HostTblFindNextRow): before the first row.
#define HOST_TBL_SEARCH_START ((LONG)0x80000010)

// TRUE when the row carries any of the flags.
BOOL HOSTAPI HostTblQueryRowFlag(HWND table, LONG row, WORD flags);
// The next row after *row that has some bit of `flags` (every row when 0)
// and none of `excluded`; TRUE and *row updated, FALSE when there is
// none. Start with *row = HOST_TBL_SEARCH_START.
BOOL HOSTAPI HostTblFindNextRow(HWND table, LONG* row, WORD flags, WORD excluded);
// Makes the row the context row (fetching it). FALSE when the table
// refuses (no such row).
BOOL HOSTAPI HostTblSetContextRow(HWND table, LONG row);
// The column window at a 1-based display position, NULL when none.
HWND HOSTAPI HostTblColumnAt(HWND table, LONG position);
// The 1-based display position of a column window, 0 when none.
LONG HOSTAPI HostTblColumnPosition(HWND column);
// TRUE when the column carries any of the flags.
BOOL HOSTAPI HostTblQueryColumnFlag(HWND column, DWORD flags);
// Sets (on TRUE) or clears the flags of a column. TRUE, FALSE on failure.
BOOL HOSTAPI HostTblSetColumnFlag(HWND column, DWORD flags, BOOL on);
// Sets the colour of the context row's cell in the column.
BOOL HOSTAPI HostTblSetCellColor(HWND column, COLORREF color);
// The host's side of row fetches (test host): serves the table's rows from
// a string array, row-major, `columns` cells a row starting at the array's
// lower bound (row r, column c is element lower + r * columns + c). Installs
// the fetch callback (slot 9), activates the table and sets the row range
// 0 .. count / columns - 1. A fetch sets the context row's cells with
// TBLM_SETCELLTEXT (column index in wParam) and answers 1, or 2 for a row
// beyond the data. The array stays the caller's and must live while served;
// cells = 0 stops serving. FALSE for a window that is no table, an array
// that is not a string array, or columns < 1.
BOOL HOSTAPI HostTblServeRows(HWND table, HARRAY cells, LONG columns);

// ===========================================================================
// The test host: building outlines and creating windows from them
// ===========================================================================

// A new outline with only its top item (type HOST_ITEM_APPLICATION). 0 for
// no memory.
HOUTLINE HOSTAPI HostCreateOutline(void);
// Appends a new item as the last child of parent (0: the top item). 0 for
// an unknown handle.
HITEM HOSTAPI HostAddItem(HOUTLINE outline, HITEM parent, LONG type, LPCSTR text);
// Builds an outline from an indented description (format in
// docs/hostrt.md), e.g.
//   Form frmMain
//     @title = Main form
//     @rect = 0 0 400 300
//     DataField dfName
//       @rect = 10 10 200 24
//       $AK:Note = text with \n escapes
//       $AK:Blob = hex 00 01 FF
//     Custom calMain
//       @class = AK:cCalendar
// Returns the outline, or 0 when the description is malformed; then
// *errorLine (may be NULL) gets the 1-based line at fault.
HOUTLINE HOSTAPI HostOutlineFromText(LPCSTR description, LONG* errorLine);
// The first item in parent's subtree (0: the whole outline), nearer levels
// first, whose name (text up to the first '!', no trailing blanks) equals
// `name`; a dotted path ("frmMain.dfName") goes down level by level. 0 when
// none.
HITEM HOSTAPI HostFindItem(HOUTLINE outline, HITEM parent, LPCSTR name);

// The creation block every window the test host creates receives as its
// creation parameter (CREATESTRUCT.lpCreateParams).
typedef struct HostCreateBlock {
  DWORD size;       // sizeof(HostCreateBlock)
  DWORD flags;      // bit 0: run time (controls apply their stored design settings)
  DWORD extra;      // the caller's word (a design record, see HostCreateWindow)
  HOUTLINE outline;
  HITEM item;
} HostCreateBlock;
#define HOST_CREATE_RUNTIME 0x1      // HostCreateBlock.flags bit 0 set (else design time)
#define HOST_CREATE_NOSUBCLASS 0x2   // do not subclass the windows (see below)
#define HOST_CREATE_NOCHILDREN 0x4   // create the item's window only

// Called while a window is being created, after the runtime has mapped it
// to its item and before its WM_NCCREATE. A style the callback writes into
// cs->style is applied to the window, and for subclassed windows also
// written into the creation structure of WM_NCCREATE and WM_CREATE (the
// system hands the hook a copy of that structure).
typedef void(HOSTAPI* HOSTCREATEPROC)(HWND window, CREATESTRUCTA* cs, HOUTLINE outline, HITEM item,
                                      LPVOID context);
// Installs the creation callback (NULL removes it); returns the previous.
HOSTCREATEPROC HOSTAPI HostSetCreateCallback(HOSTCREATEPROC callback, LPVOID context);

// Creates the window of a window item and, unless HOST_CREATE_NOCHILDREN,
// the windows of its window-type descendants (each a child of its parent
// item's window), in outline order. Each window gets its class from the
// item type (a custom control's from attribute 286), its text from
// HOST_ATTR_TITLE (else, for forms, dialogs, texts and buttons, the item's
// name; fields, lists and controls start empty), its place from
// HOST_ATTR_RECT,
// WS_VISIBLE and HOST_ATTR_STYLE bits, identifier 100 + its position among
// the created windows, and a HostCreateBlock with `mode`'s run-time bit
// and `extra`. A form or dialog is a top-level window, or a child of
// `parent` when parent is not NULL; a control item needs a parent. Table
// items are skipped: a table window needs its column records, so the
// application creates it.
//
// Unless HOST_CREATE_NOSUBCLASS, each window is subclassed by the host
// before its WM_NCCREATE (from a WH_CBT hook): the host keeps the pointer
// announced with message 0x6008 (HostGetAnnouncedPointer) and records the
// messages 0x6008, 0x2004, 0x2006, 0x2009, 0x6007 and WM_COMMAND that
// reach the window (HostRecordedMessage), then passes every message on.
// Returns the item's window, NULL when the item is no window item, a
// handle is unknown or the window cannot be created (then windows created
// for it are destroyed again).
HWND HOSTAPI HostCreateWindow(HOUTLINE outline, HITEM item, HWND parent, DWORD mode, DWORD extra);
// The pointer the window announced with 0x6008 (its lParam), 0 when none.
LPARAM HOSTAPI HostGetAnnouncedPointer(HWND window);
// Messages recorded for a host window (the six above; forms and dialogs
// record WM_COMMAND from their children as well). Fills the index-th
// record (oldest first; the last 256 are kept) when the pointers are not
// NULL and the index is in range; returns how many records there are, -1
// for a window the host does not record.
LONG HOSTAPI HostRecordedMessage(HWND window, LONG index, UINT* message, WPARAM* wParam,
                                 LPARAM* lParam);
// How many times `message` was recorded for the window; -1 as above.
LONG HOSTAPI HostMessageCount(HWND window, UINT message);
// Forgets the window's records.
BOOL HOSTAPI HostClearMessages(HWND window);

// Test only: the log of observable host events (one line each, '\n'
// after each): copies at most size - 1 bytes and a terminator, returns the
// full length.
LONG HOSTAPI HostTestLog(LPSTR buffer, LONG size);
void HOSTAPI HostTestClearLog(void);

#ifdef __cplusplus
}
#endif
