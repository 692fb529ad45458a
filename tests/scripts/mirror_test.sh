#!/usr/bin/env bash
# debian_mirror on the apt configurations of Debian, Ubuntu and cloud systems, made in a temporary
# folder.
# shellcheck source-path=SCRIPTDIR source=../../scripts/lib/mirror.bash
source "$(dirname "$0")/../../scripts/lib/mirror.bash" || exit 1
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT && unset GRAINWRIGHT_DEBIAN_MIRROR
failed=0 none="none: No Debian mirror in the apt configuration: set GRAINWRIGHT_DEBIAN_MIRROR"
put() { mkdir -p "$(dirname "$tmp/$1")" && cat >"$tmp/$1"; }
stanza() { printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: main\n%s\n\n' "$@"; }
keyring="Signed-By: /usr/share/keyrings/debian-archive-keyring.pgp"
expect() {
    local got
    if ! got=$(debian_mirror "$tmp/$1" 2>&1); then
        got="none: $got"
    fi
    [ "$got" = "$2" ] || { echo "FAILED: $1: expected '$2', got '$got'"; failed=1; }
}
put list/sources.list <<'END'
deb [signed-by=/usr/share/keyrings/vendor.gpg] https://vendor.example/debian bookworm main
deb http://security.example/debian-security bookworm-security main
deb [ arch=amd64 ] http://mirror.example/debian/ bookworm main contrib
END
{ stanza http://old.example/debian trixie 'Enabled: no'
  stanza http://security.example/debian-security trixie-security "$keyring"
  stanza http://mirror.example/debian/ 'trixie trixie-updates' "$keyring"; } |
    put vendor/sources.list.d/debian.sources
echo 'deb [signed-by=/etc/apt/keyrings/vendor.asc] https://vendor.example/linux/debian' \
    'trixie stable' |
    put vendor/sources.list.d/vendor.list
echo 'deb http://archive.example/ubuntu/ noble main restricted' | put ubuntu/sources.list
stanza http://archive.example/ubuntu/ noble-updates \
    'Signed-By: /usr/share/keyrings/ubuntu-archive-keyring.gpg' |
    put ubuntu/sources.list.d/ubuntu.sources
stanza mirror+file:///etc/apt/mirrors/debian.list 'bookworm bookworm-updates' |
    put cloud/sources.list.d/debian.sources
printf '# first the nearest\nhttps://cloud.example/debian\tpriority:1\nhttp://mirror.example/debian\n' |
    put cloud/mirrors/debian.list
expect list http://mirror.example/debian
expect vendor http://mirror.example/debian
expect ubuntu "$none"
expect cloud https://cloud.example/debian
mkdir "$tmp/none" && expect none "$none"
exit "$failed"
