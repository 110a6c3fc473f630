#include "common/UProgramFolder.h"

#include "common/UAsciiText.h"
#include "common/UErrors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

std::string Quoted(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

[[noreturn]] void Fail(const char* action, std::string_view name, int error)
{
    throw EFileError(std::string("Cannot ") + action + " " + Quoted(name) + ": " + std::strerror(error));
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

std::string TemporaryNameFor(std::string_view name)
{
    static std::atomic<unsigned> counter{0};
    return "." + std::string(name) + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
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

std::optional<std::string> TProgramFolder::ExistingName(std::string_view name, std::string_view writtenName) const
{
    std::error_code error;
    if (std::filesystem::exists(PathOf(name), error))
        return std::string(name);
    if (!writtenName.empty() && std::filesystem::exists(PathOf(writtenName), error))
        return std::string(writtenName);
    std::optional<std::string> found;
    for (std::filesystem::directory_iterator it(Folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (EqualsIgnoringAsciiCase(candidate, name) && (!found || candidate < *found))
            found = std::move(candidate);
    }
    return found;
}

std::string TProgramFolder::NameToWrite(std::string_view name, std::string_view writtenName) const
{
    auto existing = ExistingName(name, writtenName);
    return existing ? std::move(*existing) : std::string(writtenName);
}

std::optional<std::string> TProgramFolder::ReadFile(std::string_view name, std::string_view writtenName) const
{
    const auto existing = ExistingName(name, writtenName);
    if (!existing)
        return std::nullopt;
    TFileHandle file(::open(PathOf(*existing).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        Fail("open", *existing, errno);
    struct stat info { };
    std::string bytes;
    if (::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode))
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            Fail("read", *existing, errno);
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

void TProgramFolder::WriteFile(std::string_view name, std::string_view bytes)
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
        struct stat old { };
        if (::stat(target.c_str(), &old) == 0) { // keep who may read the old file
            ::fchmod(file.Get(), old.st_mode & 07777);
            [[maybe_unused]] const int ignored = ::fchown(file.Get(), old.st_uid, old.st_gid);
        }
        WriteAll(file.Get(), bytes, name);
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
