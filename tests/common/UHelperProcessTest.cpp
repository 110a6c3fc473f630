#include "common/UHelperProcess.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::string> RunShell(const std::string& script, std::string_view input = {}, std::size_t output = 1024)
{
    THelperLimits limits;
    limits.Time = std::chrono::milliseconds(500);
    limits.Output = output;
    return RunHelper("/bin/sh", {"-c", script, "helper", "an argument"}, input, limits);
}

TEST(UHelperProcess, TheAnswerIsTheHelpersOutputOnItsInputAndArguments)
{
    EXPECT_EQ(RunShell("cat", std::string(2000, 'x')), std::nullopt); // 1024 bytes at most
    EXPECT_EQ(RunShell("cat; printf ' %s' \"$1\"", std::string(1000, 'x'), 2000), std::string(1000, 'x') + " an argument");
    EXPECT_EQ(RunShell("true"), "");
}

TEST(UHelperProcess, AHelperThatFailsInAnyWayGivesNoAnswer)
{
    for (const char* script : {"echo partial; kill -SEGV $$", // crashes
                               "echo partial; exit 1",        // fails
                               "sleep 30",                    // hangs
                               "exec >&-; sleep 30",          // hangs once it has answered
                               "yes"})                        // answers without end
        EXPECT_EQ(RunShell(script), std::nullopt) << script;
    THelperLimits limits;
    limits.Output = 10;
    EXPECT_EQ(RunHelper("/nonexistent/helper", {}, "", limits), std::nullopt);
}

} // namespace
