// The game's rules: start-up, the restart, the eight actions, the judgement and the audition.
#pragma once

#include <string_view>

#include "rules/CuePlayer.h"
#include "rules/GameState.h"
#include "rules/MessageSink.h"

namespace mukiro::rules {

// Each handler runs its steps in the game's fixed order to its end. Messages go out through the
// MessageSink, cues through the CuePlayer; the rules wait for neither.
class Game {
  public:
    // `initial` is the state the window opens with; tests start from any state they need.
    Game(CuePlayer& cues, MessageSink& messages, GameState initial = {});

    const GameState& state() const noexcept { return state_; }

    // Start-up after the window exists: zero the counters and play the opening cue. Making the
    // program's directory the current directory is the window's part of start-up.
    void Form_Load();
    // The restart: the Start & Reset button, and the end of every death and every win.
    void Command1_Click();

    void toreining_Click();  // training
    void purotein_Click();   // protein
    void kuream_Click();     // muscle cream
    void eat_Click();        // meal
    void saron_Click();      // tanning salon
    void esute_Click();      // beauty salon
    void pojingu_Click();    // posing
    void baito_Click();      // part-time job

    void Command5_Click();  // the audition

    // The poke on the body picture; x and y are pixels of the picture area. The button and
    // the modifier keys make no difference.
    void now_MouseDown(short button, short shift, float x, float y);

  private:
    void hantei();
    void runClearSequence(bool levelAlreadyFive);
    void die(std::string_view cue, std::string_view message);
    void showMessage(std::string_view text);
    void play(std::string_view cue);
    void putOnShow(Picture picture);
    bool isOnShow(Picture picture) const;
    void raiseFatigue(int points);
    void lowerFatigue(int points);

    CuePlayer& cues_;
    MessageSink& messages_;
    GameState state_;
};

}  // namespace mukiro::rules
