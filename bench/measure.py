#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end benchmarks of velmora-batch against grep pipelines and plain copying.

For every job and dictionary this runs, interleaved and repeatedly:
  * velmora-batch on a folder reset to a fresh copy of the bundled data (first
    search of a run: read, divide, search, six result files);
  * a grep -E pipeline over the same input file that finds the same matching
    lines (classes spelled out as alternations) and writes them to a file;
  * on request, a copy baseline: cat of the input file and dd of files of the
    six outputs' sizes.
It checks once per job that the pipeline's lines are exactly the entries that
Velmora marks in Hits.txt, measures peak memory with /usr/bin/time -v, runs the
Google Benchmark microbenchmark when it was built, and writes a Markdown report.

Only the Python standard library is used. See bench/README.md.
"""
import argparse
import datetime
import json
import os
import platform
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

OUTPUTS = ["FullOutput.txt", "MediumOutput.txt", "SmallOutput.txt",
           "ResultsOfSearchInInputFormat.txt", "Hits.txt", "Misses.txt"]
DATA_FILES = ["in.txt", "cmudict-full.txt", "AllSegments.txt", "SegmentKey.txt",
              "ExcludedTokens.txt", "LegalOnsets.txt"]
CLASS_FOLDERS = ["NaturalClasses", "SyllabifiedNaturalClasses"]
DICTIONARIES = [("bundled", "in.txt"), ("CMU", "cmudict-full.txt")]

ANALYSIS_MARKER = "<!-- Hand-written below this line; bench/measure.py keeps it. -->"

# Targets (ratios are of medians measured in the same run).
MAX_RATIO_EACH = 1.0        # bundled: Velmora / pipeline, every job
MAX_RATIO_MEDIAN = 1.0      # bundled: median job
MAX_GROWTH = 7.5            # CMU time / bundled time, every job
MAX_RATIO_CMU = 2.0         # CMU: Velmora / pipeline, every job (the orthography "" job: against the copy)
MAX_RATIO_CMU_MEDIAN = 1.0  # CMU: median job
MAX_COPY_RATIO_ALL = 1.5    # CMU: the orthography "" job, Velmora / copy of its bytes
MAX_FAULTS_NARROW = 1500    # CMU: page faults of the narrow search
MAX_COPY_RATIO = 4.0        # CMU: Velmora / copy baseline, every job
MAX_RSS_MB = {"bundled": 30.0, "CMU": 120.0}   # MB = 10^6 bytes
MIN_POSITIONS_PER_S = 100e6
MAX_FROZEN_MS = 100.0       # longest stretch without an event-loop turn (our reading of "responsive")


def make_program_folder(data, work):
    """A program folder "data" in work holding a copy of the bundled data; its path."""
    folder = os.path.join(work, "data")
    os.mkdir(folder)
    for name in DATA_FILES:
        shutil.copy(os.path.join(data, name), folder)
    for name in CLASS_FOLDERS:
        shutil.copytree(os.path.join(data, name), os.path.join(folder, name))
    return folder


def read_list(path):
    with open(path, encoding="latin-1") as f:
        return [line.strip() for line in f if line.strip()]


def alt(symbols):
    return "(" + "|".join(symbols) + ")"


def bash_regex(regex):
    """The regex as a bash $'...' word (only TAB needs escaping here)."""
    assert "'" not in regex and "\\" not in regex
    return "$'" + regex.replace("\t", "\\t") + "'"


def make_jobs(data):
    plain = lambda name: read_list(os.path.join(data, "NaturalClasses", name + ".txt"))
    syll = lambda name: read_list(os.path.join(data, "SyllabifiedNaturalClasses", name + ".txt"))
    segments = read_list(os.path.join(data, "AllSegments.txt"))
    C = alt(plain("CONSONANT"))
    vowels = plain("VOWEL")
    nonvowels = [s for s in segments if s not in vowels and s not in ("[", "]")]
    f1 = "^[^\t]*\t"           # field 1 and its TAB
    f12 = "^[^\t]*\t[^\t]*\t"  # fields 1-2 and their TABs
    # (key, title, velmora options, regex for grep -E over the dictionary lines,
    #  counts among the six jobs of the issue)
    return [
        ("ay1cc", "`AY1 CONSONANT CONSONANT ]`", ["--plain", "--no-vowels", "AY1", "CONSONANT", "CONSONANT", "]"],
         f1 + "([^\t]* )?AY1 " + C + " " + C + "\t", True),
        ("cons", "`CONSONANT`", ["--plain", "--no-vowels", "CONSONANT"],
         f1 + "([^\t]* )?" + C + "[ \t]", True),
        ("vowel1", "`[ vowel ]` --vowels", ["--plain", "--vowels", "[", "vowel", "]"],
         f1 + "(" + alt(nonvowels) + " )*" + alt(vowels) + "( " + alt(nonvowels) + ")*\t", True),
        ("stopcoda", "`STOP CODA` --syllabified", ["--syllabified", "--no-vowels", "STOP", "CODA"],
         f12 + "([^\t]* )?" + alt(syll("STOP")) + " " + alt(syll("CODA")) + "[ \t]", True),
        ("ation", "--orthography `ation]`", ["--plain", "--no-vowels", "--orthography", "ation]"],
         "^[^\t]*ation\t", True),
        ("all", "--orthography `\"\"`", ["--plain", "--no-vowels", "--orthography", ""],
         "", True),
        ("ccc", "`CONSONANT CONSONANT CONSONANT`", ["--plain", "--no-vowels", "CONSONANT", "CONSONANT", "CONSONANT"],
         f1 + "([^\t]* )?" + C + " " + C + " " + C + "[ \t]", False),
        ("cvcv", "`CONSONANT VOWEL CONSONANT VOWEL`",
         ["--plain", "--no-vowels", "CONSONANT", "VOWEL", "CONSONANT", "VOWEL"],
         f1 + "([^\t]* )?" + C + " " + alt(vowels) + " " + C + " " + alt(vowels) + "[ \t]", False),
    ]


def run_timed(cmd):
    """Runs a bash command line; returns (wall seconds, CPU seconds, exit status).

    CPU = user + system time of the shell and everything it waited for."""
    start = time.perf_counter()
    proc = subprocess.Popen(["bash", "-c", cmd])
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    return wall, usage.ru_utime + usage.ru_stime, proc.returncode


def peak_rss_kib(cmd):
    return peak_rss_and_faults(cmd)[0]


def peak_rss_and_faults(cmd):
    """Peak memory (KiB) and minor page faults of the command (and the shell around it)."""
    out = subprocess.run(["/usr/bin/time", "-v", "bash", "-c", cmd], capture_output=True, text=True)
    rss = faults = None
    for line in out.stderr.splitlines():
        if "Maximum resident set size" in line:
            rss = int(line.split(":")[1])
        if "Minor (reclaiming a frame) page faults" in line:
            faults = int(line.split(":")[1])
    if rss is None or faults is None:
        raise RuntimeError("no peak memory from /usr/bin/time:\n" + out.stderr)
    return rss, faults


def reset_folder(folder):
    for name in OUTPUTS + ["UserSettings.txt", "pipeline-out.txt"]:
        try:
            os.remove(os.path.join(folder, name))
        except FileNotFoundError:
            pass
    shutil.rmtree(os.path.join(folder, "copy"), ignore_errors=True)


def hit_lines(folder):
    with open(os.path.join(folder, "Hits.txt"), "rb") as f:
        return {i for i, line in enumerate(f.read().split(b"\r\n"), 1) if line == b"1"}


def grep_lines(regex, path):
    out = subprocess.run(["grep", "-nE", regex, path], capture_output=True, env=dict(os.environ, LC_ALL="C"))
    return {int(line.split(b":", 1)[0]) for line in out.stdout.splitlines()}


def machine_description(build):
    lines = []
    try:
        lscpu = subprocess.run(["lscpu"], capture_output=True, text=True).stdout
        model = next((l.split(":", 1)[1].strip() for l in lscpu.splitlines() if l.startswith("Model name")), "?")
        hyper = next((l.split(":", 1)[1].strip() for l in lscpu.splitlines() if l.startswith("Hypervisor vendor")), None)
    except OSError:
        model, hyper = platform.processor(), None
    mem_kib = 0
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith("MemTotal"):
                mem_kib = int(line.split()[1])
    osname = "?"
    if os.path.exists("/etc/os-release"):
        with open("/etc/os-release") as f:
            for line in f:
                if line.startswith("PRETTY_NAME="):
                    osname = line.split("=", 1)[1].strip().strip('"')
    compiler = "?"
    cache = os.path.join(build, "CMakeCache.txt")
    if os.path.exists(cache):
        with open(cache) as f:
            for line in f:
                if line.startswith("CMAKE_CXX_COMPILER:"):
                    path = line.split("=", 1)[1].strip()
                    compiler = subprocess.run([path, "--version"], capture_output=True, text=True).stdout.splitlines()[0]
    grep_version = subprocess.run(["grep", "--version"], capture_output=True, text=True).stdout.splitlines()[0]
    lines.append(f"- CPU: {model}, {os.cpu_count()} cores" + (f" (virtual machine, {hyper})" if hyper else ""))
    lines.append(f"- Memory: {mem_kib / 1024 / 1024:.1f} GiB; OS: {osname}, Linux {platform.release()}")
    lines.append(f"- Compiler: {compiler}, Release build; {grep_version}, LC_ALL=C")
    return lines


def git_state(repo):
    def git(*args):
        return subprocess.run(["git", "-C", repo, *args], capture_output=True, text=True).stdout.strip()
    head = git("rev-parse", "--short", "HEAD")
    dirty = git("status", "--porcelain", "--untracked-files=no", "--", "src", "CMakeLists.txt")
    return head + (" with uncommitted changes under src/" if dirty else "")


def fmt_s(seconds):
    return f"{seconds * 1000:.0f} ms" if seconds >= 0.0995 else f"{seconds * 1000:.1f} ms"


def mark(ok):
    return "yes" if ok else "**NO**"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="build folder holding velmora-batch")
    parser.add_argument("--data", required=True, help="the bundled data folder")
    parser.add_argument("--runs", type=int, default=11, help="timed runs per side and job")
    parser.add_argument("--micro", help="the microbenchmark executable (optional)")
    parser.add_argument("--out", help="write the Markdown report here")
    parser.add_argument("--jobs", help="comma-separated job keys to run (default: all)")
    parser.add_argument("--extra", action="append", default=[],
                        help="a Markdown file whose text goes into the report (repeatable)")
    args = parser.parse_args()

    batch = os.path.join(os.path.abspath(args.build), "velmora-batch")
    if not os.access(batch, os.X_OK):
        sys.exit(f"measure.py: {batch} is missing; build the velmora-batch target first")
    jobs = make_jobs(args.data)
    if args.jobs:
        wanted = args.jobs.split(",")
        jobs = [j for j in jobs if j[0] in wanted]

    work = tempfile.mkdtemp(prefix="velmora-bench-")
    folder = make_program_folder(args.data, work)

    started = datetime.datetime.now(datetime.timezone.utc)
    load_before = os.getloadavg()
    results = {}  # (dict, key) -> dict
    try:
        for dict_name, input_name in DICTIONARIES:
            input_path = os.path.join(folder, input_name)
            for key, title, options, regex, _ in jobs:
                velmora = " ".join(shlex.quote(a) for a in
                                   [batch, "--folder", folder, "--input", input_name, "--no-exclude", *options])
                velmora += " >/dev/null"
                pipeline = f"LC_ALL=C grep -E {bash_regex(regex)} {shlex.quote(input_path)} > " \
                           f"{shlex.quote(os.path.join(folder, 'pipeline-out.txt'))}"

                # Warm-up run of each side; the check that both find the same lines.
                reset_folder(folder)
                _, _, status = run_timed(velmora)
                if status != 0:
                    sys.exit(f"measure.py: velmora-batch failed ({status}) on {dict_name} {title}")
                hits = hit_lines(folder)
                sizes = {n: os.path.getsize(os.path.join(folder, n)) for n in OUTPUTS}
                lines = grep_lines(regex, input_path)
                same = hits == lines
                run_timed(pipeline)

                copy_dir = os.path.join(folder, "copy")
                copy = f"mkdir -p {shlex.quote(copy_dir)} && cat {shlex.quote(input_path)} >/dev/null"
                for n in OUTPUTS:
                    copy += (f" && dd if=/dev/zero of={shlex.quote(os.path.join(copy_dir, n))} bs=64K "
                             f"count={sizes[n]} iflag=count_bytes status=none")

                sides = ("velmora", "again", "pipeline", "copy")
                times = {side: [] for side in sides}
                cpu = {side: [] for side in sides}
                for _ in range(args.runs):
                    for side, cmd in (("velmora", velmora), ("again", velmora), ("pipeline", pipeline),
                                      ("copy", copy)):
                        # "again": the same search once more in the same folder, over the
                        # result files of the run before (the window's every later search).
                        if side != "again":
                            reset_folder(folder)
                        # No run pays for writing back the dirty pages of the one before.
                        os.sync()
                        seconds, cpu_seconds, status = run_timed(cmd)
                        if side in ("velmora", "again") and status != 0:
                            sys.exit(f"measure.py: velmora-batch failed ({status}) on {dict_name} {title}")
                        times[side].append(seconds)
                        cpu[side].append(cpu_seconds)
                rss = 0
                faults = []
                for _ in range(3):
                    reset_folder(folder)
                    r_kib, r_faults = peak_rss_and_faults(velmora)
                    rss = max(rss, r_kib)
                    faults.append(r_faults)
                results[(dict_name, key)] = {
                    "times": times, "cpu": cpu, "rss_kib": rss, "faults": statistics.median(faults),
                    "same": same, "hit_entries": len(hits),
                    "pipeline_lines": len(lines), "rows": count_rows(folder), "focus_strings": count_focus_strings(folder),
                    "output_bytes": sum(sizes.values()), "input_bytes": os.path.getsize(input_path),
                    "velmora_cmd": velmora, "pipeline_cmd": pipeline,
                }
                r = results[(dict_name, key)]
                med = {s: statistics.median(v) for s, v in times.items()}
                mcpu = {s: statistics.median(v) for s, v in cpu.items()}
                print(f"{dict_name:7} {key:9} velmora {fmt_s(med['velmora']):>8} (cpu {fmt_s(mcpu['velmora']):>8})"
                      f"  pipeline {fmt_s(med['pipeline']):>8} (cpu {fmt_s(mcpu['pipeline']):>8})"
                      f"  ratio {med['velmora'] / med['pipeline']:5.2f}  copy {fmt_s(med['copy']):>8}"
                      f"  again {fmt_s(med['again']):>8}"
                      f"  rss {rss / 1000:6.1f} MB  same lines: {same} ({len(hits)} entries)", flush=True)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    micro = run_micro(args.micro) if args.micro else None
    load_after = os.getloadavg()
    report = make_report(args, jobs, results, micro, started, load_before, load_after)
    for path in args.extra:
        if os.path.exists(path):
            with open(path) as f:
                report += "\n" + f.read()
    if args.out:
        # The hand-written analysis after the marker survives a new run.
        kept = ANALYSIS_MARKER + "\n\n## Where the time goes\n\n(not written yet)\n"
        if os.path.exists(args.out):
            with open(args.out) as f:
                previous = f.read()
            if ANALYSIS_MARKER in previous:
                kept = previous[previous.index(ANALYSIS_MARKER):]
        with open(args.out, "w") as f:
            f.write(report + "\n" + kept)
        print(f"wrote {args.out}")
    else:
        print(report)


def count_focus_strings(folder):
    # Rows of the hit table: the lines of MediumOutput.txt less its two heads.
    with open(os.path.join(folder, "MediumOutput.txt"), "rb") as f:
        return f.read().count(b"\n") - 2


def count_rows(folder):
    # Result rows of FullOutput.txt: its lines less the header and the last line.
    with open(os.path.join(folder, "FullOutput.txt"), "rb") as f:
        return sum(chunk.count(b"\n") for chunk in iter(lambda: f.read(1 << 20), b"")) - 2


def run_micro(path):
    out_json = tempfile.mktemp(suffix=".json")
    proc = subprocess.run([path, f"--benchmark_out={out_json}", "--benchmark_out_format=json",
                           "--benchmark_min_time=1"], capture_output=True, text=True)
    sys.stdout.write(proc.stdout)
    if proc.returncode != 0:
        sys.stderr.write(proc.stderr)
        return None
    with open(out_json) as f:
        data = json.load(f)
    os.remove(out_json)
    return data


def make_report(args, jobs, results, micro, started, load_before, load_after):
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    med = {k: {s: statistics.median(v) for s, v in r["times"].items()} for k, r in results.items()}
    cpu = {k: {s: statistics.median(v) for s, v in r["cpu"].items()} for k, r in results.items()}
    spread = {k: {s: (max(v) - min(v)) / statistics.median(v) for s, v in r["times"].items()}
              for k, r in results.items()}
    out = []
    w = out.append
    w("# Benchmark results\n")
    w("Written by `bash bench/run.sh` (see `bench/README.md`); do not edit by hand.\n")
    w(f"- Run: {started:%Y-%m-%d %H:%M} UTC, source at commit {git_state(repo)}")
    w(f"- {args.runs} timed runs per side and job, interleaved (Velmora, again, pipeline, copy); medians; "
      f"load average {load_before[0]:.2f} before, {load_after[0]:.2f} after")
    w("- Wall = elapsed time of the whole process (the measure of the targets); CPU = user + system time "
      "(less sensitive to other work on the machine). Spread = (slowest - fastest) / median of the wall "
      "times, a measure of the noise.")
    for line in machine_description(os.path.abspath(args.build)):
        w(line)
    w("")

    w("## End to end: velmora-batch against a grep pipeline\n")
    w("Velmora: `velmora-batch --folder F --input IN --no-exclude OPTIONS ITEMS`, whole process, on a folder "
      "reset to a fresh copy of the bundled data before every run (no UserSettings.txt, no result files). "
      "Pipeline: `LC_ALL=C grep -E REGEX IN > out.txt`, classes spelled out as alternations (commands below). "
      "\"Same lines\": the pipeline's lines are exactly the entries marked 1 in Velmora's Hits.txt. "
      "Copy: `cat IN >/dev/null` and `dd` of six files of the sizes of Velmora's six outputs. "
      "Again: the same search run once more in the same folder, over the result files of the run before "
      "(not a target; a batch process waits at exit for the old files to be freed, the window does not). "
      "Before every timed run the script calls sync, so that no run pays for the write-back of the files "
      "of the run before. "
      "Hit rows: rows of FullOutput.txt; entries: entries with at least one hit.\n")
    for dict_name, input_name in DICTIONARIES:
        w(f"### {dict_name} dictionary ({input_name})\n")
        w("| Job | Velmora wall | CPU | spread | Pipeline wall | CPU | spread | V / P wall | V / P CPU "
          "| Copy wall | V / copy | Again wall | Peak RSS | Page faults | Hit rows | Focus strings | Entries "
          "| Same lines |")
        w("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|")
        for key, title, *_ in jobs:
            k = (dict_name, key)
            if k not in results:
                continue
            r, m, c, s = results[k], med[k], cpu[k], spread[k]
            w(f"| {title} | {fmt_s(m['velmora'])} | {fmt_s(c['velmora'])} | {s['velmora']:.0%} | "
              f"{fmt_s(m['pipeline'])} | {fmt_s(c['pipeline'])} | {s['pipeline']:.0%} | "
              f"{m['velmora'] / m['pipeline']:.2f} | {c['velmora'] / max(c['pipeline'], 1e-4):.2f} | "
              f"{fmt_s(m['copy'])} | {m['velmora'] / m['copy']:.1f} | {fmt_s(m['again'])} | "
              f"{r['rss_kib'] / 1000:.1f} MB | {r['faults']:.0f} | {r['rows']} | {r['focus_strings']} | "
              f"{r['hit_entries']} | {'yes' if r['same'] else '**NO** (' + str(r['pipeline_lines']) + ')'} |")
        w("")

    w("## Targets\n")
    w("Met or not is judged on the medians of wall time (the issue's measure). Beside them, for reading "
      "through the noise of a shared machine: the same ratio of the fastest runs of each side, and of the "
      "median CPU times.\n")
    w("| Target | Job | Measured (median wall) | fastest wall | CPU | Limit | Met |")
    w("|---|---|---:|---:|---:|---:|---|")
    fastest = {k: {s: min(v) for s, v in r["times"].items()} for k, r in results.items()}

    def ratio_row(target, title, num, den, limit, digits=2):
        kn, sn = num
        kd, sd = den
        values = [stat[kn][sn] / stat[kd][sd] for stat in (med, fastest, cpu)]
        w(f"| {target} | {title} | {values[0]:.{digits}f} | {values[1]:.{digits}f} | {values[2]:.{digits}f} | "
          f"{limit:.1f} | {mark(values[0] <= limit)} |")
        return values[0]

    six = [j for j in jobs if j[4]]
    bundled_ratios = []
    for key, title, *_ in jobs:
        k = ("bundled", key)
        if k in med:
            ratio = ratio_row("bundled: Velmora / pipeline", title, (k, "velmora"), (k, "pipeline"), MAX_RATIO_EACH)
            if any(j[0] == key for j in six):
                bundled_ratios.append(ratio)
    if bundled_ratios:
        m = statistics.median(bundled_ratios)
        w(f"| bundled: median job, Velmora / pipeline | the six jobs | {m:.2f} | | | {MAX_RATIO_MEDIAN:.1f} | "
          f"{mark(m <= MAX_RATIO_MEDIAN)} |")
    for key, title, *_ in jobs:
        k, b = ("CMU", key), ("bundled", key)
        if k in med and b in med:
            ratio_row("CMU / bundled, Velmora's time", title, (k, "velmora"), (b, "velmora"), MAX_GROWTH)
    cmu_ratios = []
    for key, title, *_ in jobs:
        k = ("CMU", key)
        if k in med:
            if key == "all":
                ratio_row("CMU: Velmora / copy of its bytes", title, (k, "velmora"), (k, "copy"),
                          MAX_COPY_RATIO_ALL)
                continue
            cmu_ratios.append(ratio_row("CMU: Velmora / pipeline", title, (k, "velmora"), (k, "pipeline"),
                                        MAX_RATIO_CMU))
    if cmu_ratios:
        m = statistics.median(cmu_ratios)
        w(f"| CMU: median job, Velmora / pipeline | all but `--orthography \"\"` | {m:.2f} | | | "
          f"{MAX_RATIO_CMU_MEDIAN:.1f} | {mark(m <= MAX_RATIO_CMU_MEDIAN)} |")
    k = ("CMU", "ay1cc")
    if k in results:
        f = results[k]["faults"]
        w(f"| CMU: page faults, narrow search | `AY1 CONSONANT CONSONANT ]` | {f:.0f} | | | "
          f"{MAX_FAULTS_NARROW} | {mark(f <= MAX_FAULTS_NARROW)} |")
    for key, title, *_ in jobs:
        k = ("CMU", key)
        if k in med:
            ratio_row("CMU: Velmora / copy", title, (k, "velmora"), (k, "copy"), MAX_COPY_RATIO, digits=1)
    for dict_name, _ in DICTIONARIES:
        for key, title, *_ in jobs:
            k = (dict_name, key)
            if k in results:
                mb = results[k]["rss_kib"] * 1024 / 1e6
                w(f"| {dict_name}: peak RSS | {title} | {mb:.1f} MB | | | {MAX_RSS_MB[dict_name]:.0f} MB | "
                  f"{mark(mb <= MAX_RSS_MB[dict_name])} |")
    if micro:
        for b in micro.get("benchmarks", []):
            scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
            rate = b.get("positions", 0) / (b["real_time"] * scale)
            if rate and b["name"].startswith("BM_SearchLoop"):
                cpu_rate = b.get("positions", 0) / (b["cpu_time"] * scale)
                w(f"| search loop: start positions / s | {b['name']} | {rate / 1e6:.0f} M/s | | "
                  f"{cpu_rate / 1e6:.0f} M/s | "
                  f"{MIN_POSITIONS_PER_S / 1e6:.0f} M/s | {mark(rate >= MIN_POSITIONS_PER_S)} |")
        for b in micro.get("benchmarks", []):
            if b["name"].startswith("BM_Responsiveness"):
                for counter in ("ms_to_first_turn", "ms_between_turns", "ms_after_last_turn"):
                    v = b.get(counter, 0)
                    w(f"| CMU window: {counter.replace('_', ' ')} | {b['name'].split('/')[2]} | {v:.0f} ms | | | "
                      f"{MAX_FROZEN_MS:.0f} ms | {mark(v <= MAX_FROZEN_MS)} |")
    w("")

    if micro:
        w("## Microbenchmark (Google Benchmark, `velmora_bench`)\n")
        w("In process, over the divided bundled dictionary (read and divided once) unless named. BM_SearchLoop: the search "
          "alone (the engine's Search() into a sink that counts the hits and makes each focus string, no file). "
          "BM_SearchCommand: a whole search after the first of a run (Engine::Run: the six files "
          "written over those of the search before, every hit recorded). Start positions: what the search tests, the sum over the entries of "
          "(length - items + 1). BM_ReadDictionary, BM_Divide: the two phases of the load alone; BM_FirstSearch: "
          "a fresh engine's first search (read, divide, search, six files) without the process around it, "
          "so that the difference to the end-to-end time is exec, first-touch page faults and exit (memory "
          "freed by one iteration can be reused by the next). BM_Responsiveness: the first search of a run on the whole CMU dictionary; "
          "the longest stretches in which the window could not process events: from the start to the first "
          "progress report (reading and dividing), between two reports during the search, after the last one "
          "(finishing the files); wall time, the largest of three runs.\n")
        w("| Benchmark | Wall per search | CPU per search | Start positions / s (wall) | (CPU) | Counters |")
        w("|---|---:|---:|---:|---:|---|")
        for b in micro.get("benchmarks", []):
            counters = ", ".join(f"{n} {v:.6g}" for n, v in b.items()
                                 if n in ("positions", "matches", "hits", "focus_strings",
                                          "ms_to_first_turn", "ms_between_turns", "ms_after_last_turn",
                                          "event_turns"))
            scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
            positions = b.get("positions")
            wall_rate = f"{positions / (b['real_time'] * scale) / 1e6:.0f} M/s" if positions else ""
            cpu_rate = f"{positions / (b['cpu_time'] * scale) / 1e6:.0f} M/s" if positions else ""
            w(f"| {b['name']} | {b['real_time']:.3g} {b['time_unit']} | {b['cpu_time']:.3g} {b['time_unit']} | "
              f"{wall_rate} | {cpu_rate} | {counters} |")
        w("")

    w("## Commands\n")
    w("Velmora and pipeline command of each job on the bundled dictionary (paths of the temporary folder):\n")
    w("```")
    for key, title, *_ in jobs:
        k = ("bundled", key)
        if k in results:
            w(f"# {key}")
            w(results[k]["velmora_cmd"])
            w(results[k]["pipeline_cmd"])
    w("```\n")
    return "\n".join(out)


if __name__ == "__main__":
    main()
