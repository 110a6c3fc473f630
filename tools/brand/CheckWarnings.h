#pragma once
// taskwren-brand check: what a settings file holds that the program reads without a word
// but that fails later, on the user's screen.

#include "brand/UBrandSettings.h"

#include <iosfwd>
#include <string_view>

// Which encoding the decrypted text is in; a warning when it is UTF-8, which the program
// shows as Windows-1252 ("CafÃ©").
void ReportEncoding(std::string_view plain, std::ostream& out);

// Warns of news addresses the transport refuses, banner formats the program does not show,
// the Free edition's news button and welcome pages that refer to local files. True when the
// program will certainly fail: the edition's own news address is refused, so every news
// request fails (reported as an error).
bool ReportPitfalls(const TBrandSettings& settings, std::ostream& out);
