# Sourced by the other scripts: the project's own Wine prefix, quiet Wine, and a Japanese code page.
LQ_ROOT=${LQ_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export LQ_ROOT
export WINEPREFIX=${LQ_WINEPREFIX:-$LQ_ROOT/.wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
# Wine picks code page 932 only from a generated ja_JP locale; LC_ALL makes sure nothing overrides it.
# LQ_LOCALE=en_US.UTF-8 (with LQ_WINEPREFIX=$LQ_ROOT/.wine-1252) gives a Western system, code page 1252.
export LANG=${LQ_LOCALE:-ja_JP.UTF-8} LC_ALL=${LQ_LOCALE:-ja_JP.UTF-8}
# The second prefix: a Western system, for the tests of what users of other code pages meet.
export LQ_WESTERN_PREFIX=$LQ_ROOT/.wine-1252

# press_escape WINDOW: holds Escape for 100 ms as a real key press (XTEST). Keys sent to one window
# with XSendEvent leave the key down in Wine's key state once that window is gone, and the next
# program then sees Escape held.
press_escape() {
    xdotool windowfocus --sync "$1" 2>/dev/null
    xdotool keydown Escape 2>/dev/null
    sleep 0.1
    xdotool keyup Escape 2>/dev/null
}

# hold_desktop [ENV...]: keeps the prefix's desktop (explorer.exe) until its Wine server is stopped.
# Wine ends the desktop process a second after the last program that used it has ended, and every
# later program then starts a desktop of its own (a second more each) that ends with it; a program
# that starts while one is going away may find no desktop to make its windows on. An idle command
# prompt, reading from a pipe nobody writes, keeps the one desktop in use, as Windows always has one.
hold_desktop() {
    (
        pipe=$(mktemp -u "${TMPDIR:-/tmp}/lq-desktop.XXXXXX") && mkfifo "$pipe" && exec 3<>"$pipe" && rm -f "$pipe" &&
            exec "$@" wine cmd <&3 >/dev/null 2>&1
    ) &
}
