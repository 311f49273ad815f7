#pragma once

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace quorvel::test {

// quorvel-sim as the user runs it, in a process of its own: it prints the device to open.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args)
    {
        int out[2];
        if (::pipe(out) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        ::posix_spawn_file_actions_addclose(&actions, out[0]);
        ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> words = {QUORVEL_SIM_PATH};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        const int spawned = ::posix_spawn(&m_pid, QUORVEL_SIM_PATH, &actions, nullptr, argv.data(), environ);
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_out = out[0];
        if (spawned != 0)
            throw std::runtime_error("cannot start quorvel-sim");
        readDevicePath();
    }
    ~SimProcess()
    {
        if (m_pid > 0 && !m_exited) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_out);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] const std::string& devicePath() const { return m_device; }
    // The exit code of a simulator that ended by itself.
    [[nodiscard]] int exitCode()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_exited = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    void readDevicePath()
    {
        char byte = 0;
        pollfd fd{m_out, POLLIN, 0};
        while (::poll(&fd, 1, 5000) > 0 && ::read(m_out, &byte, 1) == 1 && byte != '\n')
            m_device += byte;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    bool m_exited = false;
    std::string m_device;
};

} // namespace quorvel::test
