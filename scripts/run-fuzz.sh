#!/usr/bin/env bash
# Runs every fuzz target for a bounded time:
#   run-fuzz.sh <fuzz build> <seconds each> [targets at once, default: the cores]
# Each starts from the golden files of the tests, its own growing corpus and
# the inputs kept from earlier findings; a crash, hang, leak or sanitizer
# report fails the run and leaves the input under <fuzz build>/findings.
set -uo pipefail
build="$1"
seconds="$2"
jobs="${3:-$(nproc)}"
root="$(cd "$(dirname "$0")/.." && pwd)"
targets=(fieldline rawlines records proposal settings speeddial templates)

rm -rf "$build/seeds"
"$root/fuzz/seed.sh" "$build/seeds"
mkdir -p "$build/findings" "$build/logs"

# One target; its exit status is left in logs/<target>.rc.
fuzz_one() {
  local t="$1"
  mkdir -p "$build/corpus/$t"
  local dirs=("$build/corpus/$t" "$build/seeds/$t")
  [ -d "$root/tests/data/fuzz/$t" ] && dirs+=("$root/tests/data/fuzz/$t")
  nice -n 10 "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
    "${dirs[@]}" >"$build/logs/$t.log" 2>&1
  echo $? >"$build/logs/$t.rc"
}

running=0
for t in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
  fuzz_one "$t" &
  running=$((running + 1))
done
wait

failed=0
total=0
printf '%-10s %12s %8s\n' target executions result
for t in "${targets[@]}"; do
  log="$build/logs/$t.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  runs=${runs:-0}
  total=$((total + runs))
  rc=$(cat "$build/logs/$t.rc" 2>/dev/null || echo 1)
  if [ "$rc" -eq 0 ]; then result=ok; else result=FAILED; failed=1; fi
  printf '%-10s %12s %8s\n' "$t" "$runs" "$result"
  [ "$rc" -eq 0 ] || tail -40 "$log"
done
printf '%-10s %12s\n' total "$total"
exit $failed
