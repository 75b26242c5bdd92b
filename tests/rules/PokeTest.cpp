// The poke on the body picture: one cue, chosen by where it lands.
#include <gtest/gtest.h>

#include "tests/rules/GameFixture.h"

namespace mukiro::testing {
namespace {

struct PokeCase {
    float x;
    float y;
    const char* cue;
};

class Poke : public GameFixture, public ::testing::WithParamInterface<PokeCase> {};

TEST_P(Poke, PlaysMottoOnTheBriefsAndTyaElsewhereChangingNothing) {
    start();
    const rules::GameState before = state();
    for (const short button : {short{1}, short{2}, short{4}}) {
        for (const short shift : {short{0}, short{1}}) {
            host_.clear();
            game().now_MouseDown(button, shift, GetParam().x, GetParam().y);
            EXPECT_EQ(host_.events(), std::vector{cue(GetParam().cue)});
        }
    }
    EXPECT_EQ(state(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, Poke,
    ::testing::Values(PokeCase{80, 140, "motto.wav"}, PokeCase{100, 170, "motto.wav"},
                      PokeCase{90, 155, "motto.wav"}, PokeCase{79, 155, "tya.wav"},
                      PokeCase{101, 155, "tya.wav"}, PokeCase{90, 139, "tya.wav"},
                      PokeCase{90, 171, "tya.wav"}, PokeCase{0, 0, "tya.wav"},
                      PokeCase{199, 199, "tya.wav"},
                      // A scaled screen reports presses between pixels; the bounds hold exactly.
                      PokeCase{80.25F, 169.5F, "motto.wav"}, PokeCase{99.75F, 140.5F, "motto.wav"},
                      PokeCase{100.4F, 155, "tya.wav"}, PokeCase{100.5F, 155, "tya.wav"},
                      PokeCase{90, 139.5F, "tya.wav"}, PokeCase{79.6F, 155, "tya.wav"},
                      PokeCase{90, 170.4F, "tya.wav"}));

}  // namespace
}  // namespace mukiro::testing
