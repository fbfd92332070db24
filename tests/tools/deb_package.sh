#!/usr/bin/env bash
# The hack's Debian package (make deb): lintian finds no error and no warning, it holds exactly the
# hack, its settings description, the command that adds it to a user's list, their manual pages and
# Debian's copyright and changelog, and the manual pages render without a warning.
#   deb_package.sh DEB
set -u
deb=$1
[ -f "$deb" ] || { echo "deb_package: no $deb (make deb)"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'root privileges'
[ "${PIPESTATUS[0]}" = 0 ] || fail "lintian"

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $6}')
want='-rwxr-xr-x ./usr/bin/lunaquill-xscreensaver
-rwxr-xr-x ./usr/libexec/xscreensaver/lunaquill
-rw-r--r-- ./usr/share/doc/lunaquill/changelog.gz
-rw-r--r-- ./usr/share/doc/lunaquill/copyright
-rw-r--r-- ./usr/share/man/man1/lunaquill-xscreensaver.1.gz
-rw-r--r-- ./usr/share/man/man6/lunaquill.6x.gz
-rw-r--r-- ./usr/share/xscreensaver/config/lunaquill.xml'
[ "$files" = "$want" ] || fail "the package holds:
$files"

work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
grep -q '^License: Expat' "$work/usr/share/doc/lunaquill/copyright" || fail "no Expat (MIT) licence in the copyright file"
for manual in man6/lunaquill.6x.gz man1/lunaquill-xscreensaver.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$work/usr/share/man/$manual" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page $manual: $warnings"
done
page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$work/usr/share/man/man6/lunaquill.6x.gz" 2>/dev/null)
for part in NAME SYNOPSIS OPTIONS ENVIRONMENT XSCREENSAVER_WINDOW 'SEE ALSO' 'xscreensaver(1)' \
    -window -root -window-id -geometry -delay -fps -no-fps -display -visual -install -noinstall -mono -pair -help \
    'lunaquill-xscreensaver add'; do
    grep -q -- "$part" <<< "$page" || fail "the manual page has no $part"
done
echo "$(du -k "$deb" | cut -f1) KiB; depends: $(dpkg-deb -f "$deb" Depends)"
echo "deb: $failures failures"
[ "$failures" = 0 ]
