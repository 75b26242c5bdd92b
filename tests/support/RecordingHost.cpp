// Records cues and Messages in the order the rules ask for them.
#include "tests/support/RecordingHost.h"

#include <stdexcept>

namespace mukiro::testing {

std::ostream& operator<<(std::ostream& out, const HostEvent& event) {
    if (event.kind == HostEvent::Kind::cue) {
        return out << "cue(" << event.text << ")";
    }
    out << "message(" << event.text;
    if (event.behind) {
        out << " | behind: " << rules::pictureName(*event.behind);
    }
    return out << ")";
}

HostEvent cue(std::string_view name) {
    return {HostEvent::Kind::cue, std::string(name), {}};
}

HostEvent message(std::string_view text, rules::Picture behind) {
    return {HostEvent::Kind::message, std::string(text), behind};
}

void RecordingHost::play(std::string_view name) {
    events_.push_back(cue(name));
}

void RecordingHost::show(std::string_view text) {
    if (state_ == nullptr) {
        throw std::logic_error("RecordingHost::watch was not called before a Message");
    }
    events_.push_back(message(text, state_->now));
}

std::vector<std::string> RecordingHost::cues() const {
    std::vector<std::string> names;
    for (const auto& event : events_) {
        if (event.kind == HostEvent::Kind::cue) {
            names.push_back(event.text);
        }
    }
    return names;
}

std::vector<std::string> RecordingHost::messages() const {
    std::vector<std::string> texts;
    for (const auto& event : events_) {
        if (event.kind == HostEvent::Kind::message) {
            texts.push_back(event.text);
        }
    }
    return texts;
}

}  // namespace mukiro::testing
