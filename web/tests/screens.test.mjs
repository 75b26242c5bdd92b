// The page on phones and on a desktop: no sideways scrolling, text and tap sizes a phone
// player can use, every control reachable, the designed window kept where it fits, pictures
// drawn for the screen, and a game that survives rotation with a Message up.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import {
  click,
  cue,
  launch,
  message,
  openGame,
  serve,
  settle,
  waitForEvents,
  windowState,
  clearEvents,
  lacks,
} from "./harness.mjs";

const SCREENS = [
  { name: "phone 320 x 568", viewport: { width: 320, height: 568 }, ratio: 2, phone: true },
  { name: "phone 390 x 844", viewport: { width: 390, height: 844 }, ratio: 3, phone: true },
  { name: "desktop 1024 x 768", viewport: { width: 1024, height: 768 }, ratio: 1, phone: false },
];

// Every control a player meets (the explanation viewer only once asked for).
const CONTROLS = [
  "Label11",
  "Label12",
  "now",
  "comment",
  "Label25",
  "money",
  "Label1",
  "purotein",
  "Label2",
  "pro",
  "Label3",
  "Label4",
  "toreining",
  "Label5",
  "kuream",
  "Label6",
  "cre",
  "Label7",
  "Label8",
  "eat",
  "Label19",
  "saron",
  "Label20",
  "esute",
  "Label21",
  "pojingu",
  "Label28",
  "baito",
  "Frame1",
  "Label9",
  "mlevel",
  "Label13",
  "hiroudo",
  "Label14",
  "kinryoku",
  "Label10",
  "sibou",
  "Label15",
  "Label24",
  "hiyake",
  "Label26",
  "bihada",
  "Label27",
  "kokoroiki",
  "Label18",
  "clear",
  "Command5",
  "Command1",
  "Label17",
  "Text1",
  "Label16",
];
const BUTTONS = [
  "purotein",
  "toreining",
  "kuream",
  "eat",
  "saron",
  "esute",
  "pojingu",
  "baito",
  "Command5",
  "Command1",
  "Setumei",
];

// Where each control's box lies, its text size, and how far the page scrolls sideways.
function measure(page, ids) {
  return page.evaluate((controls) => {
    const boxes = {};
    for (const id of controls) {
      const element = document.getElementById(id);
      const box = element.getBoundingClientRect();
      boxes[id] = {
        left: box.left + scrollX,
        top: box.top + scrollY,
        width: box.width,
        height: box.height,
        font: parseFloat(getComputedStyle(element).fontSize),
        // A condensed caption is drawn narrower than its size says.
        squeeze: (() => {
          const caption = element.querySelector(".caption");
          const transform = caption ? getComputedStyle(caption).transform : "none";
          return transform === "none" ? 1 : new DOMMatrix(transform).a;
        })(),
      };
    }
    return {
      boxes,
      sideways: document.documentElement.scrollWidth - innerWidth,
      clientLeft: document.getElementById("client").getBoundingClientRect().left + scrollX,
      clientTop: document.getElementById("client").getBoundingClientRect().top + scrollY,
    };
  }, ids);
}

describe("screens", () => {
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

  for (const screen of SCREENS) {
    test(`${screen.name}: fits, reads and plays`, async () => {
      const context = await browser.newContext({
        viewport: screen.viewport,
        deviceScaleFactor: screen.ratio,
        hasTouch: screen.phone,
        isMobile: screen.phone,
      });
      try {
        const page = await openGame(context, server.url);
        const seen = await measure(page, CONTROLS.concat("Setumei"));
        assert.ok(seen.sideways <= 0, `the page scrolls ${seen.sideways} px sideways`);
        for (const id of CONTROLS) {
          const box = seen.boxes[id];
          assert.ok(box.width > 0 && box.height > 0, `${id} is not laid out`);
          assert.ok(
            box.left >= 0 && box.left + box.width <= screen.viewport.width + 0.5,
            `${id} lies outside the width of the screen`,
          );
        }
        if (screen.phone) {
          for (const id of CONTROLS) {
            const box = seen.boxes[id];
            assert.ok(box.font * box.squeeze >= 12, `${id} text is ${box.font} px`);
          }
          for (const id of BUTTONS.concat("now")) {
            const box = seen.boxes[id];
            assert.ok(box.width >= 44 && box.height >= 44, `${id} is ${box.width} x ${box.height} to tap`);
          }
          // The man large: most of the narrow screen's width.
          assert.ok(seen.boxes.now.width >= 0.7 * Math.min(screen.viewport.width, 400));
        } else {
          // The designed window: each control where the layout puts it, in pixels of 15 twips.
          const designed = { now: [32, 56, 204], toreining: [600, 96, 97], Command1: [552, 480, 145] };
          for (const [id, [left, top, width]] of Object.entries(designed)) {
            const box = seen.boxes[id];
            assert.deepEqual(
              [box.left - seen.clientLeft, box.top - seen.clientTop, box.width],
              [left, top, width],
              `${id} is not where the window has it`,
            );
          }
        }
        // Pictures drawn for the screen: enough pixels for every device pixel of the picture.
        const canvas = await page.evaluate(() => {
          const element = document.querySelector("#now canvas");
          return { backing: element.width, css: element.getBoundingClientRect().width };
        });
        assert.equal(canvas.backing, Math.round(canvas.css * screen.ratio));
        const pictures = (await page.evaluate(() => window.__mukiro.requests))
          .map((url) => url.match(/pictures\/[a-z0-9]+@(\d)x\./))
          .filter(Boolean)
          .map((match) => Number(match[1]));
        const wanted = Math.min(3, Math.ceil((canvas.css * screen.ratio) / 200 - 0.01));
        assert.ok(pictures.includes(wanted), `pictures drawn at ${pictures} for ratio ${wanted}`);

        // A short game by taps (or clicks), and a poke at the picture's own units.
        // Taps where the engine has touch, else clicks.
        const touch = screen.phone && !lacks("touch");
        const press = touch ? (id) => page.tap(`#${id}`) : (id) => page.click(`#${id}`);
        await press("toreining");
        await settle(page);
        await press("baito");
        await settle(page);
        const box = seen.boxes.now;
        const border = 2;
        const scale = (box.width - 2 * border) / 200;
        const at = { x: box.left + border + 90 * scale, y: box.top + border + 155 * scale };
        await page.evaluate(() => window.scrollTo(0, 0));
        if (touch) {
          await page.touchscreen.tap(at.x, at.y);
        } else {
          await page.mouse.click(at.x, at.y);
        }
        await waitForEvents(page, [cue("iiase.wav"), cue("money.wav"), cue("motto.wav")]);
        const state = await windowState(page);
        assert.equal(state.hiroudo, "30");
        assert.equal(state.money, "35000");
      } finally {
        await context.close();
      }
    });
  }

  test("turning the screen keeps the game and the Message that is up", async () => {
    const context = await browser.newContext({
      viewport: { width: 1024, height: 768 },
      deviceScaleFactor: 2,
      hasTouch: true,
    });
    try {
      const page = await openGame(context, server.url);
      await click(page, "toreining");
      await click(page, "eat");
      const before = await windowState(page);
      const arrangement = () =>
        page.evaluate(() => getComputedStyle(document.getElementById("client")).display);
      assert.equal(await arrangement(), "block");

      // The audition's first Message is up when the window narrows to a phone held upright.
      await clearEvents(page);
      await page.click("#Command5");
      await page.waitForFunction(() => document.getElementById("message").open);
      await page.setViewportSize({ width: 390, height: 844 });
      assert.equal(await arrangement(), "grid");
      assert.equal(
        await page.locator("#messageText").textContent(),
        "オーディションに応募したぞ｡結果はどうかな､ドキドキ",
      );
      assert.ok(await page.evaluate(() => document.getElementById("message").open));
      assert.deepEqual(
        { ...(await windowState(page)), picture: before.picture },
        before,
        "the window changed under the Message",
      );
      await page.setViewportSize({ width: 844, height: 390 });
      await settle(page);
      await waitForEvents(page, [
        cue("dokidoki.wav"),
        message("オーディションに応募したぞ｡結果はどうかな､ドキドキ", before.picture),
        cue("hugoukaku.wav"),
        message("だめだったよ。残念だな。", "hugoukaku"),
      ]);
      const after = await windowState(page);
      assert.deepEqual(after, { ...before, kokoroiki: "-10", picture: "hugoukaku" });
      // And back to the designed window, the game going on.
      await page.setViewportSize({ width: 1024, height: 768 });
      assert.equal(await arrangement(), "block");
      await click(page, "toreining");
      assert.equal((await windowState(page)).hiroudo, String(Number(before.hiroudo) + 15));
    } finally {
      await context.close();
    }
  });
});
