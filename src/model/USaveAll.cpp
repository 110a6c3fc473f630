#include "model/USaveAll.h"

#include "model/UHours.h"
#include "model/UProjects.h"

void SaveAll(const TProjects& projects, const THours& hours, TProgramFolder& folder)
{
    projects.SaveCategories(folder);
    projects.SaveProjects(folder);
    hours.SaveHours(folder);
}
