// Runs the built vendrel command as a separate process and collects its exit status and output.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <string>
#include <vector>

#include "cli_test_files.h"

extern char** environ;

namespace vendrel::test {

struct CommandResult {
    int exitCode = -1; // -1 when the process did not exit normally
    int signal = 0;    // the signal that ended it, 0 when it exited
    std::string out;
    std::string err;
    long maxRssKilobytes = 0; // the peak memory of the process and of the children it waited for
};

// Where the command's standard streams go, when not to files of their own that the result then holds.
struct CommandStreams {
    std::string stdoutPath;    // empty: captured
    int stderrDescriptor = -1; // -1: captured
    std::string workingFolder; // empty: the test's own
};

// The command started in the background, for tests that act on it while it runs (signals, files changed under
// it). The program (VENDREL_CLI_PATH unless given) with the arguments; environment: the test's own without a display (DISPLAY,
// WAYLAND_DISPLAY), with the given variables changed.
class CommandProcess {
public:
    CommandProcess(const std::vector<std::string>& arguments,
                   const std::map<std::string, std::string>& environment = {}, const CommandStreams& streams = {},
                   const std::string& program = VENDREL_CLI_PATH)
        : outPath_(streams.stdoutPath.empty() ? captures_.file("stdout") : streams.stdoutPath),
          errPath_(captures_.file("stderr")), capturesOut_(streams.stdoutPath.empty()),
          capturesErr_(streams.stderrDescriptor < 0)
    {
        std::vector<std::string> argumentTexts = {program};
        argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& text : argumentTexts) {
            argv.push_back(text.data());
        }
        argv.push_back(nullptr);

        std::map<std::string, std::string> variables;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            std::string text = *entry;
            size_t equals = text.find('=');
            if (equals != std::string::npos) {
                variables[text.substr(0, equals)] = text.substr(equals + 1);
            }
        }
        // The command shows no windows unless a test hands it a display: --dialog then confirms unseen.
        variables.erase("DISPLAY");
        variables.erase("WAYLAND_DISPLAY");
        for (const auto& [name, value] : environment) {
            variables[name] = value;
        }
        std::vector<std::string> environmentTexts;
        for (const auto& [name, value] : variables) {
            environmentTexts.push_back(name + "=" + value);
        }
        std::vector<char*> envp;
        for (std::string& text : environmentTexts) {
            envp.push_back(text.data());
        }
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (capturesErr_) {
            posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                             0600);
        } else {
            posix_spawn_file_actions_adddup2(&actions, streams.stderrDescriptor, STDERR_FILENO);
        }
        if (!streams.workingFolder.empty()) {
            posix_spawn_file_actions_addchdir_np(&actions, streams.workingFolder.c_str());
        }
        // The command starts with the default signal handling, whatever the test process set.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t all, none;
        sigfillset(&all);
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        const int spawned = posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), envp.data());
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            pid_ = -1;
            startError_ = "cannot start " + argumentTexts[0];
        }
    }
    ~CommandProcess()
    {
        if (pid_ > 0 && !waited_) {
            kill(pid_, SIGKILL);
            wait();
        }
    }
    CommandProcess(const CommandProcess&) = delete;
    CommandProcess& operator=(const CommandProcess&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int number) const
    {
        if (pid_ > 0) {
            kill(pid_, number);
        }
    }

    // Waits until the command stops itself (SIGSTOP) or ends; true when it stopped.
    bool waitStopped()
    {
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, WUNTRACED) != pid_) {
            return false;
        }
        if (WIFSTOPPED(status)) {
            return true;
        }
        waited_ = true;
        status_ = status;
        return false;
    }

    // Waits for the command to end.
    CommandResult wait()
    {
        CommandResult result;
        if (pid_ <= 0) {
            result.err = startError_;
            return result;
        }
        if (!waited_) {
            struct rusage usage {};
            wait4(pid_, &status_, 0, &usage);
            waited_ = true;
            result.maxRssKilobytes = usage.ru_maxrss;
        }
        if (WIFEXITED(status_)) {
            result.exitCode = WEXITSTATUS(status_);
        } else if (WIFSIGNALED(status_)) {
            result.signal = WTERMSIG(status_);
        }
        if (capturesOut_) {
            std::vector<uint8_t> out = readBytes(outPath_);
            result.out.assign(out.begin(), out.end());
        }
        if (capturesErr_) {
            std::vector<uint8_t> err = readBytes(errPath_);
            result.err.assign(err.begin(), err.end());
        }
        return result;
    }

private:
    TempFolder captures_;
    std::string outPath_, errPath_;
    bool capturesOut_, capturesErr_;
    pid_t pid_ = -1;
    bool waited_ = false;
    int status_ = 0;
    std::string startError_;
};

// Runs the command and waits for it; `program` names a copy of the command to run instead.
inline CommandResult runVendrel(const std::vector<std::string>& arguments,
                                const std::map<std::string, std::string>& environment = {},
                                const CommandStreams& streams = {}, const std::string& program = VENDREL_CLI_PATH)
{
    return CommandProcess(arguments, environment, streams, program).wait();
}

} // namespace vendrel::test
