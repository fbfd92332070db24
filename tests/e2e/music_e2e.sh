#!/usr/bin/env bash
# Background music, end to end: Lunaquill.scr /s with an MP3, a WAV and a CD configured, Wine's sound
# going to a PulseAudio null sink whose monitor is recorded and measured with sox.
# Runs inside scripts/with-xvfb (DISPLAY, PULSE_SERVER). Usage: music_e2e.sh BIN_DIR
set -u
source "$(dirname "$0")/../../scripts/env.sh"
source "$(dirname "$0")/../support/driver.sh"
source "$(dirname "$0")/recording.sh"
bin=$1
scratch music
tidy() { recording_stop; }

[ -n "${PULSE_SERVER:-}" ] || { echo "music_e2e: no PULSE_SERVER (run inside scripts/with-xvfb)"; exit 1; }
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$work/"
# Test clips, made here: a 3 s tone as MP3 and a 2 s tone as WAV.
sox -q -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 3 sine 440 vol 0.5
lame --quiet -b 128 "$work/tone.wav" "$work/tone.mp3"
sox -q -n -r 44100 -c 2 -b 16 "$work/loop.wav" synth 2 sine 660 vol 0.5

now() { date +%s.%N; }
# show KIND FILE SECONDS [close-host]: runs a show with that music for SECONDS and records the sink;
# it ends with Escape, or with another program closing the host's hidden window (the renderer then
# goes on alone and is ended afterwards).
# Sets rec (recording), t_show and t_end (seconds into the recording).
show() {
    local kind=$1 file=$2 seconds=$3 ending=${4:-escape}
    local winfile=""
    [ -n "$file" ] && winfile="Z:$(echo "$file" | tr / '\\')"
    printf '[Section]\r\n%s= %s\r\n%s= 0\r\n%s=%s\r\n' \
        "$(printf 'BGM区分' | iconv -t CP932)" "$kind" "$(printf 'BGMﾘﾋﾟｰﾄ' | iconv -t CP932)" \
        "$(printf 'BGMﾌｧｲﾙ' | iconv -t CP932)" "$winfile" > "$work/Lunaquill.ini"
    rec="$work/rec-$kind.wav"
    recording_start "$rec" || { fail "kind $kind: the recording did not start"; return; }
    wine "$work/Lunaquill.scr" /s &
    local host=$!; pids+=("$host")
    local window
    window=$(wait_for_window '^LunaquillVC$' 15) || { fail "kind $kind: no renderer window"; kill "$host"; return; }
    t_show=$(recording_at)
    sleep "$seconds"
    if [ "$ending" = close-host ]; then
        # The driver also checks that the renderer ends with the host.
        wine "$bin/acceptance_driver.exe" close-host | tr -d '\r' | grep -v '^host closed' | sed 's/^/  /'
        [ "${PIPESTATUS[0]}" = 0 ] || fail "closing the host's window, or the renderer with it"
    else
        press_escape "$window"
    fi
    wait_for_exit "$host" 3 || fail "kind $kind: the host did not end after Escape"
    t_end=$(recording_at)
    wait "$host" 2>/dev/null
    sleep 1.5
    recording_stop
    echo "kind $kind: show at ${t_show}s, ended at ${t_end}s, recording $(soxi -D "$rec")s"
}

# WAV: loops past its 2 s length, silent after Escape.
show 2 "$work/loop.wav" 6
a=$(loudest "$rec" "$(echo "$t_show + 0.5" | bc)" 1.0)
b=$(loudest "$rec" "$(echo "$t_show + 3" | bc)" 2.0)
c=$(tail_rms "$rec")
echo "wav: RMS $a during the first loop, $b after it, $c after Escape"
above "$a" 0.05 || fail "wav not audible"
above "$b" 0.05 || fail "wav not looped"
above 0.005 "$c" || fail "wav still audible after the show"

# MP3: audible while the show runs, again after the 3 s clip has ended, silent soon after Escape.
show 2 "$work/tone.mp3" 8
a=$(loudest "$rec" "$(echo "$t_show + 1" | bc)" 1.5)
b=$(loudest "$rec" "$(echo "$t_show + 4.5" | bc)" 2.5)
c=$(tail_rms "$rec")
echo "mp3: RMS $a during the first play, $b after the clip's end, $c after Escape"
above "$a" 0.05 || fail "mp3 not audible"
above "$b" 0.05 || fail "mp3 not restarted after its end"
above 0.005 "$c" || fail "mp3 still audible after the show"

# MP3 again, ended by another program closing the host's hidden window: the music stops with the host,
# and the renderer is left running.
show 2 "$work/tone.mp3" 4 close-host
a=$(loudest "$rec" "$t_show" "$(echo "$t_end - $t_show - 0.5" | bc)")
c=$(tail_rms "$rec")
echo "mp3, host closed: RMS $a before, $c after"
above "$a" 0.05 || fail "mp3 not audible before the close"
above 0.005 "$c" || fail "the music went on after the host was closed"

# CD with no drive: the show runs and ends normally, in silence.
show 1 "" 3
a=$(loudest "$rec" "$t_show" 2.5)
echo "cd: RMS $a (no CD drive)"
above 0.005 "$a" || fail "sound without a CD"

finish "music"
