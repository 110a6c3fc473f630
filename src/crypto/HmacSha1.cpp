#include "crypto/HmacSha1.h"

#include "crypto/SecureWipe.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint8_t InnerPad = 0x36;
constexpr std::uint8_t OuterPad = 0x5C;

void HashPaddedKey(Sha1Context& sha1, const std::uint8_t* keyBlock, std::uint8_t pad)
{
    std::uint8_t padded[Sha1BlockLength];
    for (std::uint32_t i = 0; i < Sha1BlockLength; ++i)
        padded[i] = keyBlock[i] ^ pad;
    Sha1Start(sha1);
    Sha1Add(sha1, padded, Sha1BlockLength);
    SecureWipe(padded);
}

// The first data byte (or the finish) ends the key phase and starts the inner hash.
void CloseKeyPhase(HmacSha1Context& context)
{
    if ((context.KeyPhase & HmacDataPhase) != 0)
        return;
    // RFC 2104 section 2: a key longer than B = 64 bytes is replaced by its hash.
    if (context.KeyPhase > Sha1BlockLength) {
        std::memset(context.KeyBlock, 0, Sha1BlockLength);
        Sha1Finish(context.Sha1, context.KeyBlock);
    }
    // Step (2): the key XOR ipad starts the inner hash.
    HashPaddedKey(context.Sha1, context.KeyBlock, InnerPad);
    context.KeyPhase |= HmacDataPhase;
}

} // namespace

void HmacSha1Start(HmacSha1Context& context)
{
    std::memset(&context, 0, sizeof context);
}

void HmacSha1AddKey(HmacSha1Context& context, const std::uint8_t* key, std::uint32_t length)
{
    if (length == 0 || (context.KeyPhase & HmacDataPhase) != 0)
        return;
    const std::uint32_t gathered = context.KeyPhase;
    if (gathered + std::uint64_t{length} <= Sha1BlockLength) {
        std::memcpy(context.KeyBlock + gathered, key, length);
    } else {
        // Past 64 bytes the key is hashed as it arrives, starting with what was gathered.
        if (gathered <= Sha1BlockLength) {
            Sha1Start(context.Sha1);
            Sha1Add(context.Sha1, context.KeyBlock, gathered);
        }
        Sha1Add(context.Sha1, key, length);
    }
    // The count only has to tell "more than 64" apart, so it saturates below the flag.
    context.KeyPhase =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(gathered + std::uint64_t{length}, HmacDataPhase - 1));
}

void HmacSha1AddData(HmacSha1Context& context, const std::uint8_t* data, std::uint64_t length)
{
    if (length == 0)
        return;
    CloseKeyPhase(context);
    // Step (4): the text follows the padded key in the inner hash.
    Sha1Add(context.Sha1, data, length);
}

void HmacSha1Finish(HmacSha1Context& context, std::uint8_t* mac, std::uint32_t macLength)
{
    CloseKeyPhase(context);
    // Steps (5) to (7): H(K XOR opad, H(K XOR ipad, text)).
    std::uint8_t inner[Sha1DigestLength];
    Sha1Finish(context.Sha1, inner);
    HashPaddedKey(context.Sha1, context.KeyBlock, OuterPad);
    Sha1Add(context.Sha1, inner, sizeof inner);
    std::uint8_t code[Sha1DigestLength];
    Sha1Finish(context.Sha1, code);
    std::memcpy(mac, code, std::min(macLength, Sha1DigestLength));
    SecureWipe(inner);
    SecureWipe(code);
    SecureWipe(context);
}

void HmacSha1(const std::uint8_t* key, std::uint32_t keyLength, const std::uint8_t* data, std::uint64_t length,
              std::uint8_t* mac)
{
    HmacSha1Context context;
    HmacSha1Start(context);
    HmacSha1AddKey(context, key, keyLength);
    HmacSha1AddData(context, data, length);
    HmacSha1Finish(context, mac, Sha1DigestLength);
}
