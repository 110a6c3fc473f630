#include "model/TPlannerLoad.h"

#include "common/UProgramFolder.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

namespace {

// How much lower than the window's thread the reading runs.
constexpr int ReadingNiceness = 5;

// The reading gives way to the window's thread, which then builds the window at full speed
// while the reading takes what is left of the cores. On Linux a nice value is the thread's
// own. Where it cannot be changed, the thread reads at the usual priority.
void GiveWayToTheWindow()
{
    const auto thread = static_cast<id_t>(::gettid());
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, thread);
    if (errno == 0)
        static_cast<void>(::setpriority(PRIO_PROCESS, thread, std::min(current + ReadingNiceness, 19)));
}

} // namespace

TPlannerLoad::TPlannerLoad(const std::filesystem::path& folder)
    : Folder(std::make_unique<const TProgramFolder>(folder))
    , Hours(std::make_unique<THours>())
    , Projects(std::make_unique<TProjects>())
{
    HoursReader = Start(TDataFile::Hours);
    ProjectsReader = Start(TDataFile::Projects);
}

std::thread TPlannerLoad::Start(TDataFile file)
{
    try {
        return std::thread([this, file] {
            GiveWayToTheWindow();
            Read(file);
        });
    } catch (const std::system_error&) {
        Read(file);
        return {};
    }
}

TPlannerLoad::~TPlannerLoad()
{
    Wait(TDataFile::Hours);
    Wait(TDataFile::Projects);
}

void TPlannerLoad::Read(TDataFile file) noexcept
{
    const TProgramFolder& folder = *Folder;
    const auto read = [this](TDataFile each, auto&& load) {
        try {
            load();
        } catch (...) {
            Errors[static_cast<std::size_t>(each)] = std::current_exception();
        }
    };
    if (file == TDataFile::Hours) {
        read(TDataFile::Hours, [&] { Hours->LoadHours(folder); });
        return;
    }
    read(TDataFile::Categories, [&] { Projects->LoadCategories(folder); });
    read(TDataFile::Projects, [&] { Projects->LoadProjects(folder); });
}

std::thread& TPlannerLoad::ReaderOf(TDataFile file)
{
    return file == TDataFile::Hours ? HoursReader : ProjectsReader;
}

void TPlannerLoad::Wait(TDataFile file)
{
    if (std::thread& reader = ReaderOf(file); reader.joinable())
        reader.join();
}

std::unique_ptr<THours> TPlannerLoad::TakeHours()
{
    Wait(TDataFile::Hours);
    return std::move(Hours);
}

std::unique_ptr<TProjects> TPlannerLoad::TakeProjects()
{
    Wait(TDataFile::Projects);
    return std::move(Projects);
}

void TPlannerLoad::Finish(TDataFile file)
{
    Wait(file);
    if (const std::exception_ptr error = std::exchange(Errors[static_cast<std::size_t>(file)], nullptr))
        std::rethrow_exception(error);
}
