# freetype_choice MIN CACHED LISTED: the FreeType to build with, the newest of at least MIN among the
# Debian versions CACHED and the lines "VERSION ..." that Debian's Sources index LISTED (one a line,
# either empty): "VERSION cached" when the cache holds that version or a newer one, else the
# index's line.
freetype_choice() {
    local line min=$1 best=
    while read -r line; do
        [ -z "$line" ] || ! dpkg --compare-versions "${line%% *}" ge "$min" || min=${line%% *} best=$line
    done < <(printf '%s\n' "$3"; sed '/./s/$/ cached/' <<<"$2") # a tie goes to the cache
    [ -n "$best" ] && echo "$best"
}
