#include "model/UExportSet.h"

#include "model/UProjects.h"

TExportSet SelectForExport(const TProjects& projects, const THours& hours, const TExportScope& scope)
{
    TExportSet set;
    if (scope.Project >= 0) {
        set.Projects.push_back(&projects[scope.Project]);
        return set;
    }
    for (int p = 0; p < projects.Count(); ++p) {
        const std::string_view category = projects[p].Category;
        if (!scope.Category || category == *scope.Category)
            set.Projects.push_back(&projects[p]);
    }
    if (!scope.Category)
        set.Hours = &hours;
    return set;
}
