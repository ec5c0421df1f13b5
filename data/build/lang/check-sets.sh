#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test: IpaFeatures.txt and the bundled data sets of other languages equal a
# fresh build from their pinned sources, byte for byte (README.md and
# SegmentKey.txt are written by hand and not compared). A set whose pinned
# source cannot be had here is skipped with a notice. Exit 0 equal, 1
# different, 77 skipped (no set could be rebuilt, node or npm missing, or
# VELMORA_SKIP_DATA_REBUILD set).
#
#   bash data/build/lang/check-sets.sh PATH/TO/velmora-import
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$(cd "$here/../.." && pwd)
tool=${1:?usage: check-sets.sh PATH/TO/velmora-import}
names=(it es fr de en-ipa)

if [ -n "${VELMORA_SKIP_DATA_REBUILD:-}" ]; then
  echo "SKIPPED: VELMORA_SKIP_DATA_REBUILD is set; the data sets were not rebuilt"
  exit 77
fi
for program in npm node apt-get dpkg-deb; do
  if ! command -v "$program" >/dev/null; then
    echo "SKIPPED: $program is not installed; the data sets cannot be rebuilt here"
    exit 77
  fi
done

out=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$out" "$log"' EXIT

# Each set is rebuilt on its own, so that a source missing here (espeak-ng
# of the pinned version for German) skips only the sets that need it.
different=0
built=()
for name in "${names[@]}"; do
  VELMORA_IMPORT=$tool bash "$here/rebuild-sets.sh" "" "$out" "$name" > "$log" 2>&1
  status=$?
  if [ $status -eq 3 ]; then
    tail -n 3 "$log"
    echo "skipped: the set $name (a pinned source could not be had)"
    continue
  fi
  if [ $status -ne 0 ]; then
    cat "$log"
    echo "FAILED: the rebuild of $name failed (exit $status)"
    exit 1
  fi
  built+=("$name")
  while IFS= read -r file; do
    if ! cmp -s "$out/$name/$file" "$data/$name/$file"; then
      echo "differs from a fresh build: data/$name/$file"
      different=1
    fi
  done < <(cd "$out/$name" && find . -type f | sed 's|^\./||' | sort)
  while IFS= read -r file; do
    if [ ! -e "$out/$name/$file" ]; then
      echo "not produced by a fresh build: data/$name/$file"
      different=1
    fi
  done < <(cd "$data/$name" && find . -type f ! -name README.md ! -name SegmentKey.txt | sed 's|^\./||' | sort)
done
if [ ${#built[@]} -eq 0 ]; then
  echo "SKIPPED: no data set could be rebuilt here"
  exit 77
fi
if ! cmp -s "$out/IpaFeatures.txt" "$data/IpaFeatures.txt"; then
  echo "differs from a fresh build: data/IpaFeatures.txt"
  different=1
fi
if [ $different -ne 0 ]; then
  echo "FAILED: rebuild with: bash data/build/lang/rebuild-sets.sh BUILD_DIR"
  exit 1
fi
echo "the committed IPA feature table and data sets equal a fresh build: ${built[*]}"
exit 0
