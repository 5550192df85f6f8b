#!/usr/bin/env bash
# Started where no window can be shown, quillet says so in one line and ends with status 1:
# no abort, no core dump, no page of the toolkit's own messages.
# Usage: no_display_test.sh PATH-TO-QUILLET
set -uo pipefail
quillet=${1:?usage: $0 PATH-TO-QUILLET}
failures=0

# check SCENARIO ENVIRONMENT-CHANGE [-- ARGUMENTS...]
check() {
    local scenario=$1 change=$2
    shift 2
    [[ "${1:-}" == "--" ]] && shift
    local output status lines
    output=$(timeout 30 env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$change" "$quillet" "$@" \
        2>&1 </dev/null)
    status=$?
    lines=$(printf '%s\n' "$output" | grep -c .)
    if [[ $status -ne 1 || $lines -ne 1 || "$output" != *display* ]]; then
        echo "FAIL: $scenario: status $status, $lines line(s):" >&2
        printf '%s\n' "$output" >&2
        failures=$((failures + 1))
    else
        echo "ok: $scenario: $output"
    fi
}

check "no DISPLAY" --unset=DISPLAY
# A display number that no server answers.
check "unreachable display" DISPLAY=:7919
# The command line is not read, not even the toolkit's own options: were this one taken, the
# window would open on the offscreen platform and the check would time out.
check "options on the command line" DISPLAY=:7919 -- -platform offscreen

exit $((failures > 0))
