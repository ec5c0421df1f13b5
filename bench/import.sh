#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velmora-import of the full CMU dictionary (126,046 entries) as a user runs
# it: the dictionary exported as csv by velmora-batch --export, then imported
# RUNS times (default 5), each a whole process. Prints the median wall and CPU
# time and the peak memory; fails when the median takes more than 2 s.
#
#   bash bench/import.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
build=${1:-/tmp/velmora-bench-build}
runs=${RUNS:-5}
[ -x /usr/bin/time ] || { echo "import.sh: /usr/bin/time is missing (apt-get install time)" >&2; exit 2; }
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target velmora-batch velmora-import >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/velmora-batch" --export csv --input cmudict-full.txt --out "$work/cmudict.csv" >/dev/null
for _ in $(seq "$runs"); do
  rm -rf "$work/set"
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$build/velmora-import" "$work/cmudict.csv" "$work/set" >/dev/null
  cat "$work/time" >>"$work/times"
done
sort -n "$work/times" | awk -v n="$runs" 'NR == int((n + 1) / 2) {
  printf "velmora-import of cmudict-full.txt: %.2f s wall, %.2f s CPU, %d MiB peak (median of %d)\n",
         $1, $2 + $3, $4 / 1024, n
  exit ($1 > 2.0) }'
