# Drives the real program on a private Xvfb with real X input (xdotool) and reads its window
# back from screenshots. Sourced by tests/program/*.sh, scripts/soak-program and
# scripts/screenshots. Geometry relied on: 50x50 cells of 10 px at an 11-px pitch from (0,0),
# right panel at x 610, bottom panel at y 610, window moved to the screen's origin.
# shellcheck disable=SC2034 # constants for the scripts that source this file
set -u
set -o pipefail

GW_WIDTH=650 GW_PITCH=11
GW_TMP="" GW_XVFB_PID="" GW_PID="" GW_WID="" GW_STATUS="" GW_RUN="" GW_SHOT="" GW_SEQ=0 GW_FAILED=0
GW_HELD_KEYS=() GW_HELD_BUTTONS=() GW_OTHER_PIDS=()

# Colour conditions on the awk fields r, g, b.
GW_AIR='r==25 && g==25 && b==25'
GW_SAND='r>=230 && g>=230 && b<=25'
GW_GLASS='r>=202 && r<=212 && g>=250 && b>=240 && b<=250'
GW_MOLTEN_GLASS='r>=235 && g>=168 && g<=208 && b>=59 && b<=99'
GW_BLACK='r==0 && g==0 && b==0'

gw_now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
GW_T0=$(gw_now_ms)
gw_log() { printf '%s\n' "$*"; }
gw_ok() { printf 'ok [%5.1fs]: %s\n' "$(( $(gw_now_ms) - GW_T0 ))e-3" "$*"; }

gw_fail() {
    GW_FAILED=1
    printf 'FAIL: %s\n' "$*" >&2
    if [ -n "$GW_TMP" ] && [ -s "$GW_TMP/stderr" ]; then
        printf -- '--- program stderr (last lines) ---\n' >&2
        tail -n 15 "$GW_TMP/stderr" >&2
    fi
    exit 1
}

gw_cleanup() {
    local status=$? k b p raw
    if [ -n "$GW_XVFB_PID" ]; then
        for k in "${GW_HELD_KEYS[@]}"; do xdotool keyup "$k" >/dev/null 2>&1; done
        for b in "${GW_HELD_BUTTONS[@]}"; do xdotool mouseup "$b" >/dev/null 2>&1; done
    fi
    for p in $GW_PID "${GW_OTHER_PIDS[@]}" $GW_XVFB_PID; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
    [ -n "$GW_TMP" ] || return "$status"
    if [ "$status" -ne 0 ] || [ "$GW_FAILED" -ne 0 ]; then
        for raw in "$GW_TMP"/*.rgb; do [ -f "$raw" ] && gw_save_png "$raw" && rm -f "$raw" "$raw.cells"; done
        printf 'artefacts (screenshots, program output) kept in %s\n' "$GW_TMP" >&2
    else
        rm -rf "$GW_TMP"
    fi
    return "$status"
}

# gw_init BINARY: starts a private Xvfb and copies the program, its font and icons into a fresh
# folder ($GW_RUN), so that a test may remove any of them.
gw_init() {
    local binary=${1:-} tool dir f
    [ -x "$binary" ] || gw_fail "usage: $0 /path/to/grainwright (got '$binary', not an executable)"
    for tool in Xvfb xdotool xwininfo xprop import od awk timeout; do
        command -v "$tool" >/dev/null 2>&1 || gw_fail "required tool '$tool' is not installed"
    done
    GW_TMP=$(mktemp -d "${TMPDIR:-/tmp}/grainwright-test.XXXXXX") || gw_fail "mktemp failed"
    trap gw_cleanup EXIT
    trap 'exit 130' INT TERM
    GW_RUN="$GW_TMP/run"
    mkdir -p "$GW_RUN"
    dir=$(dirname "$binary")
    cp "$binary" "$GW_RUN/grainwright" || gw_fail "cannot copy $binary"
    for f in ARIAL.TTF heat_element.png cool_element.png none_element.png temp_display_element.png; do
        cp "$dir/$f" "$GW_RUN/" 2>/dev/null || gw_fail "$f is missing beside $binary"
    done
    # -displayfd picks a free display itself: no races with other servers.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$GW_TMP/display" >"$GW_TMP/xvfb.log" 2>&1 &
    GW_XVFB_PID=$!
    gw_poll 10000 "Xvfb to give its display number" grep -q '^[0-9][0-9]*$' "$GW_TMP/display"
    DISPLAY=":$(head -n 1 "$GW_TMP/display")"
    export DISPLAY
    unset XAUTHORITY WAYLAND_DISPLAY
}

# gw_start: the program in the background in $GW_RUN, output in $GW_TMP/stdout and stderr.
gw_start() {
    GW_STATUS="" GW_WID=""
    # LeakSanitizer blames the OpenGL driver (unloaded at exit) and turns status 0 into 23; all
    # other sanitizer reports still reach stderr and fail the output check.
    local asan=${ASAN_OPTIONS:-}
    case $asan in *detect_leaks=*) ;; *) asan="${asan:+$asan:}detect_leaks=0" ;; esac
    (cd "$GW_RUN" && ASAN_OPTIONS=$asan exec ./grainwright </dev/null >"$GW_TMP/stdout" 2>"$GW_TMP/stderr") &
    GW_PID=$!
}

# An exited child lingers as a zombie until reaped.
gw_alive() {
    local state
    state=$(awk '/^State:/ {print $2}' "/proc/${GW_PID:-none}/status" 2>/dev/null)
    [ -n "$state" ] && [ "$state" != Z ]
}

# gw_wait_exit TIMEOUT_MS: sets GW_STATUS once the program has ended; false if it still runs.
gw_wait_exit() {
    local deadline=$(( $(gw_now_ms) + $1 ))
    while gw_alive; do
        [ "$(gw_now_ms)" -lt "$deadline" ] || return 1
        sleep 0.01
    done
    wait "$GW_PID"
    GW_STATUS=$? GW_PID=""
}

# gw_wait_window: waits for the window, focuses it (a bare X server has no window manager to do
# so), moves it to (0,0) so that window pixels are screen pixels, and waits for a first frame.
gw_wait_window() {
    local ids
    if ! ids=$(timeout 10 xdotool search --sync --onlyvisible --name '^Grainwright$' 2>/dev/null); then
        gw_alive || { gw_wait_exit 100; gw_fail "the program ended (status $GW_STATUS) before showing a window"; }
        gw_fail "no window titled 'Grainwright' appeared within 10 s"
    fi
    [ "$(wc -l <<<"$ids")" -eq 1 ] || gw_fail "more than one 'Grainwright' window: $ids"
    GW_WID=$ids
    gw_focus "$GW_WID"
    xdotool windowmove --sync "$GW_WID" 0 0 >/dev/null 2>&1
    gw_poll 5000 "window moved to (0,0)" eval 'xdotool getwindowgeometry "$GW_WID" | grep -q "Position: 0,0 "'
    # The pointer parked off the grid and the panels draws no outline or read-out.
    xdotool mousemove --sync 645 5
    gw_see 5000 "first frame drawn (air in cell (0,0))" '[ "$(gw_count_pixels "$GW_SHOT" 0 0 9 9 "$GW_AIR")" -eq 100 ]'
}

gw_focus() {
    xdotool windowfocus --sync "$1" >/dev/null 2>&1 || gw_fail "could not focus window $1"
    gw_poll 3000 "focus on window $1" gw_has_focus "$1"
}
gw_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# gw_poll TIMEOUT_MS DESCRIPTION COMMAND...: retries COMMAND until it succeeds.
gw_poll() {
    local timeout=$1 what=$2 deadline=$(( $(gw_now_ms) + $1 ))
    shift 2
    until "$@"; do
        [ "$(gw_now_ms)" -lt "$deadline" ] || gw_fail "timed out after ${timeout} ms waiting for: $what"
        sleep 0.05
    done
}

# gw_see TIMEOUT_MS DESCRIPTION TEST: retries the shell TEST on a fresh screenshot ($GW_SHOT).
gw_see() { gw_poll "$1" "$2" eval "gw_shot poll && $3"; }

# gw_shot NAME: the window's raw RGB bytes (row-major) into $GW_SHOT. Failed runs keep them as
# PNG files; polling keeps only the latest.
gw_shot() {
    local base="$GW_TMP/poll"
    [ "${1:-}" = poll ] || { GW_SEQ=$((GW_SEQ + 1)); base="$GW_TMP/$(printf '%03d' $GW_SEQ)-${1:-shot}"; }
    import -window "$GW_WID" -depth 8 "rgb:$base.rgb" 2>/dev/null || gw_fail "screenshot failed"
    [ "$(stat -c %s "$base.rgb")" -eq $(( GW_WIDTH * GW_WIDTH * 3 )) ] || gw_fail "screenshot $base.rgb is not 650x650"
    GW_SHOT="$base.rgb"
}

# ImageMagick 7 calls it "magick" and warns about the old name.
gw_magick() { if command -v magick >/dev/null 2>&1; then magick "$@"; else convert "$@"; fi; }

# gw_magick_grid SHOT ARGS...: ImageMagick on the grid area of a screenshot.
gw_magick_grid() { gw_magick -size "${GW_WIDTH}x${GW_WIDTH}" -depth 8 "rgb:$1" -crop 550x550+0+0 +repage "${@:2}"; }

gw_save_png() { gw_magick -size "${GW_WIDTH}x${GW_WIDTH}" -depth 8 "rgb:$1" "${2:-${1%.rgb}.png}"; }

# gw_counts SHOT 'X0 Y0 X1 Y1 CONDITION'...: in one pass, the pixels of each inclusive rectangle
# for which the awk CONDITION (on r, g, b, x, y) holds; prints the counts space-separated.
gw_counts() {
    local shot=$1 prog="" i=0 q x0 y0 x1 y1 cond top=$((GW_WIDTH - 1)) bottom=0
    shift
    for q in "$@"; do
        read -r x0 y0 x1 y1 cond <<<"$q"
        prog+="if (x >= $x0 && x <= $x1 && y >= $y0 && y <= $y1 && ($cond)) c[$i]++"$'\n'
        (( y0 < top )) && top=$y0
        (( y1 > bottom )) && bottom=$y1
        i=$((i + 1))
    done
    od -An -v -tu1 -w3 -j $(( top * GW_WIDTH * 3 )) -N $(( (bottom - top + 1) * GW_WIDTH * 3 )) "$shot" |
        awk -v w="$GW_WIDTH" -v top="$top" -v n="$i" '
        { k = NR - 1; x = k % w; y = top + int(k / w); r = $1; g = $2; b = $3
          '"$prog"' }
        END { for (k = 0; k < n; k++) printf "%d%s", c[k], (k < n - 1 ? " " : "\n") }'
}

gw_count_pixels() { gw_counts "$1" "$2 $3 $4 $5 $6"; }

# gw_expect SHOT 'WHAT :: TEST :: X0 Y0 X1 Y1 CONDITION'...: each count (see gw_counts) must pass
# the TEST, such as "-eq 1024" or "-gt 50"; fails with WHAT otherwise.
gw_expect() {
    local shot=$1 check queries=() tests=() whats=() counts i op value
    shift
    for check in "$@"; do
        whats+=("${check%% :: *}")
        check=${check#* :: }
        tests+=("${check%% :: *}")
        queries+=("${check#* :: }")
    done
    read -r -a counts <<<"$(gw_counts "$shot" "${queries[@]}")"
    for i in "${!queries[@]}"; do
        read -r op value <<<"${tests[$i]}"
        test "${counts[$i]:-none}" "$op" "$value" 2>/dev/null ||
            gw_fail "${whats[$i]}: count ${counts[$i]:-none}, expected ${tests[$i]} [${queries[$i]}] in ${shot%.rgb}.png"
    done
}

# gw_red_box SHOT: "minx miny maxx maxy" of the pure red pixels (the brush outline) in the grid
# area, or "none". The black border keeps the corner, which trimming takes for the background,
# from being red.
gw_red_box() {
    local geo
    geo=$(gw_magick_grid "$1" -fill black +opaque 'rgb(255,0,0)' -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
    case $geo in
        '' | 0x0*) echo none ;;
        *) awk -F'[x+]' '{print $3 - 1, $4 - 1, $3 + $1 - 2, $4 + $2 - 2}' <<<"$geo" ;;
    esac
}

# gw_cells SHOT: "column row r g b" of each cell's centre pixel (11c+5, 11r+5), which point
# sampling 550 -> 50 picks. Kept beside the shot, as checks often look at one shot many times.
gw_cells() {
    [ "$1.cells" -nt "$1" ] ||
        gw_magick_grid "$1" -sample 50x50 -depth 8 txt:- | awk -F'[,:() ]+' 'NR > 1 {print $1, $2, $3, $4, $5}' >"$1.cells"
    cat "$1.cells"
}

# gw_count_cells SHOT CONDITION [C0 R0 C1 R1]: cells of the inclusive range (the whole grid by
# default) whose colour meets the condition.
gw_count_cells() {
    gw_cells "$1" | awk -v c0="${3:-0}" -v r0="${4:-0}" -v c1="${5:-49}" -v r1="${6:-49}" '
        { c = $1; row = $2; r = $3; g = $4; b = $5
          if (c >= c0 && c <= c1 && row >= r0 && row <= r1 && ('"$2"')) n++ }
        END { print n + 0 }'
}

# gw_loose_cells SHOT CONDITION: matching cells with air straight or diagonally below: 0 once
# a pile is at rest.
gw_loose_cells() {
    gw_cells "$1" | awk '
        { r = $3; g = $4; b = $5; air[$1 "," $2] = (r == 25 && g == 25 && b == 25); if ('"$2"') m[$1 "," $2] = 1 }
        END { for (k in m) { split(k, p, ","); c = p[1]; row = p[2] + 1
                  if (row <= 49 && (air[c "," row] || air[c - 1 "," row] || air[c + 1 "," row])) n++ }
              print n + 0 }'
}

# The status text shows a changing frame rate: a frozen world is told by its grid alone.
gw_grid_digest() { gw_magick_grid "$1" -format '%#' info:; }

gw_move() { timeout 2 xdotool mousemove --sync "$1" "$2" >/dev/null 2>&1 || xdotool mousemove "$1" "$2"; }
# Moves the pointer off the grid and waits for a frame drawn without the brush outline, so that
# a screenshot taken next shows the grid alone even when frames come slowly.
gw_pointer_away() {
    gw_move 645 5
    gw_see 5000 "a frame without the brush outline" '[ "$(gw_red_box "$GW_SHOT")" = none ]'
}
gw_click() { gw_move "$1" "$2"; xdotool click "${3:-1}"; }

# Whatever was ever held is let go of again at the end, so a failed test leaves nothing stuck.
gw_press() { gw_move "$2" "$3"; xdotool mousedown "$1"; [[ " ${GW_HELD_BUTTONS[*]} " == *" $1 "* ]] || GW_HELD_BUTTONS+=("$1"); }
gw_release() { xdotool mouseup "$1"; }
gw_hold() { gw_press "$1" "$2" "$3"; sleep "$4"; gw_release "$1"; }

gw_keydown() { xdotool keydown "$1"; [[ " ${GW_HELD_KEYS[*]} " == *" $1 "* ]] || GW_HELD_KEYS+=("$1"); }
gw_keyup() { xdotool keyup "$1"; }
# Space and F sleep 500 ms once seen, so a tap must stay well below that to count once.
gw_tap() { gw_keydown "$1"; sleep "${2:-0.12}"; gw_keyup "$1"; }
gw_type() { xdotool type --delay 40 "$1"; }

# gw_wheel up|down COUNT: wheel steps over the pointer's window.
gw_wheel() { [ "$2" -eq 0 ] || xdotool click --repeat "$2" --delay 8 "$([ "$1" = down ] && echo 5 || echo 4)"; }

# Right panel of six buttons, sand first; the y used lies inside the button for the seven-button
# panel too (20 px higher).
gw_select() {
    local i
    case $1 in
        standard) gw_click 305 626; return ;;
        temperature) gw_click 345 626; return ;;
        sand) i=0 ;; rock) i=1 ;; water) i=2 ;; heat) i=3 ;; cool) i=4 ;; air) i=5 ;;
        *) gw_fail "gw_select: unknown button $1" ;;
    esac
    gw_click 626 $(( 215 + 40 * i ))
}

# gw_unexpected_output [REGEX...]: lines of stdout and stderr other than SFML's vsync notice on
# Xvfb, terminal clear sequences and lines matching the extended regular expressions given.
gw_unexpected_output() {
    local allowed='^Setting vertical sync not supported$' extra
    for extra in "$@"; do allowed+="|$extra"; done
    cat "$GW_TMP/stdout" "$GW_TMP/stderr" | sed -e 's/\x1b\[H//g; s/\x1b\[2J//g' | grep -v -E -e "$allowed" | grep -v '^$'
    return 0
}

# gw_escape_exit [MAX_MS [REGEX...]]: holds Escape; the program must end within MAX_MS with
# status 0, its window gone and nothing printed but expected lines (see gw_unexpected_output).
gw_escape_exit() {
    local max=${1:-1000} start took out
    start=$(gw_now_ms)
    gw_keydown Escape
    gw_wait_exit $(( max + 4000 )) || gw_fail "Escape held for $(( max + 4000 )) ms did not end the program"
    took=$(( $(gw_now_ms) - start ))
    gw_keyup Escape
    [ "$GW_STATUS" -eq 0 ] || gw_fail "Escape ended the program with status $GW_STATUS, expected 0"
    [ "$took" -le "$max" ] || gw_fail "Escape took ${took} ms to end the program (limit ${max} ms)"
    ! xwininfo -id "$GW_WID" >/dev/null 2>&1 || gw_fail "the program's window still exists after it ended"
    out=$(gw_unexpected_output "${@:2}")
    [ -z "$out" ] || gw_fail "unexpected output: $out"
    gw_ok "Escape ended the program in ${took} ms with status 0"
}
