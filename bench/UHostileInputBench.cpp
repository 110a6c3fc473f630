// What hostile settings and answers cost once bounded, each of which once froze the window:
// a 6 MB AffiliateURL full of markers (36 s at start), a 900 KB version (15 s before the
// question), HTML nested thousands deep or one word of millions of characters (minutes of
// layout; here the bounding alone, the layout is measured by hand).

#include "brand/UBrandSettingsReader.h"
#include "common/UHtmlBounds.h"
#include "news/UUpdateDescription.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Repeated(const std::string& part, std::size_t bytes)
{
    std::string text;
    while (text.size() < bytes)
        text += part;
    return text;
}

void AffiliateMarkers(benchmark::State& state)
{
    const std::string settings = "<%%AffiliateURL%%>" + Repeated("%%AFFILIATEID%%", 6'000'000) +
        "<%%/AffiliateURL%%><%%AffiliateID%%>42<%%/AffiliateID%%>";
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseBrandSettings(settings));
}
BENCHMARK(AffiliateMarkers)->Unit(benchmark::kMillisecond);

void LongVersion(benchmark::State& state)
{
    const std::string version(900'000, '9');
    for (auto _ : state)
        benchmark::DoNotOptimize(IsNewerVersion(version, "2.0"));
}
BENCHMARK(LongVersion)->Unit(benchmark::kMicrosecond);

void BoundingHtml(benchmark::State& state, const std::string& html)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BoundedHtml(html));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * html.size()));
}
BENCHMARK_CAPTURE(BoundingHtml, NestedTables, Repeated("<table><tr><td>", 4'000'000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoundingHtml, OneLongWord, std::string(4'000'000, 'w'))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoundingHtml, Paragraphs, Repeated("<p>A paragraph of a real page. ", 1'000'000))
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
