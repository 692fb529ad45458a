#!/usr/bin/env bash
# The program's window as a user first sees it: title, size, fixed size, the empty grid at its
# pixels, both button strips, the status text, the read-out only over the grid, and Escape.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
gw_start
gw_wait_window

# Title and size, from the X server's point of view.
[ "$(xdotool getwindowname "$GW_WID")" = "Grainwright" ] || gw_fail "window title is '$(xdotool getwindowname "$GW_WID")'"
info=$(xwininfo -id "$GW_WID")
grep -q '^ *Width: 650$' <<<"$info" || gw_fail "window width is not 650: $info"
grep -q '^ *Height: 650$' <<<"$info" || gw_fail "window height is not 650: $info"
hints=$(xprop -id "$GW_WID" WM_NORMAL_HINTS)
if ! grep -q 'minimum size: 650 by 650' <<<"$hints" || ! grep -q 'maximum size: 650 by 650' <<<"$hints"; then
    gw_fail "window is resizable (size hints: $hints)"
fi
gw_ok "window 'Grainwright', 650x650, fixed size"

gw_shot empty
shot=$GW_SHOT

# Every pixel of the grid area: air squares of 10 px at an 11-px pitch, black gaps between;
# nothing drawn right of it or below it before the panels and the status text.
grid_ok='(x % 11 < 10 && y % 11 < 10) ? (r == 25 && g == 25 && b == 25) : (r == 0 && g == 0 && b == 0)'
gw_expect_counts "$shot" \
    "grid pixels at pitch 11 (air 25,25,25, black gaps) :: -eq 302500 :: 0 0 549 549 $grid_ok" \
    "cell (49,49) is the square 539..548 :: -eq 100 :: 539 539 548 548 $GW_AIR" \
    "gap around cell (49,49) :: -eq 0 :: 538 538 549 549 !($GW_BLACK) && (x == 538 || x == 549 || y == 538 || y == 549)" \
    "pixels right of the grid (x 550..601) :: -eq 0 :: 550 0 601 549 !($GW_BLACK)" \
    "pixels below the grid (y 550..555) :: -eq 0 :: 0 550 649 555 !($GW_BLACK)"
gw_ok "grid of 50x50 air squares at pitch 11, black gaps, cell (49,49) at 539..548"

# button WHAT X Y COLOUR-CONDITION|any: checks for a 32x32 button at (X,Y) that shows its colour
# in full (or, for an icon, something), with a black 3-pixel ring: nothing selected yet.
button() {
    local what=$1 x=$2 y=$3 cond=$4
    if [ "$cond" = any ]; then
        echo "$what: icon drawn :: -gt 50 :: $x $y $((x + 31)) $((y + 31)) !($GW_BLACK)"
    else
        echo "$what: colour square :: -eq 1024 :: $x $y $((x + 31)) $((y + 31)) $cond"
    fi
    echo "$what: black around (no selection frame) :: -eq 0 :: $((x - 3)) $((y - 3)) $((x + 34)) $((y + 34)) !($GW_BLACK) && !(x >= $x && x <= $((x + 31)) && y >= $y && y <= $((y + 31)))"
}
mapfile -t checks < <(
    button "sand button" 610 209 'r==255 && g==255 && b==0'
    button "rock button" 610 249 'r==128 && g==128 && b==128'
    button "water button" 610 289 'r==0 && g==128 && b==255'
    button "heat button" 610 329 any
    button "cool button" 610 369 any
    button "eraser button" 610 409 any
    button "standard view button" 289 610 'r==255 && g==255 && b==0'
    button "temperature view button" 329 610 any
    echo "right strip: nothing above the first button (centred for six) :: -eq 0 :: 602 0 649 205 !($GW_BLACK)"
    echo "right strip: nothing below the sixth button (no seventh) :: -eq 0 :: 602 445 649 600 !($GW_BLACK)"
    echo "bottom strip: nothing left of x 286 :: -eq 0 :: 200 602 285 649 !($GW_BLACK)"
    echo "bottom strip: nothing right of x 363 :: -eq 0 :: 364 602 549 649 !($GW_BLACK)"
    # The status text lies at (15,556); its first line is empty while running.
    echo "status text at (15,556) :: -gt 100 :: 15 556 300 649 r>200 && g>200 && b>200"
    echo "status text starts at x 15 :: -eq 0 :: 0 556 14 649 !($GW_BLACK)"
    echo "first status line empty while running :: -eq 0 :: 0 556 300 569 !($GW_BLACK)"
    # Pointer parked off the grid: no read-out.
    echo "no hover read-out with the pointer off the grid :: -eq 0 :: 550 590 649 649 !($GW_BLACK)"
)
gw_expect_counts "$shot" "${checks[@]}"
[ "$(gw_red_box "$shot")" = none ] || gw_fail "brush outline drawn while the pointer is off the grid"
gw_ok "right strip at x 610, y 209..409; bottom strip at y 610, x 289 and 329; nothing selected; status text"

# Pixel column 0 belongs to the brush but not to the read-out.
gw_move 0 100
gw_poll 3000 "brush outline clipped at the grid's left edge: 0 75 33 132" eval 'gw_shot poll; [ "$(gw_red_box "$GW_SHOT")" = "0 75 33 132" ]'
gw_shot edge
gw_expect_counts "$GW_SHOT" "hover read-out drawn for pixel column 0 :: -eq 0 :: 550 590 649 649 !($GW_BLACK)"
gw_move 1 100
gw_poll 3000 "hover read-out at (550,590) for pointer (1,100)" \
    eval '[ "$(gw_shot poll; gw_count_pixels "$GW_SHOT" 550 590 649 649 "r>200 && g>200 && b>200")" -gt 50 ]'
gw_shot readout
gw_expect_counts "$GW_SHOT" \
    "read-out drawn left of x 550 (below the grid) :: -eq 0 :: 365 590 549 649 r>200 && g>200 && b>200" \
    "read-out text above y 590 :: -eq 0 :: 550 556 649 589 !($GW_BLACK)" \
    "read-out glyphs touching y 590..592 (origin too high) :: -eq 0 :: 550 590 649 592 r>200 && g>200 && b>200"
gw_ok "read-out at (550,590) only with the pointer inside the grid (not at column 0)"

out=$(gw_unexpected_output)
[ -z "$out" ] || gw_fail "unexpected output at start-up: $out"
gw_ok "no unexpected output"

gw_move 645 5
gw_escape_exit 1000
