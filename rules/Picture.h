// The picture set: every image the body picture box can hold, each an identity of its own.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace mukiro::rules {

// Pictures are compared by identity only. `start` looks exactly like `level1` and `kenesu`
// exactly like `level5`, yet each is a picture of its own.
enum class Picture : std::int32_t {
    start,      // what the body picture box holds before anything is put on show
    level1,     // thin, pale man in red briefs
    level2,     // thin, light brown
    level3,     // tanned, slight muscles
    level4,     // tanned, muscular
    level5,     // dark-tanned, very muscular, with shine
    tyuesu,     // level1 with shine marks
    fuesu,      // level2 with shine marks
    futuesu,    // level3 with shine marks
    yayaesu,    // level4 with shine marks
    kenesu,     // drawn exactly like level5
    nanaesu,    // tyotti with shine marks; nothing puts it on show
    goukaku,    // the level-5 man waving and smiling: audition passed
    hugoukaku,  // the level-5 man crying: audition failed
    death,      // a gravestone
    tyotti,     // a plump, pale man: the too-fat end
    hifugan,    // the man wrapped in bandages: the skin-cancer death
};

inline constexpr std::array kAllPictures = {
    Picture::start,  Picture::level1,  Picture::level2,  Picture::level3,    Picture::level4,
    Picture::level5, Picture::tyuesu,  Picture::fuesu,   Picture::futuesu,   Picture::yayaesu,
    Picture::kenesu, Picture::nanaesu, Picture::goukaku, Picture::hugoukaku, Picture::death,
    Picture::tyotti, Picture::hifugan,
};

// The picture's name as the game knows it ("level1", ...; "start" for the start picture).
// Asset files are named after it.
constexpr std::string_view pictureName(Picture picture) {
    constexpr std::array<std::string_view, kAllPictures.size()> names = {
        "start",   "level1",    "level2",  "level3",  "level4",  "level5",
        "tyuesu",  "fuesu",     "futuesu", "yayaesu", "kenesu",  "nanaesu",
        "goukaku", "hugoukaku", "death",   "tyotti",  "hifugan",
    };
    return names[static_cast<std::size_t>(picture)];
}

}  // namespace mukiro::rules
