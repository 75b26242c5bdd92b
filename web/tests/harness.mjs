// What the browser tests share: the built page served by the game's own server behind a
// small proxy of the tests' own, a recorder of the cues the page starts and the Messages it
// shows, and helpers that play the game by clicks and read the window back. The engine comes
// from browsers.mjs (MUKIRO_BROWSER).
import { spawn } from "node:child_process";
import { existsSync, mkdtempSync, readdirSync, rmSync, symlinkSync } from "node:fs";
import { request as httpRequest, createServer } from "node:http";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import assert from "node:assert/strict";

export { ENGINE, ENGINE_NAME, lacks, launch } from "./browsers.mjs";

export const testsDir = dirname(fileURLToPath(import.meta.url));
export const repoRoot = resolve(testsDir, "..", "..");
export const webDir = process.env.MUKIRO_WEB_DIR || join(repoRoot, "build", "web");
const serveWeb = process.env.MUKIRO_SERVE_WEB || join(repoRoot, "scripts", "serve-web");

export const EXPLANATION_FILE = "ムキロ・タフ.txt";

// The recorder's own address on the page's host: the page's policy lets its own host's
// scripts run, and the recorder is the first of them.
const RECORDER_PATH = "/__mukiro-recorder.js";

// Starts the game's own server on `folder`; resolves to its port.
function startServeWeb(folder) {
  const server = spawn("python3", [serveWeb, folder, "--port", "0"], {
    stdio: ["ignore", "pipe", "inherit"],
  });
  return new Promise((resolvePromise, reject) => {
    let out = "";
    server.once("error", reject);
    server.once("exit", (code) => reject(new Error(`serve-web ended (${code}) before it served`)));
    server.stdout.setEncoding("utf8");
    server.stdout.on("data", (chunk) => {
      out += chunk;
      const match = out.match(/http:\/\/127\.0\.0\.1:(\d+)\//);
      if (match) {
        server.stdout.removeAllListeners("data");
        server.stdout.resume();
        server.removeAllListeners("exit");
        resolvePromise({ port: Number(match[1]), process: server });
      }
    });
  });
}

// Serves `folder` on a free port of 127.0.0.1 through the tests' proxy, which puts the
// recorder first into each page, logs what it answered, and can fail a file or play the
// network gone. Resolves to { url, close, answers, fail, setOffline }.
export async function serve(folder = webDir) {
  if (!existsSync(join(folder, "index.html"))) {
    throw new Error(`no built page in ${folder}: run scripts/build-web, or set MUKIRO_WEB_DIR`);
  }
  const upstream = await startServeWeb(folder);
  const recorderSource = `(${recorder.toString()})();\n`;
  const answers = [];
  const failing = new Set();
  let offline = false;
  const proxy = createServer((incoming, outgoing) => {
    const path = decodeURIComponent(new URL(incoming.url, "http://127.0.0.1").pathname);
    if (path === RECORDER_PATH) {
      outgoing.writeHead(200, { "Content-Type": "text/javascript", "Cache-Control": "no-cache" });
      outgoing.end(recorderSource);
      return;
    }
    if (offline) {
      incoming.socket.destroy();
      return;
    }
    if (failing.has(path.slice(1))) {
      answers.push({ path, status: 500 });
      outgoing.writeHead(500, { "Content-Length": 0 });
      outgoing.end();
      return;
    }
    const headers = { ...incoming.headers };
    delete headers["accept-encoding"]; // pages arrive as text, for the recorder to go in
    const forward = httpRequest(
      { host: "127.0.0.1", port: upstream.port, method: incoming.method, path: incoming.url, headers },
      (answer) => {
        answers.push({ path, status: answer.statusCode });
        const type = answer.headers["content-type"] ?? "";
        if (!type.startsWith("text/html")) {
          outgoing.writeHead(answer.statusCode, answer.headers);
          answer.pipe(outgoing);
          return;
        }
        const chunks = [];
        answer.on("data", (chunk) => chunks.push(chunk));
        answer.on("end", () => {
          const page = Buffer.concat(chunks)
            .toString("utf8")
            .replace(/(<meta charset[^>]*>)/i, `$1\n<script src="${RECORDER_PATH}"></script>`);
          const body = Buffer.from(page, "utf8");
          outgoing.writeHead(answer.statusCode, { ...answer.headers, "content-length": body.length });
          outgoing.end(body);
        });
      },
    );
    forward.on("error", () => incoming.socket.destroy());
    incoming.pipe(forward);
  });
  proxy.keepAliveTimeout = 1000;
  await new Promise((done) => proxy.listen(0, "127.0.0.1", done));
  const sockets = new Set();
  proxy.on("connection", (socket) => {
    sockets.add(socket);
    socket.once("close", () => sockets.delete(socket));
  });
  return {
    url: `http://127.0.0.1:${proxy.address().port}/`,
    // Every answer so far, as { path, status }.
    answers,
    // The files named answer with a server error from now on; none when called without.
    fail: (...files) => {
      failing.clear();
      for (const file of files) failing.add(file);
    },
    // With the network gone, every connection to the host breaks off as a dead network does.
    setOffline: (gone) => {
      offline = gone;
      if (gone) for (const socket of sockets) socket.destroy();
    },
    close: async () => {
      for (const socket of sockets) socket.destroy();
      await new Promise((done) => proxy.close(() => done()));
      if (upstream.process.exitCode === null && upstream.process.signalCode === null) {
        await new Promise((done) => {
          upstream.process.once("exit", () => done());
          upstream.process.kill("SIGTERM");
        });
      }
    },
  };
}

// A folder that serves like the built page, but whose explanation file the test owns: every
// entry of the built folder is linked in, except the explanation.
export function folderWithOwnExplanation() {
  const folder = mkdtempSync(join(tmpdir(), "mukiro-web-"));
  for (const entry of readdirSync(webDir)) {
    if (entry !== EXPLANATION_FILE) {
      symlinkSync(join(webDir, entry), join(folder, entry));
    }
  }
  return { folder, remove: () => rmSync(folder, { recursive: true, force: true }) };
}

// Runs in the page before its own scripts (the proxy puts it first). Records, in one list in
// the order they happen: each cue started (its name, from the URL it was fetched from) and
// each Message shown (its text and the picture behind it); and apart, the page's errors and
// the addresses it asked for. Nothing of the page's own code is touched.
function recorder() {
  const urlOfBytes = new WeakMap();
  const urlOfSound = new WeakMap();
  const nameOfSource = new WeakMap();
  const events = [];
  const errors = [];
  const requests = [];
  window.__mukiro = { events, decoded: 0, errors, requests };

  // What went wrong in the page: script errors, refused promises, console errors, files that
  // did not load, and anything its policy refused.
  addEventListener(
    "error",
    (event) => {
      const source = event.target?.src || event.target?.href;
      errors.push(event.target === window || !source ? `page: ${event.message}` : `not loaded: ${source}`);
    },
    true,
  );
  addEventListener("unhandledrejection", (event) => errors.push(`page: ${event.reason}`));
  addEventListener("securitypolicyviolation", (event) =>
    errors.push(`refused by the policy (${event.effectiveDirective}): ${event.blockedURI}`),
  );
  const consoleError = console.error;
  console.error = (...args) => {
    errors.push(`console: ${args.join(" ")}`);
    consoleError.apply(console, args);
  };
  // Every address the page asked for.
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) requests.push(entry.name);
  }).observe({ type: "resource", buffered: true });

  // The cue's own name: its path under cues/, with the game's backslash for the folder. A cue
  // the page keeps in another audio format is still named as the game names it, "….wav".
  const cueName = (url) => {
    const path = new URL(url).pathname;
    const at = path.indexOf("/cues/");
    return path
      .slice(at + "/cues/".length)
      .split("/")
      .map(decodeURIComponent)
      .join("\\")
      .replace(/\.(mp3|ogg|opus|m4a|aac|flac|webm)$/, ".wav");
  };

  const arrayBuffer = Response.prototype.arrayBuffer;
  Response.prototype.arrayBuffer = async function () {
    const bytes = await arrayBuffer.call(this);
    urlOfBytes.set(bytes, this.url);
    return bytes;
  };
  const decode = BaseAudioContext.prototype.decodeAudioData;
  BaseAudioContext.prototype.decodeAudioData = function (bytes, ...rest) {
    const url = urlOfBytes.get(bytes);
    const decoding = decode.call(this, bytes, ...rest);
    decoding.then(
      (sound) => {
        if (url !== undefined) {
          urlOfSound.set(sound, url);
        }
        window.__mukiro.decoded += 1;
      },
      () => {},
    );
    return decoding;
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    const url = this.buffer && urlOfSound.get(this.buffer);
    const name = url === undefined ? "?" : cueName(url);
    nameOfSource.set(this, name);
    window.__mukiro.audio = this.context;
    events.push({ cue: name });
    return start.apply(this, args);
  };
  const stop = AudioBufferSourceNode.prototype.stop;
  AudioBufferSourceNode.prototype.stop = function (...args) {
    events.push({ stopped: nameOfSource.get(this) ?? "?" });
    return stop.apply(this, args);
  };
  const showModal = HTMLDialogElement.prototype.showModal;
  HTMLDialogElement.prototype.showModal = function (...args) {
    const result = showModal.apply(this, args);
    const now = document.getElementById("now");
    events.push({
      message: document.getElementById("messageText").textContent,
      caption: document.getElementById("messageCaption").textContent,
      picture: now && now.dataset.picture,
      busy: document.getElementById("client").getAttribute("aria-busy"),
    });
    return result;
  };
}

export const CUE_COUNT = 23;

// A new page of the game, the recorder in place. With `start` the start button is clicked,
// every cue awaited until decoded, and the opening cue awaited.
export async function openGame(context, url, { start = true } = {}) {
  const page = await context.newPage();
  await page.goto(url);
  await page.locator("#startButton").waitFor({ state: "visible" });
  if (start) {
    await page.click("#startButton");
    await allCuesDecoded(page);
    await waitForEvents(page, [{ cue: "iikaradani.wav" }]);
    await clearEvents(page);
  }
  return page;
}

// The page fetches and decodes every cue ahead of its use; waits until it has.
export async function allCuesDecoded(page) {
  await page
    .waitForFunction((count) => window.__mukiro.decoded >= count, CUE_COUNT, { timeout: 20_000 })
    .catch(async () => {
      const decoded = await page.evaluate(() => window.__mukiro.decoded);
      throw new Error(`only ${decoded} of ${CUE_COUNT} cues were fetched and decoded`);
    });
}

// Cues and Messages so far (stops left out unless asked for).
export async function events(page, { stops = false } = {}) {
  const all = await page.evaluate(() => window.__mukiro.events);
  return stops ? all : all.filter((event) => !("stopped" in event));
}

export function clearEvents(page) {
  return page.evaluate(() => {
    window.__mukiro.events.length = 0;
  });
}

// Waits until at least as many cues and Messages as `expected` were recorded, then holds the
// record (stops left out, Messages as { message, picture }) against it.
export async function waitForEvents(page, expected) {
  await page
    .waitForFunction(
      (count) => window.__mukiro.events.filter((event) => !("stopped" in event)).length >= count,
      expected.length,
      { timeout: 10_000 },
    )
    .catch(() => {});
  const seen = (await events(page)).map((event) => {
    if (!("message" in event)) {
      return event;
    }
    // The picture when the Message opened, and again just before it was closed.
    const picture =
      event.pictureAtClose === undefined || event.pictureAtClose === event.picture
        ? event.picture
        : `${event.picture}, then ${event.pictureAtClose}`;
    const seenMessage = { message: event.message, picture };
    if (event.busy !== "true" || event.caption !== "ムキロ・タフ") {
      Object.assign(seenMessage, { busy: event.busy, caption: event.caption });
    }
    return seenMessage;
  });
  assert.deepEqual(seen, expected);
}

export const cue = (name) => ({ cue: name });
export const message = (text, picture) => ({ message: text, picture });

const busyOrMessage = () =>
  document.getElementById("message").open ||
  document.getElementById("client").getAttribute("aria-busy") === "false";

// Clicks the control and closes every Message it shows with OK, until its handler is done.
export async function click(page, id) {
  await page.click(`#${id}`);
  await settle(page);
}

// Closes Messages with OK until no handler runs.
export async function settle(page) {
  for (;;) {
    await page.waitForFunction(busyOrMessage);
    const open = await page.evaluate(() => {
      if (!document.getElementById("message").open) {
        return false;
      }
      const shown = window.__mukiro.events.filter((event) => "message" in event).at(-1);
      if (shown) {
        shown.pictureAtClose = document.getElementById("now").dataset.picture;
      }
      return true;
    });
    if (!open) {
      return;
    }
    await page.click("#messageOk");
  }
}

// Clicks each control of the list in turn, `times` of each when given as [id, times].
export async function clicks(page, list) {
  for (const item of list) {
    const [id, times] = Array.isArray(item) ? item : [item, 1];
    for (let i = 0; i < times; i += 1) {
      await click(page, id);
    }
  }
}

const LABELS = ["mlevel", "hiroudo", "kinryoku", "sibou", "hiyake", "bihada", "kokoroiki"];
const BOXES = ["money", "pro", "cre", "clear", "comment", "Text1"];
const WARNED = ["hiroudo", "sibou", "hiyake", "bihada"];

// The window as the player sees it: every stat, box, the picture and the warning colours.
export function windowState(page) {
  return page.evaluate(
    ([labels, boxes, warned]) => {
      const $ = (id) => document.getElementById(id);
      const state = {};
      for (const id of labels) state[id] = $(id).textContent;
      for (const id of boxes) state[id] = $(id).value;
      state.picture = $("now").dataset.picture;
      state.ink = {};
      for (const id of warned) {
        const list = $(id).classList;
        state.ink[id] = list.contains("ink-red") ? "red" : list.contains("ink-black") ? "black" : "";
      }
      return state;
    },
    [LABELS, BOXES, WARNED],
  );
}

// What a restart leaves, with `sacrifices` shown and `wins` kept.
export function restarted(sacrifices, wins = 0) {
  return {
    mlevel: "1",
    hiroudo: "0",
    kinryoku: "0",
    sibou: "0",
    hiyake: "0",
    bihada: "0",
    kokoroiki: "0",
    money: "30000",
    pro: "20",
    cre: "3",
    clear: String(wins),
    comment: "いい体にしてくれよ",
    Text1: String(sacrifices),
    picture: "level1",
    ink: { hiroudo: "black", sibou: "black", hiyake: "black", bihada: "black" },
  };
}

// The page's errors so far (see the recorder).
export function pageErrors(page) {
  return page.evaluate(() => window.__mukiro.errors);
}

// When the page keeps itself for offline play, waits until its service worker serves it, so
// that what follows goes through the worker as a returning player's page does. Resolves to
// whether a worker serves the page.
export function servedByWorker(page) {
  return page.evaluate(async () => {
    if (!("serviceWorker" in navigator)) {
      return false;
    }
    const registration = await navigator.serviceWorker.getRegistration();
    if (!registration) {
      return false;
    }
    if (navigator.serviceWorker.controller === null) {
      await new Promise((resolve) => {
        navigator.serviceWorker.addEventListener("controllerchange", resolve, { once: true });
        setTimeout(resolve, 10_000); // a worker that never takes over: go on without it
      });
    }
    return navigator.serviceWorker.controller !== null;
  });
}
