#!/usr/bin/env bash
# Builds the core, zelk-batch and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in ./build-asan (the Qt front end is left out)
# and runs every test there. Any report stops the test that caused it.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${ZELK_ASAN_BUILD:-build-asan}"
jobs="${ZELK_JOBS:-$(nproc)}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELK_SANITIZE=ON -DZELK_GUI=OFF \
  -DZELK_BENCH=OFF -DZELK_TESTS=ON -DZELK_WERROR="${ZELK_WERROR:-OFF}"
cmake --build "$build" -j "$jobs"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_init_order=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$jobs"
