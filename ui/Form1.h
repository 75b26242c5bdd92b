// The game window: lays out every control, wires each to its handler and draws the game state.
#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <string_view>
#include <vector>

#include "rules/CuePlayer.h"
#include "rules/Game.h"
#include "rules/GameState.h"
#include "rules/MessageSink.h"
#include "ui/PictureSet.h"
#include "window/WindowLayout.h"

class QAction;
class QLabel;
class QLineEdit;

namespace mukiro::ui {

class BodyPictureBox;
class ExplanationView;

// The window never decides anything: the rules own the state, and after every handler (and
// before every Message) the window redraws each control from it.
class Form1 : public QMainWindow, public rules::MessageSink {
    Q_OBJECT

  public:
    // The client area, below the menu bar, as the window opens.
    static constexpr int kClientWidth = window::kClientWidth;
    static constexpr int kClientHeight = window::kClientHeight;

    // `pictures` must be complete. `initial` is the state the window opens with.
    Form1(rules::CuePlayer& cues, PictureSet pictures, rules::GameState initial = {},
          QWidget* parent = nullptr);

    const rules::GameState& state() const noexcept { return game_.state(); }

    // Showing the window; the rules' Message below shares the name.
    using QMainWindow::show;

  public slots:
    // Start-up once the window exists: the program's folder becomes the current directory, so
    // the sound and explanation files are found beside the program.
    void Form_Load();

    void Command1_Click();
    void purotein_Click();
    void toreining_Click();
    void kuream_Click();
    void eat_Click();
    void saron_Click();
    void esute_Click();
    void pojingu_Click();
    void baito_Click();
    void Command5_Click();
    void now_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF where);
    void Setumei_Click();
    void Text2_Click();

  protected:
    // Enter presses a focused button, as Space does.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A value of the status panel and the words a screen reader says with it.
    struct StatusName {
        QLabel* value;
        QString caption;
        QString unit;
    };

    // The Message: the player sees the game as it stands at this step, behind a modal box.
    // Only the rules call it, through their MessageSink.
    void show(std::string_view text) override;

    void buildControls();
    void buildPictureHolders();
    void arrangeStackingAndTabOrder();
    void connectHandlers();
    void nameControlsForScreenReaders();
    void refresh();
    void setInk(QLabel* label, rules::Ink ink);

    rules::CuePlayer& cues_;
    PictureSet pictures_;
    rules::Game game_;

    QWidget* client_ = nullptr;
    QAction* setumei_ = nullptr;
    QLabel* mlevel_ = nullptr;
    QLabel* hiroudo_ = nullptr;
    QLabel* kinryoku_ = nullptr;
    QLabel* sibou_ = nullptr;
    QLabel* hiyake_ = nullptr;
    QLabel* bihada_ = nullptr;
    QLabel* kokoroiki_ = nullptr;
    QLineEdit* money_ = nullptr;
    QLineEdit* pro_ = nullptr;
    QLineEdit* cre_ = nullptr;
    QLineEdit* clear_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QLineEdit* text1_ = nullptr;
    BodyPictureBox* now_ = nullptr;
    ExplanationView* text2_ = nullptr;

    std::vector<StatusName> statusNames_;
    // Where the keyboard was when the explanation opened; it goes back there when it closes.
    QPointer<QWidget> focusBeforeExplanation_;

    // The window's own label colour, for labels no rule has painted yet.
    QColor standardInk_;
    // Text1 is the player's to type into; it is overwritten only when a restart writes it.
    std::uint64_t sacrificeWritesShown_ = 0;
};

}  // namespace mukiro::ui
