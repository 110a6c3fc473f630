// The padded password is hashed once into the inner and outer chaining states; every
// iteration then costs exactly two compressions of a one-block message.
#include "crypto/DeriveKey.h"

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"
#include "crypto/Sha1.h"

#include <algorithm>
#include <cstring>

namespace {

struct PadStates {
    Sha1Context Inner; // after the block K XOR ipad
    Sha1Context Outer; // after the block K XOR opad
};

void StartPadStates(const std::uint8_t* password, std::uint32_t passwordLength, PadStates& states)
{
    // RFC 2104: the key block is the password, or its digest when longer than 64 bytes, zero-filled.
    std::uint8_t key[Sha1BlockLength] = {};
    if (passwordLength > Sha1BlockLength)
        Sha1(password, passwordLength, key);
    else if (passwordLength != 0)
        std::memcpy(key, password, passwordLength);
    std::uint8_t padded[Sha1BlockLength];
    for (std::uint32_t i = 0; i < Sha1BlockLength; ++i)
        padded[i] = key[i] ^ 0x36;
    Sha1Start(states.Inner);
    Sha1Add(states.Inner, padded, Sha1BlockLength);
    for (std::uint32_t i = 0; i < Sha1BlockLength; ++i)
        padded[i] = key[i] ^ 0x5C;
    Sha1Start(states.Outer);
    Sha1Add(states.Outer, padded, Sha1BlockLength);
    SecureWipe(key);
    SecureWipe(padded);
}

// A 20-byte message after one 64-byte block: the block holds the message, the one bit and
// the length of 84 bytes in bits (FIPS 180-4 5.1.1).
void PrepareShortBlock(std::uint8_t* block)
{
    std::memset(block, 0, Sha1BlockLength);
    block[Sha1DigestLength] = 0x80;
    StoreBigEndian32(block + 60, (Sha1BlockLength + Sha1DigestLength) * 8);
}

void DigestOf(const std::uint32_t* chaining, std::uint8_t* digest)
{
    for (unsigned i = 0; i < 5; ++i)
        StoreBigEndian32(digest + 4 * i, chaining[i]);
}

// U = HMAC(P, U_previous) where `block` holds U_previous and its padding; U replaces it.
void NextU(const PadStates& states, std::uint8_t* block)
{
    std::uint32_t inner[5];
    std::memcpy(inner, states.Inner.Chaining, sizeof inner);
    Sha1Compress(inner, block);
    DigestOf(inner, block);
    std::uint32_t outer[5];
    std::memcpy(outer, states.Outer.Chaining, sizeof outer);
    Sha1Compress(outer, block);
    DigestOf(outer, block);
    SecureWipe(inner);
    SecureWipe(outer);
}

// RFC 2898 5.2 step 3: T_i = U_1 XOR U_2 XOR ... XOR U_c.
void Block(const PadStates& states, const std::uint8_t* salt, std::uint32_t saltLength, std::uint32_t iterations,
           std::uint32_t index, std::uint8_t* t)
{
    // U_1 = PRF(P, S || INT(i))
    std::uint8_t indexBytes[4];
    StoreBigEndian32(indexBytes, index);
    Sha1Context context = states.Inner;
    Sha1Add(context, salt, saltLength);
    Sha1Add(context, indexBytes, sizeof indexBytes);
    std::uint8_t block[Sha1BlockLength];
    PrepareShortBlock(block);
    Sha1Finish(context, block);
    context = states.Outer;
    Sha1Add(context, block, Sha1DigestLength);
    Sha1Finish(context, block);
    std::memcpy(t, block, Sha1DigestLength);
    for (std::uint32_t j = 1; j < iterations; ++j) {
        NextU(states, block);
        for (std::uint32_t k = 0; k < Sha1DigestLength; ++k)
            t[k] ^= block[k];
    }
    SecureWipe(block);
}

} // namespace

void DeriveKey(const std::uint8_t* password, std::uint32_t passwordLength, const std::uint8_t* salt,
               std::uint32_t saltLength, std::uint32_t iterations, std::uint8_t* output, std::uint32_t outputLength)
{
    PadStates states;
    StartPadStates(password, passwordLength, states);
    std::uint8_t t[Sha1DigestLength];
    for (std::uint32_t index = 1, done = 0; done < outputLength; ++index) {
        Block(states, salt, saltLength, std::max<std::uint32_t>(iterations, 1), index, t);
        const std::uint32_t take = std::min(outputLength - done, Sha1DigestLength);
        std::memcpy(output + done, t, take);
        done += take;
    }
    SecureWipe(t);
    SecureWipe(states);
}
