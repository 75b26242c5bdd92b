// Ten thousand clicks queued on the real window, every Message answered, and whatever the
// player types into the sacrifice box: the window always shows the rules' state.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>

#include "tests/ui/WindowFixture.h"
#include "ui/BodyPictureBox.h"
#include "ui/ExplanationFile.h"
#include "ui/ExplanationView.h"

namespace mukiro::testing {
namespace {

// Answers each Message as soon as the event loop is idle, noting what it said.
class QuickAnswerer : public QObject {
  public:
    QuickAnswerer() {
        connect(&timer_, &QTimer::timeout, this, &QuickAnswerer::answer);
        timer_.start(0);
    }
    int answered() const { return answered_; }
    // The first Message that was not the game's own kind of box, if any.
    const QString& oddBox() const { return oddBox_; }

  private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        if (oddBox_.isEmpty() &&
            (box->windowTitle() != QStringLiteral("ムキロ・タフ") || box->text().isEmpty() ||
             box->buttons().size() != 1 || box->button(QMessageBox::Ok) == nullptr)) {
            oddBox_ = box->windowTitle() + QLatin1Char('|') + box->text();
        }
        ++answered_;
        box->done(QMessageBox::Ok);
    }

    QTimer timer_;
    int answered_ = 0;
    QString oddBox_;
};

class ClickStormTest : public WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        QFile file(ui::ExplanationFile::name());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x90\xe0\x96\xbe\r\n");  // 説明
        file.close();
        open();
        host.watch(window->state());
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    // Clicks where a button lies, as the mouse would: whatever covers the button takes it.
    void clickAt(const char* name) {
        QWidget* client = window->centralWidget();
        auto* button = control<QWidget>(name);
        const QPoint where = button->mapTo(client, button->rect().center());
        QWidget* hit = client->childAt(where);
        ASSERT_NE(hit, nullptr) << name;
        QTest::mouseClick(hit, Qt::LeftButton, Qt::NoModifier, hit->mapFrom(client, where));
    }
    void chooseExplanation() {
        QMenuBar* bar = window->menuBar();
        const QRect item = bar->actionGeometry(bar->actions().at(0));
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, item.center());
    }

    // The first way the window disagrees with the rules, or nothing.
    std::string brokenPromise() const {
        const rules::GameState& s = window->state();
        const auto shows = [this](const char* name, qint64 value) {
            auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
            QString text;
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                text = label->text();
            } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
                text = box->text();
            }
            return text == QString::number(value);
        };
        if (s.mlevel < 1 || s.mlevel > 5)
            return "mlevel out of 1..5";
        if (!shows("mlevel", s.mlevel))
            return "mlevel label";
        if (!shows("hiroudo", s.hirou.value()))
            return "hiroudo label";
        if (!shows("kinryoku", s.kin.value()))
            return "kinryoku label";
        if (!shows("sibou", s.sibou))
            return "sibou label";
        if (!shows("hiyake", s.hiyake))
            return "hiyake label";
        if (!shows("bihada", s.bihada))
            return "bihada label";
        if (!shows("kokoroiki", s.kokoroiki))
            return "kokoroiki label";
        if (!shows("money", s.money))
            return "money box";
        if (!shows("pro", s.pro))
            return "pro box";
        if (!shows("cre", s.cre))
            return "cre box";
        if (!shows("clear", s.clear))
            return "clear box";
        if (!shows("Text1", s.gisei.value()))
            return "Text1 box";
        if (s.money < 0 || s.pro < 0 || s.cre < 0)
            return "a stock below zero";
        if (boxText("comment") != QString::fromStdString(s.comment))
            return "speech line";
        if (now()->picture() != s.now)
            return "body picture";
        if (QApplication::activeModalWidget() != nullptr)
            return "a Message left open";
        return {};
    }

  private:
    QTemporaryDir folder_;
    QString previous_;
};

TEST_F(ClickStormTest, TenThousandQueuedClicksKeepTheWindowTrueToTheRules) {
    constexpr int kClicks = 10'000;
    const char* const buttons[] = {"Command1", "purotein", "toreining", "kuream", "eat",
                                   "saron",    "esute",    "pojingu",   "baito",  "Command5"};
    const std::uint32_t seed = [] {
        const char* text = std::getenv("MUKIRO_PLAY_SEED");
        return text != nullptr ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10))
                               : 20'240'601U;
    }();
    SCOPED_TRACE("MUKIRO_PLAY_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    // Ten buttons, the menu command and a poke at the body picture.
    std::uniform_int_distribution<int> pick(0, 11);

    QuickAnswerer answerer;
    int done = 0;
    int explanations = 0;
    std::string failure;
    bool clicking = false;
    QEventLoop loop;
    // Clicks wait in line and each is taken only when the previous handler has ended: a
    // Message's own event loop keeps running the timer, and must not start another handler.
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (clicking || QApplication::activeModalWidget() != nullptr) {
            return;
        }
        if (done == kClicks || !failure.empty()) {
            loop.quit();
            return;
        }
        clicking = true;
        const int choice = pick(random);
        std::string what;
        if (choice < 10) {
            what = buttons[choice];
            clickAt(buttons[choice]);
        } else if (choice == 10) {
            what = "説明";
            chooseExplanation();
            ++explanations;
            if (!control<ui::ExplanationView>("Text2")->isVisible()) {
                failure = "the explanation did not cover the window";
            }
        } else {
            what = "poke";
            clickAt("now");
        }
        ++done;
        if (failure.empty()) {
            failure = brokenPromise();
        }
        if (!failure.empty()) {
            failure += " after click " + std::to_string(done) + " (" + what + ")";
        }
        clicking = false;
    });
    driver.start(0);
    loop.exec();

    EXPECT_EQ(failure, "");
    EXPECT_EQ(done, kClicks);
    EXPECT_EQ(answerer.oddBox(), QString());
    // The storm reached the paths that matter: Messages, deaths and the explanation.
    EXPECT_GT(answerer.answered(), 100);
    EXPECT_GT(window->state().gisei.value(), 10);
    EXPECT_GT(explanations, 100);
    RecordProperty("messages", answerer.answered());
    RecordProperty("sacrifices", window->state().gisei.value());
    RecordProperty("explanations", explanations);
    RecordProperty("wins", static_cast<int>(window->state().clear));
}

// Text1 belongs to the player to type into: the game never reads it, and only the next
// restart writes the sacrifice count over it.
TEST_F(ClickStormTest, WhateverIsTypedIntoTheSacrificeBoxIsNeverReadAndTheRestartOverwritesIt) {
    auto* text1 = control<QLineEdit>("Text1");
    // Keys as typed, then text as an input method commits it (Japanese has no keys of its own).
    const std::pair<QString, QString> typed[] = {
        {QStringLiteral("32767"), {}},
        {QStringLiteral("-1"), {}},
        {QStringLiteral("abc"), QStringLiteral("犠牲")},
        {QString(10'000, QLatin1Char('9')), {}},
    };
    std::int16_t sacrifices = 0;
    for (const auto& [keys, committed] : typed) {
        const QString text = keys + committed;
        SCOPED_TRACE(text.left(20).toStdString());
        text1->clear();
        text1->setFocus();
        QTest::keyClicks(text1, keys);
        text1->insert(committed);
        // The box holds at most its own limit; it is still the player's text.
        const QString held = text1->text();
        EXPECT_TRUE(text.startsWith(held));

        clickAt("toreining");
        EXPECT_EQ(window->state().gisei.value(), sacrifices);
        EXPECT_EQ(text1->text(), held);

        clickAt("Command1");
        ++sacrifices;
        EXPECT_EQ(window->state().gisei.value(), sacrifices);
        EXPECT_EQ(text1->text(), QString::number(sacrifices));
    }
}

}  // namespace
}  // namespace mukiro::testing
