#pragma once

class TProgramFolder;
class THours;
class TProjects;

// "Save Changes": the categories, then the projects, then the hours. The first file that
// cannot be written stops the sequence with its EFileError.
void SaveAll(const TProjects& projects, const THours& hours, TProgramFolder& folder);
