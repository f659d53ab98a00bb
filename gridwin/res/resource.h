// Resource identifiers of gridwin.dll. The numbers are part of the
// library's contract: hosts load these by number.
#pragma once

#define IDI_TABLE 10001

#define IDC_COLSIZE 10001
#define IDC_EDITBEAM 10002
#define IDC_COLMOVE 10005
#define IDC_HDRSIZE 10006
#define IDC_SPLIT 10007
#define IDC_SPLITDRAG 10008
#define IDC_ROWSIZE 10009
#define IDC_DATACELL 10010
#define IDC_ROWSELECT 10011

#define IDB_PATTERN 10001
#define IDB_DROPDOWN 10002
#define IDB_CHECK 10003
