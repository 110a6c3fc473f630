#pragma once
// The rules of categories, which are nothing but names in TProjects::Categories: a project
// belongs to the category whose name its Category equals byte for byte.

#include <string>
#include <string_view>
#include <vector>

class TProjects;

// Appends `name` as typed unless a category of that name, letter case ignored, exists.
// True when it was added.
bool AddCategory(TProjects& projects, std::string name);

// Gives the category at `index` the name `newName`, and every project filed under its old
// name (exactly) the new one. Projects whose Category differs in letter case stay behind.
void RenameCategory(TProjects& projects, int index, std::string newName);

// True when a project is filed under `name` exactly.
[[nodiscard]] bool CategoryHasProjects(const TProjects& projects, std::string_view name);

// Removes the category at `index` unless a project is filed under its name. True when it
// was removed.
bool DeleteCategory(TProjects& projects, int index);

// One category node of the project tree: its position in Categories and the positions of
// its projects, in the collection's order.
struct TCategoryNode {
    int Category = 0;
    std::vector<int> Projects;
};

// The tree's nodes in the order of Categories. A name listed more than once (the same text
// exactly) gets one node, at its first entry. Linear in categories plus projects.
[[nodiscard]] std::vector<TCategoryNode> ProjectTreeLayout(const TProjects& projects);
