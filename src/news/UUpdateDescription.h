#pragma once
// What the update check makes of the update description "mainappupdate.inf": the announced
// version, whether it is newer than the program's, and the texts it shows.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view UpdateDescriptionName = "mainappupdate.inf";
inline constexpr std::string_view UpdaterName = "Updater.exe";

// The "Version" text of section "APPLICATION", as written; empty when missing.
std::string AnnouncedVersion(std::string_view description);

// The longest version text that reads as a number, blanks around it not counted.
inline constexpr std::size_t MaxVersionLength = 32;

// A decimal number with a point as its separator, whatever the user's locale: an optional
// sign, digits with at most one point, an optional exponent, blanks around. Any other text,
// the empty text and one longer than MaxVersionLength included, reads as 0.
double ReadVersionNumber(std::string_view text);

// True when the announced version, rounded to single precision, is higher than `own`.
bool IsNewerVersion(std::string_view announced, std::string_view own);

// The question that offers the update, naming the version exactly as announced.
std::string UpdateOfferQuestion(std::string_view announced);
