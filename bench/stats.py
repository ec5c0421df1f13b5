#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The lexical statistics: velmora-batch --statistics against a narrow search, on CMU and on a million entries.

Times whole processes (start to exit, median of RUNS, the commands compared
taking turns) on the CMU dictionary: a narrow search, --statistics, and
--statistics with --functional-load and with --neighbour-lists; the measures alone after the load and a pairwise loop
on a sample come from velmora_stats_bench. Then makes a million-entry
lexicon whose transcriptions are mostly distinct (the CMU dictionary eight
times, each copy's consonants put through its own rotation of the consonant
list) and times --statistics and a narrow search on it, with peak memory.

    python3 bench/stats.py --build BUILD --data data [--out FILE] [--runs N]
"""
import argparse
import os
import re
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402

COPIES = 8
NARROW = ["--plain", "--no-vowels", "--no-exclude", "AY1", "CONSONANT", "CONSONANT", "]"]
PUBLISHED_MS_PER_WORD = 197.0  # the R package's neighbours, per word of the CMU dictionary
TARGETS = {"whole": 1.0, "ratio": 3.0, "measures": 0.3, "extra": 0.3, "growth": 10.0, "memory": 3.0}


def make_million(cmu, path):
    """The CMU entries eight times; copy k rotates every consonant k * 5 places along the consonant list."""
    with open(cmu, "rb") as f:
        lines = [line for line in f.read().split(b"\r\n") if line]
    symbols = sorted({s for line in lines for s in line.split(b"\t")[1].split()})
    consonants = [s for s in symbols if not s[-1:].isdigit()]
    with open(path, "wb") as out:
        for k in range(COPIES):
            shift = {c: consonants[(i + 5 * k) % len(consonants)] for i, c in enumerate(consonants)}
            for line in lines:
                fields = line.split(b"\t")
                fields[0] += b"" if k == 0 else b"~" + str(k).encode()
                fields[1] = b" ".join(shift.get(s, s) for s in fields[1].split())
                out.write(b"\t".join(fields) + b"\r\n")
    return len(lines) * COPIES


def timed(cmds, runs):
    """Runs the commands one after another, RUNS rounds; returns each one's list of wall times.

    Taking turns, every command meets the same load on a shared machine, so
    their ratios hold even when the times themselves do not."""
    times = [[] for _ in cmds]
    for _ in range(runs):
        for cmd, out in zip(cmds, times):
            wall, _, status = measure.run_timed(cmd)
            if status not in (0, 1):
                sys.exit(f"stats.py: {cmd} failed ({status})")
            out.append(wall)
    return times


def in_process(bench, dictionary):
    text = subprocess.run([bench, dictionary, "100"], check=True, capture_output=True, text=True).stdout
    number = lambda label: float(re.search(label + r" ([0-9.]+)", text).group(1))  # noqa: E731
    return number("measures"), number("with functional load"), number("pairwise")


def verdict(value, limit):
    return "met" if value <= limit else "missed"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--out")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    batch = os.path.join(build, "velmora-batch")
    work = tempfile.mkdtemp(prefix="velmora-stats-")
    try:
        folder = measure.make_program_folder(args.data, work)
        base = f"{shlex.quote(batch)} --folder {shlex.quote(folder)}"
        quiet = ">/dev/null 2>&1"
        narrow = " ".join(shlex.quote(a) for a in NARROW)
        run = lambda *options, runs=args.runs: timed([f"{base} {o} {quiet}" for o in options], runs)  # noqa: E731
        searches, wholes, loaded, listed = run(f"--input cmudict-full.txt {narrow}",
                                               "--statistics --input cmudict-full.txt",
                                               "--statistics --input cmudict-full.txt --functional-load",
                                               "--statistics --input cmudict-full.txt --neighbour-lists")
        median = statistics.median
        search, whole, load, lists = median(searches), median(wholes), median(loaded), median(listed)
        ratios = [w / s for w, s in zip(wholes, searches)]
        best_ratio = min(wholes) / min(searches)
        measures, with_load, pairwise_ms = in_process(os.path.join(build, "velmora_stats_bench"),
                                                      os.path.join(folder, "cmudict-full.txt"))
        entries = make_million(os.path.join(folder, "cmudict-full.txt"), os.path.join(folder, "million.txt"))
        millions, cmus, million_searches = run("--statistics --input million.txt", "--statistics --input cmudict-full.txt",
                                               f"--input million.txt {narrow}", runs=5)
        million, million_search = statistics.median(millions), statistics.median(million_searches)
        growth = statistics.median([m / c for m, c in zip(millions, cmus)])
        rss_stats = measure.peak_rss_kib(f"{base} --statistics --input million.txt {quiet}") / 1000
        rss_search = measure.peak_rss_kib(f"{base} --input million.txt {narrow} {quiet}") / 1000
    finally:
        shutil.rmtree(work, ignore_errors=True)

    cmu_words = 126046
    brute_s = pairwise_ms / 1000 * cmu_words
    per_word_us = measures / cmu_words * 1e6
    t = TARGETS
    text = (f"## Lexical statistics (`bench/stats.py`)\n\n"
            f"Whole processes, start to exit, median of {args.runs} (5 for the million entries), each command "
            f"taking turns with the others it is compared with; ratios are the median of the runs' ratios, and "
            f"best-of is the best time of one over the best of the other; the narrow search is "
            f"`{' '.join(NARROW)}`; the measures alone are `velmora_stats_bench` in process after the load "
            f"(median of 5).\n\n"
            f"| What | Time | Target |\n|---|---|---|\n"
            f"| narrow search, CMU | {search * 1000:.0f} ms (best {min(searches) * 1000:.0f} ms) | |\n"
            f"| `--statistics`, CMU | {whole * 1000:.0f} ms (best {min(wholes) * 1000:.0f} ms): "
            f"{median(ratios):.1f} x the search, best-of {best_ratio:.1f} x | "
            f"{t['whole']:g} s {verdict(whole, t['whole'])}; {t['ratio']:g} x {verdict(median(ratios), t['ratio'])} |\n"
            f"| `--functional-load` besides | {(load - whole) * 1000:+.0f} ms | {t['extra']:g} s "
            f"{verdict(load - whole, t['extra'])} |\n"
            f"| `--neighbour-lists` besides | {(lists - whole) * 1000:+.0f} ms | its output only |\n"
            f"| measures alone, CMU | {measures * 1000:.0f} ms ({with_load * 1000:.0f} ms with the functional "
            f"load) | {t['measures']:g} s {verdict(measures, t['measures'])} |\n"
            f"| `--statistics`, {entries:,} entries | {million * 1000:.0f} ms ({growth:.1f} x CMU) | "
            f"{t['growth']:g} x {verdict(growth, t['growth'])} |\n"
            f"| peak memory, {entries:,} entries | {rss_stats:.0f} MB against {rss_search:.0f} MB for the narrow "
            f"search ({million_search * 1000:.0f} ms) | {t['memory']:g} x "
            f"{verdict(rss_stats / rss_search, t['memory'])} |\n\n"
            f"A pairwise loop (edit distance of each word against every entry, in process, 100 words sampled) takes "
            f"{pairwise_ms:.1f} ms per word: {brute_s / 60:.0f} minutes for the CMU dictionary, "
            f"{brute_s / measures:,.0f} x the measures. The measures take {per_word_us:.1f} µs per word, against "
            f"the published {PUBLISHED_MS_PER_WORD:g} ms per word of the regular-expression tool "
            f"({PUBLISHED_MS_PER_WORD * 1000 / per_word_us:,.0f} x).\n")
    print(text)
    if args.out:
        with open(args.out, "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
