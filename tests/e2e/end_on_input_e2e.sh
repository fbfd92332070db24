#!/usr/bin/env bash
# What ends the show, through the host (/s) and the real renderer. With EndOnInput = 1 a move of the
# mouse by 50 pixels, a click and a key each end it within a second (on every monitor at its own
# resolution and in the original show); with EndOnInput = 0 the same input leaves it running and
# Escape ends it.
# Runs inside scripts/with-xvfb 1024x768x24. Usage: end_on_input_e2e.sh BIN_DIR
set -u
source "$(dirname "$0")/../../scripts/env.sh"
source "$(dirname "$0")/../support/driver.sh"
bin=$1
scratch input
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$work/"
rm -rf "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Lunaquill"  # no per-user copy shadows ours

# start_show DISPLAY END_ON_INPUT: the host with these settings, once its show draws; sets $host and
# $window.
start_show() {
    printf '[Section]\r\nDisplay= %s\r\nEndOnInput= %s\r\n' "$1" "$2" > "$work/Lunaquill.ini"
    xdotool mousemove 500 400
    wine "$work/Lunaquill.scr" /s &
    host=$!; pids+=("$host")
    window=$(wait_for_window '^LunaquillVC$' 15) || { fail "no show (Display $1, EndOnInput $2)"; return 1; }
    wait_until_lit 10 "$work/shot.png" 1024x768+0+0 || { fail "the show did not draw"; return 1; }
}
# gone_within SECONDS: the show's window has gone within that time; prints how long it took.
gone_within() {
    local start=$(date +%s.%N)
    wait_for_no_window '^LunaquillVC$' "$1" || return 1
    echo "$(date +%s.%N) - $start" | bc
}
end_host() { wait_for_exit "$host" 5 || fail "the host did not end after its show"; }

# Every input on every monitor at its own resolution; one in the original show.
for run in "1 move" "1 click" "1 key" "0 key"; do
    set -- $run
    start_show "$1" 1 || continue
    case $2 in
    move) xdotool mousemove_relative 50 0 ;;
    click) xdotool click 1 ;;
    key) xdotool key space ;;
    esac
    if took=$(gone_within 1); then
        echo "EndOnInput 1, Display $1: a $2 ended the show in $took s"
    else
        fail "a $2 did not end the show within 1 s (Display $1)"
    fi
    end_host
done

start_show 1 0 || { finish "end on input"; exit; }
xdotool mousemove_relative 50 0
xdotool click 1
xdotool key space
if gone_within 1 >/dev/null; then
    fail "with EndOnInput 0 a move, a click or a key ended the show"
else
    echo "EndOnInput 0: a move, a click and a key left the show running"
    press_escape "$window"
    gone_within 5 >/dev/null || fail "Escape did not end the show"
fi
end_host

finish "end on input"
