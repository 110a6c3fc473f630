#include "crash/UCrashHandler.h"
#include "crash/UCrashLog.h"

#include "TTempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csignal>

extern char** environ;

namespace {

struct TCrash {
    const char* How;
    int Signal;
    const char* Says;
};

// Runs the crashing program for `folder`, its standard error into `errors`; its wait status.
int RunCrashing(const std::filesystem::path& folder, const char* how, const std::string& errors)
{
    // The sanitizers' own handlers step aside for the program's, as in a normal build.
    ::setenv("ASAN_OPTIONS", "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0", 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string folderText = folder.string();
    char* argv[] = {const_cast<char*>(TASKWREN_CRASHING_PROGRAM), const_cast<char*>(folderText.c_str()),
                    const_cast<char*>(how), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, TASKWREN_CRASHING_PROGRAM, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child)
        ADD_FAILURE() << "the crashing program did not run";
    return status;
}

class UCrashHandler : public ::testing::TestWithParam<TCrash> { };

TEST_P(UCrashHandler, ACrashLeavesAReadableReportAndEndsWithItsSignal)
{
    TTempFolder temp;
    const TTempFolder elsewhere;
    const int status = RunCrashing(temp.Path(), GetParam().How, elsewhere.File("errors"));
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), GetParam().Signal);
    const std::string log = temp.Read("crash.log");
    EXPECT_TRUE(log.starts_with(NewCrashReportHeader)) << log;
    EXPECT_NE(log.find(std::string("Taskwren 2.0 closed unexpectedly: ") + GetParam().Says + "\nTime: "),
              std::string::npos)
        << log;
    EXPECT_NE(log.find(" UTC\nPlatform: Linux "), std::string::npos) << log;
    EXPECT_NE(log.find("\nStack:\n"), std::string::npos) << log;
    EXPECT_TRUE(log.find("(main+") != std::string::npos || log.find("Recurse") != std::string::npos) << log;
    EXPECT_EQ(temp.EntryCount(), 1u); // nothing else written, no temporary left
    EXPECT_NE(ReadWhole(elsewhere.File("errors")).find("the report is in " + temp.File("crash.log")),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EachKind, UCrashHandler,
                         ::testing::Values(TCrash{"overflow", SIGSEGV, "SIGSEGV, a segmentation fault"},
                                           TCrash{"bus", SIGBUS, "SIGBUS, a bus error"},
                                           TCrash{"fpe", SIGFPE, "SIGFPE, an arithmetic error"},
                                           TCrash{"ill", SIGILL, "SIGILL, an illegal instruction"},
                                           TCrash{"abort", SIGABRT, "SIGABRT, an abort"},
                                           TCrash{"exception", SIGABRT,
                                                  "uncaught exception: the disk is on fire and more"}),
                         [](const auto& crash) { return std::string(crash.param.How); });

std::string OldReport(char filler)
{
    return std::string(OfferedCrashReportHeader) + std::string(40000, filler) + "\n\n";
}

TEST(UCrashHandlerLog, TheNewestReportComesFirstAndOnlyWholeOlderOnesFollowUnder64KB)
{
    TTempFolder temp;
    const TTempFolder elsewhere;
    temp.Write("crash.log", OldReport('a') + OldReport('b') + OldReport('c'));
    RunCrashing(temp.Path(), "abort", elsewhere.File("errors"));
    const std::string log = temp.Read("crash.log");
    EXPECT_LT(log.size(), 64u * 1024);
    EXPECT_TRUE(log.starts_with(NewCrashReportHeader));
    EXPECT_TRUE(log.ends_with("\n" + OldReport('a'))) << log.size();
    EXPECT_EQ(log.find(std::string(10, 'b')), std::string::npos);
}

TEST(UCrashHandlerLog, AFolderThatCannotBeWrittenGetsTheReportOnStandardError)
{
    const TTempFolder elsewhere;
    RunCrashing(elsewhere.Path() / "gone", "abort", elsewhere.File("errors"));
    const std::string errors = ReadWhole(elsewhere.File("errors"));
    EXPECT_TRUE(errors.starts_with(std::string(NewCrashReportHeader) + "Taskwren 2.0 closed unexpectedly: SIGABRT"))
        << errors;
}

} // namespace
