// The man's picture: drawn on a canvas for every device pixel from the picture files drawn for
// the screen's density, poked by a pointer, and aimed and poked from the keyboard.
import { AIM, BUTTON, MODIFIER } from "./game-module.js";
import { keepFiles } from "./offline.js";
import { atKeyboard } from "./window-controls.js";

const PICTURE_SIDE = 200;

// The picture files drawn for as many device pixels as the picture covers: 1x, 2x or 3x.
function pictureRatio(cssSide) {
  const needed = (window.devicePixelRatio * cssSide) / PICTURE_SIDE;
  return Math.min(3, Math.max(1, Math.ceil(needed - 0.01)));
}

function pictureUrl(name, ratio) {
  return `pictures/${name}@${ratio}x.webp`;
}

const AIM_KEYS = { ArrowLeft: AIM.left, ArrowRight: AIM.right, ArrowUp: AIM.up, ArrowDown: AIM.down };
// A mouse's buttons by the pointer event's numbering; any other pointer presses as the left.
const MOUSE_BUTTONS = { 0: BUTTON.left, 1: BUTTON.middle, 2: BUTTON.right };

export class BodyPicture {
  // `box` is the picture's control; `pictures` the layout's; `firstScreenShown` resolves once
  // the first screen is up; `poke(button, modifiers, x, y)` runs a poke the player asks for.
  constructor(game, box, pictures, firstScreenShown, poke) {
    this.game = game;
    this.box = box;
    this.canvas = box.querySelector("canvas");
    this.pictures = pictures;
    this.firstScreenShown = firstScreenShown;
    this.images = new Map();
    this.picture = null;
    this.ratioLoaded = undefined;
    this.onShow = null;
    this.othersLoaded = null;
    this.watchedRatio = window.devicePixelRatio;
    box.addEventListener("pointerdown", (event) => this.onPointer(event, poke));
    box.addEventListener("contextmenu", (event) => event.preventDefault());
    box.addEventListener("keydown", (event) => this.onKey(event, poke));
    box.addEventListener("focus", () => this.draw());
    box.addEventListener("blur", () => this.draw());
  }

  side() {
    return this.canvas.getBoundingClientRect().width || PICTURE_SIDE;
  }

  // Whether the screen's density differs from the one last watched; the new one is watched
  // from now on.
  densityChanged() {
    if (this.watchedRatio === window.devicePixelRatio) {
      return false;
    }
    this.watchedRatio = window.devicePixelRatio;
    return true;
  }

  // Loads the pictures drawn for the screen, the one on show first; resolves once that one
  // can be drawn.
  load() {
    const ratio = pictureRatio(this.side());
    if (this.ratioLoaded === ratio) {
      return this.onShow;
    }
    this.ratioLoaded = ratio;
    const load = (name) => {
      const image = new Image();
      image.src = pictureUrl(name, ratio);
      return image.decode().then(
        () => {
          if (this.ratioLoaded !== ratio) {
            return;
          }
          this.images.set(name, image);
          if (this.picture === name) {
            this.draw();
          }
        },
        () => {},
      );
    };
    const first = this.picture ?? "start";
    this.onShow = load(first);
    // The others wait until the first screen is up, so they never hold it back.
    this.othersLoaded = Promise.all([this.onShow, this.firstScreenShown]).then(() =>
      Promise.all(
        this.pictures
          .map(({ name }) => name)
          .filter((name) => name !== first)
          .map(load),
      ),
    );
    this.othersLoaded.then(() => this.keepOffline(ratio));
    return this.onShow;
  }

  // Asks the offline store to keep the pictures this screen uses.
  keepOffline(ratio = this.ratioLoaded) {
    keepFiles(this.pictures.map(({ name }) => pictureUrl(name, ratio)));
  }

  show(name, description) {
    this.box.dataset.picture = name;
    this.box.setAttribute("aria-label", description);
    if (this.picture !== name) {
      this.picture = name;
      this.draw();
    }
  }

  // The picture drawn for every device pixel, so it is as sharp as the text beside it.
  draw() {
    const canvas = this.canvas;
    const side = Math.round(this.side() * window.devicePixelRatio);
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
    const box = this.box;
    if (document.activeElement === box && (box.matches(":focus-visible") || atKeyboard())) {
      const scale = side / PICTURE_SIDE;
      const aim = this.game.aim();
      const x = (aim.x + 0.5) * scale;
      const y = (aim.y + 0.5) * scale;
      const arm = 6 * scale;
      context.lineCap = "square";
      for (const [colour, width] of [
        ["#fff", 4 * scale],
        ["#308cc6", 2 * scale],
      ]) {
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
  onKey(event, poke) {
    if (event.key in AIM_KEYS) {
      event.preventDefault();
      this.game.aimMove(AIM_KEYS[event.key]);
      this.draw();
    } else if (event.key === " " || event.key === "Enter") {
      event.preventDefault();
      if (!event.repeat) {
        const aim = this.game.aim();
        poke(BUTTON.none, 0, aim.x, aim.y);
      }
    }
  }

  // The poke: where the press lands in the picture's own 200 x 200 pixels, unrounded.
  onPointer(event, poke) {
    const area = this.canvas.getBoundingClientRect();
    // Scaling a press on a scaled picture back to the picture's units leaves float noise (80
    // arrives as 79.99999): a grid of 1/1024 unit takes it out and keeps every real fraction.
    const snap = (value) => Math.round(value * 1024) / 1024;
    const x = snap(((event.clientX - area.left) * PICTURE_SIDE) / area.width);
    const y = snap(((event.clientY - area.top) * PICTURE_SIDE) / area.height);
    // Presses on the border are no pokes.
    if (x < 0 || y < 0 || x >= PICTURE_SIDE || y >= PICTURE_SIDE) {
      return;
    }
    const button = event.pointerType === "mouse" ? (MOUSE_BUTTONS[event.button] ?? BUTTON.none) : BUTTON.left;
    const modifiers =
      (event.shiftKey ? MODIFIER.shift : 0) |
      (event.ctrlKey ? MODIFIER.control : 0) |
      (event.altKey ? MODIFIER.alt : 0);
    poke(button, modifiers, x, y);
  }
}
