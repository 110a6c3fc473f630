#pragma once
// The planner's model: categories, projects and their tasks. All text is Windows-1252.

#include "model/TOwnedList.h"
#include "model/TTextList.h"

#include <string>

class TProgramFolder;

class TTask {
public:
    TTask(bool done, std::string description, std::string notes, std::string startDate, std::string endDate);

    bool Done;
    std::string Description;
    std::string Notes; // may hold CR LF line breaks
    std::string StartDate;
    std::string EndDate;
};

class TProject {
public:
    std::string Name;
    TOwnedList<TTask> Tasks; // labelled with each task's description when added
    std::string Category;
    std::string StartDate;
    std::string EndDate;

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
};
