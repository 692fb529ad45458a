#!/usr/bin/env bash
# Without the eraser's icon the program says so once on stderr, shows the panel one button
# shorter, re-centred, and the right mouse button still erases.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
rm "$GW_RUN/none_element.png"
gw_start
gw_wait_window

n=$(grep -c -x 'Failed to load image: none_element.png' "$GW_TMP/stderr")
[ "$n" -eq 1 ] && [ ! -s "$GW_TMP/stdout" ] ||
    gw_fail "expected the line 'Failed to load image: none_element.png' once on stderr ($n times) and nothing on stdout"
gw_ok "stderr names the missing icon"

# Five buttons: 208 px long, the first at y (650 - 208) / 2 + 8 = 229.
gw_shot five-buttons
gw_expect "$GW_SHOT" \
    "sand button at (610,229) :: -eq 1024 :: 610 229 641 260 r==255 && g==255 && b==0" \
    "cool icon, last, at (610,389) :: -gt 50 :: 610 389 641 420 !($GW_BLACK)" \
    "nothing above or below the five buttons :: -eq 0 :: 602 0 649 600 !($GW_BLACK) && (y < 226 || y > 423)"
gw_ok "the right panel holds five buttons, the first at y 229"

gw_click 626 245    # sand, in the five-button panel
gw_type 9
gw_hold 1 275 480 0.3
gw_move 275 275
gw_wheel up 50
gw_see 5000 "sand painted and an outline around the whole grid" \
    '[ "$(gw_count_cells "$GW_SHOT" "$GW_SAND")" -ge 10 ] && [ "$(gw_red_box "$GW_SHOT")" = "0 0 549 549" ]'
gw_hold 3 275 275 0.3
gw_pointer_away
gw_see 3000 "the whole grid air after erasing with the right button" '[ "$(gw_count_cells "$GW_SHOT" "$GW_AIR")" -eq 2500 ]'
gw_ok "the right button erases without an eraser button"

gw_escape_exit 1000 '^Failed to load image: none_element\.png$'
