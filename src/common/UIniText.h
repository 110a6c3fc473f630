#pragma once
// Reads one value of an initialisation file held in memory: "[section]" lines and
// "key=value" lines, split at CR LF, CR or LF.

#include <string>
#include <string_view>

// The value of `key` in the first section named `section`: section and key names compared
// without regard to ASCII letter case, blanks around names and value removed, then one pair
// of matching surrounding quotes (" or '). Empty when the section or key is missing.
// Lines starting with ";" or "#" are comments; a leading UTF-8 byte order mark is skipped.
std::string ReadIniValue(std::string_view text, std::string_view section, std::string_view key);
