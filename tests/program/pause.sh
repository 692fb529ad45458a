#!/usr/bin/env bash
# Space freezes the world (painting still works), F advances it by exactly one step while
# paused, the right button erases while paused, and a second Space lets it run again.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
gw_start
gw_wait_window
gw_click 626 225    # sand
gw_type 9

outline_is() { gw_shot poll; [ "$(gw_red_box "$GW_SHOT")" = "$1" ]; }
sand_cells() { gw_count_cells "$1" "$GW_SAND" "${@:2}"; }
at_rest() { gw_shot poll; [ "$(gw_loose_cells "$GW_SHOT" "$GW_SAND")" -eq 0 ]; }

# A small pile on the floor first, to see that erasing in the air leaves it alone.
gw_hold 1 275 480 0.2
gw_move 645 5
gw_poll 10000 "painted sand at rest on the floor" at_rest
[ "$(sand_cells "$GW_SHOT" 0 0 49 12)" -eq 0 ] || gw_fail "the pile reaches row 12"
gw_ok "$(sand_cells "$GW_SHOT") sand cells at rest on the floor"

# Space pauses: the pause line shows, painted sand hangs in the air, the grid stays frozen.
pause_line() { gw_shot poll; gw_compare "$(gw_count_pixels "$GW_SHOT" 15 556 300 569 'r>200 && g>200 && b>200')" "$1" 20; }
gw_tap space
gw_poll 3000 "'paused' line in the status text after Space" pause_line -gt
gw_hold 1 275 100 0.3
gw_move 645 5
gw_shot paused-1
frozen=$GW_SHOT
n=$(sand_cells "$frozen" 23 7 27 11)
[ "$n" -eq 25 ] || gw_fail "paused: the 5x5 brush painted $n sand cells, expected all 25 to stay in the air"
pile=$(sand_cells "$frozen" 0 13 49 49)
sleep 1
gw_shot paused-2
[ "$(gw_grid_digest "$frozen")" = "$(gw_grid_digest "$GW_SHOT")" ] ||
    gw_fail "grid changed within 1 s while paused ($frozen vs $GW_SHOT)"
gw_ok "Space pauses: painted block hangs in the air, grid frozen for 1 s"

# F advances exactly one step: the block's inner cells stay, the others move one cell at most
# (a sand cell moved twice in one step would have to land on air that another one left).
gw_tap f
gw_poll 3000 "grid change after F" eval 'gw_shot poll; [ "$(gw_grid_digest "$GW_SHOT")" != "$(gw_grid_digest "$frozen")" ]'
gw_shot stepped
stepped=$GW_SHOT
n=$(sand_cells "$stepped" 24 7 26 10)
[ "$n" -eq 12 ] || gw_fail "after F the block's 12 inner cells (24..26, 7..10) hold $n sand cells"
n=$(sand_cells "$stepped" 22 7 28 12)
[ "$n" -eq 25 ] || gw_fail "after F $n of the block's 25 sand cells lie within one cell of it"
n=$(( $(sand_cells "$stepped" 22 12 28 12) + $(sand_cells "$stepped" 22 7 22 11) + $(sand_cells "$stepped" 28 7 28 11) ))
[ "$n" -ge 1 ] || gw_fail "after F no sand left the block: no step"
sleep 0.8
gw_shot stepped-later
[ "$(gw_grid_digest "$stepped")" = "$(gw_grid_digest "$GW_SHOT")" ] ||
    gw_fail "grid kept changing after a single F: F stepped more than once or unpaused"
gw_ok "F advances the paused grid by exactly one step"

# The right button erases under the brush only (still paused, so nothing moves meanwhile):
# brush 9 over cell (25,8) covers the block and the cells it moved to, not the pile.
gw_move 280 93
gw_wheel up 4
gw_poll 3000 "outline of brush 9 around cell (25,8)" outline_is "229 42 330 143"
gw_hold 3 280 93 0.3
gw_move 645 5
gw_shot erased
n=$(sand_cells "$GW_SHOT" 0 0 49 12)
[ "$n" -eq 0 ] || gw_fail "right button left $n sand cells of the block in the air"
n=$(sand_cells "$GW_SHOT" 0 13 49 49)
[ "$n" -eq "$pile" ] || gw_fail "right button over the block changed the pile on the floor ($pile -> $n sand cells)"
gw_ok "right button erases the block under the brush, the pile stays"

gw_tap space
gw_poll 3000 "'paused' line gone after a second Space" pause_line -lt
gw_ok "Space again resumes"

# Running again: sand painted in the air falls and comes to rest.
gw_hold 1 275 100 0.2
gw_move 645 5
gw_poll 10000 "sand painted after resuming falls to rest" eval \
    'at_rest && [ "$(sand_cells "$GW_SHOT" 0 0 49 12)" -eq 0 ]'
gw_ok "the world runs again after the second Space"

out=$(gw_unexpected_output)
[ -z "$out" ] || gw_fail "unexpected output: $out"
gw_escape_exit 1000
