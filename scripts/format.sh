#!/usr/bin/env bash
# Formats the project's own C and C++ files with .clang-format.
#
#   scripts/format.sh            format every file in place
#   scripts/format.sh --check    change nothing; list the files that are not
#                                formatted and exit 1 when there are any
#   scripts/format.sh [--check] FILE...   the same for the files named
#
# The files are those git tracks (build trees are never tracked).  The style
# is that of Debian's clang-format 14 (package clang-format); other versions
# break some lines differently, so the check insists on 14.
set -euo pipefail
cd "$(dirname "$0")/.."

CLANG_FORMAT="${CLANG_FORMAT:-clang-format}"
check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi

command -v "$CLANG_FORMAT" >/dev/null || { echo "$CLANG_FORMAT not found: run scripts/install-deps.sh" >&2; exit 2; }
version="$("$CLANG_FORMAT" --version)"
case "$version" in
  *"version 14."*) ;;
  *) echo "warning: the style is kept with clang-format 14; this is: $version" >&2 ;;
esac

files=()
if [ $# -gt 0 ]; then
  files=("$@")
else
  while IFS= read -r -d '' f; do files+=("$f"); done < <(
    git ls-files -z -- '*.c' '*.cc' '*.cpp' '*.cxx' '*.h' '*.hh' '*.hpp' '*.inc')
fi
[ ${#files[@]} -gt 0 ] || exit 0

if [ "$check" -eq 0 ]; then
  printf '%s\0' "${files[@]}" | xargs -0 "$CLANG_FORMAT" -i --style=file
  exit 0
fi

# One run over all files; each place that would change is reported as
# "FILE:LINE:COLUMN: error: code should be clang-formatted".
report="$(printf '%s\0' "${files[@]}" | xargs -0 "$CLANG_FORMAT" --style=file --dry-run --Werror 2>&1 || true)"
unformatted="$(printf '%s\n' "$report" | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)"
others="$(printf '%s\n' "$report" | grep -E '^[^ ]+:[0-9]+:[0-9]+: error:' | grep -v 'code should be clang-formatted' || true)"
if [ -n "$others" ]; then
  printf '%s\n' "$others" >&2
  exit 2
fi
if [ -n "$unformatted" ]; then
  echo "not formatted (run scripts/format.sh):" >&2
  printf '%s\n' "$unformatted" | sed 's/^/  /' >&2
  exit 1
fi
