#!/usr/bin/env bash
# Started where no window can be shown, quillet says so in one line and ends with status 1:
# no abort, no core dump, no page of the toolkit's own messages.
# Usage: no_display_test.sh PATH-TO-QUILLET
set -uo pipefail
quillet=${1:?usage: $0 PATH-TO-QUILLET}
failures=0

check() {
    local scenario=$1
    shift
    local output status lines
    output=$(timeout 30 env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$quillet" 2>&1 </dev/null)
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

check "no DISPLAY" -u DISPLAY
# A display number that no server answers.
check "unreachable display" DISPLAY=:7919

exit $((failures > 0))
