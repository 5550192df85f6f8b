# Shared by the end-to-end test and the screenshot script, both running inside xvfb-run: the
# window manager's start, a bounded wait for a window by its caption, and the way to the About
# box. Source it; it defines functions and sets nothing else.

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

# Opens the About box from the dialog's own system menu: a right-click on the dialog's
# background opens the menu, "A" chooses "About Quillet(&A)...". Prints the box's window id;
# returns 1 if it did not appear.
open_about_box() {
    local main=$1 turn
    xdotool mousemove --window "$main" 3 3 click 3
    # The menu is the program's second visible window; it holds the keyboard, so "A" goes to it.
    for ((turn = 0; turn < 600; turn++)); do
        (($(xdotool search --onlyvisible --classname quillet 2>/dev/null | wc -l) >= 2)) && break
        sleep 0.05
    done
    xdotool key --clearmodifiers a
    box_window 'Quilletのﾊﾞｰｼﾞｮﾝ情報'
}
