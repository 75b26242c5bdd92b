// The game window: lays out every control, forwards each press and plays out what it brings.
#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <string_view>
#include <vector>

#include "rules/CuePlayer.h"
#include "rules/GameState.h"
#include "ui/PictureSet.h"
#include "window/Midend.h"
#include "window/WindowLayout.h"

class QAction;
class QLabel;
class QLineEdit;

namespace mukiro::ui {

class BodyPictureBox;
class ExplanationView;

// The window never decides anything: the midend runs each press and hands back its steps, and
// the window plays them out in order, drawing the screen behind every Message and the one after.
class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    // The client area, below the menu bar, as the window opens.
    static constexpr int kClientWidth = window::kClientWidth;
    static constexpr int kClientHeight = window::kClientHeight;

    // `pictures` must be complete. `initial` is the state the window opens with.
    Form1(rules::CuePlayer& cues, PictureSet pictures, rules::GameState initial = {},
          QWidget* parent = nullptr);

    const rules::GameState& state() const noexcept { return midend_.state(); }

  public slots:
    // Start-up once the window exists: the program's folder becomes the current directory, so
    // the sound and explanation files are found beside the program.
    void Form_Load();

    // The press of the button `button` (a control name of the layout).
    void press(std::string_view button);
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

    // A status control as this window last drew it.
    struct DrawnControl {
        std::string_view name;
        QWidget* widget;
        QColor standardInk;  // the control's own text colour, before any rule painted it
        window::TextColour ink;
    };

    // The Message box, modal; returns once the player has closed it.
    void showMessageBox(const QString& text);

    void buildControls();
    void buildPictureHolders();
    void arrangeStackingAndTabOrder();
    void connectHandlers();
    void nameControlsForScreenReaders();
    void findShownControls();
    DrawnControl& drawnControl(std::string_view name);
    void playOut(const window::HandlerRun& run);
    void draw(const window::Screen& screen);

    rules::CuePlayer& cues_;
    PictureSet pictures_;
    window::Midend midend_;

    QWidget* client_ = nullptr;
    QAction* setumei_ = nullptr;
    BodyPictureBox* now_ = nullptr;
    ExplanationView* text2_ = nullptr;

    std::vector<DrawnControl> shownControls_;
    std::vector<StatusName> statusNames_;
    // Where the keyboard was when the explanation opened; it goes back there when it closes.
    QPointer<QWidget> focusBeforeExplanation_;
};

}  // namespace mukiro::ui
