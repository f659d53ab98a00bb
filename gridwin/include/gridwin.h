// gridwin.dll: the table window, as a host drives it.
//
// A host creates a window of class "Halvik:Table" (top-level or child) or
// "Halvik:ChildTable" with a TableCreateParams record as creation data,
// installs its callbacks with TBLM_SETHOOK, activates the table, sets the row
// range and answers row fetches by setting the cells of the context row.
// Everything else happens through the messages below; the table reports back
// with WM_COMMAND notifications to its parent (or hook slot 10).
//
// Calling convention of every callback: __stdcall, every argument 32 bits
// wide, in the order given at each typedef. The pre-filter (slots 1 and 6)
// writes its result through an LRESULT* and returns non-zero to end the
// processing of the message.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// ---------------------------------------------------------------------------
// Window classes and exports

#define TBL_CLASS "Halvik:Table"
#define TBL_CHILD_CLASS "Halvik:ChildTable"

// Class marks in the first four class extra bytes.
#define TBL_TABLE_CLASS_MARK 0x54414C57
#define TBL_COLUMN_CLASS_MARK 0x434F4C57

// 1 for a table window, 2 for a column window, 0 otherwise.
WORD __stdcall TblIsWindowOfTable(HWND window);
// 1 when the library registered "Halvik:Table" at load, else 0. Exported
// under its decorated name "_TblInitTableDLL@0".
BOOL __stdcall TblInitTableDLL(void);

// Column windows have control identifiers from here on.
#define TBL_COLUMN_ID_BASE 0x8000

// ---------------------------------------------------------------------------
// Row numbers

#define TBL_SPLIT_ROW_BASE ((LONG)0x8000EA72)
#define TBL_ROW_NONE ((LONG)0x8000EA70)
#define TBL_SPLIT_ROW_EMPTY ((LONG)0x8000EA71)
#define TBL_ROW_END ((LONG)0x7FFF1590)
#define TBL_ROW_SCRATCH ((LONG)0x80000000)

// Row flags (TBLM_QUERYROWFLAGS, TBLM_SETROWFLAGS, TBLM_FINDNEXTROW).
#define TBL_ROW_PRESENT 0x0001
#define TBL_ROW_SELECTED 0x0002
#define TBL_ROW_EDITED 0x0004
#define TBL_ROW_NEW 0x0008
#define TBL_ROW_COLORED 0x1000
#define TBL_ROW_HIDDEN 0x2000
#define TBL_ROW_KEEPSELECTION 0x4000
#define TBL_ROW_TRANSIENT 0x8000

// ---------------------------------------------------------------------------
// Creation records: packed, little-endian.

#pragma pack(push, 1)
typedef struct ColumnCreateInfo {
  LONG width;
  LONG maxDataLength;
  DWORD columnFlags;
  BYTE dataType;          // 0 text, 1 counted value
  const char* title;
  LONG formX, formY;
  LONG valueDataLength;
  const void* valueData;
  DWORD extra1, extra2;
  LONG cellKind;          // 0..5
  DWORD extra3;
  BYTE formatKind;
  LONG formatLength;
  const void* formatData;
} ColumnCreateInfo;       // 58 bytes

typedef struct TableCreateParams {
  LONG columnCount;
  LONG rowCacheLimit;     // 0: 100 row buffers
  WORD viewType;          // 0 none, 1 list, 2/3/4 form
  LONG linesPerRow;       // 0 means 1
  DWORD createFlags;      // TBLC_ bits
  HFONT font;
  WORD displayFlags;
  LONG rowHeaderWidth;
  WORD rowHeaderColumn;
  const char* title;
  void* validateHook;     // slot 20
  BYTE unused[8];
  void* allocHook;        // slot 17
  void* reallocHook;      // slot 18
  // ColumnCreateInfo columns[columnCount] follow.
} TableCreateParams;      // 54 bytes
#pragma pack(pop)

// Table style bits (low word of the window style).
#define TBLS_MDICHILD 0x0001
#define TBLS_DEFAULTS 0x4000

// createFlags of TableCreateParams (besides the TBLF_ equivalents).
#define TBLC_TITLETOGGLE 0x00000001  // title double-click toggles column flag 0x20
#define TBLC_DISCARD 0x00000010
#define TBLC_ACTIVATE 0x00000008
#define TBLC_COUNTDISCARDABLE 0x00002000
#define TBLC_REVERSECOLUMNS 0x00800000
#define TBLC_STATE8000 0x01000000

// View types.
#define TBL_VIEW_NONE 0
#define TBL_VIEW_LIST 1

// Display flags (TBLM_SETDISPLAYFLAGS, low 6 bits).
#define TBLD_ROWHEADERVALUE 0x02
#define TBLD_ROWHEADERSIZE 0x04
#define TBLD_ROWHEADER 0x08
#define TBLD_ROWHEIGHTDRAG 0x20

// Public table flags (TBLM_SETFLAGS / TBLM_QUERYFLAGS).
#define TBLF_COLRESIZE 0x0001
#define TBLF_COLMOVE 0x0002
#define TBLF_COLSELECT 0x0080
#define TBLF_SPLITDRAG 0x0020
#define TBLF_SELECTFOLLOWSFOCUS 0x1000

// Column flags (the ones the table itself acts on).
#define TBLCF_VISIBLE 0x00000001
#define TBLCF_EDITABLE 0x00000002
#define TBLCF_SELECTED 0x00000004
#define TBLCF_UPPERCASE 0x00000400
#define TBLCF_LOWERCASE 0x00000800

// ---------------------------------------------------------------------------
// Table messages. Columns are given by index (0..n-1) or identifier
// (0x8000 + index).

#define TBLM_SETHOOK 1035
#define TBLM_CLEARSELECTION 1036
#define TBLM_DELETEROW 1037
#define TBLM_FETCHROW 1038
#define TBLM_FINDNEXTROW 1039
#define TBLM_FINDPREVROW 1040
#define TBLM_INSERTROW 1041
#define TBLM_COMMIT 1042
#define TBLM_HIDEFOCUS 1043
#define TBLM_INVALIDATEROWS 1044
#define TBLM_GETCONTEXTROW 1045
#define TBLM_GETFOCUS 1046
#define TBLM_QUERYROWFLAGS 1047
#define TBLM_GETROWRANGE 1048
#define TBLM_RESETROWS 1049
#define TBLM_GETVISIBLERANGE 1050
#define TBLM_SCROLLTOROW 1051
#define TBLM_SETCONTEXTROWDATA 1052
#define TBLM_SETCONTEXTROW 1053
#define TBLM_SETFOCUSCELL 1054
#define TBLM_SETFOCUSROW 1055
#define TBLM_SETROWFLAGS 1056
#define TBLM_SETRANGE 1057
#define TBLM_DEBUG 1058
#define TBLM_ACTIVATE 1059
#define TBLM_ISACTIVE 1060
#define TBLM_RECREATE 1061
#define TBLM_SETCELLTEXT 1062
#define TBLM_GETCOLUMNWINDOW 1063
#define TBLM_GETCELLTEXT 1064
#define TBLM_GETROWCELLTEXT 1065
#define TBLM_GETDATATYPE 1066
#define TBLM_GETWIDTH 1067
#define TBLM_SETCACHE 1068
#define TBLM_GETPOSITION 1069
#define TBLM_SETPOSITION 1070
#define TBLM_SETWIDTH 1071
#define TBLM_GETCOLUMNCOUNT 1072
#define TBLM_QUERYCOLFLAGS 1073
#define TBLM_SETCOLFLAGS 1074
#define TBLM_ADDCOLUMN 1075
#define TBLM_GETCOLUMNATPOSITION 1076
#define TBLM_VIEWCOLUMNQUERY 1077
#define TBLM_GETMETRICS 1078
#define TBLM_SETHOSTWORD 1079
#define TBLM_GETROWCELLTEXTLENGTH 1080
#define TBLM_GETCELLTEXTLENGTH 1081
#define TBLM_INVALIDATEROWHEADERS 1082
#define TBLM_SETCELLDATA 1083
#define TBLM_GETROWCELLDATA 1084
#define TBLM_GETCELLDATA 1085
#define TBLM_GETROWCELLDATALENGTH 1086
#define TBLM_GETCELLDATALENGTH 1087
#define TBLM_SETSPLIT 1088
#define TBLM_RECOUNT 1089
#define TBLM_SETCACHECOUNTMODE 1090
#define TBLM_SETMAXLENGTH 1091
#define TBLM_SETCELLCOLOR 1092
#define TBLM_GETCELLCOLOR 1093
#define TBLM_SETFLAGS 1094
#define TBLM_QUERYFLAGS 1095
#define TBLM_GETHOOK 1096
#define TBLM_GETVISIBLEROWCOUNT 1097
#define TBLM_SETDISPLAYFLAGS 1098
#define TBLM_SETROWHEADERWIDTH 1099
#define TBLM_SETROWHEADERCOLUMN 1100
#define TBLM_QUERYDISPLAYFLAGS 1101
#define TBLM_GETROWHEADERWIDTH 1102
#define TBLM_GETROWHEADERCOLUMN 1103
#define TBLM_SETTITLE 1104
#define TBLM_GETTITLE 1105
#define TBLM_GETTITLELENGTH 1106
#define TBLM_SETLOCKEDCOUNT 1107
#define TBLM_GETLOCKEDCOUNT 1108
#define TBLM_SETFILLCHAR 1109
#define TBLM_GETFILLCHAR 1110
#define TBLM_GETSCROLLPOS 1111
#define TBLM_GETFOCUSROW 1112
#define TBLM_SYNCSPLIT 1113
#define TBLM_ISRANGEOPEN 1114
#define TBLM_GETMAXLENGTH 1115
#define TBLM_GETLASTROW 1116
#define TBLM_SETVIEW 1117
#define TBLM_GETVIEW 1118
#define TBLM_GETVALIDATERESULT 1119
#define TBLM_FETCHSCRATCH 1120
#define TBLM_PROCESSREFETCH 1121
#define TBLM_RESET 1122
#define TBLM_SETFORMPOS 1123
#define TBLM_GETFORMPOS 1124
#define TBLM_QUERYSTATE1 1125
#define TBLM_DEFINERADIOGROUP 1126
#define TBLM_DEFINECHECKBOX 1127
#define TBLM_GETCELLTYPEDATALENGTH 1128
#define TBLM_GETCELLTYPEDATA 1129
#define TBLM_GETCELLTYPEEXTRA 1130
#define TBLM_SETCELLTYPE 1131
#define TBLM_SWAPROWS 1132
#define TBLM_GETFOCUSCHANGEWINDOW 1133
#define TBLM_GETFOCUSPARTNER 1134
#define TBLM_CREATEROWSTORE 1135
#define TBLM_QUERYSTATE3 1136
#define TBLM_PEEKROWCELLDATA 1137
#define TBLM_GETPENDINGROW 1138
#define TBLM_MOVECOLUMN 1139
#define TBLM_QUERYSTATE5 1140
#define TBLM_SETCOLSTATE 1141
#define TBLM_QUERYCOLSTATE 1142
#define TBLM_GETDROPDOWN 1143
#define TBLM_SETLINESPERROW 1144
#define TBLM_GETLINESPERROW 1145
#define TBLM_SETCELLKIND 1146
#define TBLM_GETCELLKIND 1147
#define TBLM_SETHOSTDROPDOWN 1148
#define TBLM_GETCOLEXTRA 1149
#define TBLM_SETCOLEXTRA 1150
#define TBLM_QUERYSTATE4 1151
#define TBLM_REPOSITION 1152
#define TBLM_SETFORMAT 1153
#define TBLM_GETFORMAT 1154
#define TBLM_GETFORMATLENGTH 1155
#define TBLM_VIEWMSG1 1156
#define TBLM_VIEWMSG2 1157

// Message argument records (lParam points to one).
typedef struct TBLROWPAIR { LONG first, last; } TBLROWPAIR;            // 1044, 1057, 1132
typedef struct TBLDELETEROW { LONG row; LONG notify; } TBLDELETEROW;   // 1037
typedef struct TBLFINDROW { LONG row; WORD wanted; WORD excluded; } TBLFINDROW; // 1039/1040
typedef struct TBLFOCUS { LONG row; HWND column; } TBLFOCUS;           // 1046
typedef struct TBLROWRANGE { LONG top, first, last, visible; } TBLROWRANGE; // 1048
typedef struct TBLVISIBLERANGE { LONG ignored, first, last; } TBLVISIBLERANGE; // 1050
typedef struct TBLSCROLLTO { LONG row; HWND column; } TBLSCROLLTO;     // 1051
typedef struct TBLFOCUSCELL { LONG row; LONG column; LONG selStart, selEnd; } TBLFOCUSCELL; // 1054
typedef struct TBLSETROWFLAGS { LONG row; LONG set; } TBLSETROWFLAGS;  // 1056
typedef struct TBLCELLTEXT { LONG row; LONG column; char* buffer; LONG size; } TBLCELLTEXT; // 1064/1065
typedef struct TBLCELLDATA { const void* data; LONG length; } TBLCELLDATA; // 1083, 1153
typedef struct TBLBUFFER { void* buffer; LONG size; } TBLBUFFER;       // 1154
typedef struct TBLCELLTYPE { LONG dataLength; const void* data; DWORD typeFlags; DWORD extra1; } TBLCELLTYPE; // 1131
typedef struct TBLMETRICS { LONG unused, rowHeight, charWidth, charHeight, cxBorder, cyBorder, halfCharWidth, twoCxBorder; } TBLMETRICS; // 1078
#pragma pack(push, 1)
typedef struct TBLROWCELLDATA { LONG row; WORD column; void* buffer; LONG size; } TBLROWCELLDATA; // 1084/1085/1137
#pragma pack(pop)

// WM_USER (row fetch) and WM_USER + 1 (drop-down list) to the parent when
// slots 9 / 19 are empty: wParam the control id, lParam one of these.
typedef struct TBLFETCHREQUEST { HWND table; LONG row; } TBLFETCHREQUEST;

// ---------------------------------------------------------------------------
// Notifications: WM_COMMAND(MAKELONG(column id or -1, code), table) to the
// parent, or hook slot 10 with the full values.

#define TBLN_SETFOCUS 0x700
#define TBLN_KILLFOCUS 0x701
#define TBLN_CELLEDITED 0x702
#define TBLN_CELLSTORED 0x703
#define TBLN_ERROR 0x704
#define TBLN_SELCHANGE 0x708
#define TBLN_DBLCLK 0x709
#define TBLN_DESTROY 0x70A
#define TBLN_CACHEFULL 0x70B
#define TBLN_COLRESIZED 0x70C
#define TBLN_COLMOVED 0x70D
#define TBLN_COLFLAGSET 0x70E
#define TBLN_COLTOGGLED 0x711
#define TBLN_COLFLAGCLEARED 0x712
#define TBLN_ROWEDITED 0x713
#define TBLN_COMMITTED 0x714
#define TBLN_EDITSELCHANGE 0x715
#define TBLN_TITLEDBLCLK 0x716
#define TBLN_ROWHEADERCLICK 0x717
#define TBLN_FOCUSDBLCLK 0x718
#define TBLN_CORNERCLICK 0x719
#define TBLN_CORNERDBLCLK 0x720
#define TBLN_COLSELCHANGE 0x721
#define TBLN_TITLERCLICK 0x722
#define TBLN_RCLICK 0x723
#define TBLN_CORNERRCLICK 0x724
#define TBLN_FOCUSROWCHANGED 0x726
#define TBLN_CELLTYPECHANGED 0x727
#define TBLN_ROWDISCARDED 0x728
#define TBLN_DROPDOWNSELECT 0x729
#define TBLN_LINESCHANGED 0x72A

// ---------------------------------------------------------------------------
// Hook slots (TBLM_SETHOOK / TBLM_GETHOOK; 13 and 14 do not exist).

#define TBLH_AFTERPAINT 0
#define TBLH_PREFILTER 1
#define TBLH_INITMENUPOPUP 2
#define TBLH_PAINTICON 3
#define TBLH_MENUSELECT 4
#define TBLH_SYSCOMMAND 5
#define TBLH_PREFILTERINACTIVE 6
#define TBLH_COLUMNDESTROYED 7
#define TBLH_CELLCOLOR 8
#define TBLH_FETCHROW 9
#define TBLH_NOTIFY 10
#define TBLH_VIEW 11
#define TBLH_DEFPROC 12
#define TBLH_ALLOC 17
#define TBLH_REALLOC 18
#define TBLH_DROPDOWNLIST 19
#define TBLH_VALIDATE 20
#define TBLH_ROWHEADERPAINT 22
#define TBLH_RANGESIZE 24
#define TBLH_CELLBRUSH 26
#define TBLH_BUSY 28
#define TBL_HOOK_SLOTS 30

// Slot 0: after each paint.
typedef void(__stdcall* TblAfterPaintHook)(HDC hdc, HWND table, HDC hdcAgain);
// Slots 1 and 6: every message (1 while active, 6 while not). Non-zero
// ends processing with *result.
typedef LRESULT(__stdcall* TblPreFilterHook)(LRESULT* result, HWND window, UINT msg, WPARAM wParam,
                                             LPARAM lParam);
// Slots 2-5 (WM_INITMENUPOPUP, WM_PAINTICON, WM_MENUSELECT, WM_SYSCOMMAND)
// and 12 (default window procedure): the message's own arguments. Slot 5:
// non-zero consumes the command.
typedef LRESULT(__stdcall* TblMessageHook)(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Slot 7: a column window is being destroyed (msg is WM_DESTROY).
typedef void(__stdcall* TblColumnDestroyedHook)(UINT msg, HWND column, LPARAM zero);
// Slot 8: non-zero takes the DC's text colour as the cell colour.
typedef BOOL(__stdcall* TblCellColorHook)(HWND table, HDC hdc);
// Slot 9: fetch a row (set the context row's cells); 1 fetched, 2 no such
// row, 0 failure. TBLM_FETCHSCRATCH passes its own argument as row.
typedef LRESULT(__stdcall* TblFetchHook)(UINT id, HWND table, LONG row);
// Slot 10: a notification; idOrRow is the column id, -1, or the row number
// for TBLN_ROWDISCARDED.
typedef void(__stdcall* TblNotifyHook)(HWND table, UINT code, LONG idOrRow);
// Slots 17 and 18: memory for the table's own blocks.
typedef void*(__stdcall* TblAllocHook)(DWORD size);
typedef void*(__stdcall* TblReallocHook)(void* block, DWORD size);
// Slot 20: the focus leaves (oldRow, oldColumnId) for (newRow, newColumnId);
// -1 for none, column 0 with a row for the row alone. 0 refuse, 1 accept,
// 2 accept and clear the editor's modified state, 3 as 2 and end the edit.
typedef LRESULT(__stdcall* TblValidateHook)(HWND table, LONG oldRow, LONG oldColumn, LONG newRow,
                                            LONG newColumn);
// Slot 22: paints a row header (after the table painted the header).
typedef void(__stdcall* TblRowHeaderPaintHook)(HWND table, HDC hdc, LONG row, DWORD rowFlags,
                                               const RECT* rect);
// Slot 24: rows of an open-ended range, negative when unknown.
typedef LONG(__stdcall* TblRangeSizeHook)(HWND table);
// Slot 26: the brush for a cell being edited (NULL: the window brush).
typedef HBRUSH(__stdcall* TblCellBrushHook)(HWND table, HDC hdc, HWND column);
// Slot 28: non-zero defers the fetch (the row goes on the pending list).
typedef BOOL(__stdcall* TblBusyHook)(void);

#ifdef __cplusplus
}
#endif
