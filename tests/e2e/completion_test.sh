#!/usr/bin/env bash
# Shell completion as a person at a prompt meets it: bash, zsh and fish complete vek's switches,
# the WHEN of --color and files for FILE, and offer no file where a switch wants a value of its
# own. Each completion names every switch `vek --help` lists. zsh and fish are tried where they
# are installed (scripts/install-deps --test installs them).
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=C
completion="$(cd "$(dirname "$0")/../../res/completion" && pwd)"

# A folder to complete in: a file with a blank in its name, another, and a folder.
mkdir "$WORK/here"
cd "$WORK/here"
touch 'two words.bin' data.bin
mkdir folder

# Every switch of the help text is known to each shell.
switches=$("$VEK" --help | grep -oE '(^|[[ ,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
[[ $(wc -l <<<"$switches") -ge 12 ]] || fail "too few switches read from --help: $switches"
for file in vek.bash _vek vek.fish; do
  for switch in $switches; do
    name=${switch#-}
    name=${name#-}
    case $file in
    vek.fish) [[ $switch == --* ]] && want="-l $name" || want="-s $name" ;;
    *) want=$switch ;;
    esac
    grep -qF -- "$want" "$completion/$file" || fail "$file does not complete $switch"
  done
done
echo "PASS every switch of --help is completed: $(tr '\n' ' ' <<<"$switches")"

# bash: the words as readline hands them over, '=' a word of its own as COMP_WORDBREAKS has it.
bash_complete() { # WORD... (the last one is being completed): prints the candidates, one a line
  bash -c 'source "$1"; shift
           COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
           _vek vek "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
           printf "%s\n" "${COMPREPLY[@]}"' bash "$completion/vek.bash" "$@" | grep . | sort | tr '\n' ' ' || true
}
expect_bash() { # EXPECTED WORD...
  local want=$1 got
  shift
  got=$(bash_complete "$@")
  [[ "$got" == "$want" ]] || fail "bash: '$*' gives '$got', not '$want'"
}
[[ $(bash -c "source '$completion/vek.bash'; complete -p vek") == "complete -F _vek vek" ]] ||
  fail "bash: sourcing the completion does not register it"
expect_bash "--color --color= --compare --count " vek --co
expect_bash "-i " vek -i
expect_bash "--find --find-hex --first " vek --fi
expect_bash "always auto never " vek --dump --color = ""
expect_bash "always " vek --dump --color = al
expect_bash "--color=never " vek --dump --color=n
expect_bash "" vek --find ""
expect_bash "" vek --dump --start ""
expect_bash "data.bin folder two words.bin " vek --find x ""
expect_bash "two words.bin " vek --dump tw
# "--" ends the switches: a name that looks like one is a file; but the "--" of --find is its TEXT.
touch -- --hexdump.bin
expect_bash "--hexdump.bin " vek -- --hex
expect_bash "--hex " vek --find -- --hex
rm -- --hexdump.bin
echo "PASS bash"

if command -v zsh >/dev/null; then
  zsh -n "$completion/_vek" || fail "zsh: _vek does not parse"
  [[ $(zsh -fc "fpath=('$completion' \$fpath); autoload -U compinit; compinit -u -D; print -r -- \$_comps[vek]") == _vek ]] ||
    fail "zsh: compinit does not find _vek"
  # A real zsh at a prompt in a pseudo-terminal: each line typed with two tabs, and what the shell
  # shows must hold the word.
  timeout 30 zsh -f /dev/stdin "$completion" "$PWD" >"$WORK/zsh.log" 2>&1 <<'EOF' || fail "zsh: $(tail -n 3 "$WORK/zsh.log")"
zmodload zsh/zpty
zpty -b shell 'zsh -f -i'
zpty -w shell "PS1='%% '; fpath=('$1' \$fpath); autoload -U compinit; compinit -u -D; cd '$2'; echo READY"
zpty -r shell out '*READY*'
zpty -r shell out '*READY*'
for typed want in 'vek --co' '--count' 'vek --dump --color=' 'never' 'vek --dump --color=al' 'always' \
                  'vek --find x ' 'data.bin' 'vek --dump tw' 'words.bin' 'vek --find-h' '--find-hex'; do
  print -u2 "typing: $typed"
  zpty -n -w shell "$typed"$'\t\t'
  zpty -r shell out "*$want*" || { print -u2 "no $want after '$typed'"; exit 1; }
  zpty -n -w shell $'\C-u'
done
zpty -d shell
EOF
  echo "PASS zsh"
else
  echo "note: no zsh here; its completion was not tried"
fi

if command -v fish >/dev/null; then
  fish -n "$completion/vek.fish" || fail "fish: vek.fish does not parse"
  # fish loads a command's completion when the command exists: a stand-in vek comes first in PATH.
  mkdir -p "$WORK/bin"
  printf '#!/bin/sh\n' >"$WORK/bin/vek"
  chmod +x "$WORK/bin/vek"
  fish_complete() {
    PATH="$WORK/bin:$PATH" fish -c "set -p fish_complete_path '$completion'; complete -C '$1'" | cut -f1 | sort | tr '\n' ' '
  }
  expect_fish() { # EXPECTED TYPED
    local got
    got=$(fish_complete "$2")
    [[ "$got" == "$1" ]] || fail "fish: '$2' gives '$got', not '$1'"
  }
  expect_fish "--color --compare --count " "vek --co"
  expect_fish "--color=always --color=auto --color=never " "vek --dump --color="
  expect_fish "--color=always " "vek --dump --color=al"
  expect_fish "" "vek --find "
  expect_fish "" "vek --pages "
  expect_fish "data.bin folder/ two words.bin " "vek --find x "
  expect_fish "data.bin folder/ two words.bin " "vek --dump --color "
  echo "PASS fish"
else
  echo "note: no fish here; its completion was not tried"
fi
