#!/usr/bin/env bash
# Times vek's file search against grep, ripgrep and cat on one cached 1 GiB file of random bytes
# with an 8-byte marker 4 KiB before its end. Best of 5 runs each, the tools taking turns.
#
#   bench/search_vs_tools.sh [DIR]
#
# DIR holds the test file (default: a new temporary directory, removed afterwards). The search
# program is $VEK_BUILD/bench/bench_core_search_file (VEK_BUILD defaults to ./build); build it with
#   cmake -S . -B build -G Ninja -DVEK_CORE_ONLY=ON && cmake --build build -j2 --target bench_core_search_file
set -euo pipefail

search_bin="${VEK_BUILD:-build}/bench/bench_core_search_file"
if [[ ! -x "$search_bin" ]]; then
  echo "missing $search_bin: build it first, or set VEK_BUILD to the build directory" >&2
  exit 2
fi
for tool in grep rg cat; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done

if [[ $# -ge 1 ]]; then
  dir="$1"
  mkdir -p "$dir"
else
  dir="$(mktemp -d)"
  trap 'rm -rf "$dir"' EXIT
fi
file="$dir/vek-search-1g.bin"
marker="VEKmark7"
size=$((1 << 30))
marker_at=$((size - 4096))

if [[ ! -f "$file" || $(stat -c %s "$file") -ne $size ]]; then
  echo "writing $file ..."
  head -c 1G /dev/urandom >"$file"
fi
printf '%s' "$marker" | dd of="$file" bs=1 seek="$marker_at" conv=notrunc status=none

# Random bytes may hold the marker by chance only with negligible probability; check anyway that
# every tool finds exactly the planted one.
found="$("$search_bin" "$file" "$marker")"
[[ "$found" == "$marker_at" ]] || { echo "vek found '$found', expected $marker_at" >&2; exit 1; }
[[ "$(grep -c -F -a "$marker" "$file")" == 1 ]] || { echo "grep disagrees" >&2; exit 1; }
[[ "$(rg -c -F -a "$marker" "$file")" == 1 ]] || { echo "rg disagrees" >&2; exit 1; }

cat "$file" >/dev/null
cat "$file" >/dev/null

names=(vek rg grep cat)
declare -A best
run() {
  case "$1" in
  vek) "$search_bin" "$file" "$marker" >/dev/null ;;
  rg) rg -c -F -a "$marker" "$file" >/dev/null ;;
  grep) grep -c -F -a "$marker" "$file" >/dev/null ;;
  cat) cat "$file" >/dev/null ;;
  esac
}
for round in 1 2 3 4 5; do
  for name in "${names[@]}"; do
    start=$EPOCHREALTIME
    run "$name"
    end=$EPOCHREALTIME
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')
    if [[ -z "${best[$name]:-}" ]] || awk -v t="$t" -v b="${best[$name]}" 'BEGIN { exit !(t < b) }'; then
      best[$name]=$t
    fi
  done
done

echo "1 GiB cached, marker at $marker_at, best of 5 (seconds):"
for name in "${names[@]}"; do
  awk -v n="$name" -v t="${best[$name]}" 'BEGIN { printf "  %-5s %.3f s  %5.2f GB/s\n", n, t, 1.073741824 / t }'
done
awk -v v="${best[vek]}" -v r="${best[rg]}" -v g="${best[grep]}" -v c="${best[cat]}" 'BEGIN {
  printf "  vek/rg   %.2f\n  vek/grep %.2f\n  vek/cat  %.2f\n  rg/cat   %.2f\n", v / r, v / g, v / c, r / c }'
