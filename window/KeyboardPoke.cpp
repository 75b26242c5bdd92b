// Poking the man from the keyboard: moving the aim over the picture.
#include "window/KeyboardPoke.h"

namespace mukiro::window {

bool KeyboardPoke::move(AimMove direction) noexcept {
    PicturePoint next = aim_;
    switch (direction) {
        case AimMove::left:
            next.x -= kStep;
            break;
        case AimMove::right:
            next.x += kStep;
            break;
        case AimMove::up:
            next.y -= kStep;
            break;
        case AimMove::down:
            next.y += kStep;
            break;
    }
    const bool inside =
        next.x >= 0 && next.y >= 0 && next.x < kPictureSide && next.y < kPictureSide;
    if (inside) {
        aim_ = next;
    }
    return inside;
}

}  // namespace mukiro::window
