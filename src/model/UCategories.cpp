#include "model/UCategories.h"

#include "model/UProjects.h"

#include "common/USipHash.h"

#include <string_view>
#include <unordered_map>

namespace {

// Keyed per process: the names come from files that could be built to pile every name
// onto one bucket of a hash with a fixed seed.
struct TKeyedHash {
    std::size_t operator()(std::string_view name) const { return SipHash24(ProcessSipKey(), name); }
};

} // namespace

bool AddCategory(TProjects& projects, std::string name)
{
    if (projects.Categories.IndexOfIgnoringCase(name) != TTextList::NotFound)
        return false;
    projects.Categories.Append(std::move(name));
    return true;
}

void RenameCategory(TProjects& projects, int index, std::string newName)
{
    const std::string oldName(projects.Categories[index]);
    for (int p = 0; p < projects.Count(); ++p)
        if (projects[p].Category == oldName)
            projects[p].Category = newName;
    projects.Categories.Replace(index, std::move(newName));
}

bool CategoryHasProjects(const TProjects& projects, std::string_view name)
{
    for (int p = 0; p < projects.Count(); ++p)
        if (projects[p].Category == name)
            return true;
    return false;
}

bool DeleteCategory(TProjects& projects, int index)
{
    if (CategoryHasProjects(projects, projects.Categories[index]))
        return false;
    projects.Categories.Delete(index);
    return true;
}

std::vector<TCategoryNode> ProjectTreeLayout(const TProjects& projects)
{
    // Each listed name, once, mapped to its node; projects are then dealt out in one pass.
    const TTextList& categories = projects.Categories;
    std::vector<TCategoryNode> nodes;
    std::unordered_map<std::string_view, std::size_t, TKeyedHash> nodeOf;
    nodeOf.reserve(static_cast<std::size_t>(categories.Count()));
    for (int c = 0; c < categories.Count(); ++c) {
        if (nodeOf.emplace(categories[c], nodes.size()).second)
            nodes.push_back({c, {}});
    }
    for (int p = 0; p < projects.Count(); ++p) {
        const auto found = nodeOf.find(projects[p].Category);
        if (found != nodeOf.end())
            nodes[found->second].Projects.push_back(p);
    }
    return nodes;
}
