# Shared by the benchmark scripts (sourced).

# best_of N COMMAND...: the fastest wall-clock time of N runs, in seconds.
best_of() {
  local best=999999 n=$1
  shift
  for _ in $(seq "$n"); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    best=$(echo "$end - $start" | bc -l | awk -v b="$best" '{ print ($1 < b) ? $1 : b }')
  done
  echo "$best"
}

# best_in_turns N OURS -- PEER: the fastest wall-clock times of two commands run in turns (ours,
# the peer, ours ...), N runs each, as "OURS PEER": both meet the machine's slow and quick
# moments alike, which one command's runs before the other's do not.
best_in_turns() {
  local n=$1 ours=() peer=() best_ours=999999 best_peer=999999
  shift
  while [ "$1" != "--" ]; do ours+=("$1"); shift; done
  shift
  peer=("$@")
  for _ in $(seq "$n"); do
    local t
    t=$(best_of 1 "${ours[@]}")
    best_ours=$(echo "$t" | awk -v b="$best_ours" '{ print ($1 < b) ? $1 : b }')
    t=$(best_of 1 "${peer[@]}")
    best_peer=$(echo "$t" | awk -v b="$best_peer" '{ print ($1 < b) ? $1 : b }')
  done
  echo "$best_ours $best_peer"
}
