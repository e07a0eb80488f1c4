# Sourced by the benchmark scripts: what they share before they time anything.

# need_tools TOOL...: stop, saying which, when a tool is not on the PATH.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
  done
}

# use_dir [DIR]: sets dir to DIR, made when missing and kept, so that large test files are written
# once for several runs; without DIR, to a new temporary folder removed when the script ends.
use_dir() {
  if [[ -n "${1:-}" ]]; then
    dir="$1"
    mkdir -p "$dir"
  else
    dir="$(mktemp -d)"
    trap 'rm -rf "$dir"' EXIT
  fi
}
