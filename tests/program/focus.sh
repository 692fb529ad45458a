#!/usr/bin/env bash
# Keys and buttons act only while the window has the input focus: with another window focused,
# a held left button paints nothing and Escape does not end the program; focused again, the
# same input paints and Escape ends it.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
command -v xev >/dev/null || gw_fail "required tool 'xev' is not installed"
gw_start
gw_wait_window
gw_select sand
gw_type 9

# xev's window, beside the grid, takes the focus and only reports what reaches it.
xev -geometry 120x120+700+100 -name other-program >/dev/null 2>&1 &
GW_OTHER_PIDS+=($!)
other=$(timeout 10 xdotool search --sync --onlyvisible --name '^other-program$' 2>/dev/null | head -n 1)
[ -n "$other" ] || gw_fail "the other program's window did not appear"
gw_focus "$other"

gw_hold 1 275 275 0.5
gw_keydown Escape
sleep 1
gw_alive || { gw_wait_exit 100; gw_fail "Escape ended the program (status $GW_STATUS) while another window had the focus"; }
gw_keyup Escape
gw_pointer_away
gw_shot unfocused
n=$(gw_count_cells "$GW_SHOT" "!($GW_AIR)")
[ "$n" -eq 0 ] || gw_fail "the left button painted $n cells while another window had the focus"
gw_ok "unfocused: a held left button paints nothing, Escape held for 1 s does not end the program"

gw_focus "$GW_WID"
gw_hold 1 275 275 0.3
gw_pointer_away
gw_see 3000 "sand painted once the window has the focus" '[ "$(gw_count_cells "$GW_SHOT" "$GW_SAND")" -ge 9 ]'
gw_ok "focused: the left button paints"
gw_escape_exit 1000
