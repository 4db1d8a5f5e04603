#!/usr/bin/env bash
# Runs every fuzzing program of a clang build for a set time, one after the
# other, and prints the executions and findings of each.
#
#   bash scripts/fuzz-all.sh BUILD_DIR [SECONDS] [NAME...]
#
# BUILD_DIR is a tree configured with clang (CC=clang CXX=clang++) and
# -DTRIVANE_SANITIZE=ON; its fuzz_targets.txt lists the programs and their seed
# corpora.  Inputs the fuzzer keeps go to BUILD_DIR/fuzz-corpus/NAME, crashes
# and hangs to BUILD_DIR/fuzz-findings/NAME-*, the output to
# BUILD_DIR/fuzz-logs/NAME.log.  A finding ends that program's run (it replays
# with BUILD_DIR/bin/NAME_fuzzer FILE or NAME_replay FILE); the others still
# run.  With FUZZ_KEEP_GOING=1 each program runs in libFuzzer's fork mode and
# goes on after a finding (every finding is kept).  Exit status 1 when any
# program found something.
set -uo pipefail
build="${1:?usage: fuzz-all.sh BUILD_DIR [SECONDS] [NAME...]}"
seconds="${2:-60}"
shift $(( $# >= 2 ? 2 : $# ))
build="$(cd "$build" && pwd)"
list="$build/fuzz_targets.txt"
if [[ ! -f "$list" ]]; then
  echo "fuzz-all: $list is missing: configure $build with clang" >&2
  exit 2
fi
mkdir -p "$build/fuzz-corpus" "$build/fuzz-findings" "$build/fuzz-logs"
export TRIVANE_HEADLESS=1
# The sound reader's entry opens the sound device; no sound card is needed.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# fontconfig keeps a cache it allocates on first use and never frees; the
# fuzzer's check after each input would take it for a leak of ours.
suppressions="$build/fuzz-logs/leak-suppressions.txt"
mkdir -p "$build/fuzz-logs"
echo "leak:libfontconfig" >"$suppressions"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$suppressions}"
status=0
summary=()
while read -r name seeds; do
  [[ -z "$name" ]] && continue
  if (( $# > 0 )); then
    wanted=0
    for n in "$@"; do [[ "$n" == "$name" ]] && wanted=1; done
    (( wanted )) || continue
  fi
  program="$build/bin/${name}_fuzzer"
  if [[ ! -x "$program" ]]; then
    summary+=("$name: not built")
    status=1
    continue
  fi
  corpus="$build/fuzz-corpus/$name"
  log="$build/fuzz-logs/$name.log"
  mkdir -p "$corpus"
  before=$(ls "$build/fuzz-findings" | grep -c "^$name-" || true)
  # Each program runs in a scratch folder: some readers write files.
  work="$(mktemp -d)"
  extra=()
  if [[ "${FUZZ_KEEP_GOING:-0}" == 1 ]]; then
    extra=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
  fi
  (cd "$work" && "$program" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
      "${extra[@]}" -artifact_prefix="$build/fuzz-findings/$name-" "$corpus" "$seeds") >"$log" 2>&1
  rc=$?
  rm -rf "$work"
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  # Fork mode prints no final statistics: its last progress line counts.
  [[ -z "$runs" ]] && runs=$(grep -o '^#[0-9]*' "$log" | tr -d '#' | tail -1)
  after=$(ls "$build/fuzz-findings" | grep -c "^$name-" || true)
  found=$(( after - before ))
  line="$name: ${runs:-?} executions in ${seconds} s, corpus $(ls "$corpus" | wc -l) files"
  if (( rc != 0 || found > 0 )); then
    line+=", FINDING (exit $rc): $(ls -t "$build/fuzz-findings" | grep "^$name-" | head -1)"
    status=1
  else
    line+=", no findings"
  fi
  summary+=("$line")
  echo "$line"
done <"$list"
echo "---- fuzz-all summary"
printf '%s\n' "${summary[@]}"
exit $status
