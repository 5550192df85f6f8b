# Shared by the end-to-end test and the screenshot script, both running inside xvfb-run: the
# window manager's start and a bounded wait for a window by its caption. Source it; it defines
# functions and sets nothing else.

# Starts Openbox in the background and waits, at most 30 s, until it has published its
# desktops on the root window. Sets wm to its process id. Returns 1 if it did not come up.
start_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    local turn
    for ((turn = 0; turn < 600; turn++)); do
        xdotool get_num_desktops >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

# Waits, at most 30 s in all, for a window by its caption. A window that goes while xdotool
# looks (the closing menu) makes it fail with BadWindow; it looks again then.
box_window() {
    local attempt id
    for ((attempt = 0; attempt < 3; attempt++)); do
        id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [[ -n "$id" ]] && { echo "$id"; return 0; }
    done
    return 1
}
