#!/usr/bin/env bash
# End to end, as a person would use it: the real quillet on a virtual X display with a window
# manager, driven by keys. Picks a base script and a target folder through the real pickers,
# generates into a path typed into the real save dialog, accepts the success box, checks the
# output's bytes, opens the About box from the dialog's system menu (right-click, "A") and
# closes it with Escape, and ends with Escape, after which the process must end with status 0.
#
# Every wait is for a window by its name or for the process, and every wait is bounded, so a
# failure ends the test instead of hanging it.
#
# Usage: quillet_e2e.sh PATH-TO-QUILLET
set -euo pipefail

fail() {
    echo "e2e: $*" >&2
    exit 1
}

if [[ "${1:-}" != "--inside" ]]; then
    quillet=$(realpath "${1:?usage: $0 PATH-TO-QUILLET}")
    for tool in xvfb-run xauth xdotool openbox; do
        command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh"
    done
    work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-e2e-XXXXXX")
    trap 'rm -rf "$work"' EXIT
    # xvfb-run finds a free display number itself (-a); the outer timeout is the last resort.
    timeout --kill-after=10 240 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        "$0" --inside "$quillet" "$work"
    exit
fi

quillet=$2
work=$3
base="$work/tpl/plot.scr"
folder="$work/dwg"
output="$work/out/all.scr"
mkdir -p "$work/tpl" "$folder" "$work/out" "$work/home"
printf 'OPEN "<TARGET_FILEPATH>" ; <TARGET_FNAMETITLE>\r\n' >"$base"
printf 'drawing b' >"$folder/b.dwg"
printf 'drawing a' >"$folder/a.dwg"

app=""
wm=""
cleanup() {
    [[ -n "$app" ]] && kill "$app" 2>/dev/null || true
    [[ -n "$wm" ]] && kill "$wm" 2>/dev/null || true
}
trap cleanup EXIT

# Visible windows whose name is NAME, the window EXCEPT left out. xdotool matches names without
# regard to case, so the message box "quillet" would match the dialog "Quillet" as well.
named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx -- "${2:-none}" || true
}

# Waits, at most 30 s, until such a window exists; prints its id.
window() {
    local turn id
    for ((turn = 0; turn < 600; turn++)); do
        id=$(named "$1" "${2:-}" | head -n 1)
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        sleep 0.05
    done
    fail "no window named '$1' appeared"
}

# Waits, at most 30 s, until no such window is left.
gone() {
    local turn
    for ((turn = 0; turn < 600; turn++)); do
        [[ -z "$(named "$1" "${2:-}")" ]] && return 0
        sleep 0.05
    done
    fail "the window '$1' did not close"
}

# Makes the window active and waits for it, then sends keys to whatever holds the focus there.
keys() {
    local target=$1
    shift
    xdotool windowactivate --sync "$target" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers --delay 40 "$@"
}

type_text() {
    local target=$1
    xdotool windowactivate --sync "$target" >/dev/null 2>&1 || true
    xdotool type --clearmodifiers --delay 20 "$2"
}

# shellcheck source=../../scripts/x11-session.sh
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/../../scripts/x11-session.sh"
start_window_manager || fail "openbox did not start"

# In a sanitizer build: libxkbcommon's keymap loading calls strndup on a buffer that has no NUL
# within its bound, which is legal but trips strict_string_checks; that one check is left off.
if [[ -n "${ASAN_OPTIONS:-}" ]]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
HOME="$work/home" LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$quillet" &
app=$!

main=$(window Quillet)
# The focus starts on "ｽｸﾘﾌﾟﾄ生成"; four tab stops on is the base script's "...".
keys "$main" Tab Tab Tab Tab space
picker=$(window '開く')
type_text "$picker" "$base"
keys "$picker" Return
gone '開く'

# The focus is back on the base script's "..."; the next tab stop is the folder's.
keys "$main" Tab space
picker=$(window '処理対象ﾌｫﾙﾀﾞを選択')
type_text "$picker" "$folder"
keys "$picker" Return
gone '処理対象ﾌｫﾙﾀﾞを選択'

# Header, footer, then "ｽｸﾘﾌﾟﾄ生成" again: press it.
keys "$main" Tab Tab Tab space
save=$(window '保存ｽｸﾘﾌﾟﾄﾌｧｲﾙを指定')
type_text "$save" "$output"
keys "$save" Return
# The success box carries the program's name as its caption.
box=$(window quillet "$main")
[[ "$(xdotool getwindowname "$box")" == quillet ]] || fail "the box is not captioned 'quillet'"
keys "$box" Return
gone quillet "$main"

expected="$work/expected.scr"
{
    printf ';---- HEADER\r\nCMDDIA 0\r\nFILEDIA 0\r\nPROXYNOTICE 0\r\n;---- MAIN SCRIPT\r\n'
    printf 'OPEN "%s" ; a\r\n' "$folder/a.dwg"
    printf 'OPEN "%s" ; b\r\n' "$folder/b.dwg"
    printf ';---- FOOTER\r\nNEW .\r\nPROXYNOTICE 1\r\nFILEDIA 1\r\nCMDDIA 1\r\n'
} >"$expected"
[[ -f "$output" ]] || fail "no output was written at $output"
cmp "$expected" "$output" || {
    od -c "$output" | head -n 20 >&2
    fail "the output's bytes differ from the expected script"
}

# The About box from the dialog's own system menu; Escape closes it again.
about='Quilletのﾊﾞｰｼﾞｮﾝ情報'
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
box=$(open_about_box "$main") || fail "the About box did not appear"
keys "$box" Escape
gone "$about"
[[ -n "$(named Quillet)" ]] || fail "the dialog did not stay open after the About box"

# Still open after the run; Escape ends it, and with it the process.
keys "$main" Escape
for ((turn = 0; turn < 600; turn++)); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$app" 2>/dev/null && fail "quillet did not end after Escape"
status=0
wait "$app" || status=$?
app=""
[[ $status -eq 0 ]] || fail "quillet ended with status $status"
echo "e2e: passed"
