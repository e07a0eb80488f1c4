# Completion of vek's command line for bash: the switches, the values of --color, and files for
# FILE. bash-completion loads it the first time vek is completed; `source` it to use it without.

_vek_files() {
  local IFS=$'\n'
  compopt -o filenames 2>/dev/null
  COMPREPLY=($(compgen -f -- "$1"))
}

_vek() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD - 1]}
  local whens="auto always never"
  COMPREPLY=()

  # After "--" every argument is a file; a switch's value may itself be "--".
  local i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      --find | --find-hex | --start | --pages) ((i++)) ;;
      --) _vek_files "$cur"; return 0 ;;
    esac
  done

  # --color=WHEN: readline cuts "--color=al" into "--color", "=" and "al" while '=' is in
  # COMP_WORDBREAKS, and leaves it whole otherwise. The WHEN stands only after '='.
  if [[ $cur == = && ($prev == --color || $prev == --colour) ]]; then
    COMPREPLY=($(compgen -W "$whens"))
    return 0
  fi
  if [[ $prev == = && (${COMP_WORDS[COMP_CWORD - 2]} == --color || ${COMP_WORDS[COMP_CWORD - 2]} == --colour) ]]; then
    COMPREPLY=($(compgen -W "$whens" -- "$cur"))
    return 0
  fi
  if [[ $cur == --color=* || $cur == --colour=* ]]; then
    COMPREPLY=($(compgen -P "${cur%%=*}=" -W "$whens" -- "${cur#*=}"))
    return 0
  fi

  # These take a value of the user's own: a text, hex pairs, an offset, a page count.
  case $prev in
    --find | --find-hex | --start | --pages) return 0 ;;
  esac

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "-h --help --version --dump --start --hex --pages --color --color=
                             --find --find-hex -i --ignore-case --count --history --undo --all
                             -r --read-only --no-journal --compare --first --" -- "$cur"))
    # "--color=" waits for its WHEN: no blank after it.
    [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
    return 0
  fi
  _vek_files "$cur"
}

complete -F _vek vek
