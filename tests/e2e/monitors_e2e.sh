#!/usr/bin/env bash
# Two monitors (scripts/with-two-monitors: 1024x768, the primary, and 1280x1024 at 1024,0, where
# Wine refuses the display mode, so the original show opens its window on the primary). A "desktop"
# colour on the root shows what is uncovered.
# The original show: during /s the show is seen on the primary, the second monitor is black and has no
# cursor; after Escape the host is gone and the desktop shows again on both. With Display = 1 both
# monitors show the show, the 1280x1024 one framed for 5:4 (its picture, scaled to 768 rows, is the
# middle of the 4:3 primary's, not the primary's picture stretched), and Escape brings the desktop back.
# With EndOnInput = 1 a click on the black second monitor (the host's cover) ends the original show.
# Usage: scripts/with-two-monitors monitors_e2e.sh BIN_DIR
set -u
source "$(dirname "$0")/../../scripts/env.sh"
source "$(dirname "$0")/../support/driver.sh"
bin=$1
tools=$(cd "$(dirname "$0")/../tools" && pwd)
scratch monitors

desktop='#3366cc'
xsetroot -solid "$desktop"
monitors=$(wine "$bin/acceptance_driver.exe" monitors | tr -d '\r')
echo "monitors: $(echo "$monitors" | tr '\n' ' ')"
[ "$(echo "$monitors" | wc -l)" = 2 ] || { echo "monitors_e2e: Wine does not see two monitors"; exit 1; }

# fraction REGION: the share of the region's pixels that are not black; colour REGION: its mean colour.
second=1280x1024+1024+0 primary=1024x768+0+0
shot() { import -window root "$work/shot.png"; }
fraction() { lit_fraction "$work/shot.png" "$1"; }
colour() {
    convert "$work/shot.png" -crop "$1" +repage -format \
        '#%[fx:round(255*mean.r)],%[fx:round(255*mean.g)],%[fx:round(255*mean.b)]' info:
}
# cursor_becomes STATE X Y: moves the pointer there and waits up to 3 s for the cursor to be STATE (shown
# or hidden); prints what it last saw.
cursor_becomes() {
    local deadline seen
    xdotool mousemove "$2" "$3"; deadline=$(deadline_after 3)
    while seen=$(python3 "$tools/cursor_shown.py"); [ "$seen" != "$1" ] && ! past "$deadline"; do sleep 0.1; done
    echo "$seen"
}
# desktop_back: screenshots until both monitors show the desktop's colour again; fails after 10 s.
want=$(printf '#%d,%d,%d' "0x${desktop:1:2}" "0x${desktop:3:2}" "0x${desktop:5:2}")
desktop_back() {
    local deadline; deadline=$(deadline_after 10)
    until shot; [ "$(colour $second)" = "$want" ] && [ "$(colour $primary)" = "$want" ]; do
        past "$deadline" && return 1
        sleep 0.2
    done
}

cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$work/"
wine "$work/Lunaquill.scr" /s &
host=$!; pids+=("$host")
window=$(wait_for_window '^LunaquillVC$' 15) || { fail "no renderer window"; exit 1; }
wait_until_lit 15 "$work/shot.png" $primary
lit_second=$(fraction $second) lit_primary=$(fraction $primary)
cursor_second=$(cursor_becomes hidden 1700 500)
echo "during the show: second monitor $lit_second not black, primary $lit_primary; cursor on the second: $cursor_second"
[ "$(echo "$lit_second == 0" | bc)" = 1 ] || fail "the second monitor shows something besides black"
[ "$(echo "$lit_primary > 0.05" | bc)" = 1 ] || fail "the show is not seen on the primary monitor"
[ "$cursor_second" = hidden ] || fail "a cursor on the second monitor during /s"

press_escape "$window"
wait_for_exit "$host" 2 || fail "the host did not end within 2 s of Escape"
desktop_back
after_second=$(colour $second) after_primary=$(colour $primary)
cursor_after=$(cursor_becomes shown 1700 500)
echo "after the show: second monitor $after_second, primary $after_primary, cursor $cursor_after"
[ "$after_second" = "$want" ] || fail "the desktop did not come back on the second monitor"
[ "$after_primary" = "$want" ] || fail "the desktop did not come back on the primary"
[ "$cursor_after" = shown ] || fail "no cursor after the show"

# Every monitor at its own resolution.
printf '[Section]\r\nDisplay= 1\r\n' > "$work/Lunaquill.ini"
wine "$work/Lunaquill.scr" /s &
host=$!; pids+=("$host")
window=$(wait_for_window '^LunaquillVC$' 15) || { fail "no renderer window with Display = 1"; exit 1; }
wait_until_lit 15 "$work/shot.png" $primary $second
lit_second=$(fraction $second) lit_primary=$(fraction $primary)
echo "native show: second monitor $lit_second not black, primary $lit_primary"
[ "$(echo "$lit_second > 0.05" | bc)" = 1 ] || fail "the show is not seen on the second monitor"
[ "$(echo "$lit_primary > 0.05" | bc)" = 1 ] || fail "the show is not seen on the primary monitor"
# rmse A B: the root-mean-square difference of two pictures of one size, 0 to 1.
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
convert "$work/shot.png" -crop $second +repage -resize '960x768!' "$work/second_framed.png"
convert "$work/shot.png" -crop 960x768+32+0 +repage "$work/primary_middle.png"
convert "$work/shot.png" -crop $second +repage -resize '1024x768!' "$work/second_squeezed.png"
convert "$work/shot.png" -crop $primary +repage "$work/primary.png"
framed=$(rmse "$work/second_framed.png" "$work/primary_middle.png")
stretched=$(rmse "$work/second_squeezed.png" "$work/primary.png")
echo "the second monitor's picture against the primary's: framed for 5:4 $framed, stretched 4:3 $stretched"
[ "$(echo "$framed < 0.6 * $stretched" | bc)" = 1 ] || fail "the 5:4 monitor does not show the show framed for 5:4"
# LQ_MONITORS_PICTURE=FILE keeps the two monitors' picture (scripts/pictures).
[ -z "${LQ_MONITORS_PICTURE:-}" ] || cp "$work/shot.png" "$LQ_MONITORS_PICTURE"
press_escape "$window"
wait_for_no_window '^LunaquillVC$' 10 || fail "the native show did not end on Escape"
wait_for_exit "$host" 5 || fail "the host did not end within 5 s of Escape"
desktop_back
[ "$(colour $second)" = "$want" ] || fail "the desktop did not come back on the second monitor after the native show"
[ "$(colour $primary)" = "$want" ] || fail "the desktop did not come back on the primary after the native show"

# The original show ended by a click where the host's cover shows.
printf '[Section]\r\nEndOnInput= 1\r\n' > "$work/Lunaquill.ini"
wine "$work/Lunaquill.scr" /s &
host=$!; pids+=("$host")
window=$(wait_for_window '^LunaquillVC$' 15) || fail "no renderer window with EndOnInput = 1"
wait_until_lit 15 "$work/shot.png" $primary
xdotool mousemove 1700 500 click 1
if wait_for_no_window '^LunaquillVC$' 5; then echo "a click on the second monitor's cover ended the show"
else fail "a click on the second monitor's cover did not end the show"; fi
wait_for_exit "$host" 5 || fail "the host did not end after a click on its cover"

finish "monitors"
