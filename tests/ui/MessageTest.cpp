// The Messages: a plain modal box, and the picture the player sees behind each one.
#include <vector>

#include "tests/ui/WindowFixture.h"

namespace mukiro::testing {
namespace {

using P = rules::Picture;
using MessageTest = WindowTest;

struct Behind {
    QString text;
    rules::Picture picture;
};

void expectMessages(const MessageAnswerer& answerer, const std::vector<Behind>& expected) {
    ASSERT_EQ(answerer.seen().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].text.toStdString());
        const SeenMessage& seen = answerer.seen()[i];
        EXPECT_EQ(seen.text, expected[i].text);
        EXPECT_EQ(seen.behind, expected[i].picture);
    }
}

TEST_F(MessageTest, AMessageIsAPlainBoxWithTheGamesTitleAndOneOkButton) {
    rules::GameState broke;
    broke.money = 499;
    open(broke);
    MessageAnswerer answerer(*window);
    click("eat");
    ASSERT_EQ(answerer.seen().size(), 1U);
    const SeenMessage& seen = answerer.seen()[0];
    EXPECT_EQ(seen.caption, QStringLiteral("ムキロ・タフ"));
    EXPECT_EQ(seen.text, QStringLiteral("お金が足りません"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, std::vector{QMessageBox::Ok});
    EXPECT_EQ(boxText("money"), QStringLiteral("499"));
}

TEST_F(MessageTest, SkinCancerShowsTheBandagedManThenTheGrave) {
    rules::GameState tanned;
    tanned.hiyake = 95;
    tanned.mlevel = 2;
    open(tanned);
    MessageAnswerer answerer(*window);
    click("saron");
    expectMessages(answerer, {
                                 {QStringLiteral("日に焼け過ぎて皮膚ガンになっちゃった。死ぬよ。"),
                                  P::hifugan},
                                 {QStringLiteral("来世はマッチョに生まれますように"), P::death},
                             });
    // Behind the Messages the status still showed the life that ended.
    EXPECT_EQ(answerer.seen()[1].mlevelShown, QStringLiteral("2"));
    // Once the player has read them, a fresh man stands there.
    EXPECT_EQ(now()->picture(), P::level1);
    EXPECT_EQ(labelText("mlevel"), QStringLiteral("1"));
    EXPECT_EQ(labelText("hiyake"), QStringLiteral("0"));
    EXPECT_EQ(boxText("Text1"), QStringLiteral("1"));
}

TEST_F(MessageTest, AFailedAuditionShowsTheCryingMan) {
    open();
    MessageAnswerer answerer(*window);
    click("Command5");
    expectMessages(
        answerer,
        {
            {QStringLiteral("オーディションに応募したぞ｡結果はどうかな､ドキドキ"), P::start},
            {QStringLiteral("だめだったよ。残念だな。"), P::hugoukaku},
        });
    EXPECT_EQ(now()->picture(), P::hugoukaku);
    EXPECT_EQ(labelText("kokoroiki"), QStringLiteral("-10"));
}

TEST_F(MessageTest, APassedAuditionShowsTheWinnerThenAFreshMan) {
    rules::GameState ready;
    ready.hiyake = 50;
    ready.bihada = 50;
    ready.kokoroiki = 50;
    ready.mlevel = 5;
    ready.now = P::level5;
    ready.gisei.set(3);
    ready.clear = 2;
    open(ready);
    MessageAnswerer answerer(*window);
    click("Command5");
    expectMessages(
        answerer,
        {
            {QStringLiteral("オーディションに応募したぞ｡結果はどうかな､ドキドキ"), P::level5},
            {QStringLiteral("合格だ！合格だよアニキ！あにきぃー！！"), P::goukaku},
            {QStringLiteral("おめでとう。マッチョコンテスト優勝だ！"), P::goukaku},
        });
    EXPECT_EQ(now()->picture(), P::level1);
    EXPECT_EQ(boxText("clear"), QStringLiteral("3"));
    EXPECT_EQ(boxText("Text1"), QStringLiteral("3"));
    EXPECT_EQ(labelText("mlevel"), QStringLiteral("1"));
}

}  // namespace
}  // namespace mukiro::testing
