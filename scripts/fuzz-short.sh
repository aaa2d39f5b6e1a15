#!/usr/bin/env bash
# CI: a one-minute run of the fuzzer that drives the program's commands and
# dialogs (fuzz/operations.cpp) under AddressSanitizer and UBSan, from the
# committed seeds. Skipped, with a note, where clang with libFuzzer is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
secs="${ZELK_FUZZ_SECONDS:-60}"
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz-short: clang++ not found, skipped"
  exit 0
fi
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
  echo "fuzz-short: clang++ has no libFuzzer, skipped"
  exit 0
fi
ZELK_FUZZ_JOBS="${ZELK_JOBS:-$(nproc)}" fuzz/build.sh operations
# Any crash, sanitizer report or non-number text ends the run with an error.
fuzz/run.sh operations "$secs"
