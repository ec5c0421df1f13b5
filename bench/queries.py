#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Many queries over one load: velmora-batch --queries against the same queries as separate processes.

The queries: the jobs of measure.py repeated (the `--orthography ""` job once
only: each run of it writes about 150 MB) up to 900, plus 100 different
`C V C` queries (a consonant symbol, a vowel symbol, a class or a symbol),
1,000 in all, every one over the whole CMU dictionary. Both sides write the
six result files of every query: the one-load run into OUT/k, the separate
runs into the program folder, each over the files of the one before.

    python3 bench/queries.py --build BUILD --data data [--out FILE]

Prints both times and their ratio; with --out, writes them as a Markdown
section to FILE (bench/run.sh puts it into RESULTS.md).
"""
import argparse
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402

TARGET = 0.15  # one-load time / separate-processes time


def make_queries(data):
    jobs = measure.make_jobs(data)
    repeated = [opts for key, _, opts, _, _ in jobs if key != "all"]
    lines = [[*opts] for key, _, opts, _, _ in jobs if key == "all"]
    i = 0
    while len(lines) < 900:
        lines.append(list(repeated[i % len(repeated)]))
        i += 1
    consonants = measure.read_list(os.path.join(data, "NaturalClasses", "CONSONANT.txt"))
    vowels = [v for v in measure.read_list(os.path.join(data, "NaturalClasses", "VOWEL.txt")) if v.endswith("1")]
    thirds = ["CONSONANT", "]", "NASAL", "STOP"] + consonants
    cvc = []
    for c in consonants:
        for v in vowels:
            cvc.append(["--plain", "--no-vowels", c, v, thirds[len(cvc) % len(thirds)]])
    step = max(1, len(cvc) // 100)
    lines += cvc[::step][:100]
    assert len(lines) == 1000, len(lines)
    return [["--input", "cmudict-full.txt", "--no-exclude", *line] for line in lines]


def timed(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, shell=True, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--out", help="write a Markdown section here")
    args = parser.parse_args()
    batch = os.path.join(os.path.abspath(args.build), "velmora-batch")
    queries = make_queries(args.data)

    work = tempfile.mkdtemp(prefix="velmora-queries-", dir=os.environ.get("TMPDIR", "/tmp"))
    try:
        folder = measure.make_program_folder(args.data, work)
        qfile = os.path.join(work, "queries.txt")
        with open(qfile, "w") as f:
            for q in queries:
                f.write(" ".join(shlex.quote(a) for a in q) + "\n")

        out = os.path.join(work, "out")
        one_load = timed(f"{shlex.quote(batch)} --folder {shlex.quote(folder)} --queries {shlex.quote(qfile)} "
                         f"--out {shlex.quote(out)}")
        shutil.rmtree(out)
        script = os.path.join(work, "separate.sh")
        with open(script, "w") as f:
            for q in queries:
                f.write(" ".join(shlex.quote(a) for a in [batch, "--folder", folder, *q]) + " >/dev/null 2>&1\n")
        separate = timed(f"bash {shlex.quote(script)}")
    finally:
        shutil.rmtree(work, ignore_errors=True)

    ratio = one_load / separate
    met = "met" if ratio <= TARGET else "missed"
    text = (f"## Many queries over one load\n\n"
            f"1,000 queries over the whole CMU dictionary (the jobs above repeated, `--orthography \"\"` once, "
            f"and 100 different `C V C` queries), every one writing its six files.\n\n"
            f"| | Time |\n|---|---|\n"
            f"| one `--queries` run | {one_load:.2f} s |\n"
            f"| 1,000 separate runs | {separate:.2f} s |\n"
            f"| ratio (target at most {TARGET}) | {ratio:.3f} ({met}) |\n")
    print(text)
    if args.out:
        with open(args.out, "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
