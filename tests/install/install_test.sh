#!/usr/bin/env bash
# `cmake --install` into a scratch prefix gives a tree a desktop takes: the program, its help
# page (also reachable beside the program, where F1 looks), the desktop entry, the icon at 16
# and 32 pixels in the hicolor theme and the AppStream metadata, each where the desktop looks
# for it, and each accepted by its validator. The version installed is the build's.
# Usage: install_test.sh BUILD-DIR VERSION APP-ID
set -euo pipefail
build=${1:?usage: $0 BUILD-DIR VERSION APP-ID}
version=${2:?}
app_id=${3:?}
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done

prefix=$(mktemp -d "${TMPDIR:-/tmp}/quillet-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

# Every file in its place, and nothing else installed.
expected=(
    bin/quillet
    bin/quillet.html
    bin/quillet-cli
    share/man/man1/quillet-cli.1
    share/doc/quillet/quillet.html
    share/applications/quillet.desktop
    share/icons/hicolor/16x16/apps/quillet.png
    share/icons/hicolor/32x32/apps/quillet.png
    "share/metainfo/$app_id.metainfo.xml"
)
actual=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[[ "$actual" == "$wanted" ]] || fail "installed files differ:"$'\n'"$(diff <(echo "$wanted") <(echo "$actual"))"

[[ -x "$prefix/bin/quillet" ]] || fail "bin/quillet is not executable"
# The command line tells the same version as the window's About box and the metadata.
[[ "$("$prefix/bin/quillet-cli" --version)" == "quillet-cli $version" ]] ||
    fail "quillet-cli --version does not say $version"
# The link resolves to the page, inside the prefix, so the tree can move as a whole.
link=$(readlink "$prefix/bin/quillet.html" || true)
[[ "$link" != /* ]] || fail "bin/quillet.html links to an absolute path: $link"
cmp -s "$prefix/bin/quillet.html" "$prefix/share/doc/quillet/quillet.html" ||
    fail "bin/quillet.html does not lead to the help page"
grep -q 'id="context-20066"' "$prefix/share/doc/quillet/quillet.html" ||
    fail "the help page lacks the main dialog's section"

# The installed program starts: without a display it says so and ends with status 1.
status=0
output=$(timeout 30 env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u DISPLAY "$prefix/bin/quillet" 2>&1 </dev/null) ||
    status=$?
[[ $status -eq 1 && "$output" == *display* ]] || fail "the installed program: status $status: $output"

# Each icon is a PNG of its size: width and height from the IHDR chunk.
for size in 16 32; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/quillet.png"
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    dimensions=$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //')
    [[ "$signature" == 89504e470d0a1a0a ]] || fail "$png is no PNG"
    [[ "$dimensions" == "0 0 0 $size 0 0 0 $size" ]] || fail "$png is not $size x $size: $dimensions"
done

desktop="$prefix/share/applications/quillet.desktop"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[[ -z "$report" ]] || fail "desktop-file-validate has remarks: $report"
grep -qx 'Name=Quillet' "$desktop" || fail "no English name"
grep -q '^Name\[ja\]=.' "$desktop" || fail "no Japanese name"
grep -qx 'Exec=quillet' "$desktop" || fail "the entry does not start quillet"
grep -qx 'Icon=quillet' "$desktop" || fail "the entry does not name the icon"

metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
report=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) ||
    fail "appstreamcli validate: $report"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata's release is not $version"
grep -q '<launchable type="desktop-id">quillet.desktop</launchable>' "$metainfo" ||
    fail "the metadata does not launch quillet.desktop"

((failures == 0)) && echo "install: passed"
exit $((failures > 0))
