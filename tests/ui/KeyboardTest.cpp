// Playing without a mouse: Tab to every action, Space or Enter to press it, F1 for the
// explanation and Escape, Enter or Space to close it, the arrows and Space or Enter to poke.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "tests/ui/WindowFixture.h"
#include "ui/ExplanationFile.h"
#include "ui/ExplanationView.h"

namespace mukiro::testing {
namespace {

class KeyboardTest : public WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        QFile file(folder_.filePath(ui::ExplanationFile::name()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("a\r\nb\r\n");
        file.close();
        previous_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        open();
        ASSERT_NO_FATAL_FAILURE(activate());
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    // The desktop hands the window the keyboard (again, after a Message has closed).
    void activate() const {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // A key as the keyboard sends it: to the active window, through its shortcuts, then to the
    // control that has the focus. The keypad's Enter carries the keypad modifier.
    void key(Qt::Key pressed) const {
        QTest::keyClick(window->windowHandle(), pressed,
                        pressed == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }

    static QString focused() {
        QWidget* widget = QApplication::focusWidget();
        return widget != nullptr ? widget->objectName() : QStringLiteral("(nothing)");
    }

    // Presses Tab until `name` has the focus, as a player walks the window.
    void tabTo(const char* name) const {
        for (int i = 0; i < 40 && focused() != QLatin1String(name); ++i) {
            key(Qt::Key_Tab);
        }
        ASSERT_EQ(focused(), QLatin1String(name));
    }

    ui::ExplanationView* text2() const { return control<ui::ExplanationView>("Text2"); }

  private:
    QTemporaryDir folder_;
    QString previous_;
};

TEST_F(KeyboardTest, AWholeShortGameIsPlayedWithKeysAlone) {
    // The body picture takes the focus first, where a player starts walking the window.
    EXPECT_EQ(focused(), QStringLiteral("now"));

    ASSERT_NO_FATAL_FAILURE(tabTo("Command1"));
    key(Qt::Key_Return);
    EXPECT_EQ(boxText("Text1"), QStringLiteral("1"));
    EXPECT_EQ(now()->picture(), rules::Picture::level1);

    ASSERT_NO_FATAL_FAILURE(tabTo("toreining"));
    key(Qt::Key_Space);
    key(Qt::Key_Enter);
    EXPECT_EQ(labelText("kinryoku"), QStringLiteral("40"));
    EXPECT_EQ(labelText("hiroudo"), QStringLiteral("30"));

    ASSERT_NO_FATAL_FAILURE(tabTo("purotein"));
    key(Qt::Key_Return);
    EXPECT_EQ(boxText("pro"), QStringLiteral("19"));

    // The audition at level 1 fails: two Messages, each dismissed with Enter.
    ASSERT_NO_FATAL_FAILURE(tabTo("Command5"));
    MessageAnswerer answerer(*window, MessageAnswerer::Answer::enterKey);
    key(Qt::Key_Return);
    EXPECT_EQ(
        answerer.texts(),
        (std::vector<QString>{QStringLiteral("オーディションに応募したぞ｡結果はどうかな､ドキドキ"),
                              QStringLiteral("だめだったよ。残念だな。")}));
    EXPECT_EQ(now()->picture(), rules::Picture::hugoukaku);
    ASSERT_NO_FATAL_FAILURE(activate());
    EXPECT_EQ(focused(), QStringLiteral("Command5"));

    // The rules, and back to the game where the player was.
    key(Qt::Key_F1);
    EXPECT_TRUE(text2()->isVisible());
    EXPECT_EQ(text2()->text(), QStringLiteral("a\r\nb\r\n"));
    key(Qt::Key_Escape);
    EXPECT_FALSE(text2()->isVisible());
    EXPECT_EQ(focused(), QStringLiteral("Command5"));

    ASSERT_NO_FATAL_FAILURE(tabTo("baito"));
    key(Qt::Key_Space);
    EXPECT_EQ(boxText("money"), QStringLiteral("35000"));
}

TEST_F(KeyboardTest, TheExplanationClosesWithEscapeEnterOrSpaceAndGivesTheFocusBack) {
    for (Qt::Key closing : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        SCOPED_TRACE(QKeySequence(closing).toString().toStdString());
        ASSERT_NO_FATAL_FAILURE(tabTo("pojingu"));
        const rules::GameState before = window->state();
        host.clear();
        key(Qt::Key_F1);
        ASSERT_TRUE(text2()->isVisible());
        EXPECT_EQ(host.cues(), std::vector<std::string>{"waka.wav"});
        EXPECT_EQ(focused(), QStringLiteral("Text2"));
        // The controls it covers are out of reach of Tab, as they are of the mouse.
        key(Qt::Key_Tab);
        key(Qt::Key_Backtab);
        EXPECT_EQ(focused(), QStringLiteral("Text2"));

        key(closing);
        EXPECT_FALSE(text2()->isVisible());
        EXPECT_EQ(focused(), QStringLiteral("pojingu"));
        // Closing the explanation pressed nothing beneath it.
        EXPECT_EQ(window->state(), before);
    }
}

TEST_F(KeyboardTest, TheBodyPictureShowsWhenItHasTheFocus) {
    ASSERT_NO_FATAL_FAILURE(tabTo("purotein"));
    const QImage unfocused = now()->grab().toImage();
    key(Qt::Key_Backtab);
    ASSERT_EQ(focused(), QStringLiteral("now"));
    const QImage focusedLook = now()->grab().toImage();
    // A frame just inside the border, in the highlight colour, all the way round.
    const QColor highlight = window->palette().color(QPalette::Highlight);
    for (QPoint point : {QPoint(4, 100), QPoint(100, 4), QPoint(199, 100), QPoint(100, 199)}) {
        SCOPED_TRACE(::testing::Message() << point.x() << "," << point.y());
        EXPECT_EQ(focusedLook.pixelColor(point), highlight);
        EXPECT_NE(unfocused.pixelColor(point), highlight);
    }
}

// The aim marker's middle is the aimed pixel, in the highlight colour; the picture area starts
// inside the 2-pixel border.
bool aimShownAt(const QImage& look, QPoint aim, const QColor& highlight) {
    return look.pixelColor(aim + QPoint(2, 2)) == highlight;
}

TEST_F(KeyboardTest, TheArrowsAimAndSpaceOrEnterPokesWhereTheAimShows) {
    const QColor highlight = window->palette().color(QPalette::Highlight);
    ASSERT_EQ(focused(), QStringLiteral("now"));
    // Until a key is used the box looks as it always did, though it has the focus: a mouse
    // player's poke neither shows an aim nor moves one.
    const QImage untouched = now()->grab().toImage();
    QTest::mouseClick(now(), Qt::LeftButton, Qt::NoModifier, QPoint(2 + 30, 2 + 30));
    EXPECT_EQ(host.cues(), std::vector<std::string>{"tya.wav"});
    EXPECT_TRUE(now()->grab().toImage() == untouched);
    const rules::GameState before = window->state();

    struct Step {
        Qt::Key key;
        QPoint aim;  // where the marker stands after the key
        std::optional<const char*> cue;
    };
    // The aim starts in the middle of the picture, on the belly: a poke there plays "tya.wav". Four
    // steps down it stands on the briefs' top edge (x 100 and y 140 both count as on them).
    const Step steps[] = {
        {Qt::Key_Space, {100, 100}, "tya.wav"},    {Qt::Key_Down, {100, 110}, std::nullopt},
        {Qt::Key_Down, {100, 120}, std::nullopt},  {Qt::Key_Down, {100, 130}, std::nullopt},
        {Qt::Key_Down, {100, 140}, std::nullopt},  {Qt::Key_Return, {100, 140}, "motto.wav"},
        {Qt::Key_Right, {110, 140}, std::nullopt}, {Qt::Key_Enter, {110, 140}, "tya.wav"},
        {Qt::Key_Left, {100, 140}, std::nullopt},  {Qt::Key_Up, {100, 130}, std::nullopt},
        {Qt::Key_Space, {100, 130}, "tya.wav"},
    };
    QPoint shownBefore;
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << QKeySequence(step.key).toString().toStdString()
                                          << " to " << step.aim.x() << "," << step.aim.y());
        host.clear();
        key(step.key);
        EXPECT_EQ(focused(), QStringLiteral("now"));
        EXPECT_EQ(QPoint(now()->aim().x, now()->aim().y), step.aim);
        const std::vector<std::string> expected =
            step.cue ? std::vector<std::string>{*step.cue} : std::vector<std::string>{};
        EXPECT_EQ(host.cues(), expected);
        const QImage look = now()->grab().toImage();
        EXPECT_TRUE(aimShownAt(look, step.aim, highlight));
        if (!shownBefore.isNull() && shownBefore != step.aim) {
            EXPECT_FALSE(aimShownAt(look, shownBefore, highlight)) << "the old marker stayed";
        }
        shownBefore = step.aim;
    }
    // A poke changes nothing in the game, from the keyboard as from the mouse.
    EXPECT_EQ(window->state(), before);

    // A held key pokes once: the key's repeats poke no more.
    host.clear();
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(now(), &repeat);
    EXPECT_TRUE(host.cues().empty());

    // Away from the box the marker goes with the focus frame; back on it, the aim is where the
    // player left it.
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("purotein"));
    EXPECT_TRUE(now()->grab().toImage() == untouched);
    key(Qt::Key_Backtab);
    ASSERT_EQ(focused(), QStringLiteral("now"));
    EXPECT_TRUE(aimShownAt(now()->grab().toImage(), QPoint(100, 130), highlight));
}

}  // namespace
}  // namespace mukiro::testing
