#pragma once
// The planner's model: categories, projects and their tasks. All text is Windows-1252.

#include "common/TFileBytes.h"
#include "model/TOwnedList.h"
#include "model/TText.h"
#include "model/TTextList.h"

#include <memory>
#include <memory_resource>
#include <string_view>
#include <vector>

class TProgramFolder;

class TTask {
public:
    TTask(bool done, TText description, TText notes, TText startDate, TText endDate) noexcept
        : Done(done)
        , Description(std::move(description))
        , Notes(std::move(notes))
        , StartDate(std::move(startDate))
        , EndDate(std::move(endDate))
    {
    }

    bool Done;
    TText Description;
    TText Notes; // may hold CR LF line breaks
    TText StartDate;
    TText EndDate;
};

class TProject {
public:
    TText Name;
    TOwnedList<TTask> Tasks; // labelled with each task's description when added
    TText Category;
    TText StartDate;
    TText EndDate;

    void ClearTasks() { Tasks.Clear(); }
    // Replaces the tasks by the eleven tasks of the default to-do list.
    void CreateDefaultTasks();
    [[nodiscard]] int CountDoneTasks() const;
    // The done share in whole percent, an exact half rounded to even; 0 without tasks.
    [[nodiscard]] int DonePercent() const;
};

// The projects, labelled with their names when added or last renamed, and the categories.
class TProjects : public TOwnedList<TProject> {
public:
    static constexpr const char* CategoriesFileName = "categories.dat";
    static constexpr const char* ProjectsFileName = "projects.dat";
    static constexpr const char* NewProjectsFileName = "Projects.dat";

    TTextList Categories;

    TProjects() = default;
    TProjects(TProjects&&) = default;
    TProjects& operator=(TProjects&&) = default;
    ~TProjects();

    // The first project whose Name equals `name` byte for byte; sets `index` to its
    // position. Returns nullptr and leaves `index` alone when there is none.
    [[nodiscard]] TProject* FindProjectByName(std::string_view name, int& index);

    // Replaces Categories by the lines of the categories file, when it exists.
    void LoadCategories(const TProgramFolder& folder);
    // Appends the projects of the projects file, when it exists.
    void LoadProjects(const TProgramFolder& folder);
    void SaveCategories(TProgramFolder& folder) const;
    // Writes under the name an existing projects file has, else as "Projects.dat".
    void SaveProjects(TProgramFolder& folder) const;

    // Keeps the bytes of a projects file read, and the arena its tasks were placed in, for as
    // long as the collection lives: the texts read from it are views into those bytes.
    void Keep(TFileBytes bytes, std::unique_ptr<std::pmr::memory_resource> arena);

private:
    std::vector<TFileBytes> Files;
    std::vector<std::unique_ptr<std::pmr::memory_resource>> Arenas;
};
