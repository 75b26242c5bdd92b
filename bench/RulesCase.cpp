// The clicks the rules benchmarks time: each handler from a state it is typically clicked in.
#include "bench/RulesCase.h"

#include <vector>

namespace mukiro::bench {
namespace {

using rules::Game;
using rules::GameState;
using rules::PointCounter;

// Halfway through a run: level 2, rested, some money, no warning showing.
GameState midGame() {
    GameState state;
    state.mlevel = 2;
    state.kin = PointCounter(150);
    state.hirou = PointCounter(0);
    state.sibou = 20;
    state.hiyake = 30;
    state.bihada = 30;
    state.kokoroiki = 20;
    state.money = 20000;
    state.pro = 12;
    state.cre = 2;
    state.gisei = PointCounter(3);
    return state;
}

// Tired out: one more training is the death by overwork and its restart.
GameState worn() {
    GameState state = midGame();
    state.hirou = PointCounter(40);
    return state;
}

// Ready for the audition, which it passes: two Messages, a win and a restart.
GameState ready() {
    GameState state = midGame();
    state.mlevel = 5;
    state.kin = PointCounter(420);
    state.sibou = 0;
    state.hiyake = 60;
    state.bihada = 60;
    state.kokoroiki = 60;
    state.clearflag = PointCounter(1);
    return state;
}

}  // namespace

std::span<const RulesCase> RulesCase::all() {
    static const std::vector<RulesCase> cases = {
        {"Form_Load", GameState{}, [](Game& g) { g.Form_Load(); }},
        {"Command1_Click", midGame(), [](Game& g) { g.Command1_Click(); }},
        {"toreining_Click", midGame(), [](Game& g) { g.toreining_Click(); }},
        {"purotein_Click", midGame(), [](Game& g) { g.purotein_Click(); }},
        {"kuream_Click", midGame(), [](Game& g) { g.kuream_Click(); }},
        {"eat_Click", midGame(), [](Game& g) { g.eat_Click(); }},
        {"saron_Click", midGame(), [](Game& g) { g.saron_Click(); }},
        {"esute_Click", midGame(), [](Game& g) { g.esute_Click(); }},
        {"pojingu_Click", midGame(), [](Game& g) { g.pojingu_Click(); }},
        {"baito_Click", midGame(), [](Game& g) { g.baito_Click(); }},
        {"Command5_Click", midGame(), [](Game& g) { g.Command5_Click(); }},
        {"now_MouseDown", midGame(), [](Game& g) { g.now_MouseDown(1, 0, 90.0F, 150.0F); }},
        {"toreining_Click/overwork", worn(), [](Game& g) { g.toreining_Click(); }},
        {"Command5_Click/passed", ready(), [](Game& g) { g.Command5_Click(); }},
    };
    return cases;
}

}  // namespace mukiro::bench
