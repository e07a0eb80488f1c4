#!/usr/bin/env bash
# Times `vek --find X --count` and `vek -i --find X --count` against ripgrep and GNU grep counting
# the same fixed string (`rg -c -F -a`, `grep -c -F -a`, with -i), and `cat` as the floor, on
# cached 1 GiB files with rare matches, side by side in one run: rounds of hyperfine, medians.
#
#   bench/count_vs_tools.sh [DIR]
#
# DIR holds the test files (default: a new temporary directory, removed afterwards); a DIR that
# holds them already is reused. The program is $VEK (default: build-full/vek). Needs hyperfine,
# ripgrep and python3 (apt-get install hyperfine ripgrep).
#
# The files: 1 GiB of random bytes, and 1 GiB of base64 text (letters everywhere, so a filter
# byte that folds to both cases of a letter lets far more candidates through), each with the
# marker VEKmark7 three times and vekMARK7 twice: the plain search counts 3, the one ignoring case
# 5. No two markers share a line, so the tools' counts of lines with a match equal vek's count of
# matches; the script checks that all agree. The page cache holds a file in one of two states
# that differ by 2 x for a tool that maps it (DESIGN.md); here its pages are read from disk:
# evicted (posix_fadvise DONTNEED, dd's nocache) and read once, as a file is after it was first
# read.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

vek="${VEK:-build-full/vek}"
[[ -x "$vek" ]] || { echo "missing $vek: build it first, or set VEK to the program" >&2; exit 2; }
need_tools hyperfine rg grep cat dd base64 python3
vek=$(cd "$(dirname "$vek")" && pwd)/$(basename "$vek")

use_dir "${1:-}"
export LC_ALL=C
size=$((1 << 30))

# write_file FILE KIND: random bytes or base64 text, kept when it is there already; then the markers.
write_file() {
  local file=$1 kind=$2 at
  if [[ ! -f "$file" || $(stat -c %s "$file") -ne $size ]]; then
    echo "writing $file ..."
    if [[ $kind == random ]]; then
      head -c "$size" /dev/urandom >"$file"
    else
      # head closing the pipe early ends base64 with SIGPIPE; the size check is what counts.
      head -c $((size * 3 / 4 + 4096)) /dev/urandom | base64 | head -c "$size" >"$file" || true
      [[ $(stat -c %s "$file") -eq $size ]] || { echo "could not write $file" >&2; exit 2; }
    fi
  fi
  for at in 1000000 500000000 $((size - 4096)); do
    printf 'VEKmark7' | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
  done
  for at in 300000000 800000000; do
    printf 'vekMARK7' | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
  done
}

# The same counts from every tool, or the timing means nothing.
check() { # WANT COMMAND...
  local want=$1 got
  shift
  got=$("$@")
  [[ "$got" == "$want" ]] || { echo "$* counts $got, not $want" >&2; exit 1; }
}

# measure FILE TITLE. Output into a pipe: GNU grep stops at the first match when its output is
# /dev/null. The machine is shared and its load changes by the second, while hyperfine times one
# command after the other: so it runs ROUNDS times (default 5) over all the commands, RUNS runs
# each (default 3), and the medians are of all the runs of a command.
measure() {
  local file=$1 title=$2 round
  check 3 "$vek" --find VEKmark7 --count "$file"
  check 3 rg -c -F -a VEKmark7 "$file"
  check 3 grep -c -F -a VEKmark7 "$file"
  check 5 "$vek" -i --find vekmark7 --count "$file"
  check 5 rg -i -c -F -a vekmark7 "$file"
  check 5 grep -i -c -F -a vekmark7 "$file"
  dd if="$file" iflag=nocache count=0 status=none
  cat "$file" >/dev/null
  rm -f "$dir"/count-*.json
  for ((round = 1; round <= ${ROUNDS:-5}; round++)); do
    hyperfine -N --warmup 1 --runs "${RUNS:-3}" --output=pipe --export-json "$dir/count-$round.json" \
      -n vek "$vek --find VEKmark7 --count $file" \
      -n rg "rg -c -F -a VEKmark7 $file" \
      -n grep "grep -c -F -a VEKmark7 $file" \
      -n "vek -i" "$vek -i --find vekmark7 --count $file" \
      -n "rg -i" "rg -i -c -F -a vekmark7 $file" \
      -n "grep -i" "grep -i -c -F -a vekmark7 $file" \
      -n cat "cat $file" >/dev/null
  done
  python3 - "$title" "$dir"/count-*.json <<'EOF'
import json, statistics, sys
times = {}
for path in sys.argv[2:]:
    for r in json.load(open(path))["results"]:
        times.setdefault(r["command"], []).extend(r["times"])
median = {name: statistics.median(t) for name, t in times.items()}
print(f"{sys.argv[1]}, median of {len(times['vek'])} runs (seconds):")
print("| command | median | min | max | / ripgrep | / cat |")
print("|---|---|---|---|---|---|")
for name, t in times.items():
    rg = median["rg -i" if name.endswith("-i") else "rg"]
    print(f"| `{name}` | {median[name]:.3f} | {min(t):.3f} | {max(t):.3f} | {median[name] / rg:.2f} | {median[name] / median['cat']:.2f} |")
EOF
  rm -f "$dir"/count-*.json
}

write_file "$dir/vek-count-1g.bin" random
write_file "$dir/vek-count-1g.txt" base64
measure "$dir/vek-count-1g.bin" "1 GiB of random bytes, pages read from disk and cached"
# The text's turn: the random file may leave the cache meanwhile, which does not matter now.
measure "$dir/vek-count-1g.txt" "1 GiB of base64 text, pages read from disk and cached"
