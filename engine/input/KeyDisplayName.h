#pragma once

#include <cstdint>
#include <string>

// The label of a binding shown in the menus: device 0 names keyboard codes
// (PC set-1 scancodes, upper case), device 1 names pad codes ("{A}", "{RT}",
// ...). Code 0 gives the empty string; a code without a name gives "??".
std::string GetKeyDisplayName(uint32_t code, int32_t direction, int device);

// The keyboard label as stored in the key-name table, before the upper-case
// conversion; null for a code without an entry.
const char* FindKeyName(uint32_t code);
// Number of entries of the key-name table.
int KeyNameCount();
