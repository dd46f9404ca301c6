#include "vendrel/host/ProcessPool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>

extern char** environ;

namespace vendrel {

namespace {

pid_t start(const ProcessJob& job)
{
    std::vector<std::string> texts = job.arguments;
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!job.errorFile.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, job.errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
    }
    pid_t pid = -1;
    const int result = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

int exitCodeOf(int status)
{
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 127;
}

} // namespace

std::vector<ProcessOutcome> runProcesses(const std::vector<ProcessJob>& jobs, int parallel,
                                         const std::function<void(const ProcessOutcome&)>& finished,
                                         const std::function<bool()>& shouldStop)
{
    std::vector<ProcessOutcome> outcomes;
    std::map<pid_t, size_t> running;
    size_t next = 0;
    const size_t limit = size_t(std::max(parallel, 1));
    for (;;) {
        while (running.size() < limit && next < jobs.size() && !shouldStop()) {
            const pid_t pid = start(jobs[next]);
            if (pid < 0) {
                outcomes.push_back(ProcessOutcome{next, 127});
                finished(outcomes.back());
            } else {
                running[pid] = next;
            }
            ++next;
        }
        if (running.empty()) {
            break;
        }
        int status = 0;
        const pid_t pid = waitpid(-1, &status, 0);
        if (pid < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        const auto job = running.find(pid);
        if (job == running.end()) {
            continue;
        }
        outcomes.push_back(ProcessOutcome{job->second, exitCodeOf(status)});
        running.erase(job);
        finished(outcomes.back());
    }
    std::sort(outcomes.begin(), outcomes.end(),
              [](const ProcessOutcome& a, const ProcessOutcome& b) { return a.job < b.job; });
    return outcomes;
}

} // namespace vendrel
