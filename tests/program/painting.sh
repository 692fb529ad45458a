#!/usr/bin/env bash
# Playing with the mouse and keys: sand painted under the brush piles up on the floor, the wheel
# sizes the outline, the temperature view, Space freezing the grid, F stepping it once, the
# right button erasing under the brush.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
gw_start
gw_wait_window

sand() { gw_count_cells "$GW_SHOT" "$GW_SAND" "$@"; }
outline_is() { gw_see 3000 "$2" "[ \"\$(gw_red_box \"\$GW_SHOT\")\" = '$1' ]"; }
# The status text's first line reads "paused" while paused and is empty otherwise.
pause_pixels() { gw_count_pixels "$GW_SHOT" 15 556 300 569 'r>200 && g>200 && b>200'; }

gw_select sand
gw_type 9    # 135 frames a second
gw_move 275 100
outline_is "251 75 308 132" "outline of brush 5 (cells 23..27, 7..11) around cell (25,9)"

# While the button is held the brush square is refilled every frame: its inner cells are sand
# and nothing lies above it.
gw_press 1 275 100
sleep 0.25
gw_shot painting
gw_release 1
[ "$(sand 24 7 26 9)" -eq 9 ] || gw_fail "while painting only $(sand 24 7 26 9) of the 9 inner brush cells are sand"
[ "$(sand 0 0 49 6)" -eq 0 ] || gw_fail "$(sand 0 0 49 6) sand cells above the brush"
gw_ok "sand appears under the brush"

gw_pointer_away
gw_see 10000 "sand at rest on the floor (5+ cells on row 49, none with air below)" \
    '[ "$(sand 0 49 49 49)" -ge 5 ] && [ "$(gw_loose_cells "$GW_SHOT" "$GW_SAND")" -eq 0 ]'
pile=$(sand)
[ "$pile" -ge 25 ] && [ "$(sand 0 0 49 12)" -eq 0 ] || gw_fail "expected a pile of 25+ sand cells below row 12, got $pile"
gw_ok "$pile sand cells piled up on the floor"

# Every cell, sand and air, is at 20 degrees.
gw_select temperature
gw_see 3000 "all 2500 cells (5,0,255) in the temperature view" '[ "$(gw_count_cells "$GW_SHOT" "r==5 && g==0 && b==255")" -eq 2500 ]'
gw_select standard
gw_see 3000 "the $pile sand cells back in the standard view" '[ "$(sand)" -eq "$pile" ]'
gw_ok "temperature view: fresh cells are (5,0,255)"

gw_tap space
gw_see 3000 "'paused' line in the status text after Space" '[ "$(pause_pixels)" -gt 20 ]'
gw_hold 1 275 100 0.3
gw_pointer_away
gw_shot paused
frozen=$GW_SHOT
[ "$(sand 23 7 27 11)" -eq 25 ] || gw_fail "paused: the 5x5 brush painted $(sand 23 7 27 11) sand cells, expected 25 hanging in the air"
sleep 1
gw_shot paused-later
[ "$(gw_grid_digest "$frozen")" = "$(gw_grid_digest "$GW_SHOT")" ] || gw_fail "grid changed within 1 s while paused"
gw_ok "Space freezes the grid: the painted block hangs in the air"

# One step: the block's inner cells stay, the others move one cell at most, some do move, and
# nothing moves after that.
gw_tap f
gw_see 3000 "grid change after F" '[ "$(gw_grid_digest "$GW_SHOT")" != "$(gw_grid_digest "$frozen")" ]'
gw_shot stepped
stepped=$GW_SHOT
[ "$(sand 24 7 26 10)" -eq 12 ] || gw_fail "after F the block's 12 inner cells (24..26, 7..10) hold $(sand 24 7 26 10) sand cells"
[ "$(sand 22 7 28 12)" -eq 25 ] || gw_fail "after F only $(sand 22 7 28 12) of the block's 25 cells lie within one cell of it"
[ "$(( $(sand 22 12 28 12) + $(sand 22 7 22 11) + $(sand 28 7 28 11) ))" -ge 1 ] || gw_fail "after F no sand left the block"
sleep 0.8
gw_shot stepped-later
[ "$(gw_grid_digest "$stepped")" = "$(gw_grid_digest "$GW_SHOT")" ] || gw_fail "the grid kept changing after a single F"
gw_ok "F advances the paused grid by exactly one step"

# Still paused, so nothing moves meanwhile: brush 9 over cell (25,8) covers the block, not the pile.
gw_move 280 93
gw_wheel up 4
outline_is "229 42 330 143" "outline of brush 9 around cell (25,8) after 4 wheel steps up"
gw_hold 3 280 93 0.3
gw_pointer_away
gw_shot erased
[ "$(sand 0 0 49 12)" -eq 0 ] || gw_fail "the right button left $(sand 0 0 49 12) sand cells of the block"
[ "$(sand 0 13 49 49)" -eq "$pile" ] || gw_fail "the right button changed the pile ($pile -> $(sand 0 13 49 49) sand cells)"
gw_ok "the wheel grows the outline; the right button erases under the brush only"

gw_tap space
gw_see 3000 "'paused' line gone after a second Space" '[ "$(pause_pixels)" -lt 20 ]'
gw_escape_exit 1000
