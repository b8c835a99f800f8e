#!/usr/bin/env bash
# Builds the .deb, installs it into a fresh Debian 12 (bookworm) root made by debootstrap, and
# runs it there: proves the package names every library and QML module the program needs.
#   scripts/deb-check.sh [build-dir]     (as root: debootstrap and chroot need it)
# The root lives in build-debroot/; the screenshot taken inside is left in <build-dir>/deb-check.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
root=$PWD/build-debroot/root
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

if [ "$(id -u)" -ne 0 ]; then
  echo "deb-check: run as root (debootstrap and chroot need it)" >&2
  exit 2
fi
./scripts/deps.sh
command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null

./scripts/build.sh "$build"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/taskarello_*.deb | head -1)
echo "deb-check: package $deb"

unmount() {
  for m in dev/pts dev proc; do
    mountpoint -q "$root/$m" && umount "$root/$m" || true
  done
}
trap unmount EXIT
unmount
# A fresh root every time: a library left from an earlier run would hide a missing dependency.
rm -rf "$root"
mkdir -p "$root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
cp /etc/resolv.conf "$root/etc/resolv.conf"

cp "$deb" "$root/tmp/taskarello.deb"
chroot "$root" env DEBIAN_FRONTEND=noninteractive sh -c \
  'apt-get update -qq && apt-get install -y -qq --no-install-recommends /tmp/taskarello.deb >/dev/null'

# What the package put where a desktop looks for it.
for f in /usr/bin/taskarello /usr/share/applications/org.taskarello.Taskarello.desktop \
         /usr/share/icons/hicolor/scalable/apps/org.taskarello.Taskarello.svg \
         /usr/share/dbus-1/services/org.taskarello.Taskarello.service /etc/xdg/autostart/org.taskarello.Taskarello.desktop; do
  [ -e "$root$f" ] || { echo "deb-check: $f missing after install" >&2; exit 1; }
done

mkdir -p -m 0700 "$root/run/user/0"
# A new user's first start, then a second start on the store the first one made.
for run in first second; do
  rm -f "$root/tmp/shot.png"
  chroot "$root" env -i HOME=/root XDG_RUNTIME_DIR=/run/user/0 PATH=/usr/bin:/bin LANG=C.UTF-8 \
    taskarello --screenshot /tmp/shot.png
  if [ "$(head -c 8 "$root/tmp/shot.png" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
    echo "deb-check: the $run start wrote no PNG" >&2
    exit 1
  fi
done
[ -f "$root/root/.local/share/Taskarello/Taskarello/chores.sqlite" ] || {
  echo "deb-check: no store was made" >&2
  exit 1
}
cp "$root/tmp/shot.png" "$build/deb-check.png"
echo "deb-check: installed and ran on a fresh Debian 12; screenshot in $build/deb-check.png"
