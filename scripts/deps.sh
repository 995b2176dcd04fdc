#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the real-window checks,
# the Debian package and the VNC fallback of scripts/run.sh need.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  g++ make cmake ninja-build pkg-config
  qt6-base-dev qt6-image-formats-plugins libgl-dev
  fonts-liberation fonts-ipafont-gothic fonts-dejavu-core
  xvfb xdotool x11-apps x11-utils xauth
  libbenchmark-dev
  desktop-file-utils appstream dpkg-dev
  tigervnc-standalone-server
  locales
  libpoppler-qt6-dev
  qt6-l10n-tools qt6-tools-dev
  libtesseract-dev tesseract-ocr-eng
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# The tests read and write numbers under a locale whose decimal mark is a
# comma, to show that it never reaches a file or a read-out.
comma_locale_missing() {
  ! locale -a 2>/dev/null | grep -qx 'de_DE.utf8'
}

if [ ${#missing[@]} -eq 0 ] && ! comma_locale_missing; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "deps: missing packages: ${missing[*]:-none}, or the de_DE.UTF-8 locale; run this script as root" >&2
  exit 1
fi

if [ ${#missing[@]} -ne 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if comma_locale_missing; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
