#!/usr/bin/env python3
"""Whether a mouse user reaches every control of every window on a screen of a given size.

Starts Hastelyn (under X with a D-Bus session; see reach.sh), then opens each window as a mouse
user would, by clicks of the real pointer (xdotool): the main window on each of its pages, the
options window on each page, the save-and-restore window on each page, the compact window as a
strip and with its performance panel. In each, every showing control is looked at: it must lie
on the screen, inside what its window shows of it (a control beyond the window's edge is first
brought into view by clicks on the window's scroll bars, where it has them), and the pointer at
its centre must be over that control (the accessibility bus's hit test). A button, check box or
radio button is also pressed there and must read as pressed; the pointer then leaves it before
the button is let go, so nothing is set off. With a folder given, a screenshot of each window.

Usage: reach.py HASTELYN WIDTHxHEIGHT [SCREENSHOT_FOLDER]
"""
import os
import subprocess
import sys
import time

import pyatspi

BOUND_SECONDS = 20  # a bound for a very busy machine, not a pace: polling stops earlier
LEAVES = {"list", "table", "tree", "tree table", "combo box", "text", "scroll bar"}
CONTROLS = {"push button", "toggle button", "check box", "radio button", "page tab", "page tab list", "list", "table",
            "combo box", "text", "slider", "spin button", "label", "image"}
PRESSABLE = {"push button", "toggle button", "check box", "radio button"}

failures = []
reached = 0


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def wait_for(what, find):
    deadline = time.monotonic() + BOUND_SECONDS
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.05)
    failures.append(f"{what} did not happen")
    return None


def states(node):
    return node.getState()


def showing(node):
    s = states(node)
    return s.contains(pyatspi.STATE_SHOWING) and s.contains(pyatspi.STATE_VISIBLE)


def controls(node):
    """The showing controls under a node, lists and edits as one control each."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None or not showing(child):
            continue
        role = child.getRoleName()
        if role in CONTROLS:
            yield child
        if role not in LEAVES:
            yield from controls(child)


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def intersect(a, b):
    left, top = max(a[0], b[0]), max(a[1], b[1])
    right, bottom = min(a[0] + a[2], b[0] + b[2]), min(a[1] + a[3], b[1] + b[3])
    return left, top, max(0, right - left), max(0, bottom - top)


def inside(point, area):
    return area[0] <= point[0] < area[0] + area[2] and area[1] <= point[1] < area[1] + area[3]


def ancestors(node, window):
    chain = []
    parent = node.parent
    while parent is not None and parent != window:
        chain.append(parent)
        parent = parent.parent
    return chain


def seen_area(node, window, screen):
    """What of the screen shows the node: the screen, its window and every holder clip it."""
    area = intersect(screen, extents(window))
    for holder in ancestors(node, window):
        if holder.getRoleName() in ("page tab", "page tab list"):
            continue  # a tab's extents are its tab, not its page
        area = intersect(area, extents(holder))
    return area


def centre(node):
    x, y, w, h = extents(node)
    return x + w // 2, y + h // 2


def scroll_into_view(node, window, screen):
    """Clicks on the arrows of the scroll area holding the node until its centre shows."""
    bars = []
    for holder in reversed(ancestors(node, window)):
        # A scroll area's own bars stand in its children's containers; those of lists lie deeper.
        near = [c for c in (holder.getChildAtIndex(i) for i in range(holder.childCount)) if c is not None]
        near += [g for c in near for g in (c.getChildAtIndex(i) for i in range(c.childCount)) if g is not None]
        bars = [b for b in near if b.getRoleName() == "scroll bar" and showing(b)]
        if bars:
            break
    for _ in range(80):
        point, area = centre(node), seen_area(node, window, screen)
        if inside(point, area):
            return
        moved = False
        for bar in bars:
            bx, by, bw, bh = extents(bar)
            across = bw > bh
            if across and not area[0] <= point[0] < area[0] + area[2]:
                arrow = (bx + bw - bh // 2, by + bh // 2) if point[0] >= area[0] + area[2] else (bx + bh // 2, by + bh // 2)
            elif not across and not area[1] <= point[1] < area[1] + area[3]:
                arrow = (bx + bw // 2, by + bh - bw // 2) if point[1] >= area[1] + area[3] else (bx + bw // 2, by + bw // 2)
            else:
                continue
            before = extents(node)
            xdotool("mousemove", *arrow, "click", 1)
            moved = wait_for(f"a click on the scroll bar at {arrow} moving the view", lambda: extents(node) != before)
            if not moved:
                return
        if not moved:
            return


def hit(window, point):
    node = window.queryComponent().getAccessibleAtPoint(point[0], point[1], pyatspi.DESKTOP_COORDS)
    return node


def same(a, b):
    return a == b or (a is not None and b is not None and a.name == b.name
                      and a.getRoleName() == b.getRoleName() and extents(a) == extents(b))


def reach(node, window, where, screen):
    """The node brought into view by the mouse if need be, then pointed at and, if it is a
    button, pressed."""
    global reached
    role, name = node.getRoleName(), node.name
    what = f"{where}: {role} '{name}'"
    if extents(node)[2] == 0:
        return  # said to show but not laid out (a button the last click showed, not drawn yet)
    scroll_into_view(node, window, screen)
    point, area = centre(node), seen_area(node, window, screen)
    if role == "list":
        # Fields may stand over the right of a list: its rows are clicked on their left.
        point = (extents(node)[0] + extents(node)[2] // 4, point[1])
    if not inside(point, screen):
        failures.append(f"{what} lies off the screen at {extents(node)}")
        return
    if not inside(point, area):
        failures.append(f"{what} at {extents(node)} is cut off (its window shows {area})")
        return
    xdotool("mousemove", *point)
    if role in PRESSABLE and states(node).contains(pyatspi.STATE_ENABLED):
        # The press must reach it; it is let go away from it, so the click never happens.
        away = (0 if point[0] > screen[2] // 2 else screen[2] - 1, 0 if point[1] > screen[3] // 2 else screen[3] - 1)
        xdotool("mousedown", 1)
        pressed = wait_for(f"{what} pressed by the mouse at {point}",
                           lambda: states(node).contains(pyatspi.STATE_PRESSED))
        xdotool("mousemove", *away, "mouseup", 1)
        if not pressed:
            return
    elif role in ("list", "text") and states(node).contains(pyatspi.STATE_FOCUSABLE) \
            and states(node).contains(pyatspi.STATE_ENABLED):
        # A click gives it the focus (a list also a row).
        xdotool("click", 1)
        focused = wait_for(f"{what} focused by a click at {point}", lambda: states(node).contains(pyatspi.STATE_FOCUSED))
        if not focused:
            return
    if role not in PRESSABLE and role not in ("list", "text"):
        # The accessibility bus's hit test, as the pointer's press would find the control.
        found = hit(window, point)
        if found is None or not (same(found, node) or any(same(a, node) for a in ancestors(found, window))):
            failures.append(f"{what}: the pointer at {point} is over {found.getRoleName() if found else None} "
                            f"'{found.name if found else ''}'")
            return
    reached += 1


def click(node, window, where, screen):
    """A whole click at the node's centre, brought into view first."""
    scroll_into_view(node, window, screen)
    xdotool("mousemove", *centre(node), "click", 1)


def find(window, role, name):
    for node in controls(window):
        if node.getRoleName() == role and node.name == name:
            return node
    failures.append(f"no {role} '{name}' showing")
    return None


def reach_all(window, where, screen):
    for node in list(controls(window)):
        # A tab is reached by the click that shows its page; the bar holding the tabs is looked
        # at as one (the accessibility bus places the tabs of a two-row bar in one row).
        if node.getRoleName() == "page tab":
            continue
        reach(node, window, where, screen)


def reach_pages(window, where, screen, shots, shot_name, by="page tab"):
    """Each page shown by a click on its tab, or on the button of that caption (the main
    window's menu), and its controls reached."""
    names = [n.name for n in controls(window) if n.getRoleName() == "page tab"]
    for index, name in enumerate(names):
        tab = find(window, "page tab", name)
        chooser = find(window, by, name)
        if tab is None or chooser is None:
            continue
        click(chooser, window, where, screen)
        wait_for(f"{where}: the page '{name}' shown", lambda: tab.parent.name == name)
        reach_all(window, f"{where}, page {name}", screen)
        if index == 0 or name == "ユーティリティ":
            screenshot(shots, shot_name + ("-utility" if index else ""))


def screenshot(shots, name):
    if shots:
        subprocess.run(["import", "-window", "root", os.path.join(shots, name + ".png")], check=True)


def find_application(process):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == process.pid:
                return app
        except Exception:
            continue
    return None


def shown_window(app, role, holding):
    for window in app:
        if window is not None and window.getRoleName() == role and showing(window):
            if any(node.name == holding for node in controls(window)):
                return window
    return None


def press_and_wait(window, role, name, where, screen, app, new_role, holding):
    button = find(window, role, name)
    if button is None:
        return None
    click(button, window, where, screen)
    return wait_for(f"a window with '{holding}' after a click on '{name}'", lambda: shown_window(app, new_role, holding))


def main():
    program, size, shots = sys.argv[1], sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else ""
    width, height = (int(v) for v in size.split("x"))
    screen = (0, 0, width, height)
    if shots:
        os.makedirs(shots, exist_ok=True)
    process = subprocess.Popen([program])
    try:
        app = wait_for("Hastelyn on the accessibility bus", lambda: find_application(process))
        main_window = app and wait_for("the main window", lambda: shown_window(app, "frame", "高速化設定"))
        if main_window is None:
            print("FAIL: Hastelyn's main window did not appear")
            return 1
        print("main window at", extents(main_window))
        reach_pages(main_window, "main window", screen, shots, f"main-{size}", by="push button")
        screenshot(shots, f"main-info-{size}")

        options = press_and_wait(main_window, "push button", "環境設定", "main window", screen, app, "dialog", "適用")
        if options is not None:
            print("options window at", extents(options))
            reach_pages(options, "options window", screen, shots, f"options-{size}")
            first = find(options, "page tab", "環境設定")  # the page with 閉じる
            if first is not None:
                click(first, options, "options window", screen)
                wait_for("the options window's first page", lambda: first.parent.name == first.name)
            closer = find(options, "push button", "閉じる")
            if closer is not None:
                click(closer, options, "options window", screen)
                wait_for("the options window closing", lambda: not showing(options))

        restore = press_and_wait(main_window, "push button", "保存と復元", "main window", screen, app, "dialog", "閉じる")
        if restore is not None:
            print("save-and-restore window at", extents(restore))
            reach_pages(restore, "save-and-restore window", screen, shots, f"restore-{size}")
            closer = find(restore, "push button", "閉じる")
            if closer is not None:
                click(closer, restore, "save-and-restore window", screen)
                wait_for("the save-and-restore window closing", lambda: not showing(restore))

        compact = press_and_wait(main_window, "push button", "コンパクト表示", "main window", screen, app, "frame",
                                 "元の大きさに戻す")
        if compact is not None:
            print("compact window at", extents(compact))
            reach_all(compact, "compact window", screen)
            screenshot(shots, f"compact-{size}")
            performance = [n for n in controls(compact) if n.getRoleName() in ("check box", "toggle button")
                           and "パフォーマンス" in n.name]
            if performance:
                click(performance[0], compact, "compact window", screen)
                wait_for("the performance panel", lambda: extents(compact)[3] > 100)
                print("compact window with its panel at", extents(compact))
                reach_all(compact, "compact window with its panel", screen)
                screenshot(shots, f"compact-panel-{size}")
            else:
                failures.append("compact window: no performance button")
    finally:
        process.terminate()
        process.wait()
    for failure in failures:
        print("FAIL:", failure)
    print(f"{size}: {reached} controls reached by the mouse;", "ok" if not failures else f"{len(failures)} faults")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
