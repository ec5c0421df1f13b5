#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every data set searched at the speed of English per segment.

For each bundled set, and for the English set on the whole CMU dictionary,
times a narrow search ([ STOP LIQUID) and a broad one (VOWEL) as whole
processes (median of RUNS, the commands taking turns), and the start-up: the
same search over a one-entry copy of the set's dictionary. A set meets the
target when each search takes at most the start-up plus its segment count's
share of the CMU search (minus the CMU start-up). Prints the table.

    python3 bench/sets.py --build BUILD [--runs N]
"""
import argparse
import os
import shlex
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402

SEARCHES = {"narrow": ["--plain", "[", "STOP", "LIQUID"], "broad": ["--plain", "VOWEL"]}


def sets(build):
    names = sorted(n for n in os.listdir(build) if os.path.isfile(os.path.join(build, n, "in.txt")))
    return [("en (CMU)", None, "cmudict-full.txt"), ("en", None, "in.txt")] + [(n, n, "in.txt") for n in names]


def dictionary_path(build, data, input_name):
    return os.path.join(build, data, input_name) if data and input_name == "in.txt" else os.path.join(build, input_name)


def segments(path):
    entries = count = 0
    with open(path, "rb") as f:
        for line in f:
            fields = line.split(b"\t")
            if len(fields) > 1:
                entries += 1
                count += len(fields[1].split())
    return entries, count


def command(batch, folder, data, input_name, items):
    args = [batch, "--folder", folder, "--no-exclude", "--input", input_name] + (["--data", data] if data else [])
    return " ".join(map(shlex.quote, args + items)) + " >/dev/null 2>&1"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    work = tempfile.mkdtemp(prefix="velmora-sets-")
    try:
        folder = os.path.join(work, "program")
        shutil.copytree(build, folder, ignore=shutil.ignore_patterns("CMakeFiles", "src", "tests", "bench", "fuzz",
                                                                        "Testing", "_CPack_Packages", "*.deb"))
        batch = os.path.join(build, "velmora-batch")
        rows = []
        for name, data, input_name in sets(folder):
            path = dictionary_path(folder, data, input_name)
            entries, count = segments(path)
            one = "one-" + (data or "en") + ".txt"
            with open(path, "rb") as f, open(os.path.join(folder, one), "wb") as out:
                out.write(f.readline())
            jobs = {}
            for kind, items in SEARCHES.items():
                jobs[kind] = command(batch, folder, data, input_name, items)
                jobs[kind + " start-up"] = command(batch, folder, data, one, items)
            times = {kind: [] for kind in jobs}
            for _ in range(args.runs):
                for kind, cmd in jobs.items():
                    times[kind].append(measure.run_timed(cmd)[0])
            rows.append((name, entries, count, {k: statistics.median(v) for k, v in times.items()}))
        cmu = rows[0]
        print("| Set | Entries | Segments | Start-up | Narrow | Broad | Limit narrow / broad | Per segment against CMU |")
        print("|---|---|---|---|---|---|---|---|")
        for name, entries, count, t in rows:
            share = count / cmu[2]
            limits = [t[k + " start-up"] + share * (cmu[3][k] - cmu[3][k + " start-up"]) for k in SEARCHES]
            per = [(t[k] - t[k + " start-up"]) / count / ((cmu[3][k] - cmu[3][k + " start-up"]) / cmu[2])
                   for k in SEARCHES]
            met = all(t[k] <= limit for k, limit in zip(SEARCHES, limits))
            print("| %s | %d | %d | %.1f ms | %.1f ms | %.1f ms | %.1f / %.1f ms (%s) | %.2f x / %.2f x |" % (
                name, entries, count, 1000 * t["narrow start-up"], 1000 * t["narrow"], 1000 * t["broad"], 1000 * limits[0], 1000 * limits[1],
                "met" if met else "missed", per[0], per[1]))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
