#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite with CTest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure_packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
# The fuzzers are built with clang on their own and given a short run each.
if command -v clang++ >/dev/null; then
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
  ninja -C build-fuzz
  ctest --test-dir build-fuzz --output-on-failure
fi
