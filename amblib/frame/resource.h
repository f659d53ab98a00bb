// Resource ids of amblib.dll, shared by the resource script and the code.
#pragma once

// Strings.
#define IDS_VersionKey 1            // query key of "FileVersion"
#define IDS_CopyrightKey 2          // query key of "LegalCopyright"
#define IDS_PropertiesCommand 3     // " Properties..."
#define IDS_MonthFirst 16           // "January" .. "December" are 16..27
#define IDS_WeekdayFirst 32         // "Sunday" .. "Saturday" are 32..38
#define IDS_NullInstance 48         // message box text for a NULL control pointer
#define IDS_NoPictureFormat 51      // debug text of a picture load without format
#define IDS_OtherColor 80           // fixed palette menu entry
#define IDS_FailureFirst 128        // failure texts of the framed exports: 128..197
#define IDS_FailureLast 197

// The error-recovery dialog.
#define IDD_ErrorRecovery 201
#define IDC_RecoveryText 101
#define IDC_RecoveryIcon 202
#define IDC_RecoveryRetry 203
#define IDC_RecoveryHalt 204
