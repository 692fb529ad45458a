#!/usr/bin/env bash
# Without a usable ARIAL.TTF the program ends at once with status 1 and one line on stderr that
# names the font file and the folder it looked in.
# shellcheck source-path=SCRIPTDIR source=lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash"

gw_init "${1:-}"
folder=$(cd "$GW_RUN" && pwd -P)
for case in "no ARIAL.TTF" "ARIAL.TTF that is not a font"; do
    rm -f "$GW_RUN/ARIAL.TTF"
    [ "$case" = "no ARIAL.TTF" ] || echo 'this is not a font' >"$GW_RUN/ARIAL.TTF"
    gw_start
    gw_wait_exit 10000 || gw_fail "$case: the program still runs 10 s after start"
    [ "$GW_STATUS" -eq 1 ] || gw_fail "$case: exit status $GW_STATUS, expected 1"
    line=$(gw_unexpected_output)
    [ "$(grep -c . <<<"$line")" -eq 1 ] || gw_fail "$case: expected one line of its own, got: '$line'"
    grep -qFx "$line" "$GW_TMP/stderr" || gw_fail "$case: the message is not on stderr"
    grep -qF ARIAL.TTF <<<"$line" && grep -qF "$folder" <<<"$line" ||
        gw_fail "$case: the message names not both ARIAL.TTF and the folder $folder: $line"
    gw_ok "$case: status 1, stderr: $line"
done
