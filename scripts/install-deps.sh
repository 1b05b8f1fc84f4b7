#!/usr/bin/env bash
# Installs the Debian packages gesamt needs, and only those that are missing.
# Usage: scripts/install-deps.sh [--test-build | --test]
#   --test-build adds what building the tests needs (compilers, test libraries, compiler cache,
#   linker),
#   --test also what running them needs.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libicu-dev libcanberra-dev libcanberra0 libcups2-dev
          libquazip1-qt6-dev qt6-translations-l10n fonts-liberation2)
if [[ "${1:-}" == "--test-build" || "${1:-}" == "--test" ]]; then
    packages+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev ccache lld)
fi
if [[ "${1:-}" == "--test" ]]; then
    packages+=(xvfb xauth xdotool x11-xkb-utils poppler-utils cups
              hyperfine time lintian desktop-file-utils dpkg-dev
              printer-driver-cups-pdf shared-mime-info xdg-utils appstream libglib2.0-bin libxml2-utils
              weston qt6-wayland python3-pyatspi at-spi2-core dbus openbox x11-utils
              debhelper devscripts xclip autopkgtest libreoffice-calc-nogui)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
