// A signed 16-bit counter of the game (muscle, fatigue, sacrifices, clear flag).
#pragma once

#include <cstdint>
#include <limits>

namespace mukiro::rules {

// Every change is guarded: a result outside -32768..32767 is never stored. The counter stops
// at the limit it would have passed, so endless play keeps the largest value it can hold.
class PointCounter {
  public:
    constexpr PointCounter() = default;
    constexpr explicit PointCounter(std::int16_t value) : value_(value) {}

    constexpr std::int16_t value() const noexcept { return value_; }
    constexpr void set(std::int16_t value) noexcept { value_ = value; }

    constexpr void add(int delta) noexcept {
        constexpr int lowest = std::numeric_limits<std::int16_t>::min();
        constexpr int highest = std::numeric_limits<std::int16_t>::max();
        int result = int{value_} + delta;
        if (result < lowest) {
            result = lowest;
        } else if (result > highest) {
            result = highest;
        }
        value_ = static_cast<std::int16_t>(result);
    }

    friend constexpr bool operator==(PointCounter, PointCounter) = default;

  private:
    std::int16_t value_ = 0;
};

}  // namespace mukiro::rules
