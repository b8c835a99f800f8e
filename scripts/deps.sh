#!/usr/bin/env bash
# Installs the Debian packages the build, the app and the tests need; does nothing when they are all there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  libqt6sql6-sqlite libqt6dbus6 libqt6network6 libqt6opengl6-dev libgl-dev
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
  qml6-module-qtquick-layouts qml6-module-qtquick-window qml6-module-qtquick-shapes
  qml6-module-qtquick-dialogs qml6-module-qtqml-workerscript qml6-module-qtqml
  qml6-module-qt-labs-folderlistmodel qml6-module-qtqml-models qml6-module-qtquick-templates
  qml6-module-qttest qml6-module-qt5compat-graphicaleffects qml6-module-qtcore
  qt6-qpa-plugins qt6-wayland qt6-svg-dev libqt6svg6 qt6-image-formats-plugins appstream
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 dbus fonts-dejavu-core libfontconfig-dev
  python3 python3-icalendar python3-dbusmock python3-dateutil python3-caldav tzdata
  libical-dev python3-radicale xandikos qtkeychain-qt6-dev libsecret-1-0 gnome-keyring curl openssl
  xvfb at-spi2-core python3-pyatspi openbox x11-utils weston
  clang-14 libclang-rt-14-dev llvm-14
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
