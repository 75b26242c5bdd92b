// The page as a whole: opened from a file it says how to start it; served, it asks nothing of
// any host but its own, plays a short game without a console or page error, and its
// Content-Security-Policy lets no inline script run.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { clicks, launch, openGame, serve, pageErrors, settle, webDir, windowState } from "./harness.mjs";

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

test("opened as a file, the page shows how to start it and hides the game", async () => {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(pathToFileURL(join(webDir, "index.html")).href);
  const notice = page.locator("section.file-notice");
  await notice.waitFor({ state: "visible" });
  assert.match(await notice.innerText(), /ウェブサーバー/);
  assert.equal(await page.locator("#game").isVisible(), false);
  assert.equal(await page.locator("#startButton").isVisible(), false);
  await context.close();
});

test("a short game asks only 127.0.0.1, finds every file and logs no error", async () => {
  const context = await browser.newContext();
  const game = await openGame(context, server.url);
  // Every kind of handler: actions, a level-up (protein: muscle 109), a death (posing:
  // fatigue 55), the audition, a poke, the explanation.
  await clicks(game, ["kuream", "purotein", "eat", "saron", "esute", "baito", "pojingu", "Command5"]);
  const box = await game.locator("#now canvas").boundingBox();
  await game.mouse.click(box.x + 90, box.y + 155);
  await game.keyboard.press("F1");
  await game.locator("#Text2").waitFor({ state: "visible" });
  await game.keyboard.press("Escape");
  await settle(game);
  assert.equal((await windowState(game)).Text1, "1", "the game went through a death");
  const requests = await game.evaluate(() => window.__mukiro.requests);
  const errors = await pageErrors(game);
  await context.close();

  const origin = new URL(server.url).origin;
  assert.ok(requests.length > 0);
  assert.deepEqual(
    requests.filter((url) => new URL(url).origin !== origin),
    [],
    "requests to another host",
  );
  assert.deepEqual(
    server.answers.filter((answer) => answer.status >= 400),
    [],
    "files the server could not give",
  );
  assert.deepEqual(errors, [], "console or page errors");
});

test("the start press lets the page sound: its audio runs and the opening cue plays in it", async () => {
  const context = await browser.newContext();
  const page = await openGame(context, server.url);
  // Every engine asks for a press before a page may sound; the press on はじめる is it.
  await page
    .waitForFunction(() => window.__mukiro.audio?.state === "running", undefined, { timeout: 5000 })
    .catch(() => {});
  assert.equal(await page.evaluate(() => window.__mukiro.audio?.state), "running");
  // And time goes on in it: the cues are heard, not only started.
  const before = await page.evaluate(() => window.__mukiro.audio.currentTime);
  await page.waitForFunction((then) => window.__mukiro.audio.currentTime > then + 0.2, before, {
    timeout: 5000,
  });
  await context.close();
});

test("the Content-Security-Policy meta forbids inline script, and the page has none", async () => {
  const context = await browser.newContext();
  const page = await openGame(context, server.url, { start: false });
  const policy = await page.getAttribute('meta[http-equiv="Content-Security-Policy"]', "content");
  assert.ok(policy, "the page carries its policy");
  assert.doesNotMatch(policy, /unsafe-inline/);
  assert.match(policy, /script-src 'self'/);
  // Nor does the page itself need any: no inline script, no inline event handler.
  assert.deepEqual(
    await page.evaluate(() => [
      ...[...document.querySelectorAll("script:not([src])")].map((script) => script.outerHTML),
      ...[...document.querySelectorAll("*")].flatMap((element) =>
        element
          .getAttributeNames()
          .filter((name) => name.startsWith("on"))
          .map((name) => `${element.id}[${name}]`),
      ),
    ]),
    [],
  );
  // An inline script added now is refused.
  const outcome = await page.evaluate(
    () =>
      new Promise((resolve) => {
        document.addEventListener("securitypolicyviolation", (event) => resolve(event.effectiveDirective), {
          once: true,
        });
        const script = document.createElement("script");
        script.textContent = "window.__inlineRan = true;";
        document.head.append(script);
        setTimeout(() => resolve(window.__inlineRan ? "ran" : "no report"), 2000);
      }),
  );
  assert.match(outcome, /^script-src/);
  assert.equal(await page.evaluate(() => window.__inlineRan === true), false);
  await context.close();
});
