#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Velmora in Release and runs every benchmark: velmora-batch end to end
# against grep pipelines and a copy baseline, peak memory, and the in-process
# microbenchmark. Prints the numbers and writes bench/RESULTS.md.
#
#   bash bench/run.sh [BUILD_DIR]
#
# BUILD_DIR defaults to /tmp/velmora-bench-build. Environment: RUNS (timed runs
# per side and job, default 11), JOBS (comma-separated job keys, default all),
# OUT (report file, default bench/RESULTS.md).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
build=${1:-/tmp/velmora-bench-build}
runs=${RUNS:-11}
out=${OUT:-$here/RESULTS.md}

for tool in cmake python3 grep dd; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "run.sh: /usr/bin/time is missing (apt-get install time)" >&2; exit 2; }

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target velmora-batch velmora_bench velmora_pattern_bench velmora_stats_bench

# Many queries over one load, a million entries and the search language's
# worst case: sections of their own, put into the report by measure.py.
extra=$(mktemp -d)
trap 'rm -rf "$extra"' EXIT
python3 "$here/queries.py" --build "$build" --data "$repo/data" --out "$extra/queries.md"
python3 "$here/million.py" --build "$build" --data "$repo/data" --out "$extra/million.md"
python3 "$here/stats.py" --build "$build" --data "$repo/data" --out "$extra/stats.md"
{
  echo "## The search language's worst case (velmora_pattern_bench)"
  echo
  echo '```'
  "$build/velmora_pattern_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
    grep -E 'median|Benchmark'
  echo '```'
} > "$extra/pattern.md"

args=(--build "$build" --data "$repo/data" --runs "$runs" --micro "$build/velmora_bench" --out "$out"
      --extra "$extra/queries.md" --extra "$extra/million.md" --extra "$extra/stats.md" --extra "$extra/pattern.md")
[ -n "${JOBS:-}" ] && args+=(--jobs "$JOBS")
python3 "$here/measure.py" "${args[@]}"
