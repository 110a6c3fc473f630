#pragma once
// A program folder whose reads fail on cue, for the faults that root, who runs the tests,
// would read straight through: no permission on a file or on the folder, a failing disk.

#include "common/UProgramFolder.h"

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>

class TFaultyFolder : public TProgramFolder {
public:
    using TProgramFolder::TProgramFolder;

    // Opening these names (or "" for the folder itself) fails with EACCES.
    std::set<std::string> Denied;
    // Reading any opened file fails with EIO.
    bool DiskFails = false;

protected:
    int OpenToRead(const std::filesystem::path& path, int flags) const override
    {
        const std::string name = path == Path() ? std::string() : path.filename().string();
        if (Denied.count(name) != 0) {
            errno = EACCES;
            return -1;
        }
        return TProgramFolder::OpenToRead(path, flags);
    }

    ssize_t ReadSome(int fd, char* buffer, std::size_t size) const override
    {
        if (DiskFails) {
            errno = EIO;
            return -1;
        }
        return TProgramFolder::ReadSome(fd, buffer, size);
    }
};
