#!/usr/bin/env bash
# The window as a user first sees it: title, fixed size 650x650, the empty grid at its pixels
# next to the six-button panel, and Escape ending the program.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
gw_start
gw_wait_window

title=$(xdotool getwindowname "$GW_WID")
[ "$title" = Grainwright ] || gw_fail "window title is '$title'"
info=$(xwininfo -id "$GW_WID")
grep -q '^ *Width: 650$' <<<"$info" && grep -q '^ *Height: 650$' <<<"$info" || gw_fail "window is not 650x650: $info"
hints=$(xprop -id "$GW_WID" WM_NORMAL_HINTS)
grep -q 'minimum size: 650 by 650' <<<"$hints" && grep -q 'maximum size: 650 by 650' <<<"$hints" ||
    gw_fail "window is resizable (size hints: $hints)"
gw_ok "window 'Grainwright', 650x650, fixed size"

gw_shot empty
gw_expect "$GW_SHOT" \
    "grid: air squares (25,25,25) at pitch 11, black gaps :: -eq 302500 :: 0 0 549 549 (x % 11 < 10 && y % 11 < 10) ? ($GW_AIR) : ($GW_BLACK)" \
    "cell (49,49) is the square 539..548 :: -eq 100 :: 539 539 548 548 $GW_AIR" \
    "nothing right of the grid (x 550..601) :: -eq 0 :: 550 0 601 549 !($GW_BLACK)" \
    "sand button at (610,209) :: -eq 1024 :: 610 209 641 240 r==255 && g==255 && b==0" \
    "eraser icon at (610,409) :: -gt 50 :: 610 409 641 440 !($GW_BLACK)" \
    "nothing above or below the six buttons :: -eq 0 :: 602 0 649 600 !($GW_BLACK) && (y < 206 || y > 444)"
[ "$(gw_red_box "$GW_SHOT")" = none ] || gw_fail "brush outline drawn while the pointer is off the grid"
gw_ok "50x50 air cells at pitch 11, cell (49,49) at 539..548; six buttons from y 209"

gw_escape_exit 1000
