// String resources of trxshare.dll.
#pragma once

#define IDS_ERROR_CAPTION 4096      // "SQLTrx Error"
#define IDS_NO_GLOBAL_MEMORY 4097   // "Global memory allocation failed!"
#define IDS_NOTE_CAPTION 4098       // "SQLTrx Note"

// Statement templates: "%%" marks a value, filled in order.
#define IDS_CATALOG_COLUMNS 20000
#define IDS_CATALOG_UNIQUE_INDEXES 20001
#define IDS_CATALOG_KEY_WITH_CREATOR 20002
#define IDS_CATALOG_KEY 20003
#define IDS_JOINS 20004
#define IDS_JOINS_OF_PAIR 20005
#define IDS_PRIMARY_KEY_COLUMNS 20006
#define IDS_DATABASE_NO 20007
#define IDS_NEWEST_VERSION_DATE 20008
#define IDS_VERSION_CODE 20009
#define IDS_CATALOG_UNIQUE_INDEXES_ANY_CREATOR 20010
