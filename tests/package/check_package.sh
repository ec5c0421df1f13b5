#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package CPack makes in a configured build folder: lintian
# errors, dpkg-shlibdeps dependencies (a font among them), the installed files,
# no RPATH, valid metainfo and desktop entry, man pages that format cleanly and
# name every option of --help. With --install (root, debootstrap, network), the
# package is installed into a fresh Debian 12 root (ROOT_DIR, default a new
# temporary folder, kept only with VELMORA_KEEP_ROOT=1) and used as a new user
# would: velmora-batch from PATH, a later run keeping the user's edits, the window.
#
# Usage: check_package.sh BUILD_DIR [--install [ROOT_DIR]]   (exit 0 passed, 1 failed, 77 skipped)
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

extracted=$(mktemp -d)
trap 'rm -rf "$extracted"' EXIT
dpkg-deb -x "$deb" "$extracted"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libc6 fonts-dejavu-core; do
  grep -q "\\b$needed\\b" <<<"$depends" || fail "Depends lacks $needed"
done
app=io.github.velmora.Velmora
for path in bin/velmora bin/velmora-batch bin/velmora-syllabify bin/velmora-import share/velmora/in.txt share/velmora/AllSegments.txt \
            share/velmora/SegmentKey.txt share/velmora/NaturalClasses/CONSONANT.txt \
            share/velmora/SyllabifiedNaturalClasses share/applications/$app.desktop \
            share/icons/hicolor/scalable/apps/$app.svg share/metainfo/$app.metainfo.xml \
            share/man/man1/velmora-batch.1.gz share/man/man1/velmora-syllabify.1.gz share/man/man1/velmora-import.1.gz share/doc/velmora/copyright; do
  [ -e "$extracted/usr/$path" ] || fail "the package lacks /usr/$path"
done
for program in velmora velmora-batch velmora-syllabify velmora-import; do
  ! readelf -d "$extracted/usr/bin/$program" | grep -qE 'RPATH|RUNPATH' || fail "$program carries an RPATH"
done
appstreamcli validate --no-net "$extracted/usr/share/metainfo/$app.metainfo.xml" || fail "appstreamcli validate"
desktop-file-validate "$extracted/usr/share/applications/$app.desktop" || fail "desktop-file-validate"

for tool in velmora-batch velmora-syllabify velmora-import; do
  page="$extracted/usr/share/man/man1/$tool.1.gz"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "man $tool: $warnings"
  text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
  for option in $("$build/$tool" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
    grep -q -- "$option" <<<"$text" || fail "man $tool does not name $option"
  done
done
[ "$failures" -eq 0 ] && echo "package checks passed" || { echo "$failures package checks failed"; exit 1; }
[ "${2:-}" = --install ] || exit 0

# ---- the package installed into a fresh Debian 12 root ----
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root (debootstrap, chroot)"; exit 77; }
command -v debootstrap >/dev/null || { echo "skipped: debootstrap is not installed"; exit 77; }
root=${3:-$(mktemp -d /var/tmp/velmora-root.XXXXXX)}
mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
  [ "${VELMORA_KEEP_ROOT:-0}" = 1 ] || rm -rf --one-file-system "$root"
  rm -rf "$extracted"
}
trap cleanup EXIT
if [ ! -x "$root/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$root" "${mirror:-http://deb.debian.org/debian}" \
    >"$build/debootstrap.log" 2>&1 || { tail -20 "$build/debootstrap.log"; exit 1; }
fi
chmod 755 "$root"
for fs in proc sys dev; do
  mkdir -p "$root/$fs" && mount --bind "/$fs" "$root/$fs" && mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" >"$build/install-test-apt.log" 2>&1 ||
  { tail -30 "$build/install-test-apt.log"; exit 1; }
in_root useradd --create-home phonologist 2>/dev/null || true
as_user() {
  chroot --userspec=phonologist:phonologist "$root" env -i PATH=/usr/bin:/bin HOME=/home/phonologist LANG=C.UTF-8 "$@"
}
folder=/home/phonologist/.local/share/velmora

as_user sh -c 'cd /tmp && velmora-batch AY1 CONSONANT CONSONANT "]"' 2>&1 | tee "$build/install-test-run.log" || true
grep -q '154 hits' "$build/install-test-run.log" || fail "velmora-batch did not find the 154 hits"
for file in FullOutput.txt MediumOutput.txt SmallOutput.txt ResultsOfSearchInInputFormat.txt Hits.txt Misses.txt; do
  [ -s "$root$folder/$file" ] || fail "$folder/$file was not written"
done
[ "$(stat -c %u "$root$folder/FullOutput.txt" 2>/dev/null)" = "$(in_root id -u phonologist)" ] ||
  fail "the results do not belong to the user who searched"
as_user velmora-batch --help | grep -q "Program folder: $folder" || fail "--help does not name $folder"

printf 'mine\tM AY1 N\tM AY1 N\t\t1\t1\r\n' >"$root$folder/in.txt"
rm -f "$root$folder/NaturalClasses/LIQUID.txt"
as_user velmora-batch --no-vowels --plain AY1 >/dev/null 2>&1 || true
grep -q '^mine' "$root$folder/in.txt" || fail "a later start overwrote the edited in.txt"
[ -e "$root$folder/NaturalClasses/LIQUID.txt" ] || fail "a later start did not restore a missing class file"

# The window starts (platform plugin, fonts) and runs until it is stopped (124).
status=0
as_user env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp timeout 5 velmora >"$build/install-test-window.log" 2>&1 ||
  status=$?
[ "$status" -eq 124 ] || { cat "$build/install-test-window.log"; fail "velmora ended with status $status"; }
in_root fc-match sans-serif | grep -q DejaVu || fail "no DejaVu font in the installed system"
[ "$failures" -eq 0 ] && echo "install test passed" || { echo "$failures install checks failed"; exit 1; }

