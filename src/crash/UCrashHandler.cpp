#include "crash/UCrashHandler.h"

#include "brand/UAppVersion.h"
#include "crash/UCrashLog.h"

#include <execinfo.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <exception>
#include <string_view>

namespace {

constexpr std::array FatalSignals{SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int MaxFrames = 64;
constexpr unsigned ReportSeconds = 10; // a report that takes longer is given up
constexpr std::size_t AlternateStackBytes = 256 * 1024;

// Text built without allocating: appended to a fixed buffer, cut when it is full.
template <std::size_t Capacity>
class TFixedText {
public:
    void Clear() { Length = 0; }
    TFixedText& operator<<(std::string_view text)
    {
        const std::size_t taken = std::min(text.size(), Capacity - Length);
        std::memcpy(Buffer + Length, text.data(), taken);
        Length += taken;
        return *this;
    }
    TFixedText& operator<<(unsigned long long number)
    {
        char digits[20];
        std::size_t count = 0;
        do {
            digits[sizeof digits - 1 - count++] = static_cast<char>('0' + number % 10);
            number /= 10;
        } while (number != 0);
        return *this << std::string_view(digits + sizeof digits - count, count);
    }
    // Two digits at least, as in a time.
    TFixedText& Padded(unsigned number) { return *this << (number < 10 ? "0" : "") << number; }
    // What a file holds from its start, as much as fits.
    void AppendFile(int fd)
    {
        for (off_t offset = 0; Length < Capacity;) {
            const ssize_t got = ::pread(fd, Buffer + Length, Capacity - Length, offset);
            if (got <= 0)
                break;
            Length += static_cast<std::size_t>(got);
            offset += got;
        }
    }
    void Replace(char from, char to) { std::replace(Buffer, Buffer + Length, from, to); }
    [[nodiscard]] std::string_view Text() const { return {Buffer, Length}; }
    // The text with a terminating zero, for a file name; cut to fit.
    [[nodiscard]] const char* CString()
    {
        Buffer[std::min(Length, Capacity - 1)] = '\0';
        return Buffer;
    }

private:
    char Buffer[Capacity];
    std::size_t Length = 0;
};

// Everything reporting uses, set up at installation.
int FolderFd = -1;
int ScratchFd = -1;
char LogPath[1024];
struct utsname Platform;
TFixedText<16 * 1024> Report;
char OlderLog[MaxCrashLogBytes];
alignas(16) char AlternateStack[AlternateStackBytes];
std::atomic<int> ReportingSignal{0};
std::atomic<pid_t> ReportingThread{0};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string_view SignalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV, a segmentation fault";
    case SIGBUS:
        return "SIGBUS, a bus error";
    case SIGFPE:
        return "SIGFPE, an arithmetic error";
    case SIGILL:
        return "SIGILL, an illegal instruction";
    case SIGABRT:
        return "SIGABRT, an abort";
    default:
        return "a fatal signal";
    }
}

void Handle(int signal, void (*handler)(int))
{
    struct sigaction action { };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // On a stack of its own, so that a stack overflow is reported too; a fault inside the
    // handler enters it again, which then ends the process.
    action.sa_flags = SA_ONSTACK | SA_NODEFER;
    ::sigaction(signal, &action, nullptr);
}

// Ends the process with `signal`'s usual status, whatever state reporting is in.
[[noreturn]] void EndWith(int signal)
{
    Handle(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

// Returns only for the one report of the process. A fault while reporting ends the process
// as the first one would have; another thread's fault waits for the report to end it.
void ClaimReport(int signal)
{
    int first = 0;
    if (ReportingSignal.compare_exchange_strong(first, signal)) {
        ReportingThread = ::gettid();
        return;
    }
    if (ReportingThread == ::gettid())
        EndWith(first);
    for (;;)
        ::pause();
}

// A report that hangs (a disk that does not answer, a lock held by the crashed code) is given up.
void OnReportTimeout(int)
{
    EndWith(ReportingSignal);
}

// The date and time in UTC, computed by hand: gmtime_r may take locks.
void AppendTime(std::time_t now)
{
    const long long days = now / 86400;
    const auto seconds = static_cast<unsigned>(now % 86400);
    // The civil date of a day count since 1970 (H. Hinnant's civil_from_days).
    const long long shifted = days + 719468;
    const long long era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(shifted - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthFromMarch = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const unsigned month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const auto year = static_cast<unsigned long long>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    Report << "Time: " << year << "-";
    Report.Padded(month) << "-";
    Report.Padded(day) << " ";
    Report.Padded(seconds / 3600) << ":";
    Report.Padded(seconds / 60 % 60) << ":";
    Report.Padded(seconds % 60) << " UTC\n";
}

void BuildReport(std::string_view what)
{
    Report.Clear();
    Report << NewCrashReportHeader << "Taskwren " << AppVersion << " closed unexpectedly: " << what << "\n";
    AppendTime(std::time(nullptr));
    Report << "Platform: " << Platform.sysname << " " << Platform.release << " " << Platform.machine << "\n";
    Report << "Process: " << static_cast<unsigned long long>(::getpid()) << "\nStack:\n";
    void* frames[MaxFrames];
    const int count = ::backtrace(frames, MaxFrames);
    if (ScratchFd >= 0 && ::ftruncate(ScratchFd, 0) == 0) {
        ::backtrace_symbols_fd(frames, count, ScratchFd);
        Report.AppendFile(ScratchFd);
    }
    Report << "\n";
}

// The older reports that fit in `room` after the new one, whole: one cut in two is dropped.
std::string_view OlderReports(std::size_t room)
{
    const int fd = ::openat(FolderFd, CrashLogName.data(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info { };
    std::size_t length = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        while (length < room) {
            const ssize_t got = ::read(fd, OlderLog + length, room - length);
            if (got <= 0)
                break;
            length += static_cast<std::size_t>(got);
        }
    }
    ::close(fd);
    std::string_view older(OlderLog, length);
    if (length != static_cast<std::size_t>(info.st_size)) {
        const std::size_t lastStart = older.rfind(CrashReportBoundary);
        older = older.substr(0, lastStart == std::string_view::npos ? 0 : lastStart + 1);
    }
    return older;
}

// The report at the top of the log, through a temporary file renamed over it; false when the
// folder does not take it.
bool WriteToLog()
{
    if (FolderFd < 0)
        return false;
    // The pattern of the program folder's temporary files: the next start removes one that a
    // failed report leaves behind.
    TFixedText<128> temporary;
    temporary << "." << CrashLogName << "." << static_cast<unsigned long long>(::getpid()) << ".0.tmp";
    const char* name = temporary.CString();
    const int fd = ::openat(FolderFd, name, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const std::string_view report = Report.Text();
    bool written =
        WriteAll(fd, report) && WriteAll(fd, OlderReports(MaxCrashLogBytes - report.size())) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written && ::renameat(FolderFd, name, FolderFd, CrashLogName.data()) == 0)
        return true;
    ::unlinkat(FolderFd, name, 0);
    return false;
}

[[noreturn]] void ReportAndEnd(int signal, std::string_view what)
{
    Handle(SIGALRM, OnReportTimeout);
    ::alarm(ReportSeconds);
    BuildReport(what);
    if (WriteToLog()) {
        static_cast<void>(WriteAll(STDERR_FILENO, "Taskwren closed unexpectedly; the report is in "));
        static_cast<void>(WriteAll(STDERR_FILENO, LogPath));
        static_cast<void>(WriteAll(STDERR_FILENO, "\n"));
    } else {
        static_cast<void>(WriteAll(STDERR_FILENO, Report.Text()));
    }
    EndWith(signal);
}

void OnFatalSignal(int signal)
{
    ClaimReport(signal);
    ReportAndEnd(signal, SignalName(signal));
}

void OnTerminate()
{
    ClaimReport(SIGABRT);
    // Not in a signal handler: the exception may be asked for its message.
    static TFixedText<1024> what;
    what << "uncaught exception: ";
    if (const std::exception_ptr error = std::current_exception()) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            what << e.what();
        } catch (...) {
            what << "of unknown type";
        }
    } else {
        what << "none (std::terminate called)";
    }
    // One line, so that nothing in it can pass for the start of another report.
    what.Replace('\n', ' ');
    what.Replace('\r', ' ');
    ReportAndEnd(SIGABRT, what.Text());
}

} // namespace

void InstallCrashHandler(const std::filesystem::path& folder)
{
    FolderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ScratchFd = ::memfd_create("taskwren-crash-stack", MFD_CLOEXEC);
    std::strncpy(LogPath, (folder / CrashLogName).c_str(), sizeof LogPath - 1);
    if (::uname(&Platform) != 0)
        std::strcpy(Platform.sysname, "unknown");
    // backtrace loads its unwinder on first use, which allocates: not in a signal handler.
    void* frames[1];
    static_cast<void>(::backtrace(frames, 1));

    stack_t stack{};
    stack.ss_sp = AlternateStack;
    stack.ss_size = sizeof AlternateStack;
    ::sigaltstack(&stack, nullptr);
    for (const int signal : FatalSignals)
        Handle(signal, OnFatalSignal);
    std::set_terminate(OnTerminate);
}
