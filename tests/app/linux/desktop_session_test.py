#!/usr/bin/python3
"""The real program on a Wayland desktop, read and driven as a screen reader.

Starts a headless weston and, on it, korvane through Qt's Wayland platform
with its accessibility bridge on, then reads every window over AT-SPI:
without files the no-files box shows and its OK ends the program; with two
files the dialog's controls carry their spoken names (the list and the
output field their labels'; Qt's list reports no label relation), and a join pressed through the
accessibility actions asks, joins and reports done, with the box buttons in
Japanese under an English locale; the window's title bar has a close
button only, which ends the program.

Run it inside a D-Bus session of its own:
    dbus-run-session -- desktop_session_test.py KORVANE
"""

import os
import pathlib
import subprocess
import sys
import tempfile
import time

import pyatspi

TIMEOUT = 20  # seconds for any one thing to appear


def wait_for(what, find, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def children(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child


def descendants(node):
    for child in children(node):
        yield child
        yield from descendants(child)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        try:
            if app.get_process_id() == pid and app.childCount:
                return app
        except Exception:  # an application that went away meanwhile
            continue
    return None


def window(pid, role, containing=None):
    """A top-level window of the program with that role (and text)."""
    app = application(pid)
    for win in children(app) if app else ():
        if win.getRole() != role:
            continue
        if containing is None or any(containing == n.name for n in descendants(win)):
            return win
    return None


def named(win, role, name):
    return next((n for n in descendants(win) if n.getRole() == role and n.name == name), None)


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def labelled_by(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return []


class Failures:
    def __init__(self):
        self.count = 0

    def check(self, ok, what):
        if not ok:
            self.count += 1
            print(f"FAIL: {what}", file=sys.stderr)


def box_button(pid, text, button):
    box = wait_for(f"the box {text!r}", lambda: window(pid, pyatspi.ROLE_ALERT, text))
    return wait_for(f"{button!r} in the box {text!r}",
                    lambda: named(box, pyatspi.ROLE_PUSH_BUTTON, button))


def main():
    korvane = sys.argv[1]
    failures = Failures()
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
                                  stderr=open(tmp / "weston.log", "w"))
        programs = []
        try:
            wait_for("weston's socket",
                     lambda: True if (runtime / socket).exists() else None, 10)

            # Without files: the no-files box, and its OK ends the program.
            alone = subprocess.Popen([korvane], env=env)
            programs.append(alone)
            ok = box_button(alone.pid, "ファイルがDROPされていません。結合するには、"
                            "結合したいファイルをDROPして下さい。", "OK")
            press(ok)
            failures.check(alone.wait(TIMEOUT) == 0, "the program ends after the no-files box")

            # With two files: names, labels, and a join through the actions.
            first, second = tmp / "b.mpg", tmp / "a.mpg"
            first.write_bytes(bytes(range(256)) * 30)
            second.write_bytes(b"\x07" * 6000)
            program = subprocess.Popen([korvane, str(first), str(second)], env=env)
            programs.append(program)
            dialog = wait_for("the dialog",
                              lambda: window(program.pid, pyatspi.ROLE_DIALOG, "結合"))
            for role, name in ((pyatspi.ROLE_PUSH_BUTTON, "上へ移動"),
                               (pyatspi.ROLE_PUSH_BUTTON, "下へ移動"),
                               (pyatspi.ROLE_PUSH_BUTTON, "結合")):
                failures.check(named(dialog, role, name) is not None, f"a button named {name}")
            for name in ("上へ移動", "下へ移動"):
                button = named(dialog, pyatspi.ROLE_PUSH_BUTTON, name)
                failures.check(button is not None and button.description == name,
                               f"{name}: its tooltip is its name")
            files = named(dialog, pyatspi.ROLE_LIST, "結合するファイルの一覧")
            failures.check(files is not None, "the file list is named by its label")
            if files is not None:
                failures.check([n.name for n in children(files)] == [str(second), str(first)],
                               "the file list reads the files sorted")
            output = named(dialog, pyatspi.ROLE_TEXT, "保存先")
            failures.check(output is not None, "the output field is named by its label")
            if output is not None:
                failures.check(labelled_by(output) == ["保存先："],
                               f"the output field's label: {labelled_by(output)}")
                text = output.queryText()
                failures.check(text.getText(0, -1) == str(tmp / "Desktop" / "a.mpg"),
                               f"the proposed output {text.getText(0, -1)!r}")

            press(named(dialog, pyatspi.ROLE_PUSH_BUTTON, "結合"))
            question = "結合してもよろしいですか？"
            box_button(program.pid, question, "キャンセル")
            press(box_button(program.pid, question, "OK"))
            press(box_button(program.pid, "結合が完了しました。", "OK"))
            joined = (tmp / "Desktop" / "a.mpg").read_bytes()
            failures.check(joined == second.read_bytes() + first.read_bytes()[5000:],
                           "the output holds the joined files")

            # The window's own title bar offers only a close button.
            buttons = {n.name for n in descendants(dialog) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
            failures.check(buttons == {"閉じる", "結合", "上へ移動", "下へ移動"},
                           f"the dialog's buttons: {buttons}")
            press(named(dialog, pyatspi.ROLE_PUSH_BUTTON, "閉じる"))
            failures.check(program.wait(TIMEOUT) == 0, "the close button ends the program")
        finally:
            for program in programs:
                if program.poll() is None:
                    program.terminate()
                    program.wait(TIMEOUT)
            weston.terminate()
            weston.wait(TIMEOUT)
    print("failures:", failures.count)
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
