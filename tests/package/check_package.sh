#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package CPack makes in a configured build folder: lintian
# finds no error, the dependencies come from dpkg-shlibdeps and include a font,
# every installed file is there, no program carries an RPATH, the metainfo and
# the desktop entry validate, and each man page formats without warnings and
# names every option of the --help it was written from.
#
# Usage: check_package.sh BUILD_DIR    (exit 0 passed, 1 failed, 77 skipped)
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in cpack lintian appstreamcli desktop-file-validate dpkg-deb man; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A fresh package: an old one would hide a broken rule.
rm -f "$build"/velmora_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; echo "FAIL: cpack -G DEB"; exit 1; }
deb=$(ls "$build"/velmora_*.deb)
echo "package: $deb"
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "$lintian_out"
! grep -q '^E:' <<<"$lintian_out" || fail "lintian reports errors"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libc6 fonts-dejavu-core; do
  grep -q "\\b$needed\\b" <<<"$depends" || fail "Depends lacks $needed"
done
app=io.github.velmora.Velmora
for path in bin/velmora bin/velmora-batch bin/velmora-syllabify share/velmora/in.txt share/velmora/AllSegments.txt \
            share/velmora/SegmentKey.txt share/velmora/NaturalClasses/CONSONANT.txt \
            share/velmora/SyllabifiedNaturalClasses share/applications/$app.desktop \
            share/icons/hicolor/scalable/apps/$app.svg share/metainfo/$app.metainfo.xml \
            share/man/man1/velmora-batch.1.gz share/man/man1/velmora-syllabify.1.gz share/doc/velmora/copyright; do
  [ -e "$root/usr/$path" ] || fail "the package lacks /usr/$path"
done
for program in velmora velmora-batch velmora-syllabify; do
  ! readelf -d "$root/usr/bin/$program" | grep -qE 'RPATH|RUNPATH' || fail "$program carries an RPATH"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" || fail "appstreamcli validate"
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop-file-validate"

for tool in velmora-batch velmora-syllabify; do
  page="$root/usr/share/man/man1/$tool.1.gz"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "man $tool: $warnings"
  text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
  for option in $("$build/$tool" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
    grep -q -- "$option" <<<"$text" || fail "man $tool does not name $option"
  done
done
[ "$failures" -eq 0 ] && echo "package checks passed" || { echo "$failures package checks failed"; exit 1; }
