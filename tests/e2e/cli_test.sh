#!/usr/bin/env bash
# The built program in a terminal, without a display: --find agrees with `grep -obUaF` (and with
# -i, `grep -obUaiF`), --count with the lines --find prints, --dump prints the pages, in colour on
# a terminal only, the exit statuses are grep's, --help and --version answer.
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
  want=$(grep "${grep_flags:--obUaF}" -- "$grep_pattern" "$file" | cut -d: -f1 || true)
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
# The marker in other cases, at the second 128 KiB seam and in the middle.
for at in 262140 1500000; do
  printf 'vekMARK7' | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
done
grep_flags=-obUaiF compare_find ignore-case VEKmark7 -i --find vekmark7
grep_flags=-obUaiF compare_find ignore-case-two-bytes 'q}' --ignore-case --find 'Q}'
# --count: the number of lines --find prints, and the same status.
for pattern in VEKmark7 'q}' not-there; do
  count=$("$VEK" --find "$pattern" --count "$file") && status=0 || status=$?
  lines=$("$VEK" --find "$pattern" "$file" | grep -c . || true)
  [[ "$count" == "$lines" ]] || fail "--count of $pattern: $count, --find printed $lines lines"
  [[ $status -eq $((lines > 0 ? 0 : 1)) ]] || fail "--count of $pattern: status $status"
done
echo "PASS count"
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

# Colour on a terminal (script(1) gives the dump one) unless NO_COLOR says no; never into a pipe
# unless asked; without colour the very same text.
plain=$("$VEK" --dump --pages 1 "$file")
on_terminal() { script -qec "$*" /dev/null | tr -d '\r'; }
[[ $(on_terminal "'$VEK' --dump --pages 1 '$file'") == *$'\e['3?m* ]] || fail "no colour on a terminal"
[[ $(NO_COLOR=1 on_terminal "'$VEK' --dump --pages 1 '$file'") == "$plain" ]] || fail "colour on a terminal despite NO_COLOR"
[[ $(on_terminal "'$VEK' --dump --color=never --pages 1 '$file'") == "$plain" ]] || fail "colour with --color=never"
[[ $("$VEK" --dump --pages 1 --color "$file") == "$plain" ]] || fail "colour into a pipe with --color (auto)"
colored=$(NO_COLOR=1 "$VEK" --dump --pages 1 --color=always "$file")
[[ $(sed 's/\x1b\[[0-9;]*m//g' <<<"$colored") == "$plain" ]] || fail "--color=always changes the text"
[[ "$colored" != "$plain" ]] || fail "no colour with --color=always"
echo "PASS colour"

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
for switch in --find-hex --count --ignore-case --color; do
  "$VEK" --help | grep -q -- "$switch" || fail "help does not mention $switch"
done
echo "PASS help and version"
