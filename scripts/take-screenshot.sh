#!/usr/bin/env bash
# Takes the README's screenshot: Quillet's window as it opens, with its frame, on a virtual X
# display with a window manager and the fonts the program ships with.
# Needs: xvfb-run, xauth, openbox, xdotool (scripts/install-deps.sh) and xwd, xwdtopnm,
# xprop, xwininfo, pnmcut, pnmtopng (scripts/install-deps.sh --screenshot).
# Usage: take-screenshot.sh [PATH-TO-QUILLET] [OUTPUT.png]
set -euo pipefail

fail() {
    echo "take-screenshot: $*" >&2
    exit 1
}

if [[ "${1:-}" != "--inside" ]]; then
    root=$(cd "$(dirname "$0")/.." && pwd)
    quillet=$(realpath "${1:-$root/build/dev/app/quillet}")
    target=$(realpath -m "${2:-$root/docs/screenshot.png}")
    for tool in xvfb-run xauth openbox xdotool xwd xprop xwininfo xwdtopnm pnmcut pnmtopng; do
        command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh --screenshot"
    done
    [[ -x "$quillet" ]] || fail "no program at $quillet: run make build first"
    timeout --kill-after=10 120 xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" \
        "$0" --inside "$quillet" "$target"
    exit
fi

quillet=$2
target=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-shot-XXXXXX")
app=""
wm=""
cleanup() {
    [[ -n "$app" ]] && kill "$app" 2>/dev/null || true
    [[ -n "$wm" ]] && kill "$wm" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for ((turn = 0; turn < 600; turn++)); do
    xdotool get_num_desktops >/dev/null 2>&1 && break
    sleep 0.05
done

HOME="$work" LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$quillet" &
app=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillet$' | head -n 1) ||
    fail "the window did not appear"
xdotool windowactivate --sync "$main"

# The window is up; take pictures of the screen until two in a row agree, so the first paint is
# complete.
previous="$work/previous.xwd"
current="$work/current.xwd"
: >"$previous"
for ((turn = 0; turn < 100; turn++)); do
    xwd -silent -root >"$current"
    cmp -s "$previous" "$current" && break
    mv "$current" "$previous"
    sleep 0.1
done

# The window with the frame the window manager drew around it.
info=$(xwininfo -id "$main")
X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
WIDTH=$(sed -n 's/.*Width: *//p' <<<"$info")
HEIGHT=$(sed -n 's/.*Height: *//p' <<<"$info")
extents=$(xprop -id "$main" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
xwdtopnm "$current" 2>/dev/null |
    pnmcut -left $((X - left)) -top $((Y - top)) -width $((WIDTH + left + right)) \
        -height $((HEIGHT + top + bottom)) |
    pnmtopng -compression 9 >"$target"
echo "wrote $target"
