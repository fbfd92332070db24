#!/usr/bin/env bash
# The show's frames at fixed scene times, drawn by the real renderer code through snapshot.exe,
# against committed references. Also: snapshot's bad arguments are refused.
#   golden_images.sh SNAPSHOT_EXE GOLDEN_DIR WORK_DIR
set -u
snapshot=$1 golden=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"; mkdir -p "$work"
failures=0

for args in "" "--bench" "--bench x" "--profile -1" "$work abc" "-x 1"; do
    # shellcheck disable=SC2086
    wine "$snapshot" $args >/dev/null 2>"$work/err"
    rc=$?
    if [ "$rc" != 2 ] || ! grep -q usage "$work/err"; then
        echo "FAIL: snapshot $args: exit code $rc, expected 2 with a usage message"; failures=$((failures + 1))
    fi
done

wine "$snapshot" "$work" 0 2.5 40 || { echo "FAIL: snapshot exit code $?"; exit 1; }
for t in 0 2.5 40; do
    python3 "$here/compare_images.py" "$golden/scene-$t.png" "$work/scene-$t.ppm" "$work/diff-scene-$t.png" \
        --tolerance 8 --max-outside 0.001 --min-psnr 40 || failures=$((failures + 1))
done
echo "golden images: $failures failures"
[ "$failures" = 0 ]
