// The one-slot mailbox between the window's thread and the sound worker.
#include "sound/LatestRequest.h"

#include <utility>

namespace mukiro::sound {

void LatestRequest::put(std::string name) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return;
        }
        pending_ = std::move(name);
    }
    arrived_.notify_one();
}

std::optional<std::string> LatestRequest::take() {
    std::lock_guard lock(mutex_);
    if (closed_) {
        return std::nullopt;
    }
    return std::exchange(pending_, std::nullopt);
}

std::optional<std::string> LatestRequest::waitAndTake() {
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [this] { return closed_ || pending_.has_value(); });
    if (closed_) {
        return std::nullopt;
    }
    return std::exchange(pending_, std::nullopt);
}

std::optional<std::string> LatestRequest::waitAndTake(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, limit, [this] { return closed_ || pending_.has_value(); });
    if (closed_) {
        return std::nullopt;
    }
    return std::exchange(pending_, std::nullopt);
}

void LatestRequest::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        pending_.reset();
    }
    arrived_.notify_all();
}

bool LatestRequest::closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

}  // namespace mukiro::sound
