// The explanation: "説明" (or F1) reads ムキロ・タフ.txt afresh from the page's folder as
// Shift_JIS and shows its lines, each followed by a line end; a click, Esc, Enter or Space
// hides it and gives the focus back. A missing, empty, too large or unreadable file gets its
// own Message instead, and the game goes on as it was.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync, rmSync, utimesSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import {
  EXPLANATION_FILE,
  clearEvents,
  clicks,
  cue,
  folderWithOwnExplanation,
  launch,
  message,
  openGame,
  repoRoot,
  serve,
  servedByWorker,
  settle,
  waitForEvents,
  windowState,
} from "./harness.mjs";

const realFile = readFileSync(join(repoRoot, "assets", "sounds", EXPLANATION_FILE));

let folder;
let server;
let browser;
let page;

// Each new file gets a modification time a second after the last one: the server's
// Last-Modified counts whole seconds, and a file changed within the same second would be
// answered "not modified".
let stamp = Math.floor(Date.now() / 1000) - 3600;
function putFile(bytes) {
  const path = join(folder.folder, EXPLANATION_FILE);
  writeFileSync(path, bytes);
  stamp += 1;
  utimesSync(path, stamp, stamp);
}

before(async () => {
  folder = folderWithOwnExplanation();
  putFile(realFile);
  server = await serve(folder.folder);
  browser = await launch();
  page = await openGame(await browser.newContext(), server.url);
  await servedByWorker(page);
  // Some play first, so that "unchanged" means more than the starting values.
  await clicks(page, ["toreining", "saron", "pojingu"]);
});

after(async () => {
  await browser?.close();
  await server?.close();
  folder?.remove();
});

const viewer = () => page.locator("#Text2");
const focused = () => page.evaluate(() => document.activeElement?.id);
// The viewer's lines; the box itself shows each line end as one LF.
const shownLines = () => viewer().inputValue();

// How the viewer should read `bytes`: lines end at CR LF or a lone CR, each shown with an end.
function expectedValue(bytes) {
  const text = new TextDecoder("shift_jis").decode(bytes);
  const lines = text.split(/\r\n|\r/);
  if (/(\r\n|\r)$/.test(text)) {
    lines.pop();
  }
  return lines.map((line) => `${line}\n`).join("");
}

test("the real explanation file: shown by F1 and by 説明, hidden by a click and keys, focus given back, game unchanged", async () => {
  const before = await windowState(page);
  const text = expectedValue(realFile);
  assert.ok(text.includes("ムキロ"), "the real file decodes as Japanese text");

  // F1 from a button, closed by a click: the focus goes back to that button.
  await page.focus("#saron");
  await clearEvents(page);
  await page.keyboard.press("F1");
  await viewer().waitFor({ state: "visible" });
  await waitForEvents(page, [cue("waka.wav")]);
  assert.equal(await shownLines(), text);
  assert.equal(await focused(), "Text2");
  await viewer().click();
  await viewer().waitFor({ state: "hidden" });
  assert.equal(await focused(), "saron");

  // 説明 twice in a row shows the text once; each closing key hides it.
  for (const key of ["Escape", "Enter", " "]) {
    await page.focus("#baito");
    await page.keyboard.press("F1");
    await viewer().waitFor({ state: "visible" });
    await page.click("#Setumei");
    await page.waitForFunction(() => document.getElementById("client").ariaBusy === "false");
    assert.equal(await shownLines(), text);
    await viewer().press(key);
    await viewer().waitFor({ state: "hidden" });
    assert.equal(await focused(), "baito", `focus back after ${JSON.stringify(key)}`);
  }
  assert.deepEqual(await windowState(page), before);
});

// Bytes of the file and what the viewer shows.
const files = [
  ["CR LF ends", "a\r\nb\r\nc\r\n", "a\nb\nc\n"],
  ["no end after the last line", "a\r\nb\r\nc", "a\nb\nc\n"],
  ["lone CR ends", "a\rb\rc", "a\nb\nc\n"],
  ["an empty last line", "a\r\n\r\n", "a\n\n"],
  ["one line end only", "\r\n", "\n"],
];

test("line ends and Shift_JIS: each line shown once, followed by its end", async (t) => {
  for (const [name, body, shown] of files) {
    await t.test(name, async () => {
      putFile(Buffer.from(body, "latin1"));
      await page.keyboard.press("F1");
      await viewer().waitFor({ state: "visible" });
      await page.waitForFunction(() => document.getElementById("client").ariaBusy === "false");
      assert.equal(await shownLines(), shown, "the file as it is now, read afresh");
      await viewer().press("Escape");
      await viewer().waitFor({ state: "hidden" });
    });
  }
  await t.test("one-byte characters at exactly 64 KiB are still shown", async () => {
    // The most characters a file within the limit can hold: every one of them reaches the game.
    const bytes = Buffer.alloc(65536, 0x61);
    for (let at = 127; at < bytes.length; at += 128) bytes.set([0x0d, 0x0a], at - 1);
    putFile(bytes);
    await page.keyboard.press("F1");
    await viewer().waitFor({ state: "visible" });
    assert.equal(await shownLines(), expectedValue(bytes));
    await viewer().press("Escape");
    await viewer().waitFor({ state: "hidden" });
  });
  await t.test("Shift_JIS text at exactly 64 KiB is still shown", async () => {
    // "説明\r\n" is 6 bytes in Shift_JIS: 0x90 0xE0 0x96 0xBE 0x0D 0x0A.
    const line = Buffer.from([0x90, 0xe0, 0x96, 0xbe, 0x0d, 0x0a]);
    const bytes = Buffer.alloc(65536, 0x61);
    for (let at = 0; at + line.length <= bytes.length; at += line.length) line.copy(bytes, at);
    putFile(bytes);
    await page.keyboard.press("F1");
    await viewer().waitFor({ state: "visible" });
    assert.equal(await shownLines(), expectedValue(bytes));
    assert.ok((await shownLines()).startsWith("説明\n説明\n"));
    await viewer().press("Escape");
    await viewer().waitFor({ state: "hidden" });
  });
});

const FILE = "説明ファイル「ムキロ・タフ.txt」";
const problems = [
  [
    "missing",
    () => rmSync(join(folder.folder, EXPLANATION_FILE), { force: true }),
    `${FILE}が見つかりません。`,
  ],
  ["empty", () => putFile(Buffer.alloc(0)), `${FILE}は空です。`],
  ["larger than 64 KiB", () => putFile(Buffer.alloc(65537, 0x61)), `${FILE}は大きすぎて表示できません。`],
  [
    "a server error",
    // The file is there, but the server fails to send it.
    () => {
      putFile(realFile);
      server.fail(EXPLANATION_FILE);
    },
    `${FILE}を読めませんでした。`,
  ],
];

test("a file that cannot be shown gets its Message; the game goes on as it was", async (t) => {
  for (const [name, prepare, text] of problems) {
    await t.test(name, async () => {
      await prepare();
      const before = await windowState(page);
      await page.focus("#eat");
      await clearEvents(page);
      await page.keyboard.press("F1");
      await page.waitForFunction(
        () => document.getElementById("message").open || !document.getElementById("Text2").hidden,
      );
      assert.equal(
        await viewer().isHidden(),
        true,
        `a Message, not the viewer showing ${JSON.stringify((await viewer().inputValue()).slice(0, 40))}`,
      );
      await page.click("#messageOk");
      await settle(page);
      await waitForEvents(page, [cue("waka.wav"), message(text, before.picture)]);
      assert.equal(await viewer().isHidden(), true);
      assert.deepEqual(await windowState(page), before);
      assert.equal(await focused(), "eat");
    });
  }
  server.fail();
  putFile(realFile);
  await page.click("#Setumei");
  await viewer().waitFor({ state: "visible" });
  assert.equal(await shownLines(), expectedValue(realFile), "the file is read afresh once it is back");
});
