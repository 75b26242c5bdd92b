// Measures the web page in Debian's headless Chromium and prints a Markdown section: the bytes
// before the first usable screen and for the whole game, the time to the first usable screen
// on a slow phone network and processor and unthrottled, a tap until the next frame with a
// slow processor, and the page's memory over a long game.
//
// Usage: node bench/web/bench.mjs URL   (the page served by scripts/serve-web)
//   RUNS=5 (throttled loads), FAST_RUNS=10, TAPS=60, ACTIONS=10000
import { chromium } from "../../web/tests/node_modules/playwright-core/index.mjs";

const url = process.argv[2];
const runs = Number(process.env.RUNS ?? 5);
const fastRuns = Number(process.env.FAST_RUNS ?? 10);
const taps = Number(process.env.TAPS ?? 60);
const actions = Number(process.env.ACTIONS ?? 10000);

// The network and processor of a slow phone: 1.6 Mbit/s down, 150 ms round trip, 4x slower.
const SLOW_4G = { latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 0.75e6 / 8 };
const SLOW_CPU = 4;

const SCREENS = {
  desktop: { viewport: { width: 1024, height: 768 }, deviceScaleFactor: 1 },
  phone: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true, isMobile: true },
};

// Marks the moment the start screen (the first screen the player can use) is shown.
function watchFirstScreen() {
  new MutationObserver((_, observer) => {
    const start = document.getElementById("start");
    if (start && !start.hidden) {
      window.__firstUsable = performance.now();
      observer.disconnect();
    }
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ["hidden"] });
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};
const kb = (bytes) => (bytes / 1024).toFixed(1);

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
    "--disable-component-update", "--disable-sync", "--no-first-run"],
});

// Every response of a fresh visit: its bytes on the wire and decoded, and whether it came
// before the first usable screen.
async function visit(screen) {
  const context = await browser.newContext(SCREENS[screen]);
  const page = await context.newPage();
  await page.addInitScript(watchFirstScreen);
  const files = [];
  let firstScreenShown = false;
  const pending = [];
  context.on("requestfinished", (request) => {
    const early = !firstScreenShown;
    pending.push((async () => {
      const response = await request.response();
      if (!response || response.status() === 304) return;
      const sizes = await request.sizes();
      const body = await response.body().catch(() => Buffer.alloc(0));
      files.push({ url: request.url(), wire: sizes.responseBodySize, raw: body.length, early });
    })());
  });
  await page.goto(url);
  await page.locator("#startButton").waitFor({ state: "visible" });
  firstScreenShown = true;
  // What the page had received by the moment its first screen showed, by its own clock.
  const first = await page.evaluate(() => {
    const entries = [...performance.getEntriesByType("navigation"),
      ...performance.getEntriesByType("resource")].filter((e) => e.responseEnd <= window.__firstUsable);
    return { count: entries.length,
      wire: entries.reduce((sum, e) => sum + e.encodedBodySize, 0),
      raw: entries.reduce((sum, e) => sum + e.decodedBodySize, 0) };
  });
  await page.click("#startButton");
  await page.waitForFunction(() => document.getElementById("start").hidden);
  // The whole game: every picture and cue in hand, the explanation read once, and the offline
  // store filled.
  await page.click("#Setumei");
  await page.waitForFunction(() => !document.getElementById("Text2").hidden);
  await page.waitForFunction(async () => {
    const names = await caches.keys();
    if (names.length !== 1) return false;
    return (await (await caches.open(names[0])).keys()).length > 40;
  }).catch(() => {});
  await page.waitForTimeout(1000);
  await Promise.all(pending);
  await context.close();
  const sum = (list, key) => list.reduce((total, file) => total + file[key], 0);
  return {
    firstWire: first.wire,
    firstRaw: first.raw,
    firstCount: first.count,
    wholeWire: sum(files, "wire"),
    wholeRaw: sum(files, "raw"),
    wholeCount: files.length,
    largest: [...files].sort((a, b) => b.wire - a.wire).slice(0, 3)
      .map((file) => `${decodeURIComponent(new URL(file.url).pathname.slice(1)) || "index"} ${kb(file.wire)}`),
  };
}

async function firstScreenTime(screen, throttled) {
  const context = await browser.newContext(SCREENS[screen]);
  const page = await context.newPage();
  await page.addInitScript(watchFirstScreen);
  const cdp = await context.newCDPSession(page);
  if (throttled) {
    await cdp.send("Network.enable");
    await cdp.send("Network.emulateNetworkConditions", { offline: false, ...SLOW_4G });
    await cdp.send("Emulation.setCPUThrottlingRate", { rate: SLOW_CPU });
  }
  await page.goto(url);
  await page.waitForFunction(() => window.__firstUsable !== undefined, null, { timeout: 60_000 });
  const time = await page.evaluate(() => window.__firstUsable);
  await context.close();
  return time;
}

// A tap on a button with the 4x slower processor: from the click's input event until the
// handler has drawn its change (its work done, microtasks included), and until the next frame
// starts, in which that change is painted. Taps that bring up a Message are left out.
async function tapToFrame() {
  const context = await browser.newContext(SCREENS.phone);
  const page = await context.newPage();
  await page.goto(url);
  await page.locator("#startButton").waitFor({ state: "visible" });
  await page.tap("#startButton");
  await page.waitForFunction(() => document.getElementById("start").hidden);
  await page.evaluate(() => {
    window.__taps = [];
    let tap = null;
    // The page marks the end of a handler: the window is no longer busy, every control drawn.
    new MutationObserver(() => {
      if (tap && document.getElementById("client").getAttribute("aria-busy") === "false") {
        tap.handled = performance.now() - tap.received;
      }
    }).observe(document.getElementById("client"), { attributes: true, attributeFilter: ["aria-busy"] });
    document.addEventListener("click", (event) => {
      const received = performance.now();
      tap = { received, dispatch: received - event.timeStamp };
      const measured = tap;
      // Frame callbacks run after input and before the frame is drawn: a handler done by then
      // is in that very frame.
      requestAnimationFrame(() => {
        measured.inNextFrame = measured.handled !== undefined;
        window.__taps.push(measured);
      });
    }, { capture: true });
  });
  const cdp = await context.newCDPSession(page);
  await cdp.send("Emulation.setCPUThrottlingRate", { rate: SLOW_CPU });
  const order = ["pojingu", "purotein", "Command1", "toreining", "purotein", "baito"];
  const measured = [];
  for (let i = 0; i < taps; i += 1) {
    await page.evaluate(() => { window.__taps.length = 0; });
    await page.tap(`#${order[i % order.length]}`);
    await page.waitForFunction(() =>
      document.getElementById("message").open ||
      document.getElementById("client").getAttribute("aria-busy") === "false");
    if (await page.evaluate(() => document.getElementById("message").open)) {
      while (await page.evaluate(() => document.getElementById("message").open)) {
        await page.click("#messageOk");
        await page.waitForFunction(() =>
          document.getElementById("message").open ||
          document.getElementById("client").getAttribute("aria-busy") === "false");
      }
      continue;
    }
    await page.waitForFunction(() => window.__taps.length > 0);
    measured.push(await page.evaluate(() => window.__taps[0]));
  }
  await context.close();
  return measured;
}

// Plays `actions` button presses in the page, closing every Message, and reads the memory in
// use after a full garbage collection at a few points on the way.
async function longGame() {
  const context = await browser.newContext(SCREENS.desktop);
  const page = await context.newPage();
  await page.goto(url);
  await page.locator("#startButton").waitFor({ state: "visible" });
  await page.click("#startButton");
  await page.waitForFunction(() => document.getElementById("start").hidden);
  const cdp = await context.newCDPSession(page);
  await cdp.send("Performance.enable");
  const readings = [];
  const read = async (done) => {
    await cdp.send("HeapProfiler.collectGarbage");
    const metrics = Object.fromEntries(
      (await cdp.send("Performance.getMetrics")).metrics.map((m) => [m.name, m.value]));
    readings.push({ done, heap: metrics.JSHeapUsedSize, nodes: metrics.Nodes,
      listeners: metrics.JSEventListeners });
  };
  await read(0);
  const marks = [1000, 2500, 5000, 7500, 10000].filter((mark) => mark <= actions);
  let done = 0;
  const started = Date.now();
  for (const mark of marks) {
    await page.evaluate(async ([from, to]) => {
      const order = ["toreining", "purotein", "kuream", "eat", "saron", "esute", "pojingu",
        "baito", "Command5", "Command1"];
      const dialog = document.getElementById("message");
      const client = document.getElementById("client");
      const idle = () => new Promise((resolve) => {
        const check = () => {
          if (dialog.open) {
            dialog.close();
          }
          if (client.getAttribute("aria-busy") === "false" && !dialog.open) {
            resolve();
          } else {
            setTimeout(check, 0);
          }
        };
        check();
      });
      for (let i = from; i < to; i += 1) {
        document.getElementById(order[i % order.length]).click();
        await idle();
      }
    }, [done, mark]);
    done = mark;
    await read(done);
  }
  const seconds = (Date.now() - started) / 1000;
  await context.close();
  return { readings, seconds };
}

const lines = [];
const out = (line = "") => lines.push(line);

out("## The web page (headless Chromium)");
out();
out("Written by `make bench` (scripts/bench-web) against the page `make web` builds, served by");
out("scripts/serve-web with gzip. A fresh browser profile for every load; the phone is 390 x 844");
out("CSS pixels at pixel ratio 3, the desktop 1024 x 768 at 1.");
out();
out("### Bytes");
out();
out("| screen | first usable screen, sent (gzip) | raw | files | whole game, sent | raw | files | target |");
out("|---|---:|---:|---:|---:|---:|---:|---|");
for (const screen of ["desktop", "phone"]) {
  const bytes = await visit(screen);
  const met = bytes.firstWire <= 150 * 1024 && bytes.wholeWire <= 1024 * 1024 ? "met" : "**missed**";
  out(`| ${screen} | ${kb(bytes.firstWire)} KiB | ${kb(bytes.firstRaw)} KiB | ${bytes.firstCount} | ` +
    `${kb(bytes.wholeWire)} KiB | ${kb(bytes.wholeRaw)} KiB | ${bytes.wholeCount} | ≤ 150 KiB, ≤ 1 MiB: ${met} |`);
  out(`|  | largest sent: ${bytes.largest.join(", ")} (KiB) | | | | | | |`);
}
out();
out("The whole game is everything a first visit downloads: the first screen, every cue, the");
out("pictures drawn for the screen, the explanation and what the offline store fetches again");
out("(answered 304 where unchanged, not counted).");
out();
out("### Time to the first usable screen (the start screen shown)");
out();
out("| | median ms | runs | target |");
out("|---|---:|---:|---|");
for (const screen of ["phone", "desktop"]) {
  const slow = [];
  for (let i = 0; i < runs; i += 1) slow.push(await firstScreenTime(screen, true));
  const fast = [];
  for (let i = 0; i < fastRuns; i += 1) fast.push(await firstScreenTime(screen, false));
  const met = median(slow) <= 2000 ? "met" : "**missed**";
  out(`| ${screen}, Slow 4G (1.6 Mbit/s, 150 ms) and 4x slower processor | ${median(slow).toFixed(0)} | ${runs} | ≤ 2000 ms: ${met} |`);
  out(`| ${screen}, unthrottled on this machine | ${median(fast).toFixed(0)} | ${fastRuns} | |`);
}
out();
out("### A tap until the next frame (phone, 4x slower processor)");
out();
const tapped = await tapToFrame();
const handled = tapped.map((tap) => tap.handled);
const dispatch = tapped.map((tap) => tap.dispatch);
const inNextFrame = tapped.filter((tap) => tap.inNextFrame).length;
const slowest = Math.max(...handled);
out("| taps | handled and drawn, median ms | slowest ms | change in the next frame | browser's input delay, median ms | target |");
out("|---:|---:|---:|---:|---:|---|");
out(`| ${tapped.length} | ${median(handled).toFixed(1)} | ${slowest.toFixed(1)} | ${inNextFrame} of ${tapped.length} | ` +
  `${median(dispatch).toFixed(1)} | within one frame (16.7 ms): ${slowest <= 16.7 ? "met" : "**missed**"} |`);
out();
out("From the moment the page receives the tap (its click) until the handler has run the rules");
out("and written every control of the window, its promise callbacks included; the change is in");
out("the next frame when the handler is done before that frame's callbacks run. The browser's");
out("input delay, from the tap's input event to its click reaching the page, is Chromium's own");
out("frame-aligned input handling, the same for any page. Taps that bring up a Message are left");
out("out.");
out();
out("### Memory over a long game");
out();
const game = await longGame();
out(`${actions} presses of the ten buttons in turn (deaths, wins and failed auditions among them),`);
out(`every Message closed, in ${game.seconds.toFixed(0)} s; read after a full garbage collection.`);
out();
out("| presses | JS heap in use | DOM nodes | event listeners |");
out("|---:|---:|---:|---:|");
for (const reading of game.readings) {
  out(`| ${reading.done} | ${kb(reading.heap)} KiB | ${reading.nodes} | ${reading.listeners} |`);
}
await browser.close();
console.log(lines.join("\n"));
