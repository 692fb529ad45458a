#!/usr/bin/env bash
# Held keys and buttons act only while the sandbox window has the input focus: with another
# window focused, Escape, Space and the mouse buttons over the grid do nothing; focused again,
# the same input paints, and Escape ends the program.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
gw_need xev
gw_start
gw_wait_window
gw_click 626 225    # sand
gw_type 9

# Another program's window, beside the sandbox (not over the grid), takes the focus: xev's,
# which just reports what reaches it.
xev -geometry 120x120+700+100 -name other-program >/dev/null 2>&1 &
gw_adopt $!
other=$(timeout 10 xdotool search --sync --onlyvisible --name '^other-program$' 2>/dev/null | head -n 1)
[ -n "$other" ] || gw_fail "the other program's window did not appear"
gw_focus "$other"
gw_ok "another program's window has the focus"

pause_line_empty() { [ "$(gw_count_pixels "$1" 15 556 300 569 'r>200 && g>200 && b>200')" -eq 0 ]; }

gw_hold 1 275 275 0.5
gw_tap space 0.2
gw_move 645 5
sleep 0.8    # a pause toggle would sleep 500 ms before drawing
gw_shot unfocused
n=$(gw_count_cells "$GW_SHOT" "!($GW_AIR)")
[ "$n" -eq 0 ] || gw_fail "the left button painted $n cells while another window had the focus"
pause_line_empty "$GW_SHOT" || gw_fail "Space paused the sandbox while another window had the focus"
gw_ok "unfocused: holding the left button over the grid paints nothing, Space does not pause"

gw_keydown Escape
sleep 1
gw_alive || { gw_wait_exit 100; gw_fail "Escape ended the program (status $GW_STATUS) while another window had the focus"; }
gw_keyup Escape
gw_ok "unfocused: Escape held for 1 s does not end the program"

# Focused again, the same input works.
gw_focus "$GW_WID"
gw_hold 1 275 275 0.3
gw_move 645 5
gw_poll 3000 "sand painted once the sandbox has the focus" eval \
    '[ "$(gw_shot poll; gw_count_cells "$GW_SHOT" "$GW_SAND")" -ge 9 ]'
gw_poll 10000 "painted sand at rest" eval 'gw_shot poll; [ "$(gw_loose_cells "$GW_SHOT" "$GW_SAND")" -eq 0 ]'
before=$(gw_grid_digest "$GW_SHOT")
gw_ok "focused: the left button paints sand"

gw_focus "$other"
gw_hold 3 275 540 0.5
gw_move 645 5
sleep 0.3
gw_shot unfocused-erase
[ "$(gw_grid_digest "$GW_SHOT")" = "$before" ] ||
    gw_fail "the right button changed the grid while another window had the focus"
gw_ok "unfocused: holding the right button over the sand erases nothing"

# Escape held while the other window has the focus, then the sandbox gets it: only then it ends.
gw_keydown Escape
sleep 0.7
gw_alive || gw_fail "Escape ended the program while another window had the focus"
gw_keyup Escape
gw_focus "$GW_WID"
gw_escape_exit 1000
