#!/usr/bin/env bash
# Without a usable ARIAL.TTF the program ends at once with status 1 and one line on stderr that
# names the font file and the folder it looked in; no window stays behind.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
folder=$(cd "$GW_RUN" && pwd -P)

# expect_font_failure CASE: runs the program and checks how it gives up.
expect_font_failure() {
    gw_start
    gw_wait_exit 10000 || gw_fail "$1: the program still runs 10 s after start"
    [ "$GW_STATUS" -eq 1 ] || gw_fail "$1: exit status $GW_STATUS, expected 1"
    local lines
    lines=$(gw_unexpected_output)
    [ "$(printf '%s\n' "$lines" | grep -c .)" -eq 1 ] ||
        gw_fail "$1: expected exactly one line of its own on stderr, got: '$lines'"
    grep -qF 'ARIAL.TTF' <<<"$lines" || gw_fail "$1: the message does not name ARIAL.TTF: $lines"
    grep -qF "$folder" <<<"$lines" || gw_fail "$1: the message does not name the folder $folder: $lines"
    grep -qFx "$lines" "$GW_TMP/stderr" || gw_fail "$1: the message is not on stderr"
    if xdotool search --name '^Grainwright$' >/dev/null 2>&1; then
        gw_fail "$1: a Grainwright window still exists after the program ended"
    fi
    gw_ok "$1: status 1, stderr: $lines"
}

rm "$GW_RUN/ARIAL.TTF"
expect_font_failure "no ARIAL.TTF"

printf 'this is not a font\n' >"$GW_RUN/ARIAL.TTF"
expect_font_failure "ARIAL.TTF that is not a font"

: >"$GW_RUN/ARIAL.TTF"
expect_font_failure "empty ARIAL.TTF"
