// Resource ids of the framework tests.
#pragma once
#define IDS_GREETING 1
#define IDS_FORMAT1 2
#define IDS_FORMAT2 3
#define IDS_PAGE_FIRST 4

#define IDD_RECORD 100
#define IDC_CHECK 101
#define IDC_RADIO_A 102
#define IDC_RADIO_B 103
#define IDC_RADIO_C 104
#define IDC_TEXT 105
#define IDC_NUMBER 106
#define IDC_AFTER 107

#define IDD_PAGE1 201
#define IDD_PAGE2 202
#define IDD_PAGE3 203
#define IDC_PAGE_CHECK 210
