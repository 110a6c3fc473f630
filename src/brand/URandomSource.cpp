#include "brand/URandomSource.h"

#include <array>
#include <chrono>
#include <exception>

namespace {

// The system's entropy, with the clock mixed in should the entropy device be unavailable.
std::array<unsigned, 4> SeedWords()
{
    const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::array<unsigned, 4> words{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32), 0, 0};
    try {
        std::random_device device;
        words[2] = device();
        words[3] = device();
    } catch (const std::exception&) {
    }
    return words;
}

} // namespace

TSeededRandom::TSeededRandom()
{
    const std::array<unsigned, 4> words = SeedWords();
    std::seed_seq seed(words.begin(), words.end());
    Generator.seed(seed);
}

int TSeededRandom::Below(int count)
{
    if (count <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, count - 1)(Generator);
}
