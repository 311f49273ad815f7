// The desktop program as a shell runs it: what it answers without a window or a display.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
};

// No display of any kind, as over ssh or in a package's checks.
ProgramRun runWithoutDisplay(const std::string& arguments)
{
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " QUORVEL_PATH " " + arguments + " 2>&1";
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> chunk{};
    while (std::fgets(chunk.data(), static_cast<int>(chunk.size()), pipe) != nullptr)
        run.output += chunk.data();
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(QuorvelProgram, HelpAndVersionNeedNoDisplay)
{
    const ProgramRun help = runWithoutDisplay("--help");
    EXPECT_EQ(help.status, 0) << help.output;
    EXPECT_EQ(help.output.rfind("Usage: quorvel", 0), 0U) << help.output;
    EXPECT_NE(help.output.find("--version"), std::string::npos);

    const ProgramRun version = runWithoutDisplay("DEUTSCH --version");
    EXPECT_EQ(version.status, 0) << version.output;
    EXPECT_EQ(version.output, "quorvel 0.71 (unit program version 71)\n");
}

TEST(QuorvelProgram, BadOptionsAreRefusedBeforeAnyWindow)
{
    const ProgramRun bad = runWithoutDisplay("--port");
    EXPECT_EQ(bad.status, 2) << bad.output;
    EXPECT_NE(bad.output.find("--port needs a value"), std::string::npos) << bad.output;
}

} // namespace
