#!/usr/bin/env bash
# Installs the Debian packages Tabula needs to build, test and run its demo (Xvfb,
# xdotool and xclip drive the window host's end-to-end check; clang and its runtime
# libraries build the fuzzers).
# Does nothing when everything is already installed.
set -euo pipefail

packages=(
    g++ make cmake pkg-config
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libfreetype-dev libfontconfig-dev libpng-dev
    fonts-dejavu-core fonts-liberation
    libsdl2-dev nlohmann-json3-dev
    xvfb xdotool xclip
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
