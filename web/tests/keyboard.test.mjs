// The game by keyboard alone: Tab and Shift+Tab follow the window's designed tab column,
// Enter and Space press buttons and close Messages as Escape does, F1 shows the explanation
// and its closing keys hide it. axe-core finds nothing wrong on the started page, with a
// Message up, or with the explanation shown.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { join } from "node:path";
import {
  clearEvents,
  cue,
  launch,
  message,
  openGame,
  restarted,
  serve,
  testsDir,
  waitForEvents,
  windowState,
} from "./harness.mjs";

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

const TAB_ORDER = [
  "now",
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
  "comment",
  "pro",
  "cre",
  "Text1",
  "clear",
  "money",
];

const focused = (page) => page.evaluate(() => document.activeElement?.id);

// Presses `key`, then waits until the Message shows `text`, with the focus on its OK button.
async function expectMessage(page, text) {
  await page
    .waitForFunction(
      (expected) =>
        document.getElementById("message").open &&
        document.getElementById("messageText").textContent === expected,
      text,
      { timeout: 10_000 },
    )
    .catch(() => {});
  assert.deepEqual(
    await page.evaluate(() => ({
      open: document.getElementById("message").open,
      text: document.getElementById("messageText").textContent,
      focus: document.activeElement?.id,
    })),
    { open: true, text, focus: "messageOk" },
  );
}

const idle = (page) =>
  page.waitForFunction(
    () =>
      !document.getElementById("message").open &&
      document.getElementById("client").getAttribute("aria-busy") === "false",
  );

test("a short game by keyboard only", async (t) => {
  const context = await browser.newContext();
  const page = await openGame(context, server.url, { start: false });

  await t.test("Enter on the start button starts the game with the body picture focused", async () => {
    assert.equal(await focused(page), "startButton");
    await page.keyboard.press("Enter");
    await waitForEvents(page, [cue("iikaradani.wav")]);
    assert.equal(await focused(page), "now");
  });

  await t.test("Tab and Shift+Tab follow the designed order", async () => {
    const forward = [await focused(page)];
    for (let i = 1; i < TAB_ORDER.length; i += 1) {
      await page.keyboard.press("Tab");
      forward.push(await focused(page));
    }
    assert.deepEqual(forward, TAB_ORDER);
    const backward = [await focused(page)];
    for (let i = 1; i < TAB_ORDER.length; i += 1) {
      await page.keyboard.press("Shift+Tab");
      backward.push(await focused(page));
    }
    assert.deepEqual(backward, [...TAB_ORDER].reverse());
  });

  await t.test(
    "three trainings by Space and Enter die of thinness; Enter and Escape close the Messages",
    async () => {
      await clearEvents(page);
      await page.keyboard.press("Tab");
      await page.keyboard.press("Tab");
      assert.equal(await focused(page), "toreining");
      await page.keyboard.press(" ");
      await idle(page);
      await page.keyboard.press("Enter");
      await idle(page);
      assert.equal((await windowState(page)).sibou, "-40");
      await page.keyboard.press(" ");
      await expectMessage(page, "痩せすぎだっつーの！");
      await page.keyboard.press("Enter");
      await expectMessage(page, "来世はマッチョに生まれますように");
      await page.keyboard.press("Escape");
      await idle(page);
      await waitForEvents(page, [
        cue("iiase.wav"),
        cue("iiase.wav"),
        cue("iiase.wav"),
        cue("yasesugi.wav"),
        message("痩せすぎだっつーの！", "level1"),
        cue("raiseha.wav"),
        message("来世はマッチョに生まれますように", "death"),
        cue("iikaradani.wav"),
      ]);
      assert.deepEqual(await windowState(page), restarted(1));
      assert.equal(await focused(page), "toreining", "the focus is back on the button");
    },
  );

  await t.test("an audition by Enter, its Messages closed by Space and Escape", async () => {
    for (let i = 0; i < 7; i += 1) await page.keyboard.press("Tab");
    assert.equal(await focused(page), "Command5");
    await page.keyboard.press("Enter");
    await expectMessage(page, "オーディションに応募したぞ｡結果はどうかな､ドキドキ");
    await page.keyboard.press(" ");
    await expectMessage(page, "だめだったよ。残念だな。");
    await page.keyboard.press("Escape");
    await idle(page);
    assert.equal((await windowState(page)).kokoroiki, "-10");
    assert.equal(await focused(page), "Command5");
  });

  await t.test("F1 shows the explanation, Escape hides it and the focus comes back", async () => {
    await page.keyboard.press("F1");
    await page.locator("#Text2").waitFor({ state: "visible" });
    assert.equal(await focused(page), "Text2");
    await page.keyboard.press("Escape");
    await page.locator("#Text2").waitFor({ state: "hidden" });
    assert.equal(await focused(page), "Command5");
    // The game goes on by keyboard: the next Tab stop after the audition.
    await page.keyboard.press("Tab");
    assert.equal(await focused(page), "Command1");
  });
  await context.close();
});

async function axeViolations(page) {
  if (!(await page.evaluate(() => "axe" in window))) {
    // Run through the driver, as the page's own policy lets no injected script in.
    await page.addScript(join(testsDir, "node_modules", "axe-core", "axe.min.js"));
  }
  const result = await page.evaluate(() => window.axe.run(document));
  return result.violations.map(
    (violation) => `${violation.id}: ${violation.nodes.map((node) => node.target.join(" ")).join(", ")}`,
  );
}

test("axe-core finds no violation: started page, a Message up, the explanation shown", async () => {
  const context = await browser.newContext();
  const page = await openGame(context, server.url);
  const found = {};
  found["started page"] = await axeViolations(page);

  await page.click("#Command5");
  await page.locator("#message").waitFor({ state: "visible" });
  found["a Message up"] = await axeViolations(page);
  await page.keyboard.press("Escape");
  await expectMessage(page, "だめだったよ。残念だな。");
  await page.keyboard.press("Escape");
  await idle(page);

  await page.keyboard.press("F1");
  await page.locator("#Text2").waitFor({ state: "visible" });
  found["the explanation shown"] = await axeViolations(page);
  await context.close();
  // All three states are looked at before one of them fails the test.
  assert.deepEqual(
    found,
    { "started page": [], "a Message up": [], "the explanation shown": [] },
    "axe-core rules broken on the page (rule: elements)",
  );
});

test("the man poked from the keyboard: the aim shows, moves and gives both answers", async () => {
  const context = await browser.newContext();
  try {
    const page = await openGame(context, server.url);
    await page.keyboard.press("Tab");
    await page.keyboard.press("Shift+Tab");
    assert.equal(await page.evaluate(() => document.activeElement.id), "now");
    const describedBy = await page.getAttribute("#now", "aria-describedby");
    assert.equal(
      await page.locator(`#${describedBy}`).textContent(),
      "矢印キーでねらいを動かし、スペースかEnterでつつきます",
    );
    // The aim is drawn on the picture: the canvas differs from the picture alone.
    const pixels = () =>
      page.evaluate(() => {
        const canvas = document.querySelector("#now canvas");
        return canvas.toDataURL();
      });
    const withAim = await pixels();
    // The aim starts in the middle, off the briefs; four steps down reach them.
    await page.keyboard.press("Space");
    await waitForEvents(page, [cue("tya.wav")]);
    await clearEvents(page);
    for (let i = 0; i < 4; i += 1) await page.keyboard.press("ArrowDown");
    assert.notEqual(await pixels(), withAim, "the aim did not move on the picture");
    await page.keyboard.press("Enter");
    await waitForEvents(page, [cue("motto.wav")]);
    await clearEvents(page);
    // The aim stood on the bounds x = 100, y = 140; two steps left it is on x = 80, and one
    // more leaves the briefs.
    await page.keyboard.press("ArrowLeft");
    await page.keyboard.press("ArrowLeft");
    await page.keyboard.press("Space");
    await page.keyboard.press("ArrowLeft");
    await page.keyboard.press("Space");
    await waitForEvents(page, [cue("motto.wav"), cue("tya.wav")]);
    // Away from the picture the aim is no longer drawn.
    await page.keyboard.press("Tab");
    await page.evaluate(() => new Promise(requestAnimationFrame));
    const withoutAim = await pixels();
    await page.keyboard.press("Shift+Tab");
    assert.notEqual(await pixels(), withoutAim, "the aim did not come back with the focus");
  } finally {
    await context.close();
  }
});
