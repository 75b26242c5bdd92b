// The window's controls: built from the layout the game describes, drawn from each screen the
// game hands, and walked by Tab in the designed order.

// The classes that give a label its text colour.
const INK_CLASSES = { red: "ink-red", blue: "ink-blue", black: "ink-black", standard: null };
const ALL_INKS = Object.values(INK_CLASSES).filter(Boolean);

const $ = (id) => document.getElementById(id);

// The Tab key, with or without Shift: WebKitGTK names Shift+Tab's key "Unidentified" and keeps
// only its code.
export const isTab = (event) => event.key === "Tab" || (event.key === "Unidentified" && event.code === "Tab");

// Whether the player plays by keyboard (a key pressed since the last press of a pointer). A
// focus the page moves itself, along its own tab order, shows as :focus-visible in Chromium and
// Firefox but not in WebKit; the class `keyboard` on the page shows the ring and the aim there.
const MODIFIERS = ["Shift", "Control", "Alt", "Meta"];
export const atKeyboard = () => document.documentElement.classList.contains("keyboard");
export function watchKeyboard() {
  const root = document.documentElement;
  document.addEventListener(
    "keydown",
    (event) => {
      if (!MODIFIERS.includes(event.key)) root.classList.add("keyboard");
    },
    true,
  );
  document.addEventListener("pointerdown", () => root.classList.remove("keyboard"), true);
}

export class GameWindow {
  // `pressButton(name)` runs when the player presses the button `name`.
  constructor(layout, pressButton) {
    this.layout = layout;
    this.pressButton = pressButton;
    this.controls = new Map();
    this.tabOrder = [];
  }

  px(twips) {
    return Math.trunc(twips / this.layout.twipsPerPixel);
  }

  // The one control of `kind` ("bodyPicture", "viewer").
  only(kind) {
    return this.controls.get(this.layout.controls.find((row) => row.kind === kind).name);
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

    let frame = null;
    for (const row of layout.controls) {
      const element = this.makeControl(row);
      element.id = row.name;
      element.classList.add("control");
      // The designed place and size; the narrow arrangement of the style sheet sets its own.
      element.style.setProperty("--left", `${this.px(row.left)}px`);
      element.style.setProperty("--top", `${this.px(row.top)}px`);
      element.style.setProperty("--width", `${this.px(row.width)}px`);
      element.style.setProperty("--height", `${this.px(row.height)}px`);
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
        if (row.name === this.layout.titleLabel) {
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
        button.addEventListener("click", () => this.pressButton(row.name));
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
        // The picture's own module draws it and takes its pokes.
        const box = document.createElement("div");
        box.className = "now";
        box.tabIndex = 0;
        box.setAttribute("role", "img");
        box.append(document.createElement("canvas"));
        return box;
      }
      case "viewer": {
        // The explanation's own module opens and closes it.
        const viewer = document.createElement("textarea");
        viewer.className = "viewer";
        viewer.readOnly = true;
        viewer.hidden = true;
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
    this.only("viewer").setAttribute("aria-label", this.layout.explanation.name);
    // What the keys do on the picture, said with its description.
    const help = document.createElement("span");
    help.id = "nowKeys";
    help.className = "unseen";
    help.textContent = this.layout.keyboardPokeHelp;
    $("client").append(help);
    this.only("bodyPicture").setAttribute("aria-describedby", help.id);
  }

  // A caption drawn wider in this face than in the desktop's is condensed to its box, as the
  // desktop condenses its own: one line stays one line, and nothing is clipped. `screen` names
  // the controls whose text the game changes, which keep theirs as it is.
  fitCaptions(screen) {
    const changing = new Set(screen.controls.map((control) => control.name));
    const fitted = [];
    for (const row of this.layout.controls) {
      const element = this.controls.get(row.name);
      const oneLine = row.kind === "button" || this.px(row.height) < 2 * row.fontPixels;
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
      const room = this.px(row.width) - (row.kind === "button" ? 6 : 0);
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

  // Lets the player press the buttons and the menu command.
  enable() {
    for (const element of this.controls.values()) {
      if (element instanceof HTMLButtonElement) {
        element.disabled = false;
      }
    }
    $(this.layout.menuCommand.name).disabled = false;
  }

  // --- Drawing the state ---

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
  }
}
