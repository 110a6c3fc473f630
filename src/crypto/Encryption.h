#pragma once
// Writing of the encrypted container, with a salt pool fed by the high-resolution clock.

#include "crypto/Crypt.h"
#include "crypto/RandomPool.h"

class TEncryption : public TCrypt {
public:
    // Initialises the salt pool from ReadTimerEntropy.
    TEncryption(std::string passphrase, std::uint32_t bufferSize);
    ~TEncryption() override;

    // Reads the source from its current position to its end and writes one complete container
    // at the destination's current position. A refused passphrase (over 128 bytes) writes
    // nothing; stream exceptions, failed reads and failed writes give false. Failure() tells why.
    [[nodiscard]] bool EncryptStream(std::istream& source, std::ostream& destination);

protected:
    [[nodiscard]] bool WriteHeader(std::ostream& destination);
    [[nodiscard]] bool WriteTrailer(std::ostream& destination);

    RandomPool SaltPool;
};
