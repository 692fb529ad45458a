#!/usr/bin/env bash
# The real program on a private X server, driven by X input and checked on screenshots.
# Usage: program_test.sh PATH/TO/grainwright CHECK, where CHECK is one of the functions below.
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/drive.bash
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.bash"

sand() { gw_cells "$GW_SHOT" "$GW_SAND" "$@"; }
# at_rest MS DESCRIPTION TEST: the grid unchanged between two screenshots and the shell TEST true.
at_rest() {
    # shellcheck disable=SC2034 # read and set by the test, inside gw_see's eval
    local last=""
    gw_see "$1" "$2" 'if [ "$(grid)" != "$last" ]; then last=$(grid); false; else '"$3"'; fi'
}
# The grid's rows of the latest screenshot: the status text below them shows a changing rate.
grid() { head -c $((550 * 650 * 3)) "$GW_SHOT" | md5sum; }
# pixels X0 Y0 X1 Y1 CONDITION TEST WHAT: the count of the latest screenshot's pixels in the
# rectangle that meet the condition must pass the test, such as "-eq 1024".
pixels() {
    local n
    n=$(gw_count "$GW_SHOT" "${@:1:5}") || exit 1
    # shellcheck disable=SC2086 # the test is an operator and a number
    if ! test "$n" $6; then gw_fail "$7: $n pixels, expected $6"; fi
}

# Space pauses the world, and the status text's first line says so.
pause_world() {
    gw_tap space
    gw_see 3000 "the line 'paused'" '[ "$(gw_count "$GW_SHOT" 15 556 300 569 "r > 200")" -gt 20 ]'
}
# one_line_exit CASE TEXT...: the program just started ends within 10 s with status 1 and one
# line on its error stream that holds every TEXT.
one_line_exit() {
    local line text
    gw_wait_exit 10000 || gw_fail "$1: still running after 10 s"
    line=$(gw_unexpected_output)
    if [ "$GW_STATUS" -ne 1 ] || [ "$(wc -l <<<"$line")" -ne 1 ] ||
        ! tr -d '\r' <"$GW_TMP/stderr" | grep -qxF "$line"; then
        gw_fail "$1: expected status 1 and one line on the error stream, got $GW_STATUS: $line"
    fi
    for text in "${@:2}"; do
        grep -qF -- "$text" <<<"$line" || gw_fail "$1: the line does not name $text: $line"
    done
    gw_ok "$1: status 1, $line"
}

# The window as a user first sees it, and Escape ending the program.
window() {
    gw_start && gw_wait_window && gw_shot first
    if [ "$(xdotool getwindowname "$GW_WID")" != Grainwright ]; then
        gw_fail "the window is not titled Grainwright"
    fi
    xprop -id "$GW_WID" WM_NORMAL_HINTS | grep -q 'maximum size: 650 by 650' ||
        gw_fail "the window can be resized"
    # Wine names the class after the program's file.
    xprop -id "$GW_WID" WM_CLASS | grep -q ', "\(Grainwright\|grainwright.exe\)"$' ||
        gw_fail "the window is not of the class Grainwright"
    xprop -id "$GW_WID" WM_HINTS | grep -q 'bitmap id # to use for icon' ||
        gw_fail "the window has no icon"
    pixels 0 0 549 549 "(x % 11 < 10 && y % 11 < 10) ? ($GW_AIR) : ($GW_BLACK)" "-eq 302500" \
        "air squares at pitch 11"
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
    gw_see 3000 "brush 5's outline around cell (25,9)" \
        '[ "$(gw_red_box "$GW_SHOT")" = "251 75 308 132" ]'
    pixels 550 590 649 649 "r > 200" "-gt 50" "the read-out"
    gw_hold 1 275 100 0.3 && gw_pointer_away
    at_rest 10000 "25 sand cells or more at rest on the floor" \
        '[ "$(sand 0 31 49 49)" -ge 25 ] && [ "$(sand 0 0 49 30)" -eq 0 ]'
    pause_world && gw_hold 1 275 100 0.3 && gw_pointer_away
    local frozen
    frozen=$(grid) && sleep 0.6 && gw_shot
    if [ "$(grid)" != "$frozen" ] || [ "$(sand 23 7 27 11)" -ne 25 ]; then
        gw_fail "no 5x5 block hanging in the air"
    fi
    gw_tap f
    gw_see 3000 "a change after F" '[ "$(grid)" != "$frozen" ]'
    if [ "$(sand 24 7 26 10)" -ne 12 ] || [ "$(sand 22 7 28 12)" -ne 25 ] ||
        [ "$(sand 23 7 27 11)" -ge 25 ]; then
        gw_fail "F did not move the block by one step"
    fi
    frozen=$(grid) && sleep 0.6 && gw_shot
    if [ "$(grid)" != "$frozen" ]; then gw_fail "the grid kept changing after one F"; fi
    gw_move 280 93 && gw_wheel up 4
    gw_see 3000 "brush 9's outline" '[ "$(gw_red_box "$GW_SHOT")" = "229 42 330 143" ]'
    gw_hold 3 280 93 0.3 && gw_pointer_away
    [ "$(sand 0 0 49 30)" -eq 0 ] || gw_fail "the right button left $(sand 0 0 49 30) sand cells"
    gw_escape_exit 1000
}

# Keys and buttons count only while the window has the focus. Run on a terminal, it clears it
# at once.
focus() {
    gw_start script -qfec "$GW_PROGRAM" /dev/null && gw_wait_window && gw_select sand
    grep -q $'\e\[2J' "$GW_TMP/stdout" ||
        gw_fail "the terminal it runs on not cleared while it runs"
    xev -geometry 120x120+700+100 -name other >/dev/null 2>&1 & GW_OTHER_PIDS+=($!)
    local other
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
        gw_poll 3000 "brush 1's outline around cell $c in a $size window" eval \
            '[ "$(gw_red_box "$(picture)")" = "$((at - 2)) $((at - 2)) $((at + 11)) $((at + 11))" ]'
        gw_hold 1 $((at + 5)) $((at + 5)) 0.3 && gw_move 1250 5
        gw_poll 3000 "no outline in a $size window" eval '[ "$(gw_red_box "$(picture)")" = none ]'
        if [ "$(sand)" -ne $((c / 10)) ] || [ "$(sand $c $c $c $c)" -ne 1 ]; then
            gw_fail "in a $size window, not cell $c alone painted"
        fi
        if [ "$(beyond)" != 1 ]; then gw_fail "in a $size window, something beyond the picture"; fi
    done
    pixels 0 0 399 449 "(x % 11 < 10 && y % 11 < 10) ? ($GW_AIR || $GW_SAND) : ($GW_BLACK)" \
        "-eq 180000" "squares at pitch 11 in a 400x450 window"
    xdotool windowsize --sync "$GW_WID" 1200 1000 && gw_click 626 255
    gw_poll 3000 "the rock button selected" \
        eval '[ "$(gw_count "$(picture)" 607 246 644 283 "r==255 && g==255")" -gt 100 ]'
    gw_escape_exit 1000
}
# The window's top-left 650 by 650 pixels, black where it is smaller, into $GW_SHOT; the number of
# colours beyond them (1: all black).
picture() {
    import -window "$GW_WID" miff:- |
        gw_magick - -background black -extent 650x650 -depth 8 "rgb:$GW_SHOT" &&
        echo "$GW_SHOT"
}
beyond() {
    import -window "$GW_WID" miff:- |
        gw_magick - -fill black -draw 'rectangle 0,0 649,649' -format %k info:
}

# On X servers that reset as their last client leaves (a bare Xvfb, xvfb-run, Xephyr), the program
# is that client as it starts: 20 starts on new such servers, each its only client for 1.5 s, every
# core busy (the race needs it). The authority file read at every reset makes a reset long enough.
resetting() {
    local start
    for _ in $(seq "$(nproc)"); do yes >/dev/null & GW_OTHER_PIDS+=($!); done
    touch "$GW_TMP/authority"
    for start in $(seq 20); do
        kill "$GW_XVFB" && wait "$GW_XVFB"
        gw_xvfb -auth "$GW_TMP/authority" && gw_start
        if gw_wait_exit 1500; then
            gw_fail "start $start: status $GW_STATUS, $(gw_unexpected_output)"
        fi
        gw_wait_window && gw_escape_exit 3000
    done
}

# In a paused world, sand heated white-hot with the heat tool made five times as strong by left
# Shift, as the temperature view shows, sets into glass once the world runs again, and the glass
# button joins the panel. How strong each key makes the tool is left to the unit tests.
heating() {
    gw_start && gw_wait_window && pause_world && gw_select temperature
    # A 5x5 block of sand on the floor, made white-hot (3000 degrees or more) while paused.
    gw_select sand && gw_hold 1 280 522 0.3 && gw_select heat && gw_type 9
    gw_move 280 522 && xdotool keydown Shift_L mousedown 1
    gw_see 10000 "the sand white-hot" \
        '[ "$(gw_count "$GW_SHOT" 280 522 280 522 "g == 255 && b == 255")" = 1 ]'
    xdotool mouseup 1 keyup Shift_L && gw_tap space
    gw_see 10000 "the glass button" \
        '[ "$(gw_count "$GW_SHOT" 602 0 649 600 "r==207 && g==255 && b==245")" -eq 1024 ]'
    gw_escape_exit 1000
}

# crop X0 Y0 X1 Y1 [OPTION...]: picture pixels of the full screenshot, raw; blocky: each one colour.
crop() {
    local s=$GW_SCALE
    gw_magick -size "$((650 * s))x$((650 * s))" -depth 8 "rgb:$GW_SHOT.full" \
        -crop "$((($3 - $1 + 1) * s))x$((($4 - $2 + 1) * s))+$(($1 * s))+$(($2 * s))" +repage \
        "${@:5}" -depth 8 rgb:-
}
blocky() {
    local size="$(($3 - $1 + 1))x$(($4 - $2 + 1))!"
    [ "$(crop "$@" | md5sum)" = \
        "$(crop "$@" -sample "$size" -sample "$((100 * GW_SCALE))%" | md5sum)" ]
}
# Text drawn at the screen's resolution: a third of its lit pixels white; a small one enlarged
# is grey.
sharp() {
    crop "$@" -colorspace gray | od -An -v -tu1 -w1 |
        awk '$1 > 20 {n++; w += $1 >= 235} END {exit !(n && 3 * w >= n)}'
}
# On a desktop scaled by its DPI (Windows: LogPixels) the window is 650 times the scale that fits
# the screen or its published work area: the picture magnified but for sharp text and icons, the
# pointer acting there. Wine: one start; its window outlives its program.
scaled() {
    local dpi screen side area masked first=""
    local text=("0,551 280,649" "550,551 649,649" "610,329 641,440" "329,610 360,641")
    # Xft.dpi, the screen, the window's side, the work area ("-": none); the desktops check and
    # the unit tests have the other ways to a scale
    while read -r -u 3 dpi screen side area; do
        if [[ $GW_PROGRAM == *.exe ]] && [ "$side $area" != "1300 -" ]; then continue; fi
        if [ "$GW_SCREEN" != "$screen" ]; then
            kill "$GW_XVFB" && wait "$GW_XVFB"
            GW_SCREEN=$screen && gw_xvfb -noreset
        fi
        if [ "$area" = - ]; then area=""; fi
        gw_dpi "$dpi" "$area" && gw_start && gw_wait_window && gw_move 275 100
        gw_see 3000 "brush 5's outline around cell (25,9)" \
            '[ "$(gw_red_box "$GW_SHOT")" = "251 75 308 132" ]'
        if [ $((650 * GW_SCALE)) != "$side" ]; then
            gw_fail "DPI $dpi on $screen: a window $((650 * GW_SCALE)) wide, not $side"
        fi
        masked=$(gw_magick -size 650x650 -depth 8 "rgb:$GW_SHOT" -fill black \
            -draw "$(printf 'rectangle %s ' "${text[@]}")" rgb:- | md5sum)
        if [ "${first:=$masked}" != "$masked" ]; then
            gw_fail "DPI $dpi on $screen: not the picture of the first start"
        fi
        if [ "$GW_SCALE" -gt 1 ]; then magnified; fi
        gw_ok "DPI $dpi on $screen: $side by $side"
        gw_escape_exit 1000
    done 3<<'END'
192  2800x2800x24 1300 -
192  2800x2800x24 1300 0,0,1320,1380,0,0,1320,1380
192  2800x2800x24 650  0,0,2800,1379,0,0,2800,1379
END
}
# A magnified window: grid, outlines and colour buttons a block of one colour for each picture
# pixel, but the text sharp and the icons not blocky; a one-cell brush paints where it points.
magnified() {
    if ! blocky 0 0 649 328 || ! blocky 0 329 609 550 || ! blocky 281 551 328 649; then
        gw_fail "the picture not magnified pixel for pixel"
    fi
    if ! sharp 15 556 200 620 || ! sharp 550 590 649 649; then gw_fail "the text not sharp"; fi
    if blocky 610 329 641 440 || blocky 329 610 360 641; then gw_fail "the icons blocky"; fi
    gw_select rock && gw_wheel down 4 && gw_hold 1 115 225 0.3 && gw_pointer_away
    gw_see 3000 "rock in cell (10,20) alone" \
        '[ "$(gw_cells "$GW_SHOT" "!($GW_AIR)")" = 1 ] &&
            [ "$(gw_cells "$GW_SHOT" "r < 200 && !($GW_AIR)" 10 20 10 20)" = 1 ]'
}

# Under openbox, on desktops as users have them: the window as large as the desktop's scale
# says, and with its frame wholly inside the monitor under the pointer.
desktops() {
    local screen monitors dpi factor gdk pointer side monitor what deadline
    # the screen, its monitors (NAME:WxH+X+Y), Xft.dpi, Gdk/WindowScalingFactor,
    # GDK_SCALE ("-": none), the pointer, the window's side, the monitor it must lie on (WxH+X+Y)
    while read -r -u 3 screen monitors dpi factor gdk pointer side monitor; do
        gw_desktop "$screen" "$monitors" "$dpi" "$factor"
        xdotool mousemove "${pointer%,*}" "${pointer#*,}"
        if [ "$gdk" = - ]; then gw_start; else gw_start env GDK_SCALE="$gdk" "$GW_PROGRAM"; fi
        gw_find_window
        what="$screen $monitors, Xft.dpi $dpi, factor $factor, GDK_SCALE $gdk, pointer at $pointer"
        # The window manager takes a moment to frame the window, and may move it.
        deadline=$(($(gw_ms) + 3000))
        until framed_on "$side" "$monitor"; do
            if [ "$(gw_ms)" -gt "$deadline" ]; then
                gw_fail "$what: framed at $(gw_frame_box), not a window of $side on $monitor"
            fi
            sleep 0.05
        done
        gw_ok "$what: $side by $side, framed at $(gw_frame_box | cut -d' ' -f1-4) on $monitor"
        gw_focus "$GW_WID" && gw_escape_exit 1000
    done 3<<'END'
1920x1080 a:1920x1080+0+0                    -   - -   960,540   650  1920x1080+0+0
3840x1080 a:1920x1080+0+0,b:1920x1080+1920+0 -   - -   2900,500  650  1920x1080+1920+0
3840x1080 a:1920x1080+0+0,b:1920x1080+1920+0 -   - -   900,500   650  1920x1080+0+0
3840x2160 a:3840x2160+0+0                    192 2 -   100,100   1300 3840x2160+0+0
3840x2160 a:3840x2160+0+0                    240 2 -   100,100   1300 3840x2160+0+0
3840x2160 a:3840x2160+0+0                    -   2 -   100,100   1300 3840x2160+0+0
2560x1440 a:2560x1440+0+0                    144 - -   100,100   1300 2560x1440+0+0
5760x2160 a:3840x2160+0+0,b:1920x1080+3840+0 192 2 -   4800,500  650  1920x1080+3840+0
5760x2160 a:3840x2160+0+0,b:1920x1080+3840+0 192 2 -   1000,1000 1300 3840x2160+0+0
3840x2160 a:3840x2160+0+0                    192 2 1   100,100   650  3840x2160+0+0
3840x2160 a:3840x2160+0+0                    -   - 3   100,100   1950 3840x2160+0+0
3840x2160 a:3840x2160+0+0                    192 2 abc 100,100   1300 3840x2160+0+0
END
}
# framed_on SIDE WxH+X+Y: the window is SIDE pixels square, framed, and its frame lies on the
# monitor of that geometry.
framed_on() {
    local left top right bottom width height mw mh mx my
    read -r left top right bottom width height < <(gw_frame_box)
    read -r mw mh mx my < <(tr "x+" "  " <<<"$2")
    if [ -z "$(gw_frame_extents)" ] || [ "$width $height" != "$1 $1" ]; then return 1; fi
    [ "$left" -ge "$mx" ] && [ "$top" -ge "$my" ] && [ "$right" -lt $((mx + mw)) ] &&
        [ "$bottom" -lt $((my + mh)) ]
}

# Without a display it can open, the program says why in one line and ends with status 1.
no_display() {
    local case named
    for case in "-u DISPLAY" "DISPLAY=:4917" "-u DISPLAY WAYLAND_DISPLAY=wayland-0"; do
        named='DISPLAY is not set'
        if [[ $case == DISPLAY=* ]]; then named=\"${case#DISPLAY=}\"; fi
        # shellcheck disable=SC2086 # the case is env's arguments
        gw_start env $case "$GW_PROGRAM" && one_line_exit "$case" "$named" XWayland
    done
}

# Under openbox: a title bar and a fixed size; minimised, the world goes on and the restored
# window shows it; the title bar's close button ends the program.
window_manager() {
    local l r t b fixed
    gw_openbox && gw_start && gw_wait_window
    read -r l r t b < <(gw_frame_extents)
    if [ "${t:-0}" -le "${l:-0}" ] || [ "$t" -le "$r" ] || [ "$t" -le "$b" ]; then
        gw_fail "no title bar: extents '$l $r $t $b'"
    fi
    fixed=$(xprop -id "$GW_WID" WM_NORMAL_HINTS | grep -cE '(minimum|maximum) size: 650 by 650$')
    if [ "$fixed" != 2 ] || xprop -id "$GW_WID" _NET_WM_ALLOWED_ACTIONS | grep -q RESIZE; then
        gw_fail "the window can be resized"
    fi
    gw_ok "a frame of extents $l $r $t $b (left right top bottom), the window 650x650 fixed"
    gw_select sand && gw_type 3 && pause_world
    gw_hold 1 275 27 0.3 && gw_pointer_away
    [ "$(sand 23 0 27 4)" -eq 25 ] || gw_fail "no 5x5 block of sand at the top"
    # At 45 steps a second (3) the sand lands in about one: well within the time minimised, well
    # after the restore, had the world stopped meanwhile. openbox animates the restoring.
    gw_tap space && xdotool windowminimize --sync "$GW_WID" && sleep 3 &&
        xdotool windowactivate "$GW_WID"
    gw_poll 3000 "the window restored whole, with the focus" \
        eval '[ "$(import -window "$GW_WID" -format %h info: 2>/dev/null)" = 650 ] &&
            gw_has_focus "$GW_WID"'
    # The first frame drawn after the restore, not one from before the minimising.
    gw_see 3000 "the restored window drawn" '[ "$(sand)" -gt 0 ]'
    [ "$(sand 0 45 49 49)" -eq 25 ] ||
        gw_fail "the restored window shows the sand not yet on the floor"
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
        case $case in
        "not a font") echo "$case" >"$GW_RUN/ARIAL.TTF" ;;
        folder) mkdir "$GW_RUN/ARIAL.TTF" ;;
        "named pipe") mkfifo "$GW_RUN/ARIAL.TTF" ;;
        esac
        gw_start && one_line_exit "$case" ARIAL.TTF "$here"
        [ "$case" != missing ] || gw_unexpected_output | grep -qE "$also" ||
            gw_fail "missing: not looked for in $also"
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
frame_pixels() {
    (cd "$GW_RUN" && ASAN_OPTIONS=detect_leaks=0 $([[ $1 != *.exe ]] || echo wine) "$1") || exit
}

# Windows, started with a console of its own as from Explorer: the first frame clears the
# message about a missing icon from it; without the font a message box says why it ends.
console() {
    local console box
    rm "$GW_RUN/none_element.png" && gw_start wine start /wait "$GW_PROGRAM" && gw_wait_window
    gw_poll 5000 "the console" \
        eval 'console=$(xdotool search --onlyvisible --name "grainwright.exe$")'
    xdotool windowmove --sync "$console" 650 0 # out from under the sandbox's window
    gw_poll 5000 "a blank console" \
        eval '[ "$(import -window "$console" -crop 400x60+0+0 -format %k info:)" = 1 ]'
    gw_escape_exit 1000
    rm "$GW_RUN/ARIAL.TTF" && gw_start wine start /wait "$GW_PROGRAM"
    gw_poll 10000 "a message box" eval 'box=$(xdotool search --onlyvisible --name "^Grainwright$")'
    # Wine 10 may take a moment to give the box the focus that Return needs.
    gw_poll 10000 "the message box closed by Return" \
        eval 'xdotool windowfocus "$box" key Return 2>/dev/null; gw_wait_exit 1000'
    if [ "$GW_STATUS" -ne 1 ]; then gw_fail "the message box did not end it with status 1"; fi
    gw_ok "a blank console while it runs, and a message box without the font"
}

case ${2:-} in
window_manager) gw_need openbox ;;
desktops) gw_need openbox xrandr xrdb xsettingsd ;;
focus) gw_need xev ;;
scaled) export GW_SCREEN=2800x2800x24 ;;
esac
[[ ${1:-} != *.exe ]] || gw_need wine
gw_init "${1:?usage: $0 PATH/TO/grainwright CHECK}"
"${2:?usage: $0 PATH/TO/grainwright CHECK}" "${@:3}"
