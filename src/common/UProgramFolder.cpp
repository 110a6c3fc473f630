#include "common/UProgramFolder.h"

#include "common/TTextSink.h"
#include "common/UAsciiText.h"
#include "common/UErrors.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

namespace {

std::string Quoted(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

[[noreturn]] void Fail(const char* action, std::string_view name, int error)
{
    throw EFileError(std::string("Cannot ") + action + " " + Quoted(name) + ": " + std::strerror(error));
}

// Without the listing no file of another letter case can be ruled out.
[[noreturn]] void FailListing(const std::filesystem::path& folder, int error)
{
    throw EFileError("Cannot list the program folder " + Quoted(folder.string()) + ": " + std::strerror(error));
}

// A FIFO, a device, a folder or a socket under a data file's name is never read or replaced.
[[noreturn]] void FailNotRegular(const char* action, std::string_view name)
{
    throw EFileError(std::string("Cannot ") + action + " " + Quoted(name) + ": Not a regular file");
}

[[noreturn]] void FailTooLarge(std::string_view name, std::size_t maxBytes)
{
    throw EFileError("Cannot read " + Quoted(name) + ": larger than " + std::to_string(maxBytes) + " bytes");
}

// Closes a descriptor on every way out.
class TFileHandle {
public:
    explicit TFileHandle(int fd)
        : Fd(fd)
    {
    }
    ~TFileHandle() { Close(); }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    int Get() const { return Fd; }
    int Close()
    {
        const int result = Fd >= 0 ? ::close(Fd) : 0;
        Fd = -1;
        return result;
    }

private:
    int Fd;
};

constexpr std::string_view TemporarySuffix = ".tmp";

std::string TemporaryNameFor(std::string_view name)
{
    static std::atomic<unsigned> counter{0};
    return "." + std::string(name) + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) +
        std::string(TemporarySuffix);
}

// A decimal number as std::to_string writes it: digits, no leading zero.
bool IsWrittenNumber(std::string_view digits)
{
    return !digits.empty() && digits.size() <= 19 && (digits.size() == 1 || digits.front() != '0') &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The file name and process id inside a name TemporaryNameFor made; none for any other name.
std::optional<std::pair<std::string_view, long long>> ReadTemporaryName(std::string_view entry)
{
    if (entry.size() < 1 + TemporarySuffix.size() || entry.front() != '.' || !entry.ends_with(TemporarySuffix))
        return std::nullopt;
    entry = entry.substr(1, entry.size() - 1 - TemporarySuffix.size());
    const auto counterDot = entry.rfind('.');
    if (counterDot == std::string_view::npos || counterDot == 0 || !IsWrittenNumber(entry.substr(counterDot + 1)))
        return std::nullopt;
    const auto pidDot = entry.rfind('.', counterDot - 1);
    if (pidDot == std::string_view::npos || pidDot == 0)
        return std::nullopt;
    const std::string_view digits = entry.substr(pidDot + 1, counterDot - pidDot - 1);
    long long pid = 0;
    if (!IsWrittenNumber(digits) ||
        std::from_chars(digits.data(), digits.data() + digits.size(), pid).ec != std::errc())
        return std::nullopt;
    return std::pair(entry.substr(0, pidDot), pid);
}

// Another copy of the program may be saving through that file right now.
bool ProcessIsAlive(long long pid)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

TProgramFolder::TProgramFolder(std::filesystem::path folder)
    : Folder(std::move(folder))
{
}

std::filesystem::path TProgramFolder::PathOf(std::string_view name) const
{
    return Folder / std::filesystem::path(std::string(name));
}

bool TProgramFolder::Exists(std::string_view name) const
{
    struct stat info { };
    if (::stat(PathOf(name).c_str(), &info) == 0)
        return true;
    if (errno == ENOENT) // a link to nothing counts as no file
        return false;
    Fail("open", name, errno);
}

std::optional<std::string> TProgramFolder::NameInOtherCase(std::string_view name, std::string_view writtenName) const
{
    const int fd = OpenToRead(Folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        FailListing(Folder, errno);
    std::unique_ptr<DIR, int (*)(DIR*)> listing(::fdopendir(fd), &::closedir);
    if (!listing) {
        const int error = errno;
        ::close(fd);
        FailListing(Folder, error);
    }
    std::optional<std::string> found;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(listing.get());
        if (entry == nullptr) {
            if (errno != 0)
                FailListing(Folder, errno);
            return found;
        }
        const std::string_view candidate = entry->d_name;
        if (candidate != name && candidate != writtenName && EqualsIgnoringAsciiCase(candidate, name) &&
            (!found || candidate < *found))
            found = std::string(candidate);
    }
}

std::optional<std::string> TProgramFolder::ExistingName(std::string_view name, std::string_view writtenName) const
{
    if (Exists(name))
        return std::string(name);
    if (!writtenName.empty() && writtenName != name && Exists(writtenName))
        return std::string(writtenName);
    return NameInOtherCase(name, writtenName);
}

std::string TProgramFolder::NameToWrite(std::string_view name, std::string_view writtenName) const
{
    auto existing = ExistingName(name, writtenName);
    return existing ? std::move(*existing) : std::string(writtenName);
}

std::optional<std::string> TProgramFolder::ReadFile(std::string_view name, std::string_view writtenName,
                                                    std::size_t maxBytes) const
{
    auto bytes = ReadFileBytes(name, writtenName, maxBytes);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->View());
}

std::optional<TFileBytes> TProgramFolder::ReadFileBytes(std::string_view name, std::string_view writtenName,
                                                        std::size_t maxBytes) const
{
    const auto existing = ExistingName(name, writtenName);
    if (!existing)
        return std::nullopt;
    const std::filesystem::path path = PathOf(*existing);
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        Fail("open", *existing, errno);
    if (!S_ISREG(info.st_mode))
        FailNotRegular("read", *existing);
    // Never blocks, should a FIFO have taken the file's place since the look above.
    TFileHandle file(OpenToRead(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0)
        Fail("open", *existing, errno);
    if (::fstat(file.Get(), &info) != 0)
        Fail("read", *existing, errno);
    if (!S_ISREG(info.st_mode))
        FailNotRegular("read", *existing);
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        FailTooLarge(*existing, maxBytes);
    // Read straight into memory of the file's size; a file that grows meanwhile is read to its end.
    TFileBytes bytes(static_cast<std::size_t>(info.st_size));
    char beyond[4096]; // tells the end of a file of the size it had from one that grew
    for (;;) {
        const bool full = bytes.Room() == 0;
        const ssize_t count = full ? ReadSome(file.Get(), beyond, sizeof beyond)
                                   : ReadSome(file.Get(), bytes.Data() + bytes.Size(), bytes.Room());
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            Fail("read", *existing, errno);
        }
        if (static_cast<std::size_t>(count) > maxBytes - bytes.Size())
            FailTooLarge(*existing, maxBytes); // it grew while being read
        if (full) {
            bytes.MakeRoom(static_cast<std::size_t>(count));
            std::memcpy(bytes.Data() + bytes.Size(), beyond, static_cast<std::size_t>(count));
        }
        bytes.Grow(static_cast<std::size_t>(count));
    }
    return bytes;
}

void TProgramFolder::WriteFile(std::string_view name, std::string_view bytes)
{
    Replace(name, [&](int fd) { WriteAll(fd, bytes, name); });
}

void TProgramFolder::WriteFile(std::string_view name, const std::function<void(TTextSink&)>& format)
{
    Replace(name, [&](int fd) {
        TTextSink sink([&](std::string_view bytes) { WriteAll(fd, bytes, name); });
        format(sink);
        sink.Finish();
    });
}

void TProgramFolder::Replace(std::string_view name, const std::function<void(int fd)>& write)
{
    // A linked data file is replaced where it really lies, next to it.
    std::error_code error;
    std::filesystem::path target = PathOf(name);
    if (std::filesystem::is_symlink(target, error)) {
        auto real = std::filesystem::weakly_canonical(target, error);
        if (!error)
            target = std::move(real);
    }
    const std::filesystem::path folder = target.parent_path();
    struct stat old { };
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT)
        Fail("replace", name, errno);
    if (replacing && !S_ISREG(old.st_mode))
        FailNotRegular("replace", name);

    std::filesystem::path temporary;
    int fd = -1;
    do {
        temporary = folder / TemporaryNameFor(name);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0)
        Fail("create", name, errno);

    TFileHandle file(fd);
    try {
        if (replacing) { // keep who may read the old file
            ::fchmod(file.Get(), old.st_mode & 07777);
            [[maybe_unused]] const int ignored = ::fchown(file.Get(), old.st_uid, old.st_gid);
        }
        write(file.Get());
        if (::fsync(file.Get()) != 0)
            Fail("write", name, errno);
        if (file.Close() != 0)
            Fail("write", name, errno);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            Fail("replace", name, errno);
    } catch (...) {
        file.Close();
        ::unlink(temporary.c_str());
        throw;
    }
    // Make the rename itself durable; a failure here no longer endangers the old data.
    TFileHandle directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0)
        ::fsync(directory.Get());
}

int TProgramFolder::RemoveStaleTemporaryFiles(std::span<const std::string_view> names) const noexcept
{
    const int fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    std::unique_ptr<DIR, int (*)(DIR*)> listing(::fdopendir(fd), &::closedir);
    if (!listing) {
        ::close(fd);
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(listing.get())) {
        const auto temporary = ReadTemporaryName(entry->d_name);
        if (!temporary || ProcessIsAlive(temporary->second) ||
            std::none_of(names.begin(), names.end(),
                         [&](std::string_view name) { return EqualsIgnoringAsciiCase(temporary->first, name); }))
            continue;
        struct stat info { };
        if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            ::unlinkat(fd, entry->d_name, 0) == 0)
            ++removed;
    }
    return removed;
}

int TProgramFolder::OpenToRead(const std::filesystem::path& path, int flags) const
{
    return ::open(path.c_str(), flags);
}

ssize_t TProgramFolder::ReadSome(int fd, char* buffer, std::size_t size) const
{
    return ::read(fd, buffer, size);
}

ssize_t TProgramFolder::WriteSome(int fd, const char* data, std::size_t size)
{
    return ::write(fd, data, size);
}

void TProgramFolder::WriteAll(int fd, std::string_view bytes, std::string_view name)
{
    while (!bytes.empty()) {
        const ssize_t count = WriteSome(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            Fail("write", name, count < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}
