#pragma once
// The publisher's plain settings file and the Windows-1252 text the program reads from the
// container. Editors save UTF-8, so the tool converts between the two.

#include <optional>
#include <string>
#include <string_view>

// The text to seal from the bytes of a plain settings file. Well-formed UTF-8 holding a
// character beyond ASCII (a leading byte order mark dropped) is converted to Windows-1252;
// anything else is taken as Windows-1252 already, byte for byte. None when a character has
// no Windows-1252 byte; `refusal` then says which, with its line and column.
std::optional<std::string> TextToSeal(std::string_view plainFile, std::string& refusal);
