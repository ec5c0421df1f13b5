#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real velmora window under Xvfb, driven as a screen reader user would:
through the accessibility bus (AT-SPI, pyatspi) and the keyboard only.

Usage: window_e2e.py VELMORA VELMORA_BATCH DATA_FOLDER ARTIFACT_FOLDER [SCALE]

Tab reaches every control of the main window, the viewer and help; the key and
the messages can be read; a search typed in, two options ticked with the space
bar, writes the files velmora-batch writes; Exit program ends with status 0.
Screenshots at QT_SCALE_FACTOR=SCALE (default 1) are left in ARTIFACT_FOLDER.
Runs itself under dbus-run-session. Exit status: 0 passed, 1 failed, 77 skipped.
"""

import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

DATA = ["in.txt", "AllSegments.txt", "SegmentKey.txt", "NaturalClasses", "SyllabifiedNaturalClasses"]
RESULTS = ["FullOutput.txt", "MediumOutput.txt", "SmallOutput.txt", "ResultsOfSearchInInputFormat.txt",
           "Hits.txt", "Misses.txt", "UserSettings.txt"]
ITEMS = ["AY1", "CONSONANT", "CONSONANT", "]"]
OPTIONS = {"Ignore box 3 when sorting": ["--ignore", "3"],
           "Exclude compounds and productively affixed forms from the search": ["--exclude"]}
DONE = "Done!  You can re-click here for another search."
VIEWER = "Medium-size output file"  # a label only the viewer shows


class Failure(Exception):
    pass


class Session:
    """A copy of the program folder, a twin for velmora-batch, Xvfb and velmora."""

    def __init__(self, exe, batch, data, artifacts, scale):
        self.batch, self.artifacts, self.scale = batch, artifacts, scale
        self.tmp = tempfile.mkdtemp(prefix="velmora-e2e-")
        self.folder, self.twin = os.path.join(self.tmp, "program"), os.path.join(self.tmp, "twin")
        for folder in (self.folder, self.twin):
            os.mkdir(folder)
            for entry in DATA:
                copy = shutil.copytree if os.path.isdir(os.path.join(data, entry)) else shutil.copy
                copy(os.path.join(data, entry), os.path.join(folder, entry))
        shutil.copy(exe, os.path.join(self.folder, "velmora"))
        self.log = open(os.path.join(artifacts, "window_e2e-%sx.log" % scale), "w")
        self.xvfb = self.app = self.env = None

    def start(self):
        read_end, write_end = os.pipe()
        # -noreset: the server stays up whichever client leaves last.
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "2560x2048x24",
                                      "-nolisten", "tcp", "-noreset"], pass_fds=[write_end],
                                     stdout=self.log, stderr=self.log)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:  # the display's number, once the server is ready
            display = pipe.readline().strip() if select.select([pipe], [], [], 30)[0] else ""
        if not display:
            raise Failure("Xvfb did not start")
        os.environ["DISPLAY"] = ":" + display
        self.env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        QT_ACCESSIBILITY="1", QT_SCALE_FACTOR=self.scale, HOME=self.tmp, XDG_RUNTIME_DIR=self.tmp)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.app = subprocess.Popen([os.path.join(self.folder, "velmora")], env=self.env, stdin=subprocess.DEVNULL,
                                    stdout=self.log, stderr=self.log)

    def close(self):
        for process in (self.app, self.xvfb):
            if process is not None and process.poll() is None:
                process.kill()
                process.wait()
        self.log.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def x(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=60).stdout

    def key(self, *keys):
        self.x("xdotool", "key", "--delay", "60", *keys)
        time.sleep(0.15)

    def focus_main_window(self):
        """Xvfb has no window manager to give the focus back when a window closes."""
        for wid in self.x("xdotool", "search", "--onlyvisible", "--name", "^Velmora$").split()[:1]:
            self.x("xdotool", "windowfocus", "--sync", wid)
            time.sleep(0.3)

    def shot(self, name):
        self.x("import", "-window", "root", os.path.join(self.artifacts, "%s-%sx.png" % (name, self.scale)))

    def same_as_batch(self, what):
        args = sum(OPTIONS.values(), []) + ITEMS
        result = subprocess.run([self.batch, "--folder", self.twin] + args, capture_output=True, text=True,
                                stdin=subprocess.DEVNULL, timeout=120)
        self.log.write("velmora-batch %s: %d\n%s%s" % (args, result.returncode, result.stdout, result.stderr))
        if result.returncode != 0:
            raise Failure("velmora-batch %s ended with %d" % (args, result.returncode))
        for name in RESULTS:
            ours = Path(self.folder, name)
            if not ours.exists() or ours.read_bytes() != Path(self.twin, name).read_bytes():
                raise Failure("%s: %s is not velmora-batch's" % (what, name))


# ---- the accessibility tree --------------------------------------------------------

def application():
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    return next((c for c in map(desktop.getChildAtIndex, range(desktop.childCount))
                 if c is not None and (c.name or "").lower() == "velmora"), None)


def nodes(root, depth=0):
    """Every accessible under root, depth first: (accessible, role name, name)."""
    if root is not None and depth <= 12:
        yield root, root.getRoleName(), root.name or ""
        for i in range(root.childCount):
            yield from nodes(root.getChildAtIndex(i), depth + 1)


def showing_frames(app):
    import pyatspi
    return [c for c in map(app.getChildAtIndex, range(app.childCount))
            if c is not None and c.getState().contains(pyatspi.STATE_SHOWING)]


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
    return next((f for f in showing_frames(app) if any(r == role and n == name for _, r, n in nodes(f))), None)


def find(root, role, name):
    for node, r, n in nodes(root):
        if r == role and n == name:
            return node
    raise Failure("no %s named %r; %ss: %s" % (role, name, role, sorted(n for _, r, n in nodes(root) if r == role)))


def labels(root):
    return [n for _, r, n in nodes(root) if r == "label" and n]


def focused(app):
    import pyatspi
    return next(((r, n) for f in showing_frames(app) for node, r, n in nodes(f)
                 if node.getState().contains(pyatspi.STATE_FOCUSED)), None)


def tab_to(s, app, role, name):
    """Presses Tab until the control has the focus, as a keyboard user does."""
    for _ in range(40):
        if focused(app) == (role, name):
            return
        s.key("Tab")
    raise Failure("Tab never reaches %s %r" % (role, name))


def tab_reaches_every_control(s, app, frame):
    controls = {(r, n) for _, r, n in nodes(frame) if r in ("push button", "text", "check box") and n}
    seen = set()
    for _ in range(3 * len(controls)):
        s.key("Tab")
        seen.add(wait("a focused control", lambda: focused(app), 5))
        if controls <= seen:
            return
    raise Failure("Tab does not reach %s" % sorted(controls - seen))


# ---- the steps -------------------------------------------------------------------------

def main_window(s, app, key_text):
    main = wait("the main window", lambda: frame_holding(app, "push button", "Search transcriptions"), 60)
    if not any(key_text in n for n in labels(main)):
        raise Failure("the key's text cannot be read: labels are %s" % [n[:40] for n in labels(main)])
    s.shot("main")
    tab_reaches_every_control(s, app, main)
    # Enter in an empty box asks for items.
    tab_to(s, app, "text", "Box 1")
    s.key("Return")
    box = wait("the message for empty boxes", lambda: frame_holding(app, "push button", "OK"), 60)
    if not any("Please type segments or natural classes" in n for n in labels(box)):
        raise Failure("the message for empty boxes reads %s" % labels(box))
    s.shot("message")
    s.key("Return")
    wait("the message box to close", lambda: frame_holding(app, "push button", "OK") is None)
    s.focus_main_window()
    return main


def search_from_the_keyboard(s, app, main):
    for box, item in enumerate(ITEMS, start=1):
        tab_to(s, app, "text", "Box %d" % box)
        s.x("xdotool", "type", "--delay", "60", item)
    for option in OPTIONS:
        tab_to(s, app, "check box", option)
        s.key("space")
    tab_to(s, app, "text", "Box 1")
    s.key("Return")
    viewer = wait("the viewer", lambda: frame_holding(app, "label", VIEWER), 60)
    find(main, "push button", DONE)
    s.same_as_batch("the search run from the keyboard")
    return viewer


def viewer_and_help(s, app, viewer):
    s.shot("viewer")
    tab_reaches_every_control(s, app, viewer)
    find(viewer, "menu item", "Help").queryAction().doAction(0)
    help_window = wait("the help window", lambda: frame_holding(app, "push button", "Exit help"))
    wait("the help topic's text", lambda: any(len(n) > 200 for n in labels(help_window)))
    s.shot("help")
    tab_reaches_every_control(s, app, help_window)
    find(help_window, "push button", "Exit help").queryAction().doAction(0)
    wait("the help window to close", lambda: frame_holding(app, "push button", "Exit help") is None)


def run(s, data):
    key_text = Path(data, "SegmentKey.txt").read_text(encoding="utf-8", errors="replace").splitlines()[0].strip()
    s.start()
    app = wait("velmora on the accessibility bus", application, 60)
    main = main_window(s, app, key_text)
    viewer = search_from_the_keyboard(s, app, main)
    viewer_and_help(s, app, viewer)
    find(viewer, "push button", "Exit program").queryAction().doAction(0)
    try:
        status = s.app.wait(30)
    except subprocess.TimeoutExpired:
        raise Failure("Exit program did not end velmora")
    if status != 0:
        raise Failure("velmora ended with status %d" % status)


def main():
    if len(sys.argv) not in (5, 6):
        print(__doc__)
        return 2
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        print("skipped: pyatspi (python3-pyatspi) is not installed")
        return 77
    for tool in ("Xvfb", "xdotool", "import", "dbus-run-session"):
        if shutil.which(tool) is None:
            print("skipped: %s is not installed" % tool)
            return 77
    if os.environ.get("VELMORA_A11Y_BUS") != "1":
        # The AT-SPI bus's socket lies in XDG_RUNTIME_DIR (else in ~/.cache, under
        # one name): a folder of its own, so that runs side by side stay apart.
        with tempfile.TemporaryDirectory(prefix="velmora-bus-") as runtime:
            env = dict(os.environ, VELMORA_A11Y_BUS="1", XDG_RUNTIME_DIR=runtime)
            return subprocess.run(["dbus-run-session", "--", sys.executable] + sys.argv, env=env).returncode
    os.makedirs(sys.argv[4], exist_ok=True)
    s = Session(*sys.argv[1:5], sys.argv[5] if len(sys.argv) == 6 else "1")
    try:
        run(s, sys.argv[3])
    except Failure as failure:
        s.shot("failure")
        print("FAILED: %s (see %s)" % (failure, sys.argv[4]))
        return 1
    finally:
        s.close()
    print("passed; screenshots in", sys.argv[4])
    return 0


if __name__ == "__main__":
    sys.exit(main())
