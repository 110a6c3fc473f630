#pragma once
// What the branding values make of the main window. Without a settings file (Loaded false)
// each rule gives the window's built-in state.

#include "brand/UBrandSettings.h"

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view BuiltInCaption = "Taskwren";

// The most a publisher's file (the settings, a banner, the skin, the icon) may hold; a
// larger one is refused unread, like a missing one. Real ones hold kilobytes.
inline constexpr std::size_t MaxBrandingFileBytes = 16 * 1024 * 1024;

// ApplicationName + " v" + AppVersion; the built-in caption when the name is empty.
std::string WindowCaption(const TBrandSettings& settings);

// True for "Master", "Platinum", "Gold" and "Free", compared exactly.
bool IsKnownEdition(std::string_view branderType);

// Whether the news button shows: the edition's publisher id and news address are both set
// ("Free" uses the "Master" ones). Shown without a settings file.
bool NewsButtonShown(const TBrandSettings& settings);

// MakeMoneyButton, or "Make Money" when it is empty.
std::string MakeMoneyCaption(const TBrandSettings& settings);

enum class TBannerFormat { Unknown, Gif, Bitmap, Icon, Jpeg, Wmf, Emf };

// The format the banner's image name names, by its file-name part (the text after its last
// backslash or colon): GIF when it holds ".gif" anywhere, else by its extension; letter
// case does not matter.
TBannerFormat BannerFormat(std::string_view imageName);
