#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite with CTest, built
# with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/): a bad
# read or write anywhere in the suite fails it. With clang the same build holds
# the fuzz targets, and each gets a short run after the suite.
#   CLIENT_PLAIN=1 ./test.sh              also the build as used (build/, g++
#                                         -O2, as run.sh and the packages build
#                                         it, benchmarks and tools included)
#                                         and the suite once more on it
#   CLIENT_SKIP_SANITIZERS=1 ./test.sh    only that plain build and its suite
#   CLIENT_FUZZ_SECONDS=300 ./test.sh     each fuzz target runs that long
# One build keeps a cold run on a two-core machine near a quarter of an hour.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure_packages.sh
jobs="$(nproc)"
start=$SECONDS
plain="${CLIENT_PLAIN:-0}"
sanitize=1
if [ "${CLIENT_SKIP_SANITIZERS:-0}" = 1 ]; then plain=1 sanitize=0; fi

if [ "$plain" = 1 ]; then
  # Optimised as for use, without debug information.
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
  ninja -C build -j"$jobs"
  ctest --test-dir build --output-on-failure -j"$jobs"
  echo "== plain suite done after $((SECONDS - start)) s"
fi

if [ "$sanitize" = 1 ]; then
  # Without clang the suite still runs under the sanitizers (g++) and the
  # fuzzers are left out.
  if command -v clang++ >/dev/null; then cxx=clang++ fuzz=ON lines=-gline-tables-only; else cxx=g++ fuzz=OFF lines=-g1; fi
  # -O1 with line tables only: it compiles in about half the time of a full
  # debug-info build and its reports still name file and line. Benchmarks and
  # tools are left to the plain build (a minute and a half more here).
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
