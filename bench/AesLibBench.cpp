// Our AES, SHA-1, PBKDF2 and settings round trip beside OpenSSL's, in one binary.
// OpenSSL's SHA-1 runs without the SHA extensions (OPENSSL_ia32cap=":~0x20000000"), as ours
// does; main sets that itself when it is not set, so the comparison is always like for like.
#include "crypto/AesLib.h"
#include "crypto/UUtilsCrypt.h"

#include <benchmark/benchmark.h>
#include <openssl/aes.h>
#include <openssl/evp.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

namespace {

const std::uint8_t Key[16] = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6,
                              0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};
constexpr std::size_t MiB = 1 << 20;

void AesEncryptBlockOwn(benchmark::State& state)
{
    AesContext context{};
    if (AesSetEncryptKey(Key, 16, context) != 1)
        state.SkipWithError("key");
    std::uint8_t block[16] = {};
    for (auto _ : state) {
        benchmark::DoNotOptimize(AesEncryptBlock(block, block, context));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 16);
}

void AesEncryptBlockOpenSsl(benchmark::State& state)
{
    AES_KEY key;
    AES_set_encrypt_key(Key, 128, &key);
    std::uint8_t block[16] = {};
    for (auto _ : state) {
        AES_encrypt(block, block, &key);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 16);
}

// The container's counter mode: a little-endian counter incremented before each block,
// its encryption XORed onto the data.
template <typename Encrypt>
void CounterMode(std::vector<std::uint8_t>& data, Encrypt encrypt)
{
    std::uint8_t counter[16] = {};
    std::uint8_t keystream[16];
    for (std::size_t at = 0; at < data.size(); at += 16) {
        for (unsigned b = 0; b < 8 && ++counter[b] == 0; ++b) { }
        encrypt(counter, keystream);
        for (unsigned i = 0; i < 16; ++i)
            data[at + i] ^= keystream[i];
    }
}

void AesCtr1MiBOwn(benchmark::State& state)
{
    AesContext context{};
    if (AesSetEncryptKey(Key, 16, context) != 1)
        state.SkipWithError("key");
    std::vector<std::uint8_t> data(MiB);
    for (auto _ : state) {
        CounterMode(data, [&](const std::uint8_t* in, std::uint8_t* out) {
            benchmark::DoNotOptimize(AesEncryptBlock(in, out, context));
        });
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MiB));
}

void AesCtr1MiBOpenSsl(benchmark::State& state)
{
    AES_KEY key;
    AES_set_encrypt_key(Key, 128, &key);
    std::vector<std::uint8_t> data(MiB);
    for (auto _ : state) {
        CounterMode(data, [&](const std::uint8_t* in, std::uint8_t* out) { AES_encrypt(in, out, &key); });
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MiB));
}

void Sha1_1MiBOwn(benchmark::State& state)
{
    std::vector<std::uint8_t> data(MiB, 0x61);
    std::uint8_t digest[20];
    for (auto _ : state) {
        Sha1(data.data(), data.size(), digest);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MiB));
}

void Sha1_1MiBOpenSsl(benchmark::State& state)
{
    std::vector<std::uint8_t> data(MiB, 0x61);
    std::uint8_t digest[20];
    unsigned length = 0;
    for (auto _ : state) {
        EVP_Digest(data.data(), data.size(), digest, &length, EVP_sha1(), nullptr);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MiB));
}

const char Password[] = "ruzaravore";
const std::uint8_t Salt[8] = {1, 2, 3, 4, 5, 6, 7, 8};

void DeriveKey34Own(benchmark::State& state)
{
    std::uint8_t material[34];
    for (auto _ : state) {
        DeriveKey(reinterpret_cast<const std::uint8_t*>(Password), 10, Salt, 8, 1000, material, 34);
        benchmark::DoNotOptimize(material);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void DeriveKey34OpenSsl(benchmark::State& state)
{
    std::uint8_t material[34];
    for (auto _ : state) {
        PKCS5_PBKDF2_HMAC_SHA1(Password, 10, Salt, 8, 1000, 34, material);
        benchmark::DoNotOptimize(material);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void SettingsRoundTrip4KiBOwn(benchmark::State& state)
{
    // A fresh folder of our own, so no other run's or user's files are touched.
    std::string pattern = (std::filesystem::temp_directory_path() / "taskwren-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("mkdtemp failed");
        return;
    }
    const std::filesystem::path folder = pattern;
    const std::string plain = (folder / "settings.sim").string();
    const std::string container = (folder / "settings.dat").string();
    std::ofstream(plain, std::ios::binary) << std::string(4096, 'x');
    for (auto _ : state) {
        if (!EncryptFile(plain, container) || !DecryptFile(container, plain))
            state.SkipWithError("round trip failed");
    }
    std::filesystem::remove_all(folder);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 4096);
}

} // namespace

BENCHMARK(AesEncryptBlockOwn)->Name("AesEncryptBlock/own");
BENCHMARK(AesEncryptBlockOpenSsl)->Name("AesEncryptBlock/openssl");
BENCHMARK(AesCtr1MiBOwn)->Name("AesCtr1MiB/own");
BENCHMARK(AesCtr1MiBOpenSsl)->Name("AesCtr1MiB/openssl");
BENCHMARK(Sha1_1MiBOwn)->Name("Sha1_1MiB/own");
BENCHMARK(Sha1_1MiBOpenSsl)->Name("Sha1_1MiB/openssl");
BENCHMARK(DeriveKey34Own)->Name("DeriveKey34/own");
BENCHMARK(DeriveKey34OpenSsl)->Name("DeriveKey34/openssl");
BENCHMARK(SettingsRoundTrip4KiBOwn)->Name("SettingsRoundTrip4KiB/own");

// libcrypto reads OPENSSL_ia32cap once, when it is loaded, before main runs; so when the
// variable is missing we set it and start this program again in place.
int main(int argc, char** argv)
{
    if (std::getenv("OPENSSL_ia32cap") == nullptr) {
        setenv("OPENSSL_ia32cap", ":~0x20000000", 1);
        execv("/proc/self/exe", argv);
        std::fprintf(stderr, "AesLibBench: cannot restart with OPENSSL_ia32cap set; OpenSSL may use SHA-NI\n");
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
