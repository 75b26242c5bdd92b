// Takes the page's screenshots for the docs: the designed window at desktop width, and the
// narrow arrangement on two phones, each a few steps into a game.
// Usage: node scripts/web-screenshots.mjs URL OUTDIR   (the page served by scripts/serve-web)
import puppeteer from "../web/tests/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js";

const [url, out] = process.argv.slice(2);
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
const shots = [
  { file: "web-desktop.png", viewport: { width: 760, height: 580 }, ratio: 1, phone: false },
  { file: "web-phone-390x844.png", viewport: { width: 390, height: 844 }, ratio: 3, phone: true },
  { file: "web-phone-320x568.png", viewport: { width: 320, height: 568 }, ratio: 2, phone: true },
];
for (const shot of shots) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({
    ...shot.viewport,
    deviceScaleFactor: shot.ratio,
    hasTouch: shot.phone,
    isMobile: shot.phone,
  });
  await page.goto(url);
  await page.waitForSelector("#startButton", { visible: true });
  await page.click("#startButton");
  await page.waitForFunction(() => document.getElementById("start").hidden);
  for (const id of ["toreining", "eat", "saron"]) {
    await page.click(`#${id}`);
    await page.waitForFunction(() => document.getElementById("client").getAttribute("aria-busy") === "false");
  }
  await page.evaluate(() => document.activeElement.blur());
  await page.screenshot({ path: `${out}/${shot.file}` });
  await context.close();
}
await browser.close();
