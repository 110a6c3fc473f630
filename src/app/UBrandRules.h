#pragma once
// What the branding values make of the main window: its caption, the news button, the
// "Make Money" caption and the banner picture's format. No widgets, so that the rules are
// shared with the settings reader and its check tool.

#include "app/UBrandSettings.h"

#include <string>
#include <string_view>

// The program's version, shown in the caption and the about window.
inline constexpr std::string_view AppVersion = "2.0";

// ApplicationName + " v" + AppVersion; empty without a name, and the window then keeps its
// built-in caption.
std::string BrandedCaption(const TBrandSettings& settings);

// The news button shows for an edition whose publisher id and news address are both set;
// "Free" uses the "Master" values. The edition is compared exactly.
bool NewsButtonVisible(const TBrandSettings& settings);

// MakeMoneyButton, or "Make Money" when it is empty.
std::string MakeMoneyCaption(const TBrandSettings& settings);

enum class TBannerFormat { Unknown, Gif, Bitmap, Icon, Jpeg, Wmf, Emf };

// The format the banner's image name names, by its file-name part (the text after its last
// backslash or colon): GIF when it holds ".gif" anywhere, else by its extension; letter
// case does not matter.
TBannerFormat BannerFormat(std::string_view imageName);
