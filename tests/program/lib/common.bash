# Helpers for driving the real program on a private X server with real X input (XTEST via
# xdotool) and reading its window back from screenshots. Sourced by tests/program/*.sh and
# scripts/soak-program; not a test itself.
#
# Usage:  source .../lib/common.bash;  gw_init /path/to/grainwright;  gw_start;  gw_wait_window
# Geometry the checks rely on: 50x50 cells of 10 px at an 11-px pitch from (0,0), right panel
# buttons at x=610, bottom panel at y=610, window moved to the screen's origin.

# shellcheck disable=SC2034 # the scripts that source this file use its constants
set -u
set -o pipefail

GW_WIDTH=650
GW_PITCH=11
GW_TMP=""
GW_XVFB_PID=""
GW_PID=""
GW_WID=""
GW_STATUS=""
GW_RUN=""
GW_SHOT_SEQ=0
GW_FAILED=0
GW_HELD_KEYS=()
GW_HELD_BUTTONS=()
GW_OTHER_PIDS=()

# Colour predicates on the awk fields r, g, b (see gw_count_cells / gw_counts).
GW_AIR='r==25 && g==25 && b==25'
GW_SAND='r>=230 && g>=230 && b<=25'
GW_GLASS='r>=202 && r<=212 && g>=250 && b>=240 && b<=250'
GW_MOLTEN_GLASS='r>=235 && g>=168 && g<=208 && b>=59 && b<=99'
GW_BLACK='r==0 && g==0 && b==0'

gw_log() { printf '%s\n' "$*"; }

GW_T0=$(( $(date +%s%N) / 1000000 ))
gw_ok() { printf 'ok [%5.1fs]: %s\n' "$(( $(date +%s%N) / 1000000 - GW_T0 ))e-3" "$*"; }

gw_fail() {
    GW_FAILED=1
    printf 'FAIL: %s\n' "$*" >&2
    if [ -n "$GW_TMP" ] && [ -s "$GW_TMP/stderr" ]; then
        printf -- '--- program stderr (last lines) ---\n' >&2
        tail -n 15 "$GW_TMP/stderr" >&2
    fi
    exit 1
}

gw_need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || gw_fail "required tool '$tool' is not installed"
    done
}

gw_now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

gw_cleanup() {
    local status=$?
    # Let go of everything still held, so a failed test leaves no stuck input behind.
    if [ -n "$GW_XVFB_PID" ]; then
        local k b
        for k in "${GW_HELD_KEYS[@]}"; do xdotool keyup "$k" >/dev/null 2>&1; done
        for b in "${GW_HELD_BUTTONS[@]}"; do xdotool mouseup "$b" >/dev/null 2>&1; done
    fi
    if [ -n "$GW_PID" ] && gw_alive; then
        kill "$GW_PID" 2>/dev/null
        wait "$GW_PID" 2>/dev/null
    fi
    local p
    for p in "${GW_OTHER_PIDS[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
    if [ -n "$GW_XVFB_PID" ]; then
        kill "$GW_XVFB_PID" 2>/dev/null
        wait "$GW_XVFB_PID" 2>/dev/null
    fi
    if [ -n "$GW_TMP" ]; then
        if [ "$status" -ne 0 ] || [ "$GW_FAILED" -ne 0 ]; then
            local raw
            for raw in "$GW_TMP"/*.rgb; do [ -f "$raw" ] && gw_save_png "$raw" && rm -f "$raw" "$raw.cells"; done
            printf 'artefacts (screenshots, program output) kept in %s\n' "$GW_TMP" >&2
        else
            rm -rf "$GW_TMP"
        fi
    fi
    return "$status"
}

# gw_init BINARY: checks the tools, starts a private Xvfb and copies the program with its font
# and icons into a fresh working folder ($GW_RUN), so that a test may remove any of them.
gw_init() {
    local binary=${1:-}
    [ -n "$binary" ] || gw_fail "usage: $0 /path/to/grainwright"
    [ -x "$binary" ] || gw_fail "program '$binary' not found or not executable"
    gw_need Xvfb xdotool xwininfo xprop import od awk timeout
    command -v magick >/dev/null 2>&1 || gw_need convert
    GW_TMP=$(mktemp -d "${TMPDIR:-/tmp}/grainwright-test.XXXXXX") || gw_fail "mktemp failed"
    trap gw_cleanup EXIT
    trap 'exit 130' INT TERM
    trap 'exit 129' HUP
    trap 'exit 141' PIPE

    GW_RUN="$GW_TMP/run"
    mkdir -p "$GW_RUN"
    local dir
    dir=$(cd "$(dirname "$binary")" && pwd)
    cp "$binary" "$GW_RUN/grainwright" || gw_fail "cannot copy $binary"
    [ -f "$dir/ARIAL.TTF" ] || gw_fail "ARIAL.TTF is missing beside $binary"
    cp "$dir/ARIAL.TTF" "$GW_RUN/"
    local icon
    for icon in heat_element.png cool_element.png none_element.png temp_display_element.png; do
        [ -f "$dir/$icon" ] || gw_fail "$icon is missing beside $binary"
        cp "$dir/$icon" "$GW_RUN/"
    done

    # -displayfd picks a free display number itself: no races with other servers.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$GW_TMP/display" >"$GW_TMP/xvfb.log" 2>&1 &
    GW_XVFB_PID=$!
    local deadline=$(( $(gw_now_ms) + 10000 ))
    until grep -q '^[0-9][0-9]*$' "$GW_TMP/display" 2>/dev/null; do
        kill -0 "$GW_XVFB_PID" 2>/dev/null || gw_fail "Xvfb did not start: $(cat "$GW_TMP/xvfb.log")"
        [ "$(gw_now_ms)" -lt "$deadline" ] || gw_fail "Xvfb gave no display number within 10 s"
        sleep 0.05
    done
    DISPLAY=":$(head -n 1 "$GW_TMP/display")"
    export DISPLAY
    unset XAUTHORITY WAYLAND_DISPLAY
}

# gw_start: starts the program in the background in $GW_RUN; output goes to $GW_TMP/stdout and
# $GW_TMP/stderr. Sets GW_PID.
gw_start() {
    GW_STATUS=""
    GW_WID=""
    # In a sanitizer build, LeakSanitizer blames the OpenGL driver (already unloaded at exit, so
    # its allocations cannot be told from ours) and turns status 0 into 23; every other
    # sanitizer report still shows on stderr and fails the checks of its output.
    local asan=${ASAN_OPTIONS:-}
    case $asan in *detect_leaks=*) ;; *) asan="${asan:+$asan:}detect_leaks=0" ;; esac
    (cd "$GW_RUN" && ASAN_OPTIONS=$asan exec ./grainwright </dev/null >"$GW_TMP/stdout" 2>"$GW_TMP/stderr") &
    GW_PID=$!
}

# gw_adopt PID: another background process of the test, ended with it.
gw_adopt() { GW_OTHER_PIDS+=("$1"); }

# True while the program runs (an exited child lingers as a zombie until reaped).
gw_alive() {
    [ -n "$GW_PID" ] || return 1
    local state
    state=$(awk '/^State:/ {print $2}' "/proc/$GW_PID/status" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != "Z" ]
}

# gw_wait_exit TIMEOUT_MS: waits for the program to end; sets GW_STATUS. Fails the return code
# (not the test) when it is still running after the timeout.
gw_wait_exit() {
    local timeout=${1:-5000}
    local deadline=$(( $(gw_now_ms) + timeout ))
    while gw_alive; do
        [ "$(gw_now_ms)" -lt "$deadline" ] || return 1
        sleep 0.01
    done
    wait "$GW_PID"
    GW_STATUS=$?
    GW_PID=""
    return 0
}

# gw_find_window TIMEOUT_S: prints the ids of visible windows titled exactly "Grainwright".
gw_find_window() {
    timeout "${1:-10}" xdotool search --sync --onlyvisible --name '^Grainwright$' 2>/dev/null
}

# gw_wait_window: waits for the window, focuses it, moves it to (0,0) so that window pixels
# are screen pixels, and waits for the first drawn frame. Sets GW_WID.
gw_wait_window() {
    local ids
    ids=$(gw_find_window 10) || {
        gw_alive || { gw_wait_exit 100; gw_fail "the program ended (status $GW_STATUS) before showing a window"; }
        gw_fail "no window titled 'Grainwright' appeared within 10 s"
    }
    GW_WID=$(printf '%s\n' "$ids" | head -n 1)
    [ "$(printf '%s\n' "$ids" | wc -l)" -eq 1 ] || gw_fail "more than one 'Grainwright' window: $ids"
    # A bare X server has no window manager to hand out the focus.
    gw_focus "$GW_WID"
    xdotool windowmove --sync "$GW_WID" 0 0 >/dev/null 2>&1
    gw_poll 5000 "window moved to (0,0)" gw_window_at_origin
    # Park the pointer off the grid and off the panels so it draws no outline or read-out.
    xdotool mousemove --sync 645 5
    gw_poll 5000 "first frame drawn (air at cell (0,0))" gw_pixel_is_now 5 5 25 25 25
}

gw_window_at_origin() {
    local info
    info=$(xwininfo -id "$GW_WID" 2>/dev/null) || return 1
    printf '%s\n' "$info" | grep -q 'Absolute upper-left X:  *0$' &&
        printf '%s\n' "$info" | grep -q 'Absolute upper-left Y:  *0$'
}

gw_focus() {
    xdotool windowfocus --sync "$1" >/dev/null 2>&1 || gw_fail "could not focus window $1"
    gw_poll 3000 "focus on window $1" gw_has_focus "$1"
}

gw_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# gw_poll TIMEOUT_MS DESCRIPTION COMMAND...: retries COMMAND until it succeeds; fails the test
# with DESCRIPTION when the time runs out.
gw_poll() {
    local timeout=$1 what=$2
    shift 2
    local deadline=$(( $(gw_now_ms) + timeout ))
    until "$@"; do
        [ "$(gw_now_ms)" -lt "$deadline" ] || gw_fail "timed out after ${timeout} ms waiting for: $what"
        sleep 0.05
    done
}

# ---------------------------------------------------------------- screenshots

# gw_shot NAME: screenshot of the window (650x650 at the screen's origin); sets GW_SHOT to the
# path of its raw RGB bytes (row-major, 3 bytes a pixel), which the readers below take.
# Failed runs keep them, turned into PNG files.
GW_SHOT=""
gw_shot() {
    local base
    if [ "${1:-}" = poll ]; then
        # Polling loops take many: keep only the latest.
        base="$GW_TMP/poll"
    else
        GW_SHOT_SEQ=$((GW_SHOT_SEQ + 1))
        base="$GW_TMP/$(printf '%03d' "$GW_SHOT_SEQ")-${1:-shot}"
    fi
    import -window "$GW_WID" -depth 8 "rgb:$base.rgb" 2>/dev/null || gw_fail "screenshot failed"
    [ "$(stat -c %s "$base.rgb")" -eq $(( GW_WIDTH * GW_WIDTH * 3 )) ] ||
        gw_fail "screenshot $base.rgb is not 650x650"
    GW_SHOT="$base.rgb"
}

# ImageMagick 7 calls it "magick" and warns about the old name.
gw_magick() {
    if command -v magick >/dev/null 2>&1; then magick "$@"; else convert "$@"; fi
}

# gw_save_png SHOT [PATH]: the screenshot as a PNG file (beside it by default).
gw_save_png() {
    gw_magick -size "${GW_WIDTH}x${GW_WIDTH}" -depth 8 "rgb:$1" "${2:-${1%.rgb}.png}"
}

# gw_pixel SHOT X Y: prints "R G B".
gw_pixel() {
    od -An -v -tu1 -j $(( ($3 * GW_WIDTH + $2) * 3 )) -N3 "$1" | awk '{print $1, $2, $3}'
}

# gw_pixel_is SHOT X Y R G B
gw_pixel_is() { [ "$(gw_pixel "$1" "$2" "$3")" = "$4 $5 $6" ]; }

gw_pixel_is_now() {
    gw_shot poll
    gw_pixel_is "$GW_SHOT" "$@"
}

# gw_counts SHOT QUERY...: one pass over the screenshot for many rectangle counts. Each QUERY
# is "X0 Y0 X1 Y1 CONDITION": the pixels of the inclusive rectangle for which the awk
# CONDITION (on r, g, b and the pixel's x, y) holds. Prints the counts, space-separated.
gw_counts() {
    local shot=$1
    shift
    local prog="" i=0 q x0 y0 x1 y1 cond top=$((GW_WIDTH - 1)) bottom=0
    for q in "$@"; do
        read -r x0 y0 x1 y1 cond <<<"$q"
        prog+="if (x >= $x0 && x <= $x1 && y >= $y0 && y <= $y1 && ($cond)) c[$i]++;"$'\n'
        [ "$y0" -lt "$top" ] && top=$y0
        [ "$y1" -gt "$bottom" ] && bottom=$y1
        i=$((i + 1))
    done
    # Only the rows the rectangles cover are read.
    od -An -v -tu1 -w3 -j $(( top * GW_WIDTH * 3 )) -N $(( (bottom - top + 1) * GW_WIDTH * 3 )) "$shot" |
        awk -v w="$GW_WIDTH" -v top="$top" -v n="$i" '
        { k = NR - 1; x = k % w; y = top + int(k / w); r = $1; g = $2; b = $3
          '"$prog"' }
        END { for (k = 0; k < n; k++) printf "%d%s", c[k], (k < n - 1 ? " " : "\n") }'
}

# gw_count_pixels SHOT X0 Y0 X1 Y1 'CONDITION': one rectangle count.
gw_count_pixels() { gw_counts "$1" "$2 $3 $4 $5 $6"; }

# gw_expect_counts SHOT 'WHAT :: TEST :: QUERY'...: each count (see gw_counts) must pass the
# shell test TEST, written as "-eq 0", "-gt 50" and so on; fails with WHAT otherwise.
gw_expect_counts() {
    local shot=$1
    shift
    local queries=() tests=() whats=() check rest
    for check in "$@"; do
        whats+=("${check%% :: *}")
        rest=${check#* :: }
        tests+=("${rest%% :: *}")
        queries+=("${rest#* :: }")
    done
    local counts
    read -r -a counts <<<"$(gw_counts "$shot" "${queries[@]}")"
    local i op value
    for i in "${!queries[@]}"; do
        read -r op value <<<"${tests[$i]}"
        gw_compare "${counts[$i]:-x}" "$op" "$value" ||
            gw_fail "${whats[$i]}: count ${counts[$i]:-none}, expected ${tests[$i]} [${queries[$i]}] in ${shot%.rgb}.png"
    done
}

# gw_compare NUMBER -eq|-ne|-lt|-le|-gt|-ge NUMBER
gw_compare() {
    case $1 in '' | *[!0-9-]*) return 1 ;; esac
    case $2 in
        -eq) (( $1 == $3 )) ;; -ne) (( $1 != $3 )) ;;
        -lt) (( $1 < $3 )) ;; -le) (( $1 <= $3 )) ;;
        -gt) (( $1 > $3 )) ;; -ge) (( $1 >= $3 )) ;;
        *) gw_fail "gw_compare: unknown operator $2" ;;
    esac
}

# gw_red_box SHOT: "minx miny maxx maxy" of the pure red pixels (the brush outline) within the
# grid area (0..549), or "none".
gw_red_box() {
    local geo
    # The black border makes sure the corner pixel, which trimming takes for the background,
    # is not red itself.
    geo=$(gw_magick -size "${GW_WIDTH}x${GW_WIDTH}" -depth 8 "rgb:$1" -crop 550x550+0+0 +repage \
        -fill black +opaque 'rgb(255,0,0)' -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
    case $geo in
        ''|0x0*) echo none ;;
        *) awk -F'[x+]' '{print $3 - 1, $4 - 1, $3 + $1 - 2, $4 + $2 - 2}' <<<"$geo" ;;
    esac
}

# gw_cells SHOT: the centre pixel (11c+5, 11r+5) of every cell as "column row r g b".
gw_cells() {
    # Point sampling 550 -> 50 picks pixel floor((i + 0.5) * 11) = 11i + 5. Kept beside the
    # screenshot, as most checks look at the cells of one shot several times.
    if [ ! -s "$1.cells" ] || [ "$1.cells" -ot "$1" ]; then
        gw_magick -size "${GW_WIDTH}x${GW_WIDTH}" -depth 8 "rgb:$1" -crop 550x550+0+0 +repage \
            -sample 50x50 -depth 8 txt:- | awk -F'[,:() ]+' 'NR > 1 {print $1, $2, $3, $4, $5}' >"$1.cells"
    fi
    cat "$1.cells"
}

# gw_count_cells SHOT 'CONDITION on r,g,b' [C0 R0 C1 R1]: cells (inclusive range of columns and
# rows, whole grid by default) whose centre satisfies the condition.
gw_count_cells() {
    gw_cells "$1" | awk -v c0="${3:-0}" -v r0="${4:-0}" -v c1="${5:-49}" -v r1="${6:-49}" '
        { c = $1; row = $2; r = $3; g = $4; b = $5
          if (c >= c0 && c <= c1 && row >= r0 && row <= r1 && ('"$2"')) n++ }
        END { print n + 0 }'
}

# gw_loose_cells SHOT 'CONDITION': cells matching the condition that could still fall, having
# air straight or diagonally below them. 0 for a pile at rest.
gw_loose_cells() {
    gw_cells "$1" | awk '
        { r = $3; g = $4; b = $5; key = $1 "," $2
          air[key] = (r == 25 && g == 25 && b == 25); if ('"$2"') match_[key] = 1 }
        END { for (k in match_) { split(k, p, ","); c = p[1]; row = p[2] + 1
                  if (row > 49) continue
                  if (air[c "," row] || (c > 0 && air[c - 1 "," row]) || (c < 49 && air[c + 1 "," row])) n++ }
              print n + 0 }'
}

# gw_grid_digest SHOT: a checksum of the grid area only (the status text shows a changing
# frame rate, so whole screenshots of a frozen world still differ).
gw_grid_digest() {
    gw_magick -size "${GW_WIDTH}x${GW_WIDTH}" -depth 8 "rgb:$1" -crop 550x550+0+0 +repage -format '%#' info:
}

# ---------------------------------------------------------------- input

gw_move() { timeout 2 xdotool mousemove --sync "$1" "$2" >/dev/null 2>&1 || xdotool mousemove "$1" "$2"; }

# gw_click X Y [BUTTON]
gw_click() {
    gw_move "$1" "$2"
    xdotool click "${3:-1}"
}

# gw_press BUTTON X Y / gw_release BUTTON: hold a mouse button over a point.
gw_press() {
    gw_move "$2" "$3"
    xdotool mousedown "$1"
    GW_HELD_BUTTONS+=("$1")
}

gw_release() {
    xdotool mouseup "$1"
    local kept=() b
    for b in "${GW_HELD_BUTTONS[@]}"; do [ "$b" = "$1" ] || kept+=("$b"); done
    GW_HELD_BUTTONS=("${kept[@]+"${kept[@]}"}")
}

# gw_hold BUTTON X Y SECONDS
gw_hold() {
    gw_press "$1" "$2" "$3"
    sleep "$4"
    gw_release "$1"
}

gw_keydown() {
    xdotool keydown "$1"
    GW_HELD_KEYS+=("$1")
}

gw_keyup() {
    xdotool keyup "$1"
    local kept=() k
    for k in "${GW_HELD_KEYS[@]}"; do [ "$k" = "$1" ] || kept+=("$k"); done
    GW_HELD_KEYS=("${kept[@]+"${kept[@]}"}")
}

# gw_tap KEY [SECONDS]: a short press. Space and F sleep 500 ms once seen, so a tap must stay
# well below that to count once.
gw_tap() {
    gw_keydown "$1"
    sleep "${2:-0.12}"
    gw_keyup "$1"
}

# gw_type TEXT: typed characters, delivered to the focused window.
gw_type() { xdotool type --delay 40 "$1"; }

# gw_wheel up|down COUNT: vertical wheel steps over the pointer's window.
gw_wheel() {
    local button=4
    [ "$1" = down ] && button=5
    [ "$2" -gt 0 ] || return 0
    xdotool click --repeat "$2" --delay 8 "$button"
}

# Right panel buttons, six-button layout: index 0 sand .. 5 air. The y used lies inside the
# button for both the six- and the seven-button strip (which sits 20 px higher).
gw_panel_y() { echo $(( 215 + 40 * $1 )); }

gw_select() {
    local index
    case $1 in
        sand) index=0 ;; rock) index=1 ;; water) index=2 ;;
        heat) index=3 ;; cool) index=4 ;; air) index=5 ;;
        standard) gw_click 305 626; return ;;
        temperature) gw_click 345 626; return ;;
        *) gw_fail "gw_select: unknown button $1" ;;
    esac
    gw_click 626 "$(gw_panel_y "$index")"
}

# gw_escape_exit [MAX_MS]: holds Escape until the program ends; fails unless it ends within
# MAX_MS with status 0 and its window is gone.
gw_escape_exit() {
    local max=${1:-1000}
    local start
    start=$(gw_now_ms)
    gw_keydown Escape
    if ! gw_wait_exit $(( max + 4000 )); then
        gw_keyup Escape
        gw_fail "Escape held for $(( max + 4000 )) ms did not end the program"
    fi
    local took=$(( $(gw_now_ms) - start ))
    gw_keyup Escape
    [ "$GW_STATUS" -eq 0 ] || gw_fail "Escape ended the program with status $GW_STATUS, expected 0"
    [ "$took" -le "$max" ] || gw_fail "Escape took ${took} ms to end the program (limit ${max} ms)"
    if xwininfo -id "$GW_WID" >/dev/null 2>&1; then
        gw_fail "the program's window still exists after it ended"
    fi
    gw_ok "Escape ended the program in ${took} ms with status 0"
}

# gw_unexpected_output: prints lines of the program's stdout and stderr other than the ones
# expected (SFML's vsync notice on Xvfb, terminal clear sequences, and lines given as
# extended regular expressions in the arguments).
gw_unexpected_output() {
    local allowed='^Setting vertical sync not supported$'
    local extra
    for extra in "$@"; do allowed="$allowed|$extra"; done
    cat "$GW_TMP/stdout" "$GW_TMP/stderr" | sed -e 's/\x1b\[H//g; s/\x1b\[2J//g' |
        grep -v -E -e "$allowed" | grep -v '^$'
    return 0
}
