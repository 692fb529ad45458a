#!/usr/bin/env bash
# Sand heated with Shift held melts; cooled, it sets into glass, which adds a seventh button
# last on the right panel, the panel re-centred 20 px higher.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
gw_start
gw_wait_window
gw_type 9    # 135 frames a second: heating and cooling go by the frame

gw_select sand
gw_hold 1 275 480 0.3
# Brush 50 over the centre covers the whole grid, so all of it heats alike.
gw_move 275 275
gw_wheel up 50
gw_see 5000 "outline around the whole grid" '[ "$(gw_red_box "$GW_SHOT")" = "0 0 549 549" ]'
[ "$(gw_count_cells "$GW_SHOT" "$GW_SAND")" -ge 10 ] || gw_fail "no sand painted to melt"

# heat_or_cool BUTTON DESCRIPTION TEST: holds the button with Shift over the grid until TEST.
heat_or_cool() {
    gw_select "$1"
    gw_keydown Shift_L
    gw_press 1 275 275
    gw_see 20000 "$2" "$3"
    gw_release 1
    gw_keyup Shift_L
}
heat_or_cool heat "all sand melted while heating with Shift" \
    '[ "$(gw_count_cells "$GW_SHOT" "$GW_SAND")" -eq 0 ] && [ "$(gw_count_cells "$GW_SHOT" "$GW_MOLTEN_GLASS")" -ge 1 ]'
gw_expect "$GW_SHOT" "nothing below the sixth button before any glass :: -eq 0 :: 602 445 649 560 !($GW_BLACK)"
gw_ok "heating with Shift melted the sand"

heat_or_cool cool "all molten glass set and a glass button (207,255,245) at (610,429)" \
    '[ "$(gw_count_cells "$GW_SHOT" "$GW_MOLTEN_GLASS")" -eq 0 ] && [ "$(gw_count_pixels "$GW_SHOT" 610 429 641 460 "r==207 && g==255 && b==245")" -eq 1024 ]'
gw_pointer_away
gw_shot seven-buttons
[ "$(gw_count_cells "$GW_SHOT" "$GW_GLASS")" -ge 1 ] || gw_fail "the glass button appeared but no cell shows glass"
gw_expect "$GW_SHOT" \
    "sand button re-centred to (610,189) :: -eq 1024 :: 610 189 641 220 r==255 && g==255 && b==0" \
    "eraser icon at (610,389) :: -gt 50 :: 610 389 641 420 !($GW_BLACK)" \
    "nothing above or below the seven buttons :: -eq 0 :: 602 0 649 600 !($GW_BLACK) && (y < 186 || y > 463)"
gw_click 626 445
gw_see 3000 "selection frame around the glass button" \
    '[ "$(gw_count_pixels "$GW_SHOT" 607 426 644 463 "r==255 && g==255 && b==255")" -eq 420 ]'
gw_ok "glass unlocked a seventh button, last; the panel starts at y 189"

gw_escape_exit 1000
