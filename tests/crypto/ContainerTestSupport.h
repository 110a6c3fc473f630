#pragma once
// Container round trips through string streams, and an independent WinZip AE reader and
// writer built from OpenSSL primitives straight from the published layout.

#include "TestBytes.h"

#include <string>

Bytes EncryptBytes(const std::string& passphrase, const Bytes& plain, std::uint32_t bufferSize = 4096);
// Decrypts the whole of `container`; `plain` receives what was written.
bool DecryptBytes(const std::string& passphrase, const Bytes& container, Bytes& plain, std::uint32_t bufferSize = 4096);

struct ForeignResult {
    bool VerifierMatched = false;
    bool CodeMatched = false;
    Bytes Plain;
};

// Mode 1, 2, 3 = AES-128, -192, -256: salt 8/12/16, PBKDF2-HMAC-SHA1 1000 iterations,
// AES-CTR with a little-endian counter starting at 1, HMAC-SHA1 of the cipher text cut to 10.
ForeignResult ForeignRead(const std::string& passphrase, int mode, const Bytes& container);
Bytes ForeignWrite(const std::string& passphrase, int mode, const Bytes& salt, const Bytes& plain);
