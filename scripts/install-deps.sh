#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quillet needs, and only those that are
# missing. Runs apt-get as root, or through sudo for a normal user. With --fuzz it adds clang and
# its libFuzzer runtime, which only `make fuzz` needs; with --bench, what the benchmarks need
# (scripts/bench.sh).
set -euo pipefail

packages=(
    g++
    cmake
    ninja-build
    make
    libgtest-dev
    libgmock-dev
    locales
    # The window: Qt 6 Widgets, its Japanese texts, and a Japanese gothic face to draw with.
    qt6-base-dev
    qt6-translations-l10n
    fonts-ipafont-gothic
    # The end-to-end test: a virtual X display, a window manager, and keys like a person's.
    xvfb
    xauth
    openbox
    xdotool
    # The installed tree's checks: the desktop entry and the AppStream metadata.
    desktop-file-utils
    appstream
)
if [[ "${1:-}" == "--fuzz" ]]; then
    packages+=(clang libclang-rt-14-dev)
fi

# Only for scripts/take-screenshot.sh (`./scripts/install-deps.sh --screenshot`).
if [[ "${1:-}" == "--screenshot" ]]; then
    packages+=(x11-apps x11-utils netpbm)
fi

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
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
