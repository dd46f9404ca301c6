#include "ChildRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace vendrel::bench {

namespace {

std::string commandText(const std::vector<std::string>& command)
{
    std::string text;
    for (const std::string& word : command) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

// Spawns the child with its standard output and errors going to the log; returns its process id.
pid_t spawn(const std::vector<std::string>& command, const std::string& logFile)
{
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + command.front() + ": " + std::strerror(failed));
    }
    return child;
}

} // namespace

ChildRun runChild(const std::vector<std::string>& command, const std::string& logFile)
{
    const auto begin = std::chrono::steady_clock::now();
    const pid_t child = spawn(command, logFile);
    int status = 0;
    rusage usage{};
    pid_t waited = 0;
    do {
        waited = wait4(child, &status, 0, &usage);
    } while (waited < 0 && errno == EINTR);
    const auto end = std::chrono::steady_clock::now();
    if (waited != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(commandText(command) + " failed (see " + logFile + ")");
    }
    return ChildRun{std::chrono::duration<double>(end - begin).count(), uint64_t(usage.ru_maxrss) * 1024};
}

} // namespace vendrel::bench
