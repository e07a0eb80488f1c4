#!/usr/bin/env bash
# A burst of checked, journaled edits killed with SIGKILL at random moments, several times over;
# then `vek --undo --all` must give the file back byte for byte (sha256 equal), whatever moment
# each kill hit: between a journal record and its write, in the middle of a write, or between two
# edits. No display needed. The burst is tests/tools/EditBurst.cpp, built next to vek.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
BURST=${VEK_EDIT_BURST:-$(dirname "$VEK")/vek_edit_burst}
[[ -x "$BURST" ]] || fail "no edit burst program at $BURST (build the target vek_edit_burst)"

export HOME="$WORK/home" XDG_STATE_HOME="$WORK/state"
file="$WORK/data.bin"
head -c 65536 /dev/urandom >"$file"
want=$(sha256sum <"$file")

# The journal keeps at least its newest 5000 records and at most 10000 (two files of 5000): the
# bursts together stay below 10000 writes, so that no record is forgotten and --undo --all can give
# every byte back. A fast machine may finish a burst before its kill; at least one must be killed.
rounds=6
per_burst=1600
kills=0
for round in $(seq "$rounds"); do
  "$BURST" "$file" "$per_burst" "$round$RANDOM" 2>"$WORK/burst.log" &
  pid=$!
  # 20 to 200 ms: long enough for a good number of edits, short enough that the kill lands mid-burst.
  sleep "0.$(printf '%03d' $((20 + RANDOM % 180)))"
  kill -9 "$pid" 2>/dev/null || true
  status=0
  wait "$pid" 2>/dev/null || status=$?
  # 128 + 9: killed; 0: it had already ended (a burst that ended on its own is reaped only here).
  case $status in
    137) kills=$((kills + 1)) ;;
    0) ;;
    *) fail "the burst failed with status $status: $(cat "$WORK/burst.log")" ;;
  esac
done
[[ $kills -ge 1 ]] || fail "every burst of $per_burst writes ended before its kill"

records=$(cat "$XDG_STATE_HOME"/vek/journal* | wc -l)
[[ $records -ge $rounds ]] || fail "only $records journal records after $rounds bursts"
[[ $(sha256sum <"$file") != "$want" ]] || fail "the bursts changed nothing"
listed=$("$VEK" --history "$file" | wc -l)
[[ $listed -eq $records ]] || fail "--history lists $listed writes, the journal holds $records"
echo "PASS $kills of $rounds bursts killed with SIGKILL: $records writes recorded and listed"

status=0
"$VEK" --undo --all >"$WORK/undo.out" 2>"$WORK/undo.err" || status=$?
[[ $status -eq 0 ]] || fail "--undo --all: status $status: $(tail -n 3 "$WORK/undo.err")"
[[ $(sha256sum <"$file") == "$want" ]] || fail "--undo --all did not restore the file"
# What a kill between a record and its write leaves: a write that never happened, passed over.
passed=$(grep -c "there is nothing to undo there" "$WORK/undo.err" || true)
[[ $passed -le $rounds ]] || fail "$passed writes passed over, more than one a kill: $(head -n 3 "$WORK/undo.err")"
echo "PASS --undo --all restored the file (sha256 equal), $(wc -l <"$WORK/undo.out") undone, $passed passed over"

status=0
"$VEK" --undo --all >/dev/null 2>&1 || status=$?
[[ $status -eq 1 ]] || fail "a second --undo --all: status $status, not 1 (nothing to undo)"
echo "PASS nothing left to undo"
