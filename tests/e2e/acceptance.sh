#!/usr/bin/env bash
# The whole product as a person uses it, from the release zip: unpack into a folder whose path has
# blanks and Japanese characters; /c -> MP3/WAV -> pick an MP3 -> Set; /s -> the show with the music
# audible -> Escape -> everything gone; /p into an area -> the area goes -> the host goes. Finally no
# process of ours is left and Lunaquill.ini holds exactly what was set.
# Runs inside scripts/with-xvfb.   acceptance.sh ZIP DRIVER_EXE
set -u
source "$(dirname "$0")/../../scripts/env.sh"
source "$(dirname "$0")/recording.sh"
source "$(dirname "$0")/../support/driver.sh"
zip=$1 driver=$2
started=$(date +%s.%N)
scratch acceptance
tidy() { recording_stop; }
now() { date +%s.%N; }

[ -f "$zip" ] || { echo "acceptance: no $zip (make dist)"; exit 1; }
install="$work/Lunaquill テスト 1"
music="$work/音楽"
mkdir -p "$install" "$music"
unzip -q "$zip" -d "$install" || { echo "acceptance: unzip failed"; exit 1; }
[ "$(ls "$install" | sort | tr '\n' ' ')" = "LICENSE.txt Lunaquill.dll Lunaquill.scr README.txt " ] || fail "the zip holds $(ls "$install")"
grep -q 'Copyright (c) 2026 the Lunaquill authors' "$install/LICENSE.txt" || fail "no MIT licence in the zip"
sox -q -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 3 sine 440 vol 0.5
lame --quiet -b 128 "$work/tone.wav" "$music/tone 1.mp3"

# The driver takes its arguments in the ANSI code page: Wine converts them from UTF-8.
wine "$driver" version "$(winpath "$install")" || fail "version information"
wine "$driver" configure "$(winpath "$install")" "$(winpath "$music/tone 1.mp3")" || fail "configure"
expected=$(printf '[Section]\r\n%s=2\r\n%s=0\r\n%s=%s\r\nDisplay=0\r\nEndOnInput=0\r\n' "$(printf 'BGM区分' | iconv -t CP932)" \
    "$(printf 'BGMﾘﾋﾟｰﾄ' | iconv -t CP932)" "$(printf 'BGMﾌｧｲﾙ' | iconv -t CP932)" \
    "$(winpath "$music/tone 1.mp3" | iconv -t CP932)")
[ "$(cat "$install/Lunaquill.ini")" = "$expected" ] || fail "Lunaquill.ini after Set: $(od -c "$install/Lunaquill.ini" | head -5)"
cp "$install/Lunaquill.ini" "$work/ini-after-set"

# The show, recorded from the sound device.
rec="$work/show.wav"
recording_start "$rec" || fail "the recording did not start"
t_start=$(recording_at)
wine "$driver" show "$(winpath "$install")" || fail "show"
t_end=$(recording_at)
sleep 1.5
recording_stop
rms() { sox "$rec" -n trim "$@" stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; }
playing=$(rms "$(echo "$t_start + 1.5" | bc)" 2.0)
after=$(rms -0.8)  # the recording's end, 1.5 s after the show: lost samples never shift it
echo "music: RMS $playing during the show, $after after it (show from ${t_start}s to ${t_end}s)"
[[ "$playing" =~ ^[0-9.]+$ ]] && awk -v a="$playing" 'BEGIN { exit !(a > 0.05) }' || fail "the music was not audible during the show"
[[ "$after" =~ ^[0-9.]+$ ]] && awk -v a="$after" 'BEGIN { exit !(a < 0.005) }' || fail "the music went on after the show"

wine "$driver" preview "$(winpath "$install")" || fail "preview"

ours() { ps -eo stat=,args= | awk '$1 !~ /^Z/' | grep -aE 'Lunaquill\.(scr|dll)' | grep -v grep; }
deadline=$(deadline_after 5)
while left=$(ours); [ -n "$left" ] && ! past "$deadline"; do sleep 0.05; done
[ -z "$left" ] || fail "processes left running: $left"
cmp -s "$install/Lunaquill.ini" "$work/ini-after-set" || fail "Lunaquill.ini changed after Set"

echo "acceptance run: $(echo "$(now) - $started" | bc | cut -c1-5) s, $failures failures"
[ "$failures" = 0 ]
