#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quillet needs, and only those that are
# missing. Runs apt-get as root, or through sudo for a normal user. With --bench it adds what
# the benchmarks need (scripts/bench.sh).
set -euo pipefail

packages=(
    g++
    cmake
    ninja-build
    make
    libgtest-dev
    libgmock-dev
    locales
)

if [[ "${1:-}" == "--bench" ]]; then
    packages+=(
        libbenchmark-dev
        hyperfine
        time
        mawk
        python3
    )
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=()
if ((EUID != 0)); then
    command -v sudo >/dev/null || { echo "Run as root or install sudo." >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
