#pragma once

class TProgramFolder;
class THours;
class TProjects;
class TUnreadDataFiles;

// "Save Changes": the categories, then the projects, then the hours. A file that could not
// be read at start is skipped and left as it is (see TUnreadDataFiles::KeptNotice). The
// first file that cannot be written stops the sequence with its EFileError.
void SaveAll(const TProjects& projects, const THours& hours, TProgramFolder& folder, const TUnreadDataFiles& unread);
