#!/usr/bin/python3
"""Reads the running game over AT-SPI as a screen reader does and checks what a listener hears.

Usage: walk-tree.py GAME_PROGRAM STDERR_FILE (run by screen-reader-tree.sh, on the
accessibility bus it starts). The game is started here, once this script listens for changes:
an application learns which events anyone listens for when it joins the bus, and a listener
that registers later may be told to it only after the first changes have gone unsent.
Every wait is for a condition, bounded, so a loaded machine only makes it slower.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TITLE = "ムキロ・タフ ver2.0"
STATUS = ["マッチョレベル 1", "疲労度 0", "筋力 0", "体脂肪率 0%", "日焼け度 0", "美肌度 0", "心意気 0"]
# Each text box, as its label or its own name calls it, and the value it opens with.
BOXES = {
    "青年のセリフ": "いい体にしてくれよ。",
    "所持金": "30000",
    "プロテイン 残り": "20",
    "マッチョクリーム 残り": "3",
    "クリアした人": "0",
    "犠牲": "0",
}
APPLIED = "オーディションに応募したぞ｡結果はどうかな､ドキドキ"
FAILED = "だめだったよ。残念だな。"

failures = []
# (what changed, the new text) for every name or description change the game announced.
announced = []


def listen(event):
    kind = "name" if event.type.endswith("accessible-name") else "description"
    try:
        announced.append((kind, event.source.name if kind == "name" else event.source.description))
    except Exception:  # an object gone before we asked
        pass


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def wait_for(condition, what, seconds=60):
    """Polls `condition` until it gives something true; fails the run when it never does."""
    deadline = time.monotonic() + seconds
    while True:
        # Lets the events that came in meanwhile reach listen().
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            result = condition()
        except Exception:  # the tree changes under us while a window opens or closes
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            print("FAIL: timed out waiting for", what, file=sys.stderr)
            for line in failures:
                print("  earlier:", line, file=sys.stderr)
            sys.exit(1)
        time.sleep(0.1)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "Toggle", "Click"):
            action.doAction(i)
            return
    raise AssertionError(f"{node.name} has no press action")


def the_game(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def main_window(app):
    for window in app:
        if window is not None and window.name == TITLE:
            # Only once its controls are in: the status panel is among the last built.
            if any(node.name == "ステータス" for node in walk(window)):
                return window
    return None


def alert_saying(app, words):
    for window in app:
        if window is not None and window.getRole() == pyatspi.ROLE_ALERT:
            if any(node.name == words for node in walk(window)):
                return window
    return None


def named(window, role, name):
    for node in walk(window):
        if node.getRole() == role and node.name == name:
            return node
    return None


def status_names(window):
    panel = named(window, pyatspi.ROLE_PANEL, "ステータス")
    return [child.name for child in panel]


def images(window):
    return [(n.name, n.description) for n in walk(window) if n.getRole() == pyatspi.ROLE_IMAGE]


# What the poke keys do, said after what the picture shows.
POKE_KEYS = "矢印キーでねらいを動かし、スペースかEnterでつつきます"


def body_description(window):
    return named(window, pyatspi.ROLE_IMAGE, "体").description


def walk_the_game(pid):
    app = wait_for(lambda: the_game(pid), "the game on the accessibility bus")
    window = wait_for(lambda: main_window(app), "the game window with its status panel")

    # Every text box is named by what it counts, and says its value.
    boxes = {n.name: n for n in walk(window) if n.getRole() == pyatspi.ROLE_TEXT and showing(n)}
    for name, value in BOXES.items():
        check(name in boxes, f"no text box named {name!r}; named boxes: {sorted(boxes)}")
        if name in boxes:
            check(text_of(boxes[name]) == value, f"{name} reads {text_of(boxes[name])!r}")
    check("" not in boxes, "a text box without a name")

    # The status panel reads top to bottom, each value with its caption.
    check(status_names(window) == STATUS, f"status panel reads {status_names(window)}")

    # One image, the man, described with the keys that poke him; the hidden picture holders
    # are nowhere.
    check(images(window) == [("体", "レベル1の体。" + POKE_KEYS)], f"images: {images(window)}")

    # A handler's changes are announced, each value with its caption.
    press(named(window, pyatspi.ROLE_PUSH_BUTTON, "トレーニング"))
    for change in [("name", "疲労度 15"), ("name", "筋力 20"), ("name", "体脂肪率 -20%")]:
        wait_for(lambda: change in announced, f"the change {change} to be announced")
    check(not any(text.startswith("マッチョレベル") for _, text in announced),
          f"an unchanged value was announced: {announced}")
    check(status_names(window)[1:4] == ["疲労度 15", "筋力 20", "体脂肪率 -20%"],
          f"status panel reads {status_names(window)}")

    # A failed audition: two Messages, each an alert with its text; the picture's new
    # description is announced as the crying man comes on show.
    press(named(window, pyatspi.ROLE_PUSH_BUTTON, "オーディション"))
    alert = wait_for(lambda: alert_saying(app, APPLIED), "the alert " + APPLIED)
    press(named(alert, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    alert = wait_for(lambda: alert_saying(app, FAILED), "the alert " + FAILED)
    wait_for(lambda: ("description", "不合格で泣く男。" + POKE_KEYS) in announced,
             "the body picture announced as the crying man")
    check(body_description(window) == "不合格で泣く男。" + POKE_KEYS,
          "the body picture's description")
    press(named(alert, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    wait_for(lambda: alert_saying(app, FAILED) is None, "the last alert to close")
    wait_for(lambda: status_names(window)[-1] == "心意気 -10", "the spirit to read 心意気 -10")

    # The explanation: a read-only, multi-line text the reader can go through line by line.
    press(named(window, pyatspi.ROLE_MENU_ITEM, "説明"))
    viewer = wait_for(lambda: [n for n in walk(window) if n.name == "説明"
                               and n.getRole() == pyatspi.ROLE_TEXT and showing(n)],
                      "the explanation to show")[0]
    state = viewer.getState()
    check(not state.contains(pyatspi.STATE_EDITABLE), "the explanation is editable")
    check(state.contains(pyatspi.STATE_MULTI_LINE), "the explanation is not multi-line")
    check(state.contains(pyatspi.STATE_FOCUSABLE), "the explanation cannot take the focus")
    check(text_of(viewer).startswith("【ムキロ・タフ"), f"the explanation reads {text_of(viewer)[:20]!r}")
    # Line by line, as a reader's caret moves: the first line, then the one past its line end.
    text = viewer.queryText()
    first = text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)
    second = text.getTextAtOffset(first[2] + 1, pyatspi.TEXT_BOUNDARY_LINE_START)
    check(first[0].strip() == "【ムキロ・タフ　あそびかた】", f"its first line reads {first[0]!r}")
    check(second[0].startswith("ひょろひょろの青年"), f"its second line reads {second[0]!r}")

    return 1 if failures else 0


def main():
    program, stderr_file = sys.argv[1], sys.argv[2]
    pyatspi.Registry.registerEventListener(listen, "object:property-change:accessible-name",
                                           "object:property-change:accessible-description")
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    with open(stderr_file, "wb") as errors:
        game = subprocess.Popen([program], env=environment, stderr=errors)
    try:
        return walk_the_game(game.pid)
    finally:
        game.terminate()
        try:
            game.wait(timeout=10)
        except subprocess.TimeoutExpired:
            game.kill()
            game.wait()


if __name__ == "__main__":
    sys.exit(main())
