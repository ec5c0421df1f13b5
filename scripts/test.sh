#!/usr/bin/env bash
# Installs what is missing, builds Velmora with warnings as errors and runs
# every test and each fuzz target briefly; then builds again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests once more.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# The fuzz targets, briefly, on their seed corpora (clang's libFuzzer).
if [ -f fuzz/run.sh ]; then
  bash fuzz/run.sh build-fuzz 30
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export VELMORA_SKIP_DATA_REBUILD=1   # the data rebuild is checked once, above
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELMORA_WERROR=ON -DVELMORA_SANITIZE=ON
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure -j"$jobs" -LE nosan)
