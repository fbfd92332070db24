#!/usr/bin/env bash
# The Linux build end to end on an X screen: bad options are refused and -help answers; stills at 0,
# 2.5 and 40 s match the Windows build's references; its own window has its class and ends on q; the
# hack draws into a window another program made, follows its size, and ends at once on SIGTERM or
# when that window is destroyed; under the real XScreenSaver daemon, -activate shows the show and
# -deactivate ends it. Without a display it makes itself one.
#   x11_hack.sh BIN_DIR GOLDEN_DIR WORK_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || LQ_XVFB_WINE=0 exec "$here/../../scripts/with-xvfb" 1024x768x24 "$0" "$@"
bin=$1 golden=$2 work=$3
rm -rf "$work"; mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; }
trap cleanup EXIT
# Mesa and Xlib keep allocations for the process's life; only our own faults count.
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0
shot() { import -window "$1" "$2" 2>/dev/null; }

for args in "-bogus" "-delay" "-delay -5" "-window-id" "-window-id zero" "-root extra"; do
    # shellcheck disable=SC2086
    "$bin/lunaquill" $args >/dev/null 2>"$work/err"
    rc=$?
    [ "$rc" = 2 ] && grep -q usage "$work/err" || fail "lunaquill $args: exit code $rc, expected 2 with a usage line"
done

"$bin/lunaquill" --help >"$work/help" 2>&1 && grep -q -- '-geometry' "$work/help" || fail "--help: $(head -2 "$work/help")"

# Its own window, placed by -geometry, with the options other GL hacks take; q ends it.
"$bin/lunaquill" -window -geometry 320x200+30+40 -visual default -install -mono -pair & hack=$!; pids+=($hack)
own=""
for _ in $(seq 100); do own=$(xdotool search --name '^Lunaquill$' 2>/dev/null | head -1); [ -n "$own" ] && break; sleep 0.05; done
if [ -n "$own" ]; then
    xprop -id "$own" WM_CLASS | grep -q '"lunaquill", "Lunaquill"' || fail "WM_CLASS: $(xprop -id "$own" WM_CLASS)"
    eval "$(xdotool getwindowgeometry --shell "$own")"
    [ "$WIDTH" = 320 ] && [ "$HEIGHT" = 200 ] || fail "-geometry 320x200 gave ${WIDTH}x$HEIGHT"
    sleep 1; xdotool key --window "$own" q
    for _ in $(seq 40); do kill -0 "$hack" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$hack" 2>/dev/null && fail "q did not end its own window"
else
    fail "no window of its own"
fi

"$bin/lunaquill-still" "$work" 0 2.5 40 || fail "lunaquill-still exit code $?"
for t in 0 2.5 40; do
    python3 "$here/compare_images.py" "$golden/scene-$t.png" "$work/scene-$t.ppm" "$work/diff-scene-$t.png" \
        --tolerance 8 --max-outside 0.001 --min-psnr 100 || fail "the still at $t s"
done

# A window another program made (xev's): the show at that window's size; SIGTERM ends it at once.
xev -geometry 640x400+0+0 -name 'lq foreign window' >/dev/null & pids+=($!)
window=""
for _ in $(seq 100); do window=$(xdotool search --name '^lq foreign window$' 2>/dev/null | head -1); [ -n "$window" ] && break; sleep 0.05; done
if [ -n "$window" ]; then
    "$bin/lunaquill" -window-id "$window" & hack=$!
    sleep 3; shot "$window" "$work/foreign-1.png"; sleep 0.5; shot "$window" "$work/foreign-2.png"
    python3 "$here/show_on_screen.py" "$work/foreign-1.png" "$work/foreign-2.png" || fail "no show in the given window"
    # Its owner makes it wider and lower: the picture fills the new size.
    xdotool windowsize "$window" 1000 300
    sleep 1; shot "$window" "$work/foreign-3.png"; sleep 0.5; shot "$window" "$work/foreign-4.png"
    python3 "$here/show_on_screen.py" "$work/foreign-3.png" "$work/foreign-4.png" --width 1000 --height 300 ||
        fail "the show does not fill the resized window"
    sent=$(date +%s%N)
    kill -TERM "$hack"; wait "$hack"; rc=$?
    ms=$(( ($(date +%s%N) - sent) / 1000000 ))
    echo "SIGTERM: exit code $rc after $ms ms"
    [ "$rc" = 0 ] || fail "exit code $rc after SIGTERM"
    [ "$ms" -lt 1000 ] || fail "$ms ms to end after SIGTERM"
    # The window taken away under it (its program gone): the hack ends by itself.
    "$bin/lunaquill" -window-id "$window" & hack=$!
    sleep 2
    sent=$(date +%s%N)
    xdotool windowkill "$window"
    gone=no
    for _ in $(seq 100); do kill -0 "$hack" 2>/dev/null || { gone=yes; break; }; sleep 0.01; done
    ms=$(( ($(date +%s%N) - sent) / 1000000 ))
    echo "window destroyed: the hack ended after $ms ms"
    [ "$gone" = yes ] || { fail "the hack outlived its window by a second"; kill "$hack"; }
    wait "$hack" 2>/dev/null
else
    fail "xev made no window"
fi

# The real daemon, with a private home whose settings list only this hack. It launches no hacks
# for root, so as root it runs as nobody.
# As nobody it may not reach a checkout in a private folder, so its home (with a copy of the hack)
# is a folder of its own under /tmp.
home=$(mktemp -d "${TMPDIR:-/tmp}/lq-xscreensaver.XXXXXX"); chmod 755 "$home"
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$home"; }
cp "$bin/lunaquill" "$home/lunaquill"
hack=$home/lunaquill
printf 'mode: one\nselected: 0\ntimeout: 0:30:00\nlock: False\nfade: False\nunfade: False\nsplash: False\nprograms: "Lunaquill" %s --root \\n\n' "$hack" > "$home/.xscreensaver"
user=(env HOME="$home" DISPLAY="$DISPLAY" ASAN_OPTIONS="$ASAN_OPTIONS")
if [ "$(id -u)" = 0 ]; then chown -R nobody "$home"; user=(runuser -u nobody -- "${user[@]}"); fi
"${user[@]}" xscreensaver -no-splash >"$work/daemon.log" 2>&1 & pids+=($!)
for _ in $(seq 100); do "${user[@]}" xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.1; done
"${user[@]}" xscreensaver-command -activate >/dev/null 2>&1 || fail "xscreensaver-command -activate"
running=""
for _ in $(seq 100); do running=$(pgrep -f "^$hack" | head -1); [ -n "$running" ] && break; sleep 0.1; done
[ -n "$running" ] || fail "the daemon did not start lunaquill"
sleep 3; shot root "$work/daemon-1.png"; sleep 0.5; shot root "$work/daemon-2.png"
python3 "$here/show_on_screen.py" "$work/daemon-1.png" "$work/daemon-2.png" || fail "no show on the screen while active"
"${user[@]}" xscreensaver-command -deactivate >/dev/null 2>&1
gone=no
for _ in $(seq 50); do pgrep -f "^$hack" >/dev/null || { gone=yes; break; }; sleep 0.1; done
[ "$gone" = yes ] || fail "lunaquill still runs after -deactivate"
"${user[@]}" xscreensaver-command -exit >/dev/null 2>&1
grep -q "X Error" "$work/daemon.log" && fail "an X error under the daemon: $(grep -A2 'X Error' "$work/daemon.log" | head -3)"

echo "x11 hack: $failures failures"
[ "$failures" = 0 ]
