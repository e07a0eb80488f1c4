#!/usr/bin/env bash
# `cmake --install` puts the program, the desktop entry, the icons, the man page and the shell
# completion in place.
set -euo pipefail
VEK=${1:?usage: $0 path/to/vek}
build=$(dirname "$VEK")
prefix=$(mktemp -d)
staging=$(mktemp -d)
trap 'rm -rf "$prefix" "$staging"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -x "$prefix/bin/vek" ]] || fail "no bin/vek"
"$prefix/bin/vek" --version | grep -q '^vek 1.0.0.5$' || fail "the installed vek gives another version"
desktop="$prefix/share/applications/vek.desktop"
[[ -f "$desktop" ]] || fail "no desktop entry"
grep -q '^Exec=vek -- %f$' "$desktop" || fail "the desktop entry does not open a file"
grep -q '^MimeType=application/octet-stream;' "$desktop" || fail "the desktop entry offers no file type"
for size in 16 32 48 64 128 256; do
  [[ -s "$prefix/share/icons/hicolor/${size}x${size}/apps/vek.png" ]] || fail "no ${size}px icon"
done
[[ -s "$prefix/share/icons/hicolor/scalable/apps/vek.svg" ]] || fail "no scalable icon"
[[ -s "$prefix/share/man/man1/vek.1" ]] || fail "no man page"
# Completion where the shells look under a prefix of one's own (as /usr/local).
for f in share/bash-completion/completions/vek share/zsh/site-functions/_vek share/fish/vendor_completions.d/vek.fish; do
  [[ -s "$prefix/$f" ]] || fail "no $f"
done
bash -c "source '$prefix/share/bash-completion/completions/vek'; complete -p vek" | grep -qx 'complete -F _vek vek' ||
  fail "the installed bash completion does not register itself"
# Under /usr, zsh's completion goes where Debian's zsh reads packages' completion from.
DESTDIR="$staging" cmake --install "$build" --prefix /usr >/dev/null
[[ -s "$staging/usr/share/zsh/vendor-completions/_vek" ]] || fail "no zsh completion in /usr/share/zsh/vendor-completions"
[[ ! -e "$staging/usr/share/zsh/site-functions" ]] || fail "zsh completion in /usr/share/zsh/site-functions, which Debian's zsh does not read"
echo "PASS install: $(cd "$prefix" && find . -type f | sort | tr '\n' ' ')"
