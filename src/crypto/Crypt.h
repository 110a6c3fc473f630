#pragma once
// Reading of the encrypted container: salt, 2-byte verifier, cipher text, 10-byte code.

#include "crypto/CryptFailure.h"
#include "crypto/FileCipher.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

class TCrypt {
public:
    // `bufferSize` is the transfer chunk; a size of 0 is taken as 1.
    TCrypt(std::string passphrase, std::uint32_t bufferSize);
    virtual ~TCrypt();
    TCrypt(const TCrypt&) = delete;
    TCrypt& operator=(const TCrypt&) = delete;

    // Reads one container of `length` bytes from the source's current position, never more,
    // and writes the plain text to `destination` (when not null) chunk by chunk. True only when
    // both the verifier and the authentication code match. A wrong verifier, a refused
    // passphrase or a length below salt + 12 writes nothing; a wrong code leaves the decrypted
    // bytes written. Stream exceptions, short reads and failed writes give false. Failure()
    // tells why.
    [[nodiscard]] bool DecryptStream(std::istream& source, std::ostream* destination, std::int64_t length);

    // Why the last operation returned false; None after one that succeeded.
    [[nodiscard]] TCryptFailure Failure() const { return LastFailure; }

    // 1 for passphrases under 32 bytes, 2 under 48, else 3.
    [[nodiscard]] std::int32_t Mode() const { return KeyMode; }

protected:
    [[nodiscard]] bool ReadHeader(std::istream& source);
    [[nodiscard]] bool CheckTrailer(std::istream& source);
    // FileCipherInit with this object's mode and passphrase.
    [[nodiscard]] bool InitCipher(const std::uint8_t* salt, std::uint8_t* verifier);
    [[nodiscard]] std::uint32_t SaltLength() const { return FileCipherSaltLength(KeyMode); }
    // Records why the operation fails; returns false.
    bool Fail(TCryptFailure failure)
    {
        LastFailure = failure;
        return false;
    }
    // Reads up to `count` bytes; the number read, or -1 when the stream failed outright or threw.
    [[nodiscard]] static std::int64_t ReadSome(std::istream& source, std::uint8_t* buffer, std::uint32_t count);
    // Reads exactly `count` bytes; false on a short or failed read.
    [[nodiscard]] static bool ReadExactly(std::istream& source, std::uint8_t* buffer, std::uint32_t count);
    // Writes `count` bytes; false when the stream reports a failure or throws.
    [[nodiscard]] static bool WriteAll(std::ostream& destination, const std::uint8_t* buffer, std::uint32_t count);

    std::int32_t KeyMode;
    FileCipherContext CipherContext;
    std::string Passphrase;
    std::uint32_t BufferSize;
    std::unique_ptr<std::uint8_t[]> Buffer;
    TCryptFailure LastFailure = TCryptFailure::None;
};
