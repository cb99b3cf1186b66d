#!/usr/bin/env bash
# Writes the man page (wordkeg.1) and the bash completion (wordkeg.bash) of the command line from
# its own --help texts, so both always say what the program says.
# Usage: make_docs.sh path/to/wordkeg OUTPUT-DIRECTORY
set -euo pipefail
wk=$1
out=$2
mkdir -p "$out"

# help PATH...: the help text of a command path, its usage line naming the program plainly.
help() { "$wk" "$@" --help | sed "s|^Usage: [^ ]*|Usage: wordkeg|"; }
# section NAME TEXT: the entries of one section ("Subcommands:" or "Options:") of a help text.
entries() {
  awk -v want="$1:" '$0 == want { on = 1; next } /^[A-Z][a-z]*:$/ { on = 0 } on && NF' <<<"$2"
}
subcommands() { entries Subcommands "$1" | awk '{ print $1 }'; }
options() { entries Options "$1" | grep -o -- '--[a-z-]*' | sort -u; }
# The words a command takes: its subcommands, else the choices of its positionals ({on,off}).
choices() {
  subcommands "$1"
  entries Positionals "$1" | { grep -o '{[^}]*}' || true; } | tr -d '{}' | tr ',' '\n'
}

# Every command path, depth first: "" then "dict", "dict list", ...; each one's help text, asked
# for once.
paths=()
declare -A texts  # keyed by " " and the path: a key may not be empty
walk() {
  local path=$1 sub
  paths+=("$path")
  # shellcheck disable=SC2086  # the path is words
  texts[" $path"]=$(help $path)
  for sub in $(subcommands "${texts[" $path"]}"); do walk "${path:+$path }$sub"; done
}
walk ""

roff() { sed 's/\\/\\e/g; s/^\./\\\&./; s/^'"'"'/\\\&'"'"'/'; }

{
  echo '.TH WORDKEG 1 "" "'"$("$wk" --version)"'" "User Commands"'
  echo '.SH NAME'
  echo 'wordkeg \- crossword and anagram solver over compiled dictionaries'
  echo '.SH SYNOPSIS'
  echo '.B wordkeg'
  echo '[\-\-home DIR] COMMAND [ARGUMENTS...]'
  echo '.SH COMMANDS'
  for path in "${paths[@]}"; do
    echo ".SS wordkeg${path:+ $path}"
    echo '.nf'
    printf '%s\n\n' "${texts[" $path"]}" | roff  # as --help ends: a blank line
    echo '.fi'
  done
  echo '.SH PATTERNS'
  echo 'FIND takes letters, ? (one letter; / is taken as ?), * (any letters), digits (3 is ???),'
  echo 'blanks between the words of a multi-word search, and ! (the rest is any words that use up'
  echo 'the FROM letters). Quote it: the shell would expand * and ? into file names.'
  echo '.SH EXIT STATUS'
  echo '.TP'
  echo '0'
  echo 'done; a search found something'
  echo '.TP'
  echo '1'
  echo 'nothing found or nothing done (a question answered No)'
  echo '.TP'
  echo '2'
  echo 'refused or failed; the message says why'
  echo '.TP'
  echo '130, 143, 129'
  echo 'interrupted by Ctrl-C, SIGTERM or a closed terminal; what was printed stays'
  echo '.TP'
  echo '141'
  echo 'the reader of standard output went away (| head)'
  echo '.SH ENVIRONMENT'
  echo 'WORDKEG_HOME: the home when \-\-home is not given (else the current directory).'
  echo '.PP'
  echo 'XDG_DATA_HOME: the installed wordkeg (/usr/bin/wordkeg) works, when neither \-\-home nor'
  echo 'WORDKEG_HOME is given, on $XDG_DATA_HOME/wordkeg (by default ~/.local/share/wordkeg).'
  echo '.SH FILES'
  echo 'A home holds wordkeg.ini (its paths and the LONG_WORDS option), lexicons/ (the'
  echo 'dictionaries, *.lex), files/ (saved results) and temp/ (working files). The installed'
  echo 'wordkeg sets up the user'"'"'s home on first use: long words on, the British and American'
  echo 'dictionaries compiled from /usr/share/dict where those word lists are installed, the first'
  echo 'selected.'
} >"$out/wordkeg.1"
# Installed compressed, as Debian's manual pages are.
gzip -9nc "$out/wordkeg.1" >"$out/wordkeg.1.gz"

# valued TEXT: the options of a help text that take a value (a type follows their name).
valued() {
  entries Options "$1" | { grep -o -- '--[a-z-]* [A-Z][A-Z]*' || true; } | awk '{ print $1 }' |
    sort -u
}

# Commands whose words are dictionary names; anything else that is no option is a file.
named="dict/details dict/select dict/deselect dict/merge dict/add dict/remove dict/delete dict/words"

{
  echo '# bash completion of wordkeg, made from its --help texts.'
  echo '_wordkeg_dictionaries() {  # the names of the home'"'"'s dictionaries'
  echo '  wordkeg ${1:+--home "$1"} dict list 2>/dev/null | awk '"'"'{ n = $(NF - 1); sub(/\.lex$/, "", n); print n }'"'"
  echo '}'
  echo '_wordkeg() {'
  echo '  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} path="" home="" i word'
  echo '  local words="" options="" values=""'
  echo '  for ((i = 1; i < COMP_CWORD; i++)); do'
  echo '    word=${COMP_WORDS[i]}'
  echo '    case "$path/$word" in'
  for path in "${paths[@]}"; do
    [ -n "$path" ] && echo "      \"/${path// //}\") path=\"\$path/\$word\"; continue ;;"
  done
  echo '    esac'
  echo '    [ "$word" = --home ] && home=${COMP_WORDS[i + 1]}'
  echo '    case "$path" in'
  for path in "${paths[@]}"; do
    text=${texts[" $path"]}
    takes=$(valued "$text" | paste -sd '|')
    [ -n "$takes" ] && echo "      \"${path:+/${path// //}}\") case \"\$word\" in $takes) ((i++)) ;; esac ;;"
  done
  echo '    esac'
  echo '  done'
  echo '  case "$path" in'
  for path in "${paths[@]}"; do
    text=${texts[" $path"]}
    printf '    "%s") words="%s"; options="%s"; values="%s" ;;\n' "${path:+/${path// //}}" \
      "$(choices "$text" | paste -sd ' ')" "$(options "$text" | paste -sd ' ')" \
      "$(valued "$text" | paste -sd ' ')"
  done
  echo '  esac'
  echo '  if [[ " $values " == *" $prev "* ]]; then'
  echo '    # The value of an option: dictionary names for --dict, files for --save and --home.'
  echo '    case "$prev" in'
  echo '      --dict) COMPREPLY=($(compgen -W "$(_wordkeg_dictionaries "$home")" -- "$cur")) ;;'
  echo '      --save | --home) COMPREPLY=() ;;'
  echo '      *) COMPREPLY=(); compopt +o default 2>/dev/null ;;'
  echo '    esac'
  echo '    return'
  echo '  fi'
  echo '  if [[ "$cur" == -* ]]; then'
  echo '    COMPREPLY=($(compgen -W "$options" -- "$cur"))'
  echo '  elif [ -n "$words" ]; then'
  echo '    COMPREPLY=($(compgen -W "$words" -- "$cur"))'
  echo '  else'
  echo '    case " '"$named"' " in'
  echo '      *" ${path#/} "*) COMPREPLY=($(compgen -W "$(_wordkeg_dictionaries "$home")" -- "$cur")) ;;'
  echo '      *) COMPREPLY=() ;;  # a file, by the default completion'
  echo '    esac'
  echo '  fi'
  echo '}'
  echo 'complete -o default -F _wordkeg wordkeg'
} >"$out/wordkeg.bash"
