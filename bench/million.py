#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A million entries: the whole CMU dictionary eight times over, each copy's spellings made distinct.

Makes the lexicon (not committed; about 63 MB, in a temporary folder), then
times velmora-batch's first search on it and on the CMU dictionary for a
narrow and a broad job, with peak memory, and a search after the first over
the same load (the window's second search: a --queries run of the job twice,
less a run of it once).

    python3 bench/million.py --build BUILD --data data [--out FILE]
"""
import argparse
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402

COPIES = 8
MAX_GROWTH = 8.0       # million / CMU first-search time
MAX_RSS_MB = 600.0
MAX_SECOND_S = 0.5
JOBS = [("narrow", ["AY1", "CONSONANT", "CONSONANT", "]"]), ("broad", ["CONSONANT"])]


def make_million(cmu, path):
    with open(cmu, "rb") as f:
        lines = [line for line in f.read().split(b"\r\n") if line]
    with open(path, "wb") as out:
        for k in range(COPIES):
            suffix = b"" if k == 0 else b"~" + str(k).encode()
            for line in lines:
                spelling, rest = line.split(b"\t", 1)
                out.write(spelling + suffix + b"\t" + rest + b"\r\n")
    return len(lines) * COPIES


def timed(cmd, runs=3):
    times = []
    for _ in range(runs):
        wall, _, status = measure.run_timed(cmd)
        if status not in (0, 1):
            sys.exit(f"million.py: {cmd} failed ({status})")
        times.append(wall)
    return statistics.median(times)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--out")
    args = parser.parse_args()
    batch = os.path.join(os.path.abspath(args.build), "velmora-batch")
    work = tempfile.mkdtemp(prefix="velmora-million-")
    rows = []
    try:
        folder = measure.make_program_folder(args.data, work)
        entries = make_million(os.path.join(folder, "cmudict-full.txt"), os.path.join(folder, "million.txt"))
        for key, items in JOBS:
            words = " ".join(shlex.quote(a) for a in items)
            base = f"{shlex.quote(batch)} --folder {shlex.quote(folder)} --plain --no-vowels --no-exclude"
            cmu = timed(f"{base} --input cmudict-full.txt {words} >/dev/null 2>&1")
            big = timed(f"{base} --input million.txt {words} >/dev/null 2>&1")
            rss = measure.peak_rss_kib(f"{base} --input million.txt {words} >/dev/null 2>&1") / 1000
            q1 = os.path.join(work, "q1.txt")
            q2 = os.path.join(work, "q2.txt")
            line = f"--input million.txt --plain --no-vowels --no-exclude {words}\n"
            with open(q1, "w") as f:
                f.write(line)
            with open(q2, "w") as f:
                f.write(line * 2)
            out = os.path.join(work, "out")
            once = timed(f"rm -rf {out}; {shlex.quote(batch)} --folder {shlex.quote(folder)} "
                         f"--queries {q1} --out {out} >/dev/null 2>&1")
            twice = timed(f"rm -rf {out}; {shlex.quote(batch)} --folder {shlex.quote(folder)} "
                          f"--queries {q2} --out {out} >/dev/null 2>&1")
            rows.append((key, " ".join(items), cmu, big, rss, max(0.0, twice - once)))
    finally:
        shutil.rmtree(work, ignore_errors=True)

    text = (f"## A million entries\n\n{entries:,} entries (the CMU dictionary {COPIES} times, spellings made "
            f"distinct); first search from start to exit, median of 3; the search after the first over the same "
            f"load is a `--queries` run of the job twice less a run of it once.\n\n"
            f"| Job | CMU | Million | Growth (max {MAX_GROWTH:g}) | Peak memory (max {MAX_RSS_MB:g} MB) | "
            f"Second search (max {MAX_SECOND_S} s) |\n|---|---|---|---|---|---|\n")
    for key, items, cmu, big, rss, second in rows:
        growth = big / cmu
        text += (f"| `{items}` | {cmu * 1000:.0f} ms | {big * 1000:.0f} ms | {growth:.1f} "
                 f"{'met' if growth <= MAX_GROWTH else 'missed'} | {rss:.0f} MB "
                 f"{'met' if rss <= MAX_RSS_MB else 'missed'} | {second:.3f} s "
                 f"{'met' if second <= MAX_SECOND_S else 'missed'} |\n")
    print(text)
    if args.out:
        with open(args.out, "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
