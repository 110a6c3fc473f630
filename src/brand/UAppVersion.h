#pragma once
// The program's version: shown in the caption and the about window, compared by the update check.

#include <string_view>

inline constexpr std::string_view AppVersion = "2.0";
