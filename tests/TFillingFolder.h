#pragma once
// A program folder whose disk fills up after a number of bytes, counted over all writes.

#include "common/UProgramFolder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

class TFillingFolder : public TProgramFolder {
public:
    TFillingFolder(const std::filesystem::path& path, std::size_t room)
        : TProgramFolder(path)
        , Room(room)
    {
    }

protected:
    ssize_t WriteSome(int fd, const char* data, std::size_t size) override
    {
        if (Room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t count = std::min(size, Room);
        Room -= count;
        return TProgramFolder::WriteSome(fd, data, count);
    }

private:
    std::size_t Room;
};
