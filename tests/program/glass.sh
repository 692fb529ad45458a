#!/usr/bin/env bash
# Sand heated with Shift held melts; cooled, it sets into glass, which unlocks a seventh button:
# the right strip re-centres 20 px higher, and the new button paints glass.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
gw_start
gw_wait_window
gw_type 9    # 135 frames a second: heating and cooling go by the frame

gw_select sand
gw_hold 1 275 480 0.3
gw_move 645 5
gw_poll 5000 "painted sand visible" eval '[ "$(gw_shot poll; gw_count_cells "$GW_SHOT" "$GW_SAND")" -ge 10 ]'
gw_ok "$(gw_count_cells "$GW_SHOT" "$GW_SAND") sand cells painted"

# Brush 50 over the centre covers the whole grid, so all of it heats alike.
gw_move 275 275
gw_wheel up 50
gw_poll 5000 "outline around the whole grid" eval 'gw_shot poll; [ "$(gw_red_box "$GW_SHOT")" = "0 0 549 549" ]'

melted() {
    gw_shot poll
    [ "$(gw_count_cells "$GW_SHOT" "$GW_SAND")" -eq 0 ] && [ "$(gw_count_cells "$GW_SHOT" "$GW_MOLTEN_GLASS")" -ge 1 ]
}
gw_select heat
gw_keydown Shift_L
gw_press 1 275 275
gw_poll 20000 "all sand melted into molten glass while heating with Shift" melted
gw_release 1
gw_keyup Shift_L
gw_ok "heating with Shift melted the sand ($(gw_count_cells "$GW_SHOT" "$GW_MOLTEN_GLASS") molten glass cells)"

glass_button() {
    gw_shot poll
    [ "$(gw_count_pixels "$GW_SHOT" 610 429 641 460 'r==207 && g==255 && b==245')" -eq 1024 ]
}
n=$(gw_count_pixels "$GW_SHOT" 602 445 649 560 "!($GW_BLACK)")
[ "$n" -eq 0 ] || gw_fail "something drawn below the sixth button before any glass exists"

gw_select cool
gw_keydown Shift_L
gw_press 1 275 275
gw_poll 20000 "a glass button (207,255,245) at (610,429) while cooling with Shift" glass_button
set_hard() { gw_shot poll; [ "$(gw_count_cells "$GW_SHOT" "$GW_MOLTEN_GLASS")" -eq 0 ]; }
gw_poll 10000 "all molten glass set while cooling" set_hard
gw_release 1
gw_keyup Shift_L
gw_move 645 5
gw_shot seven-buttons
glass=$(gw_count_cells "$GW_SHOT" "$GW_GLASS")
[ "$glass" -ge 1 ] || gw_fail "the glass button appeared but no cell shows glass"
ring_of() { echo "!($GW_BLACK) && !(x >= $1 && x <= $(($1 + 31)) && y >= $2 && y <= $(($2 + 31)))"; }
gw_expect_counts "$GW_SHOT" \
    "sand button re-centred to y 189 :: -eq 1024 :: 610 189 641 220 r==255 && g==255 && b==0" \
    "rock button at y 229 :: -eq 1024 :: 610 229 641 260 r==128 && g==128 && b==128" \
    "water button at y 269 :: -eq 1024 :: 610 269 641 300 r==0 && g==128 && b==255" \
    "heat icon at y 309 :: -gt 50 :: 610 309 641 340 !($GW_BLACK)" \
    "cool icon at y 349 :: -gt 50 :: 610 349 641 380 !($GW_BLACK)" \
    "eraser icon at y 389 :: -gt 50 :: 610 389 641 420 !($GW_BLACK)" \
    "glass button, last, at y 429 :: -eq 1024 :: 610 429 641 460 r==207 && g==255 && b==245" \
    "selection frame still on the cool button :: -eq 420 :: 607 346 644 383 r==255 && g==255 && b==255 && !(x >= 610 && x <= 641 && y >= 349 && y <= 380)" \
    "nothing above the re-centred strip :: -eq 0 :: 602 0 649 185 !($GW_BLACK)" \
    "nothing below the glass button :: -eq 0 :: 602 464 649 600 !($GW_BLACK)" \
    "nothing between sand and rock buttons :: -eq 0 :: 602 221 649 228 !($GW_BLACK)"
gw_ok "glass ($glass cells) unlocked a seventh button; the strip starts at y 189"

# The new button selects "glass": a single painted glass cell stays where it is (solid).
gw_click 626 445
gw_poll 3000 "selection frame around the glass button" eval \
    '[ "$(gw_shot poll; gw_count_pixels "$GW_SHOT" 607 426 644 463 "r==255 && g==255 && b==255")" -eq 420 ]'
gw_move 275 50
gw_wheel down 50
gw_poll 3000 "outline of brush 1 at cell (25,4)" eval 'gw_shot poll; [ "$(gw_red_box "$GW_SHOT")" = "273 42 286 55" ]'
gw_hold 1 275 50 0.2
gw_move 645 5
sleep 0.5
gw_shot painted-glass
n=$(gw_count_cells "$GW_SHOT" "$GW_GLASS" 25 4 25 4)
[ "$n" -eq 1 ] || gw_fail "the glass button did not paint a glass cell that stays at (25,4)"
n=$(gw_count_cells "$GW_SHOT" "!($GW_AIR)" 0 0 49 20)
[ "$n" -eq 1 ] || gw_fail "painting with brush 1 changed $n cells in the upper rows, expected 1"
gw_ok "the glass button paints glass that stays in the air"

out=$(gw_unexpected_output)
[ -z "$out" ] || gw_fail "unexpected output: $out"
gw_escape_exit 1000
