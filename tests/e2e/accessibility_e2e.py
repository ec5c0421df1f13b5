#!/usr/bin/python3
"""The real velmora window read and driven as a screen reader user would:
through the accessibility bus (AT-SPI, pyatspi) and the keyboard only, under
Xvfb, with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.

Usage: accessibility_e2e.py VELMORA DATA_FOLDER ARTIFACT_FOLDER [SCALE]

Checks that every label and text area exposes the text it shows (the key, the
help topics, a message box's text), that the buttons expose their current
caption (the search button's "Done!" caption after a search), that the small
check boxes keep their descriptive names, that Tab reaches every button and
box, and that Enter in a box runs the search. A screenshot of each window and
of a message box is left in ARTIFACT_FOLDER, at QT_SCALE_FACTOR=SCALE
(default 1).

Runs itself under dbus-run-session (a private session bus, on which the
AT-SPI bus is started on demand). Exit status: 0 passed, 1 failed, 77 skipped
(no Xvfb, xdotool, import, dbus-run-session or pyatspi).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_support import Failure, copy_data, start_xvfb, stop

SKIP = 77
DONE = "Done!  You can re-click here for another search."


def tools_missing():
    for tool in ("Xvfb", "xdotool", "import", "dbus-run-session"):
        if shutil.which(tool) is None:
            return tool + " is not installed"
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        return "pyatspi (python3-pyatspi) is not installed"
    return None


class Session:
    def __init__(self, exe, data, artifacts, scale):
        self.artifacts, self.scale = artifacts, scale
        self.tmp = tempfile.mkdtemp(prefix="velmora-a11y-")
        self.folder = os.path.join(self.tmp, "program")
        os.mkdir(self.folder)
        copy_data(data, self.folder)
        shutil.copy(exe, os.path.join(self.folder, "velmora"))
        self.log = open(os.path.join(artifacts, "accessibility_e2e.log"), "w")
        self.xvfb = self.app = None
        self.env = None

    def say(self, text):
        self.log.write(text + "\n")
        self.log.flush()

    def start(self):
        self.xvfb, display = start_xvfb("2560x2048x24", self.log)
        self.env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                        QT_SCALE_FACTOR=str(self.scale), HOME=self.tmp, XDG_RUNTIME_DIR=self.tmp)
        self.env.pop("WAYLAND_DISPLAY", None)
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        self.app = subprocess.Popen([os.path.join(self.folder, "velmora")], env=self.env, stdin=subprocess.DEVNULL,
                                    stdout=self.log, stderr=self.log, start_new_session=True)

    def close(self):
        stop(self.app, self.xvfb)
        self.log.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), env=self.env, timeout=30, check=True)
        time.sleep(0.15)

    def focus_window(self, title):
        for wid in subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=self.env,
                                  capture_output=True, text=True, timeout=30).stdout.split():
            subprocess.run(["xdotool", "windowfocus", "--sync", wid], env=self.env, timeout=30)
            time.sleep(0.3)
            return
        raise Failure("no visible window titled " + title)

    def shot(self, name):
        path = os.path.join(self.artifacts, "%s-%sx.png" % (name, self.scale))
        subprocess.run(["import", "-window", "root", path], env=self.env, timeout=60)
        self.say("screenshot " + path)


# ---- the accessibility tree --------------------------------------------------------

def application():
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and (child.name or "").lower() == "velmora":
            return child
    return None


def nodes(root, depth=0):
    """Every accessible under root, depth first: (accessible, role name, name)."""
    if root is None or depth > 12:
        return
    yield root, root.getRoleName(), root.name or ""
    for i in range(root.childCount):
        yield from nodes(root.getChildAtIndex(i), depth + 1)


def showing_frames(app):
    import pyatspi
    frames = []
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            frames.append(child)
    return frames


def wait(what, predicate, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            value = predicate()
        except Exception:  # the tree changes under us while windows come and go
            value = None
        if value:
            return value
        time.sleep(0.25)
    raise Failure("timed out waiting for " + what)


def frame_holding(app, role, name):
    """The showing window that holds an accessible of this role and name."""
    for frame in showing_frames(app):
        if any(r == role and n == name for _, r, n in nodes(frame)):
            return frame
    return None


def find(root, role, name):
    for node, r, n in nodes(root):
        if r == role and n == name:
            return node
    return None


def focused(app):
    import pyatspi
    for frame in showing_frames(app):
        for node, role, name in nodes(frame):
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                return role, name
    return None


def expect_named(root, role, names, where):
    present = {n for _, r, n in nodes(root) if r == role}
    missing = [n for n in names if n not in present]
    if missing:
        raise Failure("%s: no %s named %s; %ss: %s" % (where, role, missing, role, sorted(present)))


# ---- the steps -------------------------------------------------------------------------

def main_window_reads_as_shown(s, app, key_text):
    main = wait("the main window", lambda: frame_holding(app, "push button", "Search transcriptions"))
    expect_named(main, "push button", ["Search transcriptions", "Search orthography",
                                       "Reset button:  use these choices in current run", "Exit"], "main window")
    expect_named(main, "check box", ["Ignore box %d when sorting" % n for n in range(1, 6)] +
                 ["Search syllabified data", "Search vowels only",
                  "Exclude compounds and productively affixed forms from the search"], "main window")
    expect_named(main, "label", ["Small check boxes:  ignore this item when sorting the output", "Key", "Options",
                                 "Use this input file:"], "main window")
    expect_named(main, "text", ["Box %d" % n for n in range(1, 6)] + ["Input file name"], "main window")
    labels = [n for _, r, n in nodes(main) if r == "label"]
    if not any(key_text in n for n in labels):
        raise Failure("the key's text cannot be read: labels are %s" % [n[:40] for n in labels])
    s.shot("main")
    return main


def tab_reaches_every_button_and_box(s, app, main):
    wanted = {(r, n) for _, r, n in nodes(main) if r in ("push button", "text", "check box") and n}
    seen = []
    for _ in range(3 * len(wanted)):
        s.key("Tab")
        now = wait("a focused control", lambda: focused(app), 5)
        seen.append(now)
        if wanted <= set(seen):
            break
    missing = wanted - set(seen)
    if missing:
        raise Failure("Tab does not reach %s" % sorted(missing))
    s.say("tab order: %s" % seen)


def tab_to(s, app, role, name):
    """Presses Tab until the control has the focus, as a keyboard user does."""
    for _ in range(40):
        if focused(app) == (role, name):
            return
        s.key("Tab")
    raise Failure("Tab never reaches %s %r" % (role, name))


def type_text(s, text):
    keys = {"[": "bracketleft", "]": "bracketright"}
    for char in text:
        s.key(keys.get(char, "shift+" + char.lower() if char.isupper() else char))


def message_box_reads_its_text(s, app):
    # Boxes empty: Enter in Box 1 runs the search, which asks for items.
    tab_to(s, app, "text", "Box 1")
    s.key("Return")
    message = wait("the message box", lambda: frame_holding(app, "push button", "OK"))
    texts = [n for _, r, n in nodes(message) if r == "label" and n]
    if not any("Please type segments or natural classes" in n for n in texts):
        raise Failure("the message's text cannot be read: %s" % texts)
    s.shot("message")
    s.key("Return")
    wait("the message box to close", lambda: frame_holding(app, "push button", "OK") is None)
    # Xvfb has no window manager to give the focus back to the main window.
    s.focus_window("^Velmora$")


def search_from_the_keyboard(s, app, main):
    for box, item in enumerate(("AY1", "CONSONANT", "CONSONANT", "]"), start=1):
        tab_to(s, app, "text", "Box %d" % box)
        type_text(s, item)
    s.key("Return")
    # The search button is read by its end caption; the viewer opens in place of the main window.
    wait("the viewer", lambda: frame_holding(app, "label", "Medium-size output file"), 60)
    if find(main, "push button", DONE) is None:
        raise Failure("the search button does not read %r after the search: %s"
                      % (DONE, [n for _, r, n in nodes(main) if r == "push button"]))
    for name in ("FullOutput.txt", "MediumOutput.txt", "SmallOutput.txt"):
        if not os.path.exists(os.path.join(s.folder, name)):
            raise Failure(name + " was not written by the search run from Enter")


def viewer_and_help_read_as_shown(s, app):
    viewer = frame_holding(app, "label", "Medium-size output file")
    expect_named(viewer, "label", ["Full-size output file", "Medium-size output file", "Small output file",
                                   "Spreadsheet", "Word processor or text editor"], "viewer")
    expect_named(viewer, "push button", ["Full, spreadsheet", "Medium, spreadsheet", "Small, spreadsheet",
                                         "Full, word processor", "Medium, word processor", "Small, word processor",
                                         "Return to main menu", "Exit program", "Save these choices"], "viewer")
    s.shot("viewer")
    help_item = find(viewer, "menu item", "Help")
    if help_item is None:
        raise Failure("the viewer's Help menu cannot be found")
    help_item.queryAction().doAction(0)
    help_window = wait("the help window", lambda: frame_holding(app, "push button", "Exit help"))

    def topic_text():
        texts = [n for _, r, n in nodes(help_window) if r == "label" and len(n) > 200]
        return texts[0] if texts else None
    first = wait("the help topic's text", topic_text)
    s.shot("help")
    find(help_window, "push button", "Natural classes").queryAction().doAction(0)
    second = wait("the next topic's text", lambda: topic_text() if topic_text() != first else None)
    if "class" not in second.lower():
        raise Failure("the natural classes topic reads %r" % second[:80])


def run(exe, data, artifacts, scale):
    with open(os.path.join(data, "SegmentKey.txt"), encoding="utf-8", errors="replace") as f:
        key_text = f.readline().strip()
    s = Session(exe, data, artifacts, scale)
    try:
        s.start()
        app = wait("velmora on the accessibility bus", application, 60)
        main = main_window_reads_as_shown(s, app, key_text)
        tab_reaches_every_button_and_box(s, app, main)
        message_box_reads_its_text(s, app)
        search_from_the_keyboard(s, app, main)
        viewer_and_help_read_as_shown(s, app)
    except Exception:
        s.shot("failure")
        raise
    finally:
        s.close()


def main():
    if len(sys.argv) not in (4, 5):
        print(__doc__)
        return 2
    missing = tools_missing()
    if missing:
        print("skipped: " + missing)
        return SKIP
    if os.environ.get("VELMORA_A11Y_BUS") != "1":
        # A private session bus for this run, and the AT-SPI bus on it.
        env = dict(os.environ, VELMORA_A11Y_BUS="1")
        return subprocess.run(["dbus-run-session", "--", sys.executable] + sys.argv, env=env).returncode
    exe, data, artifacts = sys.argv[1:4]
    scale = sys.argv[4] if len(sys.argv) == 5 else "1"
    os.makedirs(artifacts, exist_ok=True)
    try:
        run(exe, data, artifacts, scale)
    except Failure as failure:
        print("FAILED: %s (see %s)" % (failure, artifacts))
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
