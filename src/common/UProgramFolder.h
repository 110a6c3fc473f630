#pragma once
// The program folder: the one place every file of the program is read from and written to.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class TProgramFolder {
public:
    explicit TProgramFolder(std::filesystem::path folder);
    virtual ~TProgramFolder() = default;
    TProgramFolder(const TProgramFolder&) = delete;
    TProgramFolder& operator=(const TProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return Folder; }
    std::filesystem::path PathOf(std::string_view name) const;

    // The name under which the file exists: `name` itself, or else the first (by byte order)
    // entry whose name differs from it only in ASCII letter case, as left by a copy from a
    // case-insensitive file system. None when neither exists.
    std::optional<std::string> ExistingName(std::string_view name) const;

    // The name to write a file under: the name it already exists under (see ExistingName),
    // so that no stale second copy appears, else `newName`.
    std::string NameToWrite(std::string_view name, std::string_view newName) const;

    // The whole file found by ExistingName, or none when it does not exist.
    // Throws EFileError when it exists but cannot be read.
    std::optional<std::string> ReadFile(std::string_view name) const;

    // Replaces (or creates) the file `name` with `bytes` through a temporary file in the
    // folder that is flushed to disk and renamed over it, so a failed write leaves the old
    // file whole. Throws EFileError.
    void WriteFile(std::string_view name, std::string_view bytes);

protected:
    // Writes part of `data`; returns the count written, or -1 with errno set. A seam for
    // tests that make a disk fill up.
    virtual ssize_t WriteSome(int fd, const char* data, std::size_t size);

private:
    void WriteAll(int fd, std::string_view bytes, std::string_view name);

    std::filesystem::path Folder;
};
