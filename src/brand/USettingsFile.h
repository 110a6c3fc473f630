#pragma once
// The publisher's settings file in the program folder: read and decrypted in memory, so no
// plain copy of it is ever written to disk.

#include "brand/UBrandSettings.h"
#include "crypto/CryptFailure.h"

#include <optional>
#include <string>
#include <string_view>

class TProgramFolder;
class TRandomSource;

inline constexpr std::string_view SettingsFileName = "dbsettings.dat";
// The plain copy earlier versions decrypted into; removed wherever it is found.
inline constexpr std::string_view PlainCopyName = "dbsettings.sim";

struct TSettingsText {
    std::string Plain; // empty when the verifier failed; the decrypted bytes when the code failed
    TCryptFailure Failure = TCryptFailure::None; // Read also for a file that cannot be read
};

// The decrypted settings text; none when there is no settings file. Removes a leftover
// plain copy first. A settings file that is no regular file or cannot be read gives an
// empty text with the failure Read.
std::optional<TSettingsText> ReadSettingsText(const TProgramFolder& folder);

// The branding of this copy with its entries chosen; Loaded false without a settings
// file. A file that fails its container is read as far as it decrypted, like the
// program always did: a wrong verifier gives no values at all.
TBrandSettings LoadBrandSettings(const TProgramFolder& folder, TRandomSource& random);
