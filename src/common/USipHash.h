#pragma once
// SipHash-2-4 (Aumasson and Bernstein, "SipHash: a fast short-input PRF", 2012): a keyed
// hash for tables whose keys come from files, so that no file can be built to make its
// keys collide without knowing the key.

#include <cstddef>
#include <cstdint>
#include <string_view>

struct TSipKey {
    std::uint64_t K0 = 0;
    std::uint64_t K1 = 0;
};

class TSipHash24 {
public:
    explicit TSipHash24(const TSipKey& key);

    void Add(const unsigned char* data, std::size_t size);
    void Add(std::string_view bytes) { Add(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()); }
    [[nodiscard]] std::uint64_t Finish();

private:
    void Compress(std::uint64_t word);

    std::uint64_t V0, V1, V2, V3;
    std::uint64_t Pending = 0;    // bytes of the word being gathered, little-endian
    std::size_t PendingCount = 0; // how many of them
    std::size_t Length = 0;       // all bytes added, its low byte ends the last word
};

[[nodiscard]] std::uint64_t SipHash24(const TSipKey& key, std::string_view bytes);

// A key drawn once per process from the system's random source.
[[nodiscard]] const TSipKey& ProcessSipKey();
