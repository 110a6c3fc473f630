#include "crypto/Encryption.h"

#include <istream>
#include <ostream>
#include <utility>

TEncryption::TEncryption(std::string passphrase, std::uint32_t bufferSize)
    : TCrypt(std::move(passphrase), bufferSize)
    , SaltPool()
{
    RandomPoolInit(ReadTimerEntropy, SaltPool);
}

TEncryption::~TEncryption()
{
    RandomPoolClear(SaltPool);
}

bool TEncryption::WriteHeader(std::ostream& destination)
{
    std::uint8_t salt[16];
    std::uint8_t verifier[FileCipherVerifierLength];
    RandomPoolRead(salt, SaltLength(), SaltPool);
    // The cipher is set up before the first byte goes out, so a refusal leaves the destination untouched.
    if (!InitCipher(salt, verifier))
        return Fail(TCryptFailure::Refused);
    if (!WriteAll(destination, salt, SaltLength()) || !WriteAll(destination, verifier, sizeof verifier))
        return Fail(TCryptFailure::Write);
    return true;
}

bool TEncryption::WriteTrailer(std::ostream& destination)
{
    std::uint8_t code[FileCipherCodeLength];
    FileCipherFinish(code, CipherContext);
    return WriteAll(destination, code, sizeof code) || Fail(TCryptFailure::Write);
}

bool TEncryption::EncryptStream(std::istream& source, std::ostream& destination)
{
    LastFailure = TCryptFailure::None;
    const FileCipherWiper wipe(CipherContext);
    if (!WriteHeader(destination))
        return false;
    // A short read marks the end; a source whose length is a multiple of the buffer
    // therefore ends with one read of 0 bytes.
    for (bool full = true; full;) {
        const std::int64_t got = ReadSome(source, Buffer.get(), BufferSize);
        if (got < 0)
            return Fail(TCryptFailure::Read);
        const auto count = static_cast<std::uint32_t>(got);
        FileCipherEncrypt(Buffer.get(), count, CipherContext);
        if (!WriteAll(destination, Buffer.get(), count))
            return Fail(TCryptFailure::Write);
        full = count == BufferSize;
    }
    return WriteTrailer(destination);
}
