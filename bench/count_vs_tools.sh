#!/usr/bin/env bash
# Times `vek --find X --count` and `vek -i --find X --count` against ripgrep and GNU grep counting
# the same fixed string (`rg -c -F -a`, `grep -c -F -a`, with -i), and `cat` as the floor, on a
# cached 1 GiB file with rare matches, side by side in one run: rounds of hyperfine, medians.
#
#   bench/count_vs_tools.sh [DIR]
#
# DIR holds the test file (default: a new temporary directory, removed afterwards); a DIR that
# holds it already is reused. The program is $VEK (default: build-full/vek). Needs hyperfine,
# ripgrep and python3 (apt-get install hyperfine ripgrep).
#
# The file: random bytes with the marker VEKmark7 three times and vekMARK7 twice, so the plain
# search counts 3 and the one ignoring case 5. No two markers share a line, so the tools' counts
# of lines with a match equal vek's count of matches; the script checks that they agree. The page
# cache holds a file in one of two states that differ by 2 x for a tool that maps it (DESIGN.md);
# here its pages are read from disk: evicted (posix_fadvise DONTNEED, dd's nocache) and read
# once, as a file is after it was first read.
set -euo pipefail

vek="${VEK:-build-full/vek}"
[[ -x "$vek" ]] || { echo "missing $vek: build it first, or set VEK to the program" >&2; exit 2; }
for tool in hyperfine rg grep cat dd python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done
vek=$(cd "$(dirname "$vek")" && pwd)/$(basename "$vek")

if [[ $# -ge 1 ]]; then
  dir="$1"
  mkdir -p "$dir"
else
  dir="$(mktemp -d)"
  trap 'rm -rf "$dir"' EXIT
fi
export LC_ALL=C

file="$dir/vek-count-1g.bin"
size=$((1 << 30))
if [[ ! -f "$file" || $(stat -c %s "$file") -ne $size ]]; then
  echo "writing $file ..."
  head -c "$size" /dev/urandom >"$file"
fi
for at in 1000000 500000000 $((size - 4096)); do
  printf 'VEKmark7' | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
done
for at in 300000000 800000000; do
  printf 'vekMARK7' | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
done

# The same counts from every tool, or the timing means nothing.
check() { # WANT COMMAND...
  local want=$1 got
  shift
  got=$("$@")
  [[ "$got" == "$want" ]] || { echo "$* counts $got, not $want" >&2; exit 1; }
}
check 3 "$vek" --find VEKmark7 --count "$file"
check 3 rg -c -F -a VEKmark7 "$file"
check 3 grep -c -F -a VEKmark7 "$file"
check 5 "$vek" -i --find vekmark7 --count "$file"
check 5 rg -i -c -F -a vekmark7 "$file"
check 5 grep -i -c -F -a vekmark7 "$file"

dd if="$file" iflag=nocache count=0 status=none
cat "$file" >/dev/null

# Output into a pipe: GNU grep stops at the first match when its output is /dev/null. The machine
# is shared and its load changes by the second, while hyperfine times one command after the other:
# so it runs ROUNDS times (default 5) over all the commands, RUNS runs each (default 3), and the
# medians are of all the runs of a command.
rounds=${ROUNDS:-5}
for ((round = 1; round <= rounds; round++)); do
  hyperfine -N --warmup 1 --runs "${RUNS:-3}" --output=pipe --export-json "$dir/count-$round.json" \
    -n vek "$vek --find VEKmark7 --count $file" \
    -n rg "rg -c -F -a VEKmark7 $file" \
    -n grep "grep -c -F -a VEKmark7 $file" \
    -n "vek -i" "$vek -i --find vekmark7 --count $file" \
    -n "rg -i" "rg -i -c -F -a vekmark7 $file" \
    -n "grep -i" "grep -i -c -F -a vekmark7 $file" \
    -n cat "cat $file" >/dev/null
done

python3 - "$dir"/count-[0-9]*.json <<'EOF'
import json, statistics, sys
times = {}
for path in sys.argv[1:]:
    for r in json.load(open(path))["results"]:
        times.setdefault(r["command"], []).extend(r["times"])
median = {name: statistics.median(t) for name, t in times.items()}
print(f"1 GiB of random bytes, pages read from disk and cached, median of {len(times['vek'])} runs (seconds):")
print("| command | median | min | max | / ripgrep | / cat |")
print("|---|---|---|---|---|---|")
for name, t in times.items():
    rg = median["rg -i" if name.endswith("-i") else "rg"]
    print(f"| `{name}` | {median[name]:.3f} | {min(t):.3f} | {max(t):.3f} | {median[name] / rg:.2f} | {median[name] / median['cat']:.2f} |")
EOF
