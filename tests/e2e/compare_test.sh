#!/usr/bin/env bash
# vek --compare in a terminal, on pairs made here: the same lines as `cmp -l` (converted from its
# 1-based octal), the shorter file's end as cmp says it, cmp's exit statuses; and a search or a
# comparison over a file that another program cuts short meanwhile ends with status 2 and a
# message, never a crash.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=C

a="$WORK/a.bin"
b="$WORK/b.bin"
head -c 3000000 /dev/urandom >"$a"
cp "$a" "$b"

# cmp -l's lines as vek prints them: offsets from 0, bytes as upper-case hex pairs.
cmp_lines() {
  { cmp -l "$1" "$2" 2>/dev/null || true; } | perl -ane 'printf "%d %02X %02X\n", $F[0] - 1, oct($F[1]), oct($F[2])'
}

status=0; out=$("$VEK" --compare "$a" "$b") || status=$?
[[ $status -eq 0 && -z "$out" ]] || fail "the same files: status $status, output '$out'"
echo "PASS the same"

# Differences at the start, across the 1 MiB blocks, at the end.
for at in 0 1048575 1048576 2097151 2999999; do
  printf '\x5A' | dd of="$b" bs=1 seek="$at" conv=notrunc status=none
done
want=$(cmp_lines "$a" "$b")
status=0; got=$("$VEK" --compare "$a" "$b") || status=$?
[[ $status -eq 1 ]] || fail "different files: status $status"
[[ "$got" == "$want" ]] || fail "vek printed '$got', cmp -l '$want'"
status=0; got=$("$VEK" "$b" --hex --compare "$a" --first) || status=$?
[[ $status -eq 1 && "$got" == "0 $(od -An -tx1 -N1 "$b" | tr -d ' ' | tr a-f A-F) $(od -An -tx1 -N1 "$a" | tr -d ' ' | tr a-f A-F)" ]] ||
  fail "--first --hex, the names swapped: status $status, '$got'"
echo "PASS differences: $(wc -l <<<"$got") line with --first, $(wc -l <<<"$want") in all"

# One file shorter: the differences before its end, then cmp's line on standard error.
head -c 2000000 "$b" >"$WORK/short.bin"
status=0; got=$("$VEK" --compare "$a" "$WORK/short.bin" 2>"$WORK/err") || status=$?
[[ $status -eq 1 ]] || fail "a shorter file: status $status"
[[ "$got" == "$(cmp_lines "$a" "$WORK/short.bin")" ]] || fail "a shorter file: the lines differ from cmp -l's"
[[ "$(cat "$WORK/err")" == "vek: EOF on $WORK/short.bin after byte 2000000" ]] || fail "EOF line: $(cat "$WORK/err")"
# A stream on standard input compares as the file would.
status=0; piped=$(cat "$WORK/short.bin" | "$VEK" --compare "$a" - 2>"$WORK/err") || status=$?
[[ $status -eq 1 && "$piped" == "$got" ]] || fail "standard input: status $status"
[[ "$(cat "$WORK/err")" == "vek: EOF on (standard input) after byte 2000000" ]] || fail "EOF line: $(cat "$WORK/err")"
echo "PASS lengths and streams"

status=0; "$VEK" --compare "$a" "$WORK/missing" 2>"$WORK/err" || status=$?
[[ $status -eq 2 ]] || fail "missing file: status $status"
[[ $(cat "$WORK/err") == "vek: $WORK/missing: No such file or directory" ]] || fail "message: $(cat "$WORK/err")"
echo "PASS trouble"

# Cut short while vek looks at it in place: 64 GiB of holes take seconds to scan; the file shrinks
# to 1 MiB a moment after the start.
cut_during() {
  local label=$1 file=$2
  shift 2
  local pid status=0
  "$VEK" "$@" >/dev/null 2>"$WORK/err" &
  pid=$!
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || fail "$label: vek ended before the file was cut"
  truncate -s 1M "$file"
  wait "$pid" || status=$?
  [[ $status -eq 2 ]] || fail "$label: status $status after the file was cut short (a crash by SIGBUS is 135)"
  grep -q "^vek: $file: " "$WORK/err" || fail "$label: message '$(cat "$WORK/err")'"
  echo "PASS $label: status 2, $(cat "$WORK/err")"
}
big="$WORK/big.bin"
truncate -s 64G "$big"
cut_during "--find on a file cut short" "$big" --find VEK-not-there "$big"
other="$WORK/other.bin"
truncate -s 0 "$big"; truncate -s 64G "$big"; truncate -s 64G "$other"
cut_during "--compare with a file cut short" "$other" --compare "$big" "$other"
