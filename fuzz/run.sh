#!/usr/bin/env bash
# Runs one fuzz harness for a given time, one job, at the lowest priority.
# Usage: fuzz/run.sh HARNESS SECONDS [extra libFuzzer flags]
# New inputs go to fuzz/corpus-run/HARNESS (not committed); the seeds in
# fuzz/corpus/HARNESS are read only. Crashes land in fuzz/artifacts/HARNESS/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
h="${1:?harness: plain, table, table_reader, clipboard, project, part or mvproject}"
secs="${2:?seconds}"
shift 2
build="${ZELK_FUZZ_BUILD:-$root/build-fuzz}"
[ -x "$build/fuzz_$h" ] || "$root/fuzz/build.sh" "$h"
work="$root/fuzz/corpus-run/$h"
art="$root/fuzz/corpus-run/artifacts-$h/"
mkdir -p "$work" "$art"
# A reader must never allocate far beyond its input: 256 MB is a finding.
# Leaks are checked after each input; the check at exit only takes long.
export ASAN_OPTIONS="${ASAN_OPTIONS:-leak_check_at_exit=0}"
exec nice -n 19 "$build/fuzz_$h" "$work" "$root/fuzz/corpus/$h" \
  -max_total_time="$secs" -max_len=65536 -rss_limit_mb=1536 -malloc_limit_mb=256 \
  -timeout=10 -artifact_prefix="$art" -print_final_stats=1 "$@"
