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

# steady_addresses COMMAND...: runs COMMAND (the calling script again, with its arguments) with address
# randomisation off, unless it is off already; it then holds for every program started from there.
# Debian's Wine loader is a program at a fixed address (0x7d000000) without Wine's preloader, and Linux
# puts its heap anywhere in the gigabyte above it (seen from 0x7d005000 to 0xbcecd000): now and then on
# 0x7ffe0000, the page every Windows program keeps its shared user data on. Wine then ends the program
# within milliseconds, status 1, saying why only on its "virtual" error channel ("failed to map the
# shared user data"). Without randomisation the heap follows the loader, 47 MB below that page.
steady_addresses() {
    (( 0x$(< /proc/self/personality) & 0x0040000 )) && return 0
    exec setarch "$(uname -m)" -R "$@"
}

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
