// The rules' two ports answered at once and in silence, so a benchmark times the rules alone.
#pragma once

#include <cstddef>
#include <string_view>

#include "rules/CuePlayer.h"
#include "rules/MessageSink.h"

namespace mukiro::bench {

// Counts what it is asked, so the compiler cannot drop the calls as having no effect.
class SilentHost : public rules::CuePlayer, public rules::MessageSink {
  public:
    void play(std::string_view name) override { requests_ += name.size(); }
    void show(std::string_view text) override { requests_ += text.size(); }
    std::size_t requests() const noexcept { return requests_; }

  private:
    std::size_t requests_ = 0;
};

}  // namespace mukiro::bench
