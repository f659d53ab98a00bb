// The library's string resources and its two message boxes.
#pragma once
#include "core/profile.h"

#include <windows.h>

#include <string>

namespace dbcaps {

extern HINSTANCE gInstance;

// String resource `id`, or "" when there is none.
std::string loadText(int id, int capacity = 512);
// Loads a server string into its 50-byte field; a longer one is refused
// with a message box and leaves the field empty.
void loadServerString(int id, char (&field)[kStringSize]);
// The profile key names of flags, numbers and server strings.
const KeyNames& keyNames();
// The box for a profile string that does not fit its 50-byte field.
void reportProfileStringTooLong();

} // namespace dbcaps
