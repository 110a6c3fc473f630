#pragma once
// taskwren-brand check: reports a settings file as the program reads it.

#include <iosfwd>
#include <optional>
#include <string>

inline constexpr int CheckAllRead = 0;
inline constexpr int CheckSomethingLost = 1;

// Reports every value in reading order, the elements the program never reads and the
// warnings on `out`. CheckSomethingLost when an element is never read, the container is
// missing or fails, or the program will certainly fail; else CheckAllRead. `bannerFolder`:
// where the banner files should lie.
int CheckSettings(const std::string& settingsPath, const std::optional<std::string>& bannerFolder, std::ostream& out);
