#!/usr/bin/env bash
# The built program in a terminal, without a display: --find agrees with `grep -obUaF`, --dump
# prints the pages, the exit statuses are grep's, --help and --version answer.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=C

file="$WORK/random.bin"
head -c 3000000 /dev/urandom >"$file"
# A marker at the start, across the first 128 KiB seam, and as the last bytes of the file.
for at in 0 131070 2999992; do
  printf 'VEKmark7' | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
done

# grep -o reports non-overlapping matches; these patterns cannot overlap themselves, so both
# tools must print the same offsets.
compare_find() {
  local label=$1 grep_pattern=$2
  shift 2
  local want got status
  want=$(grep -obUaF -- "$grep_pattern" "$file" | cut -d: -f1 || true)
  got=$("$VEK" "$@" "$file") && status=0 || status=$?
  [[ "$got" == "$want" ]] || fail "$label: vek printed $(wc -l <<<"$got") offsets, grep $(wc -l <<<"$want")"
  if [[ -n "$want" ]]; then
    [[ $status -eq 0 ]] || fail "$label: status $status with matches"
  else
    [[ $status -eq 1 ]] || fail "$label: status $status without matches"
  fi
  echo "PASS find $label: $(grep -c . <<<"$got") offsets"
}
compare_find marker VEKmark7 --find VEKmark7
compare_find two-bytes 'q}' --find 'q}'
compare_find hex $'\xC3\xA9' --find-hex 'c3 A9'
compare_find absent 'VEKmark7-not-there' --find 'VEKmark7-not-there'
[[ $("$VEK" --find VEKmark7 "$file" | tail -n 1) == 2999992 ]] || fail "marker at the end not found"

# --dump: one line per 20 bytes; the first line holds the file's first bytes in hex-words.
lines=$("$VEK" --dump "$file" | wc -l)
[[ $lines -eq 150000 ]] || fail "dump has $lines lines, not 150000"
hex=$(od -An -tx1 -N20 "$file" | tr -d ' \n' | tr a-f A-F | sed 's/..../& /g')
first=$("$VEK" --dump --pages 1 "$file" | head -n 1)
[[ "$first" == "      0  $hex "* ]] || fail "first dump line: '$first', hex '$hex'"
# Past the end: the last page, 200 bytes before the end (3000000 - 200 = 0x2DC5F8), as the view shows it.
last=$("$VEK" --dump --hex --start FFFFFFFF "$file" | head -n 1)
[[ "$last" == " 2DC5F8  "* ]] || fail "dump past the end starts with '$last'"
echo "PASS dump: $lines lines"

# Pipes, standard input and files without a size are read as streams.
[[ "$(printf 'MZ\x90' | "$VEK" --dump -)" == "      0  4D5A 90"* ]] || fail "dump of standard input: $(printf 'MZ' | "$VEK" --dump -)"
# Into a file, not straight into head: head leaving early would end vek by SIGPIPE.
"$VEK" --dump /proc/cpuinfo >"$WORK/cpuinfo" || fail "dump of /proc/cpuinfo: status $?"
cpuinfo=$(head -n 1 "$WORK/cpuinfo")
[[ "$cpuinfo" == "      0  "[0-9A-F]* ]] || fail "dump of /proc/cpuinfo starts with '$cpuinfo'"
[[ $("$VEK" --dump --pages 2 /dev/zero | wc -l) -eq 20 ]] || fail "/dev/zero --pages 2 is not 20 lines"
echo "PASS streams"

# Statuses and messages.
status=0; "$VEK" --find x "$WORK/missing" 2>"$WORK/err" || status=$?
[[ $status -eq 2 ]] || fail "missing file: status $status"
[[ $(cat "$WORK/err") == "vek: $WORK/missing: No such file or directory" ]] || fail "message: $(cat "$WORK/err")"
mkfifo "$WORK/fifo"
printf 'axbx' >"$WORK/fifo" &
status=0; found=$(timeout 10 "$VEK" --find x "$WORK/fifo") || status=$?
[[ $status -eq 0 && "$found" == $'1\n3' ]] || fail "FIFO: status $status, found '$found' (124 means it blocked)"
status=0; "$VEK" --find x /dev/null || status=$?
[[ $status -eq 1 ]] || fail "/dev/null: status $status"
status=0; "$VEK" --find 2>/dev/null || status=$?
[[ $status -eq 2 ]] || fail "usage error: status $status"
echo "PASS statuses"

[[ "$("$VEK" --version)" == $'vek 1.0.0.5\nVEK Application' ]] || fail "version: $("$VEK" --version)"
"$VEK" --help | grep -q -- '--find-hex' || fail "help does not mention --find-hex"
echo "PASS help and version"
