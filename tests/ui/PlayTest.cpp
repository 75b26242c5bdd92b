// Playing through the real widgets: buttons change what the window shows, pokes play cues.
#include <QDir>
#include <QTest>
#include <string>
#include <vector>

#include "tests/ui/WindowFixture.h"

namespace mukiro::testing {
namespace {

using PlayTest = WindowTest;

TEST_F(PlayTest, TrainingRewritesTheStatusLabelsAndSpeechLine) {
    open();
    click("toreining");
    EXPECT_EQ(labelText("kinryoku"), QStringLiteral("20"));
    EXPECT_EQ(labelText("hiroudo"), QStringLiteral("15"));
    EXPECT_EQ(labelText("sibou"), QStringLiteral("-20"));
    EXPECT_EQ(boxText("comment"), QStringLiteral("いい汗かいたな。"));
    // The judgement put the level's own picture on show, no longer the start picture.
    EXPECT_EQ(now()->picture(), rules::Picture::level1);
    EXPECT_EQ(host.cues(), std::vector<std::string>{"iiase.wav"});
}

TEST_F(PlayTest, WarningColoursFollowTheState) {
    rules::GameState tired;
    tired.hirou.set(20);
    open(tired);
    click("toreining");
    EXPECT_EQ(labelText("hiroudo"), QStringLiteral("35"));
    EXPECT_EQ(control<QLabel>("hiroudo")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    click("Command1");
    EXPECT_EQ(control<QLabel>("hiroudo")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(control<QLabel>("hiyake")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(PlayTest, MoneyAndStockBoxesShowTheStock) {
    open();
    click("purotein");
    click("eat");
    click("baito");
    EXPECT_EQ(boxText("pro"), QStringLiteral("19"));
    EXPECT_EQ(boxText("money"), QStringLiteral("34500"));
}

TEST_F(PlayTest, TheRestartOverwritesWhatThePlayerTypedIntoTheSacrificeBox) {
    open();
    auto* text1 = control<QLineEdit>("Text1");
    text1->setFocus();
    text1->selectAll();
    QTest::keyClicks(text1, QStringLiteral("99"));
    ASSERT_EQ(text1->text(), QStringLiteral("99"));

    // Actions that do not restart leave the player's text alone.
    click("pojingu");
    EXPECT_EQ(text1->text(), QStringLiteral("99"));

    click("Command1");
    EXPECT_EQ(text1->text(), QStringLiteral("1"));
    click("Command1");
    EXPECT_EQ(text1->text(), QStringLiteral("2"));
}

TEST_F(PlayTest, TheSacrificeBoxOpensWithThePreparedCount) {
    rules::GameState later;
    later.gisei.set(7);
    open(later);
    EXPECT_EQ(boxText("Text1"), QStringLiteral("7"));
}

struct Poke {
    QPoint where;  // in pixels of the picture area
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    const char* cue;
};

TEST_F(PlayTest, APokeOnTheBodyPlaysTheCueForWhereItLands) {
    const Poke pokes[] = {
        {{80, 140}, Qt::LeftButton, Qt::NoModifier, "motto.wav"},
        {{100, 170}, Qt::LeftButton, Qt::NoModifier, "motto.wav"},
        {{90, 155}, Qt::RightButton, Qt::NoModifier, "motto.wav"},
        {{90, 155}, Qt::MiddleButton, Qt::ShiftModifier, "motto.wav"},
        {{79, 155}, Qt::LeftButton, Qt::NoModifier, "tya.wav"},
        {{101, 155}, Qt::LeftButton, Qt::NoModifier, "tya.wav"},
        {{90, 139}, Qt::RightButton, Qt::NoModifier, "tya.wav"},
        {{90, 171}, Qt::LeftButton, Qt::ControlModifier, "tya.wav"},
        {{0, 0}, Qt::LeftButton, Qt::NoModifier, "tya.wav"},
        {{199, 199}, Qt::LeftButton, Qt::NoModifier, "tya.wav"},
    };
    open();
    const rules::GameState before = window->state();
    for (const Poke& poke : pokes) {
        SCOPED_TRACE(::testing::Message() << poke.where.x() << "," << poke.where.y());
        host.clear();
        // The picture area starts inside the 2-pixel border.
        QTest::mousePress(now(), poke.button, poke.modifiers, poke.where + QPoint(2, 2));
        QTest::mouseRelease(now(), poke.button, poke.modifiers, poke.where + QPoint(2, 2));
        EXPECT_EQ(host.cues(), std::vector<std::string>{poke.cue});
    }
    EXPECT_EQ(window->state(), before);
}

TEST_F(PlayTest, APressOnTheBorderIsNoPoke) {
    open();
    // (QTest takes the point (0, 0) for "the middle", so the corner is tried one pixel lower.)
    for (QPoint border : {QPoint(0, 1), QPoint(1, 100), QPoint(100, 203), QPoint(202, 50)}) {
        QTest::mouseClick(now(), Qt::LeftButton, Qt::NoModifier, border);
    }
    EXPECT_TRUE(host.cues().empty());
}

TEST_F(PlayTest, StartUpMakesTheProgramsFolderCurrentAndPlaysTheOpeningCue) {
    open();
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    window->Form_Load();
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(),
              QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    EXPECT_EQ(host.cues(), std::vector<std::string>{"iikaradani.wav"});
    // Start-up writes no control.
    EXPECT_EQ(boxText("comment"), QStringLiteral("いい体にしてくれよ。"));
    QDir::setCurrent(before);
}

}  // namespace
}  // namespace mukiro::testing
