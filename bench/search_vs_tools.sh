#!/usr/bin/env bash
# Times vek against other tools on one cached file, the tools taking turns, 5 rounds each.
#
#   bench/search_vs_tools.sh [DIR]          the file search against grep, ripgrep and cat
#   bench/search_vs_tools.sh --dump [DIR]   the terminal dump against xxd, hexyl, hexdump and od
#   bench/search_vs_tools.sh --states [DIR] the search in both states of the page cache, with the floor
#   bench/search_vs_tools.sh --compare [DIR] vek --compare against cmp, cmp -l and cat
#
# DIR holds the test file (default: a new temporary directory, removed afterwards).
#
# The search, median of 5 each: Find (bench_core_search_file: the program's search through its
# file layer, on every core and on one) against ripgrep, grep and cat on a 1 GiB file of random
# bytes, cached, with an 8-byte marker 4 KiB before its end; the marker 1 MiB from the start;
# the file evicted from the cache before each run; an 8 GiB sparse file; and `vek --find` with a
# match at every byte (VEK_BEFORE=path/to/an/older/vek adds that program for comparison).
# The programs are $VEK_BUILD/bench/bench_core_search_file (VEK_BUILD defaults to ./build) and
# $VEK (default build/vek); build them with
#   cmake -S . -B build -G Ninja && cmake --build build -j2 --target bench_core_search_file vek
#
# The page cache's two states (--states): a search of a cached file differs by 2 x between them. The
# file's pages read from disk (evicted with posix_fadvise DONTNEED by dd's nocache, then read once
# by cat) sit in large folios, which a mapping takes almost for free; pages that came from writing
# the file (a fresh copy, written before each run) cost a fault per page when mapped. In each
# state, median of 5: the search through the program's file layer (mapped; "vek-pread" with
# VEK_SEARCH_MAP=0, the copying reads of before), ripgrep, cat, and the floor of any scan,
# $VEK_BUILD/bench/scan_limit (the file mapped and every 64-bit word ORed, on 2 threads and on 1).
#
# The compare (--compare), the files' pages read from disk before each run: `vek --compare`, cmp,
# `cmp -l` and `cat A B` on two 1 GiB files that differ only 4 KiB before the end, and on two
# 100 MB files with a difference every 100 bytes (vek's lines checked against cmp -l's, its 1-based
# octal converted), with the peak resident size of each vek run.
#
# The dump: 100 MiB of random bytes printed to /dev/null as text, median of 5, with the ratio of each
# tool's time to xxd's. The program is $VEK (default: build/vek). hexyl is timed when installed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

mode=search
case "${1:-}" in
--dump) mode=dump; shift ;;
--states) mode=states; shift ;;
--compare) mode=compare; shift ;;
esac

use_dir "${1:-}"

need() {
  for tool in "$@"; do
    if [[ "$tool" == rg ]] && ! command -v rg >/dev/null; then
      echo "installing ripgrep ..." >&2
      sudo=()
      [[ $(id -u) -ne 0 ]] && sudo=(sudo)
      "${sudo[@]}" apt-get install -y -qq ripgrep >&2 || true
    fi
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
  done
}

# from_disk FILE...: the files' pages as a person's files usually are, read from disk once.
from_disk() {
  for f in "$@"; do
    dd if="$f" iflag=nocache count=0 status=none
    cat "$f" >/dev/null
  done
}

# write_random FILE BYTES: the file of random bytes, kept when it is already there.
write_random() {
  if [[ ! -f "$1" || $(stat -c %s "$1") -ne $2 ]]; then
    echo "writing $1 ..."
    head -c "$2" /dev/urandom >"$1"
  fi
}

# time_turns NAME...: 5 rounds of `run NAME`, output to /dev/null, for each name in turn, each
# after `prepare NAME` when that is defined; times[NAME] gets each round's seconds.
declare -A times
times_rounds=(1 2 3 4 5)
time_turns() {
  for _ in "${times_rounds[@]}"; do
    for name in "$@"; do
      if declare -F prepare >/dev/null; then prepare "$name"; fi
      local start=$EPOCHREALTIME
      run "$name" >/dev/null
      local end=$EPOCHREALTIME
      times[$name]+="$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') "
    done
  done
}
median() { tr ' ' '\n' <<<"${times[$1]}" | grep . | sort -g | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

# table TITLE NAME...: the median of each name's rounds, with its ratio to the first name's.
table() {
  local title=$1
  shift
  echo "$title, median of ${#times_rounds[@]} (seconds):"
  local first
  first=$(median "$1")
  for name in "$@"; do
    awk -v n="$name" -v t="$(median "$name")" -v f="$first" -v all="${times[$name]}" 'BEGIN {
      printf "  %-10s %7.3f s   vek/this %5.2f   rounds: %s\n", n, t, f / t, all }'
  done
}

search() {
  local search_bin="${VEK_BUILD:-build}/bench/bench_core_search_file"
  local vek="${VEK:-build/vek}"
  for program in "$search_bin" "$vek"; do
    [[ -x "$program" ]] || { echo "missing $program: build it first, or set VEK_BUILD and VEK" >&2; exit 2; }
  done
  need grep rg cat dd
  local file="$dir/vek-search-1g.bin" marker="VEKmark7" size=$((1 << 30))
  local marker_at=$((size - 4096))
  write_random "$file" "$size"
  printf '%s' "$marker" | dd of="$file" bs=1 seek="$marker_at" conv=notrunc status=none

  # Random bytes may hold the marker by chance only with negligible probability; check anyway that
  # every tool finds exactly the planted one.
  local found
  found="$("$search_bin" "$file" "$marker")"
  [[ "$found" == "$marker_at" ]] || { echo "vek found '$found', expected $marker_at" >&2; exit 1; }
  [[ "$(grep -c -F -a "$marker" "$file")" == 1 ]] || { echo "grep disagrees" >&2; exit 1; }
  [[ "$(rg -c -F -a "$marker" "$file")" == 1 ]] || { echo "rg disagrees" >&2; exit 1; }

  local target=$file
  run() {
    case "$1" in
    vek) "$search_bin" "$target" "$marker" ;;
    vek-1core) VEK_SEARCH_WORKERS=1 "$search_bin" "$target" "$marker" ;;
    rg) rg -c -F -a "$marker" "$target" ;;
    grep) grep -c -F -a "$marker" "$target" ;;
    cat) cat "$target" ;;
    esac
  }

  cat "$file" >/dev/null
  cat "$file" >/dev/null
  time_turns vek vek-1core rg grep cat
  table "1 GiB of random bytes, cached, marker 4 KiB before the end" vek vek-1core rg grep cat
  times=()

  # The marker near the start: the search ends there, whatever the file's size.
  local early="$dir/vek-search-early.bin"
  cp --reflink=auto "$file" "$early"
  printf '%s' "$marker" | dd of="$early" bs=1 seek=$((1 << 20)) conv=notrunc status=none
  printf 'XXXXXXXX' | dd of="$early" bs=1 seek="$marker_at" conv=notrunc status=none
  cat "$early" >/dev/null
  target=$early
  time_turns vek rg cat
  table "1 GiB cached, marker 1 MiB from the start" vek rg cat
  rm -f "$early"
  times=()

  # Cold: the file leaves the page cache before every run (dd's nocache is posix_fadvise's
  # DONTNEED). The virtual disk now and then takes twice as long for any reader: 9 rounds.
  target=$file
  prepare() { dd if="$target" iflag=nocache count=0 status=none; }
  times_rounds=(1 2 3 4 5 6 7 8 9)
  time_turns vek rg cat
  table "1 GiB, not cached (evicted before each run), marker 4 KiB before the end" vek rg cat
  unset -f prepare
  times_rounds=(1 2 3 4 5)
  times=()

  # 8 GiB of holes: zeros that cost no disk, the marker near the end.
  local sparse="$dir/vek-search-sparse8g.bin"
  truncate -s 8G "$sparse"
  printf '%s' "$marker" | dd of="$sparse" bs=1 seek=$(((8 << 30) - 4096)) conv=notrunc status=none
  cat "$sparse" >/dev/null # the first read of the holes is far slower than the ones after it
  target=$sparse
  time_turns vek cat
  table "8 GiB sparse file, marker 4 KiB before the end" vek cat
  rm -f "$sparse"
  times=()

  # Dense matches: every byte of 64 MiB of 'a' starts one, printed by vek --find.
  local dense="$dir/vek-search-dense.bin"
  head -c $((64 << 20)) /dev/zero | tr '\0' a >"$dense"
  cat "$dense" >/dev/null
  local before="${VEK_BEFORE:-}"
  run() {
    case "$1" in
    vek) "$vek" --find a "$dense" ;;
    vek-1core) VEK_SEARCH_WORKERS=1 "$vek" --find a "$dense" ;;
    vek-before) "$before" --find a "$dense" ;;
    grep) grep -c -F -a -o a "$dense" ;;
    esac
  }
  local names=(vek vek-1core)
  [[ -n "$before" ]] && names+=(vek-before)
  time_turns "${names[@]}"
  table "64 MiB of 'a', vek --find a: 67108864 offsets printed" "${names[@]}"
  rm -f "$dense"
}

dump() {
  local vek="${VEK:-build/vek}"
  [[ -x "$vek" ]] || { echo "missing $vek: build it first, or set VEK to the program" >&2; exit 2; }
  need xxd hexdump od
  local file="$dir/vek-dump-100m.bin" size=$((100 << 20))
  write_random "$file" "$size"
  cat "$file" >/dev/null
  cat "$file" >/dev/null

  # One line of text for every 20 bytes, or the timing means nothing.
  local lines
  lines=$("$vek" --dump "$file" | wc -l)
  [[ $lines -eq $((size / 20)) ]] || { echo "vek printed $lines lines, not $((size / 20))" >&2; exit 1; }

  run() {
    case "$1" in
    vek) "$vek" --dump "$file" ;;
    xxd) xxd "$file" ;;
    hexyl) hexyl "$file" ;;
    hexdump) hexdump -C "$file" ;;
    od) od -A x -t x1z "$file" ;;
    esac
  }
  local names=(vek xxd)
  if command -v hexyl >/dev/null; then names+=(hexyl); fi
  names+=(hexdump od)
  time_turns "${names[@]}"

  declare -A m
  for name in "${names[@]}"; do m[$name]=$(median "$name"); done
  echo "100 MiB of random bytes, cached, output to /dev/null, median of 5:"
  echo "| program | time | text | speed of the text | / xxd |"
  echo "|---|---|---|---|---|"
  local command text
  for name in "${names[@]}"; do
    case "$name" in
    vek) command="vek --dump" ;;
    hexdump) command="hexdump -C" ;;
    od) command="od -A x -t x1z" ;;
    *) command="$name" ;;
    esac
    text=$(run "$name" | wc -c)
    awk -v n="$command" -v t="${m[$name]}" -v x="${m[xxd]}" -v bytes="$text" 'BEGIN {
      printf "| `%s` | %.2f s | %.0f MB | %.0f MB/s | %.2f |\n", n, t, bytes / 1e6, bytes / 1e6 / t, t / x }'
  done
}

states() {
  local search_bin="${VEK_BUILD:-build}/bench/bench_core_search_file"
  local floor="${VEK_BUILD:-build}/bench/scan_limit"
  for program in "$search_bin" "$floor"; do
    [[ -x "$program" ]] || { echo "missing $program: build it first, or set VEK_BUILD" >&2; exit 2; }
  done
  need rg cat dd
  local file="$dir/vek-search-1g.bin" copy="$dir/vek-search-written.bin" marker="VEKmark7" size=$((1 << 30))
  write_random "$file" "$size"
  printf '%s' "$marker" | dd of="$file" bs=1 seek=$((size - 4096)) conv=notrunc status=none
  [[ "$("$search_bin" "$file" "$marker")" == $((size - 4096)) ]] || { echo "vek did not find the marker" >&2; exit 1; }

  local target
  run() {
    case "$1" in
    vek) "$search_bin" "$target" "$marker" ;;
    vek-pread) VEK_SEARCH_MAP=0 "$search_bin" "$target" "$marker" ;;
    rg) rg -c -F -a "$marker" "$target" ;;
    cat) cat "$target" ;;
    floor-2) "$floor" "$target" 2 ;;
    floor-1) "$floor" "$target" 1 ;;
    esac
  }
  local names=(vek vek-pread rg cat floor-2 floor-1)

  target=$file
  prepare() { from_disk "$target"; }
  time_turns "${names[@]}"
  table "1 GiB, pages read from disk before each run, marker 4 KiB before the end" "${names[@]}"
  times=()

  target=$copy
  prepare() {
    rm -f "$copy"
    cat "$file" >"$copy"
    sync
  }
  time_turns "${names[@]}"
  table "1 GiB, pages from writing a fresh copy before each run" "${names[@]}"
  unset -f prepare
  rm -f "$copy"
  times=()
}

compare() {
  local vek="${VEK:-build/vek}"
  [[ -x "$vek" ]] || { echo "missing $vek: build it first, or set VEK to the program" >&2; exit 2; }
  need cmp cat dd perl
  local a="$dir/vek-compare-a.bin" b="$dir/vek-compare-b.bin" size=$((1 << 30))
  write_random "$a" "$size"
  cp "$a" "$b"
  printf 'X' | dd of="$b" bs=1 seek=$((size - 4096)) conv=notrunc status=none
  [[ "$("$vek" --compare "$a" "$b")" == "$((size - 4096)) "* ]] || { echo "vek missed the difference" >&2; exit 1; }

  local left right
  run() {
    case "$1" in
    # The lines go to a file: cmp, as grep, does little when its output is /dev/null.
    vek) "$vek" --compare "$left" "$right" >"$dir/lines.txt" || true ;;
    cmp) cmp "$left" "$right" || true ;;
    cmp-l) cmp -l "$left" "$right" >"$dir/lines.txt" || true ;;
    cat) cat "$left" "$right" ;;
    esac
  }
  prepare() { from_disk "$left" "$right"; }
  left=$a right=$b
  time_turns vek cmp cat
  table "two 1 GiB files differing only 4 KiB before the end, pages read from disk" vek cmp cat
  times=()
  peak "$vek" --compare "$left" "$right"
  rm -f "$a" "$b"

  # A difference every 100 bytes: 1048576 lines.
  local c="$dir/vek-compare-100m-a.bin" d="$dir/vek-compare-100m-b.bin" small=$((100 << 20))
  write_random "$c" "$small"
  perl -e 'open(my $in, "<:raw", $ARGV[0]) or die; local $/; my $s = <$in>;
           for (my $i = 99; $i < length $s; $i += 100) { substr($s, $i, 1) = chr(ord(substr($s, $i, 1)) ^ 0xFF) }
           open(my $out, ">:raw", $ARGV[1]) or die; print $out $s' "$c" "$d"
  cmp -l "$c" "$d" | perl -ane 'printf "%d %02X %02X\n", $F[0] - 1, oct($F[1]), oct($F[2])' >"$dir/cmp-l.txt" || true
  "$vek" --compare "$c" "$d" >"$dir/vek.txt" || true
  cmp -s "$dir/cmp-l.txt" "$dir/vek.txt" || { echo "vek --compare and cmp -l disagree" >&2; exit 1; }
  echo "vek --compare and cmp -l agree: $(wc -l <"$dir/vek.txt") lines"
  left=$c right=$d
  time_turns vek cmp-l cat
  table "two 100 MB files, a difference every 100 bytes, pages read from disk" vek cmp-l cat
  unset -f prepare
  peak "$vek" --compare "$left" "$right"
  rm -f "$c" "$d" "$dir/cmp-l.txt" "$dir/vek.txt" "$dir/lines.txt"
  times=()
}

# peak COMMAND...: its peak resident size, output to /dev/null.
peak() {
  local kib
  kib=$( { /usr/bin/time -f %M "$@" >/dev/null || true; } 2>&1 | tail -n 1)
  echo "  peak resident size of $(basename "$1") ${*:2}: $kib KiB"
}

"$mode"
