#include "crypto/UUtilsCrypt.h"

#include "crypto/USettingsContainer.h"
#include "crypto/AesLib.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace {

[[noreturn]] void ThrowOpenError(const char* what, const std::string& path)
{
    throw std::system_error(errno, std::generic_category(), std::string(what) + " \"" + path + "\"");
}

std::ifstream OpenSource(const std::string& path)
{
    std::ifstream source(path, std::ios::binary);
    if (!source.is_open())
        ThrowOpenError("cannot open", path);
    return source;
}

std::ofstream CreateDestination(const std::string& path)
{
    std::ofstream destination(path, std::ios::binary | std::ios::trunc);
    if (!destination.is_open())
        ThrowOpenError("cannot create", path);
    return destination;
}

// Closing flushes the last buffered bytes, which may fail on a full disk.
bool Close(std::ofstream& destination)
{
    destination.close();
    return !destination.fail();
}

} // namespace

bool DecryptFile(const std::string& sourcePath, const std::string& destinationPath)
{
    std::ifstream source = OpenSource(sourcePath);
    source.seekg(0, std::ios::end);
    const std::int64_t length = source.tellg();
    source.seekg(0, std::ios::beg);
    std::ofstream destination = CreateDestination(destinationPath);
    TEncryption encryption(SettingsPassphrase, SettingsBufferSize);
    const bool matched = length >= 0 && encryption.DecryptStream(source, &destination, length);
    return Close(destination) && matched;
}

bool EncryptFile(const std::string& sourcePath, const std::string& destinationPath)
{
    std::ifstream source = OpenSource(sourcePath);
    std::ofstream destination = CreateDestination(destinationPath);
    TEncryption encryption(SettingsPassphrase, SettingsBufferSize);
    const bool written = encryption.EncryptStream(source, destination);
    return Close(destination) && written;
}
