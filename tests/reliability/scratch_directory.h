#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace quorvel::test {

// A directory of its own under the system's temp directory, removed with everything in it.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& purpose)
        : m_path(std::filesystem::temp_directory_path() /
                 ("quorvel-" + purpose + "-" + std::to_string(::getpid()) + "-" + std::to_string(s_count++)))
    {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

    // The names of the files in the directory, to spot temp files left behind.
    [[nodiscard]] std::vector<std::string> fileNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

} // namespace quorvel::test
