// GetToStream from a loopback nginx, beside curl on the same file in the same run.
// Reports MB/s of both, their ratio, and the peak resident memory after each size, which
// should stay flat from the small file to the large one.

#include "http/NginxServer.h"
#include "http/UHttp.h"
#include "http/ULocalClock.h"
#include "http/UMessagePump.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

class TNoPump final : public TMessagePump {
public:
    void Pump() override { }
};

TNginxServer& Server()
{
    static TNginxServer server;
    return server;
}

// Written in blocks so that making the file does not raise the memory peak.
std::string EnsureFile(size_t mebibytes)
{
    const std::string name = "/file" + std::to_string(mebibytes) + ".bin";
    const std::string path = Server().DocumentRoot() + name;
    if (!std::ifstream(path)) {
        std::vector<char> block(1024 * 1024);
        for (size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<char>((i * 131) >> 3);
        std::ofstream out(path, std::ios::binary);
        for (size_t i = 0; i < mebibytes; ++i)
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    return Server().Url(name);
}

double PeakResidentMiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_GetToStream(benchmark::State& state)
{
    const size_t mebibytes = static_cast<size_t>(state.range(0));
    const double bytes = static_cast<double>(mebibytes) * 1024 * 1024;
    const std::string url = EnsureFile(mebibytes);
    TNoPump pump;
    TSystemLocalClock clock;
    THttpClient client(pump, clock);
    const std::string curl = "curl -s -o /dev/null '" + url + "'";
    double ours = 0;
    double theirs = 0;
    for (auto _ : state) {
        std::ofstream sink("/dev/null", std::ios::binary);
        auto start = std::chrono::steady_clock::now();
        client.GetToStream(url, sink, static_cast<uint64_t>(bytes)); // past the default cap
        ours += SecondsSince(start);

        state.PauseTiming();
        start = std::chrono::steady_clock::now();
        if (std::system(curl.c_str()) != 0)
            state.SkipWithError("curl failed");
        theirs += SecondsSince(start);
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["MB/s"] = bytes * runs / ours / 1e6;
    state.counters["curl_MB/s"] = bytes * runs / theirs / 1e6;
    state.counters["ratio"] = theirs / ours;
    state.counters["peak_RSS_MiB"] = PeakResidentMiB();
    state.SetBytesProcessed(static_cast<int64_t>(bytes * runs));
}

// The small size runs first, so the peak after the large one shows any growth.
BENCHMARK(BM_GetToStream)->Arg(16)->Arg(256)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
