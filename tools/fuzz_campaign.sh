#!/usr/bin/env bash
# A fuzzing campaign: every fuzz target (those fuzz/CMakeLists.txt declares,
# listed in <build>/fuzz/targets.txt) runs to at least a million executions in
# the sanitized clang build that ./test.sh makes, one after the other, at a low
# priority. Prints the executions, time and rate of each target and fails when
# one found something or fell short of its executions.
#
#   tools/fuzz_campaign.sh                      every target, 1,000,000 executions each
#   FUZZ_RUNS=200000 tools/fuzz_campaign.sh     fewer
#   tools/fuzz_campaign.sh fuzz_walk fuzz_read  only these
#   FUZZ_BUILD=build-asan FUZZ_NICE=10 FUZZ_MAX_SECONDS=0 (no time limit) are the defaults.
#
# New inputs go to <build>/fuzz/corpus/<target> (the committed seeds in
# fuzz/corpus/ are read, not written); findings to <build>/fuzz/findings/,
# each reproducible alone: <build>/fuzz/<target> <finding>.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${FUZZ_BUILD:-build-asan}"
runs="${FUZZ_RUNS:-1000000}"
nice_level="${FUZZ_NICE:-10}"
max_seconds="${FUZZ_MAX_SECONDS:-0}"

if command -v clang++ >/dev/null; then :; else echo "fuzz_campaign: clang++ is needed" >&2; exit 2; fi
# The same configuration as ./test.sh's sanitized build, so either one's build serves.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
      -DCMAKE_CXX_COMPILER=clang++ -DCLIENT_SANITIZE=ON -DCLIENT_BUILD_FUZZ=ON \
      -DCLIENT_BUILD_BENCH=OFF -DCLIENT_BUILD_TOOLS=OFF >/dev/null
list="$build/fuzz/targets.txt"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(awk '{print $1}' "$list")
fi
nice -n "$nice_level" ninja -C "$build" "${targets[@]}"

export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
export ASAN_OPTIONS="abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
findings="$build/fuzz/findings"
mkdir -p "$findings"
report=()
failed=0
for target in "${targets[@]}"; do
  read -r _ max_len corpus options < <(awk -v t="$target" '$1 == t' "$list")
  work="$build/fuzz/corpus/$corpus"
  mkdir -p "$work"
  log="$build/fuzz/$target.campaign.log"
  limit=()
  [ "$max_seconds" != 0 ] && limit=(-max_total_time="$max_seconds")
  echo "== $target: $runs executions ($(date +%H:%M:%S))"
  status=0
  # shellcheck disable=SC2086 # the options are words
  nice -n "$nice_level" "$build/fuzz/$target" -runs="$runs" "${limit[@]}" -max_len="$max_len" -seed=1 \
      -print_final_stats=1 -artifact_prefix="$findings/$target-" $options "$work" "fuzz/corpus/$corpus" \
      >"$log" 2>&1 || status=$?
  done_runs=$(awk '/^stat::number_of_executed_units:/{print $2}' "$log" | tail -1)
  seconds=$(awk '/^Done [0-9]+ runs in/{print $5}' "$log" | tail -1)
  done_runs=${done_runs:-0}
  seconds=${seconds:-?}
  rate="?"
  if [ "$seconds" != "?" ] && [ "$seconds" -gt 0 ]; then rate=$((done_runs / seconds)); fi
  verdict=ok
  if [ "$status" != 0 ]; then verdict="FINDING (see $log)"; failed=1
  elif [ "$done_runs" -lt "$runs" ]; then verdict="short of $runs"; failed=1; fi
  line=$(printf "%-22s %10s executions %7s s %7s/s  %s" "$target" "$done_runs" "$seconds" "$rate" "$verdict")
  echo "$line"
  report+=("$line")
done
echo "== campaign"
printf "%s\n" "${report[@]}"
exit "$failed"
