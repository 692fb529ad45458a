#!/usr/bin/env bash
# Playing with the mouse: selecting sand, the brush outline and the wheel, painting and the
# sand falling into a pile, the temperature view, erasing everything with the right button.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
gw_start
gw_wait_window

# Red outline around brush size S at cell (25,9): cells 25-S/2 .. 25+S/2, 2 px outside them.
outline_for() {
    local half=$(($1 / 2))
    local left=$(( (25 - half) * 11 )) top=$(( (9 - half) * 11 )) side=$(( (2 * half + 1) * 11 - 1 ))
    echo "$((left - 2)) $((top - 2)) $((left + side + 1)) $((top + side + 1))"
}
outline_is() {
    gw_shot poll
    [ "$(gw_red_box "$GW_SHOT")" = "$1" ]
}
sand_cells() { gw_count_cells "$1" "$GW_SAND" "${@:2}"; }

# Selecting sand draws the white 3-pixel frame around its button.
gw_select sand
gw_poll 3000 "white selection frame around the sand button" eval \
    '[ "$(gw_shot poll; gw_count_pixels "$GW_SHOT" 607 206 644 243 "r==255 && g==255 && b==255")" -eq 420 ]'
gw_ok "sand button selected (white frame)"

gw_type 9    # 135 frames a second: everything below happens faster

# The wheel changes the brush size one step per notch, within 1..50; the outline follows.
gw_move 275 100
gw_poll 3000 "outline of brush 5 at $(outline_for 5)" outline_is "$(outline_for 5)"
gw_wheel up 4
gw_poll 3000 "outline of brush 9 at $(outline_for 9) after 4 wheel steps up" outline_is "$(outline_for 9)"
gw_wheel down 10
gw_poll 3000 "outline of brush 1 at $(outline_for 1) after 10 steps down (kept at 1)" outline_is "$(outline_for 1)"
# Sizes 0 and 1 (or 4 and 5) draw alike: one step up from the clamp tells 1 from 0.
gw_wheel up 1
gw_poll 3000 "outline of brush 2 at $(outline_for 2) after 1 step up from 1" outline_is "$(outline_for 2)"
gw_wheel up 3
gw_poll 3000 "outline of brush 5 at $(outline_for 5) after 3 more steps up" outline_is "$(outline_for 5)"
gw_ok "wheel: brush 5 -> 9 -> 1 (clamped) -> 2 -> 5, outline measured each time"

# Painting: while the button is held the brush square is refilled every frame; one step later
# only its outer columns and lowest row can have fallen away, and nothing lies above it.
gw_press 1 275 100
sleep 0.25
gw_shot painting
gw_release 1
n=$(sand_cells "$GW_SHOT" 24 7 26 9)
[ "$n" -eq 9 ] || gw_fail "while painting only $n of the 9 inner brush cells (24..26, 7..9) are sand [$GW_SHOT]"
n=$(sand_cells "$GW_SHOT" 23 7 27 11)
[ "$n" -ge 12 ] || gw_fail "while painting only $n of the 25 brush cells are sand"
n=$(sand_cells "$GW_SHOT" 0 0 49 6)
[ "$n" -eq 0 ] || gw_fail "$n sand cells above the brush"
gw_ok "sand appears under the brush"

gw_move 645 5
settled() {
    gw_shot poll
    [ "$(sand_cells "$GW_SHOT" 0 49 49 49)" -ge 5 ] && [ "$(gw_loose_cells "$GW_SHOT" "$GW_SAND")" -eq 0 ]
}
gw_poll 10000 "sand at rest on the floor (5+ cells on row 49, none with air below)" settled
total=$(sand_cells "$GW_SHOT")
[ "$total" -ge 25 ] || gw_fail "only $total sand cells after painting for 0.25 s"
gw_ok "$total sand cells piled up on the floor"

# Temperature view: every cell, sand and air, is at 20 degrees: (5,0,255).
gw_select temperature
gw_poll 3000 "all 2500 cells shown as (5,0,255) in the temperature view" eval \
    '[ "$(gw_shot poll; gw_count_cells "$GW_SHOT" "r==5 && g==0 && b==255")" -eq 2500 ]'
gw_expect_counts "$GW_SHOT" \
    "white frame around the temperature button :: -eq 420 :: 326 607 363 644 r==255 && g==255 && b==255 && !(x >= 329 && x <= 360 && y >= 610 && y <= 641)" \
    "no frame around the standard button :: -eq 0 :: 286 607 323 644 r==255 && g==255 && b==255"
gw_ok "temperature view: fresh cells are (5,0,255)"
gw_select standard
gw_poll 3000 "sand visible again in the standard view" eval \
    '[ "$(gw_shot poll; sand_cells "$GW_SHOT")" -eq "$total" ]'
gw_ok "standard view shows the $total sand cells again"

# A brush of 50 over the centre erases the whole grid.
gw_move 275 275
gw_wheel up 50
gw_poll 5000 "outline around the whole grid at brush 50" outline_is "0 0 549 549"
gw_hold 3 275 275 0.3
gw_move 645 5
gw_poll 3000 "whole grid air after erasing with brush 50" eval \
    '[ "$(gw_shot poll; gw_count_cells "$GW_SHOT" "$GW_AIR")" -eq 2500 ]'
gw_ok "right button with brush 50 erases everything"

# Sizes above 50 draw like 50 at the centre; one step down from the clamp must give 49.
gw_move 275 275
gw_wheel down 1
gw_poll 3000 "outline of brush 49 (cells 1..49) one step down from the clamp at 50" outline_is "9 9 549 549"
gw_ok "wheel stops at 50"

out=$(gw_unexpected_output)
[ -z "$out" ] || gw_fail "unexpected output: $out"
gw_escape_exit 1000
