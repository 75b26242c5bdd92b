// The keyboard's aim on the body picture: where it starts, how the arrow keys move it, and that
// it never leaves the picture.
#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "window/KeyboardPoke.h"

namespace mukiro::window {
// Failures name the point, not its bytes.
inline void PrintTo(PicturePoint point, std::ostream* out) {
    *out << '(' << point.x << ", " << point.y << ')';
}
}  // namespace mukiro::window

namespace mukiro::testing {
namespace {

using window::AimMove;
using window::KeyboardPoke;
using window::PicturePoint;

struct AimCase {
    const char* what;
    std::vector<AimMove> moves;
    PicturePoint aim;
};

void PrintTo(const AimCase& aimCase, std::ostream* out) {
    *out << aimCase.what;
}

std::vector<AimMove> repeated(AimMove move, int times) {
    return std::vector<AimMove>(static_cast<std::size_t>(times), move);
}

std::vector<AimMove> joined(std::vector<AimMove> first, const std::vector<AimMove>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

class AimTest : public ::testing::TestWithParam<AimCase> {};

TEST_P(AimTest, ArrowsMoveTheAimByStepsInsideThePicture) {
    KeyboardPoke poke;
    for (const AimMove move : GetParam().moves) {
        poke.move(move);
    }
    EXPECT_EQ(poke.aim(), GetParam().aim) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Moves, AimTest,
    ::testing::Values(
        AimCase{"start", {}, {100, 100}},
        AimCase{"each arrow",
                {AimMove::right, AimMove::down, AimMove::down, AimMove::left, AimMove::left,
                 AimMove::left, AimMove::up},
                {80, 110}},
        // Both edges of the briefs' region in x (80 and 100) and in y (140 and 170) are points
        // of the grid, and so are the points just outside them.
        AimCase{"onto the region's top left",
                joined(repeated(AimMove::down, 4), repeated(AimMove::left, 2)),
                {80, 140}},
        AimCase{"onto its bottom", repeated(AimMove::down, 7), {100, 170}},
        AimCase{"past its bottom", repeated(AimMove::down, 8), {100, 180}},
        // At an edge of the picture a further step does nothing, and the way back is the same.
        AimCase{"to the left edge", repeated(AimMove::left, 10), {0, 100}},
        AimCase{"past the left edge", repeated(AimMove::left, 12), {0, 100}},
        AimCase{"past the right edge", repeated(AimMove::right, 12), {190, 100}},
        AimCase{"past the top", repeated(AimMove::up, 12), {100, 0}},
        AimCase{"past the bottom and back",
                joined(repeated(AimMove::down, 12), repeated(AimMove::up, 9)),
                {100, 100}}),
    // Each case is named by what it does, not by its bytes.
    [](const ::testing::TestParamInfo<AimCase>& aimCase) {
        std::string name = aimCase.param.what;
        for (char& letter : name) {
            if (letter == ' ' || letter == '\'') {
                letter = '_';
            }
        }
        return name;
    });

TEST(KeyboardPokeTest, AStepPastTheEdgeSaysItDidNotMove) {
    KeyboardPoke poke;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(poke.move(AimMove::left));
    }
    EXPECT_FALSE(poke.move(AimMove::left));
    EXPECT_TRUE(poke.move(AimMove::right));
}

}  // namespace
}  // namespace mukiro::testing
