#!/usr/bin/env python3
"""What a screen reader finds of the windows, read from the accessibility bus (AT-SPI).

Starts Hastelyn on a fresh sandbox machine, waits for it to appear on the bus, walks the main
window's tree and checks the names, roles and states of its controls against what
hastelyn-cli reports of the same machine: every row of the six check lists with its label, its
tick as a checked state and a row that cannot be changed as not enabled; the counters read as
their numbers; every menu, title-strip and work-area button named by its caption or purpose and
described by its hint; the page tabs by their captions. Then the side windows, each opened by
its button as a user would (the bus's press action) and closed again: the save-and-restore
window, the compact window and the options window, each read as a window of its own with every
control named.

Usage: main_window_tree.py HASTELYN HASTELYN_CLI   (under X with a D-Bus session; see run.sh)
"""
import os
import subprocess
import sys
import time

import pyatspi

APPEAR_BOUND_SECONDS = 120  # a bound for a very busy machine, not a pace: polling stops earlier

PAGES = ["システム", "デスクトップ", "エクスプローラ", "起動・終了", "その他", "不要サービス"]
LIST_KEYS = ["System", "Desktop", "Explorer", "Power", "Others", "Service:"]
MENU = ["システム", "デスクトップ", "エクスプローラ", "起動・終了", "その他", "不要サービス",
        "ユーティリティ", "パソコン情報", "保存と復元", "環境設定", "ヘルプを見る", "終了する"]
TITLE_STRIP = ["コンパクト表示", "タスクトレイに収納", "最小化", "終了", "常に手前に表示", "パフォーマンス情報"]

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def states(node):
    return node.getState()


def find_application(process):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        try:
            if app.get_process_id() == process.pid:
                return app
        except Exception:  # an application leaving the bus while we look
            continue
    return None


def main_window(app):
    # The window that holds the accelerate button (the side windows are made hidden).
    for window in app:
        for node in walk(window):
            if node.getRoleName() == "push button" and node.name == "高速化設定":
                return window
    return None


def status_rows(cli, env):
    out = subprocess.run([cli, "status"], env=env, check=True, capture_output=True, text=True).stdout
    rows = {}
    for line in out.splitlines():
        key, ticked, enabled, label = line.split("\t", 3)
        rows[key] = (ticked == "1", enabled == "1", label)
    return rows


def check_lists(window, rows):
    lists = {n.name: n for n in walk(window) if n.getRoleName() == "list"}
    for page, prefix in zip(PAGES, LIST_KEYS):
        expected = [(k, v) for k, v in rows.items() if k.startswith(prefix)
                    and (prefix.endswith(":") or k[len(prefix):].isdigit())]
        listed = lists.get(page + " 一覧")
        check(listed is not None, f"no list named '{page} 一覧'")
        if listed is None:
            continue
        check(listed.childCount == len(expected), f"{page}: {listed.childCount} rows, expected {len(expected)}")
        for index, (key, (ticked, enabled, label)) in enumerate(expected[:listed.childCount]):
            row = listed.getChildAtIndex(index)
            s = states(row)
            where = f"{page} row {index + 1} ({key})"
            check(row.name == label, f"{where}: name '{row.name}', expected '{label}'")
            check(row.getRoleName() == "check box", f"{where}: role '{row.getRoleName()}'")
            check(s.contains(pyatspi.STATE_CHECKED) == ticked, f"{where}: checked state is not {ticked}")
            check(s.contains(pyatspi.STATE_ENABLED) == enabled, f"{where}: enabled state is not {enabled}")
            check(s.contains(pyatspi.STATE_SENSITIVE) == enabled, f"{where}: sensitive state is not {enabled}")
    return sum(1 for k in rows if not k.startswith("Service:")), sum(
        1 for k, (t, _, _) in rows.items() if not k.startswith("Service:") and not t)


def check_counters(window, all_count, rest_count):
    labels = [n.name for n in walk(window) if n.getRoleName() == "label"]
    # The counter line reads in its order: the heading, the rest, the middle text, all, "Tips".
    line = labels[labels.index("■ 高速化が見込める項目："):][:5] if "■ 高速化が見込める項目：" in labels else []
    check(line == ["■ 高速化が見込める項目：", str(rest_count), "Tips　/　全項目：", str(all_count), "Tips"],
          f"counter line reads {line}, expected the counts {rest_count} and {all_count}")


def check_buttons(window):
    # The always-on-top button stays down when pressed: a check box to a screen reader.
    buttons = {n.name: n for n in walk(window) if n.getRoleName() in ("push button", "check box")}
    for name in MENU + ["高速化設定"] + TITLE_STRIP:
        button = buttons.get(name)
        check(button is not None, f"no button named '{name}'")
        if button is None:
            continue
        check(states(button).contains(pyatspi.STATE_ENABLED), f"button '{name}' is not enabled")
        check(button.description != "", f"button '{name}' has no description")
    top = buttons.get("常に手前に表示")
    if top is not None:
        check(top.getRoleName() == "check box", f"'常に手前に表示' is a {top.getRoleName()}")
        check(not states(top).contains(pyatspi.STATE_CHECKED), "'常に手前に表示' reads as pressed")
    tabs = [n.name for n in walk(window) if n.getRoleName() == "page tab"]
    check(tabs[:8] == ["システム", "デスクトップ", "エクスプローラ", "起動・終了", "その他", "不要サービス",
                       "ユーティリティ", "パソコン情報"], f"page tabs read {tabs}")


def showing(node):
    return states(node).contains(pyatspi.STATE_SHOWING)


def wait_for(what, find):
    """find() polled until it gives something or the bound passes; events of the bus arrive
    between polls."""
    deadline = time.monotonic() + APPEAR_BOUND_SECONDS
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    failures.append(f"{what} did not happen")
    return None


def press(window, name):
    for node in walk(window):
        if node.name == name and node.getRoleName() in ("push button", "check box", "toggle button"):
            node.queryAction().doAction(0)
            return True
    failures.append(f"no button '{name}' to press")
    return False


def shown_window(app, role, holding):
    """The showing window of that role that holds a control of that name."""
    for window in app:
        if window is not None and window.getRoleName() == role and showing(window):
            if any(node.name == holding for node in walk(window)):
                return window
    return None


def check_named_controls(window, where):
    for node in walk(window):
        role = node.getRoleName()
        if not showing(node):
            continue
        if role in ("push button", "check box", "radio button", "text", "combo box", "list") and node.name == "":
            failures.append(f"{where}: a {role} without a name")


def check_side_windows(app, main):
    check(main.getRoleName() == "frame", f"the main window reads as a {main.getRoleName()}, not a frame")

    if press(main, "保存と復元"):
        restore = wait_for("the save-and-restore window showing", lambda: shown_window(app, "dialog", "閉じる"))
        if restore is not None:
            check(restore.name == "保存と復元", f"save-and-restore window named '{restore.name}'")
            tabs = [n.name for n in walk(restore) if n.getRoleName() == "page tab"]
            check(tabs == ["Hastelyn", "Outlook Express"], f"save-and-restore tabs read {tabs}")
            buttons = [n.name for n in walk(restore) if n.getRoleName() == "push button" and showing(n)]
            for name in ["▼ パソコンの状態を保存", "▼ 以前の状態に戻す", "閉じる"]:
                check(name in buttons, f"save-and-restore window: no button '{name}' (has {buttons})")
            check_named_controls(restore, "save-and-restore window")
            press(restore, "閉じる")
            wait_for("the save-and-restore window closing", lambda: not showing(restore))

    if press(main, "コンパクト表示"):
        compact = wait_for("the compact window showing", lambda: shown_window(app, "frame", "元の大きさに戻す"))
        if compact is not None:
            check(not showing(main), "the main window still shows beside the compact window")
            for node in walk(compact):
                if node.getRoleName() in ("push button", "check box") and showing(node):
                    check(node.name != "" and node.description != "",
                          f"compact window: button '{node.name}' lacks a name or a description")
            check_named_controls(compact, "compact window")
            press(compact, "元の大きさに戻す")
            wait_for("the main window back", lambda: showing(main) and not showing(compact))

    if press(main, "環境設定"):
        options = wait_for("the options window showing", lambda: shown_window(app, "dialog", "適用"))
        if options is not None:
            check(options.name == "Hastelyn のオプション", f"options window named '{options.name}'")
            tabs = [n.name for n in walk(options) if n.getRoleName() == "page tab" and showing(n)]
            check(tabs == ["環境設定", "無効機能", "バージョン情報"], f"options tabs read {tabs} (the hidden page shows)")
            check_named_controls(options, "options window")
            press(options, "閉じる")
            wait_for("the options window closing", lambda: not showing(options))


def main():
    program, cli = sys.argv[1], sys.argv[2]
    env = dict(os.environ)
    process = subprocess.Popen([program], env=env)
    try:
        app = None
        window = None
        deadline = time.monotonic() + APPEAR_BOUND_SECONDS
        while window is None and process.poll() is None and time.monotonic() < deadline:
            app = app or find_application(process)
            window = main_window(app) if app is not None else None
            if window is None:
                time.sleep(0.2)
        if window is None:
            state = "ended with status %s" % process.returncode if process.poll() is not None else "still running"
            print(f"FAIL: Hastelyn's main window did not appear on the accessibility bus ({state})")
            return 1
        rows = status_rows(cli, env)
        all_count, rest_count = check_lists(window, rows)
        check_counters(window, all_count, rest_count)
        check_buttons(window)
        check_side_windows(app, window)
    finally:
        process.terminate()
        process.wait()
    for failure in failures:
        print("FAIL:", failure)
    print("checked the windows' accessibility trees:", "ok" if not failures else f"{len(failures)} faults")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
