#!/usr/bin/env bash
# Installs what is missing, builds Tavrelo with warnings as errors and runs the
# tests; then runs them once more under AddressSanitizer and
# UndefinedBehaviorSanitizer. Any failure or sanitizer report fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
jobs="$(nproc)"

echo "== build and test (warnings as errors)"
cmake -S . -B build/ci -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRELO_WERROR=ON
cmake --build build/ci -j"$jobs"
ctest --test-dir build/ci --output-on-failure -j"$jobs"

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVRELO_WERROR=ON \
    -DTAVRELO_SANITIZE=ON -DTAVRELO_BUILD_BENCH=OFF
cmake --build build/sanitize -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
