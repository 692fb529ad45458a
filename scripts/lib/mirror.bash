# debian_mirror APT_DIR: GRAINWRIGHT_DEBIAN_MIRROR, else the first enabled http(s) Debian archive, not a
# security one, in the apt sources of APT_DIR (/etc/apt for the system's), deb822 files first (Debian 13
# keeps Debian's there, a vendor's *.list beside); or a message. Debian's, not Ubuntu's or a vendor's: a
# /debian path, the component main, and debian-archive-keyring or no other keyring file for signer.
debian_mirror() {
    local m=${GRAINWRIGHT_DEBIAN_MIRROR:-} d=$1
    [ -n "$m" ] || m=$(shopt -s nullglob && awk -v dir="$d" '
        function take(   f, s, i, ok) {
            if (sub(/^mirror\+file:\/\//, "", u)) { # a cloud image: the first mirror in its list, under APT_DIR
                f = index(u, "/etc/apt/") == 1 ? dir substr(u, 9) : u; u = ""
                while (u !~ /^https?:\/\// && (getline u < f) > 0) sub(/[ \t].*/, "", u); close(f) }
            for (i = split(su, s, " "); i > 0; i--) ok += s[i] ~ /^[a-z]+(-updates|-backports(-sloppy)?|-proposed-updates)?$/
            if (!off && ok && co ~ / main( |$)/ && (sb ~ /debian-archive-keyring/ || sb !~ /^\//) &&
                u ~ /^https?:\/\/[^\/]+\/(.*\/)?debian(\/|$)/) { print u; done = 1; exit }
            u = su = co = sb = ""; off = 0
        }
        FNR == 1 || (FILENAME ~ /\.sources$/ && !NF) { take() }
        { k = "" } FILENAME ~ /\.sources$/ && /^[^ \t#]/ { k = tolower($1); $1 = "" } # deb822: stanzas of fields
        k == "uris:" { u = $2 } k == "suites:" { su = $0 } k == "components:" { co = $0 }
        k == "signed-by:" { sb = $2 } k == "enabled:" { off = tolower($2) == "no" }
        FILENAME !~ /\.sources$/ && sub(/^[ \t]*deb[ \t]+/, "") { # deb [OPTIONS] URI SUITE COMPONENT...
            o = match($0, /^\[[^]]*\]/) ? substr($0, 1, RLENGTH) : ""; $0 = substr($0, length(o) + 1)
            sb = match(o, /signed-by=[^] \t]+/) ? substr(o, RSTART + 10, RLENGTH - 10) : ""
            u = $1; su = $2; $1 = $2 = ""; co = $0; take()
        }
        END { if (!done) take() }' "$d"/sources.list.d/*.sources "$d"/sources.lis[t] "$d"/sources.list.d/*.list </dev/null)
    [ -n "$m" ] || { echo "No Debian mirror in the apt configuration: set GRAINWRIGHT_DEBIAN_MIRROR" >&2; return 1; }
    echo "${m%/}"
}
