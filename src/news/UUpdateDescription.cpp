#include "news/UUpdateDescription.h"

#include "common/UAsciiText.h"
#include "common/UIniText.h"

#include <cctype>
#include <charconv>
#include <cmath>

std::string AnnouncedVersion(std::string_view description)
{
    return ReadIniValue(description, "APPLICATION", "Version");
}

double ReadVersionNumber(std::string_view text)
{
    text = TrimSpacesAndTabs(text);
    // A version is a few characters; a long one is read by no one and would only end up
    // in the question, stalling its layout.
    if (text.size() > MaxVersionLength)
        return 0;
    // from_chars follows no locale; it takes no "+" and reads "inf" and "nan", which are no
    // version numbers.
    const std::string_view number = text.starts_with('+') ? text.substr(1) : text;
    const std::string_view unsignedPart = number.starts_with('-') && !text.starts_with('+') ? number.substr(1) : number;
    if (unsignedPart.empty() ||
        !(std::isdigit(static_cast<unsigned char>(unsignedPart.front())) || unsignedPart.front() == '.'))
        return 0;
    double value = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    return error == std::errc() && end == number.data() + number.size() && std::isfinite(value) ? value : 0;
}

bool IsNewerVersion(std::string_view announced, std::string_view own)
{
    const float announcedValue = static_cast<float>(ReadVersionNumber(announced));
    return static_cast<double>(announcedValue) > ReadVersionNumber(own);
}

std::string UpdateOfferQuestion(std::string_view announced)
{
    return "There is a new update: (version " + std::string(announced) +
        ") available for your application!. Do you want download this update now?";
}
