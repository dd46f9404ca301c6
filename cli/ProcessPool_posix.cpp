#include "ProcessPool.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>

extern char** environ;

namespace vendrel {

namespace {

constexpr int heldSignals[] = {SIGCHLD, SIGINT, SIGTERM, SIGHUP};

extern "C" void noteChild(int) {}

// Holds the signals the pool waits for while it is running and gives the former mask and SIGCHLD action back.
class SignalHold {
public:
    SignalHold()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : heldSignals)
            sigaddset(&held, signal);
        sigprocmask(SIG_BLOCK, &held, &former_);
        // SIGCHLD is ignored by default: it must have a handler to end the wait.
        struct sigaction action {};
        action.sa_handler = noteChild;
        sigemptyset(&action.sa_mask);
        sigaction(SIGCHLD, &action, &formerChild_);
        waitMask_ = former_;
        for (int signal : heldSignals)
            sigdelset(&waitMask_, signal);
    }
    ~SignalHold()
    {
        sigaction(SIGCHLD, &formerChild_, nullptr);
        sigprocmask(SIG_SETMASK, &former_, nullptr);
    }
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

    const sigset_t& formerMask() const { return former_; }
    // Waits until a signal arrives; its handler has run when this returns.
    void wait() const { sigsuspend(&waitMask_); }

private:
    sigset_t former_{};
    sigset_t waitMask_{};
    struct sigaction formerChild_ {};
};

// The child's side between fork and exec: only calls that are safe there.
[[noreturn]] void becomeJob(char* const* argv, const char* errorFile, pid_t group, pid_t parent,
                            const sigset_t& formerMask)
{
    // Dies with the parent, even when the parent is killed outright; a parent already gone is not waited for.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(127);
    setpgid(0, group);
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (input < 0 || dup2(input, STDIN_FILENO) < 0)
        _exit(127);
    if (errorFile != nullptr) {
        const int errors = open(errorFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (errors < 0 || dup2(errors, STDERR_FILENO) < 0)
            _exit(127);
    }
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    sigemptyset(&defaults.sa_mask);
    sigaction(SIGCHLD, &defaults, nullptr);
    sigprocmask(SIG_SETMASK, &formerMask, nullptr);
    execve(argv[0], argv, environ);
    _exit(127);
}

// Starts the job in the group (0: a new group led by this child). Answers its process id, -1 when it failed.
pid_t start(const ProcessJob& job, pid_t group, const sigset_t& formerMask)
{
    std::vector<std::string> texts = job.arguments;
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    const char* errorFile = job.errorFile.empty() ? nullptr : job.errorFile.c_str();
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0)
        becomeJob(argv.data(), errorFile, group, parent, formerMask);
    if (pid > 0)
        setpgid(pid, group == 0 ? pid : group); // also here, so that the group exists before a signal is passed on
    return pid;
}

int exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 127;
}

} // namespace

std::vector<ProcessOutcome> runProcesses(size_t count, const std::function<ProcessJob(size_t)>& makeJob, int parallel,
                                         const std::function<void(const ProcessOutcome&)>& finished,
                                         const std::function<int()>& stopSignal)
{
    SignalHold hold;
    std::vector<ProcessOutcome> outcomes;
    std::map<pid_t, size_t> running;
    pid_t group = 0;
    int passedOn = 0;
    size_t next = 0;
    const size_t limit = size_t(std::max(parallel, 1));
    for (;;) {
        // Every child that has ended is collected before anything else is decided.
        for (;;) {
            int status = 0;
            const pid_t pid = waitpid(-1, &status, WNOHANG);
            if (pid <= 0)
                break;
            const auto job = running.find(pid);
            if (job == running.end())
                continue;
            outcomes.push_back(ProcessOutcome{job->second, exitCodeOf(status)});
            running.erase(job);
            finished(outcomes.back());
        }
        const int signal = stopSignal();
        if (signal != 0 && passedOn == 0) {
            passedOn = signal;
            if (group != 0 && !running.empty())
                kill(-group, signal);
        }
        while (passedOn == 0 && running.size() < limit && next < count) {
            const ProcessJob job = makeJob(next);
            const pid_t pid = start(job, running.empty() ? 0 : group, hold.formerMask());
            if (pid < 0) {
                outcomes.push_back(ProcessOutcome{next, 127});
                finished(outcomes.back());
            } else {
                if (running.empty())
                    group = pid;
                running[pid] = next;
            }
            ++next;
        }
        if (running.empty())
            break;
        hold.wait();
    }
    std::sort(outcomes.begin(), outcomes.end(),
              [](const ProcessOutcome& a, const ProcessOutcome& b) { return a.job < b.job; });
    return outcomes;
}

} // namespace vendrel
