#include "model/USaveAll.h"

#include "model/UDataFiles.h"
#include "model/UHours.h"
#include "model/UProjects.h"

void SaveAll(const TProjects& projects, const THours& hours, TProgramFolder& folder, const TUnreadDataFiles& unread)
{
    if (!unread.IsUnread(TDataFile::Categories))
        projects.SaveCategories(folder);
    if (!unread.IsUnread(TDataFile::Projects))
        projects.SaveProjects(folder);
    if (!unread.IsUnread(TDataFile::Hours))
        hours.SaveHours(folder);
}
