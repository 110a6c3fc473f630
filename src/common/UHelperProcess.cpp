#include "common/UHelperProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <thread>

#ifdef __has_feature
#define TASKWREN_HAS_FEATURE(feature) __has_feature(feature)
#else
#define TASKWREN_HAS_FEATURE(feature) 0
#endif

namespace {

#if defined(__SANITIZE_ADDRESS__) || TASKWREN_HAS_FEATURE(address_sanitizer)
constexpr bool LimitAddressSpace = false;
#else
constexpr bool LimitAddressSpace = true;
#endif

using TClock = std::chrono::steady_clock;

class TDescriptor {
public:
    explicit TDescriptor(int fd = -1)
        : Fd(fd)
    {
    }
    ~TDescriptor() { Close(); }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    [[nodiscard]] int Get() const { return Fd; }
    void Close()
    {
        if (Fd >= 0)
            ::close(Fd);
        Fd = -1;
    }

private:
    int Fd;
};

// The input as a file the helper reads from its start: no pipe to keep fed while it answers.
int InputFile(std::string_view input)
{
    const int fd = ::memfd_create("taskwren-helper-input", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    while (!input.empty()) {
        const ssize_t written = ::write(fd, input.data(), input.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            ::close(fd);
            return -1;
        }
        input.remove_prefix(static_cast<std::size_t>(written));
    }
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

int MillisecondsUntil(TClock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TClock::now()).count();
    return static_cast<int>(std::max<decltype(left)>(left, 0));
}

// Reads the answer up to its end; false when it passes `limit` or the deadline.
bool ReadAnswer(int fd, TClock::time_point deadline, std::size_t limit, std::string& answer)
{
    char buffer[65536];
    for (;;) {
        pollfd entry{fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (answer.size() + static_cast<std::size_t>(got) > limit)
            return false;
        answer.append(buffer, static_cast<std::size_t>(got));
    }
}

// The helper with whatever it started: they are a process group of their own.
void Kill(pid_t child)
{
    ::kill(-child, SIGKILL);
    ::kill(child, SIGKILL);
}

// The helper's wait status once it has ended, killing it at the deadline.
int AwaitEnd(pid_t child, TClock::time_point deadline)
{
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child || (ended < 0 && errno != EINTR))
            return status;
        if (TClock::now() >= deadline)
            Kill(child);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

std::optional<std::string> RunHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                                     std::string_view input, const THelperLimits& limits)
{
    const TClock::time_point deadline = TClock::now() + limits.Time;
    TDescriptor in(InputFile(input));
    int ends[2];
    if (in.Get() < 0 || ::pipe2(ends, O_CLOEXEC) != 0)
        return std::nullopt;
    TDescriptor answerEnd(ends[0]);
    TDescriptor helperEnd(ends[1]);

    // Everything the child needs is made before the fork: after it, the child of a process
    // with threads may call only what a signal handler may.
    std::string path = program.string();
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv{path.data()};
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const auto seconds = static_cast<rlim_t>(std::chrono::ceil<std::chrono::seconds>(limits.Time).count());
    const rlimit time{seconds, seconds};
    const rlimit memory{limits.AddressSpace, limits.AddressSpace};
    const rlimit noCore{0, 0};

    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        ::setpgid(0, 0);
        if (::dup2(in.Get(), STDIN_FILENO) < 0 || ::dup2(helperEnd.Get(), STDOUT_FILENO) < 0)
            ::_exit(127);
        ::setrlimit(RLIMIT_CPU, &time);
        ::setrlimit(RLIMIT_CORE, &noCore);
        if (LimitAddressSpace)
            ::setrlimit(RLIMIT_AS, &memory);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::setpgid(child, child); // also here, should the parent kill before the child has run
    helperEnd.Close();
    in.Close();
    std::string answer;
    const bool answered = ReadAnswer(answerEnd.Get(), deadline, limits.Output, answer);
    if (!answered)
        Kill(child);
    const int status = AwaitEnd(child, deadline);
    if (!answered || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return answer;
}
