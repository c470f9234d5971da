#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite with CTest: once
# as built for use, once built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzzers (clang) for a short run each.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure_packages.sh
jobs="$(nproc)"
start=$SECONDS

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
echo "== plain suite done after $((SECONDS - start)) s"

if [ "${CLIENT_SKIP_SANITIZERS:-0}" != 1 ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCLIENT_SANITIZE=ON \
        -DCLIENT_BUILD_BENCH=OFF -DCLIENT_BUILD_TOOLS=OFF
  ninja -C build-asan -j"$jobs"
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
  LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"
  echo "== sanitizer suite done after $((SECONDS - start)) s"
fi

# The fuzzers are built with clang on their own and given a short run each.
if command -v clang++ >/dev/null; then
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
  ninja -C build-fuzz -j"$jobs"
  ctest --test-dir build-fuzz --output-on-failure
  echo "== fuzzers done after $((SECONDS - start)) s"
fi
