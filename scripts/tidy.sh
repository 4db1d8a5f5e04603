#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy.
#
#   scripts/tidy.sh FILE...              the files named
#   scripts/tidy.sh --changed [BASE]     the C and C++ files changed since BASE
#                                        (default HEAD~1, the previous commit),
#                                        committed or not
#   scripts/tidy.sh --all                every C and C++ file of the tree
#                                        (slow: minutes)
#
# Compile flags come from the compile_commands.json of a build tree, `build`
# by default (TIDY_BUILD_DIR=dir to choose another); when it has none the tree
# is configured (not built) first.  Headers are checked with the flags of a
# source file beside them, and through every source that includes them.
# Sources only the Windows build compiles are checked with the flags of a
# mingw-w64 tree, `build-win64` by default (TIDY_WINDOWS_BUILD_DIR=dir),
# configured (not built) when it has none; --all fails when a source of the
# tree is in neither tree.  The compile flags carry the project's warnings,
# so clang's own warnings are findings too.  Exits 1 when clang-tidy reports
# anything.
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

# The sources a tree's compile_commands.json names, relative to the top.
compiled_in() {
  sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$1/compile_commands.json" | grep "^$root/" |
    sed "s|^$root/||" | sort -u
}

if [ "${1:-}" = "--all" ]; then
  # Every C and C++ source git keeps (build trees are not kept); headers are
  # checked through the sources that include them.
  while IFS= read -r f; do files+=("$f"); done < <(git ls-files -- '*.c' '*.cc' '*.cpp' '*.cxx' | sort -u)
fi

# A source the native tree does not compile is checked with the Windows
# tree's flags; one in neither tree cannot be checked.
native="$(compiled_in "$build")"
checked=() windows_files=() unknown=()
for f in "${files[@]}"; do
  f="${f#"$root/"}"
  case "$f" in
    *.h | *.hh | *.hpp) checked+=("$f") ;;
    *) if grep -qxF -- "$f" <<<"$native"; then checked+=("$f"); else windows_files+=("$f"); fi ;;
  esac
done
files=("${checked[@]}")
if [ ${#windows_files[@]} -gt 0 ]; then
  winbuild="${TIDY_WINDOWS_BUILD_DIR:-build-win64}"
  if [ ! -f "$winbuild/compile_commands.json" ] && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    echo "configuring $winbuild for the sources only the Windows build compiles"
    cmake -S . -B "$winbuild" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DTRIVANE_BUILD_BENCH=OFF -DTRIVANE_INSTALL_DIR=. -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
  fi
  windows=""
  [ -f "$winbuild/compile_commands.json" ] && windows="$(compiled_in "$winbuild")"
  candidates=("${windows_files[@]}")
  windows_files=()
  for f in "${candidates[@]}"; do
    if [ -n "$windows" ] && grep -qxF -- "$f" <<<"$windows"; then windows_files+=("$f"); else unknown+=("$f"); fi
  done
fi
if [ ${#unknown[@]} -gt 0 ]; then
  echo "no compile flags for these sources (in no build tree; mingw-w64 missing?):" >&2
  printf '  %s\n' "${unknown[@]}" >&2
  exit 1
fi

if [ ${#files[@]} -eq 0 ] && [ ${#windows_files[@]} -eq 0 ]; then
  echo "no C or C++ files to check"
  exit 0
fi

status=0
# The warning standard is gcc's -Wconversion, which in C++ leaves out sign
# conversions; clang's takes them in.  Mixing int and size_t in indexes and
# counts is not treated as a fault here, so clang leaves them out too; a
# narrowing that loses values stays a finding under -Wconversion in both.
warnings=(--extra-arg=-Wno-sign-conversion)
quiet_counts() { grep -v 'warnings\{0,1\} generated\.$' >&2; }
if [ ${#files[@]} -gt 0 ]; then
  echo "clang-tidy over ${#files[@]} file(s)"
  # -quiet drops the "N warnings generated" counts; WarningsAsErrors in
  # .clang-tidy makes every finding fail the run.  The compile commands are
  # gcc's: options clang does not know (a gcc-only warning switch, gcc's
  # link-time optimisation flags) are not findings.
  gcc_only=(--extra-arg=-Wno-unknown-warning-option --extra-arg=-Wno-ignored-optimization-argument)
  printf '%s\0' "${files[@]}" |
    xargs -0 -n 1 -P "$jobs" "$CLANG_TIDY" -p "$build" --quiet "${warnings[@]}" "${gcc_only[@]}" 2> >(quiet_counts) || status=1
fi
if [ ${#windows_files[@]} -gt 0 ]; then
  echo "clang-tidy over ${#windows_files[@]} Windows-only file(s): ${windows_files[*]}"
  # clang reads the mingw-w64 compiler's own C++ library headers, which it
  # does not find by itself.
  cross=(--extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc++)
  while IFS= read -r d; do cross+=(--extra-arg-before=-isystem"$d"); done < <(
    echo | x86_64-w64-mingw32-g++-posix -x c++ -E -v - 2>&1 |
      sed -n '/#include <...> search starts here/,/End of search/p' | sed -n 's|^ \(/.*/include/c++.*\)$|\1|p')
  printf '%s\0' "${windows_files[@]}" |
    xargs -0 -n 1 -P "$jobs" "$CLANG_TIDY" -p "$winbuild" --quiet "${warnings[@]}" "${cross[@]}" 2> >(quiet_counts) || status=1
fi
if [ "$status" -eq 0 ]; then
  echo "clang-tidy: clean"
else
  echo "clang-tidy found problems (above)" >&2
  exit 1
fi
