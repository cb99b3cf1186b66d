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

# Every command path, depth first: "" then "dict", "dict list", ...
paths=()
walk() {
  local path=$1 text sub
  paths+=("$path")
  # shellcheck disable=SC2086  # the path is words
  text=$(help $path)
  for sub in $(subcommands "$text"); do walk "${path:+$path }$sub"; done
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
    # shellcheck disable=SC2086
    help $path | roff
    echo '.fi'
  done
  echo '.SH ENVIRONMENT'
  echo 'WORDKEG_HOME: the home when \-\-home is not given (else the current directory).'
} >"$out/wordkeg.1"

{
  echo '# bash completion of wordkeg, made from its --help texts.'
  echo '_wordkeg() {'
  echo '  local cur=${COMP_WORDS[COMP_CWORD]} path="" word words'
  echo '  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do'
  echo '    case "$path/$word" in'
  for path in "${paths[@]}"; do
    [ -n "$path" ] && echo "      \"/${path// //}\") path=\"\$path/\$word\" ;;"
  done
  echo '    esac'
  echo '  done'
  echo '  case "$path" in'
  for path in "${paths[@]}"; do
    # shellcheck disable=SC2086
    text=$(help $path)
    words=$(printf '%s ' $(subcommands "$text") $(options "$text"))
    echo "    \"${path:+/${path// //}}\") words=\"${words% }\" ;;"
  done
  echo '  esac'
  echo '  COMPREPLY=($(compgen -W "$words" -- "$cur"))'
  echo '}'
  echo 'complete -o default -F _wordkeg wordkeg'
} >"$out/wordkeg.bash"
