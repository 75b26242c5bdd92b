// Runs a helper program for the sound tests with its own environment, and collects its output.
#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

extern char** environ;

namespace mukiro::sound::test {
namespace {

std::vector<std::string> environmentWith(const EnvChanges& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (!changes.contains(name)) {
            result.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            result.push_back(name + "=" + *value);
        }
    }
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

void readSome(int& fd, std::string& into) {
    char buffer[4096];
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count > 0) {
        into.append(buffer, static_cast<std::size_t>(count));
    } else {
        close(fd);
        fd = -1;
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const EnvChanges& env,
                           const std::optional<std::filesystem::path>& stdoutFile) {
    int outPipe[2] = {-1, -1};
    int errPipe[2];
    if (pipe2(errPipe, O_CLOEXEC) != 0 || (!stdoutFile && pipe2(outPipe, O_CLOEXEC) != 0)) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (stdoutFile) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutFile->c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    } else {
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    }
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);

    std::vector<std::string> args = argv;
    std::vector<std::string> envTexts = environmentWith(env);
    auto argPointers = pointersTo(args);
    auto envPointers = pointersTo(envTexts);
    started_ = std::chrono::steady_clock::now();
    const int failed = posix_spawn(&pid_, argPointers[0], &actions, nullptr, argPointers.data(),
                                   envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    close(errPipe[1]);
    errFd_ = errPipe[0];
    if (!stdoutFile) {
        close(outPipe[1]);
        outFd_ = outPipe[0];
    }
    if (failed != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(failed));
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    for (int fd : {outFd_, errFd_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void ChildProcess::signal(int signal) {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

ChildResult ChildProcess::wait(std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    ChildResult result;
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    bool ended = false;
    while (!ended) {
        if (Clock::now() > deadline) {
            result.timedOut = true;
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        pollfd fds[2];
        nfds_t count = 0;
        for (int fd : {outFd_, errFd_}) {
            if (fd >= 0) {
                fds[count++] = {fd, POLLIN, 0};
            }
        }
        if (count > 0) {
            poll(fds, count, 20);
            for (nfds_t i = 0; i < count; ++i) {
                if (fds[i].revents != 0) {
                    if (fds[i].fd == outFd_) {
                        readSome(outFd_, result.out);
                    } else {
                        readSome(errFd_, result.err);
                    }
                }
            }
        } else {
            usleep(10'000);
        }
        // Both pipes closed is not enough: a grandchild may hold them; the child's end counts.
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            ended = true;
        }
    }
    pid_ = -1;
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_);
    // Whatever is left in the pipes was written before the child ended.
    for (int* fd : {&outFd_, &errFd_}) {
        if (*fd >= 0) {
            fcntl(*fd, F_SETFL, O_NONBLOCK);
            std::string& into = fd == &outFd_ ? result.out : result.err;
            while (*fd >= 0) {
                readSome(*fd, into);
            }
        }
    }
    if (WIFEXITED(status)) {
        result.exitedNormally = true;
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

ChildResult ChildProcess::run(const std::vector<std::string>& argv, const EnvChanges& env,
                              std::chrono::milliseconds timeout) {
    ChildProcess child(argv, env);
    return child.wait(timeout);
}

}  // namespace mukiro::sound::test
