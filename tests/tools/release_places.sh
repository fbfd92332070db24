#!/usr/bin/env bash
# The release's version and date agree in every place docs/releasing.md lists, with CHANGELOG.md's
# newest release: one row a place. And the checksums beside the packages (make dist, make deb) check
# out for all three of them.
#   release_places.sh SOURCE_DIR DIST_DIR
set -u
top=$1 dist=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export TZ=UTC
version=$(sed -nE 's/^## ([0-9]+\.[0-9]+\.[0-9]+) \(.*/\1/p' "$top/CHANGELOG.md" | head -1)
date=$("$top/scripts/release-date")
zip=$dist/Lunaquill-$version-win64.zip deb=$(ls "$dist"/lunaquill_"$version"_*.deb 2>/dev/null | head -1)
man_page() { sed -nE '1s/^\.TH .* "([0-9-]+)" "Lunaquill ([0-9.]+)".*/\2|\1/p' "$top/dist-files/$1"; }
# place|version|date ("-" where the place holds none)
rows=(
    "CMakeLists.txt|$(sed -nE 's/^project\(Lunaquill VERSION ([0-9.]+).*/\1/p' "$top/CMakeLists.txt")|-"
    "debian/changelog|$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version)|$(date -d "$(dpkg-parsechangelog -l "$top/debian/changelog" -S Date)" +%F)"
    "lunaquill.6x|$(man_page lunaquill.6x)"
    "lunaquill-xscreensaver.1|$(man_page lunaquill-xscreensaver.1)"
    "the signing time|-|$("$top/scripts/sign" --time)"
    "the files in the zip|-|$(zipinfo -T "$zip" 2>/dev/null | awk 'length($7) == 15 {print substr($7, 1, 4) "-" substr($7, 5, 2) "-" substr($7, 7, 2)}' | sort -u | xargs)"
    "the files in the Debian package|$(dpkg-deb -f "$deb" Version 2>/dev/null)|$(dpkg-deb -c "$deb" 2>/dev/null | awk '{print $4}' | sort -u | xargs)"
)
agrees() { { [ "$1" = - ] || [ "$1" = "$version" ]; } && { [ "$2" = - ] || [ "$2" = "$date" ]; }; }
for row in "${rows[@]}"; do
    IFS='|' read -r place v d <<< "$row"
    agrees "$v" "$d" && echo "$place: $v $d" || fail "$place: version \"$v\", date \"$d\" (the release: $version $date)"
done

# Every package of the release, named and checked in SHA256SUMS.
listed=$(awk '{print $2}' "$dist/SHA256SUMS" 2>/dev/null | sort | tr '\n' ' ')
[ "$listed" = "Lunaquill-$version-setup.exe Lunaquill-$version-win64.zip ${deb##*/} " ] || fail "SHA256SUMS names: $listed"
(cd "$dist" && sha256sum -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS"
echo "release: $failures failures"
[ "$failures" = 0 ]
