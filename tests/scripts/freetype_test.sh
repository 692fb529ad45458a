#!/usr/bin/env bash
# freetype_choice, the FreeType the Windows build takes: the cache newer than Debian's index, as new,
# older (also by Debian's revision alone), empty, and the index unread (no line listed).
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/freetype.bash
source "$(dirname "$0")/../../scripts/lib/freetype.bash" || exit 1
failed=0
# CASE; VERSIONS CACHED; VERSIONS LISTED, as the lines "VERSION index"; EXPECTED
while IFS=';' read -r name cached listed want; do
    got=$(freetype_choice 2.13.1 "$(tr ' ' '\n' <<<"$cached")" "$(tr ' ' '\n' <<<"$listed" | sed '/./s/$/ index/')") ||
        got=none
    [ "$got" = "$want" ] || { echo "FAILED: $name: expected '$want', got '$got'"; failed=1; }
done <<'END'
newer;2.13.3+dfsg-1 2.14.10+dfsg-1;2.13.3+dfsg-1 2.14.3+dfsg-1;2.14.10+dfsg-1 cached
same;2.14.3+dfsg-1;2.14.3+dfsg-1 2.13.3+dfsg-1;2.14.3+dfsg-1 cached
older;2.13.3+dfsg-1;2.14.3+dfsg-1 2.13.3+dfsg-1;2.14.3+dfsg-1 index
a new Debian revision;2.13.3+dfsg-1+deb13u1;2.13.3+dfsg-1+deb13u2;2.13.3+dfsg-1+deb13u2 index
below the minimum;2.12.1+dfsg-5;2.13.1+dfsg-1;2.13.1+dfsg-1 index
empty;;2.14.3+dfsg-1;2.14.3+dfsg-1 index
index unread;2.13.1+dfsg-1 2.13.3+dfsg-1;;2.13.3+dfsg-1 cached
index unread, cache below the minimum;2.12.1+dfsg-5;;none
END
exit "$failed"
