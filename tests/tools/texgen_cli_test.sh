#!/usr/bin/env bash
# texgen from the command line: bad input gets a message naming the problem and where, a non-zero
# exit, and no output file; good input round-trips between the byte and text forms.
set -u
texgen=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect_error NAME PATTERN ARGS...: non-zero exit, message matching PATTERN, no file at $work/out.*
expect_error() {
    local name=$1 pattern=$2; shift 2
    rm -f "$work"/out.*
    if "$texgen" "$@" 2>"$work/err"; then fail "$name: exit code 0"; fi
    grep -qE "$pattern" "$work/err" || fail "$name: message '$(cat "$work/err" | head -1)' does not match '$pattern'"
    ls "$work"/out.* >/dev/null 2>&1 && fail "$name: an output file was written"
}

printf 'Fill 0 200 0 0 0 0 0 0\nBlur 0 1 2 3 4 5 6 7\n' > "$work/unknown.txt"
expect_error "unknown operation" "line 2: unknown operation 'Blur'" "$work/unknown.txt" "$work/out.ppm"

printf '# comment\n\nSineWarp 0 2 1 32 300 16 48 0\n' > "$work/range.txt"
expect_error "parameter out of range" "line 3: parameter P4 is 300, outside 0..255" "$work/range.txt" "$work/out.png"

printf 'Fill 0 200 0\n' > "$work/short.txt"
expect_error "missing parameters" "line 1: expected 8 parameters" "$work/short.txt" "$work/out.ppm"

printf '\005\003\000\377\000\000\000\000\000\000\003\001' > "$work/truncated.bin"
expect_error "truncated bytes" "needs 46 bytes but there are 12; record 2 at byte offset 10" "$work/truncated.bin" "$work/out.ppm"

expect_error "missing file" "cannot read .*/nothing.txt" "$work/nothing.txt" "$work/out.ppm"
printf 'Fill 0 1 0 0 0 0 0 0\n' > "$work/ok.txt"
expect_error "unwritable output" "cannot write" "$work/ok.txt" "$work/no/such/dir/out.ppm"
expect_error "unwritable folder" "cannot write" --builtin "$work/no/such/dir"
expect_error "bad output type" "must end in .ppm or .png" "$work/ok.txt" "$work/out.bmp"
expect_error "bad builtin number" "1 to 5" --print-builtin 6

# Warnings for records the interpreter skips, but the image is still written.
printf 'Fill 64 1 0 0 0 0 0 0\nFill 3 1 0 0 0 0 0 0\n' > "$work/skipped.txt"
"$texgen" "$work/skipped.txt" "$work/out.ppm" 2>"$work/err" || fail "skipped records: non-zero exit"
grep -q "record 1 (line 1): target layer is 4 or more" "$work/err" || fail "no warning for layer 4"
grep -q "record 2 (line 2): channel is 3 or more" "$work/err" || fail "no warning for channel 3"

# Round trip: built-in script -> text -> image equals the built-in image.
"$texgen" --builtin "$work" || fail "--builtin"
for n in 1 2 3 4 5; do
    "$texgen" --print-builtin $n > "$work/s$n.txt" || fail "--print-builtin $n"
    "$texgen" --text "$work/s$n.txt" "$work/t$n.ppm" 2>/dev/null || fail "text script $n"
    cmp -s "$work/$n.ppm" "$work/t$n.ppm" || fail "script $n: text form gives another image"
done
head -c 196623 "$work/1.ppm" | head -c 15 | grep -q "^P6" || fail "not a P6 file"

echo "texgen command line: $failures failures"
[ "$failures" = 0 ]
