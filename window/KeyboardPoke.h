// Poking the man from the keyboard: an aim the arrow keys move over the picture, and the point
// a poke hands to the rules. No toolkit here, so every front end aims the same way.
#pragma once

#include <string_view>

namespace mukiro::window {

// A pixel of the picture area, (0, 0) at its top-left, as the poke measures it.
struct PicturePoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const PicturePoint&, const PicturePoint&) = default;
};

// The ways the aim can move; a front end maps its own arrow keys to these.
enum class AimMove { left, right, up, down };

// The aim starts in the middle of the picture, on the man's belly, where a mouse player's first
// try most likely lands; finding the spot that makes him answer is left to the player, as it is
// with the mouse. A step is ten pixels: the spot on his briefs is about twenty wide and thirty
// high, so steps land on it, on its very edges and beside them, and twenty steps cross the
// picture. The aim never leaves the picture: a step past its edge does nothing, so the aim
// keeps to one grid of points and goes back the way it came.
class KeyboardPoke {
  public:
    static constexpr int kPictureSide = 200;
    static constexpr PicturePoint kStart{100, 100};
    static constexpr int kStep = 10;

    // Where a poke would land now: the point the marker shows and the poke key hands on.
    PicturePoint aim() const noexcept { return aim_; }

    // Moves the aim one step; false when the step would leave the picture and the aim stays.
    bool move(AimMove direction) noexcept;

  private:
    PicturePoint aim_ = kStart;
};

// What the keys do, as a screen reader says it with the picture's description.
inline constexpr std::string_view kKeyboardPokeHelp =
    "矢印キーでねらいを動かし、スペースかEnterでつつきます";

}  // namespace mukiro::window
