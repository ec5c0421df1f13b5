#!/usr/bin/env bash
# Checks the Debian package made by CPack in a configured build folder, and
# what it installs: lintian reports no error, the metainfo is valid for
# appstreamcli, the desktop entry for desktop-file-validate, the man pages
# format without warnings and name every option --help names, the
# dependencies come from dpkg-shlibdeps and include a font, and no program
# carries an RPATH.
#
# Usage: check_package.sh BUILD_DIR    (exit 0 passed, 1 failed, 77 skipped)
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
for tool in cpack lintian appstreamcli desktop-file-validate dpkg-deb man; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A fresh package: an old one would hide a broken rule.
rm -f "$build"/velmora_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; fail "cpack -G DEB"; exit 1; }
deb=$(ls "$build"/velmora_*.deb)
echo "package: $deb"

# lintian: no errors (warnings and notes are printed for the reader).
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "$lintian_out"
if grep -q '^E:' <<<"$lintian_out"; then fail "lintian reports errors"; fi

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
dpkg-deb -f "$deb" Depends > "$unpacked/depends"
depends=$(cat "$unpacked/depends")
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libc6 fonts-dejavu-core; do
  grep -q "\\b$needed\\b" <<<"$depends" || fail "Depends lacks $needed"
done

for path in usr/bin/velmora usr/bin/velmora-batch usr/bin/velmora-syllabify \
            usr/share/velmora/in.txt usr/share/velmora/AllSegments.txt usr/share/velmora/SegmentKey.txt \
            usr/share/velmora/NaturalClasses/CONSONANT.txt usr/share/velmora/SyllabifiedNaturalClasses \
            usr/share/applications/io.github.velmora.Velmora.desktop \
            usr/share/icons/hicolor/scalable/apps/io.github.velmora.Velmora.svg \
            usr/share/metainfo/io.github.velmora.Velmora.metainfo.xml \
            usr/share/man/man1/velmora-batch.1.gz usr/share/man/man1/velmora-syllabify.1.gz \
            usr/share/doc/velmora/copyright; do
  [ -e "$unpacked/$path" ] || fail "the package lacks /$path"
done
for program in velmora velmora-batch velmora-syllabify; do
  if readelf -d "$unpacked/usr/bin/$program" | grep -qE 'RPATH|RUNPATH'; then fail "$program carries an RPATH"; fi
done

appstreamcli validate --no-net "$unpacked/usr/share/metainfo/io.github.velmora.Velmora.metainfo.xml" ||
  fail "appstreamcli validate"
desktop-file-validate "$unpacked/usr/share/applications/io.github.velmora.Velmora.desktop" || fail "desktop-file-validate"
grep -q '^Categories=.*Education;.*Science;' "$unpacked/usr/share/applications/io.github.velmora.Velmora.desktop" ||
  fail "the desktop entry lacks the Education and Science categories"

# Each man page formats cleanly and names every option of the --help it was written from.
for tool in velmora-batch velmora-syllabify; do
  page="$unpacked/usr/share/man/man1/$tool.1.gz"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "man $tool: $warnings"
  text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
  for option in $("$build/$tool" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
    grep -q -- "$option" <<<"$text" || fail "man $tool does not name $option"
  done
done

[ "$failures" -eq 0 ] && echo "package checks passed" || { echo "$failures package checks failed"; exit 1; }
