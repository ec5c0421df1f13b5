#!/usr/bin/python3
"""The real velmora window under Xvfb, read and driven as a screen reader user
would: through the accessibility bus (AT-SPI, pyatspi) and the keyboard only.

Usage: window_e2e.py VELMORA VELMORA_BATCH DATA_FOLDER ARTIFACT_FOLDER [SCALE]

The buttons, boxes, check boxes and labels of the main window, the viewer,
the help window and a message box are found by role and the caption they
show (the key and the help topics by their text, the search button by its
caption after a search); Tab reaches every button and box of the main window;
Enter in a box searches. A search typed into the boxes, with two options
ticked with the space bar, writes the six result files and UserSettings.txt
byte for byte as velmora-batch does for the same choices. A result file held
by a running program brings the file-in-use message, again after OK while it
is held, and the search finishes once it is free. Exit program ends the
process with status 0. A screenshot of each window, at QT_SCALE_FACTOR=SCALE
(default 1), is left in ARTIFACT_FOLDER for a person to look at.

Runs itself under dbus-run-session (a private session bus, on which the
AT-SPI bus is started on demand). Exit status: 0 passed, 1 failed, 77 skipped
(no Xvfb, xdotool, import, dbus-run-session or pyatspi).
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
DATA = ["in.txt", "AllSegments.txt", "SegmentKey.txt", "NaturalClasses", "SyllabifiedNaturalClasses"]
RESULTS = ["FullOutput.txt", "MediumOutput.txt", "SmallOutput.txt", "ResultsOfSearchInInputFormat.txt",
           "Hits.txt", "Misses.txt", "UserSettings.txt"]
ITEMS = ["AY1", "CONSONANT", "CONSONANT", "]"]
OPTIONS = {"Ignore box 3 when sorting": ["--ignore", "3"],
           "Exclude compounds and productively affixed forms from the search": ["--exclude"]}
DONE = "Done!  You can re-click here for another search."
IN_USE = "already open in some other program"
VIEWER = "Medium-size output file"  # a label only the viewer shows


class Failure(Exception):
    pass


def tools_missing():
    for tool in ("Xvfb", "xdotool", "import", "dbus-run-session"):
        if shutil.which(tool) is None:
            return tool + " is not installed"
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        return "pyatspi (python3-pyatspi) is not installed"
    return None


def read(path):
    with open(path, "rb") as f:
        return f.read()


def stop(*processes):
    """Ends each process still running (and its group): TERM, then KILL after 10 s."""
    for process in processes:
        if process is not None and process.poll() is None:
            os.killpg(process.pid, signal.SIGTERM)
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


class Session:
    """A copy of the program folder, a twin for velmora-batch, Xvfb and velmora."""

    def __init__(self, exe, batch, data, artifacts, scale):
        self.batch, self.artifacts, self.scale = batch, artifacts, scale
        self.tmp = tempfile.mkdtemp(prefix="velmora-e2e-")
        self.folder, self.twin = os.path.join(self.tmp, "program"), os.path.join(self.tmp, "twin")
        for folder in (self.folder, self.twin):
            os.mkdir(folder)
            for entry in DATA:
                if os.path.isdir(os.path.join(data, entry)):
                    shutil.copytree(os.path.join(data, entry), os.path.join(folder, entry))
                else:
                    shutil.copy(os.path.join(data, entry), folder)
        shutil.copy(exe, os.path.join(self.folder, "velmora"))
        self.log = open(os.path.join(artifacts, "window_e2e-%sx.log" % scale), "w")
        self.xvfb = self.app = self.holder = None
        self.env = None

    def say(self, text):
        self.log.write(text + "\n")
        self.log.flush()

    def start(self):
        read_end, write_end = os.pipe()
        # -noreset: the server stays up whichever client leaves last.
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "2560x2048x24",
                                      "-nolisten", "tcp", "-noreset"], pass_fds=[write_end],
                                     stdout=self.log, stderr=self.log, start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 30
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or self.xvfb.poll() is not None:
                raise Failure("Xvfb did not say its display")
            if select.select([read_end], [], [], 1)[0]:
                number += os.read(read_end, 16) or b"\n"
        os.close(read_end)
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip(), QT_QPA_PLATFORM="xcb",
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                        QT_SCALE_FACTOR=str(self.scale), HOME=self.tmp, XDG_RUNTIME_DIR=self.tmp)
        self.env.pop("WAYLAND_DISPLAY", None)
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        self.app = subprocess.Popen([os.path.join(self.folder, "velmora")], env=self.env, stdin=subprocess.DEVNULL,
                                    stdout=self.log, stderr=self.log, start_new_session=True)

    def close(self):
        stop(self.holder, self.app, self.xvfb)
        self.log.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), env=self.env, timeout=30, check=True)
        time.sleep(0.15)

    def type_text(self, text):
        names = {"[": "bracketleft", "]": "bracketright", " ": "space"}
        for char in text:
            self.key(names.get(char, "shift+" + char.lower() if char.isupper() else char))

    def focus_main_window(self):
        """Xvfb has no window manager to give the focus back when a window closes."""
        for wid in subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velmora$"], env=self.env,
                                  capture_output=True, text=True, timeout=30).stdout.split():
            subprocess.run(["xdotool", "windowfocus", "--sync", wid], env=self.env, timeout=30)
            time.sleep(0.3)
            return
        raise Failure("the main window is not visible")

    def shot(self, name):
        path = os.path.join(self.artifacts, "%s-%sx.png" % (name, self.scale))
        subprocess.run(["import", "-window", "root", path], env=self.env, timeout=60)
        self.say("screenshot " + path)

    def same_as_batch(self, args, what):
        result = subprocess.run([self.batch, "--folder", self.twin] + args, capture_output=True, text=True,
                                stdin=subprocess.DEVNULL, timeout=120)
        self.say("velmora-batch %s: %d\n%s%s" % (args, result.returncode, result.stdout, result.stderr))
        if result.returncode != 0:
            raise Failure("velmora-batch %s ended with %d" % (args, result.returncode))
        for name in RESULTS:
            if not os.path.exists(os.path.join(self.folder, name)):
                raise Failure("%s: %s was not written" % (what, name))
            if read(os.path.join(self.folder, name)) != read(os.path.join(self.twin, name)):
                raise Failure("%s: %s differs from velmora-batch's" % (what, name))


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
    return [child for child in (app.getChildAtIndex(i) for i in range(app.childCount))
            if child is not None and child.getState().contains(pyatspi.STATE_SHOWING)]


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
    raise Failure("no %s named %r; %ss: %s" % (role, name, role, sorted(n for _, r, n in nodes(root) if r == role)))


def press(root, role, name):
    find(root, role, name).queryAction().doAction(0)


def labels(root):
    return [n for _, r, n in nodes(root) if r == "label" and n]


def focused(app):
    import pyatspi
    for frame in showing_frames(app):
        for node, role, name in nodes(frame):
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                return role, name
    return None


def tab_to(s, app, role, name):
    """Presses Tab until the control has the focus, as a keyboard user does."""
    for _ in range(40):
        if focused(app) == (role, name):
            return
        s.key("Tab")
    raise Failure("Tab never reaches %s %r" % (role, name))


def message(app, text, what):
    """The message box showing, once its text holds text."""
    box = wait(what, lambda: frame_holding(app, "push button", "OK"), 60)
    if not any(text in n for n in labels(box)):
        raise Failure("%s reads %s" % (what, labels(box)))
    return box


# ---- the steps -------------------------------------------------------------------------

def main_window_reads_as_shown(s, app, key_text):
    main = wait("the main window", lambda: frame_holding(app, "push button", "Search transcriptions"), 60)
    wanted = {"push button": ["Search transcriptions", "Search orthography", "Exit",
                              "Reset button:  use these choices in current run"],
              "check box": ["Ignore box %d when sorting" % n for n in range(1, 6)] +
                           ["Search syllabified data", "Search vowels only",
                            "Exclude compounds and productively affixed forms from the search"],
              "label": ["Small check boxes:  ignore this item when sorting the output", "Key", "Options",
                        "Use this input file:"],
              "text": ["Box %d" % n for n in range(1, 6)] + ["Input file name", "Orthography search string"]}
    for role, names in wanted.items():
        for name in names:
            find(main, role, name)
    if not any(key_text in n for n in labels(main)):
        raise Failure("the key's text cannot be read: labels are %s" % [n[:40] for n in labels(main)])
    s.shot("main")

    controls = {(r, n) for _, r, n in nodes(main) if r in ("push button", "text", "check box") and n}
    seen = set()
    for _ in range(3 * len(controls)):
        s.key("Tab")
        seen.add(wait("a focused control", lambda: focused(app), 5))
        if controls <= seen:
            break
    if controls - seen:
        raise Failure("Tab does not reach %s" % sorted(controls - seen))
    return main


def enter_with_empty_boxes_asks_for_items(s, app):
    tab_to(s, app, "text", "Box 1")
    s.key("Return")
    message(app, "Please type segments or natural classes", "the message for empty boxes")
    s.shot("message")
    s.key("Return")
    wait("the message box to close", lambda: frame_holding(app, "push button", "OK") is None)
    s.focus_main_window()


def search_from_the_keyboard(s, app, main):
    for box, item in enumerate(ITEMS, start=1):
        tab_to(s, app, "text", "Box %d" % box)
        s.type_text(item)
    for option in OPTIONS:
        tab_to(s, app, "check box", option)
        s.key("space")
    tab_to(s, app, "text", "Box 1")
    s.key("Return")
    # The viewer opens in place of the main window; the search button reads its end caption.
    viewer = wait("the viewer", lambda: frame_holding(app, "label", VIEWER), 60)
    find(main, "push button", DONE)
    s.same_as_batch(sum(OPTIONS.values(), []) + ITEMS, "the search run from the keyboard")
    return viewer


def viewer_and_help_read_as_shown(s, app, viewer):
    for name in ("Full-size output file", "Small output file", "Spreadsheet", "Word processor or text editor"):
        find(viewer, "label", name)
    for name in ("Full, spreadsheet", "Medium, spreadsheet", "Small, spreadsheet", "Full, word processor",
                 "Medium, word processor", "Small, word processor", "Return to main menu", "Exit program",
                 "Save these choices"):
        find(viewer, "push button", name)
    s.shot("viewer")
    press(viewer, "menu item", "Help")
    help_window = wait("the help window", lambda: frame_holding(app, "push button", "Exit help"))

    def topic_text():
        texts = [n for n in labels(help_window) if len(n) > 200]
        return texts[0] if texts else None
    first = wait("the help topic's text", topic_text)
    s.shot("help")
    press(help_window, "push button", "Natural classes")
    second = wait("the next topic's text", lambda: topic_text() if topic_text() != first else None)
    if "class" not in second.lower():
        raise Failure("the natural classes topic reads %r" % second[:80])
    press(help_window, "push button", "Exit help")
    wait("the help window to close", lambda: frame_holding(app, "push button", "Exit help") is None)


def file_in_use_is_retried(s, app, viewer):
    """MediumOutput.txt replaced by a running program's own file, which may
    not be written while it runs (even by root)."""
    press(viewer, "push button", "Return to main menu")
    wait("the main window", lambda: frame_holding(app, "push button", DONE))
    s.focus_main_window()
    medium = os.path.join(s.folder, "MediumOutput.txt")
    shutil.copy("/bin/sleep", medium)
    held = read(medium)
    s.holder = subprocess.Popen([medium, "600"], start_new_session=True)
    time.sleep(0.5)
    tab_to(s, app, "text", "Box 1")
    s.key("Return")
    message(app, IN_USE, "the file-in-use message")
    s.key("Return")
    time.sleep(1)
    message(app, IN_USE, "the file-in-use message after OK while the file is held")
    if read(medium) != held:
        raise Failure("the file held by another program was changed")
    stop(s.holder)
    s.key("Return")
    viewer = wait("the viewer after the retry", lambda: frame_holding(app, "label", VIEWER), 60)
    s.same_as_batch(sum(OPTIONS.values(), []) + ITEMS, "the search after the retry")
    return viewer


def run(s, data):
    with open(os.path.join(data, "SegmentKey.txt"), encoding="utf-8", errors="replace") as f:
        key_text = f.readline().strip()
    s.start()
    app = wait("velmora on the accessibility bus", application, 60)
    main = main_window_reads_as_shown(s, app, key_text)
    enter_with_empty_boxes_asks_for_items(s, app)
    viewer = search_from_the_keyboard(s, app, main)
    viewer_and_help_read_as_shown(s, app, viewer)
    viewer = file_in_use_is_retried(s, app, viewer)
    press(viewer, "push button", "Exit program")
    deadline = time.monotonic() + 30
    while s.app.poll() is None and time.monotonic() < deadline:
        time.sleep(0.2)
    if s.app.returncode != 0:
        raise Failure("Exit program: velmora %s" % ("still runs" if s.app.returncode is None
                                                     else "ended with status %d" % s.app.returncode))


def main():
    if len(sys.argv) not in (5, 6):
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
    exe, batch, data, artifacts = sys.argv[1:5]
    os.makedirs(artifacts, exist_ok=True)
    s = Session(exe, batch, data, artifacts, sys.argv[5] if len(sys.argv) == 6 else "1")
    try:
        run(s, data)
    except Failure as failure:
        s.shot("failure")
        print("FAILED: %s (see %s)" % (failure, artifacts))
        return 1
    finally:
        s.close()
    print("passed; screenshots in", artifacts)
    return 0


if __name__ == "__main__":
    sys.exit(main())
