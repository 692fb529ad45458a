# Drives the real program on a private Xvfb with X input (xdotool) and reads its window back
# from screenshots. Sourced by tests/program/program_test.sh and by the scripts that soak and
# record the program. Relies on the window's geometry: 50x50 cells of 10 px at an 11-px pitch
# from (0,0), the right panel at x 610, the bottom panel at y 610. On a scaled desktop (GW_DPI,
# the screen GW_SCREEN) these are the picture's pixels, GW_SCALE window pixels each.
# shellcheck disable=SC2034 # colour conditions for the scripts that source this file
set -u -o pipefail

GW_TMP="" GW_XVFB="" GW_PID="" GW_WID="" GW_STATUS=""
GW_RUN="" GW_PROGRAM="" GW_SHOT="" GW_SEQ=0 GW_SCALE=1
GW_OTHER_PIDS=()
# Wine's LogPixels as found before gw_dpi first changed it ("none": unset), put back at the end.
GW_LOGPIXELS=""
# Colour conditions on the awk fields r, g, b.
GW_AIR='r==25 && g==25 && b==25'
GW_SAND='r>=230 && g>=230 && b<=25'
GW_BLACK='r==0 && g==0 && b==0'

gw_ms() { echo $(($(date +%s%N) / 1000000)); }
gw_ok() { echo "ok: $*"; }
gw_fail() {
    echo "FAIL: $*" >&2
    if [ -s "$GW_TMP/stderr" ]; then
        echo "--- program stderr:" >&2
        tail -n 15 "$GW_TMP/stderr" >&2
    fi
    exit 1
}

# The X server goes with everything held on it; a failed run keeps its screenshots as PNG files.
gw_cleanup() {
    local status=$? p shot
    gw_logpixels_back
    for p in $GW_PID "${GW_OTHER_PIDS[@]}" $GW_XVFB; do
        kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
    done
    [ "$status" -ne 0 ] || { rm -rf "$GW_TMP" && return 0; }
    for shot in "$GW_TMP"/*.rgb; do [ ! -f "$shot" ] || gw_png "$shot" "${shot%.rgb}.png"; done
    echo "screenshots and program output kept in $GW_TMP" >&2
    return "$status"
}

# gw_init [PROGRAM]: a private Xvfb, and the program copied with its font and icons into a
# fresh folder ($GW_RUN), so that a run may remove any of them. With GW_START_IN set to a
# folder, the program (an installed one's command) runs as it is, from that folder. A Windows
# program (.exe) runs in Wine.
gw_init() {
    local f
    gw_need Xvfb xdotool xwininfo xprop import od awk
    GW_TMP=$(mktemp -d "${TMPDIR:-/tmp}/grainwright.XXXXXX") || exit 1
    trap gw_cleanup EXIT
    trap 'exit 130' INT TERM
    GW_RUN="$GW_TMP/run" GW_PROGRAM=./$(basename "${1:-grainwright}")
    mkdir "$GW_RUN"
    if [ -n "${GW_START_IN:-}" ]; then
        GW_RUN=$GW_START_IN GW_PROGRAM=$1
    elif [ -n "${1:-}" ]; then
        cp "$1" "$GW_RUN/" || gw_fail "cannot copy the program '$1'"
        for f in ARIAL.TTF {heat,cool,none,temp_display}_element{,@2x,@3x,@4x}.png; do
            cp "$(dirname "$1")/$f" "$GW_RUN/" || gw_fail "$f is missing beside $1"
        done
    fi
    # Without -noreset, the server resets as its last client leaves, dropping the atom below and
    # refusing connections meanwhile.
    gw_xvfb -noreset
    # A user's own scale for GTK programs would scale the window.
    unset XAUTHORITY WAYLAND_DISPLAY GDK_SCALE
    # A desktop's window manager makes this atom known; SFML 3 sets no window icon without it.
    xprop -root -f _NET_WM_ICON 32c -set _NET_WM_ICON 0
    [ -z "${GW_DPI:-}" ] || gw_dpi "$GW_DPI"
}

# gw_dpi DPI [WORKAREA]: the desktop's scale for programs started from now on, as X11 desktops set
# it, or as Windows does for a Windows program; under X11 the work area "X,Y,WIDTH,HEIGHT" too, as a
# window manager publishes it.
gw_dpi() {
    local key='HKCU\Control Panel\Desktop'
    if [[ $GW_PROGRAM == *.exe ]]; then
        if [ -z "$GW_LOGPIXELS" ]; then
            GW_LOGPIXELS=$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' |
                awk '$1 == "LogPixels" { print $3 }')
            GW_LOGPIXELS=${GW_LOGPIXELS:-none}
        fi
        wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
        # Wine 10 reads the DPI as a session starts: this one must end first.
        wineserver -w
    else
        xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$1"
        [ -z "${2:-}" ] || xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$2"
    fi
}

# Puts Wine's LogPixels back as gw_dpi found it, so that a check run by hand changes no setting.
gw_logpixels_back() {
    local key='HKCU\Control Panel\Desktop'
    if [ "$GW_LOGPIXELS" = none ]; then
        wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
    elif [ -n "$GW_LOGPIXELS" ]; then
        wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((GW_LOGPIXELS))" /f >/dev/null 2>&1
    fi
    GW_LOGPIXELS=""
}

# gw_openbox: openbox as the X server's window manager, as on a desktop.
gw_openbox() {
    XDG_CONFIG_HOME=$GW_TMP XDG_CACHE_HOME=$GW_TMP openbox --sm-disable \
        >"$GW_TMP/openbox.log" 2>&1 &
    GW_OTHER_PIDS+=($!)
    gw_poll 10000 "openbox" eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
}

# gw_desktop SCREEN MONITORS DPI FACTOR: a new X server of SCREEN ("WIDTHxHEIGHT") under openbox,
# its RandR monitors "NAME:WxH+X+Y,..." in place of the screen's own (the first on its output), the
# Xft.dpi and an XSETTINGS manager's Gdk/WindowScalingFactor ("-": none), as desktops set them.
gw_desktop() {
    local monitor output=screen geometry w h count
    kill "$GW_XVFB" && wait "$GW_XVFB"
    GW_SCREEN=$1x24 && gw_xvfb -noreset && gw_openbox
    for monitor in ${2//,/ }; do
        geometry=${monitor#*:}
        read -r w h _ <<<"${geometry//[x+]/ }"
        # RandR wants a size in millimetres too: any will do.
        xrandr --setmonitor "${monitor%%:*}" "$w/$((w / 4))x$h/$((h / 4))+${geometry#*+}" \
            "$output" >/dev/null
        output=none
    done
    # shellcheck disable=SC2034 # read inside gw_poll's eval
    count=$(tr , '\n' <<<"$2" | wc -l)
    gw_poll 3000 "the monitors $2" eval '[ "$(xrandr --listmonitors | grep -c "^ ")" = "$count" ]'
    if [ "$3" = - ]; then xrdb -remove; else xrdb -nocpp -load - <<<"Xft.dpi: $3"; fi
    if [ "$4" != - ]; then
        echo "Gdk/WindowScalingFactor $4" >"$GW_TMP/xsettings"
        xsettingsd -c "$GW_TMP/xsettings" >"$GW_TMP/xsettingsd.log" 2>&1 &
        GW_OTHER_PIDS+=($!)
        gw_poll 5000 "xsettingsd" grep -q "Took ownership" "$GW_TMP/xsettingsd.log"
    fi
}

# gw_need TOOL...: without one of its tools a check is skipped, with CTest's status for a skip.
gw_need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
}

# gw_xvfb [OPTION...]: a private Xvfb as DISPLAY; -displayfd picks a free display itself, so that
# no other server is raced for one.
gw_xvfb() {
    rm -f "$GW_TMP/display" # else the last server's number may be read before the file is new
    Xvfb -displayfd 3 -screen 0 "${GW_SCREEN:-1920x1080x24}" -nolisten tcp "$@" \
        3>"$GW_TMP/display" 2>"$GW_TMP/xvfb.log" &
    GW_XVFB=$!
    gw_poll 10000 "Xvfb's display number" grep -q '^[0-9]' "$GW_TMP/display"
    DISPLAY=":$(head -n 1 "$GW_TMP/display")" && export DISPLAY
}

# gw_start [COMMAND...]: the program (default the one gw_init set up) started in $GW_RUN, its
# output in $GW_TMP/stdout and stderr. LeakSanitizer would blame the OpenGL driver at exit.
gw_start() {
    [ "$#" -gt 0 ] || set -- "$GW_PROGRAM"
    [[ $1 != *.exe ]] || set -- wine "$@"
    (cd "$GW_RUN" && ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" exec "$@" </dev/null \
        >"$GW_TMP/stdout" 2>"$GW_TMP/stderr") &
    GW_PID=$! GW_STATUS="" GW_WID=""
}

# An ended child stays a zombie until it is waited for.
gw_alive() {
    local state
    state=$(awk '/^State:/ {print $2}' "/proc/${GW_PID:-none}/status" 2>/dev/null)
    [ -n "$state" ] && [ "$state" != Z ]
}

# gw_wait_exit MS: sets GW_STATUS once the program has ended; false while it still runs.
gw_wait_exit() {
    local deadline=$(($(gw_ms) + $1))
    while gw_alive; do
        [ "$(gw_ms)" -lt "$deadline" ] || return 1
        sleep 0.01
    done
    wait "$GW_PID"
    GW_STATUS=$? GW_PID=""
}

# gw_poll MS DESCRIPTION COMMAND...: retries COMMAND until it succeeds.
gw_poll() {
    local deadline=$(($(gw_ms) + $1)) what=$2
    shift 2
    until "$@"; do
        [ "$(gw_ms)" -lt "$deadline" ] || gw_fail "timed out waiting for: $what"
        sleep 0.05
    done
}

# gw_see MS DESCRIPTION TEST: retries the shell TEST on a fresh screenshot ($GW_SHOT).
gw_see() { gw_poll "$1" "$2" eval "gw_shot poll && $3"; }

# gw_find_window: the program's window, once shown, in $GW_WID.
gw_find_window() {
    GW_WID=$(timeout 10 xdotool search --sync --onlyvisible --name '^Grainwright$' 2>/dev/null |
        head -n 1)
    if [ -z "$GW_WID" ]; then
        if ! gw_alive; then
            gw_wait_exit 100
            gw_fail "the program ended (status $GW_STATUS) before showing a window"
        fi
        gw_fail "no window titled 'Grainwright' within 10 s"
    fi
}

# gw_wait_window: waits for the window, focuses it (a bare X server has no window manager to do
# so), moves it to the screen's origin (under a window manager, its frame just beyond) and waits
# for a frame drawn with the pointer off the grid.
gw_wait_window() {
    local left top
    gw_find_window
    gw_focus "$GW_WID"
    GW_SCALE=$(($(xwininfo -id "$GW_WID" | awk '/Width:/ {print $2}') / 650))
    # Wine 10 does not follow its window moved by another program: gw_move goes to it instead.
    if [[ $GW_PROGRAM != *.exe ]]; then
        read -r left _ top _ < <(gw_frame_extents)
        xdotool windowmove --sync "$GW_WID" $((-${left:-0})) $((-${top:-0})) >/dev/null 2>&1
        # xdotool's own position counts a frame's offset twice.
        gw_poll 5000 "window at (0,0)" \
            eval '[ "$(xwininfo -id "$GW_WID" | grep -cE "Absolute upper-left [XY]: +0$")" = 2 ]'
    fi
    # A frame drawn before the move may still show the brush outline where the pointer was.
    gw_move 645 5
    gw_see 5000 "a first frame, the pointer off the grid" \
        '[ "$(gw_count "$GW_SHOT" 0 0 9 9 "$GW_AIR")" -eq 100 ] &&
            [ "$(gw_red_box "$GW_SHOT")" = none ]'
}

# The window's frame on the screen, "LEFT TOP RIGHT BOTTOM", then the window's "WIDTH HEIGHT".
gw_frame_box() {
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$GW_WID" | awk '/Absolute upper-left X/ {x = $4}
        /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2}
        END {print x, y, w, h}')
    read -r l r t b < <(gw_frame_extents)
    echo $((x - ${l:-0})) $((y - ${t:-0})) $((x + w + ${r:-0} - 1)) $((y + h + ${b:-0} - 1)) \
        "$w" "$h"
}
# The window manager's frame around the window: "left right top bottom", or nothing without one.
gw_frame_extents() { xprop -id "$GW_WID" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,; }

gw_focus() {
    xdotool windowfocus --sync "$1" >/dev/null 2>&1
    gw_poll 3000 "the focus on window $1" gw_has_focus "$1"
}
gw_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# gw_shot [NAME]: the window's picture as raw RGB bytes into $GW_SHOT, one pixel of each block
# of a magnified one, which stays whole in $GW_SHOT.full; "poll" keeps only the latest.
gw_shot() {
    local name=${1:-shot} side=$((650 * GW_SCALE))
    [ "$name" = poll ] || { GW_SEQ=$((GW_SEQ + 1)) && name=$(printf '%02d-%s' "$GW_SEQ" "$name"); }
    GW_SHOT="$GW_TMP/$name.rgb"
    import -window "$GW_WID" -depth 8 "rgb:$GW_SHOT.full" 2>/dev/null || gw_fail "screenshot failed"
    [ "$(stat -c %s "$GW_SHOT.full")" -eq $((side * side * 3)) ] ||
        gw_fail "screenshot is not ${side}x$side"
    if [ "$GW_SCALE" -eq 1 ]; then
        mv "$GW_SHOT.full" "$GW_SHOT"
    else
        gw_magick -size "${side}x$side" -depth 8 "rgb:$GW_SHOT.full" -sample 650x650 "rgb:$GW_SHOT"
    fi
}

# ImageMagick 7 calls it "magick" and warns about the old name.
gw_magick() { if command -v magick >/dev/null; then magick "$@"; else convert "$@"; fi; }
gw_png() { gw_magick -size 650x650 -depth 8 "rgb:$1" "$2"; }

# gw_count SHOT X0 Y0 X1 Y1 CONDITION: pixels of the inclusive rectangle meeting the awk
# CONDITION on r, g, b, x and y.
gw_count() {
    od -An -v -tu1 -w3 -j $(($3 * 1950)) -N $((($5 - $3 + 1) * 1950)) "$1" |
        awk -v y0="$3" "{ k = NR - 1; x = k % 650; y = y0 + int(k / 650); r = \$1; g = \$2; b = \$3
                          if (x >= $2 && x <= $4 && ($6)) n++ } END { print n + 0 }"
}

# gw_cells SHOT CONDITION [C0 R0 C1 R1]: cells of the range (the whole grid by default) whose
# centre pixel meets the condition.
gw_cells() {
    gw_magick -size 650x650 -depth 8 "rgb:$1" -crop 550x550+0+0 +repage -sample 50x50 \
        -depth 8 txt:- |
        awk -F'[,:() ]+' -v c0="${3:-0}" -v r0="${4:-0}" -v c1="${5:-49}" -v r1="${6:-49}" '
        NR > 1 { c = $1; row = $2; r = $3; g = $4; b = $5
                 if (c >= c0 && c <= c1 && row >= r0 && row <= r1 && ('"$2"')) n++ }
        END { print n + 0 }'
}

# gw_red_box SHOT: "left top right bottom" of the brush outline's pure red pixels, or "none". The
# black border keeps trimming from taking a red corner for the background.
gw_red_box() {
    local box
    box=$(gw_magick -size 650x650 -depth 8 "rgb:$1" -crop 550x550+0+0 +repage -fill black \
        +opaque 'rgb(255,0,0)' -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
    case $box in
    '' | 0x0*) echo none ;;
    *) awk -F'[x+]' '{print $3 - 1, $4 - 1, $3 + $1 - 2, $4 + $2 - 2}' <<<"$box" ;;
    esac
}

# --sync waits for a motion, which never comes when the pointer is already there.
gw_move() {
    local origin=(0 0)
    # A Windows program's window stays where it opened, which it chose as it started.
    if [[ $GW_PROGRAM == *.exe ]]; then
        read -r -a origin < <(gw_frame_box)
    fi
    set -- $(($1 * GW_SCALE + origin[0])) $(($2 * GW_SCALE + origin[1]))
    timeout 1 xdotool mousemove --sync "$1" "$2" 2>/dev/null || xdotool mousemove "$1" "$2"
}
gw_click() { gw_move "$1" "$2" && xdotool click "${3:-1}"; }
gw_hold() { gw_move "$2" "$3" && xdotool mousedown "$1" && sleep "$4" && xdotool mouseup "$1"; }
# Space and F sleep 500 ms once seen: a tap must stay well below that to count once.
gw_tap() { xdotool keydown "$1" && sleep 0.12 && xdotool keyup "$1"; }
gw_type() { xdotool type --delay 40 "$1"; }
# gw_wheel up|down COUNT
gw_wheel() {
    [ "$2" -eq 0 ] ||
        xdotool click --repeat "$2" --delay 8 "$([ "$1" = down ] && echo 5 || echo 4)"
}

# Moves the pointer off the grid and waits for a frame without the brush outline.
gw_pointer_away() {
    gw_move 645 5
    gw_see 5000 "a frame without the brush outline" '[ "$(gw_red_box "$GW_SHOT")" = none ]'
}

# gw_select NAME: clicks a button of the six-button right panel or of the bottom panel; the y
# used lies inside the button of a seven-button panel too.
gw_select() {
    local i=0 name
    for name in sand rock water heat cool air standard temperature; do
        [ "$name" != "$1" ] || break
        i=$((i + 1))
    done
    if [ "$i" -lt 6 ]; then
        gw_click 626 $((215 + 40 * i))
    else
        gw_click $((305 + 40 * (i - 6))) 626
    fi
}

# gw_unexpected_output [REGEX...]: output other than SFML's vsync notice on Xvfb, the terminal
# clear sequence and lines matching the given extended regular expressions.
gw_unexpected_output() {
    local allowed='^Setting vertical sync not supported$|^$' extra
    for extra in "$@"; do allowed+="|$extra"; done
    sed -e 's/\x1b\[H//g; s/\x1b\[2J//g; s/\r$//' "$GW_TMP/stdout" "$GW_TMP/stderr" |
        grep -v -E "$allowed"
    return 0
}

# gw_escape_exit [MAX_MS [REGEX...]]: Escape held (or the command GW_END) must end the program
# within MAX_MS with status 0, its window gone and nothing unexpected printed.
gw_escape_exit() {
    local max=${1:-1000} start took out what=${GW_END:-Escape}
    # Without a window manager, Wine waits a second for each window's withdrawal as it ends.
    [[ $GW_PROGRAM != *.exe ]] || max=$((max + 3000))
    start=$(gw_ms)
    ${GW_END:-xdotool keydown Escape}
    gw_wait_exit $((max + 4000)) ||
        gw_fail "$what did not end the program within $((max + 4000)) ms"
    took=$(($(gw_ms) - start)) && xdotool keyup Escape
    if [ "$GW_STATUS" -ne 0 ] || [ "$took" -gt "$max" ]; then
        gw_fail "$what ended the program in $took ms (limit $max) with status $GW_STATUS, not 0"
    fi
    ! xwininfo -id "$GW_WID" >/dev/null 2>&1 || gw_fail "the window outlived the program"
    out=$(gw_unexpected_output "${@:2}")
    [ -z "$out" ] || gw_fail "unexpected output: $out"
    gw_ok "$what ended the program in $took ms with status 0"
}
