// The one-slot mailbox between the window's thread and the sound worker.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

namespace mukiro::sound {

// Only the newest cue matters: a cue that was replaced before it could start would be cut off
// at once anyway, so a new request overwrites one not yet taken. Putting never waits for the
// taker beyond the few instructions it holds the lock.
class LatestRequest {
  public:
    void put(std::string name);

    // The waiting request, if any, without blocking.
    std::optional<std::string> take();

    // Blocks until a request arrives or the mailbox closes; nothing once closed.
    std::optional<std::string> waitAndTake();

    // As above, but gives up after `limit` with nothing; closed() tells the two apart.
    std::optional<std::string> waitAndTake(std::chrono::milliseconds limit);

    // Wakes the taker for good; later requests are dropped.
    void close();
    bool closed() const;

  private:
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::optional<std::string> pending_;
    bool closed_ = false;
};

}  // namespace mukiro::sound
