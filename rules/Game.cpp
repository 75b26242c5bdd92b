// The game's handlers, each running its steps in the game's fixed order.
#include "rules/Game.h"

#include <array>
#include <cstdint>
#include <limits>
#include <utility>

#include "rules/Cues.h"

namespace mukiro::rules {
namespace {

// Everything the player reads, in the game's own words.
namespace texts {
constexpr std::string_view kFreshMan = "いい体にしてくれよ";
constexpr std::string_view kTraining = "いい汗かいたな。";
constexpr std::string_view kProtein = "筋肉がついたような気がするぞ。";
constexpr std::string_view kNoProtein = "プロテインはもうありません";
constexpr std::string_view kCream = "細胞が活性化し始めた！！";
constexpr std::string_view kNoCream = "マッチョクリ－ムはもうありません";
constexpr std::string_view kMeal = "うーん満腹満腹！";
constexpr std::string_view kNoMoney = "お金が足りません";
constexpr std::string_view kTanningSalon = "これでビーチボーイズの仲間入りだ";
constexpr std::string_view kBeautySalon = "毛穴まですっきり！";
constexpr std::string_view kPosing = "ふんっ！！";
constexpr std::string_view kPartTimeJob = "マネー￥マネー￥";
constexpr std::string_view kSkinCancer = "日に焼け過ぎて皮膚ガンになっちゃった。死ぬよ。";
constexpr std::string_view kOverwork = "うあぁ！疲労が溜まりすぎだよ。死ぬよ。";
constexpr std::string_view kTooThin = "痩せすぎだっつーの！";
constexpr std::string_view kNextLife = "来世はマッチョに生まれますように";
constexpr std::string_view kTooFat = "ちょっちこんなん出たんですけど・・・";
constexpr std::string_view kLevelUp = "レベルアップ！！";
constexpr std::string_view kCleared = "わーい。マッチョになれたぞありがとう！！";
constexpr std::string_view kOnlyAuditionLeft = "後はオーディションに合格するだけだな";
constexpr std::string_view kSqueezeMore = "もっと絞ってくれよ！！";
constexpr std::string_view kReadyForAudition = "よし、これならオーディションも大丈夫だ！！";
// The audition's first Message uses the half-width full stop and comma on purpose.
constexpr std::string_view kAuditionEntered = "オーディションに応募したぞ｡結果はどうかな､ドキドキ";
constexpr std::string_view kPassed = "合格だ！合格だよアニキ！あにきぃー！！";
constexpr std::string_view kChampion = "おめでとう。マッチョコンテスト優勝だ！";
constexpr std::string_view kFailed = "だめだったよ。残念だな。";
}  // namespace texts

// Prices of the paid actions.
constexpr Stat kMealPrice = 500;
constexpr Stat kSalonPrice = 2000;
constexpr Stat kPartTimeWage = 5000;

// Thresholds the judgement and the warning colours test against.
constexpr Stat kFatigueWarning = 35;
constexpr Stat kBodyFatWarning = 55;
constexpr int kFatigueDeath = 50;  // more than this dies
constexpr Stat kTooThinBelow = -40;
constexpr Stat kTooFatFrom = 70;
constexpr Stat kSkinCancerFrom = 100;
constexpr Stat kShinySkinFrom = 20;
constexpr Stat kAuditionBar = 50;  // tan, skin beauty and spirit each need this much
constexpr Stat kTopLevel = 5;

// Muscle needed to leave levels 1, 2, 3 and 4.
constexpr std::array<int, 4> kMuscleForNextLevel = {100, 200, 300, 400};

// The base picture of each level and the shiny picture the beauty salon swaps it for.
constexpr std::array<std::pair<Picture, Picture>, 5> kShinyVariantOf = {{
    {Picture::level1, Picture::tyuesu},
    {Picture::level2, Picture::fuesu},
    {Picture::level3, Picture::futuesu},
    {Picture::level4, Picture::yayaesu},
    {Picture::level5, Picture::kenesu},
}};

constexpr Picture basePictureOfLevel(Stat level) {
    return kShinyVariantOf[static_cast<std::size_t>(level - 1)].first;
}

// Stats never wrap: a sum that would leave 64 bits stops at the limit instead.
constexpr Stat addStat(Stat value, Stat delta) {
    Stat result = 0;
    if (__builtin_add_overflow(value, delta, &result)) {
        return delta > 0 ? std::numeric_limits<Stat>::max() : std::numeric_limits<Stat>::min();
    }
    return result;
}

}  // namespace

Game::Game(CuePlayer& cues, MessageSink& messages, GameState initial)
    : cues_(cues), messages_(messages), state_(std::move(initial)) {}

void Game::Form_Load() {
    state_.clearflag.set(0);
    state_.gisei.set(0);
    state_.kin.set(0);
    state_.hirou.set(0);
    play(cues::kFreshStart);
}

void Game::Command1_Click() {
    play(cues::kFreshStart);
    state_.comment = texts::kFreshMan;
    state_.mlevel = 1;
    state_.sibou = 0;
    state_.kin.set(0);
    state_.hirou.set(0);
    state_.cre = 3;
    state_.pro = 20;
    state_.money = 30000;
    putOnShow(Picture::level1);
    state_.gisei.add(1);
    ++state_.sacrificeWrites;
    state_.bihada = 0;
    state_.hiyake = 0;
    state_.kokoroiki = 0;
    state_.sibouInk = Ink::black;
    state_.hiroudoInk = Ink::black;
    state_.hiyakeInk = Ink::black;
    state_.bihadaInk = Ink::black;
}

void Game::toreining_Click() {
    state_.kin.add(20);
    raiseFatigue(15);
    state_.sibou = addStat(state_.sibou, -20);
    if (state_.sibou < kBodyFatWarning) {
        state_.sibouInk = Ink::black;
    }
    play(cues::kTraining);
    state_.comment = texts::kTraining;
    hantei();
}

void Game::purotein_Click() {
    if (state_.pro <= 0) {
        showMessage(texts::kNoProtein);
        return;
    }
    state_.pro -= 1;
    state_.kin.add(10);
    lowerFatigue(10);
    play(cues::kProtein);
    state_.comment = texts::kProtein;
    hantei();
}

void Game::kuream_Click() {
    if (state_.cre <= 0) {
        showMessage(texts::kNoCream);
        return;
    }
    state_.cre -= 1;
    raiseFatigue(50);
    state_.kin.add(99);
    state_.comment = texts::kCream;
    play(cues::kCream);
    hantei();
}

void Game::eat_Click() {
    if (state_.money - kMealPrice < 0) {
        showMessage(texts::kNoMoney);
        return;
    }
    state_.money -= kMealPrice;
    lowerFatigue(10);
    state_.sibou = addStat(state_.sibou, 15);
    if (state_.sibou >= kBodyFatWarning) {
        state_.sibouInk = Ink::red;
    }
    play(cues::kMeal);
    state_.comment = texts::kMeal;
    hantei();
}

void Game::saron_Click() {
    if (state_.money - kSalonPrice < 0) {
        showMessage(texts::kNoMoney);
        return;
    }
    state_.money -= kSalonPrice;
    state_.hiyake = addStat(state_.hiyake, 10);
    state_.bihada = addStat(state_.bihada, -5);
    if (state_.bihada <= 0) {
        state_.bihada = 0;
    }
    play(cues::kTanningSalon);
    state_.comment = texts::kTanningSalon;
    hantei();
}

void Game::esute_Click() {
    if (state_.money - kSalonPrice < 0) {
        showMessage(texts::kNoMoney);
        return;
    }
    play(cues::kBeautySalon);
    state_.money -= kSalonPrice;
    state_.comment = texts::kBeautySalon;
    state_.bihada = addStat(state_.bihada, 10);
    state_.hiyake = addStat(state_.hiyake, -5);
    if (state_.hiyake <= 0) {
        state_.hiyake = 0;
    }
    if (state_.bihada < kShinySkinFrom) {
        return;
    }
    for (const auto& [base, shiny] : kShinyVariantOf) {
        if (isOnShow(base)) {
            putOnShow(shiny);
            break;
        }
    }
    state_.comment = texts::kBeautySalon;
    play(cues::kBeautySalon);
    hantei();
}

void Game::pojingu_Click() {
    state_.kokoroiki = addStat(state_.kokoroiki, 10);
    raiseFatigue(10);
    state_.comment = texts::kPosing;
    play(cues::kPosing);
    hantei();
}

void Game::baito_Click() {
    state_.money = addStat(state_.money, kPartTimeWage);
    raiseFatigue(15);
    state_.comment = texts::kPartTimeJob;
    play(cues::kPartTimeJob);
    hantei();
}

void Game::Command5_Click() {
    play(cues::kAudition);
    showMessage(texts::kAuditionEntered);
    // Every condition is read and judged, with no early exit.
    const bool tanned = state_.hiyake >= kAuditionBar;
    const bool fairSkinned = state_.bihada >= kAuditionBar;
    const bool spirited = state_.kokoroiki >= kAuditionBar;
    const bool topLevel = state_.mlevel >= kTopLevel;
    const bool lean = state_.sibou == 0;
    if (tanned && fairSkinned && spirited && topLevel && lean) {
        putOnShow(Picture::goukaku);
        play(cues::kPassed);
        showMessage(texts::kPassed);
        play(cues::kCongratulations);
        showMessage(texts::kChampion);
        state_.clear = addStat(state_.clear, 1);
        state_.mlevel = 1;
        // A win costs no sacrifice: this cancels the count the restart adds.
        state_.gisei.add(-1);
        Command1_Click();
    } else {
        putOnShow(Picture::hugoukaku);
        play(cues::kFailed);
        showMessage(texts::kFailed);
        state_.kokoroiki = addStat(state_.kokoroiki, -10);
    }
}

void Game::now_MouseDown(short /*button*/, short /*shift*/, float x, float y) {
    const bool onTheBriefs = x >= 80.0F && x <= 100.0F && y >= 140.0F && y <= 170.0F;
    play(onTheBriefs ? cues::kMore : cues::kSlap);
}

// The judgement after an action: the level's picture, at most one death, at most one level
// step, and the hint when the audition would pass. Every test reads the state afresh, so the
// tests after a death see the restarted man.
void Game::hantei() {
    if (state_.mlevel >= 1 && state_.mlevel <= 4) {
        putOnShow(basePictureOfLevel(state_.mlevel));
    } else if (state_.mlevel == kTopLevel && state_.sibou == 0) {
        putOnShow(Picture::level5);
    }

    if (state_.hiyake >= kSkinCancerFrom) {
        putOnShow(Picture::hifugan);
        die(cues::kSkinCancer, texts::kSkinCancer);
    }
    if (state_.hirou.value() > kFatigueDeath) {
        die(cues::kOverwork, texts::kOverwork);
    }
    if (state_.sibou < kTooThinBelow) {
        die(cues::kTooThin, texts::kTooThin);
    }
    if (state_.sibou >= kTooFatFrom) {
        play(cues::kTooFat);
        putOnShow(Picture::tyotti);
        showMessage(texts::kTooFat);
        Command1_Click();
    }

    const int kin = state_.kin.value();
    const bool lean = state_.sibou == 0;
    const bool neverCleared = state_.clearflag.value() == 0;
    if (state_.mlevel >= 1 && state_.mlevel <= 3 &&
        kin >= kMuscleForNextLevel[static_cast<std::size_t>(state_.mlevel - 1)]) {
        const Stat next = state_.mlevel + 1;
        putOnShow(basePictureOfLevel(next));
        state_.mlevel = next;
        showMessage(texts::kLevelUp);
    } else if (state_.mlevel == 4 && lean && neverCleared && kin >= kMuscleForNextLevel[3]) {
        runClearSequence(false);
    } else if (state_.mlevel == kTopLevel && lean && neverCleared) {
        runClearSequence(true);
    } else if (state_.mlevel == 4 && kin >= kMuscleForNextLevel[3]) {
        play(cues::kMore);
        showMessage(texts::kSqueezeMore);
        state_.mlevel = kTopLevel;
    }

    if (state_.hiyake >= kAuditionBar && state_.bihada >= kAuditionBar &&
        state_.kokoroiki >= kAuditionBar && state_.mlevel >= kTopLevel && state_.sibou == 0) {
        state_.comment = texts::kReadyForAudition;
    }
}

void Game::runClearSequence(bool levelAlreadyFive) {
    play(cues::kClear);
    if (levelAlreadyFive) {
        play(cues::kGunshot);
    }
    putOnShow(Picture::level5);
    state_.mlevel = kTopLevel;
    showMessage(texts::kCleared);
    state_.comment = texts::kOnlyAuditionLeft;
    state_.clearflag.set(1);
}

// The three deaths that end at the gravestone share their second half.
void Game::die(std::string_view cue, std::string_view message) {
    play(cue);
    showMessage(message);
    play(cues::kNextLife);
    putOnShow(Picture::death);
    showMessage(texts::kNextLife);
    Command1_Click();
}

void Game::showMessage(std::string_view text) {
    messages_.show(text);
}

void Game::play(std::string_view cue) {
    cues_.play(cue);
}

void Game::putOnShow(Picture picture) {
    state_.now = picture;
}

bool Game::isOnShow(Picture picture) const {
    return state_.now == picture;
}

// Fatigue shows in its label at once; reaching the warning mark turns the label red.
void Game::raiseFatigue(int points) {
    state_.hirou.add(points);
    if (state_.hirou.value() >= kFatigueWarning) {
        state_.hiroudoInk = Ink::red;
    }
}

// Fatigue never drops below zero; falling under the warning mark turns the label black.
void Game::lowerFatigue(int points) {
    state_.hirou.add(-points);
    if (state_.hirou.value() < 0) {
        state_.hirou.set(0);
    }
    if (state_.hirou.value() < kFatigueWarning) {
        state_.hiroudoInk = Ink::black;
    }
}

}  // namespace mukiro::rules
