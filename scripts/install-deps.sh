#!/usr/bin/env bash
# Installs the Debian 12 packages Paginor builds, runs and tests with.
# Only what is missing is installed. Runs as root, or through sudo for a user.
set -euo pipefail

packages=(
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-translations-l10n
    libx11-dev
    liblitehtml-dev
    qt6-webengine-dev
    libgumbo-dev
    libmagick++-dev
    libcurl4-openssl-dev
    libicu-dev
    libsane-dev
    qt6-multimedia-dev
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation fonts-dejavu-core
    build-essential cmake pkg-config ccache
    libgtest-dev libgmock-dev libbenchmark-dev
    python3-pyftpdlib sane-utils xvfb xauth curl
    clang libclang-rt-14-dev clang-format
    breeze-icon-theme librsvg2-bin imagemagick
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
