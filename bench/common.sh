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
