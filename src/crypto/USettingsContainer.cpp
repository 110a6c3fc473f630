#include "crypto/USettingsContainer.h"

#include "crypto/Encryption.h"

#include <sstream>

TCryptFailure DecryptSettings(std::string_view container, std::string& plain)
{
    std::istringstream source{std::string(container)};
    std::ostringstream destination;
    TCrypt crypt(SettingsPassphrase, SettingsBufferSize);
    const bool matched = crypt.DecryptStream(source, &destination, static_cast<std::int64_t>(container.size()));
    plain = std::move(destination).str();
    return matched ? TCryptFailure::None : crypt.Failure();
}

TCryptFailure EncryptSettings(std::string_view plain, std::string& container)
{
    std::istringstream source{std::string(plain)};
    std::ostringstream destination;
    TEncryption encryption(SettingsPassphrase, SettingsBufferSize);
    const bool written = encryption.EncryptStream(source, destination);
    container = std::move(destination).str();
    return written ? TCryptFailure::None : encryption.Failure();
}
