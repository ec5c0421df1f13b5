#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Velmora with warnings as errors and runs
# every test and each fuzz target briefly; then builds again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests once more,
# and the unit tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# The package installed into a fresh Debian 12 root (debootstrap, network,
# several minutes): only when asked for.
if [ "${VELMORA_PACKAGE_INSTALL_TEST:-0}" = 1 ]; then
  bash tests/package/check_package.sh build --install
fi

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

# The unit tests once more under ThreadSanitizer: the dictionary is read and
# divided in two threads.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON -DVELMORA_BUILD_GUI=OFF \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
cmake --build build-tsan -j"$jobs" --target velmora_tests
TSAN_OPTIONS=halt_on_error=1 build-tsan/velmora_tests --gtest_brief=1
