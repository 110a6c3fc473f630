#include "model/UDataFiles.h"

#include "common/UErrors.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <algorithm>

namespace {

std::size_t IndexOf(TDataFile file)
{
    return static_cast<std::size_t>(file);
}

} // namespace

const char* DataFileName(TDataFile file)
{
    switch (file) {
    case TDataFile::Categories:
        return TProjects::CategoriesFileName;
    case TDataFile::Projects:
        return TProjects::NewProjectsFileName;
    case TDataFile::Hours:
        return THours::FileName;
    }
    return "";
}

void TUnreadDataFiles::Load(TDataFile file, const std::function<void()>& load)
{
    try {
        load();
        Reasons[IndexOf(file)].reset();
    } catch (const EFileError& error) {
        Reasons[IndexOf(file)] = error.what();
        throw;
    } catch (...) {
        // Whatever stopped the load (memory for a huge file, say), the model lacks the file.
        Reasons[IndexOf(file)] = "The file could not be read.";
        throw;
    }
}

bool TUnreadDataFiles::IsUnread(TDataFile file) const
{
    return Reasons[IndexOf(file)].has_value();
}

bool TUnreadDataFiles::Any() const
{
    return std::any_of(Reasons.begin(), Reasons.end(), [](const auto& reason) { return reason.has_value(); });
}

std::string TUnreadDataFiles::KeptNotice() const
{
    std::string notice;
    for (const TDataFile file : {TDataFile::Categories, TDataFile::Projects, TDataFile::Hours}) {
        if (!IsUnread(file))
            continue;
        if (!notice.empty())
            notice += "\n\n";
        notice += "\"" + std::string(DataFileName(file)) +
            "\" was not saved and was left as it is, because it could not be read when the program "
            "started:\n" +
            *Reasons[IndexOf(file)];
    }
    return notice;
}
