// The explanation viewer: decoding the file, showing it over the window, hiding it on a click.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/ui/WindowFixture.h"
#include "ui/ExplanationFile.h"
#include "ui/ExplanationView.h"

namespace mukiro::testing {
namespace {

using ui::ExplanationFile;

struct Decoding {
    const char* what;
    QByteArray bytes;
    QString text;
};

TEST(ExplanationTextTest, SplitsLinesAtCrLfOrLoneCrAndEndsEachWithCrLf) {
    const Decoding cases[] = {
        {"CR LF lines", "a\r\nb\r\nc\r\n", QStringLiteral("a\r\nb\r\nc\r\n")},
        {"no final line end", "a\r\nb\r\nc", QStringLiteral("a\r\nb\r\nc\r\n")},
        {"lone CR", "a\rb\rc\r", QStringLiteral("a\r\nb\r\nc\r\n")},
        {"lone LF stays in its line", "a\nb\r\nc", QStringLiteral("a\nb\r\nc\r\n")},
        {"final empty line", "a\r\n\r\n", QStringLiteral("a\r\n\r\n")},
        {"CR before CR LF", "a\r\r\nb", QStringLiteral("a\r\n\r\nb\r\n")},
        {"only a line end", "\r\n", QStringLiteral("\r\n")},
        {"no bytes", "", QString()},
    };
    for (const Decoding& row : cases) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ExplanationFile::textOf(row.bytes), row.text);
    }
}

TEST(ExplanationTextTest, DecodesCodePage932) {
    const Decoding cases[] = {
        {"katakana", "\x83\x80\x83\x4c\x83\x8d", QStringLiteral("ムキロ\r\n")},
        {"0x5C is a backslash", "C:\x5cgame", QStringLiteral("C:\\game\r\n")},
        {"half-width katakana", "\xb1\xb2", QStringLiteral("ｱｲ\r\n")},
        {"NEC circled digit", "\x87\x40", QStringLiteral("①\r\n")},
        {"IBM small roman numeral", "\xfa\x40", QStringLiteral("ⅰ\r\n")},
        {"wave dash is full-width tilde", "\x81\x60", QStringLiteral("～\r\n")},
        {"kanji across a line end", "\x90\xe0\x96\xbe\r\n\x83\x5e\x83\x74",
         QStringLiteral("説明\r\nタフ\r\n")},
        // Bad bytes become the replacement mark and never swallow what follows them.
        {"lead byte without a trail", "\x81\x20x", QStringLiteral("\uFFFD x\r\n")},
        {"lead byte before a line end", "\x83\r\nb", QStringLiteral("\uFFFD\r\nb\r\n")},
        {"lead byte cut off by the end", "ab\x83", QStringLiteral("ab\uFFFD\r\n")},
        {"only a lead byte", "\x82", QStringLiteral("\uFFFD\r\n")},
        {"byte that is never a lead", "\xa0", QStringLiteral("\uFFFD\r\n")},
    };
    for (const Decoding& row : cases) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ExplanationFile::textOf(row.bytes), row.text);
    }
}

class ExplanationTest : public WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        open();
        text2_ = control<ui::ExplanationView>("Text2");
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    void writeFile(const QByteArray& bytes) {
        QFile file(folder_.filePath(ExplanationFile::name()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    void chooseExplanation() {
        const QList<QAction*> commands = window->menuBar()->actions();
        ASSERT_EQ(commands.size(), 1);
        commands[0]->trigger();
    }

    ui::ExplanationView* text2_ = nullptr;

  private:
    QTemporaryDir folder_;
    QString previous_;
};

TEST_F(ExplanationTest, TheTextCoversTheClientAreaUntilClicked) {
    writeFile("a\r\nb\r\nc\r\n");
    const rules::GameState before = window->state();
    chooseExplanation();

    EXPECT_TRUE(text2_->isVisible());
    EXPECT_EQ(text2_->text(), QStringLiteral("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(text2_->toPlainText(), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(text2_->geometry(), window->centralWidget()->rect());
    // It takes every click in the client area: the controls beneath cannot be reached.
    for (QPoint point : {QPoint(40, 60), QPoint(650, 60), QPoint(10, 300), QPoint(700, 519)}) {
        QWidget* hit = window->centralWidget()->childAt(point);
        EXPECT_TRUE(hit == text2_ || text2_->isAncestorOf(hit)) << point.x() << "," << point.y();
    }
    EXPECT_EQ(host.cues(), std::vector<std::string>{"waka.wav"});

    QTest::mouseClick(text2_->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_FALSE(text2_->isVisible());
    // Hiding keeps the text; the game is as it was and usable again.
    EXPECT_EQ(text2_->text(), QStringLiteral("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(window->state(), before);
    click("toreining");
    EXPECT_EQ(labelText("kinryoku"), QStringLiteral("20"));
}

TEST_F(ExplanationTest, EachChoiceReadsTheFileAfresh) {
    writeFile("a\r\nb\r\nc");
    chooseExplanation();
    chooseExplanation();
    EXPECT_EQ(text2_->text(), QStringLiteral("a\r\nb\r\nc\r\n"));

    writeFile("new\rtext\n");
    chooseExplanation();
    EXPECT_TRUE(text2_->isVisible());
    EXPECT_EQ(text2_->text(), QStringLiteral("new\r\ntext\n\r\n"));
    EXPECT_EQ(host.cues(), (std::vector<std::string>{"waka.wav", "waka.wav", "waka.wav"}));
}

struct Problem {
    const char* what;
    // Puts something (or nothing) where the file belongs.
    std::function<void(const QString& path)> prepare;
    QString message;
};

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The largest the process has ever been, in KiB.
long peakKibibytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_F(ExplanationTest, AFileThatCannotBeShownIsReportedAndTheGameGoesOn) {
    const QString missing = QStringLiteral("説明ファイル「ムキロ・タフ.txt」が見つかりません。");
    const QString unreadable =
        QStringLiteral("説明ファイル「ムキロ・タフ.txt」を読めませんでした。");
    const QString tooLarge =
        QStringLiteral("説明ファイル「ムキロ・タフ.txt」は大きすぎて表示できません。");
    const Problem problems[] = {
        {"missing", [](const QString&) {}, missing},
        {"a link to nowhere",
         [](const QString& path) { ASSERT_TRUE(QFile::link(QStringLiteral("gone.txt"), path)); },
         missing},
        {"empty", [](const QString& path) { writeBytes(path, {}); },
         QStringLiteral("説明ファイル「ムキロ・タフ.txt」は空です。")},
        {"a folder in its place", [](const QString& path) { ASSERT_TRUE(QDir().mkdir(path)); },
         unreadable},
        // Opening a pipe waits for a writer that never comes: the window would hang.
        {"a pipe in its place",
         [](const QString& path) {
             ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
         },
         unreadable},
        // Endless bytes: only a reader that stops early could ever answer.
        {"a link to an endless device",
         [](const QString& path) { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path)); },
         unreadable},
        {"one byte over",
         [](const QString& path) {
             writeBytes(path, QByteArray(ExplanationFile::kMaxBytes + 1, 'a'));
         },
         tooLarge},
        {"a single line of 10 MB",
         [](const QString& path) { writeBytes(path, QByteArray(10 * 1024 * 1024, 'a')); },
         tooLarge},
        // Sparse, so the test itself stays small on disk.
        {"100 MB",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             ASSERT_TRUE(file.resize(100LL * 1024 * 1024));
         },
         tooLarge},
    };
    click("toreining");
    const rules::GameState before = window->state();
    for (const Problem& problem : problems) {
        SCOPED_TRACE(problem.what);
        const QString path = ExplanationFile::name();
        QDir().rmdir(path);
        QFile::remove(path);
        problem.prepare(path);
        host.clear();
        MessageAnswerer answerer(*window);
        const long peakBefore = peakKibibytes();
        chooseExplanation();
        // Refusing a file never brings it into memory (a read of the whole would add its size).
        EXPECT_LT(peakKibibytes() - peakBefore, 8 * 1024);
        ASSERT_EQ(answerer.seen().size(), 1U);
        EXPECT_EQ(answerer.seen()[0].text, problem.message);
        EXPECT_EQ(answerer.seen()[0].caption, QStringLiteral("ムキロ・タフ"));
        EXPECT_FALSE(text2_->isVisible());
        EXPECT_EQ(window->state(), before);
        EXPECT_EQ(host.cues(), std::vector<std::string>{"waka.wav"});
    }
}

TEST_F(ExplanationTest, AFileWithoutReadPermissionIsReported) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser reads every file whatever its permissions";
    }
    writeFile("a\r\n");
    ASSERT_TRUE(QFile::setPermissions(ExplanationFile::name(), QFileDevice::WriteOwner));
    MessageAnswerer answerer(*window);
    chooseExplanation();
    EXPECT_EQ(answerer.texts(), std::vector<QString>{QStringLiteral(
                                    "説明ファイル「ムキロ・タフ.txt」を読めませんでした。")});
    EXPECT_FALSE(text2_->isVisible());
}

struct OddText {
    const char* what;
    QByteArray bytes;
    QString shown;  // what the box shows
};

// Odd bytes are still text: shown as decoded, never a crash and never a Message.
TEST_F(ExplanationTest, OddBytesAreShownAsTheyDecode) {
    const OddText cases[] = {
        {"NUL bytes", QByteArray("a\0b\r\n\0", 6), QString::fromUtf16(u"a\0b\n\0", 5)},
        {"only lone LFs", "one\ntwo\nthree\n", QStringLiteral("one\ntwo\nthree\n")},
        // A lead byte with no valid trail, and a lead byte cut off by the end of the file.
        {"invalid Shift_JIS", "\x83\x80\x83\x4c\x83\x8d\xa0ok\r\n\x83",
         QStringLiteral("ムキロ\uFFFDok\n\uFFFD")},
    };
    for (const OddText& row : cases) {
        SCOPED_TRACE(row.what);
        writeFile(row.bytes);
        MessageAnswerer answerer(*window);
        chooseExplanation();
        EXPECT_TRUE(answerer.seen().empty());
        EXPECT_TRUE(text2_->isVisible());
        EXPECT_EQ(text2_->toPlainText(), row.shown);
        QTest::mouseClick(text2_->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        EXPECT_FALSE(text2_->isVisible());
    }
}

TEST_F(ExplanationTest, AFileOfExactlyTheLimitIsShown) {
    QByteArray bytes(ExplanationFile::kMaxBytes, 'a');
    bytes[0] = '\r';
    writeFile(bytes);
    chooseExplanation();
    EXPECT_TRUE(text2_->isVisible());
    EXPECT_TRUE(text2_->text().startsWith(QStringLiteral("\r\naaa")));
}

}  // namespace
}  // namespace mukiro::testing
