// The game's web page: the window built from the layout the game module describes, every
// button and the body picture forwarded to the game, whose steps the page plays out (cues
// through Web Audio, Messages in a modal dialog it waits for), and the explanation from its
// Shift_JIS file.
import createMukiro from "./mukiro.js";
import { CuePlayer } from "./cues.js";
import { readExplanation } from "./explanation.js";

const PICTURE_SIDE = 200;

// The classes that give a label its text colour.
const INK_CLASSES = { red: "ink-red", blue: "ink-blue", black: "ink-black", standard: null };
const ALL_INKS = Object.values(INK_CLASSES).filter(Boolean);

const $ = (id) => document.getElementById(id);

// The Tab key, with or without Shift: WebKitGTK names Shift+Tab's key "Unidentified" and keeps
// only its code.
const isTab = (event) => event.key === "Tab" || (event.key === "Unidentified" && event.code === "Tab");

// Whether the player plays by keyboard (a key pressed since the last press of a pointer). A
// focus the page moves itself, along its own tab order, shows as :focus-visible in Chromium and
// Firefox but not in WebKit; the class `keyboard` on the page shows the ring and the aim there.
const MODIFIERS = ["Shift", "Control", "Alt", "Meta"];
const atKeyboard = () => document.documentElement.classList.contains("keyboard");
function watchKeyboard() {
  const root = document.documentElement;
  document.addEventListener("keydown", (event) => {
    if (!MODIFIERS.includes(event.key)) root.classList.add("keyboard");
  }, true);
  document.addEventListener("pointerdown", () => root.classList.remove("keyboard"), true);
}

function px(twips, layout) {
  return Math.trunc(twips / layout.twipsPerPixel);
}

// The picture files drawn for as many device pixels as the picture covers: 1x, 2x or 3x.
function pictureRatio(cssSide) {
  const needed = (window.devicePixelRatio * cssSide) / PICTURE_SIDE;
  return Math.min(3, Math.max(1, Math.ceil(needed - 0.01)));
}

function pictureUrl(name, ratio) {
  return `pictures/${name}@${ratio}x.webp`;
}

class Page {
  constructor(module, layout) {
    this.module = module;
    this.layout = layout;
    this.controls = new Map();
    this.busy = false;
    this.images = new Map();
    this.picture = null;
    this.focusBeforeExplanation = null;
    this.cues = new CuePlayer(layout.cues);
    this.tabOrder = [];
    this.watchedRatio = window.devicePixelRatio;
    this.started = false;
    this.firstScreenShown = new Promise((resolve) => {
      this.showFirstScreen = resolve;
    });
  }

  // --- The window as designed ---

  build() {
    const client = $("client");
    const layout = this.layout;
    document.title = layout.caption;
    // The designed client area; the style sheet lays the window out from it.
    const root = document.documentElement.style;
    root.setProperty("--client-width", `${layout.clientWidth}px`);
    root.setProperty("--client-height", `${layout.clientHeight}px`);
    root.setProperty("--window-font", `${layout.fontPixels}px`);
    const menu = $(layout.menuCommand.name);
    menu.textContent = layout.menuCommand.caption;
    $("messageCaption").textContent = layout.messageCaption;

    let frame = null;
    for (const row of layout.controls) {
      const element = this.makeControl(row);
      element.id = row.name;
      element.classList.add("control");
      // The designed place and size; the narrow arrangement of the style sheet sets its own.
      element.style.setProperty("--left", `${px(row.left, layout)}px`);
      element.style.setProperty("--top", `${px(row.top, layout)}px`);
      element.style.setProperty("--width", `${px(row.width, layout)}px`);
      element.style.setProperty("--height", `${px(row.height, layout)}px`);
      element.style.setProperty("--font", `${row.fontPixels}px`);
      element.style.setProperty("--align", row.alignment);
      if (INK_CLASSES[row.colour]) {
        element.classList.add(INK_CLASSES[row.colour]);
      }
      (row.insideFrame ? frame : client).append(element);
      if (row.kind === "frame") {
        frame = element;
      }
      this.controls.set(row.name, element);
    }
    this.nameForScreenReaders();
    this.tabOrder = layout.controls
      .filter((row) => this.isTabStop(this.controls.get(row.name)))
      .sort((a, b) => a.tab - b.tab)
      .map((row) => this.controls.get(row.name));
  }

  makeControl(row) {
    switch (row.kind) {
      case "label": {
        const label = document.createElement("div");
        label.className = "label";
        label.textContent = row.text;
        if (row.name === "Label11") {
          // The title banner names the game: the page's heading.
          label.setAttribute("role", "heading");
          label.setAttribute("aria-level", "1");
        }
        return label;
      }
      case "textBox": {
        const box = document.createElement("input");
        box.type = "text";
        box.className = "text-box";
        box.value = row.text;
        box.readOnly = row.readOnly;
        box.spellcheck = false;
        box.autocomplete = "off";
        if (!row.readOnly) {
          box.inputMode = "numeric";
        }
        return box;
      }
      case "button": {
        const button = document.createElement("button");
        button.type = "button";
        button.className = "button";
        button.textContent = row.text;
        button.disabled = true;
        button.addEventListener("click", () => this.runHandler(row.name));
        return button;
      }
      case "frame": {
        const frame = document.createElement("fieldset");
        frame.className = "frame";
        const legend = document.createElement("legend");
        legend.textContent = row.text;
        frame.append(legend);
        return frame;
      }
      case "bodyPicture": {
        const box = document.createElement("div");
        box.className = "now";
        box.tabIndex = 0;
        box.setAttribute("role", "img");
        const canvas = document.createElement("canvas");
        box.append(canvas);
        box.addEventListener("pointerdown", (event) => this.poke(event));
        box.addEventListener("contextmenu", (event) => event.preventDefault());
        box.addEventListener("keydown", (event) => this.aimKey(event));
        box.addEventListener("focus", () => this.drawPicture());
        box.addEventListener("blur", () => this.drawPicture());
        return box;
      }
      case "viewer": {
        const viewer = document.createElement("textarea");
        viewer.className = "viewer";
        viewer.readOnly = true;
        viewer.hidden = true;
        viewer.addEventListener("click", () => this.Text2_Click());
        viewer.addEventListener("keydown", (event) => {
          if (["Escape", "Enter", " "].includes(event.key)) {
            event.preventDefault();
            this.Text2_Click();
          }
        });
        return viewer;
      }
      default:
        throw new Error(`unknown control kind ${row.kind}`);
    }
  }

  nameForScreenReaders() {
    for (const name of this.layout.boxNames) {
      const box = this.controls.get(name.box);
      if (name.caption) {
        box.setAttribute("aria-labelledby", name.caption);
      } else {
        box.setAttribute("aria-label", name.words);
      }
    }
    this.controls.get("Text2").setAttribute("aria-label", this.layout.explanation.name);
    // What the keys do on the picture, said with its description.
    const help = document.createElement("span");
    help.id = "nowKeys";
    help.className = "unseen";
    help.textContent = this.layout.keyboardPokeHelp;
    $("client").append(help);
    this.controls.get("now").setAttribute("aria-describedby", help.id);
  }

  // A caption drawn wider in this face than in the desktop's is condensed to its box, as the
  // desktop condenses its own: one line stays one line, and nothing is clipped.
  fitCaptions() {
    const changing = new Set(this.screen().controls.map((control) => control.name));
    const fitted = [];
    for (const row of this.layout.controls) {
      const element = this.controls.get(row.name);
      const oneLine = row.kind === "button" || px(row.height, this.layout) < 2 * row.fontPixels;
      if (changing.has(row.name) || !oneLine || !["label", "button"].includes(row.kind)) {
        continue;
      }
      const caption = document.createElement("span");
      caption.className = "caption";
      caption.textContent = element.textContent;
      element.replaceChildren(caption);
      fitted.push({ row, caption });
    }
    // Every caption measured at its designed size in one layout of the page.
    const probes = fitted.map(({ row, caption }) => {
      const probe = caption.cloneNode(true);
      probe.classList.add("probe");
      probe.style.fontSize = `${row.fontPixels}px`;
      return probe;
    });
    document.body.append(...probes);
    const widths = probes.map((probe) => probe.getBoundingClientRect().width);
    probes.forEach((probe) => probe.remove());
    fitted.forEach(({ row, caption }, index) => {
      const room = px(row.width, this.layout) - (row.kind === "button" ? 6 : 0);
      if (widths[index] > room) {
        caption.style.setProperty("--fit", String(room / widths[index]));
        caption.style.transformOrigin = { left: "left", center: "center", right: "right" }[
          row.kind === "button" ? "center" : row.alignment
        ];
      }
    });
  }

  isTabStop(element) {
    return element.tabIndex >= 0 && !(element instanceof HTMLFieldSetElement);
  }

  // The controls keep the designed tab order while the page keeps the designed reading order:
  // Tab moves along the order of the layout's tab column.
  onTab(event) {
    const visible = this.tabOrder.filter((element) => !element.hidden);
    const at = visible.indexOf(document.activeElement);
    if (at < 0) {
      return;
    }
    const next = at + (event.shiftKey ? -1 : 1);
    if (next < 0 || next >= visible.length) {
      return; // leave the window for the browser's own controls
    }
    event.preventDefault();
    visible[next].focus();
  }

  // --- Drawing the state ---

  // The window as the game last drew it.
  screen() {
    return JSON.parse(this.module.UTF8ToString(this.module._mukiro_state()));
  }

  // Draws every status control as the game hands it: a control it does not write (the
  // sacrifice box the player may type into) keeps what it holds.
  render(screen) {
    for (const { name, text, ink, visible, write } of screen.controls) {
      const element = this.controls.get(name);
      if (write) {
        if (element instanceof HTMLInputElement) {
          // An unchanged box keeps its caret and selection.
          if (element.value !== text) {
            element.value = text;
          }
        } else if (element.textContent !== text) {
          element.textContent = text;
        }
      }
      element.classList.remove(...ALL_INKS);
      if (INK_CLASSES[ink]) {
        element.classList.add(INK_CLASSES[ink]);
      }
      element.hidden = !visible;
    }
    this.showPicture(screen.picture, screen.pictureDescription);
  }

  pictureSide() {
    const canvas = this.controls.get("now").querySelector("canvas");
    return canvas.getBoundingClientRect().width || PICTURE_SIDE;
  }

  // Loads the pictures drawn for the screen, the one on show first; resolves once that one
  // can be drawn.
  loadPictures() {
    const ratio = pictureRatio(this.pictureSide());
    if (this.pictureRatioLoaded === ratio) {
      return this.picturesOnShow;
    }
    this.pictureRatioLoaded = ratio;
    const load = (name) => {
      const image = new Image();
      image.src = pictureUrl(name, ratio);
      return image.decode().then(
        () => {
          if (this.pictureRatioLoaded !== ratio) {
            return;
          }
          this.images.set(name, image);
          if (this.picture === name) {
            this.drawPicture();
          }
        },
        () => {},
      );
    };
    const first = this.picture ?? "start";
    this.picturesOnShow = load(first);
    // The others wait until the first screen is up, so they never hold it back.
    this.otherPictures = Promise.all([this.picturesOnShow, this.firstScreenShown]).then(() =>
      Promise.all(
        this.layout.pictures.map(({ name }) => name).filter((name) => name !== first).map(load),
      ),
    );
    this.otherPictures.then(() => this.keepOffline(ratio));
    return this.picturesOnShow;
  }

  // Asks the offline store to keep the pictures this screen uses.
  keepOffline(ratio) {
    const worker = navigator.serviceWorker?.controller;
    if (worker) {
      const files = this.layout.pictures.map(({ name }) => pictureUrl(name, ratio));
      worker.postMessage({ type: "keep", files });
    }
  }

  showPicture(name, description) {
    const box = this.controls.get("now");
    box.dataset.picture = name;
    box.setAttribute("aria-label", description);
    if (this.picture !== name) {
      this.picture = name;
      this.drawPicture();
    }
  }

  // The picture drawn for every device pixel, so it is as sharp as the text beside it.
  drawPicture() {
    const canvas = this.controls.get("now").querySelector("canvas");
    const side = Math.round(this.pictureSide() * window.devicePixelRatio);
    if (canvas.width !== side) {
      canvas.width = side;
      canvas.height = side;
    }
    const context = canvas.getContext("2d");
    const image = this.images.get(this.picture);
    if (image === undefined) {
      context.fillStyle = "#fff";
      context.fillRect(0, 0, side, side);
      return;
    }
    context.imageSmoothingEnabled = true;
    context.imageSmoothingQuality = "high";
    context.drawImage(image, 0, 0, side, side);
    // Where a poke from the keyboard would land, while the keyboard is on the picture.
    const box = this.controls.get("now");
    if (document.activeElement === box && (box.matches(":focus-visible") || atKeyboard())) {
      const scale = side / PICTURE_SIDE;
      const x = (this.module._mukiro_aim_x() + 0.5) * scale;
      const y = (this.module._mukiro_aim_y() + 0.5) * scale;
      const arm = 6 * scale;
      context.lineCap = "square";
      for (const [colour, width] of [["#fff", 4 * scale], ["#308cc6", 2 * scale]]) {
        context.strokeStyle = colour;
        context.lineWidth = width;
        context.beginPath();
        context.moveTo(x - arm, y);
        context.lineTo(x + arm, y);
        context.moveTo(x, y - arm);
        context.lineTo(x, y + arm);
        context.stroke();
      }
    }
  }

  // The arrow keys move the aim; Space or Enter pokes where it is (a held key pokes once).
  aimKey(event) {
    const moves = { ArrowLeft: 0, ArrowRight: 1, ArrowUp: 2, ArrowDown: 3 };
    if (event.key in moves) {
      event.preventDefault();
      this.module._mukiro_aim_move(moves[event.key]);
      this.drawPicture();
    } else if (event.key === " " || event.key === "Enter") {
      event.preventDefault();
      if (!event.repeat && !this.busy && this.started) {
        const module = this.module;
        this.play(() => module._mukiro_poke(0, 0, module._mukiro_aim_x(), module._mukiro_aim_y()));
      }
    }
  }

  // --- Handlers ---

  // While a handler runs (and waits for its Messages) the window says it is busy.
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
      const run = JSON.parse(this.module.UTF8ToString(call()));
      if (run === null) {
        return;
      }
      for (const step of run.steps) {
        if ("cue" in step) {
          this.cues.play(step.cue);
        } else {
          await this.showMessage(step.message, step.behind);
        }
      }
      this.render(run.after);
    } finally {
      this.setBusy(false);
    }
  }

  runHandler(name) {
    if (!this.busy) {
      this.play(() => this.module.ccall("mukiro_click", "number", ["string"], [name]));
    }
  }

  // The poke: where the press lands in the picture's own 200 x 200 pixels, unrounded.
  poke(event) {
    if (this.busy || !this.started) {
      return;
    }
    const canvas = this.controls.get("now").querySelector("canvas");
    const area = canvas.getBoundingClientRect();
    // Scaling a press on a scaled picture back to the picture's units leaves float noise (80
    // arrives as 79.99999): a grid of 1/1024 unit takes it out and keeps every real fraction.
    const snap = (value) => Math.round(value * 1024) / 1024;
    const x = snap(((event.clientX - area.left) * PICTURE_SIDE) / area.width);
    const y = snap(((event.clientY - area.top) * PICTURE_SIDE) / area.height);
    // Presses on the border are no pokes.
    if (x < 0 || y < 0 || x >= PICTURE_SIDE || y >= PICTURE_SIDE) {
      return;
    }
    const button = event.pointerType === "mouse" ? { 0: 1, 1: 4, 2: 2 }[event.button] ?? 0 : 1;
    const shift = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
    this.play(() => this.module._mukiro_poke(button, shift, x, y));
  }

  async Setumei_Click() {
    if (this.busy || !this.started) {
      return;
    }
    this.setBusy(true);
    try {
      const viewer = this.controls.get("Text2");
      if (viewer.hidden) {
        this.focusBeforeExplanation = document.activeElement;
      }
      viewer.value = "";
      this.cues.play("waka.wav");
      const read = await readExplanation(this.layout.explanation);
      if (read.problem) {
        // The game goes on as it was; the player learns why there is nothing to read.
        viewer.hidden = true;
        await this.showMessage(this.layout.explanation.problems[read.problem]);
        return;
      }
      viewer.value = this.viewerText(read.text);
      viewer.hidden = false;
      viewer.setSelectionRange(0, 0);
      viewer.scrollTop = 0;
      viewer.focus();
    } finally {
      this.setBusy(false);
    }
  }

  // The lines laid out by the game's own rule: each followed by CR LF, a lone LF kept.
  viewerText(decoded) {
    const module = this.module;
    const size = module.lengthBytesUTF8(decoded) + 1;
    const pointer = module._malloc(size);
    try {
      module.stringToUTF8(decoded, pointer, size);
      return module.UTF8ToString(module._mukiro_viewer_text(pointer));
    } finally {
      module._free(pointer);
    }
  }

  Text2_Click() {
    const viewer = this.controls.get("Text2");
    viewer.hidden = true;
    const back = this.focusBeforeExplanation;
    if (back && back.isConnected && !back.hidden && back !== document.body) {
      back.focus();
    } else {
      this.controls.get("now").focus();
    }
  }

  // --- The Message ---

  // Shows `text` over the window as it stands now, or as `screen` shows it; resolves when the
  // player closes it.
  showMessage(text, screen) {
    if (screen) {
      this.render(screen);
    }
    const dialog = $("message");
    $("messageText").textContent = text;
    return new Promise((resolve) => {
      dialog.addEventListener("close", () => resolve(), { once: true });
      dialog.showModal();
      $("messageOk").focus();
    });
  }

  // --- Start ---

  // The cues are all in hand before the game can ask for one.
  async startWhenReady() {
    this.cues.open();
    const button = $("startButton");
    button.setAttribute("aria-busy", "true");
    button.textContent = "読み込み中…";
    await Promise.all([this.cues.loadAll(), this.otherPictures]);
    this.start();
  }

  start() {
    this.play(() => this.module._mukiro_form_load());
    this.started = true;
    for (const element of this.controls.values()) {
      if (element instanceof HTMLButtonElement) {
        element.disabled = false;
      }
    }
    $(this.layout.menuCommand.name).disabled = false;
    $("start").hidden = true;
    $("game").inert = false;
    this.controls.get("now").focus();
  }

  wire() {
    watchKeyboard();
    $(this.layout.menuCommand.name).addEventListener("click", () => this.Setumei_Click());
    $("messageOk").addEventListener("click", () => $("message").close());
    // Escape closes the Message as OK does; the dialog's own cancel closes it.
    document.addEventListener("keydown", (event) => {
      if (event.key === "F1") {
        event.preventDefault();
        if (!$("message").open) {
          this.Setumei_Click();
        }
      } else if (isTab(event) && !event.altKey && !event.ctrlKey && !event.metaKey) {
        if (!$("message").open && this.started) {
          this.onTab(event);
        }
      }
    });
    // A screen of another density, or another arrangement, gets its pictures drawn for it.
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener(
      "change",
      () => this.onDensityChange(),
      { once: true },
    );
    new ResizeObserver(() => this.onDensityChange()).observe(this.controls.get("now"));
    $("startButton").addEventListener("click", () => this.startWhenReady(), { once: true });
  }

  onDensityChange() {
    this.loadPictures();
    this.drawPicture();
    if (this.watchedRatio !== window.devicePixelRatio) {
      this.watchedRatio = window.devicePixelRatio;
    this.started = false;
      matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener(
        "change",
        () => this.onDensityChange(),
        { once: true },
      );
    }
  }
}

// Offline play: a service worker keeps the build's files. A newer build found while the start
// screen is up takes over at once (the page reloads before anything is played); found later,
// it waits for the next start.
async function keepForOffline(page) {
  if (!("serviceWorker" in navigator)) {
    return;
  }
  const hadWorker = navigator.serviceWorker.controller !== null;
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    if (hadWorker && !page.started) {
      location.reload();
    } else if (!hadWorker) {
      page.keepOffline(page.pictureRatioLoaded);
    }
  });
  const registration = await navigator.serviceWorker.register("sw.js");
  const takeOverIfIdle = (worker) => {
    if (worker && hadWorker && !page.started) {
      worker.postMessage({ type: "activate" });
    }
  };
  takeOverIfIdle(registration.waiting);
  registration.addEventListener("updatefound", () => {
    const worker = registration.installing;
    worker.addEventListener("statechange", () => {
      if (worker.state === "installed") {
        takeOverIfIdle(worker);
      }
    });
  });
}

async function main() {
  if (document.documentElement.classList.contains("from-file")) {
    return;
  }
  $("game").inert = true;
  const module = await createMukiro();
  const layout = JSON.parse(module.UTF8ToString(module._mukiro_layout()));
  const page = new Page(module, layout);
  page.build();
  page.render(page.screen());
  page.wire();
  // The first screen needs the font and the picture on show; the rest follows behind it.
  await Promise.all([document.fonts.ready, page.loadPictures()]);
  page.fitCaptions();
  $("start").hidden = false;
  $("startButton").focus();
  page.showFirstScreen();
  page.cues.loadAll();
  keepForOffline(page).catch(() => {});
}

main().catch((error) => {
  const failure = $("failure");
  failure.textContent = `ゲームを始められませんでした：${error.message}`;
  failure.hidden = false;
});
