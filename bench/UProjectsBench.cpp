// Loading and saving a large planner: 2,000 projects of 50 tasks and 100,000 hour entries;
// and the memory that files of tiny records take.

#include "UPlannerData.h"
#include "UResidentBytes.h"
#include "common/UProgramFolder.h"
#include "model/UDataFiles.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "model/UProjectsFile.h"
#include "model/UTextFinder.h"
#include "model/USaveAll.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

class TDataSet {
public:
    TDataSet()
    {
        Folder = std::filesystem::temp_directory_path() / ("taskwren-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Folder);
        TProgramFolder folder(Folder);
        TProjects projects;
        THours hours;
        FillPlanner(projects, hours);
        SaveAll(projects, hours, folder, TUnreadDataFiles{});
        for (const char* name : {"categories.dat", "Projects.dat", "Hours.dat"})
            Bytes += std::filesystem::file_size(Folder / name);
    }
    ~TDataSet() { std::filesystem::remove_all(Folder); }

    std::filesystem::path Folder;
    std::uintmax_t Bytes = 0;
};

const TDataSet& DataSet()
{
    static const TDataSet data;
    return data;
}

// A projects file of a million one-character tasks in one project, and a categories file of
// a million blank lines, each in a folder of its own: the records that cost most beside their bytes.
class TTinyRecords {
public:
    TTinyRecords()
    {
        Root = std::filesystem::temp_directory_path() / ("taskwren-tiny-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Root / "tasks");
        std::filesystem::create_directories(Root / "categories");
        std::ofstream tasks(Root / "tasks" / "Projects.dat", std::ios::binary);
        tasks << "Header^Tiny^^^^\r\n";
        for (int i = 0; i < 1000000; ++i)
            tasks << "^False^,^" << static_cast<char>('a' + i % 26) << "^,^^,^^,^^\r\n";
        tasks << "EndProject\r\n";
        std::ofstream categories(Root / "categories" / "categories.dat", std::ios::binary);
        for (int i = 0; i < 1000000; ++i)
            categories << "\r\n";
    }
    ~TTinyRecords() { std::filesystem::remove_all(Root); }

    std::filesystem::path Root;
};

const TTinyRecords& TinyRecords()
{
    static const TTinyRecords data;
    return data;
}

std::uintmax_t FolderBytes(const std::filesystem::path& folder)
{
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        bytes += entry.file_size();
    return bytes;
}

void Load(const TProgramFolder& folder, TProjects& projects, THours& hours)
{
    hours.LoadHours(folder);
    projects.LoadCategories(folder);
    projects.LoadProjects(folder);
}

void BM_LoadDataFiles(benchmark::State& state)
{
    const TDataSet& data = DataSet();
    const TProgramFolder folder(data.Folder);
    for (auto _ : state) {
        auto projects = std::make_unique<TProjects>();
        auto hours = std::make_unique<THours>();
        Load(folder, *projects, *hours);
        static_cast<void>(hours->IndexOf("1/1/2000-1:00 AM")); // the first lookup builds the index
        benchmark::DoNotOptimize(projects->Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.Bytes));
    state.counters["file_MB"] = static_cast<double>(data.Bytes) / 1e6;
}
BENCHMARK(BM_LoadDataFiles)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_SaveDataFiles(benchmark::State& state)
{
    const TDataSet& data = DataSet();
    TProgramFolder folder(data.Folder);
    TProjects projects;
    THours hours;
    Load(folder, projects, hours);
    for (auto _ : state)
        SaveAll(projects, hours, folder, TUnreadDataFiles{});
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.Bytes));
}
BENCHMARK(BM_SaveDataFiles)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_HourKeyLookup(benchmark::State& state)
{
    TProjects projects;
    THours hours;
    FillPlanner(projects, hours);
    std::vector<std::string> keys;
    for (int i = 0; i < 1024; ++i)
        keys.emplace_back(hours.Label((i * 97) % hours.Count()));
    keys.push_back("no such day-1:00 AM");
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(hours.IndexOf(keys[next]));
        next = next + 1 == keys.size() ? 0 : next + 1;
    }
    state.counters["entries"] = hours.Count();
}
BENCHMARK(BM_HourKeyLookup)->Unit(benchmark::kNanosecond);

// The find field's search over the whole planner, without the tree: a common word (most
// projects match early), a name (one does), and a text that is nowhere (every text is read).
void BM_FindInPlanner(benchmark::State& state)
{
    TProjects projects;
    THours hours;
    FillPlanner(projects, hours, 0);
    const char* const texts[] = {"invoice", "Project 1999", "nowhere at all"};
    const TTextFinder finder(texts[state.range(0)]);
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (int p = 0; p < projects.Count(); ++p)
            found += ProjectMatches(projects[p], finder) ? 1 : 0;
    }
    state.SetLabel(texts[state.range(0)]);
    state.counters["found"] = found;
}
BENCHMARK(BM_FindInPlanner)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Saving beside what copying the same files and flushing them to disk costs, as a ratio of
// medians over alternating runs.
void BM_SaveBesideCopyAndSync(benchmark::State& state)
{
    const TDataSet& data = DataSet();
    TProgramFolder folder(data.Folder);
    TProjects projects;
    THours hours;
    Load(folder, projects, hours);
    const std::filesystem::path copies = data.Folder / "copies";
    std::filesystem::create_directories(copies);
    const std::string copy = "cd '" + data.Folder.string() + "' && cp categories.dat Projects.dat Hours.dat '" +
        copies.string() + "' && sync";
    std::vector<double> save, copied;
    for (auto _ : state) {
        auto begin = std::chrono::steady_clock::now();
        SaveAll(projects, hours, folder, TUnreadDataFiles{});
        save.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
        begin = std::chrono::steady_clock::now();
        if (std::system(copy.c_str()) != 0)
            state.SkipWithError("cp failed");
        copied.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
    }
    std::filesystem::remove_all(copies);
    std::sort(save.begin(), save.end());
    std::sort(copied.begin(), copied.end());
    state.counters["save_ms"] = save[save.size() / 2] * 1e3;
    state.counters["cp_sync_ms"] = copied[copied.size() / 2] * 1e3;
    state.counters["save_x_cp_sync"] = save[save.size() / 2] / copied[copied.size() / 2];
}
BENCHMARK(BM_SaveBesideCopyAndSync)->Unit(benchmark::kMillisecond)->Iterations(7)->UseRealTime();

// The resident memory a load of `folder` adds to an empty start, measured in a fresh process
// so that no memory freed earlier is reused.
void ResidentGrowth(benchmark::State& state, const std::filesystem::path& folder)
{
    const std::string command =
        "/proc/" + std::to_string(::getpid()) + "/exe --resident-growth '" + folder.string() + "'";
    double growth = 0;
    for (auto _ : state) {
        FILE* child = ::popen(command.c_str(), "r");
        if (child == nullptr || std::fscanf(child, "%lf", &growth) != 1)
            state.SkipWithError("the measuring process failed");
        if (child != nullptr)
            ::pclose(child);
    }
    state.counters["resident_growth_MB"] = growth / 1e6;
    state.counters["growth_per_file_byte"] = growth / static_cast<double>(FolderBytes(folder));
}

void BM_LoadResidentGrowth(benchmark::State& state)
{
    ResidentGrowth(state, DataSet().Folder);
}
BENCHMARK(BM_LoadResidentGrowth)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MillionOneCharacterTasksResidentGrowth(benchmark::State& state)
{
    ResidentGrowth(state, TinyRecords().Root / "tasks");
}
BENCHMARK(BM_MillionOneCharacterTasksResidentGrowth)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MillionBlankCategoriesResidentGrowth(benchmark::State& state)
{
    ResidentGrowth(state, TinyRecords().Root / "categories");
}
BENCHMARK(BM_MillionBlankCategoriesResidentGrowth)->Unit(benchmark::kMillisecond)->Iterations(1);

int MeasureResidentGrowth(const char* path)
{
    const TProgramFolder folder{std::filesystem::path(path)};
    const long before = ResidentBytes();
    TProjects projects;
    THours hours;
    Load(folder, projects, hours);
    static_cast<void>(hours.IndexOf("1/1/2000-1:00 AM"));
    std::printf("%ld\n", ResidentBytes() - before);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--resident-growth")
        return MeasureResidentGrowth(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
