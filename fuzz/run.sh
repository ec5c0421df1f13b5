#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang in the folder $1 (default build-fuzz) and
# runs each for $2 seconds (default 30) on a copy of its seed corpus, so the
# corpus in the repository never grows here. Fails when any target finds a
# crash, a leak, undefined behaviour or a broken invariant; the input that
# did it is kept in $1/fuzz-run/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-30}
targets=(dictionary settings inventory classes search features word_list import_csv import_ipa import_cmu)

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_FUZZ=ON -DVELMORA_BUILD_GUI=OFF -DVELMORA_WERROR=ON
cmake --build "$build" --target velmora_fuzz -j"$(nproc)"

work="$(cd "$build" && pwd)/fuzz-run"
rm -rf "$work"
mkdir -p "$work/artifacts"
# The targets write their program folders under TMPDIR, a few small files per
# input: in memory when possible, as a disk makes them many times slower.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  tmp=$(mktemp -d /dev/shm/velmora-fuzz.XXXXXX)
else
  tmp="$work/tmp"
  mkdir -p "$tmp"
fi
trap 'rm -rf "$tmp"' EXIT
status=0
for target in "${targets[@]}"; do
  cp -r "fuzz/corpus/$target" "$work/corpus-$target"
  log="$work/$target.log"
  if TMPDIR="$tmp" "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
       -max_len=20000 -print_final_stats=1 -artifact_prefix="$work/artifacts/$target-" \
       "$work/corpus-$target" >"$log" 2>&1; then
    echo "fuzz_$target: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs in ${seconds}s, no findings"
  else
    echo "fuzz_$target FAILED (log: $log):"
    tail -n 60 "$log"
    status=1
  fi
done
exit $status
