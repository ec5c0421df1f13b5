#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Profiles one velmora-batch job with perf on a fresh copy of the bundled data
# and prints where its time goes: the share of each phase of the run
# (inclusive) and the hottest functions (exclusive).
#
#   bash bench/profile.sh BUILD_DIR [velmora-batch options and items ...]
#   e.g. bash bench/profile.sh /tmp/velmora-bench-prof --input cmudict-full.txt --plain --no-vowels CONSONANT
#
# For readable stacks build with frame pointers and symbols, e.g.
#   cmake -S . -B /tmp/velmora-bench-prof -DCMAKE_BUILD_TYPE=RelWithDebInfo \
#     -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O3 -g -DNDEBUG -fno-omit-frame-pointer" -DVELMORA_BUILD_GUI=OFF
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
build=$1
shift
work=$(mktemp -d /tmp/velmora-profile-XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$repo"/data/*.txt "$work"/
cp -r "$repo/data/NaturalClasses" "$repo/data/SyllabifiedNaturalClasses" "$work"/
/usr/bin/time -f "wall %e s, user %U s, system %S s, peak RSS %M KiB" \
  perf record -q -F 20000 -g -o "$work/perf.data" "$build/velmora-batch" --folder "$work" --no-exclude "$@" >/dev/null
echo "== phases (inclusive share of the samples)"
perf report -i "$work/perf.data" --children --stdio -g none --percent-limit 0 2>/dev/null |
  grep -E '\] (main|_dl_start_user|velmora::(Lexicon::(LoadDictionary|LoadInventory|DivideWordsIntoPhonemes)|FindInTranscriptions|FindInOrthography|ResultFiles::(InstallANewEntry|Open|Finish)|WriteSettingsFile|Engine::(LoadClasses|Run))|velmora::HitRowWriter::Write|velmora::ParseDictionary|velmora::SymbolTable::Intern|asm_exc_page_fault|do_exit|exit_mmap|__x64_sys_write|__x64_sys_read|__x64_sys_openat)$' |
  awk '{printf "  %7s  %s\n", $1, $NF}'
echo "== hottest functions (exclusive)"
perf report -i "$work/perf.data" --no-children --stdio -g none --percent-limit 1.5 2>/dev/null |
  grep -v '^#' | grep -v '^$' | awk '{ $2=""; $3=""; $4=""; print "  " $0 }' | cut -c1-150
