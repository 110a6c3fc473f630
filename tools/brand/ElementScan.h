#pragma once
// The elements a settings text holds that the program never reads, found by comparing
// every open tag in the text with the reader's trace.

#include "brand/UBrandSettingsReader.h"

#include <string>
#include <string_view>
#include <vector>

// One message per element never read (out of reading order, repeated, after a gap in its
// list, beyond the sixteenth, without its close tag, unknown), in the order of the text.
std::vector<std::string> ElementsNeverRead(std::string_view working, const std::vector<TElementRead>& reads);
