#include "crypto/Crypt.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <ostream>
#include <utility>

namespace {

constexpr std::uint32_t MaxSaltLength = 16;

std::int32_t ModeFor(std::size_t passphraseLength)
{
    return passphraseLength < 32 ? 1 : passphraseLength < 48 ? 2 : 3;
}

} // namespace

std::int64_t TCrypt::ReadSome(std::istream& source, std::uint8_t* buffer, std::uint32_t count)
{
    try {
        source.read(reinterpret_cast<char*>(buffer), count);
    } catch (...) {
        return -1;
    }
    // End of data sets eofbit and failbit together; failbit alone or badbit is a failed read.
    if (source.bad() || (source.fail() && !source.eof()))
        return -1;
    return source.gcount();
}

bool TCrypt::ReadExactly(std::istream& source, std::uint8_t* buffer, std::uint32_t count)
{
    return ReadSome(source, buffer, count) == count;
}

bool TCrypt::WriteAll(std::ostream& destination, const std::uint8_t* buffer, std::uint32_t count)
{
    try {
        destination.write(reinterpret_cast<const char*>(buffer), count);
    } catch (...) {
        return false;
    }
    return destination.good();
}

TCrypt::TCrypt(std::string passphrase, std::uint32_t bufferSize)
    : KeyMode(ModeFor(passphrase.size()))
    , CipherContext()
    , Passphrase(std::move(passphrase))
    , BufferSize(std::max<std::uint32_t>(bufferSize, 1))
    , Buffer(new std::uint8_t[BufferSize])
{
}

TCrypt::~TCrypt() = default;

bool TCrypt::InitCipher(const std::uint8_t* salt, std::uint8_t* verifier)
{
    // FileCipherInit refuses a passphrase over 128 bytes; its code alone decides.
    return FileCipherInit(KeyMode, reinterpret_cast<const std::uint8_t*>(Passphrase.data()),
                          static_cast<std::uint32_t>(Passphrase.size()), salt, verifier, CipherContext) == 0;
}

bool TCrypt::ReadHeader(std::istream& source)
{
    std::uint8_t salt[MaxSaltLength];
    std::uint8_t derived[FileCipherVerifierLength];
    std::uint8_t stored[FileCipherVerifierLength];
    if (!ReadExactly(source, salt, SaltLength()))
        return Fail(TCryptFailure::Read);
    if (!InitCipher(salt, derived))
        return Fail(TCryptFailure::Refused);
    if (!ReadExactly(source, stored, sizeof stored))
        return Fail(TCryptFailure::Read);
    return std::memcmp(derived, stored, sizeof stored) == 0 || Fail(TCryptFailure::Verifier);
}

bool TCrypt::CheckTrailer(std::istream& source)
{
    std::uint8_t computed[FileCipherCodeLength];
    std::uint8_t stored[FileCipherCodeLength];
    FileCipherFinish(computed, CipherContext);
    if (!ReadExactly(source, stored, sizeof stored))
        return Fail(TCryptFailure::Read);
    return std::memcmp(computed, stored, sizeof stored) == 0 || Fail(TCryptFailure::Code);
}

bool TCrypt::DecryptStream(std::istream& source, std::ostream* destination, std::int64_t length)
{
    LastFailure = TCryptFailure::None;
    const std::int64_t overhead = SaltLength() + FileCipherVerifierLength + FileCipherCodeLength;
    if (length < overhead)
        return Fail(TCryptFailure::TooShort);
    const FileCipherWiper wipe(CipherContext);
    if (!ReadHeader(source))
        return false;
    for (std::int64_t remaining = length - overhead; remaining > 0;) {
        const auto wanted = static_cast<std::uint32_t>(std::min<std::int64_t>(BufferSize, remaining));
        if (!ReadExactly(source, Buffer.get(), wanted))
            return Fail(TCryptFailure::Read);
        FileCipherDecrypt(Buffer.get(), wanted, CipherContext);
        if (destination != nullptr && !WriteAll(*destination, Buffer.get(), wanted))
            return Fail(TCryptFailure::Write);
        remaining -= wanted;
    }
    return CheckTrailer(source);
}
