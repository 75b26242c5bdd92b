// Games played by clicks in the browser, held against the game's rules: the four deaths, the
// way to the level-5 body and a won contest, the audition's failure, the refusals and the
// warning colours. The rules themselves are tested in C++; these prove the page plays them
// with the right Messages, pictures behind them, cues in order and window afterwards.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import {
  clearEvents,
  click,
  clicks,
  cue,
  launch,
  message,
  openGame,
  restarted,
  serve,
  waitForEvents,
  windowState,
} from "./harness.mjs";

let server;
let browser;
let context;

before(async () => {
  server = await serve();
  browser = await launch();
  context = await browser.newContext();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

const NEXT_LIFE = "来世はマッチョに生まれますように";

const deaths = [
  {
    name: "too thin: three trainings take body fat to -60",
    clicks: [["toreining", 3]],
    events: [
      cue("iiase.wav"),
      cue("iiase.wav"),
      cue("iiase.wav"),
      cue("yasesugi.wav"),
      message("痩せすぎだっつーの！", "level1"),
      cue("raiseha.wav"),
      message(NEXT_LIFE, "death"),
      cue("iikaradani.wav"),
    ],
  },
  {
    // Two meals first, so fatigue passes 50 (60) on the fourth training; the body fat of -50
    // would be too thin as well, but one judgement ends one life.
    name: "overwork: two meals, then four trainings take fatigue to 60",
    clicks: [
      ["eat", 2],
      ["toreining", 4],
    ],
    events: [
      cue("manpuku.wav"),
      cue("manpuku.wav"),
      cue("iiase.wav"),
      cue("iiase.wav"),
      cue("iiase.wav"),
      cue("iiase.wav"),
      cue("karousi.wav"),
      message("うあぁ！疲労が溜まりすぎだよ。死ぬよ。", "level1"),
      cue("raiseha.wav"),
      message(NEXT_LIFE, "death"),
      cue("iikaradani.wav"),
    ],
  },
  {
    name: "too fat: five meals take body fat to 75",
    clicks: [["eat", 5]],
    events: [
      ...Array(5).fill(cue("manpuku.wav")),
      cue("70%.wav"),
      message("ちょっちこんなん出たんですけど・・・", "tyotti"),
      cue("iikaradani.wav"),
    ],
  },
  {
    name: "skin cancer: ten tanning salon visits take tan to 100",
    clicks: [["saron", 10]],
    events: [
      ...Array(10).fill(cue("hiyake.wav")),
      cue("hihugan.wav"),
      message("日に焼け過ぎて皮膚ガンになっちゃった。死ぬよ。", "hifugan"),
      cue("raiseha.wav"),
      message(NEXT_LIFE, "death"),
      cue("iikaradani.wav"),
    ],
  },
];

test("each death shows its Messages over its pictures, sounds its cues and restarts the game", async (t) => {
  const page = await openGame(context, server.url);
  // One life after another in the same window: each death counts one more sacrifice.
  for (const [index, death] of deaths.entries()) {
    await t.test(death.name, async () => {
      await clearEvents(page);
      await clicks(page, death.clicks);
      await waitForEvents(page, death.events);
      assert.deepEqual(await windowState(page), restarted(index + 1));
    });
  }
  await page.close();
});

test("the warning colours: fatigue red from 35, body fat red from 55, black again", async () => {
  const page = await openGame(context, server.url);
  const ink = async () => (await windowState(page)).ink;
  await click(page, "Command1"); // every warning colour black
  const steps = [
    // [control, fatigue, body fat, fatigue colour, body-fat colour]
    ["pojingu", "10", "0", "black", "black"],
    ["pojingu", "20", "0", "black", "black"],
    ["toreining", "35", "-20", "red", "black"],
    ["baito", "50", "-20", "red", "black"],
    ["eat", "40", "-5", "red", "black"],
    ["eat", "30", "10", "black", "black"],
    ["eat", "20", "25", "black", "black"],
    ["eat", "10", "40", "black", "black"],
    ["eat", "0", "55", "black", "red"],
    ["pojingu", "10", "55", "black", "red"],
    ["toreining", "25", "35", "black", "black"],
  ];
  for (const [id, fatigue, fat, fatigueInk, fatInk] of steps) {
    await click(page, id);
    const state = await windowState(page);
    assert.deepEqual(
      [id, state.hiroudo, state.sibou, state.ink.hiroudo, state.ink.sibou],
      [id, fatigue, fat, fatigueInk, fatInk],
    );
  }
  // The start and reset button: a sacrifice, and every warning colour black again.
  await click(page, "toreining"); // fatigue 40, red
  assert.equal((await ink()).hiroudo, "red");
  await click(page, "Command1");
  assert.deepEqual(await windowState(page), restarted(2));
  await page.close();
});

test("an audition at the very start fails and costs 10 spirit each time", async () => {
  const page = await openGame(context, server.url);
  const before = await windowState(page);
  assert.equal(before.picture, "start");
  await click(page, "Command5");
  await waitForEvents(page, [
    cue("dokidoki.wav"),
    message("オーディションに応募したぞ｡結果はどうかな､ドキドキ", "start"),
    cue("hugoukaku.wav"),
    message("だめだったよ。残念だな。", "hugoukaku"),
  ]);
  assert.deepEqual(await windowState(page), { ...before, kokoroiki: "-10", picture: "hugoukaku" });
  await click(page, "Command5");
  assert.deepEqual(await windowState(page), { ...before, kokoroiki: "-20", picture: "hugoukaku" });
  await page.close();
});

test("a whole game: level 5 asked to slim down, the level-5 body, empty stocks, no money, a won contest", async (t) => {
  const page = await openGame(context, server.url);
  const state = () => windowState(page);
  const levelUp = (picture) => message("レベルアップ！！", picture);

  await t.test("the start and reset button counts a sacrifice", async () => {
    await click(page, "Command1");
    await waitForEvents(page, [cue("iikaradani.wav")]);
    assert.deepEqual(await state(), restarted(1));
  });

  await t.test(
    "three creams and ten proteins raise the level to 4, then to 5 while body fat is 60",
    async () => {
      await clearEvents(page);
      // Cream 99 muscle and 50 fatigue; four meals 60 body fat; proteins 10 muscle each and
      // bring fatigue back to 0 before the next cream.
      await clicks(page, [
        "kuream",
        ["eat", 4],
        "purotein", // muscle 109: level 2
        "kuream",
        ["purotein", 5], // muscle 208: level 3
        "kuream",
        ["purotein", 5], // muscle 357: level 4; 407: level 5, body fat 60
      ]);
      await waitForEvents(page, [
        cue("saibou.wav"),
        ...Array(4).fill(cue("manpuku.wav")),
        cue("purotein.wav"),
        levelUp("level2"),
        cue("saibou.wav"),
        levelUp("level3"),
        ...Array(5).fill(cue("purotein.wav")),
        cue("saibou.wav"),
        levelUp("level4"),
        ...Array(5).fill(cue("purotein.wav")),
        cue("motto.wav"),
        message("もっと絞ってくれよ！！", "level4"),
      ]);
      const now = await state();
      assert.deepEqual(
        [now.mlevel, now.kinryoku, now.hiroudo, now.sibou, now.picture, now.pro, now.cre],
        ["5", "407", "0", "60", "level4", "9", "0"],
      );
      assert.equal(now.ink.sibou, "red");
    },
  );

  await t.test("training body fat down to exactly 0 gives the level-5 body with both cues", async () => {
    await clearEvents(page);
    await clicks(page, [["toreining", 2]]); // body fat 40, 20: the level-4 body stays on show
    assert.equal((await state()).picture, "level4");
    await click(page, "toreining"); // body fat 0
    await waitForEvents(page, [
      cue("iiase.wav"),
      cue("iiase.wav"),
      cue("iiase.wav"),
      cue("clear.wav"),
      cue("wave\\鉄砲１.wav"),
      message("わーい。マッチョになれたぞありがとう！！", "level5"),
    ]);
    // The second cue stops the first at once, nothing between them.
    const all = await page.evaluate(() => window.__mukiro.events);
    const at = all.findIndex((event) => event.cue === "clear.wav");
    assert.deepEqual(all.slice(at, at + 3), [
      { cue: "clear.wav" },
      { stopped: "clear.wav" },
      { cue: "wave\\鉄砲１.wav" },
    ]);
    const now = await state();
    assert.deepEqual(
      [now.mlevel, now.kinryoku, now.hiroudo, now.sibou, now.picture, now.comment],
      ["5", "467", "45", "0", "level5", "後はオーディションに合格するだけだな"],
    );
  });

  await t.test("an empty stock refuses and changes nothing", async () => {
    await clicks(page, [["purotein", 9]]); // the last nine proteins: fatigue 0, muscle 557
    for (const [id, text] of [
      ["kuream", "マッチョクリ－ムはもうありません"],
      ["purotein", "プロテインはもうありません"],
    ]) {
      const before = await state();
      assert.equal(before[id === "kuream" ? "cre" : "pro"], "0");
      await clearEvents(page);
      await click(page, id);
      await waitForEvents(page, [message(text, "level5")]);
      assert.deepEqual(await state(), before);
    }
  });

  await t.test(
    "posing and salons bring the audition's hint; spending the last yen refuses more",
    async () => {
      // Fatigue 0 + 5 x 10 = 50 lives. Eight beauty salons (skin 80), then six tanning salons
      // (tan 60, skin 50) spend 28000 yen to 0.
      await clicks(page, [
        ["pojingu", 5],
        ["esute", 8],
        ["saron", 6],
      ]);
      const ready = await state();
      assert.deepEqual(
        [ready.hiroudo, ready.kokoroiki, ready.hiyake, ready.bihada, ready.money, ready.picture],
        ["50", "50", "60", "50", "0", "level5"],
      );
      assert.equal(ready.comment, "よし、これならオーディションも大丈夫だ！！");
      for (const id of ["eat", "saron", "esute"]) {
        await clearEvents(page);
        await click(page, id);
        await waitForEvents(page, [message("お金が足りません", "level5")]);
        assert.deepEqual(await state(), ready, `${id} with no money`);
      }
    },
  );

  await t.test("the audition passes: one more winner, no sacrifice, a fresh man", async () => {
    await clearEvents(page);
    await click(page, "Command5");
    await waitForEvents(page, [
      cue("dokidoki.wav"),
      message("オーディションに応募したぞ｡結果はどうかな､ドキドキ", "level5"),
      cue("goukaku.wav"),
      message("合格だ！合格だよアニキ！あにきぃー！！", "goukaku"),
      cue("congra.wav"),
      message("おめでとう。マッチョコンテスト優勝だ！", "goukaku"),
      cue("iikaradani.wav"),
    ]);
    assert.deepEqual(await state(), restarted(1, 1));
  });
  await page.close();
});
