# The shell tests' chores, each once; sourced by the end-to-end scripts and the hack's test.

# The waits' deadlines, in microseconds (bash's clock; SECONDS ticks in whole seconds, which would cut
# a one-second wait short by up to a second).
deadline_after() { local now=${EPOCHREALTIME/./}; echo $((now + ${1:-10} * 1000000)); }
past() { local now=${EPOCHREALTIME/./}; [ "$now" -ge "$1" ]; }

# wait_for_window TITLE_REGEX [SECONDS]: prints the X window id of the first window whose title
# matches, once there is one; fails (prints nothing) after SECONDS (10).
wait_for_window() {
    local deadline w
    deadline=$(deadline_after "${2:-10}")
    while :; do
        w=$(xdotool search --name "$1" 2>/dev/null | head -1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        past "$deadline" && return 1
        sleep 0.05
    done
}

# wait_for_no_window TITLE_REGEX [SECONDS]: returns once no window's title matches; fails after
# SECONDS (10).
wait_for_no_window() {
    local deadline
    deadline=$(deadline_after "${2:-10}")
    while xdotool search --name "$1" >/dev/null 2>&1; do
        past "$deadline" && return 1
        sleep 0.05
    done
}

# wait_for_exit PID [SECONDS]: returns once the process has ended; fails after SECONDS (5).
wait_for_exit() {
    local deadline
    deadline=$(deadline_after "${2:-5}")
    while kill -0 "$1" 2>/dev/null; do
        past "$deadline" && return 1
        sleep 0.05
    done
}

# lit_fraction PICTURE REGION: the share of the region's pixels (WxH+X+Y) that are not black.
lit_fraction() { convert "$1" -crop "$2" +repage -colorspace gray -threshold 3% -format '%[fx:mean]' info:; }

# wait_until_lit SECONDS OUT REGION...: screenshots of the whole screen into OUT until more than 5 %
# of every region is lit (a show drawing there); fails after SECONDS, OUT then the last screenshot.
wait_until_lit() {
    local deadline out=$2 r lit; deadline=$(deadline_after "$1"); shift 2
    while :; do
        import -window root "$out"; lit=1
        for r in "$@"; do [ "$(echo "$(lit_fraction "$out" "$r") > 0.05" | bc)" = 1 ] || lit=0; done
        [ "$lit" = 1 ] && return 0
        past "$deadline" && return 1
        sleep 0.1
    done
}

# window_picture WINDOW OUT [TOP]: the window as it is on the screen, less TOP pixels of caption,
# once two captures in a row agree (a window still painting or animating is not taken).
window_picture() {
    local previous=$2.previous.png _ X Y WIDTH HEIGHT
    rm -f "$2" "$previous"
    for _ in $(seq 50); do
        eval "$(xdotool getwindowgeometry --shell "$1")" || return 1
        import -window root -crop "${WIDTH}x$((HEIGHT - ${3:-0}))+${X}+$((Y + ${3:-0}))" +repage "$2" 2>/dev/null
        [ -s "$previous" ] && [ "$(compare -metric AE "$previous" "$2" null: 2>&1)" = 0 ] && break
        cp "$2" "$previous"; sleep 0.2
    done
    rm -f "$previous"
    [ -s "$2" ]
}

# restart_wine [ENV...]: stops the prefix's Wine server and starts a fresh one, warmed up, with the
# given environment (a change to the registry that Wine reads at start takes effect then).
restart_wine() {
    "$@" wineserver -k 2>/dev/null
    "$@" wineserver -w
    "$@" wineserver -p
    "$@" wine cmd /c exit </dev/null >/dev/null 2>&1
    hold_desktop "$@"
}

# fail WHAT: counts a failure and says what it was; finish NAME: the summary line, and the script's
# status (0 when nothing failed).
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish() { echo "$1: $failures failures"; [ "$failures" = 0 ]; }

# winpath PATH: a Linux path as Wine's drive Z: names it.
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }

# scratch NAME: a scratch folder in $work for the script; when it ends, the processes in pids are
# ended, the script's own tidy runs (where it defines one), and the folder goes.
pids=()
scratch() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/lq-$1.XXXXXX")
    trap 'declare -F tidy >/dev/null && tidy; for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
}
