#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy.
#
#   scripts/tidy.sh FILE...              the files named
#   scripts/tidy.sh --changed [BASE]     the C and C++ files changed since BASE
#                                        (default HEAD~1, the previous commit),
#                                        committed or not
#   scripts/tidy.sh --all                every file of the build (slow: minutes)
#
# Compile flags come from the compile_commands.json of a build tree, `build`
# by default (TIDY_BUILD_DIR=dir to choose another); when it has none the tree
# is configured (not built) first.  Headers are checked with the flags of a
# source file beside them.  Exits 1 when clang-tidy reports anything.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

CLANG_TIDY="${CLANG_TIDY:-clang-tidy}"
build="${TIDY_BUILD_DIR:-build}"
jobs="$(nproc 2>/dev/null || echo 2)"

command -v "$CLANG_TIDY" >/dev/null || { echo "$CLANG_TIDY not found: run scripts/install-deps.sh" >&2; exit 2; }

is_source() {
  case "$1" in
    *.c | *.cc | *.cpp | *.cxx | *.h | *.hh | *.hpp) return 0 ;;
    *) return 1 ;;
  esac
}

files=()
case "${1:-}" in
  "")
    echo "usage: $0 FILE... | --changed [BASE] | --all" >&2
    exit 2
    ;;
  --changed)
    base="${2:-HEAD~1}"
    if ! git rev-parse --verify -q "$base^{commit}" >/dev/null; then
      echo "no commit $base to compare with (a shallow clone needs more history: git fetch --deepen=1)" >&2
      exit 2
    fi
    # Changes since BASE in the working tree, deleted files left out.
    while IFS= read -r -d '' f; do
      if is_source "$f" && [ -f "$f" ]; then files+=("$f"); fi
    done < <(git diff -z --name-only --diff-filter=ACMR "$base" --)
    ;;
  --all) ;;
  *)
    for f in "$@"; do files+=("$f"); done
    ;;
esac

if [ ! -f "$build/compile_commands.json" ]; then
  echo "configuring $build for its compile_commands.json"
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi

if [ "${1:-}" = "--all" ]; then
  # Every translation unit of the build that is the project's own.
  while IFS= read -r f; do files+=("$f"); done < <(
    sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$build/compile_commands.json" | grep "^$root/" | sort -u)
fi

if [ ${#files[@]} -eq 0 ]; then
  echo "no C or C++ files to check"
  exit 0
fi

echo "clang-tidy over ${#files[@]} file(s)"
# -quiet drops the "N warnings generated" counts; WarningsAsErrors in
# .clang-tidy makes every finding fail the run.
if printf '%s\0' "${files[@]}" |
    xargs -0 -n 1 -P "$jobs" "$CLANG_TIDY" -p "$build" --quiet 2> >(grep -v 'warnings\{0,1\} generated\.$' >&2); then
  echo "clang-tidy: clean"
else
  echo "clang-tidy found problems (above)" >&2
  exit 1
fi
