#include "model/TPlannerLoad.h"

#include "common/UProgramFolder.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <system_error>
#include <utility>

TPlannerLoad::TPlannerLoad(const std::filesystem::path& folder)
    : Folder(std::make_unique<const TProgramFolder>(folder))
    , Hours(std::make_unique<THours>())
    , Projects(std::make_unique<TProjects>())
{
    try {
        Reader = std::thread([this] { Read(); });
    } catch (const std::system_error&) {
        Read();
    }
}

TPlannerLoad::~TPlannerLoad()
{
    Wait();
}

void TPlannerLoad::Read() noexcept
{
    const TProgramFolder& folder = *Folder;
    const auto read = [this](TDataFile file, auto&& load) {
        try {
            load();
        } catch (...) {
            Errors[static_cast<std::size_t>(file)] = std::current_exception();
        }
    };
    read(TDataFile::Hours, [&] { Hours->LoadHours(folder); });
    read(TDataFile::Categories, [&] { Projects->LoadCategories(folder); });
    read(TDataFile::Projects, [&] { Projects->LoadProjects(folder); });
}

void TPlannerLoad::Wait()
{
    if (Reader.joinable())
        Reader.join();
}

std::unique_ptr<THours> TPlannerLoad::TakeHours()
{
    Wait();
    return std::move(Hours);
}

std::unique_ptr<TProjects> TPlannerLoad::TakeProjects()
{
    Wait();
    return std::move(Projects);
}

void TPlannerLoad::Finish(TDataFile file)
{
    Wait();
    if (const std::exception_ptr error = std::exchange(Errors[static_cast<std::size_t>(file)], nullptr))
        std::rethrow_exception(error);
}
