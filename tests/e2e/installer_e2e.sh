#!/usr/bin/env bash
# The installer end to end, in a fresh Wine prefix that has never seen Lunaquill: the silent install
# puts both programs in the system folder and its registry values in place, and tells Windows that
# the screen saver is on; the installed Lunaquill.scr /s shows the show and ends on Escape; /c and Set
# keep the choice; an install over the running dialog or over an open preview waits for it; an install
# over an install keeps the settings; a release signed with a throw-away certificate carries a
# signature on both programs, the uninstaller and the installer; the silent uninstall leaves no file
# and no value of ours (and nothing it did not install) and gives the user back the screen saver
# they had, unless they have chosen another since.
# It speaks Japanese to a Japanese user and English to everyone else (a German one included).
# Runs inside scripts/with-xvfb.   installer_e2e.sh SETUP_EXE DRIVER_EXE
set -u
source "$(dirname "$0")/../../scripts/env.sh"
source "$(dirname "$0")/../support/driver.sh"
setup=$1 driver=$2
[ -f "$setup" ] || { echo "installer_e2e: no $setup (make dist)"; exit 1; }
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

version=${setup##*/Lunaquill-}
version=${version%-setup.exe}

# told COMMAND...: runs COMMAND and checks that Windows was told of the screen saver's on/off state
# (WM_SETTINGCHANGE for SPI_SETSCREENSAVEACTIVE).
told() {
    rm -f "$fresh/told"
    wine "$driver" hear-setting 60 > "$fresh/told" & local listener=$!; pids+=("$listener")
    for _ in $(seq 100); do grep -q listening "$fresh/told" 2>/dev/null && break; sleep 0.1; done
    "$@" || fail "$* failed ($?)"
    wait "$listener" || fail "$* did not tell Windows of the screen saver's state"
}
# uninstall: the silent uninstall, which runs from a copy of itself and so may still be at work when
# the command returns; removing itself is the last thing it does.
uninstall() {
    wine "$app/Uninstall.exe" /S || return 1
    for _ in $(seq 60); do [ -f "$app/Uninstall.exe" ] || break; sleep 0.5; done
}

# --- The installer's language: the user's where it speaks it, else English ---------------------
# installer_title LANGUAGE: the title of the installer's first page for a user interface in that
# language (Wine takes it from LC_MESSAGES); the installer is closed before it does anything.
installer_title() {
    local w title=""
    env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE="${LC_CTYPE:-ja_JP.UTF-8}" LC_MESSAGES="$1" wine "$setup" & local run=$!
    w=$(wait_for_window "^Lunaquill $version" 30) && title=$(xdotool getwindowname "$w")
    kill "$run" 2>/dev/null; wait "$run" 2>/dev/null
    wait_for_no_window "^Lunaquill $version" 5
    echo "$title"
}
for case in "ja_JP.UTF-8|Lunaquill $version セットアップ" "en_US.UTF-8|Lunaquill $version Setup" \
            "de_DE.UTF-8|Lunaquill $version Setup"; do
    said=$(installer_title "${case%%|*}")
    echo "installer for a ${case%%|*} interface: \"$said\""
    [ "$said" = "${case#*|}" ] || fail "for a ${case%%|*} interface the installer is titled \"$said\", not \"${case#*|}\""
done

# --- Silent install, where the user had another screen saver, on ------------------------------
wine reg add "$desktop_key" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\Ribbons.scr' /f >/dev/null 2>&1
wine reg add "$desktop_key" /v ScreenSaveActive /t REG_SZ /d 1 /f >/dev/null 2>&1
told wine "$setup" /S
[ "$(wine "$driver" screen-saver-active | tr -d '\r')" = 1 ] || fail "SPI_GETSCREENSAVEACTIVE is off after the install"
for f in Lunaquill.scr Lunaquill.dll; do
    [ -f "$system/$f" ] || fail "no $f in the system folder"
done
[ -f "$app/Uninstall.exe" ] && [ -f "$app/README.txt" ] && [ -f "$app/LICENSE.txt" ] ||
    fail "no uninstaller, guide and licence in $app"
expect_value "$uninstall_key" DisplayName Lunaquill
expect_value "$uninstall_key" DisplayVersion "$version"
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
wait_for_window '^<Lunaquill>$' 15 >/dev/null || fail "no settings dialog to install over"
wine "$setup" /S & installer=$!; pids+=("$installer")
sleep 4
kill -0 "$installer" 2>/dev/null || fail "the installer did not wait for the open dialog"
kill "$dialog"; wait "$dialog" 2>/dev/null
start=$SECONDS; wait_for_exit "$installer" 30; waited=$((SECONDS - start))
wait "$installer"; rc=$?
[ "$rc" = 0 ] || fail "the install after the dialog closed failed ($rc)"
cmp -s "$kept" "$fresh/settings" || fail "installing again changed the settings"
echo "install over the open dialog waited, then finished in $waited s"

# --- Installing over an open preview ----------------------------------------------------------
# The preview is a child of the display settings' window, out of FindWindow's reach; on Windows its
# program's file cannot be written while it runs, which Wine does not do: the driver keeps the file
# from writing as Windows would.
wine "$driver" hold-preview 'C:\windows\system32' 5 > "$fresh/preview" & holder=$!; pids+=("$holder")
for _ in $(seq 100); do grep -q 'preview open' "$fresh/preview" && break; sleep 0.1; done
grep -q 'preview open' "$fresh/preview" || fail "no preview to install over"
wine "$setup" /S & installer=$!; pids+=("$installer")
sleep 3
kill -0 "$installer" 2>/dev/null || fail "the installer did not wait for the open preview"
wait "$holder" || fail "the preview: $(cat "$fresh/preview")"
start=$SECONDS; wait_for_exit "$installer" 30; waited=$((SECONDS - start))
wait "$installer" || fail "the install after the preview closed failed"
echo "install over the open preview waited, then finished in $waited s"

# --- A signed release, installed over the install --------------------------------------------
# A throw-away code-signing certificate; make dist signs with it into a folder of the test's own.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$fresh/key.pem" -out "$fresh/cert.pem" -days 2 \
    -subj "/CN=Lunaquill test signing" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$fresh/key.pem" -in "$fresh/cert.pem" -out "$fresh/sign.p12" -passout pass:lq-test
LUNAQUILL_SIGN_P12=$fresh/sign.p12 LUNAQUILL_SIGN_PASS=lq-test LUNAQUILL_DIST_DIR=$fresh/signed \
    "$LQ_ROOT/scripts/dist" | tee "$fresh/dist.out" | sed 's/^/  /'
grep -q 'will expire with the certificate' "$fresh/dist.out" || fail "make dist did not say the signatures expire"
mkdir -p "$fresh/zip" "$fresh/unsigned"
unzip -q "$fresh/signed/Lunaquill-$version-win64.zip" -d "$fresh/zip"
wine "$fresh/signed/Lunaquill-$version-setup.exe" /S || fail "the signed install failed"
for f in "$fresh/zip/Lunaquill.scr" "$fresh/zip/Lunaquill.dll" "$app/Uninstall.exe" \
         "$fresh/signed/Lunaquill-$version-setup.exe"; do
    osslsigncode verify -CAfile "$fresh/cert.pem" -in "$f" >"$fresh/verify" 2>&1 ||
        fail "no valid signature on ${f##*/}: $(tail -3 "$fresh/verify")"
done
# The signed programs are the unsigned ones once their signatures are taken off (the PE checksum and
# the padding to 8 bytes are the signature's).
unzip -q "${setup%-setup.exe}-win64.zip" -d "$fresh/unsigned"
bare() { python3 -c 'import struct,sys
b=bytearray(open(sys.argv[1],"rb").read()); pe=struct.unpack_from("<I",b,0x3c)[0]
struct.pack_into("<I",b,pe+24+64,0); sys.stdout.buffer.write(bytes(b).rstrip(b"\0"))' "$1"; }
for f in Lunaquill.scr Lunaquill.dll; do
    osslsigncode remove-signature -in "$fresh/zip/$f" -out "$fresh/$f.removed" >/dev/null
    cmp -s <(bare "$fresh/$f.removed") <(bare "$fresh/unsigned/$f") || fail "$f signed differs from unsigned"
done
echo "signed: Lunaquill.scr, Lunaquill.dll, Uninstall.exe and the installer verify"

# --- Silent uninstall ------------------------------------------------------------------------
echo "not ours" > "$app/notes.txt"
told uninstall
left=$(ls "$system" | grep -i '^Lunaquill' ; [ -f "$per_user" ] && echo "$per_user")
[ -z "$left" ] || fail "left after the uninstall: $left"
[ -f "$app/Uninstall.exe" ] && fail "the uninstaller is still there"
[ -f "$app/notes.txt" ] || fail "the uninstaller removed a file it did not install"
[ -f "$app/LICENSE.txt" ] && fail "the uninstaller left the licence"
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
expect_value "$desktop_key" SCRNSAVE.EXE 'C:\windows\system32\Ribbons.scr'
expect_value "$desktop_key" ScreenSaveActive 1
wine reg query 'HKCU\Software\Lunaquill' >/dev/null 2>&1 && fail "the uninstaller left its record"
echo "uninstalled: the user's own screen saver is back, on"

# --- Once more where the screen saver was off; the user picks another before the uninstall -------
wine reg delete "$desktop_key" /v SCRNSAVE.EXE /f >/dev/null 2>&1
wine reg add "$desktop_key" /v ScreenSaveActive /t REG_SZ /d 0 /f >/dev/null 2>&1
[ "$(wine "$driver" screen-saver-active | tr -d '\r')" = 0 ] || fail "the screen saver was on before"
told wine "$setup" /S
[ "$(wine "$driver" screen-saver-active | tr -d '\r')" = 1 ] || fail "the install did not turn the screen saver on"
expect_value "$desktop_key" SCRNSAVE.EXE 'C:\windows\system32\Lunaquill.scr'
wine reg add "$desktop_key" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\Bubbles.scr' /f >/dev/null 2>&1
uninstall || fail "the second uninstall failed"
expect_value "$desktop_key" SCRNSAVE.EXE 'C:\windows\system32\Bubbles.scr'
expect_value "$desktop_key" ScreenSaveActive 1
echo "uninstalled after the user chose another screen saver: that choice kept"

finish "installer"
