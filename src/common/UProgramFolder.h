#pragma once
// The program folder: the one place every file of the program is read from and written to.

#include "common/TFileBytes.h"

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class TTextSink;

class TProgramFolder {
public:
    explicit TProgramFolder(std::filesystem::path folder);
    virtual ~TProgramFolder() = default;
    TProgramFolder(const TProgramFolder&) = delete;
    TProgramFolder& operator=(const TProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return Folder; }
    std::filesystem::path PathOf(std::string_view name) const;

    // The name under which the file exists: `name` itself, else `writtenName` (the name the
    // program writes it under, when that differs), else the first (by byte order) entry
    // whose name differs from `name` only in ASCII letter case, as left by a copy from a
    // case-insensitive file system. None when none exists. Throws EFileError when that
    // cannot be told: the folder cannot be searched or listed, or a name cannot be looked up.
    [[nodiscard]] std::optional<std::string> ExistingName(std::string_view name,
                                                          std::string_view writtenName = {}) const;

    // The name to write a file under: the name it already exists under (see ExistingName),
    // so that no stale second copy appears, else `writtenName`.
    [[nodiscard]] std::string NameToWrite(std::string_view name, std::string_view writtenName) const;

    static constexpr std::size_t Unbounded = static_cast<std::size_t>(-1);

    // The whole file found by ExistingName, or none when it does not exist. Throws
    // EFileError when it exists but cannot be read, is not a regular file (a FIFO or a
    // device is never opened in a way that blocks or reads without end), or holds more than
    // `maxBytes` (refused before it is read). A link to a regular file is read through.
    [[nodiscard]] std::optional<std::string> ReadFile(std::string_view name, std::string_view writtenName = {},
                                                      std::size_t maxBytes = Unbounded) const;
    // The same, into bulk memory sized by the file, for the data files the model keeps.
    [[nodiscard]] std::optional<TFileBytes> ReadFileBytes(std::string_view name, std::string_view writtenName = {},
                                                          std::size_t maxBytes = Unbounded) const;

    // Replaces (or creates) the file `name` with `bytes` through a temporary file that is
    // flushed to disk and renamed over it, so a failed write leaves the old file whole. The
    // new file keeps the old one's permissions, and a link is followed to the file it names.
    // Throws EFileError, also when what stands under the name is not a regular file, which
    // is then left untouched.
    void WriteFile(std::string_view name, std::string_view bytes);
    // The same with the bytes `format` hands its sink, written as they come, so that a large
    // file is never held whole in memory.
    void WriteFile(std::string_view name, const std::function<void(TTextSink&)>& format);

    // Removes what saves cut short (the program killed mid-save) left behind: the temporary
    // files WriteFile names, for one of `names` in any letter case, whose process no longer
    // runs, and only regular files. Another running copy's temporaries stay. Returns the count
    // removed; nothing that fails stops it or is reported.
    int RemoveStaleTemporaryFiles(std::span<const std::string_view> names) const noexcept;

protected:
    // Opens `path` for reading with `flags`; returns the descriptor, or -1 with errno set.
    // Used for the data files and for listing the folder. A seam for tests of files and
    // folders that cannot be read, which root could read all the same.
    virtual int OpenToRead(const std::filesystem::path& path, int flags) const;
    // Reads part of a file into `buffer`; returns the count read, 0 at its end, or -1 with
    // errno set. A seam for tests of a disk that fails while reading.
    virtual ssize_t ReadSome(int fd, char* buffer, std::size_t size) const;
    // Writes part of `data`; returns the count written, or -1 with errno set. A seam for
    // tests that make a disk fill up.
    virtual ssize_t WriteSome(int fd, const char* data, std::size_t size);

private:
    [[nodiscard]] bool Exists(std::string_view name) const;
    [[nodiscard]] std::optional<std::string> NameInOtherCase(std::string_view name, std::string_view writtenName) const;
    void WriteAll(int fd, std::string_view bytes, std::string_view name);
    // WriteFile's replacement, with `write` filling the temporary file's descriptor.
    void Replace(std::string_view name, const std::function<void(int fd)>& write);

    std::filesystem::path Folder;
};
