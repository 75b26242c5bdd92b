// The game's web page: the window, the picture, the Messages, the explanation and offline play
// wired to the game module. Every run the game hands back is played out in order (cues through
// Web Audio, Messages waited for), and the page goes through one phase at a time: loading, then
// ready (the start screen up), then playing.
import { loadGame } from "./game-module.js";
import { CuePlayer } from "./cues.js";
import { Explanation } from "./explanation.js";
import { messageOpen, showMessage, wireMessages } from "./messages.js";
import { keepForOffline } from "./offline.js";
import { BodyPicture } from "./picture.js";
import { GameWindow, isTab, watchKeyboard } from "./window-controls.js";

const $ = (id) => document.getElementById(id);

class Page {
  constructor(game, layout) {
    this.game = game;
    this.layout = layout;
    this.phase = "loading";
    // While a run plays out (and waits for its Messages) the window says it is busy.
    this.busy = false;
    this.cues = new CuePlayer(layout.cues);
    this.window = new GameWindow(layout, (name) => this.press(name));
    this.firstScreenShown = new Promise((resolve) => {
      this.showFirstScreen = resolve;
    });
  }

  get playing() {
    return this.phase === "playing";
  }

  build() {
    this.window.build();
    wireMessages(this.layout.messageCaption);
    const box = this.window.only("bodyPicture");
    this.picture = new BodyPicture(this.game, box, this.layout.pictures, this.firstScreenShown, (...poke) =>
      this.poke(...poke),
    );
    this.explanation = new Explanation(this.window.only("viewer"), this.layout.explanation, this.game, box);
  }

  render(screen) {
    this.window.render(screen);
    this.picture.show(screen.picture, screen.pictureDescription);
  }

  setBusy(busy) {
    this.busy = busy;
    $("client").setAttribute("aria-busy", String(busy));
  }

  // Runs what `call` asks of the game and plays its steps out in order: each cue started,
  // each Message shown over the window as it stands at that step and waited for, then the
  // window after. A run without a Message plays out at once.
  async play(call) {
    this.setBusy(true);
    try {
      const run = call();
      if (run === null) {
        return;
      }
      for (const step of run.steps) {
        if ("cue" in step) {
          this.cues.play(step.cue);
        } else {
          if (step.behind) {
            this.render(step.behind);
          }
          await showMessage(step.message);
        }
      }
      this.render(run.after);
    } finally {
      this.setBusy(false);
    }
  }

  press(name) {
    if (!this.busy) {
      this.play(() => this.game.click(name));
    }
  }

  poke(button, modifiers, x, y) {
    if (!this.busy && this.playing) {
      this.play(() => this.game.poke(button, modifiers, x, y));
    }
  }

  async openExplanation() {
    if (this.busy || !this.playing) {
      return;
    }
    this.setBusy(true);
    try {
      await this.explanation.open(this.cues, showMessage);
    } finally {
      this.setBusy(false);
    }
  }

  // The cues are all in hand before the game can ask for one.
  async startWhenReady() {
    this.cues.open();
    const button = $("startButton");
    button.setAttribute("aria-busy", "true");
    button.textContent = "読み込み中…";
    await Promise.all([this.cues.loadAll(), this.picture.othersLoaded]);
    this.start();
  }

  start() {
    this.phase = "playing";
    this.play(() => this.game.formLoad());
    this.window.enable();
    $("start").hidden = true;
    $("game").inert = false;
    this.window.only("bodyPicture").focus();
  }

  wire() {
    watchKeyboard();
    $(this.layout.menuCommand.name).addEventListener("click", () => this.openExplanation());
    document.addEventListener("keydown", (event) => {
      if (event.key === "F1") {
        event.preventDefault();
        if (!messageOpen()) {
          this.openExplanation();
        }
      } else if (isTab(event) && !event.altKey && !event.ctrlKey && !event.metaKey) {
        if (!messageOpen() && this.playing) {
          this.window.onTab(event);
        }
      }
    });
    // A screen of another density, or another arrangement, gets its pictures drawn for it.
    this.watchDensity();
    new ResizeObserver(() => this.onDensityChange()).observe(this.window.only("bodyPicture"));
    $("startButton").addEventListener("click", () => this.startWhenReady(), { once: true });
  }

  watchDensity() {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener(
      "change",
      () => this.onDensityChange(),
      { once: true },
    );
  }

  onDensityChange() {
    this.picture.load();
    this.picture.draw();
    if (this.picture.densityChanged()) {
      this.phase = "ready";
      this.watchDensity();
    }
  }
}

async function main() {
  if (document.documentElement.classList.contains("from-file")) {
    return;
  }
  $("game").inert = true;
  const game = await loadGame();
  const page = new Page(game, game.layout());
  page.build();
  page.render(game.state());
  page.wire();
  // The first screen needs the font and the picture on show; the rest follows behind it.
  await Promise.all([document.fonts.ready, page.picture.load()]);
  page.window.fitCaptions(game.state());
  $("start").hidden = false;
  $("startButton").focus();
  page.phase = "ready";
  page.showFirstScreen();
  page.cues.loadAll();
  keepForOffline({
    playing: () => page.playing,
    firstControl: () => page.picture.keepOffline(),
  }).catch(() => {});
}

main().catch((error) => {
  const failure = $("failure");
  failure.textContent = `ゲームを始められませんでした：${error.message}`;
  failure.hidden = false;
});
