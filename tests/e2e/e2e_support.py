"""What the two window scripts share: a program folder of the bundled data, an
Xvfb that says its display, and stopping the processes they started."""
import os
import select
import shutil
import signal
import subprocess
import time

DATA = ["in.txt", "AllSegments.txt", "SegmentKey.txt", "NaturalClasses", "SyllabifiedNaturalClasses"]


class Failure(Exception):
    pass


def copy_data(data, folder):
    """Copies the bundled data files and class folders from data into folder."""
    for entry in DATA:
        source = os.path.join(data, entry)
        if os.path.isdir(source):
            shutil.copytree(source, os.path.join(folder, entry))
        else:
            shutil.copy(source, folder)


def start_xvfb(screen, log):
    """Starts Xvfb with a screen of that size; returns the process and its display (":N")."""
    read_end, write_end = os.pipe()
    # -noreset: the server stays up between a program's runs; a reset when the
    # last client leaves refused the next run's connection.
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stdout=log, stderr=log, start_new_session=True)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 30
    while not number.endswith(b"\n"):
        if time.monotonic() > deadline or xvfb.poll() is not None:
            raise Failure("Xvfb did not start")
        if select.select([read_end], [], [], 1)[0]:
            chunk = os.read(read_end, 16)
            if not chunk:
                raise Failure("Xvfb did not say its display")
            number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


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
