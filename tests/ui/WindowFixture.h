// Opens the game window offscreen and answers its Message boxes the way a player would.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <vector>

#include "rules/GameState.h"
#include "tests/support/RecordingHost.h"
#include "ui/BodyPictureBox.h"
#include "ui/Form1.h"

namespace mukiro::testing {

// A folder of stand-in pictures, each its own solid colour, so tests do not depend on the art.
class PictureFolder {
  public:
    PictureFolder();
    QString path() const { return dir_.path() + QLatin1Char('/'); }
    // Removes one picture's file.
    void remove(rules::Picture picture);

  private:
    QTemporaryDir dir_;
};

// What the player saw when a Message came up.
struct SeenMessage {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    std::vector<QMessageBox::StandardButton> buttons;
    rules::Picture behind = rules::Picture::start;  // what the body picture box showed
    QString mlevelShown;                            // the level label behind the box
    QPalette palette;                               // the colours its text is drawn in
};

// Watches for modal Message boxes while a handler runs, notes each and dismisses it: a click on
// its OK button, or the Enter key as a player without a mouse does.
class MessageAnswerer : public QObject {
  public:
    enum class Answer { click, enterKey };

    explicit MessageAnswerer(const ui::Form1& window, Answer how = Answer::click);

    const std::vector<SeenMessage>& seen() const { return seen_; }
    std::vector<QString> texts() const;

  private:
    void answer();

    const ui::Form1& window_;
    Answer how_;
    QTimer timer_;
    std::vector<SeenMessage> seen_;
};

class WindowTest : public ::testing::Test {
  protected:
    // Opens the window on `initial` and shows it, as start-up does (without changing directory).
    void open(rules::GameState initial = {});

    template <typename Widget>
    Widget* control(const char* name) const {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString labelText(const char* name) const { return control<QLabel>(name)->text(); }
    QString boxText(const char* name) const { return control<QLineEdit>(name)->text(); }
    void click(const char* button) const;
    ui::BodyPictureBox* now() const { return control<ui::BodyPictureBox>("now"); }

    static PictureFolder& pictures();

    RecordingHost host;
    std::unique_ptr<ui::Form1> window;
};

}  // namespace mukiro::testing
