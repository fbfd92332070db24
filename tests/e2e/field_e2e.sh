#!/usr/bin/env bash
# The programs on systems other than the lab's Japanese one, end to end:
#  - a Western system (code page 1252, a second Wine prefix) with the programs in a folder named
#    with "é": /s shows the show; an MP3 in a folder named with "ü" is heard; with a Japanese
#    interface the settings dialog looks as it does on the Japanese system; with an English one it
#    speaks English (its buttons, its rows, the missing-renderer message) and is otherwise the same,
#    and a press on the last letter of "None" chooses that row;
#  - on both systems, the programs in a folder named "Łódź ✓", which neither code page spells: /s
#    shows the show, and /c reads and saves the settings (the dialog tests' own folder is named so);
#  - a program folder the user cannot write (a read-only bind mount, as Program Files is for a
#    standard user): Set keeps the choice per user and the next dialog shows it; with the per-user
#    folder refused as well, the user is told and the dialog stays open;
#  - a winmm.dll and a glu32.dll planted beside the programs, with Wine told to prefer a library in
#    the program's folder as Windows does for these: the show and the dialog run, and neither library
#    is loaded.
# Runs inside scripts/with-xvfb, as root (for the mounts). Usage: field_e2e.sh BIN_DIR PLANTED_DIR
set -u
source "$(dirname "$0")/../../scripts/env.sh"
source "$(dirname "$0")/../support/driver.sh"
source "$(dirname "$0")/recording.sh"
bin=$1 planted=$2
mounts=()
cleanup() {
    recording_stop
    for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
    [ -n "${per_user_dir:-}" ] && rm -rf "$per_user_dir"
    [ -n "${read_only:-}" ] && rm -rf "$read_only"
    [ -n "${western:-}" ] && rm -rf "$western/drive_c/Tools" "$western/drive_c/Müsik"
    rm -rf "$WINEPREFIX/drive_c/Tools/Planted"
    WINEPREFIX=$LQ_WESTERN_PREFIX wineserver -k 2>/dev/null
}
trap cleanup EXIT
# one_test FILTER [ENV...]: runs exactly one test of the dialog driver; a filter that matches nothing
# fails.
one_test() {
    local filter=$1 out
    shift
    out=$("$@" wine "$bin/dialog_e2e_tests.exe" --gtest_filter="$filter" 2>&1)
    echo "$out" | grep -a -E '^\[ +(RUN|OK|FAILED) +\]|Failure|Expected|Which is|Value of|Actual'
    echo "$out" | grep -a -q '^\[  PASSED  \] 1 test\.'
}
read_only_mount() {  # read_only_mount DIR: DIR becomes read-only for everyone, root included
    mount --bind "$1" "$1" && mounts=("$1" "${mounts[@]}") && mount -o remount,ro,bind "$1"
}

# --- A Western system -------------------------------------------------------------------------
western=$LQ_WESTERN_PREFIX
[ -f "$western/.lunaquill-prefix-v2" ] || { echo "field_e2e: no Western prefix (scripts/setup)"; exit 1; }
western_env=(env WINEPREFIX="$western" LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8)
restart_wine "${western_env[@]}"
folder="$western/drive_c/Tools/Café"
music="$western/drive_c/Müsik/Menü"
mkdir -p "$folder" "$music"
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$folder/"
sox -q -n -r 44100 -c 2 -b 16 "$music/tone.wav" synth 3 sine 440 vol 0.5
lame --quiet -b 128 "$music/tone.wav" "$music/tone.mp3"
rm "$music/tone.wav"
# The keys are the program's own bytes (code page 932); the path is in the system's code page.
printf '[Section]\r\n%s=2\r\n%s=0\r\n%s=%s\r\n' "$(printf 'BGM区分' | iconv -t CP932)" \
    "$(printf 'BGMﾘﾋﾟｰﾄ' | iconv -t CP932)" "$(printf 'BGMﾌｧｲﾙ' | iconv -t CP932)" \
    "$(printf 'C:\\Müsik\\Menü\\tone.mp3' | iconv -t CP1252)" > "$folder/Lunaquill.ini"
rec=$(mktemp "${TMPDIR:-/tmp}/lq-field.XXXXXX")
recording_start "$rec" || fail "the recording did not start"
# The driver's arguments reach it in the system's code page (Wine converts them from UTF-8).
"${western_env[@]}" wine "$bin/acceptance_driver.exe" show 'C:\Tools\Café' || fail "code page 1252, folder Café: no show"
recording_stop
heard=$(loudest "$rec" 0.5 "$(echo "$(soxi -D "$rec") - 1" | bc)")
rm -f "$rec"
echo "code page 1252: the MP3 in C:\\Müsik\\Menü heard at RMS $heard"
above "$heard" 0.05 || fail "code page 1252: the MP3 in a folder named with ü was not heard"

# dialog_client OUT FOLDER [ENV...]: the settings dialog of FOLDER's programs, its client area as a
# picture (the caption bar is Wine's own, drawn in each system's font).
dialog_client() {
    local out=$1 dir=$2 w
    shift 2
    "$@" wine "$dir/Lunaquill.scr" /c &
    local host=$!
    w=$(wait_for_window '^<Lunaquill>$' 15) && window_picture "$w" "$out" 24
    kill "$host" 2>/dev/null; wait "$host" 2>/dev/null
    [ -s "$out" ]
}
pictures=$(mktemp -d "${TMPDIR:-/tmp}/lq-field-dialog.XXXXXX")
mkdir -p "$western/drive_c/Tools/Dialog" "$pictures/programs"
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$western/drive_c/Tools/Dialog/"
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$pictures/programs/"
# Wine takes the code page from LC_CTYPE and the interface language from LC_MESSAGES.
western_japanese=(env -u LC_ALL WINEPREFIX="$western" LANG=en_US.UTF-8 LC_CTYPE=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8)
if dialog_client "$pictures/1252.png" "$western/drive_c/Tools/Dialog" "${western_japanese[@]}" &&
   dialog_client "$pictures/932.png" "$pictures/programs"; then
    differing=$(compare -metric AE -fuzz 2% "$pictures/932.png" "$pictures/1252.png" null: 2>&1)
    echo "code page 1252: the dialog differs from code page 932's in $differing pixels"
    [ "$differing" = 0 ] || fail "code page 1252: the dialog does not look as on 932"
else
    fail "code page 1252: no dialog to compare"
fi

# An English interface: the buttons (read back from their windows) and the three rows and the track
# label speak English; above the rows and below the panel nothing changes.
for interface in japanese english; do
    envs=("${western_japanese[@]}")
    [ "$interface" = english ] && envs=("${western_env[@]}")
    "${envs[@]}" wine "$bin/acceptance_driver.exe" dialog 'C:\Tools\Dialog' "C:\\Tools\\$interface.bmp" |
        tr -d '\r' | grep 'Lunaquill.Command' | cut -d'"' -f2 | tr '\n' ' ' > "$pictures/$interface.buttons"
done
echo "buttons: Japanese interface: $(cat "$pictures/japanese.buttons")/ English: $(cat "$pictures/english.buttons")"
[ "$(cat "$pictures/japanese.buttons")" = '... \u8A2D\u5B9A \uFF77\uFF6C\uFF9D\uFF7E\uFF99 ' ] ||
    fail "Japanese interface: the buttons say $(cat "$pictures/japanese.buttons")"
[ "$(cat "$pictures/english.buttons")" = '... Save Cancel ' ] || fail "English interface: the buttons say $(cat "$pictures/english.buttons")"
python3 "$(dirname "$0")/../tools/dialog_language.py" "$western/drive_c/Tools/japanese.bmp" \
    "$western/drive_c/Tools/english.bmp" || fail "English interface: the rows are not in English, or more changed"
mkdir -p "$western/drive_c/Tools/Alone"
cp "$bin/Lunaquill.scr" "$western/drive_c/Tools/Alone/"
said=$("${western_env[@]}" wine "$bin/acceptance_driver.exe" message 'C:\Tools\Alone' /s 2>&1 | tr -d '\r' | head -1)
echo "English interface, no renderer: \"$said\""
[ "$said" = "Lunaquill.dll was not found in the same folder!" ] || fail "English interface: the message says \"$said\""
one_test 'EnglishDialogTest.APressOnTheLastLetterOfARowChoosesIt' "${western_env[@]}" ||
    fail "English interface: a press on the last letter of \"None\" did not choose it"
rm -rf "$pictures" "$western/drive_c/Tools/Dialog" "$western/drive_c/Tools/Alone" "$western"/drive_c/Tools/*.bmp

# --- A folder no code page spells --------------------------------------------------------------
for system in 932 1252; do
    prefix=$WINEPREFIX envs=(env)
    [ "$system" = 1252 ] && prefix=$western envs=("${western_japanese[@]}")
    unspelt="$prefix/drive_c/Tools/Łódź ✓"
    mkdir -p "$unspelt"
    cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$unspelt/"
    "${envs[@]}" wine "$bin/acceptance_driver.exe" show 'C:\Tools\Łódź ✓' | tr -d '\r' | sed 's/^/  /'
    [ "${PIPESTATUS[0]}" = 0 ] || fail "code page $system, folder Łódź ✓: no show"
    one_test 'DialogTest.RowsChooseTheSourceWithEitherButtonAndSetWritesIt' "${envs[@]}" ||
        fail "code page $system, folder Łódź ✓: the settings were not read or saved"
    rm -rf "$unspelt"
done
"${western_env[@]}" wineserver -k

# --- A program folder the user cannot write ---------------------------------------------------
read_only="$WINEPREFIX/drive_c/Program Files/Lunaquill"
mkdir -p "$read_only"
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$read_only/"
read_only_mount "$read_only" || { echo "field_e2e: cannot mount $read_only read-only (needs root)"; exit 1; }
touch "$read_only/probe" 2>/dev/null && fail "the program folder is still writable"
app_data=$(wine cmd /c echo '%APPDATA%' </dev/null 2>/dev/null | tr -d '\r')
per_user_dir=$(winepath -u "$app_data\\Lunaquill" 2>/dev/null)
[ -n "$app_data" ] && [ -n "$per_user_dir" ] || { echo "field_e2e: no %APPDATA%"; exit 1; }
rm -rf "$per_user_dir"
export LQ_READ_ONLY_FOLDER='C:\Program Files\Lunaquill' LQ_PER_USER_INI="$app_data\\Lunaquill\\Lunaquill.ini"
one_test 'ReadOnlyFolderTest.SetKeeps*' || fail "read-only folder: Set"
mkdir -p "$per_user_dir"
read_only_mount "$per_user_dir" || fail "cannot mount the per-user folder read-only"
one_test 'ReadOnlyFolderTest.WithNoPlace*' || fail "no place to keep the settings"

# --- Libraries planted beside the programs -----------------------------------------------------
folder="$WINEPREFIX/drive_c/Tools/Planted"
mkdir -p "$folder"
cp "$bin/Lunaquill.scr" "$bin/Lunaquill.dll" "$planted/winmm.dll" "$planted/glu32.dll" "$folder/"
prefer_planted=(env WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winmm,glu32=n,b")
"${prefer_planted[@]}" wine "$bin/acceptance_driver.exe" show 'C:\Tools\Planted' | tr -d '\r' | sed 's/^/  /'
[ "${PIPESTATUS[0]}" = 0 ] || fail "planted libraries: no show"
"${prefer_planted[@]}" wine "$bin/acceptance_driver.exe" dialog 'C:\Tools\Planted' 'C:\Tools\Planted\dialog.bmp' >/dev/null ||
    fail "planted libraries: no dialog"
loaded=$(cd "$folder" && ls ./*.loaded 2>/dev/null)
[ -z "$loaded" ] || fail "planted libraries were loaded: $loaded"

finish "field"
