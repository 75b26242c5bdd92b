// The poke: a press on the body picture plays "motto.wav" inside the rectangle x 80 to 100,
// y 140 to 170 of the picture's own 200 x 200 units (bounds included, positions unrounded)
// and "tya.wav" elsewhere; a press on the border plays nothing; one press is one cue, by
// mouse and by touch alike.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { clearEvents, cue, lacks, launch, openGame, serve, waitForEvents, windowState } from "./harness.mjs";

let server;
let browser;

before(async () => {
  server = await serve();
  browser = await launch();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

const HIT = "motto.wav";
const MISS = "tya.wav";

// [x, y, cue or null]: both sides of each bound, the corners, and the border outside. The
// half-pixel points need an engine that keeps the fraction of a pointer position; the whole
// pixels beside them hold everywhere.
const pokes = [
  [79, 155, MISS],
  [79.5, 155, MISS],
  [80, 155, HIT],
  [100, 155, HIT],
  [100.5, 155, MISS],
  [101, 155, MISS],
  [90, 139, MISS],
  [90, 139.5, MISS],
  [90, 140, HIT],
  [90, 170, HIT],
  [90, 170.5, MISS],
  [90, 171, MISS],
  [80, 140, HIT],
  [100, 170, HIT],
  [0, 0, MISS],
  [199, 199, MISS],
  [199.5, 199.5, MISS],
  [-1, 155, null], // on the left border
  [90, 201, null], // on the bottom border
];
const whole = ([x, y]) => Number.isInteger(x) && Number.isInteger(y);

// On a scaled picture a bound itself is no exact screen position (the browser keeps pointer
// positions as 32-bit floats), so there each point on a bound moves a quarter unit inwards.
const scaledPokes = pokes.map(([x, y, name]) => [inwards(x, 80, 100), inwards(y, 140, 170), name]);

function inwards(value, low, high) {
  return value === low ? low + 0.25 : value === high ? high - 0.25 : value;
}

// Page coordinates of a point given in the picture's own units; the designed window shows
// the picture at 200 x 200 CSS pixels, the narrow arrangement at its own size.
async function pictureToPage(page, designed = true) {
  const area = await page.locator("#now canvas").boundingBox();
  if (designed) {
    assert.deepEqual([area.width, area.height], [200, 200]);
  } else {
    assert.equal(area.width, area.height);
  }
  return (x, y) => [area.x + (x * area.width) / 200, area.y + (y * area.height) / 200];
}

const tap = (page, x, y) => page.touchscreen.tap(x, y);

const ways = [
  {
    name: "mouse",
    contextOptions: {},
    designed: true,
    points: lacks("wholePixels") ? pokes.filter(whole) : pokes,
    press: async (page, x, y) => {
      await page.mouse.move(x, y);
      await page.mouse.down();
      await page.mouse.up();
    },
  },
  {
    name: "touch",
    skip: lacks("touch"),
    contextOptions: { hasTouch: true },
    designed: true,
    points: lacks("wholePixels") ? pokes.filter(whole) : pokes,
    press: tap,
  },
  {
    // A picture scaled by the narrow arrangement puts no unit on a whole pixel.
    name: "touch on a narrow screen",
    skip: lacks("touch", "wholePixels"),
    contextOptions: { hasTouch: true, viewport: { width: 390, height: 844 }, deviceScaleFactor: 2 },
    designed: false,
    points: scaledPokes,
    press: tap,
  },
];

for (const way of ways) {
  test(`pokes by ${way.name} on both sides of every bound, one cue each`, { skip: way.skip }, async () => {
    const context = await browser.newContext(way.contextOptions);
    const page = await openGame(context, server.url);
    const before = await windowState(page);
    const at = await pictureToPage(page, way.designed);
    const expected = [];
    for (const [x, y, name] of way.points) {
      await way.press(page, ...at(x, y));
      if (name) {
        expected.push(cue(name));
      }
    }
    // A last poke marks the end: any cue of a second poke from an earlier press comes before it.
    await way.press(page, ...at(90, 155));
    expected.push(cue(HIT));
    await waitForEvents(page, expected);
    assert.deepEqual(await windowState(page), before, "a poke changes nothing in the game");
    await context.close();
  });
}

test("a poke with the right button and Shift held reacts as a plain one", async () => {
  const context = await browser.newContext();
  const page = await openGame(context, server.url);
  const at = await pictureToPage(page);
  await clearEvents(page);
  await page.keyboard.down("Shift");
  for (const [x, y] of [
    [90, 155],
    [50, 50],
  ]) {
    await page.mouse.move(...at(x, y));
    await page.mouse.down({ button: "right" });
    await page.mouse.up({ button: "right" });
  }
  await page.keyboard.up("Shift");
  await page.mouse.click(...at(100, 170), { button: "middle" });
  await waitForEvents(page, [cue(HIT), cue(MISS), cue(HIT)]);
  await context.close();
});
