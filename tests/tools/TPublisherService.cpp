#include "TPublisherService.h"

#include "http/LoopbackPort.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const std::string PublisherDir = TASKWREN_PUBLISHER_DIR;

// Starts `arguments` (the first a full path) with `environment` in a new process group,
// reading `input` and writing its output to `output`, its errors to `errors` (the same file
// when they are equal). The server dies with the test, even when the test crashes: the death
// signal comes when the forking thread ends, so the service must not outlive that thread.
pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            const std::string& input, const std::string& output, const std::string& errors)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    const bool sharedOutput = errors == output;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec: the test may run other threads.
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        const int in = ::open(input.c_str(), O_RDONLY);
        const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = sharedOutput ? out : ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in == -1 || out == -1 || err == -1 || ::dup2(in, 0) == -1 || ::dup2(out, 1) == -1 || ::dup2(err, 2) == -1)
            ::_exit(127);
        ::close_range(3, ~0U, 0); // none of the test's sockets or files
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    if (pid == -1)
        throw std::runtime_error("cannot fork");
    ::setpgid(pid, pid); // also here, so that no signal to the group comes before the child's own call
    return pid;
}

// The database server the tests run against instead of SQLite; empty for none.
std::string TestDatabaseServer()
{
    const char* server = std::getenv("TASKWREN_TEST_DATABASE");
    return server == nullptr ? "" : server;
}

// This process's environment with the service's database in place of any the caller set.
std::vector<std::string> ServiceEnvironment(const std::string& dsn)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry)
        if (!std::string_view(*entry).starts_with("TASKWREN_NEWS_"))
            environment.emplace_back(*entry);
    environment.push_back("TASKWREN_NEWS_DSN=" + dsn);
    for (const char* account : {"USER", "PASSWORD"})
        if (const char* value = std::getenv((std::string("TASKWREN_TEST_DATABASE_") + account).c_str()))
            environment.push_back(std::string("TASKWREN_NEWS_") + account + "=" + value);
    return environment;
}

} // namespace

std::string AddedNewsId(const std::string& adminOutput)
{
    const std::string lead = "added news ";
    if (!adminOutput.starts_with(lead))
        return "";
    return adminOutput.substr(lead.size(), adminOutput.find(' ', lead.size()) - lead.size());
}

TPublisherService::TPublisherService()
{
    if (TestDatabaseServer().empty()) {
        Dsn = "sqlite:" + Folder.File("news.sqlite");
    } else {
        static int made = 0;
        ScratchName = "taskwren_test_" + std::to_string(::getpid()) + "_" + std::to_string(++made);
        const TAdminRun created = ScratchDatabase("create");
        if (created.Status != 0)
            throw std::runtime_error("cannot make a scratch database on " + TestDatabaseServer() + ": " + created.Err);
        Dsn = created.Out;
    }
    Admin({"init"});
    // A document root of its own: the scripts linked from the service, the update directory
    // a copy that the test may rewrite.
    const std::filesystem::path root = Folder.Path() / "public";
    std::filesystem::create_directories(root / "liveupdate" / "taskwren");
    for (const char* script : {"getlastnews.php", "getnewsdetails.php"})
        std::filesystem::create_symlink(PublisherDir + "/public/" + script, root / script);
    std::filesystem::copy_file(PublisherDir + "/public/liveupdate/taskwren/mainappupdate.inf",
                               root / "liveupdate" / "taskwren" / "mainappupdate.inf");
    for (int attempt = 1;; ++attempt) {
        PortNumber = FreeLoopbackPort();
        const std::string log = Start();
        if (log.empty())
            return;
        if (attempt == 5 || log.find("Address already in use") == std::string::npos)
            throw std::runtime_error("php -S did not start (php-cli installed?): " + log);
    }
}

std::string TPublisherService::Start()
{
    const std::string logFile = Folder.File("server.log");
    Pid = Spawn({TASKWREN_PHP, "-S", "127.0.0.1:" + std::to_string(PortNumber), "-t", Folder.File("public")},
                 ServiceEnvironment(Dsn), "/dev/null", logFile, logFile);
    // PHP says so once it holds the port; a bare connection could reach a stranger.
    const std::string started = "(http://127.0.0.1:" + std::to_string(PortNumber) + ") started";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ServerLog().find(started) == std::string::npos || !LoopbackAccepts(PortNumber)) {
        int status = 0;
        const bool exited = ::waitpid(Pid, &status, WNOHANG) == Pid;
        if (exited || std::chrono::steady_clock::now() > deadline) {
            if (!exited) {
                ::kill(-Pid, SIGKILL);
                ::waitpid(Pid, &status, 0);
            }
            Pid = -1;
            const std::string log = ServerLog();
            return log.empty() ? "no output" : log;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

TPublisherService::~TPublisherService()
{
    if (Pid > 0) {
        ::kill(-Pid, SIGTERM);
        int status = 0;
        for (int waited = 0; ::waitpid(Pid, &status, WNOHANG) == 0; ++waited) {
            if (waited == 200) { // two seconds
                ::kill(-Pid, SIGKILL);
                ::waitpid(Pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (!ScratchName.empty())
        static_cast<void>(ScratchDatabase("drop"));
}

std::string TPublisherService::BaseAddress() const
{
    return "http://127.0.0.1:" + std::to_string(PortNumber) + "/";
}

std::string TPublisherService::UpdateBaseAddress() const
{
    return BaseAddress() + "liveupdate/taskwren/";
}

void TPublisherService::WriteUpdateDescription(const std::string& text) const
{
    Folder.Write("public/liveupdate/taskwren/mainappupdate.inf", text);
}

std::string TPublisherService::Admin(const std::vector<std::string>& arguments) const
{
    const TAdminRun run = RunAdmin(arguments);
    if (run.Status == 127 && run.Err.empty())
        throw std::runtime_error("cannot run " TASKWREN_PHP ": install the Debian packages php-cli and php-sqlite3");
    if (run.Status != 0)
        throw std::runtime_error("admin.php failed (" + std::to_string(run.Status) + "): " + run.Err);
    return run.Out;
}

TAdminRun TPublisherService::RunAdmin(const std::vector<std::string>& arguments, const std::string& input) const
{
    return RunPhp(PublisherDir + "/admin.php", arguments, input);
}

void TPublisherService::Sql(const std::string& statement) const
{
    const TAdminRun run = RunPhp(TASKWREN_TEST_TOOLS_DIR "/database.php", {"exec", statement});
    if (run.Status != 0)
        throw std::runtime_error("SQL failed: " + statement + ": " + run.Out + run.Err);
}

void TPublisherService::RemoveDatabase() const
{
    if (ScratchName.empty())
        std::filesystem::remove(Folder.File("news.sqlite"));
    else if (ScratchDatabase("drop").Status != 0)
        throw std::runtime_error("cannot drop " + ScratchName);
}

bool TPublisherService::DatabaseExists() const
{
    if (ScratchName.empty())
        return std::filesystem::exists(Folder.File("news.sqlite"));
    return ScratchDatabase("exists").Status == 0;
}

void TPublisherService::CreateEmptyDatabase() const
{
    if (ScratchName.empty())
        Folder.Write("news.sqlite", "");
    else if (ScratchDatabase("create").Status != 0)
        throw std::runtime_error("cannot create " + ScratchName);
}

TAdminRun TPublisherService::ScratchDatabase(const std::string& command) const
{
    return RunPhp(TASKWREN_TEST_TOOLS_DIR "/database.php", {command, ScratchName});
}

TAdminRun TPublisherService::RunPhp(const std::string& script, const std::vector<std::string>& arguments,
                                    const std::string& input) const
{
    std::vector<std::string> command{TASKWREN_PHP, script};
    command.insert(command.end(), arguments.begin(), arguments.end());
    Folder.Write("admin.in", input);
    const pid_t pid = Spawn(command, ServiceEnvironment(Dsn), Folder.File("admin.in"), Folder.File("admin.out"),
                            Folder.File("admin.err"));
    int status = 0;
    pid_t ended;
    while ((ended = ::waitpid(pid, &status, 0)) == -1 && errno == EINTR) { }
    TAdminRun run;
    run.Status = ended == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = Folder.Read("admin.out");
    run.Err = Folder.Read("admin.err");
    return run;
}
