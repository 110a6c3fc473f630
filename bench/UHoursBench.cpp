// The first hour lookup after loading an "Hours.dat" whose 50,000 keys were built to collide
// in the hour index, beside one of ordinary keys of the same length. The colliding keys
// attack the unkeyed FNV-1a the index once used: they share its low 20 bits, so they would
// all fall on one probe run. With the index keyed per process, both files cost the same.

#include "model/UHours.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int KeyCount = 50000;
constexpr int Blocks = 16; // two choices each: 65,536 keys
constexpr std::uint64_t SlotBits = 0xFFFFF;

// Bytes without letter case, "^" or line breaks, so that folding and the file leave them alone.
const std::string Alphabet = "0123456789!#$%&()*+,-./:;<=>?@[]_{|}~abcdefghijklmnopqrstuvwxyz";

std::uint64_t Fnv1a(std::uint64_t state, std::string_view bytes)
{
    for (const char c : bytes) {
        state ^= static_cast<unsigned char>(c);
        state *= 0x100000001b3ULL;
    }
    return state;
}

// The low bits of FNV-1a's state depend only on the low bits before, so two blocks that meet
// there from one state can be chained: every choice of block per position collides.
std::vector<std::string> CollidingKeys()
{
    std::mt19937 random(11);
    std::uint64_t state = 0xcbf29ce484222325ULL;
    std::vector<std::pair<std::string, std::string>> pairs;
    while (pairs.size() < Blocks) {
        std::unordered_map<std::uint64_t, std::string> seen;
        for (;;) {
            std::string block;
            for (int i = 0; i < 3; ++i)
                block.push_back(Alphabet[random() % Alphabet.size()]);
            const std::uint64_t next = Fnv1a(state, block);
            const auto [found, added] = seen.emplace(next & SlotBits, block);
            if (!added && found->second != block) {
                pairs.emplace_back(found->second, block);
                state = next;
                break;
            }
        }
    }
    std::vector<std::string> keys;
    for (int k = 0; k < KeyCount; ++k) {
        std::string key;
        for (int b = 0; b < Blocks; ++b)
            key += (k >> b & 1) != 0 ? pairs[b].second : pairs[b].first;
        keys.push_back(std::move(key));
    }
    return keys;
}

std::vector<std::string> OrdinaryKeys()
{
    std::mt19937 random(12);
    std::vector<std::string> keys;
    for (int k = 0; k < KeyCount; ++k) {
        std::string key;
        for (int i = 0; i < 3 * Blocks; ++i)
            key.push_back(Alphabet[random() % Alphabet.size()]);
        keys.push_back(std::move(key));
    }
    return keys;
}

std::string HoursFile(const std::vector<std::string>& dates)
{
    std::string text;
    for (const std::string& date : dates)
        text += date + "^9:00 AM^call^\r\n";
    return text;
}

void FirstLookup(benchmark::State& state, const std::vector<std::string>& dates)
{
    const std::string text = HoursFile(dates);
    for (auto _ : state) {
        state.PauseTiming();
        THours hours;
        ParseHours(text, hours);
        state.ResumeTiming();
        benchmark::DoNotOptimize(hours.IndexOf(dates.back() + "-9:00 AM")); // builds the index
    }
    state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
}

void BM_FirstLookupCollidingHours(benchmark::State& state)
{
    static const std::vector<std::string> dates = CollidingKeys();
    FirstLookup(state, dates);
}
BENCHMARK(BM_FirstLookupCollidingHours)->Unit(benchmark::kMillisecond);

void BM_FirstLookupOrdinaryHours(benchmark::State& state)
{
    static const std::vector<std::string> dates = OrdinaryKeys();
    FirstLookup(state, dates);
}
BENCHMARK(BM_FirstLookupOrdinaryHours)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
