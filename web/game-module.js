// The one door to the game's WebAssembly module: it loads the module and names what the page
// may ask of it.
import createMukiro from "./mukiro.js";

// The keyboard aim's moves, numbered as mukiro_aim_move takes them (PageAim in
// web/src/PageGame.cpp).
export const AIM = Object.freeze({ left: 0, right: 1, up: 2, down: 3 });

// A poke's button and modifier keys, numbered as the desktop's mouse events hand them to the
// rules (PageButton and PageModifier in web/src/PageGame.cpp).
export const BUTTON = Object.freeze({ none: 0, left: 1, right: 2, middle: 4 });
export const MODIFIER = Object.freeze({ shift: 1, control: 2, alt: 4 });

// Loads the module; resolves to the game, every answer already decoded.
export async function loadGame() {
  const module = await createMukiro();
  const text = (name, argumentTypes = []) => module.cwrap(name, "string", argumentTypes);
  const json = (name, argumentTypes = []) => {
    const call = text(name, argumentTypes);
    return (...args) => JSON.parse(call(...args));
  };
  const aimX = module.cwrap("mukiro_aim_x", "number", []);
  const aimY = module.cwrap("mukiro_aim_y", "number", []);
  return {
    // The window as designed.
    layout: json("mukiro_layout"),
    // The window as the game last drew it.
    state: json("mukiro_state"),
    // Each of these gives the steps of a run for the page to play out; click gives null for a
    // name no button has.
    formLoad: json("mukiro_form_load"),
    click: json("mukiro_click", ["string"]),
    poke: json("mukiro_poke", ["number", "number", "number", "number"]),
    // Moves the keyboard's aim one step (one of AIM); false where it stays.
    aimMove: module.cwrap("mukiro_aim_move", "boolean", ["number"]),
    aim: () => ({ x: aimX(), y: aimY() }),
    // The explanation viewer's text from the file's decoded text.
    viewerText: text("mukiro_viewer_text", ["string"]),
  };
}
