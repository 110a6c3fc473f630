// The start-up of the real program to its shown window, beside the bare window of
// UBareWindow, each in a fresh process: with no data files and with the large planner of
// UPlannerData. The runs alternate, so that the ratios come from one run under one load;
// each figure is the median of the rounds. Resident memory and page faults are read inside
// each process when it shows (the probe plugin TStartupProbe).

#include "UPlannerData.h"
#include "common/UProgramFolder.h"
#include "model/UDataFiles.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "model/USaveAll.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct TStart {
    double Seconds = 0;
    double Resident = 0;
    double Faults = 0;
};

// Starts `program` with the probe, and waits for its report.
bool Start(const std::filesystem::path& program, TStart& start)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, channel[0]);
    // The offscreen platform's warnings would bury the figures.
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string path = program.string();
    std::string arguments[] = {path, "-plugin", "taskwrenstartupprobe"};
    char* argv[] = {arguments[0].data(), arguments[1].data(), arguments[2].data(), nullptr};
    const auto begin = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, path.c_str(), &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(channel[1]);
    if (spawned != 0) {
        ::close(channel[0]);
        return false;
    }
    FILE* report = ::fdopen(channel[0], "r");
    const bool read = std::fscanf(report, "%lf %lf", &start.Resident, &start.Faults) == 2;
    start.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::fclose(report);
    int status = 0;
    ::waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The program copied into a folder of its own, which is its program folder.
std::filesystem::path PlaceProgram(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    // With the library it loads on demand, as installed, though no start here needs it.
    const std::filesystem::path program = TASKWREN_PROGRAM;
    for (const std::filesystem::path& file : {program, program.parent_path() / "libtaskwren-ondemand.so"}) {
        std::error_code linked;
        std::filesystem::create_hard_link(file, folder / file.filename(), linked);
        if (linked)
            std::filesystem::copy_file(file, folder / file.filename());
    }
    return folder / program.filename();
}

struct TStartupFolders {
    TStartupFolders()
    {
        Root = std::filesystem::temp_directory_path() / ("taskwren-startup-" + std::to_string(::getpid()));
        Empty = PlaceProgram(Root / "empty");
        Full = PlaceProgram(Root / "full");
        TProgramFolder folder(Root / "full");
        TProjects projects;
        THours hours;
        FillPlanner(projects, hours);
        SaveAll(projects, hours, folder, TUnreadDataFiles{});
        for (const char* name : {"categories.dat", "Projects.dat", "Hours.dat"})
            Bytes += static_cast<double>(std::filesystem::file_size(Root / "full" / name));
    }
    ~TStartupFolders() { std::filesystem::remove_all(Root); }

    std::filesystem::path Root;
    std::filesystem::path Empty;
    std::filesystem::path Full;
    double Bytes = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_StartupBesideABareWindow(benchmark::State& state)
{
    static const TStartupFolders folders;
    std::vector<double> bare, empty, full, emptyOverBare, fullOverBare, fullOverEmpty, memory, faults;
    for (auto _ : state) {
        TStart b, e, f;
        if (!Start(TASKWREN_BARE_WINDOW, b) || !Start(folders.Empty, e) || !Start(folders.Full, f)) {
            state.SkipWithError("a measuring process failed");
            return;
        }
        bare.push_back(b.Seconds);
        empty.push_back(e.Seconds);
        full.push_back(f.Seconds);
        emptyOverBare.push_back(e.Seconds / b.Seconds);
        fullOverBare.push_back(f.Seconds / b.Seconds);
        fullOverEmpty.push_back(f.Seconds / e.Seconds);
        memory.push_back((f.Resident - e.Resident) / folders.Bytes);
        faults.push_back(f.Faults - e.Faults);
    }
    state.counters["bare_ms"] = Median(bare) * 1e3;
    state.counters["empty_ms"] = Median(empty) * 1e3;
    state.counters["full_ms"] = Median(full) * 1e3;
    state.counters["empty_x_bare"] = Median(emptyOverBare);
    state.counters["full_x_bare"] = Median(fullOverBare);
    state.counters["full_x_empty"] = Median(fullOverEmpty);
    state.counters["data_MB"] = folders.Bytes / 1e6;
    state.counters["memory_per_data_byte"] = Median(memory);
    state.counters["data_page_faults"] = Median(faults);
}
BENCHMARK(BM_StartupBesideABareWindow)->Unit(benchmark::kMillisecond)->Iterations(9);

} // namespace

int main(int argc, char** argv)
{
    // Both programs take the offscreen platform and find the probe among the benchmarks' plugins.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QT_PLUGIN_PATH", TASKWREN_BENCH_PLUGINS, 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
