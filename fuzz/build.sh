#!/usr/bin/env bash
# Builds the fuzz harnesses with clang into build-fuzz/ (or $ZELK_FUZZ_BUILD).
# Usage: fuzz/build.sh [HARNESS...]   (default: all of them)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZELK_FUZZ_BUILD:-$root/build-fuzz}"
# ZELK_CORE_BUILD=build-files takes the rest of the core from that build.
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="${CXX:-clang++}" \
  -DZELK_CORE_BUILD="${ZELK_CORE_BUILD:-}" >/dev/null
targets=()
for h in "${@:-plain table table_reader clipboard project part mvproject operations}"; do
  for t in $h; do targets+=("fuzz_$t"); done
done
nice -n 19 cmake --build "$build" -j "${ZELK_FUZZ_JOBS:-1}" --target "${targets[@]}"
