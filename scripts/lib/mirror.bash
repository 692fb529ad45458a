# debian_mirror APT_DIR: GRAINWRIGHT_DEBIAN_MIRROR, else the first enabled http(s) archive in
# the apt sources of APT_DIR (/etc/apt for the system's) that is not a security archive; or a message.
debian_mirror() {
    local m=${GRAINWRIGHT_DEBIAN_MIRROR:-} d=$1
    [ -n "$m" ] || m=$(shopt -s nullglob && awk '
        function take() { if (u ~ /^https?:\/\// && ok > 0) { print u; u = ""; exit } u = ""; ok = 0 }
        FNR == 1 || (FILENAME ~ /\.sources$/ && !NF) { take() }
        FILENAME ~ /\.sources$/ { k = tolower($1) } # deb822: a stanza of fields, "Enabled: no" anywhere
        k == "uris:" { u = $2 } k == "enabled:" && tolower($2) == "no" { ok = -99 }
        k == "suites:" { for (i = 2; i <= NF; i++) ok += $i !~ /-security$/ }
        FILENAME !~ /\.sources$/ && sub(/^[ \t]*deb[ \t]+(\[[^]]*\])?/, "") { u = $1; ok = $2 !~ /-security$/; take() }
        END { take() }' "$d"/sources.lis[t] "$d"/sources.list.d/*.list "$d"/sources.list.d/*.sources </dev/null)
    [ -n "$m" ] || { echo "No Debian mirror in the apt configuration: set GRAINWRIGHT_DEBIAN_MIRROR" >&2; return 1; }
    echo "${m%/}"
}
