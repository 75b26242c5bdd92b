// The three engines the page is tested in, behind one small interface that the test files
// use alone: Chromium and Firefox ESR driven by puppeteer-core (the DevTools protocol and
// WebDriver BiDi), WebKitGTK's MiniBrowser driven through WebKitWebDriver by
// selenium-webdriver. MUKIRO_BROWSER picks the engine (chromium, firefox or webkit).
//
// A browser has contexts (a player's own profile: storage, service workers) and a context has
// pages. Each engine takes real input through its own protocol; where an engine cannot give
// an input, `lacks(...)` says so and the test skips that case for that engine alone.
import { execFileSync, spawn } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync, mkdirSync } from "node:fs";
import { createServer } from "node:net";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";
import { Builder } from "selenium-webdriver";

export const ENGINE = process.env.MUKIRO_BROWSER || "chromium";

const ENGINES = {
  chromium: { name: "Chromium", program: "/usr/bin/chromium", package: "chromium" },
  firefox: { name: "Firefox ESR", program: "/usr/bin/firefox-esr", package: "firefox-esr" },
  webkit: {
    name: "WebKitGTK",
    program: "/usr/bin/WebKitWebDriver",
    package: "webkit2gtk-driver",
    miniBrowser: "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser",
  },
};
if (!(ENGINE in ENGINES)) {
  throw new Error(`MUKIRO_BROWSER=${ENGINE}: not one of ${Object.keys(ENGINES).join(", ")}`);
}
export const ENGINE_NAME = ENGINES[ENGINE].name;

// What each engine cannot do, in the words a skipped case reports.
const LIMITS = {
  chromium: {},
  firefox: {
    wholePixels: "Firefox reports pointer positions in whole CSS pixels",
    mobileViewport: "Firefox has no phone emulation (the meta viewport, a coarse pointer)",
  },
  webkit: {
    touch: "WebKitGTK's WebDriver has no touch input",
    wholePixels: "WebKitGTK's WebDriver moves the pointer in whole CSS pixels",
    mobileViewport: "WebKitGTK has no phone emulation (the meta viewport, a coarse pointer)",
    fractionalRatio: "WebKitGTK scales its window by whole factors only",
  },
};

// False when the engine can do every one of `abilities`; else why not, for a skip.
export function lacks(...abilities) {
  const reasons = abilities.map((ability) => LIMITS[ENGINE][ability]).filter(Boolean);
  return reasons.length === 0 ? false : `${ENGINE_NAME}: ${reasons.join("; ")}`;
}

const DEFAULT_VIEWPORT = { width: 1280, height: 720 };
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// Firefox and WebKit sound through the desktop's sound server, and keep a page's audio
// suspended without one: each browser gets a private server with a silent sink (Chromium's
// headless mode has an output of its own).
const PULSE_SERVER_SCRIPT = join(
  dirname(fileURLToPath(import.meta.url)),
  "..",
  "..",
  "tests",
  "sound",
  "pulse-server.sh",
);

async function startSoundServer() {
  const dir = mkdtempSync(join(tmpdir(), "mukiro-pulse-"));
  await new Promise((resolve, reject) => {
    const start = spawn(PULSE_SERVER_SCRIPT, ["start", dir], { stdio: ["ignore", "ignore", "inherit"] });
    start.once("error", reject);
    start.once("exit", (code) =>
      code === 0
        ? resolve()
        : reject(new Error(`no sound server for ${ENGINE_NAME} (Debian package pulseaudio)`)),
    );
  });
  return {
    env: { PULSE_SERVER: `unix:${dir}/native` },
    stop: async () => {
      await new Promise((resolve) =>
        spawn(PULSE_SERVER_SCRIPT, ["stop", dir], { stdio: "ignore" }).once("exit", resolve),
      );
      rmSync(dir, { recursive: true, force: true });
    },
  };
}

export async function launch() {
  if (ENGINE === "webkit") {
    return WebKitBrowser.launch(await startSoundServer());
  }
  if (ENGINE === "firefox") {
    const sound = await startSoundServer();
    const browser = await launchPuppeteer(sound.env);
    return new PuppeteerBrowser(browser, sound);
  }
  return new PuppeteerBrowser(await launchPuppeteer({}));
}

async function launchPuppeteer(env) {
  const common = ["--no-sandbox", "--disable-gpu"];
  const browser =
    ENGINE === "chromium"
      ? await puppeteer.launch({
          executablePath: ENGINES.chromium.program,
          headless: true,
          args: [
            ...common,
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--no-first-run",
            "--autoplay-policy=user-gesture-required",
          ],
        })
      : await puppeteer.launch({
          browser: "firefox",
          executablePath: ENGINES.firefox.program,
          headless: true,
          env: { ...process.env, ...env },
          extraPrefsFirefox: {
            // A closed network: nothing of Mozilla's own is asked for.
            "network.captive-portal-service.enabled": false,
            "app.update.disabledForTesting": true,
            "browser.safebrowsing.malware.enabled": false,
            "browser.safebrowsing.phishing.enabled": false,
            // Touch events as a phone's browser has them, for taps through WebDriver BiDi.
            "dom.w3c_touch_events.enabled": 1,
          },
        });
  return browser;
}

// ---- Common to every engine: a page is driven through `evaluate` and a few input calls ----

class Page {
  constructor(context) {
    this.owner = context;
    this.keyboard = {
      press: (key) => this.pressKey(key),
      down: (key) => this.keyDown(key),
      up: (key) => this.keyUp(key),
    };
    this.mouse = {
      move: (x, y) => this.mouseMove(x, y),
      down: (options = {}) => this.mouseDown(options.button ?? "left"),
      up: (options = {}) => this.mouseUp(options.button ?? "left"),
      click: async (x, y, options = {}) => {
        await this.mouseMove(x, y);
        await this.mouseDown(options.button ?? "left");
        await this.mouseUp(options.button ?? "left");
      },
    };
    this.touchscreen = { tap: (x, y) => this.touchTap(x, y) };
  }

  context() {
    return this.owner;
  }

  // Asks the page until `fn(arg)` answers truly (promises awaited); a navigation meanwhile is
  // waited out. Resolves to the answer.
  async waitForFunction(fn, arg, { timeout = 30_000 } = {}) {
    const deadline = Date.now() + timeout;
    let lastError;
    for (;;) {
      try {
        const answer = await this.evaluate(fn, arg);
        if (answer) {
          return answer;
        }
      } catch (error) {
        lastError = error;
      }
      if (Date.now() > deadline) {
        const why = lastError ? ` (last: ${lastError.message})` : "";
        throw new Error(`timed out after ${timeout} ms waiting for ${fn}${why}`);
      }
      await sleep(25);
    }
  }

  locator(selector) {
    return new Locator(this, selector);
  }

  // Clicks the element once a player could: shown, enabled, and not covered at its middle.
  async click(selector) {
    await this.waitForFunction(
      (css) => {
        const element = document.querySelector(css);
        if (!element || element.disabled) return false;
        const box = element.getBoundingClientRect();
        if (box.width === 0 || box.height === 0 || getComputedStyle(element).visibility === "hidden")
          return false;
        const x = box.left + box.width / 2;
        const y = box.top + box.height / 2;
        if (x < 0 || y < 0 || x >= innerWidth || y >= innerHeight) {
          element.scrollIntoView({ block: "center", inline: "center" });
          return false;
        }
        const top = document.elementFromPoint(x, y);
        return top !== null && (top === element || element.contains(top));
      },
      selector,
      { timeout: 10_000 },
    ).catch(() => {
      throw new Error(`${selector} could not be clicked: missing, disabled, hidden or covered`);
    });
    await this.clickElement(selector);
  }

  async tap(selector) {
    const box = await this.locator(selector).boundingBox({ scroll: true });
    await this.touchTap(box.x + box.width / 2, box.y + box.height / 2);
  }

  focus(selector) {
    return this.evaluate((css) => document.querySelector(css).focus(), selector);
  }

  getAttribute(selector, name) {
    return this.evaluate(
      ([css, attribute]) => document.querySelector(css).getAttribute(attribute),
      [selector, name],
    );
  }

  // Runs a script file in the page, as a script of the page's own would run.
  addScript(path) {
    return this.evaluateSource(readFileSync(path, "utf8"));
  }

  async pressKey(key) {
    const parts = key === "+" ? ["+"] : key.split("+");
    const main = parts.pop();
    for (const modifier of parts) await this.keyDown(modifier);
    await this.keyDown(main);
    await this.keyUp(main);
    for (const modifier of parts.reverse()) await this.keyUp(modifier);
  }
}

class Locator {
  constructor(page, selector) {
    this.page = page;
    this.selector = selector;
  }

  // Visible as a player sees it: laid out with a size, not hidden by its style.
  isVisible() {
    return this.page.evaluate((css) => {
      const element = document.querySelector(css);
      if (!element) return false;
      const box = element.getBoundingClientRect();
      return box.width > 0 && box.height > 0 && getComputedStyle(element).visibility !== "hidden";
    }, this.selector);
  }

  async isHidden() {
    return !(await this.isVisible());
  }

  async waitFor({ state = "visible", timeout = 30_000 } = {}) {
    const want = state === "visible";
    await this.page
      .waitForFunction(
        ([css, visible]) => {
          const element = document.querySelector(css);
          const box = element?.getBoundingClientRect();
          const shown =
            !!element && box.width > 0 && box.height > 0 && getComputedStyle(element).visibility !== "hidden";
          return shown === visible;
        },
        [this.selector, want],
        { timeout },
      )
      .catch(() => {
        throw new Error(`${this.selector} did not become ${state} within ${timeout} ms`);
      });
  }

  // The element's box in the viewport's CSS pixels; with `scroll`, scrolled into view first.
  boundingBox({ scroll = false } = {}) {
    return this.page.evaluate(
      ([css, into]) => {
        const element = document.querySelector(css);
        if (into) element.scrollIntoView({ block: "nearest", inline: "nearest" });
        const box = element.getBoundingClientRect();
        return { x: box.x, y: box.y, width: box.width, height: box.height };
      },
      [this.selector, scroll],
    );
  }

  textContent() {
    return this.page.evaluate((css) => document.querySelector(css).textContent, this.selector);
  }

  innerText() {
    return this.page.evaluate((css) => document.querySelector(css).innerText, this.selector);
  }

  inputValue() {
    return this.page.evaluate((css) => document.querySelector(css).value, this.selector);
  }

  click() {
    return this.page.click(this.selector);
  }

  async press(key) {
    await this.page.focus(this.selector);
    await this.page.pressKey(key);
  }
}

// ---- Chromium and Firefox: puppeteer-core ----

class PuppeteerBrowser {
  constructor(browser, sound = null) {
    this.browser = browser;
    this.sound = sound;
  }

  async newContext(options = {}) {
    return new PuppeteerContext(await this.browser.createBrowserContext(), options);
  }

  async close() {
    await this.browser.close();
    await this.sound?.stop();
  }
}

class PuppeteerContext {
  constructor(context, options) {
    this.context = context;
    this.options = options;
  }

  async newPage() {
    const page = await this.context.newPage();
    const {
      viewport = DEFAULT_VIEWPORT,
      deviceScaleFactor = 1,
      hasTouch = false,
      isMobile = false,
    } = this.options;
    const wrapped = new PuppeteerPage(this, page);
    await wrapped.setViewport({ ...viewport, deviceScaleFactor, hasTouch, isMobile });
    return wrapped;
  }

  close() {
    return this.context.close();
  }
}

const PUPPETEER_KEYS = { Space: " " };

class PuppeteerPage extends Page {
  constructor(context, page) {
    super(context);
    this.page = page;
  }

  async setViewport(viewport) {
    this.viewport = viewport;
    // Firefox takes the size and the ratio; the phone's own emulation is Chromium's alone.
    const { isMobile, hasTouch, ...plain } = viewport;
    await this.page.setViewport(ENGINE === "chromium" ? viewport : plain);
  }

  setViewportSize({ width, height }) {
    return this.setViewport({ ...this.viewport, width, height });
  }

  async goto(url) {
    await this.page.goto(url);
  }

  async reload() {
    await this.page.reload();
  }

  close() {
    return this.page.close();
  }

  evaluate(fn, arg) {
    return this.page.evaluate(fn, arg);
  }

  evaluateSource(source) {
    return this.page.evaluate(source);
  }

  clickElement(selector) {
    return this.page.click(selector);
  }

  keyDown(key) {
    return this.page.keyboard.down(PUPPETEER_KEYS[key] ?? key);
  }

  keyUp(key) {
    return this.page.keyboard.up(PUPPETEER_KEYS[key] ?? key);
  }

  mouseMove(x, y) {
    return this.page.mouse.move(x, y);
  }

  mouseDown(button) {
    return this.page.mouse.down({ button });
  }

  mouseUp(button) {
    return this.page.mouse.up({ button });
  }

  async touchTap(x, y) {
    if (ENGINE === "chromium") {
      // Straight through the DevTools protocol, which keeps the fraction of a point; the
      // browser then makes its own compatibility mouse events.
      this.cdp ??= await this.page.createCDPSession();
      await this.cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x, y }] });
      await this.cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    } else {
      await this.page.touchscreen.tap(x, y);
    }
  }

  async screenshot() {
    return Buffer.from(await this.page.screenshot({ type: "png" }));
  }
}

// ---- WebKitGTK: MiniBrowser under WebKitWebDriver, on a private X server ----

// MiniBrowser's own bars and their minimum width gone: the window is the viewport.
const BARE_GTK =
  "* { min-width: 0; min-height: 0; padding: 0; margin: 0; border-width: 0; font-size: 1px; }\n";

function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.once("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Starts an X server of its own and resolves to its display name.
function startXvfb() {
  return new Promise((resolve, reject) => {
    const xvfb = spawn("Xvfb", ["-displayfd", "1", "-screen", "0", "4000x3000x24", "-nolisten", "tcp"], {
      stdio: ["ignore", "pipe", "ignore"],
    });
    let out = "";
    xvfb.once("error", (error) => reject(new Error(`Xvfb (Debian package xvfb): ${error.message}`)));
    xvfb.once("exit", (code) => reject(new Error(`Xvfb ended (${code}) before it was ready`)));
    xvfb.stdout.setEncoding("utf8");
    xvfb.stdout.on("data", (chunk) => {
      out += chunk;
      if (out.includes("\n")) {
        xvfb.removeAllListeners("exit");
        resolve({ display: `:${out.trim()}`, process: xvfb });
      }
    });
  });
}

class WebKitBrowser {
  static async launch(sound) {
    const browser = new WebKitBrowser();
    browser.sound = sound;
    browser.x = await startXvfb();
    browser.home = mkdtempSync(join(tmpdir(), "mukiro-webkit-"));
    mkdirSync(join(browser.home, "gtk-3.0"));
    writeFileSync(join(browser.home, "gtk-3.0", "gtk.css"), BARE_GTK);
    browser.contexts = new Set();
    return browser;
  }

  async newContext(options = {}) {
    const context = await WebKitContext.start(this, options);
    this.contexts.add(context);
    return context;
  }

  async close() {
    for (const context of this.contexts) await context.close();
    this.x.process.kill("SIGTERM");
    rmSync(this.home, { recursive: true, force: true });
    await this.sound.stop();
  }
}

// One MiniBrowser (and its driver) a context: its own storage, its own screen scale.
class WebKitContext {
  static async start(browser, options) {
    const context = new WebKitContext();
    context.browser = browser;
    context.options = options;
    const ratio = options.deviceScaleFactor ?? 1;
    if (!Number.isInteger(ratio)) {
      throw new Error(lacks("fractionalRatio"));
    }
    const port = await freePort();
    context.driverProcess = spawn(ENGINES.webkit.program, [`--port=${port}`, "--host=127.0.0.1"], {
      stdio: "ignore",
      env: {
        ...process.env,
        DISPLAY: browser.x.display,
        GDK_SCALE: String(ratio),
        GDK_BACKEND: "x11",
        XDG_CONFIG_HOME: browser.home,
        ...browser.sound.env,
      },
    });
    try {
      await context.connect(port);
    } catch (error) {
      context.driverProcess.kill("SIGTERM");
      throw error;
    }
    return context;
  }

  async connect(port) {
    const server = `http://127.0.0.1:${port}`;
    const deadline = Date.now() + 20_000;
    for (;;) {
      try {
        if ((await fetch(`${server}/status`)).ok) break;
      } catch {
        // not listening yet
      }
      if (Date.now() > deadline) throw new Error("WebKitWebDriver did not start");
      await sleep(50);
    }
    this.driver = await new Builder()
      .usingServer(server)
      .withCapabilities({
        browserName: "MiniBrowser",
        "webkitgtk:browserOptions": {
          binary: ENGINES.webkit.miniBrowser,
          args: ["--automation", "--full-screen"],
        },
      })
      .build();
    this.current = await this.driver.getWindowHandle();
    this.spareWindow = this.current;
    this.pages = new Set();
  }

  async newPage() {
    let handle;
    if (this.spareWindow) {
      handle = this.spareWindow;
      this.spareWindow = null;
    } else {
      handle =
        (await this.driver.switchTo().newWindow("window")).handle ?? (await this.driver.getWindowHandle());
    }
    const page = new WebKitPage(this, handle);
    this.pages.add(page);
    await page.setViewportSize(this.options.viewport ?? DEFAULT_VIEWPORT);
    return page;
  }

  async use(handle) {
    if (this.current !== handle) {
      await this.driver.switchTo().window(handle);
      this.current = handle;
    }
  }

  async closePage(page) {
    this.pages.delete(page);
    await this.use(page.handle);
    if (this.pages.size === 0) {
      // The last window stays, blank, for the next page: closing it would end the session.
      await this.driver.get("about:blank");
      this.spareWindow = page.handle;
    } else {
      await this.driver.close();
      this.current = null;
    }
  }

  async close() {
    if (!this.driver) return;
    this.browser.contexts.delete(this);
    await this.driver.quit().catch(() => {});
    this.driver = null;
    this.driverProcess.kill("SIGTERM");
  }
}

// WebDriver's key values for the keys the tests press.
const WEBDRIVER_KEYS = {
  Enter: "\uE007",
  Escape: "\uE00C",
  Tab: "\uE004",
  Shift: "\uE008",
  Control: "\uE009",
  Alt: "\uE00A",
  Space: " ",
  F1: "\uE031",
  ArrowLeft: "\uE012",
  ArrowUp: "\uE013",
  ArrowRight: "\uE014",
  ArrowDown: "\uE015",
};
const WEBDRIVER_BUTTONS = { left: 0, middle: 1, right: 2 };
// WebKit's WebDriver releases the right and middle buttons as the left one (and a later press
// never starts): those buttons, and the modifiers held with them, go in as real X input.
const X_BUTTONS = { middle: "2", right: "3" };
const X_MODIFIERS = { Shift: "shift", Control: "ctrl", Alt: "alt" };

class WebKitPage extends Page {
  constructor(context, handle) {
    super(context);
    this.handle = handle;
    this.pointer = { x: 0, y: 0 };
  }

  async driver() {
    await this.owner.use(this.handle);
    return this.owner.driver;
  }

  async setViewportSize({ width, height }) {
    await (await this.driver()).manage().window().setRect({ width, height });
  }

  async goto(url) {
    await (await this.driver()).get(url);
  }

  async reload() {
    await (await this.driver()).navigate().refresh();
  }

  close() {
    return this.owner.closePage(this);
  }

  // The function runs in the page with its one argument; its answer (awaited) comes back as
  // JSON, and a throw comes back as an error here.
  async evaluate(fn, arg) {
    const driver = await this.driver();
    const script = `const done = arguments[arguments.length - 1];
      Promise.resolve().then(() => (${fn.toString()})(arguments[0])).then(
        (value) => done({ value: value === undefined ? null : value }),
        (error) => done({ error: String(error && error.stack || error) }));`;
    const answer = await driver.executeAsyncScript(script, arg === undefined ? null : arg);
    if (answer && "error" in answer) {
      throw new Error(`in the page: ${answer.error}`);
    }
    return answer?.value ?? (answer?.value === null ? null : undefined);
  }

  async evaluateSource(source) {
    await (await this.driver()).executeScript(source);
  }

  async clickElement(selector) {
    const driver = await this.driver();
    const { By } = await import("selenium-webdriver");
    await driver.findElement(By.css(selector)).click();
  }

  // A key with its modifiers in one sequence: WebKit forgets a modifier held from an earlier
  // one.
  async pressKey(key) {
    const parts = key === "+" ? ["+"] : key.split("+");
    const values = parts.map((part) => WEBDRIVER_KEYS[part] ?? part);
    let actions = (await this.driver()).actions({ async: true });
    for (const value of values) actions = actions.keyDown(value);
    for (const value of values.reverse()) actions = actions.keyUp(value);
    await actions.perform();
  }

  async keyDown(key) {
    const driver = await this.driver();
    await driver
      .actions({ async: true })
      .keyDown(WEBDRIVER_KEYS[key] ?? key)
      .perform();
    if (key in X_MODIFIERS) this.xInput("keydown", X_MODIFIERS[key]);
  }

  async keyUp(key) {
    const driver = await this.driver();
    await driver
      .actions({ async: true })
      .keyUp(WEBDRIVER_KEYS[key] ?? key)
      .perform();
    if (key in X_MODIFIERS) this.xInput("keyup", X_MODIFIERS[key]);
  }

  async mouseMove(x, y) {
    const driver = await this.driver();
    this.pointer = { x: Math.round(x), y: Math.round(y) };
    await driver
      .actions({ async: true })
      .move({ ...this.pointer, origin: "viewport" })
      .perform();
  }

  async mouseDown(button) {
    if (button in X_BUTTONS) {
      this.xPress("mousedown", button);
      return;
    }
    const driver = await this.driver();
    await driver.actions({ async: true }).press(WEBDRIVER_BUTTONS[button]).perform();
  }

  async mouseUp(button) {
    if (button in X_BUTTONS) {
      this.xPress("mouseup", button);
      return;
    }
    const driver = await this.driver();
    await driver.actions({ async: true }).release(WEBDRIVER_BUTTONS[button]).perform();
  }

  // The window fills the X screen from its top-left corner (no window manager, no bars), so a
  // CSS pixel of the page is `ratio` pixels of the screen from its origin.
  xPress(what, button) {
    const ratio = this.owner.options.deviceScaleFactor ?? 1;
    const at = [this.pointer.x * ratio, this.pointer.y * ratio].map((value) => String(Math.round(value)));
    // xdotool's --sync waits for a motion, which a move to where the pointer is never brings.
    const move = at.join() === this.xPointer ? [] : ["mousemove", "--sync", ...at];
    this.xPointer = at.join();
    this.xInput(...move, what, X_BUTTONS[button]);
  }

  xInput(...args) {
    execFileSync("xdotool", args, { env: { ...process.env, DISPLAY: this.owner.browser.x.display } });
  }

  touchTap() {
    throw new Error(lacks("touch"));
  }

  async screenshot() {
    return Buffer.from(await (await this.driver()).takeScreenshot(), "base64");
  }
}
