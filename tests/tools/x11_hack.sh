#!/usr/bin/env bash
# The Linux build end to end on an X screen: bad options are refused and -help answers; stills at 0,
# 2.5 and 40 s match the Windows build's references; its own window has its class and ends on q; the
# hack draws into a window another program made, follows its size, and ends at once on SIGTERM or
# when that window is destroyed; at the default delay it draws 25 frames a second, not more;
# lunaquill-xscreensaver puts it into a user's list (made from the system's list for a user without
# one) and takes it out again, leaving everything else in the file as it was; the real XScreenSaver
# daemon then runs it by its place in that list, and -deactivate ends it. Without a display it makes
# itself one.
#   x11_hack.sh BIN_DIR GOLDEN_DIR WORK_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/driver.sh"
[ -n "${DISPLAY:-}" ] || LQ_XVFB_WINE=0 exec "$here/../../scripts/with-xvfb" 1024x768x24 "$0" "$@"
bin=$1 golden=$2 work=$3
rm -rf "$work"; mkdir -p "$work"
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

# Its own window, placed by -geometry, with the options other GL hacks take; q ends it. With -fps it
# says how many frames it drew: at the default delay it rests between frames, 25 a second at most.
"$bin/lunaquill" -window -geometry 320x200+30+40 -visual default -install -mono -pair -fps 2>"$work/pace" & hack=$!; pids+=($hack)
if own=$(wait_for_window '^Lunaquill$' 5); then
    xprop -id "$own" WM_CLASS | grep -q '"lunaquill", "Lunaquill"' || fail "WM_CLASS: $(xprop -id "$own" WM_CLASS)"
    eval "$(xdotool getwindowgeometry --shell "$own")"
    [ "$WIDTH" = 320 ] && [ "$HEIGHT" = 200 ] || fail "-geometry 320x200 gave ${WIDTH}x$HEIGHT"
    sleep 3; xdotool key --window "$own" q
    wait_for_exit "$hack" 2 || fail "q did not end its own window"
    pace=$(sed -n 's/^lunaquill: .* \([0-9.]*\) fps$/\1/p' "$work/pace")
    echo "default delay: $(grep '^lunaquill:' "$work/pace")"
    [ -n "$pace" ] && awk -v p="$pace" 'BEGIN { exit !(p > 0 && p <= 27.5) }' ||
        fail "at the default delay it drew ${pace:-no} frames a second, not 25 at most"
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
if window=$(wait_for_window '^lq foreign window$' 5); then
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
    gone=yes
    wait_for_exit "$hack" 1 || gone=no
    ms=$(( ($(date +%s%N) - sent) / 1000000 ))
    echo "window destroyed: the hack ended after $ms ms"
    [ "$gone" = yes ] || { fail "the hack outlived its window by a second"; kill "$hack"; }
    wait "$hack" 2>/dev/null
else
    fail "xev made no window"
fi

# The user's list. A user with settings of their own: lunaquill-xscreensaver add changes the list
# alone, a second add nothing, and remove gives back the file byte for byte; a hack chosen after it
# in the list stays chosen.
command=$here/../../dist-files/lunaquill-xscreensaver
mine=$(mktemp -d "${TMPDIR:-/tmp}/lq-home.XXXXXX")
entry() { printf '%s\t\t\t\t%s --root\t\t\t    \\n%s\n' "$1" "$2" "$3"; }
{ printf '# XScreenSaver Preferences File\ntimeout:\t0:30:00\nmode:\t\tone\nselected:\t2\nlock:\t\tFalse\n'
  printf 'programs:\t\t\t\t\t\t\t\t      \\\n'
  entry "" maze '\'; entry "  GL:" lunaquill '\'; entry "-" qix ''
  printf '\n\npointerHysteresis:\t10\n'; } > "$mine/.xscreensaver"
HOME=$mine "$command" remove >/dev/null || fail "lunaquill-xscreensaver remove: exit code $?"
grep -q lunaquill "$mine/.xscreensaver" && fail "remove left Lunaquill in the list"
grep -q '^selected:.2$' "$mine/.xscreensaver" && fail "remove left the user's choice (qix) pointing past the list"
cp "$mine/.xscreensaver" "$work/before"
HOME=$mine "$command" add >/dev/null || fail "lunaquill-xscreensaver add: exit code $?"
diff "$work/before" "$mine/.xscreensaver" > "$work/added.diff"
[ "$(grep -c '^[<>]' "$work/added.diff")" = 3 ] && grep -q '^> .*GL:.*lunaquill --root' "$work/added.diff" ||
    fail "add changed more than the end of the list: $(cat "$work/added.diff")"
cp "$mine/.xscreensaver" "$work/after-add"
HOME=$mine "$command" add >/dev/null && cmp -s "$work/after-add" "$mine/.xscreensaver" || fail "a second add changed the file"
HOME=$mine "$command" remove >/dev/null && cmp -s "$work/before" "$mine/.xscreensaver" ||
    fail "add then remove did not give back the file"
# Switched off by the user ("-" before it), add switches it on again, and says so; a second add
# changes nothing. --help says how, with exit status 0.
HOME=$mine "$command" add >/dev/null
sed -i 's/^  GL:\(.*lunaquill\)/-\tGL:\1/' "$mine/.xscreensaver"
said=$(HOME=$mine "$command" add) && grep -q 'on again' <<< "$said" && ! grep -q '^-.*lunaquill' "$mine/.xscreensaver" &&
    grep -q '^[[:space:]]*GL:.*lunaquill' "$mine/.xscreensaver" || fail "add left a switched-off Lunaquill off: $said"
cp "$mine/.xscreensaver" "$work/switched-on"
HOME=$mine "$command" add >/dev/null && cmp -s "$work/switched-on" "$mine/.xscreensaver" || fail "a second add changed the file"
"$command" --help | grep -q '^usage: lunaquill-xscreensaver add|remove' || fail "--help: exit status $? or no usage"
rm -rf "$mine"

# The real daemon, for a user with no settings file: the command makes the list from the system's
# and adds the hack at its end; the daemon runs it by that place. It launches no hacks for root, so
# as root it runs as nobody, with a home (holding copies of the hack, on its path, and the command)
# of its own under /tmp.
home=$(mktemp -d "${TMPDIR:-/tmp}/lq-xscreensaver.XXXXXX"); chmod 755 "$home"
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$home"; }
mkdir "$home/bin"
cp "$bin/lunaquill" "$home/bin/lunaquill"
cp "$command" "$home/bin/lunaquill-xscreensaver"
hack=$home/bin/lunaquill
user=(env HOME="$home" DISPLAY="$DISPLAY" ASAN_OPTIONS="$ASAN_OPTIONS" PATH="$home/bin:$PATH")
if [ "$(id -u)" = 0 ]; then chown -R nobody "$home"; user=(runuser -u nobody -- "${user[@]}"); fi
said=$("${user[@]}" lunaquill-xscreensaver add) || fail "lunaquill-xscreensaver add: exit code $?"
echo "$said" | sed 's/^/  /'
place=$(echo "$said" | sed -n 's/.*, as number \([0-9]*\)\.$/\1/p')
system=$(sed -n '/^\*programs:/,/[^\\]$/p' /etc/X11/app-defaults/XScreenSaver | grep -c '\\n')
[ "$place" = $((system + 1)) ] || fail "Lunaquill is number ${place:-none}, not $((system + 1)) after the system's $system"
"${user[@]}" xscreensaver -no-splash >"$work/daemon.log" 2>&1 & pids+=($!)
for _ in $(seq 100); do "${user[@]}" xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.1; done
"${user[@]}" xscreensaver-command -select "${place:-0}" >/dev/null 2>&1 || fail "xscreensaver-command -select $place"
# ours: the running lunaquill that is this copy (the daemon starts it by name, from its path).
ours() { for p in $(pgrep -x lunaquill); do [ "$(readlink "/proc/$p/exe")" = "$hack" ] && echo "$p"; done; }
running=""
for _ in $(seq 100); do running=$(ours | head -1); [ -n "$running" ] && break; sleep 0.1; done
[ -n "$running" ] || fail "the daemon did not start lunaquill as number $place of the list"
sleep 3; shot root "$work/daemon-1.png"; sleep 0.5; shot root "$work/daemon-2.png"
python3 "$here/show_on_screen.py" "$work/daemon-1.png" "$work/daemon-2.png" || fail "no show on the screen while active"
"${user[@]}" xscreensaver-command -deactivate >/dev/null 2>&1
gone=no
for _ in $(seq 50); do [ -z "$(ours)" ] && { gone=yes; break; }; sleep 0.1; done
[ "$gone" = yes ] || fail "lunaquill still runs after -deactivate"
"${user[@]}" xscreensaver-command -exit >/dev/null 2>&1
grep -q "X Error" "$work/daemon.log" && fail "an X error under the daemon: $(grep -A2 'X Error' "$work/daemon.log" | head -3)"

finish "x11 hack"
