#!/usr/bin/env bash
# Times vek against other tools on one cached file, the tools taking turns, 5 rounds each.
#
#   bench/search_vs_tools.sh [DIR]          the file search against grep, ripgrep and cat
#   bench/search_vs_tools.sh --dump [DIR]   the terminal dump against xxd, hexyl, hexdump and od
#
# DIR holds the test file (default: a new temporary directory, removed afterwards).
#
# The search: a 1 GiB file of random bytes with an 8-byte marker 4 KiB before its end, best of 5.
# The search program is $VEK_BUILD/bench/bench_core_search_file (VEK_BUILD defaults to ./build);
# build it with
#   cmake -S . -B build -G Ninja -DVEK_CORE_ONLY=ON && cmake --build build -j2 --target bench_core_search_file
#
# The dump: 100 MiB of random bytes printed to /dev/null as text, median of 5, with the ratio of each
# tool's time to xxd's. The program is $VEK (default: build/vek). hexyl is timed when installed.
set -euo pipefail

mode=search
if [[ "${1:-}" == --dump ]]; then
  mode=dump
  shift
fi

if [[ $# -ge 1 ]]; then
  dir="$1"
  mkdir -p "$dir"
else
  dir="$(mktemp -d)"
  trap 'rm -rf "$dir"' EXIT
fi

need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
  done
}

# write_random FILE BYTES: the file of random bytes, kept when it is already there.
write_random() {
  if [[ ! -f "$1" || $(stat -c %s "$1") -ne $2 ]]; then
    echo "writing $1 ..."
    head -c "$2" /dev/urandom >"$1"
  fi
}

# time_turns NAME...: 5 rounds of `run NAME`, output to /dev/null, for each name in turn;
# times[NAME] gets each round's seconds.
declare -A times
time_turns() {
  for _ in 1 2 3 4 5; do
    for name in "$@"; do
      local start=$EPOCHREALTIME
      run "$name" >/dev/null
      local end=$EPOCHREALTIME
      times[$name]+="$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') "
    done
  done
}
best() { tr ' ' '\n' <<<"${times[$1]}" | grep . | sort -g | head -n 1; }
median() { tr ' ' '\n' <<<"${times[$1]}" | grep . | sort -g | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

search() {
  local search_bin="${VEK_BUILD:-build}/bench/bench_core_search_file"
  if [[ ! -x "$search_bin" ]]; then
    echo "missing $search_bin: build it first, or set VEK_BUILD to the build directory" >&2
    exit 2
  fi
  need grep rg cat
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

  cat "$file" >/dev/null
  cat "$file" >/dev/null

  run() {
    case "$1" in
    vek) "$search_bin" "$file" "$marker" ;;
    rg) rg -c -F -a "$marker" "$file" ;;
    grep) grep -c -F -a "$marker" "$file" ;;
    cat) cat "$file" ;;
    esac
  }
  local names=(vek rg grep cat)
  time_turns "${names[@]}"

  echo "1 GiB cached, marker at $marker_at, best of 5 (seconds):"
  declare -A b
  for name in "${names[@]}"; do
    b[$name]=$(best "$name")
    awk -v n="$name" -v t="${b[$name]}" 'BEGIN { printf "  %-5s %.3f s  %5.2f GB/s\n", n, t, 1.073741824 / t }'
  done
  awk -v v="${b[vek]}" -v r="${b[rg]}" -v g="${b[grep]}" -v c="${b[cat]}" 'BEGIN {
    printf "  vek/rg   %.2f\n  vek/grep %.2f\n  vek/cat  %.2f\n  rg/cat   %.2f\n", v / r, v / g, v / c, r / c }'
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

"$mode"
