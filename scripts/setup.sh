#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need
# (the X server, window manager and tools are for the desktop tests),
# only those that are missing, as root or through sudo.  Packages named as
# arguments are installed as well (scripts/fuzz.sh adds clang's).
set -euo pipefail

packages=(
  cmake ninja-build g++ make ccache pkg-config
  qt6-base-dev qt6-base-private-dev libgl-dev libx11-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  fonts-dejavu-core fonts-wine tango-icon-theme qt6-translations-l10n
  xvfb openbox xdotool x11-utils wmctrl imagemagick
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "setup: these packages are missing: ${missing[*]}" >&2
  echo "setup: install them as root (apt-get install ${missing[*]}) or give this user sudo rights, then run again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
