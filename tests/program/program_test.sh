#!/usr/bin/env bash
# The real program on a private X server, driven by X input and checked on screenshots.
# Usage: program_test.sh PATH/TO/grainwright CHECK, where CHECK is one of the functions below.
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/drive.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.bash"

sand() { gw_cells "$GW_SHOT" "$GW_SAND" "$@"; }
# The grid's rows of the latest screenshot: the status text below them shows a changing rate.
grid() { head -c $((550 * 650 * 3)) "$GW_SHOT" | md5sum; }
# pixels X0 Y0 X1 Y1 CONDITION TEST WHAT: the count of the latest screenshot's pixels in the
# rectangle that meet the condition must pass the test, such as "-eq 1024".
# shellcheck disable=SC2086 # the test is an operator and a number
pixels() { local n && n=$(gw_count "$GW_SHOT" "${@:1:5}") && test "$n" $6 || gw_fail "$7: $n pixels, expected $6"; }

# Space pauses the world, and the status text's first line says so.
pause_world() { gw_tap space && gw_see 3000 "the line 'paused'" '[ "$(gw_count "$GW_SHOT" 15 556 300 569 "r > 200")" -gt 20 ]'; }
# one_line_exit CASE TEXT...: the program just started ends within 10 s with status 1 and one
# line on its error stream that holds every TEXT.
one_line_exit() {
    local line text
    gw_wait_exit 10000 || gw_fail "$1: still running after 10 s"
    line=$(gw_unexpected_output)
    [ "$GW_STATUS" -eq 1 ] && [ "$(wc -l <<<"$line")" -eq 1 ] && tr -d '\r' <"$GW_TMP/stderr" | grep -qxF "$line" ||
        gw_fail "$1: expected status 1 and one line on the error stream, got $GW_STATUS: $line"
    for text in "${@:2}"; do grep -qF -- "$text" <<<"$line" || gw_fail "$1: the line does not name $text: $line"; done
    gw_ok "$1: status 1, $line"
}

# The window as a user first sees it, and Escape ending the program.
window() {
    gw_start && gw_wait_window && gw_shot first
    [ "$(xdotool getwindowname "$GW_WID")" = Grainwright ] && xprop -id "$GW_WID" WM_NORMAL_HINTS |
        grep -q 'maximum size: 650 by 650' || gw_fail "the window is not titled Grainwright or can be resized"
    # Wine names the class after the program's file.
    [ "$(xprop -id "$GW_WID" WM_CLASS WM_HINTS | grep -c -e ', "\(Grainwright\|grainwright.exe\)"$' -e 'bitmap id # to use for icon')" = 2 ] ||
        gw_fail "the window is not of the class Grainwright or has no icon"
    pixels 0 0 549 549 "(x % 11 < 10 && y % 11 < 10) ? ($GW_AIR) : ($GW_BLACK)" "-eq 302500" "air squares at pitch 11"
    pixels 550 0 601 649 "!($GW_BLACK)" "-eq 0" "something right of the grid"
    pixels 610 209 641 240 "r==255 && g==255 && b==0" "-eq 1024" "the sand button"
    pixels 610 249 641 280 "r==128 && g==128 && b==128" "-eq 1024" "the rock button"
    pixels 610 289 641 320 "r==0 && g==128 && b==255" "-eq 1024" "the water button"
    pixels 610 329 641 440 "!($GW_BLACK)" "-gt 150" "the three icons"
    pixels 602 0 649 600 "!($GW_BLACK) && (y < 209 || y > 440)" "-eq 0" "more than six buttons"
    pixels 289 610 320 641 "r==255 && g==255 && b==0" "-eq 1024" "the standard view button"
    pixels 329 610 360 641 "!($GW_BLACK)" "-gt 50" "the temperature view icon"
    gw_escape_exit 1000
}

# Sand painted under the brush falls and piles up on the floor; Space freezes the world, F steps
# it once, the right button erases under the brush; the read-out of the cell under the pointer.
painting() {
    gw_start && gw_wait_window
    gw_select sand && gw_type 9 && gw_move 275 100
    gw_see 3000 "brush 5's outline around cell (25,9)" '[ "$(gw_red_box "$GW_SHOT")" = "251 75 308 132" ]'
    pixels 550 590 649 649 "r > 200" "-gt 50" "the read-out"
    gw_hold 1 275 100 0.3 && gw_pointer_away
    local last="" frozen
    gw_see 10000 "25 sand cells or more at rest on the floor" '[ "$(grid)" = "$last" ] ||
        { last=$(grid) && false; } && [ "$(sand 0 31 49 49)" -ge 25 ] && [ "$(sand 0 0 49 30)" -eq 0 ]'
    pause_world && gw_hold 1 275 100 0.3 && gw_pointer_away
    frozen=$(grid) && sleep 0.6 && gw_shot
    [ "$(grid)" = "$frozen" ] && [ "$(sand 23 7 27 11)" -eq 25 ] || gw_fail "no 5x5 block hanging in the air"
    gw_tap f
    gw_see 3000 "a change after F" '[ "$(grid)" != "$frozen" ]'
    [ "$(sand 24 7 26 10)" -eq 12 ] && [ "$(sand 22 7 28 12)" -eq 25 ] && [ "$(sand 23 7 27 11)" -lt 25 ] ||
        gw_fail "F did not move the block by one step"
    frozen=$(grid) && sleep 0.6 && gw_shot
    [ "$(grid)" = "$frozen" ] || gw_fail "the grid kept changing after one F"
    gw_move 280 93 && gw_wheel up 4
    gw_see 3000 "brush 9's outline" '[ "$(gw_red_box "$GW_SHOT")" = "229 42 330 143" ]'
    gw_hold 3 280 93 0.3 && gw_pointer_away
    [ "$(sand 0 0 49 30)" -eq 0 ] || gw_fail "the right button left $(sand 0 0 49 30) sand cells"
    gw_escape_exit 1000
}

# Keys and buttons count only while the window has the focus. Run on a terminal, it clears it at once.
focus() {
    gw_start script -qfec "$GW_PROGRAM" /dev/null && gw_wait_window && gw_select sand
    grep -q $'\e\[2J' "$GW_TMP/stdout" || gw_fail "the terminal it runs on not cleared while it runs"
    xev -geometry 120x120+700+100 -name other >/dev/null 2>&1 & GW_OTHER_PIDS+=($!)
    gw_poll 5000 "another window" eval 'other=$(xdotool search --onlyvisible --name "^other$")'
    gw_focus "$other" && gw_hold 1 275 275 0.3
    xdotool keydown Escape && sleep 0.5 && xdotool keyup Escape
    gw_alive || gw_fail "Escape ended the program while another window had the focus"
    gw_pointer_away
    [ "$(sand)" -eq 0 ] || gw_fail "the left button painted while another window had the focus"
    gw_focus "$GW_WID" && gw_hold 1 275 275 0.3
    gw_see 3000 "sand painted with the focus back" '[ "$(sand)" -ge 9 ]'
    gw_escape_exit 1000
}

# A window forced to another size keeps the picture at one pixel per pixel from its top-left
# corner, black beyond; the pointer outlines, paints and clicks where it points.
resized() {
    gw_start && gw_wait_window && gw_select sand && gw_tap space && gw_wheel down 4
    local size at=0 c GW_SHOT=$GW_TMP/picture.rgb
    for size in "1200 1000" "400 450"; do
        at=$((at + 110)) c=$((at / 11)) # cells (10,10), then (20,20)
        # shellcheck disable=SC2086 # width and height
        xdotool windowsize --sync "$GW_WID" $size && gw_move $((at + 5)) $((at + 5))
        gw_poll 3000 "brush 1's outline around cell $c in a $size window" \
            eval '[ "$(gw_red_box "$(picture)")" = "$((at - 2)) $((at - 2)) $((at + 11)) $((at + 11))" ]'
        gw_hold 1 $((at + 5)) $((at + 5)) 0.3 && gw_move 1250 5
        gw_poll 3000 "no outline in a $size window" eval '[ "$(gw_red_box "$(picture)")" = none ]'
        [ "$(sand)" -eq $((c / 10)) ] && [ "$(sand $c $c $c $c)" -eq 1 ] && [ "$(beyond)" = 1 ] ||
            gw_fail "in a $size window, not cell $c alone painted, or something beyond the picture"
    done
    pixels 0 0 399 449 "(x % 11 < 10 && y % 11 < 10) ? ($GW_AIR || $GW_SAND) : ($GW_BLACK)" "-eq 180000" \
        "squares at pitch 11 in a 400x450 window"
    xdotool windowsize --sync "$GW_WID" 1200 1000 && gw_click 626 255
    gw_poll 3000 "the rock button selected" eval '[ "$(gw_count "$(picture)" 607 246 644 283 "r==255 && g==255")" -gt 100 ]'
    gw_escape_exit 1000
}
# The window's top-left 650 by 650 pixels, black where it is smaller, into $GW_SHOT; the number of
# colours beyond them (1: all black).
picture() { import -window "$GW_WID" miff:- | gw_magick - -background black -extent 650x650 -depth 8 "rgb:$GW_SHOT" && echo "$GW_SHOT"; }
beyond() { import -window "$GW_WID" miff:- | gw_magick - -fill black -draw 'rectangle 0,0 649,649' -format %k info:; }

# On X servers that reset as their last client leaves (a bare Xvfb, xvfb-run, Xephyr), the program
# is that client as it starts: 20 starts on new such servers, each its only client for 1.5 s, every
# core busy (the race needs it). The authority file read at every reset makes a reset long enough.
resetting() {
    local start
    for _ in $(seq "$(nproc)"); do yes >/dev/null & GW_OTHER_PIDS+=($!); done
    touch "$GW_TMP/authority"
    for start in $(seq 20); do
        kill "$GW_XVFB" && wait "$GW_XVFB"
        gw_xvfb -auth "$GW_TMP/authority" && gw_start && ! gw_wait_exit 1500 ||
            gw_fail "start $start: status $GW_STATUS, $(gw_unexpected_output)"
        gw_wait_window && gw_escape_exit 3000
    done
}

# In a paused world, left Shift makes the heat tool five times as strong and left Control half as
# strong, as the temperature view shows; sand heated past melting sets into glass once the world
# runs again, and the glass button joins the panel.
heating() {
    gw_start && gw_wait_window && pause_world && gw_select heat && gw_wheel down 4 && gw_select temperature
    local key x=0 plain shift control
    for key in "" Shift_L Control_L; do # cells (10,10), (20,10), (30,10)
        x=$((x + 110)) && gw_move $((x + 5)) 115
        # shellcheck disable=SC2086 # a key to hold, or none
        xdotool ${key:+keydown $key} mousedown 1 sleep 0.8 mouseup 1 ${key:+keyup $key}
    done
    gw_pointer_away
    # The ramp's red is t / 1000 * 255 up to 1000 degrees.
    read -r plain shift control < <(for x in 115 225 335; do
        echo $(($(od -An -tu1 -j $(((115 * 650 + x) * 3)) -N1 "$GW_SHOT") * 1000 / 255 - 20)); done | xargs)
    local heated="heated by $plain degrees plainly, $shift with left Shift, $control with left Control"
    awk "BEGIN { exit !($shift >= 3 * $plain && $shift <= 8 * $plain && 4 * $control >= $plain && 4 * $control <= 3 * $plain) }" &&
        gw_ok "$heated" || gw_fail "$heated"
    # A 5x5 block of sand on the floor, made white-hot (3000 degrees or more) while paused.
    gw_select sand && gw_wheel up 4 && gw_hold 1 280 522 0.3 && gw_select heat && gw_type 9
    gw_move 280 522 && xdotool keydown Shift_L mousedown 1
    gw_see 10000 "the sand white-hot" '[ "$(gw_count "$GW_SHOT" 280 522 280 522 "g == 255 && b == 255")" = 1 ]'
    xdotool mouseup 1 keyup Shift_L && gw_tap space
    gw_see 10000 "the glass button" '[ "$(gw_count "$GW_SHOT" 602 0 649 600 "r==207 && g==255 && b==245")" -eq 1024 ]'
    gw_escape_exit 1000
}

# crop X0 Y0 X1 Y1 [OPTION...]: picture pixels of the full screenshot, raw; blocky: each one colour.
crop() { local s=$GW_SCALE && gw_magick -size "$((650 * s))x$((650 * s))" -depth 8 "rgb:$GW_SHOT.full" -crop \
    "$((($3 - $1 + 1) * s))x$((($4 - $2 + 1) * s))+$(($1 * s))+$(($2 * s))" +repage "${@:5}" -depth 8 rgb:-; }
blocky() { [ "$(crop "$@" | md5sum)" = "$(crop "$@" -sample "$(($3 - $1 + 1))x$(($4 - $2 + 1))!" -sample "$((100 * GW_SCALE))%" | md5sum)" ]; }
# Text drawn at the screen's resolution: a third of its lit pixels white; a small one enlarged is grey.
sharp() { crop "$@" -colorspace gray | od -An -v -tu1 -w1 | awk '$1 > 20 {n++; w += $1 >= 235} END {exit !(n && 3 * w >= n)}'; }
# On a desktop scaled by its DPI (Xft.dpi, 96 where not a number; Windows: LogPixels) the window is
# 650 times the scale that fits the screen or its published work area: the picture magnified but for
# sharp text and icons, the pointer acting there. Wine: one start; its window outlives its program.
scaled() {
    local dpi screen side area masked first="" text='0,551 280,649 550,551 649,649 610,329 641,440 329,610 360,641'
    for dpi in "192 2800x2800x24 1300" "120 2800x2800x24 650" "96 2800x2800x24 650" "none 2800x2800x24 650" \
        "192 2800x2800x24 1300 0,0,1320,1380,0,0,1320,1380" "192 2800x2800x24 650 0,0,2800,1379,0,0,2800,1379" \
        "192 1280x1024x24 650"; do
        read -r dpi screen side area <<<"$dpi"
        [[ $GW_PROGRAM != *.exe || $side$area = 1300 ]] || continue
        [ "$GW_SCREEN" = "$screen" ] || { kill "$GW_XVFB" && wait "$GW_XVFB"; GW_SCREEN=$screen gw_xvfb -noreset; }
        gw_dpi "$dpi" "$area" && gw_start && gw_wait_window && gw_move 275 100 &&
            gw_see 3000 "brush 5's outline around cell (25,9)" '[ "$(gw_red_box "$GW_SHOT")" = "251 75 308 132" ]'
        [ $((650 * GW_SCALE)) = "$side" ] || gw_fail "DPI $dpi on $screen: a window $((650 * GW_SCALE)) wide, not $side"
        masked=$(gw_magick -size 650x650 -depth 8 "rgb:$GW_SHOT" -fill black -draw "$(printf 'rectangle %s %s ' $text)" rgb:- | md5sum)
        [ "${first:=$masked}" = "$masked" ] || gw_fail "DPI $dpi on $screen: not the picture of the first start"
        [ "$GW_SCALE" -eq 1 ] || { blocky 0 0 649 328 && blocky 0 329 609 550 && blocky 281 551 328 649 &&
            sharp 15 556 200 620 && sharp 550 590 649 649 && ! blocky 610 329 641 440 && ! blocky 329 610 360 641 ||
            gw_fail "the picture not magnified pixel for pixel, or its text or icons not sharp"
            gw_select rock && gw_wheel down 4 && gw_hold 1 115 225 0.3 && gw_pointer_away
            gw_see 3000 "rock in cell (10,20) alone" '[ "$(gw_cells "$GW_SHOT" "!($GW_AIR)")$(gw_cells "$GW_SHOT" "r < 200 && !($GW_AIR)" 10 20 10 20)" = 11 ]'; }
        gw_ok "DPI $dpi on $screen: $side by $side" && gw_escape_exit 1000
    done
    [[ $GW_PROGRAM != *.exe ]] || gw_dpi 96
}

# Without a display it can open, the program says why in one line and ends with status 1.
no_display() {
    local case named
    for case in "-u DISPLAY" "DISPLAY=:4917" "-u DISPLAY WAYLAND_DISPLAY=wayland-0"; do
        named='DISPLAY is not set' && [[ $case != DISPLAY=* ]] || named=\"${case#DISPLAY=}\"
        # shellcheck disable=SC2086 # the case is env's arguments
        gw_start env $case "$GW_PROGRAM" && one_line_exit "$case" "$named" XWayland
    done
}

# Under openbox: a title bar and a fixed size; minimised, the world goes on and the restored
# window shows it; the title bar's close button ends the program.
window_manager() {
    local l r t b
    XDG_CONFIG_HOME=$GW_TMP XDG_CACHE_HOME=$GW_TMP openbox --sm-disable >"$GW_TMP/openbox.log" 2>&1 & GW_OTHER_PIDS+=($!)
    gw_poll 10000 "openbox" eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
    gw_start && gw_wait_window
    read -r l r t b < <(gw_frame_extents)
    [ "${t:-0}" -gt "${l:-0}" ] && [ "$t" -gt "$r" ] && [ "$t" -gt "$b" ] || gw_fail "no title bar: extents '$l $r $t $b'"
    [ "$(xprop -id "$GW_WID" WM_NORMAL_HINTS | grep -cE '(minimum|maximum) size: 650 by 650$')" = 2 ] &&
        ! xprop -id "$GW_WID" _NET_WM_ALLOWED_ACTIONS | grep -q RESIZE || gw_fail "the window can be resized"
    gw_ok "a frame of extents $l $r $t $b (left right top bottom), the window 650x650 fixed"
    gw_select sand && gw_type 3 && pause_world
    gw_hold 1 275 27 0.3 && gw_pointer_away
    [ "$(sand 23 0 27 4)" -eq 25 ] || gw_fail "no 5x5 block of sand at the top"
    # At 45 steps a second (3) the sand lands in about one: well within the time minimised, well
    # after the restore, had the world stopped meanwhile. openbox animates the restoring.
    gw_tap space && xdotool windowminimize --sync "$GW_WID" && sleep 3 && xdotool windowactivate "$GW_WID"
    gw_poll 3000 "the window restored whole, with the focus" \
        eval '[ "$(import -window "$GW_WID" -format %h info: 2>/dev/null)" = 650 ] && gw_has_focus "$GW_WID"'
    # The first frame drawn after the restore, not one from before the minimising.
    gw_see 3000 "the restored window drawn" '[ "$(sand)" -gt 0 ]'
    [ "$(sand 0 45 49 49)" -eq 25 ] || gw_fail "the restored window shows the sand not yet on the floor"
    gw_escape_exit 1000
    # The frame to (100,100), its title bar on the screen, the close button at its right end.
    gw_start && gw_wait_window && xdotool windowmove --sync "$GW_WID" 100 100
    gw_move $((100 + l + 640)) $((100 + t / 2)) && GW_END="xdotool click 1" gw_escape_exit 1000
}

# Without a usable font the program ends at once with status 1 and one line naming it.
missing_font() {
    # Missing, the font is looked for in the installed data folder too; on Windows no Linux path.
    local here=$GW_RUN also='nor in /.*/share/grainwright;'
    [[ $GW_PROGRAM != *.exe ]] || here=$(winepath -w "$GW_RUN" 2>/dev/null) also='^[^/]*$'
    for case in missing "not a font" folder "named pipe"; do
        rm -rf "$GW_RUN/ARIAL.TTF"
        case $case in "not a font") echo "$case" >"$GW_RUN/ARIAL.TTF" ;; folder) mkdir "$GW_RUN/ARIAL.TTF" ;;
        "named pipe") mkfifo "$GW_RUN/ARIAL.TTF" ;; esac
        gw_start && one_line_exit "$case" ARIAL.TTF "$here"
        [ "$case" != missing ] || gw_unexpected_output | grep -qE "$also" || gw_fail "missing: not looked for in $also"
    done
}

# Without the eraser's icon, and with a named pipe in place of the cool tool's, the panel is two
# buttons shorter, and the sand button is where it is drawn.
missing_icon() {
    rm "$GW_RUN/none_element.png" "$GW_RUN/cool_element.png" && mkfifo "$GW_RUN/cool_element.png"
    gw_start && gw_wait_window && gw_shot
    [ "$(tr -d '\r' <"$GW_TMP/stderr" | grep -c -x -e 'Failed to load image: none_element.png' \
        -e 'Failed to load image: cool_element.png')" = 2 ] || gw_fail "no message about each icon"
    pixels 610 249 641 280 "r==255 && g==255 && b==0" "-eq 1024" "the sand button at y 249"
    pixels 602 0 649 600 "!($GW_BLACK) && (y < 249 || y > 400)" "-eq 0" "more than four buttons"
    gw_click 626 265 && gw_hold 1 275 480 0.3
    gw_see 3000 "sand painted" '[ "$(sand)" -ge 9 ]'
    gw_escape_exit 1000 '^Failed to load image: (none|cool)_element\.png$'
}

# The program's frames against the same frames drawn shape by shape: the GoogleTest program $1.
frame_pixels() { (cd "$GW_RUN" && ASAN_OPTIONS=detect_leaks=0 $([[ $1 != *.exe ]] || echo wine) "$1") || exit; }

# Windows, started with a console of its own as from Explorer: the first frame clears the
# message about a missing icon from it; without the font a message box says why it ends.
console() {
    local console box
    rm "$GW_RUN/none_element.png" && gw_start wine start /wait "$GW_PROGRAM" && gw_wait_window
    gw_poll 5000 "the console" eval 'console=$(xdotool search --onlyvisible --name "grainwright.exe$")'
    xdotool windowmove --sync "$console" 650 0 # out from under the sandbox's window
    gw_poll 5000 "a blank console" eval '[ "$(import -window "$console" -crop 400x60+0+0 -format %k info:)" = 1 ]'
    gw_escape_exit 1000
    rm "$GW_RUN/ARIAL.TTF" && gw_start wine start /wait "$GW_PROGRAM"
    gw_poll 10000 "a message box" eval 'box=$(xdotool search --onlyvisible --name "^Grainwright$")'
    gw_focus "$box" && xdotool key Return
    gw_wait_exit 5000 && [ "$GW_STATUS" -eq 1 ] || gw_fail "the message box did not end it with status 1"
    gw_ok "a blank console while it runs, and a message box without the font"
}

case ${2:-} in window_manager) gw_need openbox ;; focus) gw_need xev ;; scaled) export GW_SCREEN=2800x2800x24 ;; esac
[[ ${1:-} != *.exe ]] || gw_need wine
gw_init "${1:?usage: $0 PATH/TO/grainwright CHECK}"
"${2:?usage: $0 PATH/TO/grainwright CHECK}" "${@:3}"
