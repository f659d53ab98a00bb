// Basic integer types of the framework. The archive, collection and
// exception core include no windows.h, so the names are declared here the
// way windows.h declares them (identical typedefs may be repeated).
#pragma once
#include <cstddef>
#include <cstdint>

typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned int UINT;
typedef int BOOL;
#ifdef _WIN32
typedef unsigned long DWORD;
typedef long LONG;
#else
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
#endif
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// An opaque iteration position of a collection.
typedef struct FwPositionTag* POSITION;
