// Runs a helper program for the sound tests with its own environment, and collects its output.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mukiro::sound::test {

struct ChildResult {
    bool timedOut = false;
    bool exitedNormally = false;
    int exitCode = -1;  // when it exited normally
    int signal = 0;     // when a signal ended it
    std::string out;
    std::string err;
    std::chrono::milliseconds elapsed{0};
};

// The environment of the child: this process's, with each name set to its value, or removed
// where the value is empty.
using EnvChanges = std::map<std::string, std::optional<std::string>>;

class ChildProcess {
  public:
    // Starts `argv`; its stdout goes to `stdoutFile` when given, else is collected.
    ChildProcess(const std::vector<std::string>& argv, const EnvChanges& env,
                 const std::optional<std::filesystem::path>& stdoutFile = std::nullopt);
    ~ChildProcess();

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Sends `signal`, e.g. to end a recorder that runs until told.
    void signal(int signal);

    // Collects output until the child ends; kills it once `timeout` has passed.
    ChildResult wait(std::chrono::milliseconds timeout);

    static ChildResult run(const std::vector<std::string>& argv, const EnvChanges& env,
                           std::chrono::milliseconds timeout);

  private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace mukiro::sound::test
