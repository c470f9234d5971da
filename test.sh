#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite with CTest: once
# as built for use (build/), once built with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/), whose client libraries also carry
# the fuzz targets, then each fuzz target for a short run.
#   CLIENT_SKIP_SANITIZERS=1 ./test.sh   only the plain suite
#   CLIENT_FUZZ_SECONDS=300 ./test.sh     each fuzz target runs that long
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure_packages.sh
jobs="$(nproc)"
start=$SECONDS

# Optimised as for use, without debug information: the sanitized build below
# names file and line when something fails, and this one compiles faster.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
ninja -C build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
echo "== plain suite done after $((SECONDS - start)) s"

if [ "${CLIENT_SKIP_SANITIZERS:-0}" != 1 ]; then
  # With clang the same sanitized build holds the fuzz targets; without it
  # the suite still runs under the sanitizers and the fuzzers are left out.
  if command -v clang++ >/dev/null; then cxx=clang++ fuzz=ON lines=-gline-tables-only; else cxx=g++ fuzz=OFF lines=-g1; fi
  # -O1 with line tables only: the sanitized build compiles in about half the
  # time of a full debug-info one and its reports still name file and line.
  # The fuzz targets get a short run each here (longer by hand, see fuzz/).
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 $lines" \
        -DCMAKE_CXX_COMPILER="$cxx" -DCLIENT_SANITIZE=ON -DCLIENT_BUILD_FUZZ="$fuzz" \
        -DCLIENT_BUILD_BENCH=OFF -DCLIENT_BUILD_TOOLS=OFF \
        -DFUZZ_SECONDS_QUICK="${CLIENT_FUZZ_SECONDS:-10}" -DFUZZ_SECONDS_CLIENT="${CLIENT_FUZZ_SECONDS:-20}"
  ninja -C build-asan -j"$jobs"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE fuzz
  echo "== sanitizer suite done after $((SECONDS - start)) s"

  if [ "$fuzz" = ON ]; then
    ctest --test-dir build-asan --output-on-failure -j"$jobs" -L fuzz
    # What each target ran, from libFuzzer's last words in the test log.
    awk '/^[0-9]+\/[0-9]+ Testing: /{t=$3} /^Done [0-9]+ runs in/{printf "   %-22s %s executions in %s s\n", t, $2, $5}' \
        build-asan/Testing/Temporary/LastTest.log
    echo "== fuzzers done after $((SECONDS - start)) s"
  fi
fi
