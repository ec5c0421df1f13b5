#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package into a fresh Debian 12 root (debootstrap) and
# uses it as a new user would: velmora-batch from PATH writes the result files
# into the user's own folder, which --help names; a later run keeps the user's
# edits and restores a deleted data file; the window starts.
# Slow (network) and needs root, so not part of ctest:
#   sudo bash tests/package/install_test.sh BUILD_DIR [ROOT_DIR]
# ROOT_DIR (default: a new temporary folder) is removed unless VELMORA_KEEP_ROOT=1.
# Exit 0 passed, 1 failed, 77 skipped (not root, no debootstrap).
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root (debootstrap, chroot)"; exit 77; }
command -v debootstrap >/dev/null || { echo "skipped: debootstrap is not installed"; exit 77; }
build=$(cd "$1" && pwd)
root=${2:-$(mktemp -d /var/tmp/velmora-root.XXXXXX)}
[ -n "$(ls "$build"/velmora_*.deb 2>/dev/null)" ] ||
  (cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$build"/velmora_*.deb | head -1)
echo "package: $deb"
mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
  [ "${VELMORA_KEEP_ROOT:-0}" = 1 ] || rm -rf --one-file-system "$root"
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
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
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
