#!/usr/bin/env bash
# The Debian package: cpack makes vek_<version>_<arch>.deb of the build, lintian finds no error in
# it, apt-get installs it, the installed /usr/bin/vek answers, its files are in place, the shells
# find its completion, and apt-get purges it again, leaving the machine's packages as they were,
# also when a check fails.
#   package_test.sh path/to/vek [path/to/vek_....deb]   (or VEK_DEB=...: test that package instead)
# Installing needs root: otherwise, or where a vek package or file is there already, it skips
# (status 77).
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=C DEBIAN_FRONTEND=noninteractive
build=$(cd "$(dirname "$VEK")" && pwd)
deb=${2:-${VEK_DEB:-}}
skip() { echo "SKIP: $*"; exit 77; }

[[ $(id -u) -eq 0 ]] || skip "installing a package needs root"
command -v apt-get >/dev/null || skip "no apt-get: not Debian"
# The test must leave the machine as it found it, so it never touches a vek it did not install.
state=$(dpkg-query -W -f='${db:Status-Status}' vek 2>/dev/null || true)
[[ -z "$state" || "$state" == not-installed ]] ||
  skip "a vek package is on this machine already ($state); 'apt-get purge vek' lets this test run"

installed() { dpkg-query -W -f='${db:Status-Status} ${Package}:${Architecture}\n' | awk '$1 != "not-installed" {print $2}' | sort; }
installed >"$WORK/before"
apt=(apt-get -y -q -o DPkg::Lock::Timeout=120)
touched=""

# Whatever happens, once apt-get was asked to install: purge vek and whatever it brought along.
package_cleanup() {
  [[ -n "$touched" ]] || return 0
  local added
  installed >"$WORK/after"
  added=$(comm -13 "$WORK/before" "$WORK/after" | tr '\n' ' ')
  if [[ -n "${added// /}" ]]; then
    echo "purging: $added"
    # shellcheck disable=SC2086
    "${apt[@]}" purge $added >"$WORK/purge.log" 2>&1 || { echo "apt-get purge failed:" >&2; tail -n 20 "$WORK/purge.log" >&2; }
  fi
}
# shellcheck disable=SC2154 # exit_status is set in the trap itself
trap 'exit_status=$?; package_cleanup; cleanup; exit "$exit_status"' EXIT

# The package: built from this build, or the one given. In a folder apt's own user may read, so
# apt-get installs it without a note about an unsandboxed download.
mkdir -p "$WORK/deb"
chmod 755 "$WORK" "$WORK/deb"
if [[ -n "$deb" ]]; then
  cp "$deb" "$WORK/deb/" || fail "no package $deb"
else
  [[ -f "$build/CPackConfig.cmake" ]] || fail "no CPackConfig.cmake in $build"
  (cd "$WORK" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$WORK/deb") >"$WORK/cpack.log" 2>&1 ||
    { tail -n 20 "$WORK/cpack.log" >&2; fail "cpack failed"; }
fi
shopt -s nullglob
debs=("$WORK"/deb/vek_*.deb)
[[ ${#debs[@]} -eq 1 ]] || fail "not one vek_*.deb but ${#debs[@]}"
deb=${debs[0]}
[[ $(basename "$deb") =~ ^vek_[0-9][^_]*_[a-z0-9]+\.deb$ ]] || fail "package name $(basename "$deb")"
echo "PASS package $(basename "$deb")"

# Its control data: a maintainer, a section, a priority, dependencies computed from the program.
control=$(dpkg-deb -f "$deb")
for field in Maintainer Section Priority Homepage Description; do
  grep -q "^$field: ." <<<"$control" || fail "no $field field"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends" == *", $lib (>= "* ]] || fail "Depends lacks a versioned $lib: $depends"
done
echo "PASS control: $depends"

if command -v lintian >/dev/null; then
  lintian "$deb" >"$WORK/lintian.log" 2>&1 || true
  if grep -q '^E:' "$WORK/lintian.log"; then
    grep '^E:' "$WORK/lintian.log" >&2
    fail "lintian reports errors"
  fi
  echo "PASS lintian: $(grep -c '^E:' "$WORK/lintian.log") errors, $(grep -c '^W:' "$WORK/lintian.log") warnings"
else
  echo "note: no lintian here; the package was not linted"
fi

# Nothing the package holds may be there before it: dpkg would overwrite such a file, and purging
# would then delete it.
while read -r path; do
  [[ -e "$path" || -L "$path" ]] && skip "$path is there already (a 'cmake --install' to /usr?); it would be lost"
done < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}')

touched=1
"${apt[@]}" install "$deb" >"$WORK/install.log" 2>&1 || { tail -n 20 "$WORK/install.log" >&2; fail "apt-get install failed"; }
[[ $(dpkg-query -W -f='${db:Status-Status}' vek) == installed ]] || fail "vek is not installed after apt-get install"
echo "PASS installed"

# The installed program, by its full path: another vek may come first in PATH.
want_version=$(dpkg-deb -f "$deb" Version)
[[ "$(/usr/bin/vek --version | head -n 1)" == "vek ${want_version%%-*}" ]] || fail "version: $(/usr/bin/vek --version)"
printf 'hello, package\n' >"$WORK/small.txt"
dump=$(/usr/bin/vek --dump "$WORK/small.txt") || fail "--dump failed"
[[ "$dump" == "      0  6865 6C6C 6F2C 2070 6163 6B61 6765 0A"*"hello, package." ]] || fail "dump: '$dump'"
echo "PASS installed vek runs: $dump"

files=(/usr/share/applications/vek.desktop /usr/share/icons/hicolor/scalable/apps/vek.svg
       /usr/share/man/man1/vek.1.gz /usr/share/metainfo/io.github.vek.Vek.metainfo.xml
       /usr/share/doc/vek/copyright /usr/share/bash-completion/completions/vek
       /usr/share/zsh/vendor-completions/_vek /usr/share/fish/vendor_completions.d/vek.fish)
for size in 16 32 48 64 128 256; do files+=("/usr/share/icons/hicolor/${size}x${size}/apps/vek.png"); done
owned=$(dpkg-query -L vek)
for f in "${files[@]}"; do
  [[ -s "$f" ]] || fail "no $f"
  grep -qx "$f" <<<"$owned" || fail "$f is not the package's"
done
ls /usr/share/doc/vek/changelog*.gz >/dev/null 2>&1 || fail "no changelog in /usr/share/doc/vek"
grep -q '^Exec=vek -- %f$' /usr/share/applications/vek.desktop || fail "the desktop entry does not open a file"
zcat /usr/share/man/man1/vek.1.gz | grep -q '^\.TH VEK 1' || fail "the man page is not vek's"
echo "PASS installed files: ${#files[@]} and the changelog"

# The shells find the completion where the package put it.
registered=$(bash -c 'source /usr/share/bash-completion/completions/vek; complete -p vek') ||
  fail "sourcing the bash completion failed"
[[ "$registered" == "complete -F _vek vek" ]] || fail "bash completion: '$registered'"
if command -v zsh >/dev/null; then
  found=$(HOME="$WORK" zsh -fc 'autoload -U compinit; compinit -u -D; print -r -- $_comps[vek]')
  [[ "$found" == _vek ]] || fail "zsh's compinit does not find the completion: '$found'"
fi
if command -v fish >/dev/null; then
  offered=$(HOME="$WORK" fish -c 'complete -C "vek --ignore-"' | cut -f1)
  [[ "$offered" == --ignore-case ]] || fail "fish does not complete vek: '$offered'"
fi
echo "PASS completion: bash ($registered)$(command -v zsh >/dev/null && echo ', zsh')$(command -v fish >/dev/null && echo ', fish')"

# Purge it again: the machine holds the packages it held before, and none of vek's files.
"${apt[@]}" purge vek >"$WORK/purge.log" 2>&1 || { tail -n 20 "$WORK/purge.log" >&2; fail "apt-get purge failed"; }
package_cleanup
touched=""
installed >"$WORK/after"
cmp -s "$WORK/before" "$WORK/after" || fail "packages differ after the purge: $(diff "$WORK/before" "$WORK/after" | grep '^[<>]' | tr '\n' ' ')"
for f in /usr/bin/vek "${files[@]}"; do
  [[ ! -e "$f" ]] || fail "$f is still there after the purge"
done
echo "PASS purged: the machine's packages are as before"
