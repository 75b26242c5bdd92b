// The page kept for offline play: after one visit it starts and plays with the network off,
// cues and explanation included; a new build replaces the old one whole on the next start.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { click, cue, launch, openGame, serve, waitForEvents, webDir, windowState } from "./harness.mjs";

// Asks the page until `question` (which may wait for promises) answers true.
async function until(page, question, what) {
  const deadline = Date.now() + 20_000;
  while (!(await page.evaluate(question).catch(() => false))) {
    assert.ok(Date.now() < deadline, `gave up waiting: ${what}`);
    await new Promise((done) => setTimeout(done, 200));
  }
}

// Waits until the service worker controls the page and keeps the pictures it draws.
async function keptForOffline(page) {
  await until(page, () => navigator.serviceWorker.controller !== null, "a controlling worker");
  await until(
    page,
    async () => {
      const names = await caches.keys();
      if (names.length !== 1) return false;
      const kept = await (await caches.open(names[0])).keys();
      return kept.filter((request) => request.url.includes("/pictures/")).length >= 17;
    },
    "the pictures kept",
  );
}

// The build each file of the page came from, as the page itself sees them now.
function buildsInUse(page) {
  return page.evaluate(async () => {
    const files = ["./", "app.js", "style.css", "mukiro.wasm", "sw.js"];
    const marks = {};
    for (const file of files) {
      const text = await (await fetch(file)).text();
      marks[file] = text.match(/build [AB]/)?.[0] ?? "unmarked";
    }
    return { marks, caches: await caches.keys() };
  });
}

describe("offline", () => {
  let browser;
  before(async () => {
    browser = await launch();
  });
  after(async () => {
    await browser?.close();
  });

  test("after one visit the game plays with the network off", async () => {
    const server = await serve();
    const context = await browser.newContext();
    try {
      const first = await openGame(context, server.url);
      await keptForOffline(first);
      await first.close();

      server.setOffline(true);
      const page = await openGame(context, server.url);
      await click(page, "toreining");
      await click(page, "saron");
      await waitForEvents(page, [cue("iiase.wav"), cue("hiyake.wav")]);
      const state = await windowState(page);
      assert.equal(state.hiroudo, "15");
      assert.equal(state.hiyake, "10");
      assert.equal(state.picture, "level1");
      // The explanation too, read from what was kept.
      await page.click("#Setumei");
      await page.waitForFunction(() => !document.getElementById("Text2").hidden);
      assert.match(await page.locator("#Text2").inputValue(), /トレーニング/);
    } finally {
      await context.close();
      await server.close();
    }
  });

  test("a new build takes over whole on the next start", async () => {
    // A build of our own, marked A, then changed on the server into build B.
    const folder = mkdtempSync(join(tmpdir(), "mukiro-update-"));
    cpSync(webDir, folder, { recursive: true });
    const originalWasm = readFileSync(join(folder, "mukiro.wasm"));
    const mark = (build) => {
      for (const file of ["index.html", "app.js", "style.css"]) {
        const path = join(folder, file);
        const text = readFileSync(path, "utf8").replace(
          /\n<!-- build [AB] -->|\n\/\* build [AB] \*\/|\n\/\/ build [AB]/g,
          "",
        );
        const comment = file.endsWith(".html")
          ? `<!-- build ${build} -->`
          : file.endsWith(".css")
            ? `/* build ${build} */`
            : `// build ${build}`;
        writeFileSync(path, `${text}\n${comment}`);
      }
      // A custom section at the end of the module marks its build and changes nothing else.
      const name = Buffer.from("mark");
      const payload = Buffer.from(` build ${build}`);
      const size = 1 + name.length + payload.length;
      const section = Buffer.concat([Buffer.from([0, size, name.length]), name, payload]);
      writeFileSync(join(folder, "mukiro.wasm"), Buffer.concat([originalWasm, section]));
      const worker = readFileSync(join(folder, "sw.js"), "utf8")
        .replace(/const BUILD = "[^"]*";/, `const BUILD = "test-${build}";`)
        .replace(/\n\/\/ build [AB]/g, "");
      writeFileSync(join(folder, "sw.js"), `${worker}\n// build ${build}`);
    };
    mark("A");
    const server = await serve(folder);
    const context = await browser.newContext();
    try {
      const page = await openGame(context, server.url, { start: false });
      await keptForOffline(page);
      assert.deepEqual(await buildsInUse(page), {
        marks: {
          "./": "build A",
          "app.js": "build A",
          "style.css": "build A",
          "mukiro.wasm": "build A",
          "sw.js": "build A",
        },
        caches: ["mukiro-test-A"],
      });

      mark("B");
      await page.reload();
      await page.locator("#startButton").waitFor({ state: "visible" });
      await page.reload();
      await page.locator("#startButton").waitFor({ state: "visible" });
      await until(page, async () => (await caches.keys()).join() === "mukiro-test-B", "build B");
      await page.locator("#startButton").waitFor({ state: "visible" });
      assert.deepEqual(await buildsInUse(page), {
        marks: {
          "./": "build B",
          "app.js": "build B",
          "style.css": "build B",
          "mukiro.wasm": "build B",
          "sw.js": "build B",
        },
        caches: ["mukiro-test-B"],
      });
      // The document on screen is build B's, not only what the page could fetch now.
      assert.equal(await page.evaluate(() => document.lastChild.textContent.trim()), "build B");
      await page.click("#startButton");
      await click(page, "toreining");
      assert.equal((await windowState(page)).hiroudo, "15");
    } finally {
      await context.close();
      await server.close();
      rmSync(folder, { recursive: true, force: true });
    }
  });
});
