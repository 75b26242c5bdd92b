// Measures the web page in Debian's headless Chromium and prints a Markdown section: the bytes
// before the first usable screen and for the whole game, the time to the first usable screen
// on a slow phone network and processor and unthrottled, a tap until the next frame with a
// slow processor, and the page's memory over a long game.
//
// Usage: node bench/web/bench.mjs URL   (the page served by scripts/serve-web)
//   RUNS=5 (throttled loads), FAST_RUNS=10, TAPS=60, ACTIONS=10000
import puppeteer from "../../web/tests/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js";

const url = process.argv[2];
const runs = Number(process.env.RUNS ?? 5);
const fastRuns = Number(process.env.FAST_RUNS ?? 10);
const taps = Number(process.env.TAPS ?? 60);
const actions = Number(process.env.ACTIONS ?? 10000);

// The network and processor of a slow phone: 1.6 Mbit/s down, 150 ms round trip, 4x slower.
const SLOW_4G = { latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 0.75e6 / 8 };
const SLOW_CPU = 4;

const SCREENS = {
  desktop: { width: 1024, height: 768, deviceScaleFactor: 1, hasTouch: false, isMobile: false },
  phone: { width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true },
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

const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  defaultViewport: null,
  args: [
    "--no-sandbox",
    "--disable-gpu",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--no-first-run",
  ],
});
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// A fresh browser profile with one page on the given screen, its start screen not yet asked
// for.
async function openPage(screen) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(SCREENS[screen]);
  return { context, page };
}

// Every response that a fresh profile's page and its offline store's worker receive, as the
// browser's network saw them: the body's bytes on the wire (what arrived, less the headers;
// none for a response that did not come from the server, and none for one the server answered
// 304) and decoded (what the browser read of it; for a file the worker took from the server
// into the offline store, which the browser does not read, the store's copy).
async function recordResponses(context, page) {
  const responses = [];
  const watch = (session, worker) => {
    const byRequest = new Map();
    const entry = (requestId) => {
      if (!byRequest.has(requestId)) {
        const response = { worker, received: 0, headerBytes: 0, decoded: 0 };
        byRequest.set(requestId, response);
        responses.push(response);
      }
      return byRequest.get(requestId);
    };
    session.on("Network.requestWillBeSent", ({ requestId, request }) => {
      entry(requestId).url = request.url;
    });
    session.on("Network.responseReceived", ({ requestId, response }) => {
      Object.assign(entry(requestId), { url: response.url, status: response.status });
    });
    // The headers as they came from the server, for a response that did.
    session.on("Network.responseReceivedExtraInfo", ({ requestId, statusCode, headersText }) => {
      Object.assign(entry(requestId), {
        fromServer: true,
        serverStatus: statusCode,
        headerBytes: headersText?.length ?? 0,
      });
    });
    session.on("Network.dataReceived", ({ requestId, dataLength }) => {
      entry(requestId).decoded += dataLength;
    });
    session.on("Network.loadingFinished", ({ requestId, encodedDataLength }) => {
      Object.assign(entry(requestId), { finished: true, received: encodedDataLength });
    });
  };
  const pageSession = await page.createCDPSession();
  watch(pageSession, false);
  await pageSession.send("Network.enable");
  // The worker is held at its start until its network is watched, so that its first fetches
  // (the offline store's files) are seen too.
  const browserSession = await browser.target().createCDPSession();
  browserSession.on("Target.attachedToTarget", async ({ sessionId, targetInfo }) => {
    const worker = browserSession.connection().session(sessionId);
    if (targetInfo.browserContextId === context.id) {
      watch(worker, true);
      await worker.send("Network.enable").catch(() => {});
    }
    await worker.send("Runtime.runIfWaitingForDebugger").catch(() => {});
  });
  await browserSession.send("Target.setAutoAttach", {
    autoAttach: true,
    waitForDebuggerOnStart: true,
    flatten: true,
    filter: [{ type: "service_worker" }],
  });
  return {
    finished: async () => {
      const stored = new Map(
        await page.evaluate(async () => {
          const sizes = [];
          for (const name of await caches.keys()) {
            const cache = await caches.open(name);
            for (const request of await cache.keys()) {
              sizes.push([request.url, (await (await cache.match(request)).arrayBuffer()).byteLength]);
            }
          }
          return sizes;
        }),
      );
      const intoStore = (response) =>
        response.worker && response.serverStatus === 200 && response.decoded === 0;
      return responses
        .filter((response) => response.finished && response.status !== 304)
        .map((response) => ({
          url: response.url,
          wire: response.fromServer ? response.received - response.headerBytes : 0,
          raw: intoStore(response) ? (stored.get(response.url) ?? 0) : response.decoded,
        }));
    },
    stop: () => browserSession.detach().catch(() => {}),
  };
}

// A fresh visit: the bytes the page had received by its first usable screen, and every
// response of the whole game, on the wire and decoded.
async function visit(screen) {
  const { context, page } = await openPage(screen);
  await page.evaluateOnNewDocument(watchFirstScreen);
  const recording = await recordResponses(context, page);
  await page.goto(url);
  await page.waitForSelector("#startButton", { visible: true });
  // What the page had received by the moment its first screen showed, by its own clock.
  const first = await page.evaluate(() => {
    const entries = [
      ...performance.getEntriesByType("navigation"),
      ...performance.getEntriesByType("resource"),
    ].filter((e) => e.responseEnd <= window.__firstUsable);
    return {
      count: entries.length,
      wire: entries.reduce((sum, e) => sum + e.encodedBodySize, 0),
      raw: entries.reduce((sum, e) => sum + e.decodedBodySize, 0),
    };
  });
  await page.click("#startButton");
  await page.waitForFunction(() => document.getElementById("start").hidden);
  // The whole game: every picture and cue in hand, the explanation read once, and the offline
  // store filled.
  await page.click("#Setumei");
  await page.waitForFunction(() => !document.getElementById("Text2").hidden);
  await page
    .waitForFunction(async () => {
      const names = await caches.keys();
      if (names.length !== 1) return false;
      return (await (await caches.open(names[0])).keys()).length > 40;
    })
    .catch(() => {});
  await pause(1000);
  const files = await recording.finished();
  await context.close();
  await recording.stop();
  const sum = (list, key) => list.reduce((total, file) => total + file[key], 0);
  return {
    firstWire: first.wire,
    firstRaw: first.raw,
    firstCount: first.count,
    wholeWire: sum(files, "wire"),
    wholeRaw: sum(files, "raw"),
    wholeCount: files.length,
    largest: [...files]
      .sort((a, b) => b.wire - a.wire)
      .slice(0, 3)
      .map(
        (file) => `${decodeURIComponent(new URL(file.url).pathname.slice(1)) || "index"} ${kb(file.wire)}`,
      ),
  };
}

async function firstScreenTime(screen, throttled) {
  const { context, page } = await openPage(screen);
  await page.evaluateOnNewDocument(watchFirstScreen);
  const cdp = await page.createCDPSession();
  if (throttled) {
    await cdp.send("Network.enable");
    await cdp.send("Network.emulateNetworkConditions", { offline: false, ...SLOW_4G });
    await cdp.send("Emulation.setCPUThrottlingRate", { rate: SLOW_CPU });
  }
  await page.goto(url);
  await page.waitForFunction(() => window.__firstUsable !== undefined, { timeout: 60_000 });
  const time = await page.evaluate(() => window.__firstUsable);
  await context.close();
  return time;
}

// A finger's tap at the middle of a button: down and up sent together, so that the up does
// not wait for the page to have taken the down.
async function tap(page, cdp, selector) {
  const button = await page.$(selector);
  await button.scrollIntoView();
  const { x, y } = await button.clickablePoint();
  await button.dispose();
  await Promise.all([
    cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x, y }] }),
    cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] }),
  ]);
}

// A tap on a button with the 4x slower processor: from the click's input event until the
// handler has drawn its change (its work done, microtasks included), and until the next frame
// starts, in which that change is painted. Taps that bring up a Message are left out.
async function tapToFrame() {
  const { context, page } = await openPage("phone");
  const cdp = await page.createCDPSession();
  await page.goto(url);
  await page.waitForSelector("#startButton", { visible: true });
  await tap(page, cdp, "#startButton");
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
    document.addEventListener(
      "click",
      (event) => {
        const received = performance.now();
        tap = { received, dispatch: received - event.timeStamp };
        const measured = tap;
        // Frame callbacks run after input and before the frame is drawn: a handler done by then
        // is in that very frame.
        requestAnimationFrame(() => {
          measured.inNextFrame = measured.handled !== undefined;
          window.__taps.push(measured);
        });
      },
      { capture: true },
    );
  });
  await cdp.send("Emulation.setCPUThrottlingRate", { rate: SLOW_CPU });
  const order = ["pojingu", "purotein", "Command1", "toreining", "purotein", "baito"];
  const measured = [];
  for (let i = 0; i < taps; i += 1) {
    await page.evaluate(() => {
      window.__taps.length = 0;
    });
    await tap(page, cdp, `#${order[i % order.length]}`);
    await page.waitForFunction(
      () =>
        document.getElementById("message").open ||
        document.getElementById("client").getAttribute("aria-busy") === "false",
    );
    if (await page.evaluate(() => document.getElementById("message").open)) {
      while (await page.evaluate(() => document.getElementById("message").open)) {
        await page.click("#messageOk");
        await page.waitForFunction(
          () =>
            document.getElementById("message").open ||
            document.getElementById("client").getAttribute("aria-busy") === "false",
        );
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
  const { context, page } = await openPage("desktop");
  await page.goto(url);
  await page.waitForSelector("#startButton", { visible: true });
  await page.click("#startButton");
  await page.waitForFunction(() => document.getElementById("start").hidden);
  const cdp = await page.createCDPSession();
  await cdp.send("Performance.enable");
  const readings = [];
  const read = async (done) => {
    await cdp.send("HeapProfiler.collectGarbage");
    const metrics = Object.fromEntries(
      (await cdp.send("Performance.getMetrics")).metrics.map((m) => [m.name, m.value]),
    );
    readings.push({
      done,
      heap: metrics.JSHeapUsedSize,
      nodes: metrics.Nodes,
      listeners: metrics.JSEventListeners,
    });
  };
  await read(0);
  const marks = [1000, 2500, 5000, 7500, 10000].filter((mark) => mark <= actions);
  let done = 0;
  const started = Date.now();
  for (const mark of marks) {
    await page.evaluate(
      async ([from, to]) => {
        const order = [
          "toreining",
          "purotein",
          "kuream",
          "eat",
          "saron",
          "esute",
          "pojingu",
          "baito",
          "Command5",
          "Command1",
        ];
        const dialog = document.getElementById("message");
        const client = document.getElementById("client");
        const idle = () =>
          new Promise((resolve) => {
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
      },
      [done, mark],
    );
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
  out(
    `| ${screen} | ${kb(bytes.firstWire)} KiB | ${kb(bytes.firstRaw)} KiB | ${bytes.firstCount} | ` +
      `${kb(bytes.wholeWire)} KiB | ${kb(bytes.wholeRaw)} KiB | ${bytes.wholeCount} | ≤ 150 KiB, ≤ 1 MiB: ${met} |`,
  );
  out(`|  | largest sent: ${bytes.largest.join(", ")} (KiB) | | | | | | |`);
}
out();
out("The whole game is everything a first visit downloads: the first screen, every cue, the");
out("pictures drawn for the screen, the explanation and what the offline store fetches again");
out("(answered 304 where unchanged, not counted). Raw is each file decoded; for a file the");
out("offline store fetched, the size of the copy it keeps.");
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
  out(
    `| ${screen}, Slow 4G (1.6 Mbit/s, 150 ms) and 4x slower processor | ${median(slow).toFixed(0)} | ${runs} | ≤ 2000 ms: ${met} |`,
  );
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
out(
  "| taps | handled and drawn, median ms | slowest ms | change in the next frame | browser's input delay, median ms | target |",
);
out("|---:|---:|---:|---:|---:|---|");
out(
  `| ${tapped.length} | ${median(handled).toFixed(1)} | ${slowest.toFixed(1)} | ${inNextFrame} of ${tapped.length} | ` +
    `${median(dispatch).toFixed(1)} | within one frame (16.7 ms): ${slowest <= 16.7 ? "met" : "**missed**"} |`,
);
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
out("The heap holds the browser driver's own script in the page as well.");
out();
out("| presses | JS heap in use | DOM nodes | event listeners |");
out("|---:|---:|---:|---:|");
for (const reading of game.readings) {
  out(`| ${reading.done} | ${kb(reading.heap)} KiB | ${reading.nodes} | ${reading.listeners} |`);
}
await browser.close();
console.log(lines.join("\n"));
