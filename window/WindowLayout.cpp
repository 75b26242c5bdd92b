// The game window's controls as designed: kind, start text, twips, text size, tab order, and
// the names a screen reader gives them.
#include "window/WindowLayout.h"

#include <array>

namespace mukiro::window {

namespace {

using K = ControlKind;
using C = TextColour;

constexpr Alignment kLeft = Alignment::left;
constexpr Alignment kCentre = Alignment::centre;
constexpr Alignment kRight = Alignment::right;

// Text heights in pixels for the point sizes the window was drawn with: 9 pt is 12 px,
// 14.25 pt (the window's own font) is 19 px, and so on.
constexpr int k9 = 12;
constexpr int k9_75 = 13;
constexpr int k11_25 = 15;
constexpr int k12 = 16;
constexpr int k14_25 = 19;
constexpr int k18 = 24;
constexpr int k20_25 = 27;
constexpr int k24 = 32;
constexpr int k26_25 = 35;
constexpr int k27_75 = 37;
constexpr int k36 = 48;

// clang-format off
constexpr std::array kControls = std::to_array<ControlLayout>({
    // Title banner.
    {"Label11", K::label, "ムキロタフ", 1200, 0, 3855, 735, k36, kLeft, C::red, false, false, 30},
    {"Label12", K::label, "ヴァージョン２．０", 5160, 0, 2295, 255, k14_25, kLeft, C::blue, false, false, 32},
    // Body picture and the man's speech line.
    {"now", K::bodyPicture, "", 480, 840, 3060, 3060, k9, kLeft, C::standard, false, false, 0},
    {"comment", K::textBox, "いい体にしてくれよ。", 3600, 1680, 3375, 735, k9, kLeft, C::standard, true, false, 11},
    // Money.
    {"Label25", K::label, "所持金", 3840, 3120, 1455, 495, k24, kLeft, C::standard, false, false, 56},
    {"money", K::textBox, "30000", 5400, 3120, 1575, 630, k27_75, kLeft, C::standard, true, false, 55},
    // Action column: each button with its one-line explanation, two with their stock.
    {"Label1", K::label, "プロテインを与える", 7200, 600, 1425, 180, k9, kLeft, C::standard, false, false, 18},
    {"purotein", K::button, "プロテイン", 9000, 720, 1455, 495, k9, kLeft, C::standard, false, false, 1},
    {"Label2", K::label, "残り", 7320, 960, 315, 180, k9, kLeft, C::standard, false, false, 19},
    {"pro", K::textBox, "20", 7800, 900, 495, 270, k9, kLeft, C::standard, true, false, 12},
    {"Label3", K::label, "個", 8400, 960, 180, 180, k9, kLeft, C::standard, false, false, 20},
    {"Label4", K::label, "トレーニングをする", 7200, 1440, 1410, 180, k9, kLeft, C::standard, false, false, 21},
    {"toreining", K::button, "トレーニング", 9000, 1440, 1455, 495, k9, kLeft, C::standard, false, false, 2},
    {"Label5", K::label, "禁じ手マッチョクリーム", 7080, 2040, 1725, 180, k9, kLeft, C::standard, false, false, 22},
    {"kuream", K::button, "マッチョクリーム", 9000, 2160, 1455, 495, k9, kLeft, C::standard, false, false, 3},
    {"Label6", K::label, "残り", 7320, 2400, 315, 180, k9, kLeft, C::standard, false, false, 23},
    {"cre", K::textBox, "3", 7800, 2340, 495, 270, k9, kLeft, C::standard, true, false, 24},
    {"Label7", K::label, "個", 8400, 2400, 180, 180, k9, kLeft, C::standard, false, false, 25},
    {"Label8", K::label, "お食事します", 7200, 2880, 1005, 180, k9, kLeft, C::standard, false, false, 26},
    {"eat", K::button, "お食事", 9000, 2880, 1455, 495, k9, kLeft, C::standard, false, false, 4},
    {"Label19", K::label, "日焼けします", 7200, 3600, 1005, 180, k9, kLeft, C::standard, false, false, 46},
    {"saron", K::button, "サロン", 9000, 3600, 1455, 495, k9, kLeft, C::standard, false, false, 5},
    {"Label20", K::label, "美肌度をあげます", 7200, 4320, 1380, 180, k9, kLeft, C::standard, false, false, 47},
    {"esute", K::button, "エステ", 9000, 4320, 1455, 495, k9, kLeft, C::standard, false, false, 6},
    {"Label21", K::label, "心意気をあげます", 7200, 5040, 1380, 180, k9, kLeft, C::standard, false, false, 48},
    {"pojingu", K::button, "ポージング", 9000, 5040, 1455, 495, k9, kLeft, C::standard, false, false, 7},
    {"Label28", K::label, "バイトしてお金を貯めるの", 7200, 5760, 1575, 435, k9_75, kLeft, C::standard, false, false, 57},
    {"baito", K::button, "バイト", 9000, 5760, 1455, 495, k11_25, kLeft, C::standard, false, false, 8},
    // Status panel: the frame, then its labels placed from the frame's corner.
    {"Frame1", K::frame, "ステータス", 240, 4080, 3735, 3735, k9, kLeft, C::standard, false, false, 27},
    {"Label9", K::label, "マッチョレベル", 240, 360, 2175, 375, k18, kLeft, C::standard, false, true, 28},
    {"mlevel", K::label, "1", 2880, 240, 495, 495, k26_25, kLeft, C::standard, false, true, 29},
    {"Label13", K::label, "疲労度", 240, 840, 1335, 375, k20_25, kLeft, C::standard, false, true, 33},
    {"hiroudo", K::label, "0", 2400, 720, 1215, 495, k27_75, kCentre, C::standard, false, true, 35},
    {"Label14", K::label, "筋力", 240, 1320, 975, 375, k20_25, kLeft, C::standard, false, true, 34},
    {"kinryoku", K::label, "0", 2400, 1200, 1215, 495, k27_75, kCentre, C::standard, false, true, 36},
    {"Label10", K::label, "体脂肪率", 240, 1800, 1695, 375, k20_25, kLeft, C::standard, false, true, 37},
    {"sibou", K::label, "0", 2040, 1680, 855, 495, k27_75, kCentre, C::black, false, true, 38},
    {"Label15", K::label, "%", 3120, 1680, 495, 495, k27_75, kCentre, C::standard, false, true, 39},
    {"Label24", K::label, "日焼け度", 240, 2280, 1695, 375, k20_25, kLeft, C::standard, false, true, 49},
    {"hiyake", K::label, "0", 2400, 2160, 1215, 495, k27_75, kCentre, C::standard, false, true, 50},
    {"Label26", K::label, "美肌度", 240, 2760, 1215, 375, k20_25, kLeft, C::standard, false, true, 51},
    {"bihada", K::label, "0", 2400, 2640, 1215, 495, k27_75, kCentre, C::standard, false, true, 53},
    {"Label27", K::label, "心意気", 240, 3240, 1335, 375, k20_25, kLeft, C::standard, false, true, 52},
    {"kokoroiki", K::label, "0", 2400, 3120, 1215, 495, k27_75, kCentre, C::standard, false, true, 54},
    // Win counter, audition and restart.
    {"Label18", K::label, "クリアした人", 4320, 7320, 2085, 405, k20_25, kLeft, C::standard, false, false, 44},
    {"clear", K::textBox, "0", 6600, 7200, 855, 600, k27_75, kRight, C::standard, true, false, 45},
    {"Command5", K::button, "オーディション", 8880, 6480, 1575, 495, k9, kLeft, C::standard, false, false, 9},
    {"Command1", K::button, "スタ－ト＆リセット", 8280, 7200, 2175, 615, k9, kLeft, C::standard, false, false, 10},
    // Sacrifice counter, below the client area as the window opens.
    {"Label17", K::label, "犠牲", 7560, 8400, 1215, 615, k27_75, kRight, C::standard, false, false, 43},
    {"Text1", K::textBox, "0", 8880, 8520, 615, 495, k20_25, kCentre, C::standard, false, false, 41},
    {"Label16", K::label, "人目", 9600, 8640, 855, 375, k20_25, kLeft, C::standard, false, false, 42},
    // The explanation viewer, over the whole client area.
    {"Text2", K::viewer, "", 0, 0, 10575, 7860, k12, kLeft, C::standard, true, false, 67},
});

using P = rules::Picture;

constexpr std::array kHolders = std::to_array<PictureHolderLayout>({
    {P::level1, 1560, 8280, 855, 735, k9, 13},
    {P::level2, 2400, 8280, 855, 735, k9, 14},
    {P::level3, 3240, 8280, 855, 735, k9, 15},
    {P::level4, 4080, 8280, 855, 735, k9, 16},
    {P::level5, 4920, 8280, 855, 735, k9, 17},
    {P::tyuesu, 4080, 6480, 495, 495, k14_25, 64},
    {P::fuesu, 4680, 6480, 495, 495, k14_25, 61},
    {P::futuesu, 5280, 6480, 495, 495, k14_25, 60},
    {P::yayaesu, 5880, 6480, 495, 495, k14_25, 59},
    {P::kenesu, 6480, 6480, 495, 495, k14_25, 62},
    {P::nanaesu, 7080, 6480, 495, 495, k14_25, 63},
    {P::goukaku, 4080, 5880, 495, 495, k14_25, 65},
    {P::hugoukaku, 4680, 5880, 495, 495, k14_25, 66},
    {P::death, 6600, 8280, 855, 735, k9, 40},
    {P::tyotti, 5760, 8280, 855, 735, k9, 31},
    {P::hifugan, 840, 8280, 735, 735, k14_25, 58},
});
// clang-format on

}  // namespace

std::span<const ControlLayout> ControlLayout::controls() {
    return kControls;
}

const ControlLayout* ControlLayout::find(std::string_view name) {
    for (const ControlLayout& row : kControls) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

std::span<const PictureHolderLayout> PictureHolderLayout::holders() {
    return kHolders;
}

std::span<const StatusRow> StatusRow::rows() {
    static constexpr StatusRow kRows[] = {
        {"mlevel", "Label9", nullptr},     {"hiroudo", "Label13", nullptr},
        {"kinryoku", "Label14", nullptr},  {"sibou", "Label10", "Label15"},
        {"hiyake", "Label24", nullptr},    {"bihada", "Label26", nullptr},
        {"kokoroiki", "Label27", nullptr},
    };
    return kRows;
}

std::span<const BoxName> BoxName::names() {
    static constexpr BoxName kNames[] = {
        {"money", "Label25", nullptr},
        {"clear", "Label18", nullptr},
        {"Text1", "Label17", nullptr},
        {"pro", nullptr, "プロテイン 残り"},
        {"cre", nullptr, "マッチョクリーム 残り"},
        {"comment", nullptr, "青年のセリフ"},
    };
    return kNames;
}

std::string_view pictureDescription(rules::Picture picture) {
    switch (picture) {
        case P::start:
        case P::level1:
            return "レベル1の体";
        case P::level2:
            return "レベル2の体";
        case P::level3:
            return "レベル3の体";
        case P::level4:
            return "レベル4の体";
        case P::level5:
        case P::kenesu:
            return "レベル5の体";
        case P::tyuesu:
            return "レベル1の体（肌つやつや）";
        case P::fuesu:
            return "レベル2の体（肌つやつや）";
        case P::futuesu:
            return "レベル3の体（肌つやつや）";
        case P::yayaesu:
            return "レベル4の体（肌つやつや）";
        case P::nanaesu:
            return "太った体（肌つやつや）";
        case P::goukaku:
            return "合格して手を振る男";
        case P::hugoukaku:
            return "不合格で泣く男";
        case P::death:
            return "お墓";
        case P::tyotti:
            return "太った体";
        case P::hifugan:
            return "包帯を巻いた男";
    }
    return {};
}

}  // namespace mukiro::window
