#!/usr/bin/python3
"""The real program on a headless weston, read and driven over AT-SPI as a
screen reader does (run inside dbus-run-session; argument: the program).

Without files the no-files box shows and its OK ends the program. With two
files every control carries its spoken name, a join pressed through the
accessibility actions asks (OK and キャンセル under an English locale) and
reports done, and the title bar's only button, close, ends the program."""

import os
import pathlib
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 20


def wait_for(what, find):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from descendants(child)


def window(pid, role, text):
    """The program's top-level window of that role holding that text. While
    windows come and go the tree may hold empty or vanished entries; the
    caller asks again."""
    desktop = pyatspi.Registry.getDesktop(0)
    try:
        for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
            if app is None or app.get_process_id() != pid:
                continue
            for win in (app.getChildAtIndex(i) for i in range(app.childCount)):
                if win is not None and win.getRole() == role and any(
                        n.name == text for n in descendants(win)):
                    return win
    except GLib.GError:  # a window that went away while read
        pass
    return None


def named(win, role, name):
    return next((n for n in descendants(win) if n.getRole() == role and n.name == name), None)


def press(button):
    button.queryAction().doAction(0)


def box_button(pid, text, button):
    box = wait_for(text, lambda: window(pid, pyatspi.ROLE_ALERT, text))
    return wait_for(button, lambda: named(box, pyatspi.ROLE_PUSH_BUTTON, button))


def session(korvane, tmp, env, started):
    def start(*args):
        started.append(subprocess.Popen([korvane, *map(str, args)], env=env))
        return started[-1]

    alone = start()
    press(box_button(alone.pid, "ファイルがDROPされていません。結合するには、"
                     "結合したいファイルをDROPして下さい。", "OK"))
    assert alone.wait(TIMEOUT) == 0

    first, second = tmp / "b.mpg", tmp / "a.mpg"
    first.write_bytes(bytes(range(256)) * 30)
    second.write_bytes(b"\x07" * 6000)
    program = start(first, second)
    dialog = wait_for("the dialog", lambda: window(program.pid, pyatspi.ROLE_DIALOG, "結合"))
    buttons = {n.name: n for n in descendants(dialog) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
    assert set(buttons) == {"閉じる", "結合", "上へ移動", "下へ移動"}, set(buttons)
    for name in ("上へ移動", "下へ移動"):
        assert buttons[name].description == name, "the tooltip is the name"
    # Qt's list reports no label relation; the edit does.
    files = named(dialog, pyatspi.ROLE_LIST, "結合するファイルの一覧")
    assert [n.name for n in descendants(files)] == [str(second), str(first)]
    output = named(dialog, pyatspi.ROLE_TEXT, "保存先")
    labels = [r for r in output.getRelationSet()
              if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    assert [r.getTarget(0).name for r in labels] == ["保存先："]
    assert output.queryText().getText(0, -1) == str(tmp / "Desktop" / "a.mpg")

    press(buttons["結合"])
    question = "結合してもよろしいですか？"
    box_button(program.pid, question, "キャンセル")
    press(box_button(program.pid, question, "OK"))
    press(box_button(program.pid, "結合が完了しました。", "OK"))
    joined = (tmp / "Desktop" / "a.mpg").read_bytes()
    assert joined == second.read_bytes() + first.read_bytes()[5000:]

    press(buttons["閉じる"])
    assert program.wait(TIMEOUT) == 0


def main():
    with tempfile.TemporaryDirectory(prefix="korvane-session-") as tmp:
        tmp = pathlib.Path(tmp)
        runtime = tmp / "runtime"
        runtime.mkdir(mode=0o700)
        (tmp / "Desktop").mkdir()
        socket = f"korvane-test-{os.getpid()}"
        env = dict(os.environ, XDG_RUNTIME_DIR=str(runtime), WAYLAND_DISPLAY=socket,
                   HOME=str(tmp), XDG_CONFIG_HOME=str(tmp / "config"), LANG="en_US.UTF-8",
                   LC_ALL="C.UTF-8", QT_QPA_PLATFORM="wayland",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.pop("DISPLAY", None)
        weston = subprocess.Popen(["weston", "--backend=headless-backend.so", f"--socket={socket}",
                                   "--idle-time=0"], env=env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        started = []
        try:
            wait_for("weston", lambda: (runtime / socket).exists())
            session(sys.argv[1], tmp, env, started)
        finally:
            for process in started + [weston]:
                if process.poll() is None:
                    process.terminate()
                    process.wait(TIMEOUT)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
