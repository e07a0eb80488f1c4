#!/usr/bin/env bash
# Times the coloured dump, `vek --dump --color=always`, against hexyl, which colours bytes by kind
# too, and the plain dump against itself before colour existed, in one hyperfine run (medians).
#
#   bench/dump_color.sh [DIR]
#
# The program is $VEK (default: build-full/vek); VEK_BEFORE=path/to/an/older/vek adds that one's
# plain dump. DIR holds the test file (default: a new temporary directory, removed afterwards).
# Needs hyperfine and python3; hexyl and xxd are timed when installed (apt-get install hexyl).
#
# The file: 100 MiB of random bytes, cached, every kind of byte in it (zero, printable, white
# space, other controls, non-ASCII), so colours change at almost every byte: the worst case for
# the coloured text's size. Output goes to /dev/null.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

vek="${VEK:-build-full/vek}"
[[ -x "$vek" ]] || { echo "missing $vek: build it first, or set VEK to the program" >&2; exit 2; }
need_tools hyperfine python3
before="${VEK_BEFORE:-}"

use_dir "${1:-}"

file="$dir/vek-dump-100m.bin"
size=$((100 << 20))
if [[ ! -f "$file" || $(stat -c %s "$file") -ne $size ]]; then
  echo "writing $file ..."
  head -c "$size" /dev/urandom >"$file"
fi
cat "$file" >/dev/null

# Without its colours the coloured dump is the plain one, or the timing means nothing.
cmp -s <("$vek" --dump --color=always "$file" | sed 's/\x1b\[[0-9;]*m//g') <("$vek" --dump "$file") ||
  { echo "the coloured dump's text differs from the plain dump's" >&2; exit 1; }
if [[ -n "$before" ]]; then
  cmp -s <("$before" --dump "$file") <("$vek" --dump "$file") || { echo "$before dumps another text" >&2; exit 1; }
fi

commands=(-n "vek --dump" "$vek --dump $file")
[[ -n "$before" ]] && commands+=(-n "vek before --dump" "$before --dump $file")
commands+=(-n "vek --dump --color=always" "$vek --dump --color=always $file")
if command -v hexyl >/dev/null; then
  commands+=(-n "hexyl --color=always" "hexyl --color=always $file" -n "hexyl --color=never" "hexyl --color=never $file")
fi
command -v xxd >/dev/null && commands+=(-n xxd "xxd $file")

json="$dir/dump.json"
hyperfine -N --warmup 1 --runs "${RUNS:-5}" --export-json "$json" "${commands[@]}" >/dev/null

# The size of each text, for its speed.
declare -A bytes
for ((i = 0; i < ${#commands[@]}; i += 3)); do
  # shellcheck disable=SC2086 # the command line is words
  bytes[${commands[i + 1]}]=$(${commands[i + 2]} | wc -c)
done
for name in "${!bytes[@]}"; do echo "$name=${bytes[$name]}"; done >"$dir/dump.sizes"

python3 - "$json" "$dir/dump.sizes" <<'EOF'
import json, sys
runs = json.load(open(sys.argv[1]))["results"]
sizes = dict(line.rstrip("\n").rsplit("=", 1) for line in open(sys.argv[2]))
first = runs[0]["median"]
print(f"100 MiB of random bytes, cached, output to /dev/null, median of {len(runs[0]['times'])}:")
print("| command | median | min | max | text | speed of the text | / vek --dump |")
print("|---|---|---|---|---|---|---|")
for r in runs:
    text = int(sizes[r["command"]])
    print(f"| `{r['command']}` | {r['median']:.3f} s | {r['min']:.3f} s | {r['max']:.3f} s | {text / 1e6:.0f} MB | "
          f"{text / 1e6 / r['median']:.0f} MB/s | {r['median'] / first:.2f} |")
EOF
