#!/usr/bin/env bash
# Without the eraser's icon the program says so once, shows one button fewer (the strip
# re-centred), and the right mouse button still erases.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
rm "$GW_RUN/none_element.png"
gw_start
gw_wait_window

n=$(grep -c -x 'Failed to load image: none_element.png' "$GW_TMP/stderr")
[ "$n" -eq 1 ] || gw_fail "expected the line 'Failed to load image: none_element.png' once on stderr, found $n"
out=$(gw_unexpected_output '^Failed to load image: none_element\.png$')
[ -z "$out" ] || gw_fail "unexpected output: $out"
[ ! -s "$GW_TMP/stdout" ] || gw_fail "the message went to stdout: $(cat "$GW_TMP/stdout")"
gw_ok "stderr names the missing icon"

# Five buttons: strip length 208, first button at y (650 - 208) / 2 + 8 = 229.
gw_shot five-buttons
gw_expect_counts "$GW_SHOT" \
    "sand button at y 229 :: -eq 1024 :: 610 229 641 260 r==255 && g==255 && b==0" \
    "rock button at y 269 :: -eq 1024 :: 610 269 641 300 r==128 && g==128 && b==128" \
    "water button at y 309 :: -eq 1024 :: 610 309 641 340 r==0 && g==128 && b==255" \
    "heat icon at y 349 :: -gt 50 :: 610 349 641 380 !($GW_BLACK)" \
    "cool icon at y 389 :: -gt 50 :: 610 389 641 420 !($GW_BLACK)" \
    "nothing above the five-button strip :: -eq 0 :: 602 0 649 225 !($GW_BLACK)" \
    "nothing below the fifth button :: -eq 0 :: 602 424 649 560 !($GW_BLACK)"
gw_ok "right strip holds five buttons, first at y 229"

# A click where the eraser would be hits nothing and keeps the selection.
sand_frame() {
    gw_shot poll
    [ "$(gw_count_pixels "$GW_SHOT" 607 226 644 263 "r==255 && g==255 && b==255")" -eq 420 ]
}
gw_click 626 245
gw_poll 3000 "selection frame around the sand button" sand_frame
gw_click 626 430
sleep 0.3
sand_frame || gw_fail "a click below the last button moved the selection away from sand"
gw_ok "sand selected; a click below the strip keeps it"

gw_type 9
gw_hold 1 275 480 0.3
gw_move 645 5
gw_poll 5000 "painted sand visible" eval '[ "$(gw_shot poll; gw_count_cells "$GW_SHOT" "$GW_SAND")" -ge 10 ]'
gw_move 275 275
gw_wheel up 50
gw_poll 5000 "outline around the whole grid" eval 'gw_shot poll; [ "$(gw_red_box "$GW_SHOT")" = "0 0 549 549" ]'
gw_hold 3 275 275 0.3
gw_move 645 5
gw_poll 3000 "whole grid air after erasing with the right button" eval \
    '[ "$(gw_shot poll; gw_count_cells "$GW_SHOT" "$GW_AIR")" -eq 2500 ]'
gw_ok "the right button erases without an eraser button"

gw_escape_exit 1000
