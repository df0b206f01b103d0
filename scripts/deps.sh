#!/usr/bin/env bash
# The one list of Debian packages Quorix needs to build, test and run.
# Installs only what is missing; runs apt-get update only when it has to install.
#   scripts/deps.sh        what building, testing and running need
#   scripts/deps.sh fuzz   that, and clang with its fuzzer runtime (./test.sh --fuzz)
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev libgl-dev
    libjpeg62-turbo-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core locales
    xvfb xauth xdotool
)
if [[ "${1:-}" == "fuzz" ]]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    sudo=()
    if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
