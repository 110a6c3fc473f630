#pragma once
// The three data files read on two threads of their own, the hours on one and the categories
// and projects on the other, so that the reading of a large planner overlaps the building of
// the window and takes both cores once the window waits for it. The threads run at a lower
// priority than the window's. What reading a file raised is raised again when that file is
// finished, on the caller's thread and in the caller's order, as if it were read there.

#include "model/UDataFiles.h"

#include <array>
#include <exception>
#include <filesystem>
#include <memory>
#include <thread>

class THours;
class TProgramFolder;
class TProjects;

class TPlannerLoad {
public:
    // Starts reading the files of `folder`. Reads at once, on this thread, what no thread can
    // be started for.
    explicit TPlannerLoad(const std::filesystem::path& folder);
    ~TPlannerLoad();
    TPlannerLoad(const TPlannerLoad&) = delete;
    TPlannerLoad& operator=(const TPlannerLoad&) = delete;

    // The collections as read, also when a file failed (then as far as it was read). Each
    // waits for its reading and can be taken once.
    [[nodiscard]] std::unique_ptr<THours> TakeHours();
    [[nodiscard]] std::unique_ptr<TProjects> TakeProjects();
    // Waits for the reading of `file`, then raises what it raised, if anything.
    void Finish(TDataFile file);

private:
    std::thread Start(TDataFile file);
    void Read(TDataFile file) noexcept;
    std::thread& ReaderOf(TDataFile file);
    void Wait(TDataFile file);

    std::unique_ptr<const TProgramFolder> Folder;
    std::unique_ptr<THours> Hours;
    std::unique_ptr<TProjects> Projects;
    std::array<std::exception_ptr, 3> Errors; // by TDataFile
    std::thread HoursReader;
    std::thread ProjectsReader; // the categories, then the projects
};
