#!/usr/bin/env bash
# The installer end to end, in a fresh Wine prefix that has never seen Lunaquill: the silent install
# puts both programs in the system folder and its registry values in place; the installed
# Lunaquill.scr /s shows the show and ends on Escape; /c and Set keep the choice; an install over the
# running dialog waits for it; an install over an install keeps the settings; the silent uninstall
# leaves no file and no value of ours (and nothing it did not install), with SCRNSAVE.EXE reset.
# Runs inside scripts/with-xvfb.   installer_e2e.sh SETUP_EXE DRIVER_EXE
set -u
source "$(dirname "$0")/../../scripts/env.sh"
setup=$1 driver=$2
[ -f "$setup" ] || { echo "installer_e2e: no $setup (make dist)"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
fresh=$(mktemp -d "${TMPDIR:-/tmp}/lq-installer.XXXXXX")
export WINEPREFIX=$fresh/prefix
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wineserver -k 2>/dev/null; rm -rf "$fresh"; }
trap cleanup EXIT

started=$(date +%s)
# Made without a display, as scripts/wineprefix does (with one, Wine's desktop would keep it busy).
( unset DISPLAY; wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1; wineserver -w )
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
echo "fresh prefix ready in $(( $(date +%s) - started )) s"
system=$WINEPREFIX/drive_c/windows/system32
app="$WINEPREFIX/drive_c/Program Files/Lunaquill"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lunaquill'
desktop_key='HKCU\Control Panel\Desktop'
# value KEY NAME: the data of a registry value, empty when there is none.
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -nE "s/^ +$2 +REG_[A-Z_]+ +//p"; }
expect_value() {  # expect_value KEY NAME DATA
    local got; got=$(value "$1" "$2")
    [ "$got" = "$3" ] || fail "$2 is \"$got\", not \"$3\""
}

# --- Silent install --------------------------------------------------------------------------
wine "$setup" /S || fail "the silent install failed ($?)"
for f in Lunaquill.scr Lunaquill.dll; do
    [ -f "$system/$f" ] || fail "no $f in the system folder"
done
[ -f "$app/Uninstall.exe" ] && [ -f "$app/README.txt" ] || fail "no uninstaller and guide in $app"
expect_value "$uninstall_key" DisplayName Lunaquill
expect_value "$uninstall_key" DisplayVersion 1.1.0
expect_value "$uninstall_key" Publisher r-koda
expect_value "$uninstall_key" DisplayIcon 'C:\windows\system32\Lunaquill.scr,0'
expect_value "$uninstall_key" UninstallString '"C:\Program Files\Lunaquill\Uninstall.exe"'
size=$(value "$uninstall_key" EstimatedSize)
[ -n "$size" ] && [ $((size)) -gt 500 ] || fail "EstimatedSize is \"$size\""
expect_value "$desktop_key" SCRNSAVE.EXE 'C:\windows\system32\Lunaquill.scr'
expect_value "$desktop_key" ScreenSaveActive 1
echo "installed: $(ls "$system" | grep -c '^Lunaquill\.') programs in system32, size $((size)) KiB"

# --- The installed screen saver --------------------------------------------------------------
wine "$driver" show 'C:\windows\system32' || fail "the installed show"
tone=$fresh/tone.mp3
sox -q -n -r 44100 -c 2 -b 16 "$fresh/tone.wav" synth 1 sine 440 vol 0.5 && lame --quiet -b 128 "$fresh/tone.wav" "$tone"
wine "$driver" configure 'C:\windows\system32' "Z:$(echo "$tone" | tr / '\\')" || fail "the installed dialog"
app_data=$(wine cmd /c echo '%APPDATA%' </dev/null 2>/dev/null | tr -d '\r')
per_user=$(winepath -u "$app_data\\Lunaquill\\Lunaquill.ini" 2>/dev/null)
kept=""
for ini in "$system/Lunaquill.ini" "$per_user"; do [ -f "$ini" ] && kept=$ini; done
[ -n "$kept" ] && grep -q "tone.mp3" "$kept" || fail "Set kept the choice nowhere"
cp "$kept" "$fresh/settings"

# --- Installing over the open dialog, then over the install ----------------------------------
wine "$system/Lunaquill.scr" /c & dialog=$!; pids+=("$dialog")
for _ in $(seq 200); do xdotool search --name '^<Lunaquill>$' >/dev/null 2>&1 && break; sleep 0.05; done
wine "$setup" /S & installer=$!; pids+=("$installer")
sleep 4
kill -0 "$installer" 2>/dev/null || fail "the installer did not wait for the open dialog"
kill "$dialog"; wait "$dialog" 2>/dev/null
waited=0
while kill -0 "$installer" 2>/dev/null && [ $waited -lt 30 ]; do sleep 1; waited=$((waited + 1)); done
wait "$installer"; rc=$?
[ "$rc" = 0 ] || fail "the install after the dialog closed failed ($rc)"
cmp -s "$kept" "$fresh/settings" || fail "installing again changed the settings"
echo "install over the open dialog waited, then finished in $waited s"

# --- Silent uninstall ------------------------------------------------------------------------
echo "not ours" > "$app/notes.txt"
wine "$app/Uninstall.exe" /S || fail "the silent uninstall failed"
# The uninstaller runs from a copy of itself, so it may still be at work when the command returns;
# removing itself is the last thing it does.
for _ in $(seq 60); do [ -f "$app/Uninstall.exe" ] || break; sleep 0.5; done
left=$(ls "$system" | grep -i '^Lunaquill' ; [ -f "$per_user" ] && echo "$per_user")
[ -z "$left" ] || fail "left after the uninstall: $left"
[ -f "$app/Uninstall.exe" ] && fail "the uninstaller is still there"
[ -f "$app/notes.txt" ] || fail "the uninstaller removed a file it did not install"
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
[ -z "$(value "$desktop_key" SCRNSAVE.EXE)" ] || fail "SCRNSAVE.EXE still names Lunaquill"

echo "installer: $failures failures"
[ "$failures" = 0 ]
