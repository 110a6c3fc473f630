#pragma once
// SHA-1 of FIPS 180-4: the compression function and the incremental hash.

#include <cstdint>

inline constexpr std::uint32_t Sha1DigestLength = 20;
inline constexpr std::uint32_t Sha1BlockLength = 64;

// Plain record; no heap memory.
struct Sha1Context {
    std::uint64_t ByteCount;
    std::uint32_t Chaining[5];
    std::uint8_t Block[Sha1BlockLength];
};

// FIPS 180-4 6.1.2 step 1 to 4 for one 64-byte block: updates the five chaining words.
void Sha1Compress(std::uint32_t chaining[5], const std::uint8_t* block);

void Sha1Start(Sha1Context& context);
void Sha1Add(Sha1Context& context, const std::uint8_t* data, std::uint64_t length);
// Pads, writes the 20-byte digest and wipes the context.
void Sha1Finish(Sha1Context& context, std::uint8_t* digest);

// One-shot over Sha1Start, Sha1Add and Sha1Finish.
void Sha1(const std::uint8_t* data, std::uint64_t length, std::uint8_t* digest);
