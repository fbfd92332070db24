# Sourced by the sound tests: record what Wine plays into the session's PulseAudio null sink.
#
#   recording_start FILE   starts recording and returns once data arrives; sets recording_t0 (the
#                          wall-clock time of the recording's second 0; connecting takes about a second)
#   recording_at           seconds into the recording, now
#   recording_stop         stops the recorder and the silent stream
#   rms FILE START SECONDS, loudest FILE START SECONDS, tail_rms FILE, above A B   measuring it
#
# A silent stream keeps the sink running, so the monitor delivers every moment, silence included.

recording_silence=""
recording_recorder=""

recording_start() {
    pacat -d nullsink --format=s16le --rate=44100 --channels=2 --latency-msec=20 < /dev/zero &
    recording_silence=$!
    parec --latency-msec=20 -d nullsink.monitor --format=s16le --rate=44100 --channels=2 --file-format=wav "$1" &
    recording_recorder=$!
    recording_t0=""
    local _
    for _ in $(seq 200); do
        if [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -gt 17684 ]; then  # WAV header + 0.1 s
            recording_t0=$(echo "$(date +%s.%N) - 0.1" | bc)
            return 0
        fi
        sleep 0.02
    done
    recording_stop
    return 1
}

recording_at() {
    echo "$(date +%s.%N) - $recording_t0" | bc
}

# Safe to call when nothing is recording (cleanup traps do).
recording_stop() {
    [ -n "$recording_recorder" ] && { kill -INT "$recording_recorder" 2>/dev/null; wait "$recording_recorder" 2>/dev/null; }
    [ -n "$recording_silence" ] && { kill "$recording_silence" 2>/dev/null; wait "$recording_silence" 2>/dev/null; }
    recording_recorder=""
    recording_silence=""
}

# Measuring a recording with sox.
rms() {  # rms FILE START SECONDS
    sox "$1" -n trim "$2" "$3" stat 2>&1 | awk '/RMS +amplitude/ {print $3}'
}
# loudest FILE START SECONDS: the loudest half second in that stretch. The renderer's loop takes a
# whole core, so the sound can stutter; a stutter must not read as silence.
loudest() {
    local best=0 t
    for t in $(awk -v s="$2" -v d="$3" 'BEGIN { for (x = s; x + 0.5 <= s + d + 1e-9; x += 0.5) print x }'); do
        best=$(awk -v a="$best" -v b="$(rms "$1" "$t" 0.5)" 'BEGIN { print (b + 0 > a + 0) ? b : a }')
    done
    echo "$best"
}
# tail FILE: the last 0.8 s of the recording, which goes on 1.5 s after the show (lost samples
# shift absolute times, never the end).
tail_rms() { sox "$1" -n trim -0.8 stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; }
number() { [[ "$1" =~ ^[0-9]+(\.[0-9]+)?$ ]]; }
above() { number "$1" && number "$2" && awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
