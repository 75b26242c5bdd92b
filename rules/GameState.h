// The whole game state: what the window shows and the four counters behind it.
#pragma once

#include <cstdint>
#include <string>

#include "rules/Picture.h"
#include "rules/PointCounter.h"

namespace mukiro::rules {

// A stat as the window shows it: a whole number, written as decimal text. 64 bits so that money
// (part-time jobs), spirit (failed auditions) and the win count never wrap in endless play.
using Stat = std::int64_t;

// The text colour of a warning label. `standard` is the toolkit's own label colour, which the
// fatigue, tan and skin-beauty labels keep until a rule first paints them.
enum class Ink { standard, black, red };

// Everything the rules read and write, and nothing only the screen needs. The window draws
// every control from it; the labels of `kin` and `hirou` always show those counters.
struct GameState {
    Stat mlevel = 1;     // macho level, 1 to 5
    PointCounter hirou;  // fatigue points, shown in `hiroudo`
    PointCounter kin;    // muscle points, shown in `kinryoku`
    Stat sibou = 0;      // body fat percent; may go below zero
    Stat hiyake = 0;     // tan
    Stat bihada = 0;     // skin beauty
    Stat kokoroiki = 0;  // spirit; failed auditions take it below zero
    Stat money = 30000;
    Stat pro = 20;           // protein left
    Stat cre = 3;            // muscle cream left
    Stat clear = 0;          // contest wins, kept across restarts
    PointCounter gisei;      // sacrifices (restarts), shown in `Text1` by the restart
    PointCounter clearflag;  // 1 once the level-5 body has been reached in this run

    // How many times the restart has written `gisei` into `Text1`. The player may type into
    // that box; the window overwrites it only when this count moves.
    std::uint64_t sacrificeWrites = 0;

    std::string comment = "いい体にしてくれよ。";  // the man's speech line, UTF-8
    Picture now = Picture::start;                  // the body picture on show

    Ink hiroudoInk = Ink::standard;
    Ink sibouInk = Ink::black;
    Ink hiyakeInk = Ink::standard;
    Ink bihadaInk = Ink::standard;

    friend bool operator==(const GameState&, const GameState&) = default;
};

}  // namespace mukiro::rules
