// libFuzzer target: the container reader on any bytes and any announced length, with each
// key size. The first byte chooses the passphrase (one of each key size, and one too long)
// and whether the verifier is made to match, so that the decryption and the code check run
// too; the second is the transfer buffer's size, the third moves the announced length off
// the real one. Whatever the bytes: no crash, a refusal before the cipher text writes
// nothing, and the plain text is never longer than the container allows.

#include "crypto/Crypt.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

const std::string Passphrases[] = {"ruzaravore", std::string(40, 'k'), std::string(60, 'k'), std::string(200, 'k')};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::string& passphrase = Passphrases[data[0] & 3];
    const bool matchVerifier = (data[0] & 4) != 0;
    const std::uint32_t bufferSize = data[1] + 1u;
    const auto shift = static_cast<std::int8_t>(data[2]);
    std::string container(reinterpret_cast<const char*>(data + 3), size - 3);

    TCrypt crypt(passphrase, bufferSize);
    const std::uint32_t salt = FileCipherSaltLength(crypt.Mode());
    if (matchVerifier && container.size() >= salt + FileCipherVerifierLength && passphrase.size() <= 128) {
        FileCipherContext context{};
        std::uint8_t verifier[FileCipherVerifierLength];
        if (FileCipherInit(crypt.Mode(), reinterpret_cast<const std::uint8_t*>(passphrase.data()),
                           static_cast<std::uint32_t>(passphrase.size()),
                           reinterpret_cast<const std::uint8_t*>(container.data()), verifier, context) != 0)
            std::abort();
        container[salt] = static_cast<char>(verifier[0]);
        container[salt + 1] = static_cast<char>(verifier[1]);
    }
    const std::int64_t length = static_cast<std::int64_t>(container.size()) + shift;
    std::istringstream source(container);
    std::ostringstream plain;
    const bool decrypted = crypt.DecryptStream(source, &plain, length);
    const std::int64_t cipherText = length - salt - FileCipherVerifierLength - FileCipherCodeLength;
    const auto written = static_cast<std::int64_t>(plain.str().size());
    if (written > std::max<std::int64_t>(cipherText, 0) || (decrypted && written != cipherText))
        std::abort();
    const TCryptFailure failure = crypt.Failure();
    if ((failure == TCryptFailure::TooShort || failure == TCryptFailure::Refused ||
         failure == TCryptFailure::Verifier) &&
        written != 0)
        std::abort();
    return 0;
}
