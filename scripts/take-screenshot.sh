#!/usr/bin/env bash
# Takes the README's screenshots on a virtual X display with a window manager and the fonts the
# program ships with: Quillet's window as it opens, with its frame, or with --about the About
# box as the system menu opens it (a right-click on the window, then "A").
# Needs: xvfb-run, xauth, openbox, xdotool (scripts/install-deps.sh) and xwd, xwdtopnm,
# xprop, xwininfo, pnmcut, pnmpaste, ppmhist, pnmtopng (scripts/install-deps.sh --screenshot).
# Usage: take-screenshot.sh [--about] [PATH-TO-QUILLET] [OUTPUT.png]
set -euo pipefail

fail() {
    echo "take-screenshot: $*" >&2
    exit 1
}

if [[ "${1:-}" != "--inside" ]]; then
    root=$(cd "$(dirname "$0")/.." && pwd)
    what=main
    default=screenshot.png
    if [[ "${1:-}" == "--about" ]]; then
        what=about
        default=about.png
        shift
    fi
    quillet=$(realpath "${1:-$root/build/dev/app/quillet}")
    target=$(realpath -m "${2:-$root/docs/$default}")
    for tool in xvfb-run xauth openbox xdotool xwd xprop xwininfo xwdtopnm pnmcut pnmpaste ppmhist pnmtopng; do
        command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh --screenshot"
    done
    [[ -x "$quillet" ]] || fail "no program at $quillet: run make build first"
    timeout --kill-after=10 120 xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" \
        "$0" --inside "$quillet" "$target" "$what"
    exit
fi

quillet=$2
target=$3
what=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-shot-XXXXXX")
app=""
wm=""
cleanup() {
    [[ -n "$app" ]] && kill "$app" 2>/dev/null || true
    [[ -n "$wm" ]] && kill "$wm" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=x11-session.sh
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x11-session.sh"
start_window_manager || fail "openbox did not start"

HOME="$work" LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$quillet" &
app=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillet$' | head -n 1) ||
    fail "the window did not appear"
xdotool windowactivate --sync "$main"
shot=$main
if [[ "$what" == about ]]; then
    shot=$(open_about_box "$main") || fail "the About box did not appear"
    # Out of the way of the picture.
    xdotool mousemove 0 0
fi

# The window with the frame the window manager drew around it.
info=$(xwininfo -id "$shot")
X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
WIDTH=$(sed -n 's/.*Width: *//p' <<<"$info")
HEIGHT=$(sed -n 's/.*Height: *//p' <<<"$info")
extents=$(xprop -id "$shot" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
# The frame from the screen, the window's content from the window itself: on Xvfb the screen
# shows a second window of the program black where the window holds its content.
picture() {
    xwd -silent -root | xwdtopnm 2>/dev/null |
        pnmcut -left $((X - left)) -top $((Y - top)) -width $((WIDTH + left + right)) \
            -height $((HEIGHT + top + bottom)) >"$work/frame.ppm"
    xwd -silent -id "$shot" | xwdtopnm 2>/dev/null >"$work/content.ppm"
    pnmpaste "$work/content.ppm" "$left" "$top" "$work/frame.ppm"
}

# The window is up; take pictures of it until two in a row agree and it is no longer one flat
# colour, so the first paint is complete.
previous="$work/previous.ppm"
current="$work/current.ppm"
: >"$previous"
for ((turn = 0; turn < 100; turn++)); do
    picture >"$current"
    if cmp -s "$previous" "$current" && (($(ppmhist -noheader "$current" | wc -l) > 8)); then
        break
    fi
    mv "$current" "$previous"
    sleep 0.1
done
pnmtopng -compression 9 <"$current" >"$target"
echo "wrote $target"
