#pragma once

#include "app/cli/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace quorvel::test {

// The command-line program run in the test's own process, in a folder of its own that goes away
// with the test; what it printed is kept until the next run.
class CliFixture : public ::testing::Test {
protected:
    explicit CliFixture(const std::string& name)
        : m_dir(std::filesystem::temp_directory_path() / ("quorvel-" + name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_dir);
    }
    ~CliFixture() override { std::filesystem::remove_all(m_dir); }

    int cli(const std::vector<std::string>& args)
    {
        m_out.str("");
        m_err.str("");
        return cli::run(args, m_out, m_err);
    }
    [[nodiscard]] std::string path(const std::string& name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

} // namespace quorvel::test
