#!/usr/bin/env python3
"""The real velmora window used as a person would, under Xvfb with xdotool.

Usage: window_e2e.py VELMORA VELMORA_BATCH DATA_FOLDER ARTIFACT_FOLDER

The program runs on a copy of its program folder (it writes its result files
and UserSettings.txt beside itself). Items are typed into the boxes, options
ticked and buttons clicked at the places the window's control table gives
them; every step leaves a screenshot in ARTIFACT_FOLDER. The six result files
of each search are compared with those of velmora-batch run on a second copy
of the folder with the same choices, so the window is held to the same
results byte for byte.

When the test runs as root, the program runs as the user nobody, so that a
result file made read-only really cannot be written: that drives the
file-in-use message and its retry.

Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, xdotool or import).
"""

import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time

from e2e_support import DATA, Failure, copy_data, start_xvfb, stop

SKIP = 77
TWIPS_PER_PIXEL = 15
RESULT_FILES = ["FullOutput.txt", "MediumOutput.txt", "SmallOutput.txt",
                "ResultsOfSearchInInputFormat.txt", "Hits.txt", "Misses.txt"]
NOBODY = 65534

# Client-area sizes in pixels: the main window, the viewer, the help window.
MAIN_CLIENT = (14265 // TWIPS_PER_PIXEL, 8190 // TWIPS_PER_PIXEL)
VIEWER_WIDTH = 9075 // TWIPS_PER_PIXEL
HELP_TITLE = "Velmora - Help"


def px(twips):
    return (twips + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL


class Session:
    """One X server, one velmora process, and the steps taken on them."""

    def __init__(self, exe, batch, data, artifacts):
        self.exe, self.batch, self.data, self.artifacts = exe, batch, data, artifacts
        self.step = 0
        self.xvfb = None
        self.app = None
        self.env = None
        self.tmp = tempfile.mkdtemp(prefix="velmora-e2e-")
        os.chmod(self.tmp, 0o755)
        self.as_nobody = os.geteuid() == 0 and shutil.which("setpriv") is not None
        self.log = open(os.path.join(artifacts, "window_e2e.log"), "w")

    # ---- set-up and tear-down ---------------------------------------------------

    def make_folder(self, name, with_exe):
        folder = os.path.join(self.tmp, name)
        os.mkdir(folder)
        copy_data(self.data, folder)
        if with_exe:
            shutil.copy(self.exe, os.path.join(folder, "velmora"))
        return folder

    def start_x(self):
        self.xvfb, display = start_xvfb("1280x1024x24", self.log)
        self.env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        self.env.pop("WAYLAND_DISPLAY", None)
        self.say("Xvfb on display " + self.env["DISPLAY"])

    def start_app(self, folder, file_size_limit=None):
        """Starts velmora from the folder; with file_size_limit no file it
        writes may grow beyond that many bytes (a write past it fails with
        "File too large"), as on a disk that fills up."""
        argv = [os.path.join(folder, "velmora")]
        # A copy that may not write beside itself works in the user's folder: never the real one.
        env = dict(self.env, XDG_DATA_HOME=os.path.join(self.tmp, "xdg"))
        if self.as_nobody:
            home = os.path.join(self.tmp, "home")
            os.makedirs(home, mode=0o700, exist_ok=True)
            for root, dirs, files in os.walk(self.tmp):
                for entry in dirs + files:
                    os.lchown(os.path.join(root, entry), NOBODY, NOBODY)
            env.update(HOME=home, XDG_RUNTIME_DIR=home)
            argv = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups"] + argv
        if file_size_limit is not None:
            argv = ["sh", "-c", "trap '' XFSZ; exec \"$@\"", "sh", "prlimit", "--fsize=%d:unlimited" % file_size_limit] + argv
        self.app = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
                                    start_new_session=True)

    def close(self):
        stop(self.app, self.xvfb)
        self.log.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    # ---- the X side ---------------------------------------------------------------

    def say(self, text):
        self.log.write(text + "\n")
        self.log.flush()

    def x(self, *args):
        result = subprocess.run(list(args), env=self.env, capture_output=True, text=True, timeout=60)
        return result.stdout

    def windows(self):
        """The visible top-level windows of the program: (id, title, x, y, w, h)."""
        found = []
        for wid in self.x("xdotool", "search", "--onlyvisible", "--name", "^Velmora").split():
            title = self.x("xdotool", "getwindowname", wid).strip()
            geometry = {}
            for line in self.x("xdotool", "getwindowgeometry", "--shell", wid).split():
                key, _, value = line.partition("=")
                geometry[key] = int(value) if value.lstrip("-").isdigit() else value
            if {"X", "Y", "WIDTH", "HEIGHT"} <= geometry.keys():
                found.append((wid, title, geometry["X"], geometry["Y"], geometry["WIDTH"], geometry["HEIGHT"]))
        return found

    def kind(self, window):
        _, title, _, _, width, height = window
        if title == HELP_TITLE:
            return "help"
        if title != "Velmora" and not title.startswith("Velmora - /"):  # the user's folder named
            return "other"
        if width == MAIN_CLIENT[0] and height > MAIN_CLIENT[1]:
            return "main"
        if width == VIEWER_WIDTH:
            return "viewer"
        return "message"

    def shown(self):
        return {self.kind(w): w for w in self.windows()}

    def wait(self, what, predicate, timeout=90, may_end=False):
        """Polls predicate until it gives a true value, which it returns."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if not may_end and self.app is not None and self.app.poll() is not None:
                raise Failure("velmora ended (status %s) while waiting for %s" % (self.app.returncode, what))
            value = predicate()
            if value:
                return value
            time.sleep(0.2)
        self.shot("timeout")
        raise Failure("timed out waiting for " + what + "; visible: " + repr(self.windows()))

    def wait_for(self, kind, timeout=90):
        return self.wait("the " + kind + " window", lambda: self.shown().get(kind), timeout)

    def wait_for_next_message(self, answered, timeout=60):
        """The message box that follows one answered: another window."""
        def next_message():
            shown = self.shown().get("message")
            return shown if shown is not None and shown[0] != answered[0] else None
        return self.wait("the next message", next_message, timeout)

    def wait_gone(self, kind, timeout=60):
        self.wait("the " + kind + " window to close", lambda: kind not in self.shown(), timeout)

    def shot(self, name):
        self.step += 1
        path = os.path.join(self.artifacts, "%02d-%s.png" % (self.step, name))
        self.x("import", "-window", "root", path)
        self.say("screenshot " + path)
        return path

    def click(self, x, y):
        self.x("xdotool", "mousemove", "--sync", str(x), str(y))
        self.x("xdotool", "click", "1")

    def click_control(self, window, left, top, width, height):
        """Clicks the middle of a control placed in twips in the client area,
        which lies under the menu bar at the bottom of the window."""
        _, _, wx, wy, ww, wh = window
        client_height = wh - self.menu_height(window)
        self.click(wx + px(left) + px(width) // 2, wy + (wh - client_height) + px(top) + px(height) // 2)

    def menu_height(self, window):
        kind = self.kind(window)
        if kind == "main":
            return window[5] - MAIN_CLIENT[1]
        if kind == "viewer":
            return window[5] - 5475 // TWIPS_PER_PIXEL
        return 0

    def type_into(self, window, control, text):
        self.click_control(window, *control)
        self.x("xdotool", "key", "ctrl+a", "BackSpace")
        self.x("xdotool", "type", "--delay", "40", text)

    def menu_items(self, window):
        """The x positions of the menu bar's titles, found as runs of dark
        pixels in a screenshot of the bar."""
        _, _, wx, wy, ww, _ = window
        height = self.menu_height(window)
        raw = subprocess.run(["convert", self.shot("menu-bar"), "-crop", "%dx%d+%d+%d" % (ww, height, wx, wy),
                              "+repage", "-colorspace", "Gray", "-depth", "8", "gray:-"],
                             capture_output=True, timeout=60).stdout
        if len(raw) != ww * height:
            raise Failure("could not read the menu bar's pixels")
        dark = [any(raw[row * ww + col] < 100 for row in range(height)) for col in range(ww)]
        runs, start, gap = [], None, 0
        # Letters stand a pixel or two apart; titles are padded apart by more.
        for col, is_dark in enumerate(dark + [False] * 12):
            if is_dark:
                if start is None:
                    start = col
                gap, end = 0, col
            elif start is not None:
                gap += 1
                if gap > 6:
                    runs.append((start + end) // 2)
                    start = None
        return [wx + r for r in runs], wy + height // 2

    def press_ok(self, message):
        """Answers a message box with Return, the pointer resting on it."""
        _, _, x, y, w, h = message
        self.x("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 4))
        self.x("xdotool", "key", "Return")


# ---- controls, in twips of their window's client area -------------------------------

BOX = [(120 + 2040 * i, 1440, 2000, 615) for i in range(5)]
IGNORE = [(left, 2160, 135, 195) for left in (1080, 3120, 5160, 7200, 9120)]
SEARCH_TRANSCRIPTIONS = (120, 120, 2775, 1215)
SEARCH_ORTHOGRAPHY = (5760 + 120, 240, 4215, 375)
ORTHOGRAPHY_BOX = (5760 + 120, 720, 4215, 375)
EXCLUDE = (10560, 1440, 3615, 375)
MAIN_EXIT = (10560, 7440, 3615, 615)
VIEWER_BACK = (120, 2310, 4335, 495)
VIEWER_EXIT = (4620, 2310, 4335, 495)
HELP_TOPICS = [(10935, 120 + 600 * i, 2535, 495) for i in range(9)]
HELP_EXIT = (4320, 5655, 2295, 375)
HELP_TEXT = (120, 120, 10695, 5415)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def check_same_results(gui_folder, batch_folder, what):
    for name in RESULT_FILES + ["UserSettings.txt"]:
        ours, theirs = os.path.join(gui_folder, name), os.path.join(batch_folder, name)
        if not os.path.exists(ours):
            raise Failure("%s: %s was not written" % (what, name))
        if read(ours) != read(theirs):
            raise Failure("%s: %s differs from velmora-batch's" % (what, name))


def run_batch(session, folder, args, expected_status=0):
    result = subprocess.run([session.batch, "--folder", folder] + args, capture_output=True, text=True,
                            stdin=subprocess.DEVNULL, timeout=120)
    session.say("velmora-batch %s: %d\n%s%s" % (args, result.returncode, result.stdout, result.stderr))
    if result.returncode != expected_status:
        raise Failure("velmora-batch %s ended with %d" % (args, result.returncode))


def crop_text_area(session, window, name):
    """A screenshot of the help window's text area only."""
    _, _, wx, wy, _, _ = window
    left, top, width, height = HELP_TEXT
    path = os.path.join(session.artifacts, "help-text-%s.png" % name)
    session.x("import", "-window", "root", "-crop",
              "%dx%d+%d+%d" % (px(width), px(height), wx + px(left), wy + px(top)), "+repage", path)
    return read(path)


def scenario(s):
    gui = s.make_folder("program", with_exe=True)
    twin = s.make_folder("twin", with_exe=False)
    s.start_x()
    s.start_app(gui)

    main = s.wait_for("main")
    s.shot("start")

    # A transcription search: AY1 CONSONANT CONSONANT ], Box 3 ignored when
    # sorting, annotated forms excluded.
    for box, item in enumerate(["AY1", "CONSONANT", "CONSONANT", "]"]):
        s.type_into(main, BOX[box], item)
    s.click_control(main, *IGNORE[2])
    s.click_control(main, *EXCLUDE)
    s.shot("items-typed")
    s.click_control(main, *SEARCH_TRANSCRIPTIONS)
    viewer = s.wait_for("viewer")
    if "main" in s.shown():
        raise Failure("the main window stayed visible beside the viewer")
    s.shot("viewer-after-transcription-search")
    run_batch(s, twin, ["--exclude", "--ignore", "3", "AY1", "CONSONANT", "CONSONANT", "]"])
    check_same_results(gui, twin, "transcription search")
    first_medium = read(os.path.join(gui, "MediumOutput.txt"))

    # Back, then an orthography search.
    s.click_control(viewer, *VIEWER_BACK)
    main = s.wait_for("main")
    s.wait_gone("viewer")
    s.shot("back-in-main-window")
    s.type_into(main, ORTHOGRAPHY_BOX, "ation]")
    s.shot("orthography-typed")
    s.click_control(main, *SEARCH_ORTHOGRAPHY)
    viewer = s.wait_for("viewer")
    s.shot("viewer-after-orthography-search")
    run_batch(s, twin, ["--orthography", "ation]"])
    check_same_results(gui, twin, "orthography search")

    # Help from the main window: topic 1 first, then every topic in turn.
    s.click_control(viewer, *VIEWER_BACK)
    main = s.wait_for("main")
    titles, bar_y = s.menu_items(main)
    if len(titles) != 3:
        raise Failure("the main menu bar shows %d titles, not View, Help and About" % len(titles))
    view_x, help_x, about_x = titles
    s.click(help_x, bar_y)
    helpw = s.wait_for("help")
    if "main" not in s.shown():
        raise Failure("the main window was hidden by the help window")
    s.shot("help-opened")
    texts = [crop_text_area(s, helpw, "opened")]
    for topic in range(9):
        s.click_control(helpw, *HELP_TOPICS[topic])
        time.sleep(0.3)
        texts.append(crop_text_area(s, helpw, "topic-%d" % (topic + 1)))
        s.shot("help-topic-%d" % (topic + 1))
    if texts[0] != texts[1]:
        raise Failure("the help window did not open at topic 1")
    if len(set(texts[1:])) != 9:
        raise Failure("the nine topic buttons did not show nine different texts")
    s.click_control(helpw, *HELP_EXIT)
    s.wait_gone("help")
    s.shot("help-closed")

    # About: a message box, answered.
    s.click(about_x, bar_y)
    message = s.wait_for("message")
    s.shot("about")
    s.press_ok(message)
    s.wait_gone("message")

    # View > View result of previous search opens the viewer in place of the
    # main window; the viewer's Help opens the help window at topic 3.
    s.click(view_x, bar_y)
    time.sleep(0.5)
    s.shot("view-menu-open")
    s.x("xdotool", "key", "Down", "Return")
    viewer = s.wait_for("viewer")
    s.wait_gone("main")
    s.shot("viewer-from-menu")
    viewer_titles, viewer_bar_y = s.menu_items(viewer)
    if len(viewer_titles) != 1:
        raise Failure("the viewer's menu bar shows %d titles, not Help" % len(viewer_titles))
    s.click(viewer_titles[0], viewer_bar_y)
    helpw = s.wait_for("help")
    if crop_text_area(s, helpw, "from-viewer") != texts[3]:
        raise Failure("the viewer's Help did not show topic 3")
    s.shot("help-from-viewer")
    s.click_control(helpw, *HELP_EXIT)
    s.wait_gone("help")

    # A result file that may not be written: the file-in-use message, again
    # after OK while the file is still held, and the search goes on once it
    # is free. (Needs a user whom file modes stop.)
    if s.as_nobody or os.geteuid() != 0:
        s.click_control(viewer, *VIEWER_BACK)
        main = s.wait_for("main")
        medium = os.path.join(gui, "MediumOutput.txt")
        held = read(medium)
        os.chmod(medium, 0o444)
        s.click_control(main, *SEARCH_TRANSCRIPTIONS)
        message = s.wait_for("message")
        s.shot("file-in-use-message")
        if read(medium) != held:
            raise Failure("the file held by another program was changed")
        s.press_ok(message)
        message = s.wait_for_next_message(message)
        s.shot("file-in-use-message-again")
        if read(medium) != held:
            raise Failure("the file held by another program was changed")
        os.chmod(medium, 0o644)
        s.press_ok(message)
        viewer = s.wait_for("viewer")
        s.shot("viewer-after-retry")
        if read(medium) != first_medium:
            raise Failure("after the retry MediumOutput.txt is not that of the transcription search")
        run_batch(s, twin, ["AY1", "CONSONANT", "CONSONANT", "]"])
        check_same_results(gui, twin, "search after the retry")
    else:
        s.say("running as root without setpriv: the file-in-use retry is not tried")

    # Exit program ends the process.
    s.click_control(viewer, *VIEWER_EXIT)
    s.wait("the end of the program", lambda: s.app.poll() is not None, timeout=30, may_end=True)
    s.shot("after-exit")
    if s.app.returncode != 0:
        raise Failure("velmora ended with status %d" % s.app.returncode)


def read_only_folder_scenario(s):
    """A program folder that may not be written: the settings message, then
    the general error for the first result file, and nothing on disk changes;
    the window stays usable and Exit ends the program. A copy that may not
    write beside itself works in the user's own folder, so both are read-only
    here; the title names the user's folder."""
    folder = s.make_folder("read-only", with_exe=True)
    os.makedirs(os.path.join(s.tmp, "xdg"))
    users = os.path.join(s.tmp, "xdg", "velmora")
    os.rename(s.make_folder("users-read-only", with_exe=False), users)
    for top in (folder, users):
        for root, dirs, files in os.walk(top):
            for name in dirs:
                os.chmod(os.path.join(root, name), 0o555)
            for name in files:
                os.chmod(os.path.join(root, name), 0o444)
        os.chmod(top, 0o555)
    os.chmod(os.path.join(folder, "velmora"), 0o555)
    before = sorted(os.listdir(folder))
    users_before = sorted(os.listdir(users))
    s.start_app(folder)
    main = s.wait_for("main")
    if main[1] != "Velmora - " + users:
        raise Failure("the title %r does not name the user's folder %s" % (main[1], users))
    s.type_into(main, BOX[0], "AY1")
    s.click_control(main, *SEARCH_TRANSCRIPTIONS)
    settings_message = s.wait_for("message")
    s.shot("read-only-folder-settings-message")
    s.press_ok(settings_message)
    error = s.wait_for_next_message(settings_message)
    s.shot("read-only-folder-general-error")
    s.press_ok(error)
    s.wait_gone("message")
    main = s.wait_for("main")
    if "viewer" in s.shown():
        raise Failure("the viewer opened after a search that wrote nothing")
    s.shot("read-only-folder-after-search")
    if sorted(os.listdir(folder)) != before:
        raise Failure("the read-only folder changed: %s" % sorted(os.listdir(folder)))
    if sorted(os.listdir(users)) != users_before:
        raise Failure("the read-only user's folder changed: %s" % sorted(os.listdir(users)))
    s.click_control(main, *MAIN_EXIT)
    s.wait("the end of the program", lambda: s.app.poll() is not None, timeout=30, may_end=True)
    if s.app.returncode != 0:
        raise Failure("velmora ended with status %d" % s.app.returncode)


def full_disk_scenario(s):
    """A disk that fills up while FullOutput.txt is written: the general error
    with the reason, no viewer, the earlier result files whole; once there is
    room again the same search finishes."""
    folder = s.make_folder("full-disk", with_exe=True)
    for name in RESULT_FILES:
        with open(os.path.join(folder, name), "w") as f:
            f.write("earlier " + name)
    s.start_app(folder, file_size_limit=16384)
    main = s.wait_for("main")
    s.type_into(main, BOX[0], "AY1")
    s.click_control(main, *SEARCH_TRANSCRIPTIONS)
    error = s.wait_for("message")
    s.shot("full-disk-general-error")
    s.press_ok(error)
    s.wait_gone("message")
    main = s.wait_for("main")
    if "viewer" in s.shown():
        raise Failure("the viewer opened after a search whose files were not written")
    for name in RESULT_FILES:
        if name == "ResultsOfSearchInInputFormat.txt":
            continue  # it fits under the limit
        if read(os.path.join(folder, name)) != ("earlier " + name).encode():
            raise Failure("%s lost its earlier text when the disk was full" % name)
    leftovers = [n for n in os.listdir(folder) if n not in before_full_disk(folder)]
    if leftovers:
        raise Failure("the failed search left files behind: %s" % leftovers)
    # Room again: the limit is lifted by the program's own user.
    lift = ["prlimit", "--pid", str(s.app.pid), "--fsize=unlimited:unlimited"]
    if s.as_nobody:
        lift = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups"] + lift
    subprocess.run(lift, check=True, timeout=60, stdout=s.log, stderr=s.log)
    s.click_control(main, *SEARCH_TRANSCRIPTIONS)
    viewer = s.wait_for("viewer")
    s.shot("full-disk-room-again")
    if read(os.path.join(folder, "FullOutput.txt")).count(b"\r\n") < 100:
        raise Failure("FullOutput.txt of the search with room again is too short")
    s.click_control(viewer, *VIEWER_EXIT)
    s.wait("the end of the program", lambda: s.app.poll() is not None, timeout=30, may_end=True)


def before_full_disk(folder):
    return set(DATA + RESULT_FILES + ["velmora", "UserSettings.txt"])


def main(argv):
    if len(argv) != 5:
        print(__doc__)
        return 2
    for tool in ("Xvfb", "xdotool", "import", "convert"):
        if shutil.which(tool) is None:
            print("skipped: %s is not installed" % tool)
            return SKIP
    exe, batch, data, artifacts = argv[1:]
    os.makedirs(artifacts, exist_ok=True)
    for name in os.listdir(artifacts):  # the screenshots of an earlier run
        if name.endswith(".png"):
            os.remove(os.path.join(artifacts, name))
    session = Session(exe, batch, data, artifacts)
    try:
        scenario(session)
        if session.as_nobody or os.geteuid() != 0:
            read_only_folder_scenario(session)
        if shutil.which("prlimit") is not None:
            full_disk_scenario(session)
    except Failure as failure:
        print("FAILED:", failure)
        print("screenshots and log:", artifacts)
        return 1
    finally:
        session.close()
    print("passed; screenshots in", artifacts)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
